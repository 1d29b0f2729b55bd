// The free SQL window: telling queries from commands, running them against
// the register, and its statement files in Windows-1250.

#include "common/alkalmazas.h"
#include "common/datagrid.h"
#include "common/fajlvalaszto.h"
#include "common/programmappa.h"
#include "data/database.h"
#include "data/query.h"
#include "reports/hataroltiro.h"
#include "reports/tfrm_hatarolt.h"
#include "testsupport.h"
#include "tools/sqlfajta.h"
#include "tools/sqlszerkeszto.h"
#include "tools/tfrm_sql.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

using namespace testsupport;

namespace {

data::Database &db()
{
    return data::Database::regiszter();
}

QString nevAz(int sorszam)
{
    data::Query q(db());
    q.setSql(QStringLiteral("SELECT ugyfel_nev FROM ugyfel WHERE sorszam = %1").arg(sorszam));
    q.open();
    return q.asString(QStringLiteral("ugyfel_nev"));
}

// The captions of a menu's or a tool bar's entries, "-" for a separator.
QStringList feliratok(const QList<QAction *> &akciok)
{
    QStringList out;
    for (QAction *a : akciok)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QByteArray bajtok(const QString &utvonal)
{
    QFile f(utvonal);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TstSql : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void fajta_data();
    void fajta();
    void kinezet();
    void kijeloltVagyEgesz();
    void kisbetusLekerdezes();
    void parancsValtoztat();
    void kommenttelParancs();
    void hibasLekerdezes();
    void vagolapCsakSqlLapon();
    void ujUtanMentesJavasol();
    void fajlOdaVissza();
    void fajlHiba();

private:
    Tfrm_SQL &ablak() { return *m_ablak; }
    QAction *a(const char *nev) { return m_ablak->akcio(QLatin1String(nev)); }
    void futtat(const QString &sql)
    {
        m_ablak->szerkeszto()->setText(sql);
        a("aFuttat")->trigger();
    }

    std::unique_ptr<OpenRegister> m_reg;
    std::unique_ptr<DobozFelvevo> m_dobozok;
    std::unique_ptr<Tfrm_SQL> m_ablak;
    QList<FajlKeres> m_keresek;
    QStringList m_valaszok;  // the dialogs' answers, in turn
};

void TstSql::init()
{
    m_reg = std::make_unique<OpenRegister>();
    m_dobozok = std::make_unique<DobozFelvevo>();
    setProgramMappa(m_reg->folder().root());
    db().exec(QStringLiteral("INSERT INTO ugyfel (sorszam, ugyfel_nev) VALUES (1, 'Almás'), (2, 'Bükkös'), (3, 'Cseresznyés')"));
    m_keresek.clear();
    m_valaszok.clear();
    setFajlKeresValaszto([this](QWidget *, const FajlKeres &k) {
        m_keresek << k;
        return m_valaszok.isEmpty() ? QString() : m_valaszok.takeFirst();
    });
    m_ablak = std::make_unique<Tfrm_SQL>(db());
}

void TstSql::cleanup()
{
    m_ablak.reset();
    setFajlKeresValaszto({});
    m_dobozok.reset();
    m_reg.reset();
}

void TstSql::fajta_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("lekerdezes");
    QTest::newRow("nagybetűs") << "SELECT * FROM ugyfel" << true;
    QTest::newRow("szóközök, kisbetű") << "   select * from ugyfel" << true;
    QTest::newRow("tab és sorvég előtte") << "\t\r\n\nSeLeCt 1" << true;
    QTest::newRow("vezérlőkarakter előtte") << QStringLiteral("\x01\x1f SELECT 1") << true;
    QTest::newRow("csak a kulcsszó, utána sorvég") << "select\n" << true;
    QTest::newRow("komment előbb") << "-- lista\nSELECT 1" << false;
    QTest::newRow("blokk komment előbb") << "/* x */ SELECT 1" << false;
    QTest::newRow("zárójel") << "(SELECT 1)" << false;
    QTest::newRow("WITH") << "WITH t AS (SELECT 1) SELECT * FROM t" << false;
    QTest::newRow("UPDATE") << "update ugyfel set aktiv = 'I'" << false;
    QTest::newRow("üres") << "" << false;
    QTest::newRow("csak szóköz") << " \t\n " << false;
    QTest::newRow("csonka") << "  SELEC" << false;
}

void TstSql::fajta()
{
    QFETCH(QString, sql);
    QFETCH(bool, lekerdezes);
    QCOMPARE(SqlLekerdezes(sql), lekerdezes);
}

void TstSql::kinezet()
{
    QCOMPARE(ablak().windowTitle(), QStringLiteral("SQL lekérdezés"));
    QCOMPARE(ablak().size(), QSize(585, 405));
    QVERIFY(ablak().minimumSize() != ablak().maximumSize());

    struct Akcio {
        const char *nev;
        QString felirat;
        QKeySequence billentyu;
    };
    const QList<Akcio> akciok = {
        {"aUj", "Új SQL", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"aMegnyit", "SQL megnyitása", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"aMent", "SQL mentése", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"aExport", "Export", QKeySequence(QStringLiteral("Ctrl+E"))},
        {"aBezar", "Bezár", QKeySequence()},
        {"aKivag", "Kivág", QKeySequence(QStringLiteral("Ctrl+X"))},
        {"aMasol", "Másol", QKeySequence(QStringLiteral("Ctrl+C"))},
        {"aBeilleszt", "Beilleszt", QKeySequence(QStringLiteral("Ctrl+V"))},
        {"aMindet", "Mindet kijelöl", QKeySequence(QStringLiteral("Ctrl+A"))},
        {"aFuttat", "SQL lekérdezés", QKeySequence(QStringLiteral("F5"))},
    };
    for (const Akcio &e : akciok) {
        QVERIFY2(a(e.nev), e.nev);
        QCOMPARE(a(e.nev)->text(), e.felirat);
        QCOMPARE(a(e.nev)->shortcut(), e.billentyu);
    }
    QVERIFY(!a("aExport")->isEnabled());

    auto *menuSor = ablak().findChild<QMenuBar *>();
    QVERIFY(menuSor);
    QCOMPARE(feliratok(menuSor->actions()), (QStringList{"Fájl", "Szerkesztés", "SQL"}));
    const QList<QAction *> menuk = menuSor->actions();
    QCOMPARE(feliratok(menuk[0]->menu()->actions()),
             (QStringList{"Új SQL", "SQL megnyitása", "SQL mentése", "-", "Export", "-", "Bezár"}));
    QCOMPARE(feliratok(menuk[1]->menu()->actions()), (QStringList{"Kivág", "Másol", "Beilleszt", "-", "Mindet kijelöl"}));
    QCOMPARE(feliratok(menuk[2]->menu()->actions()), QStringList{"SQL lekérdezés"});
    QCOMPARE(feliratok(ablak().findChild<QToolBar *>()->actions()),
             (QStringList{"Új SQL", "SQL megnyitása", "SQL mentése", "-", "Export", "-", "SQL lekérdezés", "-",
                          "Kivág", "Másol", "Beilleszt", "-", "Bezár"}));
    QCOMPARE(feliratok(ablak().szerkesztoMenu()->actions()),
             (QStringList{"SQL lekérdezés", "-", "Új SQL", "SQL megnyitása", "SQL mentése", "-", "Kivág", "Másol",
                          "Beilleszt", "Mindet kijelöl"}));
    QCOMPARE(feliratok(ablak().racsMenu()->actions()), (QStringList{"Másol", "-", "Export"}));

    QCOMPARE(ablak().lapok()->count(), 2);
    QCOMPARE(ablak().lapok()->tabText(0), QStringLiteral("SQL"));
    QCOMPARE(ablak().lapok()->tabText(1), QStringLiteral("Eredmény"));

    ablak().show();
    QVERIFY(QTest::qWaitForWindowExposed(&ablak()));
    QApplication::setActiveWindow(&ablak());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(ablak().szerkeszto()));
    QCOMPARE(ablak().lapok()->currentIndex(), 0);
    // The editor's colours and fonts.
    // The control keeps colours as 0xBBGGRR.
    QCOMPARE(ablak().szerkeszto()->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEBACK), 0xFFF0E1L);
    QVERIFY(ablak().szerkeszto()->lexer()->font(QsciLexerSQL::Default).fixedPitch());
    QCOMPARE(ablak().szerkeszto()->lexer()->font(QsciLexerSQL::Default).pointSize(), 10);
    QCOMPARE(ablak().szerkeszto()->lexer()->color(QsciLexerSQL::CommentLine), QColor(0x00, 0x80, 0x00));
    QCOMPARE(ablak().szerkeszto()->lexer()->color(QsciLexerSQL::Number), QColor(0x00, 0x00, 0xFF));
    QCOMPARE(ablak().szerkeszto()->lexer()->color(QsciLexerSQL::SingleQuotedString), QColor(0xFF, 0x00, 0x00));
    QVERIFY(ablak().szerkeszto()->marginWidth(0) > 0);
}

