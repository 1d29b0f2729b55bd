// The login: the credential check, the login log, the password change and
// the login window driven through its buttons.

#include "app/belepes.h"
#include "app/beallitasok.h"
#include "app/inditas.h"
#include "app/tfrm_login.h"
#include "data/database.h"
#include "data/table.h"
#include "testsupport.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QStyle>
#include <QtTest>
#include <memory>

using testsupport::DobozFelvevo;
using testsupport::OpenRegister;

namespace {

const QString kErvenytelen = QStringLiteral("Érvénytelen felhasználó, vagy jelszó");
const QString kNemEgyezo = QStringLiteral("A megadott jelszavak nem egyezőek");
const QString kKesz = QStringLiteral("Jelszó változtatás kész.");

struct NaploSor {
    QString felhasznalo;
    QDateTime datum;
    QString sikeres;
};

QVector<NaploSor> naplo()
{
    QVector<NaploSor> sorok;
    QSqlQuery q(data::Database::regiszter().connection());
    if (!q.exec("SELECT felhasznalo, datum, sikeres FROM naplo ORDER BY rowid"))
        return sorok;
    while (q.next()) {
        QDateTime d = q.value(1).toDateTime();
        if (!d.isValid())
            d = QDateTime::fromString(q.value(1).toString(), Qt::ISODate);
        sorok.append({q.value(0).toString(), d, q.value(2).toString()});
    }
    return sorok;
}

QVariant taroltJelszo(const QString &felhasznalo)
{
    QSqlQuery q(data::Database::regiszter().connection());
    q.prepare("SELECT jelszo FROM felhasznalo WHERE felhasznalo = ?");
    q.addBindValue(felhasznalo);
    if (!q.exec() || !q.next())
        return QVariant(QStringLiteral("<nincs ilyen felhasználó>"));
    return q.value(0);
}

void ujFelhasznalo(const QString &nev, const QVariant &jelszo)
{
    data::Table t(data::Database::regiszter(), QStringLiteral("felhasznalo"));
    t.open();
    t.insert();
    t.setValue(QStringLiteral("felhasznalo"), nev);
    t.setValue(QStringLiteral("jelszo"), jelszo);
    t.post();
    t.close();
}

// The next control that Tab reaches.
QWidget *kovetkezo(QWidget *w)
{
    for (QWidget *n = w->nextInFocusChain(); n && n != w; n = n->nextInFocusChain()) {
        if (n->focusPolicy() & Qt::TabFocus)
            return n;
    }
    return nullptr;
}

}  // namespace

class TstLogin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nevEsJelszoPontosan();
    void uresTaroltJelszo();
    void csakPontosNevTalal();
    void okNaplozMindenNyomast();
    void jelszoValtasMegszakitva();
    void jelszoValtasTizKarakterre();
    void uresUjJelszo();
    void ablakFelepitese();
    void ablakGombokkal();
    void ablakBillentyuzettel();
    void modalisBelepes();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstLogin::init()
{
    m_reg = std::make_unique<OpenRegister>();
}

void TstLogin::cleanup()
{
    m_reg.reset();
}

void TstLogin::nevEsJelszoPontosan()
{
    DobozFelvevo dobozok;
    Belepes b(data::Database::regiszter());
    QVERIFY(b.ellenoriz("rendszergazda", "kapufal"));
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(b.tabla().asString("felhasznalo"), QStringLiteral("rendszergazda"));

    // Case counts in both, and nothing is trimmed; an unknown name and a
    // wrong password give the same message.
    const QList<QPair<QString, QString>> rosszak = {
        {"Rendszergazda", "kapufal"}, {"rendszergazda", "Kapufal"}, {"RENDSZERGAZDA", "KAPUFAL"},
        {"rendszergazda ", "kapufal"}, {"rendszergazda", "kapufal "}, {"rendszergazd", "kapufal"},
        {"senki", "kapufal"},          {"", ""},                      {"rendszergazda", ""},
    };
    for (const auto &p : rosszak) {
        dobozok.hibak.clear();
        QVERIFY2(!b.ellenoriz(p.first, p.second), qPrintable(p.first + "/" + p.second));
        QCOMPARE(dobozok.hibak, QStringList{kErvenytelen});
    }
}

