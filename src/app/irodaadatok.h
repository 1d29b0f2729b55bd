#pragma once
// The agency's own details, the one row of "tulajdonos" that the report
// headers print, kept up without a window: the row is edited in place, or
// made when the table is still empty, and saved through the row-edit
// controller.

#include "common/sorszerkeszto.h"

namespace data {
class Database;
class Table;
}

class IrodaAdatok : public QObject {
    Q_OBJECT
public:
    explicit IrodaAdatok(data::Database &db, QObject *parent = nullptr);
    ~IrodaAdatok() override;

    data::Table *tabla() const { return m_tbl; }
    SorSzerkeszto &sorok() const { return *m_sorok; }

    // Opens the table, puts its first row by name into edit (a new row when
    // there is none), runs `szerkeszto` and saves or cancels; closes the
    // table. True when saved.
    bool szerkeszt(SorSzerkeszto::SzerkesztoFuttatas szerkeszto);

private:
    data::Table *m_tbl;
    SorSzerkeszto *m_sorok;
};
