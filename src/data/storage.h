#pragma once
// How values are kept in the database file: dates as ISO texts
// ("2026-12-09", "2026-12-09 14:30:00"), flags as 0 / 1.

#include "data/schema.h"

#include <QVariant>

namespace data {

QVariant toStorage(const QVariant &value);
QVariant fromStorage(const QVariant &raw, schema::FieldType type);
// Whether a value read or bound is a number to the engine (flags are 0 / 1).
bool isStoredNumber(const QVariant &value);

}  // namespace data
