#include "app/logo.h"

#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The emblem: a small castle gate under an evening sun, in the square `jel`.
void cimer(QPainter &p, const QRectF &jel)
{
    const qreal s = jel.width();
    const QColor barna(0x7A, 0x35, 0x12);
    const QColor narancs(0xE8, 0x7D, 0x1E);
    p.setPen(Qt::NoPen);
    p.setBrush(narancs);
    const qreal napR = s * 0.30;
    p.drawEllipse(QPointF(jel.center().x(), jel.top() + s * 0.42), napR, napR);

    // Walls with battlements, and an arched gate.
    const qreal falAlja = jel.bottom() - s * 0.08;
    const qreal falTeteje = jel.top() + s * 0.48;
    const qreal bal = jel.left() + s * 0.06;
    const qreal jobb = jel.right() - s * 0.06;
    QPainterPath fal;
    fal.moveTo(bal, falAlja);
    fal.lineTo(bal, falTeteje - s * 0.18);
    // two towers at the sides, a lower wall between them
    const qreal torony = s * 0.22;
    const qreal fog = torony / 3;
    fal.lineTo(bal + fog, falTeteje - s * 0.18);
    fal.lineTo(bal + fog, falTeteje - s * 0.12);
    fal.lineTo(bal + 2 * fog, falTeteje - s * 0.12);
    fal.lineTo(bal + 2 * fog, falTeteje - s * 0.18);
    fal.lineTo(bal + torony, falTeteje - s * 0.18);
    fal.lineTo(bal + torony, falTeteje);
    fal.lineTo(jobb - torony, falTeteje);
    fal.lineTo(jobb - torony, falTeteje - s * 0.18);
    fal.lineTo(jobb - 2 * fog, falTeteje - s * 0.18);
    fal.lineTo(jobb - 2 * fog, falTeteje - s * 0.12);
    fal.lineTo(jobb - fog, falTeteje - s * 0.12);
    fal.lineTo(jobb - fog, falTeteje - s * 0.18);
    fal.lineTo(jobb, falTeteje - s * 0.18);
    fal.lineTo(jobb, falAlja);
    fal.closeSubpath();
    const qreal kapuSz = s * 0.24;
    const qreal kx = jel.center().x() - kapuSz / 2;
    QPainterPath kapu;
    kapu.moveTo(kx, falAlja);
    kapu.lineTo(kx, falAlja - s * 0.16);
    kapu.arcTo(QRectF(kx, falAlja - s * 0.16 - kapuSz / 2, kapuSz, kapuSz), 180, -180);
    kapu.lineTo(kx + kapuSz, falAlja);
    kapu.closeSubpath();
    p.setBrush(barna);
    p.drawPath(fal.subtracted(kapu));
    p.setPen(QPen(barna, qMax<qreal>(1.5, s * 0.04), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(jel.left(), jel.bottom() - s * 0.04), QPointF(jel.right(), jel.bottom() - s * 0.04));
}

}  // namespace

Logo::Logo(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, hatter());
    setPalette(p);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QColor Logo::hatter()
{
    return QColor(0xFB, 0xD3, 0x91);
}

QIcon Logo::ikon()
{
    QIcon ikon;
    for (int meret : {16, 24, 32, 48, 64}) {
        QPixmap kep(meret, meret);
        kep.fill(Qt::transparent);
        QPainter p(&kep);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(hatter());
        p.drawRoundedRect(QRectF(0, 0, meret, meret), meret / 6.0, meret / 6.0);
        const qreal m = meret * 0.08;
        cimer(p, QRectF(m, m, meret - 2 * m, meret - 2 * m));
        p.end();
        ikon.addPixmap(kep);
    }
    return ikon;
}

QSize Logo::sizeHint() const
{
    return {200, 60};
}

QSize Logo::minimumSizeHint() const
{
    // A narrow window keeps the emblem alone.
    return {64, 48};
}

void Logo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), hatter());

    // The emblem in a square of the panel's height.
    const qreal h = height();
    const qreal s = qMin<qreal>(h - 10, 52);
    const QRectF jel(8, (h - s) / 2, s, s);
    cimer(p, jel);
    const QColor barna(0x7A, 0x35, 0x12);

    // The name beside it, smaller when the panel is narrow, left out when
    // it would be too small to read.
    const qreal szovegX = jel.right() + 10;
    QFont nev(QStringLiteral("Liberation Serif"));
    nev.setStyleHint(QFont::Serif);
    nev.setBold(true);
    nev.setPixelSize(qRound(h * 0.40));
    const qreal hely = width() - szovegX - 4;
    const int teljes = QFontMetrics(nev).horizontalAdvance(QStringLiteral("Nyugvár"));
    if (teljes > hely) {
        const int kisebb = int(nev.pixelSize() * hely / teljes);
        if (kisebb < 12)
            return;
        nev.setPixelSize(kisebb);
    }
    p.setFont(nev);
    p.setPen(barna);
    const QRectF nevHely(szovegX, 0, width() - szovegX - 4, h * 0.64);
    p.drawText(nevHely, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Nyugvár"));

    QFont alcim(QStringLiteral("Liberation Sans"));
    alcim.setStyleHint(QFont::SansSerif);
    alcim.setPixelSize(qMax(9, qRound(h * 0.17)));
    alcim.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(alcim);
    p.setPen(QColor(0x9A, 0x5B, 0x2A));
    p.drawText(QRectF(szovegX + 1, h * 0.66, width() - szovegX - 4, h * 0.30),
               Qt::AlignLeft | Qt::AlignTop, QStringLiteral("szálláshelyek"));
}
