// The settings file class: reading with defaults, writing in place, and
// leaving every line it does not own exactly as it was.

#include "app/beallitasok.h"
#include "app/inifajl.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRect>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <limits>

class TstIni : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ujFajlSorrendje();
    void nevekKisNagybetuFuggetlenek();
    void ertekHelybenCserelodik();
    void ujKulcsSzakaszVegere();
    void ujSzakaszFajlVegere();
    void ismeretlenSorokBajtraVaroznak();
    void alapertekek();
    void egeszekEsLogikaiak();
    void mentesEsBetoltes();
    void mentesiHiba();
    void kodolasMegmarad_data();
    void kodolasMegmarad();
    void felnemismertKodolas_data();
    void felnemismertKodolas();
    void adatbazisSzakasz_data();
    void adatbazisSzakasz();
};

Q_DECLARE_METATYPE(IniFajl::Kodolas)

namespace {

QByteArray irva(const QByteArray &eredeti, const std::function<void(IniFajl &)> &fn)
{
    IniFajl ini;
    ini.setTartalom(eredeti);
    fn(ini);
    return ini.tartalom();
}

// Hungarian text in Windows-1250, byte by byte: the test's own table of the
// accented letters, so the file class's code page is checked against it.
QByteArray ablakos(const QString &szoveg)
{
    static const QHash<QChar, char> betuk = {
        {u'á', '\xE1'}, {u'é', '\xE9'}, {u'í', '\xED'}, {u'ó', '\xF3'}, {u'ö', '\xF6'}, {u'ő', '\xF5'},
        {u'ú', '\xFA'}, {u'ü', '\xFC'}, {u'ű', '\xFB'}, {u'Á', '\xC1'}, {u'É', '\xC9'}, {u'Í', '\xCD'},
        {u'Ó', '\xD3'}, {u'Ö', '\xD6'}, {u'Ő', '\xD5'}, {u'Ú', '\xDA'}, {u'Ü', '\xDC'}, {u'Ű', '\xDB'}};
    QByteArray b;
    for (const QChar c : szoveg)
        b += c.unicode() < 128 ? char(c.unicode()) : betuk.value(c, '?');
    return b;
}

QByteArray kodolva(const QString &szoveg, IniFajl::Kodolas kodolas, bool bom)
{
    switch (kodolas) {
    case IniFajl::Kodolas::Windows1250: return ablakos(szoveg);
    case IniFajl::Kodolas::Utf16LE:
        return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom).encode(szoveg);
    case IniFajl::Kodolas::Utf16BE:
        return QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom).encode(szoveg);
    case IniFajl::Kodolas::Utf8: break;
    }
    return (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + szoveg.toUtf8();
}

bool fajlba(const QString &nev, const QByteArray &tartalom)
{
    QFile f(nev);
    return f.open(QIODevice::WriteOnly) && f.write(tartalom) == tartalom.size();
}

QByteArray fajlbol(const QString &nev)
{
    QFile f(nev);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kBeallitasok = QStringLiteral("; Nyugvár beállításai\r\n"
                                            "[Alapertek]\r\n"
                                            "AlapVaros=Győr\r\n"
                                            "\r\n"
                                            "[Tulajdonos]\r\n"
                                            "Tulajdonos=Kovács Ödön\r\n"
                                            "TulCim=Tűzoltó utca 5., Sződliget\r\n");

}  // namespace

