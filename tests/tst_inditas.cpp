// Start-up and exit: the settings file, the data folder checks, the database
// connection, the login step and the settings dialog.

#include "app/beallitasok.h"
#include "app/belepes.h"
#include "app/foablakhely.h"
#include "app/inditas.h"
#include "app/inifajl.h"
#include "app/tfrm_beallit.h"
#include "data/adatmappa.h"
#include "data/adatmappazar.h"
#include "data/database.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::DobozFelvevo;
using testsupport::TempDataFolder;

namespace {

const QString kVissza = QStringLiteral("Nem létező adatbázis mappa, alapértelmezés visszaállítva.");
const QString kNincs = QStringLiteral("Nem létező adatbázis mappa.");
const QString kNemNyilik = QStringLiteral("Adatbázis megnyitása sikertelen");

QString nat(const QString &p)
{
    return QDir::toNativeSeparators(p);
}

QByteArray olvas(const QString &fajl)
{
    QFile f(fajl);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool ir(const QString &fajl, const QByteArray &tartalom)
{
    QFile f(fajl);
    return f.open(QIODevice::WriteOnly) && f.write(tartalom) == tartalom.size();
}

// Every file of a folder with the hash of its bytes.
QMap<QString, QByteArray> mappaAllapot(const QString &mappa)
{
    QMap<QString, QByteArray> m;
    const QStringList nevek = QDir(mappa).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &n : nevek)
        m.insert(n, QCryptographicHash::hash(olvas(QDir(mappa).filePath(n)), QCryptographicHash::Sha1));
    return m;
}

// A fake login that counts its calls.
struct Belepteto {
    int hivasok = 0;
    bool eredmeny = true;
    std::function<bool()> fv()
    {
        return [this] {
            ++hivasok;
            return eredmeny;
        };
    }
};

}  // namespace

class TstInditas : public QObject {
    Q_OBJECT

    // The settings record the start fills in and the exit writes.
    TBeall m_beall;
    static data::Database &adatbazis() { return data::Database::regiszter(); }

private Q_SLOTS:
    void init();
    void cleanup();

    void beallitasFajlNelkul();
    void hianyzoUtvonalAlapmappaVan();
    void mindketMappaHianyzik();
    void mindketMappaHianyzikFajlNelkul();
    void megnyithatatlanAdatbazis_data();
    void megnyithatatlanAdatbazis();
    void belepesNemSikerul();
    void masodikPeldany_data();
    void masodikPeldany();
    void kisNagybetusKulcsok();
    void masikMapparaNyitUjra();
    void teljesKepEsErtekekHelyben();
    void kilepesNemIrhato();
    void olvashatatlanBeallitasFajl();
    void ablakosKodlapMegmarad();
    void kodlapbanNemIrhatoNevUzenettel();
    void programMappaValodiBetukkel();
    void beallitasAblak();
    void foablakKeret_data();
    void foablakKeret();
};

void TstInditas::init()
{
    m_beall = TBeall();
    setProgramMappa(QString());
    if (data::Database::regiszter().isOpen())
        data::Database::regiszter().close();
}

void TstInditas::cleanup()
{
    if (data::Database::regiszter().isOpen())
        data::Database::regiszter().close();
    setProgramMappa(QString());
}

