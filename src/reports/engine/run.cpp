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
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace riport {

namespace {

constexpr int kTrimDelayMs = 100;

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

// The allocator keeps what a large report freed for the process; it goes
// back to the system once the run is over. That takes a while on a large
// heap, so a window that has just closed is repainted first.
void giveMemoryBack()
{
#if defined(__GLIBC__)
    QTimer::singleShot(kTrimDelayMs, qApp, [] { malloc_trim(0); });
#endif
}

}  // namespace

bool preview(QWidget *parent, const Definition &definition, const DataSets &sets)
{
    const bool ok = Vedett([&] {
        QtMeasurer measurer;
        Layouter layouter(definition, sets, measurer);
        layouter.layoutNextPage();  // the first page before the window opens
        PreviewWindow window(layouter, parent);
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
        window.exec();
    });
    giveMemoryBack();
    return ok;
}

bool print(QWidget *parent, const Definition &definition, const DataSets &sets)
{
    const bool ok = Vedett([&] {
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
    giveMemoryBack();
    return ok;
}

bool run(QWidget *parent, const Definition &definition, const DataSets &sets, bool toPrinter)
{
    return toPrinter ? print(parent, definition, sets) : preview(parent, definition, sets);
}

bool exportHtml(const Definition &definition, const DataSets &sets, const QString &fileName)
{
    const bool ok = Vedett([&] {
        QtMeasurer measurer;
        writeHtml(layoutReport(definition, sets, measurer), fileName);
    });
    giveMemoryBack();
    return ok;
}

bool exportPdf(const Definition &definition, const DataSets &sets, const QString &fileName)
{
    const bool ok = Vedett([&] {
        QtMeasurer measurer;
        writePdf(layoutReport(definition, sets, measurer), fileName);
    });
    giveMemoryBack();
    return ok;
}

}  // namespace riport
