#pragma once
// The confirmation of one booking for the guest, as a band report, and what
// one run of it opens: the booking's query and the agency details.

#include "bookings/tqrfoglalas.h"

// "Foglalás igazolás": the standard header, one band holding the booking
// with its place, period and payment, and a footer with a signature box
// above the standard footer's elements.
riport::Definition TqrFoglIgazol();

// The query of the booking whose key is `foglalas` (parameter pfoglalas),
// not yet opened: every field of the booking, then every field of its place
// (the place's columns that repeat a booking's get "_1": ugyfel_1,
// jutalek_1, ossz_dij_1, ...), then the orderer's and payment method's names.
std::unique_ptr<data::Query> FoglIgazolLekerdezes(data::Database &db, int foglalas);

// One run of the confirmation of booking `foglalas`.
class FoglIgazolMenet : public FoglalasRiportMenet {
public:
    FoglIgazolMenet(data::Database &db, int foglalas);
};
