// The booking list and the booking editor as the user meets them: columns,
// formats, actions and menus; the editor's defaults, tab order, Enter, the
// computations on leaving a control, refused numbers; F4 of the main window.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "bookings/foglalassorok.h"
#include "bookings/tfrm_foglal.h"
#include "bookings/tfrm_torzsfoglalo.h"
#include "bookings/tfrm_foglal_szerkeszt.h"
#include "common/datagrid.h"
#include "common/gridmodel.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using data::Database;
using data::State;
using namespace testsupport;

namespace {

Database &db()
{
    return Database::regiszter();
}

void sql(const QString &statement, const QVariantList &params = {})
{
    db().exec(statement, params);
}

QString helyOsszegek()
{
    data::Query q(db());
    q.setSql(QStringLiteral("SELECT ossz_dij, ossz_jut FROM ugyfel WHERE ugyfel = 7"));
    q.open();
    return q.asString(QStringLiteral("ossz_dij")) + QLatin1Char('/') + q.asString(QStringLiteral("ossz_jut"));
}

template <typename T = QWidget>
T *elem(QWidget *w, const char *nev)
{
    T *e = w->findChild<T *>(QLatin1String(nev));
    if (!e)
        qWarning("no %s", nev);
    return e;
}

QLineEdit *mezo(QWidget *w, const char *nev)
{
    return elem<QLineEdit>(w, nev);
}

// Closes a modal window when a check inside its handler has failed, so the
// test ends instead of waiting.
struct Bezaro {
    QWidget *w;
    ~Bezaro()
    {
        if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
            d->reject();
    }
};

void megjelenit(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

QString akcioSor(const QList<QAction *> &akciok)
{
    QStringList out;
    for (QAction *a : akciok)
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return out.join(QLatin1Char(' '));
}

// Place 7 "Napfény" (12.5 %, totals 100 000 / 12 500) as the main window's
// current place, three of its bookings out of number order, one booking of
// another place, two orderers and two payment methods.
struct Kornyezet {
    data::Table helyek{db(), QStringLiteral("ugyfel")};
    data::Query qryJav{db()};
    Kornyezet()
    {
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, jutalek, ossz_dij, ossz_jut) "
                           "VALUES (7, 1, 'Napfény', 12.5, 100000, 12500), (8, 2, 'Holdfény', 10, 0, 0)"));
        sql(QStringLiteral("INSERT INTO foglalo (foglalo, foglalo_nev) VALUES (4, 'Kiss Anna'), (5, 'Nagy Péter')"));
        sql(QStringLiteral("INSERT INTO fizmod (fizmod, fizmod_nev) VALUES (1, 'készpénz'), (2, 'átutalás')"));
        helyek.setIndexFieldNames(QStringLiteral("sorszam"));
        helyek.open();
    }
    void foglalasok()
    {
        sql(QStringLiteral(
            "INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol, dat_ig, nap, foglalo, letszam_felnott, "
            "letszam_gyerek, fizmod, jutalek, ossz_dij, ossz_jut, ar_fogl, ar_helyszin, megjegyzes) VALUES "
            "(1, 12, 7, '2026-08-01', '2026-08-05', 4, 5, 3, 1, 2, 12.5, 40000, 1234, 0, 0, 'Erkély'),"
            "(2, 3, 8, '2026-07-01', '2026-07-02', 1, 4, 1, 0, 1, 10, 9000, 900, 0, 9000, NULL),"
            "(3, 5, 7, '2026-06-10', '2026-06-12', 2, 4, 2, 0, 1, 12.5, 1234567.4, 154320.925, 20000, 1214567.4, NULL),"
            "(4, 9, 7, NULL, NULL, NULL, 4, 1, 0, NULL, 10, NULL, NULL, NULL, NULL, NULL)"));
    }
};

// The booking list of place 7, shown; the orderer picker chooses 4.
struct Lista {
    Tfrm_Foglal ablak;
    explicit Lista(Kornyezet &k) : ablak(db(), k.helyek, k.qryJav)
    {
        ablak.setFoglaloValaszto([] { return 4; });
        ablak.nyit(7);
        megjelenit(&ablak);
    }
};

}  // namespace

