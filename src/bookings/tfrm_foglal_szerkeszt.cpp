#include "bookings/tfrm_foglal_szerkeszt.h"

#include "bookings/foglalasfigyelo.h"
#include "bookings/foglalasszamitas.h"
#include "bookings/foglalassorok.h"
#include "common/ablak.h"
#include "common/binding.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QDate kezdoNap(const QVariant &v)
{
    const QDate d = v.toDate();
    return d.isValid() ? d : QDate::currentDate();
}

}  // namespace

Tfrm_Foglal_Szerkeszt::Tfrm_Foglal_Szerkeszt(FoglalasSorok &sorok, data::DataSet *fizmodok, QWidget *parent)
    : SzerkesztoAblak(sorok, parent)
{
    setObjectName(QStringLiteral("Tfrm_Foglal_Szerkeszt"));
    setWindowTitle(QStringLiteral("Foglalás"));

    // The focus moves in the order the controls are made: OK, Mégsem, the
    // pages, then the controls of the page. (Reordering afterwards breaks
    // the chain of compound controls in this Qt.)
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto *megsem = new QPushButton(QStringLiteral("Mégsem"), this);
    megsem->setObjectName(QStringLiteral("btnCancel"));
    gombok(ok, megsem);
    ok->setAutoDefault(false);
    megsem->setAutoDefault(false);

    m_lapok = new QTabWidget(this);
    m_lapok->setObjectName(QStringLiteral("PageControl1"));
    auto *lap1 = new QWidget(m_lapok);
    lap1->setObjectName(QStringLiteral("TabSheet1"));
    auto *lap2 = new QWidget(m_lapok);
    lap2->setObjectName(QStringLiteral("TabSheet2"));
    m_lapok->addTab(lap1, QStringLiteral("Foglalás"));
    m_lapok->addTab(lap2, QStringLiteral("Megjegyzés"));

    vezerlok(lap1, fizmodok);
    elrendez(lap1);
    megjegyzesLap(lap2);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(ok);
    gombsor->addWidget(megsem);
    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(6, 6, 6, 8);
    fo->setSpacing(8);
    fo->addWidget(m_lapok, 1);
    fo->addLayout(gombsor);

    RogzitettMeret(this, 364, 293);
    KepernyoKozepere(this);
}

Tfrm_Foglal_Szerkeszt::~Tfrm_Foglal_Szerkeszt() = default;

void Tfrm_Foglal_Szerkeszt::vezerlok(QWidget *lap, data::DataSet *fizmodok)
{
    auto csakOlvas = [lap](const char *nev) {
        auto *e = new QLineEdit(lap);
        e->setObjectName(QLatin1String(nev));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
        return e;
    };
    m_sorszam = csakOlvas("DBEdit1");
    m_ugyfel = csakOlvas("DBEdit2");

    auto datum = [lap, this](const char *nev) {
        auto *d = new QDateEdit(lap);
        d->setObjectName(QLatin1String(nev));
        d->setCalendarPopup(false);
        d->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        d->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
        d->installEventFilter(this);
        // Keys typed into the picker reach its inner edit box first.
        for (QLineEdit *belso : d->findChildren<QLineEdit *>())
            belso->installEventFilter(this);
        return d;
    };
    m_tol = datum("DateTimePicker1");
    m_ig = datum("DateTimePicker2");
    m_nap = szamMezo(lap, "DBEdit3", QStringLiteral("nap"));
    m_felnott = szamMezo(lap, "DBEdit4", QStringLiteral("letszam_felnott"));
    m_gyerek = szamMezo(lap, "DBEdit5", QStringLiteral("letszam_gyerek"));
    m_fizmod = new QComboBox(lap);
    m_fizmod->setObjectName(QStringLiteral("DBLookupComboBox1"));
    if (fizmodok)
        kotes()->bindLookup(m_fizmod, QStringLiteral("fizmod"), fizmodok, QStringLiteral("fizmod"),
                            QStringLiteral("fizmod_nev"));
    m_jutalek = szamMezo(lap, "DBEdit6", QStringLiteral("jutalek"));
    m_dij = szamMezo(lap, "DBEdit7", QStringLiteral("ossz_dij"));
    m_jut = szamMezo(lap, "DBEdit8", QStringLiteral("ossz_jut"));
    m_eloleg = szamMezo(lap, "DBEdit9", QStringLiteral("ar_fogl"));
    m_helyszinen = szamMezo(lap, "DBEdit10", QStringLiteral("ar_helyszin"));

    m_figyelmeztetes = new QLabel(lap);
    m_figyelmeztetes->setObjectName(QStringLiteral("lblFigyelmeztetes"));
    m_figyelmeztetes->setWordWrap(true);
    m_figyelmeztetes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_figyelmeztetes->setStyleSheet(QStringLiteral("color: #8b0000;"));
    // A size smaller, so that both warnings fit the fixed form a line each.
    QFont f = m_figyelmeztetes->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    m_figyelmeztetes->setFont(f);
}

