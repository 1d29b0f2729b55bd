#include "bookings/tfrm_foglal.h"

#include "bookings/foglalasriportok.h"
#include "bookings/foglalassorok.h"
#include "bookings/tfrm_foglal_szerkeszt.h"
#include "bookings/tfrm_idoszak.h"
#include "common/ablak.h"
#include "common/binding.h"
#include "common/datagrid.h"
#include "common/ertekcimke.h"
#include "common/ikonok.h"
#include "common/vedett.h"
#include "data/query.h"
#include "data/table.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The grid's columns, each as wide as its title or its widest value
// ("minta"); the orderer's name takes what is left.
struct Oszlop {
    const char *mezo;
    const char *cim;
    const char *minta;
};
const Oszlop kOszlopok[] = {
    {"foglalaz", "sorszám", "00000"},       {"dat_tol", "tól", "0000.00.00."},
    {"dat_ig", "ig", "0000.00.00."},         {"nap", "éj", "000"},
    {"foglalo_nev", "ügyfél", nullptr},      {"letszam_felnott", "felnőtt", "00"},
    {"letszam_gyerek", "gyermek", "00"},     {"fizmod_nev", "fiz.mód", "átutalás"},
    {"jutalek", "jutalék%", "00,00%"},       {"ossz_dij", "össz.díj", "000 000"},
    {"ossz_jut", "össz.jut", "000 000"},
};
constexpr int kMaradek = 4;  // the column that takes the rest

}  // namespace

Tfrm_Foglal::Tfrm_Foglal(data::Database &db, data::DataSet &hely, data::Query &qryJav, QWidget *parent)
    : ListaAblak(db, parent),
      m_hely(hely),
      m_tbl(new data::Table(db, QStringLiteral("foglalas"), this)),
      m_fizmod(new data::Table(db, QStringLiteral("fizmod"), this)),
      m_sorok(new FoglalasSorok(*m_tbl, hely, qryJav, this)),
      m_kotes(new data::Binder(m_tbl, this))
{
    setObjectName(QStringLiteral("Tfrm_Foglal"));
    setWindowTitle(QStringLiteral("Foglalások"));
    m_tbl->setObjectName(QStringLiteral("TblFoglalas"));
    m_tbl->setIndexFieldNames(QStringLiteral("foglalas"));
    m_fizmod->setObjectName(QStringLiteral("TblXFizmod"));
    m_fizmod->setIndexFieldNames(QStringLiteral("fizmod"));
    m_fizmod->setReadOnly(true);

    QVector<data::DataSetModel::Column> oszlopok;
    for (const Oszlop &o : kOszlopok)
        oszlopok.append({QLatin1String(o.mezo), QString::fromUtf8(o.cim)});
    beallit(m_tbl, oszlopok, QStringLiteral("foglalas"), m_sorok);
    racs()->horizontalHeader()->setStretchLastSection(false);

    eszkozokBeallit();
    auto *elrendezes = static_cast<QVBoxLayout *>(layout());
    elrendezes->insertWidget(1, fejlec());
    elrendezes->addWidget(reszletek());

    RogzitettMeret(this, 711, 500);
    SzuloKozepere(this);
}

Tfrm_Foglal::~Tfrm_Foglal() = default;

void Tfrm_Foglal::setFoglaloValaszto(std::function<int()> valaszto)
{
    m_sorok->setFoglaloValaszto(std::move(valaszto));
}

QAction *Tfrm_Foglal::akcio(const char *nev, const QString &felirat, const QKeySequence &billentyu,
                            const char *ikonok)
{
    auto *a = new QAction(ikonok ? TemaIkon(ikonok) : QIcon(), felirat, this);
    a->setObjectName(QLatin1String(nev));
    a->setToolTip(felirat);
    a->setStatusTip(felirat);
    a->setShortcut(billentyu);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
}

