#pragma once
// A second desk: a copy of the program with a connection of its own to the
// register the test opened, its place list, and the bookings list with the
// controller the booking list uses (every new booking's orderer is 4).

#include "bookings/foglalassorok.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"

namespace testsupport {

struct Asztal {
    data::Database d{QString::number(quintptr(this))};
    data::Table helyek{d, QStringLiteral("ugyfel")}, tbl{d, QStringLiteral("foglalas")};
    data::Query qry{d};
    FoglalasSorok sorok{tbl, helyek, qry};
    Asztal()
    {
        d.params() = data::Database::regiszter().params();
        d.open();
        helyek.open();
        tbl.open();
        sorok.setFoglaloValaszto([] { return 4; });
    }
};

}  // namespace testsupport
