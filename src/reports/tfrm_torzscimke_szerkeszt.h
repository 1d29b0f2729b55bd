#pragma once
// The editor of a label layout: its name, margins, label height and column
// count. "OK" saves the row and closes; a refused save keeps the editor open
// with the user's entries.

#include "common/szerkesztoablak.h"

class QLineEdit;

class Tfrm_TorzsCimke_Szerkeszt : public SzerkesztoAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsCimke_Szerkeszt(SorSzerkeszto &sorok, QWidget *parent = nullptr);
    ~Tfrm_TorzsCimke_Szerkeszt() override;

protected:
    // A layout is laid out across its columns: at least one is needed.
    bool ellenoriz() override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *mezo(const char *nev, const QString &mezoNev, bool szam);

    QLineEdit *m_nev;
    QLineEdit *m_oszlop;
};
