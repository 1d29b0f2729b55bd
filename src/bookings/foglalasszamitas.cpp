#include "bookings/foglalasszamitas.h"

#include "data/database.h"
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

namespace {

// One total's new value as SQL, in the operand order of its rule, with
// the values its placeholders take.
struct Osszeg {
    QString kifejezes;
    QVariantList ertekek;
};

Osszeg UjOsszeg(const QString &oszlop, FoglalasValtozas valtozas, bool dijElol, double uj, double regi)
{
    const QString hely = QStringLiteral("coalesce(%1, 0)").arg(oszlop);
    switch (valtozas) {
    case FoglalasValtozas::Uj:
        if (dijElol)
            return {QStringLiteral("? + ") + hely, {uj}};
        return {hely + QStringLiteral(" + ?"), {uj}};
    case FoglalasValtozas::Szerkesztett:
        return {QStringLiteral("? + %1 - ?").arg(hely), {uj, regi}};
    case FoglalasValtozas::Torolt:
        break;
    }
    return {hely + QStringLiteral(" - ?"), {regi}};
}

// A residue below half a hundredth of a forint is stored as 0.
QString NullaKozelben(const Osszeg &osszeg, QVariantList &ertekek)
{
    ertekek << osszeg.ertekek << osszeg.ertekek;
    return QStringLiteral("CASE WHEN abs(%1) < 0.005 THEN 0 ELSE %1 END").arg(osszeg.kifejezes);
}

}  // namespace

void HelyOsszegeitMozgat(data::Database &db, int helyKulcs, FoglalasValtozas valtozas, const DijJutalek &uj,
                         const DijJutalek &regi)
{
    QVariantList ertekek;
    const QString dij = NullaKozelben(UjOsszeg(QStringLiteral("ossz_dij"), valtozas, true, uj.dij, regi.dij), ertekek);
    const QString jut = NullaKozelben(UjOsszeg(QStringLiteral("ossz_jut"), valtozas, false, uj.jut, regi.jut), ertekek);
    ertekek << helyKulcs;
    const int sorok = db.exec(QStringLiteral("UPDATE ugyfel SET ossz_dij = %1, ossz_jut = %2 WHERE ugyfel = ?")
                                  .arg(dij, jut),
                              ertekek);
    if (sorok != 1)
        throw data::DbError(QStringLiteral("A foglalás szálláshelye nincs meg az adatbázisban: egy másik "
                                           "felhasználó vagy program törölte."));
}

DijJutalek TaroltOsszegek(data::Query &qry, const QString &mezo, qint64 ertek)
{
    if (qry.isOpen())
        qry.close();
    qry.clearParams();
    // The name goes into the statement's text: only these two are taken.
    if (mezo != QLatin1String("foglalas") && mezo != QLatin1String("foglalaz"))
        throw data::DbError(QStringLiteral("Ismeretlen mező: foglalas.%1").arg(mezo));
    qry.setSql(QStringLiteral("SELECT ossz_dij, ossz_jut FROM foglalas WHERE %1 = :ertek").arg(mezo));
    qry.setParam(QStringLiteral("ertek"), ertek);
    qry.open();
    const DijJutalek tarolt = qry.isEmpty() ? DijJutalek{} : DijJutalekOlvas(qry);
    qry.close();
    return tarolt;
}

DijJutalek DijJutalekOlvas(const data::DataSet &ds)
{
    return {ds.asFloat(QStringLiteral("ossz_dij")), ds.asFloat(QStringLiteral("ossz_jut"))};
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

int SzabadFoglalasSzam(data::Query &qry, int sorszam)
{
    if (qry.isOpen())
        qry.close();
    qry.clearParams();
    qry.setSql(QStringLiteral("SELECT COUNT(*) AS foglalt FROM foglalas WHERE foglalaz = :sorszam"));
    qry.setParam(QStringLiteral("sorszam"), sorszam);
    qry.open();
    const bool foglalt = qry.asInteger(QStringLiteral("foglalt")) > 0;
    qry.close();
    return foglalt ? KovetkezoFoglalasSzam(qry) : sorszam;
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
