// Benchmark of the data layer on a large agency:
//   nyugvar_bench [--small] [--postgresql CONNINFO] [irsz.csv]
// Fills a temporary data folder with 50,000 places, 500,000 bookings, 20,000
// orderers and 100,000 notes (a tenth of each with --small), then times what
// the user waits for: the place list opening, a sort change, typing into the
// quick search, a filter, the bookings of one place, walks over the places
// and the bookings as reports and exports make them, and a refused post.
// Prints one line per figure. The walk over a query result runs in a process
// of its own (nyugvar_bench --walk-query <data folder> [--controls-on]), so
// that its peak memory is that of a whole process; so does the full list of
// places laid out and saved as PDF (nyugvar_bench --place-list-report <folder>),
// and the same list in the preview window, closed with Esc while its pages are
// still being laid out (nyugvar_bench --place-list-preview <folder>).
// With --postgresql, the steps a desk waits for most run on the folder and
// then on the server of CONNINFO (an empty database) after the folder was
// copied onto it, and a table sets them side by side; nothing else runs.
// Last, the felt latency (erzett.cpp) drives the program's own windows on the
// same data folder in a process of its own (nyugvar_bench --felt <program
// folder>), so that its peak memory is that of the program's session.

#include "bookings/foglalassorok.h"
#include "bookings/tqrfoglalas.h"
#include "bookings/tfrm_torzsfoglalo.h"
#include "common/alkalmazas.h"
#include "common/binding.h"
#include "common/datagrid.h"
#include "common/gridmodel.h"
#include "common/sorszerkeszto.h"
#include "common/dobozok.h"
#include "data/adatmappa.h"
#include "data/atvitel.h"
#include "data/engine.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "places/megjegyzesek.h"
#include "places/helykereses.h"
#include "places/tfrm_szerkeszt.h"
#include "reports/archivum.h"
#include "reports/engine/agency.h"
#include "reports/engine/layout.h"
#include "reports/engine/painter.h"
#include "reports/engine/preview.h"
#include "reports/engine/qtmeasurer.h"
#include "reports/helyriportfuttatas.h"
#include "reports/tqrugyfel.h"
#include "reports/engine/run.h"
#include "reports/hataroltiro.h"

#include "erzett.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

// The agency's size; --small takes a tenth of each.
struct Size {
    int places = 50000;
    int bookings = 500000;
    int orderers = 20000;
    int notes = 100000;
} g_size;
constexpr int kTypes = 20;
constexpr int kAreas = 30;
constexpr int kPayments = 5;
constexpr int kBoundControls = 30;  // a full editor's bound controls
constexpr int kGridRows = 40;  // rows a full-size main grid shows

// ---- figures -----------------------------------------------------------------

void line(const char *what, double ms, const QString &extra = QString())
{
    std::printf("%-52s %10.1f ms%s%s\n", what, ms, extra.isEmpty() ? "" : "   ",
                qPrintable(extra));
    std::fflush(stdout);
}

double timed(const std::function<void()> &fn)
{
    QElapsedTimer t;
    t.start();
    fn();
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

long procStatusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith(prefix))
            return l.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

bool resetPeakMemory()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write("5") == 1;
}

namespace {

// ---- synthetic agency --------------------------------------------------------

const char *const kNameFirst[] = {
    "Napsugár", "Fenyves", "Tölgyfa", "Őzike", "Hársfa", "Kék Duna", "Öreg Halász", "Ezüstpart",
    "Szőlőskert", "Mandula", "Gyöngyvirág", "Nádas", "Rózsakert", "Erdőszél", "Vadgesztenye",
    "Aranyhíd", "Csillag", "Hajnal", "Holdfény", "Kikelet", "Ürge", "Sólyom", "Fecskefészek",
    "Platán", "Zöldliget", "Szélmalom", "Ökörszem", "Tündérkert", "Várkert", "Vadrózsa",
    "Kovács", "Szabó", "Tóth", "Nagy", "Horváth", "Kiss", "Molnár", "Németh", "Farkas", "Balogh",
    "Papp", "Takács", "Juhász", "Lakatos", "Mészáros", "Oláh", "Simon", "Rácz", "Fekete", "Szűcs",
    "Édenkert", "Ibolya", "Ákácfa", "Árnyas", "Éden", "Élménytanya", "Óvár", "Úrilak", "Ősfa",
    "Czibere",
};
const char *const kNameKind[] = {
    "Vendégház", "Panzió", "Apartman", "Nyaraló", "Üdülőház", "Szálló", "Kúria", "Lak",
    "Fogadó", "Tanya", "Vendégszoba", "Kulcsosház", "Lakosztály", "Villa", "Pihenőház",
};
const char *const kTypeNames[kTypes] = {
    "Vendégház", "Panzió", "Apartman", "Nyaraló", "Üdülőház", "Szálloda", "Kúria", "Faház",
    "Fogadó", "Tanya", "Vendégszoba", "Kulcsosház", "Kemping", "Villa", "Pihenőház",
    "Parasztház", "Présház", "Lakóhajó", "Jurta", "Kastélyszálló",
};
const char *const kAreaNames[kAreas] = {
    "Balaton-észak", "Balaton-dél", "Balaton-felvidék", "Velencei-tó", "Tisza-tó", "Mátra",
    "Bükk", "Zemplén", "Tokaj-Hegyalja", "Őrség", "Hévíz és környéke", "Budapest", "Dunakanyar",
    "Sopron és Fertő-tó", "Szigetköz", "Pécs és Mecsek", "Villány", "Szeged", "Gyula",
    "Debrecen", "Hortobágy", "Bakony", "Eger", "Visegrádi-hegység", "Kiskunság", "Jászság",
    "Nyírség", "Gemenc", "Kőszeg", "Zalakaros",
};
const char *const kPaymentNames[kPayments] = {
    "Készpénz", "Átutalás", "Bankkártya", "Üdülési csekk", "SZÉP-kártya",
};
const char *const kFamily[] = {
    "Nagy", "Kovács", "Tóth", "Szabó", "Horváth", "Varga", "Kiss", "Molnár", "Németh", "Farkas",
    "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros", "Oláh", "Simon", "Rácz",
    "Fekete", "Szilágyi", "Török", "Fehér", "Balázs", "Gál", "Kis", "Szűcs", "Kocsis", "Orsós",
    "Pintér", "Fodor", "Szalai", "Sipos", "Magyar", "Lukács", "Gulyás", "Biró", "Király",
    "Katona", "László", "Jakab", "Bogdán", "Sándor", "Boros", "Fazekas", "Kelemen", "Antal",
    "Somogyi", "Orosz", "Fülöp", "Vörös", "Ősz", "Ürmös", "Élő", "Ács",
};
const char *const kGiven[] = {
    "László", "István", "József", "János", "Zoltán", "Sándor", "Gábor", "Ferenc", "Attila",
    "Péter", "Tamás", "Zsolt", "Tibor", "András", "Csaba", "Imre", "Lajos", "György", "Balázs",
    "Mária", "Erzsébet", "Katalin", "Ilona", "Éva", "Anna", "Zsuzsanna", "Margit", "Judit",
    "Ágnes", "Andrea", "Erika", "Krisztina", "Irén", "Eszter", "Noémi", "Réka", "Ödön", "Örs",
};
const char *const kStreets[] = {
    "Petőfi Sándor u.", "Kossuth Lajos u.", "Fő u.", "Rákóczi u.", "Béke tér", "Dózsa György út",
    "Ady Endre u.", "Jókai Mór u.", "Arany János u.", "Széchenyi tér", "Vasút u.", "Kert u.",
    "Táncsics Mihály u.", "Hunyadi u.", "Bajcsy-Zsilinszky u.", "Szőlőhegy", "Part u.",
    "Fürdő u.", "Erdősor", "Vörösmarty u.", "Zrínyi Ilona u.", "Öreghegy", "Ürömi köz",
};
const char *const kCountries[] = {"H", "H", "H", "H", "H", "H", "H", "H", "A", "SK", "HR", "D", "RO", "SLO"};
const char *const kNoteTitles[] = {
    "Telefon", "Árváltozás", "Szezonnyitás", "Panasz", "Szerződés", "Felújítás", "Új fénykép",
    "Bejárás", "Számla", "Elérhetőség változott",
};

template <typename T, std::size_t N>
constexpr int count(const T (&)[N]) { return int(N); }

class Generator {
public:
    explicit Generator(quint32 seed) : m_rng(seed) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }
    bool chance(double p) { return real(0, 1) < p; }
    template <typename T, std::size_t N>
    QString pick(const T (&a)[N]) { return QString::fromUtf8(a[between(0, int(N) - 1)]); }
    std::mt19937 &rng() { return m_rng; }

