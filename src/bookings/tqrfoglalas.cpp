#include "bookings/tqrfoglalas.h"

#include "bookings/foglalaslista_riport.h"
#include "data/query.h"

using namespace riport;

namespace {

// A booking's field in the detail band, with the caption above it in the
// page header at the same place.
struct Oszlop {
    const char *felirat;
    const char *mezo;
    double bal, szeles;
    Align igazitas;
};

const Oszlop kOszlopok[] = {
    {"id", "foglalaz", 0, 10.9, Align::Left},
    {"foglaló", "foglalo_nev", 11.9, 37.4, Align::Left},
    {"tól", "dat_tol", 50.3, 18.9, Align::Left},
    {"ig", "dat_ig", 70.1, 18.9, Align::Left},
    {"éj", "nap", 90.0, 8.3, Align::Right},
    {"gyerek", "letszam_gyerek", 99.2, 10.9, Align::Right},
    {"felnőtt", "letszam_felnott", 111.1, 10.9, Align::Right},
    {"fiz.mód", "fizmod_nev", 123.0, 18.9, Align::Left},
    {"jut.%", "jutalek", 142.9, 12.2, Align::Right},
    {"díj", "ossz_dij", 156.1, 14.9, Align::Right},
    {"jutalék", "ossz_jut", 172.0, 17.5, Align::Right},
};

constexpr double kSor = 4.3;  // the height of a line of 8 or 10 points

Font tahoma(double meret, int stilus = Regular) { return font(QStringLiteral("Tahoma"), meret, stilus); }

Element sajat(Element e, double bal, double fent, double szeles, const Font &f, Align igazitas = Align::Left)
{
    e.at(bal, fent, szeles, kSor).withFont(f).aligned(igazitas);
    return e;
}

Element meretezett(Element e, double bal, double fent, const Font &f)
{
    e.at(bal, fent, 0, kSor).withFont(f);
    e.autoSize = true;
    return e;
}

void fejlec(Definition &def)
{
    const QString qry = QString::fromLatin1(kFoglalasQry);
    Band &b = addStandardPageHeader(def, foglalaslista::Cim(), QString(), 30.1);
    b.add(sajat(dataField(qry, QStringLiteral("ugyfel_nev")), 0, 9.3, 58.5, tahoma(10, Bold)))
        .named(QStringLiteral("ugyfel_nev"));
    Element idoszak = meretezett(label(QString()), 0, 14.6, tahoma(10, Bold));
    idoszak.aligned(Align::Left, true);
    idoszak.transparent = true;
    b.add(idoszak).named(QStringLiteral("Dat1"));
    for (const Oszlop &o : kOszlopok)
        b.add(sajat(label(QString::fromUtf8(o.felirat)), o.bal, 23.8, o.szeles, tahoma(8, Italic), o.igazitas));
}

void reszletek(Definition &def)
{
    const QString qry = QString::fromLatin1(kFoglalasQry);
    Band &b = def.addBand(BandKind::Detail, 11.9);
    b.frame.bottom = line(kSilver);
    for (const Oszlop &o : kOszlopok)
        b.add(sajat(dataField(qry, QLatin1String(o.mezo)), o.bal, 1.3, o.szeles, tahoma(8), o.igazitas))
            .named(QLatin1String(o.mezo));
    b.add(meretezett(label(QStringLiteral("megjegyzés")), 5.3, 6.6, tahoma(8, Italic)));
    Element &memo = b.add(sajat(dataField(qry, QStringLiteral("megjegyzes")), 21.2, 6.6, 168.3, tahoma(8)));
    memo.named(QStringLiteral("megjegyzes"));
    memo.autoStretch = true;
    memo.wordWrap = true;
}

void osszesen(Definition &def)
{
    Band &b = def.addBand(BandKind::Summary, 9.3);
    b.frame.bottom = line(kSilver);
    b.add(meretezett(label(QStringLiteral("összesen")), 2.6, 2.6, tahoma(8, Italic)));
    b.add(sajat(expression(QStringLiteral("FORMATNUMERIC('### ### ##0',SUM(Qry.ossz_dij))")), 152.1, 2.6, 19.2,
                tahoma(8, Bold), Align::Right))
        .named(QStringLiteral("sum_dij"));
    b.add(sajat(expression(QStringLiteral("FORMATNUMERIC('### ### ##0',SUM(Qry.ossz_jut))")), 172.0, 2.6, 17.9,
                tahoma(8, Bold), Align::Right))
        .named(QStringLiteral("sum_jut"));
}

}  // namespace

Definition TqrFoglalas()
{
    Definition def;
    def.title = foglalaslista::Cim();
    def.master = QString::fromLatin1(kFoglalasQry);
    fejlec(def);
    reszletek(def);
    osszesen(def);
    addStandardPageFooter(def, QStringLiteral("qrFoglalas"));
    return def;
}

FoglalasRiportMenet::FoglalasRiportMenet(data::Database &db, Definition definicio,
                                         std::unique_ptr<data::Query> lekerdezes)
    : riport(std::move(definicio)), m_qry(std::move(lekerdezes)), m_tulajdonos(db)
{
    m_qry->open();
    m_tulajdonos.open();
}

FoglalasRiportMenet::~FoglalasRiportMenet()
{
    m_tulajdonos.close();
    m_qry->close();
}

DataSets FoglalasRiportMenet::adatok()
{
    return DataSets{{QString::fromLatin1(kFoglalasQry), m_qry.get()},
                    {QString::fromLatin1(kAgencySet), &m_tulajdonos}};
}

FoglalasListaMenet::FoglalasListaMenet(data::Database &db, int ugyfel, const QDate &tol, const QDate &ig)
    : FoglalasRiportMenet(db, TqrFoglalas(), foglalaslista::Lekerdezes(db, ugyfel, tol, ig))
{
    riport.element(QStringLiteral("Dat1"))->text = foglalaslista::IdoszakSzoveg(tol, ig);
}
