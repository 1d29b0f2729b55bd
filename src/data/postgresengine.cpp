// The register on a PostgreSQL server. Qt's driver opens the connection
// (and so keeps the program's QtSql tools working on it); the statements
// run on its libpq connection directly, so that a walk streams its rows one
// by one instead of holding the whole result in memory, and so that every
// statement that a unit may survive runs under a savepoint: the server
// gives up a whole transaction at its first error.

#include "data/postgresengine.h"

#include "data/database.h"
#include "data/qtconnection.h"
#include "data/schema.h"
#include "data/storage.h"

#include <QHash>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <deque>
#include <libpq-fe.h>

namespace data {

namespace {

// The channel on which desks tell each other what their units changed.
const char kChannel[] = "nyugvar";
// The collation that puts texts in Hungarian order on the server.
const char kCollation[] = "nyugvar_hu";

// Type identifiers of the server's built-in types.
enum TypeOid : unsigned {
    kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kOid = 26,
    kFloat4 = 700, kFloat8 = 701, kNumeric = 1700,
};

// libpq's text, its lines without the indentation of its hints.
QString utf8(const char *text)
{
    return text ? QString::fromUtf8(text).replace(QLatin1Char('\t'), QLatin1Char(' ')).trimmed() : QString();
}

// A Hungarian sentence for the errors a user meets in daily work, by the
// server's SQLSTATE; empty for the others.
QString byState(const QByteArray &state)
{
    static const QHash<QByteArray, QString> known{
        {"23505", QStringLiteral("Már van ilyen kulcsú sor, a kulcs nem ismétlődhet.")},
        {"23502", QStringLiteral("Egy kötelező mező üresen maradt.")},
        {"23514", QStringLiteral("Egy érték nem felel meg a mező feltételének.")},
        {"22001", QStringLiteral("Az érték túl hosszú a mezőhöz.")},
        {"22003", QStringLiteral("Az érték túl nagy az adatbázis számára.")},
        {"22P02", QStringLiteral("Az érték típusa nem illik a mezőhöz.")},
        {"40001", QStringLiteral("Egy másik munkahely egyidejű változása miatt a mentés nem sikerült; próbálja újra.")},
        {"40P01", QStringLiteral("Két munkahely egymásra várt; a mentés nem sikerült, próbálja újra.")},
        {"55P03", QStringLiteral("A sort egy másik munkahely zárolja.")},
        {"57014", QStringLiteral("A művelet megszakadt.")},
        {"53100", QStringLiteral("Megtelt a kiszolgáló lemeze, a változás nem menthető.")},
        {"42501", QStringLiteral("Az adatbázishoz való hozzáférés megtagadva.")},
        {"25006", QStringLiteral("Az adatbázis csak olvasható, a változás nem menthető.")},
    };
    const auto it = known.constFind(state);
    if (it != known.constEnd())
        return *it;
    if (state.startsWith("08") || state.startsWith("57P"))
        return QStringLiteral("Megszakadt a kapcsolat a kiszolgálóval.");
    return QString();
}

// A key or a value's type refused a write: the refusals a batch move skips.
bool isRefusal(const QByteArray &state)
{
    return state.startsWith("23") || state.startsWith("22");
}

// Turns the marks of the data layer ("?", ":name") into the server's ($1,
// ...), leaving texts, quoted names, comments and casts ("::") alone.
// `names` receives the name of each mark (empty for "?").
QByteArray numberMarks(const QString &sql, QStringList &names)
{
    QString out;
    out.reserve(sql.size() + 16);
    const int n = int(sql.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        auto copyUntil = [&](QChar end) {
            out += c;
            while (++i < n) {
                out += sql[i];
                if (sql[i] == end)
                    break;
            }
        };
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            copyUntil(c);
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            copyUntil(QLatin1Char('\n'));
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const int end = sql.indexOf(QLatin1String("*/"), i + 2);
            const int stop = end < 0 ? n : end + 2;
            out += sql.mid(i, stop - i);
            i = stop - 1;
        } else if (c == QLatin1Char('?')) {
            names << QString();
            out += QLatin1Char('$') + QString::number(names.size());
        } else if (c == QLatin1Char(':') && i + 1 < n && sql[i + 1] == QLatin1Char(':')) {
            out += QLatin1String("::");
            ++i;
        } else if (c == QLatin1Char(':') && i + 1 < n && (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_'))) {
            int j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
                ++j;
            const QString name = sql.mid(i + 1, j - i - 1).toLower();
            int index = int(names.indexOf(name));
            if (index < 0) {
                names << name;
                index = int(names.size()) - 1;
            }
            out += QLatin1Char('$') + QString::number(index + 1);
            i = j - 1;
        } else {
            out += c;
        }
    }
    return out.toUtf8();
}

// The table that a write statement changes, in lower case; empty for any
// other statement.
QString writtenTable(const QString &sql)
{
    static const QRegularExpression write(
        QStringLiteral(R"(^\s*(?:INSERT\s+INTO|UPDATE|DELETE\s+FROM|TRUNCATE(?:\s+TABLE)?)\s+(?:ONLY\s+)?"?([\w.]+))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const auto m = write.match(sql);
    return m.hasMatch() ? m.captured(1).section(QLatin1Char('.'), -1).toLower() : QString();
}

QString columnType(const schema::FieldDef &f)
{
    using T = schema::FieldType;
    switch (f.type) {
    // A text keeps any length, as in the data folder's file: the editors
    // hold a field to its size, and a folder that holds longer texts from
    // elsewhere goes onto the server whole.
    case T::Text:
    case T::Memo: return QStringLiteral("text COLLATE %1").arg(QLatin1String(kCollation));
    case T::Integer: return QStringLiteral("bigint");
    case T::AutoInc: return QStringLiteral("bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
    case T::Float: return QStringLiteral("double precision");
    // Dates and times keep the ISO texts of the data folder's file.
    case T::Date:
    case T::Timestamp: return QStringLiteral("text");
    case T::Boolean: return QStringLiteral("smallint");
    }
    return QStringLiteral("text");
}

class PostgresEngine;

// ---- statements -------------------------------------------------------------

class PgStatement final : public Statement {
public:
    PgStatement(PostgresEngine &engine, const QString &sql);
    ~PgStatement() override;

    void bind(int index, const QVariant &value) override;
    void bindNamed(const QMap<QString, QVariant> &params) override;
    bool next() override;
    int run() override;
    int runUnlessRefused() override;
    QString writes() const { return m_writes; }
    void reset() override;

    int columnCount() const override;
    QString columnName(int column) const override;
    QString columnTable(int column) const override;
    QVariant value(int column) const override;

    // Reads the rest of a streaming result into memory: another statement
    // needs the connection.
    void drain();

private:
    friend class PostgresEngine;
    void ensurePrepared();
    void send();
    PGresult *take();  // the next result of the running statement
    void finishRun();
    [[noreturn]] void raise(PGresult *result);
    const PGresult *described() const;

    PostgresEngine &m_engine;
    QByteArray m_name;        // the server's name of the prepared statement
    QStringList m_markNames;  // per mark: its name, empty for "?"
    QByteArray m_text;        // the statement with numbered marks
    QVector<QByteArray> m_values;
    QVector<bool> m_nulls;
    QVector<int> m_binary;    // per mark: 1 for a byte array
    QVector<unsigned> m_types;
    QString m_writes;         // the table a write changes
    bool m_prepared = false;
    quint64 m_generation = 0;     // of the connection it was prepared on
    bool m_running = false;       // a result is being read
    bool m_onConnection = false;  // its results still come from the connection
    QByteArray m_lastState;       // the SQLSTATE of the last failure
    PGresult *m_row = nullptr;       // the current row's result
    int m_rowIndex = 0;              // its row
    std::deque<PGresult *> m_drained;
    mutable PGresult *m_description = nullptr;
};

// ---- the engine -------------------------------------------------------------

class PostgresEngine final : public Engine {
public:
    explicit PostgresEngine(const QString &connectionName) : m_connectionName(connectionName) {}
    ~PostgresEngine() override { close(); }

    void open(const QStringList &params, const std::function<void()> &lockWaitBegins) override;
    void close() override;
    QString writeProblem() const override { return QString(); }
    QSqlDatabase connection() const override { return QSqlDatabase::database(m_connectionName, false); }
    std::unique_ptr<Statement> prepare(const QString &sql) override
    {
        return std::make_unique<PgStatement>(*this, sql);
    }

    QStringList tableNames() override
    {
        return column(QStringLiteral("SELECT lower(table_name) FROM information_schema.tables "
                                     "WHERE table_schema = current_schema()"),
                      {});
    }
    QStringList columnNames(const QString &table) override
    {
        return column(QStringLiteral("SELECT lower(column_name) FROM information_schema.columns "
                                     "WHERE table_schema = current_schema() AND lower(table_name) = lower(?)"),
                      {table});
    }
    bool hasUniqueIndex(const QString &table, const QString &index) override
    {
        return !column(QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() AND "
                                      "lower(tablename) = lower(?) AND lower(indexname) = lower(?) AND "
                                      "indexdef LIKE 'CREATE UNIQUE%'"),
                       {table, index})
                    .isEmpty();
    }
    // The server keeps its own storage sound; a damaged page shows as an
    // error of the statement that meets it.
    QString integrityProblem() override { return QString(); }
    // Other desks commit without this desk hearing of it at once: rows are
    // always read again.
    QVector<qint64> changeStamp() override { return {}; }

    void begin() override
    {
        simple("BEGIN ISOLATION LEVEL READ COMMITTED");
        m_unitTables.clear();
    }
    void commit() override
    {
        announce(m_unitTables);
        m_unitTables.clear();
        simple("COMMIT");
    }
    void rollback() override
    {
        m_unitTables.clear();
        if (m_conn && PQtransactionStatus(m_conn) != PQTRANS_IDLE) {
            releaseStream();
            PQclear(PQexec(m_conn, "ROLLBACK"));
        }
    }
    bool inTransaction() const override
    {
        if (!m_conn)
            return true;  // the statements will tell
        const auto status = PQtransactionStatus(m_conn);
        return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
    }

    QString rowIdColumn() const override { return QStringLiteral("nyugvar_sor"); }
    QString sameValueOperator() const override { return QStringLiteral("IS NOT DISTINCT FROM"); }
    QString caseBlindLike() const override { return QStringLiteral("ILIKE"); }
    QString joinedText(const QStringList &parts) const override
    {
        return QStringLiteral("concat(%1)").arg(parts.join(QStringLiteral(", ")));
    }
    QString numberText(const QString &expr, const QString &decimalPoint) const override
    {
        QString point = decimalPoint;
        point.replace(QLatin1Char('\''), QLatin1String("''"));
        // Whole numbers as their digits; others as the shortest text that
        // reads back as the same number, which the find confirms anyway.
        return QStringLiteral("CASE WHEN %1 IS NULL THEN NULL"
                              " WHEN %1::float8 = trunc(%1::float8) AND abs(%1::float8) < 1e15"
                              " THEN (trunc(%1::float8)::bigint)::text"
                              " ELSE replace(%1::float8::text, '.', '%2') END")
            .arg(expr, point);
    }
    qint64 insert(const QString &sql, const QVariantList &params, const QString &keyColumn) override
    {
        PgStatement st(*this, sql + QStringLiteral(" RETURNING ") +
                                   schema::quoted(keyColumn.isEmpty() ? rowIdColumn() : keyColumn));
        for (int i = 0; i < params.size(); ++i)
            st.bind(i, params[i]);
        if (!st.next())
            throw DbError(QStringLiteral("A kiszolgáló nem adta vissza az új sor kulcsát."));
        const qint64 key = st.value(0).toLongLong();
        st.reset();
        written(st.writes());
        return key;
    }

    QString rowLockClause() const override { return QStringLiteral(" FOR UPDATE"); }
    void holdInUnit(const QString &what) override
    {
        PgStatement st(*this, QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(?))"));
        st.bind(0, QStringLiteral("nyugvar.") + what);
        st.run();
    }
    bool isServer() const override { return true; }
    QString location() const override { return m_location; }
    QStringList createStatements() const override;
    void keysGiven(const QString &table, const QString &keyColumn) override
    {
        const QString t = schema::quoted(table), k = schema::quoted(keyColumn);
        PgStatement st(*this, QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                             "coalesce((SELECT max(%3) FROM %1), 0) + 1, false)")
                                  .arg(t, keyColumn.toLower(), k));
        st.run();
    }
    void watch(const std::function<void(const QStringList &)> &heard) override;

    // For the statements: the connection, made again when the server was
    // lost and is back.
    PGconn *conn()
    {
        if (!m_conn)
            throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
        if (PQstatus(m_conn) == CONNECTION_BAD)
            reconnect();
        return m_conn;
    }
    // Statements prepared before the connection was made again are gone on
    // the server.
    quint64 generation() const { return m_generation; }
    // The statement that streams its rows gives way to another.
    void takeConnection(PgStatement *next)
    {
        if (m_stream && m_stream != next)
            m_stream->drain();
        flushDeallocations();
    }
    void streamStarts(PgStatement *st) { m_stream = st; }
    void streamEnds(PgStatement *st)
    {
        if (m_stream == st)
            m_stream = nullptr;
    }
    void releaseStream()
    {
        if (m_stream)
            m_stream->drain();
    }
    QByteArray nextName() { return "nyu_" + QByteArray::number(++m_serial); }
    void deallocateLater(const QByteArray &name) { m_deallocate << name; }
    void written(const QString &table)
    {
        if (table.isEmpty())
            return;
        if (PQtransactionStatus(m_conn) == PQTRANS_IDLE)
            announce({table});  // a statement of its own: committed already
        else if (!m_unitTables.contains(table))
            m_unitTables << table;
    }
    QString tableOfOid(unsigned oid);
    // Runs a savepoint statement of a refusable write.
    void simple(const char *sql);
    // The message of a failed result, in Hungarian where a user meets it.
    QString message(const PGresult *result) const;
    void afterStatement() { pollNotices(); }

private:
    QStringList column(const QString &sql, const QStringList &params);
    void announce(const QStringList &tables);
    void flushDeallocations();
    void pollNotices();
    void startSession();
    void listen();
    void reconnect();

    QString m_connectionName;
    QString m_location;
    PGconn *m_conn = nullptr;
    PgStatement *m_stream = nullptr;
    quint64 m_serial = 0;
    quint64 m_generation = 0;
    QVector<QByteArray> m_deallocate;
    QStringList m_unitTables;
    QHash<unsigned, QString> m_tableOfOid;
    std::function<void(const QStringList &)> m_heard;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_ownPid;
};

// ---- statements, implemented ------------------------------------------------

PgStatement::PgStatement(PostgresEngine &engine, const QString &sql)
    : m_engine(engine), m_text(numberMarks(sql, m_markNames)), m_writes(writtenTable(sql))
{
    m_values.resize(m_markNames.size());
    m_nulls.fill(true, m_markNames.size());
    m_binary.fill(0, m_markNames.size());
    m_types.fill(0, m_markNames.size());
    if (m_text.trimmed().isEmpty())
        throw DbError(QStringLiteral("Az utasítás üres."));
    ensurePrepared();
}

PgStatement::~PgStatement()
{
    try {
        reset();
    } catch (...) {
    }
    PQclear(m_description);
    if (m_prepared && m_generation == m_engine.generation())
        m_engine.deallocateLater(m_name);
}

void PgStatement::ensurePrepared()
{
    PGconn *c = m_engine.conn();
    if (m_prepared && m_generation == m_engine.generation())
        return;
    m_generation = m_engine.generation();
    m_prepared = false;
    m_engine.takeConnection(this);
    m_name = m_engine.nextName();
    // The server works out each mark's type from where it stands; a mark it
    // cannot place ("? IS NULL") is taken as text.
    for (int attempt = 0; attempt <= m_types.size(); ++attempt) {
        PGresult *r = PQprepare(c, m_name.constData(), m_text.constData(), int(m_types.size()),
                                m_types.isEmpty() ? nullptr : reinterpret_cast<const ::Oid *>(m_types.constData()));
        if (PQresultStatus(r) == PGRES_COMMAND_OK) {
            PQclear(r);
            m_prepared = true;
            return;
        }
        static const QRegularExpression unknown(QStringLiteral("parameter \\$(\\d+)"));
        const auto m = unknown.match(utf8(PQresultErrorMessage(r)));
        const QByteArray state = PQresultErrorField(r, PG_DIAG_SQLSTATE);
        if (state != "42P18" || !m.hasMatch() || m.captured(1).toInt() > m_types.size()) {
            const QString message = m_engine.message(r);
            PQclear(r);
            throw DbError(message);
        }
        PQclear(r);
        m_types[m.captured(1).toInt() - 1] = kText;
    }
    throw DbError(QStringLiteral("A kiszolgáló nem tudta előkészíteni az utasítást."));
}

void PgStatement::bind(int index, const QVariant &value)
{
    if (m_running)
        reset();
    if (index < 0 || index >= m_values.size())
        throw DbError(QStringLiteral("Az utasításnak nincs %1. paramétere.").arg(index + 1));
    const QVariant v = toStorage(value);
    m_nulls[index] = !v.isValid() || v.isNull();
    m_binary[index] = 0;
    if (m_nulls[index])
        return;
    switch (v.typeId()) {
    case QMetaType::Bool: m_values[index] = v.toBool() ? "1" : "0"; break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: m_values[index] = QByteArray::number(v.toLongLong()); break;
    case QMetaType::Double: m_values[index] = QByteArray::number(v.toDouble(), 'g', 17); break;
    case QMetaType::QByteArray:
        m_values[index] = v.toByteArray();
        m_binary[index] = 1;
        break;
    default: m_values[index] = v.toString().toUtf8();
    }
}

void PgStatement::bindNamed(const QMap<QString, QVariant> &params)
{
    for (int i = 0; i < m_markNames.size(); ++i) {
        if (m_markNames[i].isEmpty())
            continue;
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            if (it.key().compare(m_markNames[i], Qt::CaseInsensitive) == 0) {
                bind(i, it.value());
                break;
            }
    }
}

void PgStatement::send()
{
    if (m_running)
        reset();
    ensurePrepared();
    PGconn *c = m_engine.conn();
    m_engine.takeConnection(this);
    QVector<const char *> values(m_values.size());
    QVector<int> lengths(m_values.size());
    for (int i = 0; i < m_values.size(); ++i) {
        values[i] = m_nulls[i] ? nullptr : m_values[i].constData();
        lengths[i] = int(m_values[i].size());
    }
    if (!PQsendQueryPrepared(c, m_name.constData(), int(values.size()), values.constData(), lengths.constData(),
                             m_binary.constData(), 0))
        throw DbError(m_engine.message(nullptr));
    // A statement that reads streams its rows one by one; the connection is
    // its own until the last of its results is read.
    if (m_writes.isEmpty())
        PQsetSingleRowMode(c);
    m_running = true;
    m_onConnection = true;
    m_engine.streamStarts(this);
}

PGresult *PgStatement::take()
{
    if (!m_drained.empty()) {
        PGresult *r = m_drained.front();
        m_drained.pop_front();
        return r;
    }
    if (!m_onConnection)
        return nullptr;
    PGresult *r = PQgetResult(m_engine.conn());
    if (!r) {
        m_onConnection = false;
        m_engine.streamEnds(this);
    }
    return r;
}

void PgStatement::drain()
{
    if (!m_onConnection)
        return;
    while (PGresult *r = PQgetResult(m_engine.conn()))
        m_drained.push_back(r);
    m_onConnection = false;
    m_engine.streamEnds(this);
}

void PgStatement::finishRun()
{
    // Reads what the server still sends for this statement.
    if (m_onConnection) {
        while (PGresult *r = PQgetResult(m_engine.conn()))
            PQclear(r);
        m_onConnection = false;
        m_engine.streamEnds(this);
    }
    for (PGresult *r : m_drained)
        PQclear(r);
    m_drained.clear();
    PQclear(m_row);
    m_row = nullptr;
    m_running = false;
    m_engine.afterStatement();
}

void PgStatement::raise(PGresult *result)
{
    const QString message = m_engine.message(result);
    m_lastState = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    PQclear(result);
    finishRun();
    throw DbError(message);
}

bool PgStatement::next()
{
    if (!m_running)
        send();
    // A whole result read at once (a write's RETURNING) is walked in place.
    if (m_row && m_rowIndex + 1 < PQntuples(m_row)) {
        ++m_rowIndex;
        return true;
    }
    PQclear(m_row);
    m_row = nullptr;
    for (;;) {
        PGresult *r = take();
        if (!r) {
            finishRun();
            return false;
        }
        switch (PQresultStatus(r)) {
        case PGRES_SINGLE_TUPLE:
            m_row = r;
            m_rowIndex = 0;
            return true;
        case PGRES_TUPLES_OK:
            if (PQntuples(r) > 0) {
                m_row = r;
                m_rowIndex = 0;
                return true;
            }
            PQclear(r);
            break;
        case PGRES_COMMAND_OK:
            PQclear(r);
            break;
        default:
            raise(r);
        }
    }
}

int PgStatement::run()
{
    send();
    int changed = 0;
    while (PGresult *r = take()) {
        const auto status = PQresultStatus(r);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_SINGLE_TUPLE)
            raise(r);
        changed += QByteArray(PQcmdTuples(r)).toInt();
        PQclear(r);
    }
    finishRun();
    if (changed > 0)
        m_engine.written(m_writes);
    return changed;
}

int PgStatement::runUnlessRefused()
{
    // Inside a unit a refused statement would end the whole transaction:
    // it runs under a savepoint of its own.
    const bool inUnit = PQtransactionStatus(m_engine.conn()) == PQTRANS_INTRANS;
    if (inUnit)
        m_engine.simple("SAVEPOINT nyugvar_egy");
    try {
        const int changed = run();
        if (inUnit)
            m_engine.simple("RELEASE SAVEPOINT nyugvar_egy");
        return changed;
    } catch (const DbError &) {
        const QByteArray state = m_lastState;
        if (inUnit) {
            m_engine.simple("ROLLBACK TO SAVEPOINT nyugvar_egy");
            m_engine.simple("RELEASE SAVEPOINT nyugvar_egy");
        }
        if (!isRefusal(state))
            throw;
        return -1;
    }
}

void PgStatement::reset()
{
    if (m_running || m_row || !m_drained.empty())
        finishRun();
}

const PGresult *PgStatement::described() const
{
    if (m_row)
        return m_row;
    if (!m_description) {
        auto &self = const_cast<PgStatement &>(*this);
        self.drain();
        self.m_engine.takeConnection(&self);
        m_description = PQdescribePrepared(self.m_engine.conn(), m_name.constData());
        if (PQresultStatus(m_description) != PGRES_COMMAND_OK) {
            const QString message = m_engine.message(m_description);
            PQclear(m_description);
            m_description = nullptr;
            throw DbError(message);
        }
    }
    return m_description;
}

int PgStatement::columnCount() const
{
    return PQnfields(described());
}

QString PgStatement::columnName(int column) const
{
    return QString::fromUtf8(PQfname(described(), column));
}

QString PgStatement::columnTable(int column) const
{
    const unsigned oid = PQftable(described(), column);
    return oid ? m_engine.tableOfOid(oid) : QString();
}

QVariant PgStatement::value(int column) const
{
    if (!m_row || PQgetisnull(m_row, m_rowIndex, column))
        return QVariant();
    const char *text = PQgetvalue(m_row, m_rowIndex, column);
    const int length = PQgetlength(m_row, m_rowIndex, column);
    switch (PQftype(m_row, column)) {
    case kBool: return QVariant(qlonglong(text[0] == 't' ? 1 : 0));
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid: return QVariant(QByteArray::fromRawData(text, length).toLongLong());
    case kFloat4:
    case kFloat8: return QVariant(QByteArray::fromRawData(text, length).toDouble());
    case kNumeric: {
        // A sum or a count of whole numbers is a whole number.
        const QByteArray n = QByteArray::fromRawData(text, length);
        bool whole = false;
        const qlonglong i = n.toLongLong(&whole);
        return whole ? QVariant(i) : QVariant(n.toDouble());
    }
    case kBytea: {
        size_t size = 0;
        unsigned char *bytes = PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &size);
        const QByteArray out(reinterpret_cast<const char *>(bytes), qsizetype(size));
        PQfreemem(bytes);
        return out;
    }
    default: return QString::fromUtf8(text, length);
    }
}

