#pragma once
// The notes report: the notes of a place joined with the place, one block
// per place and one entry per note, newest first.

#include "reports/engine/model.h"

#include <QString>

// The name under which the report binds its query.
inline constexpr char kMegjegyzesAdatok[] = "Qry";

// The query's text: the notes of the place :ugyfel with their place,
// newest first, read through the index on the notes' place. The place's own
// key comes out as ugyfel_1 and its remarks as megjegyzes_1.
QString MegjegyzesRiportSql();

// "Megjegyzések"; the note text (element "megjegyzes") grows with its text.
riport::Definition TqrMegjegyzes();
