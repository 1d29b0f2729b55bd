// The lookup-table family driven as a user would: the three list windows and
// their editors, the entry in both forms, selection mode; the filter dialog
// with its pickers, and the main window's filter switch.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "common/datagrid.h"
#include "data/database.h"
#include "data/table.h"
#include "masterdata/tfrm_torzs.h"
#include "masterdata/torzsleiras.h"
#include "masterdata/torzsvalaszt.h"
#include "places/tfrm_szur.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace testsupport;

namespace {

data::Database &db()
{
    return data::Database::regiszter();
}

const TorzsLeiras &tag(int i)
{
    return i == 0 ? TorzsTipus() : i == 1 ? TorzsTerulet() : TorzsFizmod();
}

// Rows "key/name" into a member's table.
void tolt(const TorzsLeiras &l, const QStringList &sorok)
{
    for (const QString &s : sorok) {
        const QStringList r = s.split(QLatin1Char('/'));
        db().exec(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)").arg(l.tabla, l.kulcsMezo, l.nevMezo),
                  {r[0].toInt(), r[1]});
    }
}

// The stored rows of a member, in key order, as "key/name".
QStringList tarolt(const TorzsLeiras &l)
{
    data::Table t(db(), l.tabla);
    t.setIndexFieldNames(l.kulcsMezo);
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.asString(l.kulcsMezo) + QLatin1Char('/') + t.asString(l.nevMezo);
    return out;
}

// The visible items of a tool bar or menu: object names, "-" for separators.
QString elemek(const QWidget *w, const QToolBar *sav = nullptr)
{
    QStringList out;
    for (QAction *a : w->actions()) {
        if (!a->isVisible())
            continue;
        if (a->isSeparator())
            out << QStringLiteral("-");
        else if (sav && sav->widgetForAction(a) && qobject_cast<QLineEdit *>(sav->widgetForAction(a)))
            out << sav->widgetForAction(a)->objectName();
        else
            out << a->objectName();
    }
    return out.join(QLatin1Char(' '));
}

template <typename T = QWidget>
T *elem(QWidget *w, const char *nev)
{
    T *e = w->findChild<T *>(QLatin1String(nev));
    if (!e)
        qWarning("no %s", nev);
    return e;
}

void megjelenit(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// Types a name into the editor that opens next and presses OK.
void szerkesztoKitolt(const QString &nev, QString *kulcs = nullptr, const TorzsLeiras *l = nullptr,
                      data::DataSet *ds = nullptr)
{
    onNextModal([=](QWidget *w) {
        if (kulcs)
            *kulcs = ds->asString(l->kulcsMezo);
        auto *e = elem<QLineEdit>(w, "DBEdit1");
        e->selectAll();
        gepel(e, nev);
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
    });
}

void duplaKattintas(DataGrid *racs, int sor)
{
    QWidget *ablak = racs->window();
    const QPoint hely = racs->viewport()->mapTo(ablak, racs->visualRect(racs->model()->index(sor, 0)).center());
    QTest::mouseDClick(ablak->windowHandle(), Qt::LeftButton, Qt::NoModifier, hely);
}

}  // namespace

class TstTorzs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useHungarianLocale(); }
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void kinezet_data();
    void kinezet();
    void ujKulcs_data();
    void ujKulcs();
    void tipusKulcsMegsemEsTorles();
    void kereses_data();
    void kereses();
    void valaszt_data();
    void valaszt();
    void valasztUresEsMegsem();
    void karbantartas();
    void elutasitottMentes_data();
    void elutasitottMentes();

    void szurKinezet();
    void szurValasztok();
    void szurValodiValaszto();
    void foablakSzures();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstTorzs::kinezet_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<QString>("osztaly");
    QTest::addColumn<QString>("cim");
    QTest::addColumn<QSize>("meret");
    QTest::addColumn<QString>("oszlop");
    QTest::addColumn<int>("szeles");
    QTest::addColumn<QString>("szOsztaly");
    QTest::addColumn<QString>("szCim");
    QTest::addColumn<QString>("cimke");
    QTest::newRow("típusok") << 0 << "Tfrm_TorzsTipus" << "Szálláshely típusok" << QSize(283, 290) << "típus" << 250
                             << "Tfrm_TorzsTipus_Szerkeszt" << "Szálláshely típus" << "típus";
    QTest::newRow("területek") << 1 << "Tfrm_TorzsTerulet" << "Területek" << QSize(283, 290) << "terület" << 250
                               << "Tfrm_TorzsTerulet_Szerkeszt" << "Terület" << "terület";
    QTest::newRow("fizetési módok") << 2 << "Tfrm_TorzsFiztip" << "Fizetési típusok" << QSize(286, 290)
                                    << "fizetési mód" << 251 << "Tfrm_TorzsFiztip_Szerkeszt" << "Fizetési módok"
                                    << "fizetési mód";
}

