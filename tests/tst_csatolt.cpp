// Documents attached to places: short names, one list per place ordered by
// full path, refusals (no place, the same file twice), the delete question,
// and the window opened from the main window with its open-file dialog,
// its link and its menus.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "common/datagrid.h"
#include "common/fajlvalaszto.h"
#include "common/gridmodel.h"
#include "common/kulsomegnyit.h"
#include "common/programmappa.h"
#include "common/sorszerkeszto.h"
#include "data/database.h"
#include "data/table.h"
#include "places/csatolt.h"
#include "places/tfrm_megj.h"
#include "testsupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace {

int dokumentumok(const QString &hol = QString())
{
    data::Table t(data::Database::regiszter(), QStringLiteral("megj"));
    t.setFilter(hol);
    t.setFiltered(!hol.isEmpty());
    t.open();
    return t.recordCount();
}

QStringList utvonalak(data::DataSet &ds)
{
    QStringList r;
    for (int i = 0; i < ds.recordCount(); ++i)
        r << ds.valueAt(i, ds.fieldIndex(QStringLiteral("doknev"))).toString();
    return r;
}

QString elemek(const QList<QAction *> &akciok)
{
    QStringList r;
    for (QAction *a : akciok)
        if (a->isVisible())
            r << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return r.join(QLatin1Char(' '));
}

}  // namespace

class TestCsatolt : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::OpenRegister> m_reg;
    std::unique_ptr<testsupport::DobozFelvevo> m_dobozok;
    QStringList m_inditott;

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void shortNames_data();
    void shortNames();
    void attachStoresPathNameAndDay();
    void placesKeepSeparateListsByFullPath();
    void refusals();
    void deleteAsksAndLeavesTheFile();
    void windowFromTheMainWindow();
    void windowWithoutACurrentPlace();
    void programAsksFirst();
};

void TestCsatolt::initTestCase()
{
    testsupport::useHungarianLocale();
    m_reg = std::make_unique<testsupport::OpenRegister>();
    m_dobozok = std::make_unique<testsupport::DobozFelvevo>();
    setProgramMappa(m_reg->folder().root());
    data::Database::regiszter().exec(QStringLiteral(
        "INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (1, 1, 'Almás Panzió'), (2, 2, 'Bakony Lak')"));
    setKulsoIndito([this](const QString &cel) { m_inditott << cel; });
}

void TestCsatolt::init()
{
    data::Database::regiszter().exec(QStringLiteral("DELETE FROM megj"));
    m_dobozok->hibak.clear();
    m_dobozok->kerdesek.clear();
    m_dobozok->valaszok.clear();
    m_inditott.clear();
}

void TestCsatolt::cleanupTestCase()
{
    setKulsoIndito({});
    setFajlValaszto({});
    m_dobozok.reset();
    m_reg.reset();
}

void TestCsatolt::shortNames_data()
{
    QTest::addColumn<QString>("utvonal");
    QTest::addColumn<QString>("rovid");
    QTest::newRow("folders") << "C:\\Docs\\szerzodes.pdf" << "szerzodes.pdf";
    QTest::newRow("drive-relative") << "D:level.doc" << "level.doc";
    QTest::newRow("network share") << "\\\\szerver\\kozos\\arlista.xls" << "arlista.xls";
    QTest::newRow("desktop path") << "/home/anna/Dokumentumok/szerződés 2026.odt" << "szerződés 2026.odt";
    QTest::newRow("bare name") << "jegyzet.txt" << "jegyzet.txt";
    QTest::newRow("folder only") << "C:\\Docs\\" << "";
}

void TestCsatolt::shortNames()
{
    QFETCH(QString, utvonal);
    QFETCH(QString, rovid);
    QCOMPARE(DokumentumRovidNev(utvonal), rovid);
}

void TestCsatolt::attachStoresPathNameAndDay()
{
    CsatoltDokumentumok dok(data::Database::regiszter(), 1);
    dok.open();
    QVERIFY(dok.csatol(QStringLiteral("C:\\Docs\\szerzodes.pdf"), QDate::currentDate()));
    data::Table *t = dok.tabla();
    QCOMPARE(t->state(), data::State::Browse);
    QCOMPARE(t->asInteger(QStringLiteral("ugyfel")), 1);
    QCOMPARE(t->asString(QStringLiteral("doknev")), QStringLiteral("C:\\Docs\\szerzodes.pdf"));
    QCOMPARE(t->asString(QStringLiteral("doknev_rovid")), QStringLiteral("szerzodes.pdf"));
    QCOMPARE(t->asDate(QStringLiteral("datum")), QDate::currentDate());
    QCOMPARE(dok.utvonal(), QStringLiteral("C:\\Docs\\szerzodes.pdf"));
    // Stored at once, without a time of day.
    data::Table friss(data::Database::regiszter(), QStringLiteral("megj"));
    friss.open();
    QCOMPARE(friss.asString(QStringLiteral("datum")), QDate::currentDate().toString(Qt::ISODate));
}