class TstFoglalasAblak : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useHungarianLocale(); }
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void listaKinezet();
    void szerkesztoUjFoglalas();
    void kilepesSzamitas_data();
    void kilepesSzamitas();
    void elutasitottMentesAblakban();
    void ureDatumMa();
    void figyelmeztetes();
    void foablakF4();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstFoglalasAblak::listaKinezet()
{
    DobozFelvevo dobozok;
    Kornyezet k;
    k.foglalasok();
    Lista l(k);
    Tfrm_Foglal &w = l.ablak;
    QCOMPARE(w.helyNev(), QStringLiteral("Napfény"));
    QCOMPARE(w.tabla()->filter(), QStringLiteral("ugyfel=7"));

    // The place's own bookings in creation order, with their formats.
    data::DataSetModel *m = w.racs()->dataModel();
    QStringList cimek;
    for (int c = 0; c < m->columnCount(); ++c)
        cimek << m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QCOMPARE(cimek, (QStringList{"sorszám", "tól", "ig", "éj", "ügyfél", "felnőtt", "gyermek", "fiz.mód", "jutalék%",
                                 "össz.díj", "össz.jut"}));
    QCOMPARE(m->rowCount(), 3);
    auto sor = [m](int r) {
        QStringList out;
        for (int c = 0; c < m->columnCount(); ++c)
            out << m->data(m->index(r, c)).toString();
        return out.join(QLatin1Char('|'));
    };
    QCOMPARE(sor(0), QStringLiteral("00012|2026.08.01.|2026.08.05.|4|Nagy Péter|3|1|átutalás|12,50%|40 000|1 234"));
    QCOMPARE(sor(1), QStringLiteral("00005|2026.06.10.|2026.06.12.|2|Kiss Anna|2|0|készpénz|12,50%|1 234 567|154 321"));
    QCOMPARE(sor(2), QStringLiteral("00009||||Kiss Anna|1|0||10,00%||"));
    // Every column is wide enough for its title, and all fit the window.
    int szeles = w.racs()->verticalHeader()->width();
    for (int c = 0; c < m->columnCount(); ++c) {
        QVERIFY2(w.racs()->columnWidth(c) > w.racs()->horizontalHeader()->fontMetrics().horizontalAdvance(cimek[c]),
                 qPrintable(cimek[c]));
        szeles += w.racs()->columnWidth(c);
    }
    QVERIFY2(szeles <= w.racs()->width(), qPrintable(QString::number(szeles)));

    // The detail panel follows the current row.
    QCOMPARE(elem<QLabel>(&w, "lbl_foglalaz")->text(), QStringLiteral("00012"));
    QCOMPARE(elem<QLabel>(&w, "lbl_dat_ig")->text(), QStringLiteral("2026.08.05."));
    QCOMPARE(elem<QPlainTextEdit>(&w, "DBMemo1")->toPlainText(), QStringLiteral("Erkély"));
    w.tabla()->next();
    QCOMPARE(elem<QLabel>(&w, "lbl_ar_helyszin")->text(), QStringLiteral("1 214 567"));
    QCOMPARE(elem<QLabel>(&w, "lbl_fizmod_nev")->text(), QStringLiteral("készpénz"));
    QCOMPARE(elem<QPlainTextEdit>(&w, "DBMemo1")->toPlainText(), QString());

    // The reports and the export, shortcuts as the list's own.
    const std::pair<const char *, QKeySequence> riportok[] = {
        {"aNyomtat", QKeySequence(Qt::CTRL | Qt::Key_P)},      {"aNyomtatKep", QKeySequence(Qt::CTRL | Qt::Key_K)},
        {"aExcelbe", QKeySequence(Qt::CTRL | Qt::Key_E)},      {"aNyomHtml", QKeySequence(Qt::CTRL | Qt::Key_H)},
        {"aVisszaigazol", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_P)}};
    for (const auto &[nev, billentyu] : riportok) {
        const QAction *a = w.findChild<QAction *>(QLatin1String(nev));
        QVERIFY2(a && a->isEnabled(), nev);
        QCOMPARE(a->shortcut(), billentyu);
    }
    QCOMPARE(akcioSor(w.eszkoztar()->actions()), QStringLiteral("aUj aSzerkeszt aTorol - aNyomtat aVisszaigazol - aBezar"));
    auto *nyomtat = qobject_cast<QToolButton *>(w.eszkoztar()->widgetForAction(w.findChild<QAction *>("aNyomtat")));
    QVERIFY(nyomtat && nyomtat->menu());
    QCOMPARE(akcioSor(nyomtat->menu()->actions()), QStringLiteral("aNyomtat aNyomtatKep aExcelbe aNyomHtml"));
    QCOMPARE(akcioSor(w.racs()->actions()), QStringLiteral("aUj aSzerkeszt aTorol - aNyomtat aNyomtatKep aExcelbe "
                                                           "aNyomHtml - aVisszaigazol - aBezar"));
    // Bezár closes with OK.
    w.aBezar()->trigger();
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(dobozok.hibak, QStringList());
}

