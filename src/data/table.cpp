#include "data/table.h"

#include "data/collation.h"
#include "data/database.h"
#include "data/engine.h"
#include "data/filter.h"
#include "data/rowpages.h"
#include "data/storage.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

namespace data {

using schema::quoted;

Table::Table(Database &db, QObject *parent) : DataSet(db, parent), m_sortKeys(std::make_unique<SortKeyCache>()) {}

Table::Table(Database &db, const QString &tableName, QObject *parent)
    : DataSet(db, parent), m_sortKeys(std::make_unique<SortKeyCache>())
{
    setTableName(tableName);
}

Table::~Table() = default;

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

QString Table::keyColumn() const
{
    // An automatic key is the row's identity wherever the table has one.
    const QString &key = tableDef().autoKey;
    return key.isEmpty() ? database().engine().rowIdColumn() : quoted(key);
}

void Table::loadRows()
{
    resolveOrder();
    if (!m_pages)
        m_pages = std::make_unique<RowPages>(*this, tableDef(), keyColumn());
    // Rows read by the same statement since nothing was written anywhere
    // are the rows shown: a refresh that finds nothing new reads nothing.
    QVariantList params;
    const QString sql = orderedSql(params);
    const QVector<qint64> stamp = database().changeStamp();
    if (!stamp.isEmpty() && stamp == m_loadedStamp && sql == m_loadedSql && params == m_loadedParams)
        return;
    m_loadedStamp.clear();
    m_pages->clear();
    dropFindIndex();
    readOrdered(sql, params);
    m_loadedStamp = stamp;
    m_loadedSql = sql;
    m_loadedParams = params;
}

// The statement that reads the visible rows' identities with their order
// fields: numbers and dates ordered in SQL along an index; texts ordered
// after the read, in Hungarian collation.
QString Table::orderedSql(QVariantList &params) const
{
    const QString key = keyColumn();
    const QString where = whereClause(params);
    bool anyText = false;
    QStringList sqlOrder;
    for (const OrderPart &p : m_order) {
        anyText = anyText || p.text;
        sqlOrder << QStringLiteral("t.") + quoted(field(p.field).def.name) +
                        (p.descending ? QStringLiteral(" DESC") : QString());
    }
    sqlOrder << QStringLiteral("t.") + key;
    QString sql = QStringLiteral("SELECT t.") + key +
                  (m_order.isEmpty() ? QString() : QStringLiteral(", ") + orderColumns()) +
                  QStringLiteral(" FROM ") + quoted(tableName()) + QStringLiteral(" AS t");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!anyText)
        sql += QStringLiteral(" ORDER BY ") + sqlOrder.join(QStringLiteral(", "));
    else if (textRunsFromIndex())
        sql += QStringLiteral(" ORDER BY ") + orderColumns() + QStringLiteral(", t.") + key;
    return sql;
}

void Table::readOrdered(const QString &sql, const QVariantList &params)
{
    m_ids.clear();
    m_keys = QVector<QVector<QVariant>>(m_order.size());
    const auto st = database().prepare(sql);
    for (int i = 0; i < params.size(); ++i)
        st->bind(i, params[i]);
    while (st->next()) {
        m_ids.append(st->value(0).toLongLong());
        for (int p = 0; p < m_order.size(); ++p)
            m_keys[p].append(st->value(p + 1));
    }
    bool anyText = false;
    for (const OrderPart &p : qAsConst(m_order))
        anyText = anyText || p.text;
    if (!anyText)
        return;
    if (textRunsFromIndex())
        sortTextRuns();
    else
        sortByCollation();
}

void Table::prepareOrder(const QString &fields)
{
    if (!isOpen() || fields == m_indexFields)
        return;
    // The rows are read and sorted in the other order with the data set's
    // own state set aside, then the state comes back as it was.
    struct SetAside {
        Table &t;
        QString fields, name;
        QVector<OrderPart> order;
        QVector<qint64> ids;
        QVector<QVector<QVariant>> keys;
        ~SetAside()
        {
            std::swap(t.m_indexFields, fields);
            std::swap(t.m_indexName, name);
            std::swap(t.m_order, order);
            std::swap(t.m_ids, ids);
            std::swap(t.m_keys, keys);
        }
    } aside{*this, fields, QString(), {}, {}, {}};
    std::swap(m_indexFields, aside.fields);
    std::swap(m_indexName, aside.name);
    std::swap(m_order, aside.order);
    std::swap(m_ids, aside.ids);
    std::swap(m_keys, aside.keys);
    resolveOrder();
    QVariantList params;
    const QString sql = orderedSql(params);
    readOrdered(sql, params);
}

