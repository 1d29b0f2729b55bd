#pragma once
// The list window of the list/editor family: a tool bar, a read-only grid on
// a data set and its context menu, with new / edit / delete / close and, in
// selection mode, accept. A subclass gives the data set, the columns, the
// key field and the editor; the rows go through the row-edit controller
// (SorSzerkeszto), which starts the insert or edit, runs the editor, saves
// or cancels, and asks before a delete.

#include "common/gridmodel.h"

#include <QDialog>
#include <QHash>
#include <QVariant>

class DataGrid;
class SorSzerkeszto;
class QAction;
class QToolBar;
class QShowEvent;

namespace data {
class Database;
class DataSet;
}

class ListaAblak : public QDialog {
    Q_OBJECT
public:
    // The list works on data sets of `db`.
    explicit ListaAblak(data::Database &db, QWidget *parent = nullptr);
    ~ListaAblak() override;

    data::Database &adatbazis() const { return m_db; }

    // Selection mode: "Elfogad" (Enter, double click) closes the list with OK
    // and hands back the key field of the current row.
    void setValasztoMod(bool be);
    bool valasztoMod() const { return m_valaszto; }
    // The accepted key as an integer (an empty key is 0), or -1 when nothing
    // was accepted.
    int valasztottKulcs() const { return m_kulcs; }
    // A field of the row accepted last (its name, key or layout values);
    // invalid when nothing was accepted.
    QVariant valasztottErtek(const QString &mezo) const;
    // Shows the list modally in selection mode, first on the row whose key
    // is `kezdoKulcs` when there is one; the accepted key or -1.
    int valaszt(const QVariant &kezdoKulcs = QVariant());

    data::DataSet *adatok() const { return m_ds; }
    // The row-edit controller of the list's data set (after beallit()).
    SorSzerkeszto &sorok() const { return *m_sorok; }
    DataGrid *racs() const { return m_racs; }
    QToolBar *eszkoztar() const { return m_eszkoztar; }

    QAction *aUj() const { return m_aUj; }
    QAction *aSzerkeszt() const { return m_aSzerkeszt; }
    QAction *aTorol() const { return m_aTorol; }
    QAction *aBezar() const { return m_aBezar; }
    QAction *aElfogad() const { return m_aElfogad; }

    // Opens the data set (if closed) before running modally.
    int exec() override;

public Q_SLOTS:
    virtual void uj();
    virtual void szerkeszt();
    virtual void torol();
    virtual void elfogad();

protected:
    // Set up by the subclass's constructor: the data set (not owned; usually
    // the subclass's own table), the grid columns and the key field that
    // selection hands back. The controller exists from here on: `sorok` when
    // given (made on `ds`, one whose save step saves more rows, keeping its
    // own defaults; the list owns it), otherwise a plain one.
    void beallit(data::DataSet *ds, const QVector<data::DataSetModel::Column> &oszlopok,
                 const QString &kulcsMezo, SorSzerkeszto *sorok = nullptr);

    // A new editor on the current row (in insert or edit state); the list
    // runs it modally and destroys it.
    virtual QDialog *szerkesztoKeszit() = 0;
    // Called after insert(), before the editor is shown: defaults of a new row.
    virtual void ujSorAlapertekek() {}
    // The editor run: makes, shows and destroys the editor. True when it
    // closed with OK.
    bool szerkesztoFuttat();
    // Re-evaluates which actions are available.
    void allapotFrissites();

    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    void megnyit();
    void sorAktivalva();

    data::Database &m_db;
    data::DataSet *m_ds = nullptr;
    SorSzerkeszto *m_sorok = nullptr;
    DataGrid *m_racs;
    QToolBar *m_eszkoztar;
    QAction *m_aUj;
    QAction *m_aSzerkeszt;
    QAction *m_aTorol;
    QAction *m_aBezar;
    QAction *m_aElfogad;
    QAction *m_elfogadElvalaszto = nullptr;
    QAction *m_elfogadMenuElvalaszto = nullptr;
    bool m_valaszto = false;
    int m_kulcs = -1;
    QVariant m_kezdoKulcs;
    QHash<QString, QVariant> m_valasztott;  // the accepted row, by lower-case field name
};
