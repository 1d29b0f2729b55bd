#pragma once
// A read-only grid on a data set: whole-row selection that stays visible
// without focus, a row indicator, column titles from field labels, and the
// selected row kept equal to the data set's current row both ways.

#include <QTableView>

namespace data {
class DataSet;
class DataSetModel;
}

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    // Shows `fields` of the data set (empty: every field).
    void setDataSet(data::DataSet *dataSet, const QStringList &fields = {});
    data::DataSet *dataSet() const { return m_ds; }
    data::DataSetModel *dataModel() const { return m_model; }

Q_SIGNALS:
    // Double click or Enter on a row.
    void rowActivated();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void syncFromDataSet();
    data::DataSet *m_ds = nullptr;
    data::DataSetModel *m_model = nullptr;
    bool m_syncing = false;
};
