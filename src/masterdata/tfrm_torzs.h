#pragma once
// The list window of a lookup table (place types, areas, payment methods),
// made from the member's description: a search box that finds a name while
// it is typed, the rows by name, new / edit / delete through the member's
// editor and, in selection mode, accept.

#include "common/listaablak.h"

class ListaKereso;
class QLineEdit;
struct TorzsLeiras;

namespace data {
class Table;
}

// The captions that the lists of the master-data family give the list
// actions ("Új sor", "Sor törlése"; "Elfogad" without a hint of its own).
void TorzsFeliratok(ListaAblak &lista);

class Tfrm_Torzs : public ListaAblak {
    Q_OBJECT
public:
    // `leiras` is one of the members' descriptions, which live as long as
    // the program.
    Tfrm_Torzs(data::Database &db, const TorzsLeiras &leiras, QWidget *parent = nullptr);
    ~Tfrm_Torzs() override;

    const TorzsLeiras &leiras() const { return m_leiras; }
    data::Table *tabla() const { return m_tbl; }
    QLineEdit *kereso() const;
    QAction *aKeres() const;

protected:
    QDialog *szerkesztoKeszit() override;
    void showEvent(QShowEvent *event) override;

private:
    void akciokFelirata();

    const TorzsLeiras &m_leiras;
    data::Table *m_tbl;
    ListaKereso *m_kereso;
};
