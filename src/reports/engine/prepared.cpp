#include "reports/engine/prepared.h"

#include "data/database.h"

#include <QDataStream>
#include <QIODevice>
#include <QStringList>
#include <limits>

namespace riport {

namespace {

constexpr quint32 kMagic = 0x4E595250;  // "NYRP"
constexpr quint32 kVersion = 1;

[[noreturn]] void notPrepared()
{
    throw data::DbError(QStringLiteral("A fájl nem a program által mentett nyomtatási kép, vagy sérült."));
}

// A power of two, at least twice the texts.
size_t bucketsFor(size_t texts)
{
    size_t n = 64;
    while (n < 2 * texts)
        n *= 2;
    return n;
}

}  // namespace

quint32 PreparedReport::findText(QStringView text, size_t *bucket) const
{
    const size_t mask = m_buckets.size() - 1;
    for (size_t b = qHash(text) & mask;; b = (b + 1) & mask) {
        const quint32 entry = m_buckets[b];
        if (entry == 0 || textView(entry - 1) == text) {
            *bucket = b;
            return entry;
        }
    }
}

void PreparedReport::rehash(size_t buckets)
{
    m_buckets.assign(buckets, 0);
    const size_t mask = buckets - 1;
    for (quint32 i = 0; i < quint32(textCount()); ++i) {
        size_t b = qHash(textView(i)) & mask;
        while (m_buckets[b] != 0)
            b = (b + 1) & mask;
        m_buckets[b] = i + 1;
    }
}

quint32 PreparedReport::internText(QStringView text)
{
    // At most three buckets in four in use keeps the probes short.
    if (3 * m_buckets.size() < 4 * m_starts.size())
        rehash(bucketsFor(m_starts.size()));
    size_t bucket = 0;
    if (const quint32 entry = findText(text, &bucket))
        return entry - 1;
    if (quint64(m_chars.size()) + quint64(text.size()) > std::numeric_limits<quint32>::max())
        throw data::DbError(QStringLiteral("A riport szövege túl hosszú."));
    const quint32 n = quint32(textCount());
    m_chars.append(text);
    m_starts.push_back(quint32(m_chars.size()));
    m_buckets[bucket] = n + 1;
    return n;
}

void PreparedReport::squeeze()
{
    m_chars.squeeze();
    m_starts.shrink_to_fit();
    std::vector<quint32>().swap(m_buckets);  // made again should a text be added
    m_fonts.squeeze();
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
    out << qint32(textCount());
    for (int i = 0; i < textCount(); ++i)
        out << textView(quint32(i)).toString();
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << qint32(pages.size());
    for (const Page &page : pages) {
        out << qint32(page.primitives.size());
        for (const Primitive &p : page.primitives) {
            const bool text = p.kind == Primitive::Text;
            out << quint8(p.kind) << quint8(p.align) << p.flags << (text ? p.font : quint16(0)) << (text ? p.text : 0u)
                << (text ? 0u : p.color) << p.x << p.y << p.w << p.h << (p.kind == Primitive::Line ? p.penWidth : 0.0f);
        }
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
        r.m_chars.append(t);
        r.m_starts.push_back(quint32(r.m_chars.size()));
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
            quint16 font = 0;
            quint32 text = 0, color = 0;
            float penWidth = 0;
            in >> kind >> align >> p.flags >> font >> text >> color >> p.x >> p.y >> p.w >> p.h >> penWidth;
            if (kind > Primitive::Fill || p.flags > (Primitive::Wrap | Primitive::Opaque | Primitive::NoClip) || align > quint8(Align::Right)
                || (kind == Primitive::Text && (font >= r.m_fonts.size() || text >= quint32(r.textCount()))))
                notPrepared();
            if (kind == Primitive::Text) {
                p.font = font;
                p.text = text;
            } else {
                p.color = color;
                if (kind == Primitive::Line)
                    p.penWidth = penWidth;
            }
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
