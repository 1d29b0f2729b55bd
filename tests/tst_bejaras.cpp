// Walks over many rows: pages of tables and query results read forward,
// backward and at random past one page and past the row cache, controls
// disabled during a walk, plain number text, and rows that cannot be read
// because the file is damaged.

#include "common/binding.h"
#include "common/gridmodel.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "testsupport.h"

#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using data::Database;
using data::DataSet;
using data::DbError;
using data::Query;
using data::Table;

namespace {

constexpr int kRows = 10000;

void sql(const QString &statement)
{
    Query q(Database::regiszter());
    q.setSql(statement);
    q.exec();
}

// Bookings numbered 1..n, each on place (n mod 7) + 1.
void addBookings(int n)
{
    sql(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < %1) "
                       "INSERT INTO foglalas (foglalaz, ugyfel, ossz_dij) SELECT i, i % 7 + 1, i * 10.5 FROM k")
            .arg(n));
}

// A data set on the bookings: a table ordered by number or a query; with
// the filter "ugyfel=3" or not.
std::unique_ptr<DataSet> bookings(bool query, bool filtered)
{
    std::unique_ptr<DataSet> ds;
    if (query) {
        auto q = std::make_unique<Query>(Database::regiszter());
        q->setSql(QStringLiteral("SELECT * FROM foglalas ORDER BY foglalaz;"));
        ds = std::move(q);
    } else {
        auto t = std::make_unique<Table>(Database::regiszter(), QStringLiteral("foglalas"));
        t->setIndexFieldNames(QStringLiteral("foglalaz"));
        ds = std::move(t);
    }
    if (filtered) {
        ds->setFilter(QStringLiteral("ugyfel=3"));
        ds->setFiltered(true);
    }
    ds->open();
    return ds;
}

// The booking number the visible row must show.
int expectedNumber(int row, bool filtered)
{
    return filtered ? 2 + 7 * row : row + 1;  // ugyfel=3: 2, 9, 16, ...
}

// A second program changing every booking's fee behind the data set.
void negateFeesElsewhere(const QString &dbFile)
{
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("masik"));
        other.setDatabaseName(dbFile);
        QVERIFY(other.open());
        QVERIFY(QSqlQuery(other).exec(QStringLiteral("UPDATE foglalas SET ossz_dij = -ossz_dij")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("masik"));
}

// 2,000 places, then the leaf page holding the last of them overwritten
// with junk, as a disk fault leaves it.
void damageLastPlacePage(const testsupport::OpenRegister &reg)
{
    Database &db = Database::regiszter();
    sql(QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 2000) "
                       "INSERT INTO ugyfel (sorszam, ugyfel_nev, megjegyzes) "
                       "SELECT i, 'Hely ' || i, printf('%.200c', 'x') FROM k"));
    int pageSize = 0, root = 0;
    {
        QSqlQuery q(db.connection());
        QVERIFY(q.exec(QStringLiteral("PRAGMA page_size")) && q.next());
        pageSize = q.value(0).toInt();
        QVERIFY(q.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'ugyfel'")) && q.next());
        root = q.value(0).toInt();
    }
    db.close();

    // The root of a table this size is an interior page; its right-most
    // child, a leaf with the last rows, is overwritten.
    QFile file(reg.folder().dbFile());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(qint64(root - 1) * pageSize));
    const QByteArray rootPage = file.read(pageSize);
    QCOMPARE(quint8(rootPage[0]), quint8(0x05));
    const int leaf = (quint8(rootPage[8]) << 24) | (quint8(rootPage[9]) << 16) | (quint8(rootPage[10]) << 8) |
                     quint8(rootPage[11]);
    QVERIFY(file.seek(qint64(leaf - 1) * pageSize));
    file.write(QByteArray(pageSize, '\xA5'));
    file.close();
    db.open();
}

}  // namespace

class TestBejaras : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); }

    void pagesReadForwardBackwardAndAtRandom_data();
    void pagesReadForwardBackwardAndAtRandom();
    void pagesAreCentredOnTheRowAskedFor_data();
    void pagesAreCentredOnTheRowAskedFor();
    void disabledControlsHearOnceAtTheEnd();
    void repeatedNamesSortAsAnyText();
    void queryWalkLooksBackAndKeepsItsRows();
    void queryResultsOfEveryShape();
    void plainNumberText_data();
    void plainNumberText();
    void fieldNamesFoundInAnyCase();
    void damagedPageRaisesTheEngineError_data();
    void damagedPageRaisesTheEngineError();
    void damagedRowInAGridIsToldOnce();
};

