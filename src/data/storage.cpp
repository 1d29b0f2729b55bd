#include "data/storage.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

namespace data {

QVariant toStorage(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    default: return v;
    }
}

namespace {

// "2026-12-09" read digit by digit: the form every stored date has, and
// far cheaper than the general parser on a walk over many rows. Anything
// else gives an invalid date.
QDate isoDay(const QString &s)
{
    if (s.size() < 10 || s[4] != QLatin1Char('-') || s[7] != QLatin1Char('-'))
        return QDate();
    int parts[3] = {0, 0, 0};
    const int from[3] = {0, 5, 8};
    const int len[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = from[p]; i < from[p] + len[p]; ++i) {
            const char16_t c = s[i].unicode();
            if (c < u'0' || c > u'9')
                return QDate();
            parts[p] = parts[p] * 10 + (c - u'0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

}  // namespace

QVariant fromStorage(const QVariant &raw, schema::FieldType type)
{
    if (!raw.isValid() || raw.isNull())
        return QVariant();
    using T = schema::FieldType;
    // What the engine keeps in the field's own kind needs no conversion
    // (reading a whole table passes here once per value).
    const int kind = raw.typeId();
    if ((kind == QMetaType::QString && (type == T::Text || type == T::Memo))
        || (kind == QMetaType::LongLong && (type == T::Integer || type == T::AutoInc))
        || (kind == QMetaType::Double && type == T::Float))
        return raw;
    switch (type) {
    case T::Integer:
    case T::AutoInc: {
        // A fraction that another program stored stays what it is; it is
        // not cut to a whole number that filters and finds would then see.
        if (raw.typeId() == QMetaType::Double && raw.toDouble() != std::floor(raw.toDouble()))
            return raw;
        bool ok = false;
        const qlonglong i = raw.toLongLong(&ok);
        return ok ? QVariant(i) : raw;
    }
    case T::Float: {
        bool ok = false;
        const double d = raw.toDouble(&ok);
        return ok ? QVariant(d) : raw;
    }
    case T::Date: {
        const QString s = raw.toString();
        QDate d = isoDay(s);
        if (!d.isValid())
            d = QDate::fromString(s.left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : raw;
    }
    case T::Timestamp: {
        const QString s = raw.toString();
        QDateTime t = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!t.isValid())
            t = QDateTime::fromString(s, Qt::ISODate);
        return t.isValid() ? QVariant(t) : raw;
    }
    case T::Boolean: return raw.toBool();
    case T::Text:
    case T::Memo: return raw.toString();
    }
    return raw;
}

bool isStoredNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

}  // namespace data
