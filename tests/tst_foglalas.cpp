// Bookings without windows: nights, commission and the on-site amount, the
// next booking number, and the place's running totals moved by every saved
// or deleted booking in one unit of work with the booking itself, also
// while a second copy of the program saves bookings of the same place.

#include "bookings/foglalasfigyelo.h"
#include "bookings/foglalasszamitas.h"
#include "bookings/foglalassorok.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "places/szabadhely.h"
#include "asztal.h"
#include "testsupport.h"

#include <QTest>

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

// The first value of a statement's result, as committed.
QVariant ertek(const QString &statement)
{
    data::Query q(db());
    q.setSql(statement);
    q.open();
    return q.fieldCount() > 0 && !q.isEmpty() ? q.value(0) : QVariant();
}

// The place's totals as the file holds them; an empty one as "null".
QString helyOsszegek(int hely = 7)
{
    data::Query q(db());
    q.setSql(QStringLiteral("SELECT ossz_dij, ossz_jut FROM ugyfel WHERE ugyfel = %1").arg(hely));
    q.open();
    auto szoveg = [&](const char *mezo) {
        return q.isNull(QLatin1String(mezo)) ? QStringLiteral("null") : QString::number(q.asFloat(QLatin1String(mezo)), 'g', 12);
    };
    return szoveg("ossz_dij") + QLatin1Char('/') + szoveg("ossz_jut");
}

// Place 7 (rate 12.5 %) with the given totals, place 8 beside it, and the
// bookings list of place 7 with its controller, as the booking list and the
// main window hold them.
struct Foglalasok {
    data::Table helyek{db(), QStringLiteral("ugyfel")};
    data::Table tbl{db(), QStringLiteral("foglalas")};
    data::Query qryJav{db()};
    FoglalasSorok sorok{tbl, helyek, qryJav};
    int valasztasok = 0;

    explicit Foglalasok(const QVariant &dij = 100000.0, const QVariant &jut = 12500.0)
    {
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, jutalek, ossz_dij, ossz_jut) "
                           "VALUES (7, 1, 'Napfény', 12.5, ?, ?), (8, 2, 'Holdfény', 10, 0, 0)"),
            {dij, jut});
        sql(QStringLiteral("INSERT INTO foglalo (foglalo, foglalo_nev) VALUES (4, 'Kiss Anna')"));
        helyek.setIndexFieldNames(QStringLiteral("sorszam"));
        helyek.open();
        tbl.setIndexFieldNames(QStringLiteral("foglalas"));
        tbl.setFilter(FoglalasSzuro(7));
        tbl.setFiltered(true);
        sorok.setFoglaloValaszto([this] {
            ++valasztasok;
            return 4;
        });
    }
    void nyit() { tbl.open(); }
    void osszegek(const QVariant &dij, const QVariant &jut)
    {
        tbl.setValue(QStringLiteral("ossz_dij"), dij);
        tbl.setValue(QStringLiteral("ossz_jut"), jut);
    }
    // One booking of place 7 with these amounts, as the current row.
    void foglalas(const QVariant &dij, const QVariant &jut)
    {
        sql(QStringLiteral("INSERT INTO foglalas (foglalas, foglalaz, ugyfel, ossz_dij, ossz_jut) VALUES (3, 1, 7, ?, ?)"),
            {dij, jut});
        nyit();
    }
};

// A copy of the program with a connection of its own to the register.
using Iro = Asztal;

}  // namespace

