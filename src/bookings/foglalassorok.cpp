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
    VedettKapcsol(&foglalasok, &data::DataSet::stateChanged, this, &FoglalasSorok::allapotValtozott);
    // Once committed, the place's edit was ours no longer.
    VedettKapcsol(this, &SorSzerkeszto::mentve, this, [this] { m_helyFuggo = false; });
    VedettKapcsol(this, &SorSzerkeszto::torolve, this, [this] { m_helyFuggo = false; });
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

void FoglalasSorok::allapotValtozott()
{
    // The old amounts are the row's as stored: edit() has just copied it
    // and nothing is typed yet. A refused save keeps the row in edit and
    // keeps them.
    if (adatok().state() != data::State::Edit) {
        m_regiMegvan = false;
    } else if (!m_regiMegvan) {
        m_regi = DijJutalekOlvas(adatok());
        m_regiMegvan = true;
    }
}

void FoglalasSorok::helyEllenoriz(const data::DataSet &foglalasok) const
{
    if (!m_hely.isOpen() || m_hely.isEmpty())
        throw data::DbError(QStringLiteral("Nincs aktuális szálláshely."));
    if (m_hely.asInteger(QStringLiteral("ugyfel")) != foglalasok.asInteger(QStringLiteral("ugyfel")))
        throw data::DbError(QStringLiteral("A foglalás szálláshelye nem az aktuális szálláshely."));
}

void FoglalasSorok::helyetSzerkeszt()
{
    if (m_hely.isEditing()) {
        if (!m_helyFuggo)
            throw data::DbError(QStringLiteral("A szálláshely adatai szerkesztés alatt állnak."));
        // Left in edit by a refused save: the totals are worked out again
        // from the saved ones, never on top of that attempt's.
        m_hely.cancel();
    }
    m_hely.edit();
    m_helyFuggo = true;
}

void FoglalasSorok::helyetElvet()
{
    if (m_helyFuggo && m_hely.isEditing())
        m_hely.cancel();
    m_helyFuggo = false;
}

void FoglalasSorok::mentes()
{
    data::DataSet &ds = adatok();
    const bool uj = ds.state() == data::State::Insert;
    if (!uj && !m_regiMegvan)
        throw data::DbError(QStringLiteral("A foglalás eredeti összegei nem ismertek."));
    helyEllenoriz(ds);
    const DijJutalek foglalas = DijJutalekOlvas(ds);
    SorSzerkeszto::mentes();
    helyetSzerkeszt();
    const DijJutalek hely = DijJutalekOlvas(m_hely);
    DijJutalekIr(m_hely, uj ? UjFoglalasUtan(hely, foglalas) : SzerkesztettFoglalasUtan(hely, foglalas, m_regi));
    m_hely.post();
}

void FoglalasSorok::torles()
{
    data::DataSet &ds = adatok();
    helyEllenoriz(ds);
    const DijJutalek foglalas = DijJutalekOlvas(ds);
    try {
        helyetSzerkeszt();
        DijJutalekIr(m_hely, ToroltFoglalasUtan(DijJutalekOlvas(m_hely), foglalas));
        m_hely.post();
        SorSzerkeszto::torles();
    } catch (...) {
        // Nobody typed into the place: it goes back to its saved totals
        // (the unit's rollback undoes what was written).
        helyetElvet();
        throw;
    }
}

void FoglalasSorok::elvetes()
{
    SorSzerkeszto::elvetes();
    helyetElvet();
}
