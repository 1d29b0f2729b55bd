#include "places/tfrm_szerkeszt.h"

#include "common/ablak.h"
#include "common/binding.h"
#include "common/vedett.h"
#include "data/dataset.h"
#include "places/helyszerkesztes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// The country boxes turn every letter typed or pasted to upper case.
class OrszagBetuk : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &szoveg, int &) const override
    {
        szoveg = OrszagBetui(szoveg);
        return Acceptable;
    }
};

// The picture of the two copy buttons: two written sheets, one laid over
// the other.
QIcon masolasKep()
{
    const qreal arany = qApp->devicePixelRatio();
    QPixmap kep(QSize(16, 16) * arany);
    kep.setDevicePixelRatio(arany);
    kep.fill(Qt::transparent);
    QPainter p(&kep);
    auto lap = [&p](const QRect &r) {
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.setPen(QColor(0x50, 0x70, 0xC0));
        for (int y = r.top() + 3; y < r.bottom() - 1; y += 2)
            p.drawLine(r.left() + 2, y, r.right() - 2, y);
    };
    lap(QRect(1, 1, 8, 10));
    lap(QRect(6, 5, 8, 10));
    return QIcon(kep);
}

// A box as wide as `jelek` average characters of its font, for the short
// fields (country, postal code, numbers).
QLineEdit *keskeny(QLineEdit *w, int jelek)
{
    w->setFixedWidth(w->fontMetrics().averageCharWidth() * jelek + 16);
    return w;
}

// The boxes of the groups stacked in one column start at one line: the
// label column of each is as wide as the widest label of them all.
void cimkekIgazitasa(const QList<QGroupBox *> &csoportok)
{
    int szeles = 0;
    QList<QGridLayout *> racsok;
    for (QGroupBox *g : csoportok) {
        auto *r = qobject_cast<QGridLayout *>(g->layout());
        if (!r)
            continue;
        racsok << r;
        for (int i = 0; i < r->rowCount(); ++i)
            if (QLayoutItem *elem = r->itemAtPosition(i, 0))
                szeles = qMax(szeles, elem->sizeHint().width());
    }
    for (QGridLayout *r : racsok)
        r->setColumnMinimumWidth(0, szeles);
}

QGroupBox *csoport(const QString &cim, const QString &nev, QWidget *szulo)
{
    auto *g = new QGroupBox(cim, szulo);
    g->setObjectName(nev);
    return g;
}

QGridLayout *racsa(QGroupBox *g)
{
    auto *r = new QGridLayout(g);
    r->setContentsMargins(6, 2, 6, 4);
    r->setHorizontalSpacing(6);
    r->setVerticalSpacing(2);
    return r;
}

}  // namespace

