// The booking reports as the booking list runs them: the HTML file through
// the save dialog, the confirmation in the preview, the PDF of a page with
// its accents, and the list's actions from the period to the output.

#include "bookings/foglalasriportok.h"
#include "bookings/tfrm_foglal.h"
#include "bookings/tfrm_idoszak.h"
#include "bookings/tqrfogligazol.h"
#include "common/fajlvalaszto.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "reports/engine/preview.h"
#include "reports/engine/run.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using data::Database;
using namespace testsupport;

namespace {

Database &db() { return Database::regiszter(); }

void sql(const QString &statement) { db().exec(statement, {}); }

QString olvas(const QString &fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The tags that are opened and not closed, or closed without being open, in
// order; empty for a well-formed document.
QStringList nyitvaMaradt(const QString &html)
{
    static const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*>"));
    static const QStringList ures = {QStringLiteral("meta"), QStringLiteral("br")};
    QStringList verem, hibak;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QString nev = m.captured(2).toLower();
        if (ures.contains(nev))
            continue;
        if (m.captured(1).isEmpty())
            verem << nev;
        else if (!verem.isEmpty() && verem.last() == nev)
            verem.removeLast();
        else
            hibak << QStringLiteral("/") + nev;
    }
    return hibak + verem;
}

// Where each text first stands at or after the previous one's place; -1
// for one missing or out of order.
QList<int> sorrend(const QString &html, const QStringList &szovegek)
{
    QList<int> helyek;
    int tol = 0;
    for (const QString &s : szovegek) {
        const int i = html.indexOf(s, tol);
        helyek << i;
        if (i >= 0)
            tol = i + s.size();
    }
    return helyek;
}

}  // namespace

class TestFoglRiportAblak : public QObject {
    Q_OBJECT

    std::unique_ptr<OpenRegister> m_reg;
    QTemporaryDir m_dir;

    QString fajl(const char *nev) const { return QDir(m_dir.path()).filePath(QString::fromUtf8(nev)); }

private Q_SLOTS:
    void initTestCase() { useHungarianLocale(); }
    void init()
    {
        m_reg = std::make_unique<OpenRegister>();
        sql(QStringLiteral("INSERT INTO ugyfel (ugyfel, sorszam, ugyfel_nev, cim_varos, kapcsolat) "
                           "VALUES (7, 1, 'Őzike Vendégház', 'Hévíz', 'Kő Ödön')"));
        sql(QStringLiteral("INSERT INTO foglalo (foglalo, foglalo_nev) VALUES (1, 'Szűcs Árpád')"));
        sql(QStringLiteral("INSERT INTO fizmod (fizmod, fizmod_nev) VALUES (1, 'átutalás')"));
        sql(QStringLiteral("INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol, dat_ig, nap, foglalo, fizmod, "
                           "jutalek, ossz_dij, ossz_jut, ar_fogl, ar_helyszin) VALUES "
                           "(1, 3, 7, '2024-03-20', '2024-03-22', 2, 1, 1, 10, 40000, 4000, 10000, 30000),"
                           "(2, 4, 7, '2024-03-02', '2024-03-09', 7, 1, 1, 10, 33333, 3333.3, 0, 33333),"
                           "(3, 5, 7, '2024-02-28', '2024-03-03', 4, 1, 1, 10, 1000, 100, 0, 1000)"));
    }
    void cleanup()
    {
        setFajlKeresValaszto({});
        m_reg.reset();
    }

    // The save dialog asks for the file; the report's text lands in it in
    // reading order, replacing what was there.
    void htmlExport()
    {
        DobozFelvevo dobozok;
        const QString cel = fajl("lista.htm");
        QFile regi(cel);
        QVERIFY(regi.open(QIODevice::WriteOnly));
        regi.write("régi tartalom");
        regi.close();
        QStringList kerdezett;
        setFajlKeresValaszto([&](QWidget *, const FajlKeres &k) {
            kerdezett << k.cim << k.tipusok << k.kezdet << k.kiterjesztes << QString::number(k.mentes);
            return cel;
        });
        FoglalasListaRiport(db(), 7, FoglalasKimenet::Html, QDate(2024, 3, 1), QDate(2024, 3, 31));
        QCOMPARE(kerdezett, QStringList({QStringLiteral("Html export"), QStringLiteral("Html dokumentumok (*.htm)"),
                                         QStringLiteral("Foglalások listája.htm"), QStringLiteral("htm"),
                                         QStringLiteral("1")}));
        const QString html = olvas(cel);
        QVERIFY(!html.contains(QStringLiteral("régi tartalom")));
        QCOMPARE(nyitvaMaradt(html), QStringList());
        const QList<int> helyek = sorrend(html, {QStringLiteral("Foglalások listája"), QStringLiteral("Őzike Vendégház"),
                                                 QStringLiteral("2024.03.01 - 2024.03.31"), QStringLiteral("foglaló"),
                                                 QStringLiteral("jutalék"), QStringLiteral("00004"),
                                                 QStringLiteral("Szűcs Árpád"), QStringLiteral("2024.03.02."),
                                                 QStringLiteral("00003"), QStringLiteral("összesen"),
                                                 QStringLiteral("73 333"), QStringLiteral("7 333"),
                                                 QStringLiteral("qrFoglalas")});
        QVERIFY2(!helyek.contains(-1), qPrintable(html));
        QVERIFY(!html.contains(QStringLiteral("00005")));
        QVERIFY(dobozok.hibak.isEmpty());

        // Cancelling the dialog writes nothing.
        QVERIFY(QFile::remove(cel));
        setFajlKeresValaszto([](QWidget *, const FajlKeres &) { return QString(); });
        FoglalasListaRiport(db(), 7, FoglalasKimenet::Html, QDate(2024, 3, 1), QDate(2024, 3, 31));
        QVERIFY(!QFile::exists(cel));
        QVERIFY(dobozok.hibak.isEmpty());
    }

