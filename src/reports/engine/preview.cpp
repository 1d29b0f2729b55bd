#include "reports/engine/preview.h"

#include "common/dobozok.h"
#include "common/fajlvalaszto.h"
#include "common/ikonok.h"
#include "common/vedett.h"
#include "data/database.h"
#include "reports/engine/layout.h"
#include "reports/engine/painter.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QResizeEvent>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <utility>

namespace riport {

namespace {


const QString kPagesFilter = QStringLiteral("Nyomtatási képek (*.nyk)");
const QString kPdfFilter = QStringLiteral("PDF dokumentumok (*.pdf)");
constexpr int kSheetMargin = 12;   // grey around the sheet, in pixels
constexpr int kLayoutSliceMs = 12; // layout between two looks at the user, well within a frame

QString withSuffix(QString file, const QString &suffix)
{
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + suffix;
    return file;
}

}  // namespace

// The sheet of the current page at the window's zoom.
class PageView : public QWidget {
public:
    explicit PageView(PreviewWindow &w) : QWidget(nullptr), m_w(w)
    {
        setObjectName(QStringLiteral("oldalKep"));
        setAutoFillBackground(false);
    }
    void resizeToSheet()
    {
        const QSizeF paper = m_w.report().paper;
        const double s = m_w.pixelsPerMm();
        resize(int(paper.width() * s) + 2 * kSheetMargin, int(paper.height() * s) + 2 * kSheetMargin);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        const double s = m_w.pixelsPerMm();
        const QSizeF paper = m_w.report().paper;
        const QRectF sheet(kSheetMargin, kSheetMargin, paper.width() * s, paper.height() * s);
        p.fillRect(sheet.translated(3, 3), QColor(0x40, 0x40, 0x40));
        p.fillRect(sheet, Qt::white);
        p.translate(sheet.topLeft());
        p.setClipRect(QRectF(QPointF(0, 0), sheet.size()));
        paintPage(p, m_w.report(), m_w.currentPage(), s);
    }

private:
    PreviewWindow &m_w;
};

PreviewWindow::PreviewWindow(Layouter &layouter, QWidget *parent) : QDialog(parent), m_layouter(&layouter)
{
    build();
}

PreviewWindow::PreviewWindow(PreparedReport report, QWidget *parent)
    : QDialog(parent), m_own(std::move(report)), m_useOwn(true)
{
    build();
}

PreviewWindow::~PreviewWindow() = default;


const PreparedReport &PreviewWindow::report() const
{
    return m_useOwn || !m_layouter ? m_own : m_layouter->report();
}

bool PreviewWindow::isComplete() const { return !m_layouter || m_layouter->isFinished(); }

QAction *PreviewWindow::addAction(const char *name, const QString &caption, const QString &hint, const char *icons,
                                  const QKeySequence &key, void (PreviewWindow::*slot)())
{
    auto *a = new QAction(TemaIkon(icons), caption, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint);
    a->setStatusTip(hint);
    if (!key.isEmpty())
        a->setShortcut(key);
    QWidget::addAction(a);
    VedettKapcsol(a, &QAction::triggered, this, slot);
    return a;
}

void PreviewWindow::build()
{
    IkonTema();
    setObjectName(QStringLiteral("Tfrm_Nyomtataskep"));
    setWindowTitle(report().title);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    resize(900, 1000);

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbNyomtataskep"));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->addAction(addAction("aTeljesOldal", QStringLiteral("Teljes oldal"), QStringLiteral("Az egész oldal látszik"),
                             "zoom-fit-best", QKeySequence(), &PreviewWindow::zoomWhole));
    bar->addAction(addAction("aEredetiMeret", QStringLiteral("100 %"), QStringLiteral("Valódi méret (100 %)"),
                             "zoom-original", QKeySequence(), &PreviewWindow::zoomActual));
    bar->addAction(addAction("aOldalszelesseg", QStringLiteral("Oldalszélesség"), QStringLiteral("Az oldal szélessége kitölti az ablakot"),
                             "zoom-fit-width zoom-fit-best", QKeySequence(), &PreviewWindow::zoomWidth));
    bar->addSeparator();
    m_first = addAction("aElsoOldal", QStringLiteral("Első oldal"), QStringLiteral("Első oldal"), "go-first",
                        QKeySequence(Qt::CTRL | Qt::Key_Home), &PreviewWindow::firstPage);
    m_previous = addAction("aElozoOldal", QStringLiteral("Előző oldal"), QStringLiteral("Előző oldal"), "go-previous",
                           QKeySequence(Qt::Key_PageUp), &PreviewWindow::previousPage);
    m_next = addAction("aKovetkezoOldal", QStringLiteral("Következő oldal"), QStringLiteral("Következő oldal"), "go-next",
                       QKeySequence(Qt::Key_PageDown), &PreviewWindow::nextPage);
    m_last = addAction("aUtolsoOldal", QStringLiteral("Utolsó oldal"), QStringLiteral("Utolsó oldal"), "go-last",
                       QKeySequence(Qt::CTRL | Qt::Key_End), &PreviewWindow::lastPage);
    bar->addAction(m_first);
    bar->addAction(m_previous);
    m_indicator = new QLabel(bar);
    m_indicator->setObjectName(QStringLiteral("lblOldal"));
    m_indicator->setMinimumWidth(110);
    m_indicator->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_indicator);
    bar->addAction(m_next);
    bar->addAction(m_last);
    bar->addSeparator();
    bar->addAction(addAction("aNyomtatoBeallitas", QStringLiteral("Nyomtató beállítása"), QStringLiteral("Nyomtató beállítása"),
                             "document-properties printer", QKeySequence(), &PreviewWindow::printerSetup));
    bar->addAction(addAction("aNyomtat", QStringLiteral("Nyomtatás"), QStringLiteral("Nyomtatás a kiválasztott nyomtatóra"),
                             "document-print", QKeySequence(Qt::CTRL | Qt::Key_P), &PreviewWindow::print));
    bar->addSeparator();
    bar->addAction(addAction("aMent", QStringLiteral("Mentés"), QStringLiteral("A nyomtatási kép mentése fájlba"),
                             "document-save", QKeySequence(Qt::CTRL | Qt::Key_S), &PreviewWindow::save));
    bar->addAction(addAction("aBetolt", QStringLiteral("Betöltés"), QStringLiteral("Mentett nyomtatási kép betöltése"),
                             "document-open", QKeySequence(Qt::CTRL | Qt::Key_O), &PreviewWindow::load));
    bar->addAction(addAction("aPdf", QStringLiteral("Mentés PDF-be"), QStringLiteral("A riport mentése PDF dokumentumba"),
                             "application-pdf document-export document-save-as", QKeySequence(), &PreviewWindow::savePdf));
    bar->addSeparator();
    bar->addAction(addAction("aBezar", QStringLiteral("Bezár"), QStringLiteral("A nyomtatási kép bezárása"),
                             "window-close application-exit", QKeySequence(), &PreviewWindow::reject));

    m_view = new PageView(*this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("gorgeto"));
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);

    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setSingleShot(true);
    m_layoutTimer->setInterval(0);
    VedettKapcsol(m_layoutTimer, &QTimer::timeout, this, &PreviewWindow::layoutSome);
    if (!isComplete())
        m_layoutTimer->start();
    refresh();
}

