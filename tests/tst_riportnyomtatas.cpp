// Printing a report on the default printer: a real print spooler with a PDF
// queue (started by tests/cups/start.sh) receives the job, and the PDF it
// writes holds the report's Hungarian text. The queue passes the job through
// PostScript, after which only the letters of the Western code page (á, é,
// ö, ü) stay readable as text; ő and ű are drawn, but as pictures, so the
// test reads names without them (the PDF export's own test reads ő and ű).

#include "data/database.h"
#include "data/table.h"
#include "reports/engine/agency.h"
#include "reports/engine/layout.h"
#include "reports/engine/painter.h"
#include "reports/engine/qtmeasurer.h"
#include "reports/engine/run.h"
#include "testsupport.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace riport;
using data::Database;

class TestRiportNyomtatas : public QObject {
    Q_OBJECT

    QString m_cups;

    QStringList outputPdfs() const
    {
        return QDir(m_cups + QStringLiteral("/pdf")).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }

    static QString run(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
    }

    // The spooler's complaints: when a filter fails a job, the spooler
    // writes the job's story into its log, ending with the cause.
    QStringList jobFailures() const
    {
        QFile log(m_cups + QStringLiteral("/log/error_log"));
        static const QRegularExpression failure(QStringLiteral("^E |stopped with status|Unrecoverable|Filter failed"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split(QLatin1Char('\n')).filter(failure)
                                             : QStringList();
    }

    // The text of the PDF the queue writes for the job just sent, once the
    // file is whole; fails with what the spooler said when a filter failed
    // the job or a minute passed.
    QString printedText(const QStringList &before, qsizetype failuresBefore) const
    {
        for (QDeadlineTimer deadline(60000); !deadline.hasExpired() && jobFailures().size() == failuresBefore;
             QTest::qWait(200)) {
            for (const QString &f : outputPdfs()) {
                const QString text = before.contains(f) ? QString()
                                                        : run(QStringLiteral("pdftotext"), {m_cups + QStringLiteral("/pdf/") + f, QStringLiteral("-")});
                if (text.contains(QStringLiteral("qrUgyfel")))
                    return text;
            }
        }
        QTest::qFail(qPrintable(QStringLiteral("the queue wrote no readable PDF:\n")
                                + run(QStringLiteral("lpstat"), {QStringLiteral("-p"), QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-l"), QStringLiteral("-o")})
                                + QLatin1Char('\n') + jobFailures().join(QLatin1Char('\n'))),
                     __FILE__, __LINE__);
        return QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        testsupport::useHungarianLocale();
        m_cups = qEnvironmentVariable("NYUGVAR_CUPS_DIR");
        if (m_cups.isEmpty())
            QSKIP("run by ctest, with the print spooler of tests/cups/start.sh");
        QFile why(m_cups + QStringLiteral("/unavailable"));
        if (why.open(QIODevice::ReadOnly))
            QSKIP(qPrintable(QStringLiteral("no print spooler: ") + QString::fromUtf8(why.readAll()).trimmed()));
    }

    void printsOnTheDefaultPrinter_data()
    {
        // With copies, printed as the preview's printer setup leaves the
        // printer: that many copies of the page `page` (0: of every page).
        QTest::addColumn<bool>("fromPreview");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("straight") << false << 0 << 0 << false;
        QTest::newRow("from the preview") << true << 0 << 0 << false;
        QTest::newRow("two copies of page 3") << false << 2 << 3 << false;
        QTest::newRow("cancelled: nothing sent") << false << 1 << 0 << true;
    }

    void printsOnTheDefaultPrinter()
    {
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), QStringLiteral("NyugvarPDF"));
        testsupport::OpenRegister reg;
        testsupport::DobozFelvevo boxes;
        Database &db = Database::regiszter();
        db.exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, cim_varos) VALUES "
                               "(1, 'Tündérkert vendégház', 'Sárvár'), (2, 'Szélmalom', 'Pécs')"));
        QFETCH(int, copies);
        for (int i = 3; copies > 0 && i < 43; ++i)  // three pages, the two above last
            db.exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (?, ?)"), {i, QStringLiteral("Hely %1").arg(i)});
        data::Table places(db, QStringLiteral("ugyfel"));
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        places.open();
        AgencyDetails agency(db);
        agency.open();

        Definition def;
        def.title = QStringLiteral("Szálláshelyek listája");
        def.master = QStringLiteral("Tbl");
        addStandardPageHeader(def, QStringLiteral("Szálláshelyek listája"), QStringLiteral("névsorban"), 30.1);
        Band &detail = def.addBand(BandKind::Detail, 11.9);
        detail.add(dataField(QStringLiteral("Tbl"), QStringLiteral("ugyfel_nev")).at(0, 1.3, 58.5, 4.3));
        detail.add(dataField(QStringLiteral("Tbl"), QStringLiteral("cim_varos")).at(131, 1.3, 58.5, 4.3));
        addStandardPageFooter(def, QStringLiteral("qrUgyfel"));

        const DataSets sets{{QStringLiteral("Tbl"), &places}, {QString::fromLatin1(kAgencySet), &agency}};
        const QStringList before = outputPdfs();
        const qsizetype failuresBefore = jobFailures().size();
        QFETCH(bool, fromPreview);
        QFETCH(int, page);
        QFETCH(bool, cancel);
        const auto jobs = [] { return run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")}); };
        const QString jobsBefore = jobs();
        if (copies > 0) {
            QPrinter printer(QPrinterInfo::defaultPrinter());
            printer.setCopyCount(copies);
            printer.setPrintRange(page > 0 ? QPrinter::PageRange : QPrinter::AllPages);
            printer.setFromTo(page, page);
            // "Mégsem" at the first look at the events, once the progress shows.
            QTimer::singleShot(0, [cancel] {
                if (auto *d = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget()); d && cancel)
                    d->cancel();
            });
            QtMeasurer measurer;
            QCOMPARE(printPages(layoutReport(def, sets, measurer), printer, nullptr), !cancel);
            if (cancel) {
                QCOMPARE(jobs(), jobsBefore);
                return;
            }
        } else if (fromPreview) {
            testsupport::onNextModal([](QWidget *w) {
                w->findChild<QAction *>(QStringLiteral("aNyomtat"))->trigger();
                w->close();
            });
            QVERIFY(preview(nullptr, def, sets));
        } else {
            QVERIFY(print(nullptr, def, sets));
        }
        QVERIFY2(boxes.hibak.isEmpty(), qPrintable(boxes.hibak.join(QLatin1Char('\n'))));
        const QString text = printedText(before, failuresBefore);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(text.contains(QStringLiteral("Szálláshelyek listája")));
        QVERIFY(text.contains(QStringLiteral("Tündérkert vendégház")));
        QVERIFY(text.contains(QStringLiteral("Szélmalom")));
        QVERIFY(text.contains(QStringLiteral("Sárvár")));
        QVERIFY(text.contains(QStringLiteral("Pécs")));
        QCOMPARE(text.count(QStringLiteral("oldal: %1").arg(qMax(page, 1))), qMax(copies, 1));
        QCOMPARE(text.count(QStringLiteral("oldal: ")), qMax(copies, 1));
    }
};

QTEST_MAIN(TestRiportNyomtatas)
#include "tst_riportnyomtatas.moc"
