// The main window on a register of a few dozen places: counter, sort orders,
// quick search, grey rows, mail actions, links, actions and their menus,
// geometry rules and the windows it opens.

#include "app/beallitasok.h"
#include "app/helylista.h"
#include "app/tfrm_main.h"
#include "common/datagrid.h"
#include "common/ertekcimke.h"
#include "common/gridmodel.h"
#include "common/kulsomegnyit.h"
#include "data/database.h"
#include "data/table.h"
#include "testsupport.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <iterator>
#include <memory>

namespace {

struct Hely {
    int sorszam;
    const char *nev;
    const char *orszag;
    const char *irsz;
    const char *aktiv;   // nullptr: empty
    const char *emil;    // contact e-mail, nullptr: none
};

// Special places; the rest are filled in by hely().
const Hely kKulonleges[] = {
    {1, "Almás Panzió", "H", "8200", "I", "almas@example.hu"},
    {2, "B2 Apartman", "H", "8230", "I", nullptr},
    {3, "Bakony Vendégház", "H", "8420", "N", "bakony@example.hu"},
    {4, "balaton lak", "H", "8630", "n", nullptr},
    {5, "Cédrus Villa", "A", "7400", nullptr, nullptr},
    {12, "Tölgyfa Ház", "SK", "9100", "I", nullptr},
    {120, "Zúzmara Kúria", "H", "3300", "I", nullptr},
    {121, "Zsálya Ház", "D", "1011", "I", nullptr},
};

QString nevOf(const data::DataSet &ds)
{
    return ds.asString(QStringLiteral("ugyfel_nev"));
}

// The items of a menu: object names of actions, "-" for separators and the
// title in brackets for submenus; the types item stands for its action.
QString menuElemek(const QMenu *m)
{
    QStringList r;
    for (QAction *a : m->actions()) {
        if (a->isSeparator())
            r << QStringLiteral("-");
        else if (a->menu())
            r << QLatin1Char('[') + a->menu()->title() + QLatin1Char(']');
        else if (a->property("akcio").isValid())
            r << a->property("akcio").toString();
        else
            r << a->objectName();
    }
    return r.join(QLatin1Char(' '));
}

QString savElemek(const QToolBar *sav)
{
    QStringList r;
    for (QAction *a : sav->actions()) {
        if (a->isSeparator())
            r << QStringLiteral("-");
        else if (auto *wa = qobject_cast<QWidgetAction *>(a))
            r << wa->defaultWidget()->objectName();
        else
            r << a->objectName();
    }
    return r.join(QLatin1Char(' '));
}

}  // namespace

class TestMain : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testsupport::OpenRegister> m_reg;
    TBeall m_beall;
    std::unique_ptr<Tfrm_Main> m_ablak;
    std::unique_ptr<testsupport::DobozFelvevo> m_dobozok;
    QStringList m_inditott;
    int m_helyek = 0;

    data::Table *tbl() const { return m_ablak->Tbl(); }
    QLineEdit *edit1() const { return m_ablak->findChild<QLineEdit *>(QStringLiteral("Edit1")); }
    DataGrid *grid() const { return m_ablak->findChild<DataGrid *>(QStringLiteral("DBGrid1")); }
    void sorrend(const char *akcio) { m_ablak->akcio(QString::fromUtf8(akcio))->trigger(); }
    void ugrik(int sorszam)
    {
        QVERIFY(tbl()->locate(QStringLiteral("sorszam"), sorszam));
    }
    // Shows the window and makes it the active one. The offscreen platform
    // keeps its focus window through a hide, so the widget side may not
    // hear of the activation again.
    void aktival()
    {
        m_ablak->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
        m_ablak->activateWindow();
        if (QApplication::activeWindow() != m_ablak.get())
            QApplication::setActiveWindow(m_ablak.get());
        QTRY_COMPARE(QApplication::activeWindow(), m_ablak.get());
    }
    void gepel(const QString &szoveg)
    {
        edit1()->clear();
        QTest::keyClicks(edit1(), szoveg);
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void helperRules();
    void startupState();
    void recordCounter();
    void sortOrdersKeepRowAndFilter();
    void quickSearchByName();
    void quickSearchBySequenceNumber();
    void quickSearchRejectsNonNumber();
    void inactiveRowsAreGrey();
    void mailToContact();
    void linksOpenTargets();
    void detailPanelShowsCurrentPlace();
    void actionTable();
    void menusAndToolBars();
    void hintsReachStatusBar();
    void searchActionFocusesBox();
    void columnAndMemoWidths();
    void placementWhenShown();
    void contextMenuOnRightClick();
    void doubleClickEdits();
    void settingsAndUsersOpenModally();
    void placementKeepsTheFrame_data();
    void placementKeepsTheFrame();
    void detailValuesFitOrShowEllipsis_data();
    void detailValuesFitOrShowEllipsis();
    void detailPanelFonts();
    void menuRowWholeAtDefaultWidth();
    void hintsFromModalWindowsAndDisabledItems();
    void sortMenuShowsCheckMarks();
    void menuButtonLetsGoAfterItsMenu();
    void settingsDialogCentredOnMainWindow_data();
    void settingsDialogCentredOnMainWindow();
    void honlapHandedOverAsTyped_data();
    void honlapHandedOverAsTyped();
    void accessibleAsWindowWithOpenMenus();

    // Exit closes the database: it runs last.
    void closingWritesSettings();
};