void TstFoglalasAblak::szerkesztoUjFoglalas()
{
    // The worked example: a new booking of 40 000 at 12.5 % with 10 000
    // deposit, typed from top to bottom with Enter; then its fee edited.
    DobozFelvevo dobozok;
    Kornyezet k;
    Lista l(k);
    const QDate ma = QDate::currentDate();
    bool lattuk = false;
    onNextModal([&](QWidget *w) {
        const Bezaro bezaro{w};
        megjelenit(w);
        lattuk = qobject_cast<Tfrm_Foglal_Szerkeszt *>(w) != nullptr;
        auto *lapok = elem<QTabWidget>(w, "PageControl1");
        // The defaults; the number and the orderer are read-only, out of the
        // tab order.
        auto *tol = elem<QDateEdit>(w, "DateTimePicker1");
        auto *ig = elem<QDateEdit>(w, "DateTimePicker2");
        QCOMPARE(w->focusWidget(), tol);
        QCOMPARE(tol->date(), ma);
        QCOMPARE(ig->date(), ma);
        QCOMPARE(mezo(w, "DBEdit1")->text(), QStringLiteral("00001"));
        QCOMPARE(mezo(w, "DBEdit2")->text(), QStringLiteral("Kiss Anna"));
        QCOMPARE(mezo(w, "DBEdit3")->text(), QStringLiteral("1"));
        QCOMPARE(mezo(w, "DBEdit4")->text(), QStringLiteral("1"));
        QCOMPARE(mezo(w, "DBEdit5")->text(), QStringLiteral("0"));
        QCOMPARE(mezo(w, "DBEdit6")->text(), QStringLiteral("12,5"));
        QCOMPARE(elem<QComboBox>(w, "DBLookupComboBox1")->currentIndex(), -1);

        // Enter walks the tab order and never closes; the pickers count
        // the nights.
        ig->setDate(ma.addDays(3));
        const char *sorrend[] = {"DateTimePicker2", "DBEdit3", "DBEdit4", "DBEdit5", "DBLookupComboBox1", "DBEdit6",
                                 "DBEdit7", "DBEdit8", "DBEdit9", "DBEdit10", "btnOK"};
        QTest::keyClick(tol, Qt::Key_Return);
        for (const char *nev : sorrend) {
            QCOMPARE(w->focusWidget()->objectName(), QLatin1String(nev));
            if (qstrcmp(nev, "DBEdit7") == 0)
                gepel(w->focusWidget(), QStringLiteral("40000"));
            if (qstrcmp(nev, "DBEdit9") == 0)
                gepel(w->focusWidget(), QStringLiteral("10000"));
            if (qstrcmp(nev, "DBEdit10") == 0) {
                QCOMPARE(mezo(w, "DBEdit3")->text(), QStringLiteral("3"));
                QCOMPARE(mezo(w, "DBEdit8")->text(), QStringLiteral("5000"));
                QCOMPARE(mezo(w, "DBEdit10")->text(), QStringLiteral("30000"));
            }
            if (qstrcmp(nev, "btnOK") != 0)
                QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        }
        QVERIFY(w->isVisible());
        // Esc does nothing; the memo takes Enter as a new line.
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(w->isVisible());
        lapok->setCurrentIndex(1);
        auto *memo = elem<QPlainTextEdit>(w, "DBMemo1");
        memo->setFocus();
        gepel(memo, QStringLiteral("a"));
        QTest::keyClick(memo, Qt::Key_Return);
        gepel(memo, QStringLiteral("b"));
        QCOMPARE(w->focusWidget(), memo);
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
    });
    QTest::keyClick(l.ablak.racs(), Qt::Key_Insert);
    QVERIFY(lattuk);
    QCOMPARE(dobozok.hibak, QStringList());
    data::Table *t = l.ablak.tabla();
    QCOMPARE(t->state(), State::Browse);
    QCOMPARE(t->recordCount(), 1);
    QCOMPARE(t->asDate(QStringLiteral("dat_ig")), ma.addDays(3));
    QCOMPARE(t->asString(QStringLiteral("megjegyzes")), QStringLiteral("a\nb"));
    QCOMPARE(t->asFloat(QStringLiteral("ar_helyszin")), 30000.0);
    QCOMPARE(helyOsszegek(), QStringLiteral("140000/17500"));
    QCOMPARE(k.helyek.asFloat(QStringLiteral("ossz_jut")), 17500.0);

    // Editing the fee to 48 000 makes the totals 148 000 / 18 500.
    onNextModal([&](QWidget *w) {
        const Bezaro bezaro{w};
        megjelenit(w);
        QCOMPARE(mezo(w, "DBEdit1")->text(), QStringLiteral("00001"));
        QLineEdit *dij = mezo(w, "DBEdit7");
        dij->setFocus();
        dij->selectAll();
        gepel(dij, QStringLiteral("48000"));
        QTest::keyClick(dij, Qt::Key_Tab);
        QCOMPARE(mezo(w, "DBEdit8")->text(), QStringLiteral("6000"));
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
        lattuk = true;
    });
    lattuk = false;
    megjelenit(&l.ablak);
    QTest::keyClick(l.ablak.racs(), Qt::Key_F2);
    QVERIFY(lattuk);
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(helyOsszegek(), QStringLiteral("148000/18500"));
}

