#include "app/foablakhely.h"

#include "app/beallitasok.h"

namespace {

constexpr int kKeretHatar = 1 << 20;  // far beyond any desktop

// The part of `r` that `terulet` shows, as an area.
qint64 lathato(const QRect &r, const QRect &terulet)
{
    const QRect k = r.intersected(terulet);
    if (k.width() < kLathatoMinimum || k.height() < qMin(kLathatoMinimum, r.height()))
        return 0;
    return qint64(k.width()) * k.height();
}

// Moves `r` so that as much of it as fits lies inside `terulet`; the top
// left corner wins when it is larger.
QRect beleToll(QRect r, const QRect &terulet)
{
    if (r.right() > terulet.right())
        r.moveRight(terulet.right());
    if (r.bottom() > terulet.bottom())
        r.moveBottom(terulet.bottom());
    if (r.left() < terulet.left())
        r.moveLeft(terulet.left());
    if (r.top() < terulet.top())
        r.moveTop(terulet.top());
    return r;
}

// How much of `r` the work areas show together.
qint64 osszesenLathato(const QRect &r, const QList<QRect> &teruletek)
{
    qint64 osszes = 0;
    for (const QRect &t : teruletek) {
        const QRect k = r.intersected(t);
        osszes += qint64(k.width()) * k.height();
    }
    return osszes;
}

}  // namespace

QRect FoablakKeret(const TBeall &b, const QList<QRect> &munkaTeruletek)
{
    const QRect elsodleges = munkaTeruletek.isEmpty() ? QRect(0, 0, 800, 600) : munkaTeruletek.first();
    if (b.TeljesKep)
        return QRect(0, 0, elsodleges.x() + elsodleges.width(), elsodleges.y() + elsodleges.height());

    // Values of a hand-edited file stay within what a rectangle can hold.
    auto hely = [](int v) { return qBound(-kKeretHatar, v, kKeretHatar); };
    auto meret = [](int v) { return qBound(kLathatoMinimum, v, kKeretHatar); };
    QRect keret(hely(b.Bal), hely(b.Felul), meret(b.Szeles), meret(b.Magas));
    // The work area that shows most of the window is the one it belongs to;
    // off every screen, the primary one.
    const QRect *sajat = &elsodleges;
    qint64 legtobb = 0;
    for (const QRect &t : munkaTeruletek) {
        const qint64 l = lathato(keret, t);
        if (l > legtobb) {
            legtobb = l;
            sajat = &t;
        }
    }
    // Mostly on the screens (across two of them, too): where it was left,
    // with the title bar, its only handle, not above its work area.
    if (2 * osszesenLathato(keret, munkaTeruletek) >= qint64(keret.width()) * keret.height()) {
        if (keret.top() < sajat->top())
            keret.moveTop(sajat->top());
        return keret;
    }
    // Mostly off them (another monitor unplugged, a hand-edited file): the
    // whole frame onto its work area, shrunk to it if larger.
    keret.setWidth(qMin(keret.width(), sajat->width()));
    keret.setHeight(qMin(keret.height(), sajat->height()));
    return beleToll(keret, *sajat);
}