    QString person() { return pick(kFamily) + QLatin1Char(' ') + pick(kGiven); }
    QString mobile()
    {
        static const char *const nets[] = {"20", "30", "70"};
        return QStringLiteral("06-%1-%2-%3").arg(QString::fromLatin1(nets[between(0, 2)]))
            .arg(between(100, 999)).arg(between(1000, 9999));
    }
    QString email(const QString &name)
    {
        static const char *const hosts[] = {"freemail.hu", "citromail.hu", "gmail.com", "t-online.hu"};
        QString user = name.toLower().normalized(QString::NormalizationForm_D);
        user.remove(QRegularExpression(QStringLiteral("[^a-z ]")));
        user.replace(QLatin1Char(' '), QLatin1Char('.'));
        return user + QString::number(between(1, 99)) + QLatin1Char('@')
            + QString::fromLatin1(hosts[between(0, 3)]);
    }
    QString street() { return pick(kStreets) + QLatin1Char(' ') + QString::number(between(1, 120)) + QLatin1Char('.'); }
    QDate dayBetween(const QDate &from, const QDate &to)
    {
        return from.addDays(between(0, int(from.daysTo(to))));
    }

private:
    std::mt19937 m_rng;
};

struct PostalCode {
    QString irsz;
    QString varos;
};

QVector<PostalCode> readPostalCodes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(QString(QStringLiteral("cannot read ") + path).toStdString());
    QVector<PostalCode> out;
    QTextStream in(&f);
    in.readLine();  // header
    while (!in.atEnd()) {
        const QStringList p = in.readLine().split(QLatin1Char(';'));
        if (p.size() == 2)
            out.append({p[0], p[1]});
    }
    return out;
}

class Filler {
public:
    explicit Filler(QSqlDatabase db) : m_db(db) {}

