// The dated notes of a place: the list newest first, the note editor's
// new / edit / cancel through the row-edit controller, the date that goes
// through the picker, the delete question, the print hook, and the note
// added from the main window without the list.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "common/datagrid.h"
#include "common/programmappa.h"
#include "data/database.h"
#include "data/table.h"
#include "places/megjegyzesek.h"
#include "places/tfrm_megjegyzes.h"
#include "places/tfrm_megjegyzes_szerkeszt.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace testsupport;

namespace {

const QColor kFokusz(0xA6, 0xCA, 0xF0);

// The rows of the grid as "day|short description", top to bottom.
QStringList racsSorok(Tfrm_Megjegyzes &ablak)
{
    QStringList r;
    const QAbstractItemModel *m = ablak.racs()->model();
    for (int i = 0; i < m->rowCount(); ++i)
        r << m->index(i, 0).data().toString() + QLatin1Char('|') + m->index(i, 1).data().toString();
    return r;
}

// The stored notes of a place as "yyyy-MM-dd|short|text", by key.
QStringList tarolt(int ugyfel)
{
    data::Table t(data::Database::regiszter(), QStringLiteral("ugyf_megj"));
    t.setIndexFieldNames(QStringLiteral("ugyf_megj"));
    t.setFilter(MegjegyzesSzuro(ugyfel));
    t.setFiltered(true);
    t.open();
    QStringList r;
    for (t.first(); !t.eof(); t.next())
        r << t.asDate(QStringLiteral("datum")).toString(Qt::ISODate) + QLatin1Char('|')
                 + t.asString(QStringLiteral("rovid")) + QLatin1Char('|') + t.asString(QStringLiteral("megjegyzes"));
    return r;
}

QString nap(int ev, int ho, int n)
{
    return QDate(ev, ho, n).toString(QStringLiteral("yyyy.MM.dd."));
}

QString elemek(const QList<QAction *> &akciok)
{
    QStringList r;
    for (QAction *a : akciok)
        if (a->isVisible())
            r << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return r.join(QLatin1Char(' '));
}

// Drives the next note editor: `lepesek` fills it, then Elfogad (true) or
// Bezár (false) closes it.
void szerkesztoben(bool &latott, std::function<void(Tfrm_Megjegyzes_Szerkeszt *)> lepesek, bool elfogad)
{
    latott = false;
    onNextModal([&latott, lepesek, elfogad](QWidget *w) {
        auto *sz = qobject_cast<Tfrm_Megjegyzes_Szerkeszt *>(w);
        if (!sz) {
            static_cast<QDialog *>(w)->reject();
            return;
        }
        latott = true;
        lepesek(sz);
        (elfogad ? sz->aElfogad() : sz->aBezar())->trigger();
    });
}

void mutat(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

}  // namespace

class TestMegjegyzesek : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenRegister> m_reg;
    std::unique_ptr<DobozFelvevo> m_dobozok;
    std::unique_ptr<Tfrm_Megjegyzes> m_ablak;

    Tfrm_Megjegyzes &ablak(int ugyfel = 1)
    {
        m_ablak = std::make_unique<Tfrm_Megjegyzes>(data::Database::regiszter(), ugyfel, QStringLiteral("Almás Panzió"));
        mutat(m_ablak.get());
        return *m_ablak;
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void windowLayout();
    void newestFirstAndOnePlace();
    void newNoteTakesItsPlaceInTheOrder();
    void cancelledNewNoteLeavesNoRow();
    void cancelledEditLeavesTheNote();
    void dateAloneMovesTheNote();
    void editOnAnEmptyListDoesNothing();
    void deleteAsksFirst();
    void editorKeysAndColours();
    void printActionsWaitForTheReport();
    void newNoteFromTheMainWindow();
};

void TestMegjegyzesek::initTestCase()
{
    useHungarianLocale();
    m_reg = std::make_unique<OpenRegister>();
    setProgramMappa(m_reg->folder().root());
    data::Database::regiszter().exec(QStringLiteral(
        "INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (1, 1, 'Almás Panzió'), (2, 2, 'Bakony Lak')"));
}

void TestMegjegyzesek::init()
{
    m_dobozok = std::make_unique<DobozFelvevo>();
    auto &db = data::Database::regiszter();
    db.exec(QStringLiteral("DELETE FROM ugyf_megj"));
    db.exec(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, datum, rovid, megjegyzes) VALUES "
                           "(1, '2026-03-01', 'régi', 'Telefonált a tulajdonos.'), "
                           "(1, '2026-05-10', 'újabb', 'Új ár: 9000 Ft.'), "
                           "(2, '2026-06-01', 'másik hely', '')"));
}