void TestMain::initTestCase()
{
    testsupport::useHungarianLocale();
    m_reg = std::make_unique<testsupport::OpenRegister>();
    m_dobozok = std::make_unique<testsupport::DobozFelvevo>();
    setProgramMappa(m_reg->folder().root());
    data::Database &db = data::Database::regiszter();
    db.exec(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (1, 'Panzió'), (2, 'Apartman')"));
    db.exec(QStringLiteral("INSERT INTO terulet (terulet, terulet_nev) VALUES (1, 'Balaton'), (2, 'Bakony')"));

    data::Table t(db, QStringLiteral("ugyfel"));
    t.open();
    auto tesz = [&](const Hely &h) {
        t.insert();
        t.setValue(QStringLiteral("sorszam"), h.sorszam);
        t.setValue(QStringLiteral("ugyfel_nev"), QString::fromUtf8(h.nev));
        t.setValue(QStringLiteral("cim_orszag"), QString::fromUtf8(h.orszag));
        t.setValue(QStringLiteral("cim_irsz"), QString::fromUtf8(h.irsz));
        if (h.aktiv)
            t.setValue(QStringLiteral("aktiv"), QString::fromUtf8(h.aktiv));
        if (h.emil)
            t.setValue(QStringLiteral("kapcs_emil"), QString::fromUtf8(h.emil));
        t.setValue(QStringLiteral("tipus"), 1 + h.sorszam % 2);
        t.setValue(QStringLiteral("terulet"), 1 + h.sorszam % 2);
        t.post();
        ++m_helyek;
    };
    for (const Hely &h : kKulonleges)
        tesz(h);
    const char *orszagok[] = {"H", "A", "HR", "SK"};
    for (int s = 6; s <= 40; ++s) {
        if (s == 12)
            continue;
        const QByteArray nev = QStringLiteral("Hely %1").arg(s, 2, 10, QLatin1Char('0')).toUtf8();
        const QByteArray irsz = QByteArray::number(1000 + (s * 37) % 8000);
        tesz({s, nev.constData(), orszagok[s % 4], irsz.constData(), "I", nullptr});
    }
    // One place with every detail filled in, for the detail panel.
    t.locate(QStringLiteral("sorszam"), 1);
    t.edit();
    t.setValue(QStringLiteral("tul_emil"), QStringLiteral("tulaj@example.hu"));
    t.setValue(QStringLiteral("honlap"), QStringLiteral("www.almas.hu"));
    t.setValue(QStringLiteral("kapcsolat"), QStringLiteral("Kiss Anna"));
    t.setValue(QStringLiteral("jutalek"), 12.5);
    t.setValue(QStringLiteral("ossz_dij"), 1234567.4);
    t.setValue(QStringLiteral("szolgaltatas"), QStringLiteral("reggeli\nparkoló"));
    t.post();
    t.close();

    setKulsoIndito([this](const QString &cel) { m_inditott << cel; });

    // Whatever order the last run ended with, the start orders by number.
    m_beall.Sorrend = QStringLiteral("cim_irsz");
    m_ablak = std::make_unique<Tfrm_Main>(data::Database::regiszter(), m_beall);
    QVERIFY(m_ablak->Indit());
    // The first place is current and selected in the grid from the start.
    QCOMPARE(tbl()->recNo(), 1);
    QVERIFY(grid()->selectionModel()->isRowSelected(0, {}));
}

void TestMain::cleanupTestCase()
{
    setKulsoIndito({});
    m_ablak.reset();
    m_dobozok.reset();
    m_reg.reset();
}

void TestMain::init()
{
    m_inditott.clear();
    m_dobozok->hibak.clear();
    m_ablak->hide();
    if (tbl()->isOpen()) {
        tbl()->setFiltered(false);
        sorrend("aSorrendSorszam");
        tbl()->first();
    }
    QSignalBlocker b(edit1());
    edit1()->clear();
}

void TestMain::helperRules()
{
    QCOMPARE(SzamlaloSzoveg(120, 3), QStringLiteral("120 / 3"));
    QCOMPARE(OszlopSzelesseg(1033, 0.07), 70);
    QCOMPARE(OszlopSzelesseg(1000, 0.26), 251);   // 251.42
    QCOMPARE(OszlopSzelesseg(1000, 0.06), 58);    // 58.02
    QCOMPARE(OszlopSzelesseg(1000, 0.12), 116);   // 116.04
    QCOMPARE(OszlopSzelesseg(1043, 0.05), 51);    // 50.5 rounds up

    double osszes = 0;
    for (const HelyOszlop &o : HelyOszlopok())
        osszes += o.arany;
    QVERIFY(qAbs(osszes - 0.98) < 1e-9);

    const LevelCel nincs = LeveletNeki(QString());
    QVERIFY(nincs.hiba);
    QCOMPARE(nincs.szoveg, QStringLiteral("Nincs E-Mail cím megadva."));
    const LevelCel van = LeveletNeki(QStringLiteral("a@b.hu"));
    QVERIFY(!van.hiba);
    QCOMPARE(van.szoveg, QStringLiteral("mailto:a@b.hu"));
    QCOMPARE(LevelCim(QString()), QStringLiteral("mailto:"));

    QCOMPARE(HelySorrendMezo(QStringLiteral("UGYFEL_NEV"))->akcio, QStringLiteral("aSorrendNev"));
    QVERIFY(!HelySorrendAkcio(QStringLiteral("aUj")));
}

void TestMain::startupState()
{
    QCOMPARE(m_ablak->windowTitle(), QStringLiteral("Nyugvár"));
    QVERIFY(tbl()->isOpen());
    QCOMPARE(m_beall.Sorrend, QStringLiteral("sorszam"));
    QCOMPARE(tbl()->indexFieldNames(), QStringLiteral("sorszam"));
    QCOMPARE(m_ablak->panelSzoveg(1), QStringLiteral("Sorrend: Sorszám"));
    QVERIFY(m_ablak->akcio(QStringLiteral("aSorrendSorszam"))->isChecked());
    auto *panel3 = m_ablak->findChild<QLabel *>(QStringLiteral("Panel3"));
    QVERIFY(panel3);
    QCOMPARE(panel3->text(), QStringLiteral("Nyugvár V1.2.0.67"));
    QVERIFY(panel3->font().bold());
    QCOMPARE(panel3->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
    QCOMPARE(m_ablak->panelSzoveg(3), QString());

    // The place list carries every stored field and the two lookups.
    QVERIFY(tbl()->fieldIndex(QStringLiteral("szolgaltatas")) >= 0);
    QVERIFY(tbl()->fieldIndex(QStringLiteral("tipus_nev")) >= 0);
    QVERIFY(tbl()->fieldIndex(QStringLiteral("terulet_nev")) >= 0);
    ugrik(2);
    QCOMPARE(tbl()->asString(QStringLiteral("tipus_nev")), QStringLiteral("Panzió"));
    QCOMPARE(tbl()->asString(QStringLiteral("terulet_nev")), QStringLiteral("Balaton"));

    // The grid shows the eleven columns with their titles.
    const QStringList cimek = {"sorszám", "szálláshely", "típus", "terület", "ország", "irsz",
                               "város",   "létszám",     "tól",   "ig",      "ü.cs."};
    QCOMPARE(grid()->model()->columnCount(), cimek.size());
    for (int i = 0; i < cimek.size(); ++i)
        QCOMPARE(grid()->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), cimek[i]);
    // The current place is selected in the grid.
    QVERIFY(grid()->selectionModel()->isRowSelected(tbl()->currentRow(), {}));

    auto *e = edit1();
    QCOMPARE(e->palette().color(QPalette::Base), QColor(0xC0, 0xDC, 0xC0));
    QVERIFY(e->font().bold());
    QCOMPARE(e->toolTip(), QStringLiteral("Sorrend szerinti keresés"));
}

void TestMain::recordCounter()
{
    QCOMPARE(m_ablak->panelSzoveg(0), QStringLiteral("%1 / 1").arg(m_helyek));
    tbl()->setCurrentRow(2);
    QCOMPARE(m_ablak->panelSzoveg(0), QStringLiteral("%1 / 3").arg(m_helyek));
    tbl()->last();
    QCOMPARE(m_ablak->panelSzoveg(0), QStringLiteral("%1 / %1").arg(m_helyek));

    // With a filter on, only the passing rows are counted: three places are
    // not "I" (N, n and empty).
    tbl()->setFilter(QStringLiteral("aktiv='I'"));
    tbl()->setFiltered(true);
    const int aktivak = m_helyek - 3;
    QCOMPARE(tbl()->recordCount(), aktivak);
    QCOMPARE(m_ablak->panelSzoveg(0), QStringLiteral("%1 / %2").arg(aktivak).arg(tbl()->recNo()));
    tbl()->first();
    tbl()->next();
    QCOMPARE(m_ablak->panelSzoveg(0), QStringLiteral("%1 / 2").arg(aktivak));
    tbl()->setFiltered(false);
    QCOMPARE(m_ablak->panelSzoveg(0).section(QLatin1Char(' '), 0, 0), QString::number(m_helyek));
}

void TestMain::sortOrdersKeepRowAndFilter()
{
    struct Eset {
        const char *akcio;
        const char *statusz;
        const char *mezo;
    };
    const Eset esetek[] = {
        {"aSorrendNev", "Sorrend: Szálláshely", "ugyfel_nev"},
        {"aSorrendOrszag", "Sorrend: Ország", "cim_orszag"},
        {"aSorrendIrsz", "Sorrend: Irányítószám", "cim_irsz"},
        {"aSorrendSorszam", "Sorrend: Sorszám", "sorszam"},
    };
    ugrik(12);
    const qint64 kulcs = tbl()->currentRowId();
    for (const Eset &e : esetek) {
        sorrend(e.akcio);
        QCOMPARE(m_ablak->panelSzoveg(1), QString::fromUtf8(e.statusz));
        QCOMPARE(m_beall.Sorrend, QString::fromUtf8(e.mezo));
        QCOMPARE(tbl()->indexFieldNames(), QString::fromUtf8(e.mezo));
        QCOMPARE(tbl()->currentRowId(), kulcs);
        QCOMPARE(nevOf(*tbl()), QStringLiteral("Tölgyfa Ház"));
        // The grid's selection follows the data set.
        QCOMPARE(grid()->currentIndex().row(), tbl()->currentRow());
        // Exactly one sort action is checked.
        int bejelolt = 0;
        for (const HelySorrend &s : HelySorrendek())
            bejelolt += m_ablak->akcio(s.akcio)->isChecked() ? 1 : 0;
        QCOMPARE(bejelolt, 1);
        QVERIFY(m_ablak->akcio(QString::fromUtf8(e.akcio))->isChecked());
    }

    // The rows really follow the order: by name, "Almás" comes first and
    // the digit of "B2" before "Bakony".
    sorrend("aSorrendNev");
    tbl()->first();
    QCOMPARE(nevOf(*tbl()), QStringLiteral("Almás Panzió"));
    tbl()->next();
    QCOMPARE(nevOf(*tbl()), QStringLiteral("B2 Apartman"));

    // A filter stays on through a change of order.
    tbl()->setFilter(QStringLiteral("aktiv='I'"));
    tbl()->setFiltered(true);
    ugrik(120);
    sorrend("aSorrendIrsz");
    QVERIFY(tbl()->isFiltered());
    QCOMPARE(tbl()->recordCount(), m_helyek - 3);
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 120);
    tbl()->first();
    QCOMPARE(tbl()->asString(QStringLiteral("cim_irsz")), QStringLiteral("1011"));
    tbl()->setFiltered(false);
}

