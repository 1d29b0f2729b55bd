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
