#pragma once
// The program's application object: the default error display, the mouse
// wheel rule and the hint colour.

#include <QApplication>

class Alkalmazas : public QApplication {
    Q_OBJECT
public:
    Alkalmazas(int &argc, char **argv);

    // Delivers an event. Slots are guarded where they are connected
    // (VedettKapcsol); this is the last resort for an error that an event
    // handler leaves unhandled: it is shown with its own message, and the
    // operation stops there.
    bool notify(QObject *receiver, QEvent *event) override;

    // The default error display, for errors caught outside event handling.
    static void hibaKijelzes(const QString &uzenet);
};
