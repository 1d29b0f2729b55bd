// The main window's archive, restore and newsletter actions: the dialogs
// they show, the messages, and the list that comes back where it was.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "common/fajlvalaszto.h"
#include "common/kulsomegnyit.h"
#include "common/programmappa.h"
#include "data/database.h"
#include "data/table.h"
#include "reports/archivum.h"
#include "testsupport.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using data::Database;

class TestArchivAblak : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::OpenRegister> m_reg;
    std::unique_ptr<testsupport::DobozFelvevo> m_dobozok;
    TBeall m_beall;
    std::unique_ptr<Tfrm_Main> m_ablak;
    QList<FajlKeres> m_keresek;  // the dialogs asked for
    QString m_valasz;            // what the next dialog answers
    QStringList m_inditott;

    data::Table *tbl() const { return m_ablak->Tbl(); }
    QString hely() const { return tbl()->asString(QStringLiteral("ugyfel_nev")); }
    void futtat(const char *akcio) { m_ablak->akcio(QString::fromUtf8(akcio))->trigger(); }
    QString archivMappa() const { return QDir(m_reg->folder().root()).filePath(QStringLiteral("Archiv")); }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void archiveReopensListWhereItWas();
    void archiveCancelledChangesNothing();
    void restoreRefusesForeignZip();
    void restoreReplacesAndReopens();
    void newsletterAsksTwice();
};

void TestArchivAblak::initTestCase()
{
    testsupport::useHungarianLocale();
    m_reg = std::make_unique<testsupport::OpenRegister>();
    m_dobozok = std::make_unique<testsupport::DobozFelvevo>();
    setProgramMappa(m_reg->folder().root());
    Database &db = Database::regiszter();
    const char *nevek[] = {"Almás Panzió", "Bükk Ház", "Cédrus Villa", "Dió Lak", "Erdő Kúria", "Fenyő Ház"};
    int s = 0;
    for (const char *n : nevek) {
        ++s;
        db.exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, terulet, kapcs_emil) VALUES (?, ?, ?, ?)"),
                {7 - s, QString::fromUtf8(n), s % 2, s == 2 ? QVariant() : QVariant(QStringLiteral("h%1@example.hu").arg(s))});
    }
    setFajlKeresValaszto([this](QWidget *, const FajlKeres &k) {
        m_keresek << k;
        return m_valasz;
    });
    setKulsoIndito([this](const QString &cel) { m_inditott << cel; });
    m_ablak = std::make_unique<Tfrm_Main>(db, m_beall);
    QVERIFY(m_ablak->Indit());
}

void TestArchivAblak::cleanupTestCase()
{
    setFajlKeresValaszto({});
    setKulsoIndito({});
    m_ablak.reset();
    m_dobozok.reset();
    m_reg.reset();
}

void TestArchivAblak::init()
{
    m_keresek.clear();
    m_inditott.clear();
    m_dobozok->hibak.clear();
    m_dobozok->uzenetek.clear();
    m_dobozok->kerdesek.clear();
    m_dobozok->kerdesCimek.clear();
    m_dobozok->valaszok.clear();
}

void TestArchivAblak::archiveReopensListWhereItWas()
{
    // By name, filtered to odd areas, on the second of the passing rows.
    futtat("aSorrendNev");
    tbl()->setFilter(QStringLiteral("terulet=1"));
    tbl()->setFiltered(true);
    QCOMPARE(tbl()->recordCount(), 3);
    tbl()->setCurrentRow(1);
    const QString elotte = hely();
    QCOMPARE(elotte, QStringLiteral("Cédrus Villa"));
    const QString szamlalo = m_ablak->panelSzoveg(0);

    const QString zip = QDir(archivMappa()).filePath(QStringLiteral("proba.zip"));
    m_valasz = zip.left(zip.size() - 4);  // typed without its extension
    futtat("aArchival");

    QCOMPARE(m_keresek.size(), 1);
    const FajlKeres &k = m_keresek.first();
    QVERIFY(k.mentes);
    QCOMPARE(k.cim, QStringLiteral("Adatbázis mentése"));
    QCOMPARE(k.tipusok, QStringLiteral("ZIP archívumok (*.zip)"));
    QCOMPARE(k.kiterjesztes, QStringLiteral("zip"));
    QCOMPARE(k.kezdet, QDir(archivMappa()).filePath(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + ".zip"));
    QCOMPARE(m_dobozok->hibak, QStringList());
    QCOMPARE(m_dobozok->uzenetek, QStringList{"Archív állomány kész."});
    QVERIFY(ArchivBejegyzesek(zip).contains(QStringLiteral("regiszter.db")));

    // The list is back: connected, same order, same filter, same place.
    QVERIFY(Database::regiszter().isOpen());
    QVERIFY(tbl()->isOpen());
    QCOMPARE(tbl()->indexFieldNames(), QStringLiteral("ugyfel_nev"));
    QVERIFY(tbl()->isFiltered());
    QCOMPARE(tbl()->recordCount(), 3);
    QCOMPARE(hely(), elotte);
    QCOMPARE(m_ablak->panelSzoveg(0), szamlalo);
    QVERIFY(m_ablak->TblXTip()->isOpen() && m_ablak->TblXTerulet()->isOpen());
    tbl()->setFiltered(false);

    // A list that an earlier failure left closed comes back too.
    tbl()->close();
    futtat("aArchival");
    QVERIFY(tbl()->isOpen());
}

