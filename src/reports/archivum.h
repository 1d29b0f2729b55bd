#pragma once
// The zip archive of the data folder and the way back from one: the
// restore checks an archive in a folder of its own beside the data folder
// and only then puts it in the data folder's place.

#include <QString>
#include <QStringList>
#include <functional>

namespace data {
class Database;
}

// How far the writing of an archive has got (0 to 1); returning false stops
// it, and the archive then fails as any error does.
using ArchivFolyamat = std::function<bool(double resz)>;

// Writes every file of `mappa` and of its subfolders (hidden and read-only
// ones too; folders get no entries of their own) into the zip file `zipFajl`,
// each under its path relative to `mappa` with "/" between the folders,
// deflated at the fastest level, readable by its owner only (it holds the
// passwords too). An existing file of that name is replaced;
// the archive itself is never added, even when it lies inside `mappa`.
// Returns the number of entries. Raises data::DbError naming what failed; a
// failed archive leaves no new file under `zipFajl` (an earlier one of that
// name stays as it was).
int AdatMappaArchival(const QString &mappa, const QString &zipFajl, const ArchivFolyamat &folyamat = {});

// The archive of a register on a server: a regiszter.db snapshot of every
// table of the open `db`, made with the copy in a folder of its own beside
// `zipFajl` and zipped as AdatMappaArchival zips a data folder, so that it
// restores on either engine. The desks go on working meanwhile; the
// snapshot is one moment of the server. Raises data::DbError as
// AdatMappaArchival does, or with what the copy found wrong.
int KiszolgaloArchival(data::Database &db, const QString &zipFajl, const ArchivFolyamat &folyamat = {});

// The entry names of a zip file, in stored order. Raises data::DbError when
// it is no readable zip.
QStringList ArchivBejegyzesek(const QString &zipFajl);

// The most a restore unpacks: an agency's data folder, however large the
// agency, stays far below it. An archive that says it holds more is refused.
constexpr long long kMaxVisszatoltottMeret = 1024LL * 1024 * 1024;

// Restoring the data folder from an archive, in two steps: ellenoriz()
// unpacks and checks, csere() puts the checked folder in place. The
// database must be closed before csere(). A register on a server has no
// data folder (`adatMappa` empty): the archive is unpacked in the system's
// temporary folder, and csereKiszolgalon() puts its rows on the server.
class AdatVisszatoltes {
public:
    AdatVisszatoltes(const QString &adatMappa, const QString &zipFajl);
    ~AdatVisszatoltes();  // removes what it unpacked and did not use
    AdatVisszatoltes(const AdatVisszatoltes &) = delete;
    AdatVisszatoltes &operator=(const AdatVisszatoltes &) = delete;

    // Unpacks the archive into a new folder beside the data folder and
    // checks it: a zip of a data folder (regiszter.db at its root) whose
    // database opens and holds every table and field of the register.
    // Before a byte is written, the sizes its directory gives are checked
    // against kMaxVisszatoltottMeret and the free space of the disk; an
    // entry that unpacks to more than its stated size is refused.
    // Raises data::DbError with a Hungarian sentence; nothing of the data
    // folder is touched.
    void ellenoriz();

    // Archives the present data folder into `elozoArchiv` first, then moves
    // the data folder aside, the checked one into its place (with the rights
    // the data folder had), and deletes the old one once the new one opens. Any failure puts the old folder
    // back and raises data::DbError.
    void csere(const QString &elozoArchiv);

    // Archives the server's present rows into `elozoArchiv` first
    // (KiszolgaloArchival), then replaces the rows of every table of the
    // open `db` with the checked archive's, in one unit: any failure leaves
    // the server's rows as they were, and raises data::DbError.
    void csereKiszolgalon(data::Database &db, const QString &elozoArchiv);

    QString ideiglenesMappa() const { return m_kicsomagolt; }

private:
    void kicsomagol();
    void takarit();

    QString m_adatMappa;
    QString m_zipFajl;
    QString m_kicsomagolt;  // the unpacked folder; empty when none
    bool m_ellenorizve = false;
};
