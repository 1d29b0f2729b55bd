#pragma once
// Opening documents, web and mail addresses and programs through the
// desktop, the way the operating-system shell would.

#include <QString>
#include <QUrl>
#include <functional>

// Opens a document, a web address, a "mailto:" address or a program with the
// desktop's handler, the program folder being the working folder. It never
// waits and shows no message of its own.
void KulsoMegnyit(const QString &cel);

// What KulsoMegnyit does with a target.
struct KulsoCel {
    bool program = false;   // an executable file, started on its own
    QString programUtvonal; // the program's path (program == true)
    QUrl url;               // what the desktop opens (program == false)
    QString mappa;          // the working folder
};
// Classifies a target: "mailto:..." and addresses with a scheme stay URLs,
// "www.example.hu" becomes "http://www.example.hu" (the rest as typed), an
// existing executable file a program, any other text (one with a space
// included) a local file, relative paths from the program folder.
KulsoCel KulsoCelFelbont(const QString &cel);

// Whether opening a target starts a program rather than showing a document:
// an executable file or script, or a file that the desktop runs through its
// handler (a launcher, a Windows program, a Java archive...).
bool KulsoProgram(const QString &cel);

// Replaces what starts the targets (tests record them instead); an empty
// function restores the desktop.
using KulsoIndito = std::function<void(const QString &cel)>;
void setKulsoIndito(KulsoIndito indito);
