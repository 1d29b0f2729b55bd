#include "reports/riportelemek.h"

#include "reports/engine/measurer.h"

namespace riportelem {

double sorMagas(const riport::Font &betu)
{
    return betu.pointSize * riport::kMmPerPoint * 1.25;
}

riport::Element felirat(const QString &szoveg, double x, double y, double w, const riport::Font &betu,
                        riport::Align igazit)
{
    riport::Element e = riport::label(szoveg);
    e.at(x, y, w, sorMagas(betu)).withFont(betu).aligned(igazit);
    return e;
}

riport::Element mezo(const QString &adatok, const QString &mezoNev, double x, double y, double w,
                     const riport::Font &betu, riport::Align igazit)
{
    riport::Element e = riport::dataField(adatok, mezoNev);
    e.at(x, y, w, sorMagas(betu)).withFont(betu).aligned(igazit).named(mezoNev);
    return e;
}

riport::Element nyujtottMezo(const QString &adatok, const QString &mezoNev, double x, double y, double w,
                             const riport::Font &betu)
{
    riport::Element e = mezo(adatok, mezoNev, x, y, w, betu);
    e.autoStretch = true;
    e.wordWrap = true;
    return e;
}

}  // namespace riportelem
