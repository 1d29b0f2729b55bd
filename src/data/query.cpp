#include "data/query.h"

#include "data/database.h"
#include "data/filter.h"
#include "data/storage.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace data {

namespace {

void bindParams(QSqlQuery &q, const QString &sql, const QMap<QString, QVariant> &params)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QRegularExpression used(QStringLiteral(":%1\\b").arg(QRegularExpression::escape(it.key())),
                                      QRegularExpression::CaseInsensitiveOption);
        if (sql.contains(used))
            q.bindValue(QLatin1Char(':') + it.key(), toStorage(it.value()));
    }
}

schema::FieldType typeOfValue(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return schema::FieldType::Integer;
    case QMetaType::Double:
        return schema::FieldType::Float;
    default:
        return schema::FieldType::Text;
    }
}

}  // namespace

Query::Query(Database &db, QObject *parent) : DataSet(db, parent)
{
    setReadOnly(true);  // a result is read, never written back
}
Query::~Query() = default;

void Query::setSql(const QString &sql)
{
    if (isOpen())
        close();
    m_sql = sql;
    m_haveResult = false;
}

void Query::setParam(const QString &name, const QVariant &value)
{
    QString n = name;
    if (n.startsWith(QLatin1Char(':')))
        n.remove(0, 1);
    m_params.insert(n, value);
}

QVariant Query::param(const QString &name) const
{
    return m_params.value(name);
}

void Query::runQuery()
{
    m_rows.clear();
    m_columns.clear();
    QSqlQuery q(database().connection());
    q.setForwardOnly(true);
    if (!q.prepare(m_sql))
        throw DbError(engineMessage(q.lastError()));
    bindParams(q, m_sql, m_params);
    if (!q.exec())
        throw DbError(engineMessage(q.lastError()));

    const QSqlRecord rec = q.record();
    QStringList names;
    for (int c = 0; c < rec.count(); ++c) {
        const QSqlField sf = rec.field(c);
        QString name = sf.name();
        // A repeated column name gets _1, _2, ... appended.
        if (names.contains(name, Qt::CaseInsensitive)) {
            int k = 1;
            while (names.contains(name + QStringLiteral("_%1").arg(k), Qt::CaseInsensitive))
                ++k;
            name += QStringLiteral("_%1").arg(k);
        }
        names << name;
        Column col;
        col.def.name = name;
        // A column read straight from a table keeps that field's label,
        // type and display format.
        if (const schema::TableDef *t = schema::table(sf.tableName())) {
            if (const schema::FieldDef *f = t->field(sf.name())) {
                col.def = *f;
                col.def.name = name;
                col.known = true;
            }
        }
        m_columns << col;
    }
    while (q.next()) {
        Row r(rec.count());
        for (int c = 0; c < rec.count(); ++c) {
            const QVariant raw = q.value(c);
            r[c] = m_columns[c].known ? fromStorage(raw, m_columns[c].def.type)
                                      : (raw.isNull() ? QVariant() : raw);
        }
        m_rows.append(r);
    }
    // Columns of expressions take the type of their first value.
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].known)
            continue;
        for (const Row &r : qAsConst(m_rows)) {
            if (r[c].isValid()) {
                m_columns[c].def.type = typeOfValue(r[c]);
                break;
            }
        }
    }
    m_haveResult = true;
}

void Query::buildFields(QVector<Field> &fields)
{
    if (!m_haveResult)
        runQuery();
    fields.clear();
    for (const Column &c : qAsConst(m_columns))
        fields.append({c.def, FieldKind::Stored, -1, -1});
}

void Query::loadRows()
{
    // Opening has just read the result; a refresh or a new filter reads it
    // again, so rows that changed meanwhile show.
    if (!m_haveResult)
        runQuery();
    m_haveResult = false;
    m_view.clear();
    const FilterExpr *filter = activeFilter();
    for (int i = 0; i < m_rows.size(); ++i) {
        if (filter && !filter->matches([&](int f) { return m_rows[i].value(f); }))
            continue;
        m_view.append(i);
    }
}

void Query::unloadRows()
{
    m_view.clear();
    m_rows.clear();
    m_haveResult = false;
}

Row Query::fetchRow(int row) const
{
    Row r = m_rows[m_view[row]];
    r.resize(fieldCount());
    return r;
}

int Query::rowOfKey(const QVariant &key) const
{
    return key.isValid() ? int(m_view.indexOf(key.toInt())) : -1;
}

int Query::exec()
{
    if (isOpen())
        close();
    QSqlQuery q(database().connection());
    if (!q.prepare(m_sql))
        throw DbError(engineMessage(q.lastError()));
    bindParams(q, m_sql, m_params);
    if (!q.exec())
        throw DbError(engineMessage(q.lastError()));
    return q.numRowsAffected();
}

}  // namespace data
