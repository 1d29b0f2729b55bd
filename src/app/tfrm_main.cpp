#include "app/tfrm_main.h"

#include "app/beallitasok.h"
#include "app/foablakhely.h"
#include "app/helylista.h"
#include "app/helyreszletek.h"
#include "app/inditas.h"
#include "app/logo.h"
#include "app/tfrm_beallit.h"
#include "app/sugo.h"
#include "app/tfrm_felhasznalo.h"
#include "app/tfrm_tulajdonos.h"
#include "app/tfrm_nevjegy.h"
#include "app/tfrm_readme.h"
#include "bookings/foglalolista.h"
#include "bookings/tfrm_foglal.h"
#include "common/ablak.h"
#include "common/binding.h"
#include "common/datagrid.h"
#include "common/dobozok.h"
#include "common/fajlvalaszto.h"
#include "common/gridmodel.h"
#include "common/ikonok.h"
#include "common/kulsomegnyit.h"
#include "common/programmappa.h"
#include "common/sorszerkeszto.h"
#include "common/tippfigyelo.h"
#include "common/vedett.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"
#include "masterdata/torzsleiras.h"
#include "masterdata/torzsvalaszt.h"
#include "places/szures.h"
#include "places/tfrm_szur.h"
#include "nyugvar_version.h"
#include "places/tfrm_szerkeszt.h"
#include "places/tfrm_keres.h"
#include "places/tfrm_megj.h"
#include "places/tfrm_megjegyzes.h"
#include "places/megjegyzesek.h"
#include "reports/cimkevalaszt.h"
#include "reports/helyriportok.h"
#include "reports/archivum.h"
#include "reports/korposta.h"
#include "tools/tfrm_sql.h"
#include "reports/tfrm_hatarolt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// The actions of the main window: object name, category, caption, hint
// (empty: the caption), shortcut and the icon names to try in turn.
struct AkcioLeiras {
    const char *nev;
    const char *kategoria;
    const char *felirat;
    const char *tipp;
    const char *billentyu;
    const char *ikonok;
};

const AkcioLeiras kAkciok[] = {
    {"aUj", "Ügyfelek", "Új sor", "", "Ins", "document-new list-add"},
    {"aSzerkeszt", "Ügyfelek", "Szerkeszt", "", "F2", "document-edit"},
    {"aTorol", "Ügyfelek", "Töröl", "", "Ctrl+Del", "edit-delete"},
    {"aCsatolt", "Ügyfelek", "Csatolt dokumentumok", "", "F3", "mail-attachment"},
    {"aCimke", "Ügyfelek", "Címke nyomtatás", "", "", "tag"},
    {"aExcelbe", "Ügyfelek", "Excelbe", "", "Ctrl+E", "x-office-spreadsheet document-export"},
    {"aKeres", "Ügyfelek", "Keresés", "", "Ctrl+F", "edit-find"},
    {"aKeres2", "Ügyfelek", "Részletes keresés", "", "Ctrl+T", "system-search edit-find-replace"},
    {"aSzakSzur", "Ügyfelek", "Szűrés", "", "Ctrl+S", "view-filter"},
    {"aLevelNeki", "Ügyfelek", "Levelet neki...", "", "Ctrl+L", "mail-message-new mail-send"},
    {"aMegjegyzes", "Ügyfelek", "Megjegyzések", "", "Ctrl+M", "view-pim-notes note"},
    {"aMegjegyzesUj", "Ügyfelek", "Új megjegyzés", "", "Shift+Ctrl+M", "edit-comment document-new"},
    {"aFrissit", "Ügyfelek", "Frissít", "", "F5", "view-refresh"},
    {"aSorrendSorszam", "Ügyfelek", "Sorrend sorszám szerint", "", "", "format-list-ordered view-sort"},
    {"aSorrendNev", "Ügyfelek", "Sorrend név szerint", "", "", "view-sort-ascending-name view-sort"},
    {"aSorrendOrszag", "Ügyfelek", "Sorrend ország szerint", "", "", "globe flag"},
    {"aSorrendIrsz", "Ügyfelek", "Sorrend irányítószám szerint", "", "", "view-sort-ascending view-sort"},
    {"aBezar", "Ügyfelek", "Bezár", "", "", "application-exit"},
    {"aTeljes", "Nyomtatások", "Teljes lista (név szerint)", "Teljes lista", "Ctrl+P", "document-print"},
    {"aNyomtatKep", "Nyomtatások", "Teljes lista (név szerint)", "", "Ctrl+K", "document-print-preview"},
    {"aNyomtat", "Nyomtatások", "Adatlap", "Nyomtat (Adatlap)", "Shift+Ctrl+P", "document-print"},
    {"aAdatlap", "Nyomtatások", "Adatlap", "", "Shift+Ctrl+K", "document-preview document-print-preview"},
    {"aNyomMegjegyzes", "Nyomtatások", "Megjegyzések", "", "", "view-pim-journal document-print-preview"},
    {"aFoglalas", "Eszközök", "Foglalások", "", "F4", "view-calendar appointment-new"},
    {"aKorposta", "Eszközök", "Korposta adatbázis generálás", "", "", "mail-queue mail-folder-outbox"},
    {"aTorzsTerulet", "Törzsadatok", "Területek", "", "", "map-flat globe"},
    {"aTorzsTipus", "Törzsadatok", "Ügyfél típusok", "", "", "go-home"},
    {"aTorzsFizmod", "Törzsadatok", "Fizetési módok", "", "", "wallet-open view-bank"},
    {"aTorzsMegrendelo", "Törzsadatok", "Megrendelők", "", "", "system-users user-group-properties"},
    {"aTorzsCimke", "Törzsadatok", "Címkék", "", "", "tag-new tag"},
    {"aBeallit", "Rendszer", "Beállítások", "", "", "configure preferences-system"},
    {"aTulajdonos", "Rendszer", "Irodánk adatai...", "Az iroda neve és címe a nyomtatványok fejlécén", "",
     "user-identity contact-new"},
    {"aFelhaszn", "Rendszer", "Felhasználók", "", "", "user-group-properties system-users"},
    {"aSQL", "Rendszer", "Szabad lekérdezés", "", "", "server-database database-index"},
    {"aArchival", "Rendszer", "Adatbázis archiválása", "", "", "archive-insert package-x-generic"},
    {"aVisszatolt", "Rendszer", "Adatbázis visszatöltése", "", "", "document-revert edit-undo"},
    {"aSugo", "Súgó", "Súgó", "", "F1", "help-contents"},
    {"aDoksi", "Súgó", "Program dokumentáció (pdf)", "", "", "application-pdf"},
    {"aFontos", "Súgó", "Fontos információk", "", "Ctrl+F1", "help-hint dialog-information"},
    {"aLevel", "Súgó", "Levélküldés Tervodanak", "", "", "mail-send"},
    {"aHonlap", "Súgó", "Tervoda honlapja", "", "", "internet-web-browser applications-internet"},
    {"aFrisseny", "Súgó", "Újdonságok az Interneten", "", "", "system-software-update update-none"},
    {"aNevjegy", "Súgó", "Névjegy", "", "Alt+F1", "help-about"},
};

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

