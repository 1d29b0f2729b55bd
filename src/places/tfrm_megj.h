#pragma once
// "Csatolt dokumentumok": the documents attached to the main list's current
// place, with attaching through the open-file dialog, deleting an entry and
// opening a document with the desktop's handler. The rows live in
// CsatoltDokumentumok; entries are never edited.

#include "common/listaablak.h"

class CsatoltDokumentumok;
class QLabel;
class QLineEdit;

class Tfrm_Megj : public ListaAblak {
    Q_OBJECT
public:
    // The documents of the place `ugyfel` (null: no current place), whose
    // name the window shows.
    Tfrm_Megj(data::Database &db, const QVariant &ugyfel, const QString &helyNev, QWidget *parent = nullptr);
    ~Tfrm_Megj() override;

    CsatoltDokumentumok *dokumentumok() const { return m_dok; }
    QAction *aMegnyit() const { return m_aMegnyit; }

    // The caption and file types of the open-file dialog.
    static QString fajlDialogCim();
    static QString fajlTipusok();

public Q_SLOTS:
    // Attaches the file chosen in the open-file dialog.
    void uj() override;
    void torol() override;
    // A double click or Enter on an entry opens its document.
    void szerkeszt() override;
    void megnyit();

protected:
    QDialog *szerkesztoKeszit() override { return nullptr; }
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void utvonalMutat();

    CsatoltDokumentumok *m_dok;
    QLineEdit *m_helyNev;
    QLabel *m_utvonal;
    QAction *m_aMegnyit;
};