class TstFoglalas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        useHungarianLocale();
        SKIP_WITHOUT_SERVER();
    }
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void helyOsszegei_data();
    void helyOsszegei();
    void kovetkezoSzam_data();
    void kovetkezoSzam();
    void ketIro_data();
    void ketIro();
    void ujFoglalasAlapertekei();
    void megrendeloNelkul();
    void masikHely();
    void elutasitottMentes_data();
    void elutasitottMentes();
    void elutasitottTorles_data();
    void elutasitottTorles();
    void szabadHelyek_data();
    void szabadHelyek();
    void atfedes_data();
    void atfedes();
    void letszam_data();
    void letszam();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstFoglalas::helyOsszegei_data()
{
    QTest::addColumn<QString>("muvelet");   // new, edit or delete
    QTest::addColumn<QVariant>("helyDij");
    QTest::addColumn<QVariant>("helyJut");
    QTest::addColumn<QVariant>("regiDij");  // the stored booking (edit, delete)
    QTest::addColumn<QVariant>("regiJut");
    QTest::addColumn<QVariant>("ujDij");    // the typed amounts (new, edit)
    QTest::addColumn<QVariant>("ujJut");
    QTest::addColumn<QString>("vart");
    const QVariant n;
    QTest::newRow("new adds") << "new" << QVariant(100000.0) << QVariant(12500.0) << n << n
                              << QVariant(40000.0) << QVariant(5000.0) << "140000/17500";
    QTest::newRow("edit adds the difference") << "edit" << QVariant(140000.0) << QVariant(17500.0)
                                              << QVariant(40000.0) << QVariant(5000.0) << QVariant(48000.0)
                                              << QVariant(6000.0) << "148000/18500";
    QTest::newRow("edit lowering the fee") << "edit" << QVariant(148000.0) << QVariant(18500.0) << QVariant(48000.0)
                                           << QVariant(6000.0) << QVariant(30000.0) << QVariant(3750.0)
                                           << "130000/16250";
    QTest::newRow("delete subtracts") << "delete" << QVariant(50000.0) << QVariant(5000.0) << QVariant(12000.0)
                                      << QVariant(1200.0) << n << n << "38000/3800";
    QTest::newRow("new, empty commission keeps the total")
        << "new" << QVariant(20000.0) << QVariant(5000.0) << n << n << QVariant(8000.0) << n << "28000/5000";
    QTest::newRow("new at a place without totals")
        << "new" << n << n << n << n << QVariant(40000.0) << QVariant(5000.0) << "40000/5000";
    QTest::newRow("edit, amounts emptied") << "edit" << QVariant(140000.0) << QVariant(17500.0)
                                           << QVariant(40000.0) << QVariant(5000.0) << n << n << "100000/12500";
    QTest::newRow("edit of a booking saved without amounts")
        << "edit" << QVariant(100000.0) << QVariant(12500.0) << n << n << QVariant(1000.0) << QVariant(125.0)
        << "101000/12625";
    QTest::newRow("delete of a booking without amounts")
        << "delete" << QVariant(50000.0) << QVariant(5000.0) << n << n << n << n << "50000/5000";
    QTest::newRow("delete at a place without totals")
        << "delete" << n << n << QVariant(12000.0) << QVariant(1200.0) << n << n << "-12000/-1200";
    QTest::newRow("fractions unrounded") << "new" << QVariant(0.1) << QVariant(0.2) << n << n << QVariant(33333.0)
                                         << QVariant(3333.3) << "33333.1/3333.5";
}