void TstIni::ujFajlSorrendje()
{
    // The write order of the settings: the sections come in the order their
    // first key is written, later keys go to the end of their section.
    IniFajl ini;
    ini.irLogikai("Alapertek", "TeljesKep", true);
    ini.irSzoveg("Tulajdonos", "Tulajdonos", "Kiss Anna");
    ini.irSzoveg("Tulajdonos", "TulCim", "Győr, Fő utca 1.");
    ini.irSzoveg("Tulajdonos", "TulTel", "+36 96 123 456");
    ini.irSzoveg("Alapertek", "Utvonal", "/home/anna/Data");
    ini.irSzoveg("Alapertek", "AlapVaros", "Sopron");
    ini.irEgesz("Alapertek", "Bal", 5);
    ini.irEgesz("Alapertek", "Felul", -3);
    ini.irEgesz("Alapertek", "Magas", 400);
    ini.irEgesz("Alapertek", "Szeles", 640);
    QCOMPARE(QString::fromUtf8(ini.tartalom()),
             QStringLiteral("[Alapertek]\n"
                            "TeljesKep=1\n"
                            "Utvonal=/home/anna/Data\n"
                            "AlapVaros=Sopron\n"
                            "Bal=5\n"
                            "Felul=-3\n"
                            "Magas=400\n"
                            "Szeles=640\n"
                            "\n"
                            "[Tulajdonos]\n"
                            "Tulajdonos=Kiss Anna\n"
                            "TulCim=Győr, Fő utca 1.\n"
                            "TulTel=+36 96 123 456\n"));
}

void TstIni::nevekKisNagybetuFuggetlenek()
{
    IniFajl ini;
    ini.setTartalom("[ALAPERTEK]\nUTVONAL=/adat\nalapvaros=Eger\n[tulajdonos]\ntULcIM=Pécs\n");
    QCOMPARE(ini.olvasSzoveg("Alapertek", "utvonal"), QStringLiteral("/adat"));
    QCOMPARE(ini.olvasSzoveg("alapertek", "Utvonal"), QStringLiteral("/adat"));
    QCOMPARE(ini.olvasSzoveg("Alapertek", "AlapVaros"), QStringLiteral("Eger"));
    QCOMPARE(ini.olvasSzoveg("Tulajdonos", "TulCim"), QStringLiteral("Pécs"));
    QVERIFY(ini.vanSzakasz("Tulajdonos"));
    QVERIFY(!ini.vanKulcs("Tulajdonos", "Utvonal"));

    // Writing a key spelled otherwise replaces the same line and keeps the
    // file's spelling of the name; no second key appears.
    ini.irSzoveg("Alapertek", "Utvonal", "/uj");
    QCOMPARE(ini.tartalom(),
             QByteArray("[ALAPERTEK]\nUTVONAL=/uj\nalapvaros=Eger\n[tulajdonos]\ntULcIM=Pécs\n"));
}

void TstIni::ertekHelybenCserelodik()
{
    // Blanks around "=" and CRLF line breaks stay; only the value changes.
    const QByteArray eredeti = "[Alapertek]\r\n  Bal = 5\r\nMagas=400\r\n";
    QCOMPARE(irva(eredeti, [](IniFajl &i) { i.irEgesz("Alapertek", "Bal", 120); }),
             QByteArray("[Alapertek]\r\n  Bal = 120\r\nMagas=400\r\n"));
    // The last line without a line break stays without one.
    QCOMPARE(irva("[a]\nk=1", [](IniFajl &i) { i.irSzoveg("a", "k", "hosszabb"); }),
             QByteArray("[a]\nk=hosszabb"));
    // An empty value, and a value with line breaks kept on one line.
    QCOMPARE(irva("[a]\nk=1\n", [](IniFajl &i) { i.irSzoveg("a", "k", ""); }), QByteArray("[a]\nk=\n"));
    IniFajl ini;
    ini.irSzoveg("a", "k", "első\nmásik\r\nsor");
    QCOMPARE(ini.olvasSzoveg("a", "k"), QStringLiteral("első másik sor"));
    // Only the first of two equal keys is the key.
    QCOMPARE(irva("[a]\nk=1\nK=2\n", [](IniFajl &i) { i.irSzoveg("a", "k", "3"); }),
             QByteArray("[a]\nk=3\nK=2\n"));
}

