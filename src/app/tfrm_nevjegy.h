#pragma once
// "Névjegy": the program's logo, name and version, maker and licence.

#include <QDialog>

class QLabel;
class QPushButton;

class Tfrm_Nevjegy : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Nevjegy(QWidget *parent = nullptr);

    QLabel *termekNev() const { return m_nev; }
    QLabel *verzio() const { return m_verzio; }
    QLabel *keszito() const { return m_keszito; }
    QPushButton *ok() const { return m_ok; }

private:
    QLabel *m_nev;
    QLabel *m_verzio;
    QLabel *m_keszito;
    QPushButton *m_ok;
};