Tfrm_Szerkeszt::Tfrm_Szerkeszt(SorSzerkeszto &sorok, data::DataSet *tipusok, data::DataSet *teruletek,
                               const QString &alapVaros, QWidget *parent)
    : SzerkesztoAblak(sorok, parent), m_alapVaros(alapVaros)
{
    setObjectName(QStringLiteral("frm_Szerkeszt"));
    setWindowTitle(QStringLiteral("Szerkesztés"));

    m_lapok = new QTabWidget(this);
    m_lapok->setObjectName(QStringLiteral("PageControl1"));
    m_lapok->addTab(altalanosLap(tipusok, teruletek), QStringLiteral("Általános adatok"));
    m_lapok->addTab(memoLap("megjegyzes", QStringLiteral("tsMegjegyzes")), QStringLiteral("Megjegyzés"));
    m_lapok->addTab(memoLap("szolgaltatas", QStringLiteral("tsSzolgaltatas")), QStringLiteral("Szolgáltatás"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto *megsem = new QPushButton(QStringLiteral("Mégsem"), this);
    megsem->setObjectName(QStringLiteral("btnMegsem"));
    gombok(ok, megsem);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(ok);
    gombsor->addWidget(megsem);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(6, 6, 6, 6);
    fo->setSpacing(6);
    fo->addWidget(m_lapok, 1);
    fo->addLayout(gombsor);

    // Tab goes from the last control of any page to OK and Mégsem, and on
    // to the page tabs: the controls of the hidden pages are passed by.
    m_tabSorrend << ok << megsem;
    for (int i = 1; i < m_tabSorrend.size(); ++i)
        setTabOrder(m_tabSorrend[i - 1], m_tabSorrend[i]);

    // The two totals keep their own colour while they have the focus.
    FokuszSzinNelkul(findChild<QLineEdit *>(QStringLiteral("ossz_dij")));
    FokuszSzinNelkul(findChild<QLineEdit *>(QStringLiteral("ossz_jut")));

    RogzitettMeret(this, 539, 525);
    SzuloKozepere(this);
}

Tfrm_Szerkeszt::~Tfrm_Szerkeszt() = default;

bool Tfrm_Szerkeszt::futtat(SorSzerkeszto &sorok, data::DataSet *tipusok, data::DataSet *teruletek,
                            const QString &alapVaros, QWidget *szulo)
{
    auto *ablak = new Tfrm_Szerkeszt(sorok, tipusok, teruletek, alapVaros, szulo);
    const bool rendben = ablak->exec() == QDialog::Accepted;
    delete ablak;
    return rendben;
}

// ---- building ---------------------------------------------------------------

QWidget *Tfrm_Szerkeszt::altalanosLap(data::DataSet *tipusok, data::DataSet *teruletek)
{
    auto *lap = new QWidget;
    lap->setObjectName(QStringLiteral("tsAltalanos"));

    const QList<QGroupBox *> balCsoportok = {
        altalanosCsoport(tipusok, teruletek),
        cimCsoport(QStringLiteral("Cím adatok"), QStringLiteral("gbCim"), CimIrsz(), "cim_orszag", "cim_cim",
                   {QStringLiteral("irsz"), QStringLiteral("város"), QStringLiteral("cím")},
                   masoloGomb(QStringLiteral("btnCimMasolas"), QStringLiteral("Cím másolása a levelezési címbe"))),
        cimCsoport(QStringLiteral("Levelezési cím"), QStringLiteral("gbLevelezes"), LevIrsz(), "lev_orszag",
                   "lev_cim", {QStringLiteral("lev.irsz"), QStringLiteral("lev.város"), QStringLiteral("lev.cím")},
                   nullptr),
    };
    const QList<QGroupBox *> jobbCsoportok = {
        szemelyCsoport(QStringLiteral("Kapcsolattartó"), QStringLiteral("gbKapcsolat"),
                       {QStringLiteral("kapcsolat"), QStringLiteral("kapcs_mobil"), QStringLiteral("kapcs_mobil2"),
                        QStringLiteral("kapcs_telefon"), QStringLiteral("kapcs_fax"), QStringLiteral("kapcs_emil")},
                       {QStringLiteral("kapcsolattartó"), QStringLiteral("mobil 1."), QStringLiteral("mobil 2."),
                        QStringLiteral("telefon"), QStringLiteral("fax"), QStringLiteral("email")},
                       masoloGomb(QStringLiteral("btnKapcsolatMasolas"),
                                  QStringLiteral("Kapcsolattartó másolása a tulajdonosba"))),
        szemelyCsoport(QStringLiteral("Tulajdonos"), QStringLiteral("gbTulajdonos"),
                       {QStringLiteral("tulajdonos"), QStringLiteral("tul_mobil"), QStringLiteral("tul_mobil2"),
                        QStringLiteral("tul_telefon"), QStringLiteral("tul_fax"), QStringLiteral("tul_emil")},
                       {QStringLiteral("tulajdonos"), QStringLiteral("tul.mobil 1."), QStringLiteral("tul.mobil 2."),
                        QStringLiteral("tul.telefon"), QStringLiteral("tul.fax"), QStringLiteral("tul.email")},
                       nullptr),
    };
    // Each column's groups one under the other, their boxes on one line.
    auto *bal = new QVBoxLayout;
    auto *jobb = new QVBoxLayout;
    for (auto [oszlop, csoportok] : {std::pair{bal, balCsoportok}, std::pair{jobb, jobbCsoportok}}) {
        oszlop->setSpacing(4);
        for (QGroupBox *g : csoportok)
            oszlop->addWidget(g);
        oszlop->addStretch(1);
        cimkekIgazitasa(csoportok);
    }

    auto *racs = new QGridLayout(lap);
    racs->setContentsMargins(4, 4, 4, 4);
    racs->setHorizontalSpacing(6);
    racs->setVerticalSpacing(4);
    racs->addLayout(bal, 0, 0);
    racs->addLayout(jobb, 0, 1);
    racs->addWidget(jutalekCsoport(), 1, 0, 1, 2);
    racs->setColumnStretch(0, 1);
    racs->setColumnStretch(1, 1);
    racs->setRowStretch(0, 1);
    return lap;
}

QGroupBox *Tfrm_Szerkeszt::altalanosCsoport(data::DataSet *tipusok, data::DataSet *teruletek)
{
    QGroupBox *g = csoport(QStringLiteral("Általános"), QStringLiteral("gbAltalanos"), this);
    QGridLayout *r = racsa(g);

    m_nev = szovegMezo("ugyfel_nev");
    QFont felkover = m_nev->font();
    felkover.setBold(true);
    m_nev->setFont(felkover);
    sor(r, 0, 0, QStringLiteral("szálláshely"), m_nev, 3);

    auto lista = [this](const char *nev, const QString &kulcs, data::DataSet *forras, const QString &forrasKulcs,
                        const QString &forrasNev) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(nev));
        c->setEditable(false);
        kotes()->bindLookup(c, kulcs, forras, forrasKulcs, forrasNev);
        m_tabSorrend << c;
        return c;
    };
    sor(r, 1, 0, QStringLiteral("típus"),
        lista("tipus_nev", QStringLiteral("tipus"), tipusok, QStringLiteral("Tipus"), QStringLiteral("Tipus_nev")), 3);
    sor(r, 2, 0, QStringLiteral("terület"),
        lista("terulet_nev", QStringLiteral("terulet"), teruletek, QStringLiteral("terulet"),
              QStringLiteral("terulet_nev")),
        3);

    sor(r, 3, 0, QStringLiteral("létszám"), keskeny(szovegMezo("letszam"), 5));
    sor(r, 4, 0, QStringLiteral("tól"), keskeny(szovegMezo("tol"), 5));
    sor(r, 4, 2, QStringLiteral("ig"), keskeny(szovegMezo("ig"), 5));
    sor(r, 5, 0, QStringLiteral("honlap"), szovegMezo("honlap"), 3);

    // The caption stands left of the box.
    auto *csekk = new QCheckBox(QStringLiteral("üdülési csekk"), this);
    csekk->setObjectName(QStringLiteral("udulesicsekk"));
    csekk->setLayoutDirection(Qt::RightToLeft);
    kotes()->bindCheck(csekk, QStringLiteral("udulesicsekk"));
    m_tabSorrend << csekk;
    r->addWidget(csekk, 3, 2, 1, 2, Qt::AlignRight | Qt::AlignVCenter);

    r->setColumnStretch(3, 1);
    return g;
}

