// Controls bound to the current row of a data set, and the grid model.

#include "common/binding.h"
#include "common/gridmodel.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using data::Database;

namespace {

void sql(const QString &statement)
{
    data::Query q(Database::regiszter());
    q.setSql(statement);
    q.exec();
}

}  // namespace

class TestBinding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); }
    void init()
    {
        m_reg = std::make_unique<testsupport::OpenRegister>();
        sql(QStringLiteral("INSERT INTO terulet (terulet, terulet_nev) VALUES (1, 'Balaton'), (2, 'Mátra')"));
        sql(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, aktiv, terulet, jutalek, tol, bankszamla, "
                           "szolgaltatas) VALUES (7, 'Alma', 'I', 2, 12.5, '6.15', "
                           "'117730160123456700000000', 'Kert')"));
        sql(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, aktiv) VALUES (8, 'Barack', 'N')"));
    }
    void cleanup() { m_reg.reset(); }

    void controlsShowTheCurrentRow();
    void typingWritesTheRowAndStartsItsEdit();
    void valuesSetInCodeReachTheControls();
    void masksStoreAndCheckTheirValue();
    void textSizeCountsCharacters();
    void seasonDayAsTyped_data();
    void seasonDayAsTyped();
    void modelShowsFormatsAndColours();

private:
    std::unique_ptr<testsupport::OpenRegister> m_reg;
};

void TestBinding::controlsShowTheCurrentRow()
{
    data::Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    data::Table areas(Database::regiszter(), QStringLiteral("terulet"));
    areas.open();
    data::Binder b(&t);
    QLineEdit name, account;
    QCheckBox active;
    QComboBox area;
    QLabel rate;
    QPlainTextEdit services;
    b.bindEdit(&name, QStringLiteral("ugyfel_nev"));
    b.bindEdit(&account, QStringLiteral("bankszamla"));
    b.bindCheck(&active, QStringLiteral("aktiv"));
    b.bindLookup(&area, QStringLiteral("terulet"), &areas, QStringLiteral("terulet"), QStringLiteral("terulet_nev"));
    b.bindLabel(&rate, QStringLiteral("jutalek"));
    b.bindMemo(&services, QStringLiteral("szolgaltatas"));

    QCOMPARE(name.text(), QStringLiteral("Alma"));
    QCOMPARE(account.displayText(), QStringLiteral("11773016-01234567-00000000"));
    QVERIFY(active.isChecked());
    QCOMPARE(area.count(), 2);
    QCOMPARE(area.currentText(), QStringLiteral("Mátra"));
    QCOMPARE(rate.text(), QStringLiteral("12,50%"));
    QCOMPARE(services.toPlainText(), QStringLiteral("Kert"));

    t.next();
    QCOMPARE(name.text(), QStringLiteral("Barack"));
    QVERIFY(!active.isChecked());
    QCOMPARE(area.currentIndex(), -1);  // no area: nothing chosen
    QCOMPARE(rate.text(), QString());
    QCOMPARE(services.toPlainText(), QString());
    QCOMPARE(t.state(), data::State::Browse);  // showing a row changes nothing
}

void TestBinding::typingWritesTheRowAndStartsItsEdit()
{
    data::Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    data::Table areas(Database::regiszter(), QStringLiteral("terulet"));
    areas.open();
    data::Binder b(&t);
    QLineEdit name, places;
    QCheckBox active;
    QComboBox area;
    b.bindEdit(&name, QStringLiteral("ugyfel_nev"));
    b.bindEdit(&places, QStringLiteral("letszam"));
    b.bindCheck(&active, QStringLiteral("aktiv"));
    b.bindLookup(&area, QStringLiteral("terulet"), &areas, QStringLiteral("terulet"), QStringLiteral("terulet_nev"));

    name.setFocus();
    QTest::keyClick(&name, Qt::Key_End);
    QTest::keyClicks(&name, QStringLiteral(" Kert"));
    QCOMPARE(t.state(), data::State::Edit);
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Alma Kert"));
    QTest::keyClicks(&places, QStringLiteral("12x"));  // the validator drops the letter
    QCOMPARE(t.asInteger(QStringLiteral("letszam")), 12);
    active.click();
    QCOMPARE(t.asString(QStringLiteral("aktiv")), QStringLiteral("N"));
    area.setCurrentIndex(0);
    Q_EMIT area.activated(0);
    QCOMPARE(t.asInteger(QStringLiteral("terulet")), 1);
    QCOMPARE(t.asString(QStringLiteral("terulet_nev")), QStringLiteral("Balaton"));
    t.post();
    t.refresh();
    QCOMPARE(t.asString(QStringLiteral("ugyfel_nev")), QStringLiteral("Alma Kert"));
    QCOMPARE(t.asInteger(QStringLiteral("letszam")), 12);
    QCOMPARE(t.asString(QStringLiteral("terulet_nev")), QStringLiteral("Balaton"));
}

