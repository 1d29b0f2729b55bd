#pragma once
// The members of the lookup-table family: place types, areas and payment
// methods. One list window and one editor serve all three; what differs
// between them is told here once, as data.

#include <QSize>
#include <QString>

class SorSzerkeszto;

struct TorzsLeiras {
    QString listaOsztaly;       // object name of the list window
    QString listaCim;           // caption of the list window
    QSize listaMeret;           // its client area
    QString oszlopCim;          // title of the grid's one column
    int oszlopSzeles;
    QString szerkesztoOsztaly;  // object name of the editor
    QString szerkesztoCim;      // caption of the editor
    QString cimke;              // label of the editor's one edit box
    QString tabla;
    QString kulcsMezo;
    QString nevMezo;            // the list's order and the edited field
    bool kulcsotAd;             // the list numbers new rows; otherwise the table does
    bool nevetIsAd;             // selection can hand back the name with the key
};

const TorzsLeiras &TorzsTipus();
const TorzsLeiras &TorzsTerulet();
const TorzsLeiras &TorzsFizmod();

// Sets up the row-edit controller of a member's list: the key handed back,
// the text of a refused save and, where the list numbers new rows, the next
// key (one more than the largest in the whole table) written into a new row.
void TorzsSorok(SorSzerkeszto &sorok, const TorzsLeiras &leiras);
