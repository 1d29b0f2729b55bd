// The place editor: its rules without windows (next numbers, defaults of a
// new place, the postal-code lookup, the copy buttons), then the editor
// driven from the main window as a user would: new, edit and delete, OK and
// cancel, a refused save.

#include "app/beallitasok.h"
#include "app/helylista.h"
#include "app/tfrm_main.h"
#include "common/programmappa.h"
#include "common/sorszerkeszto.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "places/helyszerkesztes.h"
#include "places/tfrm_szerkeszt.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace testsupport;

namespace {

data::Database &db()
{
    return data::Database::regiszter();
}

// One value of the stored register: "<nincs>" without a row, "<null>" for null.
QString tarolt(const QString &sql, const QVariant &param = QVariant())
{
    data::Query q(db());
    q.setSql(sql);
    q.setParam(QStringLiteral("p"), param);
    q.open();
    if (q.isEmpty())
        return QStringLiteral("<nincs>");
    const QString mezo = q.field(0).def.name;
    return q.isNull(mezo) ? QStringLiteral("<null>") : q.asString(mezo);
}
QString hely(int sorszam, const QString &mezo)
{
    return tarolt(QStringLiteral("SELECT ") + mezo + QStringLiteral(" FROM ugyfel WHERE sorszam = :p"), sorszam);
}
int helyekSzama()
{
    return tarolt(QStringLiteral("SELECT COUNT(*) FROM ugyfel")).toInt();
}

void helyek(std::initializer_list<int> sorszamok)
{
    for (int s : sorszamok)
        db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (?, ?)"),
                  {s, QStringLiteral("Hely %1").arg(s)});
}

QStringList irtMezok(const data::DataSet &ds, const QSignalSpy &jelek)
{
    QStringList r;
    for (const auto &j : jelek)
        r << ds.field(j.at(0).toInt()).def.name;
    return r;
}

QLineEdit *doboz(QWidget *sz, const char *nev)
{
    return sz->findChild<QLineEdit *>(QLatin1String(nev));
}
void kattint(QWidget *sz, const char *gomb)
{
    QTest::mouseClick(sz->findChild<QAbstractButton *>(QLatin1String(gomb)), Qt::LeftButton);
}
// Types into a box as the user does, replacing its text, and leaves it with Tab.
void beir(QWidget *sz, const char *nev, const QString &szoveg)
{
    QLineEdit *e = doboz(sz, nev);
    e->setFocus();
    e->selectAll();
    gepel(e, szoveg);
    QTest::keyClick(e, Qt::Key_Tab);
}

}  // namespace

class TstHelySzerkeszto : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenRegister> m_reg;
    std::unique_ptr<DobozFelvevo> m_dobozok;
    TBeall m_beall;
    std::unique_ptr<Tfrm_Main> m_ablak;

    data::Table *tbl() const { return m_ablak->Tbl(); }
    void foablak()
    {
        m_ablak = std::make_unique<Tfrm_Main>(db(), m_beall);
        QVERIFY(m_ablak->Indit());
    }
    // Triggers a main-window action and runs `fn` in the editor it opens;
    // an editor `fn` leaves open is cancelled. False when none opened.
    bool szerkesztoben(const char *akcio, const std::function<void(Tfrm_Szerkeszt *)> &fn)
    {
        bool nyilt = false;
        onNextModal([&](QWidget *w) {
            QPointer<QWidget> ablak = w;
            if (auto *sz = qobject_cast<Tfrm_Szerkeszt *>(w)) {
                nyilt = true;
                QApplication::setActiveWindow(sz);
                if (QTest::qWaitForWindowActive(sz))
                    fn(sz);
            }
            if (ablak && ablak->isVisible())
                static_cast<QDialog *>(ablak.data())->reject();
        });
        m_ablak->akcio(QLatin1String(akcio))->trigger();
        return nyilt;
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void sorszamUjSorokkal();
    void ujHelyAlapertekei_data();
    void ujHelyAlapertekei();
    void irszKitoltes_data();
    void irszKitoltes();

    void felulet();
    void ujHelyOkEsMegsem();
    void irszEsMasolasAblakban();
    void elutasitottMentes();
    void uresListan_data();
    void uresListan();
    void torles_data();
    void torles();
};

