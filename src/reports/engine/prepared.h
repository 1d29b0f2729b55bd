#pragma once
// A laid-out report: pages of drawing primitives in millimetres from the
// sheet's top-left corner. Preview, printer, PDF, HTML and tests all read
// this one form. Texts and fonts are kept once per report and referred to by
// number, the texts one after the other in one block, so a list of thousands
// of pages stays small.

#include "reports/engine/model.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <vector>

class QIODevice;

namespace riport {

struct Primitive {
    enum Kind : quint8 { Text, Line, Fill };
    // NoClip: a text sized to itself may print past its box where the
    // device's font is a little wider than the measured one.
    enum Flag : quint8 { Wrap = 0x1, Opaque = 0x2, NoClip = 0x4 };
    Kind kind = Text;
    Align align = Align::Left;
    quint8 flags = 0;
    // What only some kinds have shares its room: a long list has hundreds of
    // thousands of primitives.
    union {
        float penWidth = 0;  // Line: in mm
        quint16 font;        // Text: index into the report's fonts
    };
    union {
        quint32 text = 0;  // Text: index into the report's texts
        quint32 color;     // Line: its colour; Fill: the fill colour (0xRRGGBB)
    };
    float x = 0, y = 0, w = 0, h = 0;  // Text, Fill: the box; Line: from (x, y) to (x + w, y + h)

    QRectF rect() const { return QRectF(x, y, w, h); }
    bool wraps() const { return flags & Wrap; }
    bool opaque() const { return flags & Opaque; }
    bool clips() const { return !(flags & NoClip); }
};

struct Page {
    QVector<Primitive> primitives;
};

class PreparedReport {
public:
    QString title;
    QSizeF paper{210, 297};
    QVector<Page> pages;

    int pageCount() const { return int(pages.size()); }
    QString text(const Primitive &p) const { return textView(p.text).toString(); }
    QString text(quint32 index) const { return textView(index).toString(); }
    // Valid until the next text is added.
    QStringView textView(quint32 index) const
    {
        return QStringView(m_chars).mid(m_starts[index], m_starts[index + 1] - m_starts[index]);
    }
    int textCount() const { return int(m_starts.size()) - 1; }
    const Font &font(const Primitive &p) const { return m_fonts[p.font]; }
    const QVector<Font> &fonts() const { return m_fonts; }

    quint32 internText(QStringView text);
    quint16 internFont(const Font &font);
    // Gives back the spare room kept for texts still to come.
    void squeeze();

    // The texts of one page in the order they were laid out.
    QStringList pageTexts(int page) const;

    // The prepared pages in the engine's own file form; load raises
    // data::DbError with a message the user understands for a file that is
    // not one, or of another version.
    void save(QIODevice &device) const;
    static PreparedReport load(QIODevice &device);

private:
    quint32 findText(QStringView text, size_t *bucket) const;
    void rehash(size_t buckets);

    QString m_chars;                      // every text, one after the other
    std::vector<quint32> m_starts{0};     // text i is m_chars[m_starts[i], m_starts[i + 1])
    std::vector<quint32> m_buckets;       // open addressing by the text: 1 + its index, 0 when free
    QVector<Font> m_fonts;
};

}  // namespace riport