void TstTorzs::kinezet()
{
    QFETCH(int, t);
    QFETCH(QString, osztaly);
    QFETCH(QString, cim);
    QFETCH(QSize, meret);
    QFETCH(QString, oszlop);
    QFETCH(int, szeles);
    QFETCH(QString, szOsztaly);
    QFETCH(QString, szCim);
    QFETCH(QString, cimke);
    tolt(tag(t), {QStringLiteral("1/x")});
    Tfrm_Torzs lista(db(), tag(t));
    QCOMPARE(lista.objectName(), osztaly);
    QCOMPARE(lista.windowTitle(), cim);
    QCOMPARE(lista.size(), meret);
    QCOMPARE(lista.minimumSize(), lista.maximumSize());

    const QString alap = QStringLiteral("aUj aSzerkeszt aTorol - aKeres - ");
    QCOMPARE(elemek(lista.eszkoztar(), lista.eszkoztar()), QStringLiteral("Edit1 - aKeres - aUj aSzerkeszt aTorol - aBezar"));
    QCOMPARE(elemek(lista.racs()), alap + QStringLiteral("aBezar"));
    lista.setValasztoMod(true);
    QCOMPARE(elemek(lista.eszkoztar(), lista.eszkoztar()),
             QStringLiteral("Edit1 - aKeres - aUj aSzerkeszt aTorol - aElfogad aBezar"));
    QCOMPARE(elemek(lista.racs()), alap + QStringLiteral("aElfogad aBezar"));
    lista.setValasztoMod(false);

    const QList<QPair<QAction *, QString>> akciok = {
        {lista.aUj(), QStringLiteral("Új sor|Új sor|Ins")},
        {lista.aSzerkeszt(), QStringLiteral("Szerkeszt|Szerkeszt|F2")},
        {lista.aTorol(), QStringLiteral("Sor törlése|Sor törlése|Ctrl+Del")},
        {lista.aKeres(), QStringLiteral("Kereső||Ctrl+F")},
        {lista.aElfogad(), QStringLiteral("Elfogad||Return")},
        {lista.aBezar(), QStringLiteral("Bezár|Bezár|Esc")},
    };
    for (const auto &a : akciok)
        QCOMPARE(a.first->text() + QLatin1Char('|') + a.first->statusTip() + QLatin1Char('|') +
                     a.first->shortcut().toString(),
                 a.second);

    QCOMPARE(lista.kereso()->palette().color(QPalette::Base), QColor(0xC0, 0xDC, 0xC0));
    QVERIFY(lista.kereso()->font().bold());

    // Shown: the table opens, one column with its title and width, the
    // focus in the search box.
    megjelenit(&lista);
    QVERIFY(lista.tabla()->isOpen());
    QCOMPARE(lista.racs()->model()->columnCount(), 1);
    QCOMPARE(lista.racs()->model()->headerData(0, Qt::Horizontal).toString(), oszlop);
    QCOMPARE(lista.racs()->columnWidth(0), szeles);
    QCOMPARE(QApplication::focusWidget(), lista.kereso());
    // Ctrl+F comes back to the box with its whole text selected.
    gepel(lista.kereso(), QStringLiteral("xy"));
    lista.racs()->setFocus();
    QTest::keyClick(lista.racs(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), lista.kereso());
    QTRY_COMPARE(lista.kereso()->selectedText(), QStringLiteral("xy"));

    // The editor of the member, on the current row.
    bool lattuk = false;
    onNextModal([&](QWidget *w) {
        lattuk = true;
        QCOMPARE(w->objectName(), szOsztaly);
        QCOMPARE(w->windowTitle(), szCim);
        QCOMPARE(w->size(), QSize(206, 117));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        auto *e = elem<QLineEdit>(w, "DBEdit1");
        QCOMPARE(elem<QLabel>(w, "Label1")->text(), cimke);
        QCOMPARE(elem<QLabel>(w, "Label1")->buddy(), e);
        QCOMPARE(e->text(), QStringLiteral("x"));
        QCOMPARE(w->focusWidget(), e);
        QCOMPARE(e->palette().color(QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
        // Enter moves along edit box, OK, Mégsem; Esc presses Mégsem.
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(w->focusWidget(), elem<QWidget>(w, "btnOK"));
        QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
        QCOMPARE(w->focusWidget(), elem<QWidget>(w, "btnCancel"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    QTest::keyClick(lista.racs(), Qt::Key_F2);
    QVERIFY(lattuk);
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
    lista.close();
    QVERIFY(!lista.tabla()->isOpen());
}

void TstTorzs::ujKulcs_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<QStringList>("elotte");
    QTest::addColumn<QString>("szerkesztesKozben");
    QTest::addColumn<QStringList>("utana");
    const QStringList harom{"1/x", "2/y", "7/z"};
    QTest::newRow("első típus") << 0 << QStringList() << "1" << QStringList{"1/új"};
    QTest::newRow("típus 1, 2, 7 után") << 0 << harom << "8" << (harom + QStringList{"8/új"});
    // The table numbers areas and payment methods; the list writes no key.
    QTest::newRow("terület") << 1 << harom << "" << (harom + QStringList{"8/új"});
    QTest::newRow("fizetési mód") << 2 << harom << "" << (harom + QStringList{"8/új"});
}

void TstTorzs::ujKulcs()
{
    QFETCH(int, t);
    QFETCH(QStringList, elotte);
    QFETCH(QString, szerkesztesKozben);
    QFETCH(QStringList, utana);
    DobozFelvevo dobozok;
    const TorzsLeiras &l = tag(t);
    tolt(l, elotte);
    Tfrm_Torzs lista(db(), l);
    megjelenit(&lista);
    QString kulcs = QStringLiteral("?");
    szerkesztoKitolt(QStringLiteral("új"), &kulcs, &l, lista.tabla());
    QTest::keyClick(lista.racs(), Qt::Key_Insert);
    QCOMPARE(kulcs, szerkesztesKozben);
    QCOMPARE(tarolt(l), utana);
    QCOMPARE(lista.racs()->columnWidth(0), l.oszlopSzeles);
    QCOMPARE(dobozok.hibak, QStringList());
    // The new row is current.
    QCOMPARE(lista.tabla()->asString(l.nevMezo), QStringLiteral("új"));
}

void TstTorzs::tipusKulcsMegsemEsTorles()
{
    DobozFelvevo dobozok;
    const TorzsLeiras &l = TorzsTipus();
    tolt(l, {QStringLiteral("1/x"), QStringLiteral("2/y"), QStringLiteral("7/z")});
    db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, tipus) VALUES (1, 'Hely', 8)"));
    Tfrm_Torzs lista(db(), l);
    megjelenit(&lista);
    // A cancelled new type leaves no row and uses up no key.
    onNextModal([](QWidget *w) {
        gepel(elem<QLineEdit>(w, "DBEdit1"), QStringLiteral("mégsem"));
        QTest::mouseClick(elem<QPushButton>(w, "btnCancel"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QCOMPARE(tarolt(l).size(), 3);
    szerkesztoKitolt(QStringLiteral("a nyolcas"));
    lista.aUj()->trigger();
    QCOMPARE(tarolt(l).last(), QStringLiteral("8/a nyolcas"));
    // Deleting 8, which a place uses, after No and then Yes; the place keeps
    // the key and shows no type name. Adding again gives 8 again.
    QVERIFY(lista.tabla()->locate(l.kulcsMezo, 8));
    lista.aTorol()->trigger();
    QCOMPARE(tarolt(l).size(), 4);
    dobozok.valaszok << true;
    lista.aTorol()->trigger();
    QCOMPARE(dobozok.kerdesek, QStringList(2, QStringLiteral("Valóban töröljem a sort?")));
    QCOMPARE(dobozok.kerdesCimek, QStringList(2, QStringLiteral("Megerősítés")));
    QCOMPARE(tarolt(l).size(), 3);
    data::Table helyek(db(), QStringLiteral("ugyfel"));
    helyek.open();
    QCOMPARE(helyek.asInteger(QStringLiteral("tipus")), 8);
    QCOMPARE(helyek.asString(QStringLiteral("tipus_nev")), QString());
    helyek.close();
    szerkesztoKitolt(QStringLiteral("újra"));
    lista.aUj()->trigger();
    QCOMPARE(tarolt(l).last(), QStringLiteral("8/újra"));
}

void TstTorzs::kereses_data()
{
    QTest::addColumn<QString>("gepelt");
    QTest::addColumn<QString>("vart");
    // In name order: Apartman, Bungaló, Család, Csárda, Ház, Öko.
    QTest::newRow("egy betű") << "b" << "Bungaló";
    QTest::newRow("nagybetűvel") << "CS" << "Család";
    QTest::newRow("ékezettel") << "csá" << "Csárda";
    QTest::newRow("ékezetes nagybetű") << "ÖK" << "Öko";
    QTest::newRow("nem folytatható") << "hx" << "Ház";
    QTest::newRow("nincs ilyen") << "z" << "Apartman";
}

void TstTorzs::kereses()
{
    QFETCH(QString, gepelt);
    QFETCH(QString, vart);
    tolt(TorzsTerulet(), {"1/Öko", "2/Csárda", "3/Ház", "4/Apartman", "5/Család", "6/Bungaló"});
    Tfrm_Torzs lista(db(), TorzsTerulet());
    megjelenit(&lista);
    gepel(lista.kereso(), gepelt);
    QCOMPARE(lista.tabla()->asString(QStringLiteral("terulet_nev")), vart);
    QCOMPARE(lista.racs()->currentIndex().data().toString(), vart);
}

void TstTorzs::valaszt_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<int>("kezdo");
    QTest::addColumn<QString>("gepelt");
    QTest::addColumn<QString>("nyitaskor");
    QTest::addColumn<int>("kulcs");
    QTest::addColumn<QString>("nev");
    QTest::newRow("típus, létező kulcs") << 0 << 7 << "" << "Ház" << 7 << "Ház";
    QTest::newRow("típus, 0 kulcs") << 0 << 0 << "" << "Apartman" << 2 << "Apartman";
    QTest::newRow("terület, nem létező kulcs") << 1 << 99 << "" << "Apartman" << 2 << "Apartman";
    QTest::newRow("terület, keresés után") << 1 << 2 << "sz" << "Apartman" << 1 << "Szoba";
}

void TstTorzs::valaszt()
{
    QFETCH(int, t);
    QFETCH(int, kezdo);
    QFETCH(QString, gepelt);
    QFETCH(QString, nyitaskor);
    QFETCH(int, kulcs);
    QFETCH(QString, nev);
    tolt(tag(t), {"1/Szoba", "2/Apartman", "7/Ház"});
    QString lattuk;
    bool elfogadLatszik = false;
    onNextModal([&](QWidget *w) {
        auto *lista = qobject_cast<Tfrm_Torzs *>(w);
        lattuk = lista->tabla()->asString(tag(t).nevMezo);
        elfogadLatszik = lista->aElfogad()->isVisible() && lista->aElfogad()->isEnabled();
        gepel(lista->kereso(), gepelt);
        // Enter in the search box accepts in selection mode.
        QTest::keyClick(lista->kereso(), Qt::Key_Return);
    });
    QString kapott = QStringLiteral("előző");
    QCOMPARE(TorzsValaszt(db(), tag(t), kezdo, true, kapott), kulcs);
    QCOMPARE(lattuk, nyitaskor);
    QVERIFY(elfogadLatszik);
    QCOMPARE(kapott, nev);
}

void TstTorzs::valasztUresEsMegsem()
{
    // Accepting on an empty list hands back key 0 and an empty name.
    onNextModal([](QWidget *w) { qobject_cast<Tfrm_Torzs *>(w)->aElfogad()->trigger(); });
    QString nev = QStringLiteral("előző");
    QCOMPARE(TorzsValaszt(db(), TorzsTipus(), 0, true, nev), 0);
    QCOMPARE(nev, QString());

    // Closed without accepting: -1, the name unchanged.
    tolt(TorzsTerulet(), {"4/Tó"});
    onNextModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    nev = QStringLiteral("előző");
    QCOMPARE(TorzsValaszt(db(), TorzsTerulet(), 4, true, nev), -1);
    QCOMPARE(nev, QStringLiteral("előző"));

    // A double click accepts in selection mode; the first form gives the key.
    tolt(TorzsFizmod(), {"3/készpénz", "5/átutalás"});
    onNextModal([](QWidget *w) { duplaKattintas(qobject_cast<Tfrm_Torzs *>(w)->racs(), 1); });
    QCOMPARE(TorzsValaszt(db(), TorzsFizmod(), -1, true), 3);
}

void TstTorzs::karbantartas()
{
    tolt(TorzsTipus(), {"1/Szoba"});
    bool elfogadRejtve = false;
    QWidget *fokusz = nullptr;
    QString szerkesztoNyilt;
    onNextModal([&](QWidget *w) {
        auto *lista = qobject_cast<Tfrm_Torzs *>(w);
        elfogadRejtve = !lista->aElfogad()->isVisible() && !lista->aElfogad()->isEnabled();
        // Enter in the search box moves on to the grid.
        QTest::keyClick(lista->kereso(), Qt::Key_Return);
        fokusz = QApplication::focusWidget();
        // A double click edits.
        onNextModal([&](QWidget *sz) {
            szerkesztoNyilt = sz->objectName();
            QTest::keyClick(sz, Qt::Key_Escape);
        });
        duplaKattintas(lista->racs(), 0);
        lista->aBezar()->trigger();
        QVERIFY(fokusz == lista->racs());
    });
    QCOMPARE(TorzsValaszt(db(), TorzsTipus(), -1, false), -1);
    QVERIFY(elfogadRejtve);
    QCOMPARE(szerkesztoNyilt, QStringLiteral("Tfrm_TorzsTipus_Szerkeszt"));
}

void TstTorzs::elutasitottMentes_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<bool>("javit");
    QTest::newRow("típus, javítva") << 0 << true;
    QTest::newRow("terület, Mégsem") << 1 << false;
    QTest::newRow("fizetési mód, javítva") << 2 << true;
}

void TstTorzs::elutasitottMentes()
{
    QFETCH(int, t);
    QFETCH(bool, javit);
    const TorzsLeiras &l = tag(t);
    DobozFelvevo dobozok;
    db().exec(QStringLiteral("CREATE TRIGGER tilt BEFORE INSERT ON %1 WHEN NEW.%2 = 'rossz' "
                             "BEGIN SELECT RAISE(ABORT, 'ez a név tiltott'); END")
                  .arg(l.tabla, l.nevMezo));
    Tfrm_Torzs lista(db(), l);
    megjelenit(&lista);
    bool nyitvaMaradt = false;
    data::State allapot = data::State::Inactive;
    onNextModal([&](QWidget *w) {
        auto *e = elem<QLineEdit>(w, "DBEdit1");
        gepel(e, QStringLiteral("rossz"));
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
        nyitvaMaradt = w->isVisible();
        allapot = lista.tabla()->state();
        if (javit) {
            e->selectAll();
            gepel(e, QStringLiteral("jó"));
            QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
        } else {
            QTest::mouseClick(elem<QPushButton>(w, "btnCancel"), Qt::LeftButton);
        }
    });
    lista.aUj()->trigger();
    QVERIFY(nyitvaMaradt);
    QCOMPARE(allapot, data::State::Insert);
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY2(dobozok.hibak[0].startsWith(QStringLiteral("Hiányos, vagy hibás adatmegadás\r\n")),
             qPrintable(dobozok.hibak[0]));
    QVERIFY2(dobozok.hibak[0].contains(QStringLiteral("ez a név tiltott")), qPrintable(dobozok.hibak[0]));
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
    QCOMPARE(tarolt(l), javit ? QStringList{QStringLiteral("1/jó")} : QStringList());
}

// ---- the filter dialog --------------------------------------------------------

void TstTorzs::szurKinezet()
{
    Tfrm_Szur d(db());
    QCOMPARE(d.windowTitle(), QStringLiteral("Szűrés"));
    QCOMPARE(d.size(), QSize(283, 159));
    QCOMPARE(d.minimumSize(), d.maximumSize());
    auto *tipus = elem<QCheckBox>(&d, "cbTipus");
    auto *terulet = elem<QCheckBox>(&d, "cbTerulet");
    auto *aktiv = elem<QCheckBox>(&d, "cbAktiv");
    QCOMPARE(QStringList({tipus->text(), terulet->text(), aktiv->text()}),
             QStringList({"Típus", "Terület", "Csak aktív szálláshelyek"}));
    QVERIFY(!tipus->isChecked() && !terulet->isChecked() && aktiv->isChecked());
    QCOMPARE(tipus->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(d.szuroSzoveg(), QStringLiteral("(aktiv='I')"));

    // The tab order, Enter moving on from the check boxes (on a button it
    // presses the button); the read-only name boxes are no stops.
    megjelenit(&d);
    QStringList sorrend;
    tipus->setFocus();
    for (int i = 0; i < 7; ++i) {
        QWidget *f = QApplication::focusWidget();
        sorrend << f->objectName();
        QTest::keyClick(f, qobject_cast<QCheckBox *>(f) ? Qt::Key_Return : Qt::Key_Tab);
    }
    QCOMPARE(sorrend, QStringList({"cbTipus", "btnTipus", "cbTerulet", "btnTerulet", "cbAktiv", "btnSzures",
                                   "btnMegsem"}));
    QVERIFY(elem<QLineEdit>(&d, "edtTipus")->isReadOnly());
    QTest::keyClick(&d, Qt::Key_Escape);
    QCOMPARE(d.result(), int(QDialog::Rejected));
}

void TstTorzs::szurValasztok()
{
    Tfrm_Szur d(db());
    QList<int> kezdoKulcsok;
    QList<int> valaszok{5, -1};
    d.setTipusValaszto([&](int kulcs, QString &nev) {
        kezdoKulcsok << kulcs;
        const int v = valaszok.takeFirst();
        if (v >= 0)
            nev = QStringLiteral("Szoba");
        return v;
    });
    d.setTeruletValaszto([](int, QString &) { return -1; });
    megjelenit(&d);
    QTest::mouseClick(elem<QToolButton>(&d, "btnTipus"), Qt::LeftButton);
    // The pick shows its name, moves on to the active box, ticks nothing.
    QCOMPARE(elem<QLineEdit>(&d, "edtTipus")->text(), QStringLiteral("Szoba"));
    QCOMPARE(QApplication::focusWidget(), elem<QWidget>(&d, "cbAktiv"));
    QCOMPARE(d.szuroSzoveg(), QStringLiteral("(aktiv='I')"));
    // A pick left without accepting keeps the earlier one.
    QTest::mouseClick(elem<QToolButton>(&d, "btnTipus"), Qt::LeftButton);
    QCOMPARE(kezdoKulcsok, QList<int>({0, 5}));
    QCOMPARE(elem<QLineEdit>(&d, "edtTipus")->text(), QStringLiteral("Szoba"));
    // Ticked: the type picked, the area without a pick (key 0).
    elem<QCheckBox>(&d, "cbTipus")->click();
    elem<QCheckBox>(&d, "cbTerulet")->click();
    QTest::mouseClick(elem<QToolButton>(&d, "btnTerulet"), Qt::LeftButton);
    QCOMPARE(d.szuroSzoveg(), QStringLiteral("(terulet=0) and (tipus=5) and (aktiv='I')"));
}

void TstTorzs::szurValodiValaszto()
{
    // The picker of the area opens the area list in selection mode.
    tolt(TorzsTerulet(), {"3/Balaton", "4/Mátra"});
    Tfrm_Szur d(db());
    megjelenit(&d);
    QString lista;
    onNextModal([&](QWidget *w) {
        lista = w->objectName();
        auto *l = qobject_cast<Tfrm_Torzs *>(w);
        gepel(l->kereso(), QStringLiteral("má"));
        QTest::keyClick(l->kereso(), Qt::Key_Return);
    });
    QTest::mouseClick(elem<QToolButton>(&d, "btnTerulet"), Qt::LeftButton);
    QCOMPARE(lista, QStringLiteral("Tfrm_TorzsTerulet"));
    QCOMPARE(elem<QLineEdit>(&d, "edtTerulet")->text(), QStringLiteral("Mátra"));
    elem<QCheckBox>(&d, "cbTerulet")->click();
    elem<QCheckBox>(&d, "cbAktiv")->click();
    QCOMPARE(d.szuroSzoveg(), QStringLiteral("(terulet=4)"));
}

void TstTorzs::foablakSzures()
{
    tolt(TorzsTipus(), {"1/Szoba"});
    db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, terulet, tipus, aktiv) VALUES "
                             "(1, 'A', 2, 1, 'I'), (2, 'B', 2, 1, 'N'), (3, 'C', 3, 1, 'I')"));
    TBeall beall;
    Tfrm_Main ablak(db(), beall);
    QVERIFY(ablak.Indit());

    // A type renamed through the list from the main window: the places show
    // the new name at once.
    onNextModal([](QWidget *w) {
        auto *lista = qobject_cast<Tfrm_Torzs *>(w);
        szerkesztoKitolt(QStringLiteral("Szobák"));
        lista->aSzerkeszt()->trigger();
        lista->aBezar()->trigger();
    });
    ablak.akcio(QStringLiteral("aTorzsTipus"))->trigger();
    QCOMPARE(ablak.Tbl()->asString(QStringLiteral("tipus_nev")), QStringLiteral("Szobák"));
    QAction *szur = ablak.akcio(QStringLiteral("aSzakSzur"));
    QVERIFY(szur->isEnabled());

    // On through the dialog: only the active places.
    onNextModal([](QWidget *w) { QTest::mouseClick(elem<QPushButton>(w, "btnSzures"), Qt::LeftButton); });
    szur->trigger();
    QVERIFY(szur->isChecked());
    QCOMPARE(ablak.Tbl()->filter(), QStringLiteral("(aktiv='I')"));
    QCOMPARE(ablak.panelSzoveg(0), QStringLiteral("2 / 1"));
    // Off at once, without a dialog.
    szur->trigger();
    QVERIFY(!szur->isChecked());
    QVERIFY(!ablak.Tbl()->isFiltered());
    QCOMPARE(ablak.panelSzoveg(0), QStringLiteral("3 / 1"));
    // A fresh dialog each time; Mégsem leaves the filter off.
    bool friss = false;
    onNextModal([&](QWidget *w) {
        friss = elem<QCheckBox>(w, "cbAktiv")->isChecked() && !elem<QCheckBox>(w, "cbTipus")->isChecked();
        elem<QCheckBox>(w, "cbAktiv")->click();
        QTest::mouseClick(elem<QPushButton>(w, "btnMegsem"), Qt::LeftButton);
    });
    szur->trigger();
    QVERIFY(friss);
    QVERIFY(!szur->isChecked());
    QVERIFY(!ablak.Tbl()->isFiltered());
    // No box ticked: every row, yet the switch shows on.
    onNextModal([](QWidget *w) {
        elem<QCheckBox>(w, "cbAktiv")->click();
        QTest::mouseClick(elem<QPushButton>(w, "btnSzures"), Qt::LeftButton);
    });
    szur->trigger();
    QVERIFY(szur->isChecked());
    QCOMPARE(ablak.panelSzoveg(0), QStringLiteral("3 / 1"));
}

QTEST_MAIN(TstTorzs)
#include "tst_torzs.moc"
