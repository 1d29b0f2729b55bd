#include "testsupport.h"

#include "data/adatmappa.h"
#include "data/database.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>
#include <stdexcept>

namespace testsupport {

void useHungarianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
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

// ---- OpenRegister ----------------------------------------------------------

OpenRegister::OpenRegister()
{
    if (!m_folder.isValid())
        throw std::runtime_error(QString(QStringLiteral("No data folder for the test: ") + m_folder.error()).toStdString());
    data::Database &db = data::Database::regiszter();
    if (db.isOpen())
        db.close();
    db.params().clear();
    db.params() << QStringLiteral("PATH=") + m_folder.path();
    db.open();
}

OpenRegister::~OpenRegister()
{
    try {
        data::Database::regiszter().close();
    } catch (const std::exception &e) {
        qWarning("Closing the register: %s", e.what());
    }
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
