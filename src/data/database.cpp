#include "data/database.h"

#include "data/adatmappa.h"
#include "data/dataset.h"
#include "data/engine.h"
#include "data/schema.h"
#include "data/storage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <sqlite3.h>
#include <utility>

namespace data {

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

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

int lockWait(void *db, int count)
{
    if (count == 0) {
        try {
            Q_EMIT static_cast<Database *>(db)->lockWaitBegins();
        } catch (...) {
            // Nothing may cross the engine's stack.
        }
    }
    if (count * kLockStepMs >= kLockWaitMs)
        return 0;
    sqlite3_sleep(kLockStepMs);
    return 1;
}

int primaryCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xFF;
    return ok ? code : -1;
}

bool diskFull(const QSqlError &error)
{
    return primaryCode(error) == SQLITE_FULL;
}

bool damagedFile(const QSqlError &error)
{
    return primaryCode(error) == SQLITE_CORRUPT || primaryCode(error) == SQLITE_NOTADB;
}

QString lostUnitMessage()
{
    return QStringLiteral("Az adatbázis-kezelő egy hiba miatt a mentés egészét visszavonta, semmi sem került a "
                          "fájlba.");
}

// Whether the file's index `name` on `table` exists and admits no repeated
// value: files made before booking numbers were unique have a plain one.
bool hasUniqueIndex(const QSqlDatabase &db, const QString &table, const QString &name)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA index_list(\"%1\")").arg(table)))
        throw DbError(engineMessage(q.lastError()));
    while (q.next())
        if (q.value(1).toString().compare(name, Qt::CaseInsensitive) == 0)
            return q.value(2).toInt() == 1;
    return false;
}

// The values that more than one row holds in `field`, smallest first.
QStringList repeatedValues(const QSqlDatabase &db, const QString &table, const QString &field)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT \"%2\" FROM \"%1\" WHERE \"%2\" IS NOT NULL GROUP BY \"%2\" "
                               "HAVING COUNT(*) > 1 ORDER BY \"%2\"").arg(table, field)))
        throw DbError(engineMessage(q.lastError()));
    QStringList values;
    while (q.next())
        values << q.value(0).toString();
    return values;
}

// Gives an older file the unique index of the booking numbers, in one
// transaction, unless numbers already repeat. Returns what the user should
// be told: the repeated numbers, or why the index could not be made.
QString makeBookingNumbersUnique(const QSqlDatabase &db)
{
    const schema::TableDef &table = *schema::table(QStringLiteral("foglalas"));
    const schema::IndexDef &index = *table.index(QStringLiteral("foglalas_foglalaz"));
    QSqlQuery q(db);
    auto run = [&](const QString &sql) {
        if (!q.exec(sql))
            throw DbError(engineMessage(q.lastError()));
    };
    try {
        if (hasUniqueIndex(db, table.name, index.name))
            return QString();
        run(QStringLiteral("BEGIN IMMEDIATE"));
        const QStringList repeated = repeatedValues(db, table.name, index.fields.first());
        if (!repeated.isEmpty()) {
            run(QStringLiteral("ROLLBACK"));
            return QStringLiteral("Ezeket a foglalási sorszámokat több foglalás is viseli: %1.\nAmíg ki nem "
                                  "javítják őket, az adatbázis nem zárja ki, hogy két foglalás ugyanazt a "
                                  "sorszámot kapja; a program ettől még tovább működik.")
                .arg(repeated.join(QStringLiteral(", ")));
        }
        run(QStringLiteral("DROP INDEX IF EXISTS \"%1\"").arg(index.name));
        run(schema::createIndexStatement(table, index));
        run(QStringLiteral("COMMIT"));
    } catch (const DbError &e) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return QStringLiteral("A foglalási sorszámok egyediségét őrző index nem hozható létre:\n") +
               e.message();
    }
    return QString();
}

}  // namespace

DbError::DbError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

Database &Database::regiszter()
{
    static Database db(QStringLiteral("regiszter"));
    return db;
}

Database::Database(const QString &connectionName, QObject *parent)
    : QObject(parent), m_connectionName(connectionName)
{
}

Database::~Database()
{
    if (m_open) {
        try {
            close();
        } catch (...) {
        }
    }
}

