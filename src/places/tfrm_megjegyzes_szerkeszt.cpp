#include "places/tfrm_megjegyzes_szerkeszt.h"

#include "common/ablak.h"
#include "common/binding.h"
#include "common/ikonok.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QAction>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QLabel *helySav(const QString &nev, QWidget *szulo)
{
    auto *sav = new QLabel(nev, szulo);
    sav->setObjectName(QStringLiteral("lblHely"));
    sav->setFont(QFont(QStringLiteral("Tahoma"), 8, QFont::Bold));
    sav->setContentsMargins(6, 3, 6, 3);
    sav->setTextFormat(Qt::PlainText);
    return sav;
}

}  // namespace

Tfrm_Megjegyzes_Szerkeszt::Tfrm_Megjegyzes_Szerkeszt(SorSzerkeszto &sorok, const QString &helyNev,
                                                     QWidget *parent)
    : SzerkesztoAblak(sorok, parent)
{
    setObjectName(QStringLiteral("frm_Megjegyzes_Szerkeszt"));
    setWindowTitle(QStringLiteral("Megjegyzés szerkesztés"));

    QAction *kivag = akcio("aKivag", QStringLiteral("Kivág"), QKeySequence::Cut, "edit-cut");
    QAction *masol = akcio("aMasol", QStringLiteral("Másol"), QKeySequence::Copy, "edit-copy");
    QAction *beilleszt = akcio("aBeilleszt", QStringLiteral("Beilleszt"), QKeySequence::Paste, "edit-paste");
    QAction *visszavon = akcio("aVisszavon", QStringLiteral("Visszavon"), QKeySequence::Undo, "edit-undo");
    m_aElfogad = akcio("aElfogad", QStringLiteral("Elfogad"), QKeySequence(Qt::CTRL | Qt::Key_Return),
                       "dialog-ok-apply");
    m_aElfogad->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    m_aBezar = akcio("aBezar", QStringLiteral("Bezár"), QKeySequence(Qt::Key_Escape), "window-close");
    VedettKapcsol(kivag, &QAction::triggered, this, [this] { szerkesztoMuvelet([](QLineEdit *e) { e->cut(); }, [](QPlainTextEdit *m) { m->cut(); }); });
    VedettKapcsol(masol, &QAction::triggered, this,
                  [this] { szerkesztoMuvelet([](QLineEdit *e) { e->copy(); }, [](QPlainTextEdit *m) { m->copy(); }); });
    VedettKapcsol(beilleszt, &QAction::triggered, this,
                  [this] { szerkesztoMuvelet([](QLineEdit *e) { e->paste(); }, [](QPlainTextEdit *m) { m->paste(); }); });
    VedettKapcsol(visszavon, &QAction::triggered, this,
                  [this] { szerkesztoMuvelet([](QLineEdit *e) { e->undo(); }, [](QPlainTextEdit *m) { m->undo(); }); });
    // The controller saves the row once the editor has closed with OK.
    VedettKapcsol(m_aElfogad, &QAction::triggered, this, &QDialog::accept);
    VedettKapcsol(m_aBezar, &QAction::triggered, this, &QDialog::reject);

    auto *sav = new QToolBar(this);
    sav->setObjectName(QStringLiteral("ToolBar1"));
    sav->setIconSize(QSize(16, 16));
    sav->setToolButtonStyle(Qt::ToolButtonIconOnly);
    sav->addActions({kivag, masol, beilleszt});
    sav->addSeparator();
    sav->addAction(visszavon);
    sav->addSeparator();
    sav->addActions({m_aElfogad, m_aBezar});

    m_datum = new QDateEdit(this);
    m_datum->setObjectName(QStringLiteral("DateTimePicker1"));
    m_datum->setCalendarPopup(false);
    m_datum->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    m_datum->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
    // Room for the whole day beside the arrows.
    m_datum->setMinimumWidth(m_datum->fontMetrics().horizontalAdvance(QStringLiteral("0000.00.00.")) + 40);
    m_rovid = new QLineEdit(this);
    m_rovid->setObjectName(QStringLiteral("DBEdit1"));
    m_szoveg = new QPlainTextEdit(this);
    m_szoveg->setObjectName(QStringLiteral("DBMemo1"));
    m_szoveg->setFont(QFont(QStringLiteral("Courier New"), 9));
    m_szoveg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_szoveg->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto elvalaszto = [this] {
        auto *s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    m_szoveg->addActions({visszavon, elvalaszto(), kivag, masol, beilleszt, elvalaszto(), m_aElfogad, m_aBezar});

    auto *mezok = new QGridLayout;
    mezok->setContentsMargins(8, 6, 8, 8);
    mezok->setHorizontalSpacing(10);
    mezok->setVerticalSpacing(3);
    mezok->addWidget(VezerloCimke(QStringLiteral("dátum"), m_datum, QStringLiteral("Label1")), 0, 0);
    mezok->addWidget(VezerloCimke(QStringLiteral("rövid leírás"), m_rovid, QStringLiteral("Label2")), 0, 1);
    mezok->addWidget(m_datum, 1, 0);
    mezok->addWidget(m_rovid, 1, 1);
    mezok->setColumnStretch(1, 1);
    mezok->addItem(new QSpacerItem(0, 6), 2, 0);
    mezok->addWidget(VezerloCimke(QStringLiteral("megjegyzés szövege"), m_szoveg, QStringLiteral("Label3")), 3, 0,
                     1, 2);
    mezok->addWidget(m_szoveg, 4, 0, 1, 2);
    mezok->setRowStretch(4, 1);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(0, 0, 0, 0);
    fo->setSpacing(0);
    fo->addWidget(sav);
    fo->addWidget(helySav(helyNev, this));
    fo->addLayout(mezok, 1);

    setTabOrder(m_datum, m_rovid);
    setTabOrder(m_rovid, m_szoveg);

    kotes()->bindEdit(m_rovid, QStringLiteral("rovid"));
    kotes()->bindMemo(m_szoveg, QStringLiteral("megjegyzes"));

    RogzitettMeret(this, 463, 330);
    KepernyoKozepere(this);
}

Tfrm_Megjegyzes_Szerkeszt::~Tfrm_Megjegyzes_Szerkeszt() = default;

QAction *Tfrm_Megjegyzes_Szerkeszt::akcio(const char *nev, const QString &felirat, const QKeySequence &billentyu,
                                          const char *ikon)
{
    auto *a = new QAction(TemaIkon(ikon), felirat, this);
    a->setObjectName(QLatin1String(nev));
    a->setToolTip(felirat);
    a->setStatusTip(felirat);
    a->setShortcut(billentyu);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
}

void Tfrm_Megjegyzes_Szerkeszt::szerkesztoMuvelet(void (*sor)(QLineEdit *), void (*memo)(QPlainTextEdit *))
{
    // The focused control: the edit box, the memo or the picker's own box.
    QWidget *fokusz = focusWidget();
    if (auto *m = qobject_cast<QPlainTextEdit *>(fokusz))
        memo(m);
    else if (auto *e = qobject_cast<QLineEdit *>(fokusz))
        sor(e);
    else if (fokusz == m_datum)
        sor(m_datum->findChild<QLineEdit *>());
}

void Tfrm_Megjegyzes_Szerkeszt::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    if (event->spontaneous())
        return;
    m_datum->setFocus(Qt::OtherFocusReason);
}

bool Tfrm_Megjegyzes_Szerkeszt::futtat(SorSzerkeszto &sorok, const QString &helyNev, QWidget *szulo)
{
    data::DataSet &ds = sorok.adatok();
    QPointer<Tfrm_Megjegyzes_Szerkeszt> szerkeszto = new Tfrm_Megjegyzes_Szerkeszt(sorok, helyNev, szulo);
    const QDate nap = ds.asDate(QStringLiteral("datum"));
    szerkeszto->m_datum->setDate(nap.isValid() ? nap : QDate::currentDate());
    const bool elfogadva = szerkeszto->exec() == QDialog::Accepted;
    if (szerkeszto) {
        // Also after a cancel: the cancel then discards it with the rest.
        if (ds.isEditing())
            ds.setValue(QStringLiteral("datum"), szerkeszto->m_datum->date());
        delete szerkeszto.data();
    }
    return elfogadva;
}
