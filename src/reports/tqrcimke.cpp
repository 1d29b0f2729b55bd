#include "reports/tqrcimke.h"

#include "reports/riportelemek.h"
#include "reports/tqrugyfel.h"

using namespace riport;

namespace {

constexpr double kLapSzeles = 210;  // the A4 sheet, whatever the paper says

struct CimkeMezo {
    const char *nev;
    const char *mezo;
    double magas;
    int stilus;
};

const CimkeMezo kMezok[] = {
    {"nev", "ugyfel_nev", 16.2, Bold},
    {"varos", "cim_varos", 5.6, Underline},
    {"utca", "cim_cim", 5.6, Regular},
    {"irsz", "cim_irsz", 6.3, Bold},
};

int oszlopSzam(int oszlop) { return oszlop < 1 ? 1 : oszlop; }

}  // namespace

CimkeBetukeszlet CimkeBetuk(double magas)
{
    // Each row holds for labels lower than its limit; the last row that
    // holds decides, so the rows go from the tallest label down.
    CimkeBetukeszlet b{11, 10, 10, 14, 2.6, 19.8, 26.5, 42.3};
    if (magas < 50)
        b = {11, 10, 10, 12, 2.6, 17.2, 23.8, 33.1};
    if (magas < 40)
        b = {9, 8, 8, 10, 1.3, 13.2, 18.5, 23.8};
    if (magas < 32)
        b = {9, 8, 8, 9, 0, 7.9, 13.2, 18.5};
    if (magas < 24)
        b = {8, 8, 8, 8, 0, 6.6, 10.6, 15.9};
    return b;
}

double CimkeMezoSzeles(int oszlop, double szelsoMargo)
{
    return (kLapSzeles - 2 * szelsoMargo) / oszlopSzam(oszlop) - 4;
}

Definition TqrCimke()
{
    Definition def;
    def.title = QStringLiteral("Címke nyomtatás");
    def.master = QString::fromLatin1(kHelyListaAdatok);
    def.columnSpacing = 0;
    const CimkeBetukeszlet b = CimkeBetuk(50);
    const double meretek[] = {b.nevMeret, b.varosMeret, b.utcaMeret, b.irszMeret};
    const double tetok[] = {b.nevTeto, b.varosTeto, b.utcaTeto, b.irszTeto};
    Band &cimke = def.addBand(BandKind::Detail, 50);
    for (int i = 0; i < 4; ++i) {
        const CimkeMezo &m = kMezok[i];
        Element e = dataField(def.master, QString::fromLatin1(m.mezo));
        e.at(2.6, tetok[i], CimkeMezoSzeles(def.columns, def.margins.left), m.magas)
            .withFont(font(QStringLiteral("Tahoma"), meretek[i], m.stilus))
            .named(QString::fromLatin1(m.nev));
        e.wordWrap = true;
        cimke.add(e);
    }
    return def;
}

void CimkeIgazitas(Definition &def, int oszlop, double cimkeMagas, double szelsoMargo, double felsoMargo)
{
    def.margins.top = def.margins.bottom = felsoMargo;
    def.margins.left = def.margins.right = szelsoMargo;
    def.columns = oszlopSzam(oszlop);
    def.addBand(BandKind::Detail, cimkeMagas);
    const CimkeBetukeszlet b = CimkeBetuk(cimkeMagas);
    const double meretek[] = {b.nevMeret, b.varosMeret, b.utcaMeret, b.irszMeret};
    const double tetok[] = {b.nevTeto, b.varosTeto, b.utcaTeto, b.irszTeto};
    const double szeles = CimkeMezoSzeles(oszlop, szelsoMargo);
    for (int i = 0; i < 4; ++i) {
        Element *e = def.element(QString::fromLatin1(kMezok[i].nev));
        e->rect = QRectF(e->rect.left(), tetok[i], szeles, e->rect.height());
        e->font.pointSize = meretek[i];
    }
}