void TstIni::ujKulcsSzakaszVegere()
{
    // After the last key line of the section: the blank line and the comment
    // that lead into the next section stay in front of it.
    const QByteArray eredeti = "[Alapertek]\nBal=5\n; megjegyzes\nFelul=5\n\n; a tulajdonos\n[Tulajdonos]\nTulCim=x\n";
    QCOMPARE(irva(eredeti, [](IniFajl &i) { i.irEgesz("Alapertek", "Szeles", 640); }),
             QByteArray("[Alapertek]\nBal=5\n; megjegyzes\nFelul=5\nSzeles=640\n\n; a tulajdonos\n"
                        "[Tulajdonos]\nTulCim=x\n"));
    // A section without keys gets it right after its header.
    QCOMPARE(irva("[Ures]\n\n[Masik]\nx=1\n", [](IniFajl &i) { i.irSzoveg("Ures", "k", "v"); }),
             QByteArray("[Ures]\nk=v\n\n[Masik]\nx=1\n"));
    // The file's CRLF line breaks are used for the new line, and a last line
    // without a break gets one first.
    QCOMPARE(irva("[a]\r\nx=1", [](IniFajl &i) { i.irSzoveg("a", "y", "2"); }),
             QByteArray("[a]\r\nx=1\r\ny=2\r\n"));
    // The key of a repeated section goes to its first occurrence.
    QCOMPARE(irva("[a]\nx=1\n[b]\n[A]\nz=3\n", [](IniFajl &i) { i.irSzoveg("a", "y", "2"); }),
             QByteArray("[a]\nx=1\ny=2\n[b]\n[A]\nz=3\n"));
}

void TstIni::ujSzakaszFajlVegere()
{
    QCOMPARE(irva("[Masik]\nx=1\n", [](IniFajl &i) { i.irSzoveg("Tulajdonos", "TulTel", "1"); }),
             QByteArray("[Masik]\nx=1\n\n[Tulajdonos]\nTulTel=1\n"));
    QCOMPARE(irva("; csak megjegyzes", [](IniFajl &i) { i.irSzoveg("s", "k", "v"); }),
             QByteArray("; csak megjegyzes\n\n[s]\nk=v\n"));
    // After a trailing blank line no second one is added.
    QCOMPARE(irva("[Masik]\nx=1\n\n", [](IniFajl &i) { i.irSzoveg("s", "k", "v"); }),
             QByteArray("[Masik]\nx=1\n\n[s]\nk=v\n"));
}

void TstIni::ismeretlenSorokBajtraVaroznak()
{
    // Everything the program does not own stays byte for byte: a byte order
    // mark, keys before any section, comments, odd spacing, tabs, trailing
    // blanks, keys of other programs, a line without "=", CR LF and LF mixed.
    const QByteArray eredeti = "\xEF\xBB\xBF"
                               "elso=kulcs szakasz elott\n"
                               "; Nyugvár beállításai\r\n"
                               "[Alapertek]\n"
                               "# hash megjegyzés   \n"
                               "\tIdegen =  ertek  \n"
                               "Utvonal=/regi\n"
                               "csak szoveg egyenlosegjel nelkul\n"
                               "   \n"
                               "[Masik program]\r\n"
                               "Utvonal=/nem/a/mienk\r\n"
                               "TeljesKep=7\r\n";
    IniFajl ini;
    ini.setTartalom(eredeti);
    QCOMPARE(ini.tartalom(), eredeti);  // unchanged until written

    ini.irSzoveg("Alapertek", "Utvonal", "/uj");
    ini.irLogikai("Alapertek", "TeljesKep", false);
    QByteArray vart = eredeti;
    vart.replace("Utvonal=/regi\n", "Utvonal=/uj\nTeljesKep=0\n");
    QCOMPARE(ini.tartalom(), vart);

    // The other program's section reads as its own.
    QCOMPARE(ini.olvasSzoveg("Masik program", "Utvonal"), QStringLiteral("/nem/a/mienk"));
    QCOMPARE(ini.olvasSzoveg("Alapertek", "Idegen"), QStringLiteral("ertek"));
    // A key before every section belongs to none.
    QVERIFY(!ini.vanKulcs("Alapertek", "elso"));

    // Bytes that are not UTF-8 in a foreign line survive too.
    const QByteArray latin2 = "[Idegen]\nnev=Gy\xF5r\n[Alapertek]\nBal=1\n";
    QCOMPARE(irva(latin2, [](IniFajl &i) { i.irEgesz("Alapertek", "Bal", 2); }),
             QByteArray("[Idegen]\nnev=Gy\xF5r\n[Alapertek]\nBal=2\n"));
}

