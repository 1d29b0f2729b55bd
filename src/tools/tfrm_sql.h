#pragma once
// "SQL lekérdezés": the free SQL window. A statement is typed or loaded,
// run against the database and, when it is a query, its rows are shown in
// a read-only grid from which they can be exported as delimited text.

#include <QDialog>

class QAction;
class QMenu;
class QTabWidget;
class DataGrid;
class SqlSzerkeszto;

namespace data {
class Database;
class Query;
}

class Tfrm_SQL : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_SQL(data::Database &db, QWidget *parent = nullptr);
    ~Tfrm_SQL() override;

    SqlSzerkeszto *szerkeszto() const { return m_szerkeszto; }
    QTabWidget *lapok() const { return m_lapok; }
    DataGrid *racs() const { return m_racs; }
    data::Query *eredmeny() const { return m_eredmeny; }
    QMenu *szerkesztoMenu() const { return m_szerkesztoMenu; }
    QMenu *racsMenu() const { return m_racsMenu; }
    // An action by its object name ("aFuttat").
    QAction *akcio(const QString &nev) const;

    // The file last opened or saved here; empty at start.
    QString fajlNev() const { return m_fajlNev; }
    // Whether a command (not a query) ran successfully: the data that other
    // windows show may have changed.
    bool parancsFutott() const { return m_parancsFutott; }

    // The starting folder of the file dialogs: ProgramMappa + "\SQL".
    static QString sqlMappa();

public Q_SLOTS:
    void futtat();
    void uj();
    void megnyit();
    void ment();
    void exportal();

protected:
    void closeEvent(QCloseEvent *e) override;
    void done(int r) override;

private:
    void akciokLetrehozasa();
    void feluletLetrehozasa();
    void bekotes();
    void eredmenyBezar();
    void oszlopok();
    void lapValtas();

    data::Database &m_db;
    data::Query *m_eredmeny;
    SqlSzerkeszto *m_szerkeszto = nullptr;
    QTabWidget *m_lapok = nullptr;
    DataGrid *m_racs = nullptr;
    QMenu *m_szerkesztoMenu = nullptr;
    QMenu *m_racsMenu = nullptr;
    QList<QAction *> m_akciok;
    QString m_fajlNev;
    bool m_parancsFutott = false;
};
