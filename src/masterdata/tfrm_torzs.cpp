#include "masterdata/tfrm_torzs.h"

#include "common/ablak.h"
#include "common/datagrid.h"
#include "common/ikonok.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/table.h"
#include "masterdata/torzsleiras.h"
#include "masterdata/torzsvalaszt.h"
#include "masterdata/tfrm_torzsszerkeszt.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>

Tfrm_Torzs::Tfrm_Torzs(data::Database &db, const TorzsLeiras &leiras, QWidget *parent)
    : ListaAblak(db, parent), m_leiras(leiras), m_tbl(new data::Table(db, leiras.tabla, this))
{
    setObjectName(leiras.listaOsztaly);
    setWindowTitle(leiras.listaCim);
    m_tbl->setObjectName(QStringLiteral("TblTorzs"));
    m_tbl->setIndexFieldNames(leiras.nevMezo);

    m_kereso = new QLineEdit(this);
    m_kereso->setObjectName(QStringLiteral("Edit1"));
    QPalette paletta = m_kereso->palette();
    paletta.setColor(QPalette::Base, QColor(0xC0, 0xDC, 0xC0));
    m_kereso->setPalette(paletta);
    QFont betu = m_kereso->font();
    betu.setBold(true);
    m_kereso->setFont(betu);
    m_kereso->installEventFilter(this);

    m_aKeres = new QAction(TemaIkon("edit-find"), QStringLiteral("Kereső"), this);
    m_aKeres->setObjectName(QStringLiteral("aKeres"));
    m_aKeres->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_aKeres->setShortcutContext(Qt::WindowShortcut);
    m_aKeres->setProperty("kategoria", QStringLiteral("Sorok"));
    addAction(m_aKeres);

    akciokFelirata();
    eszkoztarEsMenu();

    beallit(m_tbl, {{leiras.nevMezo, leiras.oszlopCim}}, leiras.kulcsMezo);
    TorzsSorok(sorok(), leiras);
    // The one column keeps its width also when the grid lays its rows out
    // anew (opened, re-read).
    racs()->horizontalHeader()->setStretchLastSection(false);
    racs()->horizontalHeader()->setDefaultSectionSize(leiras.oszlopSzeles);

    VedettKapcsol(m_kereso, &QLineEdit::textChanged, this, &Tfrm_Torzs::keres);
    // Enter in the box goes on to the rows; in selection mode Enter is the
    // shortcut of "Elfogad" and never reaches the box.
    VedettKapcsol(m_kereso, &QLineEdit::returnPressed, this, [this] { racs()->setFocus(Qt::OtherFocusReason); });
    VedettKapcsol(m_aKeres, &QAction::triggered, this, [this] { m_kereso->setFocus(Qt::ShortcutFocusReason); });

    RogzitettMeret(this, leiras.listaMeret.width(), leiras.listaMeret.height());
    KepernyoKozepere(this);
}

Tfrm_Torzs::~Tfrm_Torzs() = default;

void Tfrm_Torzs::akciokFelirata()
{
    // The captions of this family; "Kereső" and "Elfogad" have no hint of
    // their own.
    auto felirat = [](QAction *a, const QString &szoveg, bool sugo) {
        a->setText(szoveg);
        a->setToolTip(szoveg);
        a->setStatusTip(sugo ? szoveg : QString());
    };
    felirat(aUj(), QStringLiteral("Új sor"), true);
    felirat(aSzerkeszt(), QStringLiteral("Szerkeszt"), true);
    felirat(aTorol(), QStringLiteral("Sor törlése"), true);
    felirat(m_aKeres, QStringLiteral("Kereső"), false);
    felirat(aElfogad(), QStringLiteral("Elfogad"), false);
    felirat(aBezar(), QStringLiteral("Bezár"), true);
}

void Tfrm_Torzs::eszkoztarEsMenu()
{
    QToolBar *sav = eszkoztar();
    sav->clear();
    sav->addWidget(m_kereso);
    sav->addSeparator();
    sav->addAction(m_aKeres);
    sav->addSeparator();
    sav->addActions({aUj(), aSzerkeszt(), aTorol()});
    sav->addSeparator();
    sav->addActions({aElfogad(), aBezar()});

    auto elvalaszto = [this] {
        auto *s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    for (QAction *a : racs()->actions())
        racs()->removeAction(a);
    racs()->addActions({aUj(), aSzerkeszt(), aTorol(), elvalaszto(), m_aKeres, elvalaszto(), aElfogad(), aBezar()});
}

QDialog *Tfrm_Torzs::szerkesztoKeszit()
{
    return new Tfrm_TorzsSzerkeszt(sorok(), m_leiras, this);
}

void Tfrm_Torzs::showEvent(QShowEvent *event)
{
    ListaAblak::showEvent(event);
    m_kereso->setFocus(Qt::OtherFocusReason);
}

bool Tfrm_Torzs::eventFilter(QObject *obj, QEvent *event)
{
    // The whole text is selected on entering the box, also by a click,
    // whose press would otherwise place the cursor after the selection.
    if (obj == m_kereso && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_kereso, &QLineEdit::selectAll);
    return ListaAblak::eventFilter(obj, event);
}

void Tfrm_Torzs::keres(const QString &szoveg)
{
    // The table is in name order, so the prefix find is a binary search.
    if (!szoveg.isEmpty() && m_tbl->isOpen())
        m_tbl->locate(m_leiras.nevMezo, szoveg, data::CaseInsensitive | data::PartialKey);
}

// ---- the entry --------------------------------------------------------------

namespace {

int futtat(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto, QString *nev,
           QWidget *szulo)
{
    Tfrm_Torzs ablak(db, leiras, szulo);
    ablak.setValasztoMod(valaszto);
    // The row of the key, or the first row by name when no row has it.
    ablak.tabla()->open();
    ablak.tabla()->locate(leiras.kulcsMezo, kezdoKulcs);
    const bool elfogadva = ablak.exec() == QDialog::Accepted && valaszto;
    if (!elfogadva)
        return -1;
    if (nev)
        *nev = ablak.valasztottErtek(leiras.nevMezo).toString();
    return ablak.valasztottKulcs();
}

}  // namespace

int TorzsValaszt(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto, QWidget *szulo)
{
    return futtat(db, leiras, kezdoKulcs, valaszto, nullptr, szulo);
}

int TorzsValaszt(data::Database &db, const TorzsLeiras &leiras, int kezdoKulcs, bool valaszto, QString &nev,
                 QWidget *szulo)
{
    return futtat(db, leiras, kezdoKulcs, valaszto, &nev, szulo);
}