// A button whose menu has closed is drawn raised until the mouse next
// crosses it: the menu held the mouse when it left the button. It is told
// that the mouse is gone unless the mouse really is over it.
void menuUtanLeenged(QToolButton *gomb)
{
    VedettKapcsol(gomb->menu(), &QMenu::aboutToHide, gomb, [gomb] {
        QTimer::singleShot(0, gomb, [gomb] {
            if (gomb->rect().contains(gomb->mapFromGlobal(QCursor::pos())))
                return;
            gomb->setAttribute(Qt::WA_UnderMouse, false);
            gomb->update();
        });
    });
}

QMenu *ujMenu(const QString &cim, const QString &nev, QWidget *szulo)
{
    auto *m = new QMenu(cim, szulo);
    m->setObjectName(nev);
    // Screen readers name an open menu by its window title.
    m->setWindowTitle(cim);
    m->setToolTipsVisible(false);
    return m;
}

// The main window for screen readers and test tools: a window (a frame)
// named by its caption, not a filler. A menu of the window opened from its
// menu row is a window of its own and no child of any widget; while it is
// open it is listed among the main window's children so that it can be read.
class FoablakAkadaly : public QAccessibleWidget {
public:
    explicit FoablakAkadaly(QWidget *w) : QAccessibleWidget(w, QAccessible::Window) {}

    int childCount() const override { return QAccessibleWidget::childCount() + nyitottMenuk().size(); }

    QAccessibleInterface *child(int i) const override
    {
        const int n = QAccessibleWidget::childCount();
        if (i < n)
            return QAccessibleWidget::child(i);
        const QList<QMenu *> menuk = nyitottMenuk();
        return i - n < menuk.size() ? QAccessible::queryAccessibleInterface(menuk.at(i - n)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *c) const override
    {
        if (auto *m = c ? qobject_cast<QMenu *>(c->object()) : nullptr) {
            const int k = nyitottMenuk().indexOf(m);
            return k < 0 ? -1 : QAccessibleWidget::childCount() + k;
        }
        return QAccessibleWidget::indexOfChild(c);
    }

private:
    QList<QMenu *> nyitottMenuk() const
    {
        QList<QMenu *> r;
        for (QMenu *m : widget()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly))
            if (m->isVisible())
                r << m;
        return r;
    }
};

QAccessibleInterface *akadalymentesGyar(const QString &osztaly, QObject *o)
{
    if (osztaly == QLatin1String("Tfrm_Main") && o && o->isWidgetType())
        return new FoablakAkadaly(static_cast<QWidget *>(o));
    return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------

Tfrm_Main::Tfrm_Main(data::Database &db, TBeall &beall, QWidget *parent)
    : QWidget(parent), m_db(db), m_beall(beall)
{
    setObjectName(QStringLiteral("Tfrm_Main"));
    setWindowTitle(QStringLiteral("Nyugvár"));
    // How screen readers see the window; installed once for the program.
    static const bool akadalymentes = (QAccessible::installFactory(akadalymentesGyar), true);
    Q_UNUSED(akadalymentes);
    // The least width and height come from the layout: the whole menu row
    // beside the emblem, the bars, two rows of the list and the detail
    // panel; the default 640 x 400 frame holds them.
    IkonTema();
    setWindowIcon(Logo::ikon());

    m_lista = new HelyLista(m_db, m_beall, this);
    m_binder = new data::Binder(m_lista->Tbl(), this);

    akciokLetrehozasa();
    menukLetrehozasa();

    auto *fo = new QVBoxLayout(this);
    fo->setContentsMargins(0, 0, 0, 0);
    fo->setSpacing(0);
    fo->addWidget(fejlecLetrehozasa());

    m_panel3 = new QLabel(this);
    m_panel3->setObjectName(QStringLiteral("Panel3"));
    {
        QFont f = m_panel3->font();
        f.setBold(true);
        m_panel3->setFont(f);
        QPalette p = m_panel3->palette();
        p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
        m_panel3->setPalette(p);
        m_panel3->setFrameShape(QFrame::StyledPanel);
        m_panel3->setFrameShadow(QFrame::Sunken);
        m_panel3->setContentsMargins(6, 1, 6, 1);
    }
    fo->addWidget(m_panel3);
    fo->addWidget(keresoSavLetrehozasa());

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->installEventFilter(this);
    // Two rows stay visible however small the window gets; the default
    // 640 x 400 window keeps more.
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height()
                             + 2 * m_grid->verticalHeader()->defaultSectionSize() + 4);
    fo->addWidget(m_grid, 1);

    m_reszletek = new HelyReszletek(this);
    VedettKapcsol(m_reszletek, &HelyReszletek::linkKattintas, this, &Tfrm_Main::kulsoLink);
    fo->addWidget(m_reszletek);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    const int szelessegek[4] = {110, 190, 0, 120};
    for (int i = 0; i < 4; ++i) {
        m_panelek[i] = new QLabel(m_statusBar);
        m_panelek[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1).prepend(QStringLiteral("sb")));
        m_panelek[i]->setContentsMargins(4, 0, 4, 0);
        m_panelek[i]->setFrameShape(QFrame::StyledPanel);
        m_panelek[i]->setFrameShadow(QFrame::Sunken);
        if (szelessegek[i] > 0)
            m_panelek[i]->setMinimumWidth(szelessegek[i]);
        else
            m_panelek[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_statusBar->addWidget(m_panelek[i], szelessegek[i] > 0 ? 0 : 1);
    }
    fo->addWidget(m_statusBar);

    bekotes();
    m_edit1->setFocus();
}

Tfrm_Main::~Tfrm_Main() = default;

data::Table *Tfrm_Main::Tbl() const
{
    return m_lista->Tbl();
}
data::Table *Tfrm_Main::TblXTip() const
{
    return m_lista->TblXTip();
}
data::Table *Tfrm_Main::TblXTerulet() const
{
    return m_lista->TblXTerulet();
}
data::Table *Tfrm_Main::TblMegj() const
{
    return m_lista->TblMegj();
}
data::Query *Tfrm_Main::QryJav() const
{
    return m_lista->QryJav();
}

const QList<QAction *> Tfrm_Main::akciok() const
{
    return m_akcioSorrend;
}

