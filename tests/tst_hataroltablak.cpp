// The export window and the period dialog: layout, the run with its
// locks and stop, the messages, the browse dialog; the booking list's
// export from the period to the file.

#include "bookings/tfrm_foglal.h"
#include "bookings/tfrm_idoszak.h"
#include "common/fajlvalaszto.h"
#include "common/ikonok.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/tfrm_hatarolt.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using data::Database;
using namespace testsupport;

namespace {

Database &db()
{
    return Database::regiszter();
}

void sql(const QString &statement)
{
    db().exec(statement, {});
}

void megjelenit(QWidget *w)
{
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// The names of the focus chain's widgets among `nevek`, in chain order from `tol`.
QStringList tabSorrend(QWidget *tol, const QStringList &nevek)
{
    QStringList s;
    QWidget *w = tol;
    do {
        if (nevek.contains(w->objectName()) && !s.contains(w->objectName()))
            s << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != tol);
    return s;
}

// Many rows without a table: a counting query.
std::unique_ptr<data::Query> szamlalo(int db_)
{
    auto q = std::make_unique<data::Query>(db());
    q->setSql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                             "SELECT i, 'sor ' || i AS szoveg FROM n")
                  .arg(db_));
    q->open();
    return q;
}

}  // namespace

class TstHataroltAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<OpenRegister> m_reg;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        useHungarianLocale();
        IkonTema();
    }
    void init() { m_reg = std::make_unique<OpenRegister>(); }
    void cleanup()
    {
        setFajlKeresValaszto({});
        m_reg.reset();
    }

    void ablak()
    {
        auto q = szamlalo(3);
        Tfrm_Hatarolt w(*q, QStringLiteral("Nyugvar.csv"));
        megjelenit(&w);
        QCOMPARE(w.windowTitle(), QStringLiteral("Határolt szöveg export"));
        QCOMPARE(w.size(), QSize(355, 207));
        QCOMPARE(w.rgHatarolo->title(), QStringLiteral("Határoló karakter"));
        QCOMPARE(w.rgJelolo->title(), QStringLiteral("Szövegjelölő"));
        QVERIFY(w.rbPontosvesszo->isChecked() && w.rbIdezojel->isChecked());
        QCOMPARE(w.eFilenev->text(), QStringLiteral("Nyugvar.csv"));
        QVERIFY(w.bIndit->isDefault());
        QVERIFY(!w.bMegallit->isEnabled());
        QVERIFY(!w.bTallozas->icon().isNull());
        QCOMPARE(tabSorrend(w.eFilenev, {"eFilenev", "bIndit", "bBezar", "rbPontosvesszo", "bMegallit", "rbIdezojel"}),
                 QStringList({"eFilenev", "bIndit", "bBezar", "rbPontosvesszo", "bMegallit", "rbIdezojel"}));
        QTRY_COMPARE(w.eFilenev->palette().color(QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
        w.bIndit->setFocus();
        QTRY_VERIFY(w.eFilenev->palette().color(QPalette::Base) != QColor(0xA6, 0xCA, 0xF0));
    }

    void futtatas()
    {
        DobozFelvevo dobozok;
        auto q = szamlalo(3);
        Tfrm_Hatarolt w(*q, QString());
        megjelenit(&w);
        w.bIndit->click();
        QCOMPARE(dobozok.hibak, QStringList({QStringLiteral("Nincs filenév megadva.")}));
        QTRY_VERIFY(w.eFilenev->hasFocus());

        const QString fajl = m_dir.filePath(QStringLiteral("ki.csv"));
        w.eFilenev->setText(fajl);
        w.rbTabulator->setChecked(true);
        w.rbSemmi->setChecked(true);
        QTest::keyClick(w.eFilenev, Qt::Key_Return);  // Enter in the name presses "Export indítás"
        QCOMPARE(dobozok.uzenetek, QStringList({fajl + QStringLiteral(" file export kész.")}));
        QFile f(fajl);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("i\tszoveg\t\r\n1\tsor 1\t\r\n2\tsor 2\t\r\n3\tsor 3\t\r\n"));
        QCOMPARE(w.ProgressBar1->value(), 0);
        QVERIFY(!w.bMegallit->isEnabled() && w.bIndit->isEnabled());
        QVERIFY(q->eof());

        w.eFilenev->setText(m_dir.filePath(QStringLiteral("nincs/ilyen.csv")));
        w.bIndit->click();
        QCOMPARE(dobozok.hibak.size(), 2);
        QVERIFY2(dobozok.hibak[1].startsWith(QStringLiteral("Hiba: ")), qPrintable(dobozok.hibak[1]));
        QVERIFY(w.isVisible() && w.bIndit->isEnabled());
    }

    // While it runs only "Megállít" answers; the stop writes the rows so
    // far and leaves the data set on the first one not written.
    void megallitas()
    {
        DobozFelvevo dobozok;
        auto q = szamlalo(200000);
        Tfrm_Hatarolt w(*q, m_dir.filePath(QStringLiteral("m.csv")));
        megjelenit(&w);
        bool zarva = false, nyitvaMarad = false;
        QTimer::singleShot(0, &w, [&] {
            zarva = !w.bIndit->isEnabled() && !w.bBezar->isEnabled() && !w.rgHatarolo->isEnabled() &&
                    !w.rgJelolo->isEnabled() && !w.eFilenev->isEnabled() && w.bMegallit->isEnabled();
            w.reject();
            w.close();
            nyitvaMarad = w.isVisible();
            QTimer::singleShot(50, w.bMegallit, &QPushButton::click);
        });
        w.bIndit->click();
        QVERIFY(zarva);
        QVERIFY(nyitvaMarad);
        QCOMPARE(dobozok.uzenetek.size(), 1);
        QFile f(w.eFilenev->text());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const int sorok = f.readAll().count("\r\n") - 1;
        QVERIFY2(sorok > 0 && sorok < 200000, qPrintable(QString::number(sorok)));
        QCOMPARE(q->currentRow(), sorok);
        QVERIFY(w.bBezar->isEnabled());
        w.bBezar->click();
        QVERIFY(!w.isVisible());
    }

    void tallozas()
    {
        auto q = szamlalo(1);
        Tfrm_Hatarolt w(*q, QStringLiteral("Nyugvar.csv"));
        QString kapottNev, kapottTipus;
        setFajlKeresValaszto([&](QWidget *, const FajlKeres &k) {
            kapottNev = k.kezdet;
            kapottTipus = k.tipusok;
            return QStringLiteral("/tmp/masik.csv");
        });
        w.bTallozas->click();
        QCOMPARE(kapottNev, QStringLiteral("Nyugvar.csv"));
        QCOMPARE(kapottTipus, QStringLiteral("CSV állományok (*.csv);;Text állományok (*.txt);;Minden állomány (*.*)"));
        QCOMPARE(w.eFilenev->text(), QStringLiteral("/tmp/masik.csv"));
        setFajlKeresValaszto([](QWidget *, const FajlKeres &) { return QString(); });
        w.bTallozas->click();
        QCOMPARE(w.eFilenev->text(), QStringLiteral("/tmp/masik.csv"));
    }

    void idoszakHonapok()
    {
        Tfrm_Idoszak d;
        megjelenit(&d);
        QCOMPARE(d.windowTitle(), QStringLiteral("Időszak megadása"));
        QCOMPARE(d.size(), QSize(253, 129));
        const QStringList nevek = QStringLiteral("Január Február Március Április Május Június Július Augusztus "
                                                 "Szeptember Október November December")
                                      .split(QLatin1Char(' '));
        for (int m = 1; m <= 12; ++m) {
            d.eAlso->setDate(QDate(2024, m, 15));
            QCOMPARE(d.eAlso->text(), QStringLiteral("2024. %1 15.").arg(nevek[m - 1]));
        }
        // The month steps by its own section, under its name.
        d.eAlso->setDate(QDate(2024, 3, 15));
        d.eAlso->setCurrentSection(QDateTimeEdit::MonthSection);
        d.eAlso->stepUp();
        QCOMPARE(d.eAlso->date(), QDate(2024, 4, 15));
        QCOMPARE(d.eAlso->text(), QStringLiteral("2024. Április 15."));
        // Tab leaves the entry instead of stepping to its next part.
        d.eAlso->setFocus();
        QTRY_VERIFY(d.eAlso->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(d.eFelso->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(d.bOK->hasFocus());
        QTest::keyClick(d.bOK, Qt::Key_Return);  // Enter passes OK by
        QVERIFY(d.bMegsem->hasFocus() && d.isVisible());
    }

    void idoszakBeker()
    {
        QDate tol(2024, 3, 1), ig(2024, 3, 31);
        onNextModal([](QWidget *w) {
            auto *d = qobject_cast<Tfrm_Idoszak *>(w);
            QVERIFY(d);
            QCOMPARE(d->eAlso->date(), QDate(2024, 3, 1));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QVERIFY(!IdoszakBeker(tol, ig));
        QCOMPARE(tol, QDate(2024, 3, 1));
        onNextModal([](QWidget *w) {
            auto *d = qobject_cast<Tfrm_Idoszak *>(w);
            d->eFelso->setDate(QDate(2024, 4, 2));
            d->bOK->click();
        });
        QVERIFY(IdoszakBeker(tol, ig));
        QCOMPARE(ig, QDate(2024, 4, 2));
    }

    // The booking list's Excelbe: the period, then the export window on
    // the place's bookings of it, under the report's title.
    void foglalasokExcelbe()
    {
        DobozFelvevo dobozok;
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev) VALUES (7, 1, 'Napfény')"));
        const QDate ma = QDate::currentDate();
        sql(QStringLiteral("INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol) VALUES "
                           "(1, 12, 7, '%1'), (2, 13, 7, '%2'), (3, 14, 8, '%1')")
                .arg(ma.toString(Qt::ISODate), ma.addMonths(-2).toString(Qt::ISODate)));
        data::Table helyek(db(), QStringLiteral("ugyfel"));
        helyek.open();
        data::Query qryJav(db());
        Tfrm_Foglal lista(db(), helyek, qryJav);
        lista.nyit(7);
        megjelenit(&lista);
        const QString cel = QDir(m_dir.path()).filePath(QStringLiteral("Foglalások listája.csv"));
        QDate javasoltTol;
        QString javasoltNev;
        onNextModal([&](QWidget *w) {
            auto *d = qobject_cast<Tfrm_Idoszak *>(w);
            QVERIFY(d);
            javasoltTol = d->eAlso->date();
            onNextModal([&](QWidget *m) {
                auto *e = qobject_cast<Tfrm_Hatarolt *>(m);
                QVERIFY(e);
                javasoltNev = e->eFilenev->text();
                e->eFilenev->setText(cel);
                e->bIndit->click();
                e->bBezar->click();
            });
            d->bOK->click();
        });
        lista.findChild<QAction *>(QStringLiteral("aExcelbe"))->trigger();
        QCOMPARE(javasoltTol, ma.addMonths(-1));
        QCOMPARE(javasoltNev, QStringLiteral("Foglalások listája.csv"));
        QFile f(cel);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> sorok = f.readAll().split('\n');
        QCOMPARE(sorok.size(), 3);  // header, one booking, the empty rest
        QVERIFY(sorok[0].startsWith("\"foglalas\";\"foglalaz\";\"ugyfel\";\"dat_tol\";"));
        QVERIFY(sorok[1].startsWith("\"1\";\"12\";\"7\";"));
        QVERIFY(dobozok.hibak.isEmpty());
    }
};

QTEST_MAIN(TstHataroltAblak)
#include "tst_hataroltablak.moc"
