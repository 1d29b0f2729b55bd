#include "places/szabadhely.h"

#include "data/collation.h"
#include "data/database.h"
#include "data/query.h"

#include <QCollator>
#include <algorithm>

namespace {

// A season day "6.15" as 615; -1 when it is not one.
int szezonNap(const QString &szoveg, int ures)
{
    const QString s = szoveg.trimmed();
    if (s.isEmpty() || s == QLatin1String("."))
        return ures;
    const int pont = int(s.indexOf(QLatin1Char('.')));
    bool okHo = false, okNap = false;
    const int ho = s.left(pont).trimmed().toInt(&okHo);
    const int nap = s.mid(pont + 1).trimmed().toInt(&okNap);
    return pont > 0 && okHo && okNap && ho >= 1 && ho <= 12 && nap >= 1 && nap <= 31 ? ho * 100 + nap : -1;
}

QDate isoNap(const QString &tarolt)
{
    return QDate::fromString(tarolt.left(10), Qt::ISODate);
}

}  // namespace

bool SzezonbaEsik(const QString &tol, const QString &ig, const QDate &elso, const QDate &utolso)
{
    const int kezd = szezonNap(tol, 101);
    const int veg = szezonNap(ig, 1231);
    if (kezd < 0 || veg < 0)
        return false;  // a season that cannot be read promises nothing
    if (kezd == 101 && veg == 1231)
        return true;
    // A stay of a year or more needs the whole year.
    if (elso.daysTo(utolso) >= 365)
        return false;
    for (QDate ej = elso; ej <= utolso; ej = ej.addDays(1)) {
        const int nap = ej.month() * 100 + ej.day();
        const bool benne = kezd <= veg ? nap >= kezd && nap <= veg : nap >= kezd || nap <= veg;
        if (!benne)
            return false;
    }
    return true;
}

QVector<SzabadHely> SzabadHelyek(data::Database &db, const SzabadKerdes &k)
{
    QVector<SzabadHely> out;
    if (!k.erkezes.isValid() || !k.tavozas.isValid() || k.erkezes >= k.tavozas)
        return out;
    // A booking overlaps the stay when it holds one of its nights: one that
    // ends on the day of arrival or starts on the day of leaving does not.
    QString sql = QStringLiteral(
        "SELECT u.ugyfel, u.sorszam, u.ugyfel_nev, t.tipus_nev, r.terulet_nev, u.cim_varos, u.letszam, u.tol, u.ig,"
        " (SELECT max(f.dat_ig) FROM foglalas f WHERE f.ugyfel = u.ugyfel AND f.dat_ig <= :erk AND f.dat_ig > :elotte)"
        " AS elozo,"
        " (SELECT min(f.dat_tol) FROM foglalas f WHERE f.ugyfel = u.ugyfel AND f.dat_tol >= :tav AND f.dat_tol < :utana)"
        " AS kovetkezo"
        " FROM ugyfel u LEFT JOIN tipus t ON t.tipus = u.tipus LEFT JOIN terulet r ON r.terulet = u.terulet"
        " WHERE (u.letszam IS NULL OR u.letszam <= 0 OR u.letszam >= :fo)"
        " AND NOT EXISTS (SELECT 1 FROM foglalas f WHERE f.ugyfel = u.ugyfel AND f.dat_tol < :tav AND f.dat_ig > :erk)");
    if (k.csakAktiv)
        sql += QStringLiteral(" AND u.aktiv = 'I'");
    if (k.terulet.isValid() && !k.terulet.isNull())
        sql += QStringLiteral(" AND u.terulet = :terulet");
    if (k.tipus.isValid() && !k.tipus.isNull())
        sql += QStringLiteral(" AND u.tipus = :tipus");

    data::Query q(db);
    q.setSql(sql);
    q.setParam(QStringLiteral("erk"), k.erkezes);
    q.setParam(QStringLiteral("tav"), k.tavozas);
    q.setParam(QStringLiteral("elotte"), k.erkezes.addDays(-kSzabadKitekintes));
    q.setParam(QStringLiteral("utana"), k.tavozas.addDays(kSzabadKitekintes));
    q.setParam(QStringLiteral("fo"), k.fo);
    if (sql.contains(QLatin1String(":terulet")))
        q.setParam(QStringLiteral("terulet"), k.terulet);
    if (sql.contains(QLatin1String(":tipus")))
        q.setParam(QStringLiteral("tipus"), k.tipus);
    q.open();
    const QDate utolsoEj = k.tavozas.addDays(-1);
    for (q.first(); !q.eof(); q.next()) {
        const QString tol = q.asString(QStringLiteral("tol"));
        const QString ig = q.asString(QStringLiteral("ig"));
        if (!SzezonbaEsik(tol, ig, k.erkezes, utolsoEj))
            continue;
        SzabadHely h;
        h.hely = q.asInteger(QStringLiteral("ugyfel"));
        h.sorszam = q.asInteger(QStringLiteral("sorszam"));
        h.nev = q.asString(QStringLiteral("ugyfel_nev"));
        h.tipus = q.asString(QStringLiteral("tipus_nev"));
        h.terulet = q.asString(QStringLiteral("terulet_nev"));
        h.varos = q.asString(QStringLiteral("cim_varos"));
        h.letszam = int(qMax<qint64>(0, q.asInteger(QStringLiteral("letszam"))));
        h.tol = tol;
        h.ig = ig;
        const QDate elozo = isoNap(q.asString(QStringLiteral("elozo")));
        const QDate kovetkezo = isoNap(q.asString(QStringLiteral("kovetkezo")));
        h.szabadElotte = elozo.isValid() ? int(elozo.daysTo(k.erkezes)) : kSzabadKitekintes;
        h.szabadUtana = kovetkezo.isValid() ? int(k.tavozas.daysTo(kovetkezo)) : kSzabadKitekintes;
        out << h;
    }
    q.close();
    const QCollator &hu = data::hungarianCollator();
    std::stable_sort(out.begin(), out.end(), [&](const SzabadHely &a, const SzabadHely &b) {
        if ((a.letszam == 0) != (b.letszam == 0))
            return b.letszam == 0;
        if (const int c = hu.compare(a.terulet, b.terulet))
            return c < 0;
        return hu.compare(a.nev, b.nev) < 0;
    });
    return out;
}
