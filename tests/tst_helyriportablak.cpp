// The accommodation reports from the windows that start them: the main
// window's actions and the notes window's print action open the preview of
// the right report, the data sheet narrows the main list only while it runs;
// and the full list painted with the real fonts into a PDF file reads back
// as it was printed.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "common/listaablak.h"
#include "data/database.h"
#include "data/table.h"
#include "places/tfrm_megjegyzes.h"
#include "reports/engine/preview.h"
#include "reports/engine/run.h"
#include "reports/helyriportfuttatas.h"
#include "testsupport.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What a preview showed: its caption and the texts of its pages.
struct Elonezet {
    QString cim;
    QStringList szovegek;
    int oldalak = 0;
};

// Reads the next preview window and closes it; `kozben` runs while it is open.
void elonezetOlvas(Elonezet &e, std::function<void()> kozben = {})
{
    testsupport::onNextModal([&e, kozben](QWidget *w) {
        auto *pw = qobject_cast<riport::PreviewWindow *>(w);
        if (pw) {
            QTRY_VERIFY_WITH_TIMEOUT(pw->isComplete(), 10000);
            e.cim = pw->windowTitle();
            e.oldalak = pw->pageCount();
            for (int p = 0; p < pw->pageCount(); ++p)
                e.szovegek << pw->report().pageTexts(p);
            if (kozben)
                kozben();
        }
        w->close();
    });
}

}  // namespace

class TestHelyRiportAblak : public QObject {
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
    void initTestCase() { testsupport::useHungarianLocale(); }
    void init() { m_reg = std::make_unique<testsupport::OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void mainWindowActionsPreviewTheirReports()
    {
        data::Database &db = data::Database::regiszter();
        db.exec(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, cim_varos) VALUES "
                               "(1, 1, 'Almás Panzió', 'Eger'), (2, 2, 'Bakony Lak', 'Zirc'), (3, 3, 'Cser Ház', 'Eger')"));
        db.exec(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, datum, rovid) VALUES (3, '2026-05-01', 'tavaszi hívás')"));
        TBeall beall;
        Tfrm_Main ablak(db, beall);
        QVERIFY(ablak.Indit());
        data::Table *tbl = ablak.Tbl();
        tbl->setFilter(QStringLiteral("cim_varos='Eger'"));
        tbl->setFiltered(true);

        Elonezet lista;
        elonezetOlvas(lista);
        ablak.akcio(QStringLiteral("aNyomtatKep"))->trigger();
        QCOMPARE(lista.cim, QStringLiteral("Szálláshelyek listája"));
        QVERIFY(lista.szovegek.contains(QStringLiteral("Cser Ház")));
        QVERIFY(!lista.szovegek.contains(QStringLiteral("Bakony Lak")));
        // The walk leaves the list on its last row.
        QCOMPARE(tbl->asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Cser Ház"));

        Elonezet adatlap;
        QString szuroKozben;
        elonezetOlvas(adatlap, [&] { szuroKozben = tbl->filter(); });
        ablak.akcio(QStringLiteral("aAdatlap"))->trigger();
        QCOMPARE(adatlap.cim, QStringLiteral("Adatlap"));
        QCOMPARE(szuroKozben, QStringLiteral("ugyfel=3"));
        QVERIFY(adatlap.szovegek.contains(QStringLiteral("Cser Ház")));
        QVERIFY(!adatlap.szovegek.contains(QStringLiteral("Almás Panzió")));
        QCOMPARE(tbl->filter(), QStringLiteral("cim_varos='Eger'"));
        QVERIFY(tbl->isFiltered());
        QCOMPARE(tbl->recordCount(), 2);

        Elonezet megjegyzesek;
        elonezetOlvas(megjegyzesek);
        ablak.akcio(QStringLiteral("aNyomMegjegyzes"))->trigger();
        QCOMPARE(megjegyzesek.cim, QStringLiteral("Megjegyzések"));
        QVERIFY(megjegyzesek.szovegek.contains(QStringLiteral("tavaszi hívás")));

        // The labels of the list on the layout accepted in the layouts list.
        db.exec(QStringLiteral("INSERT INTO cimke (cimke, felsomargo, szelsomargo, cimkemagas, oszlop) "
                               "VALUES ('Hármas', 10, 5, 37, 3)"));
        Elonezet cimkek;
        testsupport::onNextModal([&](QWidget *w) {
            auto *lista = qobject_cast<ListaAblak *>(w);
            if (!lista) {
                w->close();
                return;
            }
            elonezetOlvas(cimkek);
            lista->aElfogad()->trigger();
        });
        ablak.akcio(QStringLiteral("aCimke"))->trigger();
        QCOMPARE(cimkek.cim, QStringLiteral("Címke nyomtatás"));
        QVERIFY(cimkek.szovegek.contains(QStringLiteral("Almás Panzió")));
        QVERIFY(cimkek.szovegek.contains(QStringLiteral("Cser Ház")));
        QVERIFY(!cimkek.szovegek.contains(QStringLiteral("oldal: 1")));

        // An empty list: the data sheet of place 0, a page without a place.
        tbl->setFilter(QStringLiteral("cim_varos='Pécs'"));
        Elonezet ures;
        elonezetOlvas(ures);
        ablak.akcio(QStringLiteral("aAdatlap"))->trigger();
        QCOMPARE(ures.oldalak, 1);
        QVERIFY(!ures.szovegek.contains(QStringLiteral("Cím adatok")));
        QCOMPARE(tbl->filter(), QStringLiteral("cim_varos='Pécs'"));
    }

    void notesWindowPreviewsItsPlacesNotes()
    {
        data::Database &db = data::Database::regiszter();
        db.exec(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (4, 1, 'Dió Lak'), (5, 2, 'Eper Ház')"));
        db.exec(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, datum, rovid) VALUES (4, '2026-01-02', 'dió jegyzet'), "
                               "(5, '2026-01-03', 'eper jegyzet')"));
        TBeall beall;
        Tfrm_Main fo(db, beall);
        QVERIFY(fo.Indit());
        fo.Tbl()->locate(QStringLiteral("ugyfel"), 5);
        Elonezet megjegyzesek;
        testsupport::onNextModal([&](QWidget *w) {
            auto *notes = qobject_cast<Tfrm_Megjegyzes *>(w);
            if (notes && notes->aNyomtatKep()->isEnabled()) {
                elonezetOlvas(megjegyzesek);
                notes->aNyomtatKep()->trigger();
            }
            w->close();
        });
        fo.akcio(QStringLiteral("aMegjegyzes"))->trigger();
        QCOMPARE(megjegyzesek.cim, QStringLiteral("Megjegyzések"));
        QVERIFY(megjegyzesek.szovegek.contains(QStringLiteral("eper jegyzet")));
        QVERIFY(!megjegyzesek.szovegek.contains(QStringLiteral("dió jegyzet")));
    }

    void fullListAsPdfReadsBack()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
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

QTEST_MAIN(TestHelyRiportAblak)
#include "tst_helyriportablak.moc"
