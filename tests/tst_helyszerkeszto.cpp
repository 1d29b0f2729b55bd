// The place editor: its rules without windows (next numbers, defaults of a
// new place, the postal-code lookup, the copy buttons, upper-case
// countries), then the editor driven from the main window as a user would:
// new, edit and delete, OK and cancel, a refused save.

#include "app/beallitasok.h"
#include "app/helylista.h"
#include "app/tfrm_main.h"
#include "common/kovetkezoazon.h"
#include "common/programmappa.h"
#include "common/sorszerkeszto.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "places/helyszerkesztes.h"
#include "places/tfrm_szerkeszt.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace testsupport;

namespace {

data::Database &db()
{
    return data::Database::regiszter();
}

// Records the captions of the questions as well.
class Felvevo : public DobozFelvevo {
public:
    QStringList kerdesCimek;
    bool kerdes(const QString &szoveg, const QString &cim) override
    {
        kerdesCimek << cim;
        return DobozFelvevo::kerdes(szoveg, cim);
    }
};

int sorokSzama(const QString &tabla)
{
    data::Query q(db());
    q.setSql(QStringLiteral("SELECT COUNT(*) AS n FROM ") + tabla);
    q.open();
    return int(q.asInteger(QStringLiteral("n")));
}

// A stored field of the place numbered `sorszam`, as text; "<null>" for null.
QString tarolt(int sorszam, const QString &mezo)
{
    data::Query q(db());
    q.setSql(QStringLiteral("SELECT ") + mezo + QStringLiteral(" AS v FROM ugyfel WHERE sorszam = :s"));
    q.setParam(QStringLiteral("s"), sorszam);
    q.open();
    if (q.isEmpty())
        return QStringLiteral("<nincs>");
    return q.isNull(QStringLiteral("v")) ? QStringLiteral("<null>") : q.asString(QStringLiteral("v"));
}

void helyek(std::initializer_list<int> sorszamok)
{
    for (int s : sorszamok)
        db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (?, ?)"),
                  {s, QStringLiteral("Hely %1").arg(s)});
}

QStringList mezonevek(const data::DataSet &ds, const QList<QList<QVariant>> &jelek)
{
    QStringList r;
    for (const auto &j : jelek)
        r << ds.field(j.at(0).toInt()).def.name;
    return r;
}

}  // namespace