void TestMegjegyzesek::cleanup()
{
    // No operation of these cases may end in an error box.
    if (m_dobozok)
        QCOMPARE(m_dobozok->hibak, QStringList());
    m_ablak.reset();
    m_dobozok.reset();
}

void TestMegjegyzesek::cleanupTestCase()
{
    m_reg.reset();
}

void TestMegjegyzesek::windowLayout()
{
    Tfrm_Megjegyzes &a = ablak();
    // The print actions sit in both bars, between the row actions and Bezár.
    QCOMPARE(elemek(a.eszkoztar()->actions()), QStringLiteral("aUj aSzerkeszt aTorol - aNyomtatKep aNyomtat - aBezar"));
    QCOMPARE(elemek(a.racs()->actions()), QStringLiteral("aUj aSzerkeszt aTorol - aNyomtatKep aNyomtat - aBezar"));
    // The grid and the read-only text of its current note share a splitter.
    auto *oszto = a.findChild<QSplitter *>();
    QVERIFY(oszto && oszto->indexOf(a.racs()) == 0 && oszto->indexOf(a.szoveg()) == 1);
    QVERIFY(a.szoveg()->isReadOnly());
    QCOMPARE(a.szoveg()->toPlainText(), QStringLiteral("Új ár: 9000 Ft."));
    a.tabla()->next();
    QCOMPARE(a.szoveg()->toPlainText(), QStringLiteral("Telefonált a tulajdonos."));
}

void TestMegjegyzesek::newestFirstAndOnePlace()
{
    QCOMPARE(racsSorok(ablak(1)), QStringList({nap(2026, 5, 10) + "|újabb", nap(2026, 3, 1) + "|régi"}));
    QCOMPARE(racsSorok(ablak(2)), QStringList{nap(2026, 6, 1) + "|másik hely"});
}

