// The delivered data folder: what the build puts beside the program and what
// every test starts from, and the promise that a build never touches a
// database that is already there.

#include "testsupport.h"

#include "data/adatmappa.h"
#include "data/database.h"
#include "data/schema.h"
#include "data/table.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

namespace {

// A private connection to a database file for the duration of a test.
class Connection {
public:
    explicit Connection(const QString &file)
        : m_name(QStringLiteral("tst-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_ok = db.open();
    }
    ~Connection()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool ok() const { return m_ok; }
    // Every row of a statement, as lists of values.
    QList<QVariantList> rows(const QString &sql) const
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        QList<QVariantList> out;
        if (!q.exec(sql)) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
            return out;
        }
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i);
            out << row;
        }
        return out;
    }
    QVariant value(const QString &sql) const
    {
        const QList<QVariantList> r = rows(sql);
        return r.isEmpty() ? QVariant() : r.first().value(0);
    }

private:
    QString m_name;
    bool m_ok = false;
};

QList<QPair<QString, QString>> csvRows()
{
    QFile f(QStringLiteral(NYUGVAR_IRSZ_CSV));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QPair<QString, QString>> out;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty())
            continue;
        const int sep = line.indexOf(QLatin1Char(';'));
        out.append({line.left(sep), line.mid(sep + 1)});
    }
    return out;
}

QByteArray digest(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(NYUGVAR_ADATMAPPA_EXE), args);
    ToolRun r;
    if (!p.waitForFinished(60000)) {
        r.err = p.errorString();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    r.err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return r;
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

const QDateTime kOldTime(QDate(2011, 3, 15), QTime(10, 20, 30), Qt::UTC);
// Rights of anyone but the owner: the data folder and its database give none.
const QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                         | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

// Dates a file back, so that any rewrite would show in its time stamp.
bool makeOld(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.setFileTime(kOldTime, QFileDevice::FileModificationTime);
}

}  // namespace

class TestAdatmappa : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tablesHaveTheirColumnsInStoredOrder();
    void indexesExist();
    void initialUserAndAgency();
    void postalCodesInFileOrder();
    void databaseIsCompleteAndAlone();
    void dataLayerOpensTheDeliveredFolder();

    void toolCreatesMissingFolder();
    void toolKeepsArbitraryFile();
    void toolKeepsModifiedDatabase();
    void toolReportsErrors();
    void badPostalCodeFileLeavesNothing_data();
    void badPostalCodeFileLeavesNothing();
};

void TestAdatmappa::tablesHaveTheirColumnsInStoredOrder()
{
    testsupport::TempDataFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    Connection c(folder.dbFile());
    QVERIFY(c.ok());

    QStringList stored;
    for (const QVariantList &r :
         c.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'"
                               " AND name NOT LIKE 'sqlite_%' ORDER BY name")))
        stored << r.value(0).toString();
    QStringList expected;
    for (const schema::TableDef &t : schema::tables())
        expected << t.name;
    expected.sort();
    QCOMPARE(expected.size(), 14);
    QCOMPARE(stored, expected);

    for (const schema::TableDef &t : schema::tables()) {
        QStringList columns, want;
        QString autoKey;
        for (const QVariantList &r : c.rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(t.name))) {
            columns << r.value(1).toString();
            if (r.value(5).toInt() == 1)
                autoKey = r.value(1).toString();
        }
        for (const schema::FieldDef &f : t.fields)
            want << f.name;
        QCOMPARE(columns, want);
        // The auto-increment key is the row's own key.
        QCOMPARE(autoKey, t.autoKey);
    }
    // The lookup fields are not stored.
    QCOMPARE(c.rows(QStringLiteral("PRAGMA table_info(ugyfel)")).size(),
             schema::table(QStringLiteral("ugyfel"))->fields.size());
}