void TstFoglalas::helyOsszegei()
{
    QFETCH(QString, muvelet);
    QFETCH(QVariant, helyDij);
    QFETCH(QVariant, helyJut);
    QFETCH(QVariant, regiDij);
    QFETCH(QVariant, regiJut);
    QFETCH(QVariant, ujDij);
    QFETCH(QVariant, ujJut);
    QFETCH(QString, vart);
    DobozFelvevo dobozok;
    Foglalasok f(helyDij, helyJut);
    if (muvelet == QLatin1String("new"))
        f.nyit();
    else
        f.foglalas(regiDij, regiJut);
    f.sorok.setSzerkeszto([&] {
        f.osszegek(ujDij, ujJut);
        return true;
    });
    if (muvelet == QLatin1String("delete")) {
        dobozok.valaszok << true;
        QVERIFY(f.sorok.torol());
        QCOMPARE(dobozok.kerdesek, QStringList{"Valóban töröljem a foglalást?"});
        QCOMPARE(ertek(QStringLiteral("SELECT COUNT(*) FROM foglalas")).toInt(), 0);
    } else {
        QVERIFY(f.sorok.FoglalasSzerkeszt(muvelet == QLatin1String("new"), 7));
        QCOMPARE(ertek(QStringLiteral("SELECT COUNT(*) FROM foglalas WHERE ugyfel = 7")).toInt(), 1);
        QCOMPARE(ertek(QStringLiteral("SELECT ossz_dij FROM foglalas")), ujDij.isNull() ? QVariant() : ujDij);
    }
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(helyOsszegek(), vart);
    QCOMPARE(helyOsszegek(8), QStringLiteral("0/0"));
    // The main window shows the saved totals at once.
    QCOMPARE(f.helyek.state(), State::Browse);
    QCOMPARE(QString::number(f.helyek.asFloat(QStringLiteral("ossz_dij")), 'g', 12), vart.section(QLatin1Char('/'), 0, 0));
}

void TstFoglalas::kovetkezoSzam_data()
{
    QTest::addColumn<QString>("szamok");  // booking numbers at place 8
    QTest::addColumn<int>("torolt");      // the number deleted before, or 0
    QTest::addColumn<int>("vart");
    QTest::newRow("empty table") << "" << 0 << 1;
    QTest::newRow("numbers of other places") << "1 2 3 4 5" << 0 << 6;
    QTest::newRow("the largest deleted: its number again") << "1 2 3" << 3 << 3;
    QTest::newRow("another deleted: a gap") << "1 2 3" << 2 << 4;
    QTest::newRow("rows without numbers") << "- -" << 0 << 1;
}