void TestMegjegyzesek::newNoteTakesItsPlaceInTheOrder()
{
    Tfrm_Megjegyzes &a = ablak();
    bool latott = false;
    data::State allapot = data::State::Inactive;
    QDate kezdoNap;
    // A note dated in the past goes below the newer ones.
    szerkesztoben(latott, [&](Tfrm_Megjegyzes_Szerkeszt *sz) {
        allapot = a.tabla()->state();
        kezdoNap = sz->datum()->date();
        sz->datum()->setDate(QDate(2025, 12, 24));
        gepel(sz->rovid(), QStringLiteral("tavalyi"));
        gepel(sz->szoveg(), QStringLiteral("Karácsonyi foglalás."));
    }, true);
    QTest::keyClick(a.racs(), Qt::Key_Insert);
    QVERIFY(latott);
    QCOMPARE(allapot, data::State::Insert);
    QCOMPARE(kezdoNap, QDate::currentDate());  // a new note starts today
    QCOMPARE(racsSorok(a), QStringList({nap(2026, 5, 10) + "|újabb", nap(2026, 3, 1) + "|régi",
                                        nap(2025, 12, 24) + "|tavalyi"}));
    QCOMPARE(a.tabla()->asString(QStringLiteral("rovid")), QStringLiteral("tavalyi"));
    QCOMPARE(a.szoveg()->toPlainText(), QStringLiteral("Karácsonyi foglalás."));
    QVERIFY(tarolt(1).contains(QStringLiteral("2025-12-24|tavalyi|Karácsonyi foglalás.")));

    // One of today stands first; an empty note is saved as it is.
    szerkesztoben(latott, [](Tfrm_Megjegyzes_Szerkeszt *) {}, true);
    a.aUj()->trigger();
    QVERIFY(latott);
    QCOMPARE(racsSorok(a).first(), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd.")) + "|");
    QCOMPARE(tarolt(1).size(), 4);
    QCOMPARE(tarolt(2).size(), 1);
}

void TestMegjegyzesek::cancelledNewNoteLeavesNoRow()
{
    Tfrm_Megjegyzes &a = ablak();
    const QStringList elotte = tarolt(1);
    bool latott = false;
    szerkesztoben(latott, [](Tfrm_Megjegyzes_Szerkeszt *sz) {
        sz->datum()->setDate(QDate(2027, 1, 1));
        gepel(sz->rovid(), QStringLiteral("meggondoltam"));
    }, false);
    a.aUj()->trigger();
    QVERIFY(latott);
    QCOMPARE(a.tabla()->state(), data::State::Browse);
    QCOMPARE(tarolt(1), elotte);
    QCOMPARE(racsSorok(a).size(), 2);
}

void TestMegjegyzesek::cancelledEditLeavesTheNote()
{
    Tfrm_Megjegyzes &a = ablak();
    const QStringList elotte = tarolt(1);
    bool latott = false;
    QString mutatott;
    szerkesztoben(latott, [&](Tfrm_Megjegyzes_Szerkeszt *sz) {
        mutatott = sz->datum()->date().toString(Qt::ISODate) + QLatin1Char('|') + sz->rovid()->text() + QLatin1Char('|')
                   + sz->szoveg()->toPlainText();
        sz->datum()->setDate(QDate(2020, 2, 2));
        sz->rovid()->selectAll();
        gepel(sz->rovid(), QStringLiteral("átírva"));
        gepel(sz->szoveg(), QStringLiteral(" Még valami."));
    }, false);
    QTest::keyClick(a.racs(), Qt::Key_F2);
    QVERIFY(latott);
    QCOMPARE(mutatott, QStringLiteral("2026-05-10|újabb|Új ár: 9000 Ft."));
    QCOMPARE(a.tabla()->state(), data::State::Browse);
    QCOMPARE(tarolt(1), elotte);
    QCOMPARE(racsSorok(a), QStringList({nap(2026, 5, 10) + "|újabb", nap(2026, 3, 1) + "|régi"}));
}

void TestMegjegyzesek::dateAloneMovesTheNote()
{
    Tfrm_Megjegyzes &a = ablak();
    a.tabla()->last();  // "régi"
    bool latott = false;
    szerkesztoben(latott, [](Tfrm_Megjegyzes_Szerkeszt *sz) { sz->datum()->setDate(QDate(2026, 11, 30)); }, true);
    a.aSzerkeszt()->trigger();
    QVERIFY(latott);
    QCOMPARE(racsSorok(a), QStringList({nap(2026, 11, 30) + "|régi", nap(2026, 5, 10) + "|újabb"}));
    QCOMPARE(a.racs()->currentIndex().row(), 0);
    QVERIFY(tarolt(1).contains(QStringLiteral("2026-11-30|régi|Telefonált a tulajdonos.")));
}

void TestMegjegyzesek::editOnAnEmptyListDoesNothing()
{
    data::Database::regiszter().exec(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (3, 3, 'Üres')"));
    Tfrm_Megjegyzes &a = ablak(3);
    QVERIFY(!a.aSzerkeszt()->isEnabled());
    QVERIFY(!a.aTorol()->isEnabled());
    bool latott = false;
    onNextModal([&latott](QWidget *w) {
        latott = true;
        static_cast<QDialog *>(w)->reject();
    }, 300);
    a.szerkeszt();
    Q_EMIT a.racs()->rowActivated();
    QTest::qWait(400);  // longer than the watch above
    QVERIFY(!latott);
    QCOMPARE(a.tabla()->state(), data::State::Browse);
    QVERIFY(a.isVisible());
    QCOMPARE(tarolt(3), QStringList());
    data::Database::regiszter().exec(QStringLiteral("DELETE FROM ugyfel WHERE ugyfel = 3"));
}

void TestMegjegyzesek::deleteAsksFirst()
{
    Tfrm_Megjegyzes &a = ablak();
    m_dobozok->valaszok = {false, true};
    QTest::keyClick(a.racs(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(racsSorok(a).size(), 2);
    QCOMPARE(tarolt(1).size(), 2);
    a.aTorol()->trigger();
    QCOMPARE(m_dobozok->kerdesek, QStringList(2, QStringLiteral("Valóban töröljem a sort?")));
    QCOMPARE(m_dobozok->kerdesCimek, QStringList(2, QStringLiteral("Megerősítés")));
    QCOMPARE(racsSorok(a), QStringList{nap(2026, 3, 1) + "|régi"});
    QCOMPARE(tarolt(1), QStringList{QStringLiteral("2026-03-01|régi|Telefonált a tulajdonos.")});
}

void TestMegjegyzesek::editorKeysAndColours()
{
    Tfrm_Megjegyzes &a = ablak();
    bool latott = false;
    szerkesztoben(latott, [](Tfrm_Megjegyzes_Szerkeszt *sz) {
        // The picker first, Enter on to the description and the text; in
        // the text Enter starts a new line.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(sz->datum()));
        QTRY_COMPARE(sz->datum()->palette().color(QPalette::Base), kFokusz);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(sz->rovid()));
        QTRY_COMPARE(sz->rovid()->palette().color(QPalette::Base), kFokusz);
        QVERIFY(sz->datum()->palette().color(QPalette::Base) != kFokusz);
        QTest::keyClick(sz->rovid(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(sz->szoveg()));
        gepel(sz->szoveg(), QStringLiteral("első"));
        QTest::keyClick(sz->szoveg(), Qt::Key_Return);
        gepel(sz->szoveg(), QStringLiteral("második"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(sz->szoveg()));
        // Cut and paste through the actions on the focused text.
        sz->szoveg()->selectAll();
        sz->findChild<QAction *>(QStringLiteral("aKivag"))->trigger();
        QCOMPARE(sz->szoveg()->toPlainText(), QString());
        sz->findChild<QAction *>(QStringLiteral("aBeilleszt"))->trigger();
        QCOMPARE(sz->szoveg()->toPlainText(), QStringLiteral("első\nmásodikÚj ár: 9000 Ft."));
    }, true);
    a.aSzerkeszt()->trigger();
    QVERIFY(latott);
    QVERIFY(tarolt(1).contains(QStringLiteral("2026-05-10|újabb|első\nmásodikÚj ár: 9000 Ft.")));
}

void TestMegjegyzesek::printActionsWaitForTheReport()
{
    Tfrm_Megjegyzes &a = ablak();
    QVERIFY(!a.aNyomtatKep()->isEnabled());
    QVERIFY(!a.aNyomtat()->isEnabled());
    QList<bool> hivasok;
    a.setRiport([&hivasok](bool nyomtatora) { hivasok << nyomtatora; });
    QVERIFY(a.aNyomtatKep()->isEnabled() && a.aNyomtat()->isEnabled());
    QTest::keyClick(a.racs(), Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(a.racs(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(hivasok, QList<bool>({false, true}));
}

void TestMegjegyzesek::newNoteFromTheMainWindow()
{
    TBeall beall;
    Tfrm_Main fo(data::Database::regiszter(), beall);
    QVERIFY(fo.Indit());
    QVERIFY(fo.Tbl()->locate(QStringLiteral("sorszam"), 2));
    QAction *uj = fo.akcio(QStringLiteral("aMegjegyzesUj"));
    QVERIFY(uj->isEnabled());
    QCOMPARE(uj->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));

    bool latott = false;
    szerkesztoben(latott, [&](Tfrm_Megjegyzes_Szerkeszt *sz) {
        QCOMPARE(fo.TblMegj()->state(), data::State::Insert);
        QCOMPARE(sz->datum()->date(), QDate::currentDate());
        gepel(sz->rovid(), QStringLiteral("telefon"));
    }, true);
    uj->trigger();
    QVERIFY(latott);
    QVERIFY(!fo.TblMegj()->isOpen());
    const QString ma = QDate::currentDate().toString(Qt::ISODate);
    QCOMPARE(tarolt(2), QStringList({QStringLiteral("2026-06-01|másik hely|"), ma + QStringLiteral("|telefon|")}));

    // The notes window of the same place lists it, newest first.
    QStringList sorok;
    QString hely;
    onNextModal([&](QWidget *w) {
        auto *a = qobject_cast<Tfrm_Megjegyzes *>(w);
        if (a) {
            sorok = racsSorok(*a);
            hely = a->findChild<QLabel *>(QStringLiteral("lblHely"))->text();
        }
        static_cast<QDialog *>(w)->reject();
    });
    fo.akcio(QStringLiteral("aMegjegyzes"))->trigger();
    QCOMPARE(hely, QStringLiteral("Bakony Lak"));
    const QString mai = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd."));
    QCOMPARE(sorok, QStringList({mai + "|telefon", nap(2026, 6, 1) + "|másik hely"}));
}

QTEST_MAIN(TestMegjegyzesek)
#include "tst_megjegyzesek.moc"