// ---- the engine, implemented ------------------------------------------------

QString PostgresEngine::message(const PGresult *result) const
{
    const QString server = result ? utf8(PQresultErrorMessage(result)) : QString();
    const QString text = server.isEmpty() && m_conn ? utf8(PQerrorMessage(m_conn)) : server;
    const QByteArray state = result ? QByteArray(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QByteArray();
    QString hungarian = byState(state);
    if (hungarian.isEmpty() && m_conn && PQstatus(m_conn) == CONNECTION_BAD)
        hungarian = QStringLiteral("Megszakadt a kapcsolat a kiszolgálóval (%1).").arg(m_location);
    return hungarian.isEmpty() ? text : QStringLiteral("%1\n(%2)").arg(hungarian, text);
}

void PostgresEngine::simple(const char *sql)
{
    releaseStream();
    PGresult *r = PQexec(conn(), sql);
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    const QString error = ok ? QString() : message(r);
    PQclear(r);
    if (!ok)
        throw DbError(error);
}

QStringList PostgresEngine::column(const QString &sql, const QStringList &params)
{
    PgStatement st(*this, sql);
    for (int i = 0; i < params.size(); ++i)
        st.bind(i, params[i]);
    QStringList out;
    while (st.next())
        out << st.value(0).toString();
    return out;
}

QString PostgresEngine::tableOfOid(unsigned oid)
{
    const auto it = m_tableOfOid.constFind(oid);
    if (it != m_tableOfOid.constEnd())
        return *it;
    const QStringList name = column(QStringLiteral("SELECT relname FROM pg_class WHERE oid = ?::oid"),
                                    {QString::number(oid)});
    return m_tableOfOid[oid] = name.value(0);
}

void PostgresEngine::flushDeallocations()
{
    if (m_deallocate.isEmpty() || !m_conn || PQtransactionStatus(m_conn) == PQTRANS_INERROR ||
        PQtransactionStatus(m_conn) == PQTRANS_ACTIVE)
        return;
    QByteArray sql;
    for (const QByteArray &name : qAsConst(m_deallocate))
        sql += "DEALLOCATE " + name + ";";
    m_deallocate.clear();
    PQclear(PQexec(m_conn, sql.constData()));
}

QStringList PostgresEngine::createStatements() const
{
    QStringList out{QStringLiteral("CREATE COLLATION IF NOT EXISTS %1 (provider = icu, locale = 'hu-HU')")
                        .arg(QLatin1String(kCollation))};
    for (const schema::TableDef &t : schema::tables()) {
        QStringList cols;
        for (const schema::FieldDef &f : t.fields)
            cols << QStringLiteral("%1 %2").arg(schema::quoted(f.name), columnType(f));
        if (t.autoKey.isEmpty())
            cols << QStringLiteral("%1 bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY").arg(rowIdColumn());
        out << QStringLiteral("CREATE TABLE %1 (%2)").arg(schema::quoted(t.name), cols.join(QStringLiteral(", ")));
    }
    // An index carries the row's key as well: a list's order and its row
    // keys come from the index alone, without a visit to the table's rows.
    for (const schema::TableDef &t : schema::tables()) {
        const QString key = t.autoKey.isEmpty() ? rowIdColumn() : t.autoKey;
        for (const schema::IndexDef &ix : t.indexes) {
            QString sql = schema::createIndexStatement(t, ix);
            if (!ix.fields.contains(key, Qt::CaseInsensitive))
                sql += QStringLiteral(" INCLUDE (%1)").arg(schema::quoted(key));
            out << sql;
        }
    }
    return out;
}

void PostgresEngine::open(const QStringList &params, const std::function<void()> &)
{
    const QString host = connectionParam(params, QStringLiteral("HOST"));
    const QString port = connectionParam(params, QStringLiteral("PORT"));
    const QString name = connectionParam(params, QStringLiteral("DBNAME"));
    m_location = QStringLiteral("%1:%2/%3")
                     .arg(host.isEmpty() ? QStringLiteral("localhost") : host,
                          port.isEmpty() ? QStringLiteral("5432") : port, name);

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
    if (!db.isValid())
        throw DbError(QStringLiteral("Hiányzik a Qt PostgreSQL-meghajtója (a libqt6sql6-psql csomag)."));
    db.setHostName(host);
    if (!port.isEmpty())
        db.setPort(port.toInt());
    db.setDatabaseName(name);
    db.setUserName(connectionParam(params, QStringLiteral("USER")));
    db.setPassword(connectionParam(params, QStringLiteral("PASSWORD")));
    const QString ssl = connectionParam(params, QStringLiteral("SSLMODE"));
    db.setConnectOptions(QStringLiteral("sslmode=%1;application_name=nyugvar;connect_timeout=10")
                             .arg(ssl.isEmpty() ? QStringLiteral("prefer") : ssl));
    if (!db.open()) {
        const QString why =
            (db.lastError().databaseText() + QLatin1Char(' ') + db.lastError().driverText()).simplified();
        db = QSqlDatabase();
        close();
        const QString at = QStringLiteral("A kiszolgáló (%1)").arg(m_location);
        if (why.contains(QLatin1String("password"), Qt::CaseInsensitive))
            throw PasswordNeededError(QStringLiteral("%1 jelszót kér, vagy a megadott jelszót nem fogadta el.\n(%2)")
                                          .arg(at, why.trimmed()));
        if (why.contains(QLatin1String("does not exist")) && why.contains(QLatin1String("database")))
            throw DbError(QStringLiteral("%1 nem ismeri a(z) „%2” adatbázist. A rendszergazda hozza létre, és töltse "
                                         "fel a nyugvar-atvitel programmal.\n(%3)")
                              .arg(at, name, why.trimmed()));
        if (why.contains(QLatin1String("role")) && why.contains(QLatin1String("does not exist")))
            throw DbError(QStringLiteral("%1 nem ismeri a megadott felhasználót.\n(%2)").arg(at, why.trimmed()));
        throw DbError(QStringLiteral("%1 nem érhető el. Ellenőrizze a hálózatot és a beállításokban a kiszolgáló nevét "
                                     "és portját ([Adatbazis]).\n(%2)")
                          .arg(at, why.trimmed()));
    }
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "pg_conn*") != 0 || !*static_cast<PGconn *const *>(h.constData())) {
        close();
        throw DbError(QStringLiteral("Az adatbázis nem PostgreSQL-kapcsolaton nyílt meg."));
    }
    m_conn = *static_cast<PGconn *const *>(h.constData());
    try {
        startSession();
        if (connectionParam(params, QStringLiteral("URES")) == QLatin1String("1"))
            return;
        const QStringList present = tableNames();
        if (!present.contains(QStringLiteral("ugyfel")) && !present.contains(QStringLiteral("foglalas")))
            throw DamagedDbError(QStringLiteral("A kiszolgáló (%1) adatbázisa üres. A rendszergazda töltse fel egy "
                                                "adatmappából a nyugvar-atvitel programmal.")
                                     .arg(m_location));
    } catch (...) {
        close();
        throw;
    }
}

