#pragma once
// "Irodánk adatai": the agency's name, address, phones, tax number and bank
// account, which the report headers print. Leaving the postal code fills an
// empty town (or the default town) from the postal-code table.

#include "common/szerkesztoablak.h"

class QLineEdit;

namespace data {
class Database;
}

class Tfrm_Tulajdonos : public SzerkesztoAblak {
    Q_OBJECT
public:
    Tfrm_Tulajdonos(SorSzerkeszto &sorok, const QString &alapVaros, QWidget *parent = nullptr);
    ~Tfrm_Tulajdonos() override;

    // Edits the one row of the agency's details on `db` (made when the table
    // is empty) and saves it; true when saved.
    static bool futtat(data::Database &db, const QString &alapVaros, QWidget *szulo);

protected:
    bool eventFilter(QObject *obj, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_nev;
    QLineEdit *m_irsz;
    QString m_alapVaros;
};
