#include "data/collation.h"

#include "data/storage.h"

#include <QCollator>
#include <QLocale>
#include <QVariant>
#include <algorithm>

namespace data {

const QCollator &hungarianCollator()
{
    static const QCollator c(QLocale(QLocale::Hungarian, QLocale::Hungary));
    return c;
}

const QCollator &hungarianNoCaseCollator()
{
    static const QCollator c = [] {
        QCollator n(QLocale(QLocale::Hungarian, QLocale::Hungary));
        n.setCaseSensitivity(Qt::CaseInsensitive);
        return n;
    }();
    return c;
}

QString lettersOf(const QString &text)
{
    bool plain = true;
    for (QChar c : text)
        plain = plain && c.unicode() < 0x80;
    if (plain)
        return text;
    const QString d = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(d.size());
    for (QChar c : d) {
        if (c.category() != QChar::Mark_NonSpacing) {
            out += c;
            continue;
        }
        const QChar base = out.isEmpty() ? QChar() : out.back().toLower();
        const bool oOrU = base == QLatin1Char('o') || base == QLatin1Char('u');
        if (oOrU && (c.unicode() == 0x0308 || c.unicode() == 0x030B))
            out += QChar(0x0308);  // ö, ő, ü, ű keep their dots
    }
    return out.normalized(QString::NormalizationForm_C);
}

int storageRank(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    return isStoredNumber(v) ? 1 : 2;
}

bool sameStored(const QVariant &a, const QVariant &b)
{
    const int ra = storageRank(a);
    if (ra != storageRank(b))
        return false;
    if (ra == 2 && a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return *static_cast<const QString *>(a.constData()) == *static_cast<const QString *>(b.constData());
    return ra == 0 || a == b;
}

SortKeyCache::Maker::Maker(SortKeyCache &cache, const QString &field) : m_cache(cache), m_field(field)
{
    Keys old = cache.m_byField.take(field);
    m_oldIds = std::move(old.ids);
    m_oldTexts = std::move(old.texts);
    m_oldKeys = std::move(old.keys);
    m_slot.reserve(m_oldIds.size());
    for (int i = 0; i < m_oldIds.size(); ++i)
        m_slot.insert(m_oldIds[i], i);
}

SortKeyCache::Maker::~Maker()
{
    m_cache.m_byField.insert(m_field, {std::move(m_ids), std::move(m_texts), std::move(m_keys)});
}

QCollatorSortKey SortKeyCache::Maker::key(qint64 id, const QString &text)
{
    const auto it = m_slot.constFind(id);
    const QCollatorSortKey key = it != m_slot.constEnd() && m_oldTexts[*it] == text
                                     ? m_oldKeys[*it]
                                     : hungarianCollator().sortKey(text);
    m_ids.append(id);
    m_texts.append(text);
    m_keys.append(key);
    return key;
}

const SortKeyCache::Sorted *SortKeyCache::sorted(const QString &field, bool descending, const QVector<qint64> &ids,
                                                 const QVector<QVariant> &values) const
{
    const auto it = m_sorted.constFind(field);
    if (it == m_sorted.constEnd() || it->descending != descending || it->inIds != ids)
        return nullptr;
    for (int i = 0; i < values.size(); ++i)
        if (!sameStored(values[i], it->inValues[i]))
            return nullptr;
    return &*it;
}

namespace {

bool before(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

}  // namespace

TextFindIndex::TextFindIndex(int field, QVector<Entry> entries) : m_field(field), m_entries(std::move(entries))
{
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) { return before(a.text, b.text); });
}

int TextFindIndex::lowerBound(const QString &wanted) const
{
    return int(std::lower_bound(m_entries.cbegin(), m_entries.cend(), wanted,
                                [](const Entry &e, const QString &w) { return before(e.text, w); })
               - m_entries.cbegin());
}

bool TextFindIndex::candidate(const QString &text, const QString &wanted, bool partial)
{
    return partial ? text.startsWith(wanted, Qt::CaseInsensitive)
                   : QString::compare(text, wanted, Qt::CaseInsensitive) == 0;
}

}  // namespace data