void TestBejaras::pagesReadForwardBackwardAndAtRandom_data()
{
    QTest::addColumn<bool>("query");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<bool>("walk");  // controls disabled: a query reads on
    QTest::newRow("table") << false << false << false;
    QTest::newRow("table, filtered") << false << true << false;
    QTest::newRow("query") << true << false << false;
    QTest::newRow("query, filtered") << true << true << false;
    QTest::newRow("query walk") << true << false << true;
    QTest::newRow("query walk, filtered") << true << true << true;
}

void TestBejaras::pagesReadForwardBackwardAndAtRandom()
{
    QFETCH(bool, query);
    QFETCH(bool, filtered);
    QFETCH(bool, walk);
    testsupport::OpenRegister reg;
    addBookings(kRows);
    auto ds = bookings(query, filtered);
    const int n = filtered ? (kRows + 4) / 7 : kRows;
    QCOMPARE(ds->recordCount(), n);
    std::unique_ptr<data::ControlsDisabled> quiet;
    if (walk)
        quiet = std::make_unique<data::ControlsDisabled>(*ds);

    int row = 0;
    for (ds->first(); !ds->eof(); ds->next(), ++row)
        QCOMPARE(ds->asInteger(QStringLiteral("foglalaz")), expectedNumber(row, filtered));
    QCOMPARE(row, n);
    for (ds->last(); !ds->bof(); ds->prior())
        QCOMPARE(ds->asInteger(QStringLiteral("foglalaz")), expectedNumber(--row, filtered));
    QCOMPARE(row, 0);
    QRandomGenerator rng(42);
    for (int i = 0; i < 200; ++i) {
        const int r = rng.bounded(n);
        ds->setCurrentRow(r);
        QCOMPARE(ds->asFloat(QStringLiteral("ossz_dij")), expectedNumber(r, filtered) * 10.5);
    }
    QCOMPARE(ds->recordCount(), n);
}

void TestBejaras::pagesAreCentredOnTheRowAskedFor_data()
{
    QTest::addColumn<bool>("query");
    QTest::newRow("table") << false;
    QTest::newRow("query") << true;
}

void TestBejaras::pagesAreCentredOnTheRowAskedFor()
{
    QFETCH(bool, query);
    testsupport::OpenRegister reg;
    addBookings(kRows);
    auto ds = bookings(query, false);
    ds->setCurrentRow(5000);
    QCOMPARE(ds->asFloat(QStringLiteral("ossz_dij")), 5001 * 10.5);
    negateFeesElsewhere(reg.folder().dbFile());
    // The rows on both sides came with the page; a far row is read anew.
    for (int r : {4950, 5050}) {
        ds->setCurrentRow(r);
        QCOMPARE(ds->asFloat(QStringLiteral("ossz_dij")), (r + 1) * 10.5);
    }
    ds->setCurrentRow(8000);
    QCOMPARE(ds->asFloat(QStringLiteral("ossz_dij")), -8001 * 10.5);
}

void TestBejaras::disabledControlsHearOnceAtTheEnd()
{
    testsupport::OpenRegister reg;
    addBookings(500);
    auto ds = bookings(true, false);
    data::DataSetModel model(ds.get());
    model.useAllFields();
    QLineEdit edit;
    data::Binder binder(ds.get());
    binder.bindEdit(&edit, QStringLiteral("foglalaz"));
    QCOMPARE(edit.text(), QStringLiteral("1"));
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy moves(ds.get(), &DataSet::currentChanged);
    {
        data::ControlsDisabled outer(*ds);
        {
            data::ControlsDisabled inner(*ds);
            for (ds->first(); !ds->eof(); ds->next())
                ds->refresh();  // a reset as well as a move, every row
        }
        QCOMPARE(resets.count(), 0);
        QCOMPARE(moves.count(), 0);
        QCOMPARE(edit.text(), QStringLiteral("1"));
    }
    QCOMPARE(resets.count(), 1);
    QCOMPARE(edit.text(), QStringLiteral("500"));
    ds->prior();
    QCOMPARE(edit.text(), QStringLiteral("499"));  // the controls follow again
    QCOMPARE(moves.count(), 1);
}

