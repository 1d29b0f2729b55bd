#pragma once
// Small makers the register's report definitions share: a text element of
// one line, sized for its font, at its place in the band.

#include "reports/engine/model.h"

namespace riportelem {

// The height of one printed line of a font, with a little air (mm).
double sorMagas(const riport::Font &betu);

// A caption or a field of the main list at (x, y) with width w, one line of
// its font tall.
riport::Element felirat(const QString &szoveg, double x, double y, double w, const riport::Font &betu,
                        riport::Align igazit = riport::Align::Left);
riport::Element mezo(const QString &adatok, const QString &mezoNev, double x, double y, double w,
                     const riport::Font &betu, riport::Align igazit = riport::Align::Left);

// A memo field that grows downwards with its word-wrapped text.
riport::Element nyujtottMezo(const QString &adatok, const QString &mezoNev, double x, double y, double w,
                             const riport::Font &betu);

}  // namespace riportelem
