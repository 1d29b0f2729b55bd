#pragma once
// The preview window: the prepared pages one at a time, zoom, paging,
// printer setup, print, saving and loading the prepared pages, PDF.

#include "reports/engine/prepared.h"

#include <QDialog>
#include <memory>

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;
class QTimer;

namespace riport {

class Layouter;
class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    enum class Zoom { WholePage, Actual, PageWidth };

    // Shows the pages of the layouter as they are laid out; the rest is laid
    // out while the window waits for the user. Closing the window stops the
    // layout, leaving the master data set at its end all the same. The
    // layouter must outlive the window.
    explicit PreviewWindow(Layouter &layouter, QWidget *parent = nullptr);
    // Shows finished pages.
    explicit PreviewWindow(PreparedReport report, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    const PreparedReport &report() const;
    int currentPage() const { return m_page; }   // 0-based
    int pageCount() const { return report().pageCount(); }
    bool isComplete() const;
    void showPage(int page);
    Zoom zoom() const { return m_zoom; }
    void setZoom(Zoom zoom);
    double pixelsPerMm() const;


    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void build();
    QAction *addAction(const char *name, const QString &caption, const QString &hint, const char *icons,
                       const QKeySequence &key, void (PreviewWindow::*slot)());
    void layoutSome();
    void completeLayout();
    void refresh();
    void refreshControls();
    void firstPage() { goTo(0); }
    void previousPage() { goTo(m_page - 1); }
    void nextPage() { goTo(m_page + 1); }
    void goTo(int page);
    void lastPage();
    void zoomWhole() { setZoom(Zoom::WholePage); }
    void zoomActual() { setZoom(Zoom::Actual); }
    void zoomWidth() { setZoom(Zoom::PageWidth); }
    void printerSetup();
    void print();
    void save();
    void load();
    void savePdf();
    bool ensurePrinter();
    QString choose(bool save, const QString &caption, const QString &filter, const QString &proposed);

    Layouter *m_layouter = nullptr;
    PreparedReport m_own;
    bool m_useOwn = false;
    int m_page = 0;
    bool m_toLast = false;  // the last page is shown as soon as it is laid out
    Zoom m_zoom = Zoom::WholePage;
    PageView *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_indicator = nullptr;
    QTimer *m_layoutTimer = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QAction *m_first = nullptr, *m_previous = nullptr, *m_next = nullptr, *m_last = nullptr;
};

}  // namespace riport
