#include "common/ablak.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>
#include <QTextEdit>
#include <QWindow>

namespace {

const char *const kEnterTabNelkul = "nyugvar_enterTabNelkul";
const char *const kFokuszSzinNelkul = "nyugvar_fokuszSzinNelkul";
const char *const kSzinezve = "nyugvar_fokuszSzinezve";
const char *const kEredetiPaletta = "nyugvar_eredetiPaletta";
const QColor kFokuszSzin(0xA6, 0xCA, 0xF0);

bool jelolt(const QWidget *w, const char *tulajdonsag, const QWidget *ablak)
{
    for (; w; w = w->parentWidget()) {
        if (w->property(tulajdonsag).toBool())
            return true;
        if (w == ablak || w->isWindow())
            break;
    }
    return false;
}

bool tobbsoros(const QWidget *w, const QWidget *ablak)
{
    for (; w; w = w->parentWidget()) {
        if (qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QTextEdit *>(w))
            return true;
        if (w == ablak || w->isWindow())
            break;
    }
    return false;
}

// The control that takes the focus colour for a widget that got or lost the
// focus: the spin box or combo box around an inner line edit, the text box
// around its viewport, or the widget itself; nullptr for other kinds.
QWidget *szinezendo(QWidget *w)
{
    if (!w)
        return nullptr;
    if (QWidget *p = w->parentWidget()) {
        if (qobject_cast<QAbstractSpinBox *>(p) || qobject_cast<QComboBox *>(p))
            return p;
        if (qobject_cast<QPlainTextEdit *>(p) || qobject_cast<QTextEdit *>(p))
            return p;
    }
    if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
        || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w))
        return w;
    return nullptr;
}

// The program's style with the focus drawn flat: a focused drop-down list
// is filled with the focus colour like an edit box (the style would draw a
// shaded button), and the chosen tab of a page control that has the focus
// takes the same colour (the style would show nothing).
class FokuszStilus : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement elem, const QStyleOption *opt, QPainter *p, const QWidget *w) const override
    {
        QProxyStyle::drawPrimitive(elem, opt, p, w);
        if (elem == PE_PanelButtonCommand && qobject_cast<const QComboBox *>(w) && w->property(kSzinezve).toBool())
            p->fillRect(opt->rect.adjusted(1, 1, -1, -1), kFokuszSzin);
    }

    void drawControl(ControlElement elem, const QStyleOption *opt, QPainter *p, const QWidget *w) const override
    {
        QProxyStyle::drawControl(elem, opt, p, w);
        if (elem == CE_TabBarTabShape && opt->state.testFlag(State_Selected) && opt->state.testFlag(State_HasFocus))
            p->fillRect(opt->rect.adjusted(2, 2, -2, 0), kFokuszSzin);
    }
};

// Gives a drop-down list or a page control's tabs the flat focus drawing.
void fokuszStilus(QWidget *w)
{
    static QPointer<FokuszStilus> stilus;
    if (!stilus) {
        stilus = new FokuszStilus(QStyleFactory::create(qApp->style()->name()));
        stilus->setParent(qApp);
    }
    if (w->style() != stilus)
        w->setStyle(stilus);
}

void fokuszSzin(QWidget *w)
{
    if (w->property(kSzinezve).toBool())
        return;
    if (qobject_cast<QComboBox *>(w))
        fokuszStilus(w);
    w->setProperty(kEredetiPaletta,
                   w->testAttribute(Qt::WA_SetPalette) ? QVariant::fromValue(w->palette()) : QVariant());
    QPalette p = w->palette();
    for (auto csoport : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(csoport, QPalette::Base, kFokuszSzin);
        // A drop-down list that cannot be typed into is drawn as a button.
        if (qobject_cast<QComboBox *>(w) && !static_cast<QComboBox *>(w)->isEditable())
            p.setColor(csoport, QPalette::Button, kFokuszSzin);
    }
    w->setPalette(p);
    w->setProperty(kSzinezve, true);
}

void normalSzin(QWidget *w)
{
    if (!w->property(kSzinezve).toBool())
        return;
    const QVariant eredeti = w->property(kEredetiPaletta);
    w->setPalette(eredeti.isValid() ? eredeti.value<QPalette>() : QPalette());
    w->setProperty(kEredetiPaletta, QVariant());
    w->setProperty(kSzinezve, false);
}