void Tfrm_Foglal::eszkozokBeallit()
{
    QAction *aNyomtat = akcio("aNyomtat", QStringLiteral("Nyomtat"), QKeySequence(Qt::CTRL | Qt::Key_P), "document-print");
    QAction *aNyomtatKep = akcio("aNyomtatKep", QStringLiteral("Nyomtatási kép"), QKeySequence(Qt::CTRL | Qt::Key_K),
                                 "document-print-preview");
    QAction *aExcelbe = akcio("aExcelbe", QStringLiteral("Excelbe..."), QKeySequence(Qt::CTRL | Qt::Key_E),
                              "x-office-spreadsheet document-export");
    QAction *aNyomHtml = akcio("aNyomHtml", QStringLiteral("Html export"), QKeySequence(Qt::CTRL | Qt::Key_H), nullptr);
    const std::pair<QAction *, FoglalasKimenet> idoszakos[] = {{aNyomtat, FoglalasKimenet::Nyomtatas},
                                                               {aNyomtatKep, FoglalasKimenet::Elonezet},
                                                               {aExcelbe, FoglalasKimenet::Hatarolt},
                                                               {aNyomHtml, FoglalasKimenet::Html}};
    for (const auto &[a, kimenet] : idoszakos)
        VedettKapcsol(a, &QAction::triggered, this, [this, k = kimenet] { idoszakRiport(k); });
    QAction *aVisszaigazol = akcio("aVisszaigazol", QStringLiteral("Visszaigazolás"),
                                   QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_P), "mail-send document-send");
    VedettKapcsol(aVisszaigazol, &QAction::triggered, this, &Tfrm_Foglal::visszaigazolas);

    // "Bezár" closes with OK, like the window's close button.
    disconnect(aBezar(), &QAction::triggered, this, nullptr);
    VedettKapcsol(aBezar(), &QAction::triggered, this, &QDialog::accept);

    // Tool bar: Új, Szerkeszt, Töröl | Nyomtat (with its menu), Visszaigazolás | Bezár.
    auto *nyomtatMenu = new QMenu(this);
    nyomtatMenu->setObjectName(QStringLiteral("pmNyomtat"));
    nyomtatMenu->addActions({aNyomtat, aNyomtatKep, aExcelbe, aNyomHtml});
    auto *elvalaszto = new QAction(this);
    elvalaszto->setSeparator(true);
    eszkoztar()->insertActions(aBezar(), {aNyomtat, aVisszaigazol, elvalaszto});
    if (auto *gomb = qobject_cast<QToolButton *>(eszkoztar()->widgetForAction(aNyomtat))) {
        gomb->setMenu(nyomtatMenu);
        gomb->setPopupMode(QToolButton::MenuButtonPopup);
    }
    // The grid's menu: ... Töröl | the four reports | Visszaigazolás | Bezár.
    auto menuElvalaszto = [this] {
        auto *s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    racs()->insertActions(aBezar(), {aNyomtat, aNyomtatKep, aExcelbe, aNyomHtml, menuElvalaszto(), aVisszaigazol,
                                     menuElvalaszto()});
}

void Tfrm_Foglal::idoszakRiport(FoglalasKimenet kimenet)
{
    QDate ig = QDate::currentDate();
    QDate tol = ig.addMonths(-1);
    if (!IdoszakBeker(tol, ig, this))
        return;
    FoglalasListaRiport(adatbazis(), m_helyKulcs, kimenet, tol, ig, this);
}

void Tfrm_Foglal::visszaigazolas()
{
    // An empty list confirms key 0, which gives the empty confirmation.
    const int foglalas = m_tbl->isEmpty() ? 0 : m_tbl->value(QStringLiteral("foglalas")).toInt();
    FoglalasIgazolas(adatbazis(), foglalas, this);
}

QWidget *Tfrm_Foglal::fejlec()
{
    auto *csik = new QWidget(this);
    csik->setObjectName(QStringLiteral("Panel1"));
    auto *sor = new QHBoxLayout(csik);
    sor->setContentsMargins(0, 3, 4, 3);
    sor->setSpacing(0);
    auto *cimke = new QLabel(QStringLiteral("   szálláshely:   "), csik);
    cimke->setObjectName(QStringLiteral("Label1"));
    m_helyNev = new QLabel(csik);
    m_helyNev->setObjectName(QStringLiteral("lblHely"));
    m_helyNev->setTextFormat(Qt::PlainText);
    QFont f = m_helyNev->font();
    f.setBold(true);
    m_helyNev->setFont(f);
    sor->addWidget(cimke);
    sor->addWidget(m_helyNev, 1);
    return csik;
}

