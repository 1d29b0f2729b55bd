// The felt latency: the program's own windows on the benchmark's agency,
// driven in process as the user drives them. Each figure runs from the key
// or click event to the repainted window: the event is sent, the event loop
// delivers what it left behind (the paint included), and the widget the
// user looks at is painted by hand only when the loop did not paint it.
// Every figure is the minimum / median / maximum of several runs, printed
// beside what it should be; the yardsticks run the engine's own shell in
// the same minute.

#include "erzett.h"

#include "app/beallitasok.h"
#include "app/belepes.h"
#include "app/inditas.h"
#include "app/tfrm_main.h"
#include "bookings/tfrm_foglal.h"
#include "common/datagrid.h"
#include "common/dobozok.h"
#include "common/programmappa.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "places/tfrm_keres.h"
#include "places/tfrm_szerkeszt.h"
#include "reports/engine/preview.h"
#include "reports/tfrm_hatarolt.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kFutasok = 5;
constexpr int kVarakozasMs = 300000;  // the longest wait for a window or a message

// ---- figures ------------------------------------------------------------------

using Idok = std::vector<double>;

struct Statisztika {
    double min, median, max;
};

Statisztika statisztika(Idok v)
{
    if (v.empty())
        return {0, 0, 0};
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2], v.back()};
}

void sor(const char *mit, const Idok &idok, const char *cel, QString megjegyzes = QString())
{
    if (idok.size() < std::size_t(kFutasok))
        megjegyzes += QStringLiteral("%1ONLY %2 RUNS").arg(megjegyzes.isEmpty() ? QString() : QStringLiteral("; "))
                          .arg(idok.size());
    const Statisztika s = statisztika(idok);
    std::printf("%-52s %8.1f /%8.1f /%8.1f ms   target %s%s%s\n", mit, s.min, s.median, s.max, cel,
                megjegyzes.isEmpty() ? "" : "; ", qPrintable(megjegyzes));
    std::fflush(stdout);
}

// Ours against the yardstick run beside it, run by run.
void aranySor(const char *mit, const Idok &idok, const Idok &mercek, const char *cel, const QString &megjegyzes)
{
    if (mercek.empty() || *std::min_element(mercek.begin(), mercek.end()) <= 0) {
        sor(mit, idok, cel, megjegyzes + QStringLiteral("; sqlite3 missing or failed: no ratio"));
        return;
    }
    Idok aranyok;
    for (std::size_t i = 0; i < idok.size() && i < mercek.size(); ++i)
        aranyok.push_back(idok[i] / mercek[i]);
    const Statisztika a = statisztika(aranyok);
    std::printf("%-52s %7.2fx /%7.2fx /%7.2fx      target %s; ours %.1f ms, sqlite3 %.1f ms (medians)%s%s\n", mit,
                a.min, a.median, a.max, cel, statisztika(idok).median, statisztika(mercek).median,
                megjegyzes.isEmpty() ? "" : "; ", qPrintable(megjegyzes));
    std::fflush(stdout);
}

void memoriaSor(const char *mit, long kb, const char *cel, const QString &megjegyzes)
{
    std::printf("%-52s %8.1f MB%22s target %s; %s\n", mit, kb / 1024.0, "", cel, qPrintable(megjegyzes));
    std::fflush(stdout);
}

double ms(const QElapsedTimer &ora)
{
    return ora.nsecsElapsed() / 1e6;
}

// ---- the yardstick ------------------------------------------------------------

// The engine's command-line shell running `sql` on `dbFile`, its output
// thrown away; -1 when it is not installed or fails.
double sqliteShell(const QString &dbFile, const QString &sql, bool csv = false)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        return -1;
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QStringList args;
    if (csv)
        args << QStringLiteral("-csv") << QStringLiteral("-header");
    args << dbFile << sql;
    QElapsedTimer ora;
    ora.start();
    p.start(shell, args);
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? ms(ora) : -1;
}

// ---- driving the windows -------------------------------------------------------

// Counts the paints a widget receives while it lives.
class FestesSzamlalo : public QObject {
public:
    explicit FestesSzamlalo(QWidget *w) : m_w(w) { w->installEventFilter(this); }
    int festesek() const { return m_festesek; }