void TstFoglalas::kovetkezoSzam()
{
    QFETCH(QString, szamok);
    QFETCH(int, torolt);
    QFETCH(int, vart);
    DobozFelvevo dobozok;
    Foglalasok f;
    for (const QString &s : szamok.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        sql(QStringLiteral("INSERT INTO foglalas (foglalaz, ugyfel) VALUES (?, 8)"),
            {s == QLatin1String("-") ? QVariant() : QVariant(s.toInt())});
    if (torolt)
        sql(QStringLiteral("DELETE FROM foglalas WHERE foglalaz = ?"), {torolt});
    f.qryJav.setSql(QStringLiteral("SELECT 1 AS egy"));
    QCOMPARE(KovetkezoFoglalasSzam(f.qryJav), vart);
    QVERIFY(!f.qryJav.isOpen());
    // A new booking of place 7 gets it; place 7 lists only its own.
    f.nyit();
    f.sorok.setSzerkeszto([] { return true; });
    QVERIFY(f.sorok.FoglalasSzerkeszt(true, 7));
    QCOMPARE(f.tbl.recordCount(), 1);
    QCOMPARE(f.tbl.asInteger(QStringLiteral("foglalaz")), vart);
    QCOMPARE(f.tbl.displayText(QStringLiteral("foglalaz")), QStringLiteral("%1").arg(vart, 5, 10, QLatin1Char('0')));
}

void TstFoglalas::ujFoglalasAlapertekei()
{
    // Opened and accepted at once.
    DobozFelvevo dobozok;
    Foglalasok f;
    f.nyit();
    const QDate nap(2026, 8, 14);
    f.sorok.setMa([nap] { return nap; });
    QStringList modositott;
    connect(&f.tbl, &data::DataSet::valueChanged, this, [&](int mezo) {
        if (f.tbl.field(mezo).kind == data::FieldKind::Stored)
            modositott << f.tbl.field(mezo).def.name;
    });
    f.sorok.setSzerkeszto([&] { return f.tbl.state() == State::Insert; });
    QVERIFY(f.sorok.FoglalasSzerkeszt(true, 7));
    QCOMPARE(modositott, (QStringList{"foglalo", "ugyfel", "dat_tol", "dat_ig", "nap", "letszam_felnott",
                                      "letszam_gyerek", "jutalek", "ossz_dij", "ossz_jut", "ar_helyszin", "ar_fogl",
                                      "foglalaz"}));
    QCOMPARE(f.valasztasok, 1);
    // Saved as such: an empty payment method and remark stay empty.
    data::Query q(db());
    q.setSql(QStringLiteral("SELECT foglalo, ugyfel, dat_tol, dat_ig, nap, letszam_felnott, letszam_gyerek, jutalek, "
                            "ossz_dij, ossz_jut, ar_fogl, ar_helyszin, foglalaz, fizmod, megjegyzes FROM foglalas"));
    q.open();
    QStringList mentett;
    for (int i = 0; i < q.fieldCount(); ++i)
        mentett << (q.value(i).isNull() ? QStringLiteral("-") : q.value(i).toString());
    QCOMPARE(mentett.join(QLatin1Char('|')), QStringLiteral("4|7|2026-08-14|2026-08-14|1|1|0|12.5|0|0|0|0|1|-|-"));
    QCOMPARE(helyOsszegek(), QStringLiteral("100000/12500"));
    QCOMPARE(f.tbl.asString(QStringLiteral("foglalo_nev")), QStringLiteral("Kiss Anna"));
}

void TstFoglalas::megrendeloNelkul()
{
    // Declining the orderer ends it before a number is read or a row made.
    DobozFelvevo dobozok;
    Foglalasok f;
    f.nyit();
    int futasok = 0;
    f.sorok.setSzerkeszto([&] { return ++futasok > 0; });
    f.sorok.setFoglaloValaszto([] { return -1; });
    f.qryJav.setSql(QStringLiteral("SELECT 1 AS egy"));
    QVERIFY(!f.sorok.FoglalasSzerkeszt(true, 7));
    QCOMPARE(f.qryJav.sql(), QStringLiteral("SELECT 1 AS egy"));
    QCOMPARE(futasok, 0);
    QCOMPARE(dobozok.hibak, QStringList());
    QCOMPARE(f.tbl.state(), State::Browse);
    QCOMPARE(ertek(QStringLiteral("SELECT COUNT(*) FROM foglalas")).toInt(), 0);
}

void TstFoglalas::masikHely()
{
    // The totals go only to the booking's own place: with another place
    // current nothing is created or saved.
    DobozFelvevo dobozok;
    Foglalasok f;
    f.foglalas(1000.0, 125.0);
    f.helyek.setCurrentRow(1);  // place 8
    int futasok = 0;
    f.sorok.setSzerkeszto([&] {
        ++futasok;
        f.osszegek(2000.0, 250.0);
        return futasok == 1;
    });
    QVERIFY(!f.sorok.FoglalasSzerkeszt(true, 7));
    QVERIFY(!f.sorok.szerkeszt());  // the row is refused on saving
    QCOMPARE(futasok, 2);
    QCOMPARE(dobozok.hibak, (QStringList{"A foglalás szálláshelye nem az aktuális szálláshely.",
                                         "A foglalás szálláshelye nem az aktuális szálláshely."}));
    QCOMPARE(ertek(QStringLiteral("SELECT ossz_dij FROM foglalas")).toDouble(), 1000.0);
    QCOMPARE(helyOsszegek(), QStringLiteral("100000/12500"));
    QCOMPARE(helyOsszegek(8), QStringLiteral("0/0"));
    QCOMPARE(f.helyek.state(), State::Browse);
}

void TstFoglalas::ketIro_data()
{
    // "A+100": copy A saves a new booking of 100 (commission an eighth);
    // "B=2:50": B sets booking number 2 to 50; "A-1": A deletes number 1;
    // "A+100/B-1": B's step runs while A's editor is open.
    QTest::addColumn<QString>("lepesek");
    QTest::addColumn<QString>("szamok");  // the numbers left, in the order saved
    QTest::newRow("a number taken while the editor is open") << "A+1000/B+500 B+300" << "1 2 3";
    QTest::newRow("each edits the other's booking") << "A+1000 B+500 B=1:1500 A=2:250/B=1:40" << "1 2";
    QTest::newRow("a delete while the other edits or adds") << "A+1000 A+300 B=2:700/A-1 A+5/B-2" << "3";
    QTest::newRow("fractions added and deleted in another order") << "A+0.1 B+0.2 A+0.3 B-3 A-1 B-2" << "";
}

void TstFoglalas::ketIro()
{
    QFETCH(QString, lepesek);
    QFETCH(QString, szamok);
    DobozFelvevo dobozok;
    sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, jutalek) VALUES (7, 1, 12.5), (8, 2, 10)"));
    Iro irok[2];
    std::function<void(const QString &)> lep = [&](const QString &lepes) {
        Iro &w = irok[lepes[0] == QLatin1Char('B')];
        const char muvelet = lepes[1].toLatin1();
        const QStringList sz = lepes.section(QLatin1Char('/'), 0, 0).mid(2).split(QLatin1Char(':'));
        w.sorok.setSzerkeszto([&, d = sz.last().toDouble(), kozben = lepes.section(QLatin1Char('/'), 1),
                               elso = true]() mutable {
            if (!kozben.isEmpty())
                lep(kozben);
            w.tbl.setValue(QStringLiteral("ossz_dij"), d);
            w.tbl.setValue(QStringLiteral("ossz_jut"), d / 8);
            return std::exchange(elso, false);  // a refused save is not tried again
        });
        w.tbl.refresh();
        QVERIFY(muvelet == '+' || w.tbl.locate(QStringLiteral("foglalaz"), sz[0].toInt()));
        dobozok.valaszok << true;
        QVERIFY(muvelet == '-' ? w.sorok.torol() : w.sorok.FoglalasSzerkeszt(muvelet == '+', 7));
    };
    for (const QString &lepes : lepesek.split(QLatin1Char(' ')))
        lep(lepes);
    data::Query q(db());
    q.setSql(QStringLiteral("SELECT foglalaz, ossz_dij, ossz_jut FROM foglalas ORDER BY foglalas"));
    q.open();
    QStringList maradt;
    double dij = 0, jut = 0;
    for (; !q.eof(); q.next()) {
        maradt << q.value(0).toString();
        dij += q.asFloat(QStringLiteral("ossz_dij"));
        jut += q.asFloat(QStringLiteral("ossz_jut"));
    }
    QCOMPARE(maradt.join(QLatin1Char(' ')), szamok);
    // The place holds its bookings' sums (it started empty), without a float
    // residue; the other place is untouched.
    QCOMPARE(helyOsszegek(), QString::number(dij, 'g', 12) + QLatin1Char('/') + QString::number(jut, 'g', 12));
    QCOMPARE(helyOsszegek(8), QStringLiteral("null/null"));
}

