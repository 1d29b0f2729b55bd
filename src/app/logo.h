#pragma once
// The program's logo, drawn on the header's sand-coloured panel.

#include <QWidget>

class QIcon;

class Logo : public QWidget {
    Q_OBJECT
public:
    explicit Logo(QWidget *parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The panel's colour.
    static QColor hatter();
    // The emblem alone, as the window's icon.
    static QIcon ikon();

protected:
    void paintEvent(QPaintEvent *e) override;
};
