#include "app/beallitasok.h"

#include "app/inifajl.h"

#include <QRect>

namespace {

const QString kAlapertek = QStringLiteral("Alapertek");
const QString kTulajdonos = QStringLiteral("Tulajdonos");
const QString kAdatbazis = QStringLiteral("Adatbazis");
const QString kPostgreSQL = QStringLiteral("PostgreSQL");

// A key of [Adatbazis] goes into the file only once it differs from its
// default; one that is there already is written in place as ever.
void irHaBeallitott(IniFajl &ini, const QString &kulcs, const QString &ertek, const QString &alap)
{
    if (ertek != alap || ini.vanKulcs(kAdatbazis, kulcs))
        ini.irSzoveg(kAdatbazis, kulcs, ertek);
}

}  // namespace

QString BeallitasFajl()
{
    return ProgramUtvonal(QStringLiteral("\\Nyugvar.ini"));
}

void BeallOlvas(const IniFajl &ini, TBeall &b)
{
    const TBeall alap;
    b.AlapVaros = ini.olvasSzoveg(kAlapertek, QStringLiteral("AlapVaros"), QString());
    b.TeljesKep = ini.olvasLogikai(kAlapertek, QStringLiteral("TeljesKep"), alap.TeljesKep);
    b.Tulajdonos = ini.olvasSzoveg(kTulajdonos, QStringLiteral("Tulajdonos"), QString());
    b.TulCim = ini.olvasSzoveg(kTulajdonos, QStringLiteral("TulCim"), QString());
    b.TulTel = ini.olvasSzoveg(kTulajdonos, QStringLiteral("TulTel"), QString());
    b.Bal = ini.olvasEgesz(kAlapertek, QStringLiteral("Bal"), alap.Bal);
    b.Felul = ini.olvasEgesz(kAlapertek, QStringLiteral("Felul"), alap.Felul);
    b.Magas = ini.olvasEgesz(kAlapertek, QStringLiteral("Magas"), alap.Magas);
    b.Szeles = ini.olvasEgesz(kAlapertek, QStringLiteral("Szeles"), alap.Szeles);
    b.Utvonal = ini.olvasSzoveg(kAlapertek, QStringLiteral("utvonal"),
                                ProgramUtvonal(QStringLiteral("\\Data")));
    b.Motor = ini.olvasSzoveg(kAdatbazis, QStringLiteral("Motor"), alap.Motor);
    b.Kiszolgalo = ini.olvasSzoveg(kAdatbazis, QStringLiteral("Kiszolgalo"));
    b.Port = ini.olvasSzoveg(kAdatbazis, QStringLiteral("Port"));
    b.Nev = ini.olvasSzoveg(kAdatbazis, QStringLiteral("Nev"));
    b.Felhasznalo = ini.olvasSzoveg(kAdatbazis, QStringLiteral("Felhasznalo"));
    b.SSL = ini.olvasSzoveg(kAdatbazis, QStringLiteral("SSL"), alap.SSL);
}

void BeallIr(IniFajl &ini, const TBeall &b, const QRect &ablak)
{
    ini.irLogikai(kAlapertek, QStringLiteral("TeljesKep"), b.TeljesKep);
    ini.irSzoveg(kTulajdonos, QStringLiteral("Tulajdonos"), b.Tulajdonos);
    ini.irSzoveg(kTulajdonos, QStringLiteral("TulCim"), b.TulCim);
    ini.irSzoveg(kTulajdonos, QStringLiteral("TulTel"), b.TulTel);
    ini.irSzoveg(kAlapertek, QStringLiteral("Utvonal"), b.Utvonal);
    ini.irSzoveg(kAlapertek, QStringLiteral("AlapVaros"), b.AlapVaros);
    ini.irEgesz(kAlapertek, QStringLiteral("Bal"), ablak.left());
    ini.irEgesz(kAlapertek, QStringLiteral("Felul"), ablak.top());
    ini.irEgesz(kAlapertek, QStringLiteral("Magas"), ablak.height());
    ini.irEgesz(kAlapertek, QStringLiteral("Szeles"), ablak.width());
    const TBeall alap;
    irHaBeallitott(ini, QStringLiteral("Motor"), b.Motor, alap.Motor);
    irHaBeallitott(ini, QStringLiteral("Kiszolgalo"), b.Kiszolgalo, alap.Kiszolgalo);
    irHaBeallitott(ini, QStringLiteral("Port"), b.Port, alap.Port);
    irHaBeallitott(ini, QStringLiteral("Nev"), b.Nev, alap.Nev);
    irHaBeallitott(ini, QStringLiteral("Felhasznalo"), b.Felhasznalo, alap.Felhasznalo);
    irHaBeallitott(ini, QStringLiteral("SSL"), b.SSL, alap.SSL);
}

bool KiszolgalonFut(const TBeall &b)
{
    return b.Motor.compare(kPostgreSQL, Qt::CaseInsensitive) == 0;
}

bool IsmertMotor(const TBeall &b)
{
    return KiszolgalonFut(b) || b.Motor.compare(TBeall().Motor, Qt::CaseInsensitive) == 0;
}

QStringList AdatbazisParameterek(const TBeall &b, const QString &jelszo)
{
    if (!KiszolgalonFut(b))
        return {QStringLiteral("PATH=") + b.Utvonal, QStringLiteral("DEFAULT DRIVER=PARADOX"),
                QStringLiteral("ENABLE BCD=FALSE")};
    QStringList p{QStringLiteral("MOTOR=") + kPostgreSQL, QStringLiteral("HOST=") + b.Kiszolgalo,
                  QStringLiteral("PORT=") + b.Port, QStringLiteral("DBNAME=") + b.Nev,
                  QStringLiteral("USER=") + b.Felhasznalo, QStringLiteral("SSLMODE=") + b.SSL};
    if (!jelszo.isEmpty())
        p << QStringLiteral("PASSWORD=") + jelszo;
    return p;
}

QString KiszolgaloNeve(const TBeall &b)
{
    return QStringLiteral("%1:%2/%3").arg(b.Kiszolgalo.isEmpty() ? QStringLiteral("localhost") : b.Kiszolgalo,
                                          b.Port.isEmpty() ? QStringLiteral("5432") : b.Port, b.Nev);
}
