#pragma once
// How wide and how tall text prints, in millimetres. The layout asks only
// this, so it needs no font machinery of its own: the windows' library
// measures with the real fonts, tests with a fixed rule.

#include "reports/engine/model.h"

#include <QString>

namespace riport {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The width of one line of text.
    virtual double textWidth(const QString &text, const Font &font) const = 0;
    // The height of one line.
    virtual double lineHeight(const Font &font) const = 0;
    // The height of the text broken into lines of at most `width`, at word
    // boundaries where it can be (line breaks of the text kept).
    virtual double wrappedHeight(const QString &text, const Font &font, double width) const = 0;
};

// A deterministic measure: every character is half the font size wide, a
// line is 1.2 times the font size tall (points to mm). Words wrap greedily.
class FixedMeasurer : public TextMeasurer {
public:
    double textWidth(const QString &text, const Font &font) const override;
    double lineHeight(const Font &font) const override;
    double wrappedHeight(const QString &text, const Font &font, double width) const override;
    // The number of lines of text in a width, as wrappedHeight counts them.
    int lineCount(const QString &text, const Font &font, double width) const;
};

inline constexpr double kMmPerPoint = 25.4 / 72.0;

}  // namespace riport