void TstFoglalasAblak::kilepesSzamitas_data()
{
    QTest::addColumn<QString>("vezerlo");  // the control left with Tab
    QTest::addColumn<QString>("beiras");   // typed into it first (a date for a picker)
    QTest::addColumn<QString>("cel");      // the control that shows the result
    QTest::addColumn<QString>("vart");
    QTest::addColumn<QString>("hiba");     // the message of a refused number
    // The booking: 2026.08.01-05, 4 nights, fee 40 000 at 12.5 %, a hand-typed
    // commission of 1 234, no deposit, nothing on site.
    QTest::newRow("ig: 1st to 8th") << "DateTimePicker2" << "2026-08-08" << "DBEdit3" << "7" << "";
    QTest::newRow("ig before tól") << "DateTimePicker2" << "2026-07-30" << "DBEdit3" << "-2" << "";
    QTest::newRow("ig left unchanged") << "DateTimePicker2" << "" << "DBEdit3" << "4" << "";
    QTest::newRow("only tól changed") << "DateTimePicker1" << "2026-08-03" << "DBEdit3" << "4" << "";
    QTest::newRow("fee passed: typed commission replaced") << "DBEdit7" << "" << "DBEdit8" << "5000" << "";
    QTest::newRow("fee 33 333") << "DBEdit7" << "33333" << "DBEdit8" << "4166,625" << "";
    QTest::newRow("fee emptied") << "DBEdit7" << "\b" << "DBEdit8" << "0" << "";
    QTest::newRow("rate alone changes nothing") << "DBEdit6" << "10" << "DBEdit8" << "1234" << "";
    QTest::newRow("deposit") << "DBEdit9" << "10000" << "DBEdit10" << "30000" << "";
    QTest::newRow("commission left") << "DBEdit8" << "99" << "DBEdit10" << "0" << "";
    QTest::newRow("fee grouped") << "DBEdit7" << "25 000" << "DBEdit8" << "3125" << "";
    QTest::newRow("fee grouped wrong") << "DBEdit7" << "25 00" << "DBEdit8" << "1234"
                                       << "'25 00' nem érvényes szám (össz.díj mező).";
    QTest::newRow("adults: a space inside") << "DBEdit4" << "3 0" << "DBEdit4" << "3 0"
                                            << "'3 0' nem érvényes egész szám (felnőtt mező).";
    QTest::newRow("deposit a lone sign") << "DBEdit9" << "-" << "DBEdit10" << "0"
                                         << "'-' nem érvényes szám (előleg mező).";
    QTest::newRow("nights: a lone sign") << "DBEdit3" << "-" << "DBEdit3" << "-" << "'-' nem érvényes egész szám (éjszaka mező).";
    QTest::newRow("nights: a letter refused") << "DBEdit3" << "x" << "DBEdit3" << "4" << "";
}

