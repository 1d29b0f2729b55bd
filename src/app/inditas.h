#pragma once
// Start-up and exit of the program: the settings file, the data folder, the
// database "regiszter" and the login.

#include <functional>

class QRect;

// Start-up steps 1 to 5: reads the settings file into Beall(), checks the
// data folder (resetting Utvonal to the default folder, written at once),
// points the database at the data folder and opens it, then runs the login.
// Every failure is shown in an error box; false means the program must end
// (the database is closed again then, and the settings are not written).
// `belepes` is the login step; it returns true when a user logged in. The
// program passes BelepesAblak (app/tfrm_login.h).
bool Inditas(const std::function<bool()> &belepes);

// Exit: writes the settings file in the write order, with the main window's
// left, top, height and width from `ablak`, then closes the database. A file
// that cannot be written is reported in an error box naming it.
void Kilepes(const QRect &ablak);
