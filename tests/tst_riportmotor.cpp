// The band report engine without windows: a definition laid out over real
// data sets into pages of primitives, measured with the fixed rule. Page
// breaks, columns, groups, stretching bands, sums, the standard header and
// footer, the agency details, the saved form of the pages and the HTML.

#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/engine/agency.h"
#include "reports/engine/html.h"
#include "reports/engine/layout.h"
#include "reports/engine/measurer.h"
#include "riportkereses.h"
#include "testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace riport;
using data::Database;
using testsupport::findText;
using testsupport::textsStartingWith;

namespace {

Database &db() { return Database::regiszter(); }

void sql(const QString &statement, const QVariantList &params = {}) { db().exec(statement, params); }

void addPlaces(int count, const QString &memo = QString())
{
    Database::Transaction t(db());
    for (int i = 1; i <= count; ++i)
        sql(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, cim_varos, megjegyzes) VALUES (?, ?, ?, ?)"),
            {i, QStringLiteral("Hely %1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("Győr"),
             memo.isEmpty() ? QVariant() : QVariant(memo)});
    t.commit();
}

// A list of places in the shape of the full list: the standard header and
// footer around a detail of two lines.
Definition placeList(double detailHeight = 11.9)
{
    Definition def;
    def.title = QStringLiteral("Szálláshelyek listája");
    def.master = QStringLiteral("Tbl");
    addStandardPageHeader(def, QStringLiteral("Szálláshelyek listája"), QStringLiteral("névsorban"), 30.1);
    Band &detail = def.addBand(BandKind::Detail, detailHeight);
    detail.frame.bottom = line(kSilver);
    detail.add(dataField(QStringLiteral("Tbl"), QStringLiteral("ugyfel_nev")).at(0, 1.3, 58.5, 4.3).named(QStringLiteral("nev")));
    detail.add(dataField(QStringLiteral("Tbl"), QStringLiteral("cim_varos")).at(157.4, 1.3, 32.1, 4.3));
    addStandardPageFooter(def, QStringLiteral("qrUgyfel"));
    return def;
}

struct Run {
    data::Table places{db(), QStringLiteral("ugyfel")};
    AgencyDetails agency{db()};
    FixedMeasurer measurer;
    Run()
    {
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        places.open();
        agency.open();
    }
    DataSets sets() { return DataSets{{QStringLiteral("Tbl"), &places}, {QString::fromLatin1(kAgencySet), &agency}}; }
    PreparedReport layout(const Definition &def) { return layoutReport(def, sets(), measurer); }
};

constexpr double kFooterTop = 297 - 10 - kStandardFooterHeight;

}  // namespace

class TestRiportMotor : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::OpenRegister> m_reg;

