// The help menu of the main window: the targets handed to the desktop, the
// important-information window, the about box, the delivered help pages and
// documentation; and the free SQL window opened from the main window.

#include "app/beallitasok.h"
#include "app/tfrm_main.h"
#include "app/tfrm_nevjegy.h"
#include "app/tfrm_readme.h"
#include "common/alkalmazas.h"
#include "common/kulsomegnyit.h"
#include "common/programmappa.h"
#include "data/database.h"
#include "data/table.h"
#include "testsupport.h"
#include "tools/sqlszerkeszto.h"
#include "tools/tfrm_sql.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QtTest>

using namespace testsupport;

class TstSugo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init() { m_inditott.clear(); }

    void celok_data();
    void celok();
    void f1BarholAFokusz();
    void fontosSzoveg();
    void fontosAblak();
    void nevjegy();
    void sugoOldalakAProgramMellett();
    void sqlParancsUtanFrissulALista();

private:
    QAction *akcio(const char *nev) { return m_ablak->akcio(QLatin1String(nev)); }

    std::unique_ptr<OpenRegister> m_reg;
    std::unique_ptr<DobozFelvevo> m_dobozok;
    TBeall m_beall;
    std::unique_ptr<Tfrm_Main> m_ablak;
    QStringList m_inditott;
};

void TstSugo::initTestCase()
{
    m_reg = std::make_unique<OpenRegister>();
    m_dobozok = std::make_unique<DobozFelvevo>();
    setProgramMappa(m_reg->folder().root());
    data::Database::regiszter().exec(
        QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, aktiv) VALUES (1, 'Almás', 'I'), (2, 'Bükkös', 'I')"));
    setKulsoIndito([this](const QString &cel) { m_inditott << cel; });
    m_beall.Sorrend = QStringLiteral("sorszam");
    m_ablak = std::make_unique<Tfrm_Main>(data::Database::regiszter(), m_beall);
    QVERIFY(m_ablak->Indit());
}

void TstSugo::cleanupTestCase()
{
    m_ablak.reset();
    setKulsoIndito({});
    m_dobozok.reset();
    m_reg.reset();
}

void TstSugo::celok_data()
{
    const QString mappa = m_reg->folder().root();
    QTest::addColumn<QString>("akcio");
    QTest::addColumn<QString>("cel");
    QTest::newRow("súgó") << "aSugo" << mappa + QStringLiteral("/Help/index.htm");
    QTest::newRow("dokumentáció") << "aDoksi" << mappa + QStringLiteral("/Doc/Nyugvár.pdf");
    QTest::newRow("levél") << "aLevel" << QStringLiteral("mailto:tervoda@tervoda.hu?subject=Nyugvár program");
    QTest::newRow("honlap") << "aHonlap" << QStringLiteral("https://www.tervoda.hu");
    QTest::newRow("újdonságok") << "aFrisseny" << mappa + QStringLiteral("/Frisseny.exe");
}

void TstSugo::celok()
{
    QFETCH(QString, akcio);
    QFETCH(QString, cel);
    QAction *a = m_ablak->akcio(akcio);
    QVERIFY(a->isEnabled());
    a->trigger();
    QCOMPARE(m_inditott, QStringList{cel});
    // The targets are left to the desktop: a missing file is no message here.
    QVERIFY(m_dobozok->hibak.isEmpty());
    QVERIFY(m_dobozok->uzenetek.isEmpty());
}

void TstSugo::f1BarholAFokusz()
{
    m_ablak->show();
    QApplication::setActiveWindow(m_ablak.get());
    QVERIFY(QTest::qWaitForWindowActive(m_ablak.get()));
    QCOMPARE(akcio("aSugo")->shortcut(), QKeySequence(Qt::Key_F1));
    auto *kereso = m_ablak->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    QVERIFY(kereso);
    QWidget *racs = m_ablak->findChild<QWidget *>(QStringLiteral("DBGrid1"));
    QVERIFY(racs);
    for (QWidget *w : {static_cast<QWidget *>(kereso), racs}) {
        m_inditott.clear();
        w->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(m_inditott, QStringList{m_reg->folder().root() + QStringLiteral("/Help/index.htm")});
    }
}

void TstSugo::fontosSzoveg()
{
    Tfrm_Readme ablak;
    const QStringList sorok = ablak.szoveg()->toPlainText().split(QLatin1Char('\n'));
    QVERIFY(sorok.size() > 20);
    // The heading between two lines of hyphens.
    QVERIFY(sorok[0].size() > 10 && sorok[0].count(QLatin1Char('-')) == sorok[0].size());
    QCOMPARE(sorok[1].trimmed(), QStringLiteral("Fontos információk"));
    QCOMPARE(sorok[2], sorok[0]);
    // Then the login, in this order.
    const int kodok = sorok.indexOf(QStringLiteral("A program belépési kódjai alapértelmezésben"));
    QVERIFY(kodok > 2);
    QVERIFY(sorok[kodok + 1].contains(QStringLiteral("\"rendszergazda\"")));
    QVERIFY(sorok[kodok + 2].contains(QStringLiteral("\"kapufal\"")));
    const int betuk =
        sorok.indexOf(QStringLiteral("A felhasználó, és jelszó megadásánál a kis, és nagybetű különbsége fontos."));
    QVERIFY(betuk > kodok + 2);
    // The needs come after: no network, nothing more to install, copies side by side.
    const QString igeny = sorok.mid(betuk + 1).join(QLatin1Char(' '));
    for (const char *resz : {"Debian 12", "Qt 6", "hálózatban nem használható", "mást nem kell telepíteni",
                             "saját", "mappába", "két cég"})
        QVERIFY2(igeny.contains(QString::fromUtf8(resz)), resz);
}

