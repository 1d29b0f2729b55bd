// Makes the delivered data folder at build time:
//   nyugvar_adatmappa <data folder> <irsz.csv>
// An existing database in the folder is the user's data and is kept as it is.

#include "data/adatmappa.h"
#include "data/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: nyugvar_adatmappa <data folder> <irsz.csv>\n");
        return 2;
    }
    const QString folder = args[1];
    const QString target = QDir::toNativeSeparators(
        QDir(folder).absoluteFilePath(QString::fromLatin1(data::Database::kFileName)));
    const bool existed = QFileInfo::exists(target) || QFileInfo(target).isSymLink();

    QString error;
    if (!createDataFolder(folder, args[2], &error)) {
        std::fprintf(stderr, "nyugvar_adatmappa: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s %s\n", existed ? "kept existing" : "created", qPrintable(target));
    return 0;
}
