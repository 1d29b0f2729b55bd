#include "app/tfrm_felhasznalo.h"

#include "app/tfrm_felhasznaloszerkeszt.h"
#include "common/ablak.h"
#include "common/sorszerkeszto.h"
#include "data/database.h"
#include "data/table.h"

#include <QAction>

Tfrm_Felhasznalo::Tfrm_Felhasznalo(data::Database &db, QWidget *parent)
    : ListaAblak(db, parent), m_tbl(new data::Table(db, QStringLiteral("felhasznalo"), this))
{
    setObjectName(QStringLiteral("frm_Felhasznalo"));
    setWindowTitle(QStringLiteral("Felhasználók adatai"));
    m_tbl->setObjectName(QStringLiteral("TblFelhasznalo"));
    m_tbl->setIndexFieldNames(QStringLiteral("felhasznalo"));

    aUj()->setText(QStringLiteral("Új Felhasználó"));
    aUj()->setToolTip(aUj()->text());
    aUj()->setStatusTip(aUj()->text());

    beallit(m_tbl, {{QStringLiteral("felhasznalo"), QStringLiteral("Felhasználó")}}, QStringLiteral("felhasznalo"));
    // Any refused save, a duplicate name for one, shows the editor's own text.
    sorok().setMentesHiba(QStringLiteral("Hiányos adat megadás"), false);

    RogzitettMeret(this, 198, 206);
    KepernyoKozepere(this);
}

Tfrm_Felhasznalo::~Tfrm_Felhasznalo() = default;

QDialog *Tfrm_Felhasznalo::szerkesztoKeszit()
{
    return new Tfrm_FelhasznaloSzerkeszt(sorok(), this);
}
