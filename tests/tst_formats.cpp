// Display formats and edit masks of the register's fields.

#include "data/formats.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QTest>

using data::EditMask;
using data::formatNumber;

class TestFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); }

    void numbers_data();
    void numbers();
    void fieldDisplay();
    void typedNumbers_data();
    void typedNumbers();
    void seasonDayMask();
    void bankAccountMask();
    void storedValuesFitTheirMask_data();
    void storedValuesFitTheirMask();
    void maskDrivesALineEdit();
};

void TestFormats::numbers_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero-padded") << QVariant(42) << "00000" << "00042";
    QTest::newRow("wider than five") << QVariant(123456) << "00000" << "123456";
    QTest::newRow("grouped") << QVariant(1234567.0) << "### ### ##0" << "1 234 567";
    QTest::newRow("grouped small") << QVariant(5.0) << "### ### ##0" << "5";
    QTest::newRow("grouped zero") << QVariant(0.0) << "### ### ##0" << "0";
    QTest::newRow("rounded half up") << QVariant(2.5) << "### ### ##0" << "3";
    QTest::newRow("negative") << QVariant(-1234.4) << "### ### ##0" << "-1 234";
    QTest::newRow("negative to zero") << QVariant(-0.4) << "### ### ##0" << "0";
    QTest::newRow("two decimals") << QVariant(1234.5) << "### ### ##0.00" << "1 234,50";
    QTest::newRow("percent") << QVariant(12.5) << "##0.00%" << "12,50%";
    QTest::newRow("percent whole") << QVariant(7.6) << "##0%" << "8%";
    QTest::newRow("percent large") << QVariant(1234.0) << "##0.00%" << "1234,00%";
    QTest::newRow("null") << QVariant() << "### ### ##0" << "";
}

void TestFormats::numbers()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(formatNumber(value, format), shown);
}

void TestFormats::fieldDisplay()
{
    schema::FieldDef date{QStringLiteral("datum"), schema::FieldType::Date};
    QCOMPARE(data::displayText(QDate(2026, 12, 9), date), QStringLiteral("2026.12.09."));
    schema::FieldDef stamp{QStringLiteral("datum"), schema::FieldType::Timestamp};
    QCOMPARE(data::displayText(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), stamp),
             QStringLiteral("2026.01.02. 03:04:05"));
    schema::FieldDef plain{QStringLiteral("x"), schema::FieldType::Float};
    QCOMPARE(data::displayText(12.25, plain), QStringLiteral("12,25"));
    schema::FieldDef text{QStringLiteral("x"), schema::FieldType::Text, 5};
    QCOMPARE(data::displayText(QVariant(), text), QString());
    schema::FieldDef account{QStringLiteral("bankszamla"), schema::FieldType::Text, 24, QString(), QString(),
                             QStringLiteral("AAAAAAAA-AAAAAAAA-AAAAAAAA;0;_")};
    QCOMPARE(data::displayText(QStringLiteral("117730160123456700000000"), account),
             QStringLiteral("11773016-01234567-00000000"));
    // Stored with its own hyphens by another program: shown as stored.
    QCOMPARE(data::displayText(QStringLiteral("11736006-20123456-000000"), account),
             QStringLiteral("11736006-20123456-000000"));
    schema::FieldDef day{QStringLiteral("tol"), schema::FieldType::Text, 5, QString(), QString(),
                         QStringLiteral("!90.00;1;_")};
    QCOMPARE(data::displayText(QStringLiteral("6.15"), day), QStringLiteral("6.15"));
    QCOMPARE(data::displayText(QStringLiteral("7.1"), day), QStringLiteral("7.1"));
    QCOMPARE(data::numberEditText(1e17, plain), QStringLiteral("100000000000000000"));
}

void TestFormats::typedNumbers_data()
{
    QTest::addColumn<QString>("kind");   // a count, an amount or a rate
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // the box's text for the value read; "!" when refused
    QTest::newRow("grouped") << "amount" << "25 000" << "25000";
    QTest::newRow("grouped, decimals") << "amount" << "1 234 567,5" << "1234567,5";
    QTest::newRow("non-breaking spaces") << "amount" << "1\u00a0234\u202f567" << "1234567";
    QTest::newRow("group of two") << "amount" << "25 00" << "!";
    QTest::newRow("groups of one") << "amount" << "1 2 3" << "!";
    QTest::newRow("twelve digits") << "amount" << "999 999 999 999,99" << "999999999999,99";
    QTest::newRow("thirteen digits") << "amount" << "1000000000000" << "!";
    QTest::newRow("sixteen digits in all") << "amount" << "1234567890,123456" << "!";
    QTest::newRow("negative, lone sign") << "amount" << "-1 234,5" << "-1234,5";
    QTest::newRow("lone sign") << "amount" << "-" << "!";
    QTest::newRow("blank") << "amount" << " " << "";
    QTest::newRow("point as decimal") << "rate" << "12.5" << "12,5";
    QTest::newRow("point, two decimals") << "rate" << "7.25" << "7,25";
    QTest::newRow("point or thousands") << "amount" << "1.234" << "!";
    QTest::newRow("count") << "count" << "3" << "3";
    QTest::newRow("count with a space") << "count" << "3 0" << "!";
    QTest::newRow("count with decimals") << "count" << "2,5" << "!";
    QTest::newRow("count beyond 32 bits") << "count" << "3 000 000 000" << "!";
}

