// The label layouts: their list in upkeep and in selection mode, what a
// choice hands back, the editor's refusals, the delete question; and the
// dialog of the agency's own details, which keeps the one row of its table.

#include "app/tfrm_tulajdonos.h"
#include "common/datagrid.h"
#include "common/listaablak.h"
#include "data/database.h"
#include "data/table.h"
#include "reports/cimkeelrendezes.h"
#include "reports/cimkevalaszt.h"
#include "reports/tfrm_torzscimke.h"
#include "reports/tfrm_torzscimke_szerkeszt.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace testsupport;

namespace {

QString elemek(const QList<QAction *> &akciok)
{
    QStringList r;
    for (QAction *a : akciok)
        if (a->isVisible())
            r << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return r.join(QLatin1Char(' '));
}

// A table's rows as its fields' texts joined by "|", in `sorrend`.
QStringList sorok(const QString &tabla, const QString &sorrend)
{
    data::Table t(data::Database::regiszter(), tabla);
    t.setIndexFieldNames(sorrend);
    t.open();
    QStringList r;
    for (t.first(); !t.eof(); t.next()) {
        QStringList mezok;
        for (int f = 0; f < t.fieldCount(); ++f)
            mezok << t.value(f).toString();
        r << mezok.join(QLatin1Char('|'));
    }
    return r;
}

QStringList cimkek()
{
    return sorok(QStringLiteral("cimke"), QStringLiteral("cimke"));
}

QLineEdit *mezo(QWidget *w, const char *nev)
{
    return w->findChild<QLineEdit *>(QLatin1String(nev));
}

QPushButton *gomb(QWidget *w, const char *nev)
{
    return w->findChild<QPushButton *>(QLatin1String(nev));
}

// Overwrites a box as the user would.
void atir(QWidget *w, const char *nev, const QString &szoveg)
{
    QLineEdit *e = mezo(w, nev);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    gepel(e, szoveg);
}

void duplaKattintas(DataGrid *racs, int sor)
{
    QWidget *ablak = racs->window();
    const QPoint hely = racs->viewport()->mapTo(ablak, racs->visualRect(racs->model()->index(sor, 0)).center());
    QTest::mouseDClick(ablak->windowHandle(), Qt::LeftButton, Qt::NoModifier, hely);
}

}  // namespace

class TestCimkek : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenRegister> m_reg;
    std::unique_ptr<DobozFelvevo> m_dobozok;

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void layoutFromValues_data();
    void layoutFromValues();
    void columnCountRule_data();
    void columnCountRule();
    void upkeepHasNoAccept();
    void selectionHandsBackTheRow();
    void closingWithoutAcceptChoosesNothing();
    void editorRefusesUnusableLayout_data();
    void editorRefusesUnusableLayout();
    void refusedSaveKeepsTheEditorOpen();
    void deleteAsksFirst();
    void agencyRowMadeWhenMissing();
    void agencyRowEditedInPlace();
};

void TestCimkek::initTestCase()
{
    useHungarianLocale();
    m_reg = std::make_unique<OpenRegister>();
}

void TestCimkek::init()
{
    m_dobozok = std::make_unique<DobozFelvevo>();
    auto &db = data::Database::regiszter();
    db.exec(QStringLiteral("DELETE FROM cimke"));
    db.exec(QStringLiteral("INSERT INTO cimke (cimke, felsomargo, szelsomargo, cimkemagas, oszlop) VALUES "
                           "('Apli 3x8', 5.5, 4, 37, 3), ('Üres adatok', NULL, NULL, NULL, NULL), "
                           "('Boríték', 10, 20, 50, 1)"));
}

void TestCimkek::cleanup()
{
    m_dobozok.reset();
}

void TestCimkek::cleanupTestCase()
{
    m_reg.reset();
}

void TestCimkek::layoutFromValues_data()
{
    QTest::addColumn<QVariantList>("ertekek");  // cimke, felso, szelso, magas, oszlop
    QTest::addColumn<QString>("vart");
    QTest::newRow("full") << QVariantList{"A4 3x8", 5.5, 4.0, 37.0, 3} << "A4 3x8|5.5|4|37|3";
    QTest::newRow("nulls") << QVariantList{QVariant(), QVariant(), QVariant(), QVariant(), QVariant()} << "|0|0|0|0";
    QTest::newRow("stored as text") << QVariantList{"X", "2.25", "1", "24", "2"} << "X|2.25|1|24|2";
}

