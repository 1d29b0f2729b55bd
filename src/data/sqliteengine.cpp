#include "data/sqliteengine.h"

#include "data/adatmappa.h"
#include "data/database.h"
#include "data/postgresengine.h"
#include "data/qtconnection.h"
#include "data/schema.h"
#include "data/storage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <sqlite3.h>

namespace data {

namespace {

// SQLite's result codes: the primary code is the low byte of an extended one.
enum SqliteCode {
    kPerm = 3, kBusy = 5, kLocked = 6, kNoMem = 7, kReadOnly = 8, kInterrupt = 9, kIoErr = 10,
    kCorrupt = 11, kFull = 13, kCantOpen = 14, kProtocol = 15, kTooBig = 18, kConstraint = 19,
    kMismatch = 20, kAuth = 23, kNotADb = 26,
    kConstraintCheck = 275, kConstraintNotNull = 1299, kConstraintPrimaryKey = 1555,
    kConstraintUnique = 2067,
};

QString byCode(int code)
{
    switch (code) {
    case kConstraintUnique:
    case kConstraintPrimaryKey: return QStringLiteral("Már van ilyen kulcsú sor, a kulcs nem ismétlődhet.");
    case kConstraintNotNull: return QStringLiteral("Egy kötelező mező üresen maradt.");
    case kConstraintCheck: return QStringLiteral("Egy érték nem felel meg a mező feltételének.");
    default: break;
    }
    switch (code & 0xFF) {
    case kPerm:
    case kAuth: return QStringLiteral("Az adatbázishoz való hozzáférés megtagadva.");
    case kBusy: return QStringLiteral("Az adatbázist egy másik program zárolja.");
    case kLocked: return QStringLiteral("Az adatbázis egyik tábláját egy másik művelet zárolja.");
    case kNoMem: return QStringLiteral("Elfogyott a memória.");
    case kReadOnly: return QStringLiteral("Az adatbázis csak olvasható, a változás nem menthető.");
    case kInterrupt: return QStringLiteral("A művelet megszakadt.");
    case kIoErr: return QStringLiteral("Lemezhiba történt az adatbázis olvasása vagy írása közben.");
    case kCorrupt: return QStringLiteral("Az adatbázis fájl megsérült.");
    case kFull: return QStringLiteral("Megtelt a lemez (vagy az adatbázis elérte a legnagyobb méretét), "
                                      "a változás nem menthető.");
    case kCantOpen: return QStringLiteral("Az adatbázis fájl nem nyitható meg.");
    case kProtocol: return QStringLiteral("Az adatbázis zárolása nem sikerült.");
    case kTooBig: return QStringLiteral("Az érték túl nagy az adatbázis számára.");
    case kConstraint: return QStringLiteral("A változás sérti az adatbázis egyik szabályát.");
    case kMismatch: return QStringLiteral("Az érték típusa nem illik a mezőhöz.");
    case kNotADb: return QStringLiteral("A fájl nem adatbázis, vagy megsérült.");
    default: return QString();
    }
}

// For an error without a result code: the engine's fixed texts.
QString byText(const QString &engine)
{
    static const struct {
        const char *text;
        int code;
    } known[] = {
        {"database is locked", kBusy},
        {"database table is locked", kLocked},
        {"attempt to write a readonly database", kReadOnly},
        {"database or disk is full", kFull},
        {"database disk image is malformed", kCorrupt},
        {"file is not a database", kNotADb},
        {"disk I/O error", kIoErr},
        {"unable to open database file", kCantOpen},
        {"UNIQUE constraint failed", kConstraintUnique},
        {"NOT NULL constraint failed", kConstraintNotNull},
        {"CHECK constraint failed", kConstraintCheck},
    };
    for (const auto &k : known)
        if (engine.contains(QLatin1String(k.text), Qt::CaseInsensitive))
            return byCode(k.code);
    return QString();
}


QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The message of the engine's last error on a connection.
QString engineText(sqlite3 *h)
{
    return engineMessage(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(h)), QSqlError::StatementError,
                                   QString::number(sqlite3_extended_errcode(h))));
}

[[noreturn]] void raise(const QSqlQuery &q)
{
    throw DbError(engineMessage(q.lastError()));
}

int primaryCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xFF;
    return ok ? code : -1;
}

// ---- the file ---------------------------------------------------------------

