#pragma once
// The main window: the accommodation places in a grid with a detail panel,
// the quick search, the sort orders, the status bar and every action of the
// program in its menus and tool bars.

#include <QHash>
#include <QWidget>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class DataGrid;
class HelyLista;
class HelyReszletek;
struct HelySorrend;
struct HelyListaAllapot;
struct TBeall;

namespace data {
class Binder;
class Database;
class Query;
class Table;
}

class Tfrm_Main : public QWidget {
    Q_OBJECT
public:
    // Builds the window on `db` with the settings `beall`, which it reads and
    // changes (the order, the frame) and writes on closing; the data objects
    // stay closed until Indit().
    Tfrm_Main(data::Database &db, TBeall &beall, QWidget *parent = nullptr);
    ~Tfrm_Main() override;

    // The start-up steps of the main window, run after the database is open
    // and the user has logged in: order by sequence number, open the place
    // list, route hints to the status bar, set the header strip. Returns
    // false after showing the engine's message when the list cannot open.
    bool Indit();

    // Ends the program as closing this window does, when the desktop asks
    // (a logout): the open dialogs are cancelled first, the topmost first,
    // each once its caller has taken back control; then the window closes,
    // which writes the settings.
    void Leallitas();

    // The data objects other windows work on.
    data::Table *Tbl() const;
    data::Table *TblXTip() const;
    data::Table *TblXTerulet() const;
    data::Table *TblMegj() const;
    data::Query *QryJav() const;
    HelyLista *lista() const { return m_lista; }

    // An action by its object name ("aUj"); nullptr when there is none.
    QAction *akcio(const QString &nev) const { return m_akciok.value(nev); }
    const QList<QAction *> akciok() const;

    // Text of a status bar panel (0: counter, 1: sort, 2: hint, 3: empty).
    QString panelSzoveg(int panel) const;

    // Menus, by role.
    QMenu *fomenu(const QString &cim) const;  // "Szálláshelyek", "Törzsadatok", ...
    QMenu *racsMenu() const { return m_racsMenu; }
    QMenu *nyomtatMenu() const { return m_nyomtatMenu; }
    QMenu *megjegyzesMenu() const { return m_megjMenu; }
    QMenu *sorrendMenu() const { return m_sorrendMenu; }

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void akciokLetrehozasa();
    void menukLetrehozasa();
    QWidget *fejlecLetrehozasa();
    QToolBar *keresoSavLetrehozasa();
    void bekotes();

    void sorrendValtas(const HelySorrend &sorrend);
    void gyorsKereses(const QString &szoveg);
    void levelNeki();
    void frissit();
    void beallitasok();
    void felhasznalok();
    void szabadLekerdezes();
    void sugoBekotes();
    void foglalasok();
    void reszletesKereses();
    void csatoltDokumentumok();
    void megjegyzesek();
    void ujMegjegyzes();
    void cimkek();
    // The key of the main list's current place; null without one.
    QVariant aktualisHely() const;
    void kulsoLink(const QString &mezo, bool level);
    void archival();
    void kiszolgaloArchival(const QString &fajl);
    void visszatoltes();
    void korposta();
    // The archive folder, made when missing; empty after showing why not.
    QString archivMappa();
    bool adatokLezarasa(HelyListaAllapot &allapot);
    void adatokUjranyitasa(const HelyListaAllapot &allapot);
    void oszlopSzelessegek();
    void elhelyez();
    void keretBeallit();
    void keretIgazitas();
    void racsMenuMutat(const QPoint &hely);
    void sorAkciokFrissites();

    data::Database &m_db;
    TBeall &m_beall;
    HelyLista *m_lista = nullptr;
    data::Binder *m_binder = nullptr;
    QHash<QString, QAction *> m_akciok;
    QList<QAction *> m_akcioSorrend;
    QActionGroup *m_sorrendCsoport = nullptr;
    QAction *m_tipusMenuPont = nullptr;  // "Szálláshely típusok" in Törzsadatok

    QHash<QString, QMenu *> m_fomenuk;
    QMenu *m_racsMenu = nullptr;
    QMenu *m_nyomtatMenu = nullptr;
    QMenu *m_megjMenu = nullptr;
    QMenu *m_sorrendMenu = nullptr;

    QLabel *m_panel3 = nullptr;
    QLineEdit *m_edit1 = nullptr;
    DataGrid *m_grid = nullptr;
    HelyReszletek *m_reszletek = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_panelek[4] = {};

    QRect m_celKeret;          // the frame placement asked for
    bool m_keretIgazitva = true;
};
