#include "reports/helyriportok.h"

#include "reports/cimkeelrendezes.h"
#include "reports/engine/run.h"
#include "reports/helyriportfuttatas.h"

namespace {

RiportFuttato futtato(bool nyomtatora, QWidget *szulo)
{
    return [nyomtatora, szulo](const riport::Definition &def, const riport::DataSets &adatok) {
        return riport::run(szulo, def, adatok, nyomtatora);
    };
}

}  // namespace

void UgyfelListaRiport(data::Database &db, data::DataSet &lista, bool nyomtatora, QWidget *szulo)
{
    UgyfelListaFuttatas(db, lista, futtato(nyomtatora, szulo));
}

void AdatlapRiport(data::Database &db, data::DataSet &lista, const QVariant &ugyfel, bool nyomtatora,
                   QWidget *szulo)
{
    AdatlapFuttatas(db, lista, ugyfel, futtato(nyomtatora, szulo));
}

void MegjegyzesRiport(data::Database &db, const QVariant &ugyfel, bool nyomtatora, QWidget *szulo)
{
    MegjegyzesFuttatas(db, ugyfel, futtato(nyomtatora, szulo));
}

void CimkeNyomtatas(data::DataSet &lista, int oszlop, double cimkeMagas, double szelsoMargo, double felsoMargo,
                    QWidget *szulo)
{
    CimkeElrendezes elrendezes;
    elrendezes.oszlop = oszlop;
    elrendezes.cimkeMagas = cimkeMagas;
    elrendezes.szelsoMargo = szelsoMargo;
    elrendezes.felsoMargo = felsoMargo;
    CimkeFuttatas(lista, elrendezes, futtato(false, szulo));
}
