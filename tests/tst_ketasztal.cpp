// Two desks on one server database: a row the other desk changed is never
// written over, and a desk shows what the other desk committed, keeping its
// current row. Bookings of one place at once are the two copies of the
// booking suite's rows, run on the server as well.

#include "asztal.h"
#include "data/rowconflict.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

using data::Database;
using namespace testsupport;

namespace {

Database &db()
{
    return Database::regiszter();
}

// Desk A's place list in number order, on place 30 of places 10 to 50.
struct HelyLista {
    data::Table t{db(), QStringLiteral("ugyfel")};
    HelyLista()
    {
        db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, ossz_dij) VALUES "
                                 "(10, 'Alma', 0), (20, 'Bükk', 0), (30, 'Cser', 0), (40, 'Dió', 0), (50, 'Éger', 0)"));
        t.setIndexFieldNames(QStringLiteral("sorszam"));
        t.open();
        t.locate(QStringLiteral("sorszam"), 30);
    }
};

// Desk B's statement, committed as one unit.
void bIr(Asztal &b, const QString &statement)
{
    Database::Transaction unit(b.d);
    b.d.exec(statement);
    unit.commit();
}

}  // namespace

class TstKetAsztal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        useHungarianLocale();
        if (!onServer())
            QSKIP("two desks share a server only");
        SKIP_WITHOUT_SERVER();
    }
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void masikAsztalSora_data();
    void masikAsztalSora();
    void masikAsztalMentese_data();
    void masikAsztalMentese();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstKetAsztal::masikAsztalSora_data()
{
    QTest::addColumn<QString>("b");      // what desk B commits while A edits place 30
    QTest::addColumn<int>("utkozes");    // A's save: 0 stands, 1 refused, 2 refused as the row is gone
    QTest::addColumn<double>("dijak");   // the places' totals at the end
    QTest::newRow("the same field changed") << "UPDATE ugyfel SET ugyfel_nev = 'B' WHERE sorszam = 30" << 1 << 0.0;
    QTest::newRow("another field changed") << "UPDATE ugyfel SET jutalek = 15 WHERE sorszam = 30" << 1 << 0.0;
    QTest::newRow("the row deleted") << "DELETE FROM ugyfel WHERE sorszam = 30" << 2 << 0.0;
    QTest::newRow("a booking moved the totals")
        << "UPDATE ugyfel SET ossz_dij = ossz_dij + 500 WHERE sorszam = 30" << 0 << 500.0;
    QTest::newRow("another row changed") << "UPDATE ugyfel SET ugyfel_nev = 'B' WHERE sorszam = 40" << 0 << 0.0;
}

void TstKetAsztal::masikAsztalSora()
{
    QFETCH(QString, b);
    QFETCH(int, utkozes);
    QFETCH(double, dijak);
    HelyLista a;
    Asztal masik;
    a.t.edit();
    a.t.setValue(QStringLiteral("ugyfel_nev"), QStringLiteral("A"));
    bIr(masik, b);
    const auto tarolt = [&] { return m_reg->committed(QStringLiteral("SELECT count(*) FROM ugyfel WHERE ugyfel_nev = 'A'")).toInt(); };
    try {
        a.t.post();
        QCOMPARE(utkozes, 0);
    } catch (const data::RowConflict &e) {
        QVERIFY2(utkozes > 0, qPrintable(e.message()));
        QCOMPARE(e.gone(), utkozes == 2);
        // B's row stands, and A's typing waits to be saved again.
        QCOMPARE(tarolt(), 0);
        QVERIFY(a.t.isEditing());
        QCOMPARE(a.t.value(QStringLiteral("ugyfel_nev")).toString(), QStringLiteral("A"));
        a.t.post();
    }
    QCOMPARE(tarolt(), 1);
    // B's running total survives A's save.
    QCOMPARE(m_reg->committed(QStringLiteral("SELECT sum(ossz_dij) FROM ugyfel")).toDouble(), dijak);
}

void TstKetAsztal::masikAsztalMentese_data()
{
    QTest::addColumn<QString>("b");  // what desk B commits while A shows place 30
    QTest::newRow("a new place") << "INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (25, 'Új')";
    QTest::newRow("another place renamed") << "UPDATE ugyfel SET ugyfel_nev = 'Fenyő' WHERE sorszam = 50";
    QTest::newRow("a place ahead deleted") << "DELETE FROM ugyfel WHERE sorszam = 10";
}

void TstKetAsztal::masikAsztalMentese()
{
    QFETCH(QString, b);
    HelyLista a;
    Asztal masik;
    QSignalSpy hallott(&db(), &Database::changedElsewhere);
    bIr(masik, b);
    QVERIFY(hallott.wait(1000));
    QVERIFY(hallott.first().first().toStringList().contains(QStringLiteral("ugyfel")));
    // A shows B's rows without reading again itself, still on place 30.
    QCOMPARE(a.t.value(QStringLiteral("sorszam")).toInt(), 30);
    masik.helyek.setIndexFieldNames(QStringLiteral("sorszam"));
    masik.helyek.refresh();
    QCOMPARE(column(a.t, QStringLiteral("ugyfel_nev")), column(masik.helyek, QStringLiteral("ugyfel_nev")));
}

QTEST_GUILESS_MAIN(TstKetAsztal)
#include "tst_ketasztal.moc"
