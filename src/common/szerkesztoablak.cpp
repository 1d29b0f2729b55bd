#include "common/szerkesztoablak.h"

#include "common/ablak.h"
#include "common/binding.h"
#include "common/dobozok.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>

namespace {

// Brings forward the page of every page control that holds `w`.
void lapjaElore(QWidget *w)
{
    for (QWidget *lap = w; lap; lap = lap->parentWidget()) {
        QWidget *lapTarto = lap->parentWidget();  // a page control keeps its pages in a stack
        auto *lapok = qobject_cast<QTabWidget *>(lapTarto ? lapTarto->parentWidget() : nullptr);
        if (lapok && lapok->indexOf(lap) >= 0)
            lapok->setCurrentWidget(lap);
    }
}

}  // namespace

SzerkesztoAblak::SzerkesztoAblak(SorSzerkeszto &sorok, QWidget *parent)
    : QDialog(parent), m_sorok(sorok), m_ds(&sorok.adatok()), m_kotes(new data::Binder(m_ds, this))
{
    setModal(true);
    AblakSzokasok(this);
}

SzerkesztoAblak::~SzerkesztoAblak() = default;

void SzerkesztoAblak::gombok(QPushButton *okGomb, QPushButton *megsem)
{
    // Enter moves between the controls, over the buttons too: neither is a
    // default button, and a focused one is pressed by Space or a click.
    for (QPushButton *gomb : {okGomb, megsem}) {
        if (gomb) {
            gomb->setDefault(false);
            gomb->setAutoDefault(false);
        }
    }
    if (okGomb)
        VedettKapcsol(okGomb, &QPushButton::clicked, this, &SzerkesztoAblak::ok);
    m_megsem = megsem;
    if (megsem)
        VedettKapcsol(megsem, &QPushButton::clicked, this, &QDialog::reject);
}

void SzerkesztoAblak::showEvent(QShowEvent *event)
{
    Vedett([this] { m_kotes->load(); });
    if (!m_szamokFigyelve) {
        for (QLineEdit *edit : m_kotes->numberEdits())
            edit->installEventFilter(this);
        m_szamokFigyelve = true;
    }
    QDialog::showEvent(event);
}

bool SzerkesztoAblak::eventFilter(QObject *obj, QEvent *event)
{
    if (event->type() != QEvent::FocusOut || !isVisible() || szamraVar())
        return QDialog::eventFilter(obj, event);
    // Leaving the box for another control of the editor; a drop-down or
    // another window coming to the front is no leaving.
    const Qt::FocusReason ok = static_cast<QFocusEvent *>(event)->reason();
    auto *edit = qobject_cast<QLineEdit *>(obj);
    if (edit && ok != Qt::PopupFocusReason && ok != Qt::ActiveWindowFocusReason
        && !m_kotes->refusedNumber(edit).isEmpty()) {
        // The message is shown once the focus has settled; going to
        // "Mégsem" is no reason for one.
        m_elutasitottSzam = edit;
        QTimer::singleShot(0, this, [this] {
            Vedett([this] {
                QLineEdit *edit = std::exchange(m_elutasitottSzam, nullptr);
                const QString uzenet = edit && isVisible() ? m_kotes->refusedNumber(edit) : QString();
                if (!uzenet.isEmpty() && (!m_megsem || QApplication::focusWidget() != m_megsem))
                    szamHiba(edit, uzenet);
            });
        });
    }
    return QDialog::eventFilter(obj, event);
}

void SzerkesztoAblak::szamHiba(QLineEdit *edit, const QString &uzenet)
{
    lapjaElore(edit);
    // The focus goes back before the message, so that the control left
    // loses its focus colour; leaving it computes nothing meanwhile.
    m_elutasitottSzam = edit;
    edit->setFocus(Qt::OtherFocusReason);
    m_elutasitottSzam = nullptr;
    HibaDoboz(uzenet);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

bool SzerkesztoAblak::szamokRendben()
{
    for (QLineEdit *edit : m_kotes->numberEdits()) {
        const QString uzenet = m_kotes->refusedNumber(edit);
        if (!uzenet.isEmpty()) {
            m_elutasitottSzam = nullptr;  // this message stands for a waiting one
            szamHiba(edit, uzenet);
            return false;
        }
    }
    return true;
}

void SzerkesztoAblak::ok()
{
    if (!szamokRendben() || !ellenoriz())
        return;
    if (!m_sorok.ment()) {
        // A masked value typed short was refused: back to its box.
        if (QWidget *doboz = m_kotes->incompleteBox())
            doboz->setFocus(Qt::OtherFocusReason);
        return;
    }
    mentesUtan();
    accept();
}