class TstHelySzerkeszto : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenRegister> m_reg;
    std::unique_ptr<Felvevo> m_dobozok;
    std::unique_ptr<Tfrm_Main> m_ablak;

    data::Table *tbl() const { return m_ablak->Tbl(); }
    // The main window on the register as it is now.
    void foablak()
    {
        m_ablak = std::make_unique<Tfrm_Main>(db());
        QVERIFY(m_ablak->Indit());
    }
    // Triggers a main-window action and runs `fn` in the editor it opens;
    // an editor `fn` leaves open is cancelled. False when none opened.
    bool szerkesztoben(const char *akcio, std::function<void(Tfrm_Szerkeszt *)> fn)
    {
        bool nyilt = false;
        onNextModal([&](QWidget *w) {
            QPointer<QWidget> ablak = w;
            auto *sz = qobject_cast<Tfrm_Szerkeszt *>(w);
            nyilt = sz != nullptr;
            if (sz) {
                QApplication::setActiveWindow(sz);
                if (QTest::qWaitForWindowActive(sz))
                    fn(sz);
                else
                    qWarning("the editor did not become active");
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

    // ---- rules ----------------------------------------------------------
    void kovetkezoSorszam_data();
    void kovetkezoSorszam();
    void sorszamUjSorokkal();
    void ujHelyAlapertekei_data();
    void ujHelyAlapertekei();
    void varosKitoltheto_data();
    void varosKitoltheto();
    void irszVarosa_data();
    void irszVarosa();
    void irszKitoltes_data();
    void irszKitoltes();
    void masolas_data();
    void masolas();
    void orszagBetui_data();
    void orszagBetui();

    // ---- the editor -------------------------------------------------------
    void felepites();
    void cimkek_data();
    void cimkek();
    void tabSorrendEsFokuszSzin();
    void enterMintTab();
    void listakKulcsSorrendben();
    void orszagNagybetuvel();
    void ujHelyOkEsMegsem();
    void irszElhagyasaUjHelyen();
    void levIrszMeglevoHelyen();
    void masoloGombokEsMegsem();
    void elutasitottMentes();
    void uresListan_data();
    void uresListan();
    void torles_data();
    void torles();
};

void TstHelySzerkeszto::initTestCase()
{
    useHungarianLocale();
    m_dobozok = std::make_unique<Felvevo>();
}

void TstHelySzerkeszto::init()
{
    m_reg = std::make_unique<OpenRegister>();
    setProgramMappa(m_reg->folder().root());
    Beall().AlapVaros = QStringLiteral("Veszprém");
    Beall().Sorrend = QStringLiteral("sorszam");
    m_dobozok->hibak.clear();
    m_dobozok->kerdesek.clear();
    m_dobozok->kerdesCimek.clear();
    m_dobozok->valaszok.clear();
    // Lookup rows stored out of key order.
    db().exec(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (3, 'Apartman'), (1, 'Panzió'), "
                             "(2, 'Kemping')"));
    db().exec(QStringLiteral("INSERT INTO terulet (terulet, terulet_nev) VALUES (2, 'Bakony'), (1, 'Balaton')"));
}

void TstHelySzerkeszto::cleanup()
{
    m_ablak.reset();
    m_reg.reset();
}

// ---- rules ------------------------------------------------------------------

void TstHelySzerkeszto::kovetkezoSorszam_data()
{
    QTest::addColumn<QString>("sorszamok");  // inserted, "null" for an empty one
    QTest::addColumn<int>("kovetkezo");
    QTest::newRow("üres tábla") << QString() << 1;
    QTest::newRow("1, 2, 5") << QStringLiteral("1 2 5") << 6;
    QTest::newRow("nem sorrendben") << QStringLiteral("9 3 4") << 10;
    QTest::newRow("csak üres sorszám") << QStringLiteral("null") << 1;
    QTest::newRow("üres és számozott") << QStringLiteral("null 7") << 8;
}

void TstHelySzerkeszto::kovetkezoSorszam()
{
    QFETCH(QString, sorszamok);
    QFETCH(int, kovetkezo);
    for (const QString &s : sorszamok.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam) VALUES (?)"),
                  {s == QLatin1String("null") ? QVariant() : QVariant(s.toInt())});
    // Through the general-purpose query, whose statement it replaces.
    data::Query jav(db());
    jav.setSql(QStringLiteral("SELECT * FROM tipus"));
    jav.open();
    QCOMPARE(KovetkezoAzon(jav, QStringLiteral("ugyfel"), QStringLiteral("sorszam")), kovetkezo);
    QCOMPARE(jav.sql(), QStringLiteral("SELECT MAX(sorszam) AS maxazon FROM ugyfel;"));
    QVERIFY(!jav.isOpen());
}

void TstHelySzerkeszto::sorszamUjSorokkal()
{
    helyek({1, 2, 5});
    HelyLista lista(db());
    lista.nyit();
    // The number is there before the row: the editor sees it, and the
    // number read before the insert is the one written.
    QList<int> latott;
    bool elfogad = false;
    lista.sorok()->setSzerkeszto([&] {
        latott << int(lista.Tbl()->asInteger(QStringLiteral("sorszam")));
        return elfogad;
    });
    QSignalSpy beszurva(lista.Tbl(), &data::DataSet::stateChanged);
    QVERIFY(!lista.sorok()->uj());  // cancelled: uses up nothing
    QCOMPARE(lista.QryJav()->sql(), QStringLiteral("SELECT MAX(sorszam) AS maxazon FROM ugyfel;"));
    elfogad = true;
    QVERIFY(lista.sorok()->uj());  // 6
    QCOMPARE(tarolt(6, QStringLiteral("ugyfel_nev")), QStringLiteral("<null>"));
    // A filter that hides the largest does not change the number.
    lista.Tbl()->setFilter(QStringLiteral("sorszam=1"));
    lista.Tbl()->setFiltered(true);
    QVERIFY(lista.sorok()->uj());  // 7
    lista.Tbl()->setFiltered(false);
    // Deleting the largest frees its number.
    QVERIFY(lista.Tbl()->locate(QStringLiteral("sorszam"), 7));
    m_dobozok->valaszok << true;
    QVERIFY(lista.sorok()->torol());
    QVERIFY(lista.sorok()->uj());  // 7 again
    QCOMPARE(latott, (QList<int>{6, 6, 7, 7}));
    QCOMPARE(sorokSzama(QStringLiteral("ugyfel")), 5);
    QCOMPARE(m_dobozok->hibak, QStringList());
}

void TstHelySzerkeszto::ujHelyAlapertekei_data()
{
    QTest::addColumn<QString>("alapVaros");
    QTest::addColumn<QString>("varos");
    QTest::newRow("alapváros") << QStringLiteral("Veszprém") << QStringLiteral("Veszprém");
    QTest::newRow("üres alapváros") << QString() << QStringLiteral("<null>");
}

void TstHelySzerkeszto::ujHelyAlapertekei()
{
    QFETCH(QString, alapVaros);
    QFETCH(QString, varos);
    Beall().AlapVaros = alapVaros;
    helyek({4});
    HelyLista lista(db());
    lista.nyit();
    data::Table &t = *lista.Tbl();
    QSignalSpy irasok(&t, &data::DataSet::valueChanged);
    QStringList mezok;
    QStringList nullak;
    lista.sorok()->setSzerkeszto([&] {
        mezok = mezonevek(t, irasok);
        // Every other field starts empty.
        for (int f = 0; f < t.fieldCount(); ++f)
            if (!mezok.contains(t.field(f).def.name) && !t.isNull(t.field(f).def.name))
                nullak << t.field(f).def.name;
        return true;
    });
    QVERIFY(lista.sorok()->uj());
    QCOMPARE(mezok, (QStringList{"sorszam", "cim_varos", "aktiv", "udulesicsekk", "jutalek", "ossz_dij",
                                 "ossz_jut", "letszam"}));
    QCOMPARE(nullak, QStringList());
    const QStringList vart = {QStringLiteral("5"), varos, QStringLiteral("I"), QStringLiteral("N"),
                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    QStringList kapott;
    for (const QString &m : mezok)
        kapott << tarolt(5, m);
    QCOMPARE(kapott, vart);
}

void TstHelySzerkeszto::varosKitoltheto_data()
{
    QTest::addColumn<QString>("varos");
    QTest::addColumn<QString>("alap");
    QTest::addColumn<bool>("kitoltheto");
    QTest::newRow("üres") << QString() << QStringLiteral("Veszprém") << true;
    QTest::newRow("az alapváros") << QStringLiteral("Veszprém") << QStringLiteral("Veszprém") << true;
    QTest::newRow("más város") << QStringLiteral("Pápa") << QStringLiteral("Veszprém") << false;
    QTest::newRow("kisbetűvel más") << QStringLiteral("veszprém") << QStringLiteral("Veszprém") << false;
    QTest::newRow("üres alapváros, üres") << QString() << QString() << true;
    QTest::newRow("üres alapváros, város") << QStringLiteral("Pápa") << QString() << false;
}

void TstHelySzerkeszto::varosKitoltheto()
{
    QFETCH(QString, varos);
    QFETCH(QString, alap);
    QFETCH(bool, kitoltheto);
    QCOMPARE(VarosKitoltheto(varos, alap), kitoltheto);
}

void TstHelySzerkeszto::irszVarosa_data()
{
    QTest::addColumn<QString>("irsz");
    QTest::addColumn<QString>("varos");  // "<nincs>": no row
    QTest::newRow("ismert") << QStringLiteral("8200") << QStringLiteral("Veszprém");
    QTest::newRow("első kód") << QStringLiteral("1011") << QStringLiteral("Budapest");
    QTest::newRow("két település: az első") << QStringLiteral("2066") << QStringLiteral("Szár");
    QTest::newRow("Id szerinti első") << QStringLiteral("T9") << QStringLiteral("Első");
    QTest::newRow("nagybetű") << QStringLiteral("AB1") << QStringLiteral("Nagy");
    QTest::newRow("kisbetű") << QStringLiteral("ab1") << QStringLiteral("Kis");
    QTest::newRow("vegyes betű") << QStringLiteral("Ab1") << QStringLiteral("<nincs>");
    QTest::newRow("eleje") << QStringLiteral("820") << QStringLiteral("<nincs>");
    QTest::newRow("hosszabb") << QStringLiteral("82001") << QStringLiteral("<nincs>");
    QTest::newRow("szóközzel") << QStringLiteral(" 8200") << QStringLiteral("<nincs>");
    QTest::newRow("üres") << QString() << QStringLiteral("<nincs>");
    QTest::newRow("aposztróf") << QStringLiteral("8'2") << QStringLiteral("<nincs>");
}

void TstHelySzerkeszto::irszVarosa()
{
    QFETCH(QString, irsz);
    QFETCH(QString, varos);
    // Stored against their Id order; two codes that differ in case only.
    db().exec(QStringLiteral("INSERT INTO irsz (Id, irsz, varos) VALUES (90005, 'T9', 'Második'), "
                             "(90004, 'T9', 'Első'), (90006, 'AB1', 'Nagy'), (90007, 'ab1', 'Kis')"));
    const std::optional<QString> talalt = IrszVarosa(db(), irsz);
    QCOMPARE(talalt.value_or(QStringLiteral("<nincs>")), varos);
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
    QTest::newRow("üres kód") << false << n << vp << "" << n;
    QTest::newRow("lev: üres város") << true << n << vp << "1011" << "Budapest";
    QTest::newRow("lev: alapváros") << true << vp << vp << "1011" << "Budapest";
    QTest::newRow("lev: kézzel írt") << true << "Győr" << vp << "1011" << "Győr";
}

void TstHelySzerkeszto::irszKitoltes()
{
    QFETCH(bool, lev);
    QFETCH(QString, elotte);
    QFETCH(QString, alap);
    QFETCH(QString, irsz);
    QFETCH(QString, utana);
    const IrszMezok &mezok = lev ? LevIrsz() : CimIrsz();
    const IrszMezok &masik = lev ? CimIrsz() : LevIrsz();
    data::Table t(db(), QStringLiteral("ugyfel"));
    t.open();
    t.insert();
    const QVariant regi = elotte == QLatin1String("<null>") ? QVariant() : QVariant(elotte);
    t.setValue(mezok.varos, regi);
    t.setValue(mezok.irsz, irsz);
    t.setValue(masik.varos, QStringLiteral("Másik"));
    t.setValue(masik.irsz, QStringLiteral("8200"));
    const bool irt = IrszKitoltes(t, mezok, alap);
    QCOMPARE(t.isNull(mezok.varos) ? QStringLiteral("<null>") : t.asString(mezok.varos), utana);
    QCOMPARE(irt, utana != (regi.isNull() ? QStringLiteral("<null>") : elotte));
    // The other address is not touched.
    QCOMPARE(t.asString(masik.varos), QStringLiteral("Másik"));
    t.cancel();
}

void TstHelySzerkeszto::masolas_data()
{
    QTest::addColumn<bool>("kapcsolat");
    QTest::addColumn<QStringList>("forras");  // "" leaves the source empty
    QTest::newRow("cím, teli") << false << QStringList{"H", "8200", "Veszprém", "Fő u. 1."};
    QTest::newRow("cím, üres felülír") << false << QStringList{"", "", "", ""};
    QTest::newRow("cím, részben üres") << false << QStringList{"A", "", "Wien", ""};
    QTest::newRow("kapcsolat, teli") << true
                                     << QStringList{"Kiss Anna", "+36301", "+36302", "88-1", "88-2", "a@b.hu"};
    QTest::newRow("kapcsolat, üres felülír") << true << QStringList{"", "", "", "", "", ""};
    QTest::newRow("kapcsolat, részben üres") << true << QStringList{"Nagy Béla", "", "+36302", "", "", "n@b.hu"};
}

void TstHelySzerkeszto::masolas()
{
    QFETCH(bool, kapcsolat);
    QFETCH(QStringList, forras);
    const QVector<MezoMasolas> &masolas = kapcsolat ? KapcsolatMasolas() : CimMasolas();
    QCOMPARE(masolas.size(), forras.size());
    data::Table t(db(), QStringLiteral("ugyfel"));
    t.open();
    t.insert();
    for (int i = 0; i < masolas.size(); ++i) {
        t.setValue(masolas[i].forras, forras[i]);
        t.setValue(masolas[i].cel, QStringLiteral("régi"));
    }
    QSignalSpy irasok(&t, &data::DataSet::valueChanged);
    Masol(t, masolas);
    QStringList celok;
    for (const MezoMasolas &m : masolas) {
        celok << m.cel;
        QCOMPARE(t.asString(m.cel), t.asString(m.forras));
        QCOMPARE(t.isNull(m.cel), t.isNull(m.forras));
    }
    QCOMPARE(mezonevek(t, irasok), celok);
    t.cancel();
}

void TstHelySzerkeszto::orszagBetui_data()
{
    QTest::addColumn<QString>("beirt");
    QTest::addColumn<QString>("lett");
    QTest::newRow("egy betű") << "h" << "H";
    QTest::newRow("két betű") << "hr" << "HR";
    QTest::newRow("vegyes") << "sK" << "SK";
    QTest::newRow("ékezetes") << "ö" << "Ö";
    QTest::newRow("számjegy marad") << "d1" << "D1";
    QTest::newRow("ß marad") << "ß" << "ß";
    QTest::newRow("üres") << "" << "";
}

void TstHelySzerkeszto::orszagBetui()
{
    QFETCH(QString, beirt);
    QFETCH(QString, lett);
    QCOMPARE(OrszagBetui(beirt), lett);
}

// ---- the editor ---------------------------------------------------------------

void TstHelySzerkeszto::felepites()
{
    helyek({1});
    foablak();
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        QCOMPARE(sz->windowTitle(), QStringLiteral("Szerkesztés"));
        QCOMPARE(sz->size(), QSize(539, 525));
        QCOMPARE(sz->minimumSize(), sz->maximumSize());
        auto *lapok = sz->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        QVERIFY(lapok);
        QCOMPARE(lapok->count(), 3);
        QCOMPARE(lapok->tabText(0), QStringLiteral("Általános adatok"));
        QCOMPARE(lapok->tabText(1), QStringLiteral("Megjegyzés"));
        QCOMPARE(lapok->tabText(2), QStringLiteral("Szolgáltatás"));
        QCOMPARE(lapok->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), sz->findChild<QLineEdit *>(QStringLiteral("ugyfel_nev")));
        QVERIFY(sz->findChild<QLineEdit *>(QStringLiteral("ugyfel_nev"))->font().bold());
        QVERIFY(!sz->findChild<QLineEdit *>(QStringLiteral("cim_varos"))->font().bold());

        QStringList csoportok;
        for (QGroupBox *g : sz->findChildren<QGroupBox *>())
            csoportok << g->title();
        QCOMPARE(csoportok, (QStringList{"Általános", "Cím adatok", "Levelezési cím", "Kapcsolattartó",
                                         "Tulajdonos", "Jutalék"}));

        for (const char *nev : {"megjegyzes", "szolgaltatas"}) {
            auto *memo = sz->findChild<QPlainTextEdit *>(QLatin1String(nev));
            QVERIFY(memo);
            QCOMPARE(memo->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
            QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
        auto *csekk = sz->findChild<QCheckBox *>(QStringLiteral("udulesicsekk"));
        QCOMPARE(csekk->text(), QStringLiteral("üdülési csekk"));
        QCOMPARE(csekk->layoutDirection(), Qt::RightToLeft);

        // Two picture buttons, the same 16 x 16 picture, no caption or hint.
        QList<QToolButton *> gombok;
        for (const char *nev : {"btnCimMasolas", "btnKapcsolatMasolas"})
            gombok << sz->findChild<QToolButton *>(QLatin1String(nev));
        for (QToolButton *g : gombok) {
            QVERIFY(g);
            QVERIFY(g->text().isEmpty());
            QVERIFY(g->toolTip().isEmpty());
            QCOMPARE(g->iconSize(), QSize(16, 16));
            QCOMPARE(g->icon().availableSizes().value(0) / g->devicePixelRatio(), QSize(16, 16));
        }
        QCOMPARE(gombok[0]->icon().pixmap(16).toImage(), gombok[1]->icon().pixmap(16).toImage());
        // Beside the street address and the contact's e-mail.
        const auto mellett = [sz](QToolButton *g, const char *mezo) {
            const QWidget *doboz = sz->findChild<QLineEdit *>(QLatin1String(mezo));
            const QRect d(doboz->mapTo(sz, QPoint(0, 0)), doboz->size());
            const QRect b(g->mapTo(sz, QPoint(0, 0)), g->size());
            return b.left() >= d.right() && b.left() - d.right() < 12 && qAbs(b.center().y() - d.center().y()) < 4;
        };
        QVERIFY(mellett(gombok[0], "cim_cim"));
        QVERIFY(mellett(gombok[1], "kapcs_emil"));

        auto *ok = sz->findChild<QPushButton *>(QStringLiteral("btnOK"));
        auto *megsem = sz->findChild<QPushButton *>(QStringLiteral("btnMegsem"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(megsem->text(), QStringLiteral("Mégsem"));
        // Esc presses Mégsem.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!sz->isVisible());
        QCOMPARE(sz->result(), int(QDialog::Rejected));
    }));
    QCOMPARE(tbl()->state(), data::State::Browse);
}

void TstHelySzerkeszto::cimkek_data()
{
    QTest::addColumn<QString>("mezo");
    QTest::addColumn<QString>("cimke");
    QTest::addColumn<QString>("csoport");
    const struct {
        const char *mezo, *cimke, *csoport;
    } sorok[] = {
        {"ugyfel_nev", "szálláshely", "gbAltalanos"}, {"tipus_nev", "típus", "gbAltalanos"},
        {"terulet_nev", "terület", "gbAltalanos"},    {"letszam", "létszám", "gbAltalanos"},
        {"tol", "tól", "gbAltalanos"},                {"ig", "ig", "gbAltalanos"},
        {"honlap", "honlap", "gbAltalanos"},          {"cim_orszag", "ország", "gbCim"},
        {"cim_irsz", "irsz", "gbCim"},                {"cim_varos", "város", "gbCim"},
        {"cim_cim", "cím", "gbCim"},                  {"lev_orszag", "ország", "gbLevelezes"},
        {"lev_irsz", "lev.irsz", "gbLevelezes"},      {"lev_varos", "lev.város", "gbLevelezes"},
        {"lev_cim", "lev.cím", "gbLevelezes"},        {"kapcsolat", "kapcsolattartó", "gbKapcsolat"},
        {"kapcs_mobil", "mobil 1.", "gbKapcsolat"},   {"kapcs_mobil2", "mobil 2.", "gbKapcsolat"},
        {"kapcs_telefon", "telefon", "gbKapcsolat"},  {"kapcs_fax", "fax", "gbKapcsolat"},
        {"kapcs_emil", "email", "gbKapcsolat"},       {"tulajdonos", "tulajdonos", "gbTulajdonos"},
        {"tul_mobil", "tul.mobil 1.", "gbTulajdonos"}, {"tul_mobil2", "tul.mobil 2.", "gbTulajdonos"},
        {"tul_telefon", "tul.telefon", "gbTulajdonos"}, {"tul_fax", "tul.fax", "gbTulajdonos"},
        {"tul_emil", "tul.email", "gbTulajdonos"},    {"jutalek", "jutalék %", "gbJutalek"},
        {"ossz_dij", "össz.díj", "gbJutalek"},        {"ossz_jut", "össz.jutalék", "gbJutalek"},
        {"bankszamla", "bankszámla", "gbJutalek"},
    };
    for (const auto &s : sorok)
        QTest::newRow(s.mezo) << QString::fromUtf8(s.mezo) << QString::fromUtf8(s.cimke)
                              << QString::fromUtf8(s.csoport);
}

void TstHelySzerkeszto::cimkek()
{
    // Each control shows its field of the current row, under its label,
    // in its group; the label is whole and stands left of the control.
    QFETCH(QString, mezo);
    QFETCH(QString, cimke);
    QFETCH(QString, csoport);
    helyek({1});
    db().exec(QStringLiteral("UPDATE ugyfel SET tipus = 2, terulet = 1, letszam = 12, tol = '5.01', ig = '10.15', "
                             "jutalek = 12.5, ossz_dij = 1500, ossz_jut = 150, honlap = 'www.x.hu', "
                             "bankszamla = '117730161111101800000000', cim_orszag = 'H', cim_irsz = '8200', "
                             "cim_varos = 'Veszprém', cim_cim = 'Fő u. 1.', lev_orszag = 'A', lev_irsz = '1010', "
                             "lev_varos = 'Wien', lev_cim = 'Ring 2', kapcsolat = 'Kiss', kapcs_mobil = 'm1', "
                             "kapcs_mobil2 = 'm2', kapcs_telefon = 't', kapcs_fax = 'f', kapcs_emil = 'e@x.hu', "
                             "tulajdonos = 'Nagy', tul_mobil = 'tm1', tul_mobil2 = 'tm2', tul_telefon = 'tt', "
                             "tul_fax = 'tf', tul_emil = 'te@x.hu'"));
    foablak();
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        auto *vezerlo = sz->findChild<QWidget *>(mezo);
        QVERIFY(vezerlo);
        auto *felirat = sz->findChild<QLabel *>(QStringLiteral("lbl_") + mezo);
        QVERIFY(felirat);
        QCOMPARE(felirat->text(), cimke);
        QCOMPARE(felirat->buddy(), vezerlo);
        QVERIFY(felirat->isVisible());
        QVERIFY(felirat->width() >= felirat->sizeHint().width());
        const QRect c(felirat->mapTo(sz, QPoint(0, 0)), felirat->size());
        const QRect v(vezerlo->mapTo(sz, QPoint(0, 0)), vezerlo->size());
        QVERIFY(c.right() < v.left());
        QVERIFY(qAbs(c.center().y() - v.center().y()) <= 2);
        auto *g = qobject_cast<QGroupBox *>(vezerlo->parentWidget());
        for (QWidget *w = vezerlo; w && !g; w = w->parentWidget())
            g = qobject_cast<QGroupBox *>(w);
        QVERIFY(g);
        QCOMPARE(g->objectName(), csoport);
        QVERIFY(g->geometry().contains(g->parentWidget()->mapFrom(sz, v.center())));

        // The control shows the field (masks' blanks and literals aside).
        auto tiszta = [](QString t) { return t.remove(QLatin1Char('_')).remove(QLatin1Char('-')); };
        if (auto *e = qobject_cast<QLineEdit *>(vezerlo))
            QCOMPARE(tiszta(e->text()), tiszta(tbl()->asString(mezo)));
        else if (auto *c = qobject_cast<QComboBox *>(vezerlo))
            QCOMPARE(c->currentText(), tbl()->asString(mezo));
        QVERIFY(!tbl()->asString(mezo).isEmpty());
    }));
}