void Tfrm_Foglal_Szerkeszt::elrendez(QWidget *lap)
{
    // Labels above their controls, in rows: number and orderer; dates and
    // nights; head counts and payment method; rate, fee and commission;
    // deposit and on-site amount.
    auto *racs = new QGridLayout(lap);
    racs->setContentsMargins(8, 6, 8, 6);
    racs->setHorizontalSpacing(8);
    racs->setVerticalSpacing(0);
    int cimkeSzam = 0;
    auto tesz = [&](int sor, int oszlop, const QString &szoveg, QWidget *vezerlo, int szeles = 1) {
        QLabel *l = VezerloCimke(szoveg, vezerlo, QStringLiteral("Label%1").arg(++cimkeSzam));
        racs->addWidget(l, 2 * sor, oszlop, 1, szeles);
        racs->addWidget(vezerlo, 2 * sor + 1, oszlop, 1, szeles);
    };
    tesz(0, 0, QStringLiteral("sorszám"), m_sorszam);
    tesz(0, 1, QStringLiteral("ügyfél"), m_ugyfel, 2);
    tesz(1, 0, QStringLiteral("tól"), m_tol);
    tesz(1, 1, QStringLiteral("ig"), m_ig);
    tesz(1, 2, QStringLiteral("éjszaka"), m_nap);
    tesz(2, 0, QStringLiteral("felnőtt"), m_felnott);
    tesz(2, 1, QStringLiteral("gyermek"), m_gyerek);
    tesz(2, 2, QStringLiteral("fiz.mód"), m_fizmod);
    tesz(3, 0, QStringLiteral("jutalék%"), m_jutalek);
    tesz(3, 1, QStringLiteral("össz.díj"), m_dij);
    tesz(3, 2, QStringLiteral("össz.jut"), m_jut);
    tesz(4, 0, QStringLiteral("előleg"), m_eloleg);
    tesz(4, 1, QStringLiteral("helyszínen"), m_helyszinen);
    // The warning takes the room left under the fields, so an empty one
    // moves nothing.
    racs->addWidget(m_figyelmeztetes, 10, 0, 1, 3);
    for (int o = 0; o < 3; ++o)
        racs->setColumnStretch(o, 1);
    racs->setRowStretch(10, 1);
    racs->setRowMinimumHeight(10, 2 * m_figyelmeztetes->fontMetrics().lineSpacing() + 4);
}

void Tfrm_Foglal_Szerkeszt::megjegyzesLap(QWidget *lap)
{
    m_megjegyzes = new QPlainTextEdit(lap);
    m_megjegyzes->setObjectName(QStringLiteral("DBMemo1"));
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSizeF(QApplication::font().pointSizeF());
    m_megjegyzes->setFont(f);
    m_megjegyzes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    kotes()->bindMemo(m_megjegyzes, QStringLiteral("megjegyzes"));
    auto *sor = new QVBoxLayout(lap);
    sor->setContentsMargins(4, 4, 4, 4);
    sor->addWidget(m_megjegyzes);
}

QLineEdit *Tfrm_Foglal_Szerkeszt::szamMezo(QWidget *lap, const char *nev, const QString &mezo)
{
    auto *e = new QLineEdit(lap);
    e->setObjectName(QLatin1String(nev));
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    kotes()->bindEdit(e, mezo);
    e->installEventFilter(this);
    return e;
}

