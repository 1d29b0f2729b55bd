#pragma once
// The booking reports as the booking list runs them: the list of a place for
// a period, to the printer, the preview, delimited text or HTML, and the
// confirmation of one booking in the preview. Each run opens its own data
// sets and closes them before it returns.

#include <QDate>

class QWidget;

namespace data {
class Database;
}

enum class FoglalasKimenet { Nyomtatas, Elonezet, Hatarolt, Html };

// The bookings of the place `ugyfel` whose first day lies from `tol` to
// `ig`. The HTML output asks for the file first; cancelling it writes
// nothing. Raises data::DbError when the data cannot be read; the engine's
// own failures it shows.
void FoglalasListaRiport(data::Database &db, int ugyfel, FoglalasKimenet kimenet, const QDate &tol, const QDate &ig,
                         QWidget *szulo = nullptr);

// The confirmation of the booking whose key is `foglalas`, in the preview.
void FoglalasIgazolas(data::Database &db, int foglalas, QWidget *szulo = nullptr);
