#include "bookings/tqrfogligazol.h"

#include "bookings/tqrfoglalas.h"
#include "data/query.h"

using namespace riport;

namespace {

const char *const kSql =
    "SELECT foglalas.*, ugyfel.*, foglalo.foglalo_nev, fizmod.fizmod_nev FROM foglalas"
    " LEFT OUTER JOIN ugyfel ON (foglalas.ugyfel = ugyfel.ugyfel)"
    " LEFT OUTER JOIN foglalo ON (foglalas.foglalo = foglalo.foglalo)"
    " LEFT OUTER JOIN fizmod ON (foglalas.fizmod = fizmod.fizmod)"
    " WHERE foglalas.foglalas = :pfoglalas";

constexpr double kSor = 4.3;        // every element is one line high
constexpr double kTeljes = 189.5;   // a section heading spans the band

const Font kFelirat = font(QStringLiteral("Tahoma"), 9, Italic);
const Font kErtek = font(QStringLiteral("Tahoma"), 9, Bold);
const Font kKiemelt = font(QStringLiteral("Tahoma"), 10, Bold);

// One row of the band: captions and values left to right.
class Sor {
public:
    Sor(Band &b, double fent) : m_band(b), m_fent(fent) {}

    Sor &felirat(const char *szoveg, double bal, double szeles)
    {
        m_band.add(label(QString::fromUtf8(szoveg)).at(bal, m_fent, szeles, kSor).withFont(kFelirat));
        return *this;
    }
    Sor &ertek(const char *mezo, double bal, double szeles, const Font &f = kErtek)
    {
        const QString nev = QLatin1String(mezo);
        m_band.add(dataField(QString::fromLatin1(kFoglalasQry), nev).at(bal, m_fent, szeles, kSor).withFont(f))
            .named(nev);
        return *this;
    }

private:
    Band &m_band;
    double m_fent;
};

void szakasz(Band &b, const QString &cim, double fent)
{
    Element &e = b.add(label(cim).at(0, fent, kTeljes, kSor).withFont(kFelirat).aligned(Align::Center));
    e.frame.top = line(kSilver);
    e.frame.bottom = line(kSilver);
}

void reszletek(Definition &def)
{
    Band &b = def.addBand(BandKind::Detail, 87.3);
    b.frame.bottom = line(kSilver);
    Sor(b, 4.0)
        .felirat("hivatkozás", 0, 22.8).ertek("foglalaz", 23.8, 16.2, kKiemelt)
        .felirat("foglaló", 52.9, 14.9).ertek("foglalo_nev", 68.8, 61.2, kKiemelt);

    szakasz(b, QStringLiteral("Szálláshely adatok"), 14.6);
    Sor(b, 23.8).felirat("szálláshely", 0, 21.5).ertek("ugyfel_nev", 23.8, 153.8, kKiemelt);
    Sor(b, 30.4)
        .felirat("cím", 0, 21.5).ertek("cim_orszag", 23.8, 10.9).ertek("cim_irsz", 37.0, 10.9)
        .ertek("cim_varos", 48.9, 26.8).ertek("cim_cim", 76.7, 49.3);
    Sor(b, 35.7).felirat("kapcsolattartó", 0, 21.5).ertek("kapcsolat", 23.8, 51.9);
    Sor(b, 41.0).felirat("elérhetőség", 0, 21.5).ertek("kapcs_telefon", 23.8, 30.8).ertek("kapcs_mobil", 55.6, 30.8);

    szakasz(b, QStringLiteral("Időszak, létszám adatok"), 51.6);
    Sor(b, 60.9)
        .felirat("időszak", 0, 21.5).ertek("dat_tol", 23.8, 21.5).ertek("dat_ig", 47.6, 20.2)
        .felirat("éjszakák száma", 70.1, 24.1).ertek("nap", 95.2, 8.3)
        .felirat("gyermek", 119.1, 14.9).ertek("letszam_gyerek", 134.9, 10.9)
        .felirat("felnőtt", 148.2, 13.6).ertek("letszam_felnott", 162.7, 20.2);

    szakasz(b, QStringLiteral("fizetési adatok"), 71.4);
    Sor(b, 80.7)
        .felirat("előleg", 0, 21.5).ertek("ar_fogl", 23.8, 30.8)
        .felirat("helyszínen fizetendő", 56.9, 34.7).ertek("ar_helyszin", 92.6, 40.0)
        .felirat("fiz.mód", 142.9, 18.9).ertek("fizmod_nev", 162.7, 25.5);
}

// The signature box, and the standard footer's elements below it.
void labresz(Definition &def)
{
    Band &b = def.addBand(BandKind::PageFooter, 32.1);
    Element &alairas = b.add(label(QStringLiteral("aláírás"))
                                 .at(99.2, 11.9, 55.9, kSor)
                                 .withFont(font(QStringLiteral("Tahoma"), 8))
                                 .aligned(Align::Center)
                                 .named(QStringLiteral("alairas")));
    alairas.frame.top = line(kGray);
    addStandardFooterElements(b, QStringLiteral("qrFoglIgazol"), 17.2);
}

}  // namespace

Definition TqrFoglIgazol()
{
    Definition def;
    def.title = QStringLiteral("Foglalás igazolás");
    def.master = QString::fromLatin1(kFoglalasQry);
    addStandardPageHeader(def, def.title, QString(), 22.2);
    reszletek(def);
    labresz(def);
    return def;
}

std::unique_ptr<data::Query> FoglIgazolLekerdezes(data::Database &db, int foglalas)
{
    auto q = std::make_unique<data::Query>(db);
    q->setSql(QString::fromLatin1(kSql));
    q->setParam(QStringLiteral("pfoglalas"), foglalas);
    q->setColumnLook(QStringLiteral("foglalaz"), QString(), QStringLiteral("00000"));
    q->setColumnLook(QStringLiteral("ar_fogl"), QString(), QStringLiteral("### ### ##0"));
    q->setColumnLook(QStringLiteral("ar_helyszin"), QString(), QStringLiteral("### ### ##0"));
    return q;
}

FoglIgazolMenet::FoglIgazolMenet(data::Database &db, int foglalas)
    : FoglalasRiportMenet(db, TqrFoglIgazol(), FoglIgazolLekerdezes(db, foglalas))
{
}
