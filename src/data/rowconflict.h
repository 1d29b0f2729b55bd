#pragma once
// A write refused because its row is no longer as it was read: another user
// or program changed or deleted it meanwhile.

#include "data/database.h"
#include "data/dataset.h"

namespace data {

class RowConflict : public DbError {
public:
    // `current`: the row's stored values as they are now; empty when the
    // row is gone.
    RowConflict(const QString &message, Row current) : DbError(message), m_current(std::move(current)) {}
    bool gone() const { return m_current.isEmpty(); }
    const Row &current() const { return m_current; }

private:
    Row m_current;
};

}  // namespace data
