#include "reports/tqrmegjegyzes.h"

#include "reports/engine/agency.h"
#include "reports/riportelemek.h"

#include <QStringList>

using namespace riport;

QString MegjegyzesRiportSql()
{
    return QStringList{QStringLiteral("SELECT"), QStringLiteral(" ugyf_megj.*,"), QStringLiteral(" ugyfel.*"),
                       QStringLiteral("FROM ugyf_megj INNER JOIN ugyfel ON (ugyf_megj.ugyfel = ugyfel.ugyfel)"),
                       QStringLiteral("WHERE ugyf_megj.ugyfel = :ugyfel"),
                       QStringLiteral("ORDER BY ugyf_megj.ugyfel, ugyf_megj.datum DESC;")}
        .join(QLatin1Char('\n'));
}

Definition TqrMegjegyzes()
{
    const QString qry = QString::fromLatin1(kMegjegyzesAdatok);
    const QString tahoma = QStringLiteral("Tahoma");
    Definition def;
    def.title = QStringLiteral("Megjegyzések");
    def.master = qry;
    addStandardPageHeader(def, def.title, QString(), 22.2);

    Band &hely = def.addBand(BandKind::GroupHeader, 11.9);
    hely.groupExpression = qry + QStringLiteral(".ugyfel");
    hely.frame.bottom = line(kSilver);
    const Font kicsi = font(tahoma, 8);
    hely.add(riportelem::mezo(qry, QStringLiteral("ugyfel_nev"), 0, 1.3, 91.6, font(tahoma, 11, Bold)));
    hely.add(riportelem::mezo(qry, QStringLiteral("kapcs_mobil"), 92.6, 1.3, 30.8, kicsi));
    hely.add(riportelem::mezo(qry, QStringLiteral("cim_irsz"), 124.4, 1.3, 12.2, kicsi));
    hely.add(riportelem::mezo(qry, QStringLiteral("cim_varos"), 137.6, 1.3, 51.9, kicsi));
    hely.add(riportelem::mezo(qry, QStringLiteral("cim_cim"), 124.4, 6.6, 65.2, kicsi));

    Band &megj = def.addBand(BandKind::Detail, 11.9);
    megj.frame.bottom = line(kSilver);
    const Font felkover = font(tahoma, 9, Bold);
    megj.add(riportelem::mezo(qry, QStringLiteral("datum"), 1.3, 1.3, 28.1, felkover));
    megj.add(riportelem::mezo(qry, QStringLiteral("rovid"), 30.4, 1.3, 157.8, felkover));
    megj.add(riportelem::nyujtottMezo(qry, QStringLiteral("megjegyzes"), 1.3, 6.6, 186.9,
                                      font(QStringLiteral("Times New Roman"), 9)));

    addStandardPageFooter(def, QStringLiteral("qrMegjegyzes"));
    return def;
}