void TestArchivAblak::archiveCancelledChangesNothing()
{
    tbl()->locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Dió Lak"));
    m_valasz.clear();
    QSignalSpy zarva(tbl(), &data::DataSet::closed);
    futtat("aArchival");
    QCOMPARE(m_keresek.size(), 1);
    QCOMPARE(zarva.count(), 0);
    QVERIFY(m_dobozok->uzenetek.isEmpty() && m_dobozok->hibak.isEmpty());
    QCOMPARE(hely(), QStringLiteral("Dió Lak"));
}

void TestArchivAblak::restoreRefusesForeignZip()
{
    QTemporaryDir tmp;
    const QString idegen = tmp.filePath(QStringLiteral("Adatok"));
    QDir().mkpath(idegen);
    QFile f(idegen + QStringLiteral("/level.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("szia");
    f.close();
    const QString zip = tmp.filePath(QStringLiteral("idegen.zip"));
    AdatMappaArchival(idegen, zip);
    tbl()->locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Bükk Ház"));
    QSignalSpy zarva(tbl(), &data::DataSet::closed);
    m_valasz = zip;
    futtat("aVisszatolt");

    QCOMPARE(m_keresek.size(), 1);
    QVERIFY(!m_keresek.first().mentes);
    QCOMPARE(m_keresek.first().kezdet, archivMappa());
    QCOMPARE(m_dobozok->hibak.size(), 1);
    QVERIFY2(m_dobozok->hibak.first().startsWith(QStringLiteral("Az archívum nem tölthető vissza")),
             qPrintable(m_dobozok->hibak.first()));
    QVERIFY(m_dobozok->kerdesek.isEmpty());
    QCOMPARE(zarva.count(), 0);
    QCOMPARE(hely(), QStringLiteral("Bükk Ház"));
}

void TestArchivAblak::restoreReplacesAndReopens()
{
    // An archive of today's data; then a place is renamed and the archive
    // brought back, first answering No, then Yes.
    const QString zip = QDir(archivMappa()).filePath(QStringLiteral("vissza.zip"));
    m_valasz = zip;
    futtat("aArchival");
    QCOMPARE(m_dobozok->uzenetek, QStringList{"Archív állomány kész."});
    Database::regiszter().exec(QStringLiteral("UPDATE ugyfel SET ugyfel_nev = 'Átnevezett' WHERE ugyfel_nev = 'Erdő Kúria'"));
    tbl()->refresh();
    futtat("aSorrendSorszam");
    tbl()->locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Átnevezett"));
    const int sorszam = int(tbl()->asInteger(QStringLiteral("sorszam")));

    m_dobozok->valaszok = {false};
    futtat("aVisszatolt");
    QCOMPARE(m_dobozok->kerdesCimek, QStringList{"Megerősítés"});
    QVERIFY2(m_dobozok->kerdesek.first().contains(QStringLiteral("„vissza.zip”")), qPrintable(m_dobozok->kerdesek.first()));
    QCOMPARE(hely(), QStringLiteral("Átnevezett"));

    const QStringList elotte = QDir(archivMappa()).entryList({QStringLiteral("*_visszatoltes_elott.zip")});
    m_dobozok->valaszok = {true};
    futtat("aVisszatolt");
    QCOMPARE(m_dobozok->hibak, QStringList());
    QCOMPARE(m_dobozok->uzenetek.last().section(QLatin1Char('\r'), 0, 0), QStringLiteral("Az adatbázis visszatöltése kész."));
    const QStringList utana = QDir(archivMappa()).entryList({QStringLiteral("*_visszatoltes_elott.zip")});
    QCOMPARE(utana.size(), elotte.size() + 1);

    // The restored data, on the place that was current.
    QVERIFY(tbl()->isOpen());
    QCOMPARE(tbl()->indexFieldNames(), QStringLiteral("sorszam"));
    QCOMPARE(int(tbl()->asInteger(QStringLiteral("sorszam"))), sorszam);
    QCOMPARE(hely(), QStringLiteral("Erdő Kúria"));
}

void TestArchivAblak::newsletterAsksTwice()
{
    m_dobozok->valaszok = {false};
    futtat("aKorposta");
    QCOMPARE(m_dobozok->kerdesek, QStringList{"Az előzőleg legyűjtött e-mail adatok törlődnek. Folytatja?"});
    QCOMPARE(m_dobozok->kerdesCimek, QStringList{"Megerősítés"});

    m_dobozok->kerdesek.clear();
    m_dobozok->kerdesCimek.clear();
    m_dobozok->valaszok = {true, true};
    futtat("aKorposta");
    QCOMPARE(m_dobozok->kerdesCimek, (QStringList{"Megerősítés", "Kérdés"}));
    QCOMPARE(m_dobozok->kerdesek.last(), QStringLiteral("5 E-Mail cím hozzáadása kész. Indítsam a Korposta programot?"));
    QCOMPARE(m_inditott, QStringList{ProgramUtvonal(QStringLiteral("\\Korposta.exe"))});
}

QTEST_MAIN(TestArchivAblak)
#include "tst_archivablak.moc"
