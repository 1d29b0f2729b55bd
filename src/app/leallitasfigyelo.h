#pragma once
// The desktop's request to end the program: SIGTERM (a desktop logging
// out), SIGHUP (its terminal gone) and SIGINT (Ctrl+C) come out of the event
// loop as one Qt signal, on which the program ends as when its main window
// is closed. The handler itself only writes the signal's number into a pipe,
// which is all a signal handler may safely do; the pipe wakes the loop.

#include <QObject>

class QSocketNotifier;

class LeallitasFigyelo : public QObject {
    Q_OBJECT
public:
    // Takes the three signals over; one watcher at a time.
    explicit LeallitasFigyelo(QObject *parent = nullptr);
    // Gives the signals back to their former handlers.
    ~LeallitasFigyelo() override;

Q_SIGNALS:
    void leallitasKerve(int jelzes);

private:
    void olvas();

    QSocketNotifier *m_ertesito = nullptr;
};