void TstHelySzerkeszto::tabSorrendEsFokuszSzin()
{
    helyek({1});
    foablak();
    QStringList sorrend;
    QStringList rosszSzin;
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        const QColor kek(0xA6, 0xCA, 0xF0);
        const QColor normal = sz->palette().color(QPalette::Active, QPalette::Base);
        const QStringList szinNelkul = {QStringLiteral("udulesicsekk"), QStringLiteral("ossz_dij"),
                                        QStringLiteral("ossz_jut")};
        QWidget *elozo = nullptr;
        for (int i = 0; i < 40; ++i) {
            QWidget *f = QApplication::focusWidget();
            if (!f || qobject_cast<QPushButton *>(f))
                break;
            sorrend << f->objectName();
            const bool kell = !szinNelkul.contains(f->objectName());
            if ((f->palette().color(QPalette::Active, QPalette::Base) == kek) != kell)
                rosszSzin << f->objectName();
            if (elozo && elozo->palette().color(QPalette::Active, QPalette::Base) != normal)
                rosszSzin << elozo->objectName() + QStringLiteral(" (elhagyva)");
            elozo = f;
            QTest::keyClick(f, Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnOK"));
    }));
    QCOMPARE(sorrend, (QStringList{"ugyfel_nev", "tipus_nev", "terulet_nev", "letszam", "tol", "ig", "honlap",
                                   "udulesicsekk", "cim_orszag", "cim_irsz", "cim_varos", "cim_cim", "lev_orszag",
                                   "lev_irsz", "lev_varos", "lev_cim", "kapcsolat", "kapcs_mobil", "kapcs_mobil2",
                                   "kapcs_telefon", "kapcs_fax", "kapcs_emil", "tulajdonos", "tul_mobil",
                                   "tul_mobil2", "tul_telefon", "tul_fax", "tul_emil", "jutalek", "ossz_dij",
                                   "ossz_jut", "bankszamla"}));
    QCOMPARE(rosszSzin, QStringList());
}

