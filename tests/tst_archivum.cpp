// The archive of the data folder, the restore from one, and the refill of
// the newsletter's address table.

#include "data/atvitel.h"
#include "data/database.h"
#include "data/engine.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/archivum.h"
#include "reports/korposta.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <zip.h>

#include <algorithm>
#include <utility>

using data::Database;
using data::DbError;

namespace {

void irFajl(const QString &path, const QByteArray &tartalom)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(tartalom);
}

QByteArray olvasFajl(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One entry of a zip's central directory, read from the bytes themselves.
struct Kozponti {
    QString nev;
    int modszer;
    int jelzok;
    QList<int> extraAzonositok;
};

QVector<Kozponti> kozpontiKonyvtar(const QByteArray &zip)
{
    QVector<Kozponti> r;
    const QByteArray jel("PK\x01\x02", 4);
    for (int i = zip.indexOf(jel); i >= 0; i = zip.indexOf(jel, i + 4)) {
        const auto *p = reinterpret_cast<const uchar *>(zip.constData() + i);
        Kozponti k;
        k.jelzok = qFromLittleEndian<quint16>(p + 8);
        k.modszer = qFromLittleEndian<quint16>(p + 10);
        const int nevHossz = qFromLittleEndian<quint16>(p + 28);
        const int extraHossz = qFromLittleEndian<quint16>(p + 30);
        k.nev = QString::fromUtf8(zip.mid(i + 46, nevHossz));
        for (int e = 0; e + 4 <= extraHossz;) {
            const auto *x = p + 46 + nevHossz + e;
            k.extraAzonositok << qFromLittleEndian<quint16>(x);
            e += 4 + qFromLittleEndian<quint16>(x + 2);
        }
        r << k;
    }
    return r;
}

// A zip written by libzip itself, with the given entries stored.
void irZip(const QString &path, const QList<QPair<QString, QByteArray>> &bejegyzesek)
{
    int kod = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &kod);
    QVERIFY(za);
    for (const auto &b : bejegyzesek) {
        zip_source_t *s = zip_source_buffer(za, b.second.constData(), zip_uint64_t(b.second.size()), 0);
        QVERIFY(zip_file_add(za, b.first.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) >= 0);
    }
    QCOMPARE(zip_close(za), 0);
}

// Makes the zip's two headers of its last entry state `meret` as its
// unpacked size, as a crafted archive would.
void meretetHamisit(const QString &zip, quint32 meret)
{
    QByteArray b = olvasFajl(zip);
    const int kozponti = b.lastIndexOf(QByteArray("PK\x01\x02", 4));
    auto *p = reinterpret_cast<uchar *>(b.data());
    qToLittleEndian(meret, p + kozponti + 24);
    qToLittleEndian(meret, p + qFromLittleEndian<quint32>(p + kozponti + 42) + 22);
    irFajl(zip, b);
}

// The folders beside `mappa` whose names begin with its own.
QStringList testverMappak(const QString &mappa)
{
    const QFileInfo fi(mappa);
    return QDir(fi.absolutePath()).entryList({fi.fileName() + QStringLiteral(".*")}, QDir::Dirs | QDir::Hidden);
}

// A value read from the database of a data folder on a connection of its own.
QVariant mappabol(const QString &mappa, const QString &sql)
{
    QVariant r;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kulso"));
        db.setDatabaseName(QDir(mappa).filePath(QStringLiteral("regiszter.db")));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                r = q.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("kulso"));
    return r;
}

void mappabaIr(const QString &mappa, const QString &sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kulso"));
        db.setDatabaseName(QDir(mappa).filePath(QStringLiteral("regiszter.db")));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY2(q.exec(sql), qPrintable(sql));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("kulso"));
}

// The places and bookings of a register, keys and money included, as text.
QStringList penzSorok(Database &db)
{
    QStringList r;
    for (const char *sql : {"SELECT ugyfel, ugyfel_nev, ossz_dij, ossz_jut FROM ugyfel ORDER BY ugyfel",
                            "SELECT foglalas, foglalaz, ugyfel, dat_tol, ossz_dij, ar_fogl FROM foglalas ORDER BY 1"}) {
        const auto st = db.prepare(QString::fromLatin1(sql));
        while (st->next()) {
            QStringList sor;
            for (int i = 0; i < st->columnCount(); ++i)
                sor << st->value(i).toString();
            r << sor.join(QLatin1Char('|'));
        }
    }
    return r;
}

