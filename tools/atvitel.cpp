// The administrator's tool that moves an agency's register between a data
// folder and a PostgreSQL server:
//   nyugvar-atvitel DATA_FOLDER "host=… port=… dbname=… user=…"
//   nyugvar-atvitel --vissza "host=… port=… dbname=… user=…" NEW_FOLDER
// The first fills an empty server database from a data folder, the second
// makes a new data folder from a server database. The password comes the
// way libpq finds it: ~/.pgpass or PGPASSWORD.

#include "data/atvitel.h"
#include "data/engine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cstdio>
#include <unistd.h>

namespace {

const char kUsage[] =
    "Használat:\n"
    "  nyugvar-atvitel ADATMAPPA \"host=… port=… dbname=… user=…\"\n"
    "      az adatmappa adatbázisát átviszi a kiszolgáló üres adatbázisába;\n"
    "  nyugvar-atvitel --vissza \"host=… port=… dbname=… user=…\" UJ_MAPPA\n"
    "      a kiszolgáló adatbázisát átviszi egy új adatmappába.\n"
    "A jelszót a ~/.pgpass fájl vagy a PGPASSWORD környezeti változó adja.\n";

void say(FILE *to, const QString &text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), to);
    std::fflush(to);
}

// Shows on a terminal how far the copy has got, twice a second at most.
class ProgressLine {
public:
    ProgressLine() : m_shown(isatty(fileno(stderr)) != 0) { m_clock.start(); }
    ~ProgressLine() { clear(); }

    void operator()(const QString &table, qint64 rows)
    {
        if (!m_shown || m_clock.elapsed() < m_last + 500)
            return;
        m_last = m_clock.elapsed();
        std::fprintf(stderr, "\r%-12s %10lld sor", qPrintable(table), static_cast<long long>(rows));
        m_dirty = true;
    }
    void clear()
    {
        if (m_dirty)
            std::fputs("\r\033[K", stderr);
        m_dirty = false;
    }

private:
    bool m_shown;
    bool m_dirty = false;
    QElapsedTimer m_clock;
    qint64 m_last = -1000;
};

// The new data folder that a failed copy leaves behind goes again, so that
// the same command can be given once more.
class NewFolder {
public:
    explicit NewFolder(const QString &folder) : m_folder(folder), m_existed(QFileInfo::exists(folder)) {}
    void keep() { m_keep = true; }
    ~NewFolder()
    {
        if (m_keep || m_folder.isEmpty())
            return;
        QFile::remove(QDir(m_folder).filePath(QLatin1String(data::Database::kFileName)));
        if (!m_existed)
            QDir().rmdir(m_folder);
    }

private:
    QString m_folder;
    bool m_existed;
    bool m_keep = false;
};

int run(const QStringList &args)
{
    const bool back = args.size() == 4 && args[1] == QLatin1String("--vissza");
    if (!back && (args.size() != 3 || args[1].startsWith(QLatin1Char('-')))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString folder = back ? args[3] : args[1];
    const QStringList server = data::serverParams(args[2]);

    // Declared first: it goes after both databases are closed.
    NewFolder made(back ? folder : QString());
    data::Database source(QStringLiteral("atvitel-forras"));
    data::Database target(QStringLiteral("atvitel-cel"));
    source.params() = back ? server : QStringList{QStringLiteral("PATH=") + folder};
    source.open();
    if (back) {
        data::openNewDataFolder(target, folder);
    } else {
        target.params() = server;
        target.params() << QStringLiteral("URES=1");
        target.openToFill();
    }
    say(stdout, QStringLiteral("Forrás: %1\nCél: %2").arg(source.location(), target.location()));

    QElapsedTimer clock;
    clock.start();
    ProgressLine progress;
    QVector<data::CopyCheck> checks;
    try {
        checks = data::copyRegister(source, target, std::ref(progress));
    } catch (const data::CopyMismatch &e) {
        progress.clear();
        say(stdout, data::checkReport(e.checks()).join(QLatin1Char('\n')));
        throw;
    }
    progress.clear();
    target.close();
    source.close();
    made.keep();

    say(stdout, data::checkReport(checks).join(QLatin1Char('\n')));
    qint64 rows = 0;
    for (const data::CopyCheck &c : checks)
        rows += c.target.rows;
    say(stdout, QStringLiteral("Az átvitel kész: %1 tábla, %2 sor, %3 mp.")
                    .arg(checks.size())
                    .arg(rows)
                    .arg(QLocale(QLocale::Hungarian).toString(double(clock.elapsed()) / 1000.0, 'f', 1)));
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        return run(QCoreApplication::arguments());
    } catch (const data::PasswordNeededError &e) {
        say(stderr, QStringLiteral("nyugvar-atvitel: %1\nA jelszót a ~/.pgpass fájlban vagy a PGPASSWORD környezeti "
                                   "változóban adja meg.").arg(e.message()));
    } catch (const data::DbError &e) {
        say(stderr, QStringLiteral("nyugvar-atvitel: %1").arg(e.message()));
    }
    return 1;
}
