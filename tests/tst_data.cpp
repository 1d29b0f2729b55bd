// The data-set layer: opening, ordering, finding, filtering, editing,
// lookups, queries and transactions, on a real delivered database.

#include "data/collation.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "testsupport.h"

#include <QCollator>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using data::Database;
using data::DbError;
using data::Query;
using data::Table;
using testsupport::column;

namespace {

void sql(const QString &statement)
{
    Query q(Database::regiszter());
    q.setSql(statement);
    q.exec();
}

// A place with the fields the tests look at.
void addPlace(int sorszam, const QString &name, int terulet = 1, const QString &aktiv = QStringLiteral("I"),
              int tipus = 0)
{
    Query q(Database::regiszter());
    q.setSql(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, terulet, aktiv, tipus) "
                            "VALUES (:s, :n, :t, :a, :tp)"));
    q.setParam(QStringLiteral("s"), sorszam);
    q.setParam(QStringLiteral("n"), name);
    q.setParam(QStringLiteral("t"), terulet);
    q.setParam(QStringLiteral("a"), aktiv);
    q.setParam(QStringLiteral("tp"), tipus);
    q.exec();
}

}  // namespace

class TestData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        testsupport::useHungarianLocale();
        SKIP_WITHOUT_SERVER();
    }

    void openRefusesWhatIsNotTheRegister();
    void openSetsSafeEngineSettings();
    void textIsCutAndNullsReadSafely();
    void hungarianOrderAndOrderChangeKeepsRow();
    void serverOrdersAsTheProgram_data();
    void serverOrdersAsTheProgram();
    void findsOnTheOrderField();
    void findsOnOtherFieldsAndBadValues();
    void filterCountsNavigatesAndFinds();
    void filterTextIsNeverSql();
    void lookupsFollowTheirKeys();
    void postCommitsAndFailedPostKeepsTheRow();
    void postedRowTakesItsPlaceInOrderAndFilter();
    void twoPostsAsOneUnit();
    void refreshSeesOtherProgramsAndKeepsRow();
    void queryNamesParamsAndExec();
    void calculatedFields();
    void batchMoveCountsAndSkips();
    void emptyTableAndDelete();
};

void TestData::openRefusesWhatIsNotTheRegister()
{
    SKIP_ON_SERVER("the checks of a data folder's file");
    QTemporaryDir dir;
    Database db(QStringLiteral("probe"));
    db.params() << QStringLiteral("PATH=") + dir.path();

    // No file: nothing is created.
    QVERIFY_THROWS_EXCEPTION(DbError, db.open());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("regiszter.db"))));

    // A file that is not a database.
    {
        QFile f(dir.filePath(QStringLiteral("regiszter.db")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    try {
        db.open();
        QFAIL("a text file opened as a database");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("regiszter.db")), qPrintable(e.message()));
    }
    QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("regiszter.db"))).size(), 4096);

    // A database with a table missing names the table and is not changed.
    testsupport::TempDataFolder folder;
    QVERIFY(folder.isValid());
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(folder.dbFile());
        QVERIFY(raw.open());
        QVERIFY(QSqlQuery(raw).exec(QStringLiteral("DROP TABLE naplo")));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    Database db2(QStringLiteral("probe2"));
    db2.params() << QStringLiteral("PATH=") + folder.path();
    try {
        db2.open();
        QFAIL("a database without naplo opened");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("naplo")), qPrintable(e.message()));
    }
    QVERIFY(!db2.isOpen());
}

