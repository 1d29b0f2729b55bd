#include "bookings/foglalaslista_riport.h"

#include "data/query.h"

namespace foglalaslista {

namespace {

// Every column named, so the result stays these seventeen fields whatever
// the tables gain later.
const char *const kSql =
    "SELECT foglalas.foglalas, foglalas.foglalaz, foglalas.ugyfel, foglalas.dat_tol, foglalas.dat_ig,"
    " foglalas.nap, foglalas.foglalo, foglalas.letszam_felnott, foglalas.letszam_gyerek, foglalas.fizmod,"
    " foglalas.jutalek, foglalas.ossz_dij, foglalas.ossz_jut, ugyfel.ugyfel_nev, foglalo.foglalo_nev,"
    " fizmod.fizmod_nev, foglalas.megjegyzes"
    " FROM foglalas"
    " LEFT OUTER JOIN ugyfel ON (foglalas.ugyfel = ugyfel.ugyfel)"
    " LEFT OUTER JOIN foglalo ON (foglalas.foglalo = foglalo.foglalo)"
    " LEFT OUTER JOIN fizmod ON (foglalas.fizmod = fizmod.fizmod)"
    " WHERE (foglalas.dat_tol BETWEEN :d1 AND :d2) AND (foglalas.ugyfel = :pugyfel)"
    " ORDER BY foglalas.dat_tol";

const char *const kMezok[] = {"foglalas", "foglalaz", "ugyfel", "dat_tol", "dat_ig", "nap",
                              "foglalo", "letszam_felnott", "letszam_gyerek", "fizmod", "jutalek",
                              "ossz_dij", "ossz_jut", "ugyfel_nev", "foglalo_nev", "fizmod_nev",
                              "megjegyzes"};

QString formaja(const QString &mezo)
{
    if (mezo == QLatin1String("foglalaz"))
        return QStringLiteral("00000");
    if (mezo == QLatin1String("jutalek"))
        return QStringLiteral("##0%");
    if (mezo == QLatin1String("ossz_dij") || mezo == QLatin1String("ossz_jut"))
        return QStringLiteral("### ### ##0");
    return QString();
}

}  // namespace

std::unique_ptr<data::Query> Lekerdezes(data::Database &db, int ugyfel, const QDate &tol, const QDate &ig)
{
    auto q = std::make_unique<data::Query>(db);
    q->setSql(QString::fromLatin1(kSql));
    q->setParam(QStringLiteral("d1"), tol);
    q->setParam(QStringLiteral("d2"), ig);
    q->setParam(QStringLiteral("pugyfel"), ugyfel);
    // The list's own captions are its field names, not the tables' labels.
    for (const char *m : kMezok) {
        const QString mezo = QLatin1String(m);
        q->setColumnLook(mezo, QString(), formaja(mezo));
    }
    return q;
}

QString IdoszakSzoveg(const QDate &tol, const QDate &ig)
{
    const QString minta = QStringLiteral("yyyy.MM.dd");
    return tol.toString(minta) + QStringLiteral(" - ") + ig.toString(minta);
}

QString Cim()
{
    return QStringLiteral("Foglalások listája");
}

}  // namespace foglalaslista
