// Reliability: a database that cannot be read or written is found at start
// with its cause, texts are cut by whole characters, and the engine's errors
// reach the user in Hungarian.

#include "app/belepes.h"
#include "app/leallitasfigyelo.h"
#include "data/database.h"
#include "data/sqliteengine.h"
#include "data/table.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <optional>
#include <unistd.h>
#endif

using data::Database;
using data::DbError;
using testsupport::DobozFelvevo;
using testsupport::TempDataFolder;

namespace {

QString nat(const QString &p)
{
    return QDir::toNativeSeparators(p);
}

QByteArray olvas(const QString &fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The message of opening the register on `mappa`; empty when it opened.
QString megnyitasHibaja(const QString &mappa)
{
    Database &db = Database::regiszter();
    db.params() = QStringList{QStringLiteral("PATH=") + mappa};
    try {
        db.open();
    } catch (const DbError &e) {
        return e.message();
    }
    return QString();
}

void fejlecBajt(const QString &fajl, int hely, char ertek)
{
    QFile f(fajl);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(hely));
    QVERIFY(f.write(&ertek, 1) == 1);
}

// Gives the owner's rights back to a file or folder when it goes, so the
// temporary folder can be removed.
struct JogVisszaado {
    QString ut;
    ~JogVisszaado()
    {
        if (!ut.isEmpty())
            QFile::setPermissions(ut, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

bool rendszergazdakent()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

}  // namespace

class TstMegbizhatosag : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { SKIP_WITHOUT_SERVER(); }
    void init();
    void cleanup();

    void ujabbMotorFajlja_data();
    void ujabbMotorFajlja();
    void jogosultsagok_data();
    void jogosultsagok();
    void egeszKarakterekreVag_data();
    void egeszKarakterekreVag();
    void motorUzenetekMagyarul_data();
    void motorUzenetekMagyarul();
    void zaroltAdatbazis();
    void megteltLemez();
    void leallitasJelzesre();
};

void TstMegbizhatosag::init()
{
    if (Database::regiszter().isOpen())
        Database::regiszter().close();
}

void TstMegbizhatosag::cleanup()
{
    if (Database::regiszter().isOpen())
        Database::regiszter().close();
}

void TstMegbizhatosag::ujabbMotorFajlja_data()
{
    // Byte 18 of the header is the version an engine needs to write the file,
    // byte 19 the one it needs to read it; this engine knows up to 2.
    QTest::addColumn<int>("hely");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<bool>("irasiHiba");
    QTest::newRow("write version") << 18 << "csak olvasni tudja" << true;
    QTest::newRow("read version") << 19 << "nem tudja olvasni" << false;
}

void TstMegbizhatosag::ujabbMotorFajlja()
{
    SKIP_ON_SERVER("a data folder's file written by a newer engine");
    QFETCH(int, hely);
    QFETCH(QString, ok);
    QFETCH(bool, irasiHiba);
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    fejlecBajt(mappa.dbFile(), hely, 3);
    const QByteArray elotte = olvas(mappa.dbFile());

    const QString hiba = megnyitasHibaja(mappa.path());
    QVERIFY2(hiba.contains(nat(mappa.dbFile())) && hiba.contains(ok), qPrintable(hiba));
    QCOMPARE(hiba.startsWith(QStringLiteral("Az adatbázis nem írható")), irasiHiba);
    QVERIFY(!Database::regiszter().isOpen());
    QCOMPARE(olvas(mappa.dbFile()), elotte);
}

void TstMegbizhatosag::jogosultsagok_data()
{
    QTest::addColumn<bool>("mappat");        // the folder's permissions, else the file's
    QTest::addColumn<int>("jogok");
    QTest::addColumn<QStringList>("maradek");  // leftover journal files
    QTest::addColumn<QString>("ok");
    const int olvas = int(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QTest::newRow("read-only file") << false << int(QFileDevice::ReadOwner) << QStringList()
                                    << "A fájl írásvédett";
    QTest::newRow("unreadable file") << false << 0 << QStringList() << "hozzáférés megtagadva";
    QTest::newRow("read-only folder") << true << olvas << QStringList() << "regiszter.db-journal";
    QTest::newRow("leftover journal files") << true << olvas << QStringList{"-wal", "-shm"}
                                            << "naplófájljai maradtak benne (regiszter.db-wal, regiszter.db-shm)";
    QTest::newRow("unreadable folder") << true << 0 << QStringList() << "nem olvasható (hozzáférés megtagadva)";
}

void TstMegbizhatosag::jogosultsagok()
{
    SKIP_ON_SERVER("the rights of a data folder and its file");
#ifndef Q_OS_UNIX
    QSKIP("File permissions are Unix permissions here.");
#endif
    const QString kapottMappa = qEnvironmentVariable("NYUGVAR_JOG_MAPPA");
    if (rendszergazdakent() && kapottMappa.isEmpty()) {
        // Root reads and writes whatever the permissions say: the row runs
        // again as the user "nobody" (its output shows here), from a copy of
        // this program under /tmp on a data folder made here, as the build
        // folder may lie in root's own home, which others cannot enter.
        TempDataFolder mappa;
        QTemporaryDir program;
        QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
        const QString masolat = program.filePath(QStringLiteral("tst_megbizhatosag"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), masolat));
        QCOMPARE(QProcess::execute("chown", {"-R", "nobody:nogroup", program.path(), mappa.root()}), 0);
        QProcess gyerek;
        gyerek.setProcessChannelMode(QProcess::ForwardedChannels);
        gyerek.setWorkingDirectory(program.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NYUGVAR_JOG_MAPPA"), mappa.path());
        gyerek.setProcessEnvironment(env);
        const QString sor = QString::fromLatin1(QTest::currentTestFunction()) + ':' + QTest::currentDataTag();
        gyerek.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", masolat, sor});
        QVERIFY(gyerek.waitForFinished(120000));
        QCOMPARE(gyerek.exitCode(), 0);
        return;
    }
    QFETCH(bool, mappat);
    QFETCH(int, jogok);
    QFETCH(QStringList, maradek);
    QFETCH(QString, ok);
    std::optional<TempDataFolder> sajat;
    if (kapottMappa.isEmpty())
        QVERIFY2(sajat.emplace().isValid(), qPrintable(sajat->error()));
    const QString mappaUt = kapottMappa.isEmpty() ? sajat->path() : kapottMappa;
    const QString dbFajl = QDir(mappaUt).filePath(QString::fromLatin1(Database::kFileName));
    for (const QString &vege : maradek) {
        QFile f(dbFajl + vege);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QString cel = mappat ? mappaUt : dbFajl;
    const JogVisszaado visszaado{cel};
    QVERIFY(QFile::setPermissions(cel, QFileDevice::Permissions(jogok)));

    const QString hiba = megnyitasHibaja(mappaUt);
    QVERIFY2(hiba.contains(ok), qPrintable(hiba));
    QVERIFY2(hiba.contains(nat(mappat ? mappaUt : dbFajl)), qPrintable(hiba));
    QVERIFY2(!hiba.contains(QStringLiteral("nem található")), qPrintable(hiba));
    QVERIFY(!Database::regiszter().isOpen());
}

void TstMegbizhatosag::egeszKarakterekreVag_data()
{
    // felhasznalo.felhasznalo holds 20 characters: code points, whatever
    // their length in UTF-16.
    QTest::addColumn<QString>("nev");
    QTest::addColumn<QString>("tarolt");
    const QString t19 = QStringLiteral("abcdefghijklmnopqrs");
    const QString emoji = QStringLiteral("\U0001F600");
    QTest::newRow("emoji as the 20th") << t19 + emoji << t19 + emoji;
    QTest::newRow("emoji as the 20th, more after") << t19 + emoji + "xyz" << t19 + emoji;
    QTest::newRow("emoji as the 21st") << t19 + "t" + emoji << t19 + "t";
    QTest::newRow("emojis only") << emoji.repeated(25) << emoji.repeated(20);
    QTest::newRow("accented letters") << QStringLiteral("ő").repeated(25) << QStringLiteral("ő").repeated(20);
    QTest::newRow("half a pair") << t19 + QChar(0xD83D) << t19 + QChar(QChar::ReplacementCharacter);
}

void TstMegbizhatosag::egeszKarakterekreVag()
{
    QFETCH(QString, nev);
    QFETCH(QString, tarolt);
    testsupport::OpenRegister reg;
    Database &db = Database::regiszter();
    {
        data::Table t(db, QStringLiteral("felhasznalo"));
        t.open();
        t.insert();
        t.setValue(QStringLiteral("felhasznalo"), nev);
        t.setValue(QStringLiteral("jelszo"), QStringLiteral("titok"));
        t.post();
    }
    // The stored bytes are valid UTF-8 and read back as the cut name.
    QSqlQuery q(db.connection());
    QVERIFY(q.exec(QStringLiteral("SELECT %1 FROM felhasznalo WHERE jelszo = 'titok'")
                       .arg(testsupport::onServer() ? QStringLiteral("convert_to(felhasznalo, 'UTF8')")
                                                    : QStringLiteral("CAST(felhasznalo AS BLOB)"))));
    QVERIFY(q.next());
    const QByteArray bajtok = q.value(0).toByteArray();
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString olvasott = utf8.decode(bajtok);
    QVERIFY2(!utf8.hasError(), bajtok.toHex().constData());
    QCOMPARE(olvasott, tarolt);

    // And that user can log in.
    DobozFelvevo dobozok;
    Belepes belepes(db);
    QVERIFY(belepes.ellenoriz(tarolt, QStringLiteral("titok")));
    QCOMPARE(dobozok.hibak, QStringList());
}

void TstMegbizhatosag::motorUzenetekMagyarul_data()
{
    QTest::addColumn<QString>("kod");
    QTest::addColumn<QString>("motor");
    QTest::addColumn<QString>("uzenet");
    QTest::newRow("locked") << "5" << "database is locked"
                            << "Az adatbázist egy másik program zárolja.\n(database is locked)";
    QTest::newRow("full") << "13" << "database or disk is full"
                          << "Megtelt a lemez (vagy az adatbázis elérte a legnagyobb méretét), a változás nem "
                             "menthető.\n(database or disk is full)";
    QTest::newRow("read-only") << "8" << "attempt to write a readonly database"
                               << "Az adatbázis csak olvasható, a változás nem menthető.\n"
                                  "(attempt to write a readonly database)";
    QTest::newRow("read-only, extended code") << "1032" << "attempt to write a readonly database"
                                              << "Az adatbázis csak olvasható, a változás nem menthető.\n"
                                                 "(attempt to write a readonly database)";
    QTest::newRow("malformed") << "11" << "database disk image is malformed"
                               << "Az adatbázis fájl megsérült.\n(database disk image is malformed)";
    QTest::newRow("unique") << "2067" << "UNIQUE constraint failed: cimke.cimke"
                            << "Már van ilyen kulcsú sor, a kulcs nem ismétlődhet.\n"
                               "(UNIQUE constraint failed: cimke.cimke)";
    QTest::newRow("not null") << "1299" << "NOT NULL constraint failed: ugyfel.ugyfel"
                              << "Egy kötelező mező üresen maradt.\n(NOT NULL constraint failed: ugyfel.ugyfel)";
    QTest::newRow("code only decides") << "5" << "something else" << "Az adatbázist egy másik program "
                                                                     "zárolja.\n(something else)";
    QTest::newRow("no code: by the text") << "" << "database is locked"
                                          << "Az adatbázist egy másik program zárolja.\n(database is locked)";
    QTest::newRow("SQL error stays as it is") << "1" << "no such table: semmi" << "no such table: semmi";
}

void TstMegbizhatosag::motorUzenetekMagyarul()
{
    QFETCH(QString, kod);
    QFETCH(QString, motor);
    QFETCH(QString, uzenet);
    QCOMPARE(data::engineMessage(QSqlError(QStringLiteral("Unable to execute statement"), motor,
                                           QSqlError::StatementError, kod)),
             uzenet);
    // A driver error without the engine's text keeps the driver's.
    QCOMPARE(data::engineMessage(QSqlError(QStringLiteral("Parameter count mismatch"), QString())),
             QStringLiteral("Parameter count mismatch"));
}

void TstMegbizhatosag::zaroltAdatbazis()
{
    SKIP_ON_SERVER("the file's write lock; desks on a server wait for rows");
    // Another program holds the write lock: the post fails with the Hungarian
    // message and the row stays in insert, to be posted when the lock is gone.
    testsupport::OpenRegister reg;
    Database &db = Database::regiszter();
    data::Table t(db, QStringLiteral("terulet"));
    t.open();
    {
        QSqlDatabase masik = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("masik"));
        masik.setDatabaseName(reg.folder().dbFile());
        QVERIFY(masik.open());
        QSqlQuery zar(masik);
        QVERIFY(zar.exec(QStringLiteral("BEGIN IMMEDIATE")));
        // The wait is told as it begins (the window shows a wait cursor);
        // the lock let go meanwhile, the post goes through.
        connect(&db, &Database::lockWaitBegins, &t, [&] { zar.exec(QStringLiteral("ROLLBACK")); });
        t.insert();
        t.post();
        db.exec(QStringLiteral("PRAGMA busy_timeout = 50"));  // no longer told: the lock stays
        QVERIFY(zar.exec(QStringLiteral("BEGIN IMMEDIATE")));

        t.insert();
        t.setValue(QStringLiteral("terulet_nev"), QStringLiteral("Őrség"));
        try {
            t.post();
            QFAIL("the post went through a lock");
        } catch (const DbError &e) {
            QCOMPARE(e.message(), QStringLiteral("Az adatbázist egy másik program zárolja.\n(database is locked)"));
        }
        QCOMPARE(t.state(), data::State::Insert);
        QVERIFY(zar.exec(QStringLiteral("ROLLBACK")));
        masik.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("masik"));
    t.post();
    QVERIFY(t.locate(QStringLiteral("terulet_nev"), QStringLiteral("Őrség")));
}

void TstMegbizhatosag::megteltLemez()
{
    SKIP_ON_SERVER("the file's pages stand for a full disk");
    // A full disk (the file may not grow): the Hungarian message, the row
    // stays in insert, and nothing committed before is lost.
    testsupport::OpenRegister reg;
    Database &db = Database::regiszter();
    data::Table t(db, QStringLiteral("ugyf_megj"));
    t.open();
    t.insert();
    t.setValue(QStringLiteral("rovid"), QStringLiteral("első"));
    t.post();

    QSqlQuery oldalak(db.connection());
    QVERIFY(oldalak.exec(QStringLiteral("PRAGMA page_count")) && oldalak.next());
    const int oldal = oldalak.value(0).toInt();
    db.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(oldal));
    t.insert();
    t.setValue(QStringLiteral("rovid"), QStringLiteral("hosszú"));
    t.setValue(QStringLiteral("megjegyzes"), QString(200000, QLatin1Char('x')));
    try {
        t.post();
        QFAIL("the file grew beyond its limit");
    } catch (const DbError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Megtelt a lemez")) &&
                     e.message().endsWith(QStringLiteral("\n(database or disk is full)")),
                 qPrintable(e.message()));
    }
    QCOMPARE(t.state(), data::State::Insert);
    db.exec(QStringLiteral("PRAGMA max_page_count = 1073741823"));
    t.post();
    QCOMPARE(t.recordCount(), 2);
}

void TstMegbizhatosag::leallitasJelzesre()
{
    // A logout: the request reaches the event loop, and the process lives
    // on to write its settings.
    LeallitasFigyelo figyelo;
    QSignalSpy kerve(&figyelo, &LeallitasFigyelo::leallitasKerve);
    ::raise(SIGTERM);
    QVERIFY(kerve.wait(10000));
}

QTEST_MAIN(TstMegbizhatosag)
#include "tst_megbizhatosag.moc"
