#pragma once
// The list window of the list/editor family: a tool bar, a read-only grid on
// a data set and its context menu, with new / edit / delete / close and, in
// selection mode, accept. A subclass gives the data set, the columns and the
// editor; the list starts the insert or edit, runs the editor modally and
// cancels the row unless the editor closed with OK.

#include "data/model.h"

#include <QDialog>

class DataGrid;
class QAction;
class QToolBar;
class QShowEvent;

namespace data {
class DataSet;
}

class ListaAblak : public QDialog {
    Q_OBJECT
public:
    explicit ListaAblak(QWidget *parent = nullptr);
    ~ListaAblak() override;

    // Selection mode: "Elfogad" (Enter, double click) closes the list with OK
    // and hands back the key of the current row.
    void setValasztoMod(bool be);
    bool valasztoMod() const { return m_valaszto; }
    // The accepted key, or -1 when nothing was accepted.
    int valasztottKulcs() const { return m_kulcs; }
    // Shows the list modally in selection mode; the accepted key or -1.
    int valaszt();

    data::DataSet *adatok() const { return m_ds; }
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
    // the subclass's own table), the grid columns and, for selection mode,
    // the key field handed back (without one, the accepted row's position).
    void beallit(data::DataSet *ds, const QVector<data::DataSetModel::Column> &oszlopok,
                 const QString &kulcsMezo = QString());

    // A new editor on the current row (in insert or edit state); the list
    // runs it modally and destroys it.
    virtual QDialog *szerkesztoKeszit() = 0;
    // Called after insert(), before the editor is shown: defaults of a new row.
    virtual void ujSorAlapertekek() {}
    // Runs the editor on the row in insert or edit; on any result but OK the
    // row is cancelled. True when the editor closed with OK.
    bool szerkesztoFuttat();
    // Re-evaluates which actions are available.
    void allapotFrissites();

    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    void megnyit();
    void sorAktivalva();

    data::DataSet *m_ds = nullptr;
    DataGrid *m_racs;
    QToolBar *m_eszkoztar;
    QAction *m_aUj;
    QAction *m_aSzerkeszt;
    QAction *m_aTorol;
    QAction *m_aBezar;
    QAction *m_aElfogad;
    QAction *m_elfogadElvalaszto = nullptr;
    QAction *m_elfogadMenuElvalaszto = nullptr;
    QString m_kulcsMezo;
    bool m_valaszto = false;
    int m_kulcs = -1;
};
