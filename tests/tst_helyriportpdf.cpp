// The full list of places painted with the real fonts into a PDF file, read
// back as text: the heading, a name with the Hungarian long accents and the
// page number come out as they were printed.

#include "data/database.h"
#include "data/table.h"
#include "reports/engine/run.h"
#include "reports/helyriportfuttatas.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestHelyRiportPdf : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::OpenRegister> m_reg;

    static QString pdfText(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return QString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private Q_SLOTS:
    void initTestCase()
    {
        testsupport::useHungarianLocale();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
    }
    void init() { m_reg = std::make_unique<testsupport::OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void fullListAsPdfReadsBack()
    {
        data::Database &db = data::Database::regiszter();
        db.exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, cim_varos, kapcs_mobil) VALUES "
                               "(1, 'Őrségi Fűzfa Lak', 'Őriszentpéter', '+36 30 111 2222'), "
                               "(2, 'Balaton Panzió', 'Siófok', NULL)"));
        data::Table places(db, QStringLiteral("ugyfel"));
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        places.open();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("lista.pdf"));
        QVERIFY(UgyfelListaFuttatas(db, places, [&](const riport::Definition &def, const riport::DataSets &sets) {
            return riport::exportPdf(def, sets, file);
        }));
        QVERIFY(QFileInfo(file).size() > 0);
        const QString text = pdfText(file);
        for (const char *t : {"Szálláshelyek listája", "névsorban", "Őrségi Fűzfa Lak", "Őriszentpéter",
                              "+36 30 111 2222", "oldal: 1", "qrUgyfel"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);
        QVERIFY(text.indexOf(QStringLiteral("Balaton Panzió")) < text.indexOf(QStringLiteral("Őrségi Fűzfa Lak")));
    }
};

QTEST_MAIN(TestHelyRiportPdf)
#include "tst_helyriportpdf.moc"
