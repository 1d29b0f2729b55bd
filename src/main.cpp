// Nyugvár: the register of a holiday-accommodation agency.

#include "app/beallitasok.h"
#include "app/inditas.h"
#include "app/inditasvisszatoltes.h"
#include "app/leallitasfigyelo.h"
#include "app/tfrm_login.h"
#include "app/tfrm_main.h"
#include "common/alkalmazas.h"
#include "data/adatmappazar.h"
#include "data/database.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char *argv[])
{
    Alkalmazas app(argc, argv);
    // Numbers and dates in the Hungarian way, whatever the desktop's language.
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    // Qt's own dialogs (files, printer set-up) speak Hungarian too.
    QTranslator qtSajat;
    if (qtSajat.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtSajat);

    // The settings record and the one database of the run, which every
    // window works on; they are handed to whatever needs them.
    TBeall beall;
    data::Database db(QStringLiteral("regiszter"));
    // While another program holds the lock, the wait shows; it ends before
    // the events run again.
    QObject::connect(&db, &data::Database::lockWaitBegins, &app, [] {
        if (QApplication::overrideCursor())
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QTimer::singleShot(0, [] { QApplication::restoreOverrideCursor(); });
    });
    // Held while the program runs, so that a second copy on the same data
    // folder is warned.
    AdatMappaZar zar;
    // Settings, data folder, database and login; each failure has shown its
    // message already.
    if (!Inditas(db, beall, [&db] { return BelepesAblak(db); }, VisszatoltesFelajanlas, &zar))
        return 1;

    Tfrm_Main fo(db, beall);
    if (!fo.Indit())
        return 1;
    // A desktop logging out ends the program as its close box does.
    LeallitasFigyelo leallitas;
    QObject::connect(&leallitas, &LeallitasFigyelo::leallitasKerve, &fo, [&fo] { fo.Leallitas(); });
    fo.show();
    return app.exec();
}
