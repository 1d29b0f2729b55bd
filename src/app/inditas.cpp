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

void megnyit(data::Database &db, const QString &utvonal)
{
    if (db.isOpen())
        db.close();
    db.params().clear();
    db.params() << QStringLiteral("PATH=") + utvonal
                << QStringLiteral("DEFAULT DRIVER=PARADOX")
                << QStringLiteral("ENABLE BCD=FALSE");
    db.open();
}

// Step 4, with the way back from an archive for a folder that holds no usable
// register.
bool adatbazisMegnyitasa(data::Database &db, const QString &utvonal,
                         const std::function<bool(const QString &)> &helyreallitas)
{
    for (bool elso = true;; elso = false) {
        try {
            megnyit(db, utvonal);
            break;
        } catch (const data::DamagedDbError &e) {
            HibaDoboz(QStringLiteral("Adatbázis megnyitása sikertelen\n") + e.message());
            if (!elso || !helyreallitas || !helyreallitas(utvonal))
                return false;
        } catch (const data::DbError &e) {
            HibaDoboz(QStringLiteral("Adatbázis megnyitása sikertelen\n") + e.message());
            if (db.isOpen())
                bezarAdatbazis(db);
            return false;
        }
    }
    if (!db.writeProblem().isEmpty())
        HibaDoboz(QStringLiteral("Az adatok csak olvasásra nyíltak meg, a változások nem menthetők:\n") +
                  db.writeProblem());
    if (!db.openNotice().isEmpty())
        UzenetDoboz(db.openNotice());
    return true;
}

void zarLefoglalasa(AdatMappaZar &zar, const QString &utvonal)
{
    const QString masikPeldany = zar.lefoglal(utvonal);
    if (!masikPeldany.isEmpty())
        UzenetDoboz(masikPeldany);
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

    // 2. A missing data folder falls back to the default one, stored at once
    // so that the reset survives even if the program ends below.
    if (!letezoMappa(beall.Utvonal)) {
        HibaDoboz(QStringLiteral("Nem létező adatbázis mappa, alapértelmezés visszaállítva."));
        beall.Utvonal = ProgramUtvonal(QStringLiteral("\\Data"));
        ini.irSzoveg(QStringLiteral("Alapertek"), QStringLiteral("Utvonal"), beall.Utvonal);
        if (!ini.ment())
            HibaDoboz(fajlHiba(QStringLiteral("A beállítások fájlja nem írható:"), ini));
        else if (!ini.figyelmeztetes().isEmpty())
            UzenetDoboz(ini.figyelmeztetes() + QStringLiteral("\n") + QDir::toNativeSeparators(ini.fajlNev()));
    }

    // 3.
    if (!letezoMappa(beall.Utvonal)) {
        HibaDoboz(QStringLiteral("Nem létező adatbázis mappa."));
        return false;
    }

    // This run's mark in the data folder; another copy's is told first.
    if (zar)
        zarLefoglalasa(*zar, beall.Utvonal);

    // 4. The database on the data folder.
    if (!adatbazisMegnyitasa(db, beall.Utvonal, helyreallitas)) {
        if (zar)
            zar->elenged();
        return false;
    }

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