void TstSugo::fontosAblak()
{
    // Each opening makes a window of its own, shown modally, gone afterwards.
    for (int i = 0; i < 2; ++i) {
        QPointer<QWidget> megnyitott;
        bool latott = false;
        onNextModal([&](QWidget *w) {
            megnyitott = w;
            latott = true;
            // Closed also when a check below fails, so the test goes on.
            const auto zaras = qScopeGuard([w] { w->close(); });
            auto *ablak = qobject_cast<Tfrm_Readme *>(w);
            QVERIFY(ablak);
            QCOMPARE(ablak->windowTitle(), QStringLiteral("Fontos információk"));
            QCOMPARE(ablak->size(), QSize(552, 399));
            QVERIFY(ablak->minimumSize() != ablak->maximumSize());
            QPlainTextEdit *t = ablak->szoveg();
            QVERIFY(t->isReadOnly());
            QCOMPARE(t->palette().color(QPalette::Base), QColor(0xFF, 0xFB, 0xF0));
            QVERIFY(QFontInfo(t->font()).fixedPitch());
            QCOMPARE(t->frameShape(), QFrame::NoFrame);
            QCOMPARE(t->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        });
        akcio("aFontos")->trigger();
        QVERIFY(latott && megnyitott.isNull());
    }
    QCOMPARE(akcio("aFontos")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F1")));
}

void TstSugo::nevjegy()
{
    Tfrm_Nevjegy ablak;
    QCOMPARE(ablak.windowTitle(), QStringLiteral("Névjegy"));
    QCOMPARE(ablak.size(), QSize(319, 343));
    QCOMPARE(ablak.minimumSize(), ablak.maximumSize());
    QCOMPARE(ablak.termekNev()->text(), QStringLiteral("Nyugvár"));
    QCOMPARE(ablak.verzio()->text(), QStringLiteral("V1.2.0.67"));
    for (QLabel *l : {ablak.termekNev(), ablak.verzio()}) {
        QVERIFY(l->font().bold());
        QVERIFY(l->alignment() & Qt::AlignRight);
        QCOMPARE(l->parentWidget()->palette().color(QPalette::Window), QColor(0xC0, 0xDC, 0xC0));
    }
    for (const char *resz : {"Tervoda", "GPL-3.0-or-later", "www.tervoda.hu"})
        QVERIFY2(ablak.keszito()->text().contains(QLatin1String(resz)), resz);
    QCOMPARE(ablak.ok()->text(), QStringLiteral("OK"));
    QVERIFY(ablak.ok()->isDefault());

    // From the main window: Enter on the default button closes the box.
    QPointer<QWidget> megnyitott;
    bool latott = false;
    onNextModal([&](QWidget *w) {
        megnyitott = w;
        latott = qobject_cast<Tfrm_Nevjegy *>(w) != nullptr;
        QTest::keyClick(w, Qt::Key_Return);
    });
    akcio("aNevjegy")->trigger();
    // The box closed and was destroyed.
    QVERIFY(latott && megnyitott.isNull());
    QCOMPARE(akcio("aNevjegy")->shortcut(), QKeySequence(QStringLiteral("Alt+F1")));
}

void TstSugo::sugoOldalakAProgramMellett()
{
    // The build puts the help page and the documentation made from it there.
    const QString bin = QStringLiteral(NYUGVAR_BIN_DIR);
    QFile oldal(bin + QStringLiteral("/Help/index.htm"));
    QVERIFY(oldal.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(oldal.readAll());
    QVERIFY(html.contains(QStringLiteral("charset=\"utf-8\"")) || html.contains(QStringLiteral("charset=utf-8")));
    for (const char *cim : {"Szálláshely szerkesztése", "Foglalások", "Szabad lekérdezés", "Archiválás"})
        QVERIFY2(html.contains(QString::fromUtf8(cim)), cim);

    const QString pdf = bin + QStringLiteral("/Doc/Nyugvár.pdf");
    QVERIFY2(QFileInfo(pdf).size() > 10000, qPrintable(pdf));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForStarted())
        QSKIP("pdftotext is not installed");
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QString szoveg = QString::fromUtf8(p.readAllStandardOutput());
    for (const char *resz : {"felhasználói útmutató", "Szálláshely szerkesztése", "előleg", "összeget", "időszakot"})
        QVERIFY2(szoveg.contains(QString::fromUtf8(resz)), resz);
}

void TstSugo::sqlParancsUtanFrissulALista()
{
    data::Table *tbl = m_ablak->Tbl();
    tbl->first();
    QCOMPARE(tbl->asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Almás"));
    QVERIFY(akcio("aSQL")->isEnabled());
    onNextModal([&](QWidget *w) {
        const auto zaras = qScopeGuard([w] { w->close(); });
        auto *sql = qobject_cast<Tfrm_SQL *>(w);
        QVERIFY(sql);
        sql->szerkeszto()->setText(QStringLiteral("UPDATE ugyfel SET ugyfel_nev = 'Almáskert' WHERE sorszam = 1"));
        sql->akcio(QStringLiteral("aFuttat"))->trigger();
    });
    akcio("aSQL")->trigger();
    QCOMPARE(m_dobozok->uzenetek.value(0), QStringLiteral("SQL futtatás kész."));
    // The main list shows the change as soon as the window has closed.
    tbl->first();
    QCOMPARE(tbl->asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Almáskert"));
}

int main(int argc, char **argv)
{
    Alkalmazas app(argc, argv);
    useHungarianLocale();
    TstSugo tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_sugo.moc"