void TstHelySzerkeszto::initTestCase()
{
    useHungarianLocale();
}

void TstHelySzerkeszto::init()
{
    m_reg = std::make_unique<OpenRegister>();
    setProgramMappa(m_reg->folder().root());
    m_beall.AlapVaros = QStringLiteral("Veszprém");
    m_dobozok.reset();
    m_dobozok = std::make_unique<DobozFelvevo>();
    db().exec(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (3, 'Apartman'), (1, 'Panzió')"));
    db().exec(QStringLiteral("INSERT INTO terulet (terulet, terulet_nev) VALUES (2, 'Bakony'), (1, 'Balaton')"));
}

void TstHelySzerkeszto::cleanup()
{
    m_ablak.reset();
    m_reg.reset();
    m_dobozok.reset();
}

// ---- rules ------------------------------------------------------------------

void TstHelySzerkeszto::sorszamUjSorokkal()
{
    helyek({1, 2, 5});
    HelyLista lista(db(), m_beall);
    lista.nyit();
    QList<int> latott;
    bool elfogad = false;
    lista.sorok()->setSzerkeszto([&] {
        latott << int(lista.Tbl()->asInteger(QStringLiteral("sorszam")));
        return elfogad;
    });
    QVERIFY(!lista.sorok()->uj());  // cancelled: uses up nothing
    elfogad = true;
    QVERIFY(lista.sorok()->uj());
    // A filter that hides the largest does not change the number.
    lista.Tbl()->setFilter(QStringLiteral("sorszam=1"));
    lista.Tbl()->setFiltered(true);
    QVERIFY(lista.sorok()->uj());
    lista.Tbl()->setFiltered(false);
    // Deleting the largest frees its number.
    QVERIFY(lista.Tbl()->locate(QStringLiteral("sorszam"), 7));
    m_dobozok->valaszok << true;
    QVERIFY(lista.sorok()->torol());
    QVERIFY(lista.sorok()->uj());
    QCOMPARE(latott, (QList<int>{6, 6, 7, 7}));
    QCOMPARE(helyekSzama(), 5);
    QCOMPARE(lista.QryJav()->sql(), QStringLiteral("SELECT MAX(sorszam) AS maxazon FROM ugyfel;"));
}

void TstHelySzerkeszto::ujHelyAlapertekei_data()
{
    QTest::addColumn<QString>("alapVaros");
    QTest::addColumn<QString>("varos");
    QTest::addColumn<int>("sorszam");  // the next one: 1 for an empty table
    QTest::newRow("alapváros, üres tábla") << QStringLiteral("Veszprém") << QStringLiteral("Veszprém") << 1;
    QTest::newRow("üres alapváros") << QString() << QStringLiteral("<null>") << 5;
}

void TstHelySzerkeszto::ujHelyAlapertekei()
{
    QFETCH(QString, alapVaros);
    QFETCH(QString, varos);
    QFETCH(int, sorszam);
    m_beall.AlapVaros = alapVaros;
    if (sorszam > 1)
        helyek({4});
    HelyLista lista(db(), m_beall);
    lista.nyit();
    data::Table &t = *lista.Tbl();
    QSignalSpy irasok(&t, &data::DataSet::valueChanged);
    QStringList mezok;
    QStringList nemUres;
    lista.sorok()->setSzerkeszto([&] {
        mezok = irtMezok(t, irasok);
        for (int f = 0; f < t.fieldCount(); ++f)
            if (!mezok.contains(t.field(f).def.name) && !t.isNull(t.field(f).def.name))
                nemUres << t.field(f).def.name;
        return true;
    });
    QVERIFY(lista.sorok()->uj());
    QCOMPARE(mezok, (QStringList{"sorszam", "cim_varos", "aktiv", "udulesicsekk", "jutalek", "ossz_dij",
                                 "ossz_jut", "letszam"}));
    QCOMPARE(nemUres, QStringList());  // every other field starts empty
    QStringList kapott;
    for (const QString &m : mezok)
        kapott << hely(sorszam, m);
    QCOMPARE(kapott, (QStringList{QString::number(sorszam), varos, "I", "N", "0", "0", "0", "0"}));
}

void TstHelySzerkeszto::irszKitoltes_data()
{
    QTest::addColumn<bool>("lev");
    QTest::addColumn<QString>("elotte");  // the city before; "<null>" for none
    QTest::addColumn<QString>("alap");
    QTest::addColumn<QString>("irsz");
    QTest::addColumn<QString>("utana");
    const QString n = QStringLiteral("<null>");
    const QString vp = QStringLiteral("Veszprém");
    QTest::newRow("az alapvárost cseréli") << false << vp << vp << "8630" << "Balatonboglár";
    QTest::newRow("üres várost kitölt") << false << n << vp << "8630" << "Balatonboglár";
    QTest::newRow("üres alapváros, üres város") << false << n << QString() << "8200" << vp;
    QTest::newRow("kézzel írt város marad") << false << "Pápa" << vp << "8630" << "Pápa";
    QTest::newRow("ismeretlen kód") << false << vp << vp << "99999" << vp;
    QTest::newRow("a kód eleje nem elég") << false << n << vp << "820" << n;
    QTest::newRow("üres kód") << false << n << vp << "" << n;
    QTest::newRow("Id szerint az első") << false << n << vp << "T9" << "Első";
    QTest::newRow("kis- és nagybetű számít") << false << n << vp << "ab1" << "Kis";
    QTest::newRow("lev: üres város") << true << n << vp << "1011" << "Budapest";
    QTest::newRow("lev: kézzel írt") << true << "Győr" << vp << "1011" << "Győr";
}

void TstHelySzerkeszto::irszKitoltes()
{
    QFETCH(bool, lev);
    QFETCH(QString, elotte);
    QFETCH(QString, alap);
    QFETCH(QString, irsz);
    QFETCH(QString, utana);
    // Stored against their Id order; two codes that differ in case only.
    db().exec(QStringLiteral("INSERT INTO irsz (Id, irsz, varos) VALUES (90005, 'T9', 'Második'), "
                             "(90004, 'T9', 'Első'), (90006, 'AB1', 'Nagy'), (90007, 'ab1', 'Kis')"));
    const IrszMezok &mezok = lev ? LevIrsz() : CimIrsz();
    const IrszMezok &masik = lev ? CimIrsz() : LevIrsz();
    data::Table t(db(), QStringLiteral("ugyfel"));
    t.open();
    t.insert();
    t.setValue(mezok.varos, elotte == QLatin1String("<null>") ? QVariant() : QVariant(elotte));
    t.setValue(mezok.irsz, irsz);
    t.setValue(masik.varos, QStringLiteral("Másik"));
    t.setValue(masik.irsz, QStringLiteral("8200"));
    QCOMPARE(IrszKitoltes(t, mezok, alap), utana != elotte);
    QCOMPARE(t.isNull(mezok.varos) ? QStringLiteral("<null>") : t.asString(mezok.varos), utana);
    QCOMPARE(t.asString(masik.varos), QStringLiteral("Másik"));
}

// ---- the editor ---------------------------------------------------------------

void TstHelySzerkeszto::felulet()
{
    helyek({1});
    db().exec(QStringLiteral("UPDATE ugyfel SET tipus = 1, terulet = 2"));
    foablak();
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        QCOMPARE(sz->windowTitle(), QStringLiteral("Szerkesztés"));
        QCOMPARE(sz->size(), QSize(539, 525));
        auto *lapok = sz->findChild<QTabWidget *>();
        QCOMPARE(lapok->currentIndex(), 0);
        QCOMPARE(lapok->tabText(2), QStringLiteral("Szolgáltatás"));
        QVERIFY(doboz(sz, "ugyfel_nev")->font().bold());
        // Every label whole, left of its control.
        for (QLabel *c : sz->findChildren<QLabel *>()) {
            QVERIFY2(c->buddy() && c->width() >= c->sizeHint().width(), qPrintable(c->text()));
            QVERIFY(c->mapTo(sz, QPoint(c->width(), 0)).x() < c->buddy()->mapTo(sz, QPoint(0, 0)).x());
        }
        // Lookup lists: the rows of the lookup tables in key order.
        auto *tipus = sz->findChild<QComboBox *>(QStringLiteral("tipus_nev"));
        QCOMPARE(tipus->itemText(0) + QLatin1Char(' ') + tipus->itemText(1), QStringLiteral("Panzió Apartman"));
        // Tab order, from the name box where the editor opens; the focus
        // colour on all but the check box and the two totals.
        const QStringList szinNelkul = {"udulesicsekk", "ossz_dij", "ossz_jut", "btnOK", "btnMegsem",
                                        "qt_tabwidget_tabbar"};
        QStringList sorrend, rosszSzin;
        for (QWidget *f = QApplication::focusWidget();
             f && (sorrend.isEmpty() || f->objectName() != QLatin1String("ugyfel_nev")) && sorrend.size() < 40;
             f = QApplication::focusWidget()) {
            sorrend << f->objectName();
            const bool kek = f->palette().color(QPalette::Active, QPalette::Base) == QColor(0xA6, 0xCA, 0xF0);
            if (kek == szinNelkul.contains(f->objectName()))
                rosszSzin << f->objectName();
            // Enter moves on too, over the buttons and the page tabs.
            QTest::keyClick(f, qobject_cast<QLineEdit *>(f) && sorrend.size() % 2 ? Qt::Key_Tab : Qt::Key_Return);
        }
        QCOMPARE(sorrend.join(QLatin1Char(' ')),
                 QStringLiteral("ugyfel_nev tipus_nev terulet_nev letszam tol ig honlap udulesicsekk cim_orszag "
                                "cim_irsz cim_varos cim_cim lev_orszag lev_irsz lev_varos lev_cim kapcsolat "
                                "kapcs_mobil kapcs_mobil2 kapcs_telefon kapcs_fax kapcs_emil tulajdonos tul_mobil "
                                "tul_mobil2 tul_telefon tul_fax tul_emil jutalek ossz_dij ossz_jut bankszamla "
                                "btnOK btnMegsem qt_tabwidget_tabbar"));
        QCOMPARE(rosszSzin, QStringList());
        // Enter in a memo starts a new line and keeps the focus there.
        auto *memo = sz->findChild<QPlainTextEdit *>(QStringLiteral("megjegyzes"));
        lapok->setCurrentIndex(1);
        memo->setFocus();
        gepel(memo, QStringLiteral("a\rb"));
        QCOMPARE(QApplication::focusWidget(), memo);
        QCOMPARE(tbl()->asString(QStringLiteral("megjegyzes")), QStringLiteral("a\nb"));
        QTest::keyClick(memo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnOK"));
    }));
    QCOMPARE(tbl()->state(), data::State::Browse);
    QCOMPARE(hely(1, QStringLiteral("megjegyzes")), QStringLiteral("<null>"));
}