QStringList emilSorok()
{
    data::Query q(Database::regiszter());
    q.setSql(QStringLiteral("SELECT emil, nev, kuldve, csoport, vnev, knev, honap, nap FROM emil ORDER BY rowid"));
    q.open();
    QStringList r;
    for (q.first(); !q.eof(); q.next()) {
        QStringList sor;
        for (int i = 0; i < q.fieldCount(); ++i)
            sor << (q.value(i).isNull() ? QStringLiteral("-") : q.value(i).toString());
        r << sor.join(QLatin1Char('|'));
    }
    return r;
}

void hely(int sorszam, const char *nev, const char *kapcs, const char *tul)
{
    Database::regiszter().exec(
        QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, kapcs_emil, tul_emil) VALUES (?, ?, ?, ?)"),
        {sorszam, QString::fromUtf8(nev), kapcs ? QVariant(QString::fromUtf8(kapcs)) : QVariant(),
         tul ? QVariant(QString::fromUtf8(tul)) : QVariant()});
}

}  // namespace

class TestArchivum : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); }
    void entriesOfTheWholeFolder();
    void deflatedFastWithoutZip64();
    void failureLeavesNoNewArchive_data();
    void failureLeavesNoNewArchive();
    void restoreAcceptsArchiveOfDataFolder();
    void restoreRefuses_data();
    void restoreRefuses();
    void restoreReplacesAfterArchivingOld();
    void restoreStopsWhenOldCannotBeArchived();
    void newsletterAddresses();
    void newsletterRefillTwiceAndEmpty();
    void newsletterErrorKeepsOldRows();
    void copyChecksBothSides_data();
    void copyChecksBothSides();
};

void TestArchivum::entriesOfTheWholeFolder()
{
    QTemporaryDir tmp;
    const QString adat = tmp.filePath(QStringLiteral("Data"));
    irFajl(adat + QStringLiteral("/regiszter.db"), "db");
    irFajl(adat + QStringLiteral("/.rejtett"), "hidden");
    irFajl(adat + QStringLiteral("/Dokumentumok/2026/szerződés.txt"), "doc");
    irFajl(adat + QStringLiteral("/csakolvas.txt"), "ro");
    QFile::setPermissions(adat + QStringLiteral("/csakolvas.txt"), QFile::ReadOwner | QFile::ReadGroup);
    QDir(adat).mkpath(QStringLiteral("ures/mappa"));
    // An archive of the same name already inside the folder: replaced, and
    // neither it nor the new one becomes an entry.
    const QString zip = adat + QStringLiteral("/mentes.zip");
    irFajl(zip, "earlier");

    QCOMPARE(AdatMappaArchival(adat, zip), 4);
    const QStringList vart{".rejtett", "Dokumentumok/2026/szerződés.txt", "csakolvas.txt", "regiszter.db"};
    QCOMPARE(ArchivBejegyzesek(zip), vart);

    // Written outside the folder, an archive takes the one inside as any
    // other file.
    const QString kint = tmp.filePath(QStringLiteral("Archiv/kint.zip"));
    QDir().mkpath(QFileInfo(kint).path());
    QCOMPARE(AdatMappaArchival(adat, kint), 5);
    QCOMPARE(ArchivBejegyzesek(kint),
             (QStringList{".rejtett", "Dokumentumok/2026/szerződés.txt", "csakolvas.txt", "mentes.zip", "regiszter.db"}));

    // Another tool reads it back byte for byte.
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        QSKIP("unzip is not installed");
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, QStringLiteral("Dokumentumok/2026/szerződés.txt")});
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.readAllStandardOutput(), QByteArray("doc"));
}

