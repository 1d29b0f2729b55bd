#pragma once
// The runs of the accommodation reports, the notes report and the labels on
// the screen and the printer. Each shows the engine's failures itself; an
// error of the data (the agency details or the notes not opening) comes out
// as data::DbError for the caller's slot guard.

#include <QVariant>

class QWidget;

namespace data {
class Database;
class DataSet;
}

// The full list of the main list `lista`: printed (`nyomtatora`) or previewed.
void UgyfelListaRiport(data::Database &db, data::DataSet &lista, bool nyomtatora, QWidget *szulo);

// The data sheet of the place `ugyfel` (null counts as 0), the main list
// narrowed to it for the run and then put back as it was.
void AdatlapRiport(data::Database &db, data::DataSet &lista, const QVariant &ugyfel, bool nyomtatora,
                   QWidget *szulo);

// The notes of the place `ugyfel` (null counts as 0).
void MegjegyzesRiport(data::Database &db, const QVariant &ugyfel, bool nyomtatora, QWidget *szulo);

// The labels of the main list on a layout's stock, in the preview, from
// which the user prints.
void CimkeNyomtatas(data::DataSet &lista, int oszlop, double cimkeMagas, double szelsoMargo, double felsoMargo,
                    QWidget *szulo);