    // Lets the event loop deliver what is pending, the paint included;
    // paints by hand when the loop did not.
    void megfestve()
    {
        QCoreApplication::processEvents();
        ++s_megfestesek;
        if (m_festesek == 0 && m_w) {
            ++s_kezzel;
            m_w->repaint();
        }
    }
    // Of the waits for a paint, how many ended painting by hand.
    static inline int s_megfestesek = 0, s_kezzel = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++m_festesek;
        return false;
    }

private:
    QPointer<QWidget> m_w;
    int m_festesek = 0;
};

// Runs the event loop until `kesz` holds, at most `maxMs` milliseconds.
void varjAmig(const std::function<bool()> &kesz, int maxMs)
{
    QTimer ebreszto;  // wakes the wait now and then to look at the clock
    ebreszto.start(50);
    QElapsedTimer varas;
    varas.start();
    while (!kesz() && varas.elapsed() < maxMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Sends `esemeny` and returns the milliseconds to `festett` repainted.
double festesig(QWidget *festett, const std::function<void()> &esemeny)
{
    FestesSzamlalo festes(festett);
    QElapsedTimer ora;
    ora.start();
    esemeny();
    festes.megfestve();
    return ms(ora);
}

// Runs `teendo` on the next window of class `osztaly` shown, from within the
// event loop of its exec(), once; the window's paints are counted from its
// showing on by the counter handed over.
class Megjelenesre : public QObject {
public:
    using Teendo = std::function<void(QWidget *, FestesSzamlalo &)>;
    Megjelenesre(const char *osztaly, std::function<QWidget *(QWidget *)> festett, Teendo teendo)
        : m_osztaly(osztaly), m_festett(std::move(festett)), m_teendo(std::move(teendo))
    {
        qApp->installEventFilter(this);
    }
    bool lefutott() const { return m_lefutott; }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::Show || m_ablak || !o->isWidgetType() || !o->inherits(m_osztaly))
            return false;
        m_ablak = static_cast<QWidget *>(o);
        qApp->removeEventFilter(this);
        m_festes = std::make_unique<FestesSzamlalo>(m_festett(m_ablak));
        QTimer::singleShot(0, this, [this] {
            if (m_ablak) {
                m_teendo(m_ablak, *m_festes);
                m_lefutott = true;
            }
        });
        return false;
    }

private:
    const char *m_osztaly;
    std::function<QWidget *(QWidget *)> m_festett;
    Teendo m_teendo;
    QPointer<QWidget> m_ablak;
    std::unique_ptr<FestesSzamlalo> m_festes;
    bool m_lefutott = false;
};

QWidget *onmaga(QWidget *w)
{
    return w;
}

// Answers the message boxes as the test suites' recorder does, noting when
// each information box came; a wait for the next one runs the event loop.
class Dobozok : public DobozSzolgaltatas {
public:
    Dobozok() { setDobozSzolgaltatas(this); }
    ~Dobozok() override { setDobozSzolgaltatas(nullptr); }

    QStringList uzenetek;
    QStringList hibak;

    bool kerdes(const QString &szoveg, const QString &) override
    {
        std::fprintf(stderr, "nyugvar_bench: question answered no: %s\n", qPrintable(szoveg));
        return false;
    }
    void hiba(const QString &szoveg) override
    {
        std::fprintf(stderr, "nyugvar_bench: error box: %s\n", qPrintable(szoveg));
        hibak << szoveg;
        jott();
    }
    void uzenet(const QString &szoveg) override
    {
        uzenetek << szoveg;
        jott();
    }
    bool beker(const QString &, const QString &, const QString &, QString &) override { return false; }

    // Waits until more than `voltak` boxes came; false on timing out.
    bool varj(int voltak)
    {
        if (osszes() <= voltak) {
            QEventLoop hurok;
            m_hurok = &hurok;
            QTimer::singleShot(kVarakozasMs, &hurok, &QEventLoop::quit);
            hurok.exec();
            m_hurok = nullptr;
        }
        return osszes() > voltak;
    }
    int osszes() const { return int(uzenetek.size() + hibak.size()); }

private:
    void jott()
    {
        if (m_hurok)
            m_hurok->quit();
    }
    QEventLoop *m_hurok = nullptr;
};

