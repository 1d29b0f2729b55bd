#include "data/storage.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
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

QVariant fromStorage(const QVariant &raw, schema::FieldType type)
{
    if (!raw.isValid() || raw.isNull())
        return QVariant();
    using T = schema::FieldType;
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
        const QDate d = QDate::fromString(raw.toString().left(10), Qt::ISODate);
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

QString engineMessage(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.text().trimmed() : db;
}

}  // namespace data
