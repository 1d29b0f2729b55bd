#include "places/csatolt.h"

#include "common/dobozok.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/database.h"
#include "data/table.h"

QString DokumentumRovidNev(const QString &utvonal)
{
    // The desktop's own separator, '/', ends a folder too: a path that the
    // open-file dialog gives here has no backslash.
    const int hol = qMax(qMax(utvonal.lastIndexOf(QLatin1Char('\\')), utvonal.lastIndexOf(QLatin1Char(':'))),
                         utvonal.lastIndexOf(QLatin1Char('/')));
    return utvonal.mid(hol + 1);
}

QString DokumentumSzuro(const QVariant &ugyfel)
{
    const qint64 kulcs = ugyfel.isValid() && !ugyfel.isNull() ? ugyfel.toLongLong() : 0;
    return QStringLiteral("ugyfel=") + QString::number(kulcs);
}

CsatoltDokumentumok::CsatoltDokumentumok(data::Database &db, const QVariant &ugyfel, QObject *parent)
    : QObject(parent), m_tbl(new data::Table(db, QStringLiteral("megj"), this)),
      m_sorok(new SorSzerkeszto(*m_tbl, this)), m_ugyfel(ugyfel)
{
    m_tbl->setObjectName(QStringLiteral("TblDok"));
    // Within the place, by full path.
    m_tbl->setIndexFieldNames(QStringLiteral("Ugyfel;doknev"));
    m_tbl->setFilter(DokumentumSzuro(ugyfel));
    m_tbl->setFiltered(true);
    m_sorok->setKulcsMezo(QStringLiteral("doknev"));
    m_sorok->setTorlesKerdes(QStringLiteral("Valóban töröljem a bejegyzést?"));
}

CsatoltDokumentumok::~CsatoltDokumentumok() = default;

bool CsatoltDokumentumok::vanHely() const
{
    return m_ugyfel.isValid() && !m_ugyfel.isNull();
}

QString CsatoltDokumentumok::nincsHelyUzenet()
{
    return QStringLiteral("Nincs kiválasztott szálláshely, így a dokumentum nem csatolható.");
}

void CsatoltDokumentumok::open()
{
    m_tbl->open();
}

void CsatoltDokumentumok::close()
{
    if (m_tbl->isEditing())
        m_tbl->cancel();
    m_tbl->close();
}

QString CsatoltDokumentumok::utvonal() const
{
    return m_tbl->isOpen() ? m_tbl->asString(QStringLiteral("doknev")) : QString();
}

bool CsatoltDokumentumok::csatol(const QString &utvonal, const QDate &nap)
{
    if (!vanHely()) {
        // An entry without a place would belong to no list.
        HibaDoboz(nincsHelyUzenet());
        return false;
    }
    if (utvonal.isEmpty())
        return false;  // no file chosen
    const bool kesz = Vedett([&] {
        m_tbl->insert();
        m_tbl->setValue(QStringLiteral("ugyfel"), m_ugyfel);
        m_tbl->setValue(QStringLiteral("doknev"), utvonal);
        m_tbl->setValue(QStringLiteral("doknev_rovid"), DokumentumRovidNev(utvonal));
        m_tbl->setValue(QStringLiteral("datum"), nap);
    });
    // The save shows a refusal itself; the new row does not stay behind.
    if (kesz && m_sorok->ment())
        return true;
    Vedett([&] {
        if (m_tbl->isEditing())
            m_tbl->cancel();
    });
    return false;
}

bool CsatoltDokumentumok::torol()
{
    if (!m_tbl->isOpen() || m_tbl->isNull(QStringLiteral("doknev")))
        return false;
    return m_sorok->torol();
}
