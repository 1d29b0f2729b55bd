#pragma once
// The one way a prepared page becomes ink: the preview, the printer and PDF
// all paint through paintPage.

#include "reports/engine/prepared.h"

class QPainter;
class QPrinter;
class QWidget;

namespace riport {

// Paints one page with the sheet's top-left corner at the painter's origin,
// `pixelsPerMm` device pixels to the millimetre.
void paintPage(QPainter &painter, const PreparedReport &report, int page, double pixelsPerMm);

// Writes every page into a PDF file, replacing it only once it is whole;
// raises data::DbError when it cannot be written.
void writePdf(const PreparedReport &report, const QString &fileName);

// Prints every page on `printer` (one copy, the whole sheet), showing a
// progress window with a Cancel button over `parent`. False when the user
// cancelled; raises data::DbError when the printer refuses the job.
bool printPages(const PreparedReport &report, QPrinter &printer, QWidget *parent);

}  // namespace riport
