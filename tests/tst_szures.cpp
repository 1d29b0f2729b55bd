// The filter of the place list without its dialog: the filter text made of
// the dialog's choices, and what the list, its counter and its finds show
// while the filter is on. (The switch itself: tst_torzs.)

#include "app/helylista.h"
#include "data/database.h"
#include "data/table.h"
#include "places/szures.h"
#include "testsupport.h"

#include <QtTest>

using namespace testsupport;

Q_DECLARE_METATYPE(SzuroValasztas)

namespace {

data::Database &db()
{
    return data::Database::regiszter();
}

SzuroValasztas valasztas(bool terulet, int teruletKulcs, bool tipus, int tipusKulcs, bool aktiv)
{
    SzuroValasztas v;
    v.terulet = terulet;
    v.teruletKulcs = teruletKulcs;
    v.tipus = tipus;
    v.tipusKulcs = tipusKulcs;
    v.csakAktiv = aktiv;
    return v;
}

// Places 1..6 as (sequence number, area, type, active); place 6 has neither
// type nor area stored.
void helyek()
{
    db().exec(QStringLiteral(
        "INSERT INTO ugyfel (sorszam, ugyfel_nev, terulet, tipus, aktiv) VALUES "
        "(1, 'Alma', 2, 5, 'I'), (2, 'Béke', 2, 5, 'N'), (3, 'Cédrus', 2, 0, 'I'), "
        "(4, 'Dió', 3, 5, 'I'), (5, 'Éden', 0, 1, 'i'), (6, 'Fenyő', NULL, NULL, 'I')"));
}

QString sorszamok(data::Table &t)
{
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.asString(QStringLiteral("sorszam"));
    return out.join(QLatin1Char(','));
}

}  // namespace

class TstSzures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        useHungarianLocale();
        SKIP_WITHOUT_SERVER();
    }
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void szuroSzoveg_data();
    void szuroSzoveg();
    void szurtLista_data();
    void szurtLista();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstSzures::szuroSzoveg_data()
{
    QTest::addColumn<SzuroValasztas>("v");
    QTest::addColumn<QString>("vart");
    QTest::newRow("csak aktív") << valasztas(false, 0, false, 0, true) << QStringLiteral("(aktiv='I')");
    QTest::newRow("mind a három")
        << valasztas(true, 2, true, 5, true) << QStringLiteral("(terulet=2) and (tipus=5) and (aktiv='I')");
    QTest::newRow("semmi") << valasztas(false, 2, false, 5, false) << QString();
    QTest::newRow("csak terület") << valasztas(true, 3, false, 5, false) << QStringLiteral("(terulet=3)");
    QTest::newRow("csak típus") << valasztas(false, 3, true, 12, false) << QStringLiteral("(tipus=12)");
    QTest::newRow("típus választás nélkül") << valasztas(false, 0, true, 0, false) << QStringLiteral("(tipus=0)");
    QTest::newRow("terület és aktív") << valasztas(true, 7, false, 0, true)
                                        << QStringLiteral("(terulet=7) and (aktiv='I')");
    QTest::newRow("terület és típus") << valasztas(true, 1, true, 2, false)
                                        << QStringLiteral("(terulet=1) and (tipus=2)");
    QTest::newRow("nagy kulcs") << valasztas(true, 1234567, false, 0, false) << QStringLiteral("(terulet=1234567)");
}

void TstSzures::szuroSzoveg()
{
    QFETCH(SzuroValasztas, v);
    QFETCH(QString, vart);
    QCOMPARE(SzuroSzoveg(v), vart);
}

void TstSzures::szurtLista_data()
{
    QTest::addColumn<SzuroValasztas>("v");
    QTest::addColumn<QString>("latszik");
    QTest::addColumn<QString>("szamlalo");
    // The list is in sequence-number order; the counter after first().
    QTest::newRow("csak aktív") << valasztas(false, 0, false, 0, true) << "1,3,4,6" << "4 / 1";
    QTest::newRow("mind a három") << valasztas(true, 2, true, 5, true) << "1" << "1 / 1";
    QTest::newRow("semmi") << valasztas(false, 0, false, 0, false) << "1,2,3,4,5,6" << "6 / 1";
    // Active or not, only the area counts.
    QTest::newRow("csak terület") << valasztas(true, 2, false, 0, false) << "1,2,3" << "3 / 1";
    // Ticked without a pick: the places whose type key is 0.
    QTest::newRow("típus választás nélkül") << valasztas(false, 0, true, 0, false) << "3" << "1 / 1";
    QTest::newRow("senki") << valasztas(true, 9, false, 0, false) << "" << "0 / 0";
}

void TstSzures::szurtLista()
{
    QFETCH(SzuroValasztas, v);
    QFETCH(QString, latszik);
    QFETCH(QString, szamlalo);
    helyek();
    data::Table t(db(), QStringLiteral("ugyfel"));
    t.setIndexFieldNames(QStringLiteral("sorszam"));
    t.open();
    SzuresBe(t, SzuroSzoveg(v));
    QVERIFY(t.isFiltered());
    QCOMPARE(sorszamok(t), latszik);
    t.first();
    QCOMPARE(SzamlaloSzoveg(t), szamlalo);
    // A find sees only the rows that pass.
    const QStringList lathato = latszik.split(QLatin1Char(','), Qt::SkipEmptyParts);
    QCOMPARE(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Béke")), lathato.contains(QStringLiteral("2")));
    QCOMPARE(t.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Dió")), lathato.contains(QStringLiteral("4")));
}

QTEST_GUILESS_MAIN(TstSzures)
#include "tst_szures.moc"
