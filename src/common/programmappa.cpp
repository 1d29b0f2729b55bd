#include "common/programmappa.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString &mappa()
{
    static QString m;
    return m;
}

QString mappaTisztitva(const QString &utvonal)
{
    // The folder keeps its real letter case: on a file system that tells
    // cases apart a lower-cased path would name a folder that is not there.
    QString m = QDir::toNativeSeparators(utvonal);
    while (m.endsWith(QDir::separator()))
        m.chop(1);
    return m;
}

}  // namespace

QString ProgramMappa()
{
    if (mappa().isEmpty())
        mappa() = mappaTisztitva(QCoreApplication::applicationDirPath());
    return mappa();
}

void setProgramMappa(const QString &m)
{
    // An empty folder means the running program's folder again.
    mappa() = m.isEmpty() ? QString() : mappaTisztitva(m);
}

QString ProgramUtvonal(const QString &relativ)
{
    QString r = relativ;
    r.replace(QLatin1Char('\\'), QDir::separator());
    r.replace(QLatin1Char('/'), QDir::separator());
    if (!r.isEmpty() && !r.startsWith(QDir::separator()))
        r.prepend(QDir::separator());
    return ProgramMappa() + r;
}