void TstIni::alapertekek()
{
    IniFajl ures;
    QCOMPARE(ures.olvasSzoveg("Alapertek", "AlapVaros", "Győr"), QStringLiteral("Győr"));
    QCOMPARE(ures.olvasEgesz("Alapertek", "Magas", 400), 400);
    QCOMPARE(ures.olvasLogikai("Alapertek", "TeljesKep", true), true);

    IniFajl ini;
    ini.setTartalom("[Alapertek]\nAlapVaros=\nKomment;=x\n[Tulajdonos]\n");
    // A key that is there with an empty value is empty, not the default.
    QCOMPARE(ini.olvasSzoveg("Alapertek", "AlapVaros", "Győr"), QString());
    QCOMPARE(ini.olvasSzoveg("Alapertek", "TulCim", "x"), QStringLiteral("x"));
    QCOMPARE(ini.olvasSzoveg("Tulajdonos", "TulCim", "y"), QStringLiteral("y"));
    QCOMPARE(ini.olvasSzoveg("Nincs", "TulCim", "z"), QStringLiteral("z"));
    // A missing file reads as an empty one.
    QTemporaryDir dir;
    IniFajl nincs;
    QVERIFY(nincs.betolt(dir.filePath("nincs.ini")));
    QVERIFY(nincs.tartalom().isEmpty());
    QCOMPARE(nincs.olvasEgesz("Alapertek", "Bal", 5), 5);
}

void TstIni::egeszekEsLogikaiak()
{
    IniFajl ini;
    ini.setTartalom("[s]\n"
                    "a=12\n"
                    "b= -7 \n"
                    "c=12px\n"
                    "d=\n"
                    "e=0x10\n"
                    "f=1.5\n"
                    "g=99999999999\n"
                    "h=+3\n"
                    "t0=0\n"
                    "t1=1\n"
                    "t2=-2\n"
                    "t3=igen\n"
                    "t4=true\n");
    QCOMPARE(ini.olvasEgesz("s", "a", 5), 12);
    QCOMPARE(ini.olvasEgesz("s", "b", 5), -7);
    QCOMPARE(ini.olvasEgesz("s", "c", 5), 5);
    QCOMPARE(ini.olvasEgesz("s", "d", 5), 5);
    QCOMPARE(ini.olvasEgesz("s", "e", 5), 5);
    QCOMPARE(ini.olvasEgesz("s", "f", 5), 5);
    QCOMPARE(ini.olvasEgesz("s", "g", 5), 5);  // beyond 32 bits
    QCOMPARE(ini.olvasEgesz("s", "h", 5), 3);

    QCOMPARE(ini.olvasLogikai("s", "t0", true), false);
    QCOMPARE(ini.olvasLogikai("s", "t1", false), true);
    QCOMPARE(ini.olvasLogikai("s", "t2", false), true);  // any integer but 0
    QCOMPARE(ini.olvasLogikai("s", "a", false), true);
    QCOMPARE(ini.olvasLogikai("s", "t3", false), false); // not an integer: default
    QCOMPARE(ini.olvasLogikai("s", "t3", true), true);
    QCOMPARE(ini.olvasLogikai("s", "t4", false), false);

    ini.irLogikai("s", "t2", true);
    ini.irLogikai("s", "t1", false);
    QCOMPARE(ini.olvasSzoveg("s", "t2"), QStringLiteral("1"));
    QCOMPARE(ini.olvasSzoveg("s", "t1"), QStringLiteral("0"));
    ini.irEgesz("s", "a", std::numeric_limits<qint32>::min());
    QCOMPARE(ini.olvasEgesz("s", "a", 0), std::numeric_limits<qint32>::min());
}

