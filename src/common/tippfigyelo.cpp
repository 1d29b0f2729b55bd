#include "common/tippfigyelo.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusTipEvent>

TippFigyelo::TippFigyelo(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

TippFigyelo::~TippFigyelo()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool TippFigyelo::eventFilter(QObject *obj, QEvent *e)
{
    switch (e->type()) {
    case QEvent::StatusTip:
        // Every window's controls send their hints to their own window;
        // the application's hint is the latest of them all.
        beallit(static_cast<QStatusTipEvent *>(e)->tip());
        break;
    case QEvent::MouseMove:
        if (auto *menu = qobject_cast<QMenu *>(obj))
            menuEger(menu, static_cast<QMouseEvent *>(e)->position().toPoint());
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (m_tiltottPont && qobject_cast<QMenu *>(obj)) {
            m_tiltottPont = nullptr;
            beallit(QString());
        }
        break;
    default:
        break;
    }
    return false;
}

void TippFigyelo::menuEger(QMenu *menu, const QPoint &hely)
{
    // A menu shows the hint of an enabled item itself; a disabled item is
    // only passed over, so its hint is given here.
    QAction *a = menu->actionAt(hely);
    if (a && !a->isEnabled() && !a->isSeparator()) {
        if (a != m_tiltottPont) {
            m_tiltottPont = a;
            beallit(a->statusTip());
        }
    } else if (m_tiltottPont) {
        m_tiltottPont = nullptr;
        if (!a)
            beallit(QString());
    }
}

void TippFigyelo::beallit(const QString &tipp)
{
    // Told again even when unchanged: whoever shows the hint may have
    // cleared it meanwhile.
    m_tipp = tipp;
    Q_EMIT tippValtozott(m_tipp);
}
