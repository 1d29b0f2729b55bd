#pragma once
// The login: the credential check over the users table, the login log and
// the change of one's own password. No windows; the boxes go through the
// shared message boxes.

#include <QString>
#include <memory>

namespace data {
class Database;
class Table;
}

class Belepes {
public:
    explicit Belepes(data::Database &db);
    ~Belepes();
    Belepes(const Belepes &) = delete;
    Belepes &operator=(const Belepes &) = delete;

    // The login table: "felhasznalo" ordered by "felhasznalo". megnyit()
    // raises data::DbError when the table cannot be opened.
    void megnyit();
    void bezar();
    bool nyitva() const;
    data::Table &tabla() const { return *m_tabla; }

    // The credential check: true when a user is named exactly `felhasznalo`
    // (case counts) and the stored password is not empty and equals
    // `jelszo` exactly; that user's row is then current. Otherwise shows
    // "Érvénytelen felhasználó, vagy jelszó". Opens the table if needed;
    // raises data::DbError on an engine failure.
    bool ellenoriz(const QString &felhasznalo, const QString &jelszo);

    // A press of "OK": runs the check and appends one row to "naplo" (the
    // name as typed, the current date and time, "I" or "N"), posted at once.
    // Returns the logged-in flag. An engine failure is shown with its own
    // message and gives false.
    bool ok(const QString &felhasznalo, const QString &jelszo);
    bool bejelentkezett() const { return m_bejelentkezett; }

    // A press of "Új jelszó": the check with the typed name and password,
    // the new password asked twice, stored when both agree (the data layer
    // cuts it to the field's 10 characters). True when stored.
    bool ujJelszo(const QString &felhasznalo, const QString &jelszo);

private:
    data::Database &m_db;
    std::unique_ptr<data::Table> m_tabla;
    bool m_bejelentkezett = false;
};
