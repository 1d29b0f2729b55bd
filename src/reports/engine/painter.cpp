#include "reports/engine/painter.h"

#include "data/database.h"
#include "reports/engine/qtmeasurer.h"
#include "reports/engine/spooler.h"

#include <QDir>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTemporaryFile>
#include <functional>
#include <numeric>

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

namespace {

// Paints the pages `pages` (numbers from 0) into a PDF document on `device`,
// asking `goOn` before each page with how many are done; false when it said
// no. Raises data::DbError when the document cannot be made.
bool paintPdf(const PreparedReport &report, const QVector<int> &pages, QIODevice &device,
              const std::function<bool(int)> &goOn)
{
    QPdfWriter writer(&device);
    writer.setPageSize(pageSize(report));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setTitle(report.title);
    writer.setCreator(QStringLiteral("Nyugvár"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw data::DbError(QStringLiteral("A PDF dokumentum nem készíthető el."));
    for (int i = 0; i < pages.size(); ++i) {
        if (!goOn(i))
            return false;
        if (i > 0)
            writer.newPage();
        paintPage(painter, report, pages[i], writer.resolution() / 25.4);
    }
    if (!painter.end())
        throw data::DbError(QStringLiteral("A PDF dokumentum nem készíthető el."));
    return true;
}

// The pages the printer setup asked for, numbers from 0: all of them, or
// those of the page range it was given.
QVector<int> pagesToPrint(const PreparedReport &report, const QPrinter &printer)
{
    const bool range = printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty();
    QVector<int> pages;
    for (int i = 0; i < report.pageCount(); ++i)
        if (!range || printer.pageRanges().contains(i + 1))
            pages << i;
    return pages;
}

// The job as the printer setup left it: the queue, copies and collation,
// two-sided printing, and the options of the printer's own properties.
PrintJob jobFor(const PreparedReport &report, const QPrinter &printer)
{
    PrintJob job;
    job.printer = printer.printerName();
    job.title = report.title;
    job.options.emplaceBack("media", pageSize(report).key().toUtf8());
    if (printer.copyCount() > 1) {
        job.options.emplaceBack("copies", QByteArray::number(printer.copyCount()));
        job.options.emplaceBack("Collate", printer.collateCopies() ? "True" : "False");
    }
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: job.options.emplaceBack("sides", "one-sided"); break;
    case QPrinter::DuplexAuto:  // the pages are upright
    case QPrinter::DuplexLongSide: job.options.emplaceBack("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: job.options.emplaceBack("sides", "two-sided-short-edge"); break;
    }
    // What the setup dialog's printer properties chose (job hold, page set,
    // the printer's own options): Qt's CUPS printing keeps them as name and
    // value pairs under this key.
    const QPrintEngine::PrintEnginePropertyKey cupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    const QStringList own = printer.printEngine()->property(cupsOptions).toStringList();
    for (int i = 0; i + 1 < own.size(); i += 2)
        job.options.emplaceBack(own[i].toUtf8(), own[i + 1].toUtf8());
    return job;
}

}  // namespace

void writePdf(const PreparedReport &report, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(fileName, file.errorString()));
    QVector<int> pages(report.pageCount());
    std::iota(pages.begin(), pages.end(), 0);
    paintPdf(report, pages, file, [](int) { return true; });
    if (!file.commit())
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(fileName, file.errorString()));
}

bool printPages(const PreparedReport &report, QPrinter &printer, QWidget *parent)
{
    const QVector<int> pages = pagesToPrint(report, printer);
    if (pages.isEmpty())
        throw data::DbError(QStringLiteral("A megadott oldaltartományban nincs nyomtatható oldal (a riport %1 oldalas).")
                                .arg(report.pageCount()));

    QProgressDialog progress(QStringLiteral("Nyomtatás: %1").arg(report.title), QStringLiteral("Mégsem"), 0,
                             int(pages.size()), parent);
    progress.setObjectName(QStringLiteral("dlgNyomtatas"));
    progress.setWindowTitle(QStringLiteral("Nyomtatás"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);

    // The pages go into a file of their own and to the spooler only once
    // all of them are there: a cancelled print sends nothing.
    QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/nyugvar-nyomtatas-XXXXXX.pdf"));
    if (!pdf.open())
        throw data::DbError(QStringLiteral("A nyomtatás átmeneti fájlja nem hozható létre:\n%1").arg(pdf.errorString()));
    const bool whole = paintPdf(report, pages, pdf, [&](int done) {
        progress.setValue(done);
        progress.setLabelText(QStringLiteral("Nyomtatás: %1\n%2. oldal / %3")
                                  .arg(report.title).arg(pages[done] + 1).arg(report.pageCount()));
        return !progress.wasCanceled();
    });
    if (!whole || progress.wasCanceled())
        return false;
    if (!pdf.flush())
        throw data::DbError(QStringLiteral("A nyomtatás átmeneti fájlja nem írható:\n%1").arg(pdf.errorString()));
    progress.setValue(int(pages.size()));
    submitPrintJob(jobFor(report, printer), pdf.fileName());
    return true;
}

}  // namespace riport
