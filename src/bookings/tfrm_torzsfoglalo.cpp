#include "bookings/tfrm_torzsfoglalo.h"

#include "bookings/tfrm_torzsfoglalo_szerkeszt.h"
#include "common/ablak.h"
#include "common/datagrid.h"
#include "common/listakereso.h"
#include "common/sorszerkeszto.h"
#include "data/table.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QShowEvent>

namespace {

void felirat(QAction *a, const QString &szoveg)
{
    a->setText(szoveg);
    a->setToolTip(szoveg);
    a->setStatusTip(szoveg);
}

}  // namespace

Tfrm_TorzsFoglalo::Tfrm_TorzsFoglalo(data::Database &db, const QString &alapVaros, QWidget *parent)
    : ListaAblak(db, parent), m_tbl(new data::Table(db, QStringLiteral("foglalo"), this)), m_alapVaros(alapVaros)
{
    setObjectName(QStringLiteral("Tfrm_TorzsFoglalo"));
    setWindowTitle(QStringLiteral("Szállás keresők"));
    m_tbl->setObjectName(QStringLiteral("TblFoglalo"));
    // Key order, the order the orderers were entered in. The search box
    // finds a name's beginning through the table's index of the names,
    // not by reading every orderer at every keystroke.
    m_tbl->setIndexFieldNames(QStringLiteral("foglalo"));

    felirat(aUj(), QStringLiteral("Új sor"));
    felirat(aTorol(), QStringLiteral("Sor törlése"));

    beallit(m_tbl,
            {{QStringLiteral("foglalo_nev"), QStringLiteral("név")},
             {QStringLiteral("cim_irsz"), QStringLiteral("irsz.")},
             {QStringLiteral("cim_varos"), QStringLiteral("város")},
             {QStringLiteral("cim_cim"), QStringLiteral("cím")},
             {QStringLiteral("mobil"), QStringLiteral("mobil")},
             {QStringLiteral("telefon"), QStringLiteral("telefon")},
             {QStringLiteral("emil"), QStringLiteral("e-mail")}},
            QStringLiteral("foglalo"));
    sorok().setMentesHiba(QStringLiteral("Hiányos, vagy hibás adatmegadás"));
    m_kereso = new ListaKereso(*this, QStringLiteral("foglalo_nev"));

    RogzitettMeret(this, 712, 410);
    KepernyoKozepere(this);
}

Tfrm_TorzsFoglalo::~Tfrm_TorzsFoglalo() = default;

QLineEdit *Tfrm_TorzsFoglalo::keresoMezo() const
{
    return m_kereso->doboz();
}

QAction *Tfrm_TorzsFoglalo::aKeres() const
{
    return m_kereso->aKeres();
}

QDialog *Tfrm_TorzsFoglalo::szerkesztoKeszit()
{
    return new Tfrm_TorzsFoglalo_Szerkeszt(sorok(), m_alapVaros, this);
}

void Tfrm_TorzsFoglalo::showEvent(QShowEvent *event)
{
    ListaAblak::showEvent(event);
    if (event->spontaneous())
        return;
    oszlopSzelessegek();
    m_kereso->fokusz();
}

void Tfrm_TorzsFoglalo::oszlopSzelessegek()
{
    // The postal code and the phone numbers are as wide as a whole value of
    // theirs; name, town and street share the rest of the grid's width (room
    // left for the vertical scroll bar, so that no horizontal one is needed)
    // and e-mail, the last, takes what remains.
    const QFontMetrics fm = racs()->fontMetrics();
    const int tomor = 16;  // the cell's margins and a little air
    const int irsz = fm.horizontalAdvance(QStringLiteral("99999")) + tomor;
    const int telefon = fm.horizontalAdvance(QStringLiteral("+36 30 123 4567")) + tomor;
    const int szeles = racs()->width() - 2 * racs()->frameWidth() - racs()->verticalHeader()->sizeHint().width()
                       - racs()->verticalScrollBar()->sizeHint().width();
    const int maradek = qMax(0, szeles - irsz - 2 * telefon);
    const int szelessegek[] = {maradek * 30 / 100, irsz, maradek * 19 / 100, maradek * 28 / 100, telefon, telefon};
    // The stretched last column would not go below the header's default
    // width, which resets every column: set first.
    racs()->horizontalHeader()->setDefaultSectionSize(fm.averageCharWidth() * 8);
    int eddig = 0;
    for (int i = 0; i < int(std::size(szelessegek)); ++i) {
        racs()->setColumnWidth(i, qMax(szelessegek[i], fm.averageCharWidth() * 4));
        eddig += racs()->columnWidth(i);
    }
    racs()->setColumnWidth(int(std::size(szelessegek)), qMax(szeles - eddig, fm.averageCharWidth() * 8));
}
