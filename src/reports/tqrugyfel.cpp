#include "reports/tqrugyfel.h"

#include "reports/engine/agency.h"
#include "reports/riportelemek.h"

using namespace riport;
using riportelem::felirat;

namespace {

const QString kTbl = QString::fromLatin1(kHelyListaAdatok);
const QString kTahoma = QStringLiteral("Tahoma");

Element listaMezo(const char *mezo, double x, double y, double w, const Font &betu, Align igazit = Align::Left)
{
    return riportelem::mezo(kTbl, QString::fromLatin1(mezo), x, y, w, betu, igazit);
}

void listaFejlec(Definition &def)
{
    Band &fej = addStandardPageHeader(def, def.title, QStringLiteral("névsorban"), 30.1);
    const Font dolt = font(kTahoma, 8, Italic);
    fej.add(felirat(QStringLiteral("Szálláshely"), 0, 23.8, 58.5, dolt));
    fej.add(felirat(QStringLiteral("sorszám"), 59.5, 23.8, 17.5, dolt, Align::Center));
    fej.add(felirat(QStringLiteral("kapcs.telefon"), 78.1, 23.8, 25.5, dolt));
    fej.add(felirat(QStringLiteral("kapcs.mobil"), 104.5, 23.8, 25.5, dolt));
    fej.add(felirat(QStringLiteral("cím"), 131.0, 23.8, 58.5, dolt));
}

void listaReszlet(Definition &def)
{
    Band &b = def.addBand(BandKind::Detail, 11.9);
    b.frame.bottom = line(kSilver);
    const Font sima = font(kTahoma, 8);
    const Font dolt = font(kTahoma, 8, Italic);
    b.add(listaMezo("ugyfel_nev", 0, 1.3, 58.5, font(kTahoma, 10, Bold)));
    b.add(listaMezo("sorszam", 59.5, 1.3, 17.5, sima, Align::Center));
    b.add(listaMezo("kapcs_telefon", 78.1, 1.3, 25.5, sima));
    b.add(listaMezo("kapcs_mobil", 104.5, 1.3, 25.5, sima));
    b.add(listaMezo("cim_orszag", 131.0, 1.3, 12.2, sima));
    b.add(listaMezo("cim_irsz", 144.2, 1.3, 12.2, sima));
    b.add(listaMezo("cim_varos", 157.4, 1.3, 32.1, sima));
    b.add(felirat(QStringLiteral("terület"), 0, 6.6, 20.2, dolt));
    b.add(listaMezo("terulet_nev", 21.2, 6.6, 40.0, sima));
    b.add(felirat(QStringLiteral("típus"), 62.2, 6.6, 20.2, dolt));
    b.add(listaMezo("tipus_nev", 83.3, 6.6, 46.6, sima));
    b.add(listaMezo("cim_cim", 131.0, 6.6, 58.5, sima));
}

// The data sheet's own header: the heading in the middle, the agency's
// block on the left.
void adatlapFejlec(Definition &def)
{
    Band &fej = def.addBand(BandKind::PageHeader, 22.2);
    fej.frame.bottom = line(kSilver, 2);
    fej.add(topBottomShape(true).at(0, 0, 62.5, 20.2));
    fej.add(topBottomShape(true).at(70.1, 0, 49.3, 9.6));
    Element &cim = fej.add(felirat(def.title, 0, 1.3, 0, font(kTahoma, 16, Bold), Align::Center));
    cim.alignToBand = true;
    cim.autoSize = true;
    cim.named(QStringLiteral("adatlapCim"));
    const QString iroda = QString::fromLatin1(kAgencySet);
    const struct {
        const char *mezo;
        double y;
        bool felkover;
    } sorok[] = {{"tulajdonos", 1.3, true}, {"irszvaros", 6.6, false}, {"cim", 10.6, false}, {"telefon", 14.6, false}};
    for (const auto &s : sorok) {
        Element &e = fej.add(riportelem::mezo(iroda, QString::fromLatin1(s.mezo), 0, s.y, 0,
                                              font(kTahoma, 10, s.felkover ? Bold : Regular)));
        e.alignToBand = true;
        e.autoSize = true;
        e.named(QStringLiteral("iroda_") + QString::fromLatin1(s.mezo));
    }
}

// A caption across the band between two silver lines.
Element szakasz(const QString &szoveg, double y)
{
    Element e = felirat(szoveg, 0, y, 189.5, font(kTahoma, 9, Italic), Align::Center);
    e.frame.top = line(kSilver);
    e.frame.bottom = line(kSilver);
    return e;
}

void adatlapReszlet(Definition &def)
{
    Band &b = def.addBand(BandKind::Detail, 80.7);
    b.frame.bottom = line(kSilver);
    const Font dolt = font(kTahoma, 9, Italic);
    const Font ertek = font(kTahoma, 9, Bold);
    auto cimke = [&](const char *szoveg, double x, double y, double w) {
        b.add(felirat(QString::fromUtf8(szoveg), x, y, w, dolt));
    };
    auto mezo = [&](const char *nev, double x, double y, double w, Align igazit = Align::Left) {
        b.add(listaMezo(nev, x, y, w, ertek, igazit));
    };

    b.add(listaMezo("ugyfel_nev", 0, 4.0, 67.8, font(kTahoma, 11, Bold)));
    cimke("terület", 68.8, 4.0, 12.2);
    mezo("terulet_nev", 82.0, 4.0, 33.4);
    cimke("típus", 116.4, 4.0, 12.2);
    mezo("tipus_nev", 129.6, 4.0, 28.1);
    cimke("sorszám", 158.8, 4.0, 13.6);
    mezo("sorszam", 173.3, 4.0, 16.2, Align::Right);

    cimke("jutalék%", 0, 11.9, 16.2);
    mezo("jutalek", 17.2, 11.9, 13.6);
    cimke("össz díj", 31.8, 11.9, 14.9);
    mezo("ossz_dij", 47.6, 11.9, 20.2);
    cimke("össz jutalék", 68.8, 11.9, 18.9);
    mezo("ossz_jut", 88.6, 11.9, 20.2);
    cimke("bankszámla", 109.8, 11.9, 18.9);
    mezo("bankszamla", 129.6, 11.9, 59.9);

    b.add(szakasz(QStringLiteral("Cím adatok"), 18.5));
    cimke("cím", 0, 25.1, 10.9);
    mezo("cim_orszag", 11.9, 25.1, 6.9);
    mezo("cim_irsz", 19.8, 25.1, 9.6);
    mezo("cim_varos", 30.4, 25.1, 26.8);
    mezo("cim_cim", 58.2, 25.1, 37.4);
    cimke("lev.cím", 96.6, 25.1, 10.9);
    mezo("lev_orszag", 108.5, 25.1, 6.9);
    mezo("lev_irsz", 116.4, 25.1, 9.6);
    mezo("lev_varos", 127.0, 25.1, 26.8);
    mezo("lev_cim", 154.8, 25.1, 34.7);

    b.add(szakasz(QStringLiteral("Tulajdonos, elérhetőség"), 33.1));
    cimke("Kapcsolattartó", 0, 41.0, 25.5);
    mezo("kapcsolat", 26.5, 41.0, 57.2);
    cimke("Tulajdonos", 95.2, 41.0, 25.5);
    mezo("tulajdonos", 123.0, 41.0, 57.2);
    cimke("mobil", 0, 47.6, 25.5);
    mezo("kapcs_mobil", 26.5, 47.6, 28.1);
    mezo("kapcs_mobil2", 55.6, 47.6, 28.1);
    cimke("mobil", 95.2, 47.6, 25.5);
    mezo("tul_mobil", 123.0, 47.6, 28.1);
    mezo("tul_mobil2", 152.1, 47.6, 28.1);
    cimke("telefon/fax", 0, 54.2, 25.5);
    mezo("kapcs_telefon", 26.5, 54.2, 28.1);
    mezo("kapcs_fax", 55.6, 54.2, 28.1);
    cimke("telefon/fax", 95.2, 54.2, 25.5);
    mezo("tul_telefon", 123.0, 54.2, 28.1);
    mezo("tul_fax", 152.1, 54.2, 28.1);
    cimke("e-mail", 0, 59.5, 25.5);
    mezo("kapcs_emil", 26.5, 59.5, 57.2);
    cimke("e-mail", 95.2, 59.5, 25.5);
    mezo("tul_emil", 123.0, 59.5, 57.2);

    b.add(szakasz(QStringLiteral("Egyéb"), 67.5));
    const Font times = font(QStringLiteral("Times New Roman"), 9);
    cimke("szolgáltatás", 0, 75.4, 20.2);
    b.add(riportelem::nyujtottMezo(kTbl, QStringLiteral("szolgaltatas"), 21.2, 75.4, 73.1, times));
    cimke("megjegyzés", 95.2, 75.4, 20.2);
    b.add(riportelem::nyujtottMezo(kTbl, QStringLiteral("megjegyzes"), 116.4, 75.4, 73.1, times));
}

}  // namespace

Definition TqrUgyfel()
{
    Definition def;
    def.title = QStringLiteral("Szálláshelyek listája");
    def.master = kTbl;
    listaFejlec(def);
    listaReszlet(def);
    addStandardPageFooter(def, QStringLiteral("qrUgyfel"));
    return def;
}

Definition TqrUgyfel_reszl()
{
    Definition def;
    def.title = QStringLiteral("Adatlap");
    def.master = kTbl;
    adatlapFejlec(def);
    adatlapReszlet(def);
    addStandardPageFooter(def, QStringLiteral("qrUgyfel_reszl"));
    return def;
}
