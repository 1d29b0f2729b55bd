#pragma once
// A grid's view of a data set: columns from field names, titles from labels,
// values in their display formats, numbers right-aligned, and an optional
// per-row text colour (grey inactive rows). A row being edited shows what
// is typed as it is typed; a new row stands, as typed, at the place of the
// current row until it is posted or cancelled.

#include <QAbstractTableModel>
#include <QSet>
#include <functional>

namespace data {

class DataSet;

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;   // empty: the field's label
    };
    // The colour of a row's text, or an invalid QVariant for the normal one.
    using RowColour = std::function<QVariant(const DataSet &, int row)>;

    explicit DataSetModel(DataSet *dataSet, QObject *parent = nullptr);

    DataSet *dataSet() const { return m_ds; }
    void setColumns(const QVector<Column> &columns);
    void setColumns(const QStringList &fields);
    const QVector<Column> &columns() const { return m_columns; }
    // Every field of the data set, in field order.
    void useAllFields();
    void setRowColour(RowColour colour) { m_rowColour = std::move(colour); }

    // The grid row of the data set's current row: the new row while one is
    // inserted; -1 when there is none.
    int currentGridRow() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void resolve();
    // The grid row of a new row in insert state, -1 otherwise.
    int wantedInsertRow() const;
    // Adds or removes the new row as the data set's state asks.
    void followState();
    // The grid row that shows the edit buffer, -1 when none does.
    int liveRow() const;
    // The data set's row shown in a grid row (-1 for the new row).
    int sourceRow(int gridRow) const;
    void rowRedrawn(int gridRow);
    // Reads a cell's value. A row that cannot be read (a damaged file)
    // raises the engine's error once; until the next reset the row then
    // shows as unreadable, so that every repaint does not raise anew.
    template <typename Read>
    auto readable(int row, Read read) const -> decltype(read())
    {
        try {
            return read();
        } catch (...) {
            m_unreadable.insert(row);
            throw;
        }
    }
    DataSet *m_ds;
    QVector<Column> m_columns;
    QVector<int> m_fieldIndex;
    RowColour m_rowColour;
    mutable QSet<int> m_unreadable;
    int m_insertRow = -1;
};

}  // namespace data