void TestArchivum::deflatedFastWithoutZip64()
{
    QTemporaryDir tmp;
    const QString adat = tmp.filePath(QStringLiteral("Data"));
    QByteArray nagy;
    for (int i = 0; i < 200000; ++i)
        nagy += "sor " + QByteArray::number(i % 977) + "\n";
    irFajl(adat + QStringLiteral("/nagy.txt"), nagy);
    irFajl(adat + QStringLiteral("/al/kicsi.txt"), "kicsi kicsi kicsi kicsi");
    const QString zip = tmp.filePath(QStringLiteral("a.zip"));
    AdatMappaArchival(adat, zip);

    const QByteArray bajtok = olvasFajl(zip);
    QVERIFY(bajtok.size() < nagy.size() / 3);
    const QVector<Kozponti> bejegyzesek = kozpontiKonyvtar(bajtok);
    QCOMPARE(bejegyzesek.size(), 2);
    for (const Kozponti &k : bejegyzesek) {
        QCOMPARE(k.modszer, 8);                 // deflate
        QCOMPARE(k.jelzok & 0x6, 0x4);          // its fast levels
        QVERIFY2(!k.extraAzonositok.contains(0x0001), qPrintable(k.nev));  // no zip64 sizes
    }
    QVERIFY(!bajtok.contains(QByteArray("PK\x06\x06", 4)));  // no zip64 end record

    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        QSKIP("unzip is not installed");
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-t"), zip});
    QVERIFY(p.waitForFinished());
    const QByteArray kimenet = p.readAllStandardOutput();
    QCOMPARE(p.exitCode(), 0);
    QVERIFY2(kimenet.contains("No errors detected"), kimenet.constData());
}

void TestArchivum::failureLeavesNoNewArchive_data()
{
    QTest::addColumn<QString>("hogyan");
    QTest::addColumn<bool>("voltKorabbi");
    QTest::newRow("hibás hivatkozás") << "link" << false;
    QTest::newRow("hibás hivatkozás, korábbi archívum") << "link" << true;
    QTest::newRow("megszakítva írás közben") << "megszakit" << false;
    QTest::newRow("megszakítva, korábbi archívum") << "megszakit" << true;
    QTest::newRow("nem létező célmappa") << "celmappa" << false;
}

void TestArchivum::failureLeavesNoNewArchive()
{
    QFETCH(QString, hogyan);
    QFETCH(bool, voltKorabbi);
    QTemporaryDir tmp;
    const QString adat = tmp.filePath(QStringLiteral("Data"));
    QByteArray nagy;
    for (int i = 0; i < 300000; ++i)
        nagy += QByteArray::number(qint64(i) * 7919 % 1000003) + ";";
    irFajl(adat + QStringLiteral("/regiszter.db"), nagy);
    irFajl(adat + QStringLiteral("/z.txt"), nagy);
    const QString celMappa = tmp.filePath(hogyan == QLatin1String("celmappa") ? "nincs/ilyen" : "Archiv");
    if (hogyan != QLatin1String("celmappa"))
        QDir().mkpath(celMappa);
    const QString zip = celMappa + QStringLiteral("/20261209.zip");
    if (voltKorabbi)
        irFajl(zip, "a whole earlier archive");

    ArchivFolyamat folyamat;
    int jelzesek = 0;
    if (hogyan == QLatin1String("link")) {
        // A link whose file is gone: unreadable even for root.
        QVERIFY(QDir(adat).mkpath(QStringLiteral("al")));
        QVERIFY(QFile::link(tmp.filePath(QStringLiteral("nincs.db")), adat + QStringLiteral("/al/eltunt.db")));
    } else if (hogyan == QLatin1String("megszakit")) {
        folyamat = [&](double resz) {
            ++jelzesek;
            return resz < 0.3;
        };
    }
    QString uzenet;
    try {
        AdatMappaArchival(adat, zip, folyamat);
    } catch (const DbError &e) {
        uzenet = e.message();
    }
    QVERIFY(!uzenet.isEmpty());
    if (hogyan == QLatin1String("link"))
        QVERIFY2(uzenet.contains(QStringLiteral("eltunt.db")), qPrintable(uzenet));
    if (hogyan == QLatin1String("megszakit")) {
        QVERIFY(jelzesek > 1);  // stopped while the files were being written
        QVERIFY2(uzenet.contains(QStringLiteral("megszakítva")), qPrintable(uzenet));
    }
    // Nothing that looks like the new archive; an earlier one stays whole.
    QCOMPARE(QFileInfo::exists(zip), voltKorabbi);
    if (voltKorabbi)
        QCOMPARE(olvasFajl(zip), QByteArray("a whole earlier archive"));
    const QStringList maradt = QDir(celMappa).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(maradt, voltKorabbi ? QStringList{"20261209.zip"} : QStringList{});
}