void TstFoglalasAblak::kilepesSzamitas()
{
    QFETCH(QString, vezerlo);
    QFETCH(QString, beiras);
    QFETCH(QString, cel);
    QFETCH(QString, vart);
    QFETCH(QString, hiba);
    DobozFelvevo dobozok;
    Kornyezet k;
    k.foglalasok();
    Lista l(k);
    bool lattuk = false;
    double mentett = -1;
    onNextModal([&](QWidget *w) {
        const Bezaro bezaro{w};
        megjelenit(w);
        lattuk = true;
        QWidget *v = elem(w, qPrintable(vezerlo));
        v->setFocus(Qt::OtherFocusReason);
        QCOMPARE(w->focusWidget(), v);
        if (auto *d = qobject_cast<QDateEdit *>(v)) {
            if (!beiras.isEmpty())
                d->setDate(QDate::fromString(beiras, Qt::ISODate));
        } else if (!beiras.isEmpty()) {
            auto *e = static_cast<QLineEdit *>(v);
            e->selectAll();
            if (beiras == QLatin1String("\b"))
                QTest::keyClick(e, Qt::Key_Backspace);
            else
                gepel(e, beiras);
        }
        QTest::keyClick(v, Qt::Key_Tab);
        QTest::qWait(20);  // a refused number is told once the focus settles
        QCOMPARE(mezo(w, qPrintable(cel))->text(), vart);
        if (!hiba.isEmpty()) {
            // The focus stays, and OK refuses to save the text too.
            QCOMPARE(dobozok.hibak, QStringList{hiba});
            QCOMPARE(w->focusWidget(), v);
            QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
            QTest::qWait(20);
            QVERIFY(w->isVisible());
            QCOMPARE(dobozok.hibak, (QStringList{hiba, hiba}));
            QCOMPARE(w->focusWidget(), v);
            QTest::mouseClick(elem<QPushButton>(w, "btnCancel"), Qt::LeftButton);
        } else {
            QCOMPARE(dobozok.hibak, QStringList());
            // OK leaves the control that has the focus too: what is shown
            // then is what is saved.
            QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
            mentett = QLocale().toDouble(mezo(w, qPrintable(cel))->text());
        }
    });
    QTest::keyClick(l.ablak.racs(), Qt::Key_F2);
    QVERIFY(lattuk);
    QCOMPARE(l.ablak.tabla()->state(), State::Browse);
    if (hiba.isEmpty()) {
        // Saved as shown; the totals moved by the commission's difference.
        const QString mezoNev = cel == QLatin1String("DBEdit3") ? QStringLiteral("nap")
                                : cel == QLatin1String("DBEdit8") ? QStringLiteral("ossz_jut")
                                                                  : QStringLiteral("ar_helyszin");
        QCOMPARE(l.ablak.tabla()->asFloat(mezoNev), mentett);
        const double jut = l.ablak.tabla()->asFloat(QStringLiteral("ossz_jut"));
        QCOMPARE(k.helyek.asFloat(QStringLiteral("ossz_jut")), jut + 12500 - 1234);
    } else {
        QCOMPARE(helyOsszegek(), QStringLiteral("100000/12500"));
        QCOMPARE(l.ablak.tabla()->asFloat(QStringLiteral("ossz_jut")), 1234.0);
    }
}

