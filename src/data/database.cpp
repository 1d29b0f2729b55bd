#include "data/database.h"

#include "data/dataset.h"
#include "data/engine.h"
#include "data/schema.h"
#include "data/table.h"

#include <QDir>
#include <QTimer>
#include <utility>

namespace data {

namespace {

QString lostUnitMessage()
{
    return QStringLiteral("Az adatbázis-kezelő egy hiba miatt a mentés egészét visszavonta, semmi sem került a "
                          "fájlba.");
}

// The values that more than one row holds in `field`, smallest first.
QStringList repeatedValues(Database &db, const QString &table, const QString &field)
{
    const auto st = db.prepare(QStringLiteral("SELECT \"%2\" FROM \"%1\" WHERE \"%2\" IS NOT NULL GROUP BY \"%2\" "
                                              "HAVING COUNT(*) > 1 ORDER BY \"%2\"").arg(table, field));
    QStringList values;
    while (st->next())
        values << st->value(0).toString();
    return values;
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
    return connectionParam(m_params, QStringLiteral("PATH"));
}

QString Database::filePath() const
{
    return QDir(path()).filePath(QLatin1String(kFileName));
}

QSqlDatabase Database::connection() const
{
    return m_engine ? m_engine->connection() : QSqlDatabase();
}

const Engine &Database::engine() const
{
    return openEngine();
}

Engine &Database::openEngine() const
{
    if (!m_open || !m_engine)
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    return *m_engine;
}

QString Database::writeProblem() const
{
    return m_engine ? m_engine->writeProblem() : QString();
}

bool Database::isServer() const
{
    return m_engine ? m_engine->isServer() : isServerParams(m_params);
}

QString Database::location() const
{
    if (m_engine)
        return m_engine->location();
    return isServerParams(m_params) ? connectionParam(m_params, QStringLiteral("HOST")) : QDir::toNativeSeparators(path());
}

void Database::openEngineOnly()
{
    m_engine = makeEngine(m_connectionName, m_params);
    try {
        m_engine->open(m_params, [this] { Q_EMIT lockWaitBegins(); });
    } catch (...) {
        m_engine.reset();
        throw;
    }
    m_engine->watch([this](const QStringList &tables) { heardElsewhere(tables); });
}

void Database::openToFill()
{
    if (m_open)
        return;
    openEngineOnly();
    m_open = true;
}

void Database::createTables()
{
    UnitOfWork unit(*this);
    for (const QString &sql : openEngine().createStatements())
        exec(sql);
    unit.commit();
}

void Database::open()
{
    if (m_open)
        return;
    openEngineOnly();
    try {
        QStringList missing;
        const QStringList present = m_engine->tableNames();
        for (const schema::TableDef &t : schema::tables()) {
            if (!present.contains(t.name.toLower())) {
                missing << t.name;
                continue;
            }
            const QStringList have = m_engine->columnNames(t.name);
            for (const schema::FieldDef &f : t.fields)
                if (!have.contains(f.name.toLower()))
                    missing << t.name + QLatin1Char('.') + f.name;
        }
        if (!missing.isEmpty() && m_engine->isServer())
            throw DamagedDbError(QStringLiteral("A kiszolgáló adatbázisa (%1) nem ennek a programnak a felépítését "
                                                "követi, hiányzik belőle: %2\nA rendszergazda hozzon létre egy üres "
                                                "adatbázist, és töltse fel a nyugvar-atvitel programmal.")
                                     .arg(m_engine->location(), missing.join(QStringLiteral(", "))));
        if (!missing.isEmpty())
            throw DamagedDbError(QStringLiteral("Hiányzik az adatbázisból: %1").arg(missing.join(QStringLiteral(", "))));
    } catch (...) {
        m_engine.reset();
        throw;
    }
    m_open = true;
    m_openNotice = writeProblem().isEmpty() ? makeBookingNumbersUnique() : QString();
}

// Gives an older register the unique index of the booking numbers, in one
// unit, unless numbers already repeat. Returns what the user should be told:
// the repeated numbers, or why the index could not be made.
QString Database::makeBookingNumbersUnique()
{
    const schema::TableDef &table = *schema::table(QStringLiteral("foglalas"));
    const schema::IndexDef &index = *table.index(QStringLiteral("foglalas_foglalaz"));
    try {
        if (m_engine->hasUniqueIndex(table.name, index.name))
            return QString();
        UnitOfWork unit(*this);
        const QStringList repeated = repeatedValues(*this, table.name, index.fields.first());
        if (!repeated.isEmpty())
            return QStringLiteral("Ezeket a foglalási sorszámokat több foglalás is viseli: %1.\nAmíg ki nem "
                                  "javítják őket, az adatbázis nem zárja ki, hogy két foglalás ugyanazt a "
                                  "sorszámot kapja; a program ettől még tovább működik.")
                .arg(repeated.join(QStringLiteral(", ")));
        exec(QStringLiteral("DROP INDEX IF EXISTS \"%1\"").arg(index.name));
        exec(schema::createIndexStatement(table, index));
        unit.commit();
    } catch (const DbError &e) {
        return QStringLiteral("A foglalási sorszámok egyediségét őrző index nem hozható létre:\n") + e.message();
    }
    return QString();
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
    if (m_engine)
        m_engine->close();
    m_engine.reset();
    m_open = false;
    m_depth = 0;
    m_writtenAtBegin.clear();
    m_unitMembers.clear();
    m_unitLost = false;
}

std::unique_ptr<Statement> Database::prepare(const QString &sql)
{
    return openEngine().prepare(sql);
}

int Database::run(Statement &statement)
{
    const int n = statement.run();
    m_rowsWritten += n;
    return n;
}

bool Database::runUnlessRefused(Statement &statement)
{
    const int n = statement.runUnlessRefused();
    if (n < 0)
        return false;
    m_rowsWritten += n;
    return true;
}

int Database::exec(const QString &sql, const QVariantList &params)
{
    const auto st = prepare(sql);
    for (int i = 0; i < params.size(); ++i)
        st->bind(i, params[i]);
    return run(*st);
}

int Database::execNamed(const QString &sql, const QMap<QString, QVariant> &params)
{
    const auto st = prepare(sql);
    st->bindNamed(params);
    return run(*st);
}

qint64 Database::insert(const QString &sql, const QVariantList &params, const QString &keyColumn)
{
    const qint64 key = openEngine().insert(sql, params, keyColumn);
    ++m_rowsWritten;
    return key;
}

QStringList Database::tableNames()
{
    return openEngine().tableNames();
}

void Database::keysGiven(const QString &table, const QString &keyColumn)
{
    openEngine().keysGiven(table, keyColumn);
}

void Database::holdInUnit(const QString &what)
{
    if (m_depth == 0)
        throw DbError(QStringLiteral("A sorszám csak mentés közben foglalható le."));
    openEngine().holdInUnit(what);
}

QString Database::integrityProblem()
{
    return openEngine().integrityProblem();
}

QVector<qint64> Database::changeStamp()
{
    // An undo takes back changes that the engine's stamp has counted: rows
    // read before it are not the rows after it, though the stamp is the same.
    QVector<qint64> stamp = openEngine().changeStamp();
    if (!stamp.isEmpty())
        stamp << m_undone;
    return stamp;
}

void Database::attach(DataSet *ds)
{
    m_dataSets.append(ds);
}

void Database::detach(DataSet *ds)
{
    m_refreshAfterEdit.remove(ds);
    m_dataSets.removeAll(ds);
    m_unitMembers.removeAll(ds);
}

void Database::join(DataSet *ds)
{
    if (!m_unitMembers.contains(ds))
        m_unitMembers.append(ds);
}

bool Database::unitChangedRows() const
{
    return m_depth > 0 && m_rowsWritten != m_writtenAtBegin.first();
}

int Database::begin()
{
    if (!m_open)
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    // Statements run now would each be committed on their own.
    if (m_unitLost)
        throw DbError(lostUnitMessage());
    if (m_depth == 0)
        m_engine->begin();
    else
        exec(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
    m_writtenAtBegin.append(m_rowsWritten);
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
        if (level > 1)
            exec(QStringLiteral("RELEASE sp%1").arg(level - 1));
        else
            m_engine->commit();
    } catch (const DbError &) {
        // The commit failed (a busy or full disk): nothing of the level is
        // kept, and its data sets go back to what the user typed.
        undo(level);
        throw;
    }
    if (level > 1) {
        --m_depth;
        m_writtenAtBegin.removeLast();
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
    if (!m_engine->inTransaction()) {
        // The engine undid the whole transaction itself (a full disk, an I/O
        // error): what the levels below wrote is gone as well.
        m_unitLost = level > 1;
        return;
    }
    if (level > 1) {
        try {
            exec(QStringLiteral("ROLLBACK TO sp%1").arg(level - 1));
            exec(QStringLiteral("RELEASE sp%1").arg(level - 1));
            return;
        } catch (const DbError &) {
            // A savepoint that cannot be undone takes the whole unit with it.
        }
    }
    m_engine->rollback();
    m_unitLost = level > 1;
}

void Database::undo(int level)
{
    // Only a unit that changed rows can have left data sets showing rows
    // that are gone now.
    const bool wrote = m_rowsWritten != m_writtenAtBegin[level - 1];
    ++m_undone;
    rollbackEngine(level);
    m_depth = level - 1;
    m_writtenAtBegin.resize(m_depth);
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

void Database::heardElsewhere(const QStringList &tables)
{
    // A query may read any table, so it reads again whatever changed.
    const QVector<DataSet *> sets = m_dataSets;
    for (DataSet *ds : sets) {
        if (!m_dataSets.contains(ds) || !ds->isOpen())
            continue;
        const auto *table = qobject_cast<const Table *>(ds);
        if (table && !tables.contains(table->tableDef().name.toLower()))
            continue;
        if (ds->isEditing())
            refreshAfterEdit(ds);
        else
            refreshQuietly(ds);
    }
    Q_EMIT changedElsewhere(tables);
}

void Database::refreshQuietly(DataSet *ds)
{
    try {
        ds->refresh();
    } catch (const DbError &) {
        // The desk shows the rows it had; the next read tells the user.
    }
}

void Database::refreshAfterEdit(DataSet *ds)
{
    // What the user types stays as typed (the save checks the row against
    // the stored one anyway); the other rows are read once the edit ends.
    if (m_refreshAfterEdit.contains(ds))
        return;
    m_refreshAfterEdit.insert(ds);
    auto ended = std::make_shared<QMetaObject::Connection>();
    *ended = connect(ds, &DataSet::stateChanged, this, [this, ds, ended] {
        if (ds->isEditing())
            return;
        disconnect(*ended);
        m_refreshAfterEdit.remove(ds);
        // After the save or the cancel has finished its own work.
        QTimer::singleShot(0, ds, [this, ds] {
            if (ds->isOpen() && !ds->isEditing())
                refreshQuietly(ds);
        });
    });
}

void Database::completeUnit()
{
    m_depth = 0;
    m_writtenAtBegin.clear();
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
