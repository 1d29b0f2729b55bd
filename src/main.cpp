// Nyugvár: the register of a holiday-accommodation agency.

#include "app/inditas.h"
#include "app/tfrm_login.h"
#include "app/tfrm_main.h"
#include "common/alkalmazas.h"

#include <QLocale>

int main(int argc, char *argv[])
{
    Alkalmazas app(argc, argv);
    // Numbers and dates in the Hungarian way, whatever the desktop's language.
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));

    // Settings, data folder, database and login; each failure has shown its
    // message already.
    if (!Inditas(BelepesAblak))
        return 1;

    Tfrm_Main fo;
    if (!fo.Indit())
        return 1;
    fo.show();
    return app.exec();
}
