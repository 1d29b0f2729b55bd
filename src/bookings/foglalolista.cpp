#include "bookings/foglalolista.h"

#include "bookings/tfrm_torzsfoglalo.h"
#include "data/table.h"

#include <QApplication>

int FoglaloLista(data::Database &db, const QString &alapVaros, int kezdoKulcs, bool valaszto)
{
    // Over the window it was opened from.
    Tfrm_TorzsFoglalo lista(db, alapVaros, QApplication::activeWindow());
    lista.setValasztoMod(valaszto);
    data::Table *tbl = lista.tabla();
    tbl->open();
    // Keys start at 1: a smaller one (the usual -1) names no orderer.
    if (kezdoKulcs > 0)
        tbl->locate(QStringLiteral("foglalo"), kezdoKulcs);
    if (lista.exec() != QDialog::Accepted)
        return -1;
    return lista.valasztottKulcs();
}