QWidget *Tfrm_Foglal::reszletek()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFixedHeight(100);
    auto *sor = new QHBoxLayout(panel);
    sor->setContentsMargins(4, 0, 4, 3);
    sor->setSpacing(4);
    QFont felkover = font();
    felkover.setBold(true);

    auto doboz = [panel](const QString &cim, const char *nev) {
        auto *g = new QGroupBox(cim, panel);
        g->setObjectName(QLatin1String(nev));
        auto *l = new QGridLayout(g);
        l->setContentsMargins(6, 0, 6, 2);
        l->setHorizontalSpacing(6);
        l->setVerticalSpacing(0);
        return std::make_pair(g, l);
    };
    auto ertek = [this, felkover](QWidget *szulo, const char *mezo, bool vastag = false,
                                  Qt::Alignment igazitas = Qt::AlignLeft) {
        auto *l = new ErtekCimke(szulo);
        l->setObjectName(QStringLiteral("lbl_") + QLatin1String(mezo));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
        l->setAlignment(igazitas | Qt::AlignVCenter);
        if (vastag)
            l->setFont(felkover);
        m_kotendok.append({l, QLatin1String(mezo)});
        return l;
    };
    auto cimke = [](const char *szoveg, QWidget *szulo) { return ReszletCimke(QString::fromUtf8(szoveg), szulo); };

    {
        auto [g, l] = doboz(QStringLiteral("Általános"), "gbAltalanos");
        l->addWidget(cimke("sorszám", g), 0, 0);
        l->addWidget(ertek(g, "foglalaz", true), 0, 1, 1, 3);
        l->addWidget(cimke("ügyfél", g), 1, 0);
        l->addWidget(ertek(g, "foglalo_nev", true), 1, 1, 1, 3);
        l->addWidget(cimke("időszak/nap", g), 2, 0);
        // Dates are never cut: the columns of the box give way first.
        int oszlop = 1;
        for (const char *mezo : {"dat_tol", "dat_ig"}) {
            QLabel *d = ertek(g, mezo);
            d->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
            d->setMinimumWidth(d->fontMetrics().horizontalAdvance(QStringLiteral("0000.00.00.")) + 2);
            l->addWidget(d, 2, oszlop++);
        }
        l->addWidget(ertek(g, "nap", false, Qt::AlignRight), 2, 3);
        l->addWidget(cimke("létszám feln./gy.", g), 3, 0);
        l->addWidget(ertek(g, "letszam_felnott"), 3, 1);
        l->addWidget(ertek(g, "letszam_gyerek"), 3, 2);
        l->setColumnStretch(1, 3);
        l->setColumnStretch(2, 3);
        l->setColumnStretch(3, 1);
        l->setHorizontalSpacing(4);
        sor->addWidget(g, 8);
    }
    {
        auto [g, l] = doboz(QStringLiteral("Fizetés"), "gbFizetes");
        l->addWidget(cimke("jut/teljes/telj.jut", g), 0, 0);
        l->addWidget(ertek(g, "jutalek", false, Qt::AlignRight), 0, 1);
        l->addWidget(ertek(g, "ossz_dij", false, Qt::AlignRight), 0, 2);
        l->addWidget(ertek(g, "ossz_jut", false, Qt::AlignRight), 0, 3);
        l->addWidget(cimke("fizetési mód", g), 1, 0);
        l->addWidget(ertek(g, "fizmod_nev"), 1, 1, 1, 3);
        l->addWidget(cimke("előleg", g), 2, 0);
        l->addWidget(ertek(g, "ar_fogl", false, Qt::AlignRight), 2, 1);
        l->addWidget(cimke("helyszínen", g), 3, 0);
        l->addWidget(ertek(g, "ar_helyszin", false, Qt::AlignRight), 3, 1);
        for (int c = 1; c <= 3; ++c)
            l->setColumnStretch(c, 1);
        sor->addWidget(g, 7);
    }
    auto *memo = new QPlainTextEdit(panel);
    memo->setObjectName(QStringLiteral("DBMemo1"));
    memo->setReadOnly(true);
    QFont f(QStringLiteral("Liberation Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSizeF(QApplication::font().pointSizeF());
    memo->setFont(f);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Skipped by Tab; a click still lets its text be selected.
    memo->setFocusPolicy(Qt::ClickFocus);
    memo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_memo = memo;
    sor->addWidget(memo, 4);
    return panel;
}

void Tfrm_Foglal::kot()
{
    // The fields exist once the bookings are open.
    for (const auto &k : std::exchange(m_kotendok, {}))
        m_kotes->bindLabel(k.first, k.second);
    if (m_memo) {
        m_kotes->bindMemo(m_memo, QStringLiteral("megjegyzes"));
        m_memo = nullptr;
    }
}

QString Tfrm_Foglal::helyNev() const
{
    return m_helyNev->text();
}

void Tfrm_Foglal::fejlecFrissit()
{
    m_helyNev->setText(m_hely.isOpen() ? m_hely.asString(QStringLiteral("ugyfel_nev")) : QString());
}

void Tfrm_Foglal::nyit(int helyKulcs)
{
    m_helyKulcs = helyKulcs;
    m_tbl->setFilter(FoglalasSzuro(helyKulcs));
    m_tbl->setFiltered(true);
    m_fizmod->open();
    m_tbl->open();
    kot();
}

int Tfrm_Foglal::FoglalasLista(int helyKulcs)
{
    int eredmeny = QDialog::Rejected;
    if (Vedett([&] { nyit(helyKulcs); }))
        eredmeny = exec();
    // Closed in this order: the bookings (on closing the window), then the
    // payment methods.
    Vedett([&] {
        if (m_tbl->isOpen())
            m_tbl->close();
        if (m_fizmod->isOpen())
            m_fizmod->close();
    });
    return eredmeny;
}

void Tfrm_Foglal::showEvent(QShowEvent *event)
{
    fejlecFrissit();
    ListaAblak::showEvent(event);
    if (!event->spontaneous())
        oszlopSzelessegek();
}

void Tfrm_Foglal::oszlopSzelessegek()
{
    const QFontMetrics betu = racs()->fontMetrics();
    const QFontMetrics cim = racs()->horizontalHeader()->fontMetrics();
    int foglalt = 0;
    for (int i = 0; i < int(std::size(kOszlopok)); ++i) {
        if (i == kMaradek)
            continue;
        const int szeles = qMax(cim.horizontalAdvance(QString::fromUtf8(kOszlopok[i].cim)) + 8,
                                betu.horizontalAdvance(QString::fromUtf8(kOszlopok[i].minta)) + 8);
        racs()->setColumnWidth(i, szeles);
        foglalt += szeles;
    }
    // The rest of the grid, less the row indicator, the frame and a
    // vertical scroll bar, which a long list shows.
    const int sav = racs()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, racs());
    // The grid is as wide as the window, whose width is fixed.
    const int marad = width() - 2 * racs()->frameWidth() - racs()->verticalHeader()->width() - sav - foglalt;
    racs()->setColumnWidth(kMaradek, qMax(90, marad));
}

void Tfrm_Foglal::FoglalasSzerkeszt(bool uj)
{
    m_sorok->FoglalasSzerkeszt(uj, m_helyKulcs);
    allapotFrissites();
}

void Tfrm_Foglal::uj()
{
    FoglalasSzerkeszt(true);
}

void Tfrm_Foglal::szerkeszt()
{
    if (m_tbl->isOpen() && !m_tbl->isEmpty())
        FoglalasSzerkeszt(false);
}

QDialog *Tfrm_Foglal::szerkesztoKeszit()
{
    return new Tfrm_Foglal_Szerkeszt(*m_sorok, m_fizmod, this);
}