void TstFoglalas::elutasitottMentes_data()
{
    QTest::addColumn<bool>("uj");
    QTest::addColumn<QString>("tilt");      // what the engine refuses
    QTest::addColumn<bool>("ujra");         // retried, or given up
    QTest::addColumn<QString>("vart");      // the place's totals at the end
    QTest::newRow("new, place refused, retried") << true << "UPDATE ugyfel" << true << "148000/18500";
    QTest::newRow("new, place refused, given up") << true << "UPDATE ugyfel" << false << "100000/12500";
    QTest::newRow("new, booking refused, retried") << true << "INSERT foglalas" << true << "148000/18500";
    QTest::newRow("edit, place refused, retried") << false << "UPDATE ugyfel" << true << "108000/13500";
    QTest::newRow("edit, place refused, given up") << false << "UPDATE ugyfel" << false << "100000/12500";
    QTest::newRow("edit, booking refused, retried") << false << "UPDATE foglalas" << true << "108000/13500";
}

void TstFoglalas::elutasitottMentes()
{
    QFETCH(bool, uj);
    QFETCH(QString, tilt);
    QFETCH(bool, ujra);
    QFETCH(QString, vart);
    DobozFelvevo dobozok;
    Foglalasok f;
    if (uj)
        f.nyit();
    else
        f.foglalas(40000.0, 5000.0);
    const State allapot = uj ? State::Insert : State::Edit;
    refuseWrites(tilt.section(QLatin1Char(' '), 0, 0), tilt.section(QLatin1Char(' '), 1));
    int futasok = 0;
    QString masodik;
    f.sorok.setSzerkeszto([&] {
        if (++futasok == 1) {
            f.osszegek(48000.0, 6000.0);
            f.tbl.setValue(QStringLiteral("megjegyzes"), QStringLiteral("Erkély"));
            return true;
        }
        // Refused: the booking as typed, the place as saved, neither in
        // the file.
        masodik = QStringLiteral("%1 %2 %3 %4 %5").arg(f.tbl.asString(QStringLiteral("ossz_dij")),
                                                       f.tbl.asString(QStringLiteral("megjegyzes")))
                      .arg(f.tbl.state() == allapot)
                      .arg(f.helyek.state() == State::Browse)
                      .arg(helyOsszegek());
        writesAllowed(tilt.section(QLatin1Char(' '), 1));
        return ujra;
    });
    QCOMPARE(f.sorok.FoglalasSzerkeszt(uj, 7), ujra);
    QCOMPARE(futasok, 2);
    QCOMPARE(masodik, QStringLiteral("48000 Erkély 1 1 100000/12500"));
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY2(dobozok.hibak[0].contains(QStringLiteral("zárolva")), qPrintable(dobozok.hibak[0]));
    // Saved once, or not at all; the place shows its saved totals.
    QCOMPARE(helyOsszegek(), vart);
    QCOMPARE(f.helyek.state(), State::Browse);
    QCOMPARE(f.tbl.state(), State::Browse);
    QCOMPARE(QString::number(f.helyek.asFloat(QStringLiteral("ossz_dij")), 'g', 12), vart.section(QLatin1Char('/'), 0, 0));
    QCOMPARE(ertek(QStringLiteral("SELECT COUNT(*) FROM foglalas")).toInt(), uj && !ujra ? 0 : 1);
    QCOMPARE(ertek(QStringLiteral("SELECT ossz_dij FROM foglalas")).toDouble(), ujra ? 48000.0 : uj ? 0.0 : 40000.0);
}