void TestMain::quickSearchByName()
{
    testsupport::DobozFelvevo &dobozok = *m_dobozok;
    sorrend("aSorrendNev");
    tbl()->last();

    gepel(QStringLiteral("b"));
    QCOMPARE(nevOf(*tbl()), QStringLiteral("B2 Apartman"));
    QTest::keyClicks(edit1(), QStringLiteral("A"));
    QCOMPARE(edit1()->text(), QStringLiteral("bA"));
    QCOMPARE(nevOf(*tbl()), QStringLiteral("Bakony Vendégház"));
    // A third letter that no name continues leaves the row where it was.
    QTest::keyClicks(edit1(), QStringLiteral("x"));
    QCOMPARE(nevOf(*tbl()), QStringLiteral("Bakony Vendégház"));
    QVERIFY(dobozok.hibak.isEmpty());

    // Upper-case typing finds a lower-case name.
    gepel(QStringLiteral("BAL"));
    QCOMPARE(nevOf(*tbl()), QStringLiteral("balaton lak"));
    QCOMPARE(grid()->currentIndex().row(), tbl()->currentRow());

    // Emptying the box moves nothing.
    const qint64 kulcs = tbl()->currentRowId();
    edit1()->clear();
    QCOMPARE(tbl()->currentRowId(), kulcs);

    // The country order searches the country column.
    sorrend("aSorrendOrszag");
    gepel(QStringLiteral("s"));
    QCOMPARE(tbl()->asString(QStringLiteral("cim_orszag")), QStringLiteral("SK"));
}

void TestMain::quickSearchBySequenceNumber()
{
    testsupport::DobozFelvevo &dobozok = *m_dobozok;
    ugrik(30);
    gepel(QStringLiteral("1"));
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 1);
    QTest::keyClicks(edit1(), QStringLiteral("2"));
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 12);

    // Without a place 12 the row stays on place 1, not on 120 or 121.
    data::Database::regiszter().exec(QStringLiteral("UPDATE ugyfel SET sorszam = 50 WHERE sorszam = 12"));
    tbl()->refresh();
    gepel(QStringLiteral("1"));
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 1);
    QTest::keyClicks(edit1(), QStringLiteral("2"));
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 1);
    QTest::keyClicks(edit1(), QStringLiteral("0"));
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 120);
    QVERIFY(dobozok.hibak.isEmpty());

    data::Database::regiszter().exec(QStringLiteral("UPDATE ugyfel SET sorszam = 12 WHERE sorszam = 50"));
    m_ablak->akcio(QStringLiteral("aFrissit"))->trigger();
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 120);
    QVERIFY(tbl()->locate(QStringLiteral("sorszam"), 12));
}

void TestMain::quickSearchRejectsNonNumber()
{
    testsupport::DobozFelvevo &dobozok = *m_dobozok;
    ugrik(5);
    gepel(QStringLiteral("x"));
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY2(dobozok.hibak.first().contains(QStringLiteral("'x'")), qPrintable(dobozok.hibak.first()));
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 5);
    // The box keeps the text and the program goes on.
    QCOMPARE(edit1()->text(), QStringLiteral("x"));
    edit1()->clear();
    gepel(QStringLiteral("3"));
    QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 3);
    QCOMPARE(dobozok.hibak.size(), 1);
}

void TestMain::inactiveRowsAreGrey()
{
    QAbstractItemModel *m = grid()->model();
    auto szin = [&](int sorszam) {
        ugrik(sorszam);
        const int sor = tbl()->currentRow();
        tbl()->first();  // not the selected row
        return m->data(m->index(sor, 1), Qt::ForegroundRole);
    };
    const QVariant inaktiv = szin(3);
    QVERIFY(inaktiv.isValid());
    QCOMPARE(inaktiv.value<QColor>(), QColor(0x80, 0x80, 0x80));
    QVERIFY(!szin(4).isValid());  // lower-case n
    QVERIFY(!szin(5).isValid());  // empty
    QVERIFY(!szin(1).isValid());  // I
    // Every column of the inactive row is grey.
    ugrik(3);
    const int sor = tbl()->currentRow();
    for (int c = 0; c < m->columnCount(); ++c)
        QCOMPARE(m->data(m->index(sor, c), Qt::ForegroundRole).value<QColor>(), QColor(0x80, 0x80, 0x80));
}

