#pragma once
// Text measured with the real fonts, at a fixed resolution so that the
// layout is the same on every screen and printer.

#include "reports/engine/measurer.h"

#include <QFont>
#include <QImage>
#include <QVector>

namespace riport {

// The Qt font of a report font: the size in points, no hinting, so that
// widths scale with the resolution the page is drawn at.
QFont qtFont(const Font &font);

// Makes the fonts the reports name findable where the system lacks them
// (Tahoma from the Wine fonts). Safe to call more than once.
void registerReportFonts();

class QtMeasurer : public TextMeasurer {
public:
    QtMeasurer();
    double textWidth(const QString &text, const Font &font) const override;
    double lineHeight(const Font &font) const override;
    double wrappedHeight(const QString &text, const Font &font, double width) const override;

private:
    QImage m_device;  // only its resolution counts
};

}  // namespace riport