QString Database::path() const
{
    for (const QString &p : m_params) {
        const int eq = p.indexOf(QLatin1Char('='));
        if (eq > 0 && p.left(eq).trimmed().compare(QLatin1String("PATH"), Qt::CaseInsensitive) == 0)
            return p.mid(eq + 1).trimmed();
    }
    return QString();
}

QString Database::filePath() const
{
    return QDir(path()).filePath(QLatin1String(kFileName));
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void Database::open()
{
    if (m_open)
        return;
    const QString folder = path();
    if (folder.isEmpty())
        throw DbError(QStringLiteral("Nincs megadva az adatbázis mappája (PATH)."));
    const QString file = filePath();
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

    auto fail = [&](const QString &msg, bool damaged = false) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        if (damaged)
            throw DamagedDbError(msg);
        throw DbError(msg);
    };
    // An engine error, with what the file system tells of its cause.
    auto failEngine = [&](const QSqlError &error) {
        const QString obstacle = writeObstacle(folder, file);
        if (obstacle.isEmpty())
            fail(QStringLiteral("%1: %2").arg(native(file), engineMessage(error)), damagedFile(error));
        fail(QStringLiteral("Az adatbázis nem írható: %1\n%2\n%3").arg(native(file), obstacle, engineMessage(error)));
    };
    if (!opened)
        failEngine(db.lastError());
    sqlite3_busy_handler(engineHandle(db), lockWait, this);

    QSqlQuery q(db);
    // Reading the catalogue is the first real read: a file that is not a
    // database fails here.
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
        failEngine(q.lastError());
    QStringList present;
    while (q.next())
        present << q.value(0).toString().toLower();

    QStringList missing;
    for (const schema::TableDef &t : schema::tables()) {
        if (!present.contains(t.name.toLower())) {
            missing << t.name;
            continue;
        }
        QSqlQuery cols(db);
        cols.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(t.name));
        QStringList have;
        while (cols.next())
            have << cols.value(1).toString().toLower();
        for (const schema::FieldDef &f : t.fields)
            if (!have.contains(f.name.toLower()))
                missing << t.name + QLatin1Char('.') + f.name;
    }
    if (!missing.isEmpty())
        fail(QStringLiteral("Hiányzik az adatbázisból: %1").arg(missing.join(QStringLiteral(", "))), true);

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
    if (!written && diskFull(writeError))
        m_writeProblem = engineMessage(writeError);
    else if (!written)
        failEngine(writeError);
    m_openNotice = m_writeProblem.isEmpty() ? makeBookingNumbersUnique(db) : QString();
    m_open = true;
}

void Database::closeDataSets()
{
    const QVector<DataSet *> sets = m_dataSets;
    for (DataSet *ds : sets)
        if (ds->isOpen())
            ds->close();
}

void Database::close()
{
    closeDataSets();
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_open = false;
    m_depth = 0;
    m_changesAtBegin.clear();
    m_unitMembers.clear();
    m_unitLost = false;
    m_writeProblem.clear();
}

int Database::exec(const QString &sql, const QVariantList &params)
{
    QSqlQuery q(connection());
    if (!q.prepare(sql))
        throw DbError(engineMessage(q.lastError()));
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DbError(engineMessage(q.lastError()));
    return q.numRowsAffected();
}

void Database::attach(DataSet *ds)
{
    m_dataSets.append(ds);
}

void Database::detach(DataSet *ds)
{
    m_dataSets.removeAll(ds);
    m_unitMembers.removeAll(ds);
}

void Database::join(DataSet *ds)
{
    if (!m_unitMembers.contains(ds))
        m_unitMembers.append(ds);
}

qint64 Database::totalChanges() const
{
    // The engine counts every row that a successful statement inserted,
    // updated or deleted; a refused statement adds nothing.
    QSqlQuery q(connection());
    if (!q.exec(QStringLiteral("SELECT total_changes()")) || !q.next())
        throw DbError(engineMessage(q.lastError()));
    return q.value(0).toLongLong();
}

bool Database::unitChangedRows() const
{
    return m_depth > 0 && totalChanges() != m_changesAtBegin.first();
}

bool Database::engineInTransaction() const
{
    try {
        return sqlite3_get_autocommit(engineHandle(connection())) == 0;
    } catch (const DbError &) {
        return true;  // no handle to ask: the statements will tell
    }
}

