#pragma once
// The SQL window's statement editor: SQL highlighting, line numbers, the
// caret line in light blue, and the window's own pop-up menu.

#include "tools/qsci.h"

class QMenu;

class SqlSzerkeszto : public QsciScintilla {
    Q_OBJECT
public:
    explicit SqlSzerkeszto(QWidget *parent = nullptr);

    // The menu shown on a right click instead of the control's own (not owned).
    void setFelugroMenu(QMenu *menu) { m_menu = menu; }
    // The text a run takes: the selected text when something is selected,
    // otherwise the whole text.
    QString futtatandoSzoveg() const;

protected:
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    QMenu *m_menu = nullptr;
};
