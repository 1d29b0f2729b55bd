#include "common/kulsomegnyit.h"

#include "common/programmappa.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QtDebug>
#include <algorithm>

namespace {

KulsoIndito &indito()
{
    static KulsoIndito f;
    return f;
}

bool futtathato(const QFileInfo &fi)
{
    if (!fi.isFile() || !fi.isExecutable())
        return false;
    // Documents on file systems that mark every file executable are still
    // documents: only programs and scripts are started directly.
    static const QStringList programok = {
        QStringLiteral("application/x-executable"), QStringLiteral("application/x-pie-executable"),
        QStringLiteral("application/x-sharedlib"),  QStringLiteral("application/x-shellscript"),
        QStringLiteral("text/x-python3"),           QStringLiteral("text/x-python"),
        QStringLiteral("application/x-perl"),
    };
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(fi);
    // An executable file of no known kind is taken for a program.
    if (mime.name() == QLatin1String("application/octet-stream"))
        return true;
    for (const QString &p : programok)
        if (mime.inherits(p))
            return true;
    return false;
}

void indit(const QString &cel)
{
    const KulsoCel k = KulsoCelFelbont(cel);
    if (k.program) {
        if (!QProcess::startDetached(k.programUtvonal, {}, k.mappa))
            qWarning("KulsoMegnyit: %s could not be started", qPrintable(k.programUtvonal));
        return;
    }
    if (k.url.isEmpty()) {
        qWarning("KulsoMegnyit: nothing to open");
        return;
    }
    if (!QDesktopServices::openUrl(k.url))
        qWarning("KulsoMegnyit: no handler opened %s", qPrintable(k.url.toString()));
}

}  // namespace

KulsoCel KulsoCelFelbont(const QString &cel)
{
    KulsoCel k;
    k.mappa = ProgramMappa();
    const QString t = cel.trimmed();
    // Nothing to open (an empty web address): not the program folder.
    if (t.isEmpty())
        return k;

    // "mailto:", "http:", "file:"... A single letter before the colon is a
    // drive, not a scheme.
    static const QRegularExpression sema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (sema.match(t).hasMatch()) {
        k.url = QUrl(t, QUrl::TolerantMode);
        if (k.url.isLocalFile()) {
            const QFileInfo fi(k.url.toLocalFile());
            if (futtathato(fi)) {
                k.program = true;
                k.programUtvonal = fi.absoluteFilePath();
            }
        }
        return k;
    }

    // Paths are written with backslashes ("\Help\index.htm") wherever
    // the register keeps them.
    auto helyben = [&k](QString ut) {
        QFileInfo fi(ut);
        if (fi.isRelative() && !k.mappa.isEmpty())
            fi.setFile(QDir(k.mappa), ut);
        return fi;
    };
    QFileInfo fi = helyben(t);
    if (!fi.exists() && t.contains(QLatin1Char('\\'))) {
        QString perrel = t;
        perrel.replace(QLatin1Char('\\'), QLatin1Char('/'));
        fi = helyben(perrel);
    }
    if (fi.exists()) {
        if (futtathato(fi)) {
            k.program = true;
            k.programUtvonal = fi.absoluteFilePath();
        } else {
            k.url = QUrl::fromLocalFile(fi.absoluteFilePath());
        }
        return k;
    }
    // A bare "www." address gets the scheme the desktop needs and nothing
    // else: no guessing from '@' or other letters. A text with a space is
    // no address; like any other name it goes to the desktop as a file.
    const bool szokozes = std::any_of(t.cbegin(), t.cend(), [](QChar c) { return c.isSpace(); });
    if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive) && !szokozes) {
        k.url = QUrl(QStringLiteral("http://") + t, QUrl::TolerantMode);
        return k;
    }
    // A file that does not exist: the desktop reports it as the shell would.
    k.url = QUrl::fromLocalFile(fi.absoluteFilePath());
    return k;
}

bool KulsoProgram(const QString &cel)
{
    const KulsoCel k = KulsoCelFelbont(cel);
    if (k.program)
        return true;
    if (!k.url.isLocalFile() || !QFileInfo(k.url.toLocalFile()).isFile())
        return false;
    // By content as well as by name: a program renamed to ".pdf" is still one.
    static const QStringList futtatottak = {
        QStringLiteral("application/x-executable"),   QStringLiteral("application/x-pie-executable"),
        QStringLiteral("application/x-sharedlib"),    QStringLiteral("application/x-shellscript"),
        QStringLiteral("application/x-desktop"),
        QStringLiteral("application/x-ms-dos-executable"), QStringLiteral("application/x-msdownload"),
        QStringLiteral("application/x-msi"),          QStringLiteral("application/x-ms-shortcut"),
        QStringLiteral("application/x-java-archive"), QStringLiteral("application/vnd.appimage"),
        QStringLiteral("application/x-bat"),          QStringLiteral("application/x-msdos-program"),
    };
    const QMimeDatabase mimek;
    for (const QMimeType &mime : {mimek.mimeTypeForFile(k.url.toLocalFile()),
                                  mimek.mimeTypeForFile(k.url.toLocalFile(), QMimeDatabase::MatchContent)})
        for (const QString &f : futtatottak)
            if (mime.inherits(f))
                return true;
    return false;
}

void setKulsoIndito(KulsoIndito f)
{
    indito() = std::move(f);
}

void KulsoMegnyit(const QString &cel)
{
    if (indito())
        indito()(cel);
    else
        indit(cel);
}