void TestArchivum::restoreAcceptsArchiveOfDataFolder()
{
    testsupport::TempDataFolder forras;
    QVERIFY2(forras.isValid(), qPrintable(forras.error()));
    irFajl(forras.path() + QStringLiteral("/al/jegyzet.txt"), "x");
    QTemporaryDir tmp;
    const QString zip = tmp.filePath(QStringLiteral("jo.zip"));
    AdatMappaArchival(forras.path(), zip);

    testsupport::TempDataFolder cel;
    AdatVisszatoltes v(cel.path(), zip);
    v.ellenoriz();
    const QString kicsomagolt = v.ideiglenesMappa();
    QCOMPARE(QFileInfo(kicsomagolt).absolutePath(), QFileInfo(cel.path()).absolutePath());
    QCOMPARE(olvasFajl(kicsomagolt + QStringLiteral("/al/jegyzet.txt")), QByteArray("x"));
    QCOMPARE(olvasFajl(kicsomagolt + QStringLiteral("/regiszter.db")), olvasFajl(forras.dbFile()));
}

void TestArchivum::restoreRefuses_data()
{
    QTest::addColumn<QString>("fajta");
    QTest::addColumn<QString>("uzenetben");
    QTest::newRow("nem zip") << "szoveg" << "nem olvasható zip";
    QTest::newRow("idegen zip") << "idegen" << "nincs a gyökerében regiszter.db";
    QTest::newRow("adatbázis almappában") << "almappa" << "nincs a gyökerében regiszter.db";
    QTest::newRow("sérült adatbázis") << "serult" << "nem használható";
    QTest::newRow("hiányzó tábla") << "hianyos" << "emil";
    QTest::newRow("kifelé mutató név") << "kifele" << "kívülre";
    QTest::newRow("4 GB-ot ígér") << "bomba" << "nem lehet egy iroda adatmappája";
    QTest::newRow("többet ad, mint ígér") << "hamis" << "többet tartalmaz";
}

void TestArchivum::restoreRefuses()
{
    QFETCH(QString, fajta);
    QFETCH(QString, uzenetben);
    testsupport::TempDataFolder cel;
    QVERIFY2(cel.isValid(), qPrintable(cel.error()));
    const QByteArray eredeti = olvasFajl(cel.dbFile());
    QTemporaryDir tmp;
    const QString zip = tmp.filePath(QStringLiteral("x.zip"));
    QByteArray db = eredeti;
    if (fajta == QLatin1String("szoveg")) {
        irFajl(zip, "ez egy szöveg, nem archívum");
    } else if (fajta == QLatin1String("idegen")) {
        irZip(zip, {{"level.txt", "hello"}, {"kepek/a.png", "png"}});
    } else if (fajta == QLatin1String("almappa")) {
        irZip(zip, {{"Data/regiszter.db", db}});
    } else if (fajta == QLatin1String("serult")) {
        // The header stays, the pages are overwritten.
        for (int i = 100; i < db.size(); ++i)
            db[i] = char(i * 31);
        irZip(zip, {{"regiszter.db", db}});
    } else if (fajta == QLatin1String("hianyos")) {
        testsupport::TempDataFolder masik;
        mappabaIr(masik.path(), QStringLiteral("DROP TABLE emil"));
        irZip(zip, {{"regiszter.db", olvasFajl(masik.dbFile())}});
    } else if (fajta == QLatin1String("kifele")) {
        irZip(zip, {{"regiszter.db", db}, {"../kivul.txt", "x"}});
    } else {
        irZip(zip, {{"regiszter.db", db}, {"nulla.bin", QByteArray(100000, '\0')}});
        meretetHamisit(zip, fajta == QLatin1String("bomba") ? 0xFFFFFFF0u : 10u);
    }
    AdatVisszatoltes v(cel.path(), zip);
    QString uzenet;
    try {
        v.ellenoriz();
    } catch (const DbError &e) {
        uzenet = e.message();
    }
    QVERIFY2(uzenet.contains(uzenetben), qPrintable(uzenet));
    // Nothing changed: the data folder as it was, nothing unpacked left.
    QCOMPARE(olvasFajl(cel.dbFile()), eredeti);
    QCOMPARE(testverMappak(cel.path()), QStringList());
    QVERIFY(!QFileInfo::exists(QFileInfo(cel.path()).absolutePath() + QStringLiteral("/kivul.txt")));
    QVERIFY_THROWS_EXCEPTION(DbError, v.csere(tmp.filePath(QStringLiteral("elozo.zip"))));
    QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("elozo.zip"))));
}

