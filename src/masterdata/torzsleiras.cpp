#include "masterdata/torzsleiras.h"

#include "common/kovetkezoazon.h"
#include "common/sorszerkeszto.h"
#include "data/dataset.h"

const TorzsLeiras &TorzsTipus()
{
    static const TorzsLeiras l{
        QStringLiteral("Tfrm_TorzsTipus"), QStringLiteral("Szálláshely típusok"), QSize(283, 290),
        QStringLiteral("típus"), 250,
        QStringLiteral("Tfrm_TorzsTipus_Szerkeszt"), QStringLiteral("Szálláshely típus"), QStringLiteral("típus"),
        QStringLiteral("tipus"), QStringLiteral("Tipus"), QStringLiteral("Tipus_nev"), true, true};
    return l;
}

const TorzsLeiras &TorzsTerulet()
{
    static const TorzsLeiras l{
        QStringLiteral("Tfrm_TorzsTerulet"), QStringLiteral("Területek"), QSize(283, 290),
        QStringLiteral("terület"), 250,
        QStringLiteral("Tfrm_TorzsTerulet_Szerkeszt"), QStringLiteral("Terület"), QStringLiteral("terület"),
        QStringLiteral("terulet"), QStringLiteral("terulet"), QStringLiteral("terulet_nev"), false, true};
    return l;
}

const TorzsLeiras &TorzsFizmod()
{
    static const TorzsLeiras l{
        QStringLiteral("Tfrm_TorzsFiztip"), QStringLiteral("Fizetési típusok"), QSize(286, 290),
        QStringLiteral("fizetési mód"), 251,
        QStringLiteral("Tfrm_TorzsFiztip_Szerkeszt"), QStringLiteral("Fizetési módok"), QStringLiteral("fizetési mód"),
        QStringLiteral("fizmod"), QStringLiteral("fizmod"), QStringLiteral("fizmod_nev"), false, false};
    return l;
}

void TorzsSorok(SorSzerkeszto &sorok, const TorzsLeiras &leiras)
{
    sorok.setKulcsMezo(leiras.kulcsMezo);
    sorok.setMentesHiba(QStringLiteral("Hiányos, vagy hibás adatmegadás"));
    if (!leiras.kulcsotAd) {
        sorok.setAlapertekek({});
        return;
    }
    const QString tabla = leiras.tabla;
    const QString kulcs = leiras.kulcsMezo;
    sorok.setAlapertekek([tabla, kulcs](data::DataSet &ds) {
        ds.setValue(kulcs, KovetkezoAzon(ds.database(), tabla, kulcs));
    });
}