void TstIni::mentesEsBetoltes()
{
    QTemporaryDir dir;
    const QString fajl = dir.filePath("Nyugvar.ini");
    {
        QFile f(fajl);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; kézzel írt\r\n[Alapertek]\r\nAlapVaros=Székesfehérvár\r\n");
    }
    IniFajl ini;
    QVERIFY(ini.betolt(fajl));
    QCOMPARE(ini.fajlNev(), fajl);
    QCOMPARE(ini.olvasSzoveg("Alapertek", "AlapVaros"), QStringLiteral("Székesfehérvár"));
    ini.irSzoveg("Alapertek", "AlapVaros", "Őriszentpéter");
    ini.irSzoveg("Tulajdonos", "TulCim", "Ügyfél u. 1.");
    QVERIFY(ini.ment());

    QFile f(fajl);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("; kézzel írt\r\n[Alapertek]\r\nAlapVaros=Őriszentpéter\r\n"
                                     "\r\n[Tulajdonos]\r\nTulCim=Ügyfél u. 1.\r\n"));
    // No temporary files are left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Nyugvar.ini"});

    IniFajl ujra;
    QVERIFY(ujra.betolt(fajl));
    QCOMPARE(ujra.olvasSzoveg("tulajdonos", "tulcim"), QStringLiteral("Ügyfél u. 1."));
}

void TstIni::mentesiHiba()
{
    QTemporaryDir dir;
    IniFajl ini;
    ini.irSzoveg("a", "b", "c");
    // A folder that is not there.
    QVERIFY(!ini.ment(dir.filePath("nincs/ilyen/Nyugvar.ini")));
    QVERIFY(!ini.hiba().isEmpty());
    // A folder in the place of the file: neither read nor written.
    const QString mappa = dir.filePath("Nyugvar.ini");
    QVERIFY(QDir().mkdir(mappa));
    QVERIFY(!ini.ment(mappa));
    QVERIFY(QFileInfo(mappa).isDir());
    IniFajl olvaso;
    QVERIFY(!olvaso.betolt(mappa));
    QVERIFY(!olvaso.hiba().isEmpty());
}

void TstIni::kodolasMegmarad_data()
{
    QTest::addColumn<IniFajl::Kodolas>("kodolas");
    QTest::addColumn<bool>("bom");
    QTest::newRow("Windows-1250") << IniFajl::Kodolas::Windows1250 << false;
    QTest::newRow("UTF-8") << IniFajl::Kodolas::Utf8 << false;
    QTest::newRow("UTF-8 BOM") << IniFajl::Kodolas::Utf8 << true;
    QTest::newRow("UTF-16LE") << IniFajl::Kodolas::Utf16LE << true;
    QTest::newRow("UTF-16BE") << IniFajl::Kodolas::Utf16BE << true;
}

void TstIni::kodolasMegmarad()
{
    // A settings file keeps its accented letters through a start and an exit,
    // and is written back in the encoding it came in.
    QFETCH(IniFajl::Kodolas, kodolas);
    QFETCH(bool, bom);
    QTemporaryDir dir;
    const QString fajl = dir.filePath("Nyugvar.ini");
    QVERIFY(fajlba(fajl, kodolva(kBeallitasok, kodolas, bom)));

    IniFajl ini;
    QVERIFY2(ini.betolt(fajl), qPrintable(ini.hiba()));
    QCOMPARE(ini.kodolas(), kodolas);
    QCOMPARE(ini.olvasSzoveg("Alapertek", "AlapVaros"), QStringLiteral("Győr"));
    QCOMPARE(ini.olvasSzoveg("Tulajdonos", "Tulajdonos"), QStringLiteral("Kovács Ödön"));
    QCOMPARE(ini.olvasSzoveg("Tulajdonos", "TulCim"), QStringLiteral("Tűzoltó utca 5., Sződliget"));

    // Written at exit: every key again, one of them changed, one new.
    ini.irSzoveg("Tulajdonos", "Tulajdonos", ini.olvasSzoveg("Tulajdonos", "Tulajdonos"));
    ini.irSzoveg("Tulajdonos", "TulCim", ini.olvasSzoveg("Tulajdonos", "TulCim"));
    ini.irSzoveg("Alapertek", "AlapVaros", "Őriszentpéter");
    ini.irSzoveg("Tulajdonos", "TulTel", "Űrállomás");
    QVERIFY2(ini.ment(), qPrintable(ini.hiba()));
    QCOMPARE(ini.figyelmeztetes(), QString());
    QString vart = kBeallitasok;
    vart.replace("Győr", "Őriszentpéter").append("TulTel=Űrállomás\r\n");
    QCOMPARE(fajlbol(fajl), kodolva(vart, kodolas, bom));
}

