#pragma once
// The icons of the program come from the desktop's icon theme.

class QIcon;

// Makes the icon themes findable, also outside a desktop session, with
// Breeze when the desktop's theme is missing or has no action icons. Safe to
// call more than once.
void IkonTema();
// The first icon of the space-separated theme names that the theme has.
QIcon TemaIkon(const char *nevek);