void TestArchivum::restoreReplacesAfterArchivingOld()
{
    testsupport::TempDataFolder jelen;
    testsupport::TempDataFolder regi;
    QVERIFY2(jelen.isValid() && regi.isValid(), qPrintable(jelen.error()));
    mappabaIr(jelen.path(), QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (1, 'Mai adat')"));
    irFajl(jelen.path() + QStringLiteral("/csak_most.txt"), "most");
    mappabaIr(regi.path(), QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (1, 'Tavalyi adat')"));
    irFajl(regi.path() + QStringLiteral("/al/tavaly.txt"), "tavaly");
    QTemporaryDir tmp;
    const QString zip = tmp.filePath(QStringLiteral("tavaly.zip"));
    AdatMappaArchival(regi.path(), zip);

    const QString elozo = tmp.filePath(QStringLiteral("Archiv/elotte.zip"));
    QDir().mkpath(QFileInfo(elozo).path());
    AdatVisszatoltes v(jelen.path(), zip);
    v.ellenoriz();
    v.csere(elozo);
    // The passwords are inside: the archive and what it restored are their owner's only.
    for (const QString &f : {elozo, jelen.path(), jelen.path() + QStringLiteral("/al/tavaly.txt")})
        QVERIFY2(!(QFileInfo(f).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther)), qPrintable(f));

    QCOMPARE(mappabol(jelen.path(), QStringLiteral("SELECT ugyfel_nev FROM ugyfel")).toString(),
             QStringLiteral("Tavalyi adat"));
    QCOMPARE(olvasFajl(jelen.path() + QStringLiteral("/al/tavaly.txt")), QByteArray("tavaly"));
    QVERIFY(!QFileInfo::exists(jelen.path() + QStringLiteral("/csak_most.txt")));
    QCOMPARE(testverMappak(jelen.path()), QStringList());  // old folder and unpacked one gone

    // The data of before is in the archive made first.
    QCOMPARE(ArchivBejegyzesek(elozo), (QStringList{"csak_most.txt", "regiszter.db"}));
    testsupport::TempDataFolder vissza;
    AdatVisszatoltes v2(vissza.path(), elozo);
    v2.ellenoriz();
    QCOMPARE(mappabol(v2.ideiglenesMappa(), QStringLiteral("SELECT ugyfel_nev FROM ugyfel")).toString(),
             QStringLiteral("Mai adat"));
}

void TestArchivum::restoreStopsWhenOldCannotBeArchived()
{
    testsupport::TempDataFolder jelen;
    testsupport::TempDataFolder regi;
    mappabaIr(jelen.path(), QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (1, 'Mai adat')"));
    QTemporaryDir tmp;
    const QString zip = tmp.filePath(QStringLiteral("regi.zip"));
    AdatMappaArchival(regi.path(), zip);
    AdatVisszatoltes v(jelen.path(), zip);
    v.ellenoriz();
    // A copy of before that would lie inside the data folder is refused,
    // and so is one whose folder is missing.
    for (const QString &elozo : {jelen.path() + QStringLiteral("/elotte.zip"), tmp.filePath(QStringLiteral("nincs/elotte.zip"))})
        QVERIFY_THROWS_EXCEPTION(DbError, v.csere(elozo));
    QCOMPARE(mappabol(jelen.path(), QStringLiteral("SELECT ugyfel_nev FROM ugyfel")).toString(),
             QStringLiteral("Mai adat"));
    QVERIFY(!QFileInfo::exists(jelen.path() + QStringLiteral("/elotte.zip")));
    // The checked folder is still there for another try.
    v.csere(tmp.filePath(QStringLiteral("elotte.zip")));
    QCOMPARE(mappabol(jelen.path(), QStringLiteral("SELECT COUNT(*) FROM ugyfel")).toInt(), 0);
}

void TestArchivum::newsletterAddresses()
{
    testsupport::OpenRegister reg;
    hely(3, "Cédrus Villa", "cedrus@example.hu", "tulaj@example.hu");
    hely(1, "Almás Panzió", nullptr, "almas.tulaj@example.hu");  // owner only
    hely(2, "Bükk Ház", "  ", "  bukk@example.hu ");              // blank contact, padded owner
    hely(4, "Dió Lak", "", nullptr);                              // no address
    hely(5, "Erdő Kúria", "CEDRUS@example.hu", nullptr);          // the same address: a row of its own
    hely(6, "Fenyő Ház", "fenyo@example.hu", "fenyo@example.hu");
    const int n = KorpostaFeltoltes(Database::regiszter());
    const QStringList vart{
        "almas.tulaj@example.hu|Almás Panzió|false|0|-|-|0|0",
        "bukk@example.hu|Bükk Ház|false|0|-|-|0|0",
        "cedrus@example.hu|Cédrus Villa|false|0|-|-|0|0",
        "CEDRUS@example.hu|Erdő Kúria|false|0|-|-|0|0",
        "fenyo@example.hu|Fenyő Ház|false|0|-|-|0|0",
    };
    QCOMPARE(emilSorok(), vart);
    QCOMPARE(n, vart.size());
}

void TestArchivum::newsletterRefillTwiceAndEmpty()
{
    testsupport::OpenRegister reg;
    Database &db = Database::regiszter();
    db.exec(QStringLiteral("INSERT INTO emil (emil, nev) VALUES ('regi@example.hu', 'Régi')"));
    hely(1, "Almás Panzió", "almas@example.hu", nullptr);
    hely(2, "Bükk Ház", "bukk@example.hu", nullptr);
    QCOMPARE(KorpostaFeltoltes(db), 2);
    const QStringList egyszer = emilSorok();
    QCOMPARE(KorpostaFeltoltes(db), 2);
    QCOMPARE(emilSorok(), egyszer);
    QCOMPARE(egyszer.size(), 2);

    db.exec(QStringLiteral("UPDATE ugyfel SET kapcs_emil = NULL"));
    QCOMPARE(KorpostaFeltoltes(db), 0);
    QCOMPARE(emilSorok(), QStringList());
}

void TestArchivum::newsletterErrorKeepsOldRows()
{
    testsupport::OpenRegister reg;
    Database &db = Database::regiszter();
    constexpr int kHelyek = 600;
    {
        data::UnitOfWork unit(db);
        for (int i = 1; i <= kHelyek; ++i)
            db.exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, kapcs_emil) VALUES (?, ?, ?)"),
                    {i, QStringLiteral("Hely %1").arg(i), QStringLiteral("hely%1@example.hu").arg(i)});
        unit.commit();
    }
    QCOMPARE(KorpostaFeltoltes(db), kHelyek);
    const QStringList elotte = emilSorok();
    db.exec(QStringLiteral("UPDATE ugyfel SET kapcs_emil = 'uj' || kapcs_emil"));

    // The places cannot be read near the end: the engine fails there, long
    // after the table was emptied and hundreds of rows were moved.
    const QString hibas = QStringLiteral(
        "SELECT CASE WHEN sorszam = %1 THEN abs(-9223372036854775807 - 1) ELSE kapcs_emil END AS emil, "
        "ugyfel_nev AS nev FROM ugyfel").arg(kHelyek - 10);
    QVERIFY_THROWS_EXCEPTION(DbError, KorpostaFeltoltes(db, hibas));
    QCOMPARE(emilSorok(), elotte);
    QVERIFY(!db.inTransaction());
    // The next refill works again.
    QCOMPARE(KorpostaFeltoltes(db), kHelyek);
    QVERIFY(emilSorok().first().startsWith(QStringLiteral("ujhely1@")));
}

