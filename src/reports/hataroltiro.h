#pragma once
// Writes a data set as delimited text for spreadsheet programs: a header
// line of captions, then one line per row, every item quoted and followed by
// the separator, nothing escaped, CR LF, in the Windows-1250 code page.

#include <QString>
#include <functional>

namespace data {
class DataSet;
}

namespace hatarolt {

struct Beallitas {
    QString elvalaszto = QStringLiteral(";");   // ";", tab or ","
    QString jelolo = QStringLiteral("\"");      // '"', '\'' or empty
};

struct Eredmeny {
    int sorok = 0;              // data rows written
    bool megallitva = false;    // the stop request ended the walk early
    // Characters the code page has no byte for, written as "?".
    int csere = 0;
    int csereSor = -1;          // the first one's line: 0 the header, 1 the first row
    QString csereMezo;          // ... and field name
};

class Iro {
public:
    // Told now and then (every few milliseconds, never per row) how many
    // rows are written; the window lets its events run there, so a stop
    // request can arrive.
    using Haladas = std::function<void(int sorok)>;

    Iro(data::DataSet &adatok, const Beallitas &beallitas);

    void setHaladas(Haladas h) { m_haladas = std::move(h); }
    // How often the walk stops to tell its progress.
    void setJelzesKoz(int ms) { m_jelzesKozMs = ms; }
    // Asks the running walk to stop before its next row.
    void megallit() { m_megallit = true; }

    // Writes the open data set from its first row into `fajl`, replacing it
    // only when the whole file is written (after a stop too, with the rows
    // so far). Leaves the data set on the first row not written (on its
    // last row, past the end, after a full walk). Raises data::DbError with
    // the reason; the old file then stays as it was.
    Eredmeny ir(const QString &fajl);

private:
    data::DataSet &m_adatok;
    Beallitas m_beallitas;
    Haladas m_haladas;
    int m_jelzesKozMs = 20;
    bool m_megallit = false;
};

// The completion message: "<file> file export kész.", with the replaced
// characters told when there were any.
QString KeszUzenet(const QString &fajl, const Eredmeny &e);

}  // namespace hatarolt
