#pragma once
// The program's message boxes and its one-line input dialog. Every box goes
// through one replaceable service, so tests answer them without a screen.

#include <QString>

// Yes/no question with a question icon; true on "Igen".
bool KerdesDoboz(const QString &szoveg, const QString &cim);
// Error box: caption "Hiba", error icon, one OK button.
void HibaDoboz(const QString &szoveg);
// Information box: caption "Üzenet", information icon, one OK button.
void UzenetDoboz(const QString &szoveg);
// One-line text input: true when "OK" was pressed, the typed text in `szoveg`.
bool BekeroDoboz(const QString &cim, const QString &kerdes, const QString &maszk, QString &szoveg);
// The same input for a password: the typed characters do not show.
bool JelszoDoboz(const QString &cim, const QString &kerdes, QString &jelszo);

// What shows the boxes. The windows' library installs real modal dialogs as
// the default (ValodiDobozokTelepit); without them the texts go to the error
// output. Tests install their own to record the texts and give the answers.
class DobozSzolgaltatas {
public:
    virtual ~DobozSzolgaltatas() = default;
    virtual bool kerdes(const QString &szoveg, const QString &cim) = 0;
    virtual void hiba(const QString &szoveg) = 0;
    virtual void uzenet(const QString &szoveg) = 0;
    virtual bool beker(const QString &cim, const QString &kerdes, const QString &maszk, QString &szoveg) = 0;
    // A service that shows nothing answers it as any other input.
    virtual bool jelszo(const QString &cim, const QString &kerdes, QString &jelszo)
    {
        return beker(cim, kerdes, QString(), jelszo);
    }
};

// Installs a service (not owned); nullptr restores the default.
void setDobozSzolgaltatas(DobozSzolgaltatas *szolgaltatas);
// The default service (not owned), shown while none is installed.
void setAlapDobozSzolgaltatas(DobozSzolgaltatas *szolgaltatas);
