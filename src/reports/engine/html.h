#pragma once
// A laid-out report as one HTML document: each page's text in reading order
// (top to bottom, left to right), a line of the page per paragraph.

#include "reports/engine/prepared.h"

#include <QString>

namespace riport {

QString toHtml(const PreparedReport &report);
// Writes the document in UTF-8, replacing the file only once it is whole;
// raises data::DbError when the file cannot be written.
void writeHtml(const PreparedReport &report, const QString &fileName);

}  // namespace riport
