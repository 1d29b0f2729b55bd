#include "reports/engine/painter.h"

#include "data/database.h"
#include "reports/engine/qtmeasurer.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>

namespace riport {

namespace {

int textFlags(const Primitive &p)
{
    int flags = Qt::AlignTop | (p.wraps() ? Qt::TextWordWrap : Qt::TextSingleLine) | (p.clips() ? 0 : Qt::TextDontClip);
    switch (p.align) {
    case Align::Left: flags |= Qt::AlignLeft; break;
    case Align::Center: flags |= Qt::AlignHCenter; break;
    case Align::Right: flags |= Qt::AlignRight; break;
    }
    return flags;
}

QColor rgb(quint32 c) { return QColor(QRgb(0xFF000000u | c)); }

QPageSize pageSize(const PreparedReport &r)
{
    return QPageSize(r.paper, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

}  // namespace

void paintPage(QPainter &painter, const PreparedReport &report, int page, double pixelsPerMm)
{
    if (page < 0 || page >= report.pageCount())
        return;
    registerReportFonts();
    // Fonts are sized in points at the device's resolution; drawing in its
    // units and scaling once keeps text and lines in step at every zoom.
    const double units = painter.device()->logicalDpiY() / 25.4;
    QVector<QFont> fonts;
    fonts.reserve(report.fonts().size());
    for (const Font &f : report.fonts())
        fonts << qtFont(f);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(pixelsPerMm / units, pixelsPerMm / units);
    const QPen textPen(Qt::black);
    int currentFont = -1;
    for (const Primitive &p : report.pages[page].primitives) {
        const QRectF r(p.x * units, p.y * units, p.w * units, p.h * units);
        switch (p.kind) {
        case Primitive::Text:
            if (p.opaque())
                painter.fillRect(r, Qt::white);
            if (currentFont != p.font) {
                painter.setFont(fonts[p.font]);
                currentFont = p.font;
            }
            painter.setPen(textPen);
            painter.drawText(r, textFlags(p), report.text(p));
            break;
        case Primitive::Line: {
            QPen pen(rgb(p.color));
            pen.setWidthF(qMax(0.1, double(p.penWidth)) * units);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.left() + r.width(), r.top() + r.height()));
            break;
        }
        case Primitive::Fill:
            painter.fillRect(r, rgb(p.color));
            break;
        }
    }
    painter.restore();
}

void writePdf(const PreparedReport &report, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(fileName, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setPageSize(pageSize(report));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Nyugvár"));
        QPainter painter;
        if (!painter.begin(&writer))
            throw data::DbError(QStringLiteral("A PDF fájl nem készíthető el: %1").arg(fileName));
        for (int i = 0; i < report.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            paintPage(painter, report, i, writer.resolution() / 25.4);
        }
        painter.end();
    }
    if (!file.commit())
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(fileName, file.errorString()));
}

bool printPages(const PreparedReport &report, QPrinter &printer, QWidget *parent)
{
    printer.setFullPage(true);
    printer.setPageSize(pageSize(report));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDocName(report.title);

    QProgressDialog progress(QStringLiteral("Nyomtatás: %1").arg(report.title), QStringLiteral("Mégsem"), 0,
                             report.pageCount(), parent);
    progress.setObjectName(QStringLiteral("dlgNyomtatas"));
    progress.setWindowTitle(QStringLiteral("Nyomtatás"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);

    QPainter painter;
    if (!painter.begin(&printer))
        throw data::DbError(QStringLiteral("A nyomtató (%1) nem fogadta a nyomtatást.").arg(printer.printerName()));
    const double pixelsPerMm = printer.resolution() / 25.4;
    for (int i = 0; i < report.pageCount(); ++i) {
        if (progress.wasCanceled()) {
            printer.abort();
            return false;
        }
        progress.setLabelText(QStringLiteral("Nyomtatás: %1\n%2. oldal / %3").arg(report.title).arg(i + 1).arg(report.pageCount()));
        if (i > 0 && !printer.newPage())
            throw data::DbError(QStringLiteral("A nyomtató (%1) hibát jelzett.").arg(printer.printerName()));
        paintPage(painter, report, i, pixelsPerMm);
        progress.setValue(i + 1);
    }
    if (progress.wasCanceled()) {
        printer.abort();
        return false;
    }
    if (!painter.end())
        throw data::DbError(QStringLiteral("A nyomtató (%1) hibát jelzett.").arg(printer.printerName()));
    return true;
}

}  // namespace riport
