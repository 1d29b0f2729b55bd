// The row-edit controller driven without windows, the slot guard, and the
// bound controls and grid model that follow a data set.

#include "app/beallitasok.h"
#include "app/helylista.h"
#include "common/alkalmazas.h"
#include "common/binding.h"
#include "common/datagrid.h"
#include "common/gridmodel.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/database.h"
#include "data/table.h"
#include "masterdata/torzsleiras.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>
#include <stdexcept>

using namespace testsupport;
using data::Database;

namespace {

Database &db()
{
    return Database::regiszter();
}

// The place types stored in the register, in key order, as "key/name".
QStringList tipusok()
{
    data::Table t(db(), QStringLiteral("tipus"));
    t.setIndexFieldNames(QStringLiteral("Tipus"));
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.asString(QStringLiteral("Tipus")) + QLatin1Char('/') + t.asString(QStringLiteral("Tipus_nev"));
    return out;
}

// A controller on its own type table, ordered by name, with types 3, 7, 12.
struct Tipusok {
    data::Table tbl{db(), QStringLiteral("tipus")};
    SorSzerkeszto sorok{tbl};
    Tipusok()
    {
        db().exec(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (3, 'c'), (7, 'a'), (12, 'b')"));
        tbl.setIndexFieldNames(QStringLiteral("Tipus_nev"));
        tbl.open();
        sorok.setKulcsMezo(QStringLiteral("Tipus"));
        sorok.setMentesHiba(QStringLiteral("Hiányos, vagy hibás adatmegadás"));
    }
    void ir(int kulcs, const QString &nev)
    {
        tbl.setValue(QStringLiteral("Tipus"), kulcs);
        tbl.setValue(QStringLiteral("Tipus_nev"), nev);
    }
};

// Saves a second row inside the same unit of work: a place type that the
// table refuses when its key is taken.
class KetSoros : public SorSzerkeszto {
public:
    KetSoros(data::DataSet &ds, data::DataSet &masik) : SorSzerkeszto(ds), m_masik(masik) {}

protected:
    void mentes() override
    {
        SorSzerkeszto::mentes();
        m_masik.post();
    }

private:
    data::DataSet &m_masik;
};

// Counts the rows its lookups read.
class SzamoloTabla : public data::Table {
public:
    using data::Table::Table;
    mutable int olvasasok = 0;

protected:
    data::Row fetchRow(int row) const override
    {
        ++olvasasok;
        return data::Table::fetchRow(row);
    }
};

}  // namespace

class TstSorSzerkeszto : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup() { m_reg.reset(); }

    void ujSzerkesztMegsem_data();
    void ujSzerkesztMegsem();
    void ujSorNemIndul_data();
    void ujSorNemIndul();
    void elutasitottMentes_data();
    void elutasitottMentes();
    void egysegbenMent();
    void masikIras_data();
    void masikIras();
    void torles_data();
    void torles();
    void ujHelyAlapertekei();
    void torzsCsalad_data();
    void torzsCsalad();
    void vedettKapcsolas_data();
    void vedettKapcsolas();
    void racsSzerkesztesKozben();
    void kotesVezerloNelkul();
    void kikeresoSokSorral();
    void modellEgySort();

private:
    std::unique_ptr<OpenRegister> m_reg;
};

void TstSorSzerkeszto::ujSzerkesztMegsem_data()
{
    QTest::addColumn<bool>("uj");
    QTest::addColumn<bool>("elfogad");
    QTest::addColumn<QStringList>("vart");
    QTest::newRow("új, OK") << true << true << QStringList{"3/c", "7/a", "12/b", "20/új"};
    QTest::newRow("új, Mégsem") << true << false << QStringList{"3/c", "7/a", "12/b"};
    QTest::newRow("szerkeszt, OK") << false << true << QStringList{"3/c", "7/a", "12/új"};
    QTest::newRow("szerkeszt, Mégsem") << false << false << QStringList{"3/c", "7/a", "12/b"};
}