void TestAdatmappa::indexesExist()
{
    testsupport::TempDataFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    Connection c(folder.dbFile());
    QVERIFY(c.ok());

    for (const schema::TableDef &t : schema::tables()) {
        for (const schema::IndexDef &ix : t.indexes) {
            QCOMPARE(c.value(QStringLiteral("SELECT tbl_name FROM sqlite_master WHERE type='index'"
                                            " AND name='%1'").arg(ix.name)).toString(),
                     t.name);
        }
    }

    // The notes' date order, newest first.
    QList<QVariantList> key;
    for (const QVariantList &r : c.rows(QStringLiteral("PRAGMA index_xinfo(idx_datum_desc)")))
        if (r.value(5).toInt() == 1)  // key columns only
            key << r;
    QCOMPARE(key.size(), 1);
    QCOMPARE(key[0].value(2).toString(), QStringLiteral("datum"));
    QCOMPARE(key[0].value(3).toInt(), 1);  // descending
    QCOMPARE(c.value(QStringLiteral("SELECT tbl_name FROM sqlite_master WHERE name='idx_datum_desc'"))
                 .toString(),
             QStringLiteral("ugyf_megj"));
}

void TestAdatmappa::initialUserAndAgency()
{
    testsupport::TempDataFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    Connection c(folder.dbFile());
    QVERIFY(c.ok());

    const QList<QVariantList> users = c.rows(QStringLiteral(
        "SELECT felhasznalo, jelszo, felhasznalo_nev, rendszergazda, torzsszerkeszt FROM felhasznalo"));
    QCOMPARE(users.size(), 1);
    QCOMPARE(users[0].value(0).toString(), QStringLiteral("rendszergazda"));
    QCOMPARE(users[0].value(1).toString(), QStringLiteral("kapufal"));
    for (int i = 2; i < 5; ++i)
        QVERIFY(users[0].value(i).toString().isEmpty());

    QCOMPARE(c.value(QStringLiteral("SELECT COUNT(*) FROM tulajdonos")).toInt(), 1);
    QCOMPARE(c.value(QStringLiteral("SELECT tulajdonos FROM tulajdonos")).toString(),
             QStringLiteral("Nyugvár Utazási Iroda"));

    // Everything else starts empty.
    for (const char *t : {"ugyfel", "foglalas", "foglalo", "tipus", "terulet", "fizmod", "cimke",
                          "megj", "ugyf_megj", "naplo", "emil"})
        QCOMPARE(c.value(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(t))).toInt(), 0);
}

void TestAdatmappa::postalCodesInFileOrder()
{
    testsupport::TempDataFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    Connection c(folder.dbFile());
    QVERIFY(c.ok());

    const QList<QPair<QString, QString>> csv = csvRows();
    QCOMPARE(csv.size(), 3574);
    const QList<QVariantList> rows = c.rows(QStringLiteral("SELECT Id, irsz, varos FROM irsz ORDER BY Id"));
    QCOMPARE(rows.size(), csv.size());
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows[i].value(0).toInt(), i + 1);
        QCOMPARE(rows[i].value(1).toString(), csv[i].first);
        QCOMPARE(rows[i].value(2).toString(), csv[i].second);
    }

    // A code with two settlements keeps the file's order.
    const QList<QVariantList> abauj =
        c.rows(QStringLiteral("SELECT Id, varos FROM irsz WHERE irsz='3882' ORDER BY Id"));
    QCOMPARE(abauj.size(), 2);
    QCOMPARE(abauj[0].value(1).toString(), QStringLiteral("Abaújalpár"));
    QCOMPARE(abauj[1].value(1).toString(), QStringLiteral("Abaújkér"));
    QCOMPARE(abauj[1].value(0).toInt(), abauj[0].value(0).toInt() + 1);
    QCOMPARE(c.value(QStringLiteral("SELECT irsz || ' ' || varos FROM irsz WHERE Id=1")).toString(),
             QStringLiteral("1011 Budapest"));
    // Codes are text: a leading character is never lost to a number.
    QCOMPARE(c.value(QStringLiteral("SELECT typeof(irsz) FROM irsz WHERE Id=1")).toString(),
             QStringLiteral("text"));
}