void TestBinding::valuesSetInCodeReachTheControls()
{
    data::Table t(Database::regiszter(), QStringLiteral("foglalas"));
    t.open();
    data::Binder b(&t);
    QDateEdit from;
    QLineEdit nights, fee;
    b.bindDate(&from, QStringLiteral("dat_tol"));
    b.bindEdit(&nights, QStringLiteral("nap"));
    b.bindEdit(&fee, QStringLiteral("ossz_dij"));
    t.insert();
    QCOMPARE(from.text().trimmed(), QString());  // an empty date shows blank
    t.setValue(QStringLiteral("dat_tol"), QDate(2026, 7, 1));
    t.setValue(QStringLiteral("nap"), 6);
    t.setValue(QStringLiteral("ossz_dij"), 45000.5);
    QCOMPARE(from.date(), QDate(2026, 7, 1));
    QCOMPARE(nights.text(), QStringLiteral("6"));
    QCOMPARE(fee.text(), QStringLiteral("45000,5"));
    from.setDate(QDate(2026, 7, 3));
    QCOMPARE(t.asDate(QStringLiteral("dat_tol")), QDate(2026, 7, 3));
    t.post();
    QCOMPARE(t.asDate(QStringLiteral("dat_tol")), QDate(2026, 7, 3));
}

void TestBinding::masksStoreAndCheckTheirValue()
{
    data::Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    data::Binder b(&t);
    QLineEdit from;
    b.bindEdit(&from, QStringLiteral("tol"));
    QCOMPARE(from.displayText(), QStringLiteral("_6.15"));
    t.edit();
    from.setFocus();
    from.selectAll();
    QTest::keyClicks(&from, QStringLiteral("07"));
    QCOMPARE(b.incompleteField(), QStringLiteral("tól"));
    QTest::keyClicks(&from, QStringLiteral("01"));
    QCOMPARE(b.incompleteField(), QString());
    QCOMPARE(t.asString(QStringLiteral("tol")), QStringLiteral("07.01"));
}

void TestBinding::textSizeCountsCharacters()
{
    // felhasznalo holds 20 characters; an emoji is one of them, though the
    // edit box counts it as two.
    data::Table t(Database::regiszter(), QStringLiteral("felhasznalo"));
    t.open();
    data::Binder b(&t);
    QLineEdit name;
    b.bindEdit(&name, QStringLiteral("felhasznalo"));
    t.insert();
    const QString emoji = QStringLiteral("\U0001F3D6");
    QTest::keyClicks(&name, QStringLiteral("abcdefghijklmnopqrs"));
    QTest::sendKeyEvent(QTest::Click, &name, Qt::Key_unknown, emoji, Qt::NoModifier);
    QCOMPARE(name.text(), QStringLiteral("abcdefghijklmnopqrs") + emoji);
    // The box is full: more typing, at the end or in the middle, is dropped.
    QTest::sendKeyEvent(QTest::Click, &name, Qt::Key_unknown, emoji, Qt::NoModifier);
    QTest::keyClicks(&name, QStringLiteral("tu"));
    name.setCursorPosition(3);
    QTest::keyClicks(&name, QStringLiteral("X"));
    QCOMPARE(name.text(), QStringLiteral("abcdefghijklmnopqrs") + emoji);
    QCOMPARE(name.cursorPosition(), 3);
    QCOMPARE(t.asString(QStringLiteral("felhasznalo")), QStringLiteral("abcdefghijklmnopqrs") + emoji);
    // A long paste keeps its first 20 characters.
    name.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("ő").repeated(30));
    QTest::keyClick(&name, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.asString(QStringLiteral("felhasznalo")), QStringLiteral("ő").repeated(20));
    QCOMPARE(name.text(), QStringLiteral("ő").repeated(20));
}

