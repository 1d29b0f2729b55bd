// The report engine's windows and painting: the one paint path at a known
// scale, text measured with the real fonts, the preview window's paging,
// zoom, saving and loading of prepared pages, and the PDF's text.

#include "data/database.h"
#include "data/table.h"
#include "common/fajlvalaszto.h"
#include "reports/engine/agency.h"
#include "reports/engine/layout.h"
#include "reports/engine/painter.h"
#include "reports/engine/preview.h"
#include "reports/engine/qtmeasurer.h"
#include "reports/engine/run.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace riport;
using data::Database;

namespace {

Database &db() { return Database::regiszter(); }

void addPlaces(int count)
{
    Database::Transaction t(db());
    for (int i = 1; i <= count; ++i)
        db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, cim_varos) VALUES (?, ?, ?)"),
                  {i, QStringLiteral("Hely %1 ő ű").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Őriszentpéter")});
    t.commit();
}

Definition placeList()
{
    Definition def;
    def.title = QStringLiteral("Szálláshelyek listája");
    def.master = QStringLiteral("Tbl");
    addStandardPageHeader(def, QStringLiteral("Szálláshelyek listája"), QStringLiteral("névsorban"), 30.1);
    Band &detail = def.addBand(BandKind::Detail, 11.9);
    detail.frame.bottom = line(kSilver);
    detail.add(dataField(QStringLiteral("Tbl"), QStringLiteral("ugyfel_nev")).at(0, 1.3, 58.5, 4.3)).font =
        font(QStringLiteral("Tahoma"), 10, Bold);
    detail.add(dataField(QStringLiteral("Tbl"), QStringLiteral("cim_varos")).at(157.4, 1.3, 32.1, 4.3));
    addStandardPageFooter(def, QStringLiteral("qrUgyfel"));
    return def;
}

struct Run {
    data::Table places{db(), QStringLiteral("ugyfel")};
    AgencyDetails agency{db()};
    Run()
    {
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        places.open();
        agency.open();
    }
    DataSets sets() { return DataSets{{QStringLiteral("Tbl"), &places}, {QString::fromLatin1(kAgencySet), &agency}}; }
};

// The text of a PDF as pdftotext reads it; empty when it cannot.
QString pdfText(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QAction *action(QWidget *w, const char *name) { return w->findChild<QAction *>(QString::fromLatin1(name)); }

}  // namespace

class TestRiportAblak : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::OpenRegister> m_reg;

private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); }
    void init() { m_reg = std::make_unique<testsupport::OpenRegister>(); }
    void cleanup()
    {
        setFajlKeresValaszto({});
        m_reg.reset();
    }

    void pagePaintsAtTheGivenScale()
    {
        PreparedReport r;
        r.pages.append(Page());
        Primitive fill;
        fill.kind = Primitive::Fill;
        fill.color = 0x000000;
        fill.x = 10;
        fill.y = 10;
        fill.w = 20;
        fill.h = 5;
        Primitive rule;
        rule.kind = Primitive::Line;
        rule.color = 0xFF0000;
        rule.penWidth = 1;
        rule.x = 0;
        rule.y = 50;
        rule.w = 100;
        r.pages[0].primitives << fill << rule;
        QImage image(840, 1188, QImage::Format_RGB32);  // 4 pixels to the mm
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            paintPage(p, r, 0, 4.0);
        }
        QCOMPARE(image.pixel(41, 41), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(119, 59), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(39, 41), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(41, 61), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(200, 200), qRgb(0xFF, 0, 0));  // the 1 mm rule at 50 mm
        QCOMPARE(image.pixel(200, 190), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(404, 200), qRgb(255, 255, 255));  // it ends at 100 mm
    }

    void realFontsMeasureInMillimetres()
    {
        QtMeasurer m;
        const Font tahoma = font(QStringLiteral("Tahoma"), 10);
        // A machine without Tahoma prints its metric stand-in, never a
        // fallback face chosen by chance.
        const QString family = QFontInfo(qtFont(tahoma)).family();
        QVERIFY2(family == QStringLiteral("Tahoma") || family == QStringLiteral("Liberation Sans"), qPrintable(family));
        const QString text = QStringLiteral("Szálláshelyek listája ő ű");
        const double w10 = m.textWidth(text, tahoma);
        QVERIFY2(w10 > 30 && w10 < 60, qPrintable(QString::number(w10)));
        QVERIFY(qAbs(m.textWidth(text, font(QStringLiteral("Tahoma"), 20)) - 2 * w10) < 0.05 * w10);
        QVERIFY(m.textWidth(text, font(QStringLiteral("Tahoma"), 10, Bold)) > w10);
        const double line = m.lineHeight(tahoma);
        QVERIFY(line > 3 && line < 5);  // 10 pt is 3.5 mm
        const QString para = QStringList(20, text).join(QLatin1Char(' '));
        const double h = m.wrappedHeight(para, tahoma, 75);
        const int lines = qRound(h / line);
        // As many lines as the text's width fills, and a little more for the
        // ends of lines that a word did not fit.
        const int filled = int(20 * w10 / 75);
        QVERIFY2(lines >= filled && lines <= filled + 4, qPrintable(QStringLiteral("%1 %2").arg(lines).arg(filled)));
        QCOMPARE(m.wrappedHeight(text, tahoma, 200), line);
    }

    void pdfHoldsTheReportsText()
    {
        addPlaces(50);
        Run run;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("lista.pdf"));
        QVERIFY(exportPdf(placeList(), run.sets(), file));
        const QString text = pdfText(file);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(text.contains(QStringLiteral("Szálláshelyek listája")));
        QVERIFY(text.contains(QStringLiteral("oldal: 1")));
        QVERIFY(text.contains(QStringLiteral("oldal: 3")));
        QVERIFY(text.contains(QStringLiteral("Hely 050 ő ű")));
        QVERIFY(text.contains(QStringLiteral("Őriszentpéter")));
        QCOMPARE(text.count(QLatin1Char('\f')), 3);  // one form feed per page
    }

    void failureShowsItsMessage()
    {
        testsupport::DobozFelvevo boxes;
        Run run;
        Definition def = placeList();
        def.band(BandKind::Detail)->add(dataField(QStringLiteral("Tbl"), QStringLiteral("nincsilyen")));
        QTemporaryDir dir;
        QVERIFY(!exportPdf(def, run.sets(), dir.filePath(QStringLiteral("x.pdf"))));
        QVERIFY(!exportHtml(def, run.sets(), dir.filePath(QStringLiteral("x.htm"))));
        QCOMPARE(boxes.hibak.size(), 2);
        QVERIFY(boxes.hibak[0].contains(QStringLiteral("nincsilyen")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.pdf"))));
    }

    void previewPagesZoomsSavesAndLoads()
    {
        addPlaces(50);
        Run run;
        testsupport::DobozFelvevo boxes;
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("kep.nyk"));
        const QString bad = dir.filePath(QStringLiteral("rossz.nyk"));
        {
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("nem nyomtatási kép");
        }
        QString answer;
        setFajlKeresValaszto([&answer](QWidget *, const FajlKeres &) {
            return answer;
        });

        QString caption, firstIndicator, nextIndicator, lastIndicator;
        bool maximised = false, complete = false, prevEnabledOnFirst = true;
        int pages = 0, afterNext = -1, afterLast = -1, afterLoad = -1, loadedPages = -1;
        double actual = 0, whole = 0, width = 0;
        int errorsAfterBadLoad = -1;
        testsupport::onNextModal([&](QWidget *w) {
            auto *pw = qobject_cast<PreviewWindow *>(w);
            if (!pw) {
                w->close();
                return;
            }
            caption = pw->windowTitle();
            maximised = pw->windowState() & Qt::WindowMaximized;
            QTest::qWait(50);
            QTRY_VERIFY_WITH_TIMEOUT(pw->isComplete(), 10000);
            complete = pw->isComplete();
            pages = pw->pageCount();
            auto *indicator = pw->findChild<QLabel *>(QStringLiteral("lblOldal"));
            firstIndicator = indicator->text();
            prevEnabledOnFirst = action(pw, "aElozoOldal")->isEnabled();
            action(pw, "aKovetkezoOldal")->trigger();
            afterNext = pw->currentPage();
            nextIndicator = indicator->text();
            action(pw, "aUtolsoOldal")->trigger();
            afterLast = pw->currentPage();
            lastIndicator = indicator->text();
            action(pw, "aKovetkezoOldal")->trigger();  // stays on the last
            whole = pw->pixelsPerMm();
            action(pw, "aOldalszelesseg")->trigger();
            width = pw->pixelsPerMm();
            action(pw, "aEredetiMeret")->trigger();
            actual = pw->pixelsPerMm();
            action(pw, "aTeljesOldal")->trigger();
            answer = saved;
            action(pw, "aMent")->trigger();
            answer = bad;
            action(pw, "aBetolt")->trigger();
            errorsAfterBadLoad = boxes.hibak.size();
            action(pw, "aElsoOldal")->trigger();
            answer = saved;
            action(pw, "aUtolsoOldal")->trigger();
            action(pw, "aBetolt")->trigger();
            afterLoad = pw->currentPage();
            loadedPages = pw->pageCount();
            action(pw, "aBezar")->trigger();
        });
        QVERIFY(preview(nullptr, placeList(), run.sets()));
        QCOMPARE(caption, QStringLiteral("Szálláshelyek listája"));
        QVERIFY(maximised);
        QVERIFY(complete);
        QCOMPARE(pages, 3);
        QCOMPARE(firstIndicator, QStringLiteral("1. / 3 oldal"));
        QVERIFY(!prevEnabledOnFirst);
        QCOMPARE(afterNext, 1);
        QCOMPARE(nextIndicator, QStringLiteral("2. / 3 oldal"));
        QCOMPARE(afterLast, 2);
        QCOMPARE(lastIndicator, QStringLiteral("3. / 3 oldal"));
        QVERIFY(qAbs(actual - qApp->primaryScreen()->logicalDotsPerInchX() / 25.4) < 0.5);
        QVERIFY(width >= whole);
        QCOMPARE(errorsAfterBadLoad, 1);
        QVERIFY(boxes.hibak.first().contains(QStringLiteral("nyomtatási kép")));
        QCOMPARE(afterLoad, 0);
        QCOMPARE(loadedPages, 3);
        QVERIFY(QFile::exists(saved));
        // The walk went to the end of the master.
        QVERIFY(run.places.eof());
        QVERIFY(!run.places.controlsDisabled());
    }

    void previewClosedEarlyStillReadsToTheEnd()
    {
        addPlaces(400);
        Run run;
        testsupport::onNextModal([](QWidget *w) { w->close(); });
        QVERIFY(preview(nullptr, placeList(), run.sets()));
        QVERIFY(run.places.eof());
        QCOMPARE(run.places.recNo(), 400);
        QVERIFY(!run.places.controlsDisabled());
    }

    void lastPageFollowsTheLayout()
    {
        addPlaces(400);
        Run run;
        int shown = -1, pages = 0;
        testsupport::onNextModal([&](QWidget *w) {
            auto *pw = qobject_cast<PreviewWindow *>(w);
            action(pw, "aUtolsoOldal")->trigger();  // before the pages are all there
            QTRY_VERIFY_WITH_TIMEOUT(pw->isComplete(), 10000);
            std::tie(shown, pages) = std::pair(pw->currentPage(), pw->pageCount());
            w->close();
        });
        QVERIFY(preview(nullptr, placeList(), run.sets()) && pages > 1 && shown == pages - 1);
    }

    void previewSavesPdf()
    {
        addPlaces(3);
        Run run;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("elonezet"));  // the suffix is added
        setFajlKeresValaszto([&file](QWidget *, const FajlKeres &k) {
            return k.mentes && k.tipusok.contains(QStringLiteral("pdf")) && k.kezdet == QStringLiteral("Szálláshelyek listája.pdf")
                       ? file
                       : QString();
        });
        testsupport::onNextModal([](QWidget *w) {
            action(w, "aPdf")->trigger();
            w->close();
        });
        QVERIFY(preview(nullptr, placeList(), run.sets()));
        QVERIFY(QFile::exists(file + QStringLiteral(".pdf")));
        const QString text = pdfText(file + QStringLiteral(".pdf"));
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(text.contains(QStringLiteral("Hely 003 ő ű")));
    }
};

QTEST_MAIN(TestRiportAblak)
#include "tst_riportablak.moc"
