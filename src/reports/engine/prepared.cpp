#include "reports/engine/prepared.h"

#include "data/database.h"

#include <QDataStream>
#include <QIODevice>
#include <QStringList>

namespace riport {

namespace {

constexpr quint32 kMagic = 0x4E595250;  // "NYRP"
constexpr quint32 kVersion = 1;

[[noreturn]] void notPrepared()
{
    throw data::DbError(QStringLiteral("A fájl nem a program által mentett nyomtatási kép, vagy sérült."));
}

}  // namespace

quint32 PreparedReport::internText(const QString &text)
{
    auto it = m_textIndex.constFind(text);
    if (it != m_textIndex.constEnd())
        return it.value();
    const quint32 n = quint32(m_texts.size());
    m_texts.append(text);
    m_textIndex.insert(text, n);
    return n;
}

quint16 PreparedReport::internFont(const Font &font)
{
    for (int i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i] == font)
            return quint16(i);
    m_fonts.append(font);
    return quint16(m_fonts.size() - 1);
}

QStringList PreparedReport::pageTexts(int page) const
{
    QStringList out;
    if (page < 0 || page >= pages.size())
        return out;
    for (const Primitive &p : pages[page].primitives)
        if (p.kind == Primitive::Text)
            out << text(p);
    return out;
}

void PreparedReport::save(QIODevice &device) const
{
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << title << paper;
    out << qint32(m_fonts.size());
    for (const Font &f : m_fonts)
        out << f.family << f.pointSize << f.bold << f.italic << f.underline;
    out << qint32(m_texts.size());
    for (const QString &t : m_texts)
        out << t;
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << qint32(pages.size());
    for (const Page &page : pages) {
        out << qint32(page.primitives.size());
        for (const Primitive &p : page.primitives)
            out << quint8(p.kind) << quint8(p.align) << p.flags << p.font << p.text << p.color << p.x << p.y
                << p.w << p.h << p.penWidth;
    }
    if (out.status() != QDataStream::Ok)
        throw data::DbError(QStringLiteral("A nyomtatási kép nem írható ki: %1").arg(device.errorString()));
}

PreparedReport PreparedReport::load(QIODevice &device)
{
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic)
        notPrepared();
    if (version != kVersion)
        throw data::DbError(QStringLiteral("A nyomtatási képet a program egy másik változata mentette (%1. változat), ez nem tudja betölteni.")
                                .arg(version));
    PreparedReport r;
    in >> r.title >> r.paper;
    qint32 n = 0;
    in >> n;
    if (n < 0 || n > 0xFFFF)
        notPrepared();
    for (int i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
        Font f;
        in >> f.family >> f.pointSize >> f.bold >> f.italic >> f.underline;
        r.m_fonts.append(f);
    }
    in >> n;
    if (n < 0)
        notPrepared();
    for (int i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
        QString t;
        in >> t;
        r.m_textIndex.insert(t, quint32(r.m_texts.size()));
        r.m_texts.append(t);
    }
    qint32 pageCount = 0;
    in >> pageCount;
    if (pageCount < 0)
        notPrepared();
    in.setFloatingPointPrecision(QDataStream::SinglePrecision);
    for (int i = 0; i < pageCount && in.status() == QDataStream::Ok; ++i) {
        qint32 count = 0;
        in >> count;
        if (count < 0)
            notPrepared();
        Page page;
        for (int j = 0; j < count && in.status() == QDataStream::Ok; ++j) {
            Primitive p;
            quint8 kind = 0, align = 0;
            in >> kind >> align >> p.flags >> p.font >> p.text >> p.color >> p.x >> p.y >> p.w >> p.h >> p.penWidth;
            if (kind > Primitive::Fill || p.flags > (Primitive::Wrap | Primitive::Opaque | Primitive::NoClip) || align > quint8(Align::Right)
                || (kind == Primitive::Text && (p.font >= r.m_fonts.size() || p.text >= quint32(r.m_texts.size()))))
                notPrepared();
            p.kind = Primitive::Kind(kind);
            p.align = Align(align);
            page.primitives.append(p);
        }
        r.pages.append(page);
    }
    if (in.status() != QDataStream::Ok)
        notPrepared();
    return r;
}

}  // namespace riport
