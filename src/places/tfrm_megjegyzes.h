#pragma once
// "Megjegyzések": the dated notes of the main list's current place, newest
// first, with the text of the selected note below the list; new, edit and
// delete through the note editor and the row-edit controller. The print
// actions run the notes report that the owner of the window hands in.

#include "common/listaablak.h"

#include <functional>

class QLabel;
class QPlainTextEdit;
class QSplitter;

namespace data {
class Binder;
class Table;
}

class Tfrm_Megjegyzes : public ListaAblak {
    Q_OBJECT
public:
    // The notes of the place `ugyfel` (null counts as 0), whose name the
    // window shows.
    Tfrm_Megjegyzes(data::Database &db, const QVariant &ugyfel, const QString &helyNev, QWidget *parent = nullptr);
    ~Tfrm_Megjegyzes() override;

    data::Table *tabla() const { return m_tbl; }
    QPlainTextEdit *szoveg() const { return m_szoveg; }
    QAction *aNyomtatKep() const { return m_aNyomtatKep; }
    QAction *aNyomtat() const { return m_aNyomtat; }

    // The notes report of the place: `nyomtatora` true prints it, false
    // previews it. Until one is given, the two print actions stay disabled.
    using Riport = std::function<void(bool nyomtatora)>;
    void setRiport(Riport riport);

protected:
    QDialog *szerkesztoKeszit() override { return nullptr; }

private:
    QAction *nyomtatoAkcio(const char *nev, const QString &felirat, const QKeySequence &billentyu, const char *ikon,
                           bool nyomtatora);

    data::Table *m_tbl;
    QVariant m_ugyfel;
    QString m_helyNev;
    QPlainTextEdit *m_szoveg;
    data::Binder *m_kotes = nullptr;
    QAction *m_aNyomtatKep;
    QAction *m_aNyomtat;
    Riport m_riport;
};

// The note editor run on the pending row of `sorok` (the window's list or
// the main window's notes data set).
bool MegjegyzesSzerkesztes(SorSzerkeszto &sorok, const QString &helyNev, QWidget *szulo);