void TstHelySzerkeszto::ujHelyOkEsMegsem()
{
    helyek({1, 2, 5});
    foablak();
    m_ablak->akcio(QStringLiteral("aSorrendNev"))->trigger();
    QVERIFY(szerkesztoben("aUj", [&](Tfrm_Szerkeszt *sz) {
        QCOMPARE(tbl()->state(), data::State::Insert);
        QCOMPARE(doboz(sz, "cim_varos")->text(), QStringLiteral("Veszprém"));
        gepel(QApplication::focusWidget(), QStringLiteral("Almás"));
        // The main list shows the new row, chosen, as it is typed.
        const QModelIndex sor = m_ablak->findChild<QTableView *>()->currentIndex();
        QCOMPARE(sor.siblingAtColumn(1).data().toString(), QStringLiteral("Almás"));
        beir(sz, "cim_orszag", QStringLiteral("hr"));
        QCOMPARE(doboz(sz, "cim_orszag")->text(), QStringLiteral("HR"));
        kattint(sz, "btnOK");
    }));
    // Stored and current, in its place in name order.
    QCOMPARE(hely(6, QStringLiteral("ugyfel_nev || cim_orszag")), QStringLiteral("AlmásHR"));
    QCOMPARE(tbl()->state(), data::State::Browse);
    QCOMPARE(m_ablak->panelSzoveg(0), QStringLiteral("4 / 1"));
    // Cancel after typing leaves nothing and uses up no number.
    for (int i = 0; i < 2; ++i) {
        QVERIFY(szerkesztoben("aUj", [&](Tfrm_Szerkeszt *sz) {
            QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 7);
            gepel(QApplication::focusWidget(), QStringLiteral("Elvetett"));
            kattint(sz, "btnMegsem");
        }));
        QCOMPARE(helyekSzama(), 4);
    }
    QCOMPARE(tbl()->asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Almás"));
}