void TstSql::kijeloltVagyEgesz()
{
    const QString sql = QStringLiteral("SELECT sorszam FROM ugyfel WHERE sorszam > 1");
    ablak().szerkeszto()->setText(sql);
    // Only "SELECT sorszam FROM ugyfel" is selected: every place comes.
    ablak().szerkeszto()->setSelection(0, 0, 0, 26);
    a("aFuttat")->trigger();
    QVERIFY(ablak().eredmeny()->isOpen());
    QCOMPARE(ablak().eredmeny()->recordCount(), 3);
    // Without a selection the whole text runs.
    ablak().szerkeszto()->setCursorPosition(0, 0);
    a("aFuttat")->trigger();
    QCOMPARE(ablak().eredmeny()->sql(), sql);
    QCOMPARE(ablak().eredmeny()->recordCount(), 2);
    // A selection typed over is gone: the whole text runs as it now reads.
    ablak().szerkeszto()->setSelection(0, 43, 0, 44);
    gepel(ablak().szerkeszto(), QStringLiteral("2"));
    a("aFuttat")->trigger();
    QCOMPARE(ablak().eredmeny()->sql(), QStringLiteral("SELECT sorszam FROM ugyfel WHERE sorszam > 2"));
    QVERIFY(m_dobozok->hibak.isEmpty());
}

