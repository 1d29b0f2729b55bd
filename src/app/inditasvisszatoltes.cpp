#include "app/inditasvisszatoltes.h"

#include "app/inditas.h"
#include "common/dobozok.h"
#include "common/fajlvalaszto.h"
#include "common/programmappa.h"
#include "data/database.h"
#include "reports/archivum.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

bool VisszatoltesFelajanlas(const QString &adatMappa)
{
    const QString archivMappa = ProgramUtvonal(QStringLiteral("\\Archiv"));
    const QString legujabb = LegujabbArchiv(archivMappa);
    QString kerdes = QStringLiteral("Az adatbázis sérült vagy hiányos, így a program nem indulhat el.\r\n"
                                    "Visszatölti az adatokat egy archívumból?");
    if (!legujabb.isEmpty())
        kerdes += QStringLiteral("\r\nA legújabb archívum: %1").arg(QFileInfo(legujabb).fileName());
    if (!KerdesDoboz(kerdes, QStringLiteral("Megerősítés")))
        return false;

    FajlKeres keres;
    keres.cim = QStringLiteral("Adatbázis visszatöltése");
    keres.tipusok = QStringLiteral("ZIP archívumok (*.zip)");
    keres.kezdet = legujabb.isEmpty() ? archivMappa : legujabb;
    const QString fajl = FajlValaszt(nullptr, keres);
    if (fajl.isEmpty())
        return false;

    // What the folder holds now is kept in an archive of its own first.
    const QString elozo = QDir(archivMappa).filePath(
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")) +
        QStringLiteral("_visszatoltes_elott.zip"));
    QString hiba;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        QDir().mkpath(archivMappa);
        AdatVisszatoltes visszatolto(adatMappa, fajl);
        visszatolto.ellenoriz();
        visszatolto.csere(elozo);
    } catch (const data::DbError &e) {
        hiba = e.message();
    }
    QApplication::restoreOverrideCursor();
    if (!hiba.isEmpty()) {
        HibaDoboz(QStringLiteral("Az archívum nem tölthető vissza, az adatbázis változatlan.\r\n") + hiba);
        return false;
    }
    UzenetDoboz(QStringLiteral("Az adatbázis visszatöltése kész.\r\nA korábbi adatok mentése: %1")
                    .arg(QDir::toNativeSeparators(elozo)));
    return true;
}
