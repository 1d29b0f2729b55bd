#include "data/rowpages.h"

#include "data/database.h"
#include "data/engine.h"
#include "data/storage.h"

namespace data {

using schema::quoted;

namespace {

constexpr int kPageRows = 128;     // rows read at once, centred on the one asked for
constexpr int kCachedRows = 4096;  // rows kept before the cache starts afresh

}  // namespace

// A lookup field of the page: its value is read once per key and page (a
// page of places holds a few types and areas), not once per row.
//
// On a server every statement is a round trip: there the page statement
// reads the lookups itself, in a column of each.
struct RowPages::Lookup {
    int field;                              // the lookup field
    int keyColumn;                          // the page statement's column of its key
    std::unique_ptr<Statement> statement;   // its value for one key
    QHash<qint64, QVariant> values;         // those read for the page being read
    int pageColumn = -1;                    // on a server: its column of the page statement
};

RowPages::RowPages(const DataSet &ds, const schema::TableDef &table, const QString &keyColumn)
    : m_ds(ds), m_table(table), m_keyColumn(keyColumn)
{
}

RowPages::~RowPages() = default;

Row RowPages::row(const QVector<qint64> &keys, int row)
{
    const qint64 key = keys[row];
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return *it;
    readPage(keys, row);
    return m_cache.value(key, Row(m_ds.fieldCount()));
}

void RowPages::readPage(const QVector<qint64> &keys, int row)
{
    // A grid asks for neighbouring rows next, in either direction: read a
    // page centred on the row. A walk going on past the last page reads
    // the next one whole.
    const int n = int(keys.size());
    int from = qMax(0, row - kPageRows / 2);
    int to = qMin(n, row + kPageRows / 2);
    if (row == m_pageEnd) {
        from = row;
        to = qMin(n, row + kPageRows);
    } else if (row == m_pageStart - 1) {
        from = qMax(0, row + 1 - kPageRows);
        to = row + 1;
    }
    m_pageStart = from;
    m_pageEnd = to;
    if (m_cache.size() > kCachedRows)
        m_cache.clear();
    QVector<qint64> wanted;
    for (int r = from; r < to; ++r)
        if (!m_cache.contains(keys[r]))
            wanted << keys[r];
    if (wanted.isEmpty())
        return;

    // Every page binds all the statement's marks: a short page repeats its
    // last key, which the IN list takes once.
    Statement &st = pageStatement();
    for (int i = 0; i < kPageRows; ++i)
        st.bind(i, wanted[qMin(i, int(wanted.size()) - 1)]);
    for (Lookup &l : m_lookups)
        l.values.clear();
    while (st.next()) {
        Row r(m_ds.fieldCount());
        for (int c = 0; c < m_pageFields.size(); ++c)
            r[m_pageFields[c]] = fromStorage(st.value(c + 1), m_ds.field(m_pageFields[c]).def.type);
        for (Lookup &l : m_lookups)
            r[l.field] = l.pageColumn >= 0 ? fromStorage(st.value(l.pageColumn), m_ds.field(l.field).def.type)
                                           : lookupValue(l, st.value(l.keyColumn));
        m_cache.insert(st.value(0).toLongLong(), r);
    }
    st.reset();
    // A row that another program deleted meanwhile shows empty.
    for (qint64 key : qAsConst(wanted))
        if (!m_cache.contains(key))
            m_cache.insert(key, Row(m_ds.fieldCount()));
}

Statement &RowPages::pageStatement()
{
    if (m_page)
        return *m_page;
    Database &db = m_ds.database();
    QStringList cols;
    QVector<int> fields;
    std::vector<Lookup> lookups;
    QStringList lookupColumns;
    for (int f = 0; f < m_ds.fieldCount(); ++f) {
        const Field &fd = m_ds.field(f);
        if (fd.kind == FieldKind::Stored) {
            cols << QStringLiteral("t.") + quoted(fd.def.name);
            fields << f;
        } else if (fd.kind == FieldKind::Lookup) {
            const schema::LookupDef &l = m_table.lookups[fd.lookup];
            const QString value = QStringLiteral("SELECT lk.%1 FROM %2 AS lk WHERE lk.%3 = %4 LIMIT 1")
                                      .arg(quoted(l.resultField), quoted(l.table), quoted(l.tableKey));
            // Its key field is stored, and stands before it.
            Lookup lookup{f, int(fields.indexOf(fd.keyField)) + 1, nullptr, {}};
            if (db.isServer())
                lookupColumns << QStringLiteral("(%1)").arg(value.arg(QStringLiteral("t.") + quoted(m_ds.field(fd.keyField).def.name)));
            else
                lookup.statement = db.prepare(value.arg(QLatin1Char('?')));
            lookups.push_back(std::move(lookup));
        }
    }
    for (Lookup &l : lookups)
        if (!l.statement)
            l.pageColumn = int(fields.size()) + 1 + int(&l - lookups.data());
    QStringList marks;
    marks.fill(QStringLiteral("?"), kPageRows);
    m_page = db.prepare(QStringLiteral("SELECT t.%1, %2 FROM %3 AS t WHERE t.%1 IN (%4)")
                            .arg(m_keyColumn, (cols + lookupColumns).join(QStringLiteral(", ")), quoted(m_table.name),
                                 marks.join(QLatin1Char(','))));
    m_pageFields = std::move(fields);
    m_lookups = std::move(lookups);
    return *m_page;
}

QVariant RowPages::lookupValue(Lookup &lookup, const QVariant &key)
{
    if (!key.isValid() || key.isNull())
        return QVariant();  // no row has an empty key
    const bool cached = key.typeId() == QMetaType::LongLong;
    if (cached) {
        const auto known = lookup.values.constFind(key.toLongLong());
        if (known != lookup.values.constEnd())
            return *known;
    }
    Statement &st = *lookup.statement;
    st.bind(0, key);
    QVariant value;
    if (st.next())
        value = fromStorage(st.value(0), m_ds.field(lookup.field).def.type);
    st.reset();
    if (cached)
        lookup.values.insert(key.toLongLong(), value);
    return value;
}

}  // namespace data
