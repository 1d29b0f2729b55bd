#pragma once
// A data set on the result of an SQL statement with named parameters
// (":datum", set as date or integer). A repeated column name in the result
// gets "_1" appended (then "_2", ...). The result is read-only; filters and
// finds work on it as on a table.
//
// A result is never held whole: opening counts its rows (or, filtered, notes
// the positions of the passing ones) and rows are read a page at a time,
// centred on the row asked for. While the controls are disabled (a walk)
// the statement stays open and reads on, so a walk reads the result once.

#include "data/dataset.h"

#include <QHash>
#include <QMap>
#include <memory>

namespace data {

class Statement;

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
    // The label and display format a result column shows with instead of
    // those of the table field it is read from (empty: none). Set before
    // opening; kept across re-openings.
    void setColumnLook(const QString &column, const QString &label, const QString &format);
    // Every column titled by its name and shown as stored, without the
    // label, display format and mask of the table field it is read from
    // (column looks still apply). Set before opening.
    void setPlainColumns(bool plain) { m_plain = plain; }

    // Runs a statement that returns no rows; returns the number of rows it
    // changed. Raises DbError with the engine's message.
    int exec();

protected:
    void buildFields(QVector<Field> &fields) override;
    void loadRows() override;
    void unloadRows() override;
    int rowCount() const override { return m_rowCount; }
    Row fetchRow(int row) const override;
    QVariant rowKey(int row) const override { return position(row); }
    int rowOfKey(const QVariant &key) const override;
    void controlsEnabled() override;
    bool readAhead(int row, Row &out) override;
    void readAheadDone() override { releaseForward(); }

private:
    struct Column {
        schema::FieldDef def;
        bool known = false;  // read straight from a table's field
    };
    void describe(const Statement &st);
    void settleTypes();
    void readWhole();
    void bindPage(Statement &st, qint64 offset, qint64 limit) const;
    std::unique_ptr<Statement> openResult(qint64 offset, qint64 limit) const;
    int countRows() const;
    Row readRow(const Statement &st) const;
    // The position in the statement's result of a visible row.
    int position(int row) const { return m_filteredView ? m_positions[row] : row; }
    void readPage(int row) const;
    bool readOn(int row) const;

    QString m_sql;
    QMap<QString, QVariant> m_params;
    struct Look {
        QString label;
        QString format;
    };
    QHash<QString, Look> m_looks;  // by case-folded column name
    QVector<Column> m_columns;
    bool m_plain = false;
    bool m_paged = true;         // false: a statement that cannot stand as a subquery
    QVector<Row> m_whole;        // ... whose whole result is then kept
    bool m_haveWhole = false;    // read by buildFields, not yet used by loadRows
    int m_rowCount = 0;
    bool m_filteredView = false;
    QVector<int> m_positions;    // filtered: result positions of the passing rows
    mutable int m_pageFirst = 0; // visible row of m_page's first row
    mutable QVector<Row> m_page;
    mutable int m_pageRows = 0;  // rows of the last page read
    mutable std::unique_ptr<Statement> m_cursor;  // a walk's open statement
    mutable int m_cursorAt = 0;  // result position of the cursor's next row
    // A forward walk's statement on the engine itself, and the row it reads next.
    std::unique_ptr<Statement> m_forward;
    int m_forwardAt = 0;
    void releaseForward();
};

}  // namespace data
