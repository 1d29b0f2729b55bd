// The shared window pieces: message boxes and the input dialog, Enter as
// Tab and the focus colour, the mouse wheel, the default error display, the
// shell launcher, the data grid and the next-number function.

#include "app/beallitasok.h"
#include "common/ablak.h"
#include "common/alkalmazas.h"
#include "common/bekerodoboz.h"
#include "common/datagrid.h"
#include "common/dobozok.h"
#include "common/egergorgo.h"
#include "common/kovetkezoazon.h"
#include "common/kulsomegnyit.h"
#include "data/database.h"
#include "data/table.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>
#include <stdexcept>

using namespace testsupport;

namespace {

const QColor kFokusz(0xA6, 0xCA, 0xF0);

QColor alap(const QWidget *w)
{
    return w->palette().color(QPalette::Active, QPalette::Base);
}

// An edit box that keeps the keys and wheel turns it receives.
class Figyelo : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    QList<int> billentyuk;
    int gorgetesek = 0;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        billentyuk << e->key();
        QLineEdit::keyPressEvent(e);
    }
    void wheelEvent(QWheelEvent *e) override
    {
        ++gorgetesek;
        QLineEdit::wheelEvent(e);
    }
};

void aktival(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

void kerek(QWidget *w, int fordulat)
{
    const QPointF hely(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(hely, w->mapToGlobal(hely), QPoint(), QPoint(0, fordulat), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

// A double click as the windowing system delivers it: press, release,
// press (a double click), release.
void duplaKattintas(QWidget *w, const QPoint &hely)
{
    QWidget *ablak = w->window();
    QTest::mouseDClick(ablak->windowHandle(), Qt::LeftButton, Qt::NoModifier, w->mapTo(ablak, hely));
}

void sor(data::Table &t, int kulcs, const QString &nev)
{
    t.insert();
    t.setValue(QStringLiteral("Tipus"), kulcs);
    t.setValue(QStringLiteral("Tipus_nev"), nev);
    t.post();
}

}  // namespace

class TstCommon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { setKulsoIndito({}); }

    void valodiDobozok();
    void szolgaltatasCsere();
    void bekeroElrendezes();
    void bekeroMaszkEsHossz();
    void bekeroGombok();
    void enterMintTab();
    void fokuszSzin();
    void fokuszSzinKivetel();
    void egerGorgo();
    void alapHibaKijelzes();
    void alkalmazasBeallitasok();
    void kulsoCelek();
    void kulsoProgramIndul();
    void adatRacs();
    void kovetkezoAzon();
    void kovetkezoAzonIsmeretlenNev();
};

void TstCommon::valodiDobozok()
{
    // The real boxes: caption, icon and buttons, answered by clicking.
    struct Eset {
        QString cim;
        QMessageBox::Icon ikon;
        QStringList gombok;
    };
    auto vizsgal = [](const Eset &e, const QString &kattint) {
        onNextModal([e, kattint](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY2(box, "no message box");
            QCOMPARE(box->windowTitle(), e.cim);
            QCOMPARE(box->icon(), e.ikon);
            QStringList feliratok;
            QAbstractButton *cel = nullptr;
            for (QAbstractButton *b : box->buttons()) {
                feliratok << b->text();
                if (b->text() == kattint)
                    cel = b;
            }
            feliratok.sort();
            QStringList vart = e.gombok;
            vart.sort();
            QCOMPARE(feliratok, vart);
            QVERIFY(cel);
            cel->click();
        });
    };

    vizsgal({QStringLiteral("Megerősítés"), QMessageBox::Question, {QStringLiteral("Igen"), QStringLiteral("Nem")}},
            QStringLiteral("Igen"));
    QVERIFY(KerdesDoboz(QStringLiteral("Valóban töröljem a sort?"), QStringLiteral("Megerősítés")));
    vizsgal({QStringLiteral("Kérdés"), QMessageBox::Question, {QStringLiteral("Igen"), QStringLiteral("Nem")}},
            QStringLiteral("Nem"));
    QVERIFY(!KerdesDoboz(QStringLiteral("Folytassam?"), QStringLiteral("Kérdés")));

    vizsgal({QStringLiteral("Hiba"), QMessageBox::Critical, {QStringLiteral("OK")}}, QStringLiteral("OK"));
    HibaDoboz(QStringLiteral("Hiányos adat megadás"));
    vizsgal({QStringLiteral("Üzenet"), QMessageBox::Information, {QStringLiteral("OK")}}, QStringLiteral("OK"));
    UzenetDoboz(QStringLiteral("Jelszó változtatás kész."));

    // Sixty faults: the box stays on the screen, with its first lines, a
    // count of the rest and the last line.
    onNextModal([](QWidget *w) {
        QVERIFY(w->height() <= w->screen()->availableGeometry().height());
        QVERIFY(qobject_cast<QMessageBox *>(w)->text().endsWith(QStringLiteral("sor …\r\nutolsó")));
        w->close();
    });
    HibaDoboz(QStringLiteral("sérült sor\r\n").repeated(59) + QStringLiteral("utolsó"));
}

void TstCommon::szolgaltatasCsere()
{
    // An installed service answers every box; removed, the real dialogs return.
    {
        DobozFelvevo felvevo;
        felvevo.valaszok << true;
        felvevo.bekeresek << qMakePair(true, QStringLiteral("uj"));
        QVERIFY(KerdesDoboz(QStringLiteral("Első?"), QStringLiteral("Megerősítés")));
        HibaDoboz(QStringLiteral("h"));
        UzenetDoboz(QStringLiteral("u"));
        QString szoveg = QStringLiteral("regi");
        QVERIFY(BekeroDoboz(QStringLiteral("Jelszó megadása"), QStringLiteral("Add meg"), QString(), szoveg));
        QCOMPARE(szoveg, QStringLiteral("uj"));
        QCOMPARE(felvevo.kerdesek, QStringList{QStringLiteral("Első?")});
        QCOMPARE(felvevo.hibak + felvevo.uzenetek, QStringList({QStringLiteral("h"), QStringLiteral("u")}));
    }
    bool lattuk = false;
    onNextModal([&lattuk](QWidget *w) {
        lattuk = qobject_cast<BekeroAblak *>(w) != nullptr;
        static_cast<QDialog *>(w)->reject();
    });
    QString szoveg = QStringLiteral("x");
    QVERIFY(!BekeroDoboz(QStringLiteral("Cím"), QStringLiteral("Kérdés"), QString(), szoveg));
    QVERIFY(lattuk);
    QCOMPARE(szoveg, QStringLiteral("x"));
}

void TstCommon::bekeroElrendezes()
{
    const QString hosszu = QStringLiteral(
        "Ez egy hosszú kérdés, amelynek több sorba kell tördelődnie, mert a címke szélessége "
        "csak negyvenegy átlagos karakter.");
    BekeroAblak ablak(QStringLiteral("Jelszó megadása"), hosszu, QString(), QString());
    const double x = BekeroAblak::atlagosKarakter(ablak.font());
    const QFontMetricsF fm(ablak.font());
    QCOMPARE(x, fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0);

    QCOMPARE(ablak.width(), qRound(45 * x));
    QCOMPARE(ablak.kerdesCimke()->width(), qRound(41 * x));
    QCOMPARE(ablak.szerkeszto()->width(), qRound(41 * x));
    QCOMPARE(ablak.minimumSize(), ablak.maximumSize());

    // The long prompt wraps into several lines above the edit box, and
    // nothing runs off the window.
    QVERIFY(ablak.kerdesCimke()->wordWrap());
    QVERIFY(ablak.kerdesCimke()->height() > 2 * QFontMetrics(ablak.font()).height() - 1);
    QVERIFY(ablak.szerkeszto()->y() >= ablak.kerdesCimke()->geometry().bottom());
    QVERIFY(ablak.okGomb()->y() > ablak.szerkeszto()->geometry().bottom());
    QVERIFY(ablak.okGomb()->geometry().bottom() < ablak.height());
    QVERIFY(ablak.megsemGomb()->geometry().right() < ablak.width());

    // Centred on the screen.
    const QRect terulet = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint kozep = QRect(ablak.pos(), ablak.size()).center();
    QVERIFY(qAbs(kozep.x() - terulet.center().x()) <= 1);
    QVERIFY(qAbs(kozep.y() - terulet.center().y()) <= 1);

    // A short prompt gives a lower window of the same width.
    BekeroAblak rovid(QStringLiteral("C"), QStringLiteral("Add meg az új jelszót"), QString(), QString());
    QCOMPARE(rovid.width(), ablak.width());
    QVERIFY(rovid.height() < ablak.height());
}

void TstCommon::bekeroMaszkEsHossz()
{
    {
        // No mask: up to 255 characters, shown as typed, the text selected.
        BekeroAblak ablak(QStringLiteral("C"), QStringLiteral("K"), QString(), QStringLiteral("kezdő szöveg"));
        aktival(&ablak);
        QCOMPARE(ablak.szerkeszto()->selectedText(), QStringLiteral("kezdő szöveg"));
        QVERIFY(ablak.szerkeszto()->hasFocus());
        // Typing replaces the selected text.
        gepel(ablak.szerkeszto(), QString(300, QLatin1Char('x')));
        QCOMPARE(ablak.szoveg(), QString(255, QLatin1Char('x')));
    }
    {
        // A mask with stored literals.
        BekeroAblak ablak(QStringLiteral("C"), QStringLiteral("K"), QStringLiteral("00-00;1;_"), QString());
        aktival(&ablak);
        QVERIFY(!ablak.szerkeszto()->inputMask().isEmpty());
        gepel(ablak.szerkeszto(), QStringLiteral("12ab34"));
        QCOMPARE(ablak.szerkeszto()->displayText(), QStringLiteral("12-34"));
        QCOMPARE(ablak.szoveg(), QStringLiteral("12-34"));
    }
    {
        // Literals not stored; the starting text is put into the mask.
        BekeroAblak ablak(QStringLiteral("C"), QStringLiteral("K"), QStringLiteral("00-00;0;_"),
                          QStringLiteral("5678"));
        aktival(&ablak);
        QCOMPARE(ablak.szerkeszto()->displayText(), QStringLiteral("56-78"));
        QCOMPARE(ablak.szoveg(), QStringLiteral("5678"));
    }
}

void TstCommon::bekeroGombok()
{
    // Enter is OK (the default button), Esc is Mégsem.
    setDobozSzolgaltatas(nullptr);
    onNextModal([](QWidget *w) {
        auto *ablak = qobject_cast<BekeroAblak *>(w);
        QVERIFY(ablak);
        gepel(ablak->szerkeszto(), QStringLiteral("titok"));
        QTest::keyClick(ablak->szerkeszto(), Qt::Key_Return);
    });
    QString szoveg = QStringLiteral("régi");
    QVERIFY(BekeroDoboz(QStringLiteral("Jelszó megadása"), QStringLiteral("Add meg az új jelszót"), QString(), szoveg));
    QCOMPARE(szoveg, QStringLiteral("titok"));

    onNextModal([](QWidget *w) {
        gepel(w->focusWidget(), QStringLiteral("mas"));
        QTest::keyClick(w->focusWidget(), Qt::Key_Escape);
    });
    QVERIFY(!BekeroDoboz(QStringLiteral("Megerősítés"), QStringLiteral("Add újra"), QString(), szoveg));
    QCOMPARE(szoveg, QStringLiteral("titok"));
}

void TstCommon::enterMintTab()
{
    QWidget ablak;
    auto *e1 = new QLineEdit(&ablak);
    auto *kombo = new QComboBox(&ablak);
    kombo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    auto *datum = new QDateEdit(&ablak);
    auto *memo = new QPlainTextEdit(&ablak);
    auto *e2 = new QLineEdit(&ablak);
    auto *kiveteles = new QLineEdit(&ablak);
    auto *gomb = new QPushButton(QStringLiteral("OK"), &ablak);
    auto *lay = new QVBoxLayout(&ablak);
    for (QWidget *w : std::initializer_list<QWidget *>{e1, kombo, datum, memo, e2, kiveteles, gomb})
        lay->addWidget(w);
    AblakSzokasok(&ablak);
    AblakSzokasok(&ablak);  // a second call changes nothing
    EnterTabNelkul(kiveteles);
    QSignalSpy kattintas(gomb, &QPushButton::clicked);
    QSignalSpy visszateres(kiveteles, &QLineEdit::returnPressed);
    aktival(&ablak);

    e1->setFocus();
    QTest::keyClick(e1, Qt::Key_Return);
    QVERIFY(kombo->hasFocus());
    QTest::keyClick(kombo, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(datum->hasFocus());
    QTest::keyClick(datum, Qt::Key_Return);
    QVERIFY(memo->hasFocus());

    // In a memo Enter starts a new line.
    gepel(memo, QStringLiteral("egy"));
    QTest::keyClick(memo, Qt::Key_Return);
    gepel(memo, QStringLiteral("kettő"));
    QVERIFY(memo->hasFocus());
    QCOMPARE(memo->toPlainText(), QStringLiteral("egy\nkettő"));
    // Tab leaves it.
    QTest::keyClick(memo, Qt::Key_Tab);
    QVERIFY(e2->hasFocus());

    // The edit box never sees the Enter that moved the focus on.
    QSignalSpy e2Vissza(e2, &QLineEdit::returnPressed);
    e2->setFocus();
    QTest::keyClick(e2, Qt::Key_Return);
    QVERIFY(kiveteles->hasFocus());
    QCOMPARE(e2Vissza.count(), 0);

    // An exempted control keeps its Enter.
    QTest::keyClick(kiveteles, Qt::Key_Return);
    QVERIFY(kiveteles->hasFocus());
    QCOMPARE(visszateres.count(), 1);

    // Enter passes a focused button by; Space presses it.
    gomb->setFocus();
    QTest::keyClick(gomb, Qt::Key_Return);
    QVERIFY(e1->hasFocus() && kattintas.isEmpty());
    QTest::keyClick(gomb, Qt::Key_Space);
    QCOMPARE(kattintas.count(), 1);

    // A window without the conventions keeps Enter in its edit box.
    QWidget masik;
    auto *m1 = new QLineEdit(&masik);
    auto *m2 = new QLineEdit(&masik);
    auto *ml = new QVBoxLayout(&masik);
    ml->addWidget(m1);
    ml->addWidget(m2);
    aktival(&masik);
    m1->setFocus();
    QTest::keyClick(m1, Qt::Key_Return);
    QVERIFY(m1->hasFocus());
}

void TstCommon::fokuszSzin()
{
    QWidget ablak;
    auto *e1 = new QLineEdit(&ablak);
    auto *kombo = new QComboBox(&ablak);
    auto *datum = new QDateEdit(&ablak);
    auto *memo = new QPlainTextEdit(&ablak);
    auto *sajat = new QLineEdit(&ablak);
    QPalette sp = sajat->palette();
    sp.setColor(QPalette::Base, Qt::yellow);
    sajat->setPalette(sp);
    auto *gomb = new QPushButton(QStringLiteral("OK"), &ablak);
    auto *lay = new QVBoxLayout(&ablak);
    for (QWidget *w : std::initializer_list<QWidget *>{e1, kombo, datum, memo, sajat, gomb})
        lay->addWidget(w);
    AblakSzokasok(&ablak);
    aktival(&ablak);
    const QColor normal = ablak.palette().color(QPalette::Active, QPalette::Base);
    QVERIFY(normal != kFokusz);

    for (QWidget *w : std::initializer_list<QWidget *>{e1, kombo, datum, memo}) {
        w->setFocus(Qt::TabFocusReason);
        QVERIFY2(w->hasFocus(), w->metaObject()->className());
        QCOMPARE(alap(w), kFokusz);
        // Drawn flat in the colour, the drop-down list too.
        QCOMPARE(w->grab().toImage().pixelColor(w->width() / 2, 3), kFokusz);
        gomb->setFocus(Qt::TabFocusReason);
        QCOMPARE(alap(w), normal);
    }
    // A control with its own colour gets it back.
    sajat->setFocus(Qt::TabFocusReason);
    QCOMPARE(alap(sajat), kFokusz);
    gomb->setFocus(Qt::MouseFocusReason);
    QCOMPARE(alap(sajat), QColor(Qt::yellow));

    // A control added after the conventions were installed takes part too.
    auto *kesobbi = new QLineEdit(&ablak);
    lay->addWidget(kesobbi);
    kesobbi->show();
    kesobbi->setFocus(Qt::TabFocusReason);
    QCOMPARE(alap(kesobbi), kFokusz);

    // A box that comes in front (a message, a drop-down) does not take the
    // colour away.
    e1->setFocus(Qt::TabFocusReason);
    QFocusEvent ki(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(e1, &ki);
    QCOMPARE(alap(e1), kFokusz);
}

void TstCommon::fokuszSzinKivetel()
{
    QWidget ablak;
    auto *kereso = new QLineEdit(&ablak);
    QPalette p = kereso->palette();
    p.setColor(QPalette::Base, QColor(0xC0, 0xDC, 0xC0));
    kereso->setPalette(p);
    auto *e1 = new QLineEdit(&ablak);
    auto *lay = new QVBoxLayout(&ablak);
    lay->addWidget(kereso);
    lay->addWidget(e1);
    AblakSzokasok(&ablak);
    FokuszSzinNelkul(kereso);
    aktival(&ablak);

    kereso->setFocus(Qt::TabFocusReason);
    QVERIFY(kereso->hasFocus());
    QCOMPARE(alap(kereso), QColor(0xC0, 0xDC, 0xC0));
    e1->setFocus(Qt::TabFocusReason);
    QCOMPARE(alap(kereso), QColor(0xC0, 0xDC, 0xC0));
    QCOMPARE(alap(e1), kFokusz);
}

void TstCommon::egerGorgo()
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    EgerGorgoBillentyuve(*app);
    EgerGorgoBillentyuve(*app);  // installed once only

    QWidget ablak;
    auto *fokuszban = new Figyelo(&ablak);
    auto *alatta = new Figyelo(&ablak);
    auto *lay = new QVBoxLayout(&ablak);
    lay->addWidget(fokuszban);
    lay->addWidget(alatta);
    aktival(&ablak);
    fokuszban->setFocus();

    // Away from the user: Up; towards the user: Down; a zero turn: Down.
    kerek(alatta, 120);
    kerek(alatta, -120);
    kerek(&ablak, 0);
    QCoreApplication::processEvents();
    QCOMPARE(fokuszban->billentyuk, QList<int>({Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}));
    QCOMPARE(alatta->billentyuk, QList<int>());
    QCOMPARE(alatta->gorgetesek, 0);
    QCOMPARE(fokuszban->gorgetesek, 0);

    // In a grid one turn moves the current row by one.
    OpenRegister reg;
    data::Table t(data::Database::regiszter(), QStringLiteral("tipus"));
    t.setIndexFieldNames(QStringLiteral("Tipus"));
    t.open();
    for (int i = 1; i <= 5; ++i)
        sor(t, i, QStringLiteral("típus %1").arg(i));
    t.first();
    DataGrid racs;
    racs.setDataSet(&t, {QStringLiteral("Tipus_nev")});
    racs.resize(300, 200);
    aktival(&racs);
    racs.setFocus();
    kerek(racs.viewport(), -120);
    kerek(racs.viewport(), -120);
    QCoreApplication::processEvents();
    QCOMPARE(t.currentRow(), 2);
    kerek(racs.viewport(), 120);
    QCoreApplication::processEvents();
    QCOMPARE(t.currentRow(), 1);
    t.close();
}

void TstCommon::alapHibaKijelzes()
{
    DobozFelvevo felvevo;
    QWidget ablak;
    auto *hibas = new QPushButton(QStringLiteral("Hibás"), &ablak);
    auto *masik = new QPushButton(QStringLiteral("Másik"), &ablak);
    auto *lay = new QVBoxLayout(&ablak);
    lay->addWidget(hibas);
    lay->addWidget(masik);
    int utana = 0;
    int masikKattintas = 0;
    bool dobjon = true;
    auto muvelet = [&] {
        if (dobjon)
            throw data::DbError(QStringLiteral("Key violation."));
        throw std::runtime_error("Elfogyott a hely");
    };
    QObject::connect(hibas, &QPushButton::clicked, [&] {
        muvelet();
        ++utana;  // the operation stops at the error
    });
    QObject::connect(masik, &QPushButton::clicked, [&] { ++masikKattintas; });
    aktival(&ablak);

    QTest::mouseClick(hibas, Qt::LeftButton);
    QCOMPARE(felvevo.hibak, QStringList{QStringLiteral("Key violation.")});
    dobjon = false;
    QTest::keyClick(hibas, Qt::Key_Space);
    QCOMPARE(felvevo.hibak, QStringList({QStringLiteral("Key violation."), QStringLiteral("Elfogyott a hely")}));
    QCOMPARE(utana, 0);

    // The program goes on.
    QTest::mouseClick(masik, Qt::LeftButton);
    QCOMPARE(masikKattintas, 1);
    QVERIFY(!hibas->isDown());
}

void TstCommon::alkalmazasBeallitasok()
{
    QCOMPARE(QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase), QColor(0xFF, 0xDA, 0xB5));
    QCOMPARE(QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase), QColor(0xFF, 0xDA, 0xB5));
    QCOMPARE(QGuiApplication::applicationName(), QStringLiteral("Nyugvár nyilvántartás"));
    // The list windows' icons are found.
    QVERIFY(!QIcon::fromTheme(QStringLiteral("list-add")).isNull());
}

void TstCommon::kulsoCelek()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    setProgramMappa(dir.path());

    QStringList kapott;
    setKulsoIndito([&kapott](const QString &cel) { kapott << cel; });
    KulsoMegnyit(QStringLiteral("mailto:"));
    KulsoMegnyit(QStringLiteral("mailto:info@tervoda.hu"));
    QCOMPARE(kapott, QStringList({QStringLiteral("mailto:"), QStringLiteral("mailto:info@tervoda.hu")}));

    KulsoCel k = KulsoCelFelbont(QStringLiteral("mailto:info@tervoda.hu"));
    QVERIFY(!k.program);
    QCOMPARE(k.url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(k.url.path(), QStringLiteral("info@tervoda.hu"));
    QCOMPARE(k.mappa, ProgramMappa());

    // A web address typed without its scheme, as the shell takes it.
    k = KulsoCelFelbont(QStringLiteral("www.balaton-szallas.hu"));
    QCOMPARE(k.url.scheme(), QStringLiteral("http"));
    QCOMPARE(k.url.host(), QStringLiteral("www.balaton-szallas.hu"));

    // A document beside the program, given with backslashes and relative to
    // the program folder; documents are opened, not run.
    QDir(dir.path()).mkpath(QStringLiteral("Help"));
    QFile doksi(dir.filePath(QStringLiteral("Help/index.htm")));
    QVERIFY(doksi.open(QIODevice::WriteOnly));
    doksi.write("<html></html>");
    doksi.close();
    k = KulsoCelFelbont(QStringLiteral("Help\\index.htm"));
    QVERIFY(!k.program);
    QVERIFY(k.url.isLocalFile());
    QCOMPARE(QFileInfo(k.url.toLocalFile()).canonicalFilePath(), QFileInfo(doksi).canonicalFilePath());

    // An executable is a program, started in the program folder.
    const QString prog = dir.filePath(QStringLiteral("Frisseny"));
    QFile p(prog);
    QVERIFY(p.open(QIODevice::WriteOnly));
    p.write("#!/bin/sh\nexit 0\n");
    p.close();
    p.setPermissions(p.permissions() | QFileDevice::ExeOwner);
    k = KulsoCelFelbont(prog);
    QVERIFY(k.program);
    QCOMPARE(k.programUtvonal, QFileInfo(prog).absoluteFilePath());
    QCOMPARE(k.mappa, QDir::toNativeSeparators(dir.path()));
    // The same file without the executable permission is a document.
    p.setPermissions(p.permissions() & ~(QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup
                                         | QFileDevice::ExeOther));
    QVERIFY(!KulsoCelFelbont(prog).program);
    setProgramMappa(QString());
}

void TstCommon::kulsoProgramIndul()
{
    // A real program starts on its own in the program folder, and the
    // caller does not wait for it.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    setProgramMappa(dir.path());
    const QString kesz = dir.filePath(QStringLiteral("kesz.txt"));
    const QString prog = dir.filePath(QStringLiteral("Korposta"));
    QFile p(prog);
    QVERIFY(p.open(QIODevice::WriteOnly));
    // It goes on only when the test has made "mehet" (after the call has
    // returned), waiting 10 s at most: a call that waited for it ends with
    // no "kesz.txt".
    p.write("#!/bin/sh\nfor i in $(seq 200); do [ -e mehet ] && break; sleep 0.05; done\n"
            "[ -e mehet ] && pwd > kesz.tmp && mv kesz.tmp kesz.txt\n");
    p.close();
    p.setPermissions(p.permissions() | QFileDevice::ExeOwner);

    KulsoMegnyit(prog);
    QVERIFY(!QFile::exists(kesz));
    QVERIFY(QFile(dir.filePath(QStringLiteral("mehet"))).open(QIODevice::WriteOnly));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(kesz), 10000);
    QFile f(kesz);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QFileInfo(QString::fromLocal8Bit(f.readAll()).trimmed()).canonicalFilePath(),
             QFileInfo(dir.path()).canonicalFilePath());
    setProgramMappa(QString());
}

