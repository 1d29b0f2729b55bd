#pragma once
// A data set on the result of an SQL statement with named parameters
// (":datum", set as date or integer). A repeated column name in the result
// gets "_1" appended (then "_2", ...). The result is read-only; filters and
// finds work on it as on a table.

#include "data/dataset.h"

#include <QMap>

namespace data {

class Query : public DataSet {
    Q_OBJECT
public:
    explicit Query(Database &db, QObject *parent = nullptr);
    ~Query() override;

    void setSql(const QString &sql);
    QString sql() const { return m_sql; }
    // A named parameter, written without its colon.
    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const;
    void clearParams() { m_params.clear(); }

    // Runs a statement that returns no rows; returns the number of rows it
    // changed. Raises DbError with the engine's message.
    int exec();

protected:
    void buildFields(QVector<Field> &fields) override;
    void loadRows() override;
    void unloadRows() override;
    int rowCount() const override { return m_view.size(); }
    Row fetchRow(int row) const override;
    QVariant rowKey(int row) const override { return m_view[row]; }
    int rowOfKey(const QVariant &key) const override;

private:
    struct Column {
        schema::FieldDef def;
        bool known = false;  // read straight from a table's field
    };
    void runQuery();
    QString m_sql;
    QVector<Column> m_columns;
    QMap<QString, QVariant> m_params;
    QVector<Row> m_rows;     // every row of the result
    QVector<int> m_view;     // rows passing the filter, in result order
    bool m_haveResult = false;  // read by buildFields, not yet used by loadRows
};

}  // namespace data