void TstInditas::beallitasFajlNelkul()
{
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    DobozFelvevo dobozok;
    Belepteto login;

    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(login.hivasok, 1);
    QCOMPARE(dobozok.hibak, QStringList());

    const TBeall &b = m_beall;
    QCOMPARE(b.TeljesKep, true);
    QCOMPARE(b.Utvonal, nat(mappa.path()));
    QCOMPARE(b.AlapVaros, QString());
    QCOMPARE(b.Tulajdonos, QString());
    QCOMPARE(b.Bal, 5);
    QCOMPARE(b.Felul, 5);
    QCOMPARE(b.Magas, 400);
    QCOMPARE(b.Szeles, 640);

    data::Database &db = data::Database::regiszter();
    QVERIFY(db.isOpen());
    QCOMPARE(db.params(), QStringList({"PATH=" + nat(mappa.path()), "DEFAULT DRIVER=PARADOX",
                                       "ENABLE BCD=FALSE"}));
    // Nothing to reset: the start itself writes no settings file.
    QVERIFY(!QFile::exists(BeallitasFajl()));

    Kilepes(adatbazis(), m_beall, QRect(12, 34, 800, 600));
    QCOMPARE(dobozok.hibak, QStringList());
    QVERIFY(!db.isOpen());
    QCOMPARE(BeallitasFajl(), nat(mappa.root() + "/Nyugvar.ini"));
    const QByteArray vart = "[Alapertek]\n"
                            "TeljesKep=1\n"
                            "Utvonal=" + nat(mappa.path()).toUtf8() + "\n"
                            "AlapVaros=\n"
                            "Bal=12\n"
                            "Felul=34\n"
                            "Magas=600\n"
                            "Szeles=800\n"
                            "\n"
                            "[Tulajdonos]\n"
                            "Tulajdonos=\n"
                            "TulCim=\n"
                            "TulTel=\n";
    QCOMPARE(olvas(BeallitasFajl()), vart);
}

void TstInditas::hianyzoUtvonalAlapmappaVan()
{
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    const QByteArray eredeti = "; saját megjegyzés\n"
                               "[Alapertek]\n"
                               "AlapVaros=Tihany\n"
                               "Utvonal=/nincs/ilyen/mappa\n"
                               "Bal=7\n";
    QVERIFY(ir(BeallitasFajl(), eredeti));
    DobozFelvevo dobozok;
    Belepteto login;
    // The file must hold the default path already when the login runs.
    QByteArray belepeskor;
    auto fv = [&] {
        belepeskor = olvas(BeallitasFajl());
        return login.fv()();
    };

    QVERIFY(Inditas(adatbazis(), m_beall, fv));
    QCOMPARE(dobozok.hibak, QStringList{kVissza});
    QCOMPARE(login.hivasok, 1);
    QCOMPARE(m_beall.Utvonal, nat(mappa.path()));
    QCOMPARE(m_beall.AlapVaros, QStringLiteral("Tihany"));
    QCOMPARE(m_beall.Bal, 7);
    QByteArray vart = eredeti;
    vart.replace("/nincs/ilyen/mappa", nat(mappa.path()).toUtf8());
    QCOMPARE(belepeskor, vart);
    QCOMPARE(data::Database::regiszter().path(), nat(mappa.path()));
}

void TstInditas::mindketMappaHianyzik()
{
    QTemporaryDir program;
    setProgramMappa(program.path());
    QVERIFY(ir(BeallitasFajl(), "[Alapertek]\r\nUtvonal=/nincs/ilyen\r\nTeljesKep=0\r\n"));
    DobozFelvevo dobozok;
    Belepteto login;

    QVERIFY(!Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(dobozok.hibak, QStringList({kVissza, kNincs}));
    QCOMPARE(login.hivasok, 0);
    QVERIFY(!data::Database::regiszter().isOpen());
    QCOMPARE(olvas(BeallitasFajl()),
             "[Alapertek]\r\nUtvonal=" + nat(program.path() + "/Data").toUtf8() + "\r\nTeljesKep=0\r\n");
    // Nothing else appears in the program folder.
    QCOMPARE(QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"Nyugvar.ini"});
}