void TstSql::kisbetusLekerdezes()
{
    futtat(QStringLiteral("   \n\tselect * from ugyfel"));
    QVERIFY(m_dobozok->hibak.isEmpty());
    QVERIFY(ablak().eredmeny()->isOpen());
    QCOMPARE(ablak().lapok()->currentIndex(), 1);
    QVERIFY(a("aExport")->isEnabled());
    // Every column of the result, by its name, 64 pixels wide.
    const QAbstractItemModel *modell = ablak().racs()->model();
    QCOMPARE(modell->columnCount(), ablak().eredmeny()->fieldCount());
    QVERIFY(modell->columnCount() > 10);
    QCOMPARE(modell->rowCount(), 3);
    for (int i = 0; i < modell->columnCount(); ++i)
        QCOMPARE(ablak().racs()->columnWidth(i), 64);
    for (int i = 0; i < modell->columnCount(); ++i)
        QCOMPARE(modell->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), ablak().eredmeny()->field(i).def.name);
    QCOMPARE(modell->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("ugyfel_nev"));
    QVERIFY(ablak().eredmeny()->isReadOnly());
    // Values as stored, not in the table's display format ("00001"); the
    // export is headed by the column names too, not by the tables' labels.
    QCOMPARE(modell->index(0, ablak().eredmeny()->fieldIndex(QStringLiteral("sorszam"))).data(), QVariant("1"));
    const QString csv = m_reg->folder().root() + QStringLiteral("/e.csv");
    hatarolt::Iro(*ablak().eredmeny(), {}).ir(csv);
    QVERIFY(bajtok(csv).split('\r').first().contains("\";\"sorszam\";\""));

    // Export hands the open result to the export window, with no name proposed.
    bool latott = false;
    onNextModal([&](QWidget *w) {
        const auto zaras = qScopeGuard([w] { w->close(); });
        auto *export_ = qobject_cast<Tfrm_Hatarolt *>(w);
        QVERIFY(export_);
        latott = export_->eFilenev->text().isEmpty();
    });
    a("aExport")->trigger();
    QVERIFY(latott);
    // The window closed, the result is closed too.
    ablak().reject();
    QVERIFY(!ablak().eredmeny()->isOpen());
}

void TstSql::parancsValtoztat()
{
    QVERIFY(!ablak().parancsFutott());
    futtat(QStringLiteral("UPDATE ugyfel SET ugyfel_nev = 'Új név' WHERE sorszam = 2"));
    QCOMPARE(m_dobozok->uzenetek, QStringList{QStringLiteral("SQL futtatás kész.")});
    QVERIFY(m_dobozok->hibak.isEmpty());
    QCOMPARE(nevAz(2), QStringLiteral("Új név"));
    QCOMPARE(nevAz(1), QStringLiteral("Almás"));
    QVERIFY(ablak().parancsFutott());
    QVERIFY(!ablak().eredmeny()->isOpen());
    QVERIFY(!a("aExport")->isEnabled());
    QCOMPARE(ablak().lapok()->currentIndex(), 0);
}

