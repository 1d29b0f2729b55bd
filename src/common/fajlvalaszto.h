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

// Shows the save-file dialog over `szulo`: file types in the dialog's
// notation ("CSV állományok (*.csv);;Minden állomány (*.*)"), starting
// from the name `javasolt`, adding `kiterjesztes` to a name typed without
// one, never asking before an existing file is chosen. The chosen full
// path, or an empty text when the user cancelled.
QString MentFajlValaszt(QWidget *szulo, const QString &cim, const QString &tipusok, const QString &javasolt,
                        const QString &kiterjesztes);

// Replaces the save dialog (tests answer it); an empty function restores it.
using MentoValaszto = std::function<QString(QWidget *szulo, const QString &cim, const QString &tipusok,
                                            const QString &javasolt)>;
void setMentoValaszto(MentoValaszto valaszto);
