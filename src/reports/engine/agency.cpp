#include "reports/engine/agency.h"

#include "common/keszito.h"

namespace riport {

AgencyDetails::AgencyDetails(data::Database &db, QObject *parent) : data::Table(db, QStringLiteral("tulajdonos"), parent)
{
    setIndexFieldNames(QStringLiteral("tulajdonos"));
    setReadOnly(true);
    schema::FieldDef def;
    def.name = QStringLiteral("irszvaros");
    def.type = schema::FieldType::Text;
    def.size = 50;
    addCalculatedField(def, [](const data::DataSet &ds, const data::Row &row) -> QVariant {
        const QString irsz = row.value(ds.fieldIndex(QStringLiteral("irsz"))).toString();
        const QString varos = row.value(ds.fieldIndex(QStringLiteral("varos"))).toString();
        return QString(irsz + QStringLiteral(", ") + varos).left(50);
    });
}

namespace {

Element autoSized(Element e, Align align, double top, const Font &f, const QString &name)
{
    e.at(0, top, 0, 4.3).withFont(f).aligned(align, true).named(name);
    e.autoSize = true;
    return e;
}

}  // namespace

Band &addStandardPageHeader(Definition &def, const QString &heading, const QString &subheading, double height)
{
    Band &b = def.addBand(BandKind::PageHeader, height);
    b.frame.bottom = line(kSilver, 2);
    b.add(topBottomShape(false).at(0, 0, 67.8, 20.2));
    b.add(topBottomShape(true).at(131.0, 0, 58.5, 20.2));
    Element &h = b.add(autoSized(label(heading), Align::Left, 1.3, font(QStringLiteral("Tahoma"), 16, Bold),
                                 QStringLiteral("stdHeading")));
    h.rect.setHeight(7.0);
    h.transparent = true;
    if (!subheading.isEmpty()) {
        Element &s = b.add(autoSized(label(subheading), Align::Left, 9.3, font(QStringLiteral("Tahoma"), 10, Bold),
                                     QStringLiteral("stdSubheading")));
        s.transparent = true;
    }
    const Font regular = font(QStringLiteral("Tahoma"), 10);
    const QString agency = QString::fromLatin1(kAgencySet);
    b.add(autoSized(dataField(agency, QStringLiteral("tulajdonos")), Align::Right, 1.3,
                    font(QStringLiteral("Tahoma"), 10, Bold), QStringLiteral("stdAgencyName")));
    b.add(autoSized(dataField(agency, QStringLiteral("irszvaros")), Align::Right, 6.6, regular,
                    QStringLiteral("stdAgencyTown")));
    b.add(autoSized(dataField(agency, QStringLiteral("cim")), Align::Right, 10.6, regular,
                    QStringLiteral("stdAgencyAddress")));
    b.add(autoSized(dataField(agency, QStringLiteral("telefon")), Align::Right, 14.6, regular,
                    QStringLiteral("stdAgencyPhone")));
    return b;
}

void addStandardFooterElements(Band &b, const QString &identifier, double offset)
{
    const Font courier = font(QStringLiteral("Courier New"), 8);
    b.add(autoSized(label(QStringLiteral("Nyugvár")), Align::Left, offset + 1.3, courier, QStringLiteral("stdProgram")));
    b.add(autoSized(systemData(SystemValue::PageNumber, QStringLiteral("oldal: ")), Align::Left, offset + 9.3, courier,
                    QStringLiteral("stdPage")));
    b.add(autoSized(label(QString::fromUtf8(keszito::kHonlap)), Align::Center, offset + 9.3, courier,
                    QStringLiteral("stdHomepage")));
    b.add(autoSized(systemData(SystemValue::DateTime), Align::Right, offset + 1.3, courier, QStringLiteral("stdDateTime")));
    b.add(autoSized(systemData(SystemValue::ReportTitle), Align::Right, offset + 5.3, courier, QStringLiteral("stdTitle")));
    b.add(autoSized(label(identifier), Align::Right, offset + 9.3, courier, QStringLiteral("stdIdentifier")));
}

Band &addStandardPageFooter(Definition &def, const QString &identifier)
{
    Band &b = def.addBand(BandKind::PageFooter, kStandardFooterHeight);
    b.frame.top = line(kSilver, 1);
    addStandardFooterElements(b, identifier);
    return b;
}

}  // namespace riport
