#include "app/inditas.h"

#include "app/beallitasok.h"
#include "app/inifajl.h"
#include "common/dobozok.h"
#include "data/adatmappazar.h"
#include "data/database.h"

#include <QDir>
#include <QFileInfo>
#include <QRect>

namespace {

bool letezoMappa(const QString &utvonal)
{
    if (utvonal.trimmed().isEmpty())
        return false;
    const QFileInfo fi(utvonal);
    return fi.exists() && fi.isDir();
}

QString fajlHiba(const QString &mit, const IniFajl &ini)
{
    QString s = mit + QStringLiteral("\n") + QDir::toNativeSeparators(ini.fajlNev());
    if (!ini.hiba().isEmpty())
        s += QStringLiteral("\n") + ini.hiba();
    return s;
}

void bezarAdatbazis(data::Database &db)
{
    try {
        db.close();
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
    }
}

void megnyit(data::Database &db, const QStringList &parameterek)
{
    if (db.isOpen())
        db.close();
    db.params() = parameterek;
    db.open();
}

void nemNyilik(data::Database &db, const data::DbError &e)
{
    HibaDoboz(QStringLiteral("Adatbázis megnyitása sikertelen\n") + e.message());
    if (db.isOpen())
        bezarAdatbazis(db);
}

// What opening found that the user should hear of, once the data are open.
void megnyitasUtan(const data::Database &db)
{
    if (!db.writeProblem().isEmpty())
        HibaDoboz(QStringLiteral("Az adatok csak olvasásra nyíltak meg, a változások nem menthetők:\n") +
                  db.writeProblem());
    if (!db.openNotice().isEmpty())
        UzenetDoboz(db.openNotice());
}

QString jelszoKerdes(const TBeall &beall)
{
    const QString kiszolgalo = KiszolgaloNeve(beall);
    if (beall.Felhasznalo.isEmpty())
        return QStringLiteral("A kiszolgáló (%1) jelszót kér.").arg(kiszolgalo);
    return QStringLiteral("A kiszolgáló (%1) jelszót kér a(z) „%2” felhasználóhoz.").arg(kiszolgalo, beall.Felhasznalo);
}

void zarLefoglalasa(AdatMappaZar &zar, const QString &utvonal)
{
    const QString masikPeldany = zar.lefoglal(utvonal);
    if (!masikPeldany.isEmpty())
        UzenetDoboz(masikPeldany);
}

// Step 4, with the way back from an archive for a folder that holds no usable
// register.
bool adatbazisMegnyitasa(data::Database &db, const TBeall &beall,
                         const std::function<bool(const QString &)> &helyreallitas)
{
    for (bool elso = true;; elso = false) {
        try {
            megnyit(db, AdatbazisParameterek(beall));
            break;
        } catch (const data::DamagedDbError &e) {
            HibaDoboz(QStringLiteral("Adatbázis megnyitása sikertelen\n") + e.message());
            if (!elso || !helyreallitas || !helyreallitas(beall.Utvonal))
                return false;
        } catch (const data::DbError &e) {
            nemNyilik(db, e);
            return false;
        }
    }
    megnyitasUtan(db);
    return true;
}

// Step 4 on a server. Its messages name the server and the cause; a
// password the server asks for (not found in ~/.pgpass) is asked from the
// user, kept in the parameter list for this run only, and never stored.
bool kiszolgaloMegnyitasa(data::Database &db, const TBeall &beall)
{
    constexpr int kJelszoProbak = 3;
    QString jelszo;
    for (int proba = 0;; ++proba) {
        try {
            megnyit(db, AdatbazisParameterek(beall, jelszo));
            break;
        } catch (const data::PasswordNeededError &e) {
            if (proba == kJelszoProbak) {
                nemNyilik(db, e);
                return false;
            }
            if (proba > 0)
                HibaDoboz(e.message());  // the typed one was refused
            jelszo.clear();
            if (!JelszoDoboz(QStringLiteral("Adatbázis-jelszó"), jelszoKerdes(beall), jelszo))
                return false;  // the user chose not to go on
        } catch (const data::DbError &e) {
            nemNyilik(db, e);
            return false;
        }
    }
    megnyitasUtan(db);
    return true;
}

// Steps 2 to 4 on the data folder: a missing folder falls back to the
// default one, stored at once so that the reset survives even if the
// program ends below.
bool adatMappaMegnyitasa(data::Database &db, TBeall &beall, IniFajl &ini,
                         const std::function<bool(const QString &)> &helyreallitas, AdatMappaZar *zar)
{
    if (!letezoMappa(beall.Utvonal)) {
        HibaDoboz(QStringLiteral("Nem létező adatbázis mappa, alapértelmezés visszaállítva."));
        beall.Utvonal = ProgramUtvonal(QStringLiteral("\\Data"));
        ini.irSzoveg(QStringLiteral("Alapertek"), QStringLiteral("Utvonal"), beall.Utvonal);
        if (!ini.ment())
            HibaDoboz(fajlHiba(QStringLiteral("A beállítások fájlja nem írható:"), ini));
        else if (!ini.figyelmeztetes().isEmpty())
            UzenetDoboz(ini.figyelmeztetes() + QStringLiteral("\n") + QDir::toNativeSeparators(ini.fajlNev()));
    }
    if (!letezoMappa(beall.Utvonal)) {
        HibaDoboz(QStringLiteral("Nem létező adatbázis mappa."));
        return false;
    }
    // This run's mark in the data folder; another copy's is told first.
    if (zar)
        zarLefoglalasa(*zar, beall.Utvonal);
    if (!adatbazisMegnyitasa(db, beall, helyreallitas)) {
        if (zar)
            zar->elenged();
        return false;
    }
    return true;
}

}  // namespace

