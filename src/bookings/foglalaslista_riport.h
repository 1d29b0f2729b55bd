#pragma once
// The booking list of one place for a period: the query the report, its
// delimited export and its HTML output read, and the period's caption.

#include <QDate>
#include <QString>
#include <memory>

namespace data {
class Database;
class Query;
}

namespace foglalaslista {

// The query on `db` with its parameters d1 and d2 (the period's first and
// last day, both included) and pugyfel (the place key) set, not yet opened.
// Its result holds exactly the seventeen fields of the list, in order,
// captioned with their names; the bookings begin in the period, ordered by
// first day.
std::unique_ptr<data::Query> Lekerdezes(data::Database &db, int ugyfel, const QDate &tol, const QDate &ig);

// "2024.03.01 - 2024.03.31".
QString IdoszakSzoveg(const QDate &tol, const QDate &ig);

// The report's title, from which the proposed file names are made.
QString Cim();

}  // namespace foglalaslista