    QSqlQuery prepare(const QString &sql)
    {
        QSqlQuery q(m_db);
        if (!q.prepare(sql))
            fail(q, sql);
        return q;
    }
    void exec(QSqlQuery &q)
    {
        if (!q.exec())
            fail(q, q.lastQuery());
    }
    void exec(const QString &sql)
    {
        QSqlQuery q(m_db);
        if (!q.exec(sql))
            fail(q, sql);
    }

private:
    [[noreturn]] static void fail(const QSqlQuery &q, const QString &sql)
    {
        throw std::runtime_error(QString(sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
    }
    QSqlDatabase m_db;
};

QVariant maybe(Generator &gen, double p, const QString &value)
{
    return gen.chance(p) ? QVariant(value) : QVariant(QMetaType(QMetaType::QString));
}

// Fills the database; returns the key of the place with the most bookings.
int fill(const QString &dbFile, const QVector<PostalCode> &codes)
{
    const QString conn = QStringLiteral("bench-fill");
    int busiest = 1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(dbFile);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        Generator gen(19670401);
        Filler f(db);
        f.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        if (!db.transaction())
            throw std::runtime_error(db.lastError().text().toStdString());

        auto code = [&]() -> const PostalCode & { return codes[gen.between(0, codes.size() - 1)]; };

        QSqlQuery q = f.prepare(QStringLiteral("INSERT INTO tipus (Tipus, Tipus_nev) VALUES (?, ?)"));
        for (int i = 0; i < kTypes; ++i) {
            q.bindValue(0, i + 1);
            q.bindValue(1, QString::fromUtf8(kTypeNames[i]));
            f.exec(q);
        }
        q = f.prepare(QStringLiteral("INSERT INTO terulet (terulet, terulet_nev) VALUES (?, ?)"));
        for (int i = 0; i < kAreas; ++i) {
            q.bindValue(0, i + 1);
            q.bindValue(1, QString::fromUtf8(kAreaNames[i]));
            f.exec(q);
        }
        q = f.prepare(QStringLiteral("INSERT INTO fizmod (fizmod, fizmod_nev) VALUES (?, ?)"));
        for (int i = 0; i < kPayments; ++i) {
            q.bindValue(0, i + 1);
            q.bindValue(1, QString::fromUtf8(kPaymentNames[i]));
            f.exec(q);
        }

        q = f.prepare(QStringLiteral(
            "INSERT INTO foglalo (foglalo, foglalo_nev, cim_irsz, cim_varos, cim_cim, mobil, telefon,"
            " emil, megjegyzes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 1; i <= g_size.orderers; ++i) {
            const QString name = gen.person();
            const PostalCode &pc = code();
            q.bindValue(0, i);
            q.bindValue(1, name);
            q.bindValue(2, pc.irsz);
            q.bindValue(3, pc.varos);
            q.bindValue(4, gen.street());
            q.bindValue(5, gen.mobile());
            q.bindValue(6, maybe(gen, 0.3, QStringLiteral("06-1-%1").arg(gen.between(1000000, 9999999))));
            q.bindValue(7, maybe(gen, 0.7, gen.email(name)));
            q.bindValue(8, maybe(gen, 0.05, QStringLiteral("Visszatérő vendég.")));
            f.exec(q);
        }

        // Each place's commission rate, needed by its bookings.
        QVector<double> rate(g_size.places + 1);
        for (int i = 1; i <= g_size.places; ++i)
            rate[i] = gen.between(8, 15) + (gen.chance(0.2) ? 0.5 : 0.0);

        // Bookings first, so that the places can carry their running totals.
        QVector<double> totalFee(g_size.places + 1, 0.0), totalCommission(g_size.places + 1, 0.0);
        QVector<int> bookingsOf(g_size.places + 1, 0);
        q = f.prepare(QStringLiteral(
            "INSERT INTO foglalas (foglalas, foglalaz, ugyfel, dat_tol, dat_ig, nap, foglalo,"
            " letszam_felnott, letszam_gyerek, fizmod, jutalek, ossz_dij, ossz_jut, megjegyzes,"
            " ar_fogl, ar_helyszin) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        const QDate firstDay(2015, 1, 1), lastDay(2026, 12, 31);
        for (int i = 1; i <= g_size.bookings; ++i) {
            // A fifth of the bookings go to the 500 most popular places.
            const int place = gen.chance(0.2) ? gen.between(1, 500) : gen.between(1, g_size.places);
            const QDate from = gen.dayBetween(firstDay, lastDay);
            const int nights = gen.between(1, 14);
            const int adults = gen.between(1, 6);
            const double fee = nights * adults * double(gen.between(40, 150) * 100);
            const double commission = fee * rate[place] / 100.0;
            const double deposit = gen.chance(0.6) ? std::round(fee * 0.3) : 0.0;
            totalFee[place] += fee;
            totalCommission[place] += commission;
            ++bookingsOf[place];
            q.bindValue(0, i);
            q.bindValue(1, i);
            q.bindValue(2, place);
            q.bindValue(3, from.toString(Qt::ISODate));
            q.bindValue(4, from.addDays(nights).toString(Qt::ISODate));
            q.bindValue(5, nights);
            q.bindValue(6, gen.between(1, g_size.orderers));
            q.bindValue(7, adults);
            q.bindValue(8, gen.between(0, 4));
            q.bindValue(9, gen.between(1, kPayments));
            q.bindValue(10, rate[place]);
            q.bindValue(11, fee);
            q.bindValue(12, commission);
            q.bindValue(13, maybe(gen, 0.1, QStringLiteral("Késői érkezés, kulcs a szomszédnál.")));
            q.bindValue(14, deposit);
            q.bindValue(15, fee - deposit);
            f.exec(q);
        }
        busiest = int(std::max_element(bookingsOf.begin() + 1, bookingsOf.end()) - bookingsOf.begin());

        QVector<int> sequence(g_size.places);
        std::iota(sequence.begin(), sequence.end(), 1);
        std::shuffle(sequence.begin(), sequence.end(), gen.rng());
        q = f.prepare(QStringLiteral(
            "INSERT INTO ugyfel (ugyfel, ugyfel_nev, sorszam, tipus, aktiv, cim_orszag, cim_irsz,"
            " cim_varos, cim_cim, lev_orszag, lev_irsz, lev_varos, lev_cim, honlap, letszam, tol, ig,"
            " udulesicsekk, kapcsolat, kapcs_mobil, kapcs_mobil2, kapcs_telefon, kapcs_fax,"
            " kapcs_emil, tulajdonos, tul_mobil, tul_mobil2, tul_telefon, tul_fax, tul_emil,"
            " bankszamla, jutalek, ossz_dij, ossz_jut, megjegyzes, terulet, szolgaltatas)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
            " ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 1; i <= g_size.places; ++i) {
            const PostalCode &pc = code();
            QString name = gen.pick(kNameFirst) + QLatin1Char(' ') + gen.pick(kNameKind);
            if (gen.chance(0.4))
                name += QLatin1Char(' ') + pc.varos;
            const QString contact = gen.person();
            const QString owner = gen.chance(0.5) ? contact : gen.person();
            const bool abroad = gen.chance(0.05);
            const bool mailElsewhere = gen.chance(0.1);
            const PostalCode &mail = mailElsewhere ? code() : pc;
            int c = 0;
            q.bindValue(c++, i);
            q.bindValue(c++, name.left(75));
            q.bindValue(c++, sequence[i - 1]);
            q.bindValue(c++, gen.between(1, kTypes));
            q.bindValue(c++, gen.chance(0.85) ? QStringLiteral("I") : QStringLiteral("N"));
            q.bindValue(c++, abroad ? gen.pick(kCountries) : QStringLiteral("H"));
            q.bindValue(c++, pc.irsz);
            q.bindValue(c++, pc.varos.left(25));
            q.bindValue(c++, gen.street());
            q.bindValue(c++, QStringLiteral("H"));
            q.bindValue(c++, mail.irsz);
            q.bindValue(c++, mail.varos.left(25));
            q.bindValue(c++, mailElsewhere ? gen.street() : QString());
            q.bindValue(c++, maybe(gen, 0.4, QStringLiteral("www.szallas%1.hu").arg(i)));
            q.bindValue(c++, gen.between(2, 30));
            q.bindValue(c++, QStringLiteral("0%1.%2").arg(gen.between(4, 6)).arg(gen.between(1, 15), 2, 10, QLatin1Char('0')));
            q.bindValue(c++, QStringLiteral("%1.%2").arg(gen.between(8, 10), 2, 10, QLatin1Char('0')).arg(gen.between(1, 30), 2, 10, QLatin1Char('0')));
            q.bindValue(c++, gen.chance(0.6) ? QStringLiteral("I") : QStringLiteral("N"));
            q.bindValue(c++, contact);
            q.bindValue(c++, gen.mobile());
            q.bindValue(c++, maybe(gen, 0.2, gen.mobile()));
            q.bindValue(c++, maybe(gen, 0.5, QStringLiteral("06-%1-%2").arg(gen.between(22, 99)).arg(gen.between(100000, 999999))));
            q.bindValue(c++, maybe(gen, 0.1, QStringLiteral("06-%1-%2").arg(gen.between(22, 99)).arg(gen.between(100000, 999999))));
            q.bindValue(c++, gen.email(contact));
            q.bindValue(c++, owner);
            q.bindValue(c++, gen.mobile());
            q.bindValue(c++, QVariant(QMetaType(QMetaType::QString)));
            q.bindValue(c++, maybe(gen, 0.3, QStringLiteral("06-%1-%2").arg(gen.between(22, 99)).arg(gen.between(100000, 999999))));
            q.bindValue(c++, QVariant(QMetaType(QMetaType::QString)));
            q.bindValue(c++, maybe(gen, 0.5, gen.email(owner)));
            q.bindValue(c++, QStringLiteral("%1-%2-%3").arg(gen.between(10000000, 99999999))
                                 .arg(gen.between(10000000, 99999999)).arg(gen.between(10000000, 99999999)));
            q.bindValue(c++, rate[i]);
            q.bindValue(c++, totalFee[i]);
            q.bindValue(c++, totalCommission[i]);
            q.bindValue(c++, maybe(gen, 0.15, QStringLiteral("Kisállat bevihető.\nParkolás az udvarban.")));
            q.bindValue(c++, gen.between(1, kAreas));
            q.bindValue(c++, maybe(gen, 0.5, QStringLiteral("Wifi, grillezési lehetőség, kerékpárkölcsönzés")));
            f.exec(q);
        }

        q = f.prepare(QStringLiteral(
            "INSERT INTO ugyf_megj (ugyf_megj, ugyfel, datum, rovid, megjegyzes) VALUES (?, ?, ?, ?, ?)"));
        for (int i = 1; i <= g_size.notes; ++i) {
            const QString title = gen.pick(kNoteTitles);
            q.bindValue(0, i);
            q.bindValue(1, gen.between(1, g_size.places));
            q.bindValue(2, gen.dayBetween(firstDay, lastDay).toString(Qt::ISODate));
            q.bindValue(3, title);
            q.bindValue(4, QString(title + QStringLiteral(": ") + gen.person() + QStringLiteral(" telefonált, visszahívást kér.")));
            f.exec(q);
        }

        if (!db.commit())
            throw std::runtime_error(db.lastError().text().toStdString());
        f.exec(QStringLiteral("ANALYZE"));
        QStringList counts;
        for (const char *t : {"ugyfel", "foglalas", "foglalo", "ugyf_megj", "tipus", "terulet"}) {
            QSqlQuery c(db);
            if (!c.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(t))) || !c.next())
                throw std::runtime_error(c.lastError().text().toStdString());
            counts << QStringLiteral("%1 %2").arg(QLatin1String(t)).arg(c.value(0).toInt());
        }
        std::printf("stored rows: %s\n", qPrintable(counts.join(QStringLiteral(", "))));
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
    return busiest;
}

QString defaultIrszCsv()
{
    // The source tree's postal codes: bench/../data/irsz.csv.
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../data/irsz.csv"));
}

// Reads the first rows of a data set as a grid showing every field does.
void readGridRows(data::DataSet &ds)
{
    data::DataSetModel model(&ds);
    model.useAllFields();
    const int rows = std::min(kGridRows, model.rowCount());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            (void)model.data(model.index(r, c), Qt::DisplayRole);
}

// Reads every field of the current row by name, as a report or an export does.
qint64 readEveryField(const data::DataSet &ds)
{
    qint64 chars = 0;
    for (int f = 0; f < ds.fieldCount(); ++f)
        chars += ds.asString(ds.field(f).def.name).size();
    return chars;
}

int walk(data::DataSet &ds, bool everyField)
{
    int rows = 0;
    for (ds.first(); !ds.eof(); ds.next()) {
        ++rows;
        if (everyField)
            readEveryField(ds);
    }
    return rows;
}

// The place list walked with a grid and an editor's bound controls on it,
// with the controls left on and disabled.
void timeBoundWalk(data::Table &places)
{
    data::DataSetModel model(&places);
    model.useAllFields();
    data::Binder binder(&places);
    std::vector<std::unique_ptr<QLineEdit>> edits;
    for (int f = 0; f < places.fieldCount() && int(edits.size()) < kBoundControls; ++f) {
        const data::Field &fd = places.field(f);
        if (fd.kind != data::FieldKind::Stored || fd.def.type == schema::FieldType::Memo)
            continue;
        edits.push_back(std::make_unique<QLineEdit>());
        binder.bindEdit(edits.back().get(), fd.def.name);
    }
    QObject counting;
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, &counting, [&] { ++resets; });
    for (bool disabled : {false, true}) {
        int rows = 0;
        resets = 0;
        const double ms = timed([&] {
            std::unique_ptr<data::ControlsDisabled> quiet;
            if (disabled)
                quiet = std::make_unique<data::ControlsDisabled>(places);
            rows = walk(places, false);
        });
        line(disabled ? "walk the places, grid + 30 controls, disabled" : "walk the places, grid + 30 controls, on", ms,
             QStringLiteral("%1 rows, %2 grid resets, last shown \"%3\"")
                 .arg(rows).arg(resets).arg(edits[1]->text()));
    }
}

// The find dialog's walk over the whole place list with a text that no row
// holds: every field of every row read and joined, long texts included.
void timeFindWalk(data::Table &places)
{
    struct Quiet : DobozSzolgaltatas {
        QStringList said;
        bool kerdes(const QString &, const QString &) override { return false; }
        void hiba(const QString &t) override { said << t; }
        void uzenet(const QString &t) override { said << t; }
        bool beker(const QString &, const QString &, const QString &, QString &) override { return false; }
    } quiet;
    setDobozSzolgaltatas(&quiet);
    places.first();
    KeresesIrany direction = KeresesIrany::ElejetolLefele;
    KeresesEredmeny result = KeresesEredmeny::Talalt;
    // The processor time too: on a shared machine the clock also counts
    // the others' work.
    const auto threadCpuMs = [] {
        timespec t;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    const double cpuBefore = threadCpuMs();
    const double ms = timed([&] { result = HelyKereses(places, QStringLiteral("nincs ilyen szöveg"), direction); });
    const double cpu = threadCpuMs() - cpuBefore;
    setDobozSzolgaltatas(nullptr);
    line("find dialog walk, no match, every field", ms,
         QStringLiteral("%1 rows, %2, ends on row %3, \"%4\", %5 ms processor time")
             .arg(places.recordCount())
             .arg(result == KeresesEredmeny::Vege ? QStringLiteral("end reached") : QStringLiteral("NOT AT THE END"))
             .arg(places.recNo())
             .arg(quiet.said.value(0))
             .arg(cpu, 0, 'f', 1));
    qint64 chars = 0;
    const double read = timed([&] {
        for (int r = 0; r < places.recordCount(); ++r)
            chars += places.valuesAt(r).size();
    });
    line("  of which reading the rows (valuesAt)", read, QStringLiteral("%1 values").arg(chars));
    const double text = timed([&] {
        chars = 0;
        for (int r = 0; r < places.recordCount(); ++r)
            chars += SorSzoveg(places, r).size();
    });
    line("  row texts (read + plain text + lower case)", text,
         QStringLiteral("%1 characters, %2 per row").arg(chars).arg(chars / qMax(1, places.recordCount())));
}

// A post that the engine refuses (a duplicate key) while the place list and
// two other data sets are open: how long it takes and how many re-read.
void timeRefusedPost(data::Database &db, data::Table &places, int busiest)
{
    data::Table types(db, QStringLiteral("tipus"));
    types.setIndexFieldNames(QStringLiteral("Tipus"));
    types.open();
    data::Table bookings(db, QStringLiteral("foglalas"));
    bookings.setFilter(QStringLiteral("ugyfel=%1").arg(busiest));
    bookings.setFiltered(true);
    bookings.open();
    QObject counting;
    QSet<const data::DataSet *> reread;
    int resets = 0;
    for (data::DataSet *ds : {static_cast<data::DataSet *>(&places), static_cast<data::DataSet *>(&types),
                              static_cast<data::DataSet *>(&bookings)})
        QObject::connect(ds, &data::DataSet::rowsReset, &counting, [&, ds] {
            reread.insert(ds);
            ++resets;
        });
    types.insert();
    types.setValue(QStringLiteral("Tipus"), 1);
    types.setValue(QStringLiteral("Tipus_nev"), QStringLiteral("Kettőzött"));
    bool refused = false;
    const double ms = timed([&] {
        try {
            types.post();
        } catch (const data::DbError &) {
            refused = true;
        }
    });
    line("refused post, place list by name + 2 more open", ms,
         QStringLiteral("%1, %2 rowsReset signals, %3 of 3 data sets re-read")
             .arg(refused ? QStringLiteral("refused") : QStringLiteral("NOT REFUSED"))
             .arg(resets).arg(reread.size()));
    types.cancel();
}

// "Szerkeszt" and "OK" on a place of the open list: the place editor built
// and bound, shown modally, one field typed and the row posted.
void timePlaceEditor(data::Database &db, data::Table &places)
{
    data::Table types(db, QStringLiteral("tipus"));
    types.setReadOnly(true);
    types.setIndexFieldNames(QStringLiteral("Tipus"));
    types.open();
    data::Table areas(db, QStringLiteral("terulet"));
    areas.setReadOnly(true);
    areas.setIndexFieldNames(QStringLiteral("terulet"));
    areas.open();
    SorSzerkeszto rows(places);
    int typed = 0;
    double postMs = 0;
    rows.setSzerkeszto([&] {
        Tfrm_Szerkeszt editor(rows, &types, &areas, QStringLiteral("Veszprém"));
        QTimer::singleShot(0, &editor, [&] {
            // What the telephone box writes as it is typed in.
            places.setValue(QStringLiteral("kapcs_telefon"), QStringLiteral("+36 1 555 %1").arg(++typed));
            postMs = std::max(postMs, timed([&] { editor.ok(); }));
        });
        return editor.exec() == QDialog::Accepted;
    });
    places.setCurrentRow(places.recordCount() / 2);
    const qint64 key = places.asInteger(QStringLiteral("ugyfel"));
    constexpr int kRuns = 5;
    double worst = 0, total = 0;
    int saved = 0;
    for (int i = 0; i < kRuns; ++i) {
        bool ok = false;
        const double ms = timed([&] { ok = rows.szerkeszt(); });
        worst = std::max(worst, ms);
        total += ms;
        saved += ok ? 1 : 0;
    }
    line("place editor: open on a place + post (worst of 5)", worst,
         QStringLiteral("mean %1 ms (post at most %2 ms), %3 of %4 saved, %5 places listed, %6")
             .arg(total / kRuns, 0, 'f', 1).arg(postMs, 0, 'f', 1).arg(saved).arg(kRuns).arg(places.recordCount())
             .arg(places.asInteger(QStringLiteral("ugyfel")) == key
                      && places.asString(QStringLiteral("kapcs_telefon")).endsWith(QString::number(typed))
                      ? QStringLiteral("row kept and stored")
                      : QStringLiteral("ROW LOST")));
}

// Bookings saved as the booking list saves them, each with its place's
// totals in one unit of work, at the busiest place while the place list is
// open in sequence-number order: new, edited and deleted, 20 of each.
// Returns the median of the new bookings' saves.
double timeBookingSave(data::Database &db, int busiest)
{
    struct Igen : DobozSzolgaltatas {
        bool kerdes(const QString &, const QString &) override { return true; }
        void hiba(const QString &szoveg) override { std::fprintf(stderr, "nyugvar_bench: %s\n", qPrintable(szoveg)); }
        void uzenet(const QString &) override {}
        bool beker(const QString &, const QString &, const QString &, QString &) override { return false; }
    } igen;
    setDobozSzolgaltatas(&igen);
    data::Table places(db, QStringLiteral("ugyfel"));
    places.setIndexFieldNames(QStringLiteral("sorszam"));
    places.open();
    places.locate(QStringLiteral("ugyfel"), busiest);
    data::Table bookings(db, QStringLiteral("foglalas"));
    bookings.setIndexFieldNames(QStringLiteral("foglalas"));
    bookings.setFilter(FoglalasSzuro(busiest));
    bookings.setFiltered(true);
    bookings.open();
    data::Query qryJav(db);
    FoglalasSorok sorok(bookings, places, qryJav);
    sorok.setFoglaloValaszto([] { return 1; });
    sorok.setSzerkeszto([&] {
        bookings.setValue(QStringLiteral("ossz_dij"), bookings.asFloat(QStringLiteral("ossz_dij")) + 40000.0);
        bookings.setValue(QStringLiteral("ossz_jut"), bookings.asFloat(QStringLiteral("ossz_jut")) + 5000.0);
        return true;
    });
    const double before = places.asFloat(QStringLiteral("ossz_dij"));
    const int rounds = 20;
    std::vector<double> times[3];
    int saved = 0;
    for (int i = 0; i < rounds; ++i) {
        times[0].push_back(timed([&] { saved += sorok.FoglalasSzerkeszt(true, busiest) ? 1 : 0; }));
        times[1].push_back(timed([&] { saved += sorok.FoglalasSzerkeszt(false, busiest) ? 1 : 0; }));
    }
    for (int i = 0; i < rounds; ++i)
        times[2].push_back(timed([&] { saved += sorok.torol() ? 1 : 0; }));
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    // The first save reads what the later ones find cached; it is told apart.
    auto worst = [](const std::vector<double> &v) { return *std::max_element(v.begin() + 1, v.end()); };
    const double after = places.asFloat(QStringLiteral("ossz_dij"));
    const QString remark = QStringLiteral("%1 of %2 saved, totals %3")
                               .arg(saved).arg(3 * rounds)
                               .arg(after == before ? QStringLiteral("back where they were")
                                                    : QStringLiteral("OFF BY %1").arg(after - before));
    line("save a new booking + place totals (median of 20)", median(times[0]),
         QStringLiteral("first %1 ms, worst of the rest %2 ms; %3")
             .arg(times[0][0], 0, 'f', 1).arg(worst(times[0]), 0, 'f', 1).arg(remark));
    line("save an edited booking + place totals (median of 20)", median(times[1]),
         QStringLiteral("first %1 ms, worst of the rest %2 ms").arg(times[1][0], 0, 'f', 1).arg(worst(times[1]), 0, 'f', 1));
    line("delete a booking - place totals (median of 20)", median(times[2]),
         QStringLiteral("first %1 ms, worst of the rest %2 ms").arg(times[2][0], 0, 'f', 1).arg(worst(times[2]), 0, 'f', 1));
    setDobozSzolgaltatas(nullptr);
    return median(times[0]);
}

// The booking list of one place over the whole period: every 250th booking
// is moved to the last place first, so that it has about 2,000 (a tenth
// with --small). Layout with the real fonts, then the HTML and the PDF
// export, each a run of its own as the user starts it.
void timeBookingListReport(data::Database &db, const QString &folder)
{
    const int place = g_size.places;
    db.exec(QStringLiteral("UPDATE foglalas SET ugyfel = ? WHERE foglalas % 250 = 0"), {place});
    const QDate from(2015, 1, 1), to(2026, 12, 31);
    riport::QtMeasurer measurer;
    int rows = 0, pages = 0;
    double ms = timed([&] {
        FoglalasListaMenet run(db, place, from, to);
        rows = run.lekerdezes().recordCount();
        pages = riport::layoutReport(run.riport, run.adatok(), measurer).pageCount();
    });
    line("booking list of a place: open + layout", ms, QStringLiteral("%1 bookings, %2 pages").arg(rows).arg(pages));
    const QString html = QDir(folder).filePath(QStringLiteral("lista.htm"));
    const QString pdf = QDir(folder).filePath(QStringLiteral("lista.pdf"));
    bool ok = true;
    ms = timed([&] {
        FoglalasListaMenet run(db, place, from, to);
        ok = riport::exportHtml(run.riport, run.adatok(), html) && ok;
    });
    line("booking list of a place: HTML export", ms,
         QStringLiteral("%1 kB").arg(QFileInfo(html).size() / 1024.0, 0, 'f', 0));
    ms = timed([&] {
        FoglalasListaMenet run(db, place, from, to);
        ok = riport::exportPdf(run.riport, run.adatok(), pdf) && ok;
    });
    line("booking list of a place: PDF export", ms,
         QStringLiteral("%1 kB%2").arg(QFileInfo(pdf).size() / 1024.0, 0, 'f', 0).arg(ok ? QString() : QStringLiteral(", FAILED")));
    QFile::remove(html);
    QFile::remove(pdf);
}

// Runs in a process of its own: the walk over a query result of every
// booking, reading every field, and the whole process's peak memory.
int walkQuery(const QString &folder, bool controlsOn)
{
    data::Database &db = data::Database::regiszter();
    db.params() << QStringLiteral("PATH=") + folder;
    db.open();
    data::Query q(db);
    q.setSql(QStringLiteral("SELECT * FROM foglalas"));
    int rows = 0;
    const double ms = timed([&] {
        q.open();
        std::unique_ptr<data::ControlsDisabled> quiet;
        if (!controlsOn)
            quiet = std::make_unique<data::ControlsDisabled>(q);
        rows = walk(q, true);
    });
    line(controlsOn ? "walk SELECT * FROM foglalas, every field, controls on"
                    : "walk SELECT * FROM foglalas, every field, disabled",
         ms, QStringLiteral("%1 rows, peak %2 MB for the whole process")
                 .arg(rows).arg(procStatusKb("VmHWM") / 1024.0, 0, 'f', 1));
    db.close();
    return 0;
}

// After a lookup list for upkeep closes, the main window re-reads the place
// list so that it shows the type and area names as they are now; with the
// filter on, as a user who filtered by area would have it.
void timeLookupUpkeep(data::Table &places)
{
    places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
    places.setCurrentRow(places.recordCount() / 2);
    const qint64 keep = places.asInteger(QStringLiteral("ugyfel"));
    double ms = timed([&] {
        places.refresh();
        readGridRows(places);
    });
    line("lookup list closed: re-read places by name + 40 rows", ms,
         places.asInteger(QStringLiteral("ugyfel")) == keep ? QStringLiteral("current row kept")
                                                            : QStringLiteral("CURRENT ROW LOST"));
    places.setFilter(QStringLiteral("(terulet=2) and (aktiv='I')"));
    places.setFiltered(true);
    ms = timed([&] {
        places.refresh();
        readGridRows(places);
    });
    line("the same, filtered by area and active", ms, QStringLiteral("%1 rows pass").arg(places.recordCount()));
    places.setFiltered(false);
}

// The orderers register as the user meets it: the list window shown on
// every orderer, then a name typed into its search box, one find and one
// repaint per keystroke.
// The notes window of one place: its notes newest first, through the date
// index, filtered to the place.
void timeNotesOfAPlace(data::Database &db, int place)
{
    data::Table notes(db, QStringLiteral("ugyf_megj"));
    MegjegyzesListaBeallit(notes, place);
    int rows = 0;
    const double ms = timed([&] {
        notes.open();
        rows = notes.recordCount();
        readGridRows(notes);
    });
    line("open the notes of one place, newest first", ms, QStringLiteral("place %1: %2 notes").arg(place).arg(rows));
    notes.close();
}

void timeOrdererList(data::Database &db)
{
    Tfrm_TorzsFoglalo lista(db, QString());
    double ms = timed([&] {
        lista.show();
        QApplication::processEvents();
        lista.racs()->viewport()->repaint();
    });
    line("open the orderers list (shown, painted)", ms,
         QStringLiteral("%1 rows").arg(lista.tabla()->recordCount()));

    const QString typed = QStringLiteral("szűcs örs");
    double total = 0, worst = 0;
    for (int n = 1; n <= typed.size(); ++n) {
        ms = timed([&] {
            lista.keresoMezo()->setText(typed.left(n));
            lista.racs()->viewport()->repaint();
        });
        total += ms;
        worst = std::max(worst, ms);
    }
    line("orderers search box, per keystroke (worst)", worst,
         QStringLiteral("\"%1\": %2 keystrokes, stopped at \"%3\"")
             .arg(typed).arg(typed.size()).arg(lista.tabla()->asString(QStringLiteral("foglalo_nev"))));
    line("orderers search box, all keystrokes", total);
    lista.close();
}

int runTimings(const QString &folder, int busiest)
{
    // Every figure is measured before its remark is put together: the
    // remark reads the state the timed step left behind.
    data::Database &db = data::Database::regiszter();
    db.params().clear();
    db.params() << QStringLiteral("PATH=") + folder;
    double ms = timed([&] { db.open(); });
    line("open the database", ms);

    data::Table places(db, QStringLiteral("ugyfel"));
    places.setIndexFieldNames(QStringLiteral("sorszam"));
    ms = timed([&] {
        places.open();
        readGridRows(places);
    });
    line("open the place list by sorszam + first 40 rows", ms,
         QStringLiteral("%1 rows").arg(places.recordCount()));

    places.setCurrentRow(places.recordCount() / 3);
    const qint64 keep = places.asInteger(QStringLiteral("ugyfel"));
    ms = timed([&] {
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        readGridRows(places);
    });
    line("change the order to ugyfel_nev + first 40 rows", ms,
         places.asInteger(QStringLiteral("ugyfel")) == keep ? QStringLiteral("current row kept")
                                                            : QStringLiteral("CURRENT ROW LOST"));

    // A user typing a name into the quick search, one find per keystroke.
    const QString typed = QStringLiteral("őzike vendégház z");
    double total = 0, worst = 0;
    int found = 0;
    for (int n = 1; n <= typed.size(); ++n) {
        bool ok = false;
        ms = timed([&] {
            ok = places.locate(QStringLiteral("ugyfel_nev"), typed.left(n),
                               data::CaseInsensitive | data::PartialKey);
        });
        total += ms;
        worst = std::max(worst, ms);
        found += ok ? 1 : 0;
    }
    line("prefix find on ugyfel_nev, per keystroke (worst)", worst,
         QStringLiteral("\"%1\": %2 keystrokes, %3 found, stopped at \"%4\"")
             .arg(typed).arg(typed.size()).arg(found).arg(places.asString(QStringLiteral("ugyfel_nev"))));
    line("prefix find on ugyfel_nev, all keystrokes", total);

    bool ok = true;
    ms = timed([&] {
        ok = places.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("Zzz nincs ilyen"),
                           data::CaseInsensitive | data::PartialKey);
    });
    line("prefix find for a missing name", ms, ok ? QStringLiteral("FOUND?") : QStringLiteral("not found"));

    ms = timed([&] { ok = places.locate(QStringLiteral("sorszam"), g_size.places - 7); });
    line("find by sorszam (not the order field)", ms,
         QStringLiteral("%1 at sorszam %2").arg(ok ? QStringLiteral("found") : QStringLiteral("NOT FOUND"))
             .arg(places.asInteger(QStringLiteral("sorszam"))));

    int passing = 0;
    ms = timed([&] {
        places.setFilter(QStringLiteral("(terulet=2) and (aktiv='I')"));
        places.setFiltered(true);
        passing = places.recordCount();
    });
    line("filter (terulet=2) and (aktiv='I') + count", ms, QStringLiteral("%1 rows pass").arg(passing));
    ms = timed([&] {
        places.setFiltered(false);
        passing = places.recordCount();
    });
    line("filter off + count", ms, QStringLiteral("%1 rows").arg(passing));

    int walked = 0;
    ms = timed([&] {
        for (places.first(); !places.eof(); places.next())
            ++walked;
    });
    line("walk the whole place list with next()", ms, QStringLiteral("%1 rows").arg(walked));

    places.setIndexFieldNames(QStringLiteral("sorszam"));
    ms = timed([&] {
        places.setFilter(QStringLiteral("(terulet=2) and (aktiv='I')"));
        places.setFiltered(true);
        passing = places.recordCount();
        places.setFiltered(false);
    });
    line("filter on + off while ordered by sorszam", ms, QStringLiteral("%1 rows passed").arg(passing));

    auto openBookings = [&](int place, const char *what) {
        data::Table bookings(db, QStringLiteral("foglalas"));
        bookings.setIndexFieldNames(QStringLiteral("foglalas"));
        int rows = 0;
        const double t = timed([&] {
            bookings.setFilter(QStringLiteral("ugyfel=%1").arg(place));
            bookings.setFiltered(true);
            bookings.open();
            rows = bookings.recordCount();
            readGridRows(bookings);
        });
        line(what, t, QStringLiteral("place %1: %2 bookings").arg(place).arg(rows));
        bookings.close();
    };
    openBookings(busiest, "open the bookings of the busiest place");
    openBookings(g_size.places - 1, "open the bookings of an ordinary place");

    data::Table notes(db, QStringLiteral("ugyf_megj"));
    notes.setIndexName(QStringLiteral("idx_datum_desc"));
    ms = timed([&] {
        notes.open();
        readGridRows(notes);
    });
    line("open all notes by idx_datum_desc + first 40 rows", ms,
         QStringLiteral("%1 rows").arg(notes.recordCount()));
    notes.close();

    timeNotesOfAPlace(db, g_size.places / 2);
    timeBoundWalk(places);
    timeFindWalk(places);

    {
        data::Table bookings(db, QStringLiteral("foglalas"));
        bookings.setIndexFieldNames(QStringLiteral("foglalas"));
        int rows = 0;
        ms = timed([&] {
            bookings.open();
            data::ControlsDisabled walking(bookings);
            rows = walk(bookings, true);
        });
        line("walk the booking table, every field, disabled", ms, QStringLiteral("%1 rows").arg(rows));
    }

    places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
    timeRefusedPost(db, places, busiest);
    timeLookupUpkeep(places);

    timeOrdererList(db);
    timePlaceEditor(db, places);
    timeBookingSave(db, busiest);
    timeBookingListReport(db, folder);

    places.close();
    db.close();
    return 0;
}

// The steps a desk waits for most, on one engine: the figures of the table
// that sets a server beside the data folder.
double timeExport(data::DataSet &ds, const QString &file, const char *what);

struct DeskFigures {
    double open = 0, order = 0, keystroke = 0, f4 = 0, save = 0, walk = 0, exported = 0;
};

DeskFigures timeDeskSteps(data::Database &db, int busiest)
{
    DeskFigures f;
    data::Table places(db, QStringLiteral("ugyfel"));
    places.setIndexFieldNames(QStringLiteral("sorszam"));
    f.open = timed([&] {
        places.open();
        readGridRows(places);
    });
    line("open the place list by sorszam + first 40 rows", f.open);
    places.setCurrentRow(places.recordCount() / 3);
    f.order = timed([&] {
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        readGridRows(places);
    });
    line("change the order to ugyfel_nev + first 40 rows", f.order);
    const QString typed = QStringLiteral("őzike vendégház z");
    for (int n = 1; n <= typed.size(); ++n)
        f.keystroke = std::max(f.keystroke, timed([&] {
            places.locate(QStringLiteral("ugyfel_nev"), typed.left(n), data::CaseInsensitive | data::PartialKey);
        }));
    line("prefix find on ugyfel_nev, per keystroke (worst)", f.keystroke);
    {
        data::Table bookings(db, QStringLiteral("foglalas"));
        bookings.setIndexFieldNames(QStringLiteral("foglalas"));
        f.f4 = timed([&] {
            bookings.setFilter(FoglalasSzuro(busiest));
            bookings.setFiltered(true);
            bookings.open();
            readGridRows(bookings);
        });
        line("F4: the bookings of the busiest place", f.f4, QStringLiteral("%1 bookings").arg(bookings.recordCount()));
    }
    f.save = timeBookingSave(db, busiest);
    {
        data::Table bookings(db, QStringLiteral("foglalas"));
        bookings.setIndexFieldNames(QStringLiteral("foglalas"));
        int rows = 0;
        f.walk = timed([&] {
            bookings.open();
            data::ControlsDisabled walking(bookings);
            rows = walk(bookings, true);
        });
        line("walk the booking table, every field, disabled", f.walk, QStringLiteral("%1 rows").arg(rows));
    }
    QTemporaryDir out;
    data::Query all(db);
    all.setSql(QStringLiteral("SELECT * FROM foglalas"));
    f.exported = timeExport(all, out.filePath(QStringLiteral("foglalas.csv")), "export SELECT * FROM foglalas (delimited)");
    return f;
}

// The same steps on the data folder and on a server that the folder was
// copied to (the database of `conninfo`, which must be empty), side by side.
int compareWithServer(const QString &folder, const QString &conninfo, int busiest)
{
    data::Database local(QStringLiteral("bench_folder"));
    local.params() << QStringLiteral("PATH=") + folder;
    local.open();
    std::printf("-- the data folder (SQLite)\n");
    const DeskFigures sqlite = timeDeskSteps(local, busiest);

    data::Database server(QStringLiteral("bench_server"));
    server.params() = data::serverParams(conninfo);
    server.params() << QStringLiteral("URES=1");
    server.openToFill();
    double ms = timed([&] { data::copyRegister(local, server); });
    line("nyugvar-atvitel's copy of the folder onto the server", ms);
    local.close();
    server.close();
    server.params().removeAll(QStringLiteral("URES=1"));
    // A server answers its first statements from a cold cache, as a desk
    // that starts in the morning does; its statistics are fresh.
    server.open();
    server.exec(QStringLiteral("ANALYZE"));
    std::printf("-- the server (PostgreSQL, %s)\n", qPrintable(server.location()));
    const DeskFigures pg = timeDeskSteps(server, busiest);
    server.close();

    std::printf("\n%-44s %12s %12s %8s\n", "step", "SQLite ms", "server ms", "ratio");
    const std::pair<const char *, double DeskFigures::*> rows[] = {
        {"open the place list (50,000) + 40 rows", &DeskFigures::open},
        {"order change to ugyfel_nev + 40 rows", &DeskFigures::order},
        {"quick-search keystroke (worst)", &DeskFigures::keystroke},
        {"F4: bookings of the busiest place", &DeskFigures::f4},
        {"booking save with totals (median)", &DeskFigures::save},
        {"walk of every booking, every field", &DeskFigures::walk},
        {"export of every booking", &DeskFigures::exported},
    };
    for (const auto &[what, field] : rows)
        std::printf("%-44s %12.1f %12.1f %8.2f\n", what, sqlite.*field, pg.*field,
                    pg.*field / std::max(0.001, sqlite.*field));
    return 0;
}

// The archive of the whole data folder beside `zip -1 -r` of the same folder:
// both deflate at the fastest level.
void timeArchive(const QString &folder)
{
    QTemporaryDir out;
    const QString ours = out.filePath(QStringLiteral("archivum.zip"));
    int entries = 0;
    const double ms = timed([&] { entries = AdatMappaArchival(folder, ours); });
    line("archive the data folder (libzip, deflate 1)", ms,
         QStringLiteral("%1 files, %2 MB").arg(entries).arg(QFileInfo(ours).size() / 1048576.0, 0, 'f', 1));
    const QString zip = QStandardPaths::findExecutable(QStringLiteral("zip"));
    if (zip.isEmpty()) {
        std::printf("%-52s   skipped: no zip program here\n", "zip -1 -r -q of the same folder");
        return;
    }
    const QString theirs = out.filePath(QStringLiteral("zip.zip"));
    QProcess p;
    p.setWorkingDirectory(folder);
    const double zipMs = timed([&] {
        p.start(zip, {QStringLiteral("-1"), QStringLiteral("-r"), QStringLiteral("-q"), theirs, QStringLiteral(".")});
        p.waitForFinished(-1);
    });
    line("zip -1 -r -q of the same folder", zipMs,
         QStringLiteral("%1 MB, ours / zip = %2").arg(QFileInfo(theirs).size() / 1048576.0, 0, 'f', 1)
             .arg(ms / zipMs, 0, 'f', 2));
}

// One data set written as delimited text, as the export window runs it:
// events let through at each progress call. Returns the milliseconds.
double timeExport(data::DataSet &ds, const QString &file, const char *what)
{
    hatarolt::Iro writer(ds, {});
    // The gaps between yields; the last one holds the file's completion
    // (the rest written, flushed to disk and renamed into place).
    QElapsedTimer since;
    QVector<qint64> gaps;
    writer.setHaladas([&](int) {
        if (since.isValid())
            gaps << since.elapsed();
        QCoreApplication::processEvents();
        since.restart();
    });
    hatarolt::Eredmeny result;
    const double ms = timed([&] {
        if (!ds.isOpen())
            ds.open();
        result = writer.ir(file);
    });
    const qint64 finish = gaps.isEmpty() ? 0 : gaps.takeLast();
    const qint64 longest = gaps.isEmpty() ? 0 : *std::max_element(gaps.cbegin(), gaps.cend());
    line(what, ms, QStringLiteral("%1 rows, %2 MB, longest gap between yields %3 ms, completing the file %4 ms")
                       .arg(result.sorok)
                       .arg(QFileInfo(file).size() / 1048576.0, 0, 'f', 1)
                       .arg(longest)
                       .arg(finish));
    return ms;
}

// The engine's own command-line shell writing the same table as CSV, the
// yardstick of the export; -1 when it is not installed.
double timeSqliteCsv(const QString &dbFile, const QString &table, const QString &file)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        return -1;
    QProcess p;
    p.setStandardOutputFile(file);
    const double ms = timed([&] {
        p.start(shell, {QStringLiteral("-csv"), QStringLiteral("-header"), dbFile,
                        QStringLiteral("SELECT * FROM %1;").arg(table)});
        p.waitForFinished(-1);
    });
    return p.exitCode() == 0 ? ms : -1;
}

void compareWithShell(const char *what, double ms, double shellMs)
{
    if (shellMs < 0) {
        std::printf("%-52s %13s   sqlite3 not installed: no comparison\n", what, "-");
        return;
    }
    line(what, shellMs, QStringLiteral("export / sqlite3 = %1").arg(ms / shellMs, 0, 'f', 2));
}

// Runs in a process of its own, for its peak memory: the delimited export
// of every booking and of the place list, against sqlite3 -csv.
int exportStep(const QString &folder)
{
    data::Database &db = data::Database::regiszter();
    db.params() << QStringLiteral("PATH=") + folder;
    db.open();
    QTemporaryDir out;
    const QString dbFile = QDir(folder).filePath(QString::fromLatin1(data::Database::kFileName));

    data::Query bookings(db);
    bookings.setSql(QStringLiteral("SELECT * FROM foglalas"));
    const double bookingMs = timeExport(bookings, out.filePath(QStringLiteral("foglalas.csv")),
                                        "export SELECT * FROM foglalas (delimited)");
    bookings.close();
    const long bookingPeak = procStatusKb("VmHWM");

    data::Table bookingTable(db, QStringLiteral("foglalas"));
    bookingTable.setIndexFieldNames(QStringLiteral("foglalas"));
    const double bookingTableMs = timeExport(bookingTable, out.filePath(QStringLiteral("foglalas_tabla.csv")),
                                             "export the booking table by foglalas (delimited)");
    bookingTable.close();

    data::Table places(db, QStringLiteral("ugyfel"));
    places.setIndexFieldNames(QStringLiteral("sorszam"));
    const double placeMs = timeExport(places, out.filePath(QStringLiteral("ugyfel.csv")),
                                      "export the place list by sorszam (delimited)");
    places.close();
    std::printf("%-52s %10.1f MB   whole process, after the booking export %.1f MB\n",
                "export peak memory (VmHWM)", procStatusKb("VmHWM") / 1024.0, bookingPeak / 1024.0);

    compareWithShell("sqlite3 -csv SELECT * FROM foglalas", bookingMs,
                     timeSqliteCsv(dbFile, QStringLiteral("foglalas"), out.filePath(QStringLiteral("s1.csv"))));
    std::printf("%-52s %13s   export / sqlite3 = %.2f\n", "  the booking table against the same", "",
                bookingTableMs / std::max(1.0, timeSqliteCsv(dbFile, QStringLiteral("foglalas"),
                                                             out.filePath(QStringLiteral("s1.csv")))));
    compareWithShell("sqlite3 -csv SELECT * FROM ugyfel (no lookups)", placeMs,
                     timeSqliteCsv(dbFile, QStringLiteral("ugyfel"), out.filePath(QStringLiteral("s2.csv"))));
    // The same rows as the export: in list order, with the lookups.
    compareWithShell("sqlite3 -csv the place list by sorszam, lookups", placeMs,
                     timeSqliteCsv(dbFile, QStringLiteral(
                         "(SELECT t.*, (SELECT Tipus_nev FROM tipus WHERE Tipus = t.tipus LIMIT 1),"
                         " (SELECT terulet_nev FROM terulet WHERE terulet = t.terulet LIMIT 1)"
                         " FROM ugyfel AS t ORDER BY t.sorszam, t.ugyfel)"), out.filePath(QStringLiteral("s3.csv"))));
    std::fflush(stdout);
    db.close();
    return 0;
}

}  // namespace

// A step in a process of its own, so that its peak memory is the step's;
// its lines go to our output.
void runInChild(const QStringList &args, const char *what)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), args);
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        std::fprintf(stderr, "nyugvar_bench: %s failed\n", what);
}