void TstInditas::mindketMappaHianyzikFajlNelkul()
{
    // Without a settings file the default folder is checked, reported and
    // written just the same.
    QTemporaryDir program;
    setProgramMappa(program.path());
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(!Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(dobozok.hibak, QStringList({kVissza, kNincs}));
    QCOMPARE(login.hivasok, 0);
    QCOMPARE(olvas(BeallitasFajl()), "[Alapertek]\nUtvonal=" + nat(program.path() + "/Data").toUtf8() + "\n");
}

void TstInditas::megnyithatatlanAdatbazis_data()
{
    QTest::addColumn<QString>("eset");
    QTest::addColumn<bool>("beallitasFajl");
    QTest::addColumn<QString>("uzenetben");
    QTest::newRow("szövegfájl regiszter.db néven") << "szoveg" << false << "regiszter.db";
    QTest::newRow("hiányzó tábla") << "tabla" << true << "naplo";
    QTest::newRow("hiányzó adatbázisfájl") << "nincs" << true << "regiszter.db";
    // The restore is offered for each of them: declined above, done here.
    QTest::newRow("hiányzó tábla, archívumból vissza") << "visszatolt" << true << "naplo";
    QTest::newRow("tele lemez: csak olvasásra") << "tele" << true << "Megtelt a lemez";
    // On a server the folder is neither checked nor reset, nor restored.
    QTest::newRow("elérhetetlen kiszolgáló") << "kiszolgalo" << true << "/nincs-kiszolgalo:1/iroda";
}

void TstInditas::megnyithatatlanAdatbazis()
{
    QFETCH(QString, eset);
    QFETCH(bool, beallitasFajl);
    QFETCH(QString, uzenetben);

    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    if (eset == QLatin1String("szoveg")) {
        QVERIFY(QFile::remove(mappa.dbFile()));
        QVERIFY(ir(mappa.dbFile(), "Ez nem adatbázis, csak egy szövegfájl.\n"));
    } else if (eset == QLatin1String("tabla") || eset == QLatin1String("visszatolt")) {
        {
            QSqlDatabase kapcs = QSqlDatabase::addDatabase("QSQLITE", "tabla_torlo");
            kapcs.setDatabaseName(mappa.dbFile());
            QVERIFY(kapcs.open());
            QSqlQuery q(kapcs);
            QVERIFY(q.exec("DROP TABLE naplo"));
            kapcs.close();
        }
        QSqlDatabase::removeDatabase("tabla_torlo");
    } else if (eset == QLatin1String("tele")) {
        // Each write of the journal meets a full disk: it is /dev/full.
        if (QProcess::execute("mknod", {mappa.dbFile() + "-journal", "c", "1", "7"}) != 0)
            QSKIP("Making a device file takes root (CI runs as root).");
    } else if (eset != QLatin1String("kiszolgalo")) {
        QVERIFY(QFile::remove(mappa.dbFile()));
    }
    const QByteArray ini = "[Alapertek]\nTeljesKep=0\n" +
        QByteArray(eset != "kiszolgalo" ? "" : "Utvonal=/nincs\n[Adatbazis]\nMotor=PostgreSQL\nKiszolgalo=/nincs-kiszolgalo\nPort=1\nNev=iroda\n");
    if (beallitasFajl)
        QVERIFY(ir(BeallitasFajl(), ini));
    const auto adatElotte = mappaAllapot(mappa.path());
    const auto programElotte = mappaAllapot(mappa.root());

    DobozFelvevo dobozok;
    QStringList ajanlatok;
    TempDataFolder archivbol;
    const bool elindult = Inditas(adatbazis(), m_beall, [] { return Belepes(data::Database::regiszter()).ok("rendszergazda", "kapufal"); },
                                  [&](const QString &adatMappa) {
        ajanlatok << adatMappa;  // restored: a good database in its place
        return eset == "visszatolt" && QFile::remove(mappa.dbFile()) && QFile::copy(archivbol.dbFile(), mappa.dbFile());
    });
    QCOMPARE(ajanlatok, QStringList(eset != "tele" && eset != "kiszolgalo", mappa.path()));
    QCOMPARE(elindult, eset == "visszatolt" || eset == "tele");
    QCOMPARE(dobozok.hibak.size(), 1);
    const QString uzenet = dobozok.hibak.first();
    QVERIFY2(uzenet.startsWith(eset == "tele" ? "Az adatok csak olvasásra" : kNemNyilik + "\n"), qPrintable(uzenet));
    // The engine's reason follows on the next line and names the culprit.
    QVERIFY2(uzenet.mid(kNemNyilik.size() + 1).contains(uzenetben), qPrintable(uzenet));
    if (elindult) {
        // Only data that can be saved keep a log of the login.
        QSqlQuery naplo(data::Database::regiszter().connection());
        QVERIFY(naplo.exec("SELECT COUNT(*) FROM naplo") && naplo.next());
        QCOMPARE(naplo.value(0).toInt(), int(eset == "visszatolt"));
        return;
    }
    QVERIFY(!data::Database::regiszter().isOpen());
    // Nothing was created or changed, the settings file included.
    QCOMPARE(mappaAllapot(mappa.path()), adatElotte);
    QCOMPARE(mappaAllapot(mappa.root()), programElotte);
    QCOMPARE(QFile::exists(BeallitasFajl()), beallitasFajl);
}

void TstInditas::belepesNemSikerul()
{
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    DobozFelvevo dobozok;
    Belepteto login;
    login.eredmeny = false;
    QVERIFY(!Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(login.hivasok, 1);
    // No message of its own; the database is closed and no settings written.
    QCOMPARE(dobozok.hibak, QStringList());
    QVERIFY(!data::Database::regiszter().isOpen());
    QVERIFY(!QFile::exists(BeallitasFajl()));

    // A login that fails inside the engine reports the engine's message.
    auto hibas = []() -> bool { throw data::DbError(QStringLiteral("a felhasznalo tábla zárolva")); };
    QVERIFY(!Inditas(adatbazis(), m_beall, hibas));
    QCOMPARE(dobozok.hibak, QStringList{"a felhasznalo tábla zárolva"});
    QVERIFY(!data::Database::regiszter().isOpen());
}

void TstInditas::masodikPeldany_data()
{
    QTest::addColumn<QByteArray>("zar");      // the lock file found at start; "fut": a running copy's
    QTest::addColumn<QString>("uzenetben");  // in the warning; empty: no warning, the lock is ours
    QTest::newRow("first start") << QByteArray() << QString();
    QTest::newRow("second start") << QByteArray("fut") << "folyamat: " + QString::number(QCoreApplication::applicationPid());
    QTest::newRow("crashed copy") << "99999999\nnyugvar\n" + QSysInfo::machineHostName().toUtf8() + "\n" << QString();
}

void TstInditas::masodikPeldany()
{
    QFETCH(QByteArray, zar);
    QFETCH(QString, uzenetben);
    TempDataFolder mappa;
    setProgramMappa(mappa.root());
    AdatMappaZar masik, sajat;
    QVERIFY(zar == "fut" ? masik.lefoglal(mappa.path()).isEmpty() : zar.isEmpty() || ir(mappa.path() + "/" + kAdatMappaZarNev, zar));
    DobozFelvevo dobozok;
    QVERIFY(Inditas(adatbazis(), m_beall, [] { return true; }, {}, &sajat));
    // Warned, naming the holder, exactly when the lock stayed another's.
    QCOMPARE(sajat.foglalt(), dobozok.uzenetek.filter(uzenetben).isEmpty());
}

void TstInditas::kisNagybetusKulcsok()
{
    // The data folder named in the file, in a section and key spelled in
    // capitals, not the default one.
    TempDataFolder alap, masik;
    QVERIFY2(alap.isValid() && masik.isValid(), qPrintable(alap.error() + masik.error()));
    setProgramMappa(alap.root());
    QVERIFY(ir(BeallitasFajl(), "[ALAPERTEK]\nUTVONAL=" + nat(masik.path()).toUtf8() +
                                    "\nteljeskep=0\nSZELES=1024\n[TULAJDONOS]\ntulcim=Fő tér 1.\n"));
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(data::Database::regiszter().path(), nat(masik.path()));
    QCOMPARE(m_beall.Utvonal, nat(masik.path()));
    QCOMPARE(m_beall.TeljesKep, false);
    QCOMPARE(m_beall.Szeles, 1024);
    QCOMPARE(m_beall.TulCim, QStringLiteral("Fő tér 1."));

    // At exit the same lines are rewritten: no second key, no new section.
    Kilepes(adatbazis(), m_beall, QRect(1, 2, 3, 4));
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(olvas(BeallitasFajl()),
             "[ALAPERTEK]\nUTVONAL=" + nat(masik.path()).toUtf8() +
                 "\nteljeskep=0\nSZELES=3\nAlapVaros=\nBal=1\nFelul=2\nMagas=4\n"
                 "[TULAJDONOS]\ntulcim=Fő tér 1.\nTulajdonos=\nTulTel=\n");
}

void TstInditas::masikMapparaNyitUjra()
{
    // A database left open on another folder is closed and opened on the
    // folder of the settings, with exactly the three parameters.
    TempDataFolder regi, uj;
    QVERIFY2(regi.isValid() && uj.isValid(), qPrintable(regi.error() + uj.error()));
    data::Database &db = data::Database::regiszter();
    db.params() = QStringList{"PATH=" + regi.path(), "MAS=1"};
    db.open();
    QVERIFY(db.isOpen());

    setProgramMappa(uj.root());
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QVERIFY(db.isOpen());
    QCOMPARE(db.path(), nat(uj.path()));
    QCOMPARE(db.params(), QStringList({"PATH=" + nat(uj.path()), "DEFAULT DRIVER=PARADOX",
                                       "ENABLE BCD=FALSE"}));
}

void TstInditas::teljesKepEsErtekekHelyben()
{
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    const QByteArray eredeti = "[Alapertek]\n"
                               "TeljesKep=5\n"
                               "Bal=30\n"
                               "Felul=40\n"
                               "Magas=500\n"
                               "Szeles=700\n"
                               "Ismeretlen=marad\n"
                               "\n"
                               "[Tulajdonos]\n"
                               "Tulajdonos=Nagy Béla\n"
                               "TulCim=Balatonfüred\n"
                               "TulTel=87/123-456\n"
                               "\n"
                               "[Frisseny]\n"
                               "Verzio=3\n";
    QVERIFY(ir(BeallitasFajl(), eredeti));
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(m_beall.TeljesKep, true);  // any integer other than 0
    QCOMPARE(m_beall.Bal, 30);
    QCOMPARE(m_beall.Tulajdonos, QStringLiteral("Nagy Béla"));

    // Full screen on: the window's real place and size are stored, so the
    // window opens at that size when full screen is turned off.
    m_beall.AlapVaros = QStringLiteral("Siófok");
    Kilepes(adatbazis(), m_beall, QRect(0, 0, 1920, 1040));
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(olvas(BeallitasFajl()),
             QByteArray("[Alapertek]\n"
                        "TeljesKep=1\n"
                        "Bal=0\n"
                        "Felul=0\n"
                        "Magas=1040\n"
                        "Szeles=1920\n"
                        "Ismeretlen=marad\n"
                        "Utvonal=" + nat(mappa.path()).toUtf8() + "\n"
                        "AlapVaros=Siófok\n"
                        "\n"
                        "[Tulajdonos]\n"
                        "Tulajdonos=Nagy Béla\n"
                        "TulCim=Balatonfüred\n"
                        "TulTel=87/123-456\n"
                        "\n"
                        "[Frisseny]\n"
                        "Verzio=3\n"));

    // Read back at the next start.
    m_beall = TBeall();
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(m_beall.Szeles, 1920);
    QCOMPARE(m_beall.Magas, 1040);
    QCOMPARE(m_beall.Bal, 0);
    QCOMPARE(m_beall.AlapVaros, QStringLiteral("Siófok"));
}

void TstInditas::kilepesNemIrhato()
{
    QTemporaryDir tmp;
    setProgramMappa(tmp.filePath("eltunt/program"));
    DobozFelvevo dobozok;
    Kilepes(adatbazis(), m_beall, QRect(0, 0, 640, 400));
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY2(dobozok.hibak.first().contains(BeallitasFajl()), qPrintable(dobozok.hibak.first()));
    QVERIFY(dobozok.hibak.first().startsWith(QStringLiteral("A beállítások nem menthetők")));
}

void TstInditas::olvashatatlanBeallitasFajl()
{
    // A folder in the place of the settings file: the defaults apply with a
    // message, and at exit the folder is left alone with a message.
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    QVERIFY(QDir().mkdir(BeallitasFajl()));
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY(dobozok.hibak.first().contains(BeallitasFajl()));
    QCOMPARE(m_beall.Utvonal, nat(mappa.path()));
    Kilepes(adatbazis(), m_beall, QRect(0, 0, 640, 400));
    QCOMPARE(dobozok.hibak.size(), 2);
    QVERIFY(dobozok.hibak.last().contains(BeallitasFajl()));
    QVERIFY(QFileInfo(BeallitasFajl()).isDir());
    QVERIFY(!data::Database::regiszter().isOpen());
}

void TstInditas::ablakosKodlapMegmarad()
{
    // The settings file as a Windows editor saves it: Windows-1250. Start and
    // exit keep every accented letter, in that code page.
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    const QByteArray eredeti = "[Alapertek]\r\nAlapVaros=Gy\xF5r\r\n[Tulajdonos]\r\n"
                               "Tulajdonos=Kov\xE1" "cs \xD6" "d\xF6n\r\nTulCim=T\xFBzolt\xF3 u. 5.\r\n";
    QVERIFY(ir(BeallitasFajl(), eredeti));
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(m_beall.AlapVaros, QStringLiteral("Győr"));
    QCOMPARE(m_beall.Tulajdonos, QStringLiteral("Kovács Ödön"));
    QCOMPARE(m_beall.TulCim, QStringLiteral("Tűzoltó u. 5."));
    Kilepes(adatbazis(), m_beall, QRect(0, 0, 640, 400));
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(dobozok.uzenetek, QStringList());
    const QByteArray irt = olvas(BeallitasFajl());
    QVERIFY2(irt.contains("AlapVaros=Gy\xF5r\r\n") && irt.contains("Tulajdonos=Kov\xE1" "cs \xD6" "d\xF6n\r\n")
                 && irt.contains("TulCim=T\xFBzolt\xF3 u. 5.\r\n"),
             irt.constData());

    // And the next start reads the same.
    m_beall = TBeall();
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(m_beall.TulCim, QStringLiteral("Tűzoltó u. 5."));
}

void TstInditas::kodlapbanNemIrhatoNevUzenettel()
{
    TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    QVERIFY(ir(BeallitasFajl(), "[Alapertek]\r\nAlapVaros=Gy\xF5r\r\n"));
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    const QString nev = QStringLiteral("Søren \U0001F3E1");
    m_beall.Tulajdonos = nev;
    Kilepes(adatbazis(), m_beall, QRect(0, 0, 640, 400));
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(dobozok.uzenetek.size(), 1);
    QVERIFY2(dobozok.uzenetek.first().contains(QStringLiteral("UTF-8")), qPrintable(dobozok.uzenetek.first()));
    const QByteArray irt = olvas(BeallitasFajl());
    QVERIFY(irt.contains(QStringLiteral("AlapVaros=Győr\r\n").toUtf8()));
    QVERIFY(irt.contains((QStringLiteral("Tulajdonos=") + nev).toUtf8()));
}

void TstInditas::programMappaValodiBetukkel()
{
    // Run as a copy inside a mixed-case folder: report what it found there.
    const QByteArray kiir = qgetenv("NYUGVAR_PROGRAMMAPPA_KIIR");
    if (!kiir.isEmpty()) {
        QVERIFY(ir(QString::fromLocal8Bit(kiir),
                   (ProgramMappa() + "\n" + ProgramUtvonal("\\Data")).toUtf8()));
        return;
    }

    // The running program's own folder, exactly as the system spells it.
    QCOMPARE(ProgramMappa(), nat(QCoreApplication::applicationDirPath()));

    QTemporaryDir tmp;
    const QString program = tmp.filePath("Anna/Nyugvar");
    QString hiba;
    QVERIFY2(createDataFolder(program + "/Data", QStringLiteral(NYUGVAR_IRSZ_CSV), &hiba), qPrintable(hiba));

    // Given with a trailing separator, kept in its letter case.
    setProgramMappa(program + "/");
    QCOMPARE(ProgramMappa(), nat(program));
    QCOMPARE(ProgramUtvonal("\\Data"), nat(program + "/Data"));
    QCOMPARE(ProgramUtvonal("\\Help\\index.htm"), nat(program + "/Help/index.htm"));
    DobozFelvevo dobozok;
    Belepteto login;
    QVERIFY(Inditas(adatbazis(), m_beall, login.fv()));
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(m_beall.Utvonal, nat(program + "/Data"));
    data::Database::regiszter().close();

    // The folder of a program started from /…/Anna/Nyugvar.
    const QString masolat = program + "/" + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), masolat));
    QVERIFY(QFile::setPermissions(masolat, QFile::permissions(masolat) | QFile::ExeOwner));
    const QString kimenet = tmp.filePath("kimenet.txt");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NYUGVAR_PROGRAMMAPPA_KIIR", kimenet);
    p.setProcessEnvironment(env);
    p.start(masolat, {"programMappaValodiBetukkel"});
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardOutput().constData());
    QCOMPARE(QString::fromUtf8(olvas(kimenet)), nat(program) + "\n" + nat(program + "/Data"));
}

