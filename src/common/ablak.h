#pragma once
// The conventions every editor and dialog window follows.

class QLineEdit;
class QLabel;
class QString;
class QWidget;

// Installs them on a window: the window sees key presses before its
// controls, so Enter moves the focus to the next control in tab order
// (except in a multi-line text box, where it starts a new line, and in a
// grid); on a focused button too, which Space presses, so Enter never
// closes the window. Tab leaves a multi-line text box. Edit boxes,
// drop-down lists, date pickers and multi-line text boxes take the flat
// colour #A6CAF0 while they have the focus and the standard colour
// otherwise; the page tabs show the focus in the same colour.
void AblakSzokasok(QWidget *ablak);
// Exempts one control from the focus colour (it keeps its own background).
void FokuszSzinNelkul(QWidget *vezerlo);
// Exempts one control from Enter-as-Tab (one whose Enter has its own use).
void EnterTabNelkul(QWidget *vezerlo);

// A fixed dialog frame around a client area of the given size: no resizing,
// no maximise button.
void RogzitettMeret(QWidget *ablak, int szeles, int magas);
// Places a window in the middle of the desktop's work area (the screen of
// its parent, or the primary screen).
void KepernyoKozepere(QWidget *ablak);
// Each time the window is shown, its outer frame is centred on the frame of
// its parent's window, kept on that screen's work area.
void SzuloKozepere(QWidget *ablak);
// Each time the window is shown, its outer frame is put into the lower right
// corner of its parent's window frame (their right and bottom edges meet),
// kept on that screen's work area.
void SzuloSarkaba(QWidget *ablak);
// The label of a control, beside it in the same window: the control is its
// buddy and takes its text as accessible name, so screen readers and test
// tools read the label for the control.
QLabel *VezerloCimke(const QString &szoveg, QWidget *vezerlo, const QString &nev);
// A password box: the typed characters are shown as "*".
void JelszoMezo(QLineEdit *edit);
