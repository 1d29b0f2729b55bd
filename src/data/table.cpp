#include "data/table.h"

#include "data/database.h"
#include "data/engine.h"
#include "data/filter.h"
#include "data/rowconflict.h"
#include "data/storage.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>
#include <algorithm>
#include <numeric>

namespace data {

namespace {

constexpr int kPageRows = 128;     // rows read at once, centred on the one asked for
constexpr int kCachedRows = 4096;  // rows kept before the cache starts afresh

// Names sort as Hungarians expect: Ábel, Cecil, Csaba, Oszkár, Öröm.
const QCollator &hungarian()
{
    static const QCollator c(QLocale(QLocale::Hungarian, QLocale::Hungary));
    return c;
}

// The same order without regard to letter case, for finds.
const QCollator &hungarianNoCase()
{
    static const QCollator c = [] {
        QCollator n(QLocale(QLocale::Hungarian, QLocale::Hungary));
        n.setCaseSensitivity(Qt::CaseInsensitive);
        return n;
    }();
    return c;
}

// The letters of a text without the marks that Hungarian order weighs only
// after the letters: "Ábel" gives "Abel", "Őz" gives "Öz" (ö and ü are
// letters of their own, ő and ű their accented forms). Compared without
// regard to case, two such forms compare as the letters of the texts do.
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

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

[[noreturn]] void raise(const QSqlQuery &q)
{
    throw DbError(engineMessage(q.lastError()));
}

// A read loop ends at the last row or at an error: a row that cannot be
// read (a damaged page) raises, never passes for a missing one.
void requireNoError(const QSqlQuery &q)
{
    if (q.lastError().isValid())
        raise(q);
}

void run(QSqlQuery &q, const QString &sql, const QVariantList &params)
{
    if (!q.prepare(sql))
        raise(q);
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (!q.exec())
        raise(q);
}

// Commits the write of one row. When the row is in the file and only other
// data sets failed to show the unit's rows again, the write stands: raising
// would leave this row in edit, to be written a second time.
void commitWritten(Database::Transaction &tx)
{
    try {
        tx.commit();
    } catch (const SavedButError &e) {
        qWarning("%s", qPrintable(e.message()));
    }
}


// SQLite's order of storage classes: null, numbers, texts.
int storageRank(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    return isStoredNumber(v) ? 1 : 2;
}

// Whether two stored values are the same (texts compared without a variant
// lookup: this runs once per row).
bool sameStored(const QVariant &a, const QVariant &b)
{
    const int ra = storageRank(a);
    if (ra != storageRank(b))
        return false;
    if (ra == 2 && a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return *static_cast<const QString *>(a.constData()) == *static_cast<const QString *>(b.constData());
    return ra == 0 || a == b;
}

// Whether a value as read before an edit is the value read now. Both went
// through the same conversion; numbers compare as numbers whatever way the
// engine handed them out.
bool sameValue(const QVariant &before, const QVariant &now)
{
    const bool nullBefore = !before.isValid() || before.isNull();
    if (nullBefore || !now.isValid() || now.isNull())
        return nullBefore == (!now.isValid() || now.isNull());
    if (isStoredNumber(before) && isStoredNumber(now))
        return before.toDouble() == now.toDouble() && before.toLongLong() == now.toLongLong();
    return before == now;
}

// Whether a write checks a field against the value read before it: every
// stored field does, but a running total that the write does not set; it
// moves by additions of its own, and the write leaves it as it is.
bool checks(const Field &f, bool written)
{
    return f.kind == FieldKind::Stored && (!f.def.runningTotal || written);
}

// The condition that a row is still as read: " AND" each checked field IS
// (null-safe) its value as read, in the stored form.
QString asReadCondition(const DataSet &ds, const Row &asRead, const QVector<bool> &written, QVariantList &params)
{
    QString out;
    for (int f = 0; f < ds.fieldCount(); ++f) {
        if (!checks(ds.field(f), written.value(f)))
            continue;
        out += QStringLiteral(" AND %1 IS ?").arg(quoted(ds.field(f).def.name));
        params << toStorage(asRead.value(f));
    }
    return out;
}

}  // namespace

// Collation keys of the texts the rows were last ordered by, per field:
// making a key costs far more than comparing two, so an order change or a
// filter switched off sorts again without making them anew. A sort keeps
// its keys as made, in plain arrays; they are indexed by rowid only when a
// later sort on the same field asks for them.
struct Table::SortKeyCache {
    struct Keys {
        QVector<qint64> ids;
        QVector<QString> texts;
        QVector<QCollatorSortKey> keys;
    };
    QHash<QString, Keys> byField;