void TestCimkek::layoutFromValues()
{
    QFETCH(QVariantList, ertekek);
    QFETCH(QString, vart);
    const QStringList mezok = {"cimke", "felsomargo", "szelsomargo", "cimkemagas", "oszlop"};
    const CimkeElrendezes e
        = CimkeElrendezesErtekekbol([&](const QString &mezo) { return ertekek.value(mezok.indexOf(mezo)); });
    QCOMPARE(QStringList({e.nev, QString::number(e.felsoMargo), QString::number(e.szelsoMargo),
                          QString::number(e.cimkeMagas), QString::number(e.oszlop)})
                 .join(QLatin1Char('|')),
             vart);
}

void TestCimkek::columnCountRule_data()
{
    QTest::addColumn<QVariant>("oszlop");
    QTest::addColumn<bool>("jo");
    QTest::newRow("null") << QVariant() << false;
    QTest::newRow("zero") << QVariant(0) << false;
    QTest::newRow("negative") << QVariant(-2) << false;
    QTest::newRow("text") << QVariant(QStringLiteral("három")) << false;
    QTest::newRow("one") << QVariant(1) << true;
    QTest::newRow("four") << QVariant(qint64(4)) << true;
}

void TestCimkek::columnCountRule()
{
    QFETCH(QVariant, oszlop);
    QFETCH(bool, jo);
    QCOMPARE(CimkeOszlopHiba(oszlop).isEmpty(), jo);
    if (!jo)
        QCOMPARE(CimkeOszlopHiba(oszlop), QStringLiteral("Az oszlopok száma legalább 1 legyen."));
}

void TestCimkek::upkeepHasNoAccept()
{
    int szerkesztok = 0;
    bool lista = false;
    onNextModal([&](QWidget *w) {
        auto *a = qobject_cast<Tfrm_TorzsCimke *>(w);
        struct Zar {
            QWidget *w;
            ~Zar() { static_cast<QDialog *>(w)->reject(); }
        } zar{w};
        QVERIFY(a);
        lista = true;
        QVERIFY(!a->aElfogad()->isVisible());
        QVERIFY(!a->aElfogad()->isEnabled());
        QCOMPARE(elemek(a->eszkoztar()->actions()), QStringLiteral("aUj aSzerkeszt aTorol - aBezar"));
        QCOMPARE(elemek(a->racs()->actions()), QStringLiteral("aUj aSzerkeszt aTorol - aBezar"));
        // By name, in Hungarian order.
        QCOMPARE(a->racs()->model()->index(0, 0).data().toString(), QStringLiteral("Apli 3x8"));
        QCOMPARE(a->racs()->model()->index(1, 0).data().toString(), QStringLiteral("Boríték"));
        QCOMPARE(a->racs()->model()->index(0, 1).data().toString(), QStringLiteral("5,50"));

        // Enter and a double click open the editor; the list stays.
        auto szerkeszto = [&] {
            onNextModal([&](QWidget *sz) {
                if (qobject_cast<Tfrm_TorzsCimke_Szerkeszt *>(sz))
                    ++szerkesztok;
                static_cast<QDialog *>(sz)->reject();
            });
        };
        szerkeszto();
        QTest::keyClick(a->racs(), Qt::Key_Return);
        QVERIFY(a->isVisible());
        szerkeszto();
        duplaKattintas(a->racs(), 1);
        QVERIFY(a->isVisible());
        QCOMPARE(a->tabla()->state(), data::State::Browse);
    });
    const CimkeElrendezes e = CimkeValaszt(data::Database::regiszter(), false);
    QVERIFY(lista);
    QCOMPARE(szerkesztok, 2);
    QCOMPARE(e.nev, QString());
}

