#pragma once
// The one-line text input dialog behind BekeroDoboz.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class BekeroAblak : public QDialog {
    Q_OBJECT
public:
    // `maszk` in the register's edit-mask notation ("" for none).
    BekeroAblak(const QString &cim, const QString &kerdes, const QString &maszk,
                const QString &szoveg, QWidget *parent = nullptr);

    // The text to hand back: with a mask, the value as the mask stores it.
    QString szoveg() const;

    QLabel *kerdesCimke() const { return m_kerdes; }
    QLineEdit *szerkeszto() const { return m_edit; }
    QPushButton *okGomb() const { return m_ok; }
    QPushButton *megsemGomb() const { return m_megsem; }

    // The average character width the layout is measured in: the width of
    // the letters "A".."Z" and "a".."z" divided by 52.
    static double atlagosKarakter(const QFont &font);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_kerdes;
    QLineEdit *m_edit;
    QPushButton *m_ok;
    QPushButton *m_megsem;
    QString m_maszk;
};
