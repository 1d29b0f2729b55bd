#pragma once
// The booking list of one place for a period as a band report, and what one
// run of it opens: the list's query and the agency details.

#include "reports/engine/agency.h"
#include "reports/engine/layout.h"
#include "reports/engine/model.h"

#include <QDate>
#include <memory>

namespace data {
class Query;
}

// The name the booking reports bind their query under.
inline constexpr char kFoglalasQry[] = "Qry";

// "Foglalások listája": the standard header with the place's name, the
// period (label "Dat1") and the column captions; one band of two lines per
// booking; the two sums at the end.
riport::Definition TqrFoglalas();

// One run of a booking report: its definition, its own query and the agency
// details, both open. Raises data::DbError when a data set cannot be
// opened; closes them when it goes.
class FoglalasRiportMenet {
public:
    ~FoglalasRiportMenet();
    FoglalasRiportMenet(const FoglalasRiportMenet &) = delete;
    FoglalasRiportMenet &operator=(const FoglalasRiportMenet &) = delete;

    riport::Definition riport;
    data::Query &lekerdezes() const { return *m_qry; }
    riport::DataSets adatok();

protected:
    FoglalasRiportMenet(data::Database &db, riport::Definition definicio, std::unique_ptr<data::Query> lekerdezes);

private:
    std::unique_ptr<data::Query> m_qry;
    riport::AgencyDetails m_tulajdonos;
};

// One run of the booking list of place `ugyfel` for the period from `tol`
// to `ig`, the period written into "Dat1".
class FoglalasListaMenet : public FoglalasRiportMenet {
public:
    FoglalasListaMenet(data::Database &db, int ugyfel, const QDate &tol, const QDate &ig);
};