// Watches the key presses and focus changes of one window and its controls.
class AblakSzuro : public QObject {
public:
    explicit AblakSzuro(QWidget *ablak) : QObject(ablak), m_ablak(ablak)
    {
        setObjectName(QStringLiteral("AblakSzokasok"));
        qApp->installEventFilter(this);
    }
    ~AblakSzuro() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *obj, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        if (t != QEvent::KeyPress && t != QEvent::FocusIn && t != QEvent::FocusOut)
            return false;
        if (!obj->isWidgetType() || !m_ablak)
            return false;
        auto *w = static_cast<QWidget *>(obj);
        if (w != m_ablak && !m_ablak->isAncestorOf(w))
            return false;
        if (t == QEvent::KeyPress)
            return enter(w, static_cast<QKeyEvent *>(event));
        if (t == QEvent::FocusIn) {
            tabTovabb(w);
            if (qobject_cast<QTabBar *>(w))
                fokuszStilus(w);
        }
        QWidget *celpont = szinezendo(w);
        if (!celpont || jelolt(celpont, kFokuszSzinNelkul, m_ablak))
            return false;
        if (t == QEvent::FocusIn) {
            fokuszSzin(celpont);
        } else {
            // A drop-down opening or another window coming to the front
            // does not take the focus from the control for good.
            const Qt::FocusReason ok = static_cast<QFocusEvent *>(event)->reason();
            if (ok != Qt::PopupFocusReason && ok != Qt::ActiveWindowFocusReason)
                normalSzin(celpont);
        }
        return false;
    }

private:
    // Enter moves to the next control, except where Enter has its own
    // meaning: a new line in a multi-line text box, choosing a row in a
    // grid, and in exempted controls. A focused button is no exception:
    // Enter passes it by, Space presses it, so Enter never closes a window.
    bool enter(QWidget *w, QKeyEvent *e)
    {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // A control that has let its Enter go on to its parents keeps it.
        QWidget *fokusz = QApplication::focusWidget();
        if (fokusz && fokusz != w && w->isAncestorOf(fokusz))
            return false;
        if (tobbsoros(w, m_ablak) || qobject_cast<QAbstractItemView *>(w) || jelolt(w, kEnterTabNelkul, m_ablak))
            return false;
        // The window moves the focus as for Tab: a control that uses Tab
        // itself (the sections of a date picker) is left as a whole.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(w->window(), &tab);
        return true;
    }

    // Tab leaves a multi-line text box like any other control; the box
    // keeps Enter for its new lines.
    static void tabTovabb(QWidget *w)
    {
        if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
            memo->setTabChangesFocus(true);
        else if (auto *szoveg = qobject_cast<QTextEdit *>(w))
            szoveg->setTabChangesFocus(true);
    }

    QPointer<QWidget> m_ablak;
};

// The size of a window's outer frame. A window not yet framed has no frame
// of its own; the window manager frames it like its parent.
QSize varhatoKeret(const QWidget *ablak)
{
    QSize keret = ablak->frameGeometry().size();
    const QWidget *szulo = ablak->parentWidget() ? ablak->parentWidget()->window() : nullptr;
    if (keret == ablak->size() && szulo && szulo->isVisible())
        keret += szulo->frameGeometry().size() - szulo->size();
    return keret;
}

// Moves a window's frame to `r`, kept on the work area of its parent's screen.
void keretHelyre(QWidget *ablak, QRect r, const QWidget *szulo)
{
    if (const QScreen *k = szulo->screen()) {
        const QRect munka = k->availableGeometry();
        r.moveRight(qMin(r.right(), munka.right()));
        r.moveBottom(qMin(r.bottom(), munka.bottom()));
        r.moveLeft(qMax(r.left(), munka.left()));
        r.moveTop(qMax(r.top(), munka.top()));
    }
    ablak->move(r.topLeft());
    // The position is the frame's, also before the window manager has
    // framed the window (a plain move would place the client area).
    if (QWindow *w = ablak->windowHandle())
        w->setFramePosition(r.topLeft());
}