void TstLogin::uresTaroltJelszo()
{
    ujFelhasznalo("ures", QVariant());
    ujFelhasznalo("uresszoveg", QString());
    DobozFelvevo dobozok;
    Belepes b(data::Database::regiszter());
    QVERIFY(!b.ellenoriz("ures", ""));
    QVERIFY(!b.ellenoriz("ures", " "));
    QVERIFY(!b.ellenoriz("uresszoveg", ""));
    QCOMPARE(dobozok.hibak, QStringList({kErvenytelen, kErvenytelen, kErvenytelen}));
}

void TstLogin::csakPontosNevTalal()
{
    // Names that differ only in case or accents are different users; the
    // check must not settle on a neighbour the order puts first.
    ujFelhasznalo("Rendszergazda", "masik");
    ujFelhasznalo("rendszergázda", "harmadik");
    DobozFelvevo dobozok;
    Belepes b(data::Database::regiszter());
    QVERIFY(b.ellenoriz("Rendszergazda", "masik"));
    QCOMPARE(b.tabla().asString("felhasznalo"), QStringLiteral("Rendszergazda"));
    QVERIFY(b.ellenoriz("rendszergázda", "harmadik"));
    QCOMPARE(b.tabla().asString("felhasznalo"), QStringLiteral("rendszergázda"));
    QVERIFY(b.ellenoriz("rendszergazda", "kapufal"));
    QCOMPARE(b.tabla().asString("felhasznalo"), QStringLiteral("rendszergazda"));
    QVERIFY(!b.ellenoriz("rendszergazda", "masik"));
    QVERIFY(!b.ellenoriz("Rendszergazda", "kapufal"));
    QCOMPARE(dobozok.hibak.size(), 2);
}

void TstLogin::okNaplozMindenNyomast()
{
    DobozFelvevo dobozok;
    Belepes b(data::Database::regiszter());
    const int elotte = naplo().size();
    const QDateTime kezdet = QDateTime::currentDateTime().addSecs(-1);

    QVERIFY(!b.ok("Rendszergazda", "kapufal"));
    QVERIFY(!b.bejelentkezett());
    QVERIFY(!b.ok("", ""));
    QVERIFY(!b.ok("nincs ilyen", "x"));
    QVERIFY(b.ok("rendszergazda", "kapufal"));
    QVERIFY(b.bejelentkezett());
    QVERIFY(!b.ok("rendszergazda", "rossz"));
    QVERIFY(!b.bejelentkezett());  // set by every press
    QCOMPARE(dobozok.hibak, QStringList(4, kErvenytelen));

    const QVector<NaploSor> sorok = naplo().mid(elotte);
    const QDateTime veg = QDateTime::currentDateTime().addSecs(1);
    QCOMPARE(sorok.size(), 5);
    const QStringList nevek = {"Rendszergazda", "", "nincs ilyen", "rendszergazda", "rendszergazda"};
    const QStringList sikeres = {"N", "N", "N", "I", "N"};
    for (int i = 0; i < sorok.size(); ++i) {
        QCOMPARE(sorok[i].felhasznalo, nevek[i]);
        QCOMPARE(sorok[i].sikeres, sikeres[i]);
        QVERIFY2(sorok[i].datum >= kezdet && sorok[i].datum <= veg,
                 qPrintable(sorok[i].datum.toString(Qt::ISODate)));
    }
    // A long name is logged as typed, not cut to the user name's size.
    const QString hosszu(40, QLatin1Char('x'));
    QVERIFY(!b.ok(hosszu, "x"));
    QCOMPARE(naplo().last().felhasznalo, hosszu);
}