void TestBinding::seasonDayAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");   // after leaving the box
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");
    QTest::newRow("one-digit month") << "6.15" << "_6.15" << true << "6.15";
    QTest::newRow("leading zero") << "06.15" << "06.15" << true << "06.15";
    QTest::newRow("digits only") << "1231" << "12.31" << true << "12.31";
    QTest::newRow("letter dropped") << "6.1x5" << "_6.15" << true << "6.15";
    QTest::newRow("nothing typed") << "" << "__.__" << true << "";
    QTest::newRow("one digit after the point") << "6.1" << "_6.1_" << false << "";
    QTest::newRow("no point") << "615" << "61.5_" << false << "";
}

void TestBinding::seasonDayAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);

    data::Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    QWidget window;
    auto *from = new QLineEdit(&window);
    auto *name = new QLineEdit(&window);
    name->move(0, 40);
    data::Binder b(&t);
    b.bindEdit(from, QStringLiteral("tol"));
    b.bindEdit(name, QStringLiteral("ugyfel_nev"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    t.insert();
    t.setValue(QStringLiteral("sorszam"), 9);
    from->setFocus();
    QTest::keyClicks(from, typed);
    name->setFocus();  // leaving the box
    QCOMPARE(from->displayText(), shown);
    QCOMPARE(b.incompleteField(), accepted ? QString() : QStringLiteral("tól"));

    if (accepted) {
        t.post();
    } else {
        // Inside the unit an editor saves in, too.
        data::UnitOfWork unit(Database::regiszter());
        QVERIFY_THROWS_EXCEPTION(data::DbError, t.post());
        QCOMPARE(t.state(), data::State::Insert);  // the editor stays open
        t.cancel();
    }
    data::Query q(Database::regiszter());
    q.setSql(QStringLiteral("SELECT tol FROM ugyfel WHERE sorszam = 9"));
    q.open();
    QCOMPARE(q.recordCount(), accepted ? 1 : 0);
    if (accepted)
        QCOMPARE(q.asString(QStringLiteral("tol")), stored);
}

void TestBinding::modelShowsFormatsAndColours()
{
    data::Table t(Database::regiszter(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    data::DataSetModel m(&t);
    m.setColumns(QStringList{QStringLiteral("sorszam"), QStringLiteral("ugyfel_nev"), QStringLiteral("terulet_nev"),
                             QStringLiteral("jutalek")});
    m.setRowColour([](const data::DataSet &ds, int row) -> QVariant {
        return ds.valueAt(row, ds.fieldIndex(QStringLiteral("aktiv"))).toString() == QLatin1String("N")
                   ? QVariant(QColor(0x80, 0x80, 0x80))
                   : QVariant();
    });
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("sorszám"));
    QCOMPARE(m.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("terület"));
    QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("00007"));
    QCOMPARE(m.data(m.index(0, 2)).toString(), QStringLiteral("Mátra"));
    QCOMPARE(m.data(m.index(0, 3)).toString(), QStringLiteral("12,50%"));
    QVERIFY(m.data(m.index(0, 3), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    QVERIFY(!m.data(m.index(0, 1), Qt::ForegroundRole).isValid());
    QCOMPARE(m.data(m.index(1, 1), Qt::ForegroundRole).value<QColor>(), QColor(0x80, 0x80, 0x80));

    // The model follows the data set.
    t.setFilter(QStringLiteral("aktiv='I'"));
    t.setFiltered(true);
    QCOMPARE(m.rowCount(), 1);
}

QTEST_MAIN(TestBinding)
#include "tst_binding.moc"
