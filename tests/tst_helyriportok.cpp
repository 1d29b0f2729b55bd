// The accommodation reports, the notes report and the labels without
// windows: each run laid out with the fixed measure over a fresh register,
// checked on its pages of primitives; the main list's filter around the
// data sheet.

#include "data/database.h"
#include "data/table.h"
#include "reports/cimkeelrendezes.h"
#include "reports/engine/layout.h"
#include "reports/engine/measurer.h"
#include "reports/helyriportfuttatas.h"
#include "reports/riportelemek.h"
#include "reports/tqrcimke.h"
#include "reports/tqrmegjegyzes.h"
#include "reports/tqrugyfel.h"
#include "riportkereses.h"
#include "testsupport.h"

#include <QTest>

using namespace riport;
using data::Database;
using testsupport::findText;
using testsupport::textsStartingWith;

namespace {

Database &db() { return Database::regiszter(); }

void sql(const QString &statement, const QVariantList &params = {}) { db().exec(statement, params); }

void addPlace(int key, const QString &name, const QString &town, const QVariant &services = QVariant(),
              const QVariant &remarks = QVariant())
{
    sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, cim_varos, szolgaltatas, megjegyzes) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {key, key, name, town, services, remarks});
}

void addPlaces(int count)
{
    Database::Transaction t(db());
    for (int i = 1; i <= count; ++i)
        addPlace(i, QStringLiteral("Hely %1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Győr"));
    t.commit();
}

// A runner that lays the report out and keeps the pages.
struct Lapok {
    PreparedReport report;
    FixedMeasurer measurer;
    std::function<void()> kozben;  // runs while the report's data sets are open
    RiportFuttato futtato()
    {
        return [this](const Definition &def, const DataSets &sets) {
            if (kozben)
                kozben();
            report = layoutReport(def, sets, measurer);
            return true;
        };
    }
};

QStringList texts(const PreparedReport &r, int page) { return r.pageTexts(page); }

// The lowest silver rule above the page footer: the bottom of the last band.
double lastBandBottom(const PreparedReport &r, int page)
{
    const double footerTop = 297 - 10 - 14.6;
    double bottom = 0;
    for (const Primitive &p : r.pages[page].primitives)
        if (p.kind == Primitive::Line && p.color == kSilver && p.h == 0 && p.y < footerTop - 0.01)
            bottom = qMax(bottom, double(p.y));
    return bottom;
}

bool near(double a, double b) { return qAbs(a - b) < 1e-3; }

// The height of a band of `design` mm whose stretching element, drawn at
// `top` with `drawn` mm, prints `printed` mm tall: it grows by what the
// element grows, so the space below the element stays.
double grownBand(double design, double top, double drawn, double printed)
{
    return qMax(design, qMax(top + printed, design + printed - drawn));
}

struct MainList {
    data::Table tbl{db(), QStringLiteral("ugyfel")};
    MainList()
    {
        tbl.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        tbl.open();
    }
};

}  // namespace

class TestHelyRiportok : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::OpenRegister> m_reg;