void TestBejaras::repeatedNamesSortAsAnyText()
{
    testsupport::OpenRegister reg;
    // The indexed name takes the sort by runs of equal names; the same
    // names in the town (no index) take the sort row by row.
    const QStringList names{"alma", "Öröm", "Alma", "", "Csaba", "alma", "Cukor", "Ábel", "Csaba", "abel",
                            "Alma", "öröm", "", "Zsófi", "zsófi", "Ábel"};
    for (int i = 0; i < names.size(); ++i)
        sql(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, cim_varos) VALUES (%1, %2, %2)")
                .arg(i + 1)
                .arg(names[i].isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + names[i] + QLatin1Char('\'')));
    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    auto order = [&](const QString &by) {
        t.setIndexFieldNames(by);
        QStringList rows;
        for (t.first(); !t.eof(); t.next())
            rows << t.asString(QStringLiteral("sorszam")) + QLatin1Char(' ') + t.asString(by);
        return rows;
    };
    t.open();
    const QStringList byName = order(QStringLiteral("ugyfel_nev"));
    QCOMPARE(byName.mid(0, 2), (QStringList{"4 ", "13 "}));
    QVERIFY(byName.indexOf(QStringLiteral("7 Cukor")) < byName.indexOf(QStringLiteral("5 Csaba")));
    QStringList byTown = order(QStringLiteral("cim_varos"));
    QCOMPARE(byName, byTown);
    t.setFilter(QStringLiteral("sorszam>3"));
    t.setFiltered(true);  // a sort again, with the keys kept
    byTown = order(QStringLiteral("cim_varos"));
    QCOMPARE(order(QStringLiteral("ugyfel_nev")), byTown);
}

void TestBejaras::queryWalkLooksBackAndKeepsItsRows()
{
    testsupport::OpenRegister reg;
    addBookings(kRows);
    auto ds = bookings(true, false);
    data::ControlsDisabled walk(*ds);
    auto walkTo = [&](int recNo) {
        for (; !ds->eof() && ds->recNo() < recNo; ds->next())
            QCOMPARE(ds->asInteger(QStringLiteral("foglalaz")), ds->recNo());
    };
    ds->first();
    walkTo(3000);
    // A grid painting its top rows meanwhile does not disturb the walk.
    QCOMPARE(ds->valueAt(10, ds->fieldIndex(QStringLiteral("foglalaz"))).toInt(), 11);
    // Writes committed and rolled back on the connection while the walk's
    // statement is open (no data set re-reads): the walk reads on.
    QSqlDatabase connection = Database::regiszter().connection();
    for (bool commit : {true, false}) {
        QVERIFY(connection.transaction());
        QVERIFY(QSqlQuery(connection).exec(QStringLiteral("UPDATE foglalas SET nap = 1")));
        QVERIFY(commit ? connection.commit() : connection.rollback());
        walkTo(ds->recNo() + 3000);
    }
    walkTo(kRows + 1);
    QVERIFY(ds->eof());
    QCOMPARE(ds->recNo(), kRows);
}

void TestBejaras::queryResultsOfEveryShape()
{
    testsupport::OpenRegister reg;
    addBookings(20);
    // An expression column takes the type of its first value; a trailing
    // comment and ";" do not stop the paging.
    Query q(Database::regiszter());
    q.setSql(QStringLiteral("SELECT foglalaz, NULL AS semmi, ossz_dij / 2 AS fele FROM foglalas -- a felek\n;"));
    q.open();
    QCOMPARE(q.recordCount(), 20);
    QCOMPARE(q.field(q.fieldIndex(QStringLiteral("fele"))).def.type, schema::FieldType::Float);
    q.last();
    QCOMPARE(q.asString(QStringLiteral("fele")), QStringLiteral("105"));
    QVERIFY(q.isNull(QStringLiteral("semmi")));

    // A statement that cannot be paged is read as the engine gives it.
    Query pragma(Database::regiszter());
    pragma.setSql(QStringLiteral("PRAGMA table_info(foglalas)"));
    pragma.open();
    QVERIFY(pragma.recordCount() > 10);
    QVERIFY(pragma.locate(QStringLiteral("name"), QStringLiteral("ossz_dij")));

    // A refresh keeps the current row by its place in the result.
    Query filtered(Database::regiszter());
    filtered.setSql(QStringLiteral("SELECT * FROM foglalas ORDER BY foglalaz DESC"));
    filtered.setFilter(QStringLiteral("ugyfel=3"));
    filtered.setFiltered(true);
    filtered.open();
    QCOMPARE(filtered.recordCount(), 3);
    filtered.setCurrentRow(1);
    QCOMPARE(filtered.asInteger(QStringLiteral("foglalaz")), 9);
    filtered.refresh();
    QCOMPARE(filtered.asInteger(QStringLiteral("foglalaz")), 9);
}