void TstLogin::jelszoValtasMegszakitva()
{
    DobozFelvevo dobozok;
    Belepes b(data::Database::regiszter());
    const int naploElotte = naplo().size();

    // A failing check asks nothing.
    QVERIFY(!b.ujJelszo("rendszergazda", "rossz"));
    QCOMPARE(dobozok.hibak, QStringList{kErvenytelen});
    QCOMPARE(dobozok.bekeroCimek, QStringList());

    // Mégsem at the first and at the second question.
    dobozok.hibak.clear();
    dobozok.bekeresek = {{false, QString()}};
    QVERIFY(!b.ujJelszo("rendszergazda", "kapufal"));
    QCOMPARE(dobozok.bekeroCimek, QStringList{"Jelszó megadása"});
    dobozok.bekeroCimek.clear();
    dobozok.bekeresek = {{true, "ujjelszo"}, {false, QString()}};
    QVERIFY(!b.ujJelszo("rendszergazda", "kapufal"));
    QCOMPARE(dobozok.bekeroCimek, QStringList({"Jelszó megadása", "Megerősítés"}));

    // Two texts that differ in case only.
    dobozok.bekeresek = {{true, "ujjelszo"}, {true, "UjJelszo"}};
    QVERIFY(!b.ujJelszo("rendszergazda", "kapufal"));
    QCOMPARE(dobozok.hibak, QStringList{kNemEgyezo});
    QCOMPARE(dobozok.uzenetek, QStringList());

    QCOMPARE(taroltJelszo("rendszergazda").toString(), QStringLiteral("kapufal"));
    QCOMPARE(naplo().size(), naploElotte);  // a password change logs nothing
}

void TstLogin::jelszoValtasTizKarakterre()
{
    ujFelhasznalo("masik", "titok");
    DobozFelvevo dobozok;
    Belepes b(data::Database::regiszter());
    const int naploElotte = naplo().size();
    dobozok.bekeresek = {{true, "0123456789ABC"}, {true, "0123456789ABC"}};
    QVERIFY(b.ujJelszo("rendszergazda", "kapufal"));
    QCOMPARE(dobozok.uzenetek, QStringList{kKesz});
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(naplo().size(), naploElotte);
    QCOMPARE(taroltJelszo("rendszergazda").toString(), QStringLiteral("0123456789"));

    // The next OK with the old password still typed fails and logs "N"; the
    // new one works only as stored.
    QVERIFY(!b.ok("rendszergazda", "kapufal"));
    QCOMPARE(naplo().last().sikeres, QStringLiteral("N"));
    QVERIFY(!b.ok("rendszergazda", "0123456789ABC"));
    QVERIFY(b.ok("rendszergazda", "0123456789"));
    QCOMPARE(naplo().last().sikeres, QStringLiteral("I"));
    QCOMPARE(naplo().size(), naploElotte + 3);

    // Another user's password stays as it was.
    QCOMPARE(taroltJelszo("masik").toString(), QStringLiteral("titok"));
    QVERIFY(b.ellenoriz("masik", "titok"));
}

void TstLogin::uresUjJelszo()
{
    DobozFelvevo dobozok;
    Belepes b(data::Database::regiszter());
    dobozok.bekeresek = {{true, QString()}, {true, QString()}};
    QVERIFY(b.ujJelszo("rendszergazda", "kapufal"));
    QCOMPARE(dobozok.uzenetek, QStringList{kKesz});
    QVERIFY(taroltJelszo("rendszergazda").toString().isEmpty());
    // Locked out: nothing typed matches an empty password.
    QVERIFY(!b.ok("rendszergazda", ""));
    QVERIFY(!b.ok("rendszergazda", "kapufal"));
    QCOMPARE(dobozok.hibak, QStringList(2, kErvenytelen));
}