    // A PDF of the confirmation, read back as text: the accents survive.
    void pdfEkezetekkel()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        const QString cel = fajl("igazolas.pdf");
        {
            FoglIgazolMenet menet(db(), 1);
            QVERIFY(riport::exportPdf(menet.riport, menet.adatok(), cel));
        }
        QProcess p;
        p.start(pdftotext, {QStringLiteral("-layout"), cel, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        // The compatibility form undoes the ligatures ("ﬁ") of the fonts.
        const QString szoveg = QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        for (const char *s : {"Foglalás igazolás", "Szálláshely adatok", "Időszak, létszám adatok", "fizetési adatok",
                              "helyszínen fizetendő", "éjszakák száma", "Őzike Vendégház", "Szűcs Árpád", "Kő Ödön",
                              "Hévíz", "10 000", "30 000", "aláírás", "qrFoglIgazol"})
            QVERIFY2(szoveg.contains(QString::fromUtf8(s)), s);
    }

    // From the list: the period proposed, then the HTML; the current
    // booking's confirmation in the preview.
    void foglalasListaAkcioi()
    {
        DobozFelvevo dobozok;
        data::Table helyek(db(), QStringLiteral("ugyfel"));
        helyek.open();
        data::Query qryJav(db());
        Tfrm_Foglal lista(db(), helyek, qryJav);
        lista.nyit(7);
        lista.show();
        const QString cel = fajl("akcio.htm");
        setFajlKeresValaszto([&](QWidget *, const FajlKeres &) { return cel; });
        QDate javasoltTol, javasoltIg;
        onNextModal([&](QWidget *w) {
            auto *d = qobject_cast<Tfrm_Idoszak *>(w);
            QVERIFY(d);
            javasoltTol = d->eAlso->date();
            javasoltIg = d->eFelso->date();
            d->eAlso->setDate(QDate(2024, 3, 1));
            d->eFelso->setDate(QDate(2024, 3, 31));
            d->bOK->click();
        });
        lista.findChild<QAction *>(QStringLiteral("aNyomHtml"))->trigger();
        QCOMPARE(javasoltIg, QDate::currentDate());
        QCOMPARE(javasoltTol, QDate::currentDate().addMonths(-1));
        QVERIFY(!sorrend(olvas(cel), {QStringLiteral("00004"), QStringLiteral("00003")}).contains(-1));

        // The period cancelled: no file.
        QVERIFY(QFile::remove(cel));
        onNextModal([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
        lista.findChild<QAction *>(QStringLiteral("aNyomHtml"))->trigger();
        QVERIFY(!QFile::exists(cel));

        QVERIFY(lista.tabla()->locate(QStringLiteral("foglalas"), 2));
        QString cim;
        QStringList szovegek;
        onNextModal([&](QWidget *w) {
            auto *elonezet = qobject_cast<riport::PreviewWindow *>(w);
            QVERIFY(elonezet);
            cim = elonezet->windowTitle();
            szovegek = elonezet->report().pageTexts(0);
            elonezet->close();
        });
        lista.findChild<QAction *>(QStringLiteral("aVisszaigazol"))->trigger();
        QCOMPARE(cim, QStringLiteral("Foglalás igazolás"));
        QVERIFY(szovegek.contains(QStringLiteral("00004")));
        QVERIFY(!szovegek.contains(QStringLiteral("00003")));
        QVERIFY(dobozok.hibak.isEmpty());
    }
};

QTEST_MAIN(TestFoglRiportAblak)
#include "tst_foglriportablak.moc"
