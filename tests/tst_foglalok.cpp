// The orderers register: the town lookup by postal code (no windows), and
// the list and the editor driven as a user would, in browse and selection
// mode.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "bookings/foglalolista.h"
#include "common/irszvaros.h"
#include "bookings/tfrm_torzsfoglalo.h"
#include "bookings/tfrm_torzsfoglalo_szerkeszt.h"
#include "common/alkalmazas.h"
#include "common/datagrid.h"
#include "data/database.h"
#include "data/table.h"
#include "testsupport.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QScrollBar>
#include <QWidgetAction>
#include <QtTest>
#include <optional>

using namespace testsupport;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

data::Database &db()
{
    return data::Database::regiszter();
}

// Stores orderers by name; returns their keys in the order given.
QList<int> foglalok(const QStringList &nevek)
{
    data::Table t(db(), QStringLiteral("foglalo"));
    t.open();
    QList<int> kulcsok;
    for (const QString &nev : nevek) {
        t.insert();
        t.setValue(QStringLiteral("foglalo_nev"), nev);
        t.post();
        kulcsok << int(t.asInteger(QStringLiteral("foglalo")));
    }
    t.close();
    return kulcsok;
}

// The stored orderers in key order, each as its fields joined by "|".
QStringList tarolt()
{
    data::Table t(db(), QStringLiteral("foglalo"));
    t.setIndexFieldNames(QStringLiteral("foglalo"));
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next()) {
        QStringList mezok;
        for (const char *m : {"foglalo_nev", "cim_irsz", "cim_varos", "cim_cim", "mobil", "telefon", "emil",
                              "megjegyzes"})
            mezok << t.asString(QLatin1String(m));
        out << mezok.join(QLatin1Char('|'));
    }
    t.close();
    return out;
}

QLineEdit *mezo(QWidget *w, const char *nev)
{
    auto *e = w->findChild<QLineEdit *>(QLatin1String(nev));
    if (!e)
        qWarning("no %s", nev);
    return e;
}

QPushButton *gomb(QWidget *w, const char *nev)
{
    return w->findChild<QPushButton *>(QLatin1String(nev));
}

void megjelenit(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

void duplaKattintas(DataGrid *racs, int sor)
{
    QWidget *ablak = racs->window();
    const QPoint hely = racs->visualRect(racs->model()->index(sor, 0)).center();
    QTest::mouseDClick(ablak->windowHandle(), Qt::LeftButton, Qt::NoModifier, racs->viewport()->mapTo(ablak, hely));
}

// The visible entries of a tool bar or menu: object names, "-" for a
// separator, "Edit1" for the search box.
QStringList latszo(const QList<QAction *> &akciok)
{
    QStringList out;
    for (QAction *a : akciok) {
        if (!a->isVisible())
            continue;
        if (auto *wa = qobject_cast<QWidgetAction *>(a))
            out << wa->defaultWidget()->objectName();
        else
            out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    }
    return out;
}

QString nev(const Tfrm_TorzsFoglalo &lista)
{
    return lista.tabla()->asString(QStringLiteral("foglalo_nev"));
}

}  // namespace

class TstFoglalok : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_reg.reset(new OpenRegister);
    }
    void cleanup() { m_reg.reset(); }

    // The town lookup, without windows.
    void irszVarosa_data();
    void irszVarosa();
    void cimVarosKitoltBarmelyCimre();

    // The list.
    void listaKinezet();
    void oszlopokKiferek();
    void keresoDoboz_data();
    void keresoDoboz();
    void valasztas();
    void bongeszoModNemFogadEl();
    void foablakMegnyitja();

    // The editor.
    void ujFoglalo();
    void varosIrszbolSzerkesztoben();
    void elutasitottMentes();
    void torlesFoglalasokkal();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

// ---- the town lookup ----------------------------------------------------------