QString LegujabbArchiv(const QString &mappa)
{
    const QFileInfoList zipek = QDir(mappa).entryInfoList({QStringLiteral("*.zip"), QStringLiteral("*.ZIP")},
                                                          QDir::Files, QDir::Time);
    return zipek.isEmpty() ? QString() : zipek.first().absoluteFilePath();
}

bool Inditas(data::Database &db, TBeall &beall, const std::function<bool()> &belepes,
             const std::function<bool(const QString &)> &helyreallitas, AdatMappaZar *zar)
{
    // 1. The settings.
    IniFajl ini;
    if (!ini.betolt(BeallitasFajl()))
        HibaDoboz(fajlHiba(QStringLiteral("A beállítások fájlja nem olvasható, "
                                          "az alapértékek érvényesek:"), ini));
    BeallOlvas(ini, beall);

    // 2 to 4. The database: on a server several desks share, or on the data
    // folder. A folder's checks, its lock and the restore from an archive
    // concern a folder only; a server keeps its own data safe.
    if (!IsmertMotor(beall)) {
        HibaDoboz(QStringLiteral("Ismeretlen adatbázis-motor a beállítások fájljában: „%1”.\n"
                                 "Az [Adatbazis] szakasz Motor kulcsa SQLite vagy PostgreSQL lehet.")
                      .arg(beall.Motor));
        return false;
    }
    if (KiszolgalonFut(beall) ? !kiszolgaloMegnyitasa(db, beall)
                              : !adatMappaMegnyitasa(db, beall, ini, helyreallitas, zar))
        return false;

    // 5. The login.
    bool belepett = false;
    try {
        belepett = belepes();
    } catch (const data::DbError &e) {
        HibaDoboz(e.message());
        belepett = false;
    }
    if (!belepett) {
        bezarAdatbazis(db);
        if (zar)
            zar->elenged();
        return false;
    }
    return true;
}

void Kilepes(data::Database &db, const TBeall &beall, const QRect &ablak)
{
    IniFajl ini;
    if (!ini.betolt(BeallitasFajl())) {
        // Writing now would lose what the file holds beyond our keys.
        HibaDoboz(fajlHiba(QStringLiteral("A beállítások nem menthetők, "
                                          "a beállítások fájlja nem olvasható:"), ini));
    } else {
        BeallIr(ini, beall, ablak);
        if (!ini.ment())
            HibaDoboz(fajlHiba(QStringLiteral("A beállítások nem menthetők, "
                                              "a beállítások fájlja nem írható:"), ini));
        else if (!ini.figyelmeztetes().isEmpty())
            UzenetDoboz(ini.figyelmeztetes() + QStringLiteral("\n") + QDir::toNativeSeparators(ini.fajlNev()));
    }
    bezarAdatbazis(db);
}