private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); }
    void init() { m_reg = std::make_unique<testsupport::OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void emptyMasterGivesOnePageWithHeaderAndFooter()
    {
        Run run;
        const PreparedReport r = run.layout(placeList());
        QCOMPARE(r.pageCount(), 1);
        QVERIFY(findText(r, 0, QStringLiteral("Szálláshelyek listája")));
        QVERIFY(findText(r, 0, QStringLiteral("névsorban")));
        const Primitive *page = findText(r, 0, QStringLiteral("oldal: 1"));
        QVERIFY(page);
        QCOMPARE(page->y, float(kFooterTop + 9.3));
        QVERIFY(textsStartingWith(r, 0, QStringLiteral("Hely")).isEmpty());
    }

    void emptyMasterWithoutPrintIfEmptyGivesNoPage()
    {
        Run run;
        Definition def = placeList();
        def.printIfEmpty = false;
        QCOMPARE(run.layout(def).pageCount(), 0);
    }

    void headerAndFooterOnEveryPage()
    {
        addPlaces(50);
        Run run;
        // The walk tells the bound controls nothing until its end.
        QSignalSpy moves(&run.places, &data::DataSet::currentChanged);
        QSignalSpy resets(&run.places, &data::DataSet::rowsReset);
        const PreparedReport r = run.layout(placeList());
        QCOMPARE(moves.count(), 0);
        QCOMPARE(resets.count(), 1);
        // 297 - 10 - 10 - 30.1 - 14.6 = 232.3 mm holds 19 bands of 11.9.
        QCOMPARE(r.pageCount(), 3);
        int details = 0;
        for (int p = 0; p < r.pageCount(); ++p) {
            QVERIFY2(findText(r, p, QStringLiteral("névsorban")), qPrintable(QString::number(p)));
            const Primitive *number = findText(r, p, QStringLiteral("oldal: %1").arg(p + 1));
            QVERIFY(number);
            QCOMPARE(number->y, float(kFooterTop + 9.3));
            const auto rows = textsStartingWith(r, p, QStringLiteral("Hely"));
            QCOMPARE(rows.size(), p < 2 ? 19 : 12);
            QCOMPARE(rows.first()->y, float(10 + 30.1 + 1.3));
            details += rows.size();
        }
        QCOMPARE(details, 50);
        // The rows in the master's order across the pages; the master stands
        // where the walk stopped.
        QCOMPARE(r.text(*textsStartingWith(r, 1, QStringLiteral("Hely")).first()), QStringLiteral("Hely 020"));
        QVERIFY(textsStartingWith(r, 1, QStringLiteral("Hely")).first()->clips());  // a field of fixed width
        QVERIFY(run.places.eof());
        QCOMPARE(run.places.recNo(), 50);
        QVERIFY(!run.places.controlsDisabled());
    }

    void headerAndFooterSwitches()
    {
        addPlaces(25);
        Run run;
        Definition def = placeList();
        def.headerOnFirstPage = false;
        def.footerOnLastPage = false;
        const PreparedReport r = run.layout(def);
        QCOMPARE(r.pageCount(), 2);
        QVERIFY(!findText(r, 0, QStringLiteral("névsorban")));
        QCOMPARE(textsStartingWith(r, 0, QStringLiteral("Hely")).first()->y, float(10 + 1.3));
        QVERIFY(findText(r, 0, QStringLiteral("oldal: 1")));
        QVERIFY(findText(r, 1, QStringLiteral("névsorban")));
        QVERIFY(!findText(r, 1, QStringLiteral("oldal: 2")));
    }

    void pagesComeOneAtATime()
    {
        addPlaces(50);
        Run run;
        const Definition def = placeList();
        const DataSets sets = run.sets();
        Layouter layouter(def, sets, run.measurer);
        QVERIFY(layouter.layoutNextPage());
        QCOMPARE(layouter.report().pageCount(), 1);
        QVERIFY(!layouter.isFinished());
        QVERIFY(run.places.controlsDisabled());  // the walk goes on
        QCOMPARE(run.places.recNo(), 20);
        layouter.layoutAll();
        QVERIFY(layouter.isFinished());
        QVERIFY(!run.places.controlsDisabled());
        QCOMPARE(layouter.report().pageCount(), 3);
        QVERIFY(!layouter.layoutNextPage());
    }

    void stretchingMemoGrowsItsBand()
    {
        // 40 words of 9 characters: at 9 pt a character is 1.5875 mm, so a
        // line of 60 mm holds 37 characters, three words: 14 lines.
        const QString memo = QStringList(40, QStringLiteral("abcdefghi")).join(QLatin1Char(' '));
        addPlaces(1, memo);
        sql(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (2, 'Hely 002')"));
        Run run;
        Definition def = placeList();
        Element &m = def.band(BandKind::Detail)->add(dataField(QStringLiteral("Tbl"), QStringLiteral("megjegyzes")).at(21.2, 6.6, 60, 4.3));
        m.font = font(QStringLiteral("Times New Roman"), 9);
        m.autoStretch = true;
        m.name = QStringLiteral("memo");
        const PreparedReport r = run.layout(def);
        const Primitive *text = findText(r, 0, memo);
        QVERIFY(text);
        QVERIFY(text->wraps());
        QCOMPARE(run.measurer.lineCount(memo, m.font, 60), 14);
        const double stretched = 14 * run.measurer.lineHeight(m.font);
        QVERIFY(qAbs(text->h - stretched) < 1e-3);
        // The second place's band starts below the grown one, which keeps
        // the 1 mm below the memo; its null memo prints nothing, so its band
        // keeps its height.
        const Primitive *second = findText(r, 0, QStringLiteral("Hely 002"));
        QVERIFY(second);
        QVERIFY(qAbs(second->y - (10 + 30.1 + 6.6 + stretched + 1.0 + 1.3)) < 1e-3);
        QCOMPARE(textsStartingWith(r, 0, QStringLiteral("abc")).size(), 1);
        int frameLines = 0;
        for (const Primitive &p : r.pages[0].primitives)
            if (p.kind == Primitive::Line && qAbs(p.y - (second->y - 1.3 + 11.9)) < 1e-3)
                ++frameLines;
        QCOMPARE(frameLines, 1);
    }

    void labelsFlowDownColumnsThenToANewPage()
    {
        // A sheet of three columns, margins 5, labels 37 mm high: 287 mm
        // hold seven labels in a column, 21 on a sheet.
        addPlaces(23);
        Run run;
        Definition def;
        def.title = QStringLiteral("Címke nyomtatás");
        def.master = QStringLiteral("Tbl");
        def.margins = {5, 5, 5, 5};
        def.columns = 3;
        Band &label = def.addBand(BandKind::Detail, 37);
        const double width = (210 - 2 * 5) / 3.0 - 4;
        label.add(dataField(QStringLiteral("Tbl"), QStringLiteral("ugyfel_nev")).at(2.6, 1.3, width, 16.2));
        const PreparedReport r = run.layout(def);
        QCOMPARE(r.pageCount(), 2);
        const auto first = textsStartingWith(r, 0, QStringLiteral("Hely"));
        QCOMPARE(first.size(), 21);
        for (int i = 0; i < 21; ++i) {
            const int column = i / 7, row = i % 7;
            QCOMPARE(r.text(*first[i]), QStringLiteral("Hely %1").arg(i + 1, 3, 10, QLatin1Char('0')));
            QVERIFY(qAbs(first[i]->x - (5 + column * 200 / 3.0 + 2.6)) < 1e-3);
            QVERIFY(qAbs(first[i]->y - (5 + row * 37 + 1.3)) < 1e-3);
            QVERIFY(qAbs(first[i]->w - width) < 1e-3);
        }
        const auto second = textsStartingWith(r, 1, QStringLiteral("Hely"));
        QCOMPARE(second.size(), 2);
        QVERIFY(qAbs(second[0]->x - 7.6) < 1e-3);
        QVERIFY(qAbs(second[0]->y - 6.3) < 1e-3);
    }

    void columnSpacingShiftsColumns()
    {
        Definition def;
        def.columns = 2;
        def.columnSpacing = 10;
        QCOMPARE(def.columnWidth(), 90.0);
        QCOMPARE(def.columnLeft(1), 110.0);
        def.columns = 0;  // treated as one column
        QCOMPARE(def.columnWidth(), 190.0);
    }

    void groupHeaderOnEveryChange()
    {
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (1, 1, 'Alfa'), (2, 2, 'Béta')"));
        sql(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, datum, rovid) VALUES (1, '2026-01-05', 'a1'), "
                           "(1, '2026-01-06', 'a2'), (2, '2026-01-07', 'b1')"));
        data::Query q(db());
        q.setSql(QStringLiteral("SELECT ugyf_megj.*, ugyfel.ugyfel_nev FROM ugyf_megj "
                                "LEFT OUTER JOIN ugyfel ON ugyfel.ugyfel = ugyf_megj.ugyfel ORDER BY ugyf_megj.ugyfel, datum"));
        q.open();
        Definition def;
        def.master = QStringLiteral("Qry");
        Band &group = def.addBand(BandKind::GroupHeader, 11.9);
        group.groupExpression = QStringLiteral("Qry.ugyfel");
        group.add(dataField(QStringLiteral("Qry"), QStringLiteral("ugyfel_nev")).at(0, 1.3, 91.6, 4.3));
        def.addBand(BandKind::Detail, 11.9).add(dataField(QStringLiteral("Qry"), QStringLiteral("rovid")).at(30.4, 1.3, 157.8, 4.3));
        FixedMeasurer m;
        const PreparedReport r = layoutReport(def, DataSets{{QStringLiteral("Qry"), &q}}, m);
        QCOMPARE(r.pageTexts(0), QStringList({QStringLiteral("Alfa"), QStringLiteral("a1"), QStringLiteral("a2"),
                                              QStringLiteral("Béta"), QStringLiteral("b1")}));
        QVERIFY(qAbs(findText(r, 0, QStringLiteral("Béta"))->y - (10 + 3 * 11.9 + 1.3)) < 1e-3);
    }

    void sumsAndNumberFormats()
    {
        sql(QStringLiteral("INSERT INTO foglalas (foglalaz, ugyfel, ossz_dij, ossz_jut, jutalek) VALUES "
                           "(1, 1, 40000, 4000, 10), (2, 1, 33333, 3333.3, 10)"));
        data::Table bookings(db(), QStringLiteral("foglalas"));
        bookings.open();
        Definition def;
        def.master = QStringLiteral("Qry");
        Band &detail = def.addBand(BandKind::Detail, 11.9);
        detail.add(dataField(QStringLiteral("Qry"), QStringLiteral("foglalaz")).at(0, 1.3, 10.9, 4.3));
        detail.add(expression(QStringLiteral("FORMATNUMERIC('### ### ##0', SUM(Qry.ossz_dij))")).at(50, 1.3, 20, 4.3));
        Band &summary = def.addBand(BandKind::Summary, 9.3);
        summary.add(expression(QStringLiteral("FORMATNUMERIC('### ### ##0',SUM(Qry.ossz_dij))")).at(152.1, 2.6, 19.2, 4.3).aligned(Align::Right));
        summary.add(expression(QStringLiteral("FORMATNUMERIC('### ### ##0',SUM(Qry.ossz_jut))")).at(172.0, 2.6, 17.9, 4.3));
        summary.add(expression(QStringLiteral("FORMATNUMERIC('##0.00%', Qry.jutalek)")).at(0, 2.6, 17.9, 4.3));
        FixedMeasurer m;
        const PreparedReport r = layoutReport(def, DataSets{{QStringLiteral("qry"), &bookings}}, m);
        // The running sum counts the rows printed so far, this one included.
        QCOMPARE(r.pageTexts(0), QStringList({QStringLiteral("00001"), QStringLiteral("40 000"), QStringLiteral("00002"),
                                              QStringLiteral("73 333"), QStringLiteral("73 333"), QStringLiteral("7 333"),
                                              QStringLiteral("10,00%")}));
        QCOMPARE(findText(r, 0, QStringLiteral("7 333"))->y, float(10 + 2 * 11.9 + 2.6));
        QCOMPARE(findText(r, 0, QStringLiteral("73 333"))->align, Align::Left);  // the detail's running sum
    }

    void malformedDefinitionsAreRefused_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expr");
        QTest::addColumn<QString>("message");
        QTest::newRow("unbound set") << "Qry" << "ugyfel_nev" << "" << "\"Qry\"";
        QTest::newRow("unknown field") << "Tbl" << "nincsilyen" << "" << "nincsilyen";
        QTest::newRow("bad expression") << "" << "" << "SUM(Tbl.ossz_dij" << "SUM(Tbl.ossz_dij";
        QTest::newRow("unknown function") << "" << "" << "AVG(Tbl.ossz_dij)" << "AVG";
        QTest::newRow("sum of a text") << "" << "" << "SUM('x')" << "SUM('x')";
    }

    void malformedDefinitionsAreRefused()
    {
        QFETCH(QString, set);
        QFETCH(QString, field);
        QFETCH(QString, expr);
        QFETCH(QString, message);
        Run run;
        Definition def = placeList();
        Band &detail = *def.band(BandKind::Detail);
        if (expr.isEmpty())
            detail.add(dataField(set, field));
        else
            detail.add(expression(expr));
        try {
            run.layout(def);
            QFAIL("laid out");
        } catch (const data::DbError &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
    }

    void closedMasterIsRefused()
    {
        Run run;
        run.places.close();
        try {
            run.layout(placeList());
            QFAIL("laid out");
        } catch (const data::DbError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("nincsenek megnyitva")), qPrintable(e.message()));
        }
    }

    void agencyTownLine_data()
    {
        QTest::addColumn<QVariant>("irsz");
        QTest::addColumn<QVariant>("varos");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << QVariant("8900") << QVariant("Zalaegerszeg") << "8900, Zalaegerszeg";
        QTest::newRow("neither") << QVariant() << QVariant() << ", ";
        QTest::newRow("no town") << QVariant("8900") << QVariant() << "8900, ";
        QTest::newRow("no code") << QVariant() << QVariant("Győr") << ", Győr";
        QTest::newRow("cut to 50") << QVariant("1234") << QVariant(QString(25, QLatin1Char('x')))
                                   << "1234, " + QString(25, QLatin1Char('x'));
    }

    void agencyTownLine()
    {
        QFETCH(QVariant, irsz);
        QFETCH(QVariant, varos);
        QFETCH(QString, expected);
        sql(QStringLiteral("DELETE FROM tulajdonos"));
        sql(QStringLiteral("INSERT INTO tulajdonos (tulajdonos, irsz, varos, cim, telefon) VALUES ('Zeta', ?, ?, 'Fő u. 1.', '555')"),
            {irsz, varos});
        sql(QStringLiteral("INSERT INTO tulajdonos (tulajdonos, irsz, varos) VALUES ('Ábel Iroda', '1111', 'Budapest')"));
        AgencyDetails agency(db());
        agency.open();
        QVERIFY(agency.isReadOnly());
        QCOMPARE(agency.asString(QStringLiteral("tulajdonos")), QStringLiteral("Ábel Iroda"));  // first by name
        agency.next();
        QCOMPARE(agency.asString(QStringLiteral("irszvaros")), expected);
        QCOMPARE(agency.field(agency.fieldIndex(QStringLiteral("irszvaros"))).def.size, 50);
    }

    void standardHeaderAndFooterPlaces()
    {
        sql(QStringLiteral("UPDATE tulajdonos SET tulajdonos = 'Balaton Iroda', irsz = '8230', varos = 'Balatonfüred', "
                           "cim = 'Fő u. 1.', telefon = '87/555-555'"));
        Run run;
        Definition def = placeList();
        def.title = QStringLiteral("Riport címe");
        Layouter layouter(def, run.sets(), run.measurer);
        layouter.setNow(QDateTime(QDate(2026, 3, 1), QTime(9, 5, 7)));
        layouter.layoutAll();
        const PreparedReport &r = layouter.report();
        const double right = 200;
        struct Expect {
            QString text;
            double y;
            Align align;
        };
        const QVector<Expect> expects = {
            {QStringLiteral("Balaton Iroda"), 10 + 1.3, Align::Right},
            {QStringLiteral("8230, Balatonfüred"), 10 + 6.6, Align::Right},
            {QStringLiteral("Fő u. 1."), 10 + 10.6, Align::Right},
            {QStringLiteral("87/555-555"), 10 + 14.6, Align::Right},
            {QStringLiteral("Szálláshelyek listája"), 10 + 1.3, Align::Left},
            {QStringLiteral("névsorban"), 10 + 9.3, Align::Left},
            {QStringLiteral("Nyugvár"), kFooterTop + 1.3, Align::Left},
            {QStringLiteral("oldal: 1"), kFooterTop + 9.3, Align::Left},
            {QStringLiteral("www.tervoda.hu"), kFooterTop + 9.3, Align::Center},
            {QStringLiteral("2026.03.01. 09:05:07"), kFooterTop + 1.3, Align::Right},
            {QStringLiteral("Riport címe"), kFooterTop + 5.3, Align::Right},
            {QStringLiteral("qrUgyfel"), kFooterTop + 9.3, Align::Right},
        };
        for (const Expect &e : expects) {
            const Primitive *p = findText(r, 0, e.text);
            QVERIFY2(p, qPrintable(e.text));
            QVERIFY2(qAbs(p->y - e.y) < 1e-3, qPrintable(e.text));
            const Font &f = r.font(*p);
            const double width = run.measurer.textWidth(e.text, f);
            QVERIFY2(p->w >= width && p->w < width + 1, qPrintable(e.text));
            QVERIFY2(!p->clips(), qPrintable(e.text));
            switch (e.align) {
            case Align::Left: QCOMPARE(p->x, 10.0f); break;
            case Align::Right: QVERIFY2(qAbs(p->x + p->w - right) < 1e-3, qPrintable(e.text)); break;
            case Align::Center: QVERIFY(qAbs(p->x + p->w / 2 - 105) < 1e-3); break;
            }
        }
        QCOMPARE(r.font(*findText(r, 0, QStringLiteral("Szálláshelyek listája"))), font(QStringLiteral("Tahoma"), 16, Bold));
        QCOMPARE(r.font(*findText(r, 0, QStringLiteral("qrUgyfel"))), font(QStringLiteral("Courier New"), 8));
        QVERIFY(!findText(r, 0, QStringLiteral("Szálláshelyek listája"))->opaque());
        QVERIFY(findText(r, 0, QStringLiteral("Balaton Iroda"))->opaque());
        // The silver rules: under the header (width 2) and over the footer.
        int rules = 0;
        for (const Primitive &p : r.pages[0].primitives) {
            if (p.kind != Primitive::Line || p.color != kSilver)
                continue;
            if (qAbs(p.y - 40.1) < 1e-3 && qAbs(p.penWidth - 2 * kPenUnitMm) < 1e-4 && p.w == 190.0f)
                ++rules;
            if (qAbs(p.y - kFooterTop) < 1e-3 && p.w == 190.0f)
                ++rules;
        }
        QCOMPARE(rules, 2);
        // The shape filled white lies under the agency block.
        QVERIFY(std::any_of(r.pages[0].primitives.cbegin(), r.pages[0].primitives.cend(), [](const Primitive &p) {
            return p.kind == Primitive::Fill && p.color == 0xFFFFFF && qAbs(p.x - 141) < 1e-3 && qAbs(p.w - 58.5) < 1e-3;
        }));
    }

    void emptyAgencyTablePrintsAnEmptyBlock()
    {
        sql(QStringLiteral("DELETE FROM tulajdonos"));
        Run run;
        const PreparedReport r = run.layout(placeList());
        QCOMPARE(r.pageCount(), 1);
        QVERIFY(findText(r, 0, QStringLiteral("névsorban")));
        QVERIFY(!findText(r, 0, QStringLiteral(", ")));
    }

    void labelCaptionReplacedBeforeTheRun()
    {
        Run run;
        Definition def = placeList();
        def.band(BandKind::PageHeader)->add(label(QStringLiteral("Dat1")).at(0, 14.6, 0, 4.3).named(QStringLiteral("Dat1")));
        QVERIFY(def.element(QStringLiteral("dat1")));
        QVERIFY(!def.element(QStringLiteral("Dat2")));
        def.element(QStringLiteral("Dat1"))->text = QStringLiteral("2024.03.01 - 2024.03.31");
        const PreparedReport r = run.layout(def);
        QVERIFY(findText(r, 0, QStringLiteral("2024.03.01 - 2024.03.31")));
        QVERIFY(!findText(r, 0, QStringLiteral("Dat1")));
    }

    void savedPagesLoadBack()
    {
        addPlaces(30);
        Run run;
        const PreparedReport r = run.layout(placeList());
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        r.save(buffer);
        buffer.seek(0);
        const PreparedReport back = PreparedReport::load(buffer);
        QCOMPARE(back.title, r.title);
        QCOMPARE(back.paper, r.paper);
        QCOMPARE(back.pageCount(), r.pageCount());
        for (int p = 0; p < r.pageCount(); ++p) {
            QCOMPARE(back.pageTexts(p), r.pageTexts(p));
            QCOMPARE(back.pages[p].primitives.size(), r.pages[p].primitives.size());
            for (int i = 0; i < r.pages[p].primitives.size(); ++i) {
                const Primitive &a = r.pages[p].primitives[i], &b = back.pages[p].primitives[i];
                QVERIFY(a.kind == b.kind && a.rect() == b.rect() && a.color == b.color && a.penWidth == b.penWidth
                        && a.flags == b.flags && a.align == b.align);
                if (a.kind == Primitive::Text)
                    QCOMPARE(back.font(b), r.font(a));
            }
        }
    }

    void foreignOrDamagedFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("<html>nem az</html>");
        QTest::newRow("empty") << QByteArray();
        QByteArray good;
        {
            PreparedReport r;
            r.pages.append(Page());
            Primitive p;
            p.text = r.internText(QStringLiteral("x"));
            p.font = r.internFont(Font());
            r.pages[0].primitives.append(p);
            QBuffer b(&good);
            b.open(QIODevice::WriteOnly);
            r.save(b);
        }
        QTest::newRow("cut short") << good.left(good.size() - 3);
        QByteArray otherVersion = good;
        otherVersion[7] = 9;
        QTest::newRow("other version") << otherVersion;
    }

    void foreignOrDamagedFileIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        try {
            PreparedReport::load(buffer);
            QFAIL("loaded");
        } catch (const data::DbError &e) {
            QVERIFY(e.message().contains(QStringLiteral("nyomtatási kép")));
        }
    }

    void textsAreKeptOnceEach_data()
    {
        QTest::addColumn<int>("distinct");
        QTest::newRow("past the first growth") << 100;
        QTest::newRow("a long list") << 20000;
    }

    void textsAreKeptOnceEach()
    {
        QFETCH(int, distinct);
        PreparedReport r;
        QVector<quint32> first;
        for (int i = 0; i < distinct; ++i)
            first << r.internText(QString::number(i * 7919));
        r.squeeze();  // a text added afterwards still finds its twin
        for (int i = 0; i < distinct; ++i)
            QVERIFY(r.internText(QString::number(i * 7919)) == first[i] && r.text(first[i]) == QString::number(i * 7919));
    }

    void htmlHoldsThePagesInReadingOrder()
    {
        sql(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, cim_varos) VALUES (1, 'Kis & <Nagy>', 'Őrség'), "
                           "(2, 'Űrlap', 'Pécs'), (3, 'Zárt', NULL)"));
        Run run;
        const PreparedReport r = run.layout(placeList());
        const QString html = toHtml(r);
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(html.contains(QStringLiteral("<title>Szálláshelyek listája</title>")));
        // One line of the page per table row, lines top to bottom; each
        // value in its column, a town left empty an empty cell.
        const auto cells = [&html](const QString &text) {  // of its row, one per column
            static const QRegularExpression cell(QStringLiteral("<td(?: colspan=\"(\\d+)\")?[^>]*>(.*?)</td>"));
            const QString tr = html.mid(html.lastIndexOf(QStringLiteral("<tr>"), html.indexOf(text))).section(QStringLiteral("</tr>"), 0, 0);
            QStringList out;
            for (auto it = cell.globalMatch(tr); it.hasNext();) {
                const auto m = it.next();
                out << m.captured(2);
                for (int i = 1; i < m.captured(1).toInt(); ++i)
                    out << QString();
            }
            return out;
        };
        const QStringList first = cells(QStringLiteral("Őrség"));
        QCOMPARE(cells(QStringLiteral("Pécs")).indexOf(QStringLiteral("Pécs")), first.indexOf(QStringLiteral("Őrség")));
        QCOMPARE(cells(QStringLiteral("Zárt")).value(first.indexOf(QStringLiteral("Őrség")), QStringLiteral("-")), QString());
        QCOMPARE(cells(QStringLiteral("Zárt")).size(), first.size());
        const int second = int(html.indexOf(QStringLiteral("Űrlap")));
        QVERIFY(second > html.indexOf(QStringLiteral("Kis &amp; &lt;Nagy&gt;")));
        QVERIFY(html.indexOf(QStringLiteral("oldal: 1")) > second);
        QCOMPARE(html.count(QStringLiteral("<div class=\"page\"")), 1);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("lista.htm"));
        writeHtml(r, file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), html);
        try {
            writeHtml(r, dir.filePath(QStringLiteral("nincs/ilyen/mappa.htm")));
            QFAIL("written");
        } catch (const data::DbError &e) {
            QVERIFY(e.message().contains(QStringLiteral("mappa.htm")));
        }
    }
};

QTEST_GUILESS_MAIN(TestRiportMotor)
#include "tst_riportmotor.moc"
