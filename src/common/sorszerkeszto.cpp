#include "common/sorszerkeszto.h"

#include "common/dobozok.h"
#include "common/vedett.h"
#include "data/database.h"
#include "data/dataset.h"
#include "data/rowconflict.h"

SorSzerkeszto::SorSzerkeszto(data::DataSet &ds, QObject *parent)
    : QObject(parent), m_ds(ds), m_torlesKerdes(QStringLiteral("Valóban töröljem a sort?"))
{
}

SorSzerkeszto::~SorSzerkeszto() = default;

void SorSzerkeszto::setMentesHiba(const QString &elotag, bool motorUzenettel)
{
    m_hibaElotag = elotag;
    m_motorUzenettel = motorUzenettel;
}

QString SorSzerkeszto::mentesHibaSzoveg(const QString &motorUzenet) const
{
    if (m_hibaElotag.isEmpty())
        return motorUzenet;
    if (!m_motorUzenettel)
        return m_hibaElotag;
    return m_hibaElotag + QStringLiteral("\r\n") + motorUzenet;
}

bool SorSzerkeszto::uj()
{
    if (m_fut || !m_szerkeszto || !m_ds.isOpen())
        return false;
    bool tovabb = true;
    if (!Vedett([&] { tovabb = !m_ujElott || m_ujElott(); }) || !tovabb)
        return false;
    const bool kesz = Vedett([&] {
        m_ds.insert();
        if (m_alapertekek)
            m_alapertekek(m_ds);
    });
    if (!kesz) {
        // A half-made new row goes; an edit that insert() could not post
        // first stays as the user left it.
        if (m_ds.state() == data::State::Insert)
            elvet();
        return false;
    }
    return futtat();
}

bool SorSzerkeszto::szerkeszt()
{
    if (m_fut || !m_szerkeszto || !m_ds.isOpen() || m_ds.isEmpty())
        return false;
    if (!Vedett([&] { m_ds.edit(); }))
        return false;
    return futtat();
}

bool SorSzerkeszto::futtat()
{
    m_fut = true;
    struct Vege {
        bool &fut;
        ~Vege() { fut = false; }
    } vege{m_fut};

    for (;;) {
        bool elfogadva = false;
        if (!Vedett([&] { elfogadva = m_szerkeszto(); }) || !elfogadva) {
            elvet();
            return false;
        }
        // An editor that saved on its OK leaves nothing pending.
        if (!m_ds.isEditing())
            return true;
        if (ment())
            return true;
        // Refused: the row keeps the user's values and the editor runs
        // again on it, to correct and retry or to cancel.
        if (!m_ds.isEditing())
            return false;
    }
}

bool SorSzerkeszto::ment()
{
    if (!m_ds.isEditing())
        return true;
    try {
        data::Database::Transaction egyseg(m_ds.database());
        mentes();
        egyseg.commit();
    } catch (const data::SavedButError &e) {
        // Stored: saving it again would store it twice.
        UzenetDoboz(e.message());
    } catch (const data::RowConflict &e) {
        // Not a fault of the typing: the message alone says what happened.
        HibaDoboz(e.message());
        return false;
    } catch (const data::DbError &e) {
        HibaDoboz(mentesHibaSzoveg(e.message()));
        return false;
    } catch (...) {
        VedettHibaKijelzes(std::current_exception());
        return false;
    }
    Q_EMIT mentve();
    return true;
}

void SorSzerkeszto::mentes()
{
    m_ds.post();
}

bool SorSzerkeszto::torol()
{
    if (m_fut || !m_ds.isOpen() || m_ds.isEmpty())
        return false;
    if (!KerdesDoboz(m_torlesKerdes, QStringLiteral("Megerősítés")))
        return false;
    const bool kesz = Vedett([&] {
        data::Database::Transaction egyseg(m_ds.database());
        torles();
        try {
            egyseg.commit();
        } catch (const data::SavedButError &e) {
            UzenetDoboz(e.message());  // deleted all the same
        }
    });
    if (kesz)
        Q_EMIT torolve();
    return kesz;
}

void SorSzerkeszto::torles()
{
    m_ds.remove();
}

QVariant SorSzerkeszto::kulcs() const
{
    if (m_kulcsMezo.isEmpty())
        throw data::DbError(QStringLiteral("Nincs megadva a kiválasztás kulcsmezője."));
    return m_ds.value(m_kulcsMezo);
}

void SorSzerkeszto::elvet()
{
    Vedett([&] { elvetes(); });
}

void SorSzerkeszto::elvetes()
{
    if (m_ds.isEditing())
        m_ds.cancel();
}
