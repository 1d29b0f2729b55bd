#include "places/helyszerkesztes.h"

#include "data/database.h"
#include "data/dataset.h"
#include "data/query.h"

const IrszMezok &CimIrsz()
{
    static const IrszMezok mezok{QStringLiteral("cim_irsz"), QStringLiteral("cim_varos")};
    return mezok;
}

const IrszMezok &LevIrsz()
{
    static const IrszMezok mezok{QStringLiteral("lev_irsz"), QStringLiteral("lev_varos")};
    return mezok;
}

bool VarosKitoltheto(const QString &varos, const QString &alapVaros)
{
    return varos.isEmpty() || varos == alapVaros;
}

std::optional<QString> IrszVarosa(data::Database &db, const QString &irsz)
{
    // The code's index finds the rows; of several cities of one code the
    // first in the table's own order wins. The comparison is the engine's
    // exact one: whole value, letter case counting.
    data::Query q(db);
    q.setSql(QStringLiteral("SELECT varos FROM irsz WHERE irsz = :irsz ORDER BY Id LIMIT 1"));
    q.setParam(QStringLiteral("irsz"), irsz);
    q.open();
    std::optional<QString> varos;
    if (!q.isEmpty())
        varos = q.asString(QStringLiteral("varos"));
    q.close();
    return varos;
}

bool IrszKitoltes(data::DataSet &hely, const IrszMezok &mezok, const QString &alapVaros)
{
    if (!VarosKitoltheto(hely.asString(mezok.varos), alapVaros))
        return false;
    const std::optional<QString> varos = IrszVarosa(hely.database(), hely.asString(mezok.irsz));
    if (!varos)
        return false;
    hely.setValue(mezok.varos, *varos);
    return true;
}

const QVector<MezoMasolas> &CimMasolas()
{
    static const QVector<MezoMasolas> masolas = {
        {QStringLiteral("lev_orszag"), QStringLiteral("cim_orszag")},
        {QStringLiteral("lev_irsz"), QStringLiteral("cim_irsz")},
        {QStringLiteral("lev_varos"), QStringLiteral("cim_varos")},
        {QStringLiteral("lev_cim"), QStringLiteral("cim_cim")},
    };
    return masolas;
}

const QVector<MezoMasolas> &KapcsolatMasolas()
{
    static const QVector<MezoMasolas> masolas = {
        {QStringLiteral("tulajdonos"), QStringLiteral("kapcsolat")},
        {QStringLiteral("tul_mobil"), QStringLiteral("kapcs_mobil")},
        {QStringLiteral("tul_mobil2"), QStringLiteral("kapcs_mobil2")},
        {QStringLiteral("tul_telefon"), QStringLiteral("kapcs_telefon")},
        {QStringLiteral("tul_fax"), QStringLiteral("kapcs_fax")},
        {QStringLiteral("tul_emil"), QStringLiteral("kapcs_emil")},
    };
    return masolas;
}

void Masol(data::DataSet &hely, const QVector<MezoMasolas> &masolas)
{
    for (const MezoMasolas &m : masolas)
        hely.setValue(m.cel, hely.value(m.forras));
}

QString OrszagBetui(const QString &szoveg)
{
    // Character for character, so the text keeps its length and the cursor
    // its place ("ß" has no single upper-case letter and stays).
    QString nagy = szoveg;
    for (QChar &c : nagy)
        c = c.toUpper();
    return nagy;
}
