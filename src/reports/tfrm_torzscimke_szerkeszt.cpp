#include "reports/tfrm_torzscimke_szerkeszt.h"

#include "common/ablak.h"
#include "common/binding.h"
#include "common/dobozok.h"
#include "data/dataset.h"
#include "reports/cimkeelrendezes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPair>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

Tfrm_TorzsCimke_Szerkeszt::Tfrm_TorzsCimke_Szerkeszt(SorSzerkeszto &sorok, QWidget *parent)
    : SzerkesztoAblak(sorok, parent)
{
    setObjectName(QStringLiteral("frm_TorzsCimke_Szerkeszt"));
    setWindowTitle(QStringLiteral("Címke szerkesztés"));

    m_nev = mezo("DBEdit1", QStringLiteral("cimke"), false);
    QLineEdit *felso = mezo("DBEdit2", QStringLiteral("felsomargo"), true);
    QLineEdit *szelso = mezo("DBEdit3", QStringLiteral("szelsomargo"), true);
    QLineEdit *magas = mezo("DBEdit4", QStringLiteral("cimkemagas"), true);
    m_oszlop = mezo("DBEdit5", QStringLiteral("oszlop"), true);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto *megsem = new QPushButton(QStringLiteral("Mégsem"), this);
    megsem->setObjectName(QStringLiteral("btnCancel"));
    gombok(ok, megsem);

    // Each box under its label: the name across, then two columns.
    auto *racs = new QGridLayout;
    racs->setHorizontalSpacing(14);
    racs->setVerticalSpacing(2);
    auto tesz = [this, racs](QLineEdit *e, const QString &felirat, const char *cimkeNev, int sor, int oszlop,
                             int szeles) {
        racs->addWidget(VezerloCimke(felirat, e, QLatin1String(cimkeNev)), sor * 2, oszlop, 1, szeles);
        racs->addWidget(e, sor * 2 + 1, oszlop, 1, szeles);
        if (sor > 0)
            racs->setRowMinimumHeight(sor * 2, e->fontMetrics().height() + 8);
    };
    tesz(m_nev, QStringLiteral("címke"), "Label1", 0, 0, 2);
    tesz(felso, QStringLiteral("felső margó"), "Label2", 1, 0, 1);
    tesz(szelso, QStringLiteral("szélső margó"), "Label3", 1, 1, 1);
    tesz(magas, QStringLiteral("címke magasság"), "Label4", 2, 0, 1);
    tesz(m_oszlop, QStringLiteral("oszlopok száma"), "Label5", 2, 1, 1);

    auto *gombsor = new QHBoxLayout;
    gombsor->addStretch(1);
    gombsor->addWidget(ok);
    gombsor->addWidget(megsem);

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(12, 10, 12, 10);
    fo->addLayout(racs);
    fo->addStretch(1);
    fo->addLayout(gombsor);

    setTabOrder(m_nev, felso);
    setTabOrder(felso, szelso);
    setTabOrder(szelso, magas);
    setTabOrder(magas, m_oszlop);
    setTabOrder(m_oszlop, ok);
    setTabOrder(ok, megsem);

    RogzitettMeret(this, 292, 188);
    KepernyoKozepere(this);
}

Tfrm_TorzsCimke_Szerkeszt::~Tfrm_TorzsCimke_Szerkeszt() = default;

QLineEdit *Tfrm_TorzsCimke_Szerkeszt::mezo(const char *nev, const QString &mezoNev, bool szam)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(QLatin1String(nev));
    if (szam)
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    kotes()->bindEdit(e, mezoNev);
    return e;
}

bool Tfrm_TorzsCimke_Szerkeszt::ellenoriz()
{
    // A layout must be choosable by its name and laid out by its columns.
    const QPair<QString, QLineEdit *> szabalyok[] = {
        {CimkeNevHiba(adatok()->value(QStringLiteral("cimke"))), m_nev},
        {CimkeOszlopHiba(adatok()->value(QStringLiteral("oszlop"))), m_oszlop},
    };
    for (const auto &[hiba, mezo] : szabalyok) {
        if (hiba.isEmpty())
            continue;
        HibaDoboz(hiba);
        mezo->setFocus(Qt::OtherFocusReason);
        mezo->selectAll();
        return false;
    }
    return true;
}

void Tfrm_TorzsCimke_Szerkeszt::showEvent(QShowEvent *event)
{
    SzerkesztoAblak::showEvent(event);
    if (!event->spontaneous())
        m_nev->setFocus(Qt::OtherFocusReason);
}