void TstInditas::beallitasAblak()
{
    m_beall = TBeall();
    m_beall.AlapVaros = QStringLiteral("Keszthely");
    m_beall.Utvonal = QStringLiteral("/adat/nyugvar");
    m_beall.TeljesKep = false;

    {
        Tfrm_Beallit ablak(m_beall);
        QCOMPARE(ablak.windowTitle(), QStringLiteral("Beállítások"));
        QCOMPARE(ablak.size(), QSize(303, 202));
        QCOMPARE(ablak.minimumSize(), ablak.maximumSize());
        auto *edit1 = ablak.findChild<QLineEdit *>("Edit1");
        auto *edit2 = ablak.findChild<QLineEdit *>("Edit2");
        auto *check = ablak.findChild<QCheckBox *>("CheckBox1");
        auto *ok = ablak.findChild<QPushButton *>("Button1");
        auto *megsem = ablak.findChild<QPushButton *>("Button2");
        QVERIFY(edit1 && edit2 && check && ok && megsem);
        QCOMPARE(check->text(), QStringLiteral("Megnyitáskor teljes képernyő"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(megsem->text(), QStringLiteral("Mégsem"));
        QStringList cimkek;
        for (QLabel *l : ablak.findChildren<QLabel *>()) {
            if (l->buddy() == edit1)
                cimkek << "1:" + l->text();
            if (l->buddy() == edit2)
                cimkek << "2:" + l->text();
        }
        cimkek.sort();
        QCOMPARE(cimkek, QStringList({"1:alapértelmezett város", "2:adatbázis elérési útvonala"}));
        QCOMPARE(edit1->text(), QStringLiteral("Keszthely"));
        QCOMPARE(edit2->text(), QStringLiteral("/adat/nyugvar"));
        QCOMPARE(check->isChecked(), false);

        ablak.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ablak));
        ablak.activateWindow();
        edit1->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), edit1);
        // Enter moves on and closes nothing; the tab order is as listed.
        QTest::keyClick(edit1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), check);
        QTest::keyClick(check, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit2);
        QTest::keyClick(edit2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), ok);
        QVERIFY(ablak.isVisible());

        edit1->setText(QStringLiteral("Hévíz"));
        check->setChecked(true);
        edit2->setText(QStringLiteral("/mashol"));
        // Mégsem changes nothing.
        QTest::mouseClick(megsem, Qt::LeftButton);
        QCOMPARE(ablak.result(), int(QDialog::Rejected));
        QCOMPARE(m_beall.AlapVaros, QStringLiteral("Keszthely"));
        QCOMPARE(m_beall.Utvonal, QStringLiteral("/adat/nyugvar"));
        QCOMPARE(m_beall.TeljesKep, false);
    }
    {
        // Esc is Mégsem as well.
        Tfrm_Beallit ablak(m_beall);
        ablak.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ablak));
        auto *edit1 = ablak.findChild<QLineEdit *>("Edit1");
        edit1->setText(QStringLiteral("Hévíz"));
        QTest::keyClick(edit1, Qt::Key_Escape);
        QVERIFY(!ablak.isVisible());
        QCOMPARE(ablak.result(), int(QDialog::Rejected));
        QCOMPARE(m_beall.AlapVaros, QStringLiteral("Keszthely"));
    }
    {
        // OK copies all three, unchecked, and writes no file.
        QTemporaryDir program;
        setProgramMappa(program.path());
        Tfrm_Beallit ablak(m_beall);
        ablak.show();
        ablak.findChild<QLineEdit *>("Edit1")->setText(QString());
        ablak.findChild<QLineEdit *>("Edit2")->setText(QStringLiteral("/nincs/ilyen"));
        ablak.findChild<QCheckBox *>("CheckBox1")->setChecked(true);
        auto *ok = ablak.findChild<QPushButton *>("Button1");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Space);  // a focused button is pressed by Space
        QCOMPARE(ablak.result(), int(QDialog::Accepted));
        QCOMPARE(m_beall.AlapVaros, QString());
        QCOMPARE(m_beall.Utvonal, QStringLiteral("/nincs/ilyen"));
        QCOMPARE(m_beall.TeljesKep, true);
        QVERIFY(QDir(program.path()).isEmpty());
    }
}

