#pragma once
// The register in one SQLite file in the data folder: the engine of a single
// desk, and of several programs on one shared folder. Only the data layer
// reaches it, through data/engine.h.

#include "data/engine.h"

class QSqlError;

namespace data {

std::unique_ptr<Engine> makeSqliteEngine(const QString &connectionName);

// The message of an engine error: for the errors a user meets in daily work
// (locked, full disk, read-only, damaged file, a duplicate key...) a Hungarian
// sentence with the engine's own text after it in brackets; otherwise the
// engine's own text.
QString engineMessage(const QSqlError &error);

// Opens a new, empty register file at `path` on the QtSql connection
// `connection`, ready for the statements that build it; false with the
// engine's words in *error.
bool openNewRegisterFile(const QString &path, const QString &connection, QString *error);

}  // namespace data
