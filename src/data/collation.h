#pragma once
// The order of stored values: nulls, then numbers, then texts, the texts in
// Hungarian collation (Ábel, Cecil, Csaba, Oszkár, Öröm); and the collation
// keys of a table's texts, kept from one sort to the next.

#include <QCollatorSortKey>
#include <QHash>
#include <QVariant>
#include <QVector>

class QCollator;

namespace data {

const QCollator &hungarianCollator();
// The same order without regard to letter case, for finds.
const QCollator &hungarianNoCaseCollator();

// The letters of a text without the marks that Hungarian order weighs only
// after the letters: "Ábel" gives "Abel", "Őz" gives "Öz" (ö and ü are
// letters of their own, ő and ű their accented forms). Compared without
// regard to case, two such forms compare as the letters of the texts do.
QString lettersOf(const QString &text);

// 0 for a null, 1 for a number, 2 for a text: the order of the kinds.
int storageRank(const QVariant &value);
// Whether two stored values are the same (texts compared without a variant
// lookup: this runs once per row).
bool sameStored(const QVariant &a, const QVariant &b);

// Collation keys of the texts the rows were last ordered by, per field:
// making a key costs far more than comparing two, so an order change or a
// filter switched off sorts again without making them anew. A sort keeps
// its keys as made, in plain arrays; they are indexed by row identity only
// when a later sort on the same field asks for them.
class SortKeyCache {
public:
    // The keys of one sort on a field, taken from the last one where its
    // row still holds the same text.
    class Maker {
    public:
        Maker(SortKeyCache &cache, const QString &field);
        ~Maker();
        Maker(const Maker &) = delete;
        Maker &operator=(const Maker &) = delete;

        QCollatorSortKey key(qint64 id, const QString &text);

    private:
        SortKeyCache &m_cache;
        QString m_field;
        QVector<qint64> m_oldIds, m_ids;
        QVector<QString> m_oldTexts, m_texts;
        QVector<QCollatorSortKey> m_oldKeys, m_keys;
        QHash<qint64, int> m_slot;
    };

    // The last text sort on a field: its rows as they came in the index's
    // byte order and as they stood after the sort. The same rows coming
    // again take that order without a sort.
    struct Sorted {
        bool descending = false;
        QVector<qint64> inIds;
        QVector<QVariant> inValues;
        QVector<qint64> ids;
        QVector<QVariant> values;
    };
    const Sorted *sorted(const QString &field, bool descending, const QVector<qint64> &ids,
                         const QVector<QVariant> &values) const;
    void keepSorted(const QString &field, Sorted sorted) { m_sorted.insert(field, std::move(sorted)); }

    void clear()
    {
        m_byField.clear();
        m_sorted.clear();
    }

private:
    struct Keys {
        QVector<qint64> ids;
        QVector<QString> texts;
        QVector<QCollatorSortKey> keys;
    };
    QHash<QString, Keys> m_byField;
    QHash<QString, Sorted> m_sorted;
};

// Finds on a text field the rows are not ordered by (a list in key order
// with a search box on the name) look the field up here instead of reading
// every row: its values sorted without regard to case (code by code, as
// finds compare), each with its visible row. Made at the first such find;
// any change of the rows or of their order drops it.
class TextFindIndex {
public:
    struct Entry {
        QString text;
        int row;
    };
    TextFindIndex(int field, QVector<Entry> entries);
    int field() const { return m_field; }
    // The first visible row whose text meets the find, as the walk over
    // every row would give it: the candidates are the texts that equal the
    // typed one (or begin with it, `partial`) case aside, which stand
    // together in this order, each then put to `meets`, the rule of every
    // find.
    template <typename Meets>
    int first(const QString &wanted, bool partial, Meets &&meets) const
    {
        int best = -1;
        for (int i = lowerBound(wanted); i < m_entries.size() && candidate(m_entries[i].text, wanted, partial); ++i)
            if ((best < 0 || m_entries[i].row < best) && meets(m_entries[i].text))
                best = m_entries[i].row;
        return best;
    }

private:
    int lowerBound(const QString &wanted) const;
    static bool candidate(const QString &text, const QString &wanted, bool partial);
    int m_field;
    QVector<Entry> m_entries;
};

}  // namespace data
