#pragma once
// The note editor: the day, the short description and the text of a note
// row in insert or edit state. "Elfogad" closes it with OK, "Bezár" (Esc)
// with Cancel; the row-edit controller then saves or cancels the row. The
// day goes through the date picker and is written back into the row when
// the editor closes, either way.

#include "common/szerkesztoablak.h"

class QAction;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

class Tfrm_Megjegyzes_Szerkeszt : public SzerkesztoAblak {
    Q_OBJECT
public:
    Tfrm_Megjegyzes_Szerkeszt(SorSzerkeszto &sorok, const QString &helyNev, QWidget *parent = nullptr);
    ~Tfrm_Megjegyzes_Szerkeszt() override;

    // The editor run of the row-edit controller: makes the editor on its
    // pending row, shows it modally, writes the picker's day into "datum"
    // and destroys it. True when it closed with OK.
    static bool futtat(SorSzerkeszto &sorok, const QString &helyNev, QWidget *szulo);

    QDateEdit *datum() const { return m_datum; }
    QLineEdit *rovid() const { return m_rovid; }
    QPlainTextEdit *szoveg() const { return m_szoveg; }
    QAction *aElfogad() const { return m_aElfogad; }
    QAction *aBezar() const { return m_aBezar; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QAction *akcio(const char *nev, const QString &felirat, const QKeySequence &billentyu, const char *ikon);
    void szerkesztoMuvelet(void (*sor)(QLineEdit *), void (*memo)(QPlainTextEdit *));

    QDateEdit *m_datum;
    QLineEdit *m_rovid;
    QPlainTextEdit *m_szoveg;
    QAction *m_aElfogad;
    QAction *m_aBezar;
};
