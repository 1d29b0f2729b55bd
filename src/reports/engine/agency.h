#pragma once
// What most reports share: the agency's own details, printed in the page
// header, and the standard page header and page footer.

#include "data/table.h"
#include "reports/engine/model.h"

namespace riport {

// The name under which the reports bind the agency details.
inline constexpr char kAgencySet[] = "Tulajdonos";

// A read-only view of the agency's details (table tulajdonos) in the order
// of its name, with the calculated 50-character field irszvaros: the postal
// code, ", " and the town, a missing part as empty text. Opened by the
// caller; after opening it stands on its first row.
class AgencyDetails : public data::Table {
    Q_OBJECT
public:
    explicit AgencyDetails(data::Database &db, QObject *parent = nullptr);
};

// The standard page header: a band of `height` with a silver rule of width 2
// along its bottom, two top-and-bottom shapes, the heading (element
// "stdHeading") and the subheading ("stdSubheading", only when given) on
// the left, and the agency's name, town, address and phone on the right
// ("stdAgencyName", "stdAgencyTown", "stdAgencyAddress", "stdAgencyPhone").
Band &addStandardPageHeader(Definition &def, const QString &heading, const QString &subheading, double height);

// The standard page footer: a band 14.6 mm high with a silver rule along its
// top, holding the elements of addStandardFooterElements.
Band &addStandardPageFooter(Definition &def, const QString &identifier);
// The footer's elements, `offset` mm lower than in the standard footer:
// "Nyugvár" ("stdProgram"), the page number ("stdPage"), the maker's
// homepage ("stdHomepage"), the date and time ("stdDateTime"), the report
// title ("stdTitle") and the report's identifier ("stdIdentifier").
void addStandardFooterElements(Band &band, const QString &identifier, double offset = 0);

inline constexpr double kStandardFooterHeight = 14.6;

}  // namespace riport