void TstSorSzerkeszto::ujSzerkesztMegsem()
{
    QFETCH(bool, uj);
    QFETCH(bool, elfogad);
    QFETCH(QStringList, vart);
    DobozFelvevo dobozok;
    Tipusok t;
    t.tbl.setCurrentRow(1);  // "b", key 12
    QSignalSpy mentve(&t.sorok, &SorSzerkeszto::mentve);
    data::State futasAlatt = data::State::Browse;
    t.sorok.setAlapertekek([](data::DataSet &ds) { ds.setValue(QStringLiteral("Tipus"), 20); });
    t.sorok.setSzerkeszto([&] {
        futasAlatt = t.tbl.state();
        t.tbl.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("új"));
        return elfogad;
    });
    QCOMPARE(uj ? t.sorok.uj() : t.sorok.szerkeszt(), elfogad);
    QCOMPARE(futasAlatt, uj ? data::State::Insert : data::State::Edit);
    QCOMPARE(t.tbl.state(), data::State::Browse);
    QCOMPARE(tipusok(), vart);
    QCOMPARE(mentve.size(), elfogad ? 1 : 0);
    QCOMPARE(dobozok.hibak, QStringList());
    // A saved row stays the current one.
    if (elfogad)
        QCOMPARE(t.tbl.asString(QStringLiteral("Tipus_nev")), QStringLiteral("új"));
}

void TstSorSzerkeszto::ujSorNemIndul_data()
{
    QTest::addColumn<int>("mi");
    QTest::addColumn<QStringList>("hibak");
    QTest::newRow("a rendelő nem választott") << 0 << QStringList();
    QTest::newRow("az előkészítés hibás") << 1 << QStringList{"Nincs kapcsolat."};
    QTest::newRow("az alapérték hibás") << 2 << QStringList{"Rossz alapérték."};
}

void TstSorSzerkeszto::ujSorNemIndul()
{
    QFETCH(int, mi);
    QFETCH(QStringList, hibak);
    DobozFelvevo dobozok;
    Tipusok t;
    int futasok = 0;
    t.sorok.setUjElott([&] {
        if (mi == 1)
            throw data::DbError(QStringLiteral("Nincs kapcsolat."));
        return mi != 0;
    });
    t.sorok.setAlapertekek([](data::DataSet &) { throw std::runtime_error("Rossz alapérték."); });
    t.sorok.setSzerkeszto([&] { return ++futasok > 0; });
    QVERIFY(!t.sorok.uj());
    QCOMPARE(futasok, 0);
    QCOMPARE(dobozok.hibak, hibak);
    QCOMPARE(t.tbl.state(), data::State::Browse);
    QCOMPARE(t.tbl.recordCount(), 3);
}

void TstSorSzerkeszto::elutasitottMentes_data()
{
    QTest::addColumn<bool>("uj");
    QTest::addColumn<bool>("javit");
    QTest::addColumn<QStringList>("vart");
    QTest::newRow("új, javítva") << true << true << QStringList{"3/c", "7/a", "12/b", "13/d"};
    QTest::newRow("új, Mégsem") << true << false << QStringList{"3/c", "7/a", "12/b"};
    QTest::newRow("szerkeszt, javítva") << false << true << QStringList{"3/c", "7/a", "13/d"};
    QTest::newRow("szerkeszt, Mégsem") << false << false << QStringList{"3/c", "7/a", "12/b"};
}

void TstSorSzerkeszto::elutasitottMentes()
{
    QFETCH(bool, uj);
    QFETCH(bool, javit);
    QFETCH(QStringList, vart);
    DobozFelvevo dobozok;
    Tipusok t;
    t.tbl.setCurrentRow(1);
    // The user types a key that another type holds; the table refuses it.
    QList<QPair<data::State, QString>> futasok;
    t.sorok.setSzerkeszto([&] {
        futasok << qMakePair(t.tbl.state(), t.tbl.asString(QStringLiteral("Tipus_nev")));
        if (futasok.size() == 1) {
            t.ir(3, QStringLiteral("d"));
            return true;
        }
        if (javit)
            t.tbl.setValue(QStringLiteral("Tipus"), 13);
        return javit;
    });
    QCOMPARE(uj ? t.sorok.uj() : t.sorok.szerkeszt(), javit);
    // The editor ran again on the unsaved row, with what the user typed.
    const data::State allapot = uj ? data::State::Insert : data::State::Edit;
    QCOMPARE(futasok.size(), 2);
    QCOMPARE(futasok[1], qMakePair(allapot, QStringLiteral("d")));
    QCOMPARE(dobozok.hibak.size(), 1);
    QVERIFY2(dobozok.hibak[0].startsWith(QStringLiteral("Hiányos, vagy hibás adatmegadás\r\n")),
             qPrintable(dobozok.hibak[0]));
    QVERIFY(dobozok.hibak[0].size() > 33);  // the engine's message follows
    QCOMPARE(t.tbl.state(), data::State::Browse);
    QCOMPARE(tipusok(), vart);
}

