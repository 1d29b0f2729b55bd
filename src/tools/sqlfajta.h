#pragma once
// The free SQL window's logic without widgets: telling a query from a
// command, and the statement files in the Windows-1250 code page.

#include <QString>
#include <stdexcept>

// True when the statement is a query that returns rows: with its leading
// and trailing blanks and control characters removed and upper-cased it
// begins with "SELECT". Everything else (a comment first, a parenthesis,
// WITH, ...) is a command.
bool SqlLekerdezes(const QString &sql);

// A statement file that cannot be read or written; the text is the
// system's message with the file's name.
class SqlFajlHiba : public std::runtime_error {
public:
    explicit SqlFajlHiba(const QString &uzenet);
};

// The text of a statement file: Windows-1250 (a file in UTF-8 is read as
// such), its line ends turned into "\n".
QString SqlFajlOlvas(const QString &utvonal);
// Writes `szoveg` in Windows-1250 with CR LF line ends, replacing the file;
// an existing file is untouched when the write fails.
void SqlFajlIr(const QString &utvonal, const QString &szoveg);