void TstLogin::ablakFelepitese()
{
    Tfrm_Login w(data::Database::regiszter());
    QCOMPARE(w.windowTitle(), QStringLiteral("Belépés azonosítás"));
    QCOMPARE(w.size(), QSize(256, 127));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    auto *nev = w.findChild<QLineEdit *>("edtFelhasznalo");
    auto *jelszo = w.findChild<QLineEdit *>("edtJelszo");
    auto *ok = w.findChild<QPushButton *>("btnOK");
    auto *uj = w.findChild<QPushButton *>("btnUjJelszo");
    auto *megsem = w.findChild<QPushButton *>("btnMegsem");
    QVERIFY(nev && jelszo && ok && uj && megsem);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(uj->text(), QStringLiteral("Új jelszó"));
    QCOMPARE(megsem->text(), QStringLiteral("Mégsem"));
    for (QPushButton *g : {ok, uj, megsem})
        QVERIFY(!g->isDefault() && !g->autoDefault());
    QCOMPARE(jelszo->echoMode(), QLineEdit::Password);
    QCOMPARE(jelszo->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, jelszo), int('*'));
    QCOMPARE(nev->echoMode(), QLineEdit::Normal);
    QString cimkeNev, cimkeJelszo;
    for (QLabel *l : w.findChildren<QLabel *>()) {
        if (l->buddy() == nev)
            cimkeNev = l->text();
        if (l->buddy() == jelszo)
            cimkeJelszo = l->text();
    }
    QCOMPARE(cimkeNev, QStringLiteral("Felhasználó"));
    QCOMPARE(cimkeJelszo, QStringLiteral("Jelszó"));
    // Tab order as listed.
    QCOMPARE(kovetkezo(nev), jelszo);
    QCOMPARE(kovetkezo(jelszo), ok);
    QCOMPARE(kovetkezo(ok), uj);
    QCOMPARE(kovetkezo(uj), megsem);

    // The table is open while the window is shown, and only then.
    QVERIFY(!w.belepes().nyitva());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.belepes().nyitva());
    QCOMPARE(w.belepes().tabla().indexFieldNames(), QStringLiteral("felhasznalo"));
    // Centred on the desktop.
    const QRect kepernyo = w.screen()->availableGeometry();
    QVERIFY(qAbs(w.geometry().center().x() - kepernyo.center().x()) <= 20);
    QVERIFY(qAbs(w.geometry().center().y() - kepernyo.center().y()) <= 40);
    w.hide();
    QVERIFY(!w.belepes().nyitva());
}

void TstLogin::ablakGombokkal()
{
    DobozFelvevo dobozok;
    Tfrm_Login w(data::Database::regiszter());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *nev = w.findChild<QLineEdit *>("edtFelhasznalo");
    auto *jelszo = w.findChild<QLineEdit *>("edtJelszo");
    auto *ok = w.findChild<QPushButton *>("btnOK");
    auto *uj = w.findChild<QPushButton *>("btnUjJelszo");
    const int naploElotte = naplo().size();

    QTest::keyClicks(nev, "Rendszergazda");
    QTest::keyClicks(jelszo, "kapufal");
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(dobozok.hibak, QStringList{kErvenytelen});
    QVERIFY(w.isVisible());
    QVERIFY(!w.bejelentkezett());
    QCOMPARE(nev->text(), QStringLiteral("Rendszergazda"));  // both kept as typed
    QCOMPARE(jelszo->text(), QStringLiteral("kapufal"));
    QCOMPARE(naplo().size(), naploElotte + 1);

    // A new password through the two questions.
    nev->setText("rendszergazda");
    dobozok.bekeresek = {{true, "ujjelszo"}, {true, "ujjelszo"}};
    QTest::mouseClick(uj, Qt::LeftButton);
    QCOMPARE(dobozok.bekeroCimek, QStringList({"Jelszó megadása", "Megerősítés"}));
    QCOMPARE(dobozok.uzenetek, QStringList{kKesz});
    QVERIFY(w.isVisible());
    QCOMPARE(jelszo->text(), QStringLiteral("kapufal"));
    QCOMPARE(naplo().size(), naploElotte + 1);

    // The old password still in the box: refused and logged.
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(dobozok.hibak.size(), 2);
    QVERIFY(w.isVisible());
    QCOMPARE(naplo().last().sikeres, QStringLiteral("N"));

    jelszo->setText("ujjelszo");
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(w.bejelentkezett());
    QCOMPARE(naplo().size(), naploElotte + 3);
    QCOMPARE(naplo().last().sikeres, QStringLiteral("I"));
    QCOMPARE(naplo().last().felhasznalo, QStringLiteral("rendszergazda"));
    QVERIFY(!w.belepes().nyitva());
}