// ---- the session ----------------------------------------------------------------

class Munkamenet {
public:
    explicit Munkamenet(const QString &programMappa)
        : m_dbFile(QDir(programMappa).filePath(QStringLiteral("Data/")
                                               + QString::fromLatin1(data::Database::kFileName)))
    {
        setProgramMappa(programMappa);
    }
    ~Munkamenet()
    {
        if (m_fo)
            m_fo->close();
    }

    void belepesEsSorrend();
    void gyorsKereses();
    void leptetes();
    void frissites();
    void foglalasok();
    void kereses();
    void exportalas();
    void eloneztetes();
    void szerkesztes();
    void osszMemoria();

private:
    DataGrid *racs() const { return m_fo->findChild<DataGrid *>(QStringLiteral("DBGrid1")); }
    QWidget *festett() const { return racs()->viewport(); }
    data::Table &helyek() const { return *m_fo->Tbl(); }
    void aktival();
    void billentyu(Qt::Key kulcs, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QTest::keyClick(racs(), kulcs, mod);
    }
    // The peak resident size so far, kept over a reset of the peak.
    long csucs()
    {
        m_csucs = std::max(m_csucs, procStatusKb("VmHWM"));
        return m_csucs;
    }

    QString m_dbFile;
    data::Database m_db{QStringLiteral("regiszter")};
    TBeall m_beall;
    std::unique_ptr<Tfrm_Main> m_fo;
    Dobozok m_dobozok;
    QTemporaryDir m_kimenet;
    long m_csucs = 0;
};

void Munkamenet::aktival()
{
    m_fo->activateWindow();
    if (QApplication::activeWindow() != m_fo.get())
        QApplication::setActiveWindow(m_fo.get());
    racs()->setFocus();
    QCoreApplication::processEvents();
}

// Start-up with the delivered user to the painted main window, five times,
// each time against the shell reading the place table in order; in each
// window the first and the second change to name order.
void Munkamenet::belepesEsSorrend()
{
    Idok belepes, mercek, elso, masodik;
    const auto nevSorrend = [this] { m_fo->akcio(QStringLiteral("aSorrendNev"))->trigger(); };
    const auto sorszamSorrend = [this] {
        m_fo->akcio(QStringLiteral("aSorrendSorszam"))->trigger();
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < kFutasok; ++i) {
        if (m_fo) {
            m_fo->close();  // writes the settings and closes the database
            m_fo.reset();
        }
        mercek.push_back(sqliteShell(m_dbFile, QStringLiteral("SELECT * FROM ugyfel ORDER BY sorszam;")));
        QElapsedTimer ora;
        ora.start();
        const bool bent = Inditas(m_db, m_beall, [this] {
            return Belepes(m_db).ok(QStringLiteral("rendszergazda"), QStringLiteral("kapufal"));
        });
        if (!bent)
            throw std::runtime_error("the login failed");
        m_fo = std::make_unique<Tfrm_Main>(m_db, m_beall);
        if (!m_fo->Indit())
            throw std::runtime_error("the main window did not start");
        FestesSzamlalo festes(festett());
        m_fo->show();
        varjAmig([&] { return festes.festesek() > 0; }, 2000);
        festes.megfestve();
        belepes.push_back(ms(ora));
        aktival();

        elso.push_back(festesig(festett(), nevSorrend));
        sorszamSorrend();
        masodik.push_back(festesig(festett(), nevSorrend));
        if (i + 1 < kFutasok)
            sorszamSorrend();
    }
    aranySor("login to the listed main window / sqlite3 in order", belepes, mercek, "<= 0.4x",
             QStringLiteral("%1 places listed").arg(helyek().recordCount()));
    sor("first change to name order, click to repainted grid", elso, "<= 100 ms",
        QStringLiteral("first of the run %1 ms").arg(elso.front(), 0, 'f', 1));
    sor("  the second time", masodik, "<= 100 ms");
}