void TstSorSzerkeszto::egysegbenMent()
{
    // The save step posts two rows; the second is refused: neither is kept.
    DobozFelvevo dobozok;
    data::Table tbl(db(), QStringLiteral("tipus"));
    data::Table masik(db(), QStringLiteral("tipus"));
    db().exec(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (1, 'a')"));
    tbl.open();
    masik.open();
    KetSoros sorok(tbl, masik);
    int futasok = 0;
    QPair<data::State, QString> ujra;
    sorok.setSzerkeszto([&] {
        if (++futasok > 1) {
            ujra = qMakePair(tbl.state(), tbl.asString(QStringLiteral("Tipus_nev")));
            return false;
        }
        tbl.setValue(QStringLiteral("Tipus"), 2);
        tbl.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("b"));
        masik.insert();
        masik.setValue(QStringLiteral("Tipus"), 1);
        return true;
    });
    QVERIFY(!sorok.uj());
    QCOMPARE(dobozok.hibak.size(), 1);
    // The editor ran again on the first row, given back as typed; its
    // cancel left nothing.
    QCOMPARE(futasok, 2);
    QCOMPARE(ujra, qMakePair(data::State::Insert, QStringLiteral("b")));
    QCOMPARE(tipusok(), QStringList{"1/a"});
    QVERIFY(!tbl.isEditing());
}

void TstSorSzerkeszto::masikIras_data()
{
    QTest::addColumn<bool>("torol");
    QTest::addColumn<QString>("masik");       // what another program did since the row was shown
    // Name/town/fees shown, at the editor's rerun, in the list after; then the verb of each message.
    QTest::addColumn<QStringList>("latott");
    QTest::newRow("módosította") << false << "UPDATE ugyfel SET ugyfel_nev = 'B', ossz_dij = 5"
                                 << QStringList{"A//1", "B/Eger/5", "B/Eger/5", "módosította."};
    QTest::newRow("törölte") << false << "DELETE FROM ugyfel" << QStringList{"A//1", "A/Eger/1", "A/Eger/1", "törölte."};
    QTest::newRow("összegét mozgatta") << false << "UPDATE ugyfel SET ossz_dij = ossz_dij + 5" << QStringList{"A//1", "A/Eger/6"};
    QTest::newRow("törlés, módosította") << true << "UPDATE ugyfel SET ugyfel_nev = 'B'" << QStringList{"A//1", "B//1", "módosította,"};
    QTest::newRow("törlés, törölte") << true << "DELETE FROM ugyfel" << QStringList{"A//1", "törölte."};
}

void TstSorSzerkeszto::masikIras()
{
    QFETCH(bool, torol);
    QFETCH(QString, masik);
    QFETCH(QStringList, latott);
    DobozFelvevo dobozok;
    dobozok.valaszok << true;
    db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev, ossz_dij) VALUES (1, 'A', 1)"));
    data::Table hely(db(), QStringLiteral("ugyfel"));
    hely.open();
    const auto sor = [&hely] {
        return hely.asString(QStringLiteral("ugyfel_nev")) + '/' + hely.asString(QStringLiteral("cim_varos")) + '/'
               + hely.asString(QStringLiteral("ossz_dij"));
    };
    QStringList futasok{sor()};
    QSqlDatabase masikProgram =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(QTest::currentDataTag()));
    masikProgram.setDatabaseName(m_reg->folder().dbFile());
    QVERIFY(masikProgram.open() && QSqlQuery(masikProgram).exec(masik));
    // The user types a town and presses OK again when the editor comes back.
    SorSzerkeszto sorok(hely);
    sorok.setSzerkeszto([&] {
        hely.isModified() ? void(futasok << sor()) : hely.setValue(QStringLiteral("cim_varos"), QStringLiteral("Eger"));
        return futasok.size() < 3;
    });
    QCOMPARE(torol ? sorok.torol() : sorok.szerkeszt(), !torol);
    for (hely.first(); !hely.eof(); hely.next())
        futasok << sor();
    for (const QString &hiba : qAsConst(dobozok.hibak))  // "A sort időközben ... program <verb>"
        futasok << hiba.section(QLatin1Char(' '), 8, 8);
    QCOMPARE(futasok, latott);
}

void TstSorSzerkeszto::torles_data()
{
    QTest::addColumn<bool>("igen");
    QTest::addColumn<QStringList>("vart");
    QTest::newRow("Igen") << true << QStringList{"3/c", "12/b"};
    QTest::newRow("Nem") << false << QStringList{"3/c", "7/a", "12/b"};
}