void TestFormats::typedNumbers()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const schema::FieldDef field{kind, kind == QLatin1String("count") ? schema::FieldType::Integer
                                                                      : schema::FieldType::Float};
    const data::TypedNumber read = data::readTypedNumber(typed, field);
    QCOMPARE(read.ok(), shown != QLatin1String("!"));
    QVERIFY(read.error.startsWith(QLatin1Char('\'') + typed + QLatin1Char('\'')) || read.ok());
    if (!read.ok())
        return;
    // The box shows the value read, and reads what it shows as that value.
    QCOMPARE(data::numberEditText(read.value, field), shown);
    QCOMPARE(data::readTypedNumber(shown, field).value, read.value);
}

void TestFormats::seasonDayMask()
{
    const EditMask m(QStringLiteral("!90.00;1;_"));
    QCOMPARE(m.inputMask(), QStringLiteral("09.99;_"));
    // Typed as 6.15: the optional digit left blank, the point stored.
    QCOMPARE(m.toStored(QStringLiteral("_6.15")), QStringLiteral("6.15"));
    QCOMPARE(m.toStored(QStringLiteral("12.31")), QStringLiteral("12.31"));
    QCOMPARE(m.toEdit(QStringLiteral("6.15")), QStringLiteral("_6.15"));
    QCOMPARE(m.toEdit(QStringLiteral("12.31")), QStringLiteral("12.31"));
    QVERIFY(m.isComplete(QStringLiteral("_6.15")));
    // Without the two digits after the point the value is refused.
    QVERIFY(!m.isComplete(QStringLiteral("_6.__")));
    QVERIFY(!m.isComplete(QStringLiteral("_6.1_")));
    // An untouched mask stores nothing, not a lone point.
    QCOMPARE(m.toStored(QStringLiteral("__.__")), QString());
}

void TestFormats::bankAccountMask()
{
    const EditMask m(QStringLiteral("AAAAAAAA-AAAAAAAA-AAAAAAAA;0;_"));
    QCOMPARE(m.inputMask(), QStringLiteral("NNNNNNNN-NNNNNNNN-NNNNNNNN;_"));
    const QString typed = QStringLiteral("11773016-01234567-0000000A");
    QCOMPARE(m.toStored(typed), QStringLiteral("11773016012345670000000A"));
    QCOMPARE(m.toStored(typed).size(), 24);
    QCOMPARE(m.toEdit(QStringLiteral("11773016012345670000000A")), typed);
    QVERIFY(!m.isComplete(QStringLiteral("11773016-0123____-________")));
}

void TestFormats::storedValuesFitTheirMask_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fits");
    const QString day = QStringLiteral("!90.00;1;_");
    const QString account = QStringLiteral("AAAAAAAA-AAAAAAAA-AAAAAAAA;0;_");
    QTest::newRow("day 6.15") << day << "6.15" << true;
    QTest::newRow("day 06.15") << day << "06.15" << true;
    QTest::newRow("one decimal") << day << "6.1" << false;
    QTest::newRow("no point") << day << "615" << false;
    QTest::newRow("three digits") << day << "123.45" << false;
    QTest::newRow("letter") << day << "6x.15" << false;
    QTest::newRow("leading blank") << day << " 6.15" << false;
    QTest::newRow("account") << account << "11773016012345670000000A" << true;
    QTest::newRow("account with hyphens") << account << "11773016-01234567-00000000" << false;
    QTest::newRow("account sign") << account << "11773016012345670000000+" << false;
}

void TestFormats::storedValuesFitTheirMask()
{
    QFETCH(QString, mask);
    QFETCH(QString, stored);
    QFETCH(bool, fits);
    QCOMPARE(EditMask(mask).fits(stored), fits);
}

void TestFormats::maskDrivesALineEdit()
{
    const EditMask m(QStringLiteral("!90.00;1;_"));
    QLineEdit edit;
    edit.setInputMask(m.inputMask());
    edit.setText(m.toEdit(QStringLiteral("6.15")));
    QCOMPARE(m.toStored(edit.displayText()), QStringLiteral("6.15"));
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("1231"));
    QCOMPARE(m.toStored(edit.displayText()), QStringLiteral("12.31"));
}

QTEST_MAIN(TestFormats)
#include "tst_formats.moc"
