#pragma once
// Start-up and exit of the program: the settings file, the data folder, the
// database "regiszter" and the login.

#include <functional>

class QRect;
namespace data {
class Database;
}

// Start-up steps 1 to 5: reads the settings file into Beall(), checks the
// data folder (resetting Utvonal to the default folder, written at once),
// points the database at the data folder and opens it, then runs the login.
// Every failure is shown in an error box; false means the program must end
// (the database is closed again then, and the settings are not written).
bool Inditas();
// The same with the login step given: `belepes` returns true when a user
// logged in. Inditas() passes BelepesAblak.
bool Inditas(const std::function<bool()> &belepes);

// The login of the real program: shows the login window on the users of
// `db` modally; true after a successful login.
bool BelepesAblak(data::Database &db);

// Exit: writes the settings file in the write order, with the main window's
// left, top, height and width from `ablak`, then closes the database. A file
// that cannot be written is reported in an error box naming it.
void Kilepes(const QRect &ablak);