void TestAdatmappa::databaseIsCompleteAndAlone()
{
    testsupport::TempDataFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    // No temporary or journal file is left behind.
    QCOMPARE(folderEntries(folder.path()), QStringList{QStringLiteral("regiszter.db")});
    Connection c(folder.dbFile());
    QVERIFY(c.ok());
    QCOMPARE(c.value(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(c.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
}

void TestAdatmappa::dataLayerOpensTheDeliveredFolder()
{
    testsupport::OpenRegister reg;
    QVERIFY(data::Database::regiszter().isOpen());
    data::Table users(data::Database::regiszter(), QStringLiteral("felhasznalo"));
    users.setIndexFieldNames(QStringLiteral("felhasznalo"));
    users.open();
    QCOMPARE(users.recordCount(), 1);
    QVERIFY(users.locate(QStringLiteral("felhasznalo"), QStringLiteral("RENDSZERGAZDA"),
                         data::CaseInsensitive));
    QCOMPARE(users.asString(QStringLiteral("jelszo")), QStringLiteral("kapufal"));

    data::Table codes(data::Database::regiszter(), QStringLiteral("irsz"));
    codes.setIndexFieldNames(QStringLiteral("Id"));
    codes.open();
    QCOMPARE(codes.recordCount(), 3574);
    QVERIFY(codes.locate(QStringLiteral("irsz"), QStringLiteral("3882")));
    QCOMPARE(codes.asString(QStringLiteral("varos")), QStringLiteral("Abaújalpár"));
}

void TestAdatmappa::toolCreatesMissingFolder()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString folder = tmp.filePath(QStringLiteral("program/bin/Data"));
    const QString db = QDir(folder).filePath(QStringLiteral("regiszter.db"));

    ToolRun r = runTool({folder, QStringLiteral(NYUGVAR_IRSZ_CSV)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.startsWith(QStringLiteral("created ")), qPrintable(r.out));
    QVERIFY(r.out.endsWith(QStringLiteral("regiszter.db")));
    QVERIFY(QFileInfo(db).isFile());
    QCOMPARE(folderEntries(folder), QStringList{QStringLiteral("regiszter.db")});
    {
        Connection c(db);
        QVERIFY(c.ok());
        QCOMPARE(c.value(QStringLiteral("SELECT COUNT(*) FROM irsz")).toInt(), 3574);
    }

    // The next build finds it and leaves it alone.
    QVERIFY(makeOld(db));
    const QByteArray before = digest(db);
    r = runTool({folder, QStringLiteral(NYUGVAR_IRSZ_CSV)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.startsWith(QStringLiteral("kept existing ")), qPrintable(r.out));
    QCOMPARE(digest(db), before);
    QCOMPARE(QFileInfo(db).lastModified().toUTC(), kOldTime);
}

void TestAdatmappa::toolKeepsArbitraryFile()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString db = tmp.filePath(QStringLiteral("regiszter.db"));
    QByteArray junk("not a database, but the user's file\n");
    for (int i = 0; i < 256; ++i)
        junk.append(char(i));
    {
        QFile f(db);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(junk), qint64(junk.size()));
    }
    QVERIFY(makeOld(db));

    const ToolRun r = runTool({tmp.path(), QStringLiteral(NYUGVAR_IRSZ_CSV)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.startsWith(QStringLiteral("kept existing ")), qPrintable(r.out));
    QFile f(db);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), junk);
    QCOMPARE(QFileInfo(db).lastModified().toUTC(), kOldTime);
    QCOMPARE(folderEntries(tmp.path()), QStringList{QStringLiteral("regiszter.db")});

    // The function itself says yes and changes nothing either.
    QString error;
    QVERIFY(createDataFolder(tmp.path(), QStringLiteral(NYUGVAR_IRSZ_CSV), &error));
    QVERIFY(error.isEmpty());
    QCOMPARE(QFileInfo(db).lastModified().toUTC(), kOldTime);
    QCOMPARE(QFileInfo(db).size(), qint64(junk.size()));
}

void TestAdatmappa::toolKeepsModifiedDatabase()
{
    testsupport::TempDataFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.error()));
    {
        // The user's work: a new user, a place and one postal code fewer.
        const QString name = QStringLiteral("tst-modify");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(folder.dbFile());
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("INSERT INTO felhasznalo (felhasznalo, jelszo) VALUES ('kata', 'titok')")));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO ugyfel (ugyfel_nev, sorszam) VALUES ('Őzike Vendégház', 1)")));
            QVERIFY(q.exec(QStringLiteral("DELETE FROM irsz WHERE Id = 1")));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    QVERIFY(makeOld(folder.dbFile()));
    const QByteArray before = digest(folder.dbFile());
    QVERIFY(!before.isEmpty());
    // Readable by all, as an older build left it: the rights are taken back.
    QVERIFY(QFile::setPermissions(folder.path(), QFileInfo(folder.path()).permissions() | kOthers));
    QVERIFY(QFile::setPermissions(folder.dbFile(), QFileInfo(folder.dbFile()).permissions() | QFileDevice::ReadOther));

    const ToolRun r = runTool({folder.path(), QStringLiteral(NYUGVAR_IRSZ_CSV)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out, QStringLiteral("kept existing ")
                        + QDir::toNativeSeparators(QFileInfo(folder.dbFile()).absoluteFilePath()));
    QCOMPARE(digest(folder.dbFile()), before);
    QCOMPARE(QFileInfo(folder.dbFile()).lastModified().toUTC(), kOldTime);
    QCOMPARE((QFileInfo(folder.path()).permissions() | QFileInfo(folder.dbFile()).permissions()) & kOthers,
             QFileDevice::Permissions());

    Connection c(folder.dbFile());
    QVERIFY(c.ok());
    QCOMPARE(c.value(QStringLiteral("SELECT COUNT(*) FROM felhasznalo")).toInt(), 2);
    QCOMPARE(c.value(QStringLiteral("SELECT COUNT(*) FROM irsz")).toInt(), 3573);
    QCOMPARE(c.value(QStringLiteral("SELECT ugyfel_nev FROM ugyfel")).toString(),
             QStringLiteral("Őzike Vendégház"));
}

