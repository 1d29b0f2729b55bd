#include "bookings/tfrm_torzsfoglalo.h"

#include "app/beallitasok.h"
#include "bookings/tfrm_torzsfoglalo_szerkeszt.h"
#include "common/ablak.h"
#include "common/datagrid.h"
#include "common/listakereso.h"
#include "common/sorszerkeszto.h"
#include "data/table.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QShowEvent>

namespace {

void felirat(QAction *a, const QString &szoveg)
{
    a->setText(szoveg);
    a->setToolTip(szoveg);
    a->setStatusTip(szoveg);
}

}  // namespace

Tfrm_TorzsFoglalo::Tfrm_TorzsFoglalo(data::Database &db, QWidget *parent)
    : ListaAblak(db, parent), m_tbl(new data::Table(db, QStringLiteral("foglalo"), this)),
      m_alapVaros(Beall().AlapVaros)
{
    setObjectName(QStringLiteral("Tfrm_TorzsFoglalo"));
    setWindowTitle(QStringLiteral("Szállás keresők"));
    m_tbl->setObjectName(QStringLiteral("TblFoglalo"));
    // Name order: the search box finds a name's beginning by binary search.
    m_tbl->setIndexFieldNames(QStringLiteral("foglalo_nev"));

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

    // Each column as wide as a usual value of it; e-mail takes the rest.
    const char *const mintak[] = {"Kovács Erzsébet Anna", "99999", "Balatonfüred", "Dózsa György u. 100.",
                                  "+36 30 123 4567", "06 1 123 4567"};
    for (int i = 0; i < int(std::size(mintak)); ++i)
        racs()->setColumnWidth(i, racs()->fontMetrics().horizontalAdvance(QString::fromUtf8(mintak[i])) + 12);

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
    if (!event->spontaneous())
        m_kereso->fokusz();
}
