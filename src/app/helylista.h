#pragma once
// The accommodation list of the main window without its widgets: the place
// data set with its lookup tables, the sort orders, the quick search, the
// record counter, the grey rows, the column widths of the grid and the
// decision of the "mail to the contact" action.

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

class SorSzerkeszto;
struct TBeall;

namespace data {
class Database;
class DataSet;
class Query;
class Table;
}

// One sort order of the main list.
struct HelySorrend {
    QString akcio;    // the action that chooses it
    QString statusz;  // text of the sort panel of the status bar
    QString mezo;     // the ugyfel field that orders the list
};
// The four orders: by sequence number, name, country, postal code.
const QVector<HelySorrend> &HelySorrendek();
// The order of an action or of a field (case-insensitive); nullptr if none.
const HelySorrend *HelySorrendAkcio(const QString &akcio);
const HelySorrend *HelySorrendMezo(const QString &mezo);

// One column of the place grid and the share of the width it takes.
struct HelyOszlop {
    QString mezo;
    QString cim;
    double arany;
};
const QVector<HelyOszlop> &HelyOszlopok();

// The pixels of the grid that no column gets: row indicator and scroll bar.
constexpr int kRacsTartalek = 33;
// Width of a column: (grid width - 33) x share, rounded to a whole pixel.
int OszlopSzelesseg(int racsSzeles, double arany);

// "count / position" of the record counter.
QString SzamlaloSzoveg(int darab, int pozicio);
QString SzamlaloSzoveg(const data::DataSet &ds);

// Whether a visible row is an inactive place: its "aktiv" field is exactly
// "N". The grid shows such rows grey.
bool InaktivSor(const data::DataSet &ds, int sor);

// What "mail to the contact" does with the contact's address: an error text
// when there is no address, otherwise the target to open.
struct LevelCel {
    bool hiba;
    QString szoveg;  // the error text, or "mailto:" + address
};
LevelCel LeveletNeki(const QString &cim);
// The target of a click on an e-mail link: "mailto:" + address (also empty).
QString LevelCim(const QString &cim);

// Quick search in the field `mezo` of the data set: makes current the first
// row, in the current order, whose field begins with the text (text fields,
// letters without regard to case) or equals it as a whole number (numeric
// fields). Empty text: nothing happens. Returns whether a row was found; the
// current row moves only then. A text that does not fit the field raises the
// engine's conversion error (data::DbError).
bool GyorsKereses(data::DataSet &ds, const QString &mezo, const QString &szoveg);

// The defaults of a new place, written in insert state in this order: its
// sequence number (the next one, read before the row was inserted), the
// default city, active "I", holiday cheque "N", commission, totals and
// capacity 0.
void HelyAlapertekek(data::DataSet &ds, int sorszam, const QString &alapVaros);

// What HelyLista::lezar() remembers for HelyLista::ujranyit(): which data
// objects were open and the current place.
struct HelyListaAllapot {
    bool tbl = false;
    bool tipus = false;
    bool terulet = false;
    bool megj = false;
    bool jav = false;
    QVariant hely;  // the key (ugyfel) of the current place; null when none
};

// The data objects of the main window on the register: the place data set
// Tbl on "ugyfel" with its lookups, the read-only type and area tables, the
// notes table and the general-purpose query. The order of the list is the
// settings' Sorrend, new places get the settings' AlapVaros.
class HelyLista : public QObject {
    Q_OBJECT
public:
    HelyLista(data::Database &db, TBeall &beall, QObject *parent = nullptr);
    ~HelyLista() override;

    data::Table *Tbl() const { return m_tbl; }
    data::Table *TblXTip() const { return m_xTip; }
    data::Table *TblXTerulet() const { return m_xTerulet; }
    data::Table *TblMegj() const { return m_megj; }
    data::Query *QryJav() const { return m_qryJav; }
    // New, edit and delete of places: the next sequence number is read
    // through QryJav before a new row exists, then the row gets
    // HelyAlapertekek with it and the setting AlapVaros. The place editor
    // gives the editor run.
    SorSzerkeszto *sorok() const { return m_sorok; }

    // Opens the lookup tables and the place list in the order of `Sorrend`.
    void nyit();

    // Orders the list by one of the orders: sets Sorrend and the index
    // fields; the current row and the filter stay. Raises DbError.
    void rendez(const HelySorrend &sorrend);
    // Quick search in the field of the current order. Raises DbError.
    bool keres(const QString &szoveg);
    // The record counter of the list.
    QString szamlalo() const;

    // Closes every data set of the database and disconnects it (so that its
    // file can be copied or replaced); remembers what of the list was open.
    HelyListaAllapot lezar();
    // Connects the database again and reopens what was open: the list in
    // its order and filter, on the remembered place (on the first row when
    // that place is gone). Raises DbError.
    void ujranyit(const HelyListaAllapot &allapot);

Q_SIGNALS:
    // The counter's text may have changed (opened, moved, re-read).
    void szamlaloValtozott(const QString &szoveg);

private:
    void jelez();
    TBeall &m_beall;
    data::Table *m_tbl;
    data::Table *m_xTip;
    data::Table *m_xTerulet;
    data::Table *m_megj;
    data::Query *m_qryJav;
    SorSzerkeszto *m_sorok;
    int m_ujSorszam = 0;  // the number of the new place being made
};
