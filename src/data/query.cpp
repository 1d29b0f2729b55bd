#include "data/query.h"

#include "data/database.h"
#include "data/engine.h"
#include "data/filter.h"
#include "data/storage.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <sqlite3.h>

namespace data {

namespace {

constexpr int kPageRows = 256;  // rows read at once for grids and jumps
constexpr int kLongestPage = 8192;
constexpr int kReadOnRows = 1024;  // rows read at once by a walk
// A walk jumping further ahead than this starts the statement anew there:
// the engine skips rows faster than reading them.
constexpr int kSkipAhead = 4 * kReadOnRows;

const QString kLimit = QStringLiteral(":nyugvar_lap_db");
const QString kOffset = QStringLiteral(":nyugvar_lap_tol");

[[noreturn]] void raise(const QSqlQuery &q)
{
    throw DbError(engineMessage(q.lastError()));
}

void bindParams(QSqlQuery &q, const QString &sql, const QMap<QString, QVariant> &params)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QRegularExpression used(QStringLiteral(":%1\\b").arg(QRegularExpression::escape(it.key())),
                                      QRegularExpression::CaseInsensitiveOption);
        if (sql.contains(used))
            q.bindValue(QLatin1Char(':') + it.key(), toStorage(it.value()));
    }
}

schema::FieldType typeOfValue(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return schema::FieldType::Integer;
    case QMetaType::Double:
        return schema::FieldType::Float;
    default:
        return schema::FieldType::Text;
    }
}

// The statement without its trailing ";", to stand inside another one. The
// line breaks keep a closing line comment from swallowing what follows.
QString asSubquery(const QString &sql)
{
    QString s = sql.trimmed();
    while (s.endsWith(QLatin1Char(';')))
        s = s.chopped(1).trimmed();
    return QStringLiteral("(\n") + s + QStringLiteral("\n)");
}

QString pagedSql(const QString &sql)
{
    return QStringLiteral("SELECT * FROM ") + asSubquery(sql) + QStringLiteral(" LIMIT ") + kLimit +
           QStringLiteral(" OFFSET ") + kOffset;
}

// The engine names a repeated column of a subquery "name:1"; the result
// gives it the name it has in the statement itself.
QString nameInStatement(const QString &name, const QStringList &before)
{
    static const QRegularExpression repeated(QStringLiteral("^(.*):\\d+$"));
    const QRegularExpressionMatch m = repeated.match(name);
    if (m.hasMatch() && before.contains(m.captured(1), Qt::CaseInsensitive))
        return m.captured(1);
    return name;
}

}  // namespace

Query::Query(Database &db, QObject *parent) : DataSet(db, parent)
{
    setReadOnly(true);  // a result is read, never written back
}
Query::~Query()
{
    releaseForward();
}

void Query::setSql(const QString &sql)
{
    if (isOpen())
        close();
    m_sql = sql;
}

void Query::setParam(const QString &name, const QVariant &value)
{
    QString n = name;
    if (n.startsWith(QLatin1Char(':')))
        n.remove(0, 1);
    m_params.insert(n, value);
}

void Query::setColumnLook(const QString &column, const QString &label, const QString &format)
{
    m_looks.insert(column.toCaseFolded(), {label, format});
}

QVariant Query::param(const QString &name) const
{
    return m_params.value(name);
}

// ---- the result's columns ---------------------------------------------------

void Query::describe(const QSqlQuery &q)
{
    m_columns.clear();
    const QSqlRecord rec = q.record();
    QStringList given, names;
    for (int c = 0; c < rec.count(); ++c) {
        const QSqlField sf = rec.field(c);
        const QString original = nameInStatement(sf.name(), given);
        given << original;
        QString name = original;
        // A repeated column name gets _1, _2, ... appended.
        if (names.contains(name, Qt::CaseInsensitive)) {
            int k = 1;
            while (names.contains(name + QStringLiteral("_%1").arg(k), Qt::CaseInsensitive))
                ++k;
            name += QStringLiteral("_%1").arg(k);
        }
        names << name;
        Column col;
        col.def.name = name;
        // A column read straight from a table keeps that field's label,
        // type and display format.
        if (const schema::TableDef *t = schema::table(sf.tableName())) {
            if (const schema::FieldDef *f = t->field(original)) {
                col.def = *f;
                col.def.name = name;
                col.known = true;
                if (m_plain) {
                    col.def.label.clear();
                    col.def.format.clear();
                    col.def.mask.clear();
                }
            }
        }
        const auto look = m_looks.constFind(name.toCaseFolded());
        if (look != m_looks.constEnd()) {
            col.def.label = look->label;
            col.def.format = look->format;
        }
        m_columns << col;
    }
}

