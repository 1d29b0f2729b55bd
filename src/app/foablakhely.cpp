#include "app/foablakhely.h"

#include "app/beallitasok.h"

namespace {

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

}  // namespace

QRect FoablakKeret(const TBeall &b, const QList<QRect> &munkaTeruletek)
{
    const QRect elsodleges = munkaTeruletek.isEmpty() ? QRect(0, 0, 800, 600) : munkaTeruletek.first();
    if (b.TeljesKep)
        return QRect(0, 0, elsodleges.x() + elsodleges.width(), elsodleges.y() + elsodleges.height());

    QRect keret(b.Bal, b.Felul, b.Szeles, b.Magas);
    // The work area that shows most of the window is the one it belongs to.
    const QRect *sajat = nullptr;
    qint64 legtobb = 0;
    for (const QRect &t : munkaTeruletek) {
        const qint64 l = lathato(keret, t);
        if (l > legtobb) {
            legtobb = l;
            sajat = &t;
        }
    }
    if (!sajat) {
        // Off every screen (another monitor unplugged, a hand-edited file):
        // back onto the primary work area.
        keret.setWidth(qMin(keret.width(), elsodleges.width()));
        keret.setHeight(qMin(keret.height(), elsodleges.height()));
        return beleToll(keret, elsodleges);
    }
    // The title bar is the only handle the window has.
    if (keret.top() < sajat->top())
        keret.moveTop(sajat->top());
    return keret;
}
