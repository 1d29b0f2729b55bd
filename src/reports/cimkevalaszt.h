#pragma once
// The entry of the label layouts: their list window, for upkeep or, in
// selection mode, to choose the layout of a label run.

#include "reports/cimkeelrendezes.h"

class QWidget;

namespace data {
class Database;
}

// Shows the layouts modally; in selection mode (`valaszto`) the layout
// accepted with "Elfogad" comes back, otherwise (and when the list closed
// without accepting) one with an empty name.
CimkeElrendezes CimkeValaszt(data::Database &db, bool valaszto, QWidget *szulo = nullptr);