void TstHelySzerkeszto::irszEsMasolasAblakban()
{
    // A stored place whose city is still the default one and whose mailing
    // city is empty; cancel at the end leaves it as stored.
    helyek({1});
    db().exec(QStringLiteral("UPDATE ugyfel SET cim_irsz = '8630', cim_varos = 'Veszprém', lev_irsz = '1011', "
                             "lev_cim = 'Pf. 1', kapcsolat = 'Kiss', tulajdonos = 'Nagy', tul_emil = 'n@x.hu'"));
    foablak();
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        // Leaving a code box looks its city up, changed or not.
        doboz(sz, "lev_irsz")->setFocus();
        QTest::keyClick(doboz(sz, "lev_irsz"), Qt::Key_Tab);
        QCOMPARE(doboz(sz, "lev_varos")->text(), QStringLiteral("Budapest"));
        beir(sz, "cim_irsz", QStringLiteral("8630"));
        QCOMPARE(doboz(sz, "cim_varos")->text(), QStringLiteral("Balatonboglár"));
        beir(sz, "cim_varos", QStringLiteral("Pápa"));
        beir(sz, "cim_irsz", QStringLiteral("8200"));
        QCOMPARE(doboz(sz, "cim_varos")->text(), QStringLiteral("Pápa"));
        // The copies overwrite, empty values included, and move the focus.
        kattint(sz, "btnCimMasolas");
        QCOMPARE(QApplication::focusWidget(), doboz(sz, "lev_orszag"));
        QCOMPARE(doboz(sz, "lev_varos")->text() + doboz(sz, "lev_irsz")->text(), QStringLiteral("Pápa8200"));
        QCOMPARE(doboz(sz, "lev_cim")->text(), QString());
        kattint(sz, "btnKapcsolatMasolas");
        QCOMPARE(QApplication::focusWidget(), doboz(sz, "tulajdonos"));
        QCOMPARE(doboz(sz, "tulajdonos")->text() + doboz(sz, "tul_emil")->text(), QStringLiteral("Kiss"));
        kattint(sz, "btnMegsem");
    }));
    QCOMPARE(tbl()->state(), data::State::Browse);
    QCOMPARE(hely(1, QStringLiteral("cim_irsz || cim_varos || lev_cim || tulajdonos || tul_emil")),
             QStringLiteral("8630VeszprémPf. 1Nagyn@x.hu"));
    QCOMPARE(hely(1, QStringLiteral("lev_varos")), QStringLiteral("<null>"));
}