void TstSorSzerkeszto::torles()
{
    QFETCH(bool, igen);
    QFETCH(QStringList, vart);
    DobozFelvevo dobozok;
    Tipusok t;
    dobozok.valaszok << igen;
    QCOMPARE(t.sorok.torol(), igen);
    QCOMPARE(dobozok.kerdesek, QStringList{"Valóban töröljem a sort?"});
    QCOMPARE(tipusok(), vart);
    // Nothing to delete: no question.
    t.tbl.setFilter(QStringLiteral("Tipus=99"));
    t.tbl.setFiltered(true);
    QVERIFY(!t.sorok.torol());
    QCOMPARE(dobozok.kerdesek.size(), 1);
}

void TstSorSzerkeszto::ujHelyAlapertekei()
{
    DobozFelvevo dobozok;
    db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (1, 'A'), (5, 'B')"));
    TBeall beall;
    HelyLista lista(db(), beall);
    lista.nyit();
    lista.Tbl()->setFilter(QStringLiteral("sorszam=1"));
    lista.Tbl()->setFiltered(true);
    QStringList latott;
    bool elfogad = false;
    lista.sorok()->setSzerkeszto([&] {
        data::Table &t = *lista.Tbl();
        for (const char *m : {"sorszam", "cim_varos", "aktiv", "udulesicsekk", "jutalek", "ossz_dij", "letszam"})
            latott << t.asString(QLatin1String(m));
        return elfogad;
    });
    // A cancelled place uses up no number; the whole table counts, not the filter.
    QVERIFY(!lista.sorok()->uj());
    elfogad = true;
    QVERIFY(lista.sorok()->uj());
    const QStringList egy{"6", QString(), "I", "N", "0", "0", "0"};
    QCOMPARE(latott, egy + egy);
    QCOMPARE(dobozok.hibak, QStringList());
}

void TstSorSzerkeszto::torzsCsalad_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("ujKulcs");
    QTest::newRow("típusok") << 0 << QStringLiteral("8");
    QTest::newRow("területek") << 1 << QString();
    QTest::newRow("fizetési módok") << 2 << QString();
}

void TstSorSzerkeszto::torzsCsalad()
{
    // Types are numbered by the list; areas and payment methods by the table.
    QFETCH(int, tag);
    QFETCH(QString, ujKulcs);
    const TorzsLeiras &l = tag == 0 ? TorzsTipus() : tag == 1 ? TorzsTerulet() : TorzsFizmod();
    db().exec(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (1, 'x'), (2, 'y'), (7, 'z')")
                  .arg(l.tabla, l.kulcsMezo, l.nevMezo));
    data::Table t(db(), l.tabla);
    t.setIndexFieldNames(l.nevMezo);
    t.open();
    SorSzerkeszto sorok(t);
    TorzsSorok(sorok, l);
    QString kozben = QStringLiteral("?");
    sorok.setSzerkeszto([&] {
        kozben = t.asString(l.kulcsMezo);
        t.setValue(l.nevMezo, QStringLiteral("a"));
        return true;
    });
    QVERIFY(sorok.uj());
    QCOMPARE(kozben, ujKulcs);
    // The new row is current, first by name, and selection hands back its key.
    QCOMPARE(t.currentRow(), 0);
    QCOMPARE(sorok.kulcs().toInt(), 8);
}

void TstSorSzerkeszto::vedettKapcsolas_data()
{
    QTest::addColumn<int>("hiba");
    QTest::addColumn<QString>("uzenet");
    QTest::addColumn<QString>("vart");
    QTest::newRow("motor") << 0 << QString() << QStringLiteral("Key violation.");
    QTest::newRow("más hiba") << 1 << QString() << QStringLiteral("Elfogyott a hely");
    QTest::newRow("megadott szöveg") << 0 << QStringLiteral("Nem menthető.") << QStringLiteral("Nem menthető.");
}

void TstSorSzerkeszto::vedettKapcsolas()
{
    QFETCH(int, hiba);
    QFETCH(QString, uzenet);
    QFETCH(QString, vart);
    DobozFelvevo dobozok;
    QLineEdit kuldo;
    int utana = 0;
    QString kapott;
    VedettKapcsol(&kuldo, &QLineEdit::textChanged, &kuldo, [&] {
        if (hiba == 0)
            throw data::DbError(QStringLiteral("Key violation."));
        throw std::runtime_error("Elfogyott a hely");
        ++utana;
    }, uzenet);
    // The next slot of the same signal still runs, with the signal's argument.
    VedettKapcsol(&kuldo, &QLineEdit::textChanged, &kuldo, [&](const QString &s) { kapott = s; });
    VedettKapcsol(&kuldo, &QLineEdit::textChanged, &kuldo, &QLineEdit::setPlaceholderText);
    kuldo.setText(QStringLiteral("x"));
    QCOMPARE(dobozok.hibak, QStringList{vart});
    QCOMPARE(utana, 0);
    QCOMPARE(kapott, QStringLiteral("x"));
    QCOMPARE(kuldo.placeholderText(), QStringLiteral("x"));
}