void TestData::openSetsSafeEngineSettings()
{
    SKIP_ON_SERVER("the settings of the file's own engine");
    testsupport::OpenRegister reg;
    QSqlQuery q(Database::regiszter().connection());
    QVERIFY(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
    QCOMPARE(q.value(0).toString().toLower(), QStringLiteral("delete"));
    QVERIFY(q.exec(QStringLiteral("PRAGMA synchronous")) && q.next());
    QCOMPARE(q.value(0).toInt(), 2);  // FULL
    // Another program's lock is waited for by the register's own handler,
    // which tells the windows: tst_megbizhatosag pins it.
}

void TestData::textIsCutAndNullsReadSafely()
{
    testsupport::OpenRegister reg;
    Table users(Database::regiszter(), QStringLiteral("felhasznalo.DB"));
    users.setIndexFieldNames(QStringLiteral("felhasznalo"));
    users.open();
    users.insert();
    users.setValue(QStringLiteral("FELHASZNALO"), QStringLiteral("anna"));  // names ignore case
    users.setValue(QStringLiteral("jelszo"), QStringLiteral("123456789012"));
    QCOMPARE(users.asString(QStringLiteral("jelszo")), QStringLiteral("1234567890"));
    users.post();
    QVERIFY(users.locate(QStringLiteral("felhasznalo"), QStringLiteral("anna")));
    QCOMPARE(users.asString(QStringLiteral("jelszo")), QStringLiteral("1234567890"));
    QVERIFY(users.isNull(QStringLiteral("felhasznalo_nev")));
    QCOMPARE(users.asString(QStringLiteral("felhasznalo_nev")), QString());

    Table places(Database::regiszter(), QStringLiteral("ugyfel"));
    places.open();
    places.insert();
    places.setValue(QStringLiteral("ugyfel_nev"), QStringLiteral("Üres"));
    places.post();
    QCOMPARE(places.asInteger(QStringLiteral("letszam")), 0);
    QCOMPARE(places.asFloat(QStringLiteral("ossz_dij")), 0.0);
    QCOMPARE(places.displayText(QStringLiteral("ossz_dij")), QString());
    QVERIFY(places.asInteger(QStringLiteral("ugyfel")) > 0);  // the table assigned the key
    QVERIFY_THROWS_EXCEPTION(DbError, places.value(QStringLiteral("nincs_ilyen")));
}

void TestData::hungarianOrderAndOrderChangeKeepsRow()
{
    testsupport::OpenRegister reg;
    const QStringList names{QStringLiteral("Öröm"), QStringLiteral("Csaba"), QStringLiteral("Cecil"),
                            QStringLiteral("Ábel"), QStringLiteral("Oszkár"), QStringLiteral("Czakó")};
    for (int i = 0; i < names.size(); ++i)
        addPlace(i + 1, names[i]);

    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
    t.open();
    QCOMPARE(column(t, QStringLiteral("ugyfel_nev")),
             (QStringList{QStringLiteral("Ábel"), QStringLiteral("Cecil"), QStringLiteral("Czakó"),
                          QStringLiteral("Csaba"), QStringLiteral("Oszkár"), QStringLiteral("Öröm")}));

    t.setCurrentRow(3);
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Csaba"));
    QSignalSpy reset(&t, &data::DataSet::rowsReset);
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Csaba"));
    QCOMPARE(t.recNo(), 2);

    // A filter stays on across an order change.
    t.setFilter(QStringLiteral("sorszam>2"));
    t.setFiltered(true);
    t.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
    QCOMPARE(t.recordCount(), 4);
    QVERIFY_THROWS_EXCEPTION(DbError, t.setIndexFieldNames(QStringLiteral("nincs")));
    QCOMPARE(t.indexFieldNames(), QStringLiteral("ugyfel_nev"));

    // A named index with its direction: notes newest first.
    sql(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, datum, rovid) VALUES (1, '2026-01-05', 'b'), "
                       "(1, '2026-03-01', 'c'), (1, '2025-12-31', 'a')"));
    Table notes(Database::regiszter(), QStringLiteral("ugyf_megj"));
    notes.setIndexName(QStringLiteral("idx_datum_desc"));
    notes.open();
    QCOMPARE(column(notes, QStringLiteral("rovid")), (QStringList{"c", "b", "a"}));
    QCOMPARE(notes.asDate(QStringLiteral("datum")), QDate(2025, 12, 31));
}