void TstFoglalasAblak::figyelmeztetes()
{
    // Booking 00012 (3 adults, 1 child) of a place that sleeps 3, moved onto
    // the nights of 00005: both warnings show, and OK saves all the same.
    DobozFelvevo dobozok;
    Kornyezet k;
    k.foglalasok();
    sql(QStringLiteral("UPDATE ugyfel SET letszam = 3 WHERE ugyfel = 7"));
    k.helyek.refresh();
    Lista l(k);
    const QString tobb = QStringLiteral("A létszám (4) több, mint a szálláshely férőhelye (3).");
    bool lattuk = false;
    onNextModal([&](QWidget *w) {
        const Bezaro bezaro{w};
        megjelenit(w);
        auto *figy = elem<QLabel>(w, "lblFigyelmeztetes");
        QVERIFY(figy);
        QCOMPARE(figy->text(), tobb);
        QVERIFY(figy->isVisible());
        auto *tol = elem<QDateEdit>(w, "DateTimePicker1");
        tol->setFocus(Qt::OtherFocusReason);
        tol->setDate(QDate(2026, 6, 11));
        QTest::keyClick(tol, Qt::Key_Tab);
        QCOMPARE(figy->text(), QStringLiteral("Átfedés: a 00005. foglalás (2026.06.10. – 2026.06.12.).\n") + tobb);
        // The label sits under the fields, inside the page.
        const QWidget *helyszinen = mezo(w, "DBEdit10");
        QVERIFY(figy->mapTo(w, QPoint(0, 0)).y() >= helyszinen->mapTo(w, QPoint(0, helyszinen->height())).y());
        QVERIFY(figy->geometry().bottom() <= figy->parentWidget()->height());
        QVERIFY2(figy->heightForWidth(figy->width()) <= figy->height(), "both lines are shown whole");
        // Back to one guest fewer: the capacity line goes.
        QLineEdit *felnott = mezo(w, "DBEdit4");
        felnott->setFocus(Qt::OtherFocusReason);
        felnott->selectAll();
        gepel(felnott, QStringLiteral("2"));
        QTest::keyClick(felnott, Qt::Key_Tab);
        QVERIFY(!figy->text().contains(QStringLiteral("létszám")));
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
        lattuk = !w->isVisible();
    });
    QTest::keyClick(l.ablak.racs(), Qt::Key_F2);
    QVERIFY(lattuk);
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(l.ablak.tabla()->state(), State::Browse);
    QCOMPARE(l.ablak.tabla()->asDate(QStringLiteral("dat_tol")), QDate(2026, 6, 11));
    QCOMPARE(l.ablak.tabla()->asInteger(QStringLiteral("letszam_felnott")), 2);
}

