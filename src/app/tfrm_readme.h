#pragma once
// "Fontos információk": the first things a new user needs to know, in one
// read-only text box.

#include <QDialog>

class QPlainTextEdit;

class Tfrm_Readme : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Readme(QWidget *parent = nullptr);
    QPlainTextEdit *szoveg() const { return m_szoveg; }

private:
    QPlainTextEdit *m_szoveg;
};
