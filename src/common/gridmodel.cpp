#include "common/gridmodel.h"

#include "common/vedett.h"
#include "data/dataset.h"
#include "data/formats.h"

namespace data {

DataSetModel::DataSetModel(DataSet *dataSet, QObject *parent) : QAbstractTableModel(parent), m_ds(dataSet)
{
    auto reset = [this] {
        beginResetModel();
        m_unreadable.clear();
        m_insertRow = wantedInsertRow();
        resolve();
        endResetModel();
    };
    // During a walk the data set's notices wait: the walk's end resets once.
    VedettKapcsol(m_ds, &DataSet::rowsReset, this, [this, reset] {
        if (!m_ds->controlsDisabled())
            reset();
    });
    VedettKapcsol(m_ds, &DataSet::opened, this, reset);
    VedettKapcsol(m_ds, &DataSet::closed, this, reset);
    // A row changed in place: only that row is drawn again.
    VedettKapcsol(m_ds, &DataSet::rowChanged, this, [this](int row) {
        if (!m_ds->controlsDisabled())
            rowRedrawn(m_insertRow >= 0 && row >= m_insertRow ? row + 1 : row);
    });
    // The typing shows in the grid as it is typed.
    VedettKapcsol(m_ds, &DataSet::stateChanged, this, [this] {
        if (!m_ds->controlsDisabled())
            followState();
    });
    VedettKapcsol(m_ds, &DataSet::valueChanged, this, [this] {
        if (!m_ds->controlsDisabled())
            rowRedrawn(liveRow());
    });
}

int DataSetModel::currentGridRow() const
{
    return m_insertRow >= 0 ? m_insertRow : m_ds->currentRow();
}

int DataSetModel::wantedInsertRow() const
{
    return m_ds->state() == State::Insert ? qMax(0, m_ds->currentRow()) : -1;
}

void DataSetModel::followState()
{
    // The new row comes and goes by a reset: a grid's selection then waits
    // for the data set's current row instead of wandering with the rows.
    const int wanted = wantedInsertRow();
    if (wanted != m_insertRow) {
        beginResetModel();
        m_insertRow = wanted;
        endResetModel();
    }
    // An edit that starts or ends shows the buffer or the stored row again.
    rowRedrawn(m_ds->currentRow());
}

int DataSetModel::liveRow() const
{
    if (m_insertRow >= 0)
        return m_insertRow;
    return m_ds->state() == State::Edit ? m_ds->currentRow() : -1;
}

int DataSetModel::sourceRow(int gridRow) const
{
    if (m_insertRow < 0 || gridRow < m_insertRow)
        return gridRow;
    return gridRow == m_insertRow ? -1 : gridRow - 1;
}

void DataSetModel::rowRedrawn(int gridRow)
{
    if (gridRow >= 0 && gridRow < rowCount() && columnCount() > 0)
        Q_EMIT dataChanged(index(gridRow, 0), index(gridRow, columnCount() - 1));
}

void DataSetModel::setColumns(const QVector<Column> &columns)
{
    beginResetModel();
    m_columns = columns;
    resolve();
    endResetModel();
}

void DataSetModel::setColumns(const QStringList &fields)
{
    QVector<Column> cols;
    for (const QString &f : fields)
        cols.append({f, QString()});
    setColumns(cols);
}

void DataSetModel::useAllFields()
{
    QVector<Column> cols;
    for (int f = 0; f < m_ds->fieldCount(); ++f)
        cols.append({m_ds->field(f).def.name, QString()});
    setColumns(cols);
}

void DataSetModel::resolve()
{
    m_fieldIndex.clear();
    for (const Column &c : qAsConst(m_columns))
        m_fieldIndex << m_ds->fieldIndex(c.field);
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_ds->recordCount() + (m_insertRow >= 0 ? 1 : 0);
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns.size();
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_fieldIndex.size())
        return QVariant();
    const int f = m_fieldIndex[index.column()];
    if (f < 0)
        return QVariant();
    if (m_unreadable.contains(index.row()))
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("#olvashatatlan#")) : QVariant();
    const int row = sourceRow(index.row());
    const bool live = index.row() == liveRow();
    switch (role) {
    case Qt::DisplayRole: {
        QString text = live ? displayText(m_ds->value(f), m_ds->field(f).def)
                            : readable(index.row(), [&] { return m_ds->displayTextAt(row, f); });
        // A long text shows its first line in a grid cell.
        const int nl = text.indexOf(QLatin1Char('\n'));
        if (nl >= 0)
            text = text.left(nl).trimmed() + QStringLiteral(" …");
        return text;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_ds->field(f).def.isNumeric() ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ForegroundRole:
        return m_rowColour && row >= 0 ? readable(index.row(), [&] { return m_rowColour(*m_ds, row); }) : QVariant();
    default:
        return QVariant();
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (!m_columns[section].title.isEmpty())
        return m_columns[section].title;
    const int f = m_fieldIndex.value(section, -1);
    return f >= 0 ? m_ds->field(f).def.title() : m_columns[section].field;
}

}  // namespace data
