// The booking reports without windows: the list of a place for a period and
// the confirmation of one booking, laid out over the register's data with
// the fixed measure and read back as pages of primitives.

#include "bookings/tqrfoglalas.h"
#include "bookings/tqrfogligazol.h"
#include "data/database.h"
#include "data/query.h"
#include "reports/engine/measurer.h"
#include "riportkereses.h"
#include "testsupport.h"

#include <QTest>

using namespace riport;
using data::Database;
using testsupport::findText;
using testsupport::textsStartingWith;

namespace {

Database &db() { return Database::regiszter(); }

void sql(const QString &statement, const QVariantList &params = {}) { db().exec(statement, params); }

struct Foglalas {
    int foglalaz;
    QDate tol, ig;
    double dij = 0, jut = 0;
    QVariant memo = {};
};

void foglalasok(int hely, const QVector<Foglalas> &lista)
{
    Database::Transaction t(db());
    for (const Foglalas &f : lista)
        sql(QStringLiteral("INSERT INTO foglalas (foglalaz, ugyfel, dat_tol, dat_ig, nap, foglalo, fizmod, jutalek, "
                           "ossz_dij, ossz_jut, megjegyzes, letszam_felnott, letszam_gyerek) VALUES (?, ?, ?, ?, ?, 1, 1, 10, ?, ?, ?, 2, 1)"),
            {f.foglalaz, hely, f.tol, f.ig, f.tol.daysTo(f.ig), f.dij, f.jut, f.memo});
    t.commit();
}

PreparedReport lista(int hely, const QDate &tol, const QDate &ig)
{
    FoglalasListaMenet menet(db(), hely, tol, ig);
    return layoutReport(menet.riport, menet.adatok(), FixedMeasurer());
}

PreparedReport igazolas(int foglalas)
{
    FoglIgazolMenet menet(db(), foglalas);
    return layoutReport(menet.riport, menet.adatok(), FixedMeasurer());
}

QStringList szovegek(const PreparedReport &r)
{
    QStringList out;
    for (int i = 0; i < r.pageCount(); ++i)
        out << r.pageTexts(i);
    return out;
}

// The booking numbers printed, in order.
QStringList szamok(const PreparedReport &r)
{
    QStringList out;
    for (const QString &t : szovegek(r))
        if (t.size() == 5 && t.startsWith(QLatin1String("00")))
            out << t;
    return out;
}

const QStringList kFeliratok = QStringLiteral("id foglaló tól ig éj gyerek felnőtt fiz.mód jut.% díj jutalék").split(' ');

constexpr double kBal = 10, kFent = 10;  // the margins

}  // namespace

class TestFoglRiport : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::OpenRegister> m_reg;