void TestCsatolt::placesKeepSeparateListsByFullPath()
{
    const QDate nap(2026, 3, 1);
    {
        CsatoltDokumentumok egy(data::Database::regiszter(), 1);
        egy.open();
        // Later dates and short names in the opposite order: the list goes
        // by full path only.
        QVERIFY(egy.csatol(QStringLiteral("C:\\b\\a.doc"), nap));
        QVERIFY(egy.csatol(QStringLiteral("C:\\a\\z.doc"), nap.addDays(5)));
        QCOMPARE(egy.utvonal(), QStringLiteral("C:\\a\\z.doc"));  // the new entry is current
        CsatoltDokumentumok ketto(data::Database::regiszter(), 2);
        ketto.open();
        QCOMPARE(ketto.tabla()->recordCount(), 0);
        QVERIFY(ketto.csatol(QStringLiteral("C:\\b\\a.doc"), nap));  // another place: allowed
    }
    CsatoltDokumentumok egy(data::Database::regiszter(), 1);
    egy.open();
    QCOMPARE(utvonalak(*egy.tabla()), (QStringList{"C:\\a\\z.doc", "C:\\b\\a.doc"}));
    QCOMPARE(egy.tabla()->recNo(), 1);
    QCOMPARE(dokumentumok(QStringLiteral("ugyfel=2")), 1);
}

void TestCsatolt::refusals()
{
    CsatoltDokumentumok dok(data::Database::regiszter(), 1);
    dok.open();
    QVERIFY(dok.csatol(QStringLiteral("C:\\Docs\\ar.pdf"), QDate::currentDate()));
    // The same file again: the table's key refuses it with the engine's
    // message, and no new row stays behind.
    QVERIFY(!dok.csatol(QStringLiteral("C:\\Docs\\ar.pdf"), QDate::currentDate()));
    QCOMPARE(m_dobozok->hibak.size(), 1);
    QVERIFY2(m_dobozok->hibak[0].startsWith(QStringLiteral("Már van ilyen kulcsú sor")), qPrintable(m_dobozok->hibak[0]));
    QCOMPARE(dok.tabla()->state(), data::State::Browse);
    QCOMPARE(dok.tabla()->recordCount(), 1);

    // Without a current place nothing is stored.
    CsatoltDokumentumok nincs(data::Database::regiszter(), QVariant());
    nincs.open();
    QVERIFY(!nincs.csatol(QStringLiteral("C:\\Docs\\level.doc"), QDate::currentDate()));
    QCOMPARE(m_dobozok->hibak.last(), CsatoltDokumentumok::nincsHelyUzenet());
    QCOMPARE(dokumentumok(), 1);
}

void TestCsatolt::deleteAsksAndLeavesTheFile()
{
    const QString fajl = m_reg->folder().root() + QStringLiteral("/level.txt");
    {
        QFile f(fajl);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("tartalom");
    }
    CsatoltDokumentumok dok(data::Database::regiszter(), 2);
    dok.open();
    QVERIFY(!dok.torol());  // an empty list asks nothing
    QVERIFY(m_dobozok->kerdesek.isEmpty());

    QVERIFY(dok.csatol(fajl, QDate::currentDate()));
    m_dobozok->valaszok = {false, true};
    QVERIFY(!dok.torol());
    QCOMPARE(dok.tabla()->recordCount(), 1);
    QVERIFY(dok.torol());
    QCOMPARE(m_dobozok->kerdesek, QStringList(2, QStringLiteral("Valóban töröljem a bejegyzést?")));
    QCOMPARE(dok.tabla()->recordCount(), 0);
    QCOMPARE(dokumentumok(), 0);
    QVERIFY(QFile::exists(fajl));
}