void TstLogin::ablakBillentyuzettel()
{
    DobozFelvevo dobozok;
    Tfrm_Login w(data::Database::regiszter());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *nev = w.findChild<QLineEdit *>("edtFelhasznalo");
    auto *jelszo = w.findChild<QLineEdit *>("edtJelszo");
    auto *ok = w.findChild<QPushButton *>("btnOK");
    QTRY_COMPARE(QApplication::focusWidget(), nev);
    // The focused box takes the focus colour.
    QCOMPARE(nev->palette().color(QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
    const int naploElotte = naplo().size();

    // Enter moves on through the boxes and never logs in by itself.
    QTest::keyClicks(nev, "rendszergazda");
    QTest::keyClick(nev, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), jelszo);
    QTest::keyClicks(jelszo, "kapufal");
    QTest::keyClick(jelszo, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), ok);
    QCOMPARE(naplo().size(), naploElotte);
    QVERIFY(w.isVisible());
    QCOMPARE(jelszo->palette().color(QPalette::Base), nev->palette().color(QPalette::Base));

    // Space on the focused OK button presses it.
    QTest::keyClick(ok, Qt::Key_Space);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(naplo().size(), naploElotte + 1);

    // Esc is Mégsem.
    Tfrm_Login w2(data::Database::regiszter());
    w2.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w2));
    QTest::keyClick(w2.findChild<QLineEdit *>("edtFelhasznalo"), Qt::Key_Escape);
    QVERIFY(!w2.isVisible());
    QCOMPARE(w2.result(), int(QDialog::Rejected));
    QVERIFY(!w2.bejelentkezett());
    QCOMPARE(naplo().size(), naploElotte + 1);
}

void TstLogin::modalisBelepes()
{
    // The start-up's own login step, with the modal window driven as a user
    // would: a wrong try, then the right one.
    DobozFelvevo dobozok;
    testsupport::onNextModal([](QWidget *ablak) {
        auto *nev = ablak->findChild<QLineEdit *>("edtFelhasznalo");
        auto *jelszo = ablak->findChild<QLineEdit *>("edtJelszo");
        auto *ok = ablak->findChild<QPushButton *>("btnOK");
        if (!nev || !jelszo || !ok) {
            ablak->close();
            return;
        }
        nev->setText("rendszergazda");
        jelszo->setText("kapu");
        ok->click();
        jelszo->setText("kapufal");
        ok->click();
    });
    QVERIFY(BelepesAblak(data::Database::regiszter()));
    QCOMPARE(dobozok.hibak, QStringList{kErvenytelen});
    QCOMPARE(naplo().size() >= 2, true);
    QCOMPARE(naplo().last().sikeres, QStringLiteral("I"));

    // Closing with Mégsem ends it without a message.
    testsupport::onNextModal([](QWidget *ablak) {
        if (auto *megsem = ablak->findChild<QPushButton *>("btnMegsem"))
            megsem->click();
        else
            ablak->close();
    });
    QVERIFY(!BelepesAblak(data::Database::regiszter()));
    QCOMPARE(dobozok.hibak.size(), 1);

    // And the whole start with the real window: the register reopened on the
    // data folder of the settings, then the login.
    m_reg.reset();
    testsupport::TempDataFolder mappa;
    QVERIFY2(mappa.isValid(), qPrintable(mappa.error()));
    setProgramMappa(mappa.root());
    TBeall beall;
    testsupport::onNextModal([](QWidget *ablak) {
        ablak->findChild<QLineEdit *>("edtFelhasznalo")->setText("rendszergazda");
        ablak->findChild<QLineEdit *>("edtJelszo")->setText("kapufal");
        ablak->findChild<QPushButton *>("btnOK")->click();
    });
    QVERIFY(Inditas(data::Database::regiszter(), beall, [] { return BelepesAblak(data::Database::regiszter()); }));
    QVERIFY(data::Database::regiszter().isOpen());
    QCOMPARE(data::Database::regiszter().path(), mappa.path());
    QCOMPARE(dobozok.hibak.size(), 1);
    data::Database::regiszter().close();
    setProgramMappa(QString());
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