private Q_SLOTS:
    void initTestCase() { testsupport::useHungarianLocale(); SKIP_WITHOUT_SERVER(); }
    void init()
    {
        m_reg = std::make_unique<testsupport::OpenRegister>();
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, cim_orszag, cim_irsz, cim_varos, cim_cim, "
                           "kapcsolat, kapcs_telefon, kapcs_mobil, jutalek, ossz_dij) VALUES (7, 1, 'Napfény Vendégház', "
                           "'H', '8230', 'Balatonfüred', 'Fő út 1.', 'Kő Ödön', '87/123-456', '30/987-6543', 12, 999)"));
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (8, 2, 'Más hely')"));
        sql(QStringLiteral("INSERT INTO foglalo (foglalo, foglalo_nev) VALUES (1, 'Szűcs Árpád')"));
        sql(QStringLiteral("INSERT INTO fizmod (fizmod, fizmod_nev) VALUES (1, 'átutalás')"));
    }
    void cleanup() { m_reg.reset(); }

    // March: the bookings that start on its first and last day, not the one
    // that began in February and reaches into it, nor another place's; a
    // period turned round lists nothing.
    void marciusiIdoszak()
    {
        foglalasok(7, {{1, QDate(2024, 2, 28), QDate(2024, 3, 3)},
                       {2, QDate(2024, 3, 31), QDate(2024, 4, 2)},
                       {3, QDate(2024, 3, 1), QDate(2024, 3, 4)},
                       {4, QDate(2024, 4, 1), QDate(2024, 4, 2)}});
        foglalasok(8, {{5, QDate(2024, 3, 10), QDate(2024, 3, 12)}});
        const PreparedReport r = lista(7, QDate(2024, 3, 1), QDate(2024, 3, 31));
        QCOMPARE(r.pageCount(), 1);
        QCOMPARE(szamok(r), QStringList({QStringLiteral("00003"), QStringLiteral("00002")}));
        const Primitive *idoszak = findText(r, 0, QStringLiteral("2024.03.01 - 2024.03.31"));
        QVERIFY(idoszak);
        QCOMPARE(idoszak->x, float(kBal));
        QCOMPARE(idoszak->y, float(kFent + 14.6));
        const Primitive *nev = findText(r, 0, QStringLiteral("Napfény Vendégház"));
        QVERIFY(nev);
        QCOMPARE(nev->y, float(kFent + 9.3));
        QVERIFY(r.font(*nev).bold);
        QVERIFY(findText(r, 0, QStringLiteral("Foglalások listája")));
        QVERIFY(findText(r, 0, QStringLiteral("qrFoglalas")));
        // Days in the short date format, the rate as a whole percent.
        QVERIFY(findText(r, 0, QStringLiteral("2024.03.01.")));
        QVERIFY(findText(r, 0, QStringLiteral("10%")));
        QVERIFY(findText(r, 0, QStringLiteral("Szűcs Árpád")));

        // From after to: nothing listed, and with no rows no place name.
        const PreparedReport forditott = lista(7, QDate(2024, 3, 31), QDate(2024, 3, 1));
        QCOMPARE(forditott.pageCount(), 1);
        QVERIFY(szamok(forditott).isEmpty());
        QVERIFY(findText(forditott, 0, QStringLiteral("2024.03.31 - 2024.03.01")));
        QVERIFY(findText(forditott, 0, QStringLiteral("összesen")));
        QVERIFY(!findText(forditott, 0, QStringLiteral("Napfény Vendégház")));
    }

    // The sums add the stored amounts and round only for the display.
    void osszegekKerekitveCsakAKiirasban()
    {
        foglalasok(7, {{1, QDate(2024, 3, 2), QDate(2024, 3, 5), 40000, 4000},
                       {2, QDate(2024, 3, 9), QDate(2024, 3, 12), 33333, 3333.3}});
        const PreparedReport r = lista(7, QDate(2024, 3, 1), QDate(2024, 3, 31));
        const Primitive *dij = findText(r, 0, QStringLiteral("73 333"));
        const Primitive *jut = findText(r, 0, QStringLiteral("7 333"));
        QVERIFY(dij && jut);
        QCOMPARE(dij->x, float(kBal + 152.1));
        QCOMPARE(jut->x, float(kBal + 172.0));
        QCOMPARE(dij->align, Align::Right);
        QVERIFY(r.font(*dij).bold && r.font(*jut).bold);
        // The row's own amount, in the list's amount format.
        QVERIFY(findText(r, 0, QStringLiteral("3 333")));
        QVERIFY(findText(r, 0, QStringLiteral("40 000")));
    }

    // Every caption stands above its field: same left, width and alignment.
    void feliratokAMezokFelett()
    {
        foglalasok(7, {{12, QDate(2024, 3, 2), QDate(2024, 3, 5), 40000, 4000}});
        const PreparedReport r = lista(7, QDate(2024, 3, 1), QDate(2024, 3, 31));
        const QStringList ertekek = {QStringLiteral("00012"), QStringLiteral("Szűcs Árpád"), QStringLiteral("2024.03.02."),
                                     QStringLiteral("2024.03.05."), QStringLiteral("3"), QStringLiteral("1"),
                                     QStringLiteral("2"), QStringLiteral("átutalás"), QStringLiteral("10%"),
                                     QStringLiteral("40 000"), QStringLiteral("4 000")};
        const float reszletFent = float(kFent + 30.1 + 1.3);
        for (int i = 0; i < kFeliratok.size(); ++i) {
            const Primitive *felirat = findText(r, 0, kFeliratok[i]);
            QVERIFY2(felirat, qPrintable(kFeliratok[i]));
            QCOMPARE(felirat->y, float(kFent + 23.8));
            QVERIFY(r.font(*felirat).italic);
            const Primitive *ertek = nullptr;
            for (const Primitive &p : r.pages[0].primitives)
                if (p.kind == Primitive::Text && p.y == reszletFent && p.x == felirat->x)
                    ertek = &p;
            QVERIFY2(ertek, qPrintable(kFeliratok[i]));
            QCOMPARE(r.text(*ertek), ertekek[i]);
            QCOMPARE(ertek->w, felirat->w);
            QCOMPARE(ertek->align, felirat->align);
        }
    }

    // A long remark makes its booking's band grow; the next one follows it.
    void hosszuMegjegyzesNyujtjaASort()
    {
        const QString hosszu = QStringLiteral("Érkezés késő este, a kulcs a szomszédnál. ").repeated(12);
        foglalasok(7, {{1, QDate(2024, 3, 2), QDate(2024, 3, 5), 0, 0, hosszu},
                       {2, QDate(2024, 3, 9), QDate(2024, 3, 12)}});
        const PreparedReport r = lista(7, QDate(2024, 3, 1), QDate(2024, 3, 31));
        const Primitive *elso = findText(r, 0, QStringLiteral("00001"));
        const Primitive *masodik = findText(r, 0, QStringLiteral("00002"));
        const Primitive *memo = findText(r, 0, hosszu);
        QVERIFY(elso && masodik && memo);
        QCOMPARE(memo->x, float(kBal + 21.2));
        const int sorok = FixedMeasurer().lineCount(hosszu, font(QStringLiteral("Tahoma"), 8), 168.3);
        QVERIFY(sorok > 2);
        QVERIFY(memo->h >= float(FixedMeasurer().wrappedHeight(hosszu, font(QStringLiteral("Tahoma"), 8), 168.3)) - 0.01f);
        // The grown band keeps the 1 mm below the remark above its rule.
        QVERIFY(qAbs(masodik->y - (memo->y + memo->h + 1.0 + 1.3)) < 1e-3);
    }

    // Several pages: the header with the place, the period and the captions
    // on each; the summary once, after the last booking.
    void tobbOldalasLista()
    {
        QVector<Foglalas> sok;
        for (int i = 1; i <= 60; ++i)
            sok.append({i, QDate(2024, 1, 1).addDays(i), QDate(2024, 1, 3).addDays(i), 1000, 100});
        foglalasok(7, sok);
        const PreparedReport r = lista(7, QDate(2024, 1, 1), QDate(2024, 12, 31));
        // 297 - 20 - 30.1 - 14.6 = 232.3 mm holds 19 bookings of 11.9 mm.
        QCOMPARE(r.pageCount(), 4);
        QCOMPARE(szamok(r).size(), 60);
        for (int p = 0; p < r.pageCount(); ++p) {
            const QString oldal = QString::number(p + 1);
            QVERIFY2(findText(r, p, QStringLiteral("Napfény Vendégház")), qPrintable(oldal));
            QVERIFY2(findText(r, p, QStringLiteral("2024.01.01 - 2024.12.31")), qPrintable(oldal));
            for (const QString &f : kFeliratok)
                QVERIFY2(findText(r, p, f), qPrintable(oldal + QLatin1Char(' ') + f));
            QVERIFY2(findText(r, p, QStringLiteral("oldal: ") + oldal), qPrintable(oldal));
            QCOMPARE(bool(findText(r, p, QStringLiteral("összesen"))), p == r.pageCount() - 1);
        }
        QCOMPARE(szovegek(r).count(QStringLiteral("60 000")), 1);
        QCOMPARE(szovegek(r).count(QStringLiteral("6 000")), 1);
        // The summary follows the last booking on the last page.
        const Primitive *utolso = findText(r, r.pageCount() - 1, QStringLiteral("00060"));
        const Primitive *osszesen = findText(r, r.pageCount() - 1, QStringLiteral("összesen"));
        QVERIFY(utolso && osszesen);
        QVERIFY(osszesen->y > utolso->y);
    }

    // ---- the confirmation ---------------------------------------------

    void igazolasEgyFoglalasrol()
    {
        sql(QStringLiteral("INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol, dat_ig, nap, foglalo, fizmod, "
                           "letszam_felnott, letszam_gyerek, jutalek, ossz_dij, ossz_jut, ar_fogl, ar_helyszin) VALUES "
                           "(5, 42, 7, '2024-07-01', '2024-07-08', 7, 1, 1, 2, 3, 10, 80000, 8000, 20000, 60000)"));
        FoglIgazolMenet menet(db(), 5);
        // The place's own columns that repeat a booking's are numbered.
        QCOMPARE(menet.lekerdezes().value(QStringLiteral("ugyfel")).toInt(), 7);
        QCOMPARE(menet.lekerdezes().value(QStringLiteral("ugyfel_1")).toInt(), 7);
        QCOMPARE(menet.lekerdezes().value(QStringLiteral("ossz_dij_1")).toDouble(), 999.0);
        QCOMPARE(menet.lekerdezes().value(QStringLiteral("jutalek")).toDouble(), 10.0);
        const PreparedReport r = layoutReport(menet.riport, menet.adatok(), FixedMeasurer());
        QCOMPARE(r.pageCount(), 1);
        const struct {
            const char *szoveg;
            double bal, fent;
            bool felkover, dolt;
        } vart[] = {
            {"hivatkozás", 0, 4.0, false, true},         {"00042", 23.8, 4.0, true, false},
            {"Szűcs Árpád", 68.8, 4.0, true, false},     {"Szálláshely adatok", 0, 14.6, false, true},
            {"Balatonfüred", 48.9, 30.4, true, false},   {"30/987-6543", 55.6, 41.0, true, false},
            {"éjszakák száma", 70.1, 60.9, false, true}, {"3", 134.9, 60.9, true, false},
            {"60 000", 92.6, 80.7, true, false},         {"átutalás", 162.7, 80.7, true, false},
        };
        const double reszlet = kFent + 22.2;
        for (const auto &v : vart) {
            const Primitive *p = findText(r, 0, QString::fromUtf8(v.szoveg));
            QVERIFY2(p, v.szoveg);
            QCOMPARE(p->x, float(kBal + v.bal));
            QCOMPARE(p->y, float(reszlet + v.fent));
            QCOMPARE(r.font(*p).bold, v.felkover);
            QCOMPARE(r.font(*p).italic, v.dolt);
        }
        // The fee and the commission are not on it.
        QVERIFY(!findText(r, 0, QStringLiteral("80 000")));
        QVERIFY(!findText(r, 0, QStringLiteral("8 000")));
        // The signature box and the standard footer's lines below it.
        const double labresz = 297 - kFent - 32.1;
        const Primitive *alairas = findText(r, 0, QStringLiteral("aláírás"));
        QVERIFY(alairas);
        QCOMPARE(alairas->y, float(labresz + 11.9));
        QCOMPARE(alairas->align, Align::Center);
        const Primitive *azonosito = findText(r, 0, QStringLiteral("qrFoglIgazol"));
        QVERIFY(azonosito);
        QCOMPARE(azonosito->y, float(labresz + 26.5));
        QVERIFY(findText(r, 0, QStringLiteral("Foglalás igazolás")));
    }

    // No payment method and an orderer deleted since: both names empty,
    // the rest of the booking as it is.
    void igazolasHianyzoNevekkel()
    {
        sql(QStringLiteral("INSERT INTO foglalo (foglalo, foglalo_nev) VALUES (2, 'Törölt Tivadar')"));
        sql(QStringLiteral("INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol, dat_ig, foglalo, fizmod) VALUES "
                           "(6, 43, 7, '2024-07-01', '2024-07-08', 2, NULL)"));
        sql(QStringLiteral("DELETE FROM foglalo WHERE foglalo = 2"));
        const PreparedReport r = igazolas(6);
        QCOMPARE(r.pageCount(), 1);
        QVERIFY(findText(r, 0, QStringLiteral("00043")));
        QVERIFY(findText(r, 0, QStringLiteral("Napfény Vendégház")));
        const QStringList t = szovegek(r);
        QVERIFY(!t.contains(QStringLiteral("Törölt Tivadar")));
        QVERIFY(!t.contains(QStringLiteral("átutalás")));
        // Whatever stands in the name's place prints as nothing.
        for (const Primitive &p : r.pages[0].primitives)
            if (p.kind == Primitive::Text && (p.x == float(kBal + 68.8) || p.x == float(kBal + 162.7)))
                QVERIFY2(r.text(p).isEmpty(), qPrintable(r.text(p)));
    }

    void igazolasIsmeretlenKulccsal()
    {
        const PreparedReport r = igazolas(12345);
        QCOMPARE(r.pageCount(), 1);
        QVERIFY(findText(r, 0, QStringLiteral("Foglalás igazolás")));
        QVERIFY(findText(r, 0, QStringLiteral("qrFoglIgazol")));
        QVERIFY(findText(r, 0, QStringLiteral("oldal: 1")));
        QVERIFY(!findText(r, 0, QStringLiteral("hivatkozás")));
        QVERIFY(!findText(r, 0, QStringLiteral("Szálláshely adatok")));
    }
};

QTEST_GUILESS_MAIN(TestFoglRiport)
#include "tst_foglriport.moc"
