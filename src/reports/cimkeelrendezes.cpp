#include "reports/cimkeelrendezes.h"

CimkeElrendezes CimkeElrendezesErtekekbol(const std::function<QVariant(const QString &)> &ertek)
{
    CimkeElrendezes e;
    const QVariant nev = ertek(QStringLiteral("cimke"));
    e.nev = nev.isNull() ? QString() : nev.toString();
    e.felsoMargo = ertek(QStringLiteral("felsomargo")).toDouble();
    e.szelsoMargo = ertek(QStringLiteral("szelsomargo")).toDouble();
    e.cimkeMagas = ertek(QStringLiteral("cimkemagas")).toDouble();
    e.oszlop = ertek(QStringLiteral("oszlop")).toInt();
    return e;
}

QString CimkeNevHiba(const QVariant &nev)
{
    if (nev.isNull() || nev.toString().trimmed().isEmpty())
        return QStringLiteral("A címke neve nem lehet üres.");
    return QString();
}

QString CimkeOszlopHiba(const QVariant &oszlop)
{
    bool szam = false;
    const qlonglong n = oszlop.isNull() ? 0 : oszlop.toLongLong(&szam);
    if (oszlop.isNull() || !szam || n < 1)
        return QStringLiteral("Az oszlopok száma legalább 1 legyen.");
    return QString();
}
