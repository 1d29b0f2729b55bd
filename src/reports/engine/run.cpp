#include "reports/engine/run.h"

#include "common/dobozok.h"
#include "common/vedett.h"
#include "reports/engine/html.h"
#include "reports/engine/layout.h"
#include "reports/engine/painter.h"
#include "reports/engine/preview.h"
#include "reports/engine/qtmeasurer.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

namespace riport {

namespace {

// Lays out every page under a progress window; false when cancelled.
bool layoutWithProgress(Layouter &layouter, const QString &title, QWidget *parent)
{
    QProgressDialog progress(QStringLiteral("A riport előkészítése: %1").arg(title), QStringLiteral("Mégsem"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("dlgElokeszites"));
    progress.setWindowTitle(QStringLiteral("Nyomtatás"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    int pages = 0;
    while (layouter.layoutNextPage()) {
        ++pages;
        progress.setLabelText(QStringLiteral("A riport előkészítése: %1\n%2. oldal").arg(title).arg(pages));
        progress.setValue(0);
        if (progress.wasCanceled())
            return false;
    }
    return true;
}

}  // namespace

bool preview(QWidget *parent, const Definition &definition, const DataSets &sets)
{
    return Vedett([&] {
        QtMeasurer measurer;
        Layouter layouter(definition, sets, measurer);
        layouter.layoutNextPage();  // the first page before the window opens
        PreviewWindow window(layouter, parent);
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
        window.exec();
    });
}

bool print(QWidget *parent, const Definition &definition, const DataSets &sets)
{
    return Vedett([&] {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            HibaDoboz(QStringLiteral("Nincs nyomtató telepítve, ezért a riport nem nyomtatható ki.\n"
                                     "A nyomtatási képen megtekinthető és PDF dokumentumba menthető."));
            return;
        }
        QtMeasurer measurer;
        Layouter layouter(definition, sets, measurer);
        if (!layoutWithProgress(layouter, definition.title, parent))
            return;
        // Straight to the default printer: one copy of every page.
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setCopyCount(1);
        printer.setPrintRange(QPrinter::AllPages);
        printPages(layouter.report(), printer, parent);
    });
}

bool run(QWidget *parent, const Definition &definition, const DataSets &sets, bool toPrinter)
{
    return toPrinter ? print(parent, definition, sets) : preview(parent, definition, sets);
}

bool exportHtml(const Definition &definition, const DataSets &sets, const QString &fileName)
{
    return Vedett([&] {
        QtMeasurer measurer;
        writeHtml(layoutReport(definition, sets, measurer), fileName);
    });
}

bool exportPdf(const Definition &definition, const DataSets &sets, const QString &fileName)
{
    return Vedett([&] {
        QtMeasurer measurer;
        writePdf(layoutReport(definition, sets, measurer), fileName);
    });
}

}  // namespace riport