void TstHelySzerkeszto::elutasitottMentes()
{
    // The engine refuses a name: its message is shown, the editor stays
    // open on what was typed, and a corrected name is saved.
    helyek({1});
    for (const char *mikor : {"INSERT", "UPDATE"})
        db().exec(QStringLiteral("CREATE TRIGGER tilt_%1 BEFORE %1 ON ugyfel WHEN NEW.ugyfel_nev = 'TILOS' "
                                 "BEGIN SELECT RAISE(ABORT, 'tiltott név'); END").arg(QLatin1String(mikor)));
    foablak();
    for (const char *akcio : {"aSzerkeszt", "aUj"}) {
        m_dobozok->hibak.clear();
        QVERIFY(szerkesztoben(akcio, [&](Tfrm_Szerkeszt *sz) {
            QLineEdit *nev = doboz(sz, "ugyfel_nev");
            beir(sz, "ugyfel_nev", QStringLiteral("TILOS"));
            kattint(sz, "btnOK");
            QCOMPARE(m_dobozok->hibak.size(), 1);
            QVERIFY(m_dobozok->hibak.first().contains(QStringLiteral("tiltott név")));
            QVERIFY(sz->isVisible());
            QCOMPARE(nev->text(), QStringLiteral("TILOS"));
            beir(sz, "ugyfel_nev", QStringLiteral("Jó név"));
            kattint(sz, "btnOK");
            QVERIFY(!sz->isVisible());
        }));
        QCOMPARE(m_dobozok->hibak.size(), 1);
    }
    QCOMPARE(hely(1, QStringLiteral("ugyfel_nev")) + hely(2, QStringLiteral("ugyfel_nev")),
             QStringLiteral("Jó névJó név"));
}