void TstHelySzerkeszto::enterMintTab()
{
    helyek({1});
    foablak();
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("tipus_nev"));
        QVERIFY(sz->isVisible());
        for (const char *nev : {"megjegyzes", "szolgaltatas"}) {
            auto *memo = sz->findChild<QPlainTextEdit *>(QLatin1String(nev));
            sz->findChild<QTabWidget *>()->setCurrentWidget(memo->parentWidget());
            memo->setFocus();
            gepel(memo, QStringLiteral("a"));
            QTest::keyClick(memo, Qt::Key_Return);
            gepel(memo, QStringLiteral("b"));
            QCOMPARE(QApplication::focusWidget(), memo);
            QCOMPARE(memo->palette().color(QPalette::Active, QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
            QCOMPARE(tbl()->asString(QLatin1String(nev)), QStringLiteral("a\nb"));
        }
        QVERIFY(sz->isVisible());
    }));
}

void TstHelySzerkeszto::listakKulcsSorrendben()
{
    helyek({1});
    db().exec(QStringLiteral("UPDATE ugyfel SET tipus = 1, terulet = 2"));
    foablak();
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        auto elemek = [](QComboBox *c) {
            QStringList r;
            for (int i = 0; i < c->count(); ++i)
                r << c->itemText(i);
            return r;
        };
        auto *tipus = sz->findChild<QComboBox *>(QStringLiteral("tipus_nev"));
        auto *terulet = sz->findChild<QComboBox *>(QStringLiteral("terulet_nev"));
        QCOMPARE(elemek(tipus), (QStringList{"Panzió", "Kemping", "Apartman"}));
        QCOMPARE(elemek(terulet), (QStringList{"Balaton", "Bakony"}));
        QCOMPARE(tipus->currentText(), QStringLiteral("Panzió"));
        QCOMPARE(terulet->currentText(), QStringLiteral("Bakony"));
        tipus->setFocus();
        QTest::keyClick(tipus, Qt::Key_Down);
        QTest::keyClick(tipus, Qt::Key_Down);
        QCOMPARE(tbl()->asInteger(QStringLiteral("tipus")), 3);
        QCOMPARE(tbl()->asString(QStringLiteral("tipus_nev")), QStringLiteral("Apartman"));
        terulet->setFocus();
        QTest::keyClick(terulet, Qt::Key_Up);
        QCOMPARE(tbl()->asInteger(QStringLiteral("terulet")), 1);
        QTest::mouseClick(sz->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
    }));
    QCOMPARE(tarolt(1, QStringLiteral("tipus")), QStringLiteral("3"));
    QCOMPARE(tarolt(1, QStringLiteral("terulet")), QStringLiteral("1"));
}

