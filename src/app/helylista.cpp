#include "app/helylista.h"

#include "app/beallitasok.h"
#include "common/kovetkezoazon.h"
#include "common/sorszerkeszto.h"
#include "common/vedett.h"
#include "data/database.h"
#include "data/query.h"
#include "data/table.h"

#include <QTimer>
#include <QtMath>

const QVector<HelySorrend> &HelySorrendek()
{
    static const QVector<HelySorrend> sorrendek = {
        {QStringLiteral("aSorrendSorszam"), QStringLiteral("Sorrend: Sorszám"), QStringLiteral("sorszam")},
        {QStringLiteral("aSorrendNev"), QStringLiteral("Sorrend: Szálláshely"), QStringLiteral("ugyfel_nev")},
        {QStringLiteral("aSorrendOrszag"), QStringLiteral("Sorrend: Ország"), QStringLiteral("cim_orszag")},
        {QStringLiteral("aSorrendIrsz"), QStringLiteral("Sorrend: Irányítószám"), QStringLiteral("cim_irsz")},
    };
    return sorrendek;
}

const HelySorrend *HelySorrendAkcio(const QString &akcio)
{
    for (const HelySorrend &s : HelySorrendek())
        if (s.akcio.compare(akcio, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const HelySorrend *HelySorrendMezo(const QString &mezo)
{
    for (const HelySorrend &s : HelySorrendek())
        if (s.mezo.compare(mezo, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const QVector<HelyOszlop> &HelyOszlopok()
{
    static const QVector<HelyOszlop> oszlopok = {
        {QStringLiteral("sorszam"), QStringLiteral("sorszám"), 0.07},
        {QStringLiteral("ugyfel_nev"), QStringLiteral("szálláshely"), 0.26},
        {QStringLiteral("tipus_nev"), QStringLiteral("típus"), 0.07},
        {QStringLiteral("terulet_nev"), QStringLiteral("terület"), 0.12},
        {QStringLiteral("cim_orszag"), QStringLiteral("ország"), 0.07},
        {QStringLiteral("cim_irsz"), QStringLiteral("irsz"), 0.06},
        {QStringLiteral("cim_varos"), QStringLiteral("város"), 0.12},
        {QStringLiteral("letszam"), QStringLiteral("létszám"), 0.06},
        {QStringLiteral("tol"), QStringLiteral("tól"), 0.06},
        {QStringLiteral("ig"), QStringLiteral("ig"), 0.05},
        {QStringLiteral("udulesicsekk"), QStringLiteral("ü.cs."), 0.04},
    };
    return oszlopok;
}

int OszlopSzelesseg(int racsSzeles, double arany)
{
    return qRound((racsSzeles - kRacsTartalek) * arany);
}

QString SzamlaloSzoveg(int darab, int pozicio)
{
    return QString::asprintf("%d / %d", darab, pozicio);
}

QString SzamlaloSzoveg(const data::DataSet &ds)
{
    if (!ds.isOpen())
        return SzamlaloSzoveg(0, 0);
    return SzamlaloSzoveg(ds.recordCount(), ds.recNo());
}

bool InaktivSor(const data::DataSet &ds, int sor)
{
    const int aktiv = ds.fieldIndex(QStringLiteral("aktiv"));
    if (aktiv < 0)
        return false;
    const QVariant v = ds.valueAt(sor, aktiv);
    return !v.isNull() && v.toString() == QLatin1String("N");
}

LevelCel LeveletNeki(const QString &cim)
{
    if (cim.isEmpty())
        return {true, QStringLiteral("Nincs E-Mail cím megadva.")};
    return {false, LevelCim(cim)};
}

QString LevelCim(const QString &cim)
{
    return QStringLiteral("mailto:") + cim;
}

bool GyorsKereses(data::DataSet &ds, const QString &mezo, const QString &szoveg)
{
    if (szoveg.isEmpty())
        return false;
    const int i = ds.requireField(mezo);
    if (ds.field(i).def.isText())
        return ds.locate(mezo, szoveg, data::CaseInsensitive | data::PartialKey);
    // A number field: the text stands for one whole value; the engine
    // refuses a text that is not one.
    return ds.locate(mezo, szoveg);
}

void HelyAlapertekek(data::DataSet &ds, int sorszam, const QString &alapVaros)
{
    ds.setValue(QStringLiteral("sorszam"), sorszam);
    ds.setValue(QStringLiteral("cim_varos"), alapVaros);
    ds.setValue(QStringLiteral("aktiv"), QStringLiteral("I"));
    ds.setValue(QStringLiteral("udulesicsekk"), QStringLiteral("N"));
    for (const char *mezo : {"jutalek", "ossz_dij", "ossz_jut", "letszam"})
        ds.setValue(QLatin1String(mezo), 0);
}

// ---------------------------------------------------------------------------

HelyLista::HelyLista(data::Database &db, TBeall &beall, QObject *parent)
    : QObject(parent),
      m_beall(beall),
      m_tbl(new data::Table(db, QStringLiteral("ugyfel"), this)),
      m_xTip(new data::Table(db, QStringLiteral("tipus"), this)),
      m_xTerulet(new data::Table(db, QStringLiteral("terulet"), this)),
      m_megj(new data::Table(db, QStringLiteral("ugyf_megj"), this)),
      m_qryJav(new data::Query(db, this)),
      m_sorok(new SorSzerkeszto(*m_tbl, this))
{
    m_tbl->setObjectName(QStringLiteral("Tbl"));
    m_xTip->setObjectName(QStringLiteral("TblXTip"));
    m_xTerulet->setObjectName(QStringLiteral("TblXTerulet"));
    m_megj->setObjectName(QStringLiteral("TblMegj"));
    m_qryJav->setObjectName(QStringLiteral("QryJav"));

    m_xTip->setReadOnly(true);
    m_xTip->setIndexFieldNames(QStringLiteral("Tipus"));
    m_xTerulet->setReadOnly(true);
    m_xTerulet->setIndexFieldNames(QStringLiteral("terulet"));
    m_megj->setIndexFieldNames(QStringLiteral("ugyf_megj"));
    m_tbl->setIndexFieldNames(m_beall.Sorrend);

    m_sorok->setKulcsMezo(QStringLiteral("ugyfel"));
    // The number is read before the new row exists: a row that is then
    // cancelled has used up nothing.
    m_sorok->setUjElott([this] {
        m_ujSorszam = KovetkezoAzon(*m_qryJav, QStringLiteral("ugyfel"), QStringLiteral("sorszam"));
        return true;
    });
    m_sorok->setAlapertekek([this](data::DataSet &ds) { HelyAlapertekek(ds, m_ujSorszam, m_beall.AlapVaros); });

    for (auto jel : {&data::DataSet::opened, &data::DataSet::closed, &data::DataSet::currentChanged,
                     &data::DataSet::rowsReset, &data::DataSet::afterPost, &data::DataSet::afterDelete})
        VedettKapcsol(m_tbl, jel, this, &HelyLista::jelez);
}

HelyLista::~HelyLista() = default;

void HelyLista::nyit()
{
    if (!m_xTip->isOpen())
        m_xTip->open();
    if (!m_xTerulet->isOpen())
        m_xTerulet->open();
    m_tbl->setIndexFieldNames(m_beall.Sorrend);
    if (!m_tbl->isOpen())
        m_tbl->open();
    jelez();
    // Once the list shows, the order by name is sorted ahead, so that
    // choosing it later only reads its rows: collating every place's name
    // is what would make the user wait (the other text orders hold few
    // distinct values).
    QTimer::singleShot(0, this, [this] {
        try {
            if (m_tbl->isOpen())
                m_tbl->prepareOrder(QStringLiteral("ugyfel_nev"));
        } catch (const data::DbError &) {
            // Only the head start is lost: the order change reads and
            // reports for itself.
        }
    });
}

void HelyLista::rendez(const HelySorrend &sorrend)
{
    m_beall.Sorrend = sorrend.mezo;
    m_tbl->setIndexFieldNames(sorrend.mezo);
    jelez();
}

bool HelyLista::keres(const QString &szoveg)
{
    if (!m_tbl->isOpen())
        return false;
    return GyorsKereses(*m_tbl, m_beall.Sorrend, szoveg);
}

QString HelyLista::szamlalo() const
{
    return SzamlaloSzoveg(*m_tbl);
}

HelyListaAllapot HelyLista::lezar()
{
    HelyListaAllapot a;
    a.tbl = m_tbl->isOpen();
    a.tipus = m_xTip->isOpen();
    a.terulet = m_xTerulet->isOpen();
    a.megj = m_megj->isOpen();
    a.jav = m_qryJav->isOpen();
    if (a.tbl && m_tbl->currentRow() >= 0)
        a.hely = m_tbl->value(QStringLiteral("ugyfel"));
    m_tbl->database().close();
    return a;
}

void HelyLista::ujranyit(const HelyListaAllapot &a)
{
    data::Database &db = m_tbl->database();
    db.open();
    for (const auto &t : {qMakePair(a.tipus, m_xTip), qMakePair(a.terulet, m_xTerulet), qMakePair(a.megj, m_megj)})
        if (t.first)
            t.second->open();
    if (a.jav && !m_qryJav->sql().isEmpty())
        m_qryJav->open();
    if (a.tbl) {
        m_tbl->setIndexFieldNames(m_beall.Sorrend);
        m_tbl->open();
        if (!a.hely.isNull())
            m_tbl->locate(QStringLiteral("ugyfel"), a.hely);
    }
    jelez();
}

void HelyLista::jelez()
{
    Q_EMIT szamlaloValtozott(szamlalo());
}
