#pragma once
// The mark a running copy of the program leaves in its data folder: a lock
// file held from the start to the exit, by which a second copy started on the
// same folder learns that it is not alone. It only informs; the data are kept
// safe by the database's own locking either way.

#include <QString>
#include <memory>

class QLockFile;

// The lock file's name in the data folder. Archives of the folder leave it
// out, and a restore carries the running copy's lock into the new folder.
inline constexpr char kAdatMappaZarNev[] = "nyugvar.lock";

class AdatMappaZar {
public:
    AdatMappaZar();
    ~AdatMappaZar();  // releases the lock
    AdatMappaZar(const AdatMappaZar &) = delete;
    AdatMappaZar &operator=(const AdatMappaZar &) = delete;

    // Takes the lock of the data folder `mappa`, letting go of one held
    // before. Returns the warning for the user when another running copy
    // holds it, naming its computer, process and user as far as they are
    // known; empty when the lock is ours now, and also when no lock file can
    // be made there (a read-only folder), where the program starts as ever.
    // A lock left by a copy of this computer that no longer runs (or ran
    // before the computer restarted) is taken over without a word; one of
    // another computer cannot be checked, so the warning names its file.
    QString lefoglal(const QString &mappa);
    void elenged();
    bool foglalt() const;  // this copy holds the lock

private:
    std::unique_ptr<QLockFile> m_zar;
};