void PostgresEngine::close()
{
    m_notifier.reset();
    m_stream = nullptr;
    m_deallocate.clear();
    m_conn = nullptr;
    m_tableOfOid.clear();
    dropQtConnection(m_connectionName);
}

// ---- desks telling each other -------------------------------------------------

void PostgresEngine::announce(const QStringList &tables)
{
    if (tables.isEmpty() || !m_conn)
        return;
    // Inside the unit the notice waits for its commit, and goes nowhere when
    // the unit is undone.
    const QByteArray payload = tables.join(QLatin1Char(',')).toUtf8();
    const char *values[] = {kChannel, payload.constData()};
    releaseStream();
    PGresult *r = PQexecParams(m_conn, "SELECT pg_notify($1, $2)", 2, nullptr, values, nullptr, nullptr, 0);
    PQclear(r);
}

void PostgresEngine::startSession()
{
    m_ownPid = QByteArray::number(PQbackendPID(m_conn));
    simple("SET client_encoding = 'UTF8'");
    // Doubles travel as the shortest text that reads back exactly.
    simple("SET extra_float_digits = 3");
}

void PostgresEngine::watch(const std::function<void(const QStringList &)> &heard)
{
    m_heard = heard;
    listen();
}

void PostgresEngine::listen()
{
    if (!m_conn || !m_heard)
        return;
    simple("LISTEN nyugvar");
    m_notifier = std::make_unique<QSocketNotifier>(PQsocket(m_conn), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
        // Between statements only: a statement that reads the connection
        // picks the notices up itself when it ends. A lost connection stops
        // the watch until it is made again.
        if (!m_conn || m_stream || PQisBusy(m_conn) != 0)
            return;
        if (!PQconsumeInput(m_conn) || PQstatus(m_conn) == CONNECTION_BAD) {
            m_notifier->setEnabled(false);
            return;
        }
        pollNotices();
    });
}

