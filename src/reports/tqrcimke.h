#pragma once
// The address labels of the main list on A4 label stock: one label per
// place, in columns, with the place's name, town, street address and postal
// code. The layout of the stock sets its margins, columns and label height;
// the label height chooses the font sizes and the fields' tops.

#include "reports/engine/model.h"

// "Címke nyomtatás" in the design's geometry (a 50 mm label); its fields are
// the elements "nev", "varos", "utca" and "irsz".
riport::Definition TqrCimke();

// The font sizes (points) and tops (mm from the label's top edge) of the
// four fields for a label height.
struct CimkeBetukeszlet {
    double nevMeret, varosMeret, utcaMeret, irszMeret;
    double nevTeto, varosTeto, utcaTeto, irszTeto;
};
CimkeBetukeszlet CimkeBetuk(double cimkeMagas);

// The width of each field on a sheet of `oszlop` columns (below 1 counts as 1).
double CimkeMezoSzeles(int oszlop, double szelsoMargo);

// Fits the label report to a layout: margins, column count, label height,
// field widths, fonts and tops.
void CimkeIgazitas(riport::Definition &def, int oszlop, double cimkeMagas, double szelsoMargo, double felsoMargo);
