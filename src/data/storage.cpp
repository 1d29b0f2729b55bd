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

namespace {

// SQLite's result codes: the primary code is the low byte of an extended one.
enum SqliteCode {
    kPerm = 3, kBusy = 5, kLocked = 6, kNoMem = 7, kReadOnly = 8, kInterrupt = 9, kIoErr = 10,
    kCorrupt = 11, kFull = 13, kCantOpen = 14, kProtocol = 15, kTooBig = 18, kConstraint = 19,
    kMismatch = 20, kAuth = 23, kNotADb = 26,
    kConstraintCheck = 275, kConstraintNotNull = 1299, kConstraintPrimaryKey = 1555,
    kConstraintUnique = 2067,
};

QString byCode(int code)
{
    switch (code) {
    case kConstraintUnique:
    case kConstraintPrimaryKey: return QStringLiteral("Már van ilyen kulcsú sor, a kulcs nem ismétlődhet.");
    case kConstraintNotNull: return QStringLiteral("Egy kötelező mező üresen maradt.");
    case kConstraintCheck: return QStringLiteral("Egy érték nem felel meg a mező feltételének.");
    default: break;
    }
    switch (code & 0xFF) {
    case kPerm:
    case kAuth: return QStringLiteral("Az adatbázishoz való hozzáférés megtagadva.");
    case kBusy: return QStringLiteral("Az adatbázist egy másik program zárolja.");
    case kLocked: return QStringLiteral("Az adatbázis egyik tábláját egy másik művelet zárolja.");
    case kNoMem: return QStringLiteral("Elfogyott a memória.");
    case kReadOnly: return QStringLiteral("Az adatbázis csak olvasható, a változás nem menthető.");
    case kInterrupt: return QStringLiteral("A művelet megszakadt.");
    case kIoErr: return QStringLiteral("Lemezhiba történt az adatbázis olvasása vagy írása közben.");
    case kCorrupt: return QStringLiteral("Az adatbázis fájl megsérült.");
    case kFull: return QStringLiteral("Megtelt a lemez (vagy az adatbázis elérte a legnagyobb méretét), "
                                      "a változás nem menthető.");
    case kCantOpen: return QStringLiteral("Az adatbázis fájl nem nyitható meg.");
    case kProtocol: return QStringLiteral("Az adatbázis zárolása nem sikerült.");
    case kTooBig: return QStringLiteral("Az érték túl nagy az adatbázis számára.");
    case kConstraint: return QStringLiteral("A változás sérti az adatbázis egyik szabályát.");
    case kMismatch: return QStringLiteral("Az érték típusa nem illik a mezőhöz.");
    case kNotADb: return QStringLiteral("A fájl nem adatbázis, vagy megsérült.");
    default: return QString();
    }
}

// For an error without a result code: the engine's fixed texts.
QString byText(const QString &engine)
{
    static const struct {
        const char *text;
        int code;
    } known[] = {
        {"database is locked", kBusy},
        {"database table is locked", kLocked},
        {"attempt to write a readonly database", kReadOnly},
        {"database or disk is full", kFull},
        {"database disk image is malformed", kCorrupt},
        {"file is not a database", kNotADb},
        {"disk I/O error", kIoErr},
        {"unable to open database file", kCantOpen},
        {"UNIQUE constraint failed", kConstraintUnique},
        {"NOT NULL constraint failed", kConstraintNotNull},
        {"CHECK constraint failed", kConstraintCheck},
    };
    for (const auto &k : known)
        if (engine.contains(QLatin1String(k.text), Qt::CaseInsensitive))
            return byCode(k.code);
    return QString();
}

}  // namespace

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

QString engineMessage(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    const QString engine = db.isEmpty() ? error.text().trimmed() : db;
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    QString hungarian = ok ? byCode(code) : QString();
    if (hungarian.isEmpty())
        hungarian = byText(engine);
    // The engine's own text stays, for whoever looks into the fault.
    return hungarian.isEmpty() ? engine : QStringLiteral("%1\n(%2)").arg(hungarian, engine);
}

}  // namespace data
