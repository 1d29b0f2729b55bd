#include "reports/engine/measurer.h"

#include <QStringList>

namespace riport {

double FixedMeasurer::textWidth(const QString &text, const Font &font) const
{
    return text.size() * font.pointSize * kMmPerPoint * 0.5;
}

double FixedMeasurer::lineHeight(const Font &font) const
{
    return font.pointSize * kMmPerPoint * 1.2;
}

int FixedMeasurer::lineCount(const QString &text, const Font &font, double width) const
{
    const double charWidth = font.pointSize * kMmPerPoint * 0.5;
    const int perLine = qMax(1, int(width / charWidth + 1e-9));
    int lines = 0;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        int used = 0;
        ++lines;
        for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            int len = int(word.size());
            const int need = used == 0 ? len : used + 1 + len;
            if (need <= perLine) {
                used = need;
                continue;
            }
            if (used > 0) {
                ++lines;
                used = 0;
            }
            while (len > perLine) {  // a word longer than a line breaks inside
                ++lines;
                len -= perLine;
            }
            used = len;
        }
    }
    return lines;
}

double FixedMeasurer::wrappedHeight(const QString &text, const Font &font, double width) const
{
    return lineCount(text, font, width) * lineHeight(font);
}

}  // namespace riport
