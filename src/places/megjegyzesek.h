#pragma once
// The dated notes of a place without their windows: the list's order and
// filter, and what a new note starts with.

#include <QDate>
#include <QString>
#include <QVariant>

namespace data {
class DataSet;
class Table;
}

// The filter text of a place's notes: "ugyfel=" and the key (0 when null).
QString MegjegyzesSzuro(const QVariant &ugyfel);

// Sets a table on "ugyf_megj" up as the notes list of the place `ugyfel`:
// newest first, through the index on the date, only that place's rows.
void MegjegyzesListaBeallit(data::Table &tabla, const QVariant &ugyfel);

// The values of a new note, on a row in insert state: the place and the day.
void UjMegjegyzes(data::DataSet &ds, const QVariant &ugyfel, const QDate &nap);
