#include "data/model.h"

#include "common/vedett.h"
#include "data/dataset.h"

namespace data {

DataSetModel::DataSetModel(DataSet *dataSet, QObject *parent) : QAbstractTableModel(parent), m_ds(dataSet)
{
    auto reset = [this] {
        beginResetModel();
        m_unreadable.clear();
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
        if (!m_ds->controlsDisabled() && row >= 0 && row < rowCount() && columnCount() > 0)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
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
    return parent.isValid() ? 0 : m_ds->recordCount();
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
    switch (role) {
    case Qt::DisplayRole: {
        QString text = readable(index.row(), [&] { return m_ds->displayTextAt(index.row(), f); });
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
        return m_rowColour ? readable(index.row(), [&] { return m_rowColour(*m_ds, index.row()); }) : QVariant();
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
