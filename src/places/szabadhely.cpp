#include "places/szabadhely.h"

#include "data/collation.h"
#include "data/database.h"
#include "data/engine.h"

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
    // The bookings' days are compared as expressions ("|| ''"), which keeps
    // the engines off the indexes of days (a range over every place's
    // bookings) and on the place's own.
    QString sql = QStringLiteral(
        "SELECT u.ugyfel, u.sorszam, u.ugyfel_nev, t.tipus_nev, r.terulet_nev, u.cim_varos, u.letszam, u.tol, u.ig,"
        " (SELECT max(f.dat_ig) FROM foglalas f WHERE f.ugyfel = u.ugyfel AND f.dat_ig || '' <= :erk AND f.dat_ig || '' > :elotte)"
        " AS elozo,"
        " (SELECT min(f.dat_tol) FROM foglalas f WHERE f.ugyfel = u.ugyfel AND f.dat_tol || '' >= :tav AND f.dat_tol || '' < :utana)"
        " AS kovetkezo"
        " FROM ugyfel u LEFT JOIN tipus t ON t.tipus = u.tipus LEFT JOIN terulet r ON r.terulet = u.terulet"
        " WHERE (u.letszam IS NULL OR u.letszam <= 0 OR u.letszam >= :fo)"
        " AND NOT EXISTS (SELECT 1 FROM foglalas f WHERE f.ugyfel = u.ugyfel AND f.dat_tol || '' < :tav AND f.dat_ig || '' > :erk)");
    if (k.csakAktiv)
        sql += QStringLiteral(" AND u.aktiv = 'I'");
    if (k.terulet.isValid() && !k.terulet.isNull())
        sql += QStringLiteral(" AND u.terulet = :terulet");
    if (k.tipus.isValid() && !k.tipus.isNull())
        sql += QStringLiteral(" AND u.tipus = :tipus");

    QMap<QString, QVariant> param{
        {QStringLiteral("erk"), k.erkezes},
        {QStringLiteral("tav"), k.tavozas},
        {QStringLiteral("elotte"), k.erkezes.addDays(-kSzabadKitekintes)},
        {QStringLiteral("utana"), k.tavozas.addDays(kSzabadKitekintes)},
        {QStringLiteral("fo"), k.fo},
        {QStringLiteral("terulet"), k.terulet},
        {QStringLiteral("tipus"), k.tipus},
    };
    // One forward walk: the statement is run once, whatever the answer's size.
    const auto q = db.prepare(sql);
    q->bindNamed(param);
    const QDate utolsoEj = k.tavozas.addDays(-1);
    auto szoveg = [&](int oszlop) { return q->value(oszlop).toString(); };
    while (q->next()) {
        const QString tol = szoveg(7);
        const QString ig = szoveg(8);
        if (!SzezonbaEsik(tol, ig, k.erkezes, utolsoEj))
            continue;
        SzabadHely h;
        h.hely = q->value(0).toLongLong();
        h.sorszam = q->value(1).toLongLong();
        h.nev = szoveg(2);
        h.tipus = szoveg(3);
        h.terulet = szoveg(4);
        h.varos = szoveg(5);
        h.letszam = int(qMax<qint64>(0, q->value(6).toLongLong()));
        h.tol = tol;
        h.ig = ig;
        const QDate elozo = isoNap(szoveg(9));
        const QDate kovetkezo = isoNap(szoveg(10));
        h.szabadElotte = elozo.isValid() ? int(elozo.daysTo(k.erkezes)) : kSzabadKitekintes;
        h.szabadUtana = kovetkezo.isValid() ? int(k.tavozas.daysTo(kovetkezo)) : kSzabadKitekintes;
        out << h;
    }
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
