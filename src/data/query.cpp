#include "data/query.h"

#include "data/database.h"
#include "data/engine.h"
#include "data/filter.h"
#include "data/storage.h"

#include <QRegularExpression>
#include <limits>

namespace data {

namespace {

constexpr int kPageRows = 256;  // rows read at once for grids and jumps
constexpr int kLongestPage = 8192;
constexpr int kReadOnRows = 1024;  // rows read at once by a walk
// A walk jumping further ahead than this starts the statement anew there:
// the engine skips rows faster than reading them.
constexpr int kSkipAhead = 4 * kReadOnRows;

// The marks of a page's bounds, named so that no statement of the user's
// uses them.
const QString kLimit = QStringLiteral("nyugvar_lap_db");
const QString kOffset = QStringLiteral("nyugvar_lap_tol");
// No bound: every engine takes a limit this large, none takes a negative one.
constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max();

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
    return QStringLiteral("SELECT * FROM ") + asSubquery(sql) + QStringLiteral(" AS nyugvar_lap LIMIT :") + kLimit +
           QStringLiteral(" OFFSET :") + kOffset;
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

void Query::describe(const Statement &st)
{
    m_columns.clear();
    QStringList given, names;
    for (int c = 0; c < st.columnCount(); ++c) {
        const QString original = nameInStatement(st.columnName(c), given);
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
        if (const schema::TableDef *t = schema::table(st.columnTable(c))) {
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
    const auto st = openResult(0, kNoLimit);
    while (!open.isEmpty() && st->next()) {
        for (int i = open.size() - 1; i >= 0; --i) {
            const QVariant v = st->value(open[i]);
            if (!v.isNull()) {
                m_columns[open[i]].def.type = typeOfValue(v);
                open.remove(i);
            }
        }
    }
}

// A statement that cannot stand as a subquery (a PRAGMA) is read whole, as
// the engine gives it.
void Query::readWhole()
{
    const auto st = database().prepare(m_sql);
    st->bindNamed(m_params);
    describe(*st);
    m_whole.clear();
    while (st->next())
        m_whole.append(readRow(*st));
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
        std::unique_ptr<Statement> st;
        try {
            st = database().prepare(pagedSql(m_sql));
        } catch (const DbError &) {
            // Not a statement that stands as a subquery; read as it is
            // below, where its own error shows if it has one.
        }
        m_paged = st != nullptr;
        if (m_paged) {
            bindPage(*st, 0, 0);
            st->next();
            describe(*st);
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

void Query::bindPage(Statement &st, qint64 offset, qint64 limit) const
{
    st.bindNamed(m_params);
    st.bindNamed({{kLimit, limit}, {kOffset, offset}});
}

std::unique_ptr<Statement> Query::openResult(qint64 offset, qint64 limit) const
{
    auto st = database().prepare(pagedSql(m_sql));
    bindPage(*st, offset, limit);
    return st;
}

int Query::countRows() const
{
    const auto st = database().prepare(QStringLiteral("SELECT COUNT(*) FROM ") + asSubquery(m_sql) +
                                       QStringLiteral(" AS nyugvar_lap"));
    st->bindNamed(m_params);
    return st->next() ? st->value(0).toInt() : 0;
}

Row Query::readRow(const Statement &st) const
{
    Row r(qMax(fieldCount(), int(m_columns.size())));
    for (int c = 0; c < m_columns.size(); ++c) {
        const QVariant raw = st.value(c);
        r[c] = m_columns[c].known ? fromStorage(raw, m_columns[c].def.type) : raw;
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
    const auto st = openResult(0, kNoLimit);
    for (int pos = 0; st->next(); ++pos) {
        const Row r = readRow(*st);
        if (filter->matches([&](int f) { return r.value(f); }))
            m_positions.append(pos);
    }
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
    const auto st = openResult(firstPos, position(to - 1) - firstPos + 1);
    m_page.clear();
    m_pageFirst = from;
    for (int pos = firstPos, r = from; r < to && st->next(); ++pos) {
        if (pos == position(r)) {
            m_page.append(readRow(*st));
            ++r;
        }
    }
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
        m_cursor = openResult(pos, kNoLimit);
        m_cursorAt = pos;
    }
    const int to = qMin(m_rowCount, row + kReadOnRows);
    m_page.clear();
    m_pageFirst = row;
    for (int r = row; r < to;) {
        bool more = false;
        try {
            more = m_cursor->next();
        } catch (const DbError &) {
            if (fresh)
                throw;
            // A statement left open across a commit or rollback may be
            // stopped by the engine: start it anew once.
            m_cursor = openResult(m_cursorAt, kNoLimit);
            fresh = true;
            continue;
        }
        if (!more)
            break;  // rows gone since the result was counted
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
        m_forward = openResult(row, kNoLimit);
        m_forwardAt = row;
    }
    if (!m_forward->next())
        return false;  // rows gone since the result was counted
    if (out.size() != fieldCount())
        out.resize(fieldCount());
    for (int c = 0; c < m_columns.size(); ++c) {
        const QVariant raw = m_forward->value(c);
        out[c] = m_columns[c].known ? fromStorage(raw, m_columns[c].def.type) : raw;
    }
    ++m_forwardAt;
    return true;
}

void Query::releaseForward()
{
    m_forward.reset();
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
    return database().execNamed(m_sql, m_params);
}

}  // namespace data
