#pragma once
// The program-wide mouse-wheel rule.

class QApplication;

// Every turn of the mouse wheel over any window of the program becomes one
// key press of Down (turned towards the user, or a zero turn) or Up (turned
// away from the user), delivered to the control that has the focus. In a
// grid a wheel turn therefore moves the current row by one.
void EgerGorgoBillentyuve(QApplication &app);