double PreviewWindow::pixelsPerMm() const
{
    const QSize area = m_scroll ? m_scroll->viewport()->size() : size();
    const QSizeF paper = report().paper;
    const double actual = logicalDpiX() / 25.4;
    switch (m_zoom) {
    case Zoom::Actual: return actual;
    case Zoom::PageWidth: return qMax(0.5, (area.width() - 2.0 * kSheetMargin - 4) / paper.width());
    case Zoom::WholePage: break;
    }
    return qMax(0.5, qMin((area.width() - 2.0 * kSheetMargin - 4) / paper.width(),
                          (area.height() - 2.0 * kSheetMargin - 4) / paper.height()));
}

void PreviewWindow::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    refresh();
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_view)
        m_view->resizeToSheet();
}

void PreviewWindow::showPage(int page)
{
    m_page = qBound(0, page, qMax(0, pageCount() - 1));
    refresh();
    if (m_scroll)
        m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWindow::goTo(int page)
{
    m_toLast = false;
    showPage(page);
}

// Pages still to come are laid out in the background as before; the window
// keeps answering the user meanwhile.
void PreviewWindow::lastPage()
{
    m_toLast = !isComplete();
    showPage(pageCount() - 1);
}

void PreviewWindow::refresh()
{
    refreshControls();
    m_view->resizeToSheet();
}

void PreviewWindow::refreshControls()
{
    const int n = pageCount();
    const QString more = isComplete() ? QString() : QStringLiteral("+");
    m_indicator->setText(n == 0 ? QStringLiteral("nincs oldal")
                                : QStringLiteral("%1. / %2%3 oldal").arg(m_page + 1).arg(n).arg(more));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < n || !isComplete());
    m_last->setEnabled(m_page + 1 < n || !isComplete());
}