void PostgresEngine::reconnect()
{
    // Whatever was on its way is lost with the connection.
    m_stream = nullptr;
    m_deallocate.clear();
    m_unitTables.clear();
    m_notifier.reset();
    PQreset(m_conn);
    ++m_generation;
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw DbError(QStringLiteral("Megszakadt a kapcsolat a kiszolgálóval (%1), és most sem érhető el. A beírt "
                                     "adatok megmaradtak; próbálja újra, amikor a kiszolgáló ismét elérhető.\n(%2)")
                          .arg(m_location, utf8(PQerrorMessage(m_conn))));
    startSession();
    listen();
}

void PostgresEngine::pollNotices()
{
    if (!m_conn || !m_heard)
        return;
    QStringList tables;
    while (PGnotify *n = PQnotifies(m_conn)) {
        // Our own commits are known here already.
        if (QByteArray::number(n->be_pid) != m_ownPid) {
            for (const QString &t : QString::fromUtf8(n->extra).split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (!tables.contains(t))
                    tables << t;
        }
        PQfreemem(n);
    }
    if (tables.isEmpty())
        return;
    // Heard in the middle of another statement's work: the data sets read
    // again once control is back in the event loop.
    if (m_notifier) {
        const auto heard = m_heard;
        QMetaObject::invokeMethod(m_notifier.get(), [heard, tables] { heard(tables); }, Qt::QueuedConnection);
    }
}

}  // namespace

std::unique_ptr<Engine> makePostgresEngine(const QString &connectionName)
{
    return std::make_unique<PostgresEngine>(connectionName);
}

QStringList serverParams(const QString &conninfo)
{
    char *error = nullptr;
    PQconninfoOption *options = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    if (!options) {
        const QString why = error ? QString::fromUtf8(error).trimmed() : QString();
        PQfreemem(error);
        throw DbError(QStringLiteral("A kapcsolat leírása hibás: %1\n%2").arg(conninfo, why));
    }
    static const QPair<const char *, const char *> names[] = {
        {"host", "HOST"}, {"port", "PORT"}, {"dbname", "DBNAME"}, {"user", "USER"},
        {"sslmode", "SSLMODE"}, {"password", "PASSWORD"}};
    QStringList params{QStringLiteral("MOTOR=PostgreSQL")};
    for (PQconninfoOption *o = options; o->keyword; ++o) {
        if (!o->val)
            continue;
        for (const auto &n : names)
            if (qstrcmp(o->keyword, n.first) == 0)
                params << QStringLiteral("%1=%2").arg(QLatin1String(n.second), QString::fromUtf8(o->val));
    }
    PQconninfoFree(options);
    return params;
}

}  // namespace data
