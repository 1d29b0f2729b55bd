#pragma once
// The accommodation reports over the main list: the full list of places,
// two lines each, and the data sheet with every detail of one place. Both
// read the main list as it stands, with its order and filter.

#include "reports/engine/model.h"

// The name under which the reports bind the main list.
inline constexpr char kHelyListaAdatok[] = "Tbl";

// "Szálláshelyek listája".
riport::Definition TqrUgyfel();
// "Adatlap"; the two memos (elements "szolgaltatas" and "megjegyzes") grow
// with their texts.
riport::Definition TqrUgyfel_reszl();