void TestData::serverOrdersAsTheProgram_data()
{
    QTest::addColumn<QString>("nevek");  // in no particular order
    QTest::newRow("accents after the letters, then case") << "Adél,ábrahám,Ábel,abrak,Ábrahám";
    QTest::newRow("cs after every c") << "Csaba,Cecil,Czakó,Cukor,Cs";
    QTest::newRow("ö after o, ő beside ö") << "Öreg,Oázis,Ózd,Ödön,Őz,Ott,Ötvös";
    QTest::newRow("dz and dzs after d") << "Dzsungel,Dobó,Dzindzsa,Dúró,Dávid,Dzéta";
    QTest::newRow("gy, ly, ny, sz, ty, zs") << "Lyuk,Lukács,Gyula,Gusztáv,Nyár,Nóra,Szabó,Sütő,Tyúk,Túró,Zsolt,Zúzmara";
    QTest::newRow("ü after u, í and ú beside i and u") << "Ürge,Uzsonna,Úr,Ibolya,Íj,Izsák,Űr";
    QTest::newRow("spaces and hyphens") << "Nagy Anna,Nagyné,Nagy-Kovács,Nagyatádi";
}

// The server sorts texts itself (a list's pages come in its order); the
// same names must come in the program's own order, which the file leaves to
// the program.
void TestData::serverOrdersAsTheProgram()
{
    if (!testsupport::onServer())
        QSKIP("the file keeps texts in byte order; the program sorts them itself");
    QFETCH(QString, nevek);
    testsupport::OpenRegister reg;
    QStringList names = nevek.split(QLatin1Char(','));
    for (const QString &name : names)
        Database::regiszter().exec(QStringLiteral("INSERT INTO foglalo (foglalo_nev) VALUES (?)"), {name});
    Query q(Database::regiszter());
    q.setSql(QStringLiteral("SELECT foglalo_nev FROM foglalo ORDER BY foglalo_nev"));
    q.open();
    const QStringList onServer = column(q, QStringLiteral("foglalo_nev"));
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return data::hungarianCollator().compare(a, b) < 0; });
    QCOMPARE(onServer, names);
}

void TestData::findsOnTheOrderField()
{
    testsupport::OpenRegister reg;
    addPlace(1, QStringLiteral("Bárány"));
    addPlace(12, QStringLiteral("Balaton Ház"));
    addPlace(120, QStringLiteral("bajor kúria"));
    addPlace(121, QStringLiteral("Csillag"));
    addPlace(3, QStringLiteral("Cukor"));
    addPlace(4, QStringLiteral("Ábrahám"));

    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
    t.open();
    const auto prefix = data::CaseInsensitive | data::PartialKey;
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("b"), prefix));
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("bajor kúria"));
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("BAL"), prefix));
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Balaton Ház"));
    // No name continues "balx": the row stays.
    QVERIFY(!t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("balx"), prefix));
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Balaton Ház"));
    // "c" finds Cukor before Csillag (cs is a letter of its own), "cs" Csillag.
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("c"), prefix));
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Cukor"));
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("cs"), prefix));
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Csillag"));
    // Accents count: "a" is not "Á".
    QVERIFY(!t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("a"), prefix));
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("á"), prefix));
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Ábrahám"));
    // Without options the whole text must match, letter case included.
    QVERIFY(!t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("csillag")));
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Csillag")));

    t.setIndexFieldNames(QStringLiteral("sorszam"));
    QVERIFY(t.locate(QStringLiteral("sorszam"), QStringLiteral("1"), prefix));
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 1);
    QVERIFY(t.locate(QStringLiteral("sorszam"), 12, prefix));
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 12);
    // A whole number matches exactly: 2 is not 120 or 121.
    QVERIFY(!t.locate(QStringLiteral("sorszam"), QStringLiteral("2"), prefix));
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 12);
}

void TestData::findsOnOtherFieldsAndBadValues()
{
    testsupport::OpenRegister reg;
    addPlace(5, QStringLiteral("Első"), 3);
    addPlace(6, QStringLiteral("Második"), 2);
    addPlace(7, QStringLiteral("Harmadik"), 2);
    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    QVERIFY(t.locate(QStringLiteral("terulet"), 2));
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 6);
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("harm"), data::CaseInsensitive | data::PartialKey));
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 7);
    // A renamed row is found by its new name, no longer by the old one.
    t.edit();
    t.setValue(QStringLiteral("ugyfel_nev"), QStringLiteral("Negyedik"));
    t.post();
    QVERIFY(!t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Harmadik")));
    QVERIFY(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("negy"), data::CaseInsensitive | data::PartialKey));

    // A value that does not fit the field is an error, and nothing moves.
    try {
        t.locate(QStringLiteral("sorszam"), QStringLiteral("12a"));
        QFAIL("a non-number was accepted for an integer field");
    } catch (const DbError &e) {
        QCOMPARE(e.message(), QStringLiteral("'12a' nem érvényes egész szám (sorszám mező)."));
    }
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 7);
}

