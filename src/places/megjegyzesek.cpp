#include "places/megjegyzesek.h"

#include "data/table.h"

QString MegjegyzesSzuro(const QVariant &ugyfel)
{
    const qint64 kulcs = ugyfel.isValid() && !ugyfel.isNull() ? ugyfel.toLongLong() : 0;
    return QStringLiteral("ugyfel=") + QString::number(kulcs);
}

void MegjegyzesListaBeallit(data::Table &tabla, const QVariant &ugyfel)
{
    tabla.setIndexName(QStringLiteral("idx_datum_desc"));
    tabla.setFilter(MegjegyzesSzuro(ugyfel));
    tabla.setFiltered(true);
}

void UjMegjegyzes(data::DataSet &ds, const QVariant &ugyfel, const QDate &nap)
{
    ds.setValue(QStringLiteral("ugyfel"), ugyfel);
    ds.setValue(QStringLiteral("datum"), nap);
}
