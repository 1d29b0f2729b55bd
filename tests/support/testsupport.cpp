#include "testsupport.h"

#include "data/adatmappa.h"
#include "data/database.h"

#include <QApplication>
#include <QDir>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
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
    Q_UNUSED(cim);
    kerdesek << szoveg;
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

// ---- onNextModal -----------------------------------------------------------

void onNextModal(std::function<void(QWidget *)> fn, int timeoutMs)
{
    // The modal widget active now (a caller may be driving one) is not the
    // next one, unless it goes away and comes back.
    QPointer<QWidget> current = QApplication::activeModalWidget();
    const QDeadlineTimer deadline(timeoutMs);
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, current, fn, timeoutMs]() mutable {
        QWidget *w = QApplication::activeModalWidget();
        if (w && current && w == current)
            w = nullptr;
        else if (current && w != current)
            current = nullptr;
        if (w) {
            timer->stop();
            timer->deleteLater();
            fn(w);
            return;
        }
        if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            qWarning("onNextModal: no modal window appeared within %d ms", timeoutMs);
        }
    });
    timer->start();
}

void gepel(QWidget *w, const QString &szoveg)
{
    for (const QChar c : szoveg) {
        if (c.unicode() < 128) {
            QTest::keyClick(w, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

}  // namespace testsupport
