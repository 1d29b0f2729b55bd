// The find of the main list: the row text over every field, the three
// directions and their messages, the filter, and the find dialog with its
// place in the main window's corner.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "common/programmappa.h"
#include "data/database.h"
#include "data/table.h"
#include "places/helykereses.h"
#include "places/tfrm_keres.h"
#include "testsupport.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

// The places, in sequence-number order. Only the active flag "I" puts an
// "i" into a row text: the names, types and areas have none.
struct Hely {
    int sorszam;
    const char *nev;
    const char *aktiv;
    int tipus;          // 1 Apartman, 2 Faház, 0 none
    int terulet;        // 1 Balaton, 2 Bakony
    double jutalek;
    const char *megjegyzes;
};
const Hely kHelyek[] = {
    {1, "Tölgyfa Ház", "N", 1, 1, 10, nullptr},
    {2, "Nádas Lak", "I", 2, 2, 0, "Közel az ÉLMÉNYFÜRDŐ,\nnagy kert"},
    {5, "Hableány", "N", 0, 1, 0, nullptr},
    {12, "Rózsa Lak", "I", 1, 1, 0, nullptr},
    {120, "Zúzmara Kúra", "N", 2, 1, 12.5, nullptr},
    {300, "Patak Lak", "I", 1, 1, 0, nullptr},
};

}  // namespace

class TestKereses : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::OpenRegister> m_reg;
    std::unique_ptr<testsupport::DobozFelvevo> m_dobozok;
    std::unique_ptr<data::Table> m_tbl;

    int sorszam() const { return int(m_tbl->asInteger(QStringLiteral("sorszam"))); }
    void ugrik(int s) { QVERIFY(m_tbl->locate(QStringLiteral("sorszam"), s)); }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void rowTextOverEveryField();
    void firstMatchFromTheStart_data();
    void firstMatchFromTheStart();
    void activeFlagMatchesEveryActivePlace();
    void directionsAndTheirEnds();
    void emptyTextMovesNothing();
    void filterHidesRows();
    void dialogFindsAndTurnsDirection();
    void dialogSitsInTheMainWindowCorner();
    void mainWindowOpensTheDialog();
};

