#pragma once
// The arithmetic of a booking: nights from the two dates, the agency's
// commission, the amount payable on site, and how a booking moves its
// place's running totals of fees and commissions. Amounts are forints in
// floating point and are never rounded here; an empty amount is 0.

#include <QDate>
#include <QString>

namespace data {
class Database;
class DataSet;
class Query;
}

// A fee and a commission: a booking's own, or a place's running totals.
struct DijJutalek {
    double dij = 0;
    double jut = 0;
};

// Nights from the first day to the last: the first day counts, the last
// does not (the 1st to the 3rd is 2); a last day before the first gives a
// negative number.
int Ejszakak(const QDate &tol, const QDate &ig);
// The commission: the rate is a percentage (12.5 means 12.5 %), divided
// by 100 before it multiplies the fee.
double Jutalek(double jutalekSzazalek, double osszDij);
// What the guest pays on site: the fee less the deposit.
double Helyszinen(double osszDij, double eloleg);

// What a booking did to its place's running totals.
enum class FoglalasValtozas { Uj, Szerkesztett, Torolt };

// Moves the place's totals in the file by a booking, inside the caller's
// unit of work, from what the file holds then (never from a shown copy):
// `uj` is the booking's fee and commission as stored after the change,
// `regi` as stored before it. The sums are made in this order: new: fee +
// place, place + commission; edited: new + place - old, for both; deleted:
// place - booking. An empty total counts as 0; a total that ends nearer to
// 0 than half a hundredth of a forint is stored as exactly 0, so that float
// residues never hide from a filter on 0. Raises data::DbError when the
// place is not in the file.
void HelyOsszegeitMozgat(data::Database &db, int helyKulcs, FoglalasValtozas valtozas, const DijJutalek &uj,
                         const DijJutalek &regi);

// The fee and commission the file holds for the booking whose `mezo` (the
// key "foglalas" or the number "foglalaz") is `ertek`, empty ones as 0;
// 0 and 0 when there is no such booking. Runs on the general-purpose query.
DijJutalek TaroltOsszegek(data::Query &qry, const QString &mezo, qint64 ertek);

// The fee and commission of a data set's current row ("ossz_dij",
// "ossz_jut"; in insert or edit, of the values typed), empty ones as 0.
DijJutalek DijJutalekOlvas(const data::DataSet &ds);

// The filter of one place's bookings: "ugyfel=" and the key in digits.
QString FoglalasSzuro(int helyKulcs);

// The next booking number: the largest booking number of the whole table
// plus 1 (an empty table or one without numbers gives 1). Runs its
// statement on the general-purpose query, whose text it replaces.
int KovetkezoFoglalasSzam(data::Query &qry);
// `sorszam` while no booking holds it; once another writer has taken it,
// the next free number. Run inside the unit that saves the booking, which
// keeps any other writer out until it ends.
int SzabadFoglalasSzam(data::Query &qry, int sorszam);

// What a new booking starts with, written in insert state in this order:
// orderer, place, first and last day today, one night, one adult, no
// children, the place's commission rate, all amounts 0, the booking number.
struct UjFoglalas {
    int foglalo = 0;
    int hely = 0;
    QDate ma;
    double jutalek = 0;
    int sorszam = 0;
};
void FoglalasAlapertekek(data::DataSet &ds, const UjFoglalas &uj);