void TstHelySzerkeszto::orszagNagybetuvel()
{
    foablak();
    QVERIFY(szerkesztoben("aUj", [&](Tfrm_Szerkeszt *sz) {
        for (const char *nev : {"cim_orszag", "lev_orszag"}) {
            auto *e = sz->findChild<QLineEdit *>(QLatin1String(nev));
            e->setFocus();
            gepel(e, QStringLiteral("hr"));
            QCOMPARE(e->text(), QStringLiteral("HR"));
            QCOMPARE(tbl()->asString(QLatin1String(nev)), QStringLiteral("HR"));
        }
        // Other boxes keep what was typed.
        auto *varos = sz->findChild<QLineEdit *>(QStringLiteral("cim_cim"));
        varos->setFocus();
        gepel(varos, QStringLiteral("fő u."));
        QCOMPARE(varos->text(), QStringLiteral("fő u."));
        QTest::mouseClick(sz->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
    }));
    QCOMPARE(tarolt(1, QStringLiteral("cim_orszag")), QStringLiteral("HR"));
    QCOMPARE(tarolt(1, QStringLiteral("lev_orszag")), QStringLiteral("HR"));
}

void TstHelySzerkeszto::ujHelyOkEsMegsem()
{
    helyek({1, 2, 5});
    foablak();
    m_ablak->akcio(QStringLiteral("aSorrendNev"))->trigger();
    QVERIFY(m_ablak->akcio(QStringLiteral("aUj"))->isEnabled());
    // OK: the new place is stored and stays current, in name order.
    QVERIFY(szerkesztoben("aUj", [&](Tfrm_Szerkeszt *sz) {
        QCOMPARE(tbl()->state(), data::State::Insert);
        QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 6);
        QCOMPARE(sz->findChild<QLineEdit *>(QStringLiteral("cim_varos"))->text(), QStringLiteral("Veszprém"));
        QVERIFY(!sz->findChild<QCheckBox *>(QStringLiteral("udulesicsekk"))->isChecked());
        gepel(QApplication::focusWidget(), QStringLiteral("Almás"));
        QTest::mouseClick(sz->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        QVERIFY(!sz->isVisible());
    }));
    QCOMPARE(tbl()->state(), data::State::Browse);
    QCOMPARE(tarolt(6, QStringLiteral("ugyfel_nev")), QStringLiteral("Almás"));
    QCOMPARE(tbl()->asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Almás"));
    QCOMPARE(tbl()->recNo(), 1);
    QCOMPARE(m_ablak->panelSzoveg(0), QStringLiteral("4 / 1"));

    // Cancel after typing: nothing stays, the number is not used up.
    for (int i = 0; i < 2; ++i) {
        QVERIFY(szerkesztoben("aUj", [&](Tfrm_Szerkeszt *sz) {
            QCOMPARE(tbl()->asInteger(QStringLiteral("sorszam")), 7);
            gepel(QApplication::focusWidget(), QStringLiteral("Elvetett"));
            QTest::mouseClick(sz->findChild<QPushButton *>(QStringLiteral("btnMegsem")), Qt::LeftButton);
        }));
        QCOMPARE(tbl()->state(), data::State::Browse);
        QCOMPARE(sorokSzama(QStringLiteral("ugyfel")), 4);
    }
    QCOMPARE(tbl()->asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Almás"));
    QCOMPARE(m_dobozok->hibak, QStringList());
}

void TstHelySzerkeszto::irszElhagyasaUjHelyen()
{
    foablak();
    QVERIFY(szerkesztoben("aUj", [&](Tfrm_Szerkeszt *sz) {
        auto *irsz = sz->findChild<QLineEdit *>(QStringLiteral("cim_irsz"));
        auto *varos = sz->findChild<QLineEdit *>(QStringLiteral("cim_varos"));
        QCOMPARE(varos->text(), QStringLiteral("Veszprém"));
        // An unknown code leaves the default city.
        irsz->setFocus();
        gepel(irsz, QStringLiteral("0000"));
        QTest::keyClick(irsz, Qt::Key_Tab);
        QCOMPARE(varos->text(), QStringLiteral("Veszprém"));
        // A known one replaces it as the box is left.
        irsz->setFocus();
        irsz->selectAll();
        gepel(irsz, QStringLiteral("8630"));
        QCOMPARE(varos->text(), QStringLiteral("Veszprém"));
        QTest::keyClick(irsz, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), varos);
        QCOMPARE(varos->text(), QStringLiteral("Balatonboglár"));
        QCOMPARE(tbl()->asString(QStringLiteral("cim_varos")), QStringLiteral("Balatonboglár"));
        // A city typed by hand is never overwritten.
        varos->selectAll();
        gepel(varos, QStringLiteral("Pápa"));
        irsz->setFocus();
        irsz->selectAll();
        gepel(irsz, QStringLiteral("8200"));
        QTest::keyClick(irsz, Qt::Key_Tab);
        QCOMPARE(varos->text(), QStringLiteral("Pápa"));
        // A city never fills a postal code.
        auto *levVaros = sz->findChild<QLineEdit *>(QStringLiteral("lev_varos"));
        levVaros->setFocus();
        gepel(levVaros, QStringLiteral("Budapest"));
        QTest::keyClick(levVaros, Qt::Key_Tab);
        QVERIFY(sz->findChild<QLineEdit *>(QStringLiteral("lev_irsz"))->text().isEmpty());
        QTest::mouseClick(sz->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
    }));
    QCOMPARE(tarolt(1, QStringLiteral("cim_irsz")), QStringLiteral("8200"));
    QCOMPARE(tarolt(1, QStringLiteral("cim_varos")), QStringLiteral("Pápa"));
    QCOMPARE(tarolt(1, QStringLiteral("lev_irsz")), QStringLiteral("<null>"));
}

void TstHelySzerkeszto::levIrszMeglevoHelyen()
{
    // A stored place: leaving the mailing code fills the empty mailing city,
    // also when the code was not changed; cancel leaves the stored row.
    helyek({1});
    db().exec(QStringLiteral("UPDATE ugyfel SET lev_irsz = '1011', cim_irsz = '8630', cim_varos = 'Veszprém'"));
    foablak();
    QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
        QCOMPARE(tbl()->state(), data::State::Edit);
        auto *levIrsz = sz->findChild<QLineEdit *>(QStringLiteral("lev_irsz"));
        levIrsz->setFocus();
        QTest::keyClick(levIrsz, Qt::Key_Tab);
        QCOMPARE(sz->findChild<QLineEdit *>(QStringLiteral("lev_varos"))->text(), QStringLiteral("Budapest"));
        // The default city stored with the place counts as not entered.
        auto *irsz = sz->findChild<QLineEdit *>(QStringLiteral("cim_irsz"));
        irsz->setFocus();
        sz->findChild<QLineEdit *>(QStringLiteral("cim_cim"))->setFocus();
        QCOMPARE(sz->findChild<QLineEdit *>(QStringLiteral("cim_varos"))->text(), QStringLiteral("Balatonboglár"));
        QTest::mouseClick(sz->findChild<QPushButton *>(QStringLiteral("btnMegsem")), Qt::LeftButton);
    }));
    QCOMPARE(tbl()->state(), data::State::Browse);
    QCOMPARE(tarolt(1, QStringLiteral("lev_varos")), QStringLiteral("<null>"));
    QCOMPARE(tarolt(1, QStringLiteral("cim_varos")), QStringLiteral("Veszprém"));
    QCOMPARE(tbl()->asString(QStringLiteral("cim_varos")), QStringLiteral("Veszprém"));
}