// The two version bytes of an SQLite file header: the engine that wrote a
// file may mark it for newer engines only, to write (offset 18) or even to
// read (offset 19). 0 when the file has no SQLite header.
QPair<int, int> headerVersions(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {0, 0};
    const QByteArray h = f.read(20);
    if (h.size() < 20 || !h.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return {0, 0};
    return {uchar(h[18]), uchar(h[19])};
}

// The journal files a run leaves beside the database when it ends without
// closing it.
QStringList leftoverJournals(const QString &file)
{
    QStringList found;
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QFileInfo fi(file + QLatin1String(suffix));
        if (fi.exists())
            found << fi.fileName();
    }
    return found;
}

// Why the database file cannot be read, found before the engine is asked:
// it reports an unreadable folder as a missing file.
void checkReadable(const QString &folder, const QString &file)
{
    const QFileInfo dir(folder);
    if (!dir.exists())
        throw DbError(QStringLiteral("Az adatbázis mappája nem található: %1").arg(native(folder)));
    if (!dir.isDir())
        throw DbError(QStringLiteral("Az adatbázis mappájának helyén egy fájl van: %1").arg(native(folder)));
    if (!dir.isReadable() || !dir.isExecutable())
        throw DbError(QStringLiteral("Az adatbázis mappája nem olvasható (hozzáférés megtagadva): %1")
                          .arg(native(folder)));

    const QFileInfo fi(file);
    if (!fi.exists())
        throw DamagedDbError(QStringLiteral("Az adatbázis fájl nem található: %1").arg(native(file)));
    if (!fi.isFile())
        throw DamagedDbError(QStringLiteral("Az adatbázis fájl helyén egy mappa van: %1").arg(native(file)));
    if (!fi.isReadable())
        throw DbError(QStringLiteral("Az adatbázis fájl nem olvasható (hozzáférés megtagadva): %1")
                          .arg(native(file)));
    if (headerVersions(file).second > 2)
        throw DbError(QStringLiteral("Az adatbázis fájlt az adatbázis-kezelő egy újabb változata írta, "
                                     "ez a változat nem tudja olvasni: %1").arg(native(file)));
}

// Why the engine may not write the file, as far as the file system tells;
// empty when it tells nothing.
QString writeObstacle(const QString &folder, const QString &file)
{
    const QFileInfo fi(file);
    if (headerVersions(file).first > 2)
        return QStringLiteral("A fájlt az adatbázis-kezelő egy újabb változata írta, ez a változat csak "
                              "olvasni tudja.");
    if (!fi.isWritable())
        return QStringLiteral("A fájl írásvédett (csak olvasható).");
    if (!QFileInfo(folder).isWritable()) {
        const QStringList left = leftoverJournals(file);
        if (!left.isEmpty())
            return QStringLiteral("A mappája nem írható, és egy korábbi futás naplófájljai maradtak benne (%1), "
                                  "amelyeket így nem lehet feldolgozni.")
                .arg(left.join(QStringLiteral(", ")));
        return QStringLiteral("A mappája nem írható, így a mentéshez szükséges naplófájl (%1-journal) nem "
                              "hozható létre.")
            .arg(fi.fileName());
    }
    return QString();
}

// The engine's wait for another program's lock: the windows hear when it
// begins (they show a wait cursor), then it goes on as a busy timeout would.
constexpr int kLockWaitMs = 10000;
constexpr int kLockStepMs = 20;

int lockWait(void *heard, int count)
{
    if (count == 0) {
        try {
            (*static_cast<const std::function<void()> *>(heard))();
        } catch (...) {
            // Nothing may cross the engine's stack.
        }
    }
    if (count * kLockStepMs >= kLockWaitMs)
        return 0;
    sqlite3_sleep(kLockStepMs);
    return 1;
}

// ---- statements -------------------------------------------------------------

