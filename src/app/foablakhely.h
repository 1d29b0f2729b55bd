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
// Magas, with two repairs: a rectangle that no work area shows (enough of
// it to grab) is moved onto the primary work area, shrunk to it if larger,
// and a title bar above the top of its work area is brought down to it.
QRect FoablakKeret(const TBeall &beall, const QList<QRect> &munkaTeruletek);