void TstFoglalas::elutasitottTorles_data()
{
    QTest::addColumn<QString>("tilt");
    QTest::newRow("place refused") << "UPDATE ugyfel";
    QTest::newRow("booking refused") << "DELETE foglalas";
}

void TstFoglalas::elutasitottTorles()
{
    QFETCH(QString, tilt);
    DobozFelvevo dobozok;
    Foglalasok f(50000.0, 5000.0);
    f.foglalas(12000.0, 1200.0);
    refuseWrites(tilt.section(QLatin1Char(' '), 0, 0), tilt.section(QLatin1Char(' '), 1));
    dobozok.valaszok << true << true;
    QVERIFY(!f.sorok.torol());
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY2(dobozok.hibak[0].contains(QStringLiteral("zárolva")), qPrintable(dobozok.hibak[0]));
    // Neither happened: the booking is listed and current, the place shows
    // and holds its totals, nothing waits in edit.
    QCOMPARE(f.tbl.recordCount(), 1);
    QCOMPARE(f.tbl.asInteger(QStringLiteral("foglalas")), 3);
    QCOMPARE(ertek(QStringLiteral("SELECT COUNT(*) FROM foglalas")).toInt(), 1);
    QCOMPARE(helyOsszegek(), QStringLiteral("50000/5000"));
    QCOMPARE(f.helyek.state(), State::Browse);
    QCOMPARE(f.helyek.asFloat(QStringLiteral("ossz_dij")), 50000.0);
    // Once the engine allows it, the delete subtracts once.
    writesAllowed(tilt.section(QLatin1Char(' '), 1));
    QVERIFY(f.sorok.torol());
    QCOMPARE(f.tbl.recordCount(), 0);
    QCOMPARE(helyOsszegek(), QStringLiteral("38000/3800"));
}