QString Tfrm_Main::panelSzoveg(int panel) const
{
    if (panel < 0 || panel > 3)
        return {};
    return m_panelek[panel]->text();
}

QMenu *Tfrm_Main::fomenu(const QString &cim) const
{
    return m_fomenuk.value(cim);
}

// ---- building ---------------------------------------------------------------

void Tfrm_Main::akciokLetrehozasa()
{
    for (const AkcioLeiras &l : kAkciok) {
        auto *a = new QAction(this);
        const QString nev = u8(l.nev);
        a->setObjectName(nev);
        a->setProperty("kategoria", u8(l.kategoria));
        a->setText(u8(l.felirat));
        const QString tipp = *l.tipp ? u8(l.tipp) : u8(l.felirat);
        a->setToolTip(tipp);
        a->setStatusTip(tipp);
        if (*l.billentyu)
            a->setShortcut(QKeySequence(u8(l.billentyu), QKeySequence::PortableText));
        a->setIcon(TemaIkon(l.ikonok));
        a->setIconVisibleInMenu(true);
        m_akciok.insert(nev, a);
        m_akcioSorrend << a;
    }
    // Every shortcut works wherever the focus is in the window.
    addActions(m_akcioSorrend);

    // Exactly one order is checked (sorrendValtas keeps it so). The group
    // is not exclusive for Qt: a menu draws the items of an exclusive group
    // as radio buttons, and the sort menu shows check marks.
    m_sorrendCsoport = new QActionGroup(this);
    m_sorrendCsoport->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const HelySorrend &s : HelySorrendek()) {
        QAction *a = akcio(s.akcio);
        a->setCheckable(true);
        // A menu draws an item's icon in place of its check mark; the sort
        // menu shows which order is on.
        a->setIconVisibleInMenu(false);
        m_sorrendCsoport->addAction(a);
    }
    akcio(QStringLiteral("aSorrendSorszam"))->setChecked(true);
    akcio(QStringLiteral("aSzakSzur"))->setCheckable(true);

    // The types item of the master-data menu has its own caption.
    QAction *tipus = akcio(QStringLiteral("aTorzsTipus"));
    m_tipusMenuPont = new QAction(QStringLiteral("Szálláshely típusok"), this);
    m_tipusMenuPont->setObjectName(QStringLiteral("aTorzsTipusMenu"));
    m_tipusMenuPont->setProperty("akcio", QStringLiteral("aTorzsTipus"));
    auto tukroz = [this, tipus] {
        m_tipusMenuPont->setIcon(tipus->icon());
        m_tipusMenuPont->setToolTip(tipus->toolTip());
        m_tipusMenuPont->setStatusTip(tipus->statusTip());
        m_tipusMenuPont->setEnabled(tipus->isEnabled());
        m_tipusMenuPont->setVisible(tipus->isVisible());
    };
    tukroz();
    VedettKapcsol(tipus, &QAction::changed, this, tukroz);
    VedettKapcsol(m_tipusMenuPont, &QAction::triggered, tipus, &QAction::trigger);
}

void Tfrm_Main::menukLetrehozasa()
{
    auto tolt = [this](QMenu *m, const char *elemek) {
        for (const QString &e : u8(elemek).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (e == QLatin1String("-"))
                m->addSeparator();
            else if (e == QLatin1String("aTorzsTipus") && m == m_fomenuk.value(QStringLiteral("Törzsadatok")))
                m->addAction(m_tipusMenuPont);
            else
                m->addAction(akcio(e));
        }
    };
    struct Fomenu {
        const char *cim;
        const char *nev;
        const char *elemek;
    };
    const Fomenu fomenuk[] = {
        {"Szálláshelyek", "mSzallashelyek",
         "aUj aSzerkeszt aTorol - aCsatolt aMegjegyzes - aCimke - aKeres2 aKeres aSzakSzur - "
         "aLevelNeki aExcelbe - aBezar"},
        {"Törzsadatok", "mTorzsadatok", "aTorzsTerulet aTorzsTipus aTorzsFizmod - aTorzsMegrendelo - aTorzsCimke"},
        {"Nyomtatások", "mNyomtatasok", "aNyomtat aTeljes - aNyomMegjegyzes"},
        {"Eszközök", "mEszkozok", "aFoglalas - aKorposta"},
        {"Rendszer", "mRendszer", "aBeallit aTulajdonos - aFelhaszn aSQL - aArchival aVisszatolt"},
        {"Súgó", "mSugo", "aSugo aDoksi - aFontos - aLevel aHonlap aFrisseny - aNevjegy"},
    };
    for (const Fomenu &f : fomenuk) {
        QMenu *m = ujMenu(u8(f.cim), u8(f.nev), this);
        m_fomenuk.insert(u8(f.cim), m);
        tolt(m, f.elemek);
    }

    m_racsMenu = ujMenu(QString(), QStringLiteral("pmRacs"), this);
    tolt(m_racsMenu,
         "aUj aSzerkeszt aTorol - aFoglalas aLevelNeki - aKeres aKeres2 aSzakSzur - aCsatolt - aExcelbe aNyomtat");

    m_nyomtatMenu = ujMenu(QString(), QStringLiteral("pmNyomtat"), this);
    QMenu *kep = m_nyomtatMenu->addMenu(QStringLiteral("Nyomtatási kép"));
    kep->setObjectName(QStringLiteral("pmNyomtatasiKep"));
    kep->setIcon(QIcon::fromTheme(QStringLiteral("document-print-preview")));
    tolt(kep, "aNyomtatKep aAdatlap");
    QMenu *nyomtatas = m_nyomtatMenu->addMenu(QStringLiteral("Nyomtatás"));
    nyomtatas->setObjectName(QStringLiteral("pmNyomtatas"));
    nyomtatas->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));
    tolt(nyomtatas, "aTeljes aNyomtat");
    m_nyomtatMenu->addSeparator();
    m_nyomtatMenu->addAction(akcio(QStringLiteral("aExcelbe")));

    m_megjMenu = ujMenu(QString(), QStringLiteral("pmMegjegyzes"), this);
    tolt(m_megjMenu, "aMegjegyzes aMegjegyzesUj");

    m_sorrendMenu = ujMenu(QStringLiteral("Sorrend"), QStringLiteral("pmSorrend"), this);
    tolt(m_sorrendMenu, "aSorrendSorszam aSorrendNev aSorrendOrszag aSorrendIrsz");
}