QGroupBox *Tfrm_Szerkeszt::cimCsoport(const QString &cim, const QString &nev, const IrszMezok &mezok,
                                      const char *orszag, const char *cimMezo, const QStringList &cimkek,
                                      QToolButton *gomb)
{
    QGroupBox *g = csoport(cim, nev, this);
    QGridLayout *r = racsa(g);

    QLineEdit *orszagDoboz = szovegMezo(orszag);
    orszagDoboz->setValidator(new OrszagBetuk(orszagDoboz));
    keskeny(orszagDoboz, 6);
    sor(r, 0, 0, QStringLiteral("ország"), orszagDoboz);

    QLineEdit *irsz = szovegMezo(qPrintable(mezok.irsz));
    keskeny(irsz, 6);
    irsz->installEventFilter(this);
    sor(r, 0, 2, cimkek.value(0), irsz);
    if (mezok.irsz == CimIrsz().irsz)
        m_cimIrsz = irsz;
    else
        m_levIrsz = irsz;

    sor(r, 1, 0, cimkek.value(1), szovegMezo(qPrintable(mezok.varos)), 3);

    QLineEdit *utca = szovegMezo(cimMezo);
    if (gomb) {
        auto *mellette = new QHBoxLayout;
        mellette->setSpacing(2);
        mellette->addWidget(utca, 1);
        mellette->addWidget(gomb);
        r->addWidget(VezerloCimke(cimkek.value(2), utca, QStringLiteral("lbl_") + QLatin1String(cimMezo)), 2, 0);
        r->addLayout(mellette, 2, 1, 1, 3);
    } else {
        sor(r, 2, 0, cimkek.value(2), utca, 3);
    }
    r->setColumnStretch(3, 1);
    return g;
}

QGroupBox *Tfrm_Szerkeszt::szemelyCsoport(const QString &cim, const QString &nev, const QStringList &mezok,
                                          const QStringList &cimkek, QToolButton *gomb)
{
    QGroupBox *g = csoport(cim, nev, this);
    QGridLayout *r = racsa(g);
    for (int i = 0; i < mezok.size(); ++i) {
        QLineEdit *doboz = szovegMezo(qPrintable(mezok[i]));
        const bool utolso = i == mezok.size() - 1;
        if (utolso && gomb) {
            auto *mellette = new QHBoxLayout;
            mellette->setSpacing(2);
            mellette->addWidget(doboz, 1);
            mellette->addWidget(gomb);
            r->addWidget(VezerloCimke(cimkek[i], doboz, QStringLiteral("lbl_") + mezok[i]), i, 0);
            r->addLayout(mellette, i, 1);
        } else {
            sor(r, i, 0, cimkek[i], doboz);
        }
    }
    r->setColumnStretch(1, 1);
    return g;
}