void TestMain::mailToContact()
{
    testsupport::DobozFelvevo &dobozok = *m_dobozok;
    QAction *a = m_ablak->akcio(QStringLiteral("aLevelNeki"));
    ugrik(2);
    a->trigger();
    QCOMPARE(dobozok.hibak, QStringList{QStringLiteral("Nincs E-Mail cím megadva.")});
    QVERIFY(m_inditott.isEmpty());

    ugrik(3);
    a->trigger();
    QCOMPARE(m_inditott, QStringList{QStringLiteral("mailto:bakony@example.hu")});
    QCOMPARE(dobozok.hibak.size(), 1);

    // The shortcut reaches the action from the search box.
    m_inditott.clear();
    aktival();
    edit1()->setFocus();
    QTest::keyClick(edit1(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(m_inditott, QStringList{QStringLiteral("mailto:bakony@example.hu")});

    // A shortcut typed in the search box runs the window's action and
    // leaves the text alone.
    QAction *kep = m_ablak->akcio(QStringLiteral("aTorol"));
    QVERIFY(kep->isEnabled());
    QSignalSpy futott(kep, &QAction::triggered);
    {
        QSignalBlocker b(edit1());
        edit1()->setText(QStringLiteral("abc def"));
    }
    edit1()->setCursorPosition(0);
    QTest::keyClick(edit1(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(futott.size(), 1);
    QCOMPARE(edit1()->text(), QStringLiteral("abc def"));
    // The delete asked first; the answer "Nem" kept the place.
    QCOMPARE(m_dobozok->kerdesek.takeLast(), QStringLiteral("Valóban töröljem a sort?"));
    QCOMPARE(tbl()->recordCount(), m_helyek);
    m_ablak->hide();
}

void TestMain::linksOpenTargets()
{
    auto klikk = [&](const char *mezo) {
        auto *l = m_ablak->findChild<QLabel *>(QStringLiteral("lbl_") + QString::fromUtf8(mezo));
        QVERIFY(l);
        QCOMPARE(l->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(l->font().underline());
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));
        QTest::mouseClick(l, Qt::LeftButton);
    };
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    ugrik(1);
    klikk("kapcs_emil");
    klikk("tul_emil");
    klikk("honlap");
    QCOMPARE(m_inditott, (QStringList{QStringLiteral("mailto:almas@example.hu"),
                                      QStringLiteral("mailto:tulaj@example.hu"), QStringLiteral("www.almas.hu")}));
    // An empty address still opens a bare "mailto:".
    m_inditott.clear();
    ugrik(2);
    klikk("kapcs_emil");
    QCOMPARE(m_inditott, QStringList{QStringLiteral("mailto:")});
    // A right click opens nothing.
    m_inditott.clear();
    QTest::mouseClick(m_ablak->findChild<QLabel *>(QStringLiteral("lbl_kapcs_emil")), Qt::RightButton);
    QVERIFY(m_inditott.isEmpty());
    m_ablak->hide();
}

void TestMain::detailPanelShowsCurrentPlace()
{
    auto ertek = [&](const char *mezo) {
        auto *l = m_ablak->findChild<QLabel *>(QStringLiteral("lbl_") + QString::fromUtf8(mezo));
        return l ? l->text() : QStringLiteral("<nincs>");
    };
    ugrik(1);
    QCOMPARE(ertek("ugyfel_nev"), QStringLiteral("Almás Panzió"));
    QCOMPARE(ertek("sorszam"), QStringLiteral("00001"));
    QCOMPARE(ertek("kapcsolat"), QStringLiteral("Kiss Anna"));
    QCOMPARE(ertek("ossz_dij"), QStringLiteral("1 234 567"));
    QCOMPARE(ertek("jutalek"), QStringLiteral("12,50%"));
    QCOMPARE(ertek("terulet_nev"), QStringLiteral("Bakony"));
    auto *memo = m_ablak->findChild<QPlainTextEdit *>(QStringLiteral("DBMemo1"));
    QVERIFY(memo && memo->isReadOnly());
    QCOMPARE(memo->toPlainText(), QStringLiteral("reggeli\nparkoló"));
    QVERIFY(memo->font().fixedPitch() || QFontInfo(memo->font()).fixedPitch());

    ugrik(2);
    QCOMPARE(ertek("ugyfel_nev"), QStringLiteral("B2 Apartman"));
    QCOMPARE(ertek("kapcsolat"), QString());
    QCOMPARE(memo->toPlainText(), QString());

    QStringList dobozok;
    for (auto *g : m_ablak->findChildren<QGroupBox *>())
        dobozok << g->title();
    for (const char *cim : {"Általános", "Cím adatok", "Levelezési cím", "Kapcsolattartó", "Tulajdonos", "Egyebek"})
        QVERIFY2(dobozok.contains(QString::fromUtf8(cim)), cim);
}

void TestMain::actionTable()
{
    struct Elvart {
        const char *nev;
        const char *kategoria;
        const char *felirat;
        const char *tipp;
        const char *billentyu;
        bool mukodik;
    };
    const Elvart elvart[] = {
        {"aUj", "Ügyfelek", "Új sor", "", "Ins", true},
        {"aSzerkeszt", "Ügyfelek", "Szerkeszt", "", "F2", true},
        {"aTorol", "Ügyfelek", "Töröl", "", "Ctrl+Del", true},
        {"aCsatolt", "Ügyfelek", "Csatolt dokumentumok", "", "F3", true},
        {"aCimke", "Ügyfelek", "Címke nyomtatás", "", "", true},
        {"aExcelbe", "Ügyfelek", "Excelbe", "", "Ctrl+E", true},
        {"aKeres", "Ügyfelek", "Keresés", "", "Ctrl+F", true},
        {"aKeres2", "Ügyfelek", "Részletes keresés", "", "Ctrl+T", true},
        {"aSzakSzur", "Ügyfelek", "Szűrés", "", "Ctrl+S", true},
        {"aLevelNeki", "Ügyfelek", "Levelet neki...", "", "Ctrl+L", true},
        {"aMegjegyzes", "Ügyfelek", "Megjegyzések", "", "Ctrl+M", true},
        {"aMegjegyzesUj", "Ügyfelek", "Új megjegyzés", "", "Shift+Ctrl+M", true},
        {"aFrissit", "Ügyfelek", "Frissít", "", "F5", true},
        {"aSorrendSorszam", "Ügyfelek", "Sorrend sorszám szerint", "", "", true},
        {"aSorrendNev", "Ügyfelek", "Sorrend név szerint", "", "", true},
        {"aSorrendOrszag", "Ügyfelek", "Sorrend ország szerint", "", "", true},
        {"aSorrendIrsz", "Ügyfelek", "Sorrend irányítószám szerint", "", "", true},
        {"aBezar", "Ügyfelek", "Bezár", "", "", true},
        {"aTeljes", "Nyomtatások", "Teljes lista (név szerint)", "Teljes lista", "Ctrl+P", true},
        {"aNyomtatKep", "Nyomtatások", "Teljes lista (név szerint)", "", "Ctrl+K", true},
        {"aNyomtat", "Nyomtatások", "Adatlap", "Nyomtat (Adatlap)", "Shift+Ctrl+P", true},
        {"aAdatlap", "Nyomtatások", "Adatlap", "", "Shift+Ctrl+K", true},
        {"aNyomMegjegyzes", "Nyomtatások", "Megjegyzések", "", "", true},
        {"aFoglalas", "Eszközök", "Foglalások", "", "F4", true},
        {"aKorposta", "Eszközök", "Korposta adatbázis generálás", "", "", true},
        {"aTorzsTerulet", "Törzsadatok", "Területek", "", "", true},
        {"aTorzsTipus", "Törzsadatok", "Ügyfél típusok", "", "", true},
        {"aTorzsFizmod", "Törzsadatok", "Fizetési módok", "", "", true},
        {"aTorzsMegrendelo", "Törzsadatok", "Megrendelők", "", "", true},
        {"aTorzsCimke", "Törzsadatok", "Címkék", "", "", true},
        {"aBeallit", "Rendszer", "Beállítások", "", "", true},
        {"aTulajdonos", "Rendszer", "Irodánk adatai...", "Az iroda neve és címe a nyomtatványok fejlécén", "", true},
        {"aFelhaszn", "Rendszer", "Felhasználók", "", "", true},
        {"aSQL", "Rendszer", "Szabad lekérdezés", "", "", true},
        {"aArchival", "Rendszer", "Adatbázis archiválása", "", "", true},
        {"aVisszatolt", "Rendszer", "Adatbázis visszatöltése", "", "", true},
        {"aSugo", "Súgó", "Súgó", "", "F1", true},
        {"aDoksi", "Súgó", "Program dokumentáció (pdf)", "", "", true},
        {"aFontos", "Súgó", "Fontos információk", "", "Ctrl+F1", true},
        {"aLevel", "Súgó", "Levélküldés Tervodanak", "", "", true},
        {"aHonlap", "Súgó", "Tervoda honlapja", "", "", true},
        {"aFrisseny", "Súgó", "Újdonságok az Interneten", "", "", true},
        {"aNevjegy", "Súgó", "Névjegy", "", "Alt+F1", true},
    };
    QCOMPARE(m_ablak->akciok().size(), int(std::size(elvart)));
    QSet<QKeySequence> billentyuk;
    for (const Elvart &e : elvart) {
        const QString nev = QString::fromUtf8(e.nev);
        QAction *a = m_ablak->akcio(nev);
        QVERIFY2(a, e.nev);
        QCOMPARE(a->property("kategoria").toString(), QString::fromUtf8(e.kategoria));
        QCOMPARE(a->text(), QString::fromUtf8(e.felirat));
        const QString tipp = QString::fromUtf8(*e.tipp ? e.tipp : e.felirat);
        QCOMPARE(a->statusTip(), tipp);
        QCOMPARE(a->toolTip(), tipp);
        QCOMPARE(a->shortcut(), QKeySequence(QString::fromUtf8(e.billentyu), QKeySequence::PortableText));
        QVERIFY2(!a->icon().isNull(), e.nev);
        QVERIFY2(!a->icon().pixmap(22, 22).isNull(), e.nev);
        if (!a->shortcut().isEmpty()) {
            QVERIFY2(!billentyuk.contains(a->shortcut()), e.nev);
            billentyuk.insert(a->shortcut());
            // The window itself carries the action, so the shortcut works
            // wherever the focus is.
            QVERIFY2(m_ablak->actions().contains(a), e.nev);
        }
        QVERIFY2(a->isEnabled() == e.mukodik, e.nev);
    }
    QVERIFY(m_ablak->akcio(QStringLiteral("aSzakSzur"))->isCheckable());
    QActionGroup *g = m_ablak->akcio(QStringLiteral("aSorrendNev"))->actionGroup();
    // One group of four; exactly one of them is checked at any time
    // (sortMenuShowsCheckMarks).
    QVERIFY(g);
    QCOMPARE(g->actions().size(), 4);
}

void TestMain::menusAndToolBars()
{
    const QPair<const char *, const char *> fomenuk[] = {
        {"Szálláshelyek", "aUj aSzerkeszt aTorol - aCsatolt aMegjegyzes - aCimke - aKeres2 aKeres aSzakSzur - "
                          "aLevelNeki aExcelbe - aBezar"},
        {"Törzsadatok", "aTorzsTerulet aTorzsTipus aTorzsFizmod - aTorzsMegrendelo - aTorzsCimke"},
        {"Nyomtatások", "aNyomtat aTeljes - aNyomMegjegyzes"},
        {"Eszközök", "aFoglalas - aKorposta"},
        {"Rendszer", "aBeallit aTulajdonos - aFelhaszn aSQL - aArchival aVisszatolt"},
        {"Súgó", "aSugo aDoksi - aFontos - aLevel aHonlap aFrisseny - aNevjegy"},
    };
    auto *menuSav = m_ablak->findChild<QToolBar *>(QStringLiteral("ToolBar1"));
    QVERIFY(menuSav);
    QStringList gombok;
    for (QAction *a : menuSav->actions()) {
        auto *b = qobject_cast<QToolButton *>(menuSav->widgetForAction(a));
        QVERIFY(b && b->menu());
        QCOMPARE(b->popupMode(), QToolButton::InstantPopup);
        QCOMPARE(b->menu()->title(), b->text());
        gombok << b->text();
    }
    QStringList elvartGombok;
    for (const auto &m : fomenuk) {
        elvartGombok << QString::fromUtf8(m.first);
        QMenu *menu = m_ablak->fomenu(QString::fromUtf8(m.first));
        QVERIFY2(menu, m.first);
        QCOMPARE(menuElemek(menu), QString::fromUtf8(m.second));
    }
    QCOMPARE(gombok, elvartGombok);

    // The types item has its own caption and runs the action.
    QMenu *torzs = m_ablak->fomenu(QStringLiteral("Törzsadatok"));
    QAction *tipusPont = torzs->actions().at(1);
    QCOMPARE(tipusPont->text(), QStringLiteral("Szálláshely típusok"));
    QAction *tipus = m_ablak->akcio(QStringLiteral("aTorzsTipus"));
    QVERIFY(tipusPont->isEnabled());
    QSignalSpy fut(tipus, &QAction::triggered);
    QString megnyilt;
    testsupport::onNextModal([&](QWidget *w) {
        megnyilt = w->objectName();
        w->close();
    });
    tipusPont->trigger();
    QCOMPARE(fut.size(), 1);
    QCOMPARE(megnyilt, QStringLiteral("Tfrm_TorzsTipus"));
    tipus->setEnabled(false);
    QVERIFY(!tipusPont->isEnabled());
    tipus->setEnabled(true);

    QCOMPARE(menuElemek(m_ablak->racsMenu()), QStringLiteral("aUj aSzerkeszt aTorol - aFoglalas aLevelNeki - aKeres "
                                                            "aKeres2 aSzakSzur - aCsatolt - aExcelbe aNyomtat"));
    QCOMPARE(menuElemek(m_ablak->nyomtatMenu()), QStringLiteral("[Nyomtatási kép] [Nyomtatás] - aExcelbe"));
    const QList<QAction *> ny = m_ablak->nyomtatMenu()->actions();
    QCOMPARE(menuElemek(ny.at(0)->menu()), QStringLiteral("aNyomtatKep aAdatlap"));
    QCOMPARE(menuElemek(ny.at(1)->menu()), QStringLiteral("aTeljes aNyomtat"));
    QCOMPARE(menuElemek(m_ablak->megjegyzesMenu()), QStringLiteral("aMegjegyzes aMegjegyzesUj"));
    QCOMPARE(menuElemek(m_ablak->sorrendMenu()),
             QStringLiteral("aSorrendSorszam aSorrendNev aSorrendOrszag aSorrendIrsz"));
    for (QAction *a : m_ablak->sorrendMenu()->actions())
        QVERIFY(a->isCheckable());

    auto *kepSav = m_ablak->findChild<QToolBar *>(QStringLiteral("ToolBar2"));
    QVERIFY(kepSav);
    QCOMPARE(savElemek(kepSav),
             QStringLiteral("aFrissit - aKorposta - aBeallit - aSugo aFontos - aHonlap aFrisseny - aBezar"));
    QCOMPARE(kepSav->toolButtonStyle(), Qt::ToolButtonIconOnly);

    auto *keresoSav = m_ablak->findChild<QToolBar *>(QStringLiteral("ToolBar3"));
    QVERIFY(keresoSav);
    QCOMPARE(savElemek(keresoSav), QStringLiteral("Edit1 - aKeres aKeres2 aSzakSzur - btnSorrend - aUj aSzerkeszt "
                                                  "aTorol - aCimke - aLevelNeki - aCsatolt aMegjegyzes - aTeljes - "
                                                  "aFoglalas"));
    auto gomb = [&](const char *nev) {
        return qobject_cast<QToolButton *>(keresoSav->widgetForAction(m_ablak->akcio(QString::fromUtf8(nev))));
    };
    QCOMPARE(gomb("aMegjegyzes")->menu(), m_ablak->megjegyzesMenu());
    QCOMPARE(gomb("aTeljes")->menu(), m_ablak->nyomtatMenu());
    QCOMPARE(gomb("aTeljes")->toolTip(), QStringLiteral("Teljes lista"));
    auto *sorrendGomb = m_ablak->findChild<QToolButton *>(QStringLiteral("btnSorrend"));
    QCOMPARE(sorrendGomb->menu(), m_ablak->sorrendMenu());
}

void TestMain::hintsReachStatusBar()
{
    auto *kepSav = m_ablak->findChild<QToolBar *>(QStringLiteral("ToolBar2"));
    QWidget *gomb = kepSav->widgetForAction(m_ablak->akcio(QStringLiteral("aFrissit")));
    QEnterEvent be(QPointF(2, 2), QPointF(2, 2), gomb->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(gomb, &be);
    QCOMPARE(m_ablak->panelSzoveg(2), QStringLiteral("Frissít"));
    QEvent ki(QEvent::Leave);
    QCoreApplication::sendEvent(gomb, &ki);
    QCOMPARE(m_ablak->panelSzoveg(2), QString());

    // A menu item's hint, from a menu no button opened.
    QVERIFY(m_ablak->akcio(QStringLiteral("aTeljes"))->showStatusText());
    QCOMPARE(m_ablak->panelSzoveg(2), QStringLiteral("Teljes lista"));
    QStatusTipEvent ures{QString()};
    QCoreApplication::sendEvent(m_ablak.get(), &ures);
    QCOMPARE(m_ablak->panelSzoveg(2), QString());

    // The search box's hint.
    QEnterEvent be2(QPointF(2, 2), QPointF(2, 2), edit1()->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(edit1(), &be2);
    QCOMPARE(m_ablak->panelSzoveg(2), QStringLiteral("Sorrend szerinti keresés"));
    QCoreApplication::sendEvent(edit1(), &ki);
}

void TestMain::searchActionFocusesBox()
{
    aktival();
    QTRY_VERIFY(edit1()->hasFocus());  // the box has the focus when shown
    {
        QSignalBlocker b(edit1());
        edit1()->setText(QStringLiteral("Bak"));
    }
    grid()->setFocus();
    QTRY_VERIFY(grid()->hasFocus());
    QTest::keyClick(grid(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(edit1()->hasFocus());
    QCOMPARE(edit1()->selectedText(), QStringLiteral("Bak"));

    // Up and Down in the box move the list.
    tbl()->first();
    QTest::keyClick(edit1(), Qt::Key_Down);
    QCOMPARE(tbl()->recNo(), 2);
    QVERIFY(edit1()->hasFocus());
    QTest::keyClick(edit1(), Qt::Key_Up);
    QCOMPARE(tbl()->recNo(), 1);
    m_ablak->hide();
}

void TestMain::columnAndMemoWidths()
{
    m_beall.TeljesKep = false;
    m_beall.Bal = 0;
    m_beall.Felul = 0;
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    auto *panel = m_ablak->findChild<QWidget *>(QStringLiteral("Panel2"));
    auto *egyebek = m_ablak->findChild<QGroupBox *>(QStringLiteral("gbEgyebek"));
    auto *memo = m_ablak->findChild<QPlainTextEdit *>(QStringLiteral("DBMemo1"));
    QVERIFY(panel && egyebek && memo);
    for (const QSize meret : {QSize(1000, 700), QSize(1280, 760), QSize(790, 560)}) {
        m_ablak->resize(meret);
        QTRY_COMPARE(m_ablak->size(), meret);
        QCoreApplication::processEvents();
        const int w = grid()->width();
        const QVector<HelyOszlop> &oszlopok = HelyOszlopok();
        for (int i = 0; i < oszlopok.size(); ++i)
            QCOMPARE(grid()->columnWidth(i), qRound((w - 33) * oszlopok[i].arany));
        QCOMPARE(memo->width(), panel->width() - (egyebek->x() + egyebek->width()) - 8);
        QVERIFY(grid()->height() > 80);
    }
    m_ablak->hide();
}

void TestMain::placementWhenShown()
{
    m_beall.TeljesKep = false;
    m_beall.Bal = 30;
    m_beall.Felul = 40;
    m_beall.Szeles = 900;
    m_beall.Magas = 620;
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    QCOMPARE(m_ablak->frameGeometry(), QRect(30, 40, 900, 620));
    QVERIFY(!m_ablak->isMaximized());
    m_ablak->hide();

    m_beall.TeljesKep = true;
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    const QRect munka = m_ablak->screen()->availableGeometry();
    QCOMPARE(m_ablak->frameGeometry().topLeft(), QPoint(0, 0));
    QCOMPARE(m_ablak->frameGeometry().size(), QSize(munka.x() + munka.width(), munka.y() + munka.height()));
    QVERIFY(!m_ablak->isMaximized());
    QCOMPARE(m_ablak->focusWidget(), edit1());
    m_ablak->hide();
}

void TestMain::contextMenuOnRightClick()
{
    ugrik(1);
    const int sor = tbl()->currentRow() + 4;
    const QRect cella = grid()->visualRect(grid()->model()->index(sor, 1));
    Q_EMIT grid()->customContextMenuRequested(cella.center());
    QTRY_VERIFY(m_ablak->racsMenu()->isVisible());
    QCOMPARE(tbl()->currentRow(), sor);
    m_ablak->racsMenu()->hide();
}

void TestMain::doubleClickEdits()
{
    aktival();
    QAction *szerk = m_ablak->akcio(QStringLiteral("aSzerkeszt"));
    QSignalSpy futott(szerk, &QAction::triggered);
    const QRect cella = grid()->visualRect(grid()->model()->index(2, 1));
    // The place editor opens on the clicked row, in edit state.
    QString latott;
    QString nev;
    testsupport::onNextModal([&](QWidget *w) {
        latott = QString::fromLatin1(w->metaObject()->className());
        nev = tbl()->state() == data::State::Edit ? nevOf(*tbl()) : QString();
        static_cast<QDialog *>(w)->reject();
    });
    // A double click: the first press, then the second that makes it one
    // (the test's double click alone sends no press before it).
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cella.center());
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cella.center());
    QCOMPARE(futott.size(), 1);
    QCOMPARE(latott, QStringLiteral("Tfrm_Szerkeszt"));
    QCOMPARE(tbl()->currentRow(), 2);
    QCOMPARE(nev, nevOf(*tbl()));
    QCOMPARE(tbl()->state(), data::State::Browse);
    m_ablak->hide();
}

void TestMain::settingsAndUsersOpenModally()
{
    QString latott;
    testsupport::onNextModal([&](QWidget *w) {
        latott = QString::fromLatin1(w->metaObject()->className());
        static_cast<QDialog *>(w)->reject();
    });
    m_ablak->akcio(QStringLiteral("aBeallit"))->trigger();
    QCOMPARE(latott, QStringLiteral("Tfrm_Beallit"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_ablak->findChild<QDialog *>(QString(), Qt::FindDirectChildrenOnly));

    latott.clear();
    testsupport::onNextModal([&](QWidget *w) {
        latott = QString::fromLatin1(w->metaObject()->className());
        static_cast<QDialog *>(w)->reject();
    });
    m_ablak->akcio(QStringLiteral("aFelhaszn"))->trigger();
    QCOMPARE(latott, QStringLiteral("Tfrm_Felhasznalo"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_ablak->findChild<QDialog *>(QString(), Qt::FindDirectChildrenOnly));
    // The list behind them is untouched.
    QVERIFY(tbl()->isOpen());
}

void TestMain::closingWritesSettings()
{
    const QString ini = m_reg->folder().root() + QStringLiteral("/Nyugvar.ini");
    QFile::remove(ini);
    m_beall.TeljesKep = false;
    m_beall.Bal = 10;
    m_beall.Felul = 20;
    m_beall.Szeles = 800;
    m_beall.Magas = 500;
    m_beall.Utvonal = m_reg->folder().path();
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    m_ablak->akcio(QStringLiteral("aBezar"))->trigger();
    QVERIFY(!m_ablak->isVisible());
    QFile f(ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString tartalom = QString::fromLocal8Bit(f.readAll());
    QVERIFY2(tartalom.contains(QStringLiteral("Szeles=800")), qPrintable(tartalom));
    QVERIFY2(tartalom.contains(QStringLiteral("Felul=20")), qPrintable(tartalom));
    // Exit closes the database.
    QVERIFY(!data::Database::regiszter().isOpen());
}

// ---- window geometry, detail panel, hints, menus, dialogs, links, access ----

namespace {

// What a menu hands the style for one item: its check and icon.
class MenuRajz : public QMenu {
public:
    static QStyleOptionMenuItem opcio(QMenu *m, QAction *a)
    {
        QStyleOptionMenuItem o;
        static_cast<MenuRajz *>(m)->initStyleOption(&o, a);
        return o;
    }
};

QStringList gyerekNevek(QAccessibleInterface *i)
{
    QStringList r;
    for (int k = 0; i && k < i->childCount(); ++k)
        if (QAccessibleInterface *c = i->child(k))
            r << c->text(QAccessible::Name);
    return r;
}

}  // namespace

void TestMain::placementKeepsTheFrame_data()
{
    QTest::addColumn<QRect>("tarolt");
    QTest::newRow("the defaults") << QRect(5, 5, 640, 400);
    QTest::newRow("a larger window") << QRect(30, 40, 900, 620);
    QTest::newRow("at the corner") << QRect(0, 0, 800, 500);
}

void TestMain::placementKeepsTheFrame()
{
    // Bal, Felul, Szeles and Magas are the outer frame, as exit writes them
    // back (closeEvent stores frameGeometry()): two starts give the same.
    QFETCH(QRect, tarolt);
    m_beall.TeljesKep = false;
    m_beall.Bal = tarolt.x();
    m_beall.Felul = tarolt.y();
    m_beall.Szeles = tarolt.width();
    m_beall.Magas = tarolt.height();
    for (int indulas = 0; indulas < 2; ++indulas) {
        m_ablak->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
        QTRY_COMPARE(m_ablak->frameGeometry(), tarolt);
        // The frame carries the title bar above the client area.
        QVERIFY(m_ablak->geometry().top() > tarolt.top());
        const QRect kilepeskor = m_ablak->frameGeometry();
        m_ablak->hide();
        m_beall.Bal = kilepeskor.left();
        m_beall.Felul = kilepeskor.top();
        m_beall.Szeles = kilepeskor.width();
        m_beall.Magas = kilepeskor.height();
    }
}

void TestMain::detailValuesFitOrShowEllipsis_data()
{
    QTest::addColumn<int>("szeles");
    QTest::newRow("640") << 640;
    QTest::newRow("1000") << 1000;
    QTest::newRow("1280") << 1280;
}

void TestMain::detailValuesFitOrShowEllipsis()
{
    QFETCH(int, szeles);
    data::Database &db = data::Database::regiszter();
    db.exec(QStringLiteral("UPDATE ugyfel SET kapcs_mobil = '+36 30 123 4567 / +36 70 765 4321 este', "
                           "tul_telefon = '+36 87 555 123', cim_varos = 'Balatonfüred-Csopak' WHERE sorszam = 1"));
    tbl()->refresh();
    ugrik(1);
    m_beall.TeljesKep = false;
    m_beall.Bal = 0;
    m_beall.Felul = 0;
    m_beall.Szeles = szeles;
    m_beall.Magas = 700;
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    QTRY_COMPARE(m_ablak->frameGeometry().width(), szeles);
    QCoreApplication::processEvents();

    const QList<ErtekCimke *> ertekek = m_ablak->findChildren<ErtekCimke *>();
    QVERIFY(ertekek.size() > 20);
    int csonkak = 0;
    for (ErtekCimke *l : ertekek) {
        const QString nev = l->objectName();
        QHelpEvent kerdes(QEvent::ToolTip, QPoint(2, 2), l->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(l, &kerdes);
        if (l->csonka()) {
            // Cut values end in an ellipsis after their beginning, and the
            // tooltip holds the whole text.
            ++csonkak;
            const QString latszo = l->latszoSzoveg();
            QVERIFY2(latszo.endsWith(QChar(0x2026)), qPrintable(nev + QLatin1Char(' ') + latszo));
            QVERIFY2(l->text().startsWith(latszo.chopped(1)), qPrintable(nev));
            QCOMPARE(l->toolTip(), l->text());
        } else {
            QCOMPARE(l->latszoSzoveg(), l->text());
            QVERIFY2(l->toolTip().isEmpty(), qPrintable(nev));
        }
    }
    // The long mobile number is cut at every width; the sequence number
    // and the postal code never are.
    auto *mobil = m_ablak->findChild<ErtekCimke *>(QStringLiteral("lbl_kapcs_mobil"));
    QVERIFY(mobil && mobil->csonka());
    QVERIFY(csonkak >= 1);
    for (const char *egesz : {"lbl_sorszam", "lbl_cim_irsz"}) {
        auto *l = m_ablak->findChild<ErtekCimke *>(QString::fromLatin1(egesz));
        QVERIFY2(l && !l->csonka(), egesz);
    }
    QCOMPARE(m_ablak->findChild<ErtekCimke *>(QStringLiteral("lbl_sorszam"))->latszoSzoveg(), QStringLiteral("00001"));
    m_ablak->hide();
}

void TestMain::detailPanelFonts()
{
    const QFont ablakBetu = m_ablak->font();
    const QStringList felkover = {"lbl_ugyfel_nev", "lbl_jutalek", "lbl_ossz_dij", "lbl_ossz_jut"};
    const QList<ErtekCimke *> ertekek = m_ablak->findChildren<ErtekCimke *>();
    QVERIFY(ertekek.size() > 20);
    for (ErtekCimke *l : ertekek) {
        QVERIFY2(l->font().bold() == felkover.contains(l->objectName()), qPrintable(l->objectName()));
        if (!felkover.contains(l->objectName())) {
            QVERIFY2(l->font().family() == ablakBetu.family(), qPrintable(l->objectName()));
            QVERIFY2(l->font().pointSizeF() == ablakBetu.pointSizeF(), qPrintable(l->objectName()));
        }
    }
}

void TestMain::menuRowWholeAtDefaultWidth()
{
    m_beall = TBeall();  // 5, 5, 640 x 400
    m_beall.TeljesKep = false;
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    QTRY_COMPARE(m_ablak->frameGeometry().size(), QSize(640, 400));
    QCoreApplication::processEvents();
    auto *menuSav = m_ablak->findChild<QToolBar *>(QStringLiteral("ToolBar1"));
    QStringList latszik;
    for (QAction *a : menuSav->actions()) {
        QWidget *gomb = menuSav->widgetForAction(a);
        if (gomb->isVisible() && menuSav->rect().contains(gomb->geometry()))
            latszik << static_cast<QToolButton *>(gomb)->text();
    }
    QCOMPARE(latszik, (QStringList{"Szálláshelyek", "Törzsadatok", "Nyomtatások", "Eszközök", "Rendszer", "Súgó"}));
    // No overflow button stands in for the last menus.
    for (QToolButton *b : menuSav->findChildren<QToolButton *>())
        if (!b->menu())
            QVERIFY2(!b->isVisible(), qPrintable(b->objectName()));
    m_ablak->hide();
}

void TestMain::hintsFromModalWindowsAndDisabledItems()
{
    // A disabled menu item is passed over by the menu; its hint is shown.
    aktival();
    QMenu *rendszer = m_ablak->fomenu(QStringLiteral("Rendszer"));
    QAction *sql = m_ablak->akcio(QStringLiteral("aSQL"));
    sql->setEnabled(false);
    const auto vissza = qScopeGuard([sql] { sql->setEnabled(true); });
    rendszer->popup(m_ablak->mapToGlobal(QPoint(200, 30)));
    QTRY_VERIFY(rendszer->isVisible());
    QTest::mouseMove(rendszer, rendszer->actionGeometry(sql).center());
    QTRY_COMPARE(m_ablak->panelSzoveg(2), QStringLiteral("Szabad lekérdezés"));
    // Off the items the hint goes.
    QTest::mouseMove(rendszer, QPoint(rendszer->width() / 2, rendszer->height() + 30));
    QTRY_COMPARE(m_ablak->panelSzoveg(2), QString());
    rendszer->hide();

    // The tool buttons of a modal window over the main window.
    QString latott;
    QString tipp;
    testsupport::onNextModal([&](QWidget *w) {
        for (QToolButton *b : w->findChildren<QToolButton *>()) {
            if (b->statusTip().isEmpty() || !b->isVisible())
                continue;
            tipp = b->statusTip();
            QEnterEvent be(QPointF(2, 2), QPointF(2, 2), b->mapToGlobal(QPointF(2, 2)));
            QCoreApplication::sendEvent(b, &be);
            latott = m_ablak->panelSzoveg(2);
            break;
        }
        static_cast<QDialog *>(w)->reject();
    });
    m_ablak->akcio(QStringLiteral("aFelhaszn"))->trigger();
    QVERIFY(!tipp.isEmpty());
    QCOMPARE(latott, tipp);
    m_ablak->hide();
}

void TestMain::sortMenuShowsCheckMarks()
{
    QMenu *menu = m_ablak->sorrendMenu();
    // Each order in turn, and the checked one chosen again: one check mark,
    // at the order that is on, drawn as a check and not hidden by an icon.
    for (const char *nev : {"aSorrendNev", "aSorrendNev", "aSorrendOrszag", "aSorrendIrsz", "aSorrendSorszam"}) {
        sorrend(nev);
        for (QAction *a : menu->actions()) {
            const QStyleOptionMenuItem o = MenuRajz::opcio(menu, a);
            QCOMPARE(o.checkType, QStyleOptionMenuItem::NonExclusive);
            QVERIFY2(o.icon.isNull(), qPrintable(a->objectName()));
            QCOMPARE(o.checked, a->objectName() == QLatin1String(nev));
        }
    }
    // The country order's icon is the globe of the theme, not the crossed
    // circle of a map projection.
    const QIcon orszag = m_ablak->akcio(QStringLiteral("aSorrendOrszag"))->icon();
    if (QIcon::hasThemeIcon(QStringLiteral("globe")))
        QCOMPARE(orszag.name(), QStringLiteral("globe"));
    QVERIFY(orszag.name() != QLatin1String("map-globe"));
}

void TestMain::menuButtonLetsGoAfterItsMenu()
{
    aktival();
    auto *gomb = m_ablak->findChild<QToolButton *>(QStringLiteral("mRendszerGomb"));
    QVERIFY(gomb && gomb->autoRaise());
    QCursor::setPos(m_ablak->mapToGlobal(QPoint(m_ablak->width() / 2, m_ablak->height() - 40)));
    // The mouse was over the button when its menu opened and left it while
    // the menu held the mouse.
    gomb->setAttribute(Qt::WA_UnderMouse, true);
    gomb->menu()->popup(gomb->mapToGlobal(QPoint(0, gomb->height())));
    QTRY_VERIFY(gomb->menu()->isVisible());
    gomb->menu()->hide();
    QTRY_VERIFY(!gomb->underMouse());
    m_ablak->hide();
}

void TestMain::settingsDialogCentredOnMainWindow_data()
{
    QTest::addColumn<QRect>("fo");
    QTest::newRow("default") << QRect(5, 5, 640, 400);
    QTest::newRow("off centre") << QRect(150, 60, 640, 500);
}

void TestMain::settingsDialogCentredOnMainWindow()
{
    QFETCH(QRect, fo);
    m_beall.TeljesKep = false;
    m_beall.Bal = fo.x();
    m_beall.Felul = fo.y();
    m_beall.Szeles = fo.width();
    m_beall.Magas = fo.height();
    aktival();
    QTRY_COMPARE(m_ablak->frameGeometry(), fo);
    QRect ablak;
    bool latszott = false;
    testsupport::onNextModal([&](QWidget *w) {
        latszott = QTest::qWaitForWindowExposed(w);
        ablak = w->frameGeometry();
        static_cast<QDialog *>(w)->reject();
    });
    m_ablak->akcio(QStringLiteral("aBeallit"))->trigger();
    QVERIFY(latszott);
    const QPoint elteres = ablak.center() - fo.center();
    QVERIFY2(qAbs(elteres.x()) <= 1 && qAbs(elteres.y()) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(elteres.x()).arg(elteres.y())));
    m_ablak->hide();
}

void TestMain::honlapHandedOverAsTyped_data()
{
    QTest::addColumn<QString>("honlap");
    QTest::addColumn<QString>("cel");  // the address the desktop opens; "file" for a file name
    QTest::newRow("bare www") << "www.almas.hu" << "http://www.almas.hu";
    QTest::newRow("www with a path") << "www.almas.hu/ajanlat?ev=2024" << "http://www.almas.hu/ajanlat?ev=2024";
    QTest::newRow("with its scheme") << "http://matra.example.hu" << "http://matra.example.hu";
    QTest::newRow("https") << "https://tervoda.hu/Nyugvar" << "https://tervoda.hu/Nyugvar";
    QTest::newRow("www and a mail address") << "www.almas.hu info@almas.hu" << "file";
    QTest::newRow("a mail address") << "info@almas.hu" << "file";
    QTest::newRow("words") << "bakony vendeghaz" << "file";
}

void TestMain::honlapHandedOverAsTyped()
{
    QFETCH(QString, honlap);
    QFETCH(QString, cel);
    // The click hands the field's text over unchanged.
    data::Database::regiszter().exec(QStringLiteral("UPDATE ugyfel SET honlap = '%1' WHERE sorszam = 2").arg(honlap));
    tbl()->refresh();
    ugrik(2);
    m_ablak->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_ablak.get()));
    QTest::mouseClick(m_ablak->findChild<QLabel *>(QStringLiteral("lbl_honlap")), Qt::LeftButton);
    QCOMPARE(m_inditott, QStringList{honlap});
    m_ablak->hide();

    // What the desktop is given: the text with at most a scheme in front,
    // never a mail address made of it.
    const KulsoCel k = KulsoCelFelbont(honlap);
    QVERIFY(!k.program);
    QVERIFY(k.url.scheme() != QLatin1String("mailto"));
    if (cel == QLatin1String("file")) {
        QVERIFY(k.url.isLocalFile());
        QCOMPARE(QFileInfo(k.url.toLocalFile()).fileName(), honlap);
    } else {
        QCOMPARE(k.url.toString(), cel);
    }
}

void TestMain::accessibleAsWindowWithOpenMenus()
{
    aktival();
    QAccessibleInterface *ablak = QAccessible::queryAccessibleInterface(m_ablak.get());
    QVERIFY(ablak);
    QCOMPARE(ablak->role(), QAccessible::Window);
    QCOMPARE(ablak->text(QAccessible::Name), QStringLiteral("Nyugvár"));
    // Found from the application by its caption.
    QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
    QVERIFY(gyerekNevek(app).contains(QStringLiteral("Nyugvár")));

    // An open menu of the menu row is read with its items, and only while
    // it is open.
    QMenu *rendszer = m_ablak->fomenu(QStringLiteral("Rendszer"));
    rendszer->popup(m_ablak->mapToGlobal(QPoint(200, 30)));
    QTRY_VERIFY(rendszer->isVisible());
    QAccessibleInterface *menu = nullptr;
    for (int k = 0; k < ablak->childCount(); ++k)
        if (QAccessibleInterface *c = ablak->child(k); c && c->role() == QAccessible::PopupMenu)
            menu = c;
    QVERIFY(menu);
    QCOMPARE(menu->text(QAccessible::Name), QStringLiteral("Rendszer"));
    QCOMPARE(ablak->indexOfChild(menu), ablak->childCount() - 1);
    const QStringList pontok = gyerekNevek(menu);
    QVERIFY2(pontok.contains(QStringLiteral("Beállítások")), qPrintable(pontok.join(QLatin1Char('|'))));
    QVERIFY(pontok.contains(QStringLiteral("Felhasználók")));
    const int nyitva = ablak->childCount();
    rendszer->hide();
    QCOMPARE(ablak->childCount(), nyitva - 1);
    m_ablak->hide();
}

QTEST_MAIN(TestMain)
#include "tst_main.moc"