void TstIni::felnemismertKodolas_data()
{
    QTest::addColumn<QByteArray>("tartalom");
    const QByteArray utf16 = kodolva(kBeallitasok, IniFajl::Kodolas::Utf16LE, true);
    QTest::newRow("UTF-16, cut in half a character") << utf16.left(utf16.size() - 1);
    QTest::newRow("UTF-16, half a pair") << QByteArray("\xFF\xFE[\0a\0]\0\n\0\x3D\xD8k\0");
    QTest::newRow("UTF-32") << QByteArray(QStringEncoder(QStringConverter::Utf32LE, QStringConverter::Flag::WriteBom)
                                              .encode(kBeallitasok));
    QTest::newRow("UTF-16 without BOM") << QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(kBeallitasok));
}

void TstIni::felnemismertKodolas()
{
    // A file whose encoding cannot be taken is reported, and never written
    // over or appended to in another encoding.
    QFETCH(QByteArray, tartalom);
    QTemporaryDir dir;
    const QString fajl = dir.filePath("Nyugvar.ini");
    QVERIFY(fajlba(fajl, tartalom));
    IniFajl ini;
    QVERIFY(!ini.betolt(fajl));
    QVERIFY(!ini.hiba().isEmpty());
    QVERIFY(ini.tartalom().isEmpty());
    ini.irSzoveg("Alapertek", "Utvonal", "/adat");
    QVERIFY(!ini.ment());
    QVERIFY(!ini.hiba().isEmpty());
    QCOMPARE(fajlbol(fajl), tartalom);
    // Another file may still be written.
    QVERIFY(ini.ment(dir.filePath("masik.ini")));
}

void TstIni::adatbazisSzakasz_data()
{
    QTest::addColumn<QByteArray>("tartalom");
    QTest::addColumn<QStringList>("parameterek");
    QTest::newRow("data folder") << QByteArray("[Alapertek]\nUtvonal=/adat\n")
                                 << QStringList{"PATH=/adat", "DEFAULT DRIVER=PARADOX", "ENABLE BCD=FALSE"};
    QTest::newRow("server") << QByteArray("[Adatbazis]\nMotor=postgresql\nKiszolgalo=db\nPort=5433\nNev=iroda\nFelhasznalo=anna\n[Alapertek]\n")
                            << QStringList{"MOTOR=PostgreSQL", "HOST=db", "PORT=5433", "DBNAME=iroda", "USER=anna",
                                           "SSLMODE=prefer", "PASSWORD=titok"};
}

void TstIni::adatbazisSzakasz()
{
    // Read with its defaults into the database's parameter list, and written
    // back only as far as it was set.
    QFETCH(QByteArray, tartalom);
    QFETCH(QStringList, parameterek);
    IniFajl ini;
    QVERIFY(ini.setTartalom(tartalom));
    TBeall beall;
    BeallOlvas(ini, beall);
    QCOMPARE(AdatbazisParameterek(beall, "titok"), parameterek);
    BeallIr(ini, beall, QRect());
    QCOMPARE(ini.vanSzakasz("Adatbazis"), tartalom.contains("[Adatbazis]"));
    QCOMPARE(ini.tartalom().indexOf("[Alapertek]"), tartalom.indexOf("[Alapertek]"));  // nothing added before it
}

QTEST_GUILESS_MAIN(TstIni)
#include "tst_ini.moc"
