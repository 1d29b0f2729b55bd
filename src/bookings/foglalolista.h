#pragma once
// The entry of the orderers register.

class QString;

namespace data {
class Database;
}

// Shows the orderers register "Szállás keresők" modally, first on the
// orderer whose key is `kezdoKulcs` when there is one (otherwise on the
// first in key order). In selection mode (`valaszto`) "Elfogad" (Enter, double
// click) closes it and the result is the accepted orderer's key, 0 when the
// register is empty; closing it otherwise gives -1, as browse mode always
// does. `alapVaros` is the setting AlapVaros, for the editor's postal-code
// lookup. Raises data::DbError when the orderers cannot be read.
int FoglaloLista(data::Database &db, const QString &alapVaros, int kezdoKulcs, bool valaszto);
