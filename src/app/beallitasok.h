#pragma once
// The settings record TBeall and the settings file.

#include "common/programmappa.h"

#include <QString>
#include <QStringList>

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
    // Section [Adatbazis]: the register on a PostgreSQL server instead of
    // the data folder. The password is never kept here.
    QString Motor = QStringLiteral("SQLite");  // or "PostgreSQL"
    QString Kiszolgalo;
    QString Port;
    QString Nev;
    QString Felhasznalo;
    QString SSL = QStringLiteral("prefer");  // libpq's sslmode
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
// height and width in `ablak`. The keys of [Adatbazis] are written only when
// they hold other than their defaults or are in the file already, so a desk
// on its data folder never gets the section.
void BeallIr(IniFajl &ini, const TBeall &beall, const QRect &ablak);

// Whether `Motor` names the PostgreSQL server, and whether it names an
// engine the program knows (letter case aside).
bool KiszolgalonFut(const TBeall &beall);
bool IsmertMotor(const TBeall &beall);
// The database's parameter list: the data folder's three texts, or the
// server's with `jelszo` when the user typed one.
QStringList AdatbazisParameterek(const TBeall &beall, const QString &jelszo = QString());
// The server as the start-up names it: "host:port/database", libpq's
// defaults filled in.
QString KiszolgaloNeve(const TBeall &beall);