void TestBejaras::plainNumberText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("amount") << "ossz_dij" << QVariant(150000.5) << "150000,5";
    QTest::newRow("whole amount") << "ossz_dij" << QVariant(1234567.0) << "1234567";
    QTest::newRow("15 digits") << "ossz_dij" << QVariant(123456789012.125) << "123456789012,125";
    QTest::newRow("negative") << "ossz_dij" << QVariant(-0.25) << "-0,25";
    QTest::newRow("integer") << "foglalaz" << QVariant(150000) << "150000";
}

void TestBejaras::plainNumberText()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    testsupport::OpenRegister reg;
    Table t(Database::regiszter(), QStringLiteral("foglalas"));
    t.open();
    t.insert();
    t.setValue(field, value);
    t.post();
    QCOMPARE(t.asString(field), text);
}

void TestBejaras::fieldNamesFoundInAnyCase()
{
    testsupport::OpenRegister reg;
    Table t(Database::regiszter(), QStringLiteral("foglalas"));
    schema::FieldDef calc;
    calc.name = QStringLiteral("Maradek");
    calc.type = schema::FieldType::Float;
    t.addCalculatedField(calc, [](const DataSet &, const data::Row &) { return 1.0; });
    t.open();
    QCOMPARE(t.fieldIndex(QStringLiteral("OSSZ_DIJ")), t.fieldIndex(QStringLiteral("ossz_dij")));
    QCOMPARE(t.fieldIndex(QStringLiteral("maradek")), t.fieldCount() - 1);
    QCOMPARE(t.fieldIndex(QStringLiteral("Fizmod_Nev")), t.fieldIndex(QStringLiteral("fizmod")) + 1);
    QCOMPARE(t.fieldIndex(QStringLiteral("ossz")), -1);
}

void TestBejaras::damagedPageRaisesTheEngineError_data()
{
    QTest::addColumn<int>("access");
    QTest::newRow("grid rows of the damaged page") << 0;
    QTest::newRow("quick search order") << 1;
    QTest::newRow("find on another field") << 2;
    QTest::newRow("query walk") << 3;
}

void TestBejaras::damagedPageRaisesTheEngineError()
{
    QFETCH(int, access);
    testsupport::OpenRegister reg;
    damageLastPlacePage(reg);
    if (QTest::currentTestFailed())
        return;
    Database &db = Database::regiszter();

    auto read = [&] {
        Table t(db, QStringLiteral("ugyfel"));
        t.setIndexFieldNames(QStringLiteral("sorszam"));
        switch (access) {
        case 0:  // the rowids come from the intact index, the rows not
            t.open();
            t.last();
            (void)t.asString(QStringLiteral("ugyfel_nev"));
            break;
        case 1:
            t.open();
            t.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
            // The names come from their intact index; the row found does not.
            if (t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Hely 1999"), data::PartialKey))
                (void)t.asString(QStringLiteral("megjegyzes"));
            break;
        case 2:
            t.open();
            (void)t.locate(QStringLiteral("megjegyzes"), QStringLiteral("y"));
            break;
        default: {
            Query q(db);
            q.setSql(QStringLiteral("SELECT * FROM ugyfel"));
            q.setFilter(QStringLiteral("sorszam>0"));
            q.setFiltered(true);
            q.open();
            data::ControlsDisabled walk(q);
            for (q.first(); !q.eof(); q.next())
                (void)q.asString(QStringLiteral("ugyfel_nev"));
        }
        }
    };
    try {
        read();
        QFAIL("rows of a damaged page were read as if they were data");
    } catch (const DbError &e) {
        QVERIFY(!e.message().isEmpty());
    }
}

void TestBejaras::damagedRowInAGridIsToldOnce()
{
    testsupport::OpenRegister reg;
    damageLastPlacePage(reg);
    if (QTest::currentTestFailed())
        return;
    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    data::DataSetModel model(&t);
    model.setColumns(QStringList{QStringLiteral("ugyfel_nev")});
    const QModelIndex last = model.index(model.rowCount() - 1, 0);
    QVERIFY_THROWS_EXCEPTION(DbError, model.data(last));
    // Repaints show the row as unreadable, never as empty, and raise no more.
    QCOMPARE(model.data(last).toString(), QStringLiteral("#olvashatatlan#"));
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Hely 1"));
}

QTEST_MAIN(TestBejaras)
#include "tst_bejaras.moc"
