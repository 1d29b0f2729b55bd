#pragma once
// A label layout: the geometry of one kind of A4 label stock, as the label
// run uses it. Lengths are millimetres.

#include <QString>
#include <QVariant>
#include <functional>

struct CimkeElrendezes {
    QString nev;            // empty: no layout was chosen
    double felsoMargo = 0;  // top and bottom page margin
    double szelsoMargo = 0; // left and right page margin
    double cimkeMagas = 0;  // height of one label
    int oszlop = 0;         // label columns across the sheet
};

// The layout of a row whose fields `ertek` reads by name; a null reads as
// an empty name or 0.
CimkeElrendezes CimkeElrendezesErtekekbol(const std::function<QVariant(const QString &)> &ertek);

// Why a name cannot stand in a layout (null or blank: an empty name is what
// the picker hands back when nothing was chosen); empty when it can.
QString CimkeNevHiba(const QVariant &nev);

// Why a column count cannot stand in a layout (null, not a whole number,
// below 1); empty when it can. The run divides the printable width by it.
QString CimkeOszlopHiba(const QVariant &oszlop);