void TstFoglalok::irszVarosa_data()
{
    QTest::addColumn<QString>("irsz");
    QTest::addColumn<QString>("varos");
    QTest::addColumn<QString>("alapVaros");
    QTest::addColumn<std::optional<QString>>("vart");

    const std::optional<QString> semmi;
    const auto ez = [](const char *v) { return std::optional<QString>(QString::fromUtf8(v)); };
    QTest::newRow("empty town") << "8360" << "" << "" << ez("Keszthely");
    QTest::newRow("empty town, default set") << "8360" << "" << "Budapest" << ez("Keszthely");
    QTest::newRow("town equals the default") << "7624" << "Budapest" << "Budapest" << ez("Pécs");
    QTest::newRow("town typed by hand") << "7624" << "Hévíz" << "Budapest" << semmi;
    QTest::newRow("typed, no default") << "7624" << "Hévíz" << "" << semmi;
    QTest::newRow("default differs in case") << "7624" << "budapest" << "Budapest" << semmi;
    QTest::newRow("unknown code") << "0000" << "" << "" << semmi;
    QTest::newRow("part of a code") << "836" << "" << "" << semmi;
    QTest::newRow("code with a space") << "8360 " << "" << "" << semmi;
    QTest::newRow("empty code") << "" << "" << "" << semmi;
    QTest::newRow("letter case counts") << "ab12" << "" << "" << semmi;
    QTest::newRow("letters, exact") << "AB12" << "" << "" << ez("Próbafalu");
    // Stored after "Szár" and "Újbarok", first by Id.
    QTest::newRow("code of several towns") << "2066" << "" << "" << ez("Elsőfalu");
}

void TstFoglalok::irszVarosa()
{
    QFETCH(QString, irsz);
    QFETCH(QString, varos);
    QFETCH(QString, alapVaros);
    QFETCH(std::optional<QString>, vart);
    db().exec(QStringLiteral("INSERT INTO irsz (Id, irsz, varos) VALUES (90001, 'AB12', 'Próbafalu'), "
                             "(-1, '2066', 'Elsőfalu')"));

    QCOMPARE(IrszVarosa(db(), irsz, varos, alapVaros), vart);
}

void TstFoglalok::cimVarosKitoltBarmelyCimre()
{
    // The place's mailing address takes the same rule through its own fields.
    data::Table t(db(), QStringLiteral("ugyfel"));
    t.open();
    t.insert();
    t.setValue(QStringLiteral("cim_varos"), QStringLiteral("Eger"));
    t.setValue(QStringLiteral("lev_irsz"), QStringLiteral("2000"));
    QVERIFY(CimVarosKitolt(t, QStringLiteral("lev_irsz"), QStringLiteral("lev_varos"), QString()));
    QCOMPARE(t.asString(QStringLiteral("lev_varos")), QStringLiteral("Szentendre"));
    QCOMPARE(t.asString(QStringLiteral("cim_varos")), QStringLiteral("Eger"));
    // Once there, the town is the user's and a new code leaves it.
    t.setValue(QStringLiteral("lev_irsz"), QStringLiteral("8360"));
    QVERIFY(!CimVarosKitolt(t, QStringLiteral("lev_irsz"), QStringLiteral("lev_varos"), QString()));
    QCOMPARE(t.asString(QStringLiteral("lev_varos")), QStringLiteral("Szentendre"));
    t.cancel();
}

// ---- the list ---------------------------------------------------------------

