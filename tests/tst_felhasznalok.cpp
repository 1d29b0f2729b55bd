// The user list and the user editor, driven as a user would, and the
// list/editor family's selection mode.

#include "app/tfrm_felhasznalo.h"
#include "app/tfrm_felhasznaloszerkeszt.h"
#include "common/alkalmazas.h"
#include "common/datagrid.h"
#include "common/listaablak.h"
#include "common/szerkesztoablak.h"
#include "data/database.h"
#include "data/table.h"
#include "testsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

using namespace testsupport;

namespace {

// The users stored in the register, in name order, as "name/password".
QStringList tarolt()
{
    data::Table t(data::Database::regiszter(), QStringLiteral("felhasznalo"));
    t.setIndexFieldNames(QStringLiteral("felhasznalo"));
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.asString(QStringLiteral("felhasznalo")) + QLatin1Char('/') + t.asString(QStringLiteral("jelszo"));
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

// Fills the editor as typed by the user; empty texts are left alone.
void kitolt(QWidget *w, const QString &nev, const QString &jelszo, const QString &ujra)
{
    if (!nev.isNull()) {
        mezo(w, "DBEdit1")->selectAll();
        gepel(mezo(w, "DBEdit1"), nev);
    }
    if (!jelszo.isNull()) {
        mezo(w, "DBEdit2")->selectAll();
        gepel(mezo(w, "DBEdit2"), jelszo);
    }
    if (!ujra.isNull())
        gepel(mezo(w, "Edit1"), ujra);
}

// A double click as the windowing system delivers it: press, release,
// press (a double click), release.
void duplaKattintas(QWidget *w, const QPoint &hely)
{
    QWidget *ablak = w->window();
    QTest::mouseDClick(ablak->windowHandle(), Qt::LeftButton, Qt::NoModifier, w->mapTo(ablak, hely));
}

void megjelenit(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// A small list on the place types, to try the selection mode.
class TipusLista : public ListaAblak {
public:
    explicit TipusLista(QWidget *parent = nullptr)
        : ListaAblak(data::Database::regiszter(), parent), tbl(data::Database::regiszter(), QStringLiteral("tipus"))
    {
        tbl.setIndexFieldNames(QStringLiteral("Tipus"));
        beallit(&tbl, {{QStringLiteral("Tipus_nev"), QStringLiteral("típus")}}, QStringLiteral("Tipus"));
    }
    data::Table tbl;
    int szerkesztesek = 0;

protected:
    QDialog *szerkesztoKeszit() override
    {
        ++szerkesztesek;
        return new SzerkesztoAblak(sorok(), this);
    }
};

}  // namespace

class TstFelhasznalok : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_reg.reset(new OpenRegister); }
    void cleanup() { m_reg.reset(); }

