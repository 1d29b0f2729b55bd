#pragma once
// The entry of the lookup-table family: shows a member's list window
// modally, for upkeep or, in selection mode, to choose a row.

class QString;
class QWidget;
struct TorzsLeiras;

namespace data {
class Database;
}

// Opens the list on the row whose key is `kezdoKulcs` (the first row by name
// when there is none). The key of the row accepted in selection mode (an
// empty key is 0), or -1 when the list closed without accepting.
int TorzsValaszt(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto,
                 QWidget *szulo = nullptr);
// The same; when a row was accepted, `nev` gets its name (empty when null),
// otherwise it stays as it was. For the members that hand back the name.
int TorzsValaszt(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto, QString &nev,
                 QWidget *szulo = nullptr);