void TstHelySzerkeszto::masoloGombokEsMegsem()
{
    helyek({1});
    db().exec(QStringLiteral("UPDATE ugyfel SET cim_orszag = 'H', cim_irsz = '8200', cim_varos = 'Veszprém', "
                             "lev_orszag = 'A', lev_irsz = '1010', lev_varos = 'Wien', lev_cim = 'Ring 2', "
                             "tulajdonos = 'Nagy', tul_mobil = 'tm1', tul_emil = 'te@x.hu', kapcsolat = 'Kiss'"));
    const QStringList mezok = {"lev_orszag", "lev_irsz", "lev_varos", "lev_cim", "tulajdonos", "tul_mobil",
                               "tul_mobil2", "tul_telefon", "tul_fax", "tul_emil"};
    auto taroltak = [&] {
        QStringList r;
        for (const QString &m : mezok)
            r << tarolt(1, m);
        return r;
    };
    const QStringList elotte = taroltak();
    foablak();
    for (bool ok : {false, true}) {
        QVERIFY(szerkesztoben("aSzerkeszt", [&](Tfrm_Szerkeszt *sz) {
            auto doboz = [sz](const char *nev) { return sz->findChild<QLineEdit *>(QLatin1String(nev)); };
            QTest::mouseClick(sz->findChild<QToolButton *>(QStringLiteral("btnCimMasolas")), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), doboz("lev_orszag"));
            QCOMPARE(doboz("lev_orszag")->text(), QStringLiteral("H"));
            QCOMPARE(doboz("lev_varos")->text(), QStringLiteral("Veszprém"));
            QCOMPARE(doboz("lev_cim")->text(), QString());  // an empty source overwrites
            QTest::mouseClick(sz->findChild<QToolButton *>(QStringLiteral("btnKapcsolatMasolas")), Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), doboz("tulajdonos"));
            QCOMPARE(doboz("tulajdonos")->text(), QStringLiteral("Kiss"));
            QCOMPARE(doboz("tul_mobil")->text(), QString());
            QCOMPARE(doboz("tul_emil")->text(), QString());
            QTest::mouseClick(sz->findChild<QPushButton *>(ok ? QStringLiteral("btnOK") : QStringLiteral("btnMegsem")),
                              Qt::LeftButton);
        }));
        QCOMPARE(tbl()->state(), data::State::Browse);
        if (!ok)
            QCOMPARE(taroltak(), elotte);
    }
    QCOMPARE(taroltak(), (QStringList{"H", "8200", "Veszprém", "<null>", "Kiss", "<null>", "<null>", "<null>",
                                      "<null>", "<null>"}));
}