namespace {

// Place 7: booking 3 (number 12) from 1 to 8 July and booking 5 (number 13)
// from 20 to 25 July; place 8: booking 6 (number 14) from 10 to 15 July.
void juliusiFoglalasok()
{
    sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (7, 1, 'Napfény'), (8, 2, 'Holdfény')"));
    sql(QStringLiteral("INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol, dat_ig) VALUES "
                       "(5, 13, 7, '2026-07-20', '2026-07-25'), (3, 12, 7, '2026-07-01', '2026-07-08'), "
                       "(6, 14, 8, '2026-07-10', '2026-07-15'), (9, 15, 7, NULL, NULL)"));
}

const QString k12 = QStringLiteral("Átfedés: a 00012. foglalás (2026.07.01. – 2026.07.08.).");

}  // namespace

void TstFoglalas::atfedes_data()
{
    QTest::addColumn<int>("hely");
    QTest::addColumn<QVariant>("sajat");
    QTest::addColumn<QString>("tol");
    QTest::addColumn<QString>("ig");
    QTest::addColumn<QString>("vart");
    const QVariant uj;
    const QString k13 = QStringLiteral("Átfedés: a 00013. foglalás (2026.07.20. – 2026.07.25.).");
    QTest::newRow("inside") << 7 << uj << "2026-07-03" << "2026-07-05" << k12;
    QTest::newRow("ends on its first day") << 7 << uj << "2026-06-25" << "2026-07-01" << "";
    QTest::newRow("starts on its last day") << 7 << uj << "2026-07-08" << "2026-07-10" << "";
    QTest::newRow("one night over its end") << 7 << uj << "2026-07-07" << "2026-07-09" << k12;
    QTest::newRow("covering two: the earlier named") << 7 << uj << "2026-06-01" << "2026-07-31" << k12;
    QTest::newRow("itself not counted") << 7 << QVariant(3) << "2026-07-02" << "2026-07-04" << "";
    QTest::newRow("itself moved onto the next") << 7 << QVariant(3) << "2026-07-05" << "2026-07-22" << k13;
    QTest::newRow("another place's not counted") << 7 << uj << "2026-07-10" << "2026-07-15" << "";
    QTest::newRow("that place's own") << 8 << uj << "2026-07-14" << "2026-07-16"
                                      << "Átfedés: a 00014. foglalás (2026.07.10. – 2026.07.15.).";
    QTest::newRow("no night") << 7 << uj << "2026-07-03" << "2026-07-03" << "";
    QTest::newRow("last day before first") << 7 << uj << "2026-07-07" << "2026-07-02" << "";
}

void TstFoglalas::atfedes()
{
    QFETCH(int, hely);
    QFETCH(QVariant, sajat);
    QFETCH(QString, tol);
    QFETCH(QString, ig);
    QFETCH(QString, vart);
    juliusiFoglalasok();
    QCOMPARE(AtfedesFigyelmeztetes(db(), hely, sajat, QDate::fromString(tol, Qt::ISODate), QDate::fromString(ig, Qt::ISODate)),
             vart);
}