    // Finds on a text field the rows are not ordered by (a list in key
    // order with a search box on the name) look the field up here instead
    // of reading every row: its values sorted without regard to case (code
    // by code, as finds compare), each with its visible row. Made at the
    // first such find; any change of the rows or of their order drops it.
    struct FindIndex {
        struct Entry {
            QString text;
            int row;
        };
        int field = -1;
        QVector<Entry> entries;

        static bool before(const QString &a, const QString &b)
        {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        }
        // The first visible row whose text meets the find, as the walk over
        // every row would give it: the candidates are the texts that equal
        // the typed one (or begin with it) case aside, which stand together
        // in this order, each then put to the rule of every find.
        int first(const QString &wanted, LocateOptions options) const
        {
            const bool partial = options & PartialKey;
            auto it = std::lower_bound(entries.cbegin(), entries.cend(), wanted,
                                       [](const Entry &e, const QString &w) { return before(e.text, w); });
            int best = -1;
            for (; it != entries.cend() && (partial ? it->text.startsWith(wanted, Qt::CaseInsensitive)
                                                    : QString::compare(it->text, wanted, Qt::CaseInsensitive) == 0);
                 ++it)
                if ((best < 0 || it->row < best) && valueMatches(it->text, wanted, true, options))
                    best = it->row;
            return best;
        }
    } find;
    void dropFindIndex() { find = FindIndex(); }

    // The keys of one sort on a field, taken from the last one where its
    // row still holds the same text.
    class Maker {
    public:
        Maker(SortKeyCache &cache, const QString &field)
            : m_cache(cache), m_field(field), m_old(cache.byField.take(field))
        {
            m_slot.reserve(m_old.ids.size());
            for (int i = 0; i < m_old.ids.size(); ++i)
                m_slot.insert(m_old.ids[i], i);
        }
        ~Maker() { m_cache.byField.insert(m_field, std::move(m_made)); }
        Maker(const Maker &) = delete;
        Maker &operator=(const Maker &) = delete;

        QCollatorSortKey key(qint64 id, const QString &text)
        {
            const auto it = m_slot.constFind(id);
            const QCollatorSortKey key = it != m_slot.constEnd() && m_old.texts[*it] == text
                                             ? m_old.keys[*it]
                                             : hungarian().sortKey(text);
            m_made.ids.append(id);
            m_made.texts.append(text);
            m_made.keys.append(key);
            return key;
        }

