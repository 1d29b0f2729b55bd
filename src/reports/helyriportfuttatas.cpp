#include "reports/helyriportfuttatas.h"

#include "common/vedett.h"
#include "data/dataset.h"
#include "data/query.h"
#include "places/megjegyzesek.h"
#include "reports/cimkeelrendezes.h"
#include "reports/engine/agency.h"
#include "reports/engine/layout.h"
#include "reports/tqrcimke.h"
#include "reports/tqrmegjegyzes.h"
#include "reports/tqrugyfel.h"

namespace {

// The agency details of one run, closed when the run ends.
class NyitottIroda {
public:
    explicit NyitottIroda(data::Database &db) : m_iroda(db) { m_iroda.open(); }
    ~NyitottIroda()
    {
        if (m_iroda.isOpen())
            m_iroda.close();
    }
    riport::AgencyDetails *adatok() { return &m_iroda; }

private:
    riport::AgencyDetails m_iroda;
};

bool futtatHelyLista(data::Database &db, data::DataSet &lista, const riport::Definition &def,
                     const RiportFuttato &futtato)
{
    NyitottIroda iroda(db);
    const riport::DataSets adatok{{QString::fromLatin1(kHelyListaAdatok), &lista},
                                  {QString::fromLatin1(riport::kAgencySet), iroda.adatok()}};
    return futtato(def, adatok);
}

}  // namespace

SzuroMentes::SzuroMentes(data::DataSet &ds) : m_ds(ds), m_szuro(ds.filter()), m_be(ds.isFiltered()) {}

SzuroMentes::~SzuroMentes()
{
    // A destructor must not throw; a failure here is shown like any other.
    Vedett([this] {
        m_ds.setFiltered(false);
        m_ds.setFilter(m_szuro);
        m_ds.setFiltered(m_be);
    });
}

bool UgyfelListaFuttatas(data::Database &db, data::DataSet &lista, const RiportFuttato &futtato)
{
    return futtatHelyLista(db, lista, TqrUgyfel(), futtato);
}

bool AdatlapFuttatas(data::Database &db, data::DataSet &lista, const QVariant &ugyfel, const RiportFuttato &futtato)
{
    const riport::Definition def = TqrUgyfel_reszl();
    SzuroMentes mentes(lista);
    lista.setFilter(MegjegyzesSzuro(ugyfel));
    lista.setFiltered(true);
    return futtatHelyLista(db, lista, def, futtato);
}

bool MegjegyzesFuttatas(data::Database &db, const QVariant &ugyfel, const RiportFuttato &futtato)
{
    const riport::Definition def = TqrMegjegyzes();
    NyitottIroda iroda(db);
    data::Query qry(db);
    qry.setSql(MegjegyzesRiportSql());
    qry.setParam(QStringLiteral("ugyfel"), ugyfel.isNull() ? 0 : ugyfel.toLongLong());
    qry.setFilter(MegjegyzesSzuro(ugyfel));
    qry.setFiltered(true);
    qry.open();
    const riport::DataSets adatok{{QString::fromLatin1(kMegjegyzesAdatok), &qry},
                                  {QString::fromLatin1(riport::kAgencySet), iroda.adatok()}};
    const bool kesz = futtato(def, adatok);
    qry.close();
    return kesz;
}

bool CimkeFuttatas(data::DataSet &lista, const CimkeElrendezes &elrendezes, const RiportFuttato &futtato)
{
    riport::Definition def = TqrCimke();
    CimkeIgazitas(def, elrendezes.oszlop, elrendezes.cimkeMagas, elrendezes.szelsoMargo, elrendezes.felsoMargo);
    const riport::DataSets adatok{{QString::fromLatin1(kHelyListaAdatok), &lista}};
    return futtato(def, adatok);
}