void Tfrm_Foglal_Szerkeszt::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    if (event->spontaneous())
        return;
    const data::DataSet &ds = *adatok();
    m_tol->setDate(kezdoNap(ds.value(QStringLiteral("dat_tol"))));
    m_ig->setDate(kezdoNap(ds.value(QStringLiteral("dat_ig"))));
    m_sorszam->setText(ds.displayText(QStringLiteral("foglalaz")));
    m_ugyfel->setText(ds.asString(QStringLiteral("foglalo_nev")));
    m_sorszam->setCursorPosition(0);
    m_ugyfel->setCursorPosition(0);
    m_lapok->setCurrentIndex(0);
    Vedett([this] { figyelmeztet(); });
    m_tol->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Foglal_Szerkeszt::keyPressEvent(QKeyEvent *event)
{
    // Neither button is the cancel button: Esc does nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    SzerkesztoAblak::keyPressEvent(event);
}

bool Tfrm_Foglal_Szerkeszt::eventFilter(QObject *obj, QEvent *event)
{
    const bool datum = obj == m_tol || obj == m_ig || (obj->parent() && (obj->parent() == m_tol || obj->parent() == m_ig));
    if (event->type() == QEvent::KeyPress && datum) {
        // Tab leaves a date picker as a whole, as Enter does, instead of
        // stepping through its day, month and year.
        auto *k = static_cast<QKeyEvent *>(event);
        const bool vissza = k->key() == Qt::Key_Backtab
                            || (k->key() == Qt::Key_Tab && k->modifiers() == Qt::ShiftModifier);
        if ((k->key() == Qt::Key_Tab && k->modifiers() == Qt::NoModifier) || vissza) {
            focusNextPrevChild(!vissza);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut && (obj == m_tol || obj == m_ig || !datum)) {
        // A drop-down or another window coming to the front does not leave
        // the control.
        const Qt::FocusReason ok = static_cast<QFocusEvent *>(event)->reason();
        if (ok != Qt::PopupFocusReason && ok != Qt::ActiveWindowFocusReason)
            Vedett([&] { elhagyva(static_cast<QWidget *>(obj)); });
    }
    return SzerkesztoAblak::eventFilter(obj, event);
}

void Tfrm_Foglal_Szerkeszt::elhagyva(QWidget *vezerlo)
{
    if (!isVisible() || !adatok()->isEditing())
        return;
    // A refused number computes nothing; the editor tells it and takes the
    // focus back to it.
    if (szamraVar() || !kotes()->refusedNumber(vezerlo).isEmpty())
        return;
    data::DataSet &ds = *adatok();
    if (vezerlo == m_ig) {
        ds.setValue(QStringLiteral("nap"), Ejszakak(m_tol->date(), m_ig->date()));
    } else if (vezerlo == m_dij) {
        ds.setValue(QStringLiteral("ossz_jut"), Jutalek(ds.asFloat(QStringLiteral("jutalek")), ds.asFloat(QStringLiteral("ossz_dij"))));
    } else if (vezerlo == m_eloleg) {
        ds.setValue(QStringLiteral("ar_helyszin"),
                    Helyszinen(ds.asFloat(QStringLiteral("ossz_dij")), ds.asFloat(QStringLiteral("ar_fogl"))));
    }
    if (vezerlo == m_tol || vezerlo == m_ig || vezerlo == m_felnott || vezerlo == m_gyerek)
        figyelmeztet();
}

void Tfrm_Foglal_Szerkeszt::figyelmeztet()
{
    const data::DataSet &ds = *adatok();
    const data::DataSet &hely = static_cast<FoglalasSorok &>(sorok()).hely();
    FoglalasAdatai f;
    f.hely = int(ds.asInteger(QStringLiteral("ugyfel")));
    f.sajat = ds.state() == data::State::Insert ? QVariant() : ds.value(QStringLiteral("foglalas"));
    f.tol = m_tol->date();
    f.ig = m_ig->date();
    f.felnott = int(ds.asInteger(QStringLiteral("letszam_felnott")));
    f.gyerek = int(ds.asInteger(QStringLiteral("letszam_gyerek")));
    if (hely.isOpen() && !hely.isEmpty())
        f.letszam = hely.value(QStringLiteral("letszam"));
    m_figyelmeztetes->setText(FoglalasFigyelmeztetes(ds.database(), f));
}

bool Tfrm_Foglal_Szerkeszt::ellenoriz()
{
    // The pickers' dates go into the row with the save.
    data::DataSet &ds = *adatok();
    ds.setValue(QStringLiteral("dat_tol"), m_tol->date());
    ds.setValue(QStringLiteral("dat_ig"), m_ig->date());
    return true;
}