private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); SKIP_WITHOUT_SERVER(); }
    void init() { m_reg = std::make_unique<testsupport::OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void emptyListsGiveOnePageWithHeaderAndFooter()
    {
        MainList list;
        Lapok full;
        QVERIFY(UgyfelListaFuttatas(db(), list.tbl, full.futtato()));
        QCOMPARE(full.report.pageCount(), 1);
        const QStringList page = texts(full.report, 0);
        for (const char *t : {"Szálláshelyek listája", "névsorban", "Szálláshely", "kapcs.mobil", "oldal: 1", "qrUgyfel"})
            QVERIFY2(page.contains(QString::fromUtf8(t)), t);
        QVERIFY(!page.contains(QStringLiteral("terület")));  // no detail band

        Lapok sheet;
        QVERIFY(AdatlapFuttatas(db(), list.tbl, QVariant(), sheet.futtato()));
        QCOMPARE(sheet.report.pageCount(), 1);
        const QStringList sheetPage = texts(sheet.report, 0);
        QVERIFY(sheetPage.contains(QStringLiteral("Adatlap")));
        QVERIFY(sheetPage.contains(QStringLiteral("qrUgyfel_reszl")));
        QVERIFY(!sheetPage.contains(QStringLiteral("Cím adatok")));

        // Labels: one empty sheet.
        CimkeElrendezes layout;
        layout.oszlop = 3;
        layout.cimkeMagas = 37;
        Lapok labels;
        QVERIFY(CimkeFuttatas(list.tbl, layout, labels.futtato()));
        QCOMPARE(labels.report.pageCount(), 1);
        QVERIFY(labels.report.pageTexts(0).isEmpty());
    }

    void fullListFollowsTheMainListsFilterAndOrder()
    {
        addPlace(1, QStringLiteral("Őrségi Fűzfa Lak"), QStringLiteral("Őriszentpéter"));
        addPlace(2, QStringLiteral("Balaton Panzió"), QStringLiteral("Siófok"));
        addPlace(3, QStringLiteral("Alföldi Ház"), QStringLiteral("Szeged"));
        sql(QStringLiteral("UPDATE ugyfel SET cim_irsz = CASE ugyfel WHEN 1 THEN '1111' ELSE '9999' END"));
        MainList list;
        list.tbl.setFilter(QStringLiteral("cim_varos<>'Siófok'"));
        list.tbl.setFiltered(true);
        // Ordered by postal code, whatever the subheading says.
        list.tbl.setIndexFieldNames(QStringLiteral("cim_irsz"));
        Lapok run;
        QVERIFY(UgyfelListaFuttatas(db(), list.tbl, run.futtato()));
        QVERIFY(run.report.pageTexts(0).contains(QStringLiteral("névsorban")));
        const Primitive *first = findText(run.report, 0, QStringLiteral("Őrségi Fűzfa Lak"));
        const Primitive *second = findText(run.report, 0, QStringLiteral("Alföldi Ház"));
        QVERIFY(first && second);
        QVERIFY(near(first->y, 10 + 30.1 + 1.3));
        QVERIFY(near(second->y, first->y + 11.9));
        QCOMPARE(run.report.font(*first), font(QStringLiteral("Tahoma"), 10, Bold));
        QVERIFY(!findText(run.report, 0, QStringLiteral("Balaton Panzió")));
        // The list does not put the main list back on its row.
        QVERIFY(list.tbl.eof());
    }

    void dataSheetNarrowsTheListAndPutsTheFilterBack_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("outcome");  // 0 runs, 1 the runner fails, 2 it throws
        QTest::newRow("no filter") << QString() << false << 0;
        QTest::newRow("filter on") << QStringLiteral("cim_varos='Győr'") << true << 0;
        QTest::newRow("filter text kept off") << QStringLiteral("cim_varos='Győr'") << false << 0;
        QTest::newRow("runner fails") << QStringLiteral("cim_varos='Győr'") << true << 1;
        QTest::newRow("runner throws") << QString() << false << 2;
    }
    void dataSheetNarrowsTheListAndPutsTheFilterBack()
    {
        QFETCH(QString, filter);
        QFETCH(bool, on);
        QFETCH(int, outcome);
        addPlaces(3);
        MainList list;
        list.tbl.setFilter(filter);
        list.tbl.setFiltered(on);
        Lapok run;
        QString filterDuringRun;
        int rowsDuringRun = -1;
        run.kozben = [&] {
            filterDuringRun = list.tbl.isFiltered() ? list.tbl.filter() : QString();
            rowsDuringRun = list.tbl.recordCount();
            if (outcome == 2)
                throw data::DbError(QStringLiteral("nincs nyomtató"));
        };
        RiportFuttato futtato = run.futtato();
        if (outcome == 1)
            futtato = [&](const Definition &def, const DataSets &sets) {
                run.futtato()(def, sets);
                return false;
            };
        bool ok = false;
        bool thrown = false;
        try {
            ok = AdatlapFuttatas(db(), list.tbl, 2, futtato);
        } catch (const data::DbError &) {
            thrown = true;
        }
        QCOMPARE(thrown, outcome == 2);
        QCOMPARE(ok, outcome == 0);
        QCOMPARE(filterDuringRun, QStringLiteral("ugyfel=2"));
        QCOMPARE(rowsDuringRun, 1);
        QCOMPARE(list.tbl.filter(), filter);
        QCOMPARE(list.tbl.isFiltered(), on);
        QCOMPARE(list.tbl.recordCount(), 3);
        if (outcome != 2) {
            QCOMPARE(run.report.pageCount(), 1);
            QVERIFY(findText(run.report, 0, QStringLiteral("Hely 002")));
            QVERIFY(!findText(run.report, 0, QStringLiteral("Hely 001")));
        }
    }

    void dataSheetMemosGrowIndependently_data()
    {
        QTest::addColumn<int>("servicesWords");
        QTest::addColumn<int>("remarksWords");
        QTest::newRow("both short") << 1 << 1;
        QTest::newRow("long services") << 40 << 1;
        QTest::newRow("long remarks") << 1 << 25;
        QTest::newRow("both long") << 25 << 40;
    }
    void dataSheetMemosGrowIndependently()
    {
        QFETCH(int, servicesWords);
        QFETCH(int, remarksWords);
        const QString services = QStringList(servicesWords, QStringLiteral("szauna")).join(QLatin1Char(' '));
        const QString remarks = QStringList(remarksWords, QStringLiteral("csendes")).join(QLatin1Char(' '));
        addPlace(7, QStringLiteral("Tó Vendégház"), QStringLiteral("Tata"), services, remarks);
        MainList list;
        Lapok run;
        QVERIFY(AdatlapFuttatas(db(), list.tbl, 7, run.futtato()));
        const PreparedReport &r = run.report;
        const Font times = font(QStringLiteral("Times New Roman"), 9);
        const Primitive *s = findText(r, 0, services);
        const Primitive *m = findText(r, 0, remarks);
        QVERIFY(s && m);
        QVERIFY(s->wraps() && m->wraps());
        QVERIFY(near(s->x, 10 + 21.2) && near(m->x, 10 + 116.4));
        QVERIFY(near(s->y, 10 + 22.2 + 75.4) && near(m->y, s->y));
        const double line = run.measurer.lineHeight(times);
        const double sHeight = run.measurer.lineCount(services, times, 73.1) * line;
        const double mHeight = run.measurer.lineCount(remarks, times, 73.1) * line;
        // Each memo is as tall as its own text, at least its design height.
        const double design = riportelem::sorMagas(times);
        QVERIFY(near(s->h, qMax(design, sHeight)));
        QVERIFY(near(m->h, qMax(design, mHeight)));
        if (servicesWords != remarksWords)
            QVERIFY(s->h != m->h);
        // The band grows with the longer memo.
        const double band = qMax(grownBand(80.7, 75.4, design, s->h), grownBand(80.7, 75.4, design, m->h));
        QVERIFY2(near(lastBandBottom(r, 0), 10 + 22.2 + band), qPrintable(QString::number(lastBandBottom(r, 0))));
        QCOMPARE(band > 80.7 + 1e-3, servicesWords > 1 || remarksWords > 1);
    }

    void notesComeNewestFirstPerPlace()
    {
        addPlace(1, QStringLiteral("Almás Panzió"), QStringLiteral("Eger"));
        addPlace(2, QStringLiteral("Bakony Lak"), QStringLiteral("Zirc"));
        addPlace(3, QStringLiteral("Üres Ház"), QStringLiteral("Pécs"));
        const QString longText = QStringList(60, QStringLiteral("megbeszéltük")).join(QLatin1Char(' '));
        sql(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, datum, rovid, megjegyzes) VALUES "
                           "(1, '2026-03-01', 'tavaszi ár', 'rövid'), (1, '2026-11-20', 'telefon', ?), "
                           "(2, '2026-12-01', 'más hely', 'x'), (1, '2025-07-15', 'első hívás', NULL)"),
            {longText});

        Lapok run;
        QVERIFY(MegjegyzesFuttatas(db(), 1, run.futtato()));
        const PreparedReport &r = run.report;
        QCOMPARE(r.pageCount(), 1);
        const QStringList page = texts(r, 0);
        QCOMPARE(page.count(QStringLiteral("Almás Panzió")), 1);  // one group header
        QVERIFY(page.contains(QStringLiteral("Eger")));
        QVERIFY(!page.contains(QStringLiteral("más hely")));
        const Primitive *newest = findText(r, 0, QStringLiteral("telefon"));
        const Primitive *middle = findText(r, 0, QStringLiteral("tavaszi ár"));
        const Primitive *oldest = findText(r, 0, QStringLiteral("első hívás"));
        QVERIFY(newest && middle && oldest);
        QVERIFY(near(newest->y, 10 + 22.2 + 11.9 + 1.3));
        QVERIFY(findText(r, 0, QStringLiteral("2026.11.20.")));
        // The long note stretches its entry; the next starts below it.
        const Primitive *text = findText(r, 0, longText);
        QVERIFY(text && text->h > 11.9);
        const double drawn = riportelem::sorMagas(font(QStringLiteral("Times New Roman"), 9));
        QVERIFY(near(middle->y, newest->y + grownBand(11.9, 6.6, drawn, text->h)));
        QVERIFY(near(oldest->y, middle->y + 11.9));

        Lapok none;
        QVERIFY(MegjegyzesFuttatas(db(), 3, none.futtato()));
        QCOMPARE(none.report.pageCount(), 1);
        const QStringList empty = texts(none.report, 0);
        QVERIFY(empty.contains(QStringLiteral("Megjegyzések")));
        QVERIFY(empty.contains(QStringLiteral("qrMegjegyzes")));
        QVERIFY(!empty.contains(QStringLiteral("Üres Ház")));
        QVERIFY(!empty.contains(QStringLiteral("Almás Panzió")));
    }

    void labelFontsByHeight_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<QVector<double>>("expected");  // sizes, then tops
        const QVector<double> first{11, 10, 10, 14, 2.6, 19.8, 26.5, 42.3};
        const QVector<double> second{11, 10, 10, 12, 2.6, 17.2, 23.8, 33.1};
        const QVector<double> third{9, 8, 8, 10, 1.3, 13.2, 18.5, 23.8};
        const QVector<double> fourth{9, 8, 8, 9, 0, 7.9, 13.2, 18.5};
        const QVector<double> fifth{8, 8, 8, 8, 0, 6.6, 10.6, 15.9};
        QTest::newRow("70") << 70.0 << first;
        QTest::newRow("50") << 50.0 << first;
        QTest::newRow("49.9") << 49.9 << second;
        QTest::newRow("40") << 40.0 << second;
        QTest::newRow("39.9") << 39.9 << third;
        QTest::newRow("32") << 32.0 << third;
        QTest::newRow("31.9") << 31.9 << fourth;
        QTest::newRow("24") << 24.0 << fourth;
        QTest::newRow("23.9") << 23.9 << fifth;
        QTest::newRow("0") << 0.0 << fifth;
    }
    void labelFontsByHeight()
    {
        QFETCH(double, height);
        QFETCH(QVector<double>, expected);
        Definition def = TqrCimke();
        CimkeIgazitas(def, 2, height, 8, 12);
        const char *names[] = {"nev", "varos", "utca", "irsz"};
        for (int i = 0; i < 4; ++i) {
            const Element *e = def.element(QString::fromLatin1(names[i]));
            QVERIFY(e);
            QCOMPARE(e->font.pointSize, expected[i]);
            QCOMPARE(e->rect.top(), expected[4 + i]);
            QVERIFY(near(e->rect.width(), 194.0 / 2 - 4));
        }
        QCOMPARE(def.element(QStringLiteral("nev"))->font, font(QStringLiteral("Tahoma"), expected[0], Bold));
        QVERIFY(def.element(QStringLiteral("varos"))->font.underline);
        QCOMPARE(def.band(BandKind::Detail)->height, height);
    }

    void labelsFlowDownTheColumnsOfTheLayout()
    {
        // 3 columns, side margin 5, top margin 10, labels 37 mm: 277 mm hold
        // seven labels in a column, 21 on a sheet.
        addPlaces(23);
        MainList list;
        CimkeElrendezes layout;
        layout.nev = QStringLiteral("3x7");
        layout.oszlop = 3;
        layout.szelsoMargo = 5;
        layout.felsoMargo = 10;
        layout.cimkeMagas = 37;
        QVERIFY(near(CimkeMezoSzeles(3, 5), 62.6667));
        Lapok run;
        QVERIFY(CimkeFuttatas(list.tbl, layout, run.futtato()));
        const PreparedReport &r = run.report;
        QCOMPARE(r.pageCount(), 2);
        const auto names = textsStartingWith(r, 0, QStringLiteral("Hely"));
        QCOMPARE(names.size(), 21);
        for (int i = 0; i < 21; ++i) {
            const int column = i / 7, row = i % 7;
            QCOMPARE(r.text(*names[i]), QStringLiteral("Hely %1").arg(i + 1, 3, 10, QLatin1Char('0')));
            QVERIFY(near(names[i]->x, 5 + column * 200 / 3.0 + 2.6));
            QVERIFY(near(names[i]->y, 10 + row * 37 + 1.3));
            QVERIFY(near(names[i]->w, 200 / 3.0 - 4));
            QCOMPARE(r.font(*names[i]).pointSize, 9.0);
        }
        const auto towns = textsStartingWith(r, 0, QStringLiteral("Győr"));
        QCOMPARE(towns.size(), 21);
        QVERIFY(near(towns[0]->y, 10 + 13.2));
        QCOMPARE(r.font(*towns[0]).pointSize, 8.0);
        const auto next = textsStartingWith(r, 1, QStringLiteral("Hely"));
        QCOMPARE(next.size(), 2);
        QVERIFY(near(next[0]->x, 7.6) && near(next[0]->y, 11.3));
        // Neither header nor footer on a label sheet.
        QVERIFY(!r.pageTexts(0).contains(QStringLiteral("oldal: 1")));
    }

    void labelsWithoutColumnsUseOne()
    {
        addPlaces(2);
        MainList list;
        CimkeElrendezes layout;
        layout.oszlop = 0;
        layout.szelsoMargo = 10;
        layout.felsoMargo = 10;
        layout.cimkeMagas = 30;
        Lapok run;
        QVERIFY(CimkeFuttatas(list.tbl, layout, run.futtato()));
        const auto names = textsStartingWith(run.report, 0, QStringLiteral("Hely"));
        QCOMPARE(names.size(), 2);
        QVERIFY(near(names[1]->x, names[0]->x));
        QVERIFY(near(names[1]->y, names[0]->y + 30));
        QVERIFY(near(names[0]->w, 186));
    }
};

QTEST_GUILESS_MAIN(TestHelyRiportok)
#include "tst_helyriportok.moc"
