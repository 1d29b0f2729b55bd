#include "app/irodaadatok.h"

#include "data/table.h"

IrodaAdatok::IrodaAdatok(data::Database &db, QObject *parent)
    : QObject(parent), m_tbl(new data::Table(db, QStringLiteral("tulajdonos"), this)),
      m_sorok(new SorSzerkeszto(*m_tbl, this))
{
    m_tbl->setObjectName(QStringLiteral("TblTulajdonos"));
    // The readers take the first row by name; that is the row kept here.
    m_tbl->setIndexFieldNames(QStringLiteral("tulajdonos"));
    m_sorok->setMentesHiba(QStringLiteral("Hiányos, vagy hibás adatmegadás"));
}

IrodaAdatok::~IrodaAdatok() = default;

bool IrodaAdatok::szerkeszt(SorSzerkeszto::SzerkesztoFuttatas szerkeszto)
{
    m_sorok->setSzerkeszto(std::move(szerkeszto));
    m_tbl->open();
    m_tbl->first();
    const bool mentve = m_tbl->isEmpty() ? m_sorok->uj() : m_sorok->szerkeszt();
    m_tbl->close();
    return mentve;
}
