#include "reports/engine/html.h"

#include "data/database.h"

#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace riport {

namespace {

struct Piece {
    double top, bottom, left, right;
    QString text;
    bool bold;
    Align align;
};

// Texts whose boxes overlap vertically stand on one line of the page.
std::vector<std::vector<Piece>> lines(const PreparedReport &report, const Page &page)
{
    std::vector<Piece> pieces;
    for (const Primitive &p : page.primitives)
        if (p.kind == Primitive::Text)
            pieces.push_back({p.y, p.y + p.h, p.x, p.x + p.w, report.text(p), report.font(p).bold, p.align});
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece &a, const Piece &b) { return a.top < b.top; });
    std::vector<std::vector<Piece>> out;
    double lineBottom = -1;
    for (const Piece &p : pieces) {
        // A piece starting in the upper half of the line's height joins it.
        if (out.empty() || p.top >= lineBottom - 0.5) {
            out.emplace_back();
            lineBottom = p.bottom;
        }
        out.back().push_back(p);
    }
    for (auto &l : out)
        std::stable_sort(l.begin(), l.end(), [](const Piece &a, const Piece &b) { return a.left < b.left; });
    return out;
}

// Positions compare to a tenth of a millimetre.
int tenths(double mm)
{
    return qRound(mm * 10);
}

// The page's columns: every left edge a text has on it, left to right. A
// field that prints nothing on one line still has its column, from the
// caption above it or from the lines where it holds a value.
std::vector<int> columns(const std::vector<std::vector<Piece>> &lines)
{
    std::vector<int> out;
    for (const auto &l : lines)
        for (const Piece &p : l)
            out.push_back(tenths(p.left));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

QString cell(const Piece &p, int span)
{
    QString t = p.text.toHtmlEscaped();
    t.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    if (p.bold)
        t = QStringLiteral("<b>") + t + QStringLiteral("</b>");
    QString attributes;
    if (span > 1)
        attributes += QStringLiteral(" colspan=\"%1\"").arg(span);
    if (p.align == Align::Right)
        attributes += QStringLiteral(" class=\"r\"");
    else if (p.align == Align::Center)
        attributes += QStringLiteral(" class=\"c\"");
    return QStringLiteral("<td%1>%2</td>").arg(attributes, t);
}

// One line of the page as a table row with a cell for every column: a text
// stands in the column of its left edge and spans the columns that begin
// under it (up to the next text), so values stay under their captions and
// a field left empty leaves its cell empty.
QString row(const std::vector<Piece> &line, const std::vector<int> &cols)
{
    auto columnOf = [&](double mm) {
        return int(std::lower_bound(cols.begin(), cols.end(), tenths(mm)) - cols.begin());
    };
    QString out = QStringLiteral("<tr>");
    int next = 0;  // the first column not yet written
    for (size_t i = 0; i < line.size();) {
        // Texts with the same left edge share a cell.
        const Piece &p = line[i];
        const int from = columnOf(p.left);
        size_t j = i + 1;
        while (j < line.size() && columnOf(line[j].left) == from)
            ++j;
        const int limit = j < line.size() ? columnOf(line[j].left) : int(cols.size());
        const int to = std::clamp(columnOf(p.right), from + 1, limit);
        for (; next < from; ++next)
            out += QStringLiteral("<td></td>");
        Piece shared = p;
        for (size_t k = i + 1; k < j; ++k)
            shared.text += QLatin1Char(' ') + line[k].text;
        out += cell(shared, to - from);
        next = to;
        i = j;
    }
    for (; next < int(cols.size()); ++next)
        out += QStringLiteral("<td></td>");
    return out + QStringLiteral("</tr>\n");
}

}  // namespace

QString toHtml(const PreparedReport &report)
{
    QString out = QStringLiteral("<!DOCTYPE html>\n<html lang=\"hu\">\n<head>\n<meta charset=\"utf-8\">\n<title>")
                  + report.title.toHtmlEscaped()
                  + QStringLiteral("</title>\n<style>\n"
                                   "body { font-family: Tahoma, sans-serif; font-size: 10pt; }\n"
                                   ".page { border-bottom: 1px solid silver; margin-bottom: 2em; }\n"
                                   "table { border-collapse: collapse; }\n"
                                   "td { padding: 0.1em 0.8em 0.1em 0; vertical-align: top; }\n"
                                   "td.r { text-align: right; }\n"
                                   "td.c { text-align: center; }\n"
                                   "</style>\n</head>\n<body>\n");
    for (int i = 0; i < report.pageCount(); ++i) {
        out += QStringLiteral("<div class=\"page\" id=\"oldal%1\">\n<table>\n").arg(i + 1);
        const auto pageLines = lines(report, report.pages[i]);
        const std::vector<int> cols = columns(pageLines);
        for (const auto &l : pageLines)
            out += row(l, cols);
        out += QStringLiteral("</table>\n</div>\n");
    }
    return out + QStringLiteral("</body>\n</html>\n");
}

void writeHtml(const PreparedReport &report, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(fileName, file.errorString()));
    file.write(toHtml(report).toUtf8());
    if (!file.commit())
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(fileName, file.errorString()));
}

}  // namespace riport
