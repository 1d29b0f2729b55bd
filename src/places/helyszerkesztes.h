#pragma once
// The rules of the place editor that need no window: the postal-code lookup
// that fills in a city, the two copy buttons and the upper-case country.
// The editor calls them on the place list's row in insert or edit state.

#include <QString>
#include <QVector>

namespace data {
class Database;
class DataSet;
}

// A postal-code box and the city box its lookup fills.
struct IrszMezok {
    QString irsz;
    QString varos;
};
const IrszMezok &CimIrsz();  // cim_irsz -> cim_varos
const IrszMezok &LevIrsz();  // lev_irsz -> lev_varos

// The lookup run on leaving a postal-code box: when the row's city is empty
// or the default city, the city of the row's code is written into it; an
// unknown code leaves it unchanged (the rule of common/irszvaros.h). True
// when a city was written.
bool IrszKitoltes(data::DataSet &hely, const IrszMezok &mezok, const QString &alapVaros);

// One copy of a copy button: the target field gets the source field's value.
struct MezoMasolas {
    QString cel;
    QString forras;
};
// Address to mailing address: country, postal code, city, street, in order.
const QVector<MezoMasolas> &CimMasolas();
// Contact person to owner: name, mobiles, telephone, fax, e-mail, in order.
const QVector<MezoMasolas> &KapcsolatMasolas();
// Writes every target with its source, in order, empty values included.
void Masol(data::DataSet &hely, const QVector<MezoMasolas> &masolas);

// A country code as typed into the country boxes: every letter upper case,
// character for character (a letter without a single upper-case form stays).
QString OrszagBetui(const QString &szoveg);
