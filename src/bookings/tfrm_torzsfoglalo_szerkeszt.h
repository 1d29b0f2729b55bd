#pragma once
// The orderer editor "Szállás kereső": the orderers list's current row on
// two pages, the general data and the remarks. Leaving the postal code fills
// in the town from the postal-code table, unless a town was typed by hand.

#include "common/szerkesztoablak.h"

class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

class Tfrm_TorzsFoglalo_Szerkeszt : public SzerkesztoAblak {
    Q_OBJECT
public:
    // `alapVaros`: the default town, which the lookup treats as not yet entered.
    Tfrm_TorzsFoglalo_Szerkeszt(SorSzerkeszto &sorok, const QString &alapVaros, QWidget *parent = nullptr);
    ~Tfrm_TorzsFoglalo_Szerkeszt() override;

    // Fills in the town of the row from its postal code (on leaving "irsz.").
    void varosKitolt();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *obj, QEvent *event) override;

private:
    QLineEdit *mezo(const char *nev, const QString &mezoNev);

    QString m_alapVaros;
    QTabWidget *PageControl1;
    QLineEdit *DBEdit1;  // név
    QLineEdit *DBEdit2;  // irsz.
    QLineEdit *DBEdit3;  // város
    QLineEdit *DBEdit4;  // cím
    QLineEdit *DBEdit5;  // mobil
    QLineEdit *DBEdit6;  // telefon
    QLineEdit *DBEdit7;  // e-mail
    QPlainTextEdit *DBMemo1;
    QPushButton *btnOK;
    QPushButton *btnMegsem;
};