void TestData::filterCountsNavigatesAndFinds()
{
    testsupport::OpenRegister reg;
    addPlace(1, QStringLiteral("A"), 2, QStringLiteral("I"), 5);
    addPlace(2, QStringLiteral("B"), 2, QStringLiteral("N"), 5);
    addPlace(3, QStringLiteral("C"), 1, QStringLiteral("I"), 5);
    addPlace(4, QStringLiteral("D"), 2, QStringLiteral("I"), 4);
    addPlace(5, QStringLiteral("E"), 2, QStringLiteral("i"), 5);

    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    t.setCurrentRow(3);  // D
    t.setFilter(QStringLiteral("(terulet=2) and (tipus=5) and (aktiv='I')"));
    QCOMPARE(t.recordCount(), 5);  // not yet switched on
    t.setFiltered(true);
    QCOMPARE(t.recordCount(), 1);  // a lower-case i does not pass
    QCOMPARE(column(t, QStringLiteral("ugyfel_nev")), QStringList{"A"});
    QVERIFY(!t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("D")));

    t.setFilter(QStringLiteral("terulet = 2 AND NOT (aktiv = 'N') or ugyfel_nev='C'"));
    QCOMPARE(column(t, QStringLiteral("ugyfel_nev")), (QStringList{"A", "C", "D", "E"}));
    t.setFilter(QStringLiteral("ugyfel=3"));
    QCOMPARE(column(t, QStringLiteral("ugyfel_nev")), QStringList{"C"});

    t.setFiltered(false);
    QCOMPARE(t.recordCount(), 5);
    QCOMPARE(t.filter(), QStringLiteral("ugyfel=3"));

    for (const QString &bad : {QStringLiteral("(terulet=2"), QStringLiteral("nincs=1"),
                               QStringLiteral("terulet='x'"), QStringLiteral("aktiv='I"),
                               QStringLiteral("terulet 2")}) {
        QVERIFY_THROWS_EXCEPTION(DbError, t.setFilter(bad));
    }
}

void TestData::filterTextIsNeverSql()
{
    testsupport::OpenRegister reg;
    addPlace(1, QStringLiteral("O'Hara"));
    addPlace(2, QStringLiteral("x"));
    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.open();
    t.setFilter(QStringLiteral("ugyfel_nev='O''Hara'"));
    t.setFiltered(true);
    QCOMPARE(t.recordCount(), 1);
    t.setFilter(QStringLiteral("ugyfel_nev='x'' or ''1''=''1'"));
    QCOMPARE(t.recordCount(), 0);
    Table again(Database::regiszter(), QStringLiteral("ugyfel"));
    again.open();
    QCOMPARE(again.recordCount(), 2);
}