// Columns of expressions take the type of their first value: reads on until
// each has one (mostly the first row).
void Query::settleTypes()
{
    QVector<int> open;
    for (int c = 0; c < m_columns.size(); ++c)
        if (!m_columns[c].known)
            open << c;
    if (open.isEmpty())
        return;
    std::unique_ptr<QSqlQuery> q = openResult(0, -1);
    while (!open.isEmpty() && q->next()) {
        for (int i = open.size() - 1; i >= 0; --i) {
            const QVariant v = q->value(open[i]);
            if (!v.isNull()) {
                m_columns[open[i]].def.type = typeOfValue(v);
                open.remove(i);
            }
        }
    }
    if (q->lastError().isValid())
        raise(*q);
}

// A statement that cannot stand as a subquery (a PRAGMA) is read whole, as
// the engine gives it.
void Query::readWhole()
{
    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    if (!q.prepare(m_sql))
        raise(q);
    bindParams(q, m_sql, m_params);
    if (!q.exec())
        raise(q);
    describe(q);
    m_whole.clear();
    while (q.next())
        m_whole.append(readRow(q));
    if (q.lastError().isValid())
        raise(q);
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].known)
            continue;
        for (const Row &r : qAsConst(m_whole)) {
            if (r[c].isValid()) {
                m_columns[c].def.type = typeOfValue(r[c]);
                break;
            }
        }
    }
    m_haveWhole = true;
}

void Query::buildFields(QVector<Field> &fields)
{
    m_whole.clear();
    m_haveWhole = false;
    {
        // LIMIT 0 reads no row: the engine names the columns all the same.
        QSqlQuery q(database().connection());
        q.setForwardOnly(true);
        m_paged = q.prepare(pagedSql(m_sql));
        if (m_paged) {
            bindParams(q, m_sql, m_params);
            q.bindValue(kLimit, 0);
            q.bindValue(kOffset, 0);
            if (!q.exec())
                raise(q);
            describe(q);
        }
    }
    if (m_paged)
        settleTypes();
    else
        readWhole();
    fields.clear();
    for (const Column &c : qAsConst(m_columns))
        fields.append({c.def, FieldKind::Stored, -1, -1});
}

// ---- reading rows -----------------------------------------------------------

std::unique_ptr<QSqlQuery> Query::openResult(int offset, int limit) const
{
    auto q = std::make_unique<QSqlQuery>(database().connection());
    q->setForwardOnly(true);
    if (!q->prepare(pagedSql(m_sql)))
        raise(*q);
    bindParams(*q, m_sql, m_params);
    q->bindValue(kLimit, limit);
    q->bindValue(kOffset, offset);
    if (!q->exec())
        raise(*q);
    return q;
}

int Query::countRows() const
{
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + asSubquery(m_sql);
    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        raise(q);
    bindParams(q, m_sql, m_params);
    if (!q.exec())
        raise(q);
    if (!q.next())
        raise(q);
    return q.value(0).toInt();
}

Row Query::readRow(const QSqlQuery &q) const
{
    Row r(qMax(fieldCount(), int(m_columns.size())));
    for (int c = 0; c < m_columns.size(); ++c) {
        const QVariant raw = q.value(c);
        r[c] = m_columns[c].known ? fromStorage(raw, m_columns[c].def.type) : (raw.isNull() ? QVariant() : raw);
    }
    return r;
}

void Query::loadRows()
{
    m_cursor.reset();
    m_page.clear();
    m_positions.clear();
    const FilterExpr *filter = activeFilter();
    m_filteredView = filter != nullptr;
    if (!m_paged) {
        // Opening has just read the result; a refresh or a new filter reads
        // it again, so rows that changed meanwhile show.
        if (!m_haveWhole)
            readWhole();
        m_haveWhole = false;
        for (int i = 0; i < m_whole.size(); ++i)
            if (!filter || filter->matches([&](int f) { return m_whole[i].value(f); }))
                m_positions.append(i);
        m_filteredView = true;
        m_rowCount = m_positions.size();
        return;
    }
    if (!filter) {
        m_rowCount = countRows();
        return;
    }
    // One pass notes the positions of the rows that pass; none is kept.
    std::unique_ptr<QSqlQuery> q = openResult(0, -1);
    for (int pos = 0; q->next(); ++pos) {
        const Row r = readRow(*q);
        if (filter->matches([&](int f) { return r.value(f); }))
            m_positions.append(pos);
    }
    if (q->lastError().isValid())
        raise(*q);
    m_rowCount = m_positions.size();
}

void Query::unloadRows()
{
    releaseForward();
    m_cursor.reset();
    m_page.clear();
    m_positions.clear();
    m_whole.clear();
    m_haveWhole = false;
    m_rowCount = 0;
}

void Query::controlsEnabled()
{
    // The walk is over: no statement stays open while the user looks on
    // (an open one would keep other programs from writing).
    m_cursor.reset();
}

