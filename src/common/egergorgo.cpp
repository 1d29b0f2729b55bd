#include "common/egergorgo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace {

class GorgoSzuro : public QObject {
public:
    explicit GorgoSzuro(QObject *parent) : QObject(parent) { setObjectName(QStringLiteral("EgerGorgo")); }

protected:
    bool eventFilter(QObject *obj, QEvent *event) override
    {
        // The event reaches the widget under the mouse after its window; it
        // is turned into a key press there, once.
        if (event->type() != QEvent::Wheel || !obj->isWidgetType())
            return false;
        auto *w = static_cast<QWheelEvent *>(event);
        // Touchpad gestures announce their start and end without turning.
        if (w->phase() == Qt::ScrollBegin || w->phase() == Qt::ScrollEnd)
            return true;
        const int fordulat = w->angleDelta().y() != 0 ? w->angleDelta().y() : w->pixelDelta().y();
        const int billentyu = fordulat > 0 ? Qt::Key_Up : Qt::Key_Down;
        if (QWidget *cel = QApplication::focusWidget()) {
            QCoreApplication::postEvent(cel, new QKeyEvent(QEvent::KeyPress, billentyu, Qt::NoModifier));
            QCoreApplication::postEvent(cel, new QKeyEvent(QEvent::KeyRelease, billentyu, Qt::NoModifier));
        }
        return true;
    }
};

}  // namespace

void EgerGorgoBillentyuve(QApplication &app)
{
    if (app.findChild<GorgoSzuro *>(QStringLiteral("EgerGorgo"), Qt::FindDirectChildrenOnly))
        return;
    app.installEventFilter(new GorgoSzuro(&app));
}
