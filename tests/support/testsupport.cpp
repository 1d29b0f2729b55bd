#include "testsupport.h"

#include "data/adatmappa.h"
#include "data/database.h"
#include "data/dataset.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <stdexcept>

namespace testsupport {

void useHungarianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
}

QStringList column(data::DataSet &ds, const QString &field)
{
    QStringList out;
    for (ds.first(); !ds.eof(); ds.next())
        out << ds.asString(field);
    return out;
}

// ---- TempDataFolder --------------------------------------------------------

TempDataFolder::TempDataFolder()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("Cannot create a temporary folder: ") + m_dir.errorString();
        return;
    }
    if (!createDataFolder(path(), QStringLiteral(NYUGVAR_IRSZ_CSV), &m_error))
        return;
    m_ok = true;
}

QString TempDataFolder::path() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("Data"));
}

QString TempDataFolder::dbFile() const
{
    return QDir(path()).filePath(QString::fromLatin1(data::Database::kFileName));
}

// ---- the fixture's server ---------------------------------------------------

namespace {

QString fixtureFolder()
{
    return qEnvironmentVariable("NYUGVAR_TEST_PG");
}

QString fixtureFile(const QString &name)
{
    QFile f(QDir(fixtureFolder()).filePath(name));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

// The server's own connection, on its maintenance database, that makes and
// drops the tests' databases (neither may run on a connection to them).
QSqlDatabase maintenance()
{
    const QString name = QStringLiteral("nyugvar_teszt_karbantartas");
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(QFileInfo(fixtureFolder()).canonicalFilePath());
    db.setPort(fixtureFile(QStringLiteral("port")).toInt());
    db.setUserName(fixtureFile(QStringLiteral("user")));
    db.setDatabaseName(QStringLiteral("postgres"));
    if (!db.open())
        throw std::runtime_error("Cannot reach the test server: " + db.lastError().text().toStdString());
    return db;
}

void onMaintenance(const QString &statement)
{
    QSqlQuery q(maintenance());
    if (!q.exec(statement))
        throw std::runtime_error(QString(statement + QStringLiteral(": ") + q.lastError().text()).toStdString());
}

// A database of its own for one test, copied from the fixture's template.
QString makeServerDb()
{
    static int made = 0;
    const QString name = QStringLiteral("nyugvar_teszt_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    onMaintenance(QStringLiteral("CREATE DATABASE %1 TEMPLATE nyugvar_sablon").arg(name));
    return name;
}

}  // namespace

bool onServer()
{
    return !fixtureFolder().isEmpty();
}

QString serverMissing()
{
    if (!onServer())
        return {};
    if (!QFileInfo::exists(fixtureFolder()))
        return QStringLiteral("no server fixture at ") + fixtureFolder();
    return fixtureFile(QStringLiteral("unavailable"));
}

// ---- OpenRegister ----------------------------------------------------------

OpenRegister::OpenRegister()
{
    if (!m_folder.isValid())
        throw std::runtime_error(QString(QStringLiteral("No data folder for the test: ") + m_folder.error()).toStdString());
    data::Database &db = data::Database::regiszter();
    if (db.isOpen())
        db.close();
    if (onServer()) {
        m_serverDb = makeServerDb();
        db.params() = {QStringLiteral("MOTOR=PostgreSQL"),
                       QStringLiteral("HOST=") + QFileInfo(fixtureFolder()).canonicalFilePath(),
                       QStringLiteral("PORT=") + fixtureFile(QStringLiteral("port")),
                       QStringLiteral("DBNAME=") + m_serverDb,
                       QStringLiteral("USER=") + fixtureFile(QStringLiteral("user"))};
    } else {
        db.params() = {QStringLiteral("PATH=") + m_folder.path()};
    }
    db.open();
}

OpenRegister::~OpenRegister()
{
    try {
        data::Database::regiszter().close();
        if (!m_serverDb.isEmpty())
            onMaintenance(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(m_serverDb));
    } catch (const std::exception &e) {
        qWarning("Closing the register: %s", e.what());
    }
}

QVariant OpenRegister::committed(const QString &statement) const
{
    const QString name = QStringLiteral("nyugvar_teszt_masik");
    QVariant out;
    {
        QSqlDatabase other;
        if (m_serverDb.isEmpty()) {
            other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            other.setDatabaseName(m_folder.dbFile());
        } else {
            other = QSqlDatabase::cloneDatabase(maintenance(), name);
            other.setDatabaseName(m_serverDb);
        }
        QSqlQuery q(other);
        if (other.open() && q.exec(statement) && q.next())
            out = q.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

// The refusal is a trigger that raises: a temporary one on the file, which
// lives with the connection; on the server one of the test's own database.
void refuseWrites(const QString &what, const QString &table)
{
    data::Database &db = data::Database::regiszter();
    if (!onServer()) {
        db.exec(QStringLiteral("CREATE TEMP TRIGGER tilt BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'A sor zárolva.'); END")
                    .arg(what, table));
        return;
    }
    db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION tilt() RETURNS trigger LANGUAGE plpgsql AS "
                           "'BEGIN RAISE EXCEPTION ''A sor zárolva.''; END'"));
    db.exec(QStringLiteral("CREATE TRIGGER tilt BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION tilt()").arg(what, table));
}

void writesAllowed(const QString &table)
{
    data::Database::regiszter().exec(onServer() ? QStringLiteral("DROP TRIGGER tilt ON %1").arg(table)
                                                : QStringLiteral("DROP TRIGGER tilt"));
}

// ---- DobozFelvevo ----------------------------------------------------------

DobozFelvevo::DobozFelvevo()
{
    setDobozSzolgaltatas(this);
}

DobozFelvevo::~DobozFelvevo()
{
    setDobozSzolgaltatas(nullptr);
}

bool DobozFelvevo::kerdes(const QString &szoveg, const QString &cim)
{
    kerdesek << szoveg;
    kerdesCimek << cim;
    return valaszok.isEmpty() ? false : valaszok.takeFirst();
}

void DobozFelvevo::hiba(const QString &szoveg)
{
    hibak << szoveg;
}

void DobozFelvevo::uzenet(const QString &szoveg)
{
    uzenetek << szoveg;
}

bool DobozFelvevo::beker(const QString &cim, const QString &kerdes, const QString &maszk, QString &szoveg)
{
    Q_UNUSED(kerdes);
    Q_UNUSED(maszk);
    bekeroCimek << cim;
    if (bekeresek.isEmpty())
        return false;
    const QPair<bool, QString> valasz = bekeresek.takeFirst();
    if (valasz.first)
        szoveg = valasz.second;
    return valasz.first;
}

}  // namespace testsupport
