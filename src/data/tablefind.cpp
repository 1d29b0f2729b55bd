// Finds on a table data set: a binary search over the rows' order where the
// find is on the first order field, otherwise one pass over the column.

#include "data/table.h"

#include "data/collation.h"
#include "data/database.h"
#include "data/engine.h"
#include "data/storage.h"

#include <QCollator>
#include <QSet>

namespace data {

void Table::dropFindIndex() const
{
    m_find.reset();
}

int Table::findRow(int f, const QVariant &value, LocateOptions options) const
{
    if (!m_order.isEmpty() && m_order[0].field == f && !m_order[0].descending)
        return findOnOrder(value, options);
    if (field(f).kind != FieldKind::Stored)
        return DataSet::findRow(f, value, options);
    return findInColumn(f, value, options);
}

// A find on another stored field. A text is looked up in the column's
// index, made by the first find; anything else takes one pass over the
// column, then the first match in order.
int Table::findInColumn(int f, const QVariant &value, LocateOptions options) const
{
    const bool text = field(f).def.isText();
    const QString wanted = value.toString();
    auto meets = [&](const QString &have) { return valueMatches(have, wanted, true, options); };
    const bool indexed = text && !wanted.isEmpty();
    if (indexed && m_find && m_find->field() == f)
        return m_find->first(wanted, options & PartialKey, meets);

    QVariantList params;
    const QString where = whereClause(params);
    const auto st = database().prepare(QStringLiteral("SELECT t.%1, t.%2 FROM %3 AS t%4")
                                           .arg(keyColumn(), schema::quoted(field(f).def.name),
                                                schema::quoted(tableName()),
                                                where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    for (int i = 0; i < params.size(); ++i)
        st->bind(i, params[i]);
    if (indexed) {
        QHash<qint64, int> rowOf;
        rowOf.reserve(m_ids.size());
        for (int r = 0; r < m_ids.size(); ++r)
            rowOf.insert(m_ids[r], r);
        QVector<TextFindIndex::Entry> entries;
        entries.reserve(m_ids.size());
        while (st->next()) {
            const int row = rowOf.value(st->value(0).toLongLong(), -1);
            const QVariant v = fromStorage(st->value(1), field(f).def.type);
            if (row >= 0 && v.isValid() && !v.isNull())
                entries.append({v.toString(), row});
        }
        m_find = std::make_unique<TextFindIndex>(f, std::move(entries));
        return m_find->first(wanted, options & PartialKey, meets);
    }
    QSet<qint64> hits;
    while (st->next())
        if (valueMatches(fromStorage(st->value(1), field(f).def.type), value, text, options))
            hits.insert(st->value(0).toLongLong());
    if (hits.isEmpty())
        return -1;
    for (int r = 0; r < m_ids.size(); ++r)
        if (hits.contains(m_ids[r]))
            return r;
    return -1;
}

int Table::findOnOrder(const QVariant &value, LocateOptions options) const
{
    const int n = m_ids.size();
    const QVariant needle = toStorage(value);
    if (!m_order[0].text) {
        // Numbers and dates: the first row with exactly that value.
        int lo = 0, hi = n;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (comparePart(0, m_keys[0][mid], needle) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo < n && comparePart(0, m_keys[0][lo], needle) == 0 ? lo : -1;
    }

    // Texts. In Hungarian order "Á" sorts with "A", so the rows that begin
    // with "a" and those that begin with "á" are mixed: only the block of
    // rows whose beginning has the typed letters, accents and case aside,
    // stands together. Two binary searches find that block; the first row
    // in it that meets the find (valueMatches, the rule of every find) is
    // the answer.
    const QString w = needle.toString();
    const QString letters = lettersOf(w);
    const QCollator &nc = hungarianNoCaseCollator();
    const bool partial = options & PartialKey;
    auto text = [&](int r) { return storageRank(m_keys[0][r]) < 2 ? QString() : m_keys[0][r].toString(); };
    auto firstWhere = [&](int from, auto &&pred) {
        int lo = from, hi = n;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (pred(mid))
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    };
    // Every text that begins with the typed letters sorts at or after them.
    const int from = firstWhere(0, [&](int r) {
        return storageRank(m_keys[0][r]) == 2 && nc.compare(lettersOf(text(r)), letters) >= 0;
    });
    // The block ends where the beginning of the text has later letters.
    const int to = firstWhere(from, [&](int r) {
        const QString t = text(r);
        return nc.compare(lettersOf(partial ? t.left(w.size()) : t), letters) > 0;
    });
    for (int r = from; r < to; ++r)
        if (valueMatches(m_keys[0][r], w, true, options))
            return r;
    return -1;
}

}  // namespace data
