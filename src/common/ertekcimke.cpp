#include "common/ertekcimke.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {

// Small grey serif text before a value of the detail panel.
QLabel *cimke(const QString &szoveg, QWidget *szulo)
{
    auto *l = new QLabel(szoveg, szulo);
    QFont f(QStringLiteral("Liberation Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(qMax(7.0, QApplication::font().pointSizeF() - 1));
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    l->setPalette(p);
    return l;
}

}  // namespace

QLabel *ReszletCimke(const QString &szoveg, QWidget *szulo)
{
    return cimke(szoveg, szulo);
}

ErtekCimke::ErtekCimke(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QString ErtekCimke::latszoSzoveg() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ErtekCimke::paintEvent(QPaintEvent *e)
{
    const QString latszo = latszoSzoveg();
    if (latszo == text()) {
        // A whole value keeps the label's own drawing, selection included.
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), latszo, foregroundRole());
}

bool ErtekCimke::event(QEvent *e)
{
    // The tooltip is decided when it is asked for: the value and the width
    // may both have changed since.
    if (e->type() == QEvent::ToolTip)
        setToolTip(csonka() ? text() : QString());
    return QLabel::event(e);
}
