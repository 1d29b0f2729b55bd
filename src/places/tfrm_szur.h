#pragma once
// The filter dialog of the place list: one area, one place type and/or the
// active places. The pickers beside the type and the area open their lookup
// lists in selection mode; a test may put others in their place.

#include "places/szures.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace data {
class Database;
}

class Tfrm_Szur : public QDialog {
    Q_OBJECT
public:
    // Chooses a row of a lookup list, starting on `kulcs`: the chosen key,
    // with its name in `nev`, or -1 when nothing was chosen.
    using Valaszto = std::function<int(int kulcs, QString &nev)>;

    explicit Tfrm_Szur(data::Database &db, QWidget *parent = nullptr);
    ~Tfrm_Szur() override;

    void setTipusValaszto(Valaszto v) { m_tipusValaszto = std::move(v); }
    void setTeruletValaszto(Valaszto v) { m_teruletValaszto = std::move(v); }

    // What the dialog shows now, and the filter text made of it.
    SzuroValasztas valasztas() const;
    QString szuroSzoveg() const { return SzuroSzoveg(valasztas()); }

private:
    struct Sor {
        QCheckBox *jelolo;
        QLineEdit *nev;
        QToolButton *gomb;
        int kulcs = 0;
    };
    Sor sorKeszit(const QString &felirat, const char *nev);
    void valaszt(Sor &sor, const Valaszto &valaszto);

    Sor m_tipus;
    Sor m_terulet;
    QCheckBox *m_aktiv;
    QPushButton *m_szures;
    QPushButton *m_megsem;
    Valaszto m_tipusValaszto;
    Valaszto m_teruletValaszto;
};

// Shows a fresh filter dialog modally. True when it closed with "Szűrés";
// `szuro` then holds the filter text.
bool SzuresBekeres(data::Database &db, QWidget *szulo, QString &szuro);
