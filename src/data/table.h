#pragma once
// A data set on one table of the register: all its stored fields in stored
// order with the table's lookup fields, ordered by index fields or a named
// index. Rows are read on demand, so a large table opens at once.

#include "data/dataset.h"

#include <memory>

namespace data {

class RowPages;
class SortKeyCache;
class TextFindIndex;

class Table : public DataSet {
    Q_OBJECT
public:
    explicit Table(Database &db, QObject *parent = nullptr);
    Table(Database &db, const QString &tableName, QObject *parent = nullptr);
    ~Table() override;

    // The table's file name ("ugyfel.DB") or its bare name ("ugyfel").
    void setTableName(const QString &name);
    QString tableName() const;
    const schema::TableDef &tableDef() const;

    // Order by one or more fields, separated by ";" ("Ugyfel;doknev"). Text
    // fields order in Hungarian collation. May change while open: the current
    // row stays current, the filter stays on.
    void setIndexFieldNames(const QString &fields);
    QString indexFieldNames() const { return m_indexFields; }
    // Makes the order by `fields` ready in advance while the table shows
    // another: its rows are read and sorted now, so that a later change to
    // it finds its sort done (the rows are still read again then).
    void prepareOrder(const QString &fields);
    // Order by a named index of the table ("idx_datum_desc").
    void setIndexName(const QString &name);
    QString indexName() const { return m_indexName; }

    // Deletes every row of the table (whatever the filter).
    void emptyTable();

    // Batch move: appends every row of `source` (all its rows, from the
    // first), its columns matched by position to this table's stored fields.
    // A row that a key refuses or whose values do not convert is skipped.
    // Returns the number of rows moved.
    int appendFrom(DataSet &source);

    // The identity of the current row (its automatic key, or the engine's
    // row identity in a table without one); 0 when there is none.
    qint64 currentRowId() const;
    // The identities of the visible rows, in the list's order.
    const QVector<qint64> &rowIds() const { return m_ids; }
    // The column that holds a row's identity, as it stands in a statement.
    QString keyColumn() const;

protected:
    void buildFields(QVector<Field> &fields) override;
    void loadRows() override;
    void unloadRows() override;
    int rowCount() const override { return int(m_ids.size()); }
    Row fetchRow(int row) const override;
    QVariant rowKey(int row) const override;
    int rowOfKey(const QVariant &key) const override;
    int findRow(int field, const QVariant &value, LocateOptions options) const override;
    QVariant writeRow(bool inserting, const QVariant &key, const Row &values,
                      const QVector<bool> &changed, const Row *asRead) override;
    void deleteRow(const QVariant &key, const Row *asRead) override;
    int placeRow(const QVariant &key, int oldRow) override;
    void removeRowFromView(int row) override;
    QVariant lookupValue(int field, const QVariant &key) const override;
    void forgetCachedRows() override;

private:
    struct OrderPart {
        int field;          // index into the data set's fields
        bool descending;
        bool text;          // Hungarian collation
    };
    // ordering (table.cpp)
    void changeOrder(const QString &fields, const QString &indexName);
    void resolveOrder();
    bool textRunsFromIndex() const;
    void sortByCollation();
    void sortTextRuns();
    QString orderedSql(QVariantList &params) const;
    void readOrdered(const QString &sql, const QVariantList &params);
    QString whereClause(QVariantList &params) const;
    QString orderColumns() const;
    int comparePart(int part, const QVariant &a, const QVariant &b) const;
    int compareRow(int row, const QVector<QVariant> &key, qint64 id) const;
    int lowerBound(const QVector<QVariant> &key, qint64 id) const;
    // finding (tablefind.cpp)
    int findOnOrder(const QVariant &value, LocateOptions options) const;
    int findInColumn(int field, const QVariant &value, LocateOptions options) const;
    void dropFindIndex() const;
    // writing (tablewrites.cpp)
    void requireUnchanged(qint64 id, const Row &asRead, const QVector<bool> &written, bool deleting);
    QString asReadCondition(const Row &asRead, const QVector<bool> &written, QVariantList &params) const;

    const schema::TableDef *m_def = nullptr;
    QString m_indexFields;
    QString m_indexName;
    QVector<OrderPart> m_order;
    QVector<int> m_stored;    // data-set field of each stored column
    // The visible rows: their identities in the current order, with the
    // stored values of the order fields for binary searches and for
    // re-placing a row.
    QVector<qint64> m_ids;
    QVector<QVector<QVariant>> m_keys;  // per order part: one value per row
    std::unique_ptr<RowPages> m_pages;  // while open
    // What the rows shown were read with: the engine's stamp, the statement
    // and its parameters. Cleared whenever the view changes by itself.
    QVector<qint64> m_loadedStamp;
    QString m_loadedSql;
    QVariantList m_loadedParams;
    std::unique_ptr<SortKeyCache> m_sortKeys;
    mutable std::unique_ptr<TextFindIndex> m_find;
};

}  // namespace data
