#pragma once
// A laid-out report as one HTML document: each page a table of its text in
// reading order, a line of the page per row (top to bottom) and a column per
// left edge of a text on the page (left to right), so that every value
// stands in the column of its caption, an empty one as an empty cell.

#include "reports/engine/prepared.h"

#include <QString>

namespace riport {

QString toHtml(const PreparedReport &report);
// Writes the document in UTF-8, replacing the file only once it is whole;
// raises data::DbError when the file cannot be written.
void writeHtml(const PreparedReport &report, const QString &fileName);

}  // namespace riport