// Names typed into the quick search key by key, in name order: the
// keystrokes that move the current row.
void Munkamenet::gyorsKereses()
{
    auto *mezo = m_fo->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    const QStringList nevek = {QStringLiteral("Őzike Vendégház"), QStringLiteral("Kék Duna Panzió"),
                               QStringLiteral("Tölgyfa Villa"), QStringLiteral("Czibere Lak"),
                               QStringLiteral("Zöldliget Tanya")};
    Idok mozdito;
    double legrosszabb = 0;
    int leutes = 0;
    for (const QString &nev : nevek) {
        QTest::keyClick(mezo, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : nev) {
            const int elotte = helyek().currentRow();
            const double t = festesig(festett(), [&] {
                if (c.unicode() < 128) {
                    QTest::keyClick(mezo, char(c.unicode()));
                } else {
                    QTest::sendKeyEvent(QTest::Press, mezo, Qt::Key_unknown, QString(c), Qt::NoModifier);
                    QTest::sendKeyEvent(QTest::Release, mezo, Qt::Key_unknown, QString(c), Qt::NoModifier);
                }
            });
            ++leutes;
            legrosszabb = std::max(legrosszabb, t);
            if (helyek().currentRow() != elotte)
                mozdito.push_back(t);
        }
    }
    sor("quick-search keystroke that moves the row", mozdito, "<= 16 ms worst",
        QStringLiteral("%1 of %2 keystrokes moved it, worst of all %3 ms, stopped at \"%4\"")
            .arg(mozdito.size()).arg(leutes).arg(legrosszabb, 0, 'f', 1)
            .arg(helyek().asString(QStringLiteral("ugyfel_nev"))));
    mezo->clear();
    aktival();
}

// The grid's own keys, ten times each.
void Munkamenet::leptetes()
{
    helyek().first();
    QCoreApplication::processEvents();
    const struct {
        const char *mit;
        Qt::Key kulcs;
        Qt::KeyboardModifiers mod;
    } kulcsok[] = {
        {"Down, key to repainted grid", Qt::Key_Down, Qt::NoModifier},
        {"PageDown, key to repainted grid", Qt::Key_PageDown, Qt::NoModifier},
        {"Ctrl+End, key to repainted grid", Qt::Key_End, Qt::ControlModifier},
        {"Ctrl+Home, key to repainted grid", Qt::Key_Home, Qt::ControlModifier},
    };
    Idok idok[4];
    for (int i = 0; i < 2 * kFutasok; ++i)
        for (int k = 0; k < 4; ++k)
            idok[k].push_back(festesig(festett(), [&] { billentyu(kulcsok[k].kulcs, kulcsok[k].mod); }));
    for (int k = 0; k < 4; ++k)
        sor(kulcsok[k].mit, idok[k], "<= 16 ms worst");
}

void Munkamenet::frissites()
{
    Idok idok;
    for (int i = 0; i < kFutasok; ++i)
        idok.push_back(festesig(festett(), [&] { billentyu(Qt::Key_F5); }));
    sor("F5 (refresh), key to repainted grid", idok, "<= 50 ms",
        QStringLiteral("%1 places").arg(helyek().recordCount()));
}

// F4 on the place with the most bookings, to its painted booking list.
void Munkamenet::foglalasok()
{
    data::Query legtobb(m_db);
    legtobb.setSql(QStringLiteral(
        "SELECT ugyfel, COUNT(*) AS db FROM foglalas GROUP BY ugyfel ORDER BY db DESC LIMIT 1"));
    legtobb.open();
    const qint64 hely = legtobb.asInteger(QStringLiteral("ugyfel"));
    legtobb.close();
    helyek().locate(QStringLiteral("ugyfel"), hely);
    QCoreApplication::processEvents();
    Idok idok;
    int sorok = -1;
    for (int i = 0; i < kFutasok; ++i) {
        aktival();
        QElapsedTimer ora;
        double t = -1;
        Megjelenesre lista(
            "Tfrm_Foglal", [](QWidget *w) { return static_cast<Tfrm_Foglal *>(w)->racs()->viewport(); },
            [&](QWidget *w, FestesSzamlalo &festes) {
                festes.megfestve();
                t = ms(ora);
                sorok = static_cast<Tfrm_Foglal *>(w)->tabla()->recordCount();
                static_cast<QDialog *>(w)->reject();
            });
        ora.start();
        billentyu(Qt::Key_F4);
        if (t >= 0)
            idok.push_back(t);
    }
    sor("F4 on the busiest place, key to painted booking list", idok, "<= 60 ms",
        QStringLiteral("place %1: %2 bookings").arg(hely).arg(sorok));
}

