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

// Prints on `printer` as its setup stands (the page range, copies and
// collation, two-sided printing), each page the whole sheet, showing a
// progress window with a Cancel button over `parent`. The pages reach the
// spooler as one job once all are made: false when the user cancelled, and
// then nothing was sent. Raises data::DbError when the range holds no page
// or the printer refuses the job.
bool printPages(const PreparedReport &report, QPrinter &printer, QWidget *parent);

}  // namespace riport
