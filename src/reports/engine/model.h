#pragma once
// The definition of a band report: the page, the bands that make it up and
// the elements printed in each band. All lengths are millimetres.
//
// The engine plays the part of a report library, so, like the data layer,
// it speaks English; the reports built on it keep the register's names.
//
// A definition holds no data: data sets are bound by name when it is laid
// out (see layout.h), so "Qry.ossz_dij" or the data field "Tulajdonos" /
// "irszvaros" name a data set bound under that name.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QtGlobal>
#include <deque>

namespace riport {

enum class Align : quint8 { Left, Center, Right };

struct Font {
    QString family = QStringLiteral("Tahoma");
    double pointSize = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font &o) const
    {
        return family == o.family && pointSize == o.pointSize && bold == o.bold && italic == o.italic
               && underline == o.underline;
    }
    bool operator!=(const Font &o) const { return !(*this == o); }
};

// A frame line along one edge. The width is in pen units of 0.2646 mm (a
// pixel of a 96 dpi screen), so width 1 is a hairline and 2 a bold rule.
struct FrameLine {
    bool on = false;
    quint32 color = 0x000000;  // 0xRRGGBB
    double width = 1;
};

struct Frame {
    FrameLine top, bottom, left, right;
};

inline constexpr quint32 kSilver = 0xC0C0C0;
inline constexpr quint32 kGray = 0x808080;
inline constexpr double kPenUnitMm = 25.4 / 96.0;

inline FrameLine line(quint32 color, double width = 1) { return FrameLine{true, color, width}; }

enum class ElementKind : quint8 { Label, DataField, SystemData, Expression, Shape };
enum class SystemValue : quint8 { PageNumber, DateTime, ReportTitle };

// One printable element, placed relative to its band.
struct Element {
    ElementKind kind = ElementKind::Label;
    QString name;            // found by definition.element(name)
    QRectF rect;             // left, top, width, height in mm
    Font font;
    Align align = Align::Left;
    bool alignToBand = false;  // placed against the band's edge of its alignment
    bool autoSize = false;     // the width follows the printed text
    bool autoStretch = false;  // the height grows to hold the wrapped text
    bool wordWrap = false;
    bool transparent = false;  // no white background behind the text
    Frame frame;

    QString text;            // a label's caption; a system value's leading text
    QString dataSet;         // a data field: the data set's bound name ...
    QString field;           // ... and its field
    SystemValue system = SystemValue::PageNumber;
    QString expression;      // "FORMATNUMERIC('### ### ##0',SUM(Qry.ossz_dij))"
    bool filled = false;     // a shape: filled white (true) or clear

    Element &at(double left, double top, double width, double height)
    {
        rect = QRectF(left, top, width, height);
        return *this;
    }
    Element &withFont(const Font &f) { font = f; return *this; }
    Element &aligned(Align a, bool toBand = false) { align = a; alignToBand = toBand; return *this; }
    Element &named(const QString &n) { name = n; return *this; }
};

// Element makers; position and size with at().
Element label(const QString &caption);
Element dataField(const QString &dataSet, const QString &field);
Element systemData(SystemValue value, const QString &leadingText = QString());
Element expression(const QString &text);
Element topBottomShape(bool filledWhite);

// A font in one expression: font("Tahoma", 10, Bold | Italic).
enum FontStyle { Regular = 0, Bold = 1, Italic = 2, Underline = 4 };
Font font(const QString &family, double pointSize, int styles = Regular);

enum class BandKind : quint8 { PageHeader, GroupHeader, Detail, Summary, PageFooter };

struct Band {
    BandKind kind = BandKind::Detail;
    double height = 0;
    Frame frame;                 // top and bottom are drawn
    QString groupExpression;     // a group header: "<data set>.<field>"
    std::deque<Element> elements;  // references stay valid as elements are added

    // Adds an element; the reference stays valid while the band lives.
    Element &add(const Element &e)
    {
        elements.push_back(e);
        return elements.back();
    }
    Element *element(const QString &name);
    const Element *element(const QString &name) const;
};

struct Margins {
    double top = 10, bottom = 10, left = 10, right = 10;
};

class Definition {
public:
    QString title;               // printed by the report-title element; the preview's caption
    QString master;              // the bound name of the data set that drives the detail band
    QSizeF paper{210, 297};
    Margins margins;
    int columns = 1;
    double columnSpacing = 0;
    bool headerOnFirstPage = true;
    bool footerOnLastPage = true;
    bool printIfEmpty = true;

    // The band of a kind; nullptr when the report has none.
    Band *band(BandKind kind);
    const Band *band(BandKind kind) const;
    // Adds the band of a kind, or gives the existing one a new height.
    Band &addBand(BandKind kind, double height);
    // The element of that name in any band; nullptr when there is none.
    Element *element(const QString &name);
    const Element *element(const QString &name) const;

    const std::deque<Band> &bands() const { return m_bands; }

    double printableWidth() const { return paper.width() - margins.left - margins.right; }
    int columnCount() const { return columns < 1 ? 1 : columns; }
    double columnWidth() const
    {
        const int n = columnCount();
        return (printableWidth() - (n - 1) * columnSpacing) / n;
    }
    // The left edge of column k (0-based) on the page.
    double columnLeft(int k) const { return margins.left + k * (columnWidth() + columnSpacing); }

private:
    std::deque<Band> m_bands;
};

}  // namespace riport
