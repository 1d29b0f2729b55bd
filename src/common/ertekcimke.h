#pragma once
// The captions and values of a detail panel (the main window's, the booking
// list's): a small grey caption, then the value, cut to the width it has.

#include <QLabel>

// The small grey serif caption before a value of a detail panel.
QLabel *ReszletCimke(const QString &szoveg, QWidget *szulo);

// A value of the panel. One that does not fit is drawn cut with an ellipsis
// and shows its whole text as a tooltip.
class ErtekCimke : public QLabel {
    Q_OBJECT
public:
    explicit ErtekCimke(QWidget *parent = nullptr);
    // The text as drawn: the whole value, or its beginning and "…".
    QString latszoSzoveg() const;
    bool csonka() const { return latszoSzoveg() != text(); }

protected:
    void paintEvent(QPaintEvent *e) override;
    bool event(QEvent *e) override;
};
