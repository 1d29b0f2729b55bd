#pragma once
// The warnings the booking editor shows while a booking is typed: nights
// that another booking of the same place already holds, and more guests
// than the place sleeps. They only inform; nothing here refuses a save.

#include <QDate>
#include <QString>
#include <QVariant>

namespace data {
class Database;
}

// The booking as the editor holds it, with its place's capacity.
struct FoglalasAdatai {
    int hely = 0;
    QVariant sajat;  // the booking's own key; null for a new one
    QDate tol;
    QDate ig;
    int felnott = 0;
    int gyerek = 0;
    QVariant letszam;  // the place's beds; 0 or empty: not known
};

// The first other booking of the place, in date order, that holds one of
// the nights from `tol` to `ig` (a stay ending on the day another begins
// does not overlap it), named by its number and dates; empty when none.
// One statement on the place's index of bookings.
QString AtfedesFigyelmeztetes(data::Database &db, int hely, const QVariant &sajat, const QDate &tol, const QDate &ig);

// Adults and children together over a known capacity; empty otherwise.
QString LetszamFigyelmeztetes(int felnott, int gyerek, const QVariant &letszam);

// Both warnings, one a line; empty when there is nothing to say.
QString FoglalasFigyelmeztetes(data::Database &db, const FoglalasAdatai &f);