void TestData::lookupsFollowTheirKeys()
{
    testsupport::OpenRegister reg;
    sql(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (1, 'Panzió'), (2, 'Apartman')"));
    addPlace(1, QStringLiteral("Egy"), 1, QStringLiteral("I"), 1);
    addPlace(2, QStringLiteral("Kettő"), 1, QStringLiteral("I"), 2);
    addPlace(3, QStringLiteral("Három"), 1, QStringLiteral("I"), 9);

    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    // The lookup stands right after its key.
    QCOMPARE(t.fieldIndex(QStringLiteral("tipus_nev")), t.fieldIndex(QStringLiteral("tipus")) + 1);
    QCOMPARE(t.field(t.fieldIndex(QStringLiteral("terulet_nev"))).def.title(), QStringLiteral("terület"));
    QCOMPARE(column(t, QStringLiteral("tipus_nev")), (QStringList{"Panzió", "Apartman", ""}));

    t.first();
    t.edit();
    t.setValue(QStringLiteral("tipus"), 2);
    QCOMPARE(t.asString(QStringLiteral("tipus_nev")), QStringLiteral("Apartman"));
    QVERIFY_THROWS_EXCEPTION(DbError, t.setValue(QStringLiteral("tipus_nev"), QStringLiteral("x")));
    t.post();

    sql(QStringLiteral("DELETE FROM tipus WHERE Tipus = 2"));
    t.refresh();
    QCOMPARE(column(t, QStringLiteral("tipus_nev")), (QStringList{"", "", ""}));
    QCOMPARE(t.recordCount(), 3);  // deleting a type leaves its places
}

void TestData::postCommitsAndFailedPostKeepsTheRow()
{
    testsupport::OpenRegister reg;
    Table users(Database::regiszter(), QStringLiteral("felhasznalo"));
    users.setIndexFieldNames(QStringLiteral("felhasznalo"));
    users.open();
    users.insert();
    users.setValue(QStringLiteral("felhasznalo"), QStringLiteral("bela"));
    users.setValue(QStringLiteral("jelszo"), QStringLiteral("titok"));
    QSignalSpy posted(&users, &data::DataSet::afterPost);
    users.post();
    QCOMPARE(posted.count(), 1);

    // Another connection sees the row at once: it is committed.
    QCOMPARE(reg.committed(QStringLiteral("SELECT jelszo FROM felhasznalo WHERE felhasznalo = 'bela'")).toString(),
             QStringLiteral("titok"));

    // A duplicate name: the engine refuses, the row stays in insert as typed.
    users.insert();
    users.setValue(QStringLiteral("felhasznalo"), QStringLiteral("bela"));
    users.setValue(QStringLiteral("jelszo"), QStringLiteral("masik"));
    try {
        users.post();
        QFAIL("a duplicate user name was stored");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("UNIQUE"), Qt::CaseInsensitive), qPrintable(e.message()));
    }
    QCOMPARE(users.state(), data::State::Insert);
    QCOMPARE(users.asString(QStringLiteral("jelszo")), QStringLiteral("masik"));
    QCOMPARE(posted.count(), 1);
    users.cancel();
    QCOMPARE(users.recordCount(), 2);  // rendszergazda and bela
    QVERIFY_THROWS_EXCEPTION(DbError, users.post());  // nothing to post in browse
}

void TestData::postedRowTakesItsPlaceInOrderAndFilter()
{
    testsupport::OpenRegister reg;
    addPlace(1, QStringLiteral("Alma"), 2);
    addPlace(2, QStringLiteral("Körte"), 2);
    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
    t.setFilter(QStringLiteral("terulet=2"));
    t.setFiltered(true);
    t.open();

    t.insert();
    t.setValue(QStringLiteral("ugyfel_nev"), QStringLiteral("Barack"));
    t.setValue(QStringLiteral("terulet"), 2);
    t.post();
    QCOMPARE(t.recNo(), 2);
    QCOMPARE(column(t, QStringLiteral("ugyfel_nev")), (QStringList{"Alma", "Barack", "Körte"}));

    // Renamed, the row moves to its new place and stays current.
    t.setCurrentRow(0);
    t.edit();
    t.setValue(QStringLiteral("ugyfel_nev"), QStringLiteral("Zizi"));
    t.post();
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Zizi"));
    QCOMPARE(t.recNo(), 3);

    // A row that no longer passes the filter leaves the view.
    t.edit();
    t.setValue(QStringLiteral("terulet"), 7);
    t.post();
    QCOMPARE(t.recordCount(), 2);
    QVERIFY(!column(t, QStringLiteral("ugyfel_nev")).contains(QStringLiteral("Zizi")));
}

