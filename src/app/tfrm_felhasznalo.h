#pragma once
// The user list: the users of the register, with new, edit and delete. It
// runs on its own table object, opened while the list is shown.

#include "common/listaablak.h"

namespace data {
class Database;
class Table;
}

class Tfrm_Felhasznalo : public ListaAblak {
    Q_OBJECT
public:
    explicit Tfrm_Felhasznalo(data::Database &db, QWidget *parent = nullptr);
    ~Tfrm_Felhasznalo() override;

    data::Table *tabla() const { return m_tbl; }

protected:
    QDialog *szerkesztoKeszit() override;

private:
    data::Table *m_tbl;
};