    private:
        SortKeyCache &m_cache;
        QString m_field;
        Keys m_old, m_made;
        QHash<qint64, int> m_slot;
    };
};

Table::Table(Database &db, QObject *parent) : DataSet(db, parent), m_sortKeys(std::make_unique<SortKeyCache>()) {}

Table::Table(Database &db, const QString &tableName, QObject *parent)
    : DataSet(db, parent), m_sortKeys(std::make_unique<SortKeyCache>())
{
    setTableName(tableName);
}

Table::~Table()
{
    releasePageStatement();
}

void Table::setTableName(const QString &name)
{
    if (isOpen())
        throw DbError(QStringLiteral("Nyitott adatkészlet táblája nem cserélhető."));
    m_def = schema::table(name);
    if (!m_def)
        throw DbError(QStringLiteral("Ismeretlen tábla: %1").arg(name));
}

QString Table::tableName() const
{
    return m_def ? m_def->name : QString();
}

const schema::TableDef &Table::tableDef() const
{
    if (!m_def)
        throw DbError(QStringLiteral("Nincs megadva tábla."));
    return *m_def;
}

void Table::setIndexFieldNames(const QString &fields)
{
    changeOrder(fields, QString());
}

void Table::setIndexName(const QString &name)
{
    changeOrder(QString(), name);
}

void Table::changeOrder(const QString &fields, const QString &indexName)
{
    const QVariant key = isOpen() && currentRow() >= 0 ? rowKey(currentRow()) : QVariant();
    const QString oldFields = m_indexFields, oldName = m_indexName;
    m_indexFields = fields;
    m_indexName = indexName;
    if (!isOpen())
        return;
    try {
        resolveOrder();
    } catch (const DbError &) {
        // An unknown field or index leaves the order as it was.
        m_indexFields = oldFields;
        m_indexName = oldName;
        resolveOrder();
        throw;
    }
    resetKeeping(key, 0);
}

void Table::buildFields(QVector<Field> &fields)
{
    const schema::TableDef &def = tableDef();
    fields.clear();
    m_stored.clear();
    for (const schema::FieldDef &f : def.fields) {
        m_stored << fields.size();
        fields.append({f, FieldKind::Stored, -1, -1});
        for (int l = 0; l < def.lookups.size(); ++l) {
            if (def.lookups[l].keyField.compare(f.name, Qt::CaseInsensitive) == 0)
                fields.append({def.lookups[l].field, FieldKind::Lookup, l, m_stored.last()});
        }
    }
}

void Table::resolveOrder()
{
    m_order.clear();
    auto addPart = [this](const QString &name, bool desc) {
        const int f = fieldIndex(name.trimmed());
        if (f < 0 || field(f).kind != FieldKind::Stored)
            throw DbError(QStringLiteral("A(z) '%1' mező szerinti sorrend nem állítható be (%2).")
                              .arg(name.trimmed(), tableName()));
        m_order.append({f, desc, field(f).def.isText()});
    };
    if (!m_indexName.isEmpty()) {
        const schema::IndexDef *ix = tableDef().index(m_indexName);
        if (!ix)
            throw DbError(QStringLiteral("A(z) '%1' index nem létezik (%2).").arg(m_indexName, tableName()));
        for (const QString &f : ix->fields)
            addPart(f, ix->descending);
    } else if (!m_indexFields.trimmed().isEmpty()) {
        for (const QString &f : m_indexFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            addPart(f, false);
    }
}

QString Table::whereClause(QVariantList &params) const
{
    const FilterExpr *filter = activeFilter();
    if (!filter)
        return QString();
    for (int f : filter->fields())
        if (field(f).kind != FieldKind::Stored)
            throw DbError(QStringLiteral("Szűrni csak tárolt mezőre lehet: %1").arg(field(f).def.name));
    return filter->toSql([this](int f) -> QString { return QStringLiteral("t.") + quoted(field(f).def.name); },
                         params);
}

QString Table::orderColumns() const
{
    QStringList cols;
    for (const OrderPart &p : m_order)
        cols << QStringLiteral("t.") + quoted(field(p.field).def.name);
    return cols.join(QStringLiteral(", "));
}

void Table::loadRows()
{
    resolveOrder();
    m_ids.clear();
    m_keys = QVector<QVector<QVariant>>(m_order.size());
    m_cache.clear();
    m_sortKeys->dropFindIndex();

    QVariantList params;
    const QString where = whereClause(params);
    bool anyText = false;
    QStringList sqlOrder;
    for (const OrderPart &p : m_order) {
        anyText = anyText || p.text;
        sqlOrder << QStringLiteral("t.") + quoted(field(p.field).def.name) +
                        (p.descending ? QStringLiteral(" DESC") : QString());
    }
    sqlOrder << QStringLiteral("t.rowid");
    QString sql = QStringLiteral("SELECT t.rowid") +
                  (m_order.isEmpty() ? QString() : QStringLiteral(", ") + orderColumns()) +
                  QStringLiteral(" FROM ") + quoted(tableName()) + QStringLiteral(" AS t");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    // Numbers and dates order in SQL along an index; texts order below in
    // Hungarian collation.
    const bool runs = textRunsFromIndex();
    if (!anyText)
        sql += QStringLiteral(" ORDER BY ") + sqlOrder.join(QStringLiteral(", "));
    else if (runs)
        sql += QStringLiteral(" ORDER BY ") + orderColumns() + QStringLiteral(", t.rowid");

    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    run(q, sql, params);
    while (q.next()) {
        m_ids.append(q.value(0).toLongLong());
        for (int p = 0; p < m_order.size(); ++p)
            m_keys[p].append(q.value(p + 1));
    }
    requireNoError(q);
    if (!anyText)
        return;
    if (runs) {
        sortTextRuns();
        return;
    }

    // Sort once with collation keys, then permute the rows.
    const int n = m_ids.size();
    QVector<QVector<QCollatorSortKey>> sortKeys(m_order.size());
    for (int p = 0; p < m_order.size(); ++p) {
        if (!m_order[p].text)
            continue;
        sortKeys[p].reserve(n);
        SortKeyCache::Maker keys(*m_sortKeys, field(m_order[p].field).def.name);
        for (int r = 0; r < n; ++r)
            sortKeys[p].append(keys.key(m_ids[r], m_keys[p][r].toString()));
    }
    // Null, number or text of each text value, read once (QVariant lookups
    // inside the comparison would dominate the sort).
    QVector<QVector<quint8>> ranks(m_order.size());
    for (int p = 0; p < m_order.size(); ++p) {
        if (!m_order[p].text)
            continue;
        ranks[p].resize(n);
        for (int r = 0; r < n; ++r)
            ranks[p][r] = quint8(storageRank(m_keys[p][r]));
    }
    const QVector<OrderPart> &order = m_order;
    const QVector<QVector<quint8>> &rank = ranks;
    const QVector<QVector<QCollatorSortKey>> &key = sortKeys;
    const QVector<QVector<QVariant>> &value = m_keys;
    const QVector<qint64> &id = m_ids;
    QVector<int> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    std::sort(perm.begin(), perm.end(), [&](int a, int b) {
        for (int p = 0; p < order.size(); ++p) {
            int c;
            if (order[p].text) {
                const int ra = rank[p][a], rb = rank[p][b];
                c = ra != rb ? ra - rb : key[p][a].compare(key[p][b]);
                if (order[p].descending)
                    c = -c;
            } else {
                c = comparePart(p, value[p][a], value[p][b]);
            }
            if (c != 0)
                return c < 0;
        }
        return id[a] < id[b];
    });
    QVector<qint64> ids(n);
    QVector<QVector<QVariant>> keys(m_order.size(), QVector<QVariant>(n));
    for (int i = 0; i < n; ++i) {
        ids[i] = m_ids[perm[i]];
        for (int p = 0; p < m_order.size(); ++p)
            keys[p][i] = std::move(m_keys[p][perm[i]]);
    }
    m_ids = std::move(ids);
    m_keys = std::move(keys);
}

bool Table::textRunsFromIndex() const
{
    if (m_order.size() != 1 || !m_order[0].text)
        return false;
    const QString &name = field(m_order[0].field).def.name;
    for (const schema::IndexDef &ix : tableDef().indexes)
        if (!ix.fields.isEmpty() && ix.fields.first().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The rows came in the index's byte order, then by rowid: equal texts in
// runs. A collation key is made once per run and only the runs are sorted;
// runs that collate equal (texts differing in nothing the collation sees)
// are merged by rowid, so the order is that of the general sort.
void Table::sortTextRuns()
{
    const int n = m_ids.size();
    const QVector<QVariant> &value = m_keys[0];
    QVector<int> start;  // the first row of each run, and n after the last
    for (int r = 0; r < n; ++r)
        if (r == 0 || !sameStored(value[r], value[r - 1]))
            start << r;
    const int runs = start.size();
    start << n;

    QVector<quint8> rank(runs);
    QVector<QCollatorSortKey> key;
    key.reserve(runs);
    {
        SortKeyCache::Maker keys(*m_sortKeys, field(m_order[0].field).def.name);
        for (int i = 0; i < runs; ++i) {
            const QVariant &v = value[start[i]];
            rank[i] = quint8(storageRank(v));
            key.append(keys.key(m_ids[start[i]], v.toString()));
        }
    }
    const bool descending = m_order[0].descending;
    auto compare = [&](int a, int b) {
        const int c = rank[a] != rank[b] ? rank[a] - rank[b] : key[a].compare(key[b]);
        return descending ? -c : c;
    };
    QVector<int> sorted(runs);
    std::iota(sorted.begin(), sorted.end(), 0);
    std::sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        const int c = compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });

    QVector<qint64> ids;
    QVector<QVariant> values;
    ids.reserve(n);
    values.reserve(n);
    for (int i = 0; i < runs;) {
        int j = i + 1;
        while (j < runs && compare(sorted[i], sorted[j]) == 0)
            ++j;
        if (j == i + 1) {
            for (int r = start[sorted[i]]; r < start[sorted[i] + 1]; ++r) {
                ids << m_ids[r];
                values << value[r];
            }
            i = j;
            continue;
        }
        QVector<int> rows;
        for (int k = i; k < j; ++k)
            for (int r = start[sorted[k]]; r < start[sorted[k] + 1]; ++r)
                rows << r;
        std::sort(rows.begin(), rows.end(), [&](int a, int b) { return m_ids[a] < m_ids[b]; });
        for (int r : rows) {
            ids << m_ids[r];
            values << value[r];
        }
        i = j;
    }
    m_ids = std::move(ids);
    m_keys[0] = std::move(values);
}

void Table::unloadRows()
{
    releasePageStatement();
    m_ids.clear();
    m_keys.clear();
    m_cache.clear();
    m_sortKeys->byField.clear();
    m_sortKeys->dropFindIndex();
}

int Table::comparePart(int part, const QVariant &a, const QVariant &b) const
{
    const int ra = storageRank(a), rb = storageRank(b);
    int c = 0;
    if (ra != rb) {
        c = ra < rb ? -1 : 1;
    } else if (ra == 1) {
        const double x = a.toDouble(), y = b.toDouble();
        c = x < y ? -1 : (x > y ? 1 : 0);
    } else if (ra == 2) {
        c = m_order[part].text ? hungarian().compare(a.toString(), b.toString())
                               : a.toString().compare(b.toString());
        c = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return m_order[part].descending ? -c : c;
}

int Table::compareRow(int row, const QVector<QVariant> &key, qint64 id) const
{
    for (int p = 0; p < m_order.size(); ++p) {
        const int c = comparePart(p, m_keys[p][row], key[p]);
        if (c != 0)
            return c;
    }
    return m_ids[row] < id ? -1 : (m_ids[row] > id ? 1 : 0);
}

int Table::lowerBound(const QVector<QVariant> &key, qint64 id) const
{
    int lo = 0, hi = m_ids.size();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (compareRow(mid, key, id) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

QVariant Table::rowKey(int row) const
{
    return row >= 0 && row < m_ids.size() ? QVariant(m_ids[row]) : QVariant();
}

int Table::rowOfKey(const QVariant &key) const
{
    if (!key.isValid())
        return -1;
    return int(m_ids.indexOf(key.toLongLong()));
}

qint64 Table::currentRowId() const
{
    return currentRow() >= 0 ? m_ids[currentRow()] : 0;
}

// ---- reading rows -----------------------------------------------------------

Row Table::fetchRow(int row) const
{
    const qint64 id = m_ids[row];
    auto it = m_cache.constFind(id);
    if (it != m_cache.constEnd())
        return *it;
    fetchPage(row);
    return m_cache.value(id, Row(fieldCount()));
}

void Table::fetchPage(int row) const
{
    // A grid asks for neighbouring rows next, in either direction: read a
    // page centred on the row. A walk going on past the last page reads
    // the next one whole.
    int from = qMax(0, row - kPageRows / 2);
    int to = qMin(int(m_ids.size()), row + kPageRows / 2);
    if (row == m_pageEnd) {
        from = row;
        to = qMin(int(m_ids.size()), row + kPageRows);
    } else if (row == m_pageStart - 1) {
        from = qMax(0, row + 1 - kPageRows);
        to = row + 1;
    }
    m_pageStart = from;
    m_pageEnd = to;
    if (m_cache.size() > kCachedRows)
        m_cache.clear();
    QVariantList ids;
    for (int r = from; r < to; ++r)
        if (!m_cache.contains(m_ids[r]))
            ids << m_ids[r];

    if (ids.isEmpty())
        return;
    // Every page binds all the statement's marks: a short page repeats its
    // last row, which the IN list takes once.
    sqlite3_stmt *st = pageStatement();
    for (int i = 0; i < kPageRows; ++i)
        sqlite3_bind_int64(st, i + 1, ids[qMin(i, int(ids.size()) - 1)].toLongLong());
    int rc;
    for (PageLookup &l : m_pageLookups)
        l.values.clear();
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        Row r(fieldCount());
        for (int c = 0; c < m_pageFields.size(); ++c)
            r[m_pageFields[c]] = fromStorage(columnValue(st, c + 1), field(m_pageFields[c]).def.type);
        for (PageLookup &l : m_pageLookups)
            r[l.field] = pageLookupValue(l, st);
        m_cache.insert(sqlite3_column_int64(st, 0), r);
    }
    // A row that cannot be read (a damaged page) raises, never passes for
    // a missing one.
    if (rc != SQLITE_DONE)
        raiseEngine(st);
    sqlite3_reset(st);
    // A row that another program deleted meanwhile shows empty.
    for (const QVariant &id : ids)
        if (!m_cache.contains(id.toLongLong()))
            m_cache.insert(id.toLongLong(), Row(fieldCount()));
}

sqlite3_stmt *Table::pageStatement() const
{
    if (m_pageStatement)
        return m_pageStatement;
    QStringList cols;
    m_pageFields.clear();
    releasePageStatement();
    sqlite3 *h = engineHandle(database().connection());
    auto prepare = [h](const QString &text, sqlite3_stmt **statement) {
        const QByteArray sql = text.toUtf8();
        if (sqlite3_prepare_v2(h, sql.constData(), int(sql.size()), statement, nullptr) == SQLITE_OK)
            return;
        const QString message = engineText(h);
        sqlite3_finalize(*statement);
        *statement = nullptr;
        throw DbError(message);
    };
    const schema::TableDef &def = tableDef();
    for (int f = 0; f < fieldCount(); ++f) {
        const Field &fd = field(f);
        if (fd.kind == FieldKind::Stored) {
            cols << QStringLiteral("t.") + quoted(fd.def.name);
            m_pageFields << f;
        } else if (fd.kind == FieldKind::Lookup) {
            const schema::LookupDef &l = def.lookups[fd.lookup];
            // Its key field is stored, and stands before it.
            m_pageLookups.append({f, int(m_pageFields.indexOf(fd.keyField)) + 1, nullptr, {}});
            try {
                prepare(QStringLiteral("SELECT lk.%1 FROM %2 AS lk WHERE lk.%3 = ? LIMIT 1")
                            .arg(quoted(l.resultField), quoted(l.table), quoted(l.tableKey)),
                        &m_pageLookups.last().statement);
            } catch (const DbError &) {
                releasePageStatement();
                throw;
            }
        }
    }
    QStringList marks;
    marks.fill(QStringLiteral("?"), kPageRows);
    try {
        prepare(QStringLiteral("SELECT t.rowid, ") + cols.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                    quoted(tableName()) + QStringLiteral(" AS t WHERE t.rowid IN (") + marks.join(QLatin1Char(',')) +
                    QLatin1Char(')'),
                &m_pageStatement);
    } catch (const DbError &) {
        releasePageStatement();
        throw;
    }
    return m_pageStatement;
}

QVariant Table::pageLookupValue(PageLookup &lookup, sqlite3_stmt *page) const
{
    const int kind = sqlite3_column_type(page, lookup.keyColumn);
    if (kind == SQLITE_NULL)
        return QVariant();  // no row has an empty key
    const qint64 key = sqlite3_column_int64(page, lookup.keyColumn);
    if (kind == SQLITE_INTEGER) {
        const auto known = lookup.values.constFind(key);
        if (known != lookup.values.constEnd())
            return *known;
    }
    sqlite3_stmt *st = lookup.statement;
    sqlite3_bind_value(st, 1, sqlite3_column_value(page, lookup.keyColumn));
    QVariant value;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        value = fromStorage(columnValue(st, 0), field(lookup.field).def.type);
    else if (rc != SQLITE_DONE)
        raiseEngine(st);
    sqlite3_reset(st);
    if (kind == SQLITE_INTEGER)
        lookup.values.insert(key, value);
    return value;
}

void Table::releasePageStatement() const
{
    sqlite3_finalize(m_pageStatement);
    m_pageStatement = nullptr;
    for (const PageLookup &l : qAsConst(m_pageLookups))
        sqlite3_finalize(l.statement);
    m_pageLookups.clear();
}

QVariant Table::lookupValue(int f, const QVariant &key) const
{
    if (field(f).kind != FieldKind::Lookup || !key.isValid() || key.isNull())
        return QVariant();
    const schema::LookupDef &l = tableDef().lookups[field(f).lookup];
    QSqlQuery q(database().connection());
    run(q,
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? LIMIT 1")
            .arg(quoted(l.resultField), quoted(l.table), quoted(l.tableKey)),
        {toStorage(key)});
    if (q.next())
        return fromStorage(q.value(0), field(f).def.type);
    requireNoError(q);
    return QVariant();
}

// ---- finding ----------------------------------------------------------------

int Table::findRow(int f, const QVariant &value, LocateOptions options) const
{
    if (!m_order.isEmpty() && m_order[0].field == f && !m_order[0].descending)
        return findOnOrder(value, options);
    if (field(f).kind != FieldKind::Stored)
        return DataSet::findRow(f, value, options);

    // A text on another field: the column's index, made by the first find.
    const bool text = field(f).def.isText();
    const QString wanted = value.toString();
    SortKeyCache::FindIndex &index = m_sortKeys->find;
    const bool indexed = text && !wanted.isEmpty();
    if (indexed && index.field == f)
        return index.first(wanted, options);

    // One pass over the column, then the first match in order.
    QVariantList params;
    const QString where = whereClause(params);
    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    run(q,
        QStringLiteral("SELECT t.rowid, t.%1 FROM %2 AS t%3")
            .arg(quoted(field(f).def.name), quoted(tableName()),
                 where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where),
        params);
    if (indexed) {
        QHash<qint64, int> rowOf;
        rowOf.reserve(m_ids.size());
        for (int r = 0; r < m_ids.size(); ++r)
            rowOf.insert(m_ids[r], r);
        SortKeyCache::FindIndex made;
        made.field = f;
        made.entries.reserve(m_ids.size());
        while (q.next()) {
            const int row = rowOf.value(q.value(0).toLongLong(), -1);
            const QVariant v = fromStorage(q.value(1), field(f).def.type);
            if (row >= 0 && v.isValid() && !v.isNull())
                made.entries.append({v.toString(), row});
        }
        requireNoError(q);
        std::sort(made.entries.begin(), made.entries.end(),
                  [](const auto &a, const auto &b) { return SortKeyCache::FindIndex::before(a.text, b.text); });
        index = std::move(made);
        return index.first(wanted, options);
    }
    QSet<qint64> hits;
    while (q.next())
        if (valueMatches(fromStorage(q.value(1), field(f).def.type), value, text, options))
            hits.insert(q.value(0).toLongLong());
    requireNoError(q);
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
    const QCollator &nc = hungarianNoCase();
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

// ---- writing ----------------------------------------------------------------

QVariant Table::writeRow(bool inserting, const QVariant &key, const Row &values, const QVector<bool> &changed,
                         const Row *asRead)
{
    const schema::TableDef &def = tableDef();
    QStringList cols;
    QVariantList params;
    for (int f = 0; f < fieldCount(); ++f) {
        const Field &fd = field(f);
        if (fd.kind != FieldKind::Stored)
            continue;
        if (!def.autoKey.isEmpty() && fd.def.name.compare(def.autoKey, Qt::CaseInsensitive) == 0)
            continue;  // the table assigns it
        if (inserting ? (values[f].isValid() && !values[f].isNull()) || changed[f] : changed[f]) {
            cols << quoted(fd.def.name);
            params << toStorage(values[f]);
        }
    }

    Database::Transaction tx(database());
    QSqlQuery q(database().connection());
    qint64 id = key.toLongLong();
    if (inserting) {
        QStringList marks;
        marks.fill(QStringLiteral("?"), cols.size());
        const QString sql = cols.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(tableName()))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(quoted(tableName()), cols.join(QStringLiteral(", ")),
                                           marks.join(QStringLiteral(", ")));
        run(q, sql, params);
        id = q.lastInsertId().toLongLong();
    } else if (!cols.isEmpty()) {
        QStringList sets;
        for (const QString &c : cols)
            sets << c + QStringLiteral(" = ?");
        params << id;
        const QString sql =
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(tableName()), sets.join(QStringLiteral(", ")));
        QVariantList checked = params;
        run(q, asRead ? sql + asReadCondition(*this, *asRead, changed, checked) : sql, checked);
        if (q.numRowsAffected() == 0) {
            if (!asRead)
                throw DbError(QStringLiteral("A sort időközben törölték."));
            requireUnchanged(id, *asRead, changed, false);
            run(q, sql, params);  // the row is as read; only its stored form differs
        }
    }
    commitWritten(tx);
    m_cache.remove(id);
    m_sortKeys->dropFindIndex();
    return id;
}

void Table::deleteRow(const QVariant &key, const Row *asRead)
{
    Database::Transaction tx(database());
    QSqlQuery q(database().connection());
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(tableName()));
    const QVector<bool> none(fieldCount(), false);
    QVariantList checked{key};
    run(q, asRead ? sql + asReadCondition(*this, *asRead, none, checked) : sql, checked);
    if (asRead && q.numRowsAffected() == 0) {
        requireUnchanged(key.toLongLong(), *asRead, none, true);
        run(q, sql, {key});  // the row is as read; only its stored form differs
    }
    commitWritten(tx);
    m_cache.remove(key.toLongLong());
}

// After a write that found its row no longer as read: raises RowConflict
// with the row as it is now, unless its values, read and converted again,
// are still those read (a value whose stored form differs from the form
// written, such as a date kept with a time of day). Runs inside the write's
// transaction, which holds the file's write lock from its start, so the row
// cannot change between this read and the write.
void Table::requireUnchanged(qint64 id, const Row &asRead, const QVector<bool> &written, bool deleting)
{
    QStringList cols;
    QVector<int> fields;
    for (int f = 0; f < fieldCount(); ++f) {
        if (field(f).kind == FieldKind::Stored) {
            cols << quoted(field(f).def.name);
            fields << f;
        }
    }
    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    run(q, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(cols.join(QStringLiteral(", ")), quoted(tableName())),
        {id});
    Row now;
    if (q.next()) {
        now = Row(fieldCount());
        for (int c = 0; c < fields.size(); ++c)
            now[fields[c]] = fromStorage(q.value(c), field(fields[c]).def.type);
    }
    requireNoError(q);
    bool same = !now.isEmpty();
    for (int c = 0; same && c < fields.size(); ++c) {
        const int f = fields[c];
        if (checks(field(f), written.value(f)))
            same = sameValue(asRead.value(f), now[f]);
    }
    if (same)
        return;
    m_cache.remove(id);
    const QString who = QStringLiteral("A sort időközben egy másik felhasználó vagy program ");
    if (now.isEmpty())
        throw RowConflict(who + (deleting ? QStringLiteral("törölte.")
                                          : QStringLiteral("törölte. A beírt értékek megmaradtak, "
                                                           "az OK új sorként menti őket.")),
                          now);
    throw RowConflict(who + (deleting ? QStringLiteral("módosította, ezért nem töröltem. Az adatokat újraolvastam.")
                                      : QStringLiteral("módosította. Az adatokat újraolvastam; a beírt értékek "
                                                       "megmaradtak, az OK újra elmenti őket.")),
                      now);
}

int Table::placeRow(const QVariant &key, int oldRow)
{
    const qint64 id = key.toLongLong();
    m_cache.remove(id);
    m_sortKeys->dropFindIndex();
    int at = (oldRow >= 0 && oldRow < m_ids.size() && m_ids[oldRow] == id) ? oldRow : int(m_ids.indexOf(id));
    if (at >= 0)
        removeRowFromView(at);

    QVariantList params{id};
    QVariantList filterParams;
    const QString where = whereClause(filterParams);
    params += filterParams;
    QSqlQuery q(database().connection());
    run(q,
        QStringLiteral("SELECT t.rowid%1 FROM %2 AS t WHERE t.rowid = ?%3")
            .arg(m_order.isEmpty() ? QString() : QStringLiteral(", ") + orderColumns(), quoted(tableName()),
                 where.isEmpty() ? QString() : QStringLiteral(" AND ") + where),
        params);
    if (!q.next()) {
        requireNoError(q);
        return -1;  // the row no longer passes the filter
    }
    QVector<QVariant> k(m_order.size());
    for (int p = 0; p < m_order.size(); ++p)
        k[p] = q.value(p + 1);
    const int pos = lowerBound(k, id);
    m_ids.insert(pos, id);
    for (int p = 0; p < m_order.size(); ++p)
        m_keys[p].insert(pos, k[p]);
    return pos;
}

void Table::removeRowFromView(int row)
{
    m_cache.remove(m_ids[row]);
    m_sortKeys->dropFindIndex();
    m_ids.remove(row);
    for (QVector<QVariant> &k : m_keys)
        k.remove(row);
}

void Table::emptyTable()
{
    Database::Transaction tx(database());
    QSqlQuery q(database().connection());
    run(q, QStringLiteral("DELETE FROM %1").arg(quoted(tableName())), {});
    tx.commit();
    if (isOpen())
        resetKeeping(QVariant(), 0);
}

int Table::appendFrom(DataSet &source)
{
    if (!source.isOpen())
        source.open();
    const schema::TableDef &def = tableDef();
    const int columns = qMin(source.fieldCount(), int(def.fields.size()));
    QStringList cols, marks;
    for (int c = 0; c < columns; ++c) {
        cols << quoted(def.fields[c].name);
        marks << QStringLiteral("?");
    }
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quoted(tableName()), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    // Values are converted as this table's fields convert typed values.
    Table probe(database(), tableName());
    QVector<Field> fields;
    probe.buildFields(fields);
    probe.m_fields = fields;

    int moved = 0;
    Database::Transaction tx(database());
    QSqlQuery q(database().connection());
    if (!q.prepare(sql))
        raise(q);
    for (int r = 0; r < source.recordCount(); ++r) {
        // A source that cannot be read stops the move; only what this
        // table refuses skips a row.
        const Row row = source.valuesAt(r);
        QVariantList values;
        try {
            for (int c = 0; c < columns; ++c) {
                QVariant v = row.value(c);
                if (v.typeId() == QMetaType::QString && v.toString().isEmpty())
                    v = QVariant();
                values << toStorage(probe.convertForField(probe.m_stored[c], v));
            }
        } catch (const DbError &) {
            continue;  // a value that does not fit its field
        }
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (q.exec()) {
            ++moved;
            continue;
        }
        // A key or a type that refuses the row undoes only its own
        // statement; a full disk or a lock ends the move.
        bool ok = false;
        const int code = q.lastError().nativeErrorCode().toInt(&ok) & 0xFF;
        if (!ok || (code != SQLITE_CONSTRAINT && code != SQLITE_MISMATCH))
            raise(q);
    }
    tx.commit();
    if (isOpen())
        resetKeeping(currentRow() >= 0 ? rowKey(currentRow()) : QVariant(), currentRow());
    return moved;
}

}  // namespace data