void TstInditas::foablakKeret_data()
{
    QTest::addColumn<bool>("teljes");
    QTest::addColumn<QRect>("tarolt");  // Bal, Felul, Szeles, Magas
    QTest::addColumn<QList<QRect>>("teruletek");
    QTest::addColumn<QRect>("keret");
    const QRect egy(0, 0, 1280, 770);                // one screen less a task bar
    const QList<QRect> ketto = {egy, QRect(1280, 0, 1920, 1050)};
    const QRect fent(0, 30, 1280, 770);              // task bar at the top

    QTest::newRow("defaults stay") << false << QRect(5, 5, 640, 400) << QList<QRect>{egy} << QRect(5, 5, 640, 400);
    QTest::newRow("full screen: right and bottom of the work area")
        << true << QRect(5, 5, 640, 400) << QList<QRect>{fent} << QRect(0, 0, 1280, 800);
    QTest::newRow("full screen: the primary screen") << true << QRect(1400, 5, 640, 400) << ketto << egy;
    QTest::newRow("title bar above the screen") << false << QRect(100, -35, 640, 400) << QList<QRect>{egy}
                                                << QRect(100, 0, 640, 400);
    QTest::newRow("title bar under a top task bar") << false << QRect(100, 10, 640, 400) << QList<QRect>{fent}
                                                    << QRect(100, 30, 640, 400);
    QTest::newRow("right of every screen") << false << QRect(3000, 100, 640, 400) << QList<QRect>{egy}
                                           << QRect(640, 100, 640, 400);
    QTest::newRow("a sliver on screen is off it") << false << QRect(1260, 100, 640, 400) << QList<QRect>{egy}
                                                   << QRect(640, 100, 640, 400);
    QTest::newRow("far off and larger than the screen")
        << false << QRect(-5000, -5000, 2000, 1500) << QList<QRect>{egy} << egy;
    QTest::newRow("on the second screen") << false << QRect(1400, 100, 800, 600) << ketto
                                          << QRect(1400, 100, 800, 600);
    QTest::newRow("across both screens") << false << QRect(1000, 50, 800, 600) << ketto
                                         << QRect(1000, 50, 800, 600);
    QTest::newRow("mostly off the bottom right") << false << QRect(1000, 600, 640, 400) << QList<QRect>{egy}
                                                  << QRect(640, 370, 640, 400);
    QTest::newRow("second screen unplugged") << false << QRect(1400, 100, 800, 600) << QList<QRect>{egy}
                                             << QRect(480, 100, 800, 600);
}

void TstInditas::foablakKeret()
{
    QFETCH(bool, teljes);
    QFETCH(QRect, tarolt);
    QFETCH(QList<QRect>, teruletek);
    QFETCH(QRect, keret);
    TBeall b;
    b.TeljesKep = teljes;
    b.Bal = tarolt.x();
    b.Felul = tarolt.y();
    b.Szeles = tarolt.width();
    b.Magas = tarolt.height();
    const QRect kapott = FoablakKeret(b, teruletek);
    QCOMPARE(kapott, keret);
    // What exit stores from that frame places the window there again.
    b.Bal = kapott.x();
    b.Felul = kapott.y();
    b.Szeles = kapott.width();
    b.Magas = kapott.height();
    if (!teljes)
        QCOMPARE(FoablakKeret(b, teruletek), kapott);
}

QTEST_MAIN(TstInditas)
#include "tst_inditas.moc"
