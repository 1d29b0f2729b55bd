#include "places/helyszerkesztes.h"

#include "common/irszvaros.h"
#include "data/dataset.h"

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

bool IrszKitoltes(data::DataSet &hely, const IrszMezok &mezok, const QString &alapVaros)
{
    return CimVarosKitolt(hely, mezok.irsz, mezok.varos, alapVaros);
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