void TestData::twoPostsAsOneUnit()
{
    testsupport::OpenRegister reg;
    addPlace(1, QStringLiteral("Hely"));
    Table places(Database::regiszter(), QStringLiteral("ugyfel"));
    places.open();
    Table bookings(Database::regiszter(), QStringLiteral("foglalas"));
    bookings.open();

    {
        Database::Transaction unit(Database::regiszter());
        bookings.insert();
        bookings.setValue(QStringLiteral("ugyfel"), places.asInteger(QStringLiteral("ugyfel")));
        bookings.setValue(QStringLiteral("ossz_dij"), 1000.0);
        bookings.post();
        places.edit();
        places.setValue(QStringLiteral("ossz_dij"), 1000.0);
        places.post();
        // Not committed: the unit is dropped, both rows wait as typed.
    }
    QCOMPARE(bookings.state(), data::State::Insert);
    QCOMPARE(places.state(), data::State::Edit);
    bookings.cancel();
    places.cancel();
    QCOMPARE(bookings.recordCount(), 0);
    QCOMPARE(places.asFloat(QStringLiteral("ossz_dij")), 0.0);

    {
        Database::Transaction unit(Database::regiszter());
        bookings.insert();
        bookings.setValue(QStringLiteral("ossz_dij"), 500.0);
        bookings.post();
        places.edit();
        places.setValue(QStringLiteral("ossz_dij"), 500.0);
        places.post();
        unit.commit();
    }
    bookings.refresh();
    places.refresh();
    QCOMPARE(bookings.recordCount(), 1);
    QCOMPARE(places.asFloat(QStringLiteral("ossz_dij")), 500.0);
}

void TestData::refreshSeesOtherProgramsAndKeepsRow()
{
    testsupport::OpenRegister reg;
    for (int i = 1; i <= 5; ++i)
        addPlace(i * 10, QStringLiteral("Hely %1").arg(i));
    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    t.setCurrentRow(2);  // 30
    addPlace(5, QStringLiteral("Új"));
    t.refresh();
    QCOMPARE(t.recordCount(), 6);
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 30);
    QCOMPARE(t.recNo(), 4);
}

void TestData::queryNamesParamsAndExec()
{
    testsupport::OpenRegister reg;
    addPlace(1, QStringLiteral("Hely"));
    sql(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, datum, rovid, megjegyzes) VALUES "
                       "(1, '2026-05-01', 'tavasz', 'x'), (1, '2026-11-01', 'ősz', 'y'), (2, '2026-06-01', 'más', 'z')"));
    Query q(Database::regiszter());
    q.setSql(QStringLiteral("SELECT\n ugyf_megj.*,\n ugyfel.*\nFROM ugyf_megj INNER JOIN ugyfel ON "
                            "(ugyf_megj.ugyfel = ugyfel.ugyfel)\nORDER BY ugyf_megj.ugyfel, ugyf_megj.datum DESC;"));
    q.open();
    QVERIFY(q.fieldIndex(QStringLiteral("ugyfel_1")) > q.fieldIndex(QStringLiteral("ugyfel")));
    QVERIFY(q.fieldIndex(QStringLiteral("megjegyzes_1")) >= 0);
    QCOMPARE(q.recordCount(), 2);
    QCOMPARE(q.asString(QStringLiteral("rovid")), QStringLiteral("ősz"));
    QCOMPARE(q.asDate(QStringLiteral("datum")), QDate(2026, 11, 1));
    q.setFilter(QStringLiteral("ugyfel=1"));
    q.setFiltered(true);
    QCOMPARE(q.recordCount(), 2);
    QVERIFY_THROWS_EXCEPTION(DbError, q.edit());

    Query p(Database::regiszter());
    p.setSql(QStringLiteral("SELECT COUNT(*) AS db FROM ugyf_megj WHERE datum BETWEEN :tol AND :ig AND ugyfel = :u"));
    p.setParam(QStringLiteral("tol"), QDate(2026, 1, 1));
    p.setParam(QStringLiteral("ig"), QDate(2026, 6, 30));
    p.setParam(QStringLiteral("u"), 1);
    p.open();
    QCOMPARE(p.asInteger(QStringLiteral("db")), 1);

    Query u(Database::regiszter());
    u.setSql(QStringLiteral("UPDATE ugyf_megj SET rovid = 'x' WHERE ugyfel = :u;"));
    u.setParam(QStringLiteral("u"), 1);
    QCOMPARE(u.exec(), 2);

    Query bad(Database::regiszter());
    bad.setSql(QStringLiteral("SELECT nincs FROM ugyfel"));
    try {
        bad.open();
        QFAIL("a bad statement ran");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("nincs")), qPrintable(e.message()));
    }
}

