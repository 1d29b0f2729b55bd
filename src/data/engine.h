#pragma once
// The engine's own interface under the data sets that read many rows: the
// values come as the engine keeps them (texts in UTF-8), without the copy
// into UTF-16 and the variants of QtSql's row cache, which took more than
// half of a walk's time. The handle is the connection's own; Qt's SQLite
// driver and this library share the system's SQLite.

#include <QMap>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;
class QSqlDatabase;

namespace data {

sqlite3 *engineHandle(const QSqlDatabase &db);
// The engine's message for its last error on the connection, as for QtSql's
// errors.
QString engineText(sqlite3 *h);
[[noreturn]] void raiseEngine(sqlite3_stmt *st);
// A column of the current result row as QtSql would give it.
QVariant columnValue(sqlite3_stmt *st, int c);
// Prepares a statement on the connection; raises the engine's message.
sqlite3_stmt *prepareStatement(sqlite3 *h, const QString &sql);
// Binds the named parameters (":d1") that the statement uses, by name
// without the colon and without regard to case; a value in storage form.
void bindNamed(sqlite3_stmt *st, const QMap<QString, QVariant> &params);

}  // namespace data
