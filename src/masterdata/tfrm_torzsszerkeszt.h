#pragma once
// The editor of a lookup table's row: its one field, the name.

#include "common/szerkesztoablak.h"

class QLineEdit;
struct TorzsLeiras;

class Tfrm_TorzsSzerkeszt : public SzerkesztoAblak {
    Q_OBJECT
public:
    Tfrm_TorzsSzerkeszt(SorSzerkeszto &sorok, const TorzsLeiras &leiras, QWidget *parent = nullptr);
    ~Tfrm_TorzsSzerkeszt() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *DBEdit1;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};