void TestData::calculatedFields()
{
    testsupport::OpenRegister reg;
    sql(QStringLiteral("INSERT INTO foglalas (foglalaz, ossz_dij, ar_fogl) VALUES (1, 10000, 2500)"));
    Table t(Database::regiszter(), QStringLiteral("foglalas"));
    schema::FieldDef rest;
    rest.name = QStringLiteral("hatralek");
    rest.type = schema::FieldType::Float;
    rest.format = QStringLiteral("### ### ##0");
    t.addCalculatedField(rest, [](const data::DataSet &ds, const data::Row &row) {
        return row[ds.fieldIndex(QStringLiteral("ossz_dij"))].toDouble() -
               row[ds.fieldIndex(QStringLiteral("ar_fogl"))].toDouble();
    });
    t.open();
    QCOMPARE(t.asFloat(QStringLiteral("hatralek")), 7500.0);
    QCOMPARE(t.displayText(QStringLiteral("hatralek")), QStringLiteral("7 500"));
    t.edit();
    t.setValue(QStringLiteral("ar_fogl"), 10000);
    QCOMPARE(t.asFloat(QStringLiteral("hatralek")), 0.0);
    t.cancel();
    QCOMPARE(t.asFloat(QStringLiteral("hatralek")), 7500.0);
}

void TestData::batchMoveCountsAndSkips()
{
    testsupport::OpenRegister reg;
    sql(QStringLiteral("CREATE TEMP TABLE forras (emil TEXT, nev TEXT, kuldve INTEGER, csoport TEXT)"));
    sql(QStringLiteral("INSERT INTO forras VALUES ('a@x.hu', 'Anna', 0, '1'), ('b@x.hu', 'Béla', 0, 'nem szám'), "
                       "('c@x.hu', 'Cili', 1, '3')"));
    Query src(Database::regiszter());
    src.setSql(QStringLiteral("SELECT * FROM forras"));
    src.open();
    Table emil(Database::regiszter(), QStringLiteral("emil"));
    emil.open();
    QCOMPARE(emil.appendFrom(src), 2);
    QCOMPARE(emil.recordCount(), 2);
    QCOMPARE(column(emil, QStringLiteral("nev")), (QStringList{"Anna", "Cili"}));
    emil.last();
    QCOMPARE(emil.asInteger(QStringLiteral("csoport")), 3);
    QCOMPARE(emil.asBoolean(QStringLiteral("kuldve")), true);

    // A key violation skips the row and goes on.
    sql(QStringLiteral("CREATE TEMP TABLE nevek (f TEXT, n TEXT, j TEXT)"));
    sql(QStringLiteral("INSERT INTO nevek VALUES ('rendszergazda', '', 'x'), ('zoli', '', 'y')"));
    Query names(Database::regiszter());
    names.setSql(QStringLiteral("SELECT * FROM nevek"));
    Table users(Database::regiszter(), QStringLiteral("felhasznalo"));
    QCOMPARE(users.appendFrom(names), 1);
}

void TestData::emptyTableAndDelete()
{
    testsupport::OpenRegister reg;
    for (int i = 1; i <= 3; ++i)
        addPlace(i, QStringLiteral("H%1").arg(i));
    Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    t.last();
    t.remove();
    QCOMPARE(t.recordCount(), 2);
    QCOMPARE(t.asInteger(QStringLiteral("sorszam")), 2);
    t.emptyTable();
    QCOMPARE(t.recordCount(), 0);
    QVERIFY(t.eof() && t.bof());
    QCOMPARE(t.recNo(), 0);
    QVERIFY_THROWS_EXCEPTION(DbError, t.remove());
    QVERIFY_THROWS_EXCEPTION(DbError, t.edit());
}

QTEST_MAIN(TestData)
#include "tst_data.moc"