// Lays out pages for a moment, then lets the user's events run.
void PreviewWindow::layoutSome()
{
    if (isComplete())
        return;
    QElapsedTimer t;
    t.start();
    while (!m_layouter->isFinished() && t.elapsed() < kLayoutSliceMs)
        m_layouter->layoutNextPage();
    if (m_toLast)
        showPage(pageCount() - 1);
    else
        refreshControls();  // the page shown stays as it is
    if (!isComplete())
        m_layoutTimer->start();
    else
        m_toLast = false;
}

void PreviewWindow::completeLayout()
{
    if (isComplete())
        return;
    m_layoutTimer->stop();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_layouter->layoutAll();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        refresh();
        throw;
    }
    QApplication::restoreOverrideCursor();
    if (std::exchange(m_toLast, false))
        showPage(pageCount() - 1);
    else
        refresh();
}

void PreviewWindow::done(int result)
{
    // The pages not yet laid out are not wanted any more: the window closes
    // at once, and the master data set is left at its end as by a whole run.
    m_layoutTimer->stop();
    if (m_layouter)
        Vedett([this] { m_layouter->stop(); });
    QDialog::done(result);
}

bool PreviewWindow::ensurePrinter()
{
    if (m_printer)
        return true;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        HibaDoboz(QStringLiteral("Nincs nyomtató telepítve, ezért a riport nem nyomtatható ki.\n"
                                 "A nyomtatási kép PDF dokumentumba menthető."));
        return false;
    }
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return true;
}

void PreviewWindow::printerSetup()
{
    if (!ensurePrinter())
        return;
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setObjectName(QStringLiteral("dlgNyomtatoBeallitas"));
    dialog.setWindowTitle(QStringLiteral("Nyomtató beállítása"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.exec();
}

void PreviewWindow::print()
{
    if (!ensurePrinter())
        return;
    completeLayout();
    printPages(report(), *m_printer, this);
}

QString PreviewWindow::choose(bool save, const QString &caption, const QString &filter, const QString &proposed)
{
    FajlKeres keres;
    keres.mentes = save;
    keres.cim = caption;
    keres.tipusok = filter;
    keres.kezdet = proposed;
    return FajlValaszt(this, keres);
}

void PreviewWindow::save()
{
    completeLayout();
    const QString file = withSuffix(choose(true, QStringLiteral("Nyomtatási kép mentése"), kPagesFilter,
                                           report().title + QStringLiteral(".nyk")),
                                    QStringLiteral("nyk"));
    if (file.isEmpty())
        return;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(file, out.errorString()));
    report().save(out);
    if (!out.commit())
        throw data::DbError(QStringLiteral("A fájl nem írható: %1\n%2").arg(file, out.errorString()));
}

void PreviewWindow::load()
{
    const QString file = choose(false, QStringLiteral("Nyomtatási kép betöltése"), kPagesFilter, QString());
    if (file.isEmpty())
        return;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw data::DbError(QStringLiteral("A fájl nem olvasható: %1\n%2").arg(file, in.errorString()));
    PreparedReport loaded = PreparedReport::load(in);
    completeLayout();  // the run's own walk ends first
    m_own = std::move(loaded);
    m_useOwn = true;
    setWindowTitle(m_own.title);
    showPage(0);
}

void PreviewWindow::savePdf()
{
    completeLayout();
    const QString file = withSuffix(choose(true, QStringLiteral("Mentés PDF dokumentumba"), kPdfFilter,
                                           report().title + QStringLiteral(".pdf")),
                                    QStringLiteral("pdf"));
    if (file.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        writePdf(report(), file);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

}  // namespace riport