void TstHelySzerkeszto::elutasitottMentes()
{
    // The engine refuses a name; the editor stays open on the user's
    // typing, and a corrected name is saved.
    helyek({1});
    for (const char *mikor : {"INSERT", "UPDATE"})
        db().exec(QStringLiteral("CREATE TRIGGER tilt_%1 BEFORE %1 ON ugyfel WHEN NEW.ugyfel_nev = 'TILOS' "
                                 "BEGIN SELECT RAISE(ABORT, 'tiltott név'); END")
                      .arg(QLatin1String(mikor)));
    foablak();
    for (const char *akcio : {"aSzerkeszt", "aUj"}) {
        m_dobozok->hibak.clear();
        QVERIFY(szerkesztoben(akcio, [&](Tfrm_Szerkeszt *sz) {
            auto *nev = sz->findChild<QLineEdit *>(QStringLiteral("ugyfel_nev"));
            auto *ok = sz->findChild<QPushButton *>(QStringLiteral("btnOK"));
            nev->selectAll();
            gepel(nev, QStringLiteral("TILOS"));
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(m_dobozok->hibak.size(), 1);
            QVERIFY(m_dobozok->hibak.first().contains(QStringLiteral("tiltott név")));
            QVERIFY(sz->isVisible());
            QCOMPARE(nev->text(), QStringLiteral("TILOS"));
            QVERIFY(tbl()->isEditing());
            nev->setFocus();
            nev->selectAll();
            gepel(nev, QStringLiteral("Jó név"));
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(!sz->isVisible());
        }));
        QCOMPARE(m_dobozok->hibak.size(), 1);
        QCOMPARE(tbl()->state(), data::State::Browse);
    }
    QCOMPARE(tarolt(1, QStringLiteral("ugyfel_nev")), QStringLiteral("Jó név"));
    QCOMPARE(tarolt(2, QStringLiteral("ugyfel_nev")), QStringLiteral("Jó név"));
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
    if (szurt) {
        QVERIFY(m_ablak->akcio(QStringLiteral("aSzerkeszt"))->isEnabled());
        tbl()->setFilter(QStringLiteral("sorszam=99"));
        tbl()->setFiltered(true);
    }
    QVERIFY(!m_ablak->akcio(QStringLiteral("aSzerkeszt"))->isEnabled());
    QVERIFY(!m_ablak->akcio(QStringLiteral("aTorol"))->isEnabled());
    QVERIFY(m_ablak->akcio(QStringLiteral("aUj"))->isEnabled());
    // Also when asked directly: no editor, no question, no error.
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
    QCOMPARE(m_dobozok->kerdesek, QStringList());
    QCOMPARE(m_dobozok->hibak, QStringList());
    QCOMPARE(sorokSzama(QStringLiteral("ugyfel")), szurt ? 2 : 0);
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
    QCOMPARE(tarolt(1, QStringLiteral("ugyfel")), igen ? QStringLiteral("<nincs>") : QString::number(kulcs));
    QCOMPARE(sorokSzama(QStringLiteral("ugyfel")), igen ? 1 : 2);
    for (const char *tabla : {"foglalas", "ugyf_megj", "megj"}) {
        data::Query q(db());
        q.setSql(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE ugyfel = :u").arg(QLatin1String(tabla)));
        q.setParam(QStringLiteral("u"), kulcs);
        q.open();
        QCOMPARE(q.asInteger(QStringLiteral("n")), 1);
    }
    QCOMPARE(m_ablak->panelSzoveg(0), igen ? QStringLiteral("1 / 1") : QStringLiteral("2 / 1"));
}

QTEST_MAIN(TstHelySzerkeszto)
#include "tst_helyszerkeszto.moc"
