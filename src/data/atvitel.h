#pragma once
// Copying a whole register from one engine to another: a data folder onto an
// empty server database, a server into a new data folder (the snapshot that
// an archive holds), and a snapshot back over a server's rows. Every table of
// the register goes over with every stored field, keys included; the target
// is written in one unit, and at its end both sides are counted and their
// money summed, so that a copy either stands complete or leaves nothing.

#include "data/database.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace data {

// What one side of a copy holds in a table: its rows and the sums of its
// money fields (in the order of CopyCheck::moneyFields).
struct TableTally {
    qint64 rows = 0;
    QVector<double> totals;
};

// One table after a copy, both sides.
struct CopyCheck {
    QString table;
    QStringList moneyFields;
    TableTally source;
    TableTally target;

    // The same rows, and sums that differ by less than half a fillér.
    bool same() const;
};

// A copy whose two sides differ at the end: it was undone, and the checks
// tell where they differ.
class CopyMismatch : public DbError {
public:
    CopyMismatch(const QString &message, const QVector<CopyCheck> &checks);
    const QVector<CopyCheck> &checks() const { return m_checks; }

private:
    QVector<CopyCheck> m_checks;
};

// How far a copy has got: the table being written and its rows so far.
using CopyProgress = std::function<void(const QString &table, qint64 rows)>;

// Copies every table of `source` into `target`, which was opened with
// Database::openToFill() and holds none of the register's rows: the tables
// are made when the target has none of them. The source is read as one
// consistent snapshot. Returns the checks of every table, all the same.
// Raises DbError, with nothing of the copy kept, when the target already
// holds rows or lacks some of the tables, when a row cannot be written, and
// (as CopyMismatch) when the sides differ at the end.
QVector<CopyCheck> copyRegister(Database &source, Database &target, const CopyProgress &progress = {});

// The same copy over a target that holds the register already: its rows are
// deleted and the source's written in their place, in the same one unit, so
// that any failure leaves the target's rows as they were.
QVector<CopyCheck> replaceRegister(Database &source, Database &target, const CopyProgress &progress = {});

// Makes `folder` (and its parents) with a new, empty register file, and
// opens `db` on it with openToFill(). Raises DbError when the folder holds a
// register file already, or when it cannot be made.
void openNewDataFolder(Database &db, const QString &folder);

// The checks for the user, a line per table: its rows and money totals on
// both sides, and whether they agree.
QStringList checkReport(const QVector<CopyCheck> &checks);

}  // namespace data
