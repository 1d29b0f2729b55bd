#include "data/adatmappa.h"

#include "data/database.h"
#include "data/schema.h"
#include "data/sqliteengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QUuid>

namespace {

const char *const kAgencyName = "Nyugvár Utazási Iroda";
const char *const kFirstUser = "rendszergazda";
const char *const kFirstPassword = "kapufal";

struct PostalCode {
    QString irsz;
    QString varos;
};

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Reads the postal codes in file order; false with the reason on a file that
// cannot be read or a line that is not "code;settlement".
bool readPostalCodes(const QString &path, QVector<PostalCode> &out, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(path, f.errorString()));
        return false;
    }
    const QByteArray bytes = f.readAll();
    QStringDecoder decode(QStringDecoder::Utf8);
    QString text = decode(bytes);
    if (decode.hasError()) {
        setError(error, QStringLiteral("%1 is not UTF-8 text").arg(path));
        return false;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    const QStringList lines = text.split(QLatin1Char('\n'));
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList parts = line.split(QLatin1Char(';'));
        if (!headerSeen) {
            if (parts.size() != 2 || parts[0].trimmed().compare(QLatin1String("irsz"), Qt::CaseInsensitive) != 0
                || parts[1].trimmed().compare(QLatin1String("varos"), Qt::CaseInsensitive) != 0) {
                setError(error, QStringLiteral("%1, line %2: the header must be \"irsz;varos\"")
                                    .arg(path).arg(i + 1));
                return false;
            }
            headerSeen = true;
            continue;
        }
        if (parts.size() != 2 || parts[0].trimmed().isEmpty() || parts[1].trimmed().isEmpty()) {
            setError(error, QStringLiteral("%1, line %2: expected \"code;settlement\", found \"%3\"")
                                .arg(path).arg(i + 1).arg(line));
            return false;
        }
        out.append({parts[0].trimmed(), parts[1].trimmed()});
    }
    if (!headerSeen) {
        setError(error, QStringLiteral("%1 is empty").arg(path));
        return false;
    }
    return true;
}

bool run(QSqlQuery &q, const QString &sql, QString *error)
{
    if (q.exec(sql))
        return true;
    setError(error, QStringLiteral("%1: %2").arg(sql, q.lastError().text()));
    return false;
}

bool runPrepared(QSqlQuery &q, QString *error)
{
    if (q.exec())
        return true;
    setError(error, QStringLiteral("%1: %2").arg(q.lastQuery(), q.lastError().text()));
    return false;
}

// Builds the whole database into the (empty) file `path`.
bool buildDatabase(const QString &path, const QVector<PostalCode> &codes, QString *error)
{
    const QString connection =
        QStringLiteral("adatmappa-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    {
        QString why;
        if (!data::openNewRegisterFile(path, connection, &why)) {
            setError(error, QStringLiteral("Cannot open %1").arg(why));
        } else {
            QSqlDatabase db = QSqlDatabase::database(connection, false);
            {
                QSqlQuery q(db);
                ok = true;
                if (!db.transaction()) {
                    setError(error, db.lastError().text());
                    ok = false;
                }
                if (ok) {
                    const QStringList statements = schema::createStatements();
                    for (const QString &sql : statements) {
                        if (!(ok = run(q, sql, error)))
                            break;
                    }
                }
                if (ok) {
                    q.prepare(QStringLiteral(
                        "INSERT INTO felhasznalo (felhasznalo, jelszo) VALUES (?, ?)"));
                    q.addBindValue(QString::fromUtf8(kFirstUser));
                    q.addBindValue(QString::fromUtf8(kFirstPassword));
                    ok = runPrepared(q, error);
                }
                if (ok) {
                    q.prepare(QStringLiteral(
                        "INSERT INTO tulajdonos (tulajdonos, telefon, mobil, fax, irsz, varos, cim,"
                        " adoszam, bankszamlaszam) VALUES (?, '', '', '', '', '', '', '', '')"));
                    q.addBindValue(QString::fromUtf8(kAgencyName));
                    ok = runPrepared(q, error);
                }
                if (ok) {
                    q.prepare(QStringLiteral("INSERT INTO irsz (Id, irsz, varos) VALUES (?, ?, ?)"));
                    for (int i = 0; i < codes.size() && ok; ++i) {
                        q.bindValue(0, i + 1);
                        q.bindValue(1, codes[i].irsz);
                        q.bindValue(2, codes[i].varos);
                        ok = runPrepared(q, error);
                    }
                }
                if (ok && !db.commit()) {
                    setError(error, QStringLiteral("Cannot write %1: %2").arg(path, db.lastError().text()));
                    ok = false;
                }
                if (!ok && db.isOpen())
                    db.rollback();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

}  // namespace

bool protectDataFolder(const QString &folder)
{
    const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                                           | QFileDevice::WriteUser;
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    bool ok = true;
    auto protect = [&](const QString &path, QFileDevice::Permissions keep) {
        const QFileInfo fi(path);
        if (!fi.exists() || fi.isSymLink() || !(fi.permissions() & others))
            return;
        ok = QFile::setPermissions(path, fi.permissions() & keep & ~others) && ok;
    };
    protect(folder, owner | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    protect(QDir(folder).filePath(QString::fromLatin1(data::Database::kFileName)), owner);
    return ok;
}

bool createDataFolder(const QString &folder, const QString &irszCsv, QString *error)
{
    if (folder.isEmpty()) {
        setError(error, QStringLiteral("No data folder given"));
        return false;
    }
    QDir dir(folder);
    const QString target = dir.filePath(QString::fromLatin1(data::Database::kFileName));
    // The user's data: whatever is there stays as it is, but for its rights.
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        protectDataFolder(folder);
        return true;
    }

    QVector<PostalCode> codes;
    if (!readPostalCodes(irszCsv, codes, error))
        return false;

    if (!dir.mkpath(QStringLiteral("."))) {
        setError(error, QStringLiteral("Cannot create the folder %1").arg(folder));
        return false;
    }
    protectDataFolder(folder);

    QTemporaryFile tmp(dir.filePath(QStringLiteral(".regiszter.db.XXXXXX")));
    tmp.setAutoRemove(true);
    if (!tmp.open()) {
        setError(error, QStringLiteral("Cannot create a file in %1: %2").arg(folder, tmp.errorString()));
        return false;
    }
    const QString tmpPath = tmp.fileName();
    tmp.close();
    // A temporary file is private to its owner, as the database stays: the
    // passwords are inside.

    const bool built = buildDatabase(tmpPath, codes, error);
    QFile::remove(tmpPath + QStringLiteral("-journal"));
    if (!built)
        return false;

    // Renaming never replaces a file: if a database appeared meanwhile, it stays.
    if (!QFile::rename(tmpPath, target)) {
        if (QFileInfo::exists(target))
            return true;
        setError(error, QStringLiteral("Cannot rename %1 to %2").arg(tmpPath, target));
        return false;
    }
    tmp.setAutoRemove(false);
    return true;
}