// Ctrl+T, a text that no place holds, "Keres" from the top: the click to
// the end message.
void Munkamenet::kereses()
{
    Idok idok;
    QString vege;
    for (int i = 0; i < kFutasok; ++i) {
        aktival();
        double t = -1;
        Megjelenesre ablak("Tfrm_Keres", onmaga, [&](QWidget *w, FestesSzamlalo &) {
            w->findChild<QLineEdit *>(QStringLiteral("edtKeresendo"))->setText(QStringLiteral("nincs ilyen szöveg"));
            w->findChild<QRadioButton *>(QStringLiteral("rbElejetolLefele"))->setChecked(true);
            auto *gomb = w->findChild<QPushButton *>(QStringLiteral("btnKeres"));
            const int voltak = m_dobozok.osszes();
            QElapsedTimer ora;
            ora.start();
            QTest::mouseClick(gomb, Qt::LeftButton);
            if (m_dobozok.varj(voltak)) {
                t = ms(ora);
                vege = m_dobozok.uzenetek.value(m_dobozok.uzenetek.size() - 1);
            }
            static_cast<QDialog *>(w)->reject();
        });
        billentyu(Qt::Key_T, Qt::ControlModifier);
        if (t >= 0)
            idok.push_back(t);
    }
    sor("find (Ctrl+T), no match, click to the end message", idok, "<= 400 ms",
        QStringLiteral("%1 places, \"%2\"").arg(helyek().recordCount()).arg(vege));
}

// Ctrl+E over the main list in name order, "Indít" to the finished
// message, against the shell writing the same rows with their lookups.
void Munkamenet::exportalas()
{
    Idok idok, mercek;
    for (int i = 0; i < kFutasok; ++i) {
        mercek.push_back(sqliteShell(
            m_dbFile,
            QStringLiteral("SELECT u.*, t.Tipus_nev, r.terulet_nev FROM ugyfel u"
                           " LEFT JOIN tipus t ON t.Tipus = u.tipus LEFT JOIN terulet r ON r.terulet = u.terulet"
                           " ORDER BY u.ugyfel_nev;"),
            true));
        aktival();
        double t = -1;
        Megjelenesre ablak("Tfrm_Hatarolt", onmaga, [&](QWidget *w, FestesSzamlalo &) {
            auto *exp = static_cast<Tfrm_Hatarolt *>(w);
            exp->eFilenev->setText(m_kimenet.filePath(QStringLiteral("lista%1.csv").arg(i)));
            const int voltak = m_dobozok.osszes();
            QElapsedTimer ora;
            ora.start();
            QTest::mouseClick(exp->bIndit, Qt::LeftButton);
            if (m_dobozok.varj(voltak))
                t = ms(ora);
            exp->reject();
        });
        billentyu(Qt::Key_E, Qt::ControlModifier);
        if (t >= 0)
            idok.push_back(t);
        QFile::remove(m_kimenet.filePath(QStringLiteral("lista%1.csv").arg(i)));
    }
    aranySor("delimited export of the main list / sqlite3 -csv", idok, mercek, "<= 1.3x",
             QStringLiteral("%1 rows with lookups").arg(helyek().recordCount()));
}