void TstCommon::adatRacs()
{
    OpenRegister reg;
    data::Table t(data::Database::regiszter(), QStringLiteral("tipus"));
    t.setIndexFieldNames(QStringLiteral("Tipus"));
    t.open();
    for (int i = 1; i <= 4; ++i)
        sor(t, i * 10, QStringLiteral("típus %1").arg(QChar(u'a' + 4 - i)));
    t.first();

    DataGrid racs;
    racs.setDataSet(&t, {QStringLiteral("Tipus"), QStringLiteral("Tipus_nev")});
    QCOMPARE(racs.model()->rowCount(), 4);
    // The selection stays visible without the focus.
    QCOMPARE(racs.palette().color(QPalette::Inactive, QPalette::Highlight),
             racs.palette().color(QPalette::Active, QPalette::Highlight));

    racs.resize(300, 200);
    aktival(&racs);
    QCOMPARE(racs.currentIndex().row(), 0);

    // The data set moves: the grid follows.
    t.setCurrentRow(2);
    QCOMPARE(racs.currentIndex().row(), 2);
    QCOMPARE(racs.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(racs.selectionModel()->selectedRows().first().row(), 2);

    // The grid moves: the data set follows.
    racs.setFocus();
    QTest::keyClick(&racs, Qt::Key_Up);
    QCOMPARE(t.currentRow(), 1);
    QCOMPARE(t.asInteger(QStringLiteral("Tipus")), 20);
    const QRect harmadik = racs.visualRect(racs.model()->index(2, 1));
    QTest::mouseClick(racs.viewport(), Qt::LeftButton, Qt::NoModifier, harmadik.center());
    QCOMPARE(t.currentRow(), 2);

    // Enter and double click activate the row.
    QSignalSpy aktivalasok(&racs, &DataGrid::rowActivated);
    QTest::keyClick(&racs, Qt::Key_Return);
    QCOMPARE(aktivalasok.count(), 1);
    duplaKattintas(racs.viewport(), racs.visualRect(racs.model()->index(1, 0)).center());
    QCOMPARE(aktivalasok.count(), 2);
    QCOMPARE(t.currentRow(), 1);

    // Re-ordering keeps the same row selected.
    const qint64 kulcs = t.asInteger(QStringLiteral("Tipus"));
    t.setIndexFieldNames(QStringLiteral("Tipus_nev"));
    QCOMPARE(t.asInteger(QStringLiteral("Tipus")), kulcs);
    QCOMPARE(t.currentRow(), 2);
    QCOMPARE(racs.currentIndex().row(), 2);
    QCOMPARE(racs.model()->index(2, 0).data().toString(), QStringLiteral("20"));

    // A deleted row leaves the grid.
    t.remove();
    QCOMPARE(racs.model()->rowCount(), 3);
    QCOMPARE(racs.currentIndex().row(), t.currentRow());
    t.close();
}

void TstCommon::kovetkezoAzon()
{
    OpenRegister reg;
    QCOMPARE(KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus"), QStringLiteral("Tipus")), 1);

    data::Table t(data::Database::regiszter(), QStringLiteral("tipus"));
    t.setIndexFieldNames(QStringLiteral("Tipus"));
    t.open();
    sor(t, 3, QStringLiteral("Panzió"));
    sor(t, 41, QStringLiteral("Apartman"));
    sor(t, 7, QStringLiteral("Vendégház"));
    QCOMPARE(KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus"), QStringLiteral("Tipus")), 42);
    // Names are taken without regard to case, the table also by file name.
    QCOMPARE(KovetkezoAzon(data::Database::regiszter(), QStringLiteral("Tipus.DB"), QStringLiteral("tipus")), 42);

    // Deleting the largest gives its number out again.
    QVERIFY(t.locate(QStringLiteral("Tipus"), 41));
    t.remove();
    QCOMPARE(KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus"), QStringLiteral("Tipus")), 8);

    // A row without a number counts as 0.
    t.insert();
    t.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("Névtelen"));
    t.post();
    QCOMPARE(KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus"), QStringLiteral("Tipus")), 8);
    t.close();

    // The whole table counts, whatever a data set's filter shows.
    data::Table szurt(data::Database::regiszter(), QStringLiteral("tipus"));
    szurt.setFilter(QStringLiteral("Tipus=3"));
    szurt.setFiltered(true);
    szurt.open();
    QCOMPARE(szurt.recordCount(), 1);
    QCOMPARE(KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus"), QStringLiteral("Tipus")), 8);
    szurt.close();
}

void TstCommon::kovetkezoAzonIsmeretlenNev()
{
    OpenRegister reg;
    QVERIFY_THROWS_EXCEPTION(data::DbError, KovetkezoAzon(data::Database::regiszter(), QStringLiteral("nincs_ilyen"), QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(data::DbError,
                             KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus"), QStringLiteral("Tipus) FROM tipus; --")));
    QVERIFY_THROWS_EXCEPTION(data::DbError, KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus; DROP TABLE tipus"),
                                                          QStringLiteral("Tipus")));
    // Nothing was run: the table is still there.
    QCOMPARE(KovetkezoAzon(data::Database::regiszter(), QStringLiteral("tipus"), QStringLiteral("Tipus")), 1);
}

int main(int argc, char **argv)
{
    Alkalmazas app(argc, argv);
    useHungarianLocale();
    TstCommon tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_common.moc"
