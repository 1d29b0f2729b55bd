#pragma once
// Handing a finished document to the system's print spooler (CUPS) as one
// job: a print is laid down whole in a file first and sent only then, so a
// print cancelled on the way sends nothing.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace riport {

struct PrintJob {
    QString printer;  // the queue as the printer setup names it: "name" or "name/instance"
    QString title;    // the job's name in the queue
    // Job options by their CUPS names: copies, Collate, media, sides and
    // whatever else the printer setup chose.
    QList<QPair<QByteArray, QByteArray>> options;
};

// Sends the PDF file `pdf` as one job and returns the job's number. Raises
// data::DbError with the spooler's own message when it cannot be reached or
// refuses the job.
int submitPrintJob(const PrintJob &job, const QString &pdf);

}  // namespace riport
