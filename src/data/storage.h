#pragma once
// How values are kept in the database file: dates as ISO texts
// ("2026-12-09", "2026-12-09 14:30:00"), flags as 0 / 1.

#include "data/schema.h"

#include <QVariant>

class QSqlError;

namespace data {

QVariant toStorage(const QVariant &value);
QVariant fromStorage(const QVariant &raw, schema::FieldType type);
// Whether a value read or bound is a number to the engine (flags are 0 / 1).
bool isStoredNumber(const QVariant &value);
// The message of an engine error: for the errors a user meets in daily work
// (locked, full disk, read-only, damaged file, a duplicate key...) a Hungarian
// sentence with the engine's own text after it in brackets; otherwise the
// engine's own text.
QString engineMessage(const QSqlError &error);

}  // namespace data