QWidget *Tfrm_Main::fejlecLetrehozasa()
{
    auto *fejlec = new QWidget(this);
    fejlec->setObjectName(QStringLiteral("Fejlec"));
    auto *sor = new QHBoxLayout(fejlec);
    sor->setContentsMargins(0, 0, 0, 0);
    sor->setSpacing(0);
    sor->addWidget(new Logo(fejlec));

    auto *savok = new QVBoxLayout;
    savok->setContentsMargins(0, 0, 0, 0);
    savok->setSpacing(0);

    // The main menu as a row of captioned buttons.
    auto *menuSav = new QToolBar(fejlec);
    menuSav->setObjectName(QStringLiteral("ToolBar1"));
    menuSav->setMovable(false);
    menuSav->setFloatable(false);
    menuSav->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const char *cim : {"Szálláshelyek", "Törzsadatok", "Nyomtatások", "Eszközök", "Rendszer", "Súgó"}) {
        QMenu *m = m_fomenuk.value(u8(cim));
        auto *gomb = new QToolButton(menuSav);
        gomb->setObjectName(m->objectName() + QStringLiteral("Gomb"));
        gomb->setText(u8(cim));
        gomb->setMenu(m);
        gomb->setPopupMode(QToolButton::InstantPopup);
        gomb->setToolButtonStyle(Qt::ToolButtonTextOnly);
        gomb->setAutoRaise(true);
        // The drop-down arrow is not drawn: these are menu captions.
        gomb->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"
                                           "QToolButton { padding: 2px 5px; }"));
        menuSav->addWidget(gomb);
    }
    // The menu row is never folded behind an overflow button: the window
    // is at least as wide as the logo's emblem and the whole row.
    menuSav->setMinimumWidth(menuSav->sizeHint().width());
    savok->addWidget(menuSav);

    auto *kepSav = new QToolBar(fejlec);
    kepSav->setObjectName(QStringLiteral("ToolBar2"));
    kepSav->setMovable(false);
    kepSav->setFloatable(false);
    kepSav->setIconSize(QSize(22, 22));
    kepSav->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const char *e : {"aFrissit", "-", "aKorposta", "-", "aBeallit", "-", "aSugo", "aFontos", "-",
                          "aHonlap", "aFrisseny", "-", "aBezar"}) {
        if (qstrcmp(e, "-") == 0)
            kepSav->addSeparator();
        else
            kepSav->addAction(akcio(u8(e)));
    }
    savok->addWidget(kepSav);
    sor->addLayout(savok, 1);
    return fejlec;
}

