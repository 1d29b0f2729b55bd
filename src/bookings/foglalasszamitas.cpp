#include "bookings/foglalasszamitas.h"

#include "data/dataset.h"
#include "data/query.h"

int Ejszakak(const QDate &tol, const QDate &ig)
{
    if (!tol.isValid() || !ig.isValid())
        return 0;
    return int(tol.daysTo(ig));
}

double Jutalek(double jutalekSzazalek, double osszDij)
{
    return (jutalekSzazalek / 100) * osszDij;
}

double Helyszinen(double osszDij, double eloleg)
{
    return osszDij - eloleg;
}

DijJutalek UjFoglalasUtan(const DijJutalek &hely, const DijJutalek &foglalas)
{
    return {foglalas.dij + hely.dij, hely.jut + foglalas.jut};
}

DijJutalek SzerkesztettFoglalasUtan(const DijJutalek &hely, const DijJutalek &uj, const DijJutalek &regi)
{
    return {uj.dij + hely.dij - regi.dij, uj.jut + hely.jut - regi.jut};
}

DijJutalek ToroltFoglalasUtan(const DijJutalek &hely, const DijJutalek &foglalas)
{
    return {hely.dij - foglalas.dij, hely.jut - foglalas.jut};
}

DijJutalek DijJutalekOlvas(const data::DataSet &ds)
{
    return {ds.asFloat(QStringLiteral("ossz_dij")), ds.asFloat(QStringLiteral("ossz_jut"))};
}

void DijJutalekIr(data::DataSet &ds, const DijJutalek &ertek)
{
    ds.setValue(QStringLiteral("ossz_dij"), ertek.dij);
    ds.setValue(QStringLiteral("ossz_jut"), ertek.jut);
}

QString FoglalasSzuro(int helyKulcs)
{
    return QStringLiteral("ugyfel=") + QString::number(helyKulcs);
}

int KovetkezoFoglalasSzam(data::Query &qry)
{
    if (qry.isOpen())
        qry.close();
    qry.clearParams();
    qry.setSql(QStringLiteral("SELECT MAX(foglalaz) AS maxfogl FROM foglalas;"));
    qry.open();
    const qint64 legnagyobb = qry.asInteger(QStringLiteral("maxfogl"));
    qry.close();
    return int(legnagyobb + 1);
}

void FoglalasAlapertekek(data::DataSet &ds, const UjFoglalas &uj)
{
    ds.setValue(QStringLiteral("foglalo"), uj.foglalo);
    ds.setValue(QStringLiteral("ugyfel"), uj.hely);
    ds.setValue(QStringLiteral("dat_tol"), uj.ma);
    ds.setValue(QStringLiteral("dat_ig"), uj.ma);
    ds.setValue(QStringLiteral("nap"), 1);
    ds.setValue(QStringLiteral("letszam_felnott"), 1);
    ds.setValue(QStringLiteral("letszam_gyerek"), 0);
    ds.setValue(QStringLiteral("jutalek"), uj.jutalek);
    for (const char *mezo : {"ossz_dij", "ossz_jut", "ar_helyszin", "ar_fogl"})
        ds.setValue(QLatin1String(mezo), 0.0);
    ds.setValue(QStringLiteral("foglalaz"), uj.sorszam);
}
