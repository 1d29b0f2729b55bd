#pragma once
// The booking list: the bookings of the main window's current place with a
// header strip naming the place and a detail panel of the current booking.
// New and changed bookings run through the booking editor; every save and
// delete moves the place's totals in the same unit of work (FoglalasSorok).

#include "bookings/foglalasriportok.h"
#include "common/listaablak.h"

#include <functional>

class FoglalasSorok;
class QLabel;
class QPlainTextEdit;

namespace data {
class Binder;
class DataSet;
class Query;
class Table;
}

class Tfrm_Foglal : public ListaAblak {
    Q_OBJECT
public:
    // `hely` is the main window's place data set, whose current row is the
    // place of the bookings; `qryJav` runs the next-number statement.
    Tfrm_Foglal(data::Database &db, data::DataSet &hely, data::Query &qryJav, QWidget *parent = nullptr);
    ~Tfrm_Foglal() override;

    // Chooses the orderer of a new booking (its key, or -1 for none).
    void setFoglaloValaszto(std::function<int()> valaszto);

    // Shows the bookings of the place `helyKulcs` modally; its data sets are
    // open only meanwhile.
    int FoglalasLista(int helyKulcs);
    // Its first step: the bookings of the place, and the payment methods,
    // opened. Raises data::DbError.
    void nyit(int helyKulcs);

    data::Table *tabla() const { return m_tbl; }
    data::Table *fizmodok() const { return m_fizmod; }
    FoglalasSorok &foglalasok() const { return *m_sorok; }
    QString helyNev() const;

public Q_SLOTS:
    void uj() override;
    void szerkeszt() override;

protected:
    QDialog *szerkesztoKeszit() override;
    void showEvent(QShowEvent *event) override;

private:
    // The booking list of a period asked for, to the output of the action.
    void idoszakRiport(FoglalasKimenet kimenet);
    // The current booking's confirmation in the preview.
    void visszaigazolas();
    QAction *akcio(const char *nev, const QString &felirat, const QKeySequence &billentyu, const char *ikonok);
    void eszkozokBeallit();
    QWidget *fejlec();
    QWidget *reszletek();
    void fejlecFrissit();
    void oszlopSzelessegek();
    void kot();
    void FoglalasSzerkeszt(bool uj);

    data::DataSet &m_hely;
    data::Table *m_tbl;
    data::Table *m_fizmod;
    FoglalasSorok *m_sorok;
    data::Binder *m_kotes;
    QLabel *m_helyNev = nullptr;
    QList<QPair<QLabel *, QString>> m_kotendok;  // the panel's values, bound once open
    QPlainTextEdit *m_memo = nullptr;
    int m_helyKulcs = 0;
};
