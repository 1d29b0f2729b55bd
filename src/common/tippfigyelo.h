#pragma once
// The application's current hint: the hint of the action, button or control
// under the mouse, in whichever window of the program it is, modal windows
// and disabled menu items included.

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

class TippFigyelo : public QObject {
    Q_OBJECT
public:
    // Watches every window of the application while it lives.
    explicit TippFigyelo(QObject *parent = nullptr);
    ~TippFigyelo() override;

    QString tipp() const { return m_tipp; }

Q_SIGNALS:
    // The current hint changed; empty when there is none.
    void tippValtozott(const QString &tipp);

protected:
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void beallit(const QString &tipp);
    void menuEger(QMenu *menu, const QPoint &hely);

    QString m_tipp;
    // The disabled item whose hint is shown (menus give none for those).
    QPointer<QAction> m_tiltottPont;
};