void TestCsatolt::windowFromTheMainWindow()
{
    QStringList dialogusok;
    QString valasz = QStringLiteral("C:\\Docs\\szerzodes.pdf");
    setFajlValaszto([&](QWidget *, const QString &cim, const QString &tipusok) {
        dialogusok << cim + QLatin1Char('|') + tipusok;
        return valasz;
    });
    TBeall beall;
    Tfrm_Main fo(data::Database::regiszter(), beall);
    QVERIFY(fo.Indit());
    QVERIFY(fo.Tbl()->locate(QStringLiteral("sorszam"), 2));

    bool latott = false;
    testsupport::onNextModal([&](QWidget *w) {
        // A failed check leaves the lambda early: the window closes anyway.
        struct Zar {
            QWidget *w;
            ~Zar() { static_cast<QDialog *>(w)->reject(); }
        } zar{w};
        auto *ablak = qobject_cast<Tfrm_Megj *>(w);
        QVERIFY(ablak);
        latott = true;
        QCOMPARE(ablak->findChild<QLineEdit *>(QStringLiteral("edtHelyNev"))->text(), QStringLiteral("Bakony Lak"));
        QCOMPARE(elemek(ablak->eszkoztar()->actions()), QStringLiteral("aUj aTorol - aMegnyit - aBezar"));
        QCOMPARE(elemek(ablak->racs()->actions()), QStringLiteral("aUj aTorol - aMegnyit - aBezar"));
        // Nothing to open or delete yet.
        QVERIFY(!ablak->aMegnyit()->isEnabled());
        QVERIFY(!ablak->aTorol()->isEnabled());

        ablak->aUj()->trigger();
        QCOMPARE(dialogusok, QStringList{QStringLiteral("Dokumentum csatolás|Minden file (*.*)")});
        QCOMPARE(ablak->racs()->model()->rowCount(), 1);
        QCOMPARE(ablak->racs()->model()->index(0, 0).data().toString(), QStringLiteral("szerzodes.pdf"));
        QCOMPARE(ablak->racs()->model()->index(0, 1).data().toString(),
                 QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd.")));
        auto *link = ablak->findChild<QLabel *>(QStringLiteral("lblUtvonal"));
        QCOMPARE(link->text(), valasz);

        // Opening: the action, the link and a double click hand the path over.
        ablak->aMegnyit()->trigger();
        QTest::mouseClick(link, Qt::LeftButton);
        Q_EMIT ablak->racs()->rowActivated();
        QCOMPARE(m_inditott, QStringList(3, valasz));

        // A cancelled dialog attaches nothing.
        valasz.clear();
        ablak->aUj()->trigger();
        QCOMPARE(ablak->racs()->model()->rowCount(), 1);
        ablak->aBezar()->trigger();
    });
    QAction *a = fo.akcio(QStringLiteral("aCsatolt"));
    QVERIFY(a->isEnabled());
    a->trigger();
    QVERIFY(latott);
    QVERIFY(!fo.findChild<Tfrm_Megj *>());
    QCOMPARE(dokumentumok(QStringLiteral("ugyfel=2")), 1);
    QCOMPARE(dokumentumok(), 1);
    QVERIFY(m_dobozok->hibak.isEmpty());
}

void TestCsatolt::windowWithoutACurrentPlace()
{
    bool kerdezett = false;
    setFajlValaszto([&](QWidget *, const QString &, const QString &) {
        kerdezett = true;
        return QStringLiteral("C:\\Docs\\x.pdf");
    });
    Tfrm_Megj ablak(data::Database::regiszter(), QVariant(), QString());
    ablak.show();
    ablak.uj();
    QVERIFY(!kerdezett);
    QCOMPARE(m_dobozok->hibak, QStringList{CsatoltDokumentumok::nincsHelyUzenet()});
    QCOMPARE(dokumentumok(), 0);
    ablak.reject();
}

void TestCsatolt::programAsksFirst()
{
    // A row of a restored archive may name a program, here one that calls
    // itself a document: it starts only when the user says so.
    const QString fajl = m_reg->folder().root() + QStringLiteral("/szerzodes.pdf");
    QVERIFY(QFile::copy(QStringLiteral("/bin/true"), fajl));
    Tfrm_Megj ablak(data::Database::regiszter(), 1, QString());
    ablak.show();
    QVERIFY(ablak.dokumentumok()->csatol(fajl, QDate::currentDate()));
    ablak.aMegnyit()->trigger();  // the question is answered "Nem"
    QCOMPARE(m_dobozok->kerdesek.size(), 1);
    QVERIFY(m_inditott.isEmpty());
}

QTEST_MAIN(TestCsatolt)
#include "tst_csatolt.moc"
