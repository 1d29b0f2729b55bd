#pragma once
// The search box of a list window. It stands first on the list's tool bar
// (light green, bold) and moves the list, at every change of its text, to
// the first row in the list's order whose field begins with the text, letter
// case aside; with no such row the list stays where it is. On a list
// ordered by that field the find is a binary search; in another order the
// table looks the field up in an index it makes at the first find.
//
// It also lays out the tool bar and the grid's context menu as the master
// lists have them:
//   tool bar:  search box | Kereső | Új sor, Szerkeszt, Sor törlése | Elfogad, Bezár
//   menu:      Új sor, Szerkeszt, Sor törlése | Kereső | Elfogad, Bezár
// "Kereső" (aKeres, Ctrl+F) puts the focus into the box, which then selects
// its whole text. Enter in the box moves the focus to the grid; in selection
// mode Enter is the shortcut of "Elfogad" and accepts instead.

#include <QObject>
#include <QString>

class ListaAblak;
class QAction;
class QLineEdit;

class ListaKereso : public QObject {
    Q_OBJECT
public:
    ListaKereso(ListaAblak &lista, const QString &mezo);

    QLineEdit *doboz() const { return m_doboz; }
    QAction *aKeres() const { return m_aKeres; }
    // Moves the list as a change of the text to `szoveg` does; true when a
    // row matched.
    bool keres(const QString &szoveg);
    // Puts the focus into the box.
    void fokusz();

protected:
    bool eventFilter(QObject *obj, QEvent *event) override;

private:
    void elrendez();

    ListaAblak &m_lista;
    QString m_mezo;
    QLineEdit *m_doboz;
    QAction *m_aKeres;
};
