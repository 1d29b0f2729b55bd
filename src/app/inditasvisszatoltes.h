#pragma once
// The way back at start-up for a data folder that holds no usable register:
// the restore from an archive, offered before the program ends.

#include <QString>

// Asks whether to restore the data folder `adatMappa` from an archive, lets
// the user choose one (the newest in the folder "Archiv" proposed), checks
// it and puts it in the folder's place, the present content archived first.
// Every outcome is told in a message box; true when the data were restored.
bool VisszatoltesFelajanlas(const QString &adatMappa);