void TstFoglalasAblak::elutasitottMentesAblakban()
{
    // The engine refuses the place row: the editor stays open with what was
    // typed, the list and the main window's place show the saved rows; the
    // second OK saves both, once.
    DobozFelvevo dobozok;
    Kornyezet k;
    k.foglalasok();
    Lista l(k);
    sql(QStringLiteral("CREATE TEMP TRIGGER tilt BEFORE UPDATE ON ugyfel BEGIN SELECT RAISE(ABORT, 'A sor zárolva.'); END"));
    QStringList lepesek;
    onNextModal([&](QWidget *w) {
        const Bezaro bezaro{w};
        megjelenit(w);
        QLineEdit *dij = mezo(w, "DBEdit7");
        dij->setFocus();
        dij->selectAll();
        gepel(dij, QStringLiteral("48000"));
        QTest::keyClick(dij, Qt::Key_Tab);
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
        lepesek << QStringLiteral("%1 %2 %3 %4").arg(w->isVisible()).arg(dij->text(), mezo(w, "DBEdit8")->text(),
                                                     helyOsszegek());
        sql(QStringLiteral("DROP TRIGGER tilt"));
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
        lepesek << QStringLiteral("%1").arg(w->isVisible());
    });
    QTest::keyClick(l.ablak.racs(), Qt::Key_F2);
    QCOMPARE(lepesek, (QStringList{"1 48000 6000 100000/12500", "0"}));
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY2(dobozok.hibak[0].contains(QStringLiteral("zárolva")), qPrintable(dobozok.hibak[0]));
    QCOMPARE(helyOsszegek(), QStringLiteral("108000/17266"));
    QCOMPARE(k.helyek.state(), State::Browse);
    QCOMPARE(l.ablak.tabla()->asFloat(QStringLiteral("ossz_dij")), 48000.0);
}

void TstFoglalasAblak::ureDatumMa()
{
    // A booking saved without dates starts both pickers on today; OK
    // writes them.
    DobozFelvevo dobozok;
    Kornyezet k;
    k.foglalasok();
    Lista l(k);
    l.ablak.tabla()->last();
    QDate tol, ig;
    onNextModal([&](QWidget *w) {
        const Bezaro bezaro{w};
        megjelenit(w);
        tol = elem<QDateEdit>(w, "DateTimePicker1")->date();
        ig = elem<QDateEdit>(w, "DateTimePicker2")->date();
        QTest::mouseClick(elem<QPushButton>(w, "btnOK"), Qt::LeftButton);
    });
    QTest::keyClick(l.ablak.racs(), Qt::Key_F2);
    QCOMPARE(tol, QDate::currentDate());
    QCOMPARE(ig, QDate::currentDate());
    QCOMPARE(l.ablak.tabla()->asDate(QStringLiteral("dat_tol")), QDate::currentDate());
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(helyOsszegek(), QStringLiteral("100000/12500"));
}

void TstFoglalasAblak::foablakF4()
{
    // F4 opens the list of the current place; with no place it is disabled.
    DobozFelvevo dobozok;
    TBeall beall;
    Tfrm_Main foablak(db(), beall);
    QVERIFY(foablak.Indit());
    QAction *a = foablak.akcio(QStringLiteral("aFoglalas"));
    QVERIFY(!a->isEnabled());
    {
        Kornyezet k;
        Q_UNUSED(k);
    }
    foablak.Tbl()->refresh();
    QVERIFY(a->isEnabled());
    foablak.Tbl()->last();
    QString nev, szuro;
    onNextModal([&](QWidget *w) {
        const Bezaro bezaro{w};
        megjelenit(w);
        auto *lista = qobject_cast<Tfrm_Foglal *>(w);
        QVERIFY(lista);
        nev = lista->helyNev();
        szuro = lista->tabla()->filter();
        // A new booking starts in the orderers register, in selection mode;
        // leaving it without an orderer creates nothing.
        bool valaszto = false;
        onNextModal([&](QWidget *m) {
            auto *register_ = qobject_cast<Tfrm_TorzsFoglalo *>(m);
            valaszto = register_ && register_->valasztoMod();
            qobject_cast<QDialog *>(m)->reject();
        });
        QTest::keyClick(lista->racs(), Qt::Key_Insert);
        QVERIFY(valaszto);
        QCOMPARE(lista->tabla()->recordCount(), 0);
        lista->aBezar()->trigger();
    });
    a->trigger();
    QCOMPARE(nev, QStringLiteral("Holdfény"));
    QCOMPARE(szuro, QStringLiteral("ugyfel=8"));
    QVERIFY(dobozok.hibak.isEmpty());
}

QTEST_MAIN(TstFoglalasAblak)
#include "tst_foglalasablak.moc"
