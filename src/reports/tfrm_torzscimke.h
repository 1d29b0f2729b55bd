#pragma once
// "Címkék": the label layouts by name, kept up through their editor and, in
// selection mode, chosen for a label run. A member of the master-data
// family: the family's captions and delete question, its list window and
// row-edit controller; five columns and its own editor.

#include "common/listaablak.h"

namespace data {
class Table;
}

class Tfrm_TorzsCimke : public ListaAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsCimke(data::Database &db, QWidget *parent = nullptr);
    ~Tfrm_TorzsCimke() override;

    data::Table *tabla() const { return m_tbl; }

protected:
    QDialog *szerkesztoKeszit() override;

private:
    void elfogadBezarElott();

    data::Table *m_tbl;
};
