#pragma once
// The conventions every editor and dialog window follows.

class QWidget;

// Installs them on a window: the window sees key presses before its
// controls, so Enter moves the focus to the next control in tab order
// (except in a multi-line text box, where it starts a new line); edit boxes,
// drop-down lists, date pickers and multi-line text boxes take the colour
// #A6CAF0 while they have the focus and the standard colour otherwise.
void AblakSzokasok(QWidget *ablak);
// Exempts one control from the focus colour (it keeps its own background).
void FokuszSzinNelkul(QWidget *vezerlo);
// Exempts one control from Enter-as-Tab (a grid, or a button that should fire).
void EnterTabNelkul(QWidget *vezerlo);
