#pragma once
// The free places for a caller's stay: active places that hold the guests,
// whose season covers every night and that no booking overlaps, with the
// free nights around the stay so that the clerk can offer a shift.

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

namespace data {
class Database;
}

struct SzabadKerdes {
    QDate erkezes;         // the first night
    QDate tavozas;         // the day of leaving (not a night)
    int fo = 2;            // guests
    QVariant terulet;      // an area's key; empty: any
    QVariant tipus;        // a type's key; empty: any
    bool csakAktiv = true;
};

struct SzabadHely {
    qint64 hely = 0;       // the place's key
    qint64 sorszam = 0;
    QString nev, tipus, terulet, varos;
    int letszam = 0;       // 0: not known, listed last
    QString tol, ig;       // the season as stored
    int szabadElotte = 0;  // free nights before the stay (at most kSzabadKitekintes)
    int szabadUtana = 0;   // and after it
};

// How far the free nights around a stay are counted.
constexpr int kSzabadKitekintes = 14;

// Whether the season `tol`–`ig` (days without a year, "6.15"; an empty one
// is the whole year; it may run over the new year) holds every night from
// `elso` to `utolso`.
bool SzezonbaEsik(const QString &tol, const QString &ig, const QDate &elso, const QDate &utolso);

// The free places for the stay, by area and then name in Hungarian order;
// places of unknown capacity last. Raises data::DbError.
QVector<SzabadHely> SzabadHelyek(data::Database &db, const SzabadKerdes &kerdes);