void TestCimkek::selectionHandsBackTheRow()
{
    struct Eset {
        const char *nev;
        QString vart;
    };
    const Eset esetek[] = {{"Apli 3x8", "Apli 3x8|5.5|4|37|3"}, {"Üres adatok", "Üres adatok|0|0|0|0"}};
    for (const Eset &eset : esetek) {
        QString eszkoztar;
        onNextModal([&](QWidget *w) {
            auto *a = qobject_cast<Tfrm_TorzsCimke *>(w);
            if (!a)
                return static_cast<QDialog *>(w)->reject();
            eszkoztar = elemek(a->eszkoztar()->actions());
            a->tabla()->locate(QStringLiteral("cimke"), QString::fromUtf8(eset.nev));
            // Enter accepts in selection mode.
            QTest::keyClick(a->racs(), Qt::Key_Return);
        });
        const CimkeElrendezes e = CimkeValaszt(data::Database::regiszter(), true);
        QCOMPARE(eszkoztar, QStringLiteral("aUj aSzerkeszt aTorol - aElfogad aBezar"));
        QCOMPARE(QStringList({e.nev, QString::number(e.felsoMargo), QString::number(e.szelsoMargo),
                              QString::number(e.cimkeMagas), QString::number(e.oszlop)})
                     .join(QLatin1Char('|')),
                 eset.vart);
    }
    // A double click accepts too.
    onNextModal([](QWidget *w) {
        auto *a = qobject_cast<Tfrm_TorzsCimke *>(w);
        if (!a)
            return static_cast<QDialog *>(w)->reject();
        duplaKattintas(a->racs(), 1);
    });
    QCOMPARE(CimkeValaszt(data::Database::regiszter(), true).nev, QStringLiteral("Boríték"));
    QCOMPARE(cimkek().size(), 3);  // choosing changes nothing
}

void TestCimkek::closingWithoutAcceptChoosesNothing()
{
    onNextModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    const CimkeElrendezes e = CimkeValaszt(data::Database::regiszter(), true);
    QCOMPARE(e.nev, QString());
    QCOMPARE(e.oszlop, 0);
}

void TestCimkek::editorRefusesUnusableLayout_data()
{
    QTest::addColumn<QString>("nev");
    QTest::addColumn<QString>("oszlop");
    QTest::addColumn<QString>("hiba");  // the message; the focus goes to the box at fault
    const char *kevesOszlop = "Az oszlopok száma legalább 1 legyen.";
    QTest::newRow("zero") << "Új ív" << "0" << kevesOszlop;
    QTest::newRow("empty") << "Új ív" << "" << kevesOszlop;
    QTest::newRow("negative") << "Új ív" << "-1" << kevesOszlop;
    QTest::newRow("no name") << "" << "2" << "A címke neve nem lehet üres.";
}

