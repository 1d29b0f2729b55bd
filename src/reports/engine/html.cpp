#include "reports/engine/html.h"

#include "data/database.h"

#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace riport {

namespace {

struct Piece {
    double top, bottom, left;
    const QString *text;
    bool bold;
};

// Texts whose boxes overlap vertically stand on one line of the page.
std::vector<std::vector<Piece>> lines(const PreparedReport &report, const Page &page)
{
    std::vector<Piece> pieces;
    for (const Primitive &p : page.primitives)
        if (p.kind == Primitive::Text)
            pieces.push_back({p.y, p.y + p.h, p.x, &report.text(p), report.font(p).bold});
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

QString paragraph(const std::vector<Piece> &line)
{
    QString out = QStringLiteral("<p>");
    for (size_t i = 0; i < line.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(' ');
        QString t = line[i].text->toHtmlEscaped();
        t.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        out += line[i].bold ? QStringLiteral("<b>") + t + QStringLiteral("</b>") : QStringLiteral("<span>") + t + QStringLiteral("</span>");
    }
    return out + QStringLiteral("</p>\n");
}

}  // namespace

QString toHtml(const PreparedReport &report)
{
    QString out = QStringLiteral("<!DOCTYPE html>\n<html lang=\"hu\">\n<head>\n<meta charset=\"utf-8\">\n<title>")
                  + report.title.toHtmlEscaped()
                  + QStringLiteral("</title>\n<style>\n"
                                   "body { font-family: Tahoma, sans-serif; font-size: 10pt; }\n"
                                   ".page { border-bottom: 1px solid silver; margin-bottom: 2em; }\n"
                                   "p { margin: 0.2em 0; }\n"
                                   "span, b { margin-right: 1em; }\n"
                                   "</style>\n</head>\n<body>\n");
    for (int i = 0; i < report.pageCount(); ++i) {
        out += QStringLiteral("<div class=\"page\" id=\"oldal%1\">\n").arg(i + 1);
        for (const auto &l : lines(report, report.pages[i]))
            out += paragraph(l);
        out += QStringLiteral("</div>\n");
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
