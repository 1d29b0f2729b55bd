#include "data/tablewalk.h"

#include "data/database.h"
#include "data/engine.h"
#include "data/storage.h"
#include "data/table.h"

#include <QHash>

namespace data {

using schema::quoted;

namespace {

constexpr int kPageRows = 256;  // rows read by one run of the statement

}  // namespace

Table *TableWalk::walkable(DataSet &ds)
{
    auto *t = qobject_cast<Table *>(&ds);
    if (!t || !t->isOpen() || t->isEditing())
        return nullptr;
    for (int f = 0; f < t->fieldCount(); ++f)
        if (t->field(f).kind == FieldKind::Calculated)
            return nullptr;
    return t;
}

TableWalk::TableWalk(Table &table, const QVector<int> &unread, bool storageOrder)
    : m_table(table), m_unread(unread), m_storageOrder(storageOrder)
{
    m_table.disableControls();
    try {
        m_ids = m_table.rowIds();
        if (m_storageOrder) {
            m_rowOf.reserve(m_ids.size());
            for (int r = 0; r < m_ids.size(); ++r)
                m_rowOf.insert(m_ids[r], r);
        }
    } catch (...) {
        m_table.enableControls();
        throw;
    }
}

TableWalk::~TableWalk()
{
    try {
        leave();
    } catch (...) {
        // Leaving only moves the current row of an open data set; a
        // destructor must not throw all the same.
    }
}

bool TableWalk::next()
{
    if (m_end)
        return false;
    if (m_storageOrder)
        return readInStorageOrder();
    if (++m_row >= m_ids.size()) {
        m_end = true;
        return false;
    }
    if (m_row >= m_pageEnd)
        readPage();
    return true;
}

const QVariant &TableWalk::value(int field) const
{
    const int r = m_row - m_pageStart;
    return m_found[r] ? m_values[r * m_table.fieldCount() + field] : m_null;
}

bool TableWalk::readInStorageOrder()
{
    const int nf = m_table.fieldCount();
    Statement &st = statement();
    while (st.next()) {
        // Rows that the filter hides are passed over.
        const int row = m_rowOf.value(st.value(0).toLongLong(), -1);
        if (row < 0)
            continue;
        m_row = m_pageStart = row;
        m_values.resize(nf);
        m_found.fill(true, 1);
        for (int f = 0; f < nf; ++f)
            m_values[f] = fromStorage(st.value(f + 1), m_table.field(f).def.type);
        return true;
    }
    m_end = true;
    return false;
}

void TableWalk::readPage()
{
    const int nf = m_table.fieldCount();
    m_pageStart = m_row;
    m_pageEnd = qMin(int(m_ids.size()), m_row + kPageRows);
    const int n = m_pageEnd - m_pageStart;
    QHash<qint64, int> slotOf;
    slotOf.reserve(n);
    for (int i = 0; i < n; ++i)
        slotOf.insert(m_ids[m_pageStart + i], i);
    m_values.resize(kPageRows * nf);
    m_found.fill(false, kPageRows);

    // Every run binds all the marks: a short page repeats its last key,
    // which the IN list takes once.
    Statement &st = statement();
    for (int i = 0; i < kPageRows; ++i)
        st.bind(i, m_ids[m_pageStart + qMin(i, n - 1)]);
    while (st.next()) {
        const int slot = slotOf.value(st.value(0).toLongLong(), -1);
        if (slot < 0)
            continue;
        m_found[slot] = true;
        QVariant *row = m_values.data() + slot * nf;
        for (int f = 0; f < nf; ++f)
            row[f] = fromStorage(st.value(f + 1), m_table.field(f).def.type);
    }
    st.reset();
}

Statement &TableWalk::statement()
{
    if (m_page)
        return *m_page;
    QStringList cols;
    for (int f = 0; f < m_table.fieldCount(); ++f) {
        const Field &fd = m_table.field(f);
        if (m_unread.contains(f)) {
            cols << QStringLiteral("NULL");
        } else if (fd.kind == FieldKind::Lookup) {
            // As a data set reads it: the first row of the other table
            // with the key.
            const schema::LookupDef &l = m_table.tableDef().lookups[fd.lookup];
            cols << QStringLiteral("(SELECT lk.%1 FROM %2 AS lk WHERE lk.%3 = t.%4 LIMIT 1)")
                        .arg(quoted(l.resultField), quoted(l.table), quoted(l.tableKey),
                             quoted(m_table.field(fd.keyField).def.name));
        } else {
            cols << QStringLiteral("t.") + quoted(fd.def.name);
        }
    }
    const QString key = m_table.keyColumn();
    QString sql = QStringLiteral("SELECT t.%1, %2 FROM %3 AS t")
                      .arg(key, cols.join(QStringLiteral(", ")), quoted(m_table.tableName()));
    if (!m_storageOrder) {
        QStringList marks;
        marks.fill(QStringLiteral("?"), kPageRows);
        sql += QStringLiteral(" WHERE t.%1 IN (%2)").arg(key, marks.join(QLatin1Char(',')));
    }
    m_page = m_table.database().prepare(sql);
    return *m_page;
}

void TableWalk::leaveAt(int row)
{
    m_end = row >= m_ids.size();
    m_row = row;
    leave();
}

void TableWalk::leave()
{
    if (m_left)
        return;
    m_left = true;
    m_page.reset();
    if (m_end || m_row >= m_ids.size())
        m_table.last();
    else if (m_row <= 0)
        m_table.first();
    else
        m_table.setCurrentRow(m_row);
    m_table.enableControls();
}

}  // namespace data