// Places a window's frame by its parent's window frame each time it is
// shown: the placement gets the frame the window will have and the parent's
// frame, and gives the frame's rectangle.
class HelyezoSzuro : public QObject {
public:
    using Helyezes = QRect (*)(const QSize &keret, const QRect &szulo);

    HelyezoSzuro(QWidget *ablak, const QString &nev, Helyezes helyezes) : QObject(ablak), m_helyezes(helyezes)
    {
        setObjectName(nev);
        ablak->installEventFilter(this);
    }

    // Installs one filter of the name on the window, once.
    static void telepit(QWidget *ablak, const QString &nev, Helyezes helyezes)
    {
        if (ablak && !ablak->findChild<HelyezoSzuro *>(nev, Qt::FindDirectChildrenOnly))
            new HelyezoSzuro(ablak, nev, helyezes);
    }

protected:
    bool eventFilter(QObject *obj, QEvent *e) override
    {
        if (e->type() == QEvent::Show && !e->spontaneous())
            helyez(static_cast<QWidget *>(obj));
        return false;
    }

private:
    void helyez(QWidget *ablak) const
    {
        QWidget *szulo = ablak->parentWidget() ? ablak->parentWidget()->window() : nullptr;
        if (!szulo || !szulo->isVisible())
            return;
        keretHelyre(ablak, m_helyezes(varhatoKeret(ablak), szulo->frameGeometry()), szulo);
    }

    Helyezes m_helyezes;
};

QRect kozepen(const QSize &keret, const QRect &szulo)
{
    QRect r(QPoint(0, 0), keret);
    r.moveCenter(szulo.center());
    return r;
}

// The lower right corner of the parent's frame, kept on that screen's work
// area by keretHelyre.
QRect sarokban(const QSize &keret, const QRect &szulo)
{
    return QRect(szulo.bottomRight() - QPoint(keret.width() - 1, keret.height() - 1), keret);
}

}  // namespace

void SzuloSarkaba(QWidget *ablak)
{
    HelyezoSzuro::telepit(ablak, QStringLiteral("SzuloSarkaba"), sarokban);
}

void SzuloKozepere(QWidget *ablak)
{
    HelyezoSzuro::telepit(ablak, QStringLiteral("SzuloKozepere"), kozepen);
}

void AblakSzokasok(QWidget *ablak)
{
    if (!ablak || ablak->findChild<AblakSzuro *>(QStringLiteral("AblakSzokasok"), Qt::FindDirectChildrenOnly))
        return;
    new AblakSzuro(ablak);
}

void FokuszSzinNelkul(QWidget *vezerlo)
{
    if (!vezerlo)
        return;
    normalSzin(vezerlo);
    vezerlo->setProperty(kFokuszSzinNelkul, true);
}

void EnterTabNelkul(QWidget *vezerlo)
{
    if (vezerlo)
        vezerlo->setProperty(kEnterTabNelkul, true);
}

QLabel *VezerloCimke(const QString &szoveg, QWidget *vezerlo, const QString &nev)
{
    auto *cimke = new QLabel(szoveg, vezerlo->parentWidget());
    cimke->setObjectName(nev);
    cimke->setBuddy(vezerlo);
    vezerlo->setAccessibleName(szoveg);
    return cimke;
}

void RogzitettMeret(QWidget *ablak, int szeles, int magas)
{
    ablak->setFixedSize(szeles, magas);
    Qt::WindowFlags f = ablak->windowFlags();
    f |= Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
         | Qt::CustomizeWindowHint;
    f &= ~(Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowContextHelpButtonHint);
    ablak->setWindowFlags(f);
    if (auto *d = qobject_cast<QDialog *>(ablak))
        d->setSizeGripEnabled(false);
}

void KepernyoKozepere(QWidget *ablak)
{
    QScreen *kepernyo = nullptr;
    if (QWidget *szulo = ablak->parentWidget())
        kepernyo = szulo->window()->screen();
    if (!kepernyo)
        kepernyo = QGuiApplication::primaryScreen();
    if (!kepernyo)
        return;
    const QRect terulet = kepernyo->availableGeometry();
    QRect r(QPoint(0, 0), varhatoKeret(ablak));
    r.moveCenter(terulet.center());
    ablak->move(qMax(r.left(), terulet.left()), qMax(r.top(), terulet.top()));
}

void JelszoMezo(QLineEdit *edit)
{
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}
