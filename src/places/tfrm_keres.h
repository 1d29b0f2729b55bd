#pragma once
// The find dialog "Általános keresés": a search text and a direction; each
// press of "Keres" walks the main list to the next row whose text, taken
// over all its fields, holds the search text (HelyKereses). It sits in the
// lower right corner of the main window and stays open for the next press.

#include "places/helykereses.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace data {
class DataSet;
}

class Tfrm_Keres : public QDialog {
    Q_OBJECT
public:
    // Works on the main list's data set itself: a find moves its current row.
    explicit Tfrm_Keres(data::DataSet &ds, QWidget *parent = nullptr);
    ~Tfrm_Keres() override;

    KeresesIrany irany() const;
    void setIrany(KeresesIrany irany);

public Q_SLOTS:
    // "Keres": one find from where the direction says.
    void keres();

private:
    data::DataSet &m_ds;
    QLineEdit *m_szoveg;
    QRadioButton *m_iranyok[3];
    QPushButton *m_keres;
    QPushButton *m_bezar;
};
