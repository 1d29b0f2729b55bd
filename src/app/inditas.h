#pragma once
// Start-up and exit of the program: the settings file, the data folder, the
// database "regiszter" and the login.

#include <functional>

class AdatMappaZar;
class QRect;
class QString;
struct TBeall;

namespace data {
class Database;
}

// Start-up steps 1 to 5: reads the settings file into `beall`, checks the
// data folder (resetting Utvonal to the default folder, written at once),
// points `db` at the data folder and opens it, then runs the login.
// Every failure is shown in an error box; false means the program must end
// (the database is closed again then, and the settings are not written).
// `belepes` is the login step; it returns true when a user logged in. The
// program passes BelepesAblak (app/tfrm_login.h).
//
// A data folder that holds no usable register (the database file missing,
// damaged or incomplete) is handed to `helyreallitas` after the message: it
// offers the restore from an archive and returns true when it put an
// archive's data in the folder, which is then opened again (once). The
// program passes VisszatoltesFelajanlas (app/inditasvisszatoltes.h).
// A database that opens only for reading (a full disk) is told, and the
// program goes on.
//
// Before the database opens, `zar` (when given) takes the lock of the data
// folder, which it holds until the program ends; a lock of another running
// copy is told in a message box, and the program goes on. A start that fails
// lets the lock go again.
//
// When the settings name a PostgreSQL server ([Adatbazis] Motor), the
// database is opened on it instead, and nothing of the above that concerns a
// data folder runs (its checks, its lock, the restore offer). A password the
// server asks for is asked in JelszoDoboz and kept for this run only; the
// messages of a server that cannot be used come from the data layer and name
// the server and the cause.
bool Inditas(data::Database &db, TBeall &beall, const std::function<bool()> &belepes,
             const std::function<bool(const QString &adatMappa)> &helyreallitas = {},
             AdatMappaZar *zar = nullptr);

// The newest zip archive in `mappa` by the time it was written; empty when
// there is none.
QString LegujabbArchiv(const QString &mappa);

// Exit: writes `beall` to the settings file in the write order, with the main
// window's left, top, height and width from `ablak`, then closes `db`. A file
// that cannot be written is reported in an error box naming it.
void Kilepes(data::Database &db, const TBeall &beall, const QRect &ablak);
