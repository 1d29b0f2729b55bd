#pragma once
// A forward walk over the visible rows of a table data set straight from the
// engine, for exports: a page of rows at a time by their identities, in list
// order, the lookup fields joined into the statement. Unlike RowReader it
// keeps nothing for a grid, which a walk over every row would pay for and
// never use.

#include "data/dataset.h"

#include <QHash>
#include <memory>

namespace data {

class Statement;
class Table;

class TableWalk {
public:
    // The table data set behind `ds` when it can be walked so (open, in
    // browse, without calculated fields); nullptr otherwise.
    static Table *walkable(DataSet &ds);

    // Disables the controls while it lives. The fields of `unread` are not
    // read: their values come back null. In `storageOrder` the rows come in
    // the engine's own order, read in one pass without seeks (row() tells
    // each one's place in the list), and a row deleted meanwhile does not
    // come at all.
    explicit TableWalk(Table &table, const QVector<int> &unread = {}, bool storageOrder = false);
    ~TableWalk();
    TableWalk(const TableWalk &) = delete;
    TableWalk &operator=(const TableWalk &) = delete;

    // Moves to the next row (the first at the first call); false past the end.
    bool next();
    // A value of the row, in the data set's field order and type; null for
    // a row that another program deleted meanwhile.
    const QVariant &value(int field) const;
    // The place of the current row in the list, from 0.
    int row() const { return m_row; }
    int rowCount() const { return int(m_ids.size()); }
    // Ends the walk where RowReader would: on the row read last but not
    // taken (a stop), or on the last row with eof() after a full walk.
    void leave();
    // Ends the walk on `row` (a stop there), or as a full walk past the end.
    void leaveAt(int row);

private:
    void readPage();
    bool readInStorageOrder();
    Statement &statement();

    Table &m_table;
    QVector<int> m_unread;
    bool m_storageOrder;
    QVector<qint64> m_ids;       // the visible rows' identities in list order
    QHash<qint64, int> m_rowOf;  // in storage order: their places in the list
    std::unique_ptr<Statement> m_page;
    QVector<QVariant> m_values;  // the page's rows, field by field
    QVector<bool> m_found;       // per row of the page
    int m_row = -1;
    int m_pageStart = 0;
    int m_pageEnd = 0;
    bool m_end = false;
    bool m_left = false;
    QVariant m_null;
};

}  // namespace data
