#include "reports/engine/spooler.h"

#include "data/database.h"

#include <QFile>
#include <QLibrary>

namespace riport {

namespace {

// The few calls of the CUPS library that a job needs. The library is the
// one Qt's own printing loads; it is bound at run time, as no headers of it
// are needed for four functions whose interface has not changed since
// CUPS 1.1.
struct CupsOption {
    char *name;
    char *value;
};
using AddOption = int (*)(const char *, const char *, int, CupsOption **);
using FreeOptions = void (*)(int, CupsOption *);
using PrintFile = int (*)(const char *, const char *, const char *, int, CupsOption *);
using LastErrorString = const char *(*)();

class Cups {
public:
    Cups() : m_lib(QStringLiteral("cups"), 2)
    {
        if (!m_lib.load())
            throw data::DbError(QStringLiteral("A nyomtatási rendszer (CUPS) nem érhető el:\n%1").arg(m_lib.errorString()));
        addOption = reinterpret_cast<AddOption>(m_lib.resolve("cupsAddOption"));
        freeOptions = reinterpret_cast<FreeOptions>(m_lib.resolve("cupsFreeOptions"));
        printFile = reinterpret_cast<PrintFile>(m_lib.resolve("cupsPrintFile"));
        lastError = reinterpret_cast<LastErrorString>(m_lib.resolve("cupsLastErrorString"));
        if (!addOption || !freeOptions || !printFile || !lastError)
            throw data::DbError(QStringLiteral("A nyomtatási rendszer (CUPS) könyvtára hiányos: %1").arg(m_lib.fileName()));
    }

    AddOption addOption = nullptr;
    FreeOptions freeOptions = nullptr;
    PrintFile printFile = nullptr;
    LastErrorString lastError = nullptr;

private:
    QLibrary m_lib;
};

}  // namespace

int submitPrintJob(const PrintJob &job, const QString &pdf)
{
    Cups cups;
    int count = 0;
    CupsOption *options = nullptr;
    for (const auto &[name, value] : job.options)
        count = cups.addOption(name.constData(), value.constData(), count, &options);
    // The spooler knows the queue without the instance, whose only part is
    // the defaults the setup started from.
    const QByteArray queue = job.printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int id = cups.printFile(queue.constData(), QFile::encodeName(pdf).constData(), job.title.toUtf8().constData(),
                                  count, options);
    cups.freeOptions(count, options);
    if (id <= 0)
        throw data::DbError(QStringLiteral("A nyomtató (%1) nem fogadta a nyomtatást:\n%2")
                                .arg(job.printer, QString::fromLocal8Bit(cups.lastError())));
    return id;
}

}  // namespace riport