void TestArchivum::copyChecksBothSides_data()
{
    QTest::addColumn<QString>("cel");        // "uj": a new data folder; "teli", "csere": one with rows
    QTest::addColumn<QString>("tabla");      // the table after whose copy the target is tampered with
    QTest::addColumn<QString>("hamisitas");
    QTest::addColumn<QString>("uzenetben");  // empty: the copy stands
    const QString dij = QStringLiteral("UPDATE foglalas SET ossz_dij = ossz_dij + %1 WHERE foglalas = 5");
    QTest::newRow("új adatmappába") << "uj" << "" << "" << "";
    QTest::newRow("adatokat tartalmazó célba nem") << "teli" << "" << "" << "már tartalmaz adatokat";
    QTest::newRow("fél fillér alatti eltérés") << "uj" << "foglalas" << dij.arg(0.004) << "";
    QTest::newRow("meghamisított összeg") << "uj" << "foglalas" << dij.arg(0.01) << "eltérnek (foglalas)";
    QTest::newRow("egy sorral több") << "uj" << "ugyfel" << "INSERT INTO ugyfel (sorszam) VALUES (9)"
                                     << "eltérnek (ugyfel)";
    QTest::newRow("felülírás") << "csere" << "" << "" << "";
    QTest::newRow("felülírás eltéréssel") << "csere" << "foglalas" << dij.arg(0.01) << "eltérnek (foglalas)";
}

