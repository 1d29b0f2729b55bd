#include "places/szures.h"

#include "data/dataset.h"

QString SzuroSzoveg(const SzuroValasztas &v)
{
    // Every clause is written with its joining word; the first one's is
    // dropped at the end.
    const QString es = QStringLiteral(" and ");
    QString szoveg;
    if (v.terulet)
        szoveg += es + QStringLiteral("(terulet=%1)").arg(v.teruletKulcs);
    if (v.tipus)
        szoveg += es + QStringLiteral("(tipus=%1)").arg(v.tipusKulcs);
    if (v.csakAktiv)
        szoveg += es + QStringLiteral("(aktiv='I')");
    if (szoveg.startsWith(es))
        szoveg.remove(0, es.size());
    return szoveg;
}

void SzuresBe(data::DataSet &ds, const QString &szoveg)
{
    ds.setFilter(szoveg);
    ds.setFiltered(true);
}

void SzuresKi(data::DataSet &ds)
{
    ds.setFiltered(false);
}
