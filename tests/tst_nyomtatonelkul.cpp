// Printing where no printer is installed: the user is told so, the report's
// data are not read and nothing else changes; the preview says the same.

#include "data/database.h"
#include "data/table.h"
#include "reports/engine/agency.h"
#include "reports/engine/layout.h"
#include "reports/engine/run.h"
#include "testsupport.h"

#include <QAction>
#include <QPrinterInfo>
#include <QTest>

using namespace riport;
using data::Database;

class TestNyomtatoNelkul : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        testsupport::useHungarianLocale();
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer (run by ctest, which points to no print spooler)");
    }

    void printSaysThereIsNoPrinter()
    {
        testsupport::OpenRegister reg;
        testsupport::DobozFelvevo boxes;
        Database &db = Database::regiszter();
        db.exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (1, 'A'), (2, 'B'), (3, 'C')"));
        data::Table places(db, QStringLiteral("ugyfel"));
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        places.open();
        places.setCurrentRow(1);
        AgencyDetails agency(db);
        agency.open();
        Definition def;
        def.title = QStringLiteral("Lista");
        def.master = QStringLiteral("Tbl");
        def.addBand(BandKind::Detail, 10).add(dataField(QStringLiteral("Tbl"), QStringLiteral("ugyfel_nev")).at(0, 0, 50, 5));
        const DataSets sets{{QStringLiteral("Tbl"), &places}, {QString::fromLatin1(kAgencySet), &agency}};

        QVERIFY(print(nullptr, def, sets));
        QCOMPARE(boxes.hibak.size(), 1);
        QVERIFY(boxes.hibak[0].startsWith(QStringLiteral("Nincs nyomtató telepítve")));
        QCOMPARE(places.recNo(), 2);  // not walked

        // The preview's print button says the same and the window stays.
        bool stillOpen = false;
        testsupport::onNextModal([&](QWidget *w) {
            w->findChild<QAction *>(QStringLiteral("aNyomtat"))->trigger();
            w->findChild<QAction *>(QStringLiteral("aNyomtatoBeallitas"))->trigger();
            stillOpen = w->isVisible();
            w->close();
        });
        QVERIFY(preview(nullptr, def, sets));
        QVERIFY(stillOpen);
        QCOMPARE(boxes.hibak.size(), 3);
        QVERIFY(boxes.hibak[1].startsWith(QStringLiteral("Nincs nyomtató telepítve")));
    }
};

QTEST_MAIN(TestNyomtatoNelkul)
#include "tst_nyomtatonelkul.moc"