Row Query::fetchRow(int row) const
{
    if (!m_paged)
        return m_whole[position(row)];
    const int at = row - m_pageFirst;
    if (at < 0 || at >= m_page.size()) {
        if (!controlsDisabled() || !readOn(row))
            readPage(row);
    }
    return m_page[row - m_pageFirst];
}

void Query::readPage(int row) const
{
    // A reader going on page after page in one direction gets longer
    // pages: each page is a new statement that skips the rows before it.
    int from, to;
    const int pageEnd = m_pageFirst + m_page.size();
    if (!m_page.isEmpty() && (row == pageEnd || row == m_pageFirst - 1)) {
        m_pageRows = qBound(kPageRows, 2 * m_pageRows, kLongestPage);
        from = row == pageEnd ? row : qMax(0, row + 1 - m_pageRows);
        to = qMin(m_rowCount, from + m_pageRows);
    } else {
        m_pageRows = kPageRows;
        from = qMax(0, row - kPageRows / 2);
        to = qMin(m_rowCount, row + kPageRows / 2);
    }
    const int firstPos = position(from);
    std::unique_ptr<QSqlQuery> q = openResult(firstPos, position(to - 1) - firstPos + 1);
    m_page.clear();
    m_pageFirst = from;
    for (int pos = firstPos, r = from; r < to && q->next(); ++pos) {
        if (pos == position(r)) {
            m_page.append(readRow(*q));
            ++r;
        }
    }
    if (q->lastError().isValid())
        raise(*q);
    // Rows gone since the result was counted show empty until a refresh.
    m_page.resize(to - from, Row(fieldCount()));
}

// A walk reads on from where its statement stands. Returns false when the
// row lies behind it: a look back is read as a page, the walk stays put.
bool Query::readOn(int row) const
{
    const int pos = position(row);
    bool fresh = !m_cursor || pos - m_cursorAt > kSkipAhead;
    if (m_cursor && m_cursorAt > pos)
        return false;
    if (fresh) {
        m_cursor = openResult(pos, -1);
        m_cursorAt = pos;
    }
    const int to = qMin(m_rowCount, row + kReadOnRows);
    m_page.clear();
    m_pageFirst = row;
    for (int r = row; r < to;) {
        if (!m_cursor->next()) {
            if (!m_cursor->lastError().isValid())
                break;  // rows gone since the result was counted
            if (fresh)
                raise(*m_cursor);
            // A statement left open across a commit or rollback may be
            // stopped by the engine: start it anew once.
            m_cursor = openResult(m_cursorAt, -1);
            fresh = true;
            continue;
        }
        if (m_cursorAt++ == position(r)) {
            m_page.append(readRow(*m_cursor));
            ++r;
        }
    }
    m_page.resize(to - row, Row(fieldCount()));
    return true;
}

// A forward walk over the whole result reads it straight from the engine,
// one row into the walk's own buffer, with no pages in between.
bool Query::readAhead(int row, Row &out)
{
    if (!m_paged || m_filteredView)
        return DataSet::readAhead(row, out);
    if (row >= m_rowCount)
        return false;
    if (!m_forward || row != m_forwardAt) {
        releaseForward();
        m_forward = prepareStatement(engineHandle(database().connection()), pagedSql(m_sql));
        bindNamed(m_forward, m_params);
        sqlite3_bind_int64(m_forward, sqlite3_bind_parameter_index(m_forward, qPrintable(kLimit)), -1);
        sqlite3_bind_int64(m_forward, sqlite3_bind_parameter_index(m_forward, qPrintable(kOffset)), row);
        m_forwardAt = row;
    }
    const int rc = sqlite3_step(m_forward);
    if (rc == SQLITE_DONE)
        return false;  // rows gone since the result was counted
    if (rc != SQLITE_ROW)
        raiseEngine(m_forward);
    if (out.size() != fieldCount())
        out.resize(fieldCount());
    for (int c = 0; c < m_columns.size(); ++c) {
        const QVariant raw = columnValue(m_forward, c);
        out[c] = m_columns[c].known ? fromStorage(raw, m_columns[c].def.type) : raw;
    }
    ++m_forwardAt;
    return true;
}

void Query::releaseForward()
{
    if (m_forward)
        sqlite3_finalize(m_forward);
    m_forward = nullptr;
}

int Query::rowOfKey(const QVariant &key) const
{
    if (!key.isValid())
        return -1;
    const int pos = key.toInt();
    if (!m_filteredView)
        return pos >= 0 && pos < m_rowCount ? pos : -1;
    const auto it = std::lower_bound(m_positions.cbegin(), m_positions.cend(), pos);
    return it != m_positions.cend() && *it == pos ? int(it - m_positions.cbegin()) : -1;
}

int Query::exec()
{
    if (isOpen())
        close();
    QSqlQuery q(database().connection());
    if (!q.prepare(m_sql))
        raise(q);
    bindParams(q, m_sql, m_params);
    if (!q.exec())
        raise(q);
    return q.numRowsAffected();
}

}  // namespace data