// Ctrl+K, the full list's preview: Esc while pages are still being laid
// out, to the closed window; then once laid out to the end, for the peak
// memory of the whole program and what it holds after the window closed.
void Munkamenet::eloneztetes()
{
    const long elotte = procStatusKb("VmRSS");
    csucs();
    const bool nullazva = resetPeakMemory();
    aktival();
    long csucsAlatt = -1;
    int lapok = 0;
    Megjelenesre teljes("riport::PreviewWindow", onmaga, [&](QWidget *w, FestesSzamlalo &) {
        auto *elonezet = static_cast<riport::PreviewWindow *>(w);
        varjAmig([&] { return elonezet->isComplete(); }, kVarakozasMs);
        lapok = elonezet->pageCount();
        csucsAlatt = procStatusKb("VmHWM");
        elonezet->reject();
    });
    billentyu(Qt::Key_K, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const long utana = procStatusKb("VmRSS");

    Idok idok;
    int felben = 0;
    for (int i = 0; i < kFutasok; ++i) {
        aktival();
        QElapsedTimer ora;
        Megjelenesre ablak("riport::PreviewWindow", onmaga, [&](QWidget *w, FestesSzamlalo &festes) {
            festes.megfestve();
            felben += static_cast<riport::PreviewWindow *>(w)->isComplete() ? 0 : 1;
            ora.start();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        festesig(festett(), [&] { billentyu(Qt::Key_K, Qt::ControlModifier); });
        if (ora.isValid())
            idok.push_back(ms(ora));
    }
    sor("full list preview: Esc while laying out, to closed", idok, "<= 100 ms",
        QStringLiteral("%1 of %2 still laying out at the Esc").arg(felben).arg(idok.size()));
    memoriaSor("full list preview: peak memory of the whole program", csucsAlatt, "<= 100 MB",
               QStringLiteral("%1 pages laid out to the end%2; %3 MB held after it closed (%4 MB before it opened)")
                   .arg(lapok)
                   .arg(nullazva ? QString() : QStringLiteral(" (peak of the whole run: no reset here)"))
                   .arg(utana / 1024.0, 0, 'f', 1)
                   .arg(elotte / 1024.0, 0, 'f', 1));
}

// F2 on a place, one character typed into the telephone box, "OK": the key
// to the grid repainted after the editor closed.
void Munkamenet::szerkesztes()
{
    helyek().setCurrentRow(helyek().recordCount() / 2);
    QCoreApplication::processEvents();
    const qint64 kulcs = helyek().asInteger(QStringLiteral("ugyfel"));
    Idok idok;
    int mentve = 0;
    for (int i = 0; i < kFutasok; ++i) {
        aktival();
        Megjelenesre ablak("Tfrm_Szerkeszt", onmaga, [&](QWidget *w, FestesSzamlalo &) {
            auto *telefon = w->findChild<QLineEdit *>(QStringLiteral("kapcs_telefon"));
            telefon->setFocus();
            QTest::keyClick(telefon, Qt::Key_End);
            QTest::keyClick(telefon, char('0' + i));
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
        idok.push_back(festesig(festett(), [&] { billentyu(Qt::Key_F2); }));
        mentve += ablak.lefutott() && helyek().asInteger(QStringLiteral("ugyfel")) == kulcs
                          && helyek().asString(QStringLiteral("kapcs_telefon")).endsWith(QChar(char('0' + i)))
                      ? 1
                      : 0;
    }
    sor("place editor: open on a place + post", idok, "<= 50 ms worst",
        QStringLiteral("%1 of %2 saved on the same row").arg(mentve).arg(kFutasok));
}

void Munkamenet::osszMemoria()
{
    memoriaSor("whole program peak (VmHWM) after the session", csucs(), "<= 100 MB",
               QStringLiteral("login, order change, quick search, keys, F5, F4, find, export, preview, editor; "
                              "%1 MB resident now")
                   .arg(procStatusKb("VmRSS") / 1024.0, 0, 'f', 1));
    std::printf("  (the event loop painted the window in %d of %d steps; the rest were painted by hand)\n",
                FestesSzamlalo::s_megfestesek - FestesSzamlalo::s_kezzel, FestesSzamlalo::s_megfestesek);
}

}  // namespace

int erzettLatencia(const QString &programMappa)
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    std::printf("felt latency, the real windows (%s), min / median / max of %d or more runs:\n",
                qPrintable(QGuiApplication::platformName()), kFutasok);
    Munkamenet m(programMappa);
    m.belepesEsSorrend();
    m.gyorsKereses();
    m.leptetes();
    m.frissites();
    m.foglalasok();
    m.kereses();
    m.exportalas();
    m.eloneztetes();
    m.szerkesztes();
    m.osszMemoria();
    return 0;
}
