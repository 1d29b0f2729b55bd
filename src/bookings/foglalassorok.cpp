#include "bookings/foglalassorok.h"

#include "common/vedett.h"
#include "data/database.h"
#include "data/dataset.h"

FoglalasSorok::FoglalasSorok(data::DataSet &foglalasok, data::DataSet &hely, data::Query &qryJav, QObject *parent)
    : SorSzerkeszto(foglalasok, parent), m_hely(hely), m_qry(qryJav), m_ma([] { return QDate::currentDate(); })
{
    setKulcsMezo(QStringLiteral("foglalas"));
    setTorlesKerdes(QStringLiteral("Valóban töröljem a foglalást?"));
    setUjElott([this] { return ujElott(); });
    setAlapertekek([this](data::DataSet &ds) { alapertekek(ds); });
    VedettKapcsol(this, &SorSzerkeszto::mentve, this, &FoglalasSorok::helyetUjraolvas);
    VedettKapcsol(this, &SorSzerkeszto::torolve, this, &FoglalasSorok::helyetUjraolvas);
}

FoglalasSorok::~FoglalasSorok() = default;

bool FoglalasSorok::FoglalasSzerkeszt(bool uj, int helyKulcs)
{
    bool egyezik = false;
    Vedett([&] {
        if (!m_hely.isOpen() || m_hely.isEmpty() || m_hely.asInteger(QStringLiteral("ugyfel")) != helyKulcs)
            throw data::DbError(QStringLiteral("A foglalás szálláshelye nem az aktuális szálláshely."));
        egyezik = true;
    });
    if (!egyezik)
        return false;
    return uj ? SorSzerkeszto::uj() : SorSzerkeszto::szerkeszt();
}

bool FoglalasSorok::ujElott()
{
    if (!m_valaszto)
        throw data::DbError(QStringLiteral("Nincs megrendelő-választó."));
    const int foglalo = m_valaszto();
    if (foglalo == -1)
        return false;
    m_foglalo = foglalo;
    m_sorszam = KovetkezoFoglalasSzam(m_qry);
    return true;
}

void FoglalasSorok::alapertekek(data::DataSet &ds)
{
    UjFoglalas uj;
    uj.foglalo = m_foglalo;
    uj.hely = int(m_hely.asInteger(QStringLiteral("ugyfel")));
    uj.ma = m_ma();
    uj.jutalek = m_hely.asFloat(QStringLiteral("jutalek"));
    uj.sorszam = m_sorszam;
    FoglalasAlapertekek(ds, uj);
}

int FoglalasSorok::helyEllenoriz(const data::DataSet &foglalasok) const
{
    if (!m_hely.isOpen() || m_hely.isEmpty())
        throw data::DbError(QStringLiteral("Nincs aktuális szálláshely."));
    const qint64 hely = m_hely.asInteger(QStringLiteral("ugyfel"));
    if (hely != foglalasok.asInteger(QStringLiteral("ugyfel")))
        throw data::DbError(QStringLiteral("A foglalás szálláshelye nem az aktuális szálláshely."));
    return int(hely);
}

int FoglalasSorok::szabadSorszam(data::DataSet &foglalasok)
{
    // Another copy of the program may have saved a booking with this number
    // since Ins was pressed; inside the unit nobody else takes a number.
    foglalasok.database().holdInUnit(QStringLiteral("foglalaz"));
    const int sorszam = int(foglalasok.asInteger(QStringLiteral("foglalaz")));
    const int szabad = SzabadFoglalasSzam(m_qry, sorszam);
    if (szabad != sorszam)
        foglalasok.setValue(QStringLiteral("foglalaz"), szabad);
    return szabad;
}

void FoglalasSorok::mentes()
{
    data::DataSet &ds = adatok();
    const int hely = helyEllenoriz(ds);
    if (ds.state() == data::State::Insert) {
        const int sorszam = szabadSorszam(ds);
        SorSzerkeszto::mentes();
        HelyOsszegeitMozgat(ds.database(), hely, FoglalasValtozas::Uj,
                            TaroltOsszegek(m_qry, QStringLiteral("foglalaz"), sorszam), {});
        return;
    }
    const qint64 kulcs = ds.asInteger(QStringLiteral("foglalas"));
    const DijJutalek regi = TaroltOsszegek(m_qry, QStringLiteral("foglalas"), kulcs);
    SorSzerkeszto::mentes();
    HelyOsszegeitMozgat(ds.database(), hely, FoglalasValtozas::Szerkesztett,
                        TaroltOsszegek(m_qry, QStringLiteral("foglalas"), kulcs), regi);
}

void FoglalasSorok::torles()
{
    data::DataSet &ds = adatok();
    const int hely = helyEllenoriz(ds);
    const qint64 kulcs = ds.asInteger(QStringLiteral("foglalas"));
    HelyOsszegeitMozgat(ds.database(), hely, FoglalasValtozas::Torolt, {},
                        TaroltOsszegek(m_qry, QStringLiteral("foglalas"), kulcs));
    SorSzerkeszto::torles();
}

void FoglalasSorok::helyetUjraolvas()
{
    // The totals changed in the file alone: a post with nothing typed
    // writes nothing and shows the place's row as stored.
    if (!m_hely.isOpen() || m_hely.isEmpty() || m_hely.isEditing())
        return;
    m_hely.edit();
    m_hely.post();
}
