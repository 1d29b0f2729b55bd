#pragma once
// The town of a postal code, for any address of the register (an orderer's,
// a place's address or mailing address). A town the user typed by hand is
// never overwritten: only an empty town, or one still equal to the default
// town of the settings, may be filled in from the postal-code table.

#include <QString>
#include <optional>

namespace data {
class Database;
class DataSet;
}

// Whether the town of an address may still be filled in from its postal
// code: it is empty, or it is the default town.
bool VarosKitoltheto(const QString &varos, const QString &alapVaros);

// The town to write into an address whose postal code is `irsz` and whose
// town is now `varos`; nothing when the town stays as it is (a town typed
// by hand, or a code the table does not hold). The code must equal the
// table's code whole, letter case included; of several rows with the code
// the first in the table's order wins. Raises data::DbError when the table
// cannot be read.
std::optional<QString> IrszVarosa(data::Database &db, const QString &irsz, const QString &varos,
                                  const QString &alapVaros);

// The same on the current row of a data set in insert or edit state: the
// code of `irszMezo`, the town of `varosMezo` ("cim_irsz" and "cim_varos";
// "lev_irsz" and "lev_varos"). True when the town was written.
bool CimVarosKitolt(data::DataSet &ds, const QString &irszMezo, const QString &varosMezo,
                    const QString &alapVaros);
