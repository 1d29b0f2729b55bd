#include "data/engine.h"

#include "data/database.h"
#include "data/storage.h"

#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace data {

sqlite3 *engineHandle(const QSqlDatabase &db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0 || !*static_cast<sqlite3 *const *>(v.constData()))
        throw DbError(QStringLiteral("Az adatbázis nem SQLite-kapcsolaton nyílt meg."));
    return *static_cast<sqlite3 *const *>(v.constData());
}

QString engineText(sqlite3 *h)
{
    return engineMessage(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(h)), QSqlError::StatementError,
                                   QString::number(sqlite3_extended_errcode(h))));
}

[[noreturn]] void raiseEngine(sqlite3_stmt *st)
{
    sqlite3 *h = sqlite3_db_handle(st);
    const QString message = engineText(h);
    sqlite3_reset(st);
    throw DbError(message);
}

QVariant columnValue(sqlite3_stmt *st, int c)
{
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, c));
    case SQLITE_NULL: return QVariant();
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(st, c)), sqlite3_column_bytes(st, c));
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
    }
}

sqlite3_stmt *prepareStatement(sqlite3 *h, const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &st, nullptr) == SQLITE_OK)
        return st;
    const QString message = engineText(h);
    sqlite3_finalize(st);
    throw DbError(message);
}

namespace {

void bindOne(sqlite3_stmt *st, int i, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(st, i, v.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(st, i, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
}

}  // namespace

void bindNamed(sqlite3_stmt *st, const QMap<QString, QVariant> &params)
{
    const int n = sqlite3_bind_parameter_count(st);
    for (int i = 1; i <= n; ++i) {
        const char *name = sqlite3_bind_parameter_name(st, i);
        if (!name || (name[0] != ':' && name[0] != '@' && name[0] != '$'))
            continue;
        const QString wanted = QString::fromUtf8(name + 1);
        for (auto it = params.cbegin(); it != params.cend(); ++it) {
            if (it.key().compare(wanted, Qt::CaseInsensitive) == 0) {
                bindOne(st, i, toStorage(it.value()));
                break;
            }
        }
    }
}

}  // namespace data