void TestArchivum::copyChecksBothSides()
{
    QFETCH(QString, cel);
    QFETCH(QString, tabla);
    QFETCH(QString, hamisitas);
    QFETCH(QString, uzenetben);
    testsupport::OpenRegister reg;
    Database &forras = Database::regiszter();
    for (int i = 1; i <= 3; ++i) {
        forras.exec(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, ossz_dij, ossz_jut) VALUES (?, ?, ?, ?, ?)"),
                    {i * 7, i, QStringLiteral("Hely %1").arg(i), 1000.1 * i, 100.01 * i});
        forras.exec(QStringLiteral("INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol, ossz_dij, ar_fogl) "
                                   "VALUES (?, ?, ?, ?, ?, ?)"),
                    {i * 5, i, i * 7, QStringLiteral("2026-12-0%1").arg(i), 1000.1 * i, 33.33 * i});
    }
    testsupport::TempDataFolder regi;
    QTemporaryDir tmp;
    Database celDb(QStringLiteral("masolat_cel"));
    if (cel == QLatin1String("uj")) {
        data::openNewDataFolder(celDb, tmp.filePath(QStringLiteral("Uj")));
    } else {
        celDb.params() << QStringLiteral("PATH=") + regi.path();
        celDb.open();
        celDb.exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (1, 'Régi hely')"));
    }
    const QStringList elotte = cel == QLatin1String("uj") ? QStringList() : penzSorok(celDb);
    auto hamisit = [&](const QString &t, qint64) {
        if (t == tabla)
            celDb.exec(std::exchange(hamisitas, QString()));
    };
    QString uzenet;
    try {
        const auto ellenorzes = cel == QLatin1String("csere") ? data::replaceRegister(forras, celDb, hamisit)
                                                              : data::copyRegister(forras, celDb, hamisit);
        QVERIFY(std::all_of(ellenorzes.begin(), ellenorzes.end(), [](const data::CopyCheck &c) { return c.same(); }));
    } catch (const DbError &e) {
        uzenet = e.message();
    }
    if (!uzenetben.isEmpty()) {
        QVERIFY2(uzenet.contains(uzenetben), qPrintable(uzenet));
        // Nothing of the copy stayed: not even the tables of a new file.
        QCOMPARE(celDb.connection().tables().isEmpty() ? QStringList() : penzSorok(celDb), elotte);
        return;
    }
    QVERIFY2(uzenet.isEmpty(), qPrintable(uzenet));
    if (tabla.isEmpty())
        QCOMPARE(penzSorok(celDb), penzSorok(forras));
    QCOMPARE(celDb.insert(QStringLiteral("INSERT INTO foglalas (foglalaz) VALUES (4)"), {}, QStringLiteral("foglalas")), 16);
}

QTEST_GUILESS_MAIN(TestArchivum)
#include "tst_archivum.moc"
