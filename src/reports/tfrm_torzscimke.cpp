#include "reports/tfrm_torzscimke.h"

#include "common/ablak.h"
#include "common/datagrid.h"
#include "common/sorszerkeszto.h"
#include "data/table.h"
#include "masterdata/tfrm_torzs.h"
#include "reports/cimkevalaszt.h"
#include "reports/tfrm_torzscimke_szerkeszt.h"

#include <QAction>
#include <QHeaderView>
#include <QToolBar>

Tfrm_TorzsCimke::Tfrm_TorzsCimke(data::Database &db, QWidget *parent)
    : ListaAblak(db, parent), m_tbl(new data::Table(db, QStringLiteral("cimke"), this))
{
    setObjectName(QStringLiteral("frm_TorzsCimke"));
    setWindowTitle(QStringLiteral("Címkék"));
    m_tbl->setObjectName(QStringLiteral("TblCimke"));
    m_tbl->setIndexFieldNames(QStringLiteral("cimke"));

    TorzsFeliratok(*this);
    elfogadBezarElott();

    beallit(m_tbl,
            {{QStringLiteral("cimke"), QStringLiteral("címke")},
             {QStringLiteral("felsomargo"), QStringLiteral("felső")},
             {QStringLiteral("szelsomargo"), QStringLiteral("szélső")},
             {QStringLiteral("cimkemagas"), QStringLiteral("magas")},
             {QStringLiteral("oszlop"), QStringLiteral("oszlop")}},
            QStringLiteral("cimke"));
    sorok().setMentesHiba(QStringLiteral("Hiányos, vagy hibás adatmegadás"));
    racs()->horizontalHeader()->setStretchLastSection(false);
    const int szelessegek[] = {164, 62, 62, 62, 62};
    for (int i = 0; i < 5; ++i)
        racs()->setColumnWidth(i, szelessegek[i]);

    RogzitettMeret(this, 428, 290);
    KepernyoKozepere(this);
}

Tfrm_TorzsCimke::~Tfrm_TorzsCimke() = default;

void Tfrm_TorzsCimke::elfogadBezarElott()
{
    // Here "Elfogad" stands beside "Bezár", after the row actions, in the
    // tool bar and in the pop-up menu alike; the separator that the list
    // keeps before it at the front goes.
    for (QWidget *w : {static_cast<QWidget *>(eszkoztar()), static_cast<QWidget *>(racs())}) {
        const QList<QAction *> akciok = w->actions();
        const int hol = akciok.indexOf(aElfogad());
        if (hol >= 0 && hol + 1 < akciok.size() && akciok.at(hol + 1)->isSeparator())
            w->removeAction(akciok.at(hol + 1));
        w->removeAction(aElfogad());
        w->insertAction(aBezar(), aElfogad());
    }
}

QDialog *Tfrm_TorzsCimke::szerkesztoKeszit()
{
    return new Tfrm_TorzsCimke_Szerkeszt(sorok(), this);
}

CimkeElrendezes CimkeValaszt(data::Database &db, bool valaszto, QWidget *szulo)
{
    Tfrm_TorzsCimke ablak(db, szulo);
    ablak.setValasztoMod(valaszto);
    const bool elfogadva = ablak.exec() == QDialog::Accepted && valaszto;
    if (!elfogadva)
        return {};
    return CimkeElrendezesErtekekbol([&ablak](const QString &mezo) { return ablak.valasztottErtek(mezo); });
}
