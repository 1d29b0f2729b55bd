#pragma once
// The open-file dialog of the program, through one replaceable service so
// that tests choose the file without a screen.

#include <QString>
#include <functional>

class QWidget;

// Shows the open-file dialog over `szulo` with the caption `cim` and the
// file types `tipusok` ("Minden file (*.*)"); the chosen file's full path,
// or an empty text when the user cancelled.
QString MegnyitFajlValaszt(QWidget *szulo, const QString &cim, const QString &tipusok);

// Replaces the dialog (tests answer it); an empty function restores it.
using FajlValaszto = std::function<QString(QWidget *szulo, const QString &cim, const QString &tipusok)>;
void setFajlValaszto(FajlValaszto valaszto);

// A file dialog of the program: open or save, its caption, its file types
// ("ZIP archívumok (*.zip)"), where it starts (a folder; for a save also the
// proposed file) and, for a save, the extension given to a name typed
// without one. A save never asks before choosing an existing file.
struct FajlKeres {
    bool mentes = false;
    QString cim;
    QString tipusok;
    QString kezdet;
    QString kiterjesztes;  // without the dot
};
// The chosen file's full path, or an empty text when the user cancelled.
QString FajlValaszt(QWidget *szulo, const FajlKeres &keres);

// Replaces these dialogs (tests answer them); an empty function restores them.
using FajlKeresValaszto = std::function<QString(QWidget *szulo, const FajlKeres &keres)>;
void setFajlKeresValaszto(FajlKeresValaszto valaszto);