void bindOne(sqlite3_stmt *st, int i, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(st, i, v.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(st, i, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
}

// A statement on the engine itself: the values come as the engine keeps
// them (texts in UTF-8), without the copy into UTF-16 and the variants of
// QtSql's row cache, which took more than half of a walk's time.
class SqliteStatement final : public Statement {
public:
    SqliteStatement(sqlite3 *h, const QString &sql) : m_h(h)
    {
        const QByteArray text = sql.toUtf8();
        const char *tail = nullptr;
        if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &m_st, &tail) == SQLITE_OK && m_st) {
            // The engine prepares the first statement only: the rest would
            // be dropped without a word.
            if (!tail || QByteArray(tail).trimmed().isEmpty())
                return;
            sqlite3_finalize(m_st);
            throw DbError(QStringLiteral("Unable to execute multiple statements at a time"));
        }
        // An empty statement prepares to nothing: it has nothing to run.
        const QString message = m_st || sqlite3_errcode(h) != SQLITE_OK
                                    ? engineText(h)
                                    : QStringLiteral("Az utasítás üres.");
        sqlite3_finalize(m_st);
        throw DbError(message);
    }
    ~SqliteStatement() override { sqlite3_finalize(m_st); }

    void bind(int index, const QVariant &value) override
    {
        readyToBind();
        bindOne(m_st, index + 1, toStorage(value));
    }

    void bindNamed(const QMap<QString, QVariant> &params) override
    {
        readyToBind();
        const int n = sqlite3_bind_parameter_count(m_st);
        for (int i = 1; i <= n; ++i) {
            const char *name = sqlite3_bind_parameter_name(m_st, i);
            if (!name || (name[0] != ':' && name[0] != '@' && name[0] != '$'))
                continue;
            const QString wanted = QString::fromUtf8(name + 1);
            for (auto it = params.cbegin(); it != params.cend(); ++it) {
                if (it.key().compare(wanted, Qt::CaseInsensitive) == 0) {
                    bindOne(m_st, i, toStorage(it.value()));
                    break;
                }
            }
        }
    }

    bool next() override
    {
        const int rc = sqlite3_step(m_st);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            raise();
        return false;
    }

    int run() override
    {
        const int changes = step();
        if (changes < 0)
            raise();
        sqlite3_reset(m_st);
        return changes;
    }

    int runUnlessRefused() override
    {
        const int changes = step();
        if (changes >= 0) {
            sqlite3_reset(m_st);
            return changes;
        }
        const int code = sqlite3_extended_errcode(m_h) & 0xFF;
        if (code != SQLITE_CONSTRAINT && code != SQLITE_MISMATCH)
            raise();
        sqlite3_reset(m_st);
        return -1;
    }

    void reset() override { sqlite3_reset(m_st); }

    int columnCount() const override { return sqlite3_column_count(m_st); }
    QString columnName(int c) const override { return QString::fromUtf8(sqlite3_column_name(m_st, c)); }
    QString columnTable(int c) const override
    {
        const char *table = sqlite3_column_table_name(m_st, c);
        return table ? QString::fromUtf8(table) : QString();
    }

    QVariant value(int c) const override
    {
        switch (sqlite3_column_type(m_st, c)) {
        case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(m_st, c)));
        case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_st, c));
        case SQLITE_NULL: return QVariant();
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_st, c)), sqlite3_column_bytes(m_st, c));
        default:
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_st, c)),
                                     sqlite3_column_bytes(m_st, c));
        }
    }

private:
    // Runs the statement to its end: the rows it changed, or -1 when the
    // engine refused it.
    int step()
    {
        const auto before = sqlite3_total_changes(m_h);
        int rc;
        while ((rc = sqlite3_step(m_st)) == SQLITE_ROW) {
        }
        return rc == SQLITE_DONE ? int(sqlite3_total_changes(m_h) - before) : -1;
    }

    void readyToBind()
    {
        if (sqlite3_stmt_busy(m_st))
            sqlite3_reset(m_st);
    }

    [[noreturn]] void raise()
    {
        const QString message = engineText(m_h);
        sqlite3_reset(m_st);
        throw DbError(message);
    }

    sqlite3 *m_h;
    sqlite3_stmt *m_st = nullptr;
};

// ---- the engine -------------------------------------------------------------

class SqliteEngine final : public Engine {
public:
    explicit SqliteEngine(const QString &connectionName) : m_connectionName(connectionName) {}
    ~SqliteEngine() override { close(); }

    void open(const QStringList &params, const std::function<void()> &lockWaitBegins) override;
    void close() override;
    QString writeProblem() const override { return m_writeProblem; }
    QSqlDatabase connection() const override { return QSqlDatabase::database(m_connectionName, false); }

    std::unique_ptr<Statement> prepare(const QString &sql) override
    {
        return std::make_unique<SqliteStatement>(handle(), sql);
    }

