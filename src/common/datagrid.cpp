#include "common/datagrid.h"

#include "common/gridmodel.h"
#include "common/vedett.h"
#include "data/dataset.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

namespace {

// The row indicator: a narrow column left of the rows with a small arrow at
// the current row.
class SorJelzo : public QHeaderView {
public:
    explicit SorJelzo(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
    }

    QSize sizeHint() const override
    {
        QSize s = QHeaderView::sizeHint();
        s.setWidth(szelesseg());
        return s;
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        painter->save();
        painter->fillRect(rect, palette().button());
        painter->setPen(palette().color(QPalette::Mid));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        auto *racs = static_cast<const QTableView *>(parentWidget());
        if (racs->selectionModel() && racs->selectionModel()->currentIndex().row() == logicalIndex) {
            const int m = qMax(3, rect.height() / 2 - 1);
            const int h = m / 2;
            const QPoint c = rect.center();
            const QPoint pontok[3] = {QPoint(c.x() - h / 2 - 1, c.y() - h), QPoint(c.x() - h / 2 - 1, c.y() + h),
                                      QPoint(c.x() + h / 2 + 1, c.y())};
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(palette().color(QPalette::ButtonText));
            painter->drawPolygon(pontok, 3);
        }
        painter->restore();
    }

    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        QSize s = QHeaderView::sectionSizeFromContents(logicalIndex);
        s.setWidth(szelesseg());
        return s;
    }

private:
    int szelesseg() const { return qMax(12, fontMetrics().height() * 3 / 4); }
};

}  // namespace

DataGrid::DataGrid(QWidget *parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(false);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setShowGrid(true);

    auto *jelzo = new SorJelzo(this);
    setVerticalHeader(jelzo);
    jelzo->setSectionResizeMode(QHeaderView::Fixed);
    jelzo->setDefaultSectionSize(fontMetrics().height() + 4);
    jelzo->setMinimumSectionSize(fontMetrics().height() + 2);

    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The selected row stays visible while another control has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    VedettKapcsol(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT rowActivated();
    });
}

void DataGrid::setDataSet(data::DataSet *dataSet, const QStringList &fields)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    data::DataSetModel *regi = m_model;
    m_ds = dataSet;
    m_model = nullptr;
    if (m_ds) {
        m_model = new data::DataSetModel(m_ds, this);
        if (fields.isEmpty())
            m_model->useAllFields();
        else
            m_model->setColumns(fields);
    }
    setModel(m_model);
    delete regi;
    if (!m_ds)
        return;

    for (auto jel : {&data::DataSet::currentChanged, &data::DataSet::rowsReset, &data::DataSet::opened,
                     &data::DataSet::afterPost, &data::DataSet::afterDelete})
        VedettKapcsol(m_ds, jel, this, &DataGrid::syncFromDataSet);
    VedettKapcsol(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                  [this](const QModelIndex &current, const QModelIndex &) {
                      verticalHeader()->viewport()->update();
                      if (m_syncing || !m_ds || !current.isValid() || !m_ds->isOpen())
                          return;
                      if (current.row() == m_model->currentGridRow())
                          return;
                      // A row being edited holds the data set where it is.
                      bool atment = false;
                      if (!m_ds->isEditing()) {
                          m_syncing = true;
                          atment = Vedett([&] { m_ds->setCurrentRow(current.row()); });
                          m_syncing = false;
                      }
                      // The row did not change: the selection goes back to the
                      // data set's real current row once this change is over.
                      if (!atment)
                          QMetaObject::invokeMethod(this, &DataGrid::syncFromDataSet, Qt::QueuedConnection);
                  });
    syncFromDataSet();
}

void DataGrid::syncFromDataSet()
{
    if (m_syncing || !m_ds || !m_model || !selectionModel())
        return;
    m_syncing = true;
    // A new row being typed is the current one.
    const int sor = m_ds->isOpen() ? m_model->currentGridRow() : -1;
    if (sor >= 0 && sor < m_model->rowCount()) {
        const int oszlop = qMax(0, currentIndex().column());
        const QModelIndex idx = m_model->index(sor, oszlop);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(idx);
    } else {
        selectionModel()->clear();
    }
    verticalHeader()->viewport()->update();
    m_syncing = false;
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Q_EMIT rowActivated();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