void TstSorSzerkeszto::racsSzerkesztesKozben()
{
    // While the row is in edit, a click elsewhere leaves the data set on its
    // row, and the selection goes back to it.
    Tipusok t;
    DataGrid racs;
    racs.setDataSet(&t.tbl, {QStringLiteral("Tipus_nev")});
    t.tbl.edit();
    racs.selectionModel()->setCurrentIndex(racs.model()->index(2, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCOMPARE(t.tbl.currentRow(), 0);
    QTRY_COMPARE(racs.currentIndex().row(), 0);
    QCOMPARE(t.tbl.state(), data::State::Edit);
}

void TstSorSzerkeszto::kotesVezerloNelkul()
{
    // A control destroyed with its page is never touched again.
    Tipusok t;
    data::Binder kotes(&t.tbl);
    QLineEdit marad;
    auto *lap = new QWidget;
    auto *elmegy = new QLineEdit(lap);
    kotes.bindEdit(elmegy, QStringLiteral("Tipus_nev"));
    kotes.bindEdit(&marad, QStringLiteral("Tipus_nev"));
    delete lap;
    t.tbl.next();
    t.tbl.edit();
    t.tbl.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("bb"));
    kotes.load();
    QCOMPARE(kotes.incompleteField(), QString());
    QCOMPARE(marad.text(), QStringLiteral("bb"));
}

void TstSorSzerkeszto::kikeresoSokSorral()
{
    // 20,000 orderers; moving across bookings reads each orderer once at most.
    db().exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                             "INSERT INTO foglalo (foglalo, foglalo_nev) SELECT i, 'rendelő ' || i FROM n"));
    db().exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
                             "INSERT INTO foglalas (foglalaz, foglalo) SELECT i, i * 397 FROM n"));
    SzamoloTabla rendelok(db(), QStringLiteral("foglalo"));
    rendelok.open();
    data::Table foglalasok(db(), QStringLiteral("foglalas"));
    foglalasok.open();
    data::Binder kotes(&foglalasok);
    QComboBox lista;
    kotes.bindLookup(&lista, QStringLiteral("foglalo"), &rendelok, QStringLiteral("foglalo"),
                     QStringLiteral("foglalo_nev"));
    QCOMPARE(lista.count(), 20000);
    for (foglalasok.first(); !foglalasok.eof(); foglalasok.next())
        QCOMPARE(lista.currentText(), QStringLiteral("rendelő %1").arg(foglalasok.recNo() * 397));
    QVERIFY2(rendelok.olvasasok <= 20000 + 200, qPrintable(QString::number(rendelok.olvasasok)));

    // The list follows a change of its source.
    foglalasok.first();
    rendelok.locate(QStringLiteral("foglalo"), 397);
    rendelok.edit();
    rendelok.setValue(QStringLiteral("foglalo_nev"), QStringLiteral("Új Név"));
    rendelok.post();
    QCOMPARE(lista.currentText(), QStringLiteral("Új Név"));
}

void TstSorSzerkeszto::modellEgySort()
{
    Tipusok t;
    data::DataSetModel modell(&t.tbl);
    modell.setColumns(QStringList{QStringLiteral("Tipus_nev")});
    QSignalSpy ujra(&modell, &QAbstractItemModel::modelReset);
    QSignalSpy valtozott(&modell, &QAbstractItemModel::dataChanged);
    t.tbl.setCurrentRow(1);
    t.tbl.edit();
    t.tbl.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("bb"));  // stays second by name
    QCOMPARE(modell.index(1, 0).data().toString(), QStringLiteral("bb"));  // shown as typed
    t.tbl.post();
    QCOMPARE(ujra.size(), 0);
    QCOMPARE(valtozott[0][0].toModelIndex().row(), 1);
    QCOMPARE(modell.index(1, 0).data().toString(), QStringLiteral("bb"));
    // A row that moves in the order resets the view.
    t.tbl.edit();
    t.tbl.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("z"));
    t.tbl.post();
    QCOMPARE(ujra.size(), 1);
    QCOMPARE(modell.index(2, 0).data().toString(), QStringLiteral("z"));
}

int main(int argc, char **argv)
{
    Alkalmazas app(argc, argv);
    useHungarianLocale();
    TstSorSzerkeszto tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_sorszerkeszto.moc"
