#pragma once
// The settings record TBeall and the settings file.

#include "common/programmappa.h"

#include <QString>

// The settings of the run. The program entry owns the one record and hands
// it to what reads or changes it.
struct TBeall {
    bool TeljesKep = true;
    QString Tulajdonos;
    QString TulCim;
    QString TulTel;
    QString Utvonal;
    QString AlapVaros;
    QString Sorrend = QStringLiteral("sorszam");  // not stored in the settings file
    qint32 Bal = 5;
    qint32 Felul = 5;
    qint32 Magas = 400;
    qint32 Szeles = 640;
};

class IniFajl;
class QRect;

// The settings file: ProgramUtvonal("\\Nyugvar.ini").
QString BeallitasFajl();
// Reads the stored settings into `beall` in the read order; a missing key
// gives its default. `Sorrend` is not stored and stays as it is.
void BeallOlvas(const IniFajl &ini, TBeall &beall);
// Writes the stored settings in the write order: the record's values, and
// `Bal`, `Felul`, `Magas`, `Szeles` from the main window's left, top,
// height and width in `ablak`.
void BeallIr(IniFajl &ini, const TBeall &beall, const QRect &ablak);
