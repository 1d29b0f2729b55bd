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

// True when something other than blanks follows the first statement's
// closing semicolon (one outside quotes and comments): the engine runs one
// statement at a time and refuses the rest.
bool SqlTobbUtasitas(const QString &sql);

// What a run refused by the engine tells the user, after "SQL hiba:".
QString SqlHibaSzoveg(const QString &sql, const QString &motorUzenet);

// A statement file that cannot be read or written; the text is the
// system's message with the file's name.
class SqlFajlHiba : public std::runtime_error {
public:
    explicit SqlFajlHiba(const QString &uzenet);
};

// The largest statement file read: far beyond any statement a person types.
constexpr qint64 kSqlFajlMaxMeret = 4 * 1024 * 1024;

// The text of a statement file: Windows-1250 (a file in UTF-8 is read as
// such), its line ends turned into "\n". A file larger than
// kSqlFajlMaxMeret or not an ordinary file (a device, a pipe) is refused
// unread.
QString SqlFajlOlvas(const QString &utvonal);
// Writes `szoveg` in Windows-1250 with CR LF line ends, replacing the file;
// an existing file is untouched when the write fails.
void SqlFajlIr(const QString &utvonal, const QString &szoveg);
