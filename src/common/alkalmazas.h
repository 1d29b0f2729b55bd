#pragma once
// The program's application object: the default error display, the mouse
// wheel rule and the hint colour.

#include <QApplication>

class Alkalmazas : public QApplication {
    Q_OBJECT
public:
    Alkalmazas(int &argc, char **argv);

    // Delivers an event; an error that the handler leaves unhandled (the
    // engine's refusal of a post, for example) is shown with the engine's
    // own message, and the operation stops there.
    bool notify(QObject *receiver, QEvent *event) override;

    // The default error display, for errors caught outside event handling.
    static void hibaKijelzes(const QString &uzenet);
};
