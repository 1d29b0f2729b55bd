#include "common/kovetkezoazon.h"

#include "data/database.h"
#include "data/query.h"
#include "data/schema.h"

int KovetkezoAzon(data::Database &db, const QString &tabla, const QString &mezo)
{
    data::Query q(db);
    return KovetkezoAzon(q, tabla, mezo);
}

int KovetkezoAzon(data::Query &q, const QString &tabla, const QString &mezo)
{
    // The names go into the statement's text, so only the register's own
    // table and field names are accepted.
    const schema::TableDef *def = schema::table(tabla);
    if (!def)
        throw data::DbError(QStringLiteral("Ismeretlen tábla: %1").arg(tabla));
    const schema::FieldDef *mezoDef = def->field(mezo);
    if (!mezoDef)
        throw data::DbError(QStringLiteral("Ismeretlen mező: %1.%2").arg(def->name, mezo));

    q.clearParams();
    q.setSql(QStringLiteral("SELECT MAX(") + mezoDef->name + QStringLiteral(") AS maxazon FROM ") + def->name
             + QStringLiteral(";"));
    q.open();
    const qint64 legnagyobb = q.asInteger(QStringLiteral("maxazon"));
    q.close();
    return int(legnagyobb + 1);
}
