// Nyugvár: the register of a holiday-accommodation agency.

#include "app/inditas.h"
#include "app/tfrm_login.h"
#include "app/tfrm_main.h"
#include "common/alkalmazas.h"
#include "data/database.h"

#include <QLibraryInfo>
#include <QLocale>
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

    // Settings, data folder, database and login; each failure has shown its
    // message already.
    data::Database &db = data::Database::regiszter();
    if (!Inditas([&db] { return BelepesAblak(db); }))
        return 1;

    // The one database of the program, which every window works on.
    Tfrm_Main fo(db);
    if (!fo.Indit())
        return 1;
    fo.show();
    return app.exec();
}
