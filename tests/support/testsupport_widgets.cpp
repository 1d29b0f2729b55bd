// The parts of the test support that drive windows.

#include "testsupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace testsupport {

// ---- onNextModal -----------------------------------------------------------

void onNextModal(std::function<void(QWidget *)> fn, int timeoutMs)
{
    // The modal widget active now (a caller may be driving one) is not the
    // next one, unless it goes away and comes back.
    QPointer<QWidget> current = QApplication::activeModalWidget();
    const QDeadlineTimer deadline(timeoutMs);
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, current, fn, timeoutMs]() mutable {
        QWidget *w = QApplication::activeModalWidget();
        if (w && current && w == current)
            w = nullptr;
        else if (current && w != current)
            current = nullptr;
        if (w) {
            timer->stop();
            timer->deleteLater();
            fn(w);
            // A check that failed inside fn returned early and left its
            // window open: close what is modal, so the test fails instead
            // of waiting for ever.
            for (int i = 0; QTest::currentTestFailed() && i < 10; ++i) {
                QWidget *open = QApplication::activeModalWidget();
                if (!open)
                    break;
                if (auto *d = qobject_cast<QDialog *>(open))
                    d->reject();
                else
                    open->close();
            }
            return;
        }
        if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            qWarning("onNextModal: no modal window appeared within %d ms", timeoutMs);
        }
    });
    timer->start();
}

void gepel(QWidget *w, const QString &szoveg)
{
    for (const QChar c : szoveg) {
        if (c.unicode() < 128) {
            QTest::keyClick(w, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

}  // namespace testsupport