    void listaKinezet();
    void szerkesztoKinezet();
    void ujFelhasznalo();
    void ujUresJelszo();
    void ujElteroJelszo();
    void ujMarLetezoNev();
    void meglevoSzerkesztese();
    void megsemVisszavon();
    void torles();
    void escBezar();
    void valasztoMod();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstFelhasznalok::listaKinezet()
{
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    QCOMPARE(lista.windowTitle(), QStringLiteral("Felhasználók adatai"));
    QCOMPARE(lista.size(), QSize(198, 206));
    QCOMPARE(lista.minimumSize(), lista.maximumSize());
    QVERIFY(!lista.tabla()->isOpen());

    struct Akcio {
        QAction *a;
        const char *nev;
        QString felirat;
        QKeySequence billentyu;
    };
    const QList<Akcio> akciok = {
        {lista.aUj(), "aUj", QStringLiteral("Új Felhasználó"), QKeySequence(Qt::Key_Insert)},
        {lista.aSzerkeszt(), "aSzerkeszt", QStringLiteral("Szerkeszt"), QKeySequence(Qt::Key_F2)},
        {lista.aTorol(), "aTorol", QStringLiteral("Töröl"), QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {lista.aBezar(), "aBezar", QStringLiteral("Bezár"), QKeySequence(Qt::Key_Escape)},
    };
    for (const Akcio &a : akciok) {
        QCOMPARE(a.a->objectName(), QLatin1String(a.nev));
        QCOMPARE(a.a->text(), a.felirat);
        QCOMPARE(a.a->shortcut(), a.billentyu);
        QCOMPARE(a.a->property("kategoria").toString(), QStringLiteral("Sorok"));
    }

    // Tool bar and context menu: the first three, a separator, the fourth.
    auto latszo = [](const QList<QAction *> &lista) {
        QStringList out;
        for (QAction *a : lista)
            if (a->isVisible())
                out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return out;
    };
    const QStringList vart = {QStringLiteral("aUj"), QStringLiteral("aSzerkeszt"), QStringLiteral("aTorol"),
                              QStringLiteral("-"), QStringLiteral("aBezar")};
    QCOMPARE(latszo(lista.eszkoztar()->actions()), vart);
    QCOMPARE(latszo(lista.racs()->actions()), vart);
    QCOMPARE(lista.racs()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(!lista.aElfogad()->isVisible());

    // Shown: the table opens, one column "Felhasználó", the grid has the focus.
    megjelenit(&lista);
    QVERIFY(lista.tabla()->isOpen());
    QCOMPARE(lista.racs()->model()->columnCount(), 1);
    QCOMPARE(lista.racs()->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Felhasználó"));
    QCOMPARE(lista.racs()->model()->rowCount(), 1);
    QCOMPARE(lista.racs()->model()->index(0, 0).data().toString(), QStringLiteral("rendszergazda"));
    QCOMPARE(QApplication::focusWidget(), lista.racs());
    QVERIFY(lista.aSzerkeszt()->isEnabled());

    // Closed: the table closes.
    lista.close();
    QVERIFY(!lista.tabla()->isOpen());
}

void TstFelhasznalok::szerkesztoKinezet()
{
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    bool lattuk = false;
    onNextModal([&](QWidget *w) {
        lattuk = true;
        QVERIFY(qobject_cast<Tfrm_FelhasznaloSzerkeszt *>(w));
        QCOMPARE(w->windowTitle(), QStringLiteral("Felhasználó adatainak szerkesztése"));
        QCOMPARE(w->size(), QSize(302, 156));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(mezo(w, "DBEdit2")->echoMode(), QLineEdit::Password);
        QCOMPARE(mezo(w, "Edit1")->echoMode(), QLineEdit::Password);
        QMap<QString, QString> cimkek;
        for (QLabel *l : w->findChildren<QLabel *>())
            if (l->buddy())
                cimkek[l->buddy()->objectName()] = l->text();
        QCOMPARE(cimkek.value(QStringLiteral("DBEdit1")), QStringLiteral("Felhasználó"));
        QCOMPARE(cimkek.value(QStringLiteral("DBEdit2")), QStringLiteral("Jelszó"));
        QCOMPARE(cimkek.value(QStringLiteral("Edit1")), QStringLiteral("Jelszó még egyszer"));

        // The current row is shown; the repetition starts empty; the focus
        // is on the name.
        QCOMPARE(mezo(w, "DBEdit1")->text(), QStringLiteral("rendszergazda"));
        QCOMPARE(mezo(w, "DBEdit2")->text(), QStringLiteral("kapufal"));
        QCOMPARE(mezo(w, "Edit1")->text(), QString());
        QCOMPARE(w->focusWidget(), mezo(w, "DBEdit1"));

        // Tab order, and Enter moves along it; the edit boxes take the
        // focus colour.
        QTest::keyClick(mezo(w, "DBEdit1"), Qt::Key_Return);
        QCOMPARE(w->focusWidget(), mezo(w, "DBEdit2"));
        QTRY_COMPARE(mezo(w, "DBEdit2")->palette().color(QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
        QTest::keyClick(mezo(w, "DBEdit2"), Qt::Key_Return);
        QCOMPARE(w->focusWidget(), mezo(w, "Edit1"));
        QTest::keyClick(mezo(w, "Edit1"), Qt::Key_Return);
        QCOMPARE(w->focusWidget(), gomb(w, "btnOK"));
        QVERIFY(w->isVisible());
        QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
        QCOMPARE(w->focusWidget(), gomb(w, "btnCancel"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    // F2 runs the editor on the current row.
    QTest::keyClick(lista.racs(), Qt::Key_F2);
    QVERIFY(lattuk);
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
}

void TstFelhasznalok::ujFelhasznalo()
{
    DobozFelvevo dobozok;
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    data::State allapot = data::State::Inactive;
    onNextModal([&](QWidget *w) {
        allapot = lista.tabla()->state();
        QCOMPARE(mezo(w, "DBEdit1")->text(), QString());
        kitolt(w, QStringLiteral("kati"), QStringLiteral("Titok1"), QStringLiteral("Titok1"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    // Ins starts a new row and runs the editor.
    QTest::keyClick(lista.racs(), Qt::Key_Insert);
    QCOMPARE(allapot, data::State::Insert);
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
    QCOMPARE(tarolt(), QStringList({QStringLiteral("kati/Titok1"), QStringLiteral("rendszergazda/kapufal")}));
    // The new user is the current row of the list.
    QCOMPARE(lista.tabla()->asString(QStringLiteral("felhasznalo")), QStringLiteral("kati"));
    QCOMPARE(lista.racs()->currentIndex().row(), 0);
    QCOMPARE(lista.racs()->model()->rowCount(), 2);

    // The password is cut to its 10 characters as typed.
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("béla"), QStringLiteral("0123456789xyz"), QStringLiteral("0123456789xyz"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QCOMPARE(dobozok.hibak, QStringList());
    QVERIFY(tarolt().contains(QStringLiteral("béla/0123456789")));
}

void TstFelhasznalok::ujUresJelszo()
{
    DobozFelvevo dobozok;
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("jancsi"), QString(), QString());
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        QCOMPARE(dobozok.hibak, QStringList{QStringLiteral("Hiányos adat megadás")});
        // The editor stays open on the new row.
        QVERIFY(w->isVisible());
        QCOMPARE(lista.tabla()->state(), data::State::Insert);
        // Even a matching (empty) repetition does not make an empty password.
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        QCOMPARE(dobozok.hibak.size(), 2);
        QTest::mouseClick(gomb(w, "btnCancel"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
    QCOMPARE(tarolt(), QStringList{QStringLiteral("rendszergazda/kapufal")});
}

void TstFelhasznalok::ujElteroJelszo()
{
    DobozFelvevo dobozok;
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("juli"), QStringLiteral("Alma"), QStringLiteral("alma"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        QCOMPARE(dobozok.hibak, QStringList{QStringLiteral("Hibás jelszó megadás")});
        QVERIFY(w->isVisible());
        QCOMPARE(tarolt().size(), 1);
        // Typed again correctly, it is saved.
        mezo(w, "Edit1")->clear();
        gepel(mezo(w, "Edit1"), QStringLiteral("Alma"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QCOMPARE(dobozok.hibak.size(), 1);
    QCOMPARE(tarolt(), QStringList({QStringLiteral("juli/Alma"), QStringLiteral("rendszergazda/kapufal")}));
}

void TstFelhasznalok::ujMarLetezoNev()
{
    DobozFelvevo dobozok;
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("rendszergazda"), QStringLiteral("masik"), QStringLiteral("masik"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        // The table refuses the duplicate: the editor's own message, the
        // editor open, the row still being inserted.
        QCOMPARE(dobozok.hibak, QStringList{QStringLiteral("Hiányos adat megadás")});
        QVERIFY(w->isVisible());
        QCOMPARE(lista.tabla()->state(), data::State::Insert);
        QCOMPARE(lista.tabla()->asString(QStringLiteral("felhasznalo")), QStringLiteral("rendszergazda"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    lista.aUj()->trigger();
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
    QCOMPARE(tarolt(), QStringList{QStringLiteral("rendszergazda/kapufal")});
    QCOMPARE(lista.racs()->model()->rowCount(), 1);

    // A different letter case is a different name.
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("Rendszergazda"), QStringLiteral("masik"), QStringLiteral("masik"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QCOMPARE(tarolt().size(), 2);
}

void TstFelhasznalok::meglevoSzerkesztese()
{
    DobozFelvevo dobozok;
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    data::State allapot = data::State::Inactive;
    onNextModal([&](QWidget *w) {
        allapot = lista.tabla()->state();
        // Only the name changes, yet the password is asked again.
        kitolt(w, QStringLiteral("admin"), QString(), QString());
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
        QCOMPARE(dobozok.hibak, QStringList{QStringLiteral("Hibás jelszó megadás")});
        QVERIFY(w->isVisible());
        gepel(mezo(w, "Edit1"), QStringLiteral("kapufal"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    // A double click on the row edits it.
    DataGrid *racs = lista.racs();
    duplaKattintas(racs->viewport(), racs->visualRect(racs->model()->index(0, 0)).center());
    QCOMPARE(allapot, data::State::Edit);
    QCOMPARE(tarolt(), QStringList{QStringLiteral("admin/kapufal")});
    QCOMPARE(racs->model()->index(0, 0).data().toString(), QStringLiteral("admin"));

    // Enter on the grid edits too; the repetition starts empty every time.
    bool ures = false;
    onNextModal([&](QWidget *w) {
        ures = mezo(w, "Edit1")->text().isEmpty() && mezo(w, "DBEdit1")->text() == QStringLiteral("admin");
        mezo(w, "DBEdit2")->selectAll();
        gepel(mezo(w, "DBEdit2"), QStringLiteral("uj"));
        gepel(mezo(w, "Edit1"), QStringLiteral("uj"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    QTest::keyClick(racs, Qt::Key_Return);
    QVERIFY(ures);
    QCOMPARE(tarolt(), QStringList{QStringLiteral("admin/uj")});
}

void TstFelhasznalok::megsemVisszavon()
{
    DobozFelvevo dobozok;
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("valaki"), QStringLiteral("x"), QStringLiteral("x"));
        QTest::mouseClick(gomb(w, "btnCancel"), Qt::LeftButton);
    });
    lista.aSzerkeszt()->trigger();
    QCOMPARE(lista.tabla()->state(), data::State::Browse);
    QCOMPARE(lista.tabla()->asString(QStringLiteral("felhasznalo")), QStringLiteral("rendszergazda"));
    QCOMPARE(tarolt(), QStringList{QStringLiteral("rendszergazda/kapufal")});

    // The window's close button works like Mégsem.
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("valaki"), QStringLiteral("x"), QStringLiteral("x"));
        w->close();
    });
    lista.aUj()->trigger();
    QCOMPARE(tarolt(), QStringList{QStringLiteral("rendszergazda/kapufal")});
    QVERIFY(dobozok.hibak.isEmpty());
}

void TstFelhasznalok::torles()
{
    DobozFelvevo dobozok;
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    onNextModal([&](QWidget *w) {
        kitolt(w, QStringLiteral("kati"), QStringLiteral("k"), QStringLiteral("k"));
        QTest::mouseClick(gomb(w, "btnOK"), Qt::LeftButton);
    });
    lista.aUj()->trigger();
    QCOMPARE(tarolt().size(), 2);
    QCOMPARE(lista.tabla()->asString(QStringLiteral("felhasznalo")), QStringLiteral("kati"));

    // "Nem": nothing happens.
    dobozok.valaszok << false;
    megjelenit(&lista);
    QTest::keyClick(lista.racs(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(dobozok.kerdesek, QStringList{QStringLiteral("Valóban töröljem a sort?")});
    QCOMPARE(dobozok.kerdesCimek, QStringList{QStringLiteral("Megerősítés")});
    QCOMPARE(tarolt().size(), 2);

    // "Igen": the current row goes.
    dobozok.valaszok << true;
    lista.aTorol()->trigger();
    QCOMPARE(tarolt(), QStringList{QStringLiteral("rendszergazda/kapufal")});
    QCOMPARE(lista.racs()->model()->rowCount(), 1);

    // Even the last user can be deleted; then there is nothing to delete or edit.
    dobozok.valaszok << true;
    lista.aTorol()->trigger();
    QCOMPARE(tarolt(), QStringList());
    QVERIFY(!lista.aTorol()->isEnabled());
    QVERIFY(!lista.aSzerkeszt()->isEnabled());
    lista.aTorol()->trigger();
    QCOMPARE(dobozok.kerdesek.size(), 3);
    QVERIFY(lista.aUj()->isEnabled());
}

void TstFelhasznalok::escBezar()
{
    Tfrm_Felhasznalo lista(data::Database::regiszter());
    megjelenit(&lista);
    QTest::keyClick(lista.racs(), Qt::Key_Escape);
    QVERIFY(!lista.isVisible());
    QCOMPARE(lista.result(), int(QDialog::Rejected));
    QVERIFY(!lista.tabla()->isOpen());

    // The list can be shown again and reopens its table.
    megjelenit(&lista);
    QVERIFY(lista.tabla()->isOpen());
    lista.aBezar()->trigger();
    QVERIFY(!lista.isVisible());
}

void TstFelhasznalok::valasztoMod()
{
    {
        data::Table t(data::Database::regiszter(), QStringLiteral("tipus"));
        t.open();
        for (int kulcs : {3, 7, 12}) {
            t.insert();
            t.setValue(QStringLiteral("Tipus"), kulcs);
            t.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("típus %1").arg(kulcs));
            t.post();
        }
        t.close();
    }
    TipusLista lista;
    QVERIFY(!lista.aElfogad()->isVisible());
    QCOMPARE(lista.aElfogad()->objectName(), QStringLiteral("aElfogad"));
    QCOMPARE(lista.aElfogad()->shortcut(), QKeySequence(Qt::Key_Return));

    // Enter accepts the current row.
    onNextModal([&](QWidget *w) {
        QCOMPARE(w, static_cast<QWidget *>(&lista));
        QVERIFY(lista.aElfogad()->isVisible());
        QVERIFY(lista.aElfogad()->isEnabled());
        QTest::keyClick(lista.racs(), Qt::Key_Down);
        QTest::keyClick(lista.racs(), Qt::Key_Return);
    });
    QCOMPARE(lista.valaszt(), 7);
    QCOMPARE(lista.valasztottKulcs(), 7);
    QCOMPARE(lista.szerkesztesek, 0);
    QVERIFY(!lista.tbl.isOpen());

    // Esc accepts nothing.
    onNextModal([&](QWidget *) { QTest::keyClick(lista.racs(), Qt::Key_Escape); });
    QCOMPARE(lista.valaszt(), -1);
    QCOMPARE(lista.valasztottKulcs(), -1);

    // A double click accepts the row clicked.
    onNextModal([&](QWidget *) {
        DataGrid *racs = lista.racs();
        duplaKattintas(racs->viewport(), racs->visualRect(racs->model()->index(2, 0)).center());
    });
    QCOMPARE(lista.valaszt(), 12);
    QCOMPARE(lista.szerkesztesek, 0);

    // F2 still edits in selection mode; outside it a double click edits and
    // "Elfogad" is gone.
    onNextModal([&](QWidget *) {
        onNextModal([](QWidget *szerk) { static_cast<QDialog *>(szerk)->reject(); });
        QTest::keyClick(lista.racs(), Qt::Key_F2);
        QCOMPARE(lista.szerkesztesek, 1);
        QVERIFY(lista.isVisible());
        lista.aBezar()->trigger();
    });
    QCOMPARE(lista.valaszt(), -1);

    lista.setValasztoMod(false);
    QVERIFY(!lista.aElfogad()->isVisible());
    megjelenit(&lista);
    QVERIFY(!lista.aElfogad()->isEnabled());
    onNextModal([](QWidget *szerk) { static_cast<QDialog *>(szerk)->reject(); });
    DataGrid *racs = lista.racs();
    duplaKattintas(racs->viewport(), racs->visualRect(racs->model()->index(0, 0)).center());
    QCOMPARE(lista.szerkesztesek, 2);
    QVERIFY(lista.isVisible());
    lista.close();

    // Opened on a given key; the accepted row's name comes with its key.
    onNextModal([&](QWidget *) { QTest::keyClick(lista.racs(), Qt::Key_Return); });
    QCOMPARE(lista.valaszt(12), 12);
    QCOMPARE(lista.valasztottErtek(QStringLiteral("tipus_nev")).toString(), QStringLiteral("típus 12"));
    // Accepting an empty list hands back the empty key 0 and no name.
    lista.tbl.setFilter(QStringLiteral("Tipus=99"));
    lista.tbl.setFiltered(true);
    onNextModal([&](QWidget *) { QTest::keyClick(lista.racs(), Qt::Key_Return); });
    QCOMPARE(lista.valaszt(3), 0);
    QCOMPARE(lista.valasztottErtek(QStringLiteral("Tipus_nev")).toString(), QString());
}

int main(int argc, char **argv)
{
    Alkalmazas app(argc, argv);
    useHungarianLocale();
    TstFelhasznalok tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_felhasznalok.moc"
