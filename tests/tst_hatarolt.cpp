// Delimited text export without windows: the file's bytes for tables and
// queries, the options, stopping, replacing, characters the code page
// lacks; the booking list query of a period.

#include "bookings/foglalaslista_riport.h"
#include "common/kodlap.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "data/tablewalk.h"
#include "reports/hataroltiro.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <numeric>

using data::Database;
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

QByteArray tartalom(const QString &fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nincs>");
}

// The file's lines, decoded, without their CR LF.
QStringList sorok(const QString &fajl)
{
    QStringList s = kodlap::dekodol1250(tartalom(fajl)).split(QStringLiteral("\r\n"));
    if (!s.isEmpty() && s.last().isEmpty())
        s.removeLast();
    return s;
}

// A line of the default settings split into its items.
QStringList tetelek(const QString &sor)
{
    QString s = sor;
    if (!s.startsWith(QLatin1Char('"')) || !s.endsWith(QStringLiteral("\";")))
        return {QStringLiteral("<rossz sor>"), sor};
    return s.mid(1, s.size() - 3).split(QStringLiteral("\";\""));
}

hatarolt::Eredmeny kiir(data::DataSet &ds, const QString &fajl, const hatarolt::Beallitas &b = {})
{
    hatarolt::Iro iro(ds, b);
    return iro.ir(fajl);
}

void helyek(int db)
{
    sql(QStringLiteral("DELETE FROM ugyfel"));
    sql(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (3, 'Vendégház')"));
    for (int i = 1; i <= db; ++i)
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, ugyfel_nev, sorszam, tipus, jutalek, ossz_dij, megjegyzes) "
                           "VALUES (?, ?, ?, 3, 1234.5, 150000, 'hosszú szöveg')"),
            {i, QStringLiteral("Fenyő lak %1").arg(i), i});
}

}  // namespace

class TestHatarolt : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OpenRegister> m_reg;
    QTemporaryDir m_dir;
    QString fajl(const char *nev) const { return m_dir.filePath(QLatin1String(nev)); }

