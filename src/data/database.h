#pragma once
// The named database "regiszter", opened with the connection's parameter
// list on the engine that keeps it (data/engine.h). Every data set belongs to
// it, and every statement of the data layer runs through it.

#include <QMap>
#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>

namespace data {

class DataSet;
class Engine;
class Statement;

// An error of the data layer, carrying the engine's own message.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// What a unit's commit raises when the rows did reach the file and only what
// follows failed (showing them again): the save stands, and a caller must not
// report it as refused nor let the user save it a second time.
class SavedButError : public DbError {
public:
    using DbError::DbError;
};

// What opening raises when the data folder holds no usable register: the
// database file missing, damaged or not a database, or tables or fields
// missing from it. An archive can bring such a folder back.
class DamagedDbError : public DbError {
public:
    using DbError::DbError;
};

// What opening a server register raises when the server wants a password
// that was not given, or refused the one given: the caller may ask the user
// and open again with "PASSWORD=".
class PasswordNeededError : public DbError {
public:
    using DbError::DbError;
};

class Database : public QObject {
    Q_OBJECT
public:
    static constexpr const char *kFileName = "regiszter.db";

    // A named database for the test suites and the benchmark, which play
    // the program's entry. The program's entry owns its own and hands it to
    // whatever needs it; nothing else in the program reaches for either.
    static Database &regiszter();

    explicit Database(const QString &connectionName, QObject *parent = nullptr);
    ~Database() override;

    // The parameter list: "PATH=<data folder>", "DEFAULT DRIVER=...", ...
    QStringList &params() { return m_params; }
    const QStringList &params() const { return m_params; }
    // The value of the PATH parameter: the data folder.
    QString path() const;
    // The database file in the data folder.
    QString filePath() const;

    // Opens the register of the parameter list. Never creates anything: a
    // missing file, a file that is not a database, or a missing table raises
    // DbError with a message that names what is wrong.
    void open();
    // Opens a register that is still to be filled (an empty server
    // database, a new file): its catalogue is not checked.
    void openToFill();
    // Makes every table, key and index of the register, in one unit.
    void createTables();
    // Whether the register lives on a server that several desks share.
    bool isServer() const;
    // Where the register is, for messages: the data folder or the server.
    QString location() const;
    // Closes every open data set, then the connection.
    void close();
    // Closes every open data set of this database.
    void closeDataSets();
    bool isOpen() const { return m_open; }
    // Why nothing can be saved although the data opened for reading (a full
    // disk at the start); empty when saving works.
    QString writeProblem() const;
    // What opening found that the user should hear of although the data
    // opened (booking numbers that repeat); empty when there is nothing.
    QString openNotice() const { return m_openNotice; }

    // The QtSql connection the engine runs on, for tools and tests.
    QSqlDatabase connection() const;
    // The engine, for what differs between engines (the row identity, the
    // null-safe comparison).
    const Engine &engine() const;

    // Prepares a statement that reads; raises on error. A write goes through
    // exec, insert or run below, so that a unit knows whether it wrote.
    std::unique_ptr<Statement> prepare(const QString &sql);
    // Runs one statement with positional or named parameters; raises on
    // error. Returns the number of rows it inserted, updated or deleted.
    int exec(const QString &sql, const QVariantList &params = {});
    int execNamed(const QString &sql, const QMap<QString, QVariant> &params);
    // Runs a prepared statement whose marks are bound.
    int run(Statement &statement);
    // Runs a prepared write that a key or a value's type may refuse: false
    // when it did (only its own statement is undone).
    bool runUnlessRefused(Statement &statement);
    // Runs an INSERT of one row and returns the key the row was given: the
    // table's automatic key `keyColumn`, or its row identity when empty.
    qint64 insert(const QString &sql, const QVariantList &params, const QString &keyColumn);
    // The register's tables as the engine lists them, in lower case.
    QStringList tableNames();
    // After rows were written with their automatic keys given: the next new
    // row of `table` gets a key above the largest (Engine::keysGiven).
    void keysGiven(const QString &table, const QString &keyColumn);
    // Inside a unit: another desk's unit that asks to hold `what` waits
    // until this one ends, so that both do not take the same next number.
    void holdInUnit(const QString &what);
    // What a check of the stored data finds wrong; empty when it is sound.
    QString integrityProblem();
    // The engine's stamp of what has been written so far (Engine::changeStamp).
    QVector<qint64> changeStamp();

    // Transactions nest: the outermost begins and commits, inner ones are
    // savepoints. A transaction that is neither committed nor rolled back
    // when it goes out of scope rolls back.
    //
    // A transaction is a unit of work for the data sets too. A data set that
    // posts inside it keeps its edit buffer and its insert or edit state
    // until the outermost commit; only then does it show the row in browse
    // and emit afterPost. A delete takes the row out of view at once, but
    // afterDelete waits for the commit as well. When the unit rolls back
    // (explicitly, by a failed commit or by the destructor), every data set
    // that posted inside it is still in insert or edit with the values typed,
    // ready to post again, and a deleted row is back and current. Data sets
    // whose shown rows the unit changed re-read them; the others are not
    // touched, so a refused statement that wrote nothing disturbs no grid.
    class Transaction {
    public:
        explicit Transaction(Database &db);
        ~Transaction();
        void commit();
        void rollback();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

    private:
        Database &m_db;
        int m_level;
        bool m_done = false;
    };
    bool inTransaction() const { return m_depth > 0; }

Q_SIGNALS:
    // The outermost transaction rolled back, after the data sets of the unit
    // were put back.
    void rolledBack();
    // A statement waits (10 s at most) for another program's lock; it is
    // going on when this is heard, and ends before control returns to the
    // event loop.
    void lockWaitBegins();
    // Another desk committed a unit that changed these tables (lower case);
    // the open data sets on them have already read their rows again.
    void changedElsewhere(const QStringList &tables);

private:
    friend class DataSet;
    void attach(DataSet *ds);
    void detach(DataSet *ds);
    int begin();
    void finish(int level, bool commit);
    void undo(int level);
    void completeUnit();
    // A data set that acted inside the open unit hears how it ends.
    void join(DataSet *ds);
    int depth() const { return m_depth; }
    // Whether any row changed since the outermost transaction began.
    bool unitChangedRows() const;
    void rollbackEngine(int level);
    QString makeBookingNumbersUnique();
    void openEngineOnly();
    // Another desk's unit changed `tables`: the data sets on them read again.
    void heardElsewhere(const QStringList &tables);
    void refreshQuietly(DataSet *ds);
    void refreshAfterEdit(DataSet *ds);
    Engine &openEngine() const;

    QString m_connectionName;
    QStringList m_params;
    std::unique_ptr<Engine> m_engine;
    bool m_open = false;
    int m_depth = 0;
    // The rows every statement run through this database changed, counted
    // as they run; and that count when each level of the unit began.
    qint64 m_rowsWritten = 0;
    QVector<qint64> m_writtenAtBegin;
    qint64 m_undone = 0;  // levels rolled back
    QVector<DataSet *> m_dataSets;
    QVector<DataSet *> m_unitMembers;  // in the order they joined
    // Set when the engine undid the whole transaction under an inner level:
    // the levels still open have nothing left to commit.
    bool m_unitLost = false;
    QString m_openNotice;
    // Data sets that another desk's change reached while they were edited.
    QSet<DataSet *> m_refreshAfterEdit;
};

// The same class under the name the callers think in: every row that one
// user action saves is written inside one unit.
using UnitOfWork = Database::Transaction;

}  // namespace data