void TstHelySzerkeszto::uresListan_data()
{
    QTest::addColumn<bool>("szurt");
    QTest::newRow("üres tábla") << false;
    QTest::newRow("szűrő, amelyen semmi nem megy át") << true;
}

void TstHelySzerkeszto::uresListan()
{
    QFETCH(bool, szurt);
    if (szurt)
        helyek({1, 2});
    foablak();
    tbl()->setFilter(QStringLiteral("sorszam=99"));
    tbl()->setFiltered(szurt);
    QVERIFY(!m_ablak->akcio(QStringLiteral("aSzerkeszt"))->isEnabled());
    QVERIFY(!m_ablak->akcio(QStringLiteral("aTorol"))->isEnabled());
    QVERIFY(m_ablak->akcio(QStringLiteral("aUj"))->isEnabled());
    // Also when asked directly: no editor, no question.
    bool nyilt = false;
    QTest::ignoreMessage(QtWarningMsg, "onNextModal: no modal window appeared within 300 ms");
    onNextModal([&](QWidget *w) {
        nyilt = true;
        static_cast<QDialog *>(w)->reject();
    }, 300);
    QVERIFY(!m_ablak->lista()->sorok()->szerkeszt());
    QVERIFY(!m_ablak->lista()->sorok()->torol());
    QTest::qWait(350);
    QVERIFY(!nyilt);
    QCOMPARE(m_dobozok->kerdesek + m_dobozok->hibak, QStringList());
}

void TstHelySzerkeszto::torles_data()
{
    QTest::addColumn<bool>("igen");
    QTest::newRow("Igen") << true;
    QTest::newRow("Nem") << false;
}

void TstHelySzerkeszto::torles()
{
    // Deleting a place leaves its bookings, notes and documents.
    QFETCH(bool, igen);
    helyek({1, 2});
    foablak();
    QVERIFY(tbl()->locate(QStringLiteral("sorszam"), 1));
    const qint64 kulcs = tbl()->asInteger(QStringLiteral("ugyfel"));
    db().exec(QStringLiteral("INSERT INTO foglalas (foglalaz, ugyfel) VALUES (1, ?)"), {kulcs});
    db().exec(QStringLiteral("INSERT INTO ugyf_megj (ugyfel, megjegyzes) VALUES (?, 'jegyzet')"), {kulcs});
    db().exec(QStringLiteral("INSERT INTO megj (ugyfel, doknev) VALUES (?, '/tmp/level.pdf')"), {kulcs});
    m_dobozok->valaszok << igen;
    m_ablak->akcio(QStringLiteral("aTorol"))->trigger();
    QCOMPARE(m_dobozok->kerdesek, QStringList{"Valóban töröljem a sort?"});
    QCOMPARE(m_dobozok->kerdesCimek, QStringList{"Megerősítés"});
    QCOMPARE(hely(1, QStringLiteral("ugyfel")), igen ? QStringLiteral("<nincs>") : QString::number(kulcs));
    for (const char *tabla : {"foglalas", "ugyf_megj", "megj"})
        QCOMPARE(tarolt(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ugyfel = :p").arg(QLatin1String(tabla)), kulcs),
                 QStringLiteral("1"));
    QCOMPARE(m_ablak->panelSzoveg(0), igen ? QStringLiteral("1 / 1") : QStringLiteral("2 / 1"));
}

QTEST_MAIN(TstHelySzerkeszto)
#include "tst_helyszerkeszto.moc"