void TstSql::kommenttelParancs()
{
    // A SELECT after a comment line is a command: it runs and shows nothing.
    futtat(QStringLiteral("-- a helyek\nSELECT * FROM ugyfel"));
    QCOMPARE(m_dobozok->uzenetek, QStringList{QStringLiteral("SQL futtatás kész.")});
    QVERIFY(!ablak().eredmeny()->isOpen());
    QCOMPARE(ablak().lapok()->currentIndex(), 0);
}

void TstSql::hibasLekerdezes()
{
    futtat(QStringLiteral("SELECT * FROM ugyfel"));
    QVERIFY(a("aExport")->isEnabled());
    QCOMPARE(ablak().lapok()->currentIndex(), 1);
    ablak().lapok()->setCurrentIndex(0);
    futtat(QStringLiteral("SELECT nincs_ilyen FROM ugyfel"));
    QCOMPARE(m_dobozok->hibak.size(), 1);
    const QString hiba = m_dobozok->hibak.constFirst();
    QVERIFY2(hiba.startsWith(QStringLiteral("SQL hiba:\r\n")), qPrintable(hiba));
    QVERIFY2(hiba.contains(QStringLiteral("nincs_ilyen")), qPrintable(hiba));
    QVERIFY(!ablak().eredmeny()->isOpen());
    QVERIFY(!a("aExport")->isEnabled());
    QCOMPARE(ablak().lapok()->currentIndex(), 0);

    // A refused command: the same message, nothing confirmed.
    futtat(QStringLiteral("UPDATE nincs_tabla SET x = 1"));
    QCOMPARE(m_dobozok->hibak.size(), 2);
    QVERIFY(m_dobozok->hibak[1].startsWith(QStringLiteral("SQL hiba:\r\n")));
    QVERIFY(m_dobozok->uzenetek.isEmpty());
    QVERIFY(!ablak().parancsFutott());

    // Two statements: nothing runs, and the box says why.
    futtat(QStringLiteral("select 1; drop table tipus"));
    QVERIFY(m_dobozok->hibak.last().contains(QStringLiteral("Egyszerre csak egy SQL utasítás")));
}

void TstSql::vagolapCsakSqlLapon()
{
    ablak().szerkeszto()->setText(QStringLiteral("SELECT 1"));
    a("aMindet")->trigger();
    a("aMasol")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("SELECT 1"));
    a("aBeilleszt")->trigger();
    a("aBeilleszt")->trigger();
    QCOMPARE(ablak().szerkeszto()->text(), QStringLiteral("SELECT 1SELECT 1"));

    // On the result page the editor is out of reach of the four actions.
    ablak().lapok()->setCurrentIndex(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("másik"));
    for (const char *nev : {"aKivag", "aMasol", "aBeilleszt", "aMindet"}) {
        QVERIFY2(!a(nev)->isEnabled(), nev);
        a(nev)->trigger();
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("másik"));
    QCOMPARE(ablak().szerkeszto()->text(), QStringLiteral("SELECT 1SELECT 1"));
    ablak().lapok()->setCurrentIndex(0);
    QVERIFY(a("aMasol")->isEnabled());
}

void TstSql::ujUtanMentesJavasol()
{
    const QString utvonal = m_reg->folder().root() + QStringLiteral("/lista.sql");
    {
        QFile f(utvonal);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("SELECT 1\r\n");
    }
    m_valaszok << utvonal;
    a("aMegnyit")->trigger();
    QCOMPARE(ablak().szerkeszto()->text(), QStringLiteral("SELECT 1\n"));
    QCOMPARE(ablak().fajlNev(), utvonal);
    QCOMPARE(m_keresek.size(), 1);
    QVERIFY(!m_keresek[0].mentes);
    QCOMPARE(m_keresek[0].cim, QStringLiteral("SQL megnyitás"));
    QCOMPARE(m_keresek[0].tipusok, QStringLiteral("SQL állományok (*.sql)"));
    QCOMPARE(m_keresek[0].kiterjesztes, QStringLiteral("sql"));
    QCOMPARE(m_keresek[0].kezdet, ProgramMappa() + QStringLiteral("/SQL/"));
    // The window only proposes the folder; it does not make it.
    QVERIFY(!QFileInfo::exists(ProgramMappa() + QStringLiteral("/SQL")));

    a("aUj")->trigger();
    QCOMPARE(ablak().szerkeszto()->text(), QString());
    a("aMent")->trigger();  // cancelled
    QCOMPARE(m_keresek.size(), 2);
    QVERIFY(m_keresek[1].mentes);
    QCOMPARE(m_keresek[1].cim, QStringLiteral("SQL mentése"));
    QCOMPARE(m_keresek[1].tipusok, QStringLiteral("SQL file-ok (*.sql)"));
    QCOMPARE(m_keresek[1].kezdet, utvonal);
    // A cancelled save leaves the file as it was.
    QCOMPARE(bajtok(utvonal), QByteArray("SELECT 1\r\n"));
}

