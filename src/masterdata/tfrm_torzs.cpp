#include "masterdata/tfrm_torzs.h"

#include "common/ablak.h"
#include "common/datagrid.h"
#include "common/listakereso.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/table.h"
#include "masterdata/torzsleiras.h"
#include "masterdata/torzsvalaszt.h"
#include "masterdata/tfrm_torzsszerkeszt.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>

Tfrm_Torzs::Tfrm_Torzs(data::Database &db, const TorzsLeiras &leiras, QWidget *parent)
    : ListaAblak(db, parent), m_leiras(leiras), m_tbl(new data::Table(db, leiras.tabla, this))
{
    setObjectName(leiras.listaOsztaly);
    setWindowTitle(leiras.listaCim);
    m_tbl->setObjectName(QStringLiteral("TblTorzs"));
    m_tbl->setIndexFieldNames(leiras.nevMezo);

    // The search box, the tool bar and the pop-up menu of the master lists.
    m_kereso = new ListaKereso(*this, leiras.nevMezo);
    // The box shares the narrow tool bar with seven actions.
    m_kereso->doboz()->setFixedWidth(m_kereso->doboz()->fontMetrics().averageCharWidth() * 12);

    akciokFelirata();

    beallit(m_tbl, {{leiras.nevMezo, leiras.oszlopCim}}, leiras.kulcsMezo);
    TorzsSorok(sorok(), leiras);
    // The one column keeps its width also when the grid lays its rows out
    // anew (opened, re-read).
    racs()->horizontalHeader()->setStretchLastSection(false);
    racs()->horizontalHeader()->setDefaultSectionSize(leiras.oszlopSzeles);

    RogzitettMeret(this, leiras.listaMeret.width(), leiras.listaMeret.height());
    KepernyoKozepere(this);
}

Tfrm_Torzs::~Tfrm_Torzs() = default;

namespace {

void felirat(QAction *a, const QString &szoveg, bool sugo)
{
    a->setText(szoveg);
    a->setToolTip(szoveg);
    a->setStatusTip(sugo ? szoveg : QString());
}

}  // namespace

void TorzsFeliratok(ListaAblak &lista)
{
    felirat(lista.aUj(), QStringLiteral("Új sor"), true);
    felirat(lista.aSzerkeszt(), QStringLiteral("Szerkeszt"), true);
    felirat(lista.aTorol(), QStringLiteral("Sor törlése"), true);
    felirat(lista.aElfogad(), QStringLiteral("Elfogad"), false);
    felirat(lista.aBezar(), QStringLiteral("Bezár"), true);
}

void Tfrm_Torzs::akciokFelirata()
{
    // "Kereső" has no hint of its own either.
    TorzsFeliratok(*this);
    felirat(aKeres(), QStringLiteral("Kereső"), false);
}

QDialog *Tfrm_Torzs::szerkesztoKeszit()
{
    return new Tfrm_TorzsSzerkeszt(sorok(), m_leiras, this);
}

void Tfrm_Torzs::showEvent(QShowEvent *event)
{
    ListaAblak::showEvent(event);
    m_kereso->fokusz();
}

QLineEdit *Tfrm_Torzs::kereso() const
{
    return m_kereso->doboz();
}

QAction *Tfrm_Torzs::aKeres() const
{
    return m_kereso->aKeres();
}

// ---- the entry --------------------------------------------------------------

namespace {

int futtat(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto, QString *nev,
           QWidget *szulo)
{
    Tfrm_Torzs ablak(db, leiras, szulo);
    ablak.setValasztoMod(valaszto);
    // The row of the key, or the first row by name when no row has it.
    ablak.tabla()->open();
    ablak.tabla()->locate(leiras.kulcsMezo, kezdoKulcs);
    const bool elfogadva = ablak.exec() == QDialog::Accepted && valaszto;
    if (!elfogadva)
        return -1;
    if (nev)
        *nev = ablak.valasztottErtek(leiras.nevMezo).toString();
    return ablak.valasztottKulcs();
}

}  // namespace

int TorzsValaszt(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto, QWidget *szulo)
{
    return futtat(db, leiras, kezdoKulcs, valaszto, nullptr, szulo);
}

int TorzsValaszt(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto, QString &nev,
                 QWidget *szulo)
{
    return futtat(db, leiras, kezdoKulcs, valaszto, &nev, szulo);
}
