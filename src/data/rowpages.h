#pragma once
// The rows of a table data set as read from the engine, a page at a time:
// a grid asks for neighbouring rows next, so a page around the row asked for
// is read by the rows' keys in one statement, with the lookup fields beside
// them, and kept until the cache grows too large.

#include "data/dataset.h"

#include <QHash>
#include <memory>

namespace data {

class Statement;

class RowPages {
public:
    // `keyColumn` identifies a row of `table` (already quoted).
    RowPages(const DataSet &ds, const schema::TableDef &table, const QString &keyColumn);
    ~RowPages();
    RowPages(const RowPages &) = delete;
    RowPages &operator=(const RowPages &) = delete;

    // The visible row `row`, whose keys in view order are `keys`. A row that
    // another program deleted meanwhile comes back empty.
    Row row(const QVector<qint64> &keys, int row);
    void forget(qint64 key) { m_cache.remove(key); }
    void clear() { m_cache.clear(); }

private:
    struct Lookup;
    void readPage(const QVector<qint64> &keys, int row);
    Statement &pageStatement();
    QVariant lookupValue(Lookup &lookup, const QVariant &key);

    const DataSet &m_ds;
    const schema::TableDef &m_table;
    QString m_keyColumn;
    QHash<qint64, Row> m_cache;
    int m_pageStart = -1;  // visible rows of the last page read
    int m_pageEnd = -1;
    // The statement that reads a page, prepared once while the table is
    // open: preparing it anew for every page cost more than the reading.
    std::unique_ptr<Statement> m_page;
    QVector<int> m_pageFields;  // data-set field of each column read after the key
    std::vector<Lookup> m_lookups;
};

}  // namespace data