QGroupBox *Tfrm_Szerkeszt::jutalekCsoport()
{
    QGroupBox *g = csoport(QStringLiteral("Jutalék"), QStringLiteral("gbJutalek"), this);
    QGridLayout *r = racsa(g);
    sor(r, 0, 0, QStringLiteral("jutalék %"), keskeny(szovegMezo("jutalek"), 7));
    sor(r, 0, 2, QStringLiteral("össz.díj"), keskeny(szovegMezo("ossz_dij"), 11));
    sor(r, 0, 4, QStringLiteral("össz.jutalék"), keskeny(szovegMezo("ossz_jut"), 11));
    sor(r, 1, 0, QStringLiteral("bankszámla"), szovegMezo("bankszamla"), 5);
    r->setColumnStretch(5, 1);
    return g;
}

QWidget *Tfrm_Szerkeszt::memoLap(const char *mezo, const QString &nev)
{
    auto *lap = new QWidget;
    lap->setObjectName(nev);
    auto *memo = new QPlainTextEdit(lap);
    memo->setObjectName(QLatin1String(mezo));
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the box; Enter starts a new line in it.
    memo->setTabChangesFocus(true);
    kotes()->bindMemo(memo, QLatin1String(mezo));
    m_tabSorrend << memo;
    auto *l = new QVBoxLayout(lap);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(memo);
    return lap;
}

QLineEdit *Tfrm_Szerkeszt::szovegMezo(const char *mezo)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(QLatin1String(mezo));
    kotes()->bindEdit(e, QLatin1String(mezo));
    m_tabSorrend << e;
    return e;
}

void Tfrm_Szerkeszt::sor(QGridLayout *racs, int sor, int oszlop, const QString &cimke, QWidget *vezerlo, int szeles)
{
    racs->addWidget(VezerloCimke(cimke, vezerlo, QStringLiteral("lbl_") + vezerlo->objectName()), sor, oszlop);
    racs->addWidget(vezerlo, sor, oszlop + 1, 1, szeles);
}

QToolButton *Tfrm_Szerkeszt::masoloGomb(const QString &nev, const QString &akadalyNev)
{
    auto *b = new QToolButton(this);
    b->setObjectName(nev);
    b->setIcon(masolasKep());
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    // A picture button as beside the boxes: no caption, no hint, no focus
    // of its own; screen readers still read what it does.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAccessibleName(akadalyNev);
    if (nev == QLatin1String("btnCimMasolas"))
        VedettKapcsol(b, &QToolButton::clicked, this, &Tfrm_Szerkeszt::cimMasolas);
    else
        VedettKapcsol(b, &QToolButton::clicked, this, &Tfrm_Szerkeszt::kapcsolatMasolas);
    return b;
}

// ---- work -------------------------------------------------------------------

void Tfrm_Szerkeszt::cimMasolas()
{
    Masol(*adatok(), CimMasolas());
    if (auto *cel = findChild<QLineEdit *>(CimMasolas().first().cel))
        cel->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Szerkeszt::kapcsolatMasolas()
{
    Masol(*adatok(), KapcsolatMasolas());
    if (auto *cel = findChild<QLineEdit *>(KapcsolatMasolas().first().cel))
        cel->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Szerkeszt::irszElhagyva(QLineEdit *doboz)
{
    // After the editor has closed the row is no longer being edited.
    if (!adatok()->isEditing())
        return;
    Vedett([&] { IrszKitoltes(*adatok(), doboz == m_cimIrsz ? CimIrsz() : LevIrsz(), m_alapVaros); });
}

void Tfrm_Szerkeszt::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    m_nev->setFocus(Qt::OtherFocusReason);
    // The dialog selects the whole name once it is shown, with the cursor
    // at its end; a long name is then shown from its beginning, selected.
    QMetaObject::invokeMethod(
        m_nev,
        [nev = m_nev] {
            if (nev->hasSelectedText() && nev->selectedText() == nev->text())
                nev->setSelection(nev->text().size(), -nev->text().size());
        },
        Qt::QueuedConnection);
}

bool Tfrm_Szerkeszt::eventFilter(QObject *obj, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (obj == m_cimIrsz || obj == m_levIrsz)) {
        // Leaving the box for another control of the editor; a drop-down or
        // another window coming to the front is no leaving.
        const Qt::FocusReason ok = static_cast<QFocusEvent *>(event)->reason();
        if (ok != Qt::PopupFocusReason && ok != Qt::ActiveWindowFocusReason)
            irszElhagyva(static_cast<QLineEdit *>(obj));
    }
    return SzerkesztoAblak::eventFilter(obj, event);
}