void TstSql::fajlOdaVissza()
{
    const QString utvonal = m_reg->folder().root() + QStringLiteral("/ékezet.sql");
    const QString szoveg = QStringLiteral("SELECT ugyfel_nev AS tűző\nFROM ugyfel\nWHERE ugyfel_nev <> 'Őrség'");
    ablak().szerkeszto()->setText(szoveg);
    m_valaszok << utvonal;
    a("aMent")->trigger();
    QVERIFY(m_dobozok->hibak.isEmpty());
    QCOMPARE(ablak().fajlNev(), utvonal);
    // Windows-1250: ű is FB, ő F5, Ő D5; every line ends in CR LF.
    QCOMPARE(bajtok(utvonal), QByteArray("SELECT ugyfel_nev AS t\xfbz\xf5\r\nFROM ugyfel\r\nWHERE ugyfel_nev <> '\xd5rs\xe9g'"));

    a("aUj")->trigger();
    m_valaszok << utvonal;
    a("aMegnyit")->trigger();
    QCOMPARE(ablak().szerkeszto()->text(), szoveg);
    // Saving again writes the same bytes.
    m_valaszok << utvonal;
    a("aMent")->trigger();
    QCOMPARE(bajtok(utvonal).size(), szoveg.size() + 2);
}

void TstSql::fajlHiba()
{
    ablak().szerkeszto()->setText(QStringLiteral("SELECT 2"));
    const QString nincs = m_reg->folder().root() + QStringLiteral("/nincs/ilyen.sql");
    m_valaszok << nincs;
    a("aMegnyit")->trigger();
    QCOMPARE(m_dobozok->hibak.size(), 1);
    QVERIFY2(m_dobozok->hibak[0].startsWith(nincs + QStringLiteral(":\r\n")), qPrintable(m_dobozok->hibak[0]));
    QVERIFY(m_dobozok->hibak[0].size() > nincs.size() + 4);
    QCOMPARE(ablak().szerkeszto()->text(), QStringLiteral("SELECT 2"));
    QCOMPARE(ablak().fajlNev(), QString());

    // Saving into a missing folder fails the same way.
    m_valaszok << nincs;
    a("aMent")->trigger();
    QCOMPARE(m_dobozok->hibak.size(), 2);
    QVERIFY(m_dobozok->hibak[1].startsWith(nincs));
    QCOMPARE(ablak().fajlNev(), QString());

    // A character that the code page lacks is refused before anything is written.
    const QString utvonal = m_reg->folder().root() + QStringLiteral("/kinai.sql");
    ablak().szerkeszto()->setText(QStringLiteral("SELECT '中'"));
    m_valaszok << utvonal;
    a("aMent")->trigger();
    QCOMPARE(m_dobozok->hibak.size(), 3);
    QVERIFY(m_dobozok->hibak[2].contains(QStringLiteral("中")));
    QVERIFY(!QFileInfo::exists(utvonal));
    QCOMPARE(ablak().szerkeszto()->text(), QStringLiteral("SELECT '中'"));

    // Far larger than a statement, or a device that never ends: refused unread.
    QFile nagy(m_reg->folder().root() + QStringLiteral("/nagy.sql"));
    QVERIFY(nagy.open(QIODevice::WriteOnly) && nagy.resize(kSqlFajlMaxMeret + 1));
    m_valaszok << nagy.fileName() << QStringLiteral("/dev/zero");
    a("aMegnyit")->trigger();
    a("aMegnyit")->trigger();
    QCOMPARE(m_dobozok->hibak.size(), 5);
    QCOMPARE(ablak().szerkeszto()->text(), QStringLiteral("SELECT '中'"));
}

int main(int argc, char **argv)
{
    Alkalmazas app(argc, argv);
    useHungarianLocale();
    TstSql tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_sql.moc"