int Database::begin()
{
    if (!m_open)
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    // Statements run now would each be committed on their own.
    if (m_unitLost)
        throw DbError(lostUnitMessage());
    const qint64 changes = totalChanges();
    if (m_depth == 0)
        exec(QStringLiteral("BEGIN IMMEDIATE"));
    else
        exec(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
    m_changesAtBegin.append(changes);
    return ++m_depth;
}

void Database::finish(int level, bool commit)
{
    if (level != m_depth)
        throw DbError(QStringLiteral("A tranzakciók sorrendje hibás."));
    if (!commit || m_unitLost) {
        undo(level);
        if (commit)
            throw DbError(lostUnitMessage());
        return;
    }
    try {
        exec(level > 1 ? QStringLiteral("RELEASE sp%1").arg(level - 1) : QStringLiteral("COMMIT"));
    } catch (const DbError &) {
        // The commit failed (a busy or full disk): nothing of the level is
        // kept, and its data sets go back to what the user typed.
        undo(level);
        throw;
    }
    if (level > 1) {
        --m_depth;
        m_changesAtBegin.removeLast();
        // What the savepoint did now stands or falls with the level below.
        for (DataSet *ds : qAsConst(m_unitMembers))
            ds->unitLevelMerged(level);
        return;
    }
    completeUnit();
}

void Database::rollbackEngine(int level)
{
    // Never raises: the levels' bookkeeping follows whatever the engine did.
    if (!engineInTransaction()) {
        // The engine undid the whole transaction itself (a full disk, an I/O
        // error): what the levels below wrote is gone as well.
        m_unitLost = level > 1;
        return;
    }
    QSqlQuery q(connection());
    if (level > 1 && q.exec(QStringLiteral("ROLLBACK TO sp%1").arg(level - 1))
        && q.exec(QStringLiteral("RELEASE sp%1").arg(level - 1)))
        return;
    // A savepoint that cannot be undone takes the whole unit with it.
    q.exec(QStringLiteral("ROLLBACK"));
    m_unitLost = level > 1;
}

void Database::undo(int level)
{
    // Only a unit that changed rows can have left data sets showing rows
    // that are gone now.
    bool wrote = true;
    try {
        wrote = totalChanges() != m_changesAtBegin[level - 1];
    } catch (const DbError &) {
    }
    rollbackEngine(level);
    m_depth = level - 1;
    m_changesAtBegin.resize(m_depth);
    const QVector<DataSet *> members = m_unitMembers;
    if (level == 1) {
        m_unitMembers.clear();
        m_unitLost = false;
    }
    for (int i = members.size() - 1; i >= 0; --i) {
        if (!m_dataSets.contains(members[i]))
            continue;
        try {
            members[i]->unitRolledBack(level, wrote);
        } catch (const DbError &) {
            // One data set that cannot re-read must not keep the others
            // from being put back.
        }
    }
    if (wrote) {
        for (DataSet *ds : qAsConst(m_dataSets))
            ds->forgetCachedRows();
    }
    if (level == 1)
        Q_EMIT rolledBack();
}

void Database::completeUnit()
{
    m_depth = 0;
    m_changesAtBegin.clear();
    const QVector<DataSet *> members = std::exchange(m_unitMembers, {});
    // The rows are committed: every data set shows them, even when one of
    // them fails to re-read; then the windows hear of the save, each data
    // set already showing its rows whatever a listener does.
    QString failure;
    QVector<QPair<DataSet *, int>> notices;
    for (DataSet *ds : members) {
        if (!m_dataSets.contains(ds))
            continue;
        try {
            notices.append({ds, ds->unitCommitted()});
        } catch (const DbError &e) {
            notices.append({ds, DataSet::PostNotice});
            if (failure.isEmpty())
                failure = e.message();
        }
    }
    for (const auto &n : qAsConst(notices)) {
        if (n.second != 0 && m_dataSets.contains(n.first))
            n.first->sendNotices(n.second);  // destroyed by a listener meanwhile: skipped
    }
    if (!failure.isEmpty())
        throw SavedButError(
            QStringLiteral("A mentés megtörtént, de a sorok újraolvasása nem sikerült: %1").arg(failure));
}

Database::Transaction::Transaction(Database &db) : m_db(db), m_level(db.begin()) {}

Database::Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.finish(m_level, false);
        } catch (...) {
        }
    }
}

void Database::Transaction::commit()
{
    m_done = true;
    m_db.finish(m_level, true);
}

void Database::Transaction::rollback()
{
    m_done = true;
    m_db.finish(m_level, false);
}

}  // namespace data
