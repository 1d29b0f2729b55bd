#pragma once
// The program folder ProgramMappa and the paths formed from it.

#include <QString>

// The folder of the running program, without a trailing separator. It is
// determined once; tests may set it.
QString ProgramMappa();
void setProgramMappa(const QString &mappa);

// ProgramMappa followed by a relative path written with backslashes
// ("\\Data", "\\Help\\index.htm"), with the platform's separators, naming
// the folder in its real letter case on a case-sensitive file system.
QString ProgramUtvonal(const QString &relativ);
