#pragma once
// Shared pieces of the test suites.

#include "common/dobozok.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>

class QWidget;
namespace data {
class DataSet;
}

namespace testsupport {

// Hungarian number and date formats for the whole test.
void useHungarianLocale();

// A fresh data folder holding the delivered database, in a temporary folder
// removed with the object.
class TempDataFolder {
public:
    TempDataFolder();
    bool isValid() const { return m_ok; }
    QString error() const { return m_error; }  // why it is not valid
    QString path() const;       // the data folder
    QString dbFile() const;     // its regiszter.db
    QString root() const { return m_dir.path(); }  // a folder to play program folder

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};

// The texts of a field over every row of a data set, from the first.
QStringList column(data::DataSet &ds, const QString &field);

// Whether this run keeps the register on the test fixture's private
// PostgreSQL server: the environment's NYUGVAR_TEST_PG names the fixture's
// folder (tests/pg/start.sh).
bool onServer();
// Why the server this run should use is not there; empty when it is, or
// when the run does not use one.
QString serverMissing();

// The named database opened on a fresh register: a data folder, or on the
// server a fresh database made from the fixture's template, which holds the
// delivered register. Closed (and the server's database dropped) on
// destruction. The data folder is made in either case, for tests that keep
// files beside the register.
class OpenRegister {
public:
    OpenRegister();
    ~OpenRegister();
    const TempDataFolder &folder() const { return m_folder; }
    // The first value of `statement` as another program sees the register:
    // read on a connection of its own, so only what was committed.
    QVariant committed(const QString &statement) const;

private:
    TempDataFolder m_folder;
    QString m_serverDb;
};

// Makes the open register refuse every `what` ("INSERT", "UPDATE",
// "DELETE") of `table` with an error of the engine, as a locked row or a
// broken disk would, until writesAllowed.
void refuseWrites(const QString &what, const QString &table);
void writesAllowed(const QString &table);

// In initTestCase of a suite that runs on both engines: the whole suite skips
// when it should run on the server and the fixture could not start one.
#define SKIP_WITHOUT_SERVER() \
    do { \
        const QString missing_ = testsupport::serverMissing(); \
        if (!missing_.isEmpty()) \
            QSKIP(qPrintable(missing_)); \
    } while (false)

// A test of what only a register file has (its locks, journal, pages or
// bytes) skips on the server with the reason.
#define SKIP_ON_SERVER(reason) \
    do { \
        if (testsupport::onServer()) \
            QSKIP(reason); \
    } while (false)

// Answers the program's message boxes while it lives: records every text
// and gives the queued answers. An empty queue answers "Nem" to questions
// and "Mégsem" to inputs.
class DobozFelvevo : public DobozSzolgaltatas {
public:
    DobozFelvevo();
    ~DobozFelvevo() override;

    QStringList hibak;       // texts of error boxes, in order
    QStringList uzenetek;    // texts of information boxes
    QStringList kerdesek;    // texts of questions
    QStringList kerdesCimek; // their captions
    QStringList bekeroCimek; // captions of input dialogs
    QList<bool> valaszok;    // queued answers to questions
    QList<QPair<bool, QString>> bekeresek;  // queued answers to inputs

    bool kerdes(const QString &szoveg, const QString &cim) override;
    void hiba(const QString &szoveg) override;
    void uzenet(const QString &szoveg) override;
    bool beker(const QString &cim, const QString &kerdes, const QString &maszk, QString &szoveg) override;
};

// ---- windows (nyugvar_testsupport_widgets) --------------------------------

// Types a text into a widget as key presses, accented letters included.
void gepel(QWidget *w, const QString &szoveg);

// Runs `fn` on the next modal widget as soon as it is shown (for windows
// that must be driven while their exec() runs).
void onNextModal(std::function<void(QWidget *)> fn, int timeoutMs = 5000);

}  // namespace testsupport
