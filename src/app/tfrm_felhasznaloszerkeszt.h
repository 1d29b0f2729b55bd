#pragma once
// The user editor: name and password of the user list's current row, the
// password typed twice.

#include "common/szerkesztoablak.h"

class QLabel;
class QLineEdit;

class Tfrm_FelhasznaloSzerkeszt : public SzerkesztoAblak {
    Q_OBJECT
public:
    explicit Tfrm_FelhasznaloSzerkeszt(SorSzerkeszto &sorok, QWidget *parent = nullptr);
    ~Tfrm_FelhasznaloSzerkeszt() override;

protected:
    bool ellenoriz() override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *DBEdit1;
    QLineEdit *DBEdit2;
    QLineEdit *Edit1;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};
