#pragma once
// The settings dialog: default city, full-screen start and data folder.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
struct TBeall;

class Tfrm_Beallit : public QDialog {
    Q_OBJECT
public:
    // Shows the values of `beall`; "OK" writes them back into it.
    explicit Tfrm_Beallit(TBeall &beall, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void elfogad();

    TBeall &m_beall;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
};
