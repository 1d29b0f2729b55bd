#pragma once
// A data set on one table of the register: all its stored fields in stored
// order with the table's lookup fields, ordered by index fields or a named
// index. Rows are read on demand, so a large table opens at once.

#include "data/dataset.h"

#include <QHash>

namespace data {

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
    // Order by a named index of the table ("idx_datum_desc").
    void setIndexName(const QString &name);
    QString indexName() const { return m_indexName; }

    // Deletes every row of the table (whatever the filter).
    void emptyTable();

    // The stored key (rowid) of the current row; 0 when there is none.
    qint64 currentRowId() const;

protected:
    void buildFields(QVector<Field> &fields) override;
    void loadRows() override;
    void unloadRows() override;
    int rowCount() const override { return m_ids.size(); }
    Row fetchRow(int row) const override;
    QVariant rowKey(int row) const override;
    int rowOfKey(const QVariant &key) const override;
    int findRow(int field, const QVariant &value, LocateOptions options) const override;
    QVariant writeRow(bool inserting, const QVariant &key, const Row &values,
                      const QVector<bool> &changed) override;
    void deleteRow(const QVariant &key) override;
    int placeRow(const QVariant &key) override;
    void removeRowFromView(int row) override;

private:
    struct OrderPart {
        int field;          // index into the data set's fields
        bool descending;
        bool text;          // Hungarian collation
    };
    void resolveOrder();
    void sortView();
    QString selectList() const;
    QString whereClause(QVariantList &params) const;
    int compareKeys(int a, const QVector<QVariant> &keyB, qint64 idB) const;
    QVector<QVariant> sortValuesOf(const Row &row) const;
    int lowerBound(const QVector<QVariant> &key, qint64 id) const;
    void fetchPage(int row) const;

    const schema::TableDef *m_def = nullptr;
    QString m_indexFields;
    QString m_indexName;
    QVector<OrderPart> m_order;
    // The visible rows: rowids in the current order, with the values of the
    // order fields for binary searches and re-placing a written row.
    QVector<qint64> m_ids;
    QVector<QVector<QVariant>> m_sortValues;  // per order part, per row
    QHash<qint64, int> m_rowOfId;             // built on demand
    mutable QHash<qint64, Row> m_cache;
    mutable bool m_rowIndexValid = false;
    mutable QHash<qint64, int> m_rowIndex;
};

}  // namespace data
