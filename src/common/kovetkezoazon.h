#pragma once
// The next number of a numbered table.

#include <QString>

namespace data {
class Database;
class Query;
}

// One more than the largest value of `mezo` over the whole table `tabla` of
// `db`, 1 for an empty table (an empty value counts as 0). Both names must be a
// table and a field of the register; anything else raises data::DbError.
int KovetkezoAzon(data::Database &db, const QString &tabla, const QString &mezo);
// The same through a general-purpose query (the main window's QryJav),
// whose statement it replaces; the query is closed again afterwards.
int KovetkezoAzon(data::Query &qry, const QString &tabla, const QString &mezo);
