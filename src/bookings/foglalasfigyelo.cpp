#include "bookings/foglalasfigyelo.h"

#include "data/query.h"

#include <QStringList>

QString AtfedesFigyelmeztetes(data::Database &db, int hely, const QVariant &sajat, const QDate &tol, const QDate &ig)
{
    // A stay without a night cannot share one.
    if (!tol.isValid() || !ig.isValid() || tol >= ig)
        return {};
    // An expression of the first day, not the column itself, keeps the
    // engine off the index of first days (a range over the whole table):
    // the place's own index narrows it to its bookings.
    QString sql = QStringLiteral(
        "SELECT foglalaz, dat_tol, dat_ig FROM foglalas "
        "WHERE ugyfel = :hely AND dat_tol || '' < :ig AND dat_ig > :tol");
    const bool sajatKulcs = sajat.isValid() && !sajat.isNull();
    if (sajatKulcs)
        sql += QStringLiteral(" AND foglalas <> :sajat");
    sql += QStringLiteral(" ORDER BY dat_tol, dat_ig, foglalaz LIMIT 1");

    data::Query q(db);
    q.setSql(sql);
    q.setParam(QStringLiteral("hely"), hely);
    q.setParam(QStringLiteral("tol"), tol);
    q.setParam(QStringLiteral("ig"), ig);
    if (sajatKulcs)
        q.setParam(QStringLiteral("sajat"), sajat.toLongLong());
    q.open();
    if (q.isEmpty())
        return {};
    return QStringLiteral("Átfedés: a %1. foglalás (%2 – %3).")
        .arg(q.displayText(QStringLiteral("foglalaz")), q.displayText(QStringLiteral("dat_tol")),
             q.displayText(QStringLiteral("dat_ig")));
}

QString LetszamFigyelmeztetes(int felnott, int gyerek, const QVariant &letszam)
{
    const qint64 ferohely = letszam.isNull() ? 0 : letszam.toLongLong();
    const qint64 osszes = qint64(felnott) + gyerek;
    if (ferohely <= 0 || osszes <= ferohely)
        return {};
    return QStringLiteral("A létszám (%1) több, mint a szálláshely férőhelye (%2).").arg(osszes).arg(ferohely);
}

QString FoglalasFigyelmeztetes(data::Database &db, const FoglalasAdatai &f)
{
    QStringList sorok;
    for (const QString &s : {AtfedesFigyelmeztetes(db, f.hely, f.sajat, f.tol, f.ig),
                             LetszamFigyelmeztetes(f.felnott, f.gyerek, f.letszam)})
        if (!s.isEmpty())
            sorok << s;
    return sorok.join(QLatin1Char('\n'));
}
