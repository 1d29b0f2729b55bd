#pragma once
// The place editor: the place list's current row (in insert or edit state)
// on three pages, every control bound to its field: general data,
// addresses, contact, owner and commission; remarks; services. Leaving a
// postal-code box looks up its city, two picture buttons copy the address
// to the mailing address and the contact to the owner. The list posts or
// cancels the row when the editor closes.

#include "common/szerkesztoablak.h"

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;
struct IrszMezok;

namespace data {
class DataSet;
}

class Tfrm_Szerkeszt : public SzerkesztoAblak {
    Q_OBJECT
public:
    // `tipusok` and `teruletek` are the read-only lookup tables whose rows
    // the type and area lists offer; `alapVaros` is the default city, which
    // the postal-code lookup treats as a city not yet entered.
    Tfrm_Szerkeszt(SorSzerkeszto &sorok, data::DataSet *tipusok, data::DataSet *teruletek,
                   const QString &alapVaros, QWidget *parent = nullptr);
    ~Tfrm_Szerkeszt() override;

    // The editor run of the place list: a new editor on the row, shown
    // modally and destroyed; true when it closed with OK.
    static bool futtat(SorSzerkeszto &sorok, data::DataSet *tipusok, data::DataSet *teruletek,
                       const QString &alapVaros, QWidget *szulo);

    // Copy the address to the mailing address, the contact to the owner
    // (the two picture buttons).
    void cimMasolas();
    void kapcsolatMasolas();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *obj, QEvent *event) override;

private:
    QWidget *altalanosLap(data::DataSet *tipusok, data::DataSet *teruletek);
    QGroupBox *altalanosCsoport(data::DataSet *tipusok, data::DataSet *teruletek);
    QGroupBox *cimCsoport(const QString &cim, const QString &nev, const IrszMezok &mezok, const char *orszag,
                          const char *cimMezo, const QStringList &cimkek, QToolButton *gomb);
    QGroupBox *szemelyCsoport(const QString &cim, const QString &nev, const QStringList &mezok,
                              const QStringList &cimkek, QToolButton *gomb);
    QGroupBox *jutalekCsoport();
    QWidget *memoLap(const char *mezo, const QString &nev);

    QLineEdit *szovegMezo(const char *mezo);
    void sor(QGridLayout *racs, int sor, int oszlop, const QString &cimke, QWidget *vezerlo, int szeles = 1);
    QToolButton *masoloGomb(const QString &nev, const QString &akadalyNev);
    void irszElhagyva(QLineEdit *doboz);

    QString m_alapVaros;
    QTabWidget *m_lapok = nullptr;
    QLineEdit *m_nev = nullptr;
    QLineEdit *m_cimIrsz = nullptr;
    QLineEdit *m_levIrsz = nullptr;
    QVector<QWidget *> m_tabSorrend;  // the pages' controls and the buttons, in tab order
};