void TestKereses::initTestCase()
{
    testsupport::useHungarianLocale();
    SKIP_WITHOUT_SERVER();
    m_reg = std::make_unique<testsupport::OpenRegister>();
    m_dobozok = std::make_unique<testsupport::DobozFelvevo>();
    setProgramMappa(m_reg->folder().root());
    data::Database &db = data::Database::regiszter();
    db.exec(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (1, 'Apartman'), (2, 'Faház')"));
    db.exec(QStringLiteral("INSERT INTO terulet (terulet, terulet_nev) VALUES (1, 'Balaton'), (2, 'Bakony')"));
    m_tbl = std::make_unique<data::Table>(db, QStringLiteral("ugyfel"));
    m_tbl->setIndexFieldNames(QStringLiteral("sorszam"));
    m_tbl->open();
    for (const Hely &h : kHelyek) {
        m_tbl->insert();
        m_tbl->setValue(QStringLiteral("sorszam"), h.sorszam);
        m_tbl->setValue(QStringLiteral("ugyfel_nev"), QString::fromUtf8(h.nev));
        m_tbl->setValue(QStringLiteral("aktiv"), QString::fromUtf8(h.aktiv));
        m_tbl->setValue(QStringLiteral("udulesicsekk"), QStringLiteral("N"));
        if (h.tipus)
            m_tbl->setValue(QStringLiteral("tipus"), h.tipus);
        m_tbl->setValue(QStringLiteral("terulet"), h.terulet);
        m_tbl->setValue(QStringLiteral("jutalek"), h.jutalek);
        if (h.megjegyzes)
            m_tbl->setValue(QStringLiteral("megjegyzes"), QString::fromUtf8(h.megjegyzes));
        m_tbl->post();
    }
}

void TestKereses::init()
{
    m_dobozok->hibak.clear();
    m_dobozok->uzenetek.clear();
    m_tbl->setFiltered(false);
    m_tbl->first();
}

void TestKereses::cleanupTestCase()
{
    m_tbl.reset();
    m_dobozok.reset();
    m_reg.reset();
}

void TestKereses::rowTextOverEveryField()
{
    ugrik(120);
    const QString t = SorSzoveg(*m_tbl, m_tbl->currentRow());
    // The key, the name, the number without its zeros, the type key and its
    // name, the two flags, the commission in plain Hungarian form, the area
    // key and its name; empty fields add nothing.
    QCOMPARE(t, QString::number(m_tbl->asInteger(QStringLiteral("ugyfel")))
                    + QStringLiteral("zúzmara kúra1202faháznn12,51balaton"));
}

void TestKereses::firstMatchFromTheStart_data()
{
    QTest::addColumn<QString>("szoveg");
    QTest::addColumn<int>("talalt");  // sequence number, 0: the end is reached
    QTest::newRow("sequence number") << "12" << 12;
    QTest::newRow("no display format") << "00012" << 0;
    QTest::newRow("plain float") << "12,5" << 120;
    QTest::newRow("float not formatted") << "12.50%" << 0;
    QTest::newRow("area name") << "bakony" << 2;
    QTest::newRow("across two fields") << "ház11apart" << 1;
    QTest::newRow("accented capitals in the row") << "élményfürdő" << 2;
    QTest::newRow("accented capitals typed") << "ÉLMÉNYfÜrdő" << 2;
    QTest::newRow("memo past its first line") << "nagy kert" << 2;
    QTest::newRow("nowhere") << "kastély" << 0;
    QTest::newRow("underscore is no wildcard") << "l_k" << 0;
    QTest::newRow("percent is no wildcard") << "z%a" << 0;
    QTest::newRow("whole float into the next field") << "101balaton" << 1;
    QTest::newRow("fraction into the next field") << "12,51balaton" << 120;
    QTest::newRow("accented letter beside i and k") << "kúra" << 120;
}

void TestKereses::firstMatchFromTheStart()
{
    QFETCH(QString, szoveg);
    QFETCH(int, talalt);
    ugrik(300);
    KeresesIrany irany = KeresesIrany::ElejetolLefele;
    const KeresesEredmeny e = HelyKereses(*m_tbl, szoveg, irany);
    QCOMPARE(irany, KeresesIrany::Lefele);
    if (talalt) {
        QCOMPARE(e, KeresesEredmeny::Talalt);
        QCOMPARE(sorszam(), talalt);
        QVERIFY(m_dobozok->uzenetek.isEmpty());
    } else {
        QCOMPARE(e, KeresesEredmeny::Vege);
        QCOMPARE(m_dobozok->uzenetek, QStringList{QStringLiteral("A keresés elérte a tartomány elejét/végét.")});
        QCOMPARE(m_tbl->recNo(), m_tbl->recordCount());  // left on the last row
    }
}

void TestKereses::activeFlagMatchesEveryActivePlace()
{
    QList<int> talalt;
    KeresesIrany irany = KeresesIrany::ElejetolLefele;
    while (HelyKereses(*m_tbl, QStringLiteral("i"), irany) == KeresesEredmeny::Talalt)
        talalt << sorszam();
    QCOMPARE(talalt, (QList<int>{2, 12, 300}));
}

void TestKereses::directionsAndTheirEnds()
{
    const QString vege = QStringLiteral("A keresés elérte a tartomány elejét/végét.");
    // Down from the start, then on below the find: never around.
    KeresesIrany irany = KeresesIrany::ElejetolLefele;
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("lak"), irany), KeresesEredmeny::Talalt);
    QCOMPARE(sorszam(), 2);
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("lak"), irany), KeresesEredmeny::Talalt);
    QCOMPARE(sorszam(), 12);
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("lak"), irany), KeresesEredmeny::Talalt);
    QCOMPARE(sorszam(), 300);
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("lak"), irany), KeresesEredmeny::Vege);
    QCOMPARE(m_dobozok->uzenetek, QStringList{vege});
    QCOMPARE(sorszam(), 300);

    // Up from the last row, skipping it; the first row ends the walk.
    irany = KeresesIrany::Felfele;
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("lak"), irany), KeresesEredmeny::Talalt);
    QCOMPARE(sorszam(), 12);
    QCOMPARE(irany, KeresesIrany::Felfele);
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("zúzmara"), irany), KeresesEredmeny::Vege);
    QCOMPARE(sorszam(), 1);
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("tölgyfa"), irany), KeresesEredmeny::Vege);
    QCOMPARE(sorszam(), 1);  // the first row itself is not looked at again
    QCOMPARE(m_dobozok->uzenetek.size(), 3);
}