void TestCimkek::editorRefusesUnusableLayout()
{
    QFETCH(QString, nev);
    QFETCH(QString, oszlop);
    QFETCH(QString, hiba);
    Tfrm_TorzsCimke lista(data::Database::regiszter());
    lista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lista));
    bool latott = false;
    onNextModal([&](QWidget *w) {
        struct Zar {
            QWidget *w;
            ~Zar() { static_cast<QDialog *>(w)->reject(); }
        } zar{w};
        atir(w, "DBEdit1", nev);
        atir(w, "DBEdit4", QStringLiteral("40"));
        atir(w, "DBEdit5", oszlop);
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        QCOMPARE(m_dobozok->hibak, QStringList{hiba});
        QVERIFY(w->isVisible());
        QCOMPARE(lista.tabla()->state(), data::State::Insert);
        QCOMPARE(w->focusWidget(), mezo(w, nev.trimmed().isEmpty() ? "DBEdit1" : "DBEdit5"));
        // Corrected, it is saved.
        atir(w, "DBEdit1", QStringLiteral("Új ív"));
        atir(w, "DBEdit5", QStringLiteral("2"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        latott = !w->isVisible();
    });
    lista.aUj()->trigger();
    QVERIFY(latott);
    QVERIFY(cimkek().contains(QStringLiteral("Új ív|||40|2")));
}

void TestCimkek::refusedSaveKeepsTheEditorOpen()
{
    Tfrm_TorzsCimke lista(data::Database::regiszter());
    lista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lista));
    bool nyitva = false;
    QString beirt;
    onNextModal([&](QWidget *w) {
        atir(w, "DBEdit1", QStringLiteral("Boríték"));  // the name is the key
        atir(w, "DBEdit5", QStringLiteral("2"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        nyitva = w->isVisible();
        beirt = mezo(w, "DBEdit1")->text();
        QTest::mouseClick(gomb(w, "btnCancel"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QVERIFY(nyitva);
    QCOMPARE(beirt, QStringLiteral("Boríték"));
    QCOMPARE(m_dobozok->hibak.size(), 1);
    QVERIFY2(m_dobozok->hibak.first().startsWith(QStringLiteral("Hiányos, vagy hibás adatmegadás\r\n")),
             qPrintable(m_dobozok->hibak.first()));
    QVERIFY(m_dobozok->hibak.first().size() > QStringLiteral("Hiányos, vagy hibás adatmegadás\r\n").size());
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
    QCOMPARE(cimkek().size(), 3);
}

void TestCimkek::deleteAsksFirst()
{
    Tfrm_TorzsCimke lista(data::Database::regiszter());
    lista.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lista));
    m_dobozok->valaszok = {false, true};
    lista.aTorol()->trigger();
    QCOMPARE(cimkek().size(), 3);
    QTest::keyClick(lista.racs(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(m_dobozok->kerdesek, QStringList(2, QStringLiteral("Valóban töröljem a sort?")));
    QCOMPARE(m_dobozok->kerdesCimek, QStringList(2, QStringLiteral("Megerősítés")));
    QCOMPARE(cimkek(), QStringList({"Boríték|10|20|50|1", "Üres adatok||||"}));
}

void TestCimkek::agencyRowMadeWhenMissing()
{
    data::Database::regiszter().exec(QStringLiteral("DELETE FROM tulajdonos"));
    bool latott = false;
    onNextModal([&](QWidget *w) {
        latott = true;
        QCOMPARE(mezo(w, "edtNev")->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), mezo(w, "edtNev"));
        gepel(mezo(w, "edtNev"), QStringLiteral("Balaton Szállás Kft."));
        // Enter moves on; leaving the postal code fills the empty town.
        QTest::keyClick(mezo(w, "edtNev"), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), mezo(w, "edtIrsz"));
        gepel(mezo(w, "edtIrsz"), QStringLiteral("8200"));
        QTest::keyClick(mezo(w, "edtIrsz"), Qt::Key_Return);
        QTRY_COMPARE(mezo(w, "edtVaros")->text(), QStringLiteral("Veszprém"));
        QTRY_COMPARE(mezo(w, "edtVaros")->palette().color(QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
        atir(w, "edtAdoszam", QStringLiteral("12345678-2-19"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    QVERIFY(Tfrm_Tulajdonos::futtat(data::Database::regiszter(), QString(), nullptr));
    QVERIFY(latott);
    // The tax number keeps its 11 characters.
    QCOMPARE(sorok(QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos")),
             QStringList{QStringLiteral("Balaton Szállás Kft.||||8200|Veszprém||12345678-2-|")});
}

void TestCimkek::agencyRowEditedInPlace()
{
    const QStringList elotte = sorok(QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"));
    QCOMPARE(elotte.size(), 1);
    // Mégsem leaves the row as it was.
    onNextModal([](QWidget *w) {
        atir(w, "edtTelefon", QStringLiteral("+36 1 111 1111"));
        QTest::mouseClick(gomb(w, "btnCancel"), Qt::LeftButton);
    });
    QVERIFY(!Tfrm_Tulajdonos::futtat(data::Database::regiszter(), QString(), nullptr));
    QCOMPARE(sorok(QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos")), elotte);

    QString nev;
    onNextModal([&](QWidget *w) {
        nev = mezo(w, "edtNev")->text();
        atir(w, "edtTelefon", QStringLiteral("+36 88 123 456"));
        atir(w, "edtBankszamla", QStringLiteral("11700000-22222222"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    QVERIFY(Tfrm_Tulajdonos::futtat(data::Database::regiszter(), QString(), nullptr));
    QCOMPARE(nev, elotte.first().section(QLatin1Char('|'), 0, 0));
    const QStringList utana = sorok(QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"));
    QCOMPARE(utana.size(), 1);
    QCOMPARE(utana.first().section(QLatin1Char('|'), 1, 1), QStringLiteral("+36 88 123 456"));
    QCOMPARE(utana.first().section(QLatin1Char('|'), 8, 8), QStringLiteral("11700000-22222222"));
    QCOMPARE(utana.first().section(QLatin1Char('|'), 0, 0), nev);
}

QTEST_MAIN(TestCimkek)
#include "tst_cimkek.moc"