void TestAdatmappa::toolReportsErrors()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString folder = tmp.filePath(QStringLiteral("Data"));

    ToolRun r = runTool({folder});
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.contains(QStringLiteral("usage")), qPrintable(r.err));

    const QString missing = tmp.filePath(QStringLiteral("nincs.csv"));
    r = runTool({folder, missing});
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.contains(missing), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QVERIFY(!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("regiszter.db"))));

    // A data folder that cannot be made: its parent is a file.
    QFile blocker(tmp.filePath(QStringLiteral("fajl")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    r = runTool({tmp.filePath(QStringLiteral("fajl/Data")), QStringLiteral(NYUGVAR_IRSZ_CSV)});
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.contains(QStringLiteral("fajl/Data")), qPrintable(r.err));
}

void TestAdatmappa::badPostalCodeFileLeavesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no separator") << QByteArray("irsz;varos\n1011;Budapest\n1012 Budapest\n")
                                  << QStringLiteral("line 3");
    QTest::newRow("empty settlement") << QByteArray("irsz;varos\n1011;\n") << QStringLiteral("line 2");
    QTest::newRow("wrong header") << QByteArray("kod;telepules\n1011;Budapest\n")
                                  << QStringLiteral("irsz;varos");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("empty");
    QTest::newRow("not UTF-8") << QByteArray("irsz;varos\n3882;Aba\xfajalp\xe1r\n")
                               << QStringLiteral("UTF-8");
}

void TestAdatmappa::badPostalCodeFileLeavesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString csv = tmp.filePath(QStringLiteral("irsz.csv"));
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QString folder = tmp.filePath(QStringLiteral("Data"));
    QString error;
    QVERIFY(!createDataFolder(folder, csv, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(folderEntries(folder).isEmpty());

    // A BOM and Windows line ends are fine.
    {
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xef\xbb\xbfirsz;varos\r\n3882;Abaújalpár\r\n3882;Abaújkér\r\n");
    }
    QVERIFY2(createDataFolder(folder, csv, &error), qPrintable(error));
    Connection c(QDir(folder).filePath(QStringLiteral("regiszter.db")));
    QVERIFY(c.ok());
    QCOMPARE(c.value(QStringLiteral("SELECT group_concat(Id || varos, ',') FROM irsz")).toString(),
             QStringLiteral("1Abaújalpár,2Abaújkér"));
}

QTEST_GUILESS_MAIN(TestAdatmappa)
#include "tst_adatmappa.moc"
