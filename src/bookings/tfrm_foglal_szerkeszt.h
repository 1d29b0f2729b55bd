#pragma once
// The booking editor: one booking of the booking list, in insert or edit.
// Leaving "ig" counts the nights, leaving "össz.díj" the commission, leaving
// "előleg" the amount payable on site. A numeric field that holds no number
// keeps the focus with a message. The two date pickers are not bound: they
// start from the row's dates (today when empty) and are written into the
// row when "OK" saves it. A dark red line under the fields warns of nights
// another booking of the place holds and of more guests than it sleeps,
// checked on opening and on leaving the dates and head counts; it never
// stops "OK".

#include "common/szerkesztoablak.h"

class FoglalasSorok;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace data {
class DataSet;
}

class Tfrm_Foglal_Szerkeszt : public SzerkesztoAblak {
    Q_OBJECT
public:
    // `fizmodok`: the payment methods the drop-down list offers.
    Tfrm_Foglal_Szerkeszt(FoglalasSorok &sorok, data::DataSet *fizmodok, QWidget *parent = nullptr);
    ~Tfrm_Foglal_Szerkeszt() override;

protected:
    bool ellenoriz() override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *obj, QEvent *event) override;

private:
    // The controls of the first page, in tab order, bound to the row.
    void vezerlok(QWidget *lap, data::DataSet *fizmodok);
    void elrendez(QWidget *lap);
    void megjegyzesLap(QWidget *lap);
    QLineEdit *szamMezo(QWidget *lap, const char *nev, const QString &mezo);
    void elhagyva(QWidget *vezerlo);
    void figyelmeztet();

    QTabWidget *m_lapok;
    QDateEdit *m_tol;
    QDateEdit *m_ig;
    QLineEdit *m_nap;
    QLineEdit *m_felnott;
    QLineEdit *m_gyerek;
    QComboBox *m_fizmod;
    QLineEdit *m_jutalek;
    QLineEdit *m_dij;
    QLineEdit *m_jut;
    QLineEdit *m_eloleg;
    QLineEdit *m_helyszinen;
    QLineEdit *m_sorszam;
    QLineEdit *m_ugyfel;
    QPlainTextEdit *m_megjegyzes;
    QLabel *m_figyelmeztetes;
};
