#pragma once
// The find of the main list without its dialog: the text of a row taken
// over all its fields, and the walk from the current row in one of three
// directions to the first row whose text holds the search text.

#include <QString>

namespace data {
class DataSet;
}

// Where a press of "Keres" walks. "Elejétől lefelé" starts at the first row
// and turns into "Lefelé", so that the next press goes on below the find.
enum class KeresesIrany { ElejetolLefele, Lefele, Felfele };

enum class KeresesEredmeny {
    Talalt,      // the matching row is current
    NincsSzoveg, // empty search text: nothing moved
    Vege,        // no match up to the last (or first) row, which is current
};

// Text compared by the find: lower case by the locale's rules, so accented
// capitals become accented small letters.
QString KeresesiAlak(const QString &szoveg);

// The row text of a visible row: the plain text of every field of the data
// set, in field order (lookups and long texts included, numbers without
// display formats), joined without a separator, in KeresesiAlak.
QString SorSzoveg(const data::DataSet &ds, int sor);

// One press of "Keres": walks the visible rows (in the current order, only
// those passing the filter) from where `irany` says, to the first row whose
// row text holds `szoveg`, and makes it current. An empty text shows
// "Add meg a keresendő szöveget!" in the error box; a walk that reaches the
// end shows "A keresés elérte a tartomány elejét/végét." and leaves the
// last (or first) row current; it never wraps around. "Elejétől lefelé"
// becomes "Lefelé" in `irany`. The controls of the data set hear of the
// walk once, at its end. A row that cannot be read raises data::DbError.
KeresesEredmeny HelyKereses(data::DataSet &ds, const QString &szoveg, KeresesIrany &irany);
