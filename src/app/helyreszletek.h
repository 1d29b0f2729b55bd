#pragma once
// The detail panel of the main window: the current place's data in group
// boxes, its links and the memo of its services.

#include <QList>
#include <QWidget>

class ErtekCimke;
class QGroupBox;
class QPlainTextEdit;

namespace data {
class Binder;
}

class HelyReszletek : public QWidget {
    Q_OBJECT
public:
    explicit HelyReszletek(QWidget *parent = nullptr);

    // Binds every value to the place data set of the binder.
    void kot(data::Binder *binder);

    QGroupBox *egyebek() const { return m_egyebek; }
    QPlainTextEdit *memo() const { return m_memo; }

Q_SIGNALS:
    // A link was clicked: the field under it, and whether it is an e-mail.
    void linkKattintas(const QString &mezo, bool level);

protected:
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    QList<ErtekCimke *> m_ertekek;
    QGroupBox *m_egyebek = nullptr;
    QPlainTextEdit *m_memo = nullptr;
};