void TestKereses::emptyTextMovesNothing()
{
    ugrik(12);
    KeresesIrany irany = KeresesIrany::ElejetolLefele;
    QCOMPARE(HelyKereses(*m_tbl, QString(), irany), KeresesEredmeny::NincsSzoveg);
    QCOMPARE(m_dobozok->hibak, QStringList{QStringLiteral("Add meg a keresendő szöveget!")});
    QCOMPARE(sorszam(), 12);
    QCOMPARE(irany, KeresesIrany::ElejetolLefele);
}

void TestKereses::filterHidesRows()
{
    m_tbl->setFilter(QStringLiteral("aktiv='I'"));
    m_tbl->setFiltered(true);
    KeresesIrany irany = KeresesIrany::ElejetolLefele;
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("zúzmara"), irany), KeresesEredmeny::Vege);
    QCOMPARE(sorszam(), 300);
    irany = KeresesIrany::ElejetolLefele;
    QCOMPARE(HelyKereses(*m_tbl, QStringLiteral("lak"), irany), KeresesEredmeny::Talalt);
    QCOMPARE(m_tbl->recNo(), 1);
    QCOMPARE(m_tbl->recordCount(), 3);
}

void TestKereses::dialogFindsAndTurnsDirection()
{
    Tfrm_Keres d(*m_tbl);
    QVERIFY(d.findChild<QRadioButton *>(QStringLiteral("rbElejetolLefele"))->isChecked());
    auto *edit = d.findChild<QLineEdit *>(QStringLiteral("edtKeresendo"));
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));

    // Enter in the text box presses "Keres"; the dialog stays open.
    QTest::keyClicks(edit, QStringLiteral("Lak"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(sorszam(), 2);
    QVERIFY(d.findChild<QRadioButton *>(QStringLiteral("rbLefele"))->isChecked());
    QVERIFY(d.isVisible());
    d.findChild<QPushButton *>(QStringLiteral("btnKeres"))->click();
    QCOMPARE(sorszam(), 12);

    d.findChild<QRadioButton *>(QStringLiteral("rbFelfele"))->setChecked(true);
    d.keres();
    QCOMPARE(sorszam(), 2);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
}

void TestKereses::dialogSitsInTheMainWindowCorner()
{
    QWidget fo;
    fo.setGeometry(60, 40, 600, 450);
    fo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fo));
    Tfrm_Keres d(*m_tbl, &fo);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QTRY_COMPARE(d.frameGeometry().bottomRight(), fo.frameGeometry().bottomRight());
}

void TestKereses::mainWindowOpensTheDialog()
{
    TBeall beall;
    Tfrm_Main ablak(data::Database::regiszter(), beall);
    QVERIFY(ablak.Indit());
    QAction *a = ablak.akcio(QStringLiteral("aKeres2"));
    QVERIFY(a->isEnabled());
    QString latott;
    testsupport::onNextModal([&](QWidget *w) {
        latott = QString::fromLatin1(w->metaObject()->className());
        auto *edit = w->findChild<QLineEdit *>(QStringLiteral("edtKeresendo"));
        edit->setText(QStringLiteral("rózsa"));
        w->findChild<QPushButton *>(QStringLiteral("btnKeres"))->click();
        static_cast<QDialog *>(w)->reject();
    });
    a->trigger();
    QCOMPARE(latott, QStringLiteral("Tfrm_Keres"));
    // The dialog moved the main list itself, and is gone.
    QCOMPARE(ablak.Tbl()->asInteger(QStringLiteral("sorszam")), 12);
    QVERIFY(!ablak.findChild<Tfrm_Keres *>());
}

QTEST_MAIN(TestKereses)
#include "tst_kereses.moc"
