#pragma once
// The orderers register "Szállás keresők": the agency's customers who book,
// in key order, with the search box, new, edit and delete; in selection
// mode the booking editor chooses the orderer of a new booking in it. The
// list runs on its own table object, open while the list is shown.

#include "common/listaablak.h"

class ListaKereso;
class QLineEdit;

namespace data {
class Database;
class Table;
}

class Tfrm_TorzsFoglalo : public ListaAblak {
    Q_OBJECT
public:
    // `alapVaros` is the default town that the editor's postal-code lookup
    // treats as not yet entered (the setting AlapVaros).
    Tfrm_TorzsFoglalo(data::Database &db, const QString &alapVaros, QWidget *parent = nullptr);
    ~Tfrm_TorzsFoglalo() override;

    data::Table *tabla() const { return m_tbl; }
    QLineEdit *keresoMezo() const;
    QAction *aKeres() const;
    QString alapVaros() const { return m_alapVaros; }

protected:
    QDialog *szerkesztoKeszit() override;
    void showEvent(QShowEvent *event) override;

private:
    void oszlopSzelessegek();

    data::Table *m_tbl;
    ListaKereso *m_kereso;
    QString m_alapVaros;
};