    QStringList tableNames() override
    {
        return column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), 0);
    }
    QStringList columnNames(const QString &table) override
    {
        return column(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table), 1);
    }
    bool hasUniqueIndex(const QString &table, const QString &index) override;
    QString integrityProblem() override;
    QVector<qint64> changeStamp() override
    {
        // Another connection's commit moves the file's data version; this
        // connection's own writes move its change count.
        if (!m_dataVersion)
            m_dataVersion = prepare(QStringLiteral("PRAGMA data_version"));
        const qint64 others = m_dataVersion->next() ? m_dataVersion->value(0).toLongLong() : -1;
        m_dataVersion->reset();
        return {others, qint64(sqlite3_total_changes(handle()))};
    }

    void begin() override { exec(QStringLiteral("BEGIN IMMEDIATE")); }
    void commit() override { exec(QStringLiteral("COMMIT")); }
    void rollback() override { QSqlQuery(connection()).exec(QStringLiteral("ROLLBACK")); }
    bool inTransaction() const override
    {
        return !m_handle || sqlite3_get_autocommit(m_handle) == 0;  // no handle: the statements will tell
    }

    QString rowIdColumn() const override { return QStringLiteral("rowid"); }
    QString sameValueOperator() const override { return QStringLiteral("IS"); }
    QString caseBlindLike() const override { return QStringLiteral("LIKE"); }
    QString joinedText(const QStringList &parts) const override
    {
        // printf writes the text at once; joining two by two copies the
        // growing text at every step.
        return QStringLiteral("printf('%1', %2)")
            .arg(QStringLiteral("%s").repeated(int(parts.size())), parts.join(QStringLiteral(", ")));
    }
    QString numberText(const QString &expr, const QString &decimalPoint) const override
    {
        QString point = decimalPoint;
        point.replace(QLatin1Char('\''), QLatin1String("''"));
        return QStringLiteral("CASE WHEN %1 IS NULL THEN NULL"
                              " WHEN %1 = CAST(%1 AS INTEGER) AND abs(%1) < 1e15 THEN CAST(CAST(%1 AS INTEGER) AS TEXT)"
                              " ELSE replace(printf('%.15g', %1), '.', '%2') END")
            .arg(expr, point);
    }
    qint64 insert(const QString &sql, const QVariantList &params, const QString &) override
    {
        SqliteStatement st(handle(), sql);
        for (int i = 0; i < params.size(); ++i)
            st.bind(i, params[i]);
        st.run();
        return sqlite3_last_insert_rowid(m_handle);
    }

    // The unit holds the file's write lock from its start.
    QString rowLockClause() const override { return QString(); }
    void holdInUnit(const QString &) override {}
    bool isServer() const override { return false; }
    QString location() const override { return native(m_folder); }
    QStringList createStatements() const override { return schema::createStatements(); }
    // The file's own key sequence already goes on after the largest key
    // written, and one program at a time has nobody to tell.
    void keysGiven(const QString &, const QString &) override {}
    void watch(const std::function<void(const QStringList &)> &) override {}

private:
    sqlite3 *handle() const
    {
        if (!m_handle)
            throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
        return m_handle;
    }
    void exec(const QString &sql)
    {
        QSqlQuery q(connection());
        if (!q.exec(sql))
            raise(q);
    }
    // One column of a statement's rows, in lower case.
    QStringList column(const QString &sql, int c)
    {
        QSqlQuery q(connection());
        if (!q.exec(sql))
            raise(q);
        QStringList out;
        while (q.next())
            out << q.value(c).toString().toLower();
        if (q.lastError().isValid())
            raise(q);
        return out;
    }

    QString m_connectionName;
    QString m_folder;
    sqlite3 *m_handle = nullptr;
    std::unique_ptr<Statement> m_dataVersion;
    std::function<void()> m_lockWaitBegins;
    QString m_writeProblem;
};