// What the full list of places reads: every place in name order and the
// agency's details, on the database of `folder`, with the report fonts.
struct PlaceListData {
    explicit PlaceListData(const QString &folder) : db(data::Database::regiszter())
    {
        db.params() << QStringLiteral("PATH=") + folder;
        db.open();
        places.setIndexFieldNames(QStringLiteral("ugyfel_nev"));
        places.open();
        agency.open();
        riport::registerReportFonts();
    }
    data::Database &db;
    data::Table places{db, QStringLiteral("ugyfel")};
    riport::AgencyDetails agency{db};
    const riport::DataSets sets{{QString::fromLatin1(kHelyListaAdatok), &places},
                                {QString::fromLatin1(riport::kAgencySet), &agency}};
};

// The full list of places (TqrUgyfel) over every place in name order, laid
// out with the real fonts, then saved as PDF; in a process of its own, so
// that its peak memory is the report's.
int placeListReport(const QString &folder)
{
    PlaceListData data(folder);
    data::Database &db = data.db;
    const data::Table &places = data.places;
    const riport::Definition def = TqrUgyfel();
    const riport::DataSets &sets = data.sets;
    const long before = procStatusKb("VmRSS");
    {
        riport::QtMeasurer measurer;
        riport::Layouter layouter(def, sets, measurer);
        double ms = timed([&] { layouter.layoutNextPage(); });
        line("full place list TqrUgyfel: page 1", ms);
        ms += timed([&] { layouter.layoutAll(); });
        line("full place list TqrUgyfel: all pages", ms,
             QStringLiteral("%1 pages for %2 places, peak %3 MB (%4 MB before)")
                 .arg(layouter.report().pageCount())
                 .arg(places.recordCount())
                 .arg(procStatusKb("VmHWM") / 1024.0, 0, 'f', 1)
                 .arg(before / 1024.0, 0, 'f', 1));
    }
    // The notes report of one place: its query runs over every note.
    {
        riport::QtMeasurer measurer;
        int pages = 0;
        const double ms = timed([&] {
            MegjegyzesFuttatas(db, g_size.places / 2, [&](const riport::Definition &d, const riport::DataSets &s) {
                pages = riport::layoutReport(d, s, measurer).pageCount();
                return true;
            });
        });
        line("notes report TqrMegjegyzes of one place", ms, QStringLiteral("%1 page(s)").arg(pages));
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lista.pdf"));
    bool ok = false;
    const double ms = timed([&] { ok = riport::exportPdf(def, sets, pdf); });
    line("full place list TqrUgyfel: save as PDF", ms,
         QStringLiteral("%1, %2 MB, peak %3 MB for the whole process")
             .arg(ok ? QStringLiteral("written") : QStringLiteral("FAILED"))
             .arg(QFileInfo(pdf).size() / 1048576.0, 0, 'f', 1)
             .arg(procStatusKb("VmHWM") / 1024.0, 0, 'f', 1));
    db.close();
    return ok ? 0 : 1;
}

// The full place list in the preview window, in a process of its own: Esc
// while pages are still being laid out, to the window gone; the peak memory
// and what is still held once it has closed.
int placeListPreview(const QString &folder)
{
    PlaceListData data(folder);
    data::Database &db = data.db;
    const riport::DataSets &sets = data.sets;
    const long before = procStatusKb("VmRSS");
    QElapsedTimer sinceEsc;
    int pagesThen = -1;
    QTimer::singleShot(500, [&] {
        auto *w = qobject_cast<riport::PreviewWindow *>(QApplication::activeModalWidget());
        if (!w)
            return;
        pagesThen = w->isComplete() ? -1 : w->pageCount();
        sinceEsc.start();
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    const bool ok = riport::preview(nullptr, TqrUgyfel(), sets) && sinceEsc.isValid();
    const double ms = sinceEsc.nsecsElapsed() / 1e6;
    QEventLoop settle;  // what the program does once the window is gone
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();
    line("full place list preview: Esc while laying out", ok ? ms : -1,
         QStringLiteral("%1 pages laid out by then; peak %2 MB, %3 MB held after it closed (%4 MB before)")
             .arg(pagesThen)
             .arg(procStatusKb("VmHWM") / 1024.0, 0, 'f', 1)
             .arg(procStatusKb("VmRSS") / 1024.0, 0, 'f', 1)
             .arg(before / 1024.0, 0, 'f', 1));
    db.close();
    return ok ? 0 : 1;
}

int main(int argc, char **argv)
{
    // Bound controls need a widget platform; none is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The felt latency drives the real windows, on the program's own
    // application object.
    const bool erzett = argc > 1 && qstrcmp(argv[1], "--felt") == 0;
    const std::unique_ptr<QApplication> app =
        erzett ? std::make_unique<Alkalmazas>(argc, argv) : std::make_unique<QApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments();
    // The steps that run in a process of their own, so that each peak of
    // memory is that step's.
    const std::pair<QLatin1String, std::function<int(const QString &)>> childSteps[] = {
        {QLatin1String("--walk-query"),
         [&](const QString &folder) { return walkQuery(folder, args.contains(QStringLiteral("--controls-on"))); }},
        {QLatin1String("--place-list-report"), placeListReport},
        {QLatin1String("--place-list-preview"), placeListPreview},
        {QLatin1String("--export"), exportStep},
        {QLatin1String("--felt"), erzettLatencia},
    };
    for (const auto &[name, step] : childSteps) {
        if (args.value(1) != name)
            continue;
        try {
            return step(args.value(2));
        } catch (const std::exception &e) {
            std::fprintf(stderr, "nyugvar_bench: %s\n", e.what());
            return 1;
        }
    }
    // --postgresql CONNINFO: the desk's steps on the folder and on a server.
    QString server;
    if (const int at = int(args.indexOf(QStringLiteral("--postgresql"))); at > 0) {
        server = args.value(at + 1);
        args.remove(at, 2);
        if (server.isEmpty()) {
            std::fprintf(stderr, "nyugvar_bench: --postgresql needs a connection string\n");
            return 1;
        }
    }
    if (args.removeAll(QStringLiteral("--small")) > 0)
        g_size = {g_size.places / 10, g_size.bookings / 10, g_size.orderers / 10, g_size.notes / 10};
    const QString irszCsv = args.size() > 1 ? args[1] : defaultIrszCsv();

    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        std::fprintf(stderr, "nyugvar_bench: no temporary folder: %s\n", qPrintable(tmp.errorString()));
        return 1;
    }
    const QString folder = tmp.filePath(QStringLiteral("Data"));
    std::printf("Nyugvár benchmark: %d places, %d bookings, %d orderers, %d notes\n",
                g_size.places, g_size.bookings, g_size.orderers, g_size.notes);

    int busiest = 0;
    try {
        QString error;
        double ms = timed([&] {
            if (!createDataFolder(folder, irszCsv, &error))
                throw std::runtime_error(error.toStdString());
        });
        line("create the delivered data folder", ms);
        const QVector<PostalCode> codes = readPostalCodes(irszCsv);
        const QString dbFile = QDir(folder).filePath(QString::fromLatin1(data::Database::kFileName));
        ms = timed([&] { busiest = fill(dbFile, codes); });
        line("fill (one transaction, prepared statements)", ms,
             QStringLiteral("%1 MB").arg(QFileInfo(dbFile).size() / 1048576.0, 0, 'f', 1));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "nyugvar_bench: fill failed: %s\n", e.what());
        return 1;
    }

    if (!server.isEmpty()) {
        try {
            return compareWithServer(folder, server, busiest);
        } catch (const std::exception &e) {
            std::fprintf(stderr, "nyugvar_bench: %s\n", e.what());
            return 1;
        }
    }
    const long rssBefore = procStatusKb("VmRSS");
    const long fillPeak = procStatusKb("VmHWM");
    const bool peakReset = resetPeakMemory() && procStatusKb("VmHWM") < fillPeak;
    try {
        runTimings(folder, busiest);
        timeArchive(folder);
    } catch (const std::exception &e) {
        // The data layer's errors carry the engine's message as their text.
        std::fprintf(stderr, "nyugvar_bench: %s\n", e.what());
        return 1;
    }
    std::printf("%-52s %10.1f MB   %s\n", "peak memory (VmHWM)", procStatusKb("VmHWM") / 1024.0,
                qPrintable(peakReset ? QStringLiteral("from the end of the fill (%1 MB resident then, %2 MB peak during the fill)")
                                           .arg(rssBefore / 1024.0, 0, 'f', 1).arg(fillPeak / 1024.0, 0, 'f', 1)
                                     : QStringLiteral("whole run, fill included")));
    std::fflush(stdout);
    runInChild({QStringLiteral("--walk-query"), folder}, "the query walk");
    runInChild({QStringLiteral("--walk-query"), folder, QStringLiteral("--controls-on")}, "the query walk");
    runInChild({QStringLiteral("--place-list-report"), folder}, "the place list report");
    runInChild({QStringLiteral("--place-list-preview"), folder}, "the place list preview");
    runInChild({QStringLiteral("--export"), folder}, "the export step");
    runInChild({QStringLiteral("--felt"), tmp.path()}, "the felt latency");
    return 0;
}
