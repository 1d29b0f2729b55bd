#pragma once
// The address table "emil" of the separate newsletter program, refilled
// from the accommodation places.

#include <QString>

namespace data {
class Database;
}

// The address query: one row per place with an address, in the columns of
// "emil" by position (emil, nev, kuldve, csoport, vnev, knev, honap, nap),
// in sequence-number order. A place gives its contact's address, or its
// owner's when it has no contact address; blank addresses are left out.
// Places that share an address give a row each. Not sent, group, month and
// day 0, the two name parts empty.
QString KorpostaCimLekerdezes();

// Empties "emil" and fills it with the rows of `forrasSql` (the address
// query unless told otherwise), in one unit of work: an error on the way
// leaves the previous rows in place. Returns the number of rows moved.
// Raises data::DbError.
int KorpostaFeltoltes(data::Database &db, const QString &forrasSql = KorpostaCimLekerdezes());