// Sorts once with collation keys, then permutes the rows.
void Table::sortByCollation()
{
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

// The rows came in the index's byte order, then by row identity: equal texts in
// runs. A collation key is made once per run and only the runs are sorted;
// runs that collate equal (texts differing in nothing the collation sees)
// are merged by identity, so the order is that of the general sort.
void Table::sortTextRuns()
{
    const QString &name = field(m_order[0].field).def.name;
    const bool descending = m_order[0].descending;
    if (const SortKeyCache::Sorted *same = m_sortKeys->sorted(name, descending, m_ids, m_keys[0])) {
        m_ids = same->ids;
        m_keys[0] = same->values;
        return;
    }
    const QVector<qint64> inIds = m_ids;
    const QVector<QVariant> inValues = m_keys[0];
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
        SortKeyCache::Maker keys(*m_sortKeys, name);
        for (int i = 0; i < runs; ++i) {
            const QVariant &v = value[start[i]];
            rank[i] = quint8(storageRank(v));
            key.append(keys.key(m_ids[start[i]], v.toString()));
        }
    }
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
    m_sortKeys->keepSorted(name, {descending, inIds, inValues, m_ids, m_keys[0]});
}

void Table::unloadRows()
{
    m_loadedStamp.clear();
    m_pages.reset();
    m_ids.clear();
    m_keys.clear();
    m_sortKeys->clear();
    dropFindIndex();
}

void Table::forgetCachedRows()
{
    m_loadedStamp.clear();
    if (m_pages)
        m_pages->clear();
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
        c = m_order[part].text ? hungarianCollator().compare(a.toString(), b.toString())
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

Row Table::fetchRow(int row) const
{
    return m_pages->row(m_ids, row);
}

QVariant Table::lookupValue(int f, const QVariant &key) const
{
    if (field(f).kind != FieldKind::Lookup || !key.isValid() || key.isNull())
        return QVariant();
    const schema::LookupDef &l = tableDef().lookups[field(f).lookup];
    const auto st = database().prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? LIMIT 1")
                                           .arg(quoted(l.resultField), quoted(l.table), quoted(l.tableKey)));
    st->bind(0, toStorage(key));
    return st->next() ? fromStorage(st->value(0), field(f).def.type) : QVariant();
}

int Table::placeRow(const QVariant &key, int oldRow)
{
    const qint64 id = key.toLongLong();
    m_loadedStamp.clear();
    m_pages->forget(id);
    dropFindIndex();
    int at = (oldRow >= 0 && oldRow < m_ids.size() && m_ids[oldRow] == id) ? oldRow : int(m_ids.indexOf(id));
    if (at >= 0)
        removeRowFromView(at);

    QVariantList params{id};
    QVariantList filterParams;
    const QString where = whereClause(filterParams);
    params += filterParams;
    const auto st = database().prepare(
        QStringLiteral("SELECT t.%1%2 FROM %3 AS t WHERE t.%1 = ?%4")
            .arg(keyColumn(), m_order.isEmpty() ? QString() : QStringLiteral(", ") + orderColumns(),
                 quoted(tableName()), where.isEmpty() ? QString() : QStringLiteral(" AND ") + where));
    for (int i = 0; i < params.size(); ++i)
        st->bind(i, params[i]);
    if (!st->next())
        return -1;  // the row no longer passes the filter
    QVector<QVariant> k(m_order.size());
    for (int p = 0; p < m_order.size(); ++p)
        k[p] = st->value(p + 1);
    const int pos = lowerBound(k, id);
    m_ids.insert(pos, id);
    for (int p = 0; p < m_order.size(); ++p)
        m_keys[p].insert(pos, k[p]);
    return pos;
}

void Table::removeRowFromView(int row)
{
    m_loadedStamp.clear();
    m_pages->forget(m_ids[row]);
    dropFindIndex();
    m_ids.remove(row);
    for (QVector<QVariant> &k : m_keys)
        k.remove(row);
}

}  // namespace data
