#pragma once
// Where the main window goes when it is shown: its outer frame (title bar
// and borders included), the same rectangle that exit stores, so that the
// stored values come back unchanged at the next start.

#include <QList>
#include <QRect>

struct TBeall;

// The smallest part of the frame that must lie on a work area for the user
// to reach the window and drag it back.
constexpr int kLathatoMinimum = 40;

// The frame rectangle of the main window. `munkaTeruletek` are the work
// areas of the screens (each screen less its task bars), the primary one
// first. Full screen: left 0, top 0, as wide as the right and as high as the
// bottom coordinate of the primary work area. Otherwise Bal, Felul, Szeles,
// Magas (at least kLathatoMinimum each): a rectangle mostly on the work
// areas stays, its title bar brought down below the top of its work area;
// one mostly off them is brought wholly onto the work area that shows most
// of it (the primary one when none shows enough of it to grab), shrunk to it
// if larger.
QRect FoablakKeret(const TBeall &beall, const QList<QRect> &munkaTeruletek);
