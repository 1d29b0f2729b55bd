#pragma once
// The documents attached to one place without their window: the table on
// "megj" filtered to the place and ordered by full path, the short name of
// a path, attaching a chosen file and deleting an entry. A document is only
// referred to by its path: no file is copied, read or removed.

#include <QDate>
#include <QObject>
#include <QString>
#include <QVariant>

class SorSzerkeszto;

namespace data {
class Database;
class Table;
}

// The part of a path after its last backslash, colon or slash, the whole
// path when it has none: "C:\Docs\szerzodes.pdf", "D:szerzodes.pdf" and
// "/home/anna/szerzodes.pdf" give "szerzodes.pdf".
QString DokumentumRovidNev(const QString &utvonal);

// The filter text of a place's documents: "ugyfel=" and the key (0 when
// null).
QString DokumentumSzuro(const QVariant &ugyfel);

class CsatoltDokumentumok : public QObject {
    Q_OBJECT
public:
    // The documents of the place with the key `ugyfel` (null or invalid:
    // there is no current place, and nothing can be attached). The table
    // opens with open().
    CsatoltDokumentumok(data::Database &db, const QVariant &ugyfel, QObject *parent = nullptr);
    ~CsatoltDokumentumok() override;

    data::Table *tabla() const { return m_tbl; }
    SorSzerkeszto &sorok() const { return *m_sorok; }
    bool vanHely() const;

    void open();
    void close();

    // The full path of the current entry; empty when there is none.
    QString utvonal() const;

    // Stores a new entry for `utvonal` with its short name and the day
    // `nap`; it becomes current. Without a place the error box says so and
    // nothing is stored; a post the engine refuses (the same file attached
    // twice) shows the engine's message and leaves no new row behind.
    // True when the entry was stored.
    bool csatol(const QString &utvonal, const QDate &nap);

    // Deletes the current entry after "Valóban töröljem a bejegyzést?";
    // an entry without a path (an empty list) asks nothing. True when
    // deleted.
    bool torol();

    static QString nincsHelyUzenet();

private:
    data::Table *m_tbl;
    SorSzerkeszto *m_sorok;
    QVariant m_ugyfel;
};
