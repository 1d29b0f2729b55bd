#include "app/beallitasok.h"

#include "app/inifajl.h"

#include <QRect>

namespace {

const QString kAlapertek = QStringLiteral("Alapertek");
const QString kTulajdonos = QStringLiteral("Tulajdonos");

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
}