QToolBar *Tfrm_Main::keresoSavLetrehozasa()
{
    auto *sav = new QToolBar(this);
    sav->setObjectName(QStringLiteral("ToolBar3"));
    sav->setMovable(false);
    sav->setFloatable(false);
    sav->setIconSize(QSize(22, 22));
    sav->setToolButtonStyle(Qt::ToolButtonIconOnly);

    m_edit1 = new QLineEdit(sav);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    {
        QPalette p = m_edit1->palette();
        p.setColor(QPalette::Base, QColor(0xC0, 0xDC, 0xC0));
        m_edit1->setPalette(p);
        QFont f = m_edit1->font();
        f.setBold(true);
        m_edit1->setFont(f);
    }
    m_edit1->setToolTip(QStringLiteral("Sorrend szerinti keresés"));
    m_edit1->setStatusTip(QStringLiteral("Sorrend szerinti keresés"));
    m_edit1->setClearButtonEnabled(true);
    m_edit1->setFixedWidth(240);
    m_edit1->installEventFilter(this);
    FokuszSzinNelkul(m_edit1);
    sav->addWidget(m_edit1);
    sav->addSeparator();

    auto tesz = [this, sav](const char *nev) { sav->addAction(akcio(u8(nev))); };
    tesz("aKeres");
    tesz("aKeres2");
    tesz("aSzakSzur");
    sav->addSeparator();

    auto *sorrendGomb = new QToolButton(sav);
    sorrendGomb->setObjectName(QStringLiteral("btnSorrend"));
    sorrendGomb->setIcon(TemaIkon("view-sort view-sort-ascending"));
    sorrendGomb->setText(QStringLiteral("Sorrend"));
    sorrendGomb->setToolTip(QStringLiteral("Sorrend"));
    sorrendGomb->setStatusTip(QStringLiteral("Sorrend"));
    sorrendGomb->setMenu(m_sorrendMenu);
    sorrendGomb->setPopupMode(QToolButton::InstantPopup);
    sorrendGomb->setAutoRaise(true);
    sav->addWidget(sorrendGomb);
    sav->addSeparator();

    tesz("aUj");
    tesz("aSzerkeszt");
    tesz("aTorol");
    sav->addSeparator();
    tesz("aCimke");
    sav->addSeparator();
    tesz("aLevelNeki");
    sav->addSeparator();
    tesz("aCsatolt");
    tesz("aMegjegyzes");
    sav->addSeparator();
    tesz("aTeljes");
    sav->addSeparator();
    tesz("aFoglalas");

    // The notes and print buttons drop down their menus.
    if (auto *b = qobject_cast<QToolButton *>(sav->widgetForAction(akcio(QStringLiteral("aMegjegyzes"))))) {
        b->setMenu(m_megjMenu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    if (auto *b = qobject_cast<QToolButton *>(sav->widgetForAction(akcio(QStringLiteral("aTeljes"))))) {
        b->setMenu(m_nyomtatMenu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    return sav;
}

void Tfrm_Main::bekotes()
{
    VedettKapcsol(m_lista, &HelyLista::szamlaloValtozott, m_panelek[0], &QLabel::setText);
    // The application's current hint, from this window and from the modal
    // windows opened over it.
    VedettKapcsol(new TippFigyelo(this), &TippFigyelo::tippValtozott, m_panelek[2], &QLabel::setText);

    for (const HelySorrend &s : HelySorrendek()) {
        const HelySorrend *sp = &s;
        VedettKapcsol(akcio(s.akcio), &QAction::triggered, this, [this, sp] { sorrendValtas(*sp); });
    }
    VedettKapcsol(akcio(QStringLiteral("aKeres")), &QAction::triggered, this, [this] {
        m_edit1->selectAll();
        m_edit1->setFocus(Qt::ShortcutFocusReason);
    });
    // New, edit and delete of places go through the list's row-edit controller.
    SorSzerkeszto *sorok = m_lista->sorok();
    sorok->setSzerkeszto([this, sorok] {
        return Tfrm_Szerkeszt::futtat(*sorok, TblXTip(), TblXTerulet(), m_beall.AlapVaros, this);
    });
    VedettKapcsol(akcio(QStringLiteral("aUj")), &QAction::triggered, sorok, &SorSzerkeszto::uj);
    VedettKapcsol(akcio(QStringLiteral("aSzerkeszt")), &QAction::triggered, sorok, &SorSzerkeszto::szerkeszt);
    VedettKapcsol(akcio(QStringLiteral("aTorol")), &QAction::triggered, sorok, &SorSzerkeszto::torol);
    for (auto jel : {&data::DataSet::opened, &data::DataSet::closed, &data::DataSet::rowsReset,
                     &data::DataSet::afterPost, &data::DataSet::afterDelete})
        VedettKapcsol(Tbl(), jel, this, &Tfrm_Main::sorAkciokFrissites);
    sorAkciokFrissites();

    VedettKapcsol(akcio(QStringLiteral("aFrissit")), &QAction::triggered, this, &Tfrm_Main::frissit);
    VedettKapcsol(akcio(QStringLiteral("aLevelNeki")), &QAction::triggered, this, &Tfrm_Main::levelNeki);
    VedettKapcsol(akcio(QStringLiteral("aBezar")), &QAction::triggered, this, &QWidget::close);
    VedettKapcsol(akcio(QStringLiteral("aBeallit")), &QAction::triggered, this, &Tfrm_Main::beallitasok);
    VedettKapcsol(akcio(QStringLiteral("aFelhaszn")), &QAction::triggered, this, &Tfrm_Main::felhasznalok);
    VedettKapcsol(akcio(QStringLiteral("aSQL")), &QAction::triggered, this, &Tfrm_Main::szabadLekerdezes);
    sugoBekotes();
    VedettKapcsol(akcio(QStringLiteral("aTorzsMegrendelo")), &QAction::triggered, this,
                  [this] { FoglaloLista(m_db, m_beall.AlapVaros, -1, false); });

    // The lookup tables are kept up from here; afterwards the places show
    // the type and area names as they are now.
    const QPair<const char *, const TorzsLeiras *> torzsek[] = {
        {"aTorzsTipus", &TorzsTipus()}, {"aTorzsTerulet", &TorzsTerulet()}, {"aTorzsFizmod", &TorzsFizmod()}};
    for (const auto &t : torzsek) {
        const TorzsLeiras *leiras = t.second;
        VedettKapcsol(akcio(QLatin1String(t.first)), &QAction::triggered, this, [this, leiras] {
            TorzsValaszt(m_db, *leiras, -1, false, this);
            if (leiras != &TorzsFizmod())
                for (data::Table *tabla : {TblXTip(), TblXTerulet(), Tbl()})
                    if (tabla->isOpen())
                        tabla->refresh();
        });
    }
    // The filter goes off at once; on only through the dialog's "Szűrés".
    // The action has already toggled: `be` is its new state.
    QAction *szur = akcio(QStringLiteral("aSzakSzur"));
    VedettKapcsol(szur, &QAction::triggered, this, [this, szur](bool be) {
        if (!be) {
            SzuresKi(*Tbl());
            return;
        }
        szur->setChecked(false);
        QString szoveg;
        if (!SzuresBekeres(m_db, this, szoveg))
            return;
        SzuresBe(*Tbl(), szoveg);
        szur->setChecked(true);
    });
    VedettKapcsol(akcio(QStringLiteral("aFoglalas")), &QAction::triggered, this, &Tfrm_Main::foglalasok);
    VedettKapcsol(akcio(QStringLiteral("aKeres2")), &QAction::triggered, this, &Tfrm_Main::reszletesKereses);
    VedettKapcsol(akcio(QStringLiteral("aCsatolt")), &QAction::triggered, this, &Tfrm_Main::csatoltDokumentumok);
    VedettKapcsol(akcio(QStringLiteral("aMegjegyzes")), &QAction::triggered, this, &Tfrm_Main::megjegyzesek);
    VedettKapcsol(akcio(QStringLiteral("aMegjegyzesUj")), &QAction::triggered, this, &Tfrm_Main::ujMegjegyzes);
    VedettKapcsol(akcio(QStringLiteral("aTorzsCimke")), &QAction::triggered, this,
                  [this] { CimkeValaszt(m_db, false, this); });
    VedettKapcsol(akcio(QStringLiteral("aTulajdonos")), &QAction::triggered, this,
                  [this] { Tfrm_Tulajdonos::futtat(m_db, m_beall.AlapVaros, this); });
    // The reports print the main list as it stands; the data sheet and the
    // notes are those of its current place.
    const struct {
        const char *akcio;
        bool nyomtatora;
    } listak[] = {{"aTeljes", true}, {"aNyomtatKep", false}}, adatlapok[] = {{"aNyomtat", true}, {"aAdatlap", false}};
    for (const auto &l : listak)
        VedettKapcsol(akcio(QLatin1String(l.akcio)), &QAction::triggered, this,
                      [this, nyomtatora = l.nyomtatora] { UgyfelListaRiport(m_db, *Tbl(), nyomtatora, this); });
    for (const auto &l : adatlapok)
        VedettKapcsol(akcio(QLatin1String(l.akcio)), &QAction::triggered, this, [this, nyomtatora = l.nyomtatora] {
            AdatlapRiport(m_db, *Tbl(), aktualisHely(), nyomtatora, this);
        });
    VedettKapcsol(akcio(QStringLiteral("aNyomMegjegyzes")), &QAction::triggered, this,
                  [this] { MegjegyzesRiport(m_db, aktualisHely(), false, this); });
    VedettKapcsol(akcio(QStringLiteral("aCimke")), &QAction::triggered, this, &Tfrm_Main::cimkek);
    VedettKapcsol(akcio(QStringLiteral("aArchival")), &QAction::triggered, this, &Tfrm_Main::archival);
    VedettKapcsol(akcio(QStringLiteral("aVisszatolt")), &QAction::triggered, this, &Tfrm_Main::visszatoltes);
    VedettKapcsol(akcio(QStringLiteral("aKorposta")), &QAction::triggered, this, &Tfrm_Main::korposta);
    VedettKapcsol(akcio(QStringLiteral("aExcelbe")), &QAction::triggered, this, [this] {
        if (Tbl()->isOpen())
            HataroltExport(*Tbl(), QStringLiteral("Nyugvar.csv"), this);
    });

    VedettKapcsol(m_edit1, &QLineEdit::textChanged, this, &Tfrm_Main::gyorsKereses);
    VedettKapcsol(m_grid, &DataGrid::rowActivated, akcio(QStringLiteral("aSzerkeszt")), &QAction::trigger);
    VedettKapcsol(m_grid, &QWidget::customContextMenuRequested, this, &Tfrm_Main::racsMenuMutat);

    // Hints of menu items reach the status bar even from menus that no
    // button of the window opened.
    for (QMenu *m : findChildren<QMenu *>())
        VedettKapcsol(m, &QMenu::aboutToHide, this, [this] { m_panelek[2]->clear(); });
    for (QToolButton *b : findChildren<QToolButton *>())
        if (b->menu())
            menuUtanLeenged(b);
}

void Tfrm_Main::sorAkciokFrissites()
{
    // New and edit need the place editor; delete needs none.
    const bool nyitva = Tbl()->isOpen();
    const bool vanSor = nyitva && !Tbl()->isEmpty();
    const bool vanSzerkeszto = m_lista->sorok()->vanSzerkeszto();
    akcio(QStringLiteral("aUj"))->setEnabled(nyitva && vanSzerkeszto);
    akcio(QStringLiteral("aSzerkeszt"))->setEnabled(vanSor && vanSzerkeszto);
    akcio(QStringLiteral("aTorol"))->setEnabled(vanSor);
    // The bookings belong to a place: without a current one they do not open.
    akcio(QStringLiteral("aFoglalas"))->setEnabled(vanSor);
    // So do the notes.
    akcio(QStringLiteral("aMegjegyzes"))->setEnabled(vanSor);
    akcio(QStringLiteral("aMegjegyzesUj"))->setEnabled(vanSor);
}

// ---- start-up -------------------------------------------------------------

bool Tfrm_Main::Indit()
{
    try {
        // The list starts in sequence-number order.
        const HelySorrend *sorszam = HelySorrendMezo(QStringLiteral("sorszam"));
        akcio(sorszam->akcio)->setChecked(true);
        sorrendValtas(*sorszam);

        m_lista->nyit();

        if (!m_grid->dataSet()) {
            QStringList mezok;
            for (const HelyOszlop &o : HelyOszlopok())
                mezok << o.mezo;
            // The column titles are the fields' labels.
            m_grid->setDataSet(Tbl(), mezok);
            m_grid->dataModel()->setRowColour([](const data::DataSet &ds, int sor) {
                return InaktivSor(ds, sor) ? QVariant(QColor(0x80, 0x80, 0x80)) : QVariant();
            });

            m_reszletek->kot(m_binder);
        }
        m_binder->load();
        m_panelek[0]->setText(m_lista->szamlalo());
        oszlopSzelessegek();
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
        return false;
    }
    m_panel3->setText(QStringLiteral("Nyugvár V") + QStringLiteral(NYUGVAR_VERSION));
    return true;
}

// ---- actions ----------------------------------------------------------------

void Tfrm_Main::sorrendValtas(const HelySorrend &sorrend)
{
    m_panelek[1]->setText(sorrend.statusz);
    try {
        m_lista->rendez(sorrend);
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
    }
    for (QAction *a : m_sorrendCsoport->actions())
        a->setChecked(a->objectName() == sorrend.akcio);
}

void Tfrm_Main::gyorsKereses(const QString &szoveg)
{
    try {
        m_lista->keres(szoveg);
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
    }
}

void Tfrm_Main::levelNeki()
{
    const LevelCel cel = LeveletNeki(Tbl()->isOpen() ? Tbl()->asString(QStringLiteral("kapcs_emil")) : QString());
    if (cel.hiba)
        HibaDoboz(cel.szoveg);
    else
        KulsoMegnyit(cel.szoveg);
}

void Tfrm_Main::frissit()
{
    try {
        if (Tbl()->isOpen())
            Tbl()->refresh();
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
    }
}

void Tfrm_Main::beallitasok()
{
    auto *ablak = new Tfrm_Beallit(m_beall, this);
    ablak->exec();
    delete ablak;
}

void Tfrm_Main::felhasznalok()
{
    auto *ablak = new Tfrm_Felhasznalo(m_db, this);
    ablak->exec();
    delete ablak;
}

void Tfrm_Main::sugoBekotes()
{
    // Help opens whichever control of the program has the focus.
    akcio(QStringLiteral("aSugo"))->setShortcutContext(Qt::ApplicationShortcut);
    const QPair<const char *, QString (*)()> celok[] = {
        {"aSugo", &sugo::SugoCel},       {"aDoksi", &sugo::DoksiCel}, {"aLevel", &sugo::LevelCel},
        {"aHonlap", &sugo::HonlapCel},   {"aFrisseny", &sugo::FrissenyCel}};
    for (const auto &c : celok) {
        QString (*cel)() = c.second;
        VedettKapcsol(akcio(QLatin1String(c.first)), &QAction::triggered, this, [cel] { KulsoMegnyit(cel()); });
    }
    VedettKapcsol(akcio(QStringLiteral("aFontos")), &QAction::triggered, this, [this] {
        auto *ablak = new Tfrm_Readme(this);
        ablak->exec();
        delete ablak;
    });
    VedettKapcsol(akcio(QStringLiteral("aNevjegy")), &QAction::triggered, this, [this] {
        auto *ablak = new Tfrm_Nevjegy(this);
        ablak->exec();
        delete ablak;
    });
}

void Tfrm_Main::szabadLekerdezes()
{
    auto *ablak = new Tfrm_SQL(m_db, this);
    ablak->exec();
    const bool valtozhatott = ablak->parancsFutott();
    delete ablak;
    // A command may have changed the places or the lookup tables: the list
    // shows them as they are now.
    if (valtozhatott)
        for (data::Table *tabla : {TblXTip(), TblXTerulet(), Tbl()})
            if (tabla->isOpen())
                tabla->refresh();
}

void Tfrm_Main::foglalasok()
{
    if (!Tbl()->isOpen() || Tbl()->isEmpty()) {
        UzenetDoboz(QStringLiteral("Nincs kiválasztott szálláshely."));
        return;
    }
    const int hely = int(Tbl()->asInteger(QStringLiteral("ugyfel")));
    auto *ablak = new Tfrm_Foglal(m_db, *Tbl(), *QryJav(), this);
    // A new booking starts with its orderer, picked from the register.
    ablak->setFoglaloValaszto([this] { return FoglaloLista(m_db, m_beall.AlapVaros, -1, true); });
    ablak->FoglalasLista(hely);
    delete ablak;
}

void Tfrm_Main::reszletesKereses()
{
    if (!Tbl()->isOpen())
        return;
    auto *ablak = new Tfrm_Keres(*Tbl(), this);
    ablak->exec();
    delete ablak;
}

void Tfrm_Main::csatoltDokumentumok()
{
    // The documents of the current place; without one the window says so
    // when a document is attached.
    const bool vanHely = Tbl()->isOpen() && Tbl()->currentRow() >= 0;
    auto *ablak = new Tfrm_Megj(m_db, vanHely ? Tbl()->value(QStringLiteral("ugyfel")) : QVariant(),
                                vanHely ? Tbl()->asString(QStringLiteral("ugyfel_nev")) : QString(), this);
    ablak->exec();
    delete ablak;
}

void Tfrm_Main::megjegyzesek()
{
    if (!Tbl()->isOpen() || Tbl()->isEmpty()) {
        UzenetDoboz(QStringLiteral("Nincs kiválasztott szálláshely."));
        return;
    }
    auto *ablak = new Tfrm_Megjegyzes(m_db, Tbl()->value(QStringLiteral("ugyfel")),
                                      Tbl()->asString(QStringLiteral("ugyfel_nev")), this);
    const QVariant hely = aktualisHely();
    ablak->setRiport([this, hely, ablak](bool nyomtatora) { MegjegyzesRiport(m_db, hely, nyomtatora, ablak); });
    ablak->exec();
    delete ablak;
}

QVariant Tfrm_Main::aktualisHely() const
{
    return Tbl()->isOpen() && !Tbl()->isEmpty() ? Tbl()->value(QStringLiteral("ugyfel")) : QVariant();
}

void Tfrm_Main::cimkek()
{
    const CimkeElrendezes e = CimkeValaszt(m_db, true, this);
    if (!e.nev.isEmpty())
        CimkeNyomtatas(*Tbl(), e.oszlop, e.cimkeMagas, e.szelsoMargo, e.felsoMargo, this);
}

void Tfrm_Main::ujMegjegyzes()
{
    // A note straight from the list, on the window's own notes data set.
    if (!Tbl()->isOpen() || Tbl()->isEmpty()) {
        UzenetDoboz(QStringLiteral("Nincs kiválasztott szálláshely."));
        return;
    }
    const QVariant hely = Tbl()->value(QStringLiteral("ugyfel"));
    const QString helyNev = Tbl()->asString(QStringLiteral("ugyfel_nev"));
    data::Table *megj = TblMegj();
    SorSzerkeszto sorok(*megj);
    sorok.setAlapertekek([hely](data::DataSet &ds) { UjMegjegyzes(ds, hely, QDate::currentDate()); });
    sorok.setSzerkeszto([&] { return MegjegyzesSzerkesztes(sorok, helyNev, this); });
    megj->open();
    struct Zar {
        data::Table *t;
        ~Zar() { Vedett([this] { t->close(); }); }
    } zar{megj};
    sorok.uj();
}

// ---- archive, restore, newsletter ---------------------------------------------

namespace {

const char kZipTipusok[] = "ZIP archívumok (*.zip)";

// The wait cursor while the files are copied.
struct Varakozas {
    Varakozas() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Varakozas() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

QString Tfrm_Main::archivMappa()
{
    const QString mappa = ProgramUtvonal(QStringLiteral("\\Archiv"));
    if (!QDir().mkpath(mappa)) {
        HibaDoboz(QStringLiteral("Az archívumok mappája nem hozható létre: %1").arg(QDir::toNativeSeparators(mappa)));
        return QString();
    }
    return mappa;
}

bool Tfrm_Main::adatokLezarasa(HelyListaAllapot &allapot)
{
    try {
        allapot = m_lista->lezar();
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
        return false;
    }
    return true;
}

void Tfrm_Main::adatokUjranyitasa(const HelyListaAllapot &allapot)
{
    try {
        m_lista->ujranyit(allapot);
        // The list itself comes back whatever was open before: one that an
        // earlier failure left closed would otherwise stay "0 / 0".
        m_lista->nyit();
        m_binder->load();
    } catch (const data::DbError &e) {
        HibaDoboz(QStringLiteral("Az adatbázis nem nyitható meg újra, a lista üres marad:\r\n") + e.message());
    }
}

void Tfrm_Main::archival()
{
    const QString mappa = archivMappa();
    if (mappa.isEmpty())
        return;
    FajlKeres keres;
    keres.mentes = true;
    keres.cim = QStringLiteral("Adatbázis mentése");
    keres.tipusok = QString::fromUtf8(kZipTipusok);
    keres.kezdet = QDir(mappa).filePath(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".zip"));
    keres.kiterjesztes = QStringLiteral("zip");
    const QString fajl = FajlValaszt(this, keres);
    if (fajl.isEmpty())
        return;

    // A server's snapshot is read while the desks work on.
    if (m_db.isServer()) {
        kiszolgaloArchival(fajl);
        return;
    }
    // Every table file complete and unlocked while it is read.
    HelyListaAllapot allapot;
    if (!adatokLezarasa(allapot))
        return;
    bool kesz = false;
    QString hiba;
    {
        Varakozas v;
        try {
            AdatMappaArchival(m_db.path(), fajl);
            kesz = true;
        } catch (const data::DbError &e) {
            hiba = e.message();
        }
    }
    // The list comes back before the message, so the user sees it behind.
    adatokUjranyitasa(allapot);
    if (kesz)
        UzenetDoboz(QStringLiteral("Archív állomány kész."));
    else
        HibaDoboz(QStringLiteral("Hiba az archiválás közben\r\n") + hiba);
}

void Tfrm_Main::kiszolgaloArchival(const QString &fajl)
{
    QString hiba;
    {
        Varakozas v;
        try {
            KiszolgaloArchival(m_db, fajl);
        } catch (const data::DbError &e) {
            hiba = e.message();
        }
    }
    if (hiba.isEmpty())
        UzenetDoboz(QStringLiteral("Archív állomány kész."));
    else
        HibaDoboz(QStringLiteral("Hiba az archiválás közben\r\n") + hiba);
}

void Tfrm_Main::visszatoltes()
{
    const QString mappa = archivMappa();
    if (mappa.isEmpty())
        return;
    FajlKeres keres;
    keres.cim = QStringLiteral("Adatbázis visszatöltése");
    keres.tipusok = QString::fromUtf8(kZipTipusok);
    keres.kezdet = mappa;
    const QString fajl = FajlValaszt(this, keres);
    if (fajl.isEmpty())
        return;

    const bool kiszolgalo = m_db.isServer();
    AdatVisszatoltes visszatolto(kiszolgalo ? QString() : m_db.path(), fajl);
    try {
        Varakozas v;
        visszatolto.ellenoriz();
    } catch (const data::DbError &e) {
        HibaDoboz(QStringLiteral("Az archívum nem tölthető vissza, az adatbázis változatlan.\r\n") + e.message());
        return;
    }
    const QString nev = QFileInfo(fajl).fileName();
    const QString kerdes =
        kiszolgalo ? QStringLiteral("A kiszolgáló (%1) adatbázisának minden sorát a(z) „%2” archívum tartalma váltja "
                                    "fel, minden munkahelyen.\r\n"
                                    "A jelenlegi adatokról előbb mentés készül az Archiv mappába.\r\n"
                                    "Folytatja?").arg(m_db.location(), nev)
                   : QStringLiteral("Az adatbázis jelenlegi tartalmát a(z) „%1” archívum tartalma váltja fel.\r\n"
                                    "A jelenlegi adatokról előbb mentés készül az Archiv mappába.\r\n"
                                    "Folytatja?").arg(nev);
    if (!KerdesDoboz(kerdes, QStringLiteral("Megerősítés")))
        return;

    const QString elozo = QDir(mappa).filePath(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"))
                                               + QStringLiteral("_visszatoltes_elott.zip"));
    HelyListaAllapot allapot;
    if (!adatokLezarasa(allapot))
        return;
    QString hiba;
    {
        Varakozas v;
        try {
            if (kiszolgalo) {
                // The server's rows change in one unit while the list is closed.
                m_db.open();
                visszatolto.csereKiszolgalon(m_db, elozo);
            } else {
                visszatolto.csere(elozo);
            }
        } catch (const data::DbError &e) {
            hiba = e.message();
        }
    }
    adatokUjranyitasa(allapot);
    if (hiba.isEmpty())
        UzenetDoboz(QStringLiteral("Az adatbázis visszatöltése kész.\r\nA korábbi adatok mentése: %1")
                        .arg(QDir::toNativeSeparators(elozo)));
    else
        HibaDoboz(QStringLiteral("Hiba a visszatöltés közben, az adatbázis változatlan.\r\n") + hiba);
}

void Tfrm_Main::korposta()
{
    if (!KerdesDoboz(QStringLiteral("Az előzőleg legyűjtött e-mail adatok törlődnek. Folytatja?"),
                     QStringLiteral("Megerősítés")))
        return;
    int darab = 0;
    try {
        Varakozas v;
        darab = KorpostaFeltoltes(m_db);
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
        return;
    }
    if (KerdesDoboz(QString::number(darab) + QStringLiteral(" E-Mail cím hozzáadása kész. Indítsam a Korposta programot?"),
                    QStringLiteral("Kérdés")))
        KulsoMegnyit(ProgramUtvonal(QStringLiteral("\\Korposta.exe")));
}

void Tfrm_Main::kulsoLink(const QString &mezo, bool level)
{
    const QString ertek = Tbl()->isOpen() ? Tbl()->asString(mezo) : QString();
    KulsoMegnyit(level ? LevelCim(ertek) : ertek);
}

void Tfrm_Main::racsMenuMutat(const QPoint &hely)
{
    // The row under the mouse becomes current first, as users expect.
    const QModelIndex i = m_grid->indexAt(hely);
    if (i.isValid())
        m_grid->setCurrentIndex(i);
    m_racsMenu->popup(m_grid->viewport()->mapToGlobal(hely));
}

// ---- geometry ---------------------------------------------------------------

void Tfrm_Main::oszlopSzelessegek()
{
    if (!m_grid->model())
        return;
    const QVector<HelyOszlop> &oszlopok = HelyOszlopok();
    const int n = qMin(int(oszlopok.size()), m_grid->model()->columnCount());
    for (int i = 0; i < n; ++i)
        m_grid->setColumnWidth(i, qMax(0, OszlopSzelesseg(m_grid->width(), oszlopok[i].arany)));
}

void Tfrm_Main::elhelyez()
{
    QList<QRect> teruletek;
    QScreen *elsodleges = QGuiApplication::primaryScreen();
    if (elsodleges)
        teruletek << elsodleges->availableGeometry();
    for (QScreen *s : QGuiApplication::screens())
        if (s != elsodleges)
            teruletek << s->availableGeometry();
    m_celKeret = FoablakKeret(m_beall, teruletek);
    keretBeallit();
}

void Tfrm_Main::keretBeallit()
{
    // The stored values are the outer frame, as exit writes them back.
    const QSize tobblet = frameGeometry().size() - size();
    resize(m_celKeret.size() - tobblet);
    move(m_celKeret.topLeft());
    // Before the window manager has framed the window, a move places the
    // client area; the window is told that its frame goes there.
    if (QWindow *w = windowHandle())
        w->setFramePosition(m_celKeret.topLeft());
    // The frame's size is known once the window manager has framed the
    // window; the size is corrected then.
    m_keretIgazitva = tobblet != QSize(0, 0);
}

void Tfrm_Main::keretIgazitas()
{
    if (m_keretIgazitva || !isVisible())
        return;
    const QSize tobblet = frameGeometry().size() - size();
    if (tobblet == QSize(0, 0))
        return;
    m_keretIgazitva = true;
    resize(m_celKeret.size() - tobblet);
}

// ---- events -----------------------------------------------------------------

bool Tfrm_Main::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::StatusTip:
        // The hint watcher has shown it in the third panel already.
        return true;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        keretIgazitas();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

bool Tfrm_Main::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_grid && e->type() == QEvent::Resize) {
        oszlopSzelessegek();
    } else if (obj == m_edit1 && e->type() == QEvent::ShortcutOverride) {
        // The window's shortcuts win over the edit box's own key bindings
        // (Ctrl+E, Ctrl+K, Ctrl+Del...).
        auto *k = static_cast<QKeyEvent *>(e);
        const QKeySequence billentyu(k->keyCombination());
        for (QAction *a : std::as_const(m_akcioSorrend))
            if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == billentyu)
                return true;
    } else if (obj == m_edit1 && e->type() == QEvent::KeyPress) {
        // Moving in the list does not need leaving the search box.
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->modifiers() == Qt::NoModifier
            && (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_PageUp
                || k->key() == Qt::Key_PageDown)) {
            QKeyEvent masolat(QEvent::KeyPress, k->key(), k->modifiers());
            QCoreApplication::sendEvent(m_grid, &masolat);
            return true;
        }
    }
    return QWidget::eventFilter(obj, e);
}

void Tfrm_Main::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous()) {
        elhelyez();
        m_edit1->setFocus(Qt::OtherFocusReason);
    }
}

namespace {

void leallitasLepes(QPointer<Tfrm_Main> fo, int probak)
{
    if (!fo)
        return;
    QWidget *dialogus = QApplication::activeModalWidget();
    if (!dialogus) {
        fo->close();
        return;
    }
    // A dialog that keeps opening others is not waited for without end.
    if (probak >= 50) {
        qWarning("Tfrm_Main: the open dialogs did not close; the program goes on");
        return;
    }
    if (auto *d = qobject_cast<QDialog *>(dialogus))
        d->reject();
    else
        dialogus->close();
    // Its own event loop ends when control returns to it; then the next.
    QTimer::singleShot(0, fo, [fo, probak] { leallitasLepes(fo, probak + 1); });
}

}  // namespace

void Tfrm_Main::Leallitas()
{
    leallitasLepes(this, 0);
}

void Tfrm_Main::closeEvent(QCloseEvent *e)
{
    Kilepes(m_db, m_beall, frameGeometry());
    e->accept();
}
