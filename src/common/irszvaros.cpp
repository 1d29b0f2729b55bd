#include "common/irszvaros.h"

#include "data/dataset.h"
#include "data/query.h"

bool VarosKitoltheto(const QString &varos, const QString &alapVaros)
{
    return varos.isEmpty() || varos == alapVaros;
}

std::optional<QString> IrszVarosa(data::Database &db, const QString &irsz, const QString &varos,
                                  const QString &alapVaros)
{
    // An empty code stands for no code: no row of the table has it.
    if (!VarosKitoltheto(varos, alapVaros) || irsz.isEmpty())
        return std::nullopt;
    // The code's index finds the row; the engine compares texts exactly, letter
    // case included.
    data::Query q(db);
    q.setSql(QStringLiteral("SELECT varos FROM irsz WHERE irsz = :irsz ORDER BY Id LIMIT 1"));
    q.setParam(QStringLiteral("irsz"), irsz);
    q.open();
    std::optional<QString> talalt;
    if (!q.isEmpty())
        talalt = q.asString(QStringLiteral("varos"));
    q.close();
    return talalt;
}

bool CimVarosKitolt(data::DataSet &ds, const QString &irszMezo, const QString &varosMezo,
                    const QString &alapVaros)
{
    const std::optional<QString> varos =
        IrszVarosa(ds.database(), ds.asString(irszMezo), ds.asString(varosMezo), alapVaros);
    if (!varos)
        return false;
    ds.setValue(varosMezo, *varos);
    return true;
}