void SqliteEngine::open(const QStringList &params, const std::function<void()> &lockWaitBegins)
{
    const QString folder = connectionParam(params, QStringLiteral("PATH"));
    if (folder.isEmpty())
        throw DbError(QStringLiteral("Nincs megadva az adatbázis mappája (PATH)."));
    const QString file = QDir(folder).filePath(QLatin1String(Database::kFileName));
    m_folder = folder;
    checkReadable(folder, file);
    // The passwords are inside: a folder made readable to all is taken back.
    protectDataFolder(folder);

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    // mode=rw: an existing file only; the register never creates a database.
    db.setDatabaseName(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000"));
    const bool opened = db.open();

    auto fail = [&](const QString &msg, bool damaged) {
        db = QSqlDatabase();
        close();
        if (damaged)
            throw DamagedDbError(msg);
        throw DbError(msg);
    };
    // An engine error, with what the file system tells of its cause.
    auto failEngine = [&](const QSqlError &error) {
        const QString obstacle = writeObstacle(folder, file);
        if (obstacle.isEmpty()) {
            const int code = primaryCode(error);
            fail(QStringLiteral("%1: %2").arg(native(file), engineMessage(error)),
                 code == SQLITE_CORRUPT || code == SQLITE_NOTADB);
        }
        fail(QStringLiteral("Az adatbázis nem írható: %1\n%2\n%3").arg(native(file), obstacle, engineMessage(error)),
             false);
    };
    if (!opened)
        failEngine(db.lastError());
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0 || !*static_cast<sqlite3 *const *>(h.constData()))
        fail(QStringLiteral("Az adatbázis nem SQLite-kapcsolaton nyílt meg."), false);
    m_handle = *static_cast<sqlite3 *const *>(h.constData());
    m_lockWaitBegins = lockWaitBegins;
    sqlite3_busy_handler(m_handle, lockWait, &m_lockWaitBegins);

    QSqlQuery q(db);
    // Reading the catalogue is the first real read: a file that is not a
    // database fails here.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        failEngine(q.lastError());

    // A committed post survives a killed process or a power cut: a rollback
    // journal that is synced before and after every commit.
    for (const char *pragma : {"PRAGMA journal_mode = DELETE", "PRAGMA synchronous = FULL",
                               "PRAGMA foreign_keys = OFF"}) {
        if (!q.exec(QLatin1String(pragma)))
            failEngine(q.lastError());
    }

    // The engine opens a file it may not write without a word, and the first
    // post would fail. One write that is rolled back finds it now: it needs
    // the file and the journal beside it.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        failEngine(q.lastError());
    const bool written = q.exec(QStringLiteral("PRAGMA user_version = 0"));
    const QSqlError writeError = q.lastError();
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    // A full disk leaves the data readable: they open, and every save
    // tells why it cannot be done until space is freed.
    m_writeProblem.clear();
    if (!written && primaryCode(writeError) == SQLITE_FULL)
        m_writeProblem = engineMessage(writeError);
    else if (!written)
        failEngine(writeError);
}

void SqliteEngine::close()
{
    m_dataVersion.reset();
    m_handle = nullptr;
    m_writeProblem.clear();
    dropQtConnection(m_connectionName);
}

bool SqliteEngine::hasUniqueIndex(const QString &table, const QString &index)
{
    QSqlQuery q(connection());
    if (!q.exec(QStringLiteral("PRAGMA index_list(\"%1\")").arg(table)))
        raise(q);
    while (q.next())
        if (q.value(1).toString().compare(index, Qt::CaseInsensitive) == 0)
            return q.value(2).toInt() == 1;
    return false;
}

QString SqliteEngine::integrityProblem()
{
    QSqlQuery q(connection());
    if (!q.exec(QStringLiteral("PRAGMA quick_check")))
        return QStringLiteral("az ellenőrzés nem futott le");
    if (q.next() && q.value(0).toString() != QLatin1String("ok"))
        return q.value(0).toString();
    return QString();
}

}  // namespace

std::unique_ptr<Engine> makeSqliteEngine(const QString &connectionName)
{
    return std::make_unique<SqliteEngine>(connectionName);
}

std::unique_ptr<Engine> makeEngine(const QString &connectionName, const QStringList &params)
{
    if (isServerParams(params))
        return makePostgresEngine(connectionName);
    return makeSqliteEngine(connectionName);
}

bool isServerParams(const QStringList &params)
{
    return connectionParam(params, QStringLiteral("MOTOR")).compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0;
}

QString connectionParam(const QStringList &params, const QString &name)
{
    for (const QString &p : params) {
        const int eq = p.indexOf(QLatin1Char('='));
        if (eq > 0 && p.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            // A password is taken as typed, blanks included.
            const QString value = p.mid(eq + 1);
            return name.compare(QLatin1String("PASSWORD"), Qt::CaseInsensitive) == 0 ? value : value.trimmed();
        }
    }
    return QString();
}

QString engineMessage(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    const QString engine = db.isEmpty() ? error.text().trimmed() : db;
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    QString hungarian = ok ? byCode(code) : QString();
    if (hungarian.isEmpty())
        hungarian = byText(engine);
    // The engine's own text stays, for whoever looks into the fault.
    return hungarian.isEmpty() ? engine : QStringLiteral("%1\n(%2)").arg(hungarian, engine);
}


bool openNewRegisterFile(const QString &path, const QString &connection, QString *error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    QSqlQuery q(db);
    if (db.open() && q.exec(QStringLiteral("PRAGMA journal_mode=DELETE")))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, db.isOpen() ? q.lastError().text() : db.lastError().text());
    return false;
}

}  // namespace data
