#include "reports/korposta.h"

#include "data/database.h"
#include "data/query.h"
#include "data/table.h"

QString KorpostaCimLekerdezes()
{
    // ugyfel - ugyfel keeps the zero columns numeric whatever the engine
    // makes of a bare constant. Every place with an address gives its own
    // row, also when another place has the same address.
    return QStringLiteral(
        "SELECT cim AS emil, ugyfel_nev AS nev, ugyfel - ugyfel AS kuldve, ugyfel - ugyfel AS csoport, "
        "'' AS vnev, '' AS knev, ugyfel - ugyfel AS honap, ugyfel - ugyfel AS nap "
        "FROM (SELECT COALESCE(NULLIF(TRIM(kapcs_emil), ''), NULLIF(TRIM(tul_emil), '')) AS cim, "
        "ugyfel_nev, ugyfel, sorszam FROM ugyfel) AS cimek WHERE cim IS NOT NULL ORDER BY sorszam, ugyfel");
}

int KorpostaFeltoltes(data::Database &db, const QString &forrasSql)
{
    data::Query cimek(db);
    cimek.setObjectName(QStringLiteral("QryEmil"));
    cimek.setSql(forrasSql);
    cimek.open();
    data::Table emil(db, QStringLiteral("emil"));
    emil.setObjectName(QStringLiteral("TblKorposta"));

    data::UnitOfWork munka(db);
    emil.emptyTable();
    const int atvitt = emil.appendFrom(cimek);
    munka.commit();
    return atvitt;
}