void TstFoglalas::letszam_data()
{
    QTest::addColumn<int>("felnott");
    QTest::addColumn<int>("gyerek");
    QTest::addColumn<QVariant>("ferohely");
    QTest::addColumn<bool>("atfed");
    QTest::addColumn<QString>("vart");
    const QString tobb = QStringLiteral("A létszám (5) több, mint a szálláshely férőhelye (4).");
    QTest::newRow("over") << 3 << 2 << QVariant(4) << false << tobb;
    QTest::newRow("equal") << 2 << 2 << QVariant(4) << false << "";
    QTest::newRow("capacity 0: not known") << 9 << 0 << QVariant(0) << false << "";
    QTest::newRow("capacity empty: not known") << 9 << 0 << QVariant() << false << "";
    QTest::newRow("both, one a line") << 3 << 2 << QVariant(4) << true << k12 + QLatin1Char('\n') + tobb;
}

void TstFoglalas::letszam()
{
    QFETCH(int, felnott);
    QFETCH(int, gyerek);
    QFETCH(QVariant, ferohely);
    QFETCH(bool, atfed);
    QFETCH(QString, vart);
    juliusiFoglalasok();
    FoglalasAdatai f;
    f.hely = 7;
    f.tol = QDate(2026, 7, atfed ? 5 : 10);
    f.ig = QDate(2026, 7, 12);
    f.felnott = felnott;
    f.gyerek = gyerek;
    f.letszam = ferohely;
    QCOMPARE(FoglalasFigyelmeztetes(db(), f), vart);
}

void TstFoglalas::szabadHelyek_data()
{
    // One place (letszam, aktiv, tol, ig), its bookings, the stay asked for
    // six, and the free nights before / after it ("" when not listed).
    QTest::addColumn<QString>("hely");
    QTest::addColumn<QString>("foglalasok");
    QTest::addColumn<QString>("tartozkodas");
    QTest::addColumn<QString>("szabad");
    const QString het = QStringLiteral("2026-07-10/2026-07-17");
    QTest::newRow("touching stays") << "6,'I',NULL,NULL" << "2026-07-03/2026-07-10;2026-07-17/2026-07-20" << het << "0/0";
    QTest::newRow("one night shared") << "6,'I',NULL,NULL" << "2026-07-16/2026-07-20" << het << "";
    QTest::newRow("free nights around") << "8,'I',NULL,NULL" << "2026-07-01/2026-07-05;2026-07-20/2026-07-22" << het << "5/3";
    QTest::newRow("season over the new year") << "6,'I','12.01',' 2.28'" << "" << "2026-12-28/2027-01-03" << "14/14";
    QTest::newRow("season ends in the stay") << "6,'I',' 6.01',' 7.12'" << "" << het << "";
    QTest::newRow("unknown capacity") << "NULL,'I',NULL,NULL" << "" << het << "14/14";
    QTest::newRow("too small") << "4,'I',NULL,NULL" << "" << het << "";
    QTest::newRow("inactive") << "6,'N',NULL,NULL" << "" << het << "";
}

void TstFoglalas::szabadHelyek()
{
    QFETCH(QString, hely);
    QFETCH(QString, foglalasok);
    QFETCH(QString, tartozkodas);
    db().exec(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, letszam, aktiv, tol, ig) "
                             "VALUES (900, 900, 'Szabad', %1)").arg(hely));
    for (const QString &f : foglalasok.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        db().exec(QStringLiteral("INSERT INTO foglalas (ugyfel, dat_tol, dat_ig) VALUES (900, ?, ?)"), {f.left(10), f.mid(11)});
    const SzabadKerdes k{QDate::fromString(tartozkodas.left(10), Qt::ISODate),
                         QDate::fromString(tartozkodas.mid(11), Qt::ISODate), 6};
    QString szabad;
    for (const SzabadHely &h : SzabadHelyek(db(), k))
        if (h.hely == 900)
            szabad = QStringLiteral("%1/%2").arg(h.szabadElotte).arg(h.szabadUtana);
    QTEST(szabad, "szabad");
}

QTEST_GUILESS_MAIN(TstFoglalas)
#include "tst_foglalas.moc"