void TstFoglalok::listaKinezet()
{
    foglalok({u"Zoltán"_qs, u"Ábel"_qs, u"Csaba"_qs, u"Cecil"_qs});
    Tfrm_TorzsFoglalo lista(db(), QString());
    QCOMPARE(lista.windowTitle(), u"Szállás keresők"_qs);
    QCOMPARE(lista.size(), QSize(712, 410));
    QStringList feliratok;
    for (QAction *a : {lista.aUj(), lista.aSzerkeszt(), lista.aTorol(), lista.aKeres(), lista.aElfogad(), lista.aBezar()})
        feliratok << a->text() + QLatin1Char('/') + a->shortcut().toString();
    QCOMPARE(feliratok, QStringList({u"Új sor/Ins"_qs, u"Szerkeszt/F2"_qs, u"Sor törlése/Ctrl+Del"_qs,
                                     u"Kereső/Ctrl+F"_qs, u"Elfogad/Return"_qs, u"Bezár/Esc"_qs}));

    // "Elfogad" on the tool bar and in the menu in selection mode only.
    const auto darabok = [](const char *s) { return QString::fromUtf8(s).split(QLatin1Char(' ')); };
    QCOMPARE(latszo(lista.eszkoztar()->actions()), darabok("Edit1 - aKeres - aUj aSzerkeszt aTorol - aBezar"));
    QCOMPARE(latszo(lista.racs()->actions()), darabok("aUj aSzerkeszt aTorol - aKeres - aBezar"));
    lista.setValasztoMod(true);
    QCOMPARE(latszo(lista.eszkoztar()->actions()),
             darabok("Edit1 - aKeres - aUj aSzerkeszt aTorol - aElfogad aBezar"));
    QCOMPARE(latszo(lista.racs()->actions()), darabok("aUj aSzerkeszt aTorol - aKeres - aElfogad aBezar"));
    lista.setValasztoMod(false);

    // Shown: the columns, the orderers in key order, the focus in the box.
    megjelenit(&lista);
    QAbstractItemModel *m = lista.racs()->model();
    QStringList cimek, nevek;
    for (int c = 0; c < m->columnCount(); ++c)
        cimek << m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    for (int r = 0; r < m->rowCount(); ++r)
        nevek << m->index(r, 0).data().toString();
    QCOMPARE(cimek, darabok("név irsz. város cím mobil telefon e-mail"));
    QCOMPARE(nevek, QStringList({u"Zoltán"_qs, u"Ábel"_qs, u"Csaba"_qs, u"Cecil"_qs}));
    QLineEdit *kereso = lista.keresoMezo();
    QTRY_COMPARE(QApplication::focusWidget(), kereso);

    // Ctrl+F comes back to the box, which selects its text; Ctrl+Del in the
    // box deletes the row, not a word.
    gepel(kereso, QStringLiteral("cs"));
    lista.racs()->setFocus();
    QTest::keyClick(lista.racs(), Qt::Key_F, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::focusWidget(), kereso);
    QTRY_COMPARE(kereso->selectedText(), QStringLiteral("cs"));
    DobozFelvevo dobozok;
    dobozok.valaszok << true;
    QTest::keyClick(kereso, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(kereso->text(), QStringLiteral("cs"));
    QCOMPARE(nevek.size() - 1, m->rowCount());
    QVERIFY(!tarolt().join(QString()).contains(u"Csaba"_qs));
}

void TstFoglalok::oszlopokKiferek()
{
    // Enough rows for the vertical scroll bar: the columns still fit the
    // width, and a whole phone number fits its column.
    QStringList nevek;
    for (int i = 0; i < 40; ++i)
        nevek << QStringLiteral("Vendég %1").arg(i);
    foglalok(nevek);
    Tfrm_TorzsFoglalo lista(db(), QString());
    megjelenit(&lista);
    DataGrid *racs = lista.racs();
    QTRY_VERIFY(racs->verticalScrollBar()->isVisible());
    QCOMPARE(racs->horizontalScrollBar()->maximum(), 0);
    const int szam = racs->fontMetrics().horizontalAdvance(QStringLiteral("+36 30 123 4567"));
    QVERIFY(racs->columnWidth(4) > szam && racs->columnWidth(5) > szam);
    QVERIFY(racs->columnWidth(6) > 0);
}

void TstFoglalok::keresoDoboz_data()
{
    QTest::addColumn<QString>("gepelt");
    QTest::addColumn<QString>("vart");

    // The list starts on "Abonyi"; the first match in key order wins (the
    // orderers are stored in the order keresoDoboz gives them, not by name);
    // a prefix that no name has leaves the row.
    QTest::newRow("first letters") << "ab" << "Abonyi";
    QTest::newRow("accents count") << "áb" << "Ábel";
    QTest::newRow("upper case typed") << "ÁB" << "Ábel";
    QTest::newRow("lower case typed, capital stored") << "cs" << "Csabai Péter";
    QTest::newRow("c: the first c in key order") << "c" << "Csabai Péter";
    QTest::newRow("ö apart from o") << "ö" << "Öröm";
    QTest::newRow("o") << "o" << "Oszkár";
    QTest::newRow("no match") << "x" << "Abonyi";
    QTest::newRow("match, then no match") << "csq" << "Csabai Péter";
}

void TstFoglalok::keresoDoboz()
{
    QFETCH(QString, gepelt);
    QFETCH(QString, vart);
    foglalok({u"Oszkár"_qs, u"Öröm"_qs, u"Csabai Péter"_qs, u"Csaba"_qs, u"Cecil"_qs, u"Ábel"_qs, u"Abonyi"_qs});
    Tfrm_TorzsFoglalo lista(db(), QString());
    megjelenit(&lista);
    lista.tabla()->locate(QStringLiteral("foglalo_nev"), QStringLiteral("Abonyi"));
    gepel(lista.keresoMezo(), gepelt);
    QCOMPARE(nev(lista), vart);
    QCOMPARE(lista.racs()->currentIndex().row(), lista.tabla()->currentRow());
}

void TstFoglalok::valasztas()
{
    // Runs the register in selection mode, doing `tesz` in it.
    const auto fut = [](int kezdoKulcs, std::function<void(Tfrm_TorzsFoglalo *)> tesz) {
        onNextModal([tesz](QWidget *w) { tesz(static_cast<Tfrm_TorzsFoglalo *>(w)); });
        return FoglaloLista(db(), QString(), kezdoKulcs, true);
    };
    const auto enter = [](Tfrm_TorzsFoglalo *l) { QTest::keyClick(l->racs(), Qt::Key_Return); };
    // An empty register hands back 0.
    QCOMPARE(fut(-1, enter), 0);

    const QList<int> kulcs = foglalok({u"Kiss Anna"_qs, u"Nagy Béla"_qs, u"Tóth Csilla"_qs});
    // The first letters and Enter in the search box; a double click.
    QCOMPARE(fut(-1, [](Tfrm_TorzsFoglalo *l) {
                 gepel(l->keresoMezo(), QStringLiteral("NA"));
                 QTest::keyClick(l->keresoMezo(), Qt::Key_Return);
             }), kulcs[1]);
    QCOMPARE(fut(-1, [](Tfrm_TorzsFoglalo *l) { duplaKattintas(l->racs(), 2); }), kulcs[2]);
    // Opened on the key given; on the first by name when no orderer has it.
    QCOMPARE(fut(kulcs[2], enter), kulcs[2]);
    QCOMPARE(fut(kulcs[2] + 100, enter), kulcs[0]);
    // Esc and the close button accept nothing.
    QCOMPARE(fut(kulcs[2], [](Tfrm_TorzsFoglalo *l) { QTest::keyClick(l->racs(), Qt::Key_Escape); }), -1);
    QCOMPARE(fut(kulcs[2], [](Tfrm_TorzsFoglalo *l) { l->close(); }), -1);
}

void TstFoglalok::bongeszoModNemFogadEl()
{
    foglalok({u"Kiss Anna"_qs});
    int szerkesztve = 0;
    onNextModal([&szerkesztve](QWidget *w) {
        auto *lista = static_cast<Tfrm_TorzsFoglalo *>(w);
        QVERIFY(!lista->aElfogad()->isEnabled());
        // Enter in the box goes to the grid, a double click edits, and not
        // even a direct trigger of "Elfogad" closes the list.
        QTest::keyClick(lista->keresoMezo(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), lista->racs());
        onNextModal([&szerkesztve](QWidget *szerk) {
            szerkesztve += qobject_cast<Tfrm_TorzsFoglalo_Szerkeszt *>(szerk) != nullptr;
            static_cast<QDialog *>(szerk)->reject();
        });
        duplaKattintas(lista->racs(), 0);
        lista->aElfogad()->trigger();
        QVERIFY(lista->isVisible());
        lista->aBezar()->trigger();
    });
    QCOMPARE(FoglaloLista(db(), QString(), -1, false), -1);
    QCOMPARE(szerkesztve, 1);
}

void TstFoglalok::foablakMegnyitja()
{
    TBeall beall;
    Tfrm_Main foablak(db(), beall);
    QAction *a = foablak.akcio(QStringLiteral("aTorzsMegrendelo"));
    QVERIFY(a && a->isEnabled());
    bool lattuk = false;
    onNextModal([&lattuk](QWidget *w) {
        auto *lista = qobject_cast<Tfrm_TorzsFoglalo *>(w);
        lattuk = lista && !lista->valasztoMod() && lista->tabla()->isOpen();
        static_cast<QDialog *>(w)->reject();
    });
    a->trigger();
    QVERIFY(lattuk);
}

// ---- the editor -------------------------------------------------------------

void TstFoglalok::ujFoglalo()
{
    DobozFelvevo dobozok;
    Tfrm_TorzsFoglalo lista(db(), QString());
    megjelenit(&lista);
    data::State allapot = data::State::Inactive;
    onNextModal([&](QWidget *w) {
        allapot = lista.tabla()->state();
        QCOMPARE(w->windowTitle(), u"Szállás kereső"_qs);
        QCOMPARE(w->size(), QSize(368, 264));
        auto *lapok = w->findChild<QTabWidget *>();
        QCOMPARE(lapok->tabText(0) + QLatin1Char('/') + lapok->tabText(1), u"Általános adatok/Megjegyzés"_qs);
        // From the name on, Enter moves along the boxes in their order.
        const QPair<const char *, QString> beirt[] = {
            {"DBEdit1", u"Szűcs Ödön"_qs}, {"DBEdit2", u"8360"_qs},          {"DBEdit3", QString()},
            {"DBEdit4", u"Fő utca 1."_qs}, {"DBEdit5", u"+36 30 111 2222"_qs}, {"DBEdit6", u"06 83 123 456"_qs},
            {"DBEdit7", u"odon@pelda.hu"_qs},
        };
        for (const auto &b : beirt) {
            QCOMPARE(w->focusWidget(), mezo(w, b.first));
            gepel(mezo(w, b.first), b.second);
            QTest::keyClick(mezo(w, b.first), Qt::Key_Return);
        }
        QCOMPARE(w->focusWidget(), gomb(w, "btnOK"));
        // In the monospaced memo Enter is a new line.
        lapok->setCurrentIndex(1);
        auto *memo = w->findChild<QPlainTextEdit *>(QStringLiteral("DBMemo1"));
        memo->setFocus();
        gepel(memo, QStringLiteral("csendes"));
        QTest::keyClick(memo, Qt::Key_Return);
        gepel(memo, QStringLiteral("szoba"));
        QCOMPARE(w->focusWidget(), memo);
        QVERIFY(QFontInfo(memo->font()).fixedPitch());
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    QTest::keyClick(lista.racs(), Qt::Key_Insert);
    QCOMPARE(allapot, data::State::Insert);
    QCOMPARE(dobozok.hibak, QStringList());
    // Saved whole, the town from the postal code; the new row is current.
    QCOMPARE(tarolt(), QStringList{u"Szűcs Ödön|8360|Keszthely|Fő utca 1.|+36 30 111 2222|06 83 123 456|"
                                   u"odon@pelda.hu|csendes\nszoba"_qs});
    QCOMPARE(nev(lista), u"Szűcs Ödön"_qs);
}

void TstFoglalok::varosIrszbolSzerkesztoben()
{
    // With a default town: the default and an empty town give way to the
    // postal code's town, a town typed by hand stays.
    foglalok({u"Kiss Anna"_qs});
    Tfrm_TorzsFoglalo lista(db(), QStringLiteral("Budapest"));
    QCOMPARE(lista.alapVaros(), QStringLiteral("Budapest"));
    megjelenit(&lista);
    QStringList varosok;
    onNextModal([&](QWidget *w) {
        QLineEdit *irsz = mezo(w, "DBEdit2");
        QLineEdit *varos = mezo(w, "DBEdit3");
        auto kilep = [&](const QString &kod) {
            irsz->setFocus();
            irsz->selectAll();
            gepel(irsz, kod);
            QTest::keyClick(irsz, Qt::Key_Return);  // leaves the box for the town
            varosok << varos->text();
        };
        kilep(QStringLiteral("8360"));        // empty town: filled
        kilep(QStringLiteral("7624"));        // the code's own town now stands: kept
        varos->selectAll();
        gepel(varos, QStringLiteral("Budapest"));
        kilep(QStringLiteral("7624"));        // the default town: replaced
        varos->selectAll();
        gepel(varos, QStringLiteral("Hévíz"));
        kilep(QStringLiteral("1011"));        // typed by hand: kept
        varos->selectAll();
        QTest::keyClick(varos, Qt::Key_Backspace);
        kilep(QStringLiteral("0000"));        // unknown code: stays empty
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    lista.aSzerkeszt()->trigger();
    QCOMPARE(varosok, QStringList({u"Keszthely"_qs, u"Keszthely"_qs, u"Pécs"_qs, u"Hévíz"_qs, QString()}));
    QCOMPARE(tarolt(), QStringList{u"Kiss Anna|0000||||||"_qs});
}

void TstFoglalok::elutasitottMentes()
{
    db().exec(QStringLiteral("CREATE TRIGGER tilt BEFORE INSERT ON foglalo WHEN NEW.foglalo_nev = 'Tiltott' "
                             "BEGIN SELECT RAISE(ABORT, 'nem menthető'); END"));
    DobozFelvevo dobozok;
    Tfrm_TorzsFoglalo lista(db(), QString());
    megjelenit(&lista);
    onNextModal([&](QWidget *w) {
        gepel(mezo(w, "DBEdit1"), QStringLiteral("Tiltott"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        QCOMPARE(dobozok.hibak.size(), 1);
        QVERIFY2(dobozok.hibak[0].startsWith(u"Hiányos, vagy hibás adatmegadás\r\n"_qs), qPrintable(dobozok.hibak[0]));
        QVERIFY2(dobozok.hibak[0].contains(u"nem menthető"_qs), qPrintable(dobozok.hibak[0]));
        // Open on the unsaved row; corrected, it is saved.
        QVERIFY(w->isVisible());
        QCOMPARE(lista.tabla()->state(), data::State::Insert);
        QCOMPARE(mezo(w, "DBEdit1")->text(), QStringLiteral("Tiltott"));
        gepel(mezo(w, "DBEdit1"), QStringLiteral(" nem"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QCOMPARE(dobozok.hibak.size(), 1);
    QCOMPARE(tarolt(), QStringList{u"Tiltott nem|||||||"_qs});
}

void TstFoglalok::torlesFoglalasokkal()
{
    const QList<int> kulcs = foglalok({u"Kiss Anna"_qs, u"Nagy Béla"_qs});
    db().exec(QStringLiteral("INSERT INTO foglalas (foglalaz, foglalo) VALUES (1, ?)"), {kulcs[0]});
    DobozFelvevo dobozok;
    Tfrm_TorzsFoglalo lista(db(), QString());
    megjelenit(&lista);
    QCOMPARE(nev(lista), u"Kiss Anna"_qs);
    dobozok.valaszok << true;
    QTest::keyClick(lista.racs(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(dobozok.kerdesek, QStringList{u"Valóban töröljem a sort?"_qs});
    QCOMPARE(tarolt(), QStringList{u"Nagy Béla|||||||"_qs});
    // The booking keeps its key and shows no name.
    data::Table foglalas(db(), QStringLiteral("foglalas"));
    foglalas.open();
    QCOMPARE(foglalas.recordCount(), 1);
    QCOMPARE(int(foglalas.asInteger(QStringLiteral("foglalo"))), kulcs[0]);
    QCOMPARE(foglalas.asString(QStringLiteral("foglalo_nev")), QString());
}

int main(int argc, char **argv)
{
    Alkalmazas app(argc, argv);
    useHungarianLocale();
    TstFoglalok tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_foglalok.moc"
