#include "bookings/foglalasriportok.h"

#include "bookings/foglalaslista_riport.h"
#include "bookings/tqrfoglalas.h"
#include "bookings/tqrfogligazol.h"
#include "common/fajlvalaszto.h"
#include "data/query.h"
#include "reports/engine/run.h"
#include "reports/tfrm_hatarolt.h"

namespace {

// The file the HTML goes into; empty when the user cancelled.
QString htmlFajl(QWidget *szulo)
{
    FajlKeres keres;
    keres.mentes = true;
    keres.cim = QStringLiteral("Html export");
    keres.tipusok = QStringLiteral("Html dokumentumok (*.htm)");
    keres.kezdet = foglalaslista::Cim() + QStringLiteral(".htm");
    keres.kiterjesztes = QStringLiteral("htm");
    return FajlValaszt(szulo, keres);
}

}  // namespace

void FoglalasListaRiport(data::Database &db, int ugyfel, FoglalasKimenet kimenet, const QDate &tol, const QDate &ig,
                         QWidget *szulo)
{
    FoglalasListaMenet menet(db, ugyfel, tol, ig);
    switch (kimenet) {
    case FoglalasKimenet::Nyomtatas:
        riport::print(szulo, menet.riport, menet.adatok());
        break;
    case FoglalasKimenet::Elonezet:
        riport::preview(szulo, menet.riport, menet.adatok());
        break;
    case FoglalasKimenet::Hatarolt:
        HataroltExport(menet.lekerdezes(), foglalaslista::Cim() + QStringLiteral(".csv"), szulo);
        break;
    case FoglalasKimenet::Html: {
        const QString fajl = htmlFajl(szulo);
        if (!fajl.isEmpty())
            riport::exportHtml(menet.riport, menet.adatok(), fajl);
        break;
    }
    }
}

void FoglalasIgazolas(data::Database &db, int foglalas, QWidget *szulo)
{
    FoglIgazolMenet menet(db, foglalas);
    riport::preview(szulo, menet.riport, menet.adatok());
}
