#include "reports/engine/model.h"

namespace riport {

Element label(const QString &caption)
{
    Element e;
    e.kind = ElementKind::Label;
    e.text = caption;
    return e;
}

Element dataField(const QString &dataSet, const QString &field)
{
    Element e;
    e.kind = ElementKind::DataField;
    e.dataSet = dataSet;
    e.field = field;
    return e;
}

Element systemData(SystemValue value, const QString &leadingText)
{
    Element e;
    e.kind = ElementKind::SystemData;
    e.system = value;
    e.text = leadingText;
    return e;
}

Element expression(const QString &text)
{
    Element e;
    e.kind = ElementKind::Expression;
    e.expression = text;
    return e;
}

Element topBottomShape(bool filledWhite)
{
    Element e;
    e.kind = ElementKind::Shape;
    e.filled = filledWhite;
    e.transparent = !filledWhite;
    return e;
}

Font font(const QString &family, double pointSize, int styles)
{
    Font f;
    f.family = family;
    f.pointSize = pointSize;
    f.bold = styles & Bold;
    f.italic = styles & Italic;
    f.underline = styles & Underline;
    return f;
}

Element *Band::element(const QString &name)
{
    for (Element &e : elements)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

const Element *Band::element(const QString &name) const
{
    return const_cast<Band *>(this)->element(name);
}

Band *Definition::band(BandKind kind)
{
    for (Band &b : m_bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

const Band *Definition::band(BandKind kind) const
{
    return const_cast<Definition *>(this)->band(kind);
}

Band &Definition::addBand(BandKind kind, double height)
{
    Band *b = band(kind);
    if (!b) {
        m_bands.emplace_back();
        b = &m_bands.back();
        b->kind = kind;
    }
    b->height = height;
    return *b;
}

Element *Definition::element(const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    for (Band &b : m_bands)
        if (Element *e = b.element(name))
            return e;
    return nullptr;
}

const Element *Definition::element(const QString &name) const
{
    return const_cast<Definition *>(this)->element(name);
}

}  // namespace riport
