#pragma once
// The filter of the place list without its dialog: what the user chose in
// the filter dialog and the filter text made of it, and switching the
// filter of a data set on and off.

#include <QString>

namespace data {
class DataSet;
}

// The choices of the filter dialog. A ticked box without a pick uses key 0.
struct SzuroValasztas {
    bool terulet = false;
    int teruletKulcs = 0;
    bool tipus = false;
    int tipusKulcs = 0;
    bool csakAktiv = true;
};

// The filter text: the clauses of the ticked boxes, area, type and active
// in this order, joined by " and "; empty when no box is ticked.
//   (terulet=2) and (tipus=5) and (aktiv='I')
QString SzuroSzoveg(const SzuroValasztas &valasztas);

// Switches filtering of `ds` on with `szoveg` (raises DbError for a text the
// engine does not take, before anything changes), or off, keeping the
// stored text.
void SzuresBe(data::DataSet &ds, const QString &szoveg);
void SzuresKi(data::DataSet &ds);
