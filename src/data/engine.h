#pragma once
// The seam between the data layer and the engine that keeps the register.
// Everything that differs between engines is behind these two interfaces:
// how a register is reached and checked, how a statement is prepared, bound
// and read, how a unit of work holds its lock, how a table's rows are
// identified and how a new row's key comes back. Above them the data layer
// writes SQL that every engine it runs on accepts.
//
// Values cross the seam in storage form (data/storage.h): numbers as
// qlonglong or double, texts as QString, nulls as an invalid QVariant.

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class QSqlDatabase;

namespace data {

// One prepared statement. Every failure raises DbError with the engine's
// message.
class Statement {
public:
    virtual ~Statement() = default;

    // Binds the mark "?" at `index` (from 0); a date, a time or a flag in
    // its storage form.
    virtual void bind(int index, const QVariant &value) = 0;
    // Binds the named marks (":d1") that the statement uses from `params`,
    // whose names go without the colon and match without regard to case.
    virtual void bindNamed(const QMap<QString, QVariant> &params) = 0;
    // The next row of the result; the first call runs the statement. False
    // after the last row (a row that cannot be read raises, never passes for
    // the end).
    virtual bool next() = 0;
    // Runs a statement that returns no rows: the number of rows it inserted,
    // updated or deleted.
    virtual int run() = 0;
    // Runs one write that a key or a value's type may refuse: -1 when it
    // did, having undone only its own statement, otherwise the rows it
    // changed; any other failure raises.
    virtual int runUnlessRefused() = 0;
    // Ends the current run; the bindings stay for the next.
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // The table a result column is read from unchanged; empty for an
    // expression.
    virtual QString columnTable(int column) const = 0;
    // A column of the current row.
    virtual QVariant value(int column) const = 0;
};

class Engine {
public:
    virtual ~Engine() = default;

    // Opens the register of the connection's parameter list ("PATH=<data
    // folder>", ...). Never creates anything. Raises DamagedDbError when the
    // place holds no usable register, DbError for anything else.
    // `lockWaitBegins` is called when a statement starts to wait for another
    // program's lock.
    virtual void open(const QStringList &params, const std::function<void()> &lockWaitBegins) = 0;
    virtual void close() = 0;
    // Why nothing can be saved although the register opened for reading (a
    // full disk); empty when saving works.
    virtual QString writeProblem() const = 0;
    // The QtSql connection the engine runs on, for tools and tests that
    // read with QSqlQuery.
    virtual QSqlDatabase connection() const = 0;

    virtual std::unique_ptr<Statement> prepare(const QString &sql) = 0;

    // The register's catalogue: its tables, a table's columns, and whether
    // an index exists and admits no repeated value (all names compared
    // without regard to case).
    virtual QStringList tableNames() = 0;
    virtual QStringList columnNames(const QString &table) = 0;
    virtual bool hasUniqueIndex(const QString &table, const QString &index) = 0;
    // What a check of the register's storage finds wrong; empty when sound.
    virtual QString integrityProblem() = 0;

    // What has been written to the register so far, as far as the engine
    // can tell: two equal stamps mean that no writer, this program or
    // another, changed anything between them. Empty when the engine cannot
    // tell; then rows are always read again.
    virtual QVector<qint64> changeStamp() = 0;

    // The outermost unit of work: it holds the right to write from its
    // start, so what it reads stays as read until it ends.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    // Whether the engine still has the unit open: after a full disk or an
    // I/O error an engine may undo the whole unit by itself.
    virtual bool inTransaction() const = 0;

    // The column that identifies a row of a table without an automatic key
    // of its own.
    virtual QString rowIdColumn() const = 0;
    // The operator that compares two values with nulls equal to each other.
    virtual QString sameValueOperator() const = 0;
    // The operator that matches a LIKE pattern (a backslash escaping) with
    // the case of ASCII letters set aside; it may set more aside, never less.
    virtual QString caseBlindLike() const = 0;
    // An expression joining the texts of `parts`, a null writing nothing.
    virtual QString joinedText(const QStringList &parts) const = 0;
    // An expression writing the number `expr` as the data sets' plain text
    // does: a whole number as its digits, any other in 15 significant digits
    // with `decimalPoint`; empty when the engine has no such form.
    virtual QString numberText(const QString &expr, const QString &decimalPoint) const = 0;
    // What ends a SELECT that reads a row the unit is about to write, so
    // that no other writer changes it before the unit ends; empty when the
    // unit already holds the right to write.
    virtual QString rowLockClause() const = 0;
    // Inside the open unit: another unit that asks to hold `what` waits
    // here until this one ends (the next booking number, say).
    virtual void holdInUnit(const QString &what) = 0;
    // Runs an INSERT; returns the key that the table's automatic key column
    // `keyColumn` (or the row identity, when empty) gave the new row.
    virtual qint64 insert(const QString &sql, const QVariantList &params, const QString &keyColumn) = 0;

    // Whether the register lives on a server that several desks share.
    virtual bool isServer() const = 0;
    // Where the register is, for messages: the data folder, or the server,
    // its port and the database.
    virtual QString location() const = 0;
    // The statements that make the register's tables, keys and indexes in
    // this engine's own SQL, in the order they must run.
    virtual QStringList createStatements() const = 0;
    // After rows were written with their automatic keys given: the next
    // new row of `table` gets a key above the largest of `keyColumn`.
    virtual void keysGiven(const QString &table, const QString &keyColumn) = 0;
    // From now on, `heard` is called (from the event loop) with the tables
    // (lower case) that another desk's committed unit changed. An engine
    // with several desks tells them of every table its own units write.
    virtual void watch(const std::function<void(const QStringList &)> &heard) = 0;
};

// The engine that the connection's parameter list asks for, on the QtSql
// connection `connectionName`: the register file in the data folder
// ("PATH=<folder>"), or a PostgreSQL server ("MOTOR=PostgreSQL", "HOST=",
// "PORT=", "DBNAME=", "USER=", "SSLMODE=", and "PASSWORD=" when the user
// typed one; libpq's defaults and ~/.pgpass fill in what is not given).
// "URES=1" opens a register that is still to be made: its catalogue is not
// checked (Database::openToFill).
std::unique_ptr<Engine> makeEngine(const QString &connectionName, const QStringList &params);

// The value of a parameter ("PATH") of a connection's parameter list.
QString connectionParam(const QStringList &params, const QString &name);
// Whether the parameter list names a PostgreSQL server.
bool isServerParams(const QStringList &params);
// A libpq connection string ("host=db port=5432 dbname=iroda user=anna")
// as a parameter list for a server register.
QStringList serverParams(const QString &conninfo);

}  // namespace data