private Q_SLOTS:
    void initTestCase() { useHungarianLocale(); SKIP_WITHOUT_SERVER(); }
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void beallitasok_data()
    {
        QTest::addColumn<QString>("elvalaszto");
        QTest::addColumn<QString>("jelolo");
        QTest::addColumn<QByteArray>("vart");
        QTest::newRow("alap") << ";" << "\"" << QByteArray("\"a\";\"b\";\r\n\"1\";\"x\";\r\n");
        QTest::newRow("tab, aposztrof") << "\t" << "'" << QByteArray("'a'\t'b'\t\r\n'1'\t'x'\t\r\n");
        QTest::newRow("vessző, semmi") << "," << "" << QByteArray("a,b,\r\n1,x,\r\n");
    }
    void beallitasok()
    {
        QFETCH(QString, elvalaszto);
        QFETCH(QString, jelolo);
        QFETCH(QByteArray, vart);
        data::Query q(db());
        q.setSql(QStringLiteral("SELECT 1 AS a, 'x' AS b"));
        q.open();
        const hatarolt::Eredmeny e = kiir(q, fajl("b.csv"), {elvalaszto, jelolo});
        QCOMPARE(tartalom(fajl("b.csv")), vart);
        QCOMPARE(e.sorok, 1);
        QVERIFY(!e.megallitva);
    }

    // Nothing inside an item is escaped: a separator in a value splits it.
    void semmiSemEscapelve()
    {
        data::Query q(db());
        q.setSql(QStringLiteral("SELECT 'a;b' AS x, 'ő\"q' AS y"));
        q.open();
        kiir(q, fajl("e.csv"), {QStringLiteral(";"), QString()});
        QCOMPARE(tartalom(fajl("e.csv")), QByteArray("x;y;\r\na;b;\xF5\"q;\r\n"));
    }

    void ertekek_data()
    {
        QTest::addColumn<QString>("kifejezes");
        QTest::addColumn<QString>("vart");
        QTest::newRow("tört") << "1234.5" << "1234,5";
        QTest::newRow("egész forint") << "150000.0" << "150000";
        QTest::newRow("negatív") << "-2.25" << "-2,25";
        QTest::newRow("15 jegy") << "0.1 + 0.2" << "0,3";
        QTest::newRow("nagy egész") << "123456789012345678" << "123456789012345678";
        QTest::newRow("null") << "NULL" << "";
        QTest::newRow("szöveg") << "'Árvíztűrő'" << "Árvíztűrő";
    }
    void ertekek()
    {
        QFETCH(QString, kifejezes);
        QFETCH(QString, vart);
        data::Query q(db());
        q.setSql(QStringLiteral("SELECT %1 AS v").arg(kifejezes));
        q.open();
        kiir(q, fajl("v.csv"), {QStringLiteral(","), QString()});
        QCOMPARE(sorok(fajl("v.csv")), QStringList({QStringLiteral("v,"), vart + QLatin1Char(',')}));
    }

    // Dates in the short date form, logical values in English, whatever the
    // data layer's own text of them is.
    void datumEsLogikai()
    {
        sql(QStringLiteral("INSERT INTO emil (emil, kuldve) VALUES ('a@b.hu', 1), ('c@d.hu', 0)"));
        data::Table t(db(), QStringLiteral("emil"));
        t.setIndexFieldNames(QStringLiteral("emil"));
        t.addCalculatedField({QStringLiteral("kelt"), schema::FieldType::Date},
                             [](const data::DataSet &, const data::Row &) { return QVariant(QDate(2024, 3, 1)); });
        t.open();
        kiir(t, fajl("d.csv"));
        const QStringList s = sorok(fajl("d.csv"));
        QCOMPARE(s.size(), 3);
        const QStringList fej = tetelek(s[0]);
        const QStringList elso = tetelek(s[1]);
        const QStringList masodik = tetelek(s[2]);
        QCOMPARE(elso.value(fej.indexOf(QStringLiteral("kuldve"))), QStringLiteral("True"));
        QCOMPARE(masodik.value(fej.indexOf(QStringLiteral("kuldve"))), QStringLiteral("False"));
        QCOMPARE(elso.value(fej.indexOf(QStringLiteral("kelt"))), QStringLiteral("2024.03.01."));
    }

    // The main list: labels, lookups beside their keys, memos as BLOB,
    // floats plain, accents in the code page's bytes.
    void helyLista()
    {
        helyek(2);
        data::Table t(db(), QStringLiteral("ugyfel"));
        t.setIndexFieldNames(QStringLiteral("sorszam"));
        t.open();
        const hatarolt::Eredmeny e = kiir(t, fajl("Nyugvar.csv"));
        QCOMPARE(e.sorok, 2);
        const QStringList s = sorok(fajl("Nyugvar.csv"));
        QCOMPARE(s.size(), 3);
        const QStringList fej = tetelek(s[0]);
        QCOMPARE(fej.size(), t.fieldCount());
        QCOMPARE(fej.mid(0, 5), QStringList({QStringLiteral("ugyfel"), QStringLiteral("szálláshely"),
                                             QStringLiteral("sorszám"), QStringLiteral("tipus"),
                                             QStringLiteral("típus")}));
        const QStringList sor = tetelek(s[1]);
        QCOMPARE(sor.size(), fej.size());
        auto ertek = [&](const char *cim) { return sor.value(fej.indexOf(QString::fromUtf8(cim)), QStringLiteral("<nincs>")); };
        QCOMPARE(ertek("szálláshely"), QStringLiteral("Fenyő lak 1"));
        QCOMPARE(ertek("sorszám"), QStringLiteral("1"));  // no "00000"
        QCOMPARE(ertek("tipus"), QStringLiteral("3"));
        QCOMPARE(ertek("típus"), QStringLiteral("Vendégház"));
        QCOMPARE(ertek("jutalék %"), QStringLiteral("1234,5"));
        QCOMPARE(ertek("össz.díj"), QStringLiteral("150000"));
        QCOMPARE(ertek("megjegyzés"), QStringLiteral("BLOB"));
        QCOMPARE(ertek("szolgaltatas"), QStringLiteral("BLOB"));  // null, a memo all the same
        QCOMPARE(ertek("terület"), QString());
        QVERIFY(tartalom(fajl("Nyugvar.csv")).contains("\"Feny\xF5 lak 1\""));
        // A full walk leaves the data set on its last row, past the end.
        QVERIFY(t.eof());
        QCOMPARE(t.currentRow(), 1);
    }

    void uresAdatkeszlet()
    {
        data::Table t(db(), QStringLiteral("fizmod"));
        t.setFilter(QStringLiteral("fizmod=-1"));
        t.setFiltered(true);
        t.open();
        QCOMPARE(t.recordCount(), 0);
        kiir(t, fajl("u.csv"));
        QCOMPARE(sorok(fajl("u.csv")).size(), 1);
        QVERIFY(tartalom(fajl("u.csv")).endsWith("\";\r\n"));
    }

    // A stop leaves a finished file of the rows before it, and the data
    // set on the first row not written; the old file is replaced.
    void megallitasEsCsere()
    {
        helyek(10);
        const QString f = fajl("m.csv");
        {
            QFile regi(f);
            QVERIFY(regi.open(QIODevice::WriteOnly));
            regi.write(QByteArray(5000, 'r'));
        }
        data::Table t(db(), QStringLiteral("ugyfel"));
        t.setIndexFieldNames(QStringLiteral("sorszam"));
        t.open();
        hatarolt::Iro iro(t, {});
        iro.setJelzesKoz(0);
        QVector<int> jelzesek;
        iro.setHaladas([&](int n) {
            jelzesek << n;
            if (n == 3)
                iro.megallit();
        });
        const hatarolt::Eredmeny e = iro.ir(f);
        QVERIFY(e.megallitva);
        QCOMPARE(e.sorok, 3);
        const QStringList s = sorok(f);
        QCOMPARE(s.size(), 4);
        QCOMPARE(tetelek(s[3]).value(1), QStringLiteral("Fenyő lak 3"));
        QVERIFY(!tartalom(f).contains('r' + QByteArray("rrr")));
        QCOMPARE(t.currentRow(), 3);
        QVERIFY(!t.eof());
        QCOMPARE(jelzesek.mid(0, 4), QVector<int>({0, 1, 2, 3}));
    }

    // An error in the walk leaves the old file as it was.
    void hibaNemBantja()
    {
        helyek(5);
        const QString f = fajl("h.csv");
        {
            QFile regi(f);
            QVERIFY(regi.open(QIODevice::WriteOnly));
            regi.write("regi");
        }
        data::Table t(db(), QStringLiteral("ugyfel"));
        t.setIndexFieldNames(QStringLiteral("sorszam"));
        t.addCalculatedField({QStringLiteral("hibas"), schema::FieldType::Integer},
                             [](const data::DataSet &, const data::Row &r) -> QVariant {
                                 if (r.value(0).toInt() == 4)
                                     throw data::DbError(QStringLiteral("olvasási hiba"));
                                 return 1;
                             });
        t.open();
        QVERIFY_THROWS_EXCEPTION(data::DbError, kiir(t, f));
        QCOMPARE(tartalom(f), QByteArray("regi"));
        QVERIFY_THROWS_EXCEPTION(data::DbError, kiir(t, m_dir.filePath(QStringLiteral("nincs/ilyen/x.csv"))));
    }

    void kodlapHiany()
    {
        data::Query q(db());
        q.setSql(QStringLiteral("SELECT 'ok' AS a, 'x' AS b UNION ALL SELECT 'Ő€', '日本😀' ORDER BY 1"));
        q.open();
        const hatarolt::Eredmeny e = kiir(q, fajl("k.csv"));
        QCOMPARE(tartalom(fajl("k.csv")), QByteArray("\"a\";\"b\";\r\n\"ok\";\"x\";\r\n\"\xD5\x80\";\"???\";\r\n"));
        QCOMPARE(e.csere, 3);
        QCOMPARE(e.csereSor, 2);
        QCOMPARE(e.csereMezo, QStringLiteral("b"));
        const QString uzenet = hatarolt::KeszUzenet(QStringLiteral("k.csv"), e);
        QVERIFY(uzenet.startsWith(QStringLiteral("k.csv file export kész.")));
        QVERIFY(uzenet.contains(QStringLiteral("3 karakter")));
        QCOMPARE(hatarolt::KeszUzenet(QStringLiteral("k.csv"), {}), QStringLiteral("k.csv file export kész."));
    }

    // ---- the forward walk under the export ---------------------------

    // Every source hands out, row by row, what valuesAt reads, and stands
    // where the walk stopped.
    void soronkentOlvas_data()
    {
        QTest::addColumn<QString>("forras");
        QTest::addColumn<QString>("szuro");
        QTest::addColumn<int>("megall");
        QTest::newRow("tábla") << "ugyfel" << "" << -1;
        QTest::newRow("szűrt tábla") << "ugyfel" << "sorszam>3" << -1;
        QTest::newRow("lekérdezés") << "SELECT * FROM ugyfel ORDER BY sorszam DESC" << "" << -1;
        QTest::newRow("szűrt lekérdezés") << "SELECT * FROM ugyfel ORDER BY sorszam DESC" << "sorszam<5" << -1;
        QTest::newRow("lekérdezés, megállítva") << "SELECT * FROM ugyfel ORDER BY sorszam" << "" << 2;
        QTest::newRow("tábla, megállítva") << "ugyfel" << "" << 0;
    }
    void soronkentOlvas()
    {
        QFETCH(QString, forras);
        QFETCH(QString, szuro);
        QFETCH(int, megall);
        helyek(7);
        std::unique_ptr<data::DataSet> ds;
        if (forras.startsWith(QStringLiteral("SELECT"))) {
            auto q = std::make_unique<data::Query>(db());
            q->setSql(forras);
            ds = std::move(q);
        } else {
            auto t = std::make_unique<data::Table>(db(), forras);
            t->setIndexFieldNames(QStringLiteral("sorszam"));
            ds = std::move(t);
        }
        ds->addCalculatedField({QStringLiteral("ketszeres"), schema::FieldType::Integer},
                               [](const data::DataSet &, const data::Row &r) { return r.value(2).toInt() * 2; });
        if (!szuro.isEmpty()) {
            ds->setFilter(szuro);
            ds->setFiltered(true);
        }
        ds->open();
        ds->setCurrentRow(ds->recordCount() - 1);
        int olvasott = 0;
        {
            data::RowReader olvaso(*ds);
            while (olvasott != megall && olvaso.next()) {
                QCOMPARE(olvaso.row(), olvasott);
                const data::Row elvart = ds->valuesAt(olvasott);
                QCOMPARE(olvaso.values().size(), ds->fieldCount());
                for (int f = 0; f < ds->fieldCount(); ++f)
                    QCOMPARE(olvaso.values().at(f), elvart.at(f));
                ++olvasott;
            }
        }
        QVERIFY(olvasott > 0 || megall == 0);
        if (megall < 0) {
            QCOMPARE(olvasott, ds->recordCount());
            QVERIFY(ds->eof());
            QCOMPARE(ds->currentRow(), ds->recordCount() - 1);
        } else {
            // The last row handed out, the first when none was.
            QCOMPARE(ds->currentRow(), qMax(0, megall - 1));
            QVERIFY(!ds->eof());
        }
    }

    // The export's walk of a table, in pages or in the engine's order,
    // hands out every visible row once with what valuesAt reads, the
    // fields it is told not to read null, and ends on the last row.
    void tablaSeta_data()
    {
        QTest::addColumn<bool>("tarolasiRend");
        QTest::addColumn<QString>("szuro");
        QTest::newRow("lapokban") << false << "";
        QTest::newRow("lapokban, szűrve") << false << "sorszam>3";
        QTest::newRow("tárolási rendben") << true << "";
        QTest::newRow("tárolási rendben, szűrve") << true << "sorszam<5";
    }
    void tablaSeta()
    {
        QFETCH(bool, tarolasiRend);
        QFETCH(QString, szuro);
        helyek(7);
        sql(QStringLiteral("UPDATE ugyfel SET sorszam = 10 - ugyfel"));  // the list against the stored order
        data::Table t(db(), QStringLiteral("ugyfel"));
        t.setIndexFieldNames(QStringLiteral("sorszam"));
        t.setFilter(szuro);
        t.setFiltered(!szuro.isEmpty());
        t.open();
        const int olvasatlan = t.fieldIndex(QStringLiteral("megjegyzes"));
        QVector<int> latott;
        {
            data::TableWalk seta(t, {olvasatlan}, tarolasiRend);
            for (int elozo = -1; seta.next(); elozo = seta.row()) {
                QVERIFY(tarolasiRend || seta.row() == elozo + 1);
                const data::Row elvart = t.valuesAt(seta.row());
                for (int f = 0; f < t.fieldCount(); ++f)
                    QCOMPARE(seta.value(f), f == olvasatlan ? QVariant() : elvart.at(f));
                latott << seta.row();
            }
        }
        std::sort(latott.begin(), latott.end());
        QVector<int> mind(t.recordCount());
        std::iota(mind.begin(), mind.end(), 0);
        QCOMPARE(latott, mind);
        QCOMPARE(t.currentRow(), t.recordCount() - 1);
        QVERIFY(t.eof());
    }

    // ---- the booking list of a period ---------------------------------

    void foglalasLista()
    {
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, ugyfel_nev) VALUES (7, 'Napfény'), (8, 'Más')"));
        sql(QStringLiteral("INSERT INTO fizmod (fizmod, fizmod_nev) VALUES (1, 'készpénz')"));
        const struct {
            int az, hely;
            const char *tol, *ig;
        } foglalasok[] = {{1, 7, "2024-02-28", "2024-03-03"}, {2, 7, "2024-03-31", "2024-04-02"},
                          {3, 7, "2024-03-01", "2024-03-02"}, {4, 8, "2024-03-10", "2024-03-12"},
                          {5, 7, "2024-04-01", "2024-04-03"}};
        for (const auto &f : foglalasok)
            sql(QStringLiteral("INSERT INTO foglalas (foglalaz, ugyfel, dat_tol, dat_ig, fizmod, jutalek, ossz_dij, "
                               "ar_fogl) VALUES (?, ?, ?, ?, 1, 10, 40000, 5)"),
                {f.az, f.hely, QLatin1String(f.tol), QLatin1String(f.ig)});

        auto q = foglalaslista::Lekerdezes(db(), 7, QDate(2024, 3, 1), QDate(2024, 3, 31));
        q->open();
        QStringList nevek, cimek;
        for (int i = 0; i < q->fieldCount(); ++i) {
            nevek << q->field(i).def.name;
            cimek << q->field(i).def.title();
        }
        const QStringList vart = QStringLiteral("foglalas foglalaz ugyfel dat_tol dat_ig nap foglalo letszam_felnott "
                                                "letszam_gyerek fizmod jutalek ossz_dij ossz_jut ugyfel_nev "
                                                "foglalo_nev fizmod_nev megjegyzes")
                                     .split(QLatin1Char(' '));
        QCOMPARE(nevek, vart);
        QCOMPARE(cimek, vart);
        QCOMPARE(q->field(1).def.format, QStringLiteral("00000"));
        QCOMPARE(q->field(10).def.format, QStringLiteral("##0%"));
        QCOMPARE(q->field(11).def.format, QStringLiteral("### ### ##0"));
        QCOMPARE(q->field(12).def.format, QStringLiteral("### ### ##0"));
        QCOMPARE(q->field(3).def.type, schema::FieldType::Date);
        QCOMPARE(q->field(16).def.type, schema::FieldType::Memo);

        QStringList azok;
        for (q->first(); !q->eof(); q->next())
            azok << q->asString(QStringLiteral("foglalaz"));
        QCOMPARE(azok, QStringList({QStringLiteral("3"), QStringLiteral("2")}));
        QCOMPARE(q->displayText(QStringLiteral("foglalaz")), QStringLiteral("00002"));

        kiir(*q, fajl("f.csv"));
        const QStringList s = sorok(fajl("f.csv"));
        QCOMPARE(tetelek(s.value(0)), vart);
        QCOMPARE(tetelek(s.value(1)).mid(3, 2), QStringList({QStringLiteral("2024.03.01."), QStringLiteral("2024.03.02.")}));
        QCOMPARE(tetelek(s.value(1)).mid(13), QStringList({QStringLiteral("Napfény"), QString(),
                                                           QStringLiteral("készpénz"), QStringLiteral("BLOB")}));

        // A period whose first day is after its last lists nothing.
        auto forditott = foglalaslista::Lekerdezes(db(), 7, QDate(2024, 3, 31), QDate(2024, 3, 1));
        forditott->open();
        QCOMPARE(forditott->recordCount(), 0);
        QCOMPARE(foglalaslista::IdoszakSzoveg(QDate(2024, 3, 1), QDate(2024, 3, 31)),
                 QStringLiteral("2024.03.01 - 2024.03.31"));
    }
};

QTEST_GUILESS_MAIN(TestHatarolt)
#include "tst_hatarolt.moc"
