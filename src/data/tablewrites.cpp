// Writes of a table data set: a row inserted, updated or deleted inside a
// unit of work, and written only while it is still as it was read; the
// table emptied; the rows of another data set appended.

#include "data/table.h"

#include "data/database.h"
#include "data/engine.h"
#include "data/rowconflict.h"
#include "data/rowpages.h"
#include "data/storage.h"

namespace data {

using schema::quoted;

namespace {

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

}  // namespace

// The condition that a row is still as read: " AND" each checked field is
// (nulls equal) its value as read, in the stored form.
QString Table::asReadCondition(const Row &asRead, const QVector<bool> &written, QVariantList &params) const
{
    const QString same = database().engine().sameValueOperator();
    QString out;
    for (int f = 0; f < fieldCount(); ++f) {
        if (!checks(field(f), written.value(f)))
            continue;
        out += QStringLiteral(" AND %1 %2 ?").arg(quoted(field(f).def.name), same);
        params << toStorage(asRead.value(f));
    }
    return out;
}

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

    Database &db = database();
    Database::Transaction tx(db);
    qint64 id = key.toLongLong();
    if (inserting) {
        QStringList marks;
        marks.fill(QStringLiteral("?"), cols.size());
        const QString sql = cols.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(tableName()))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(quoted(tableName()), cols.join(QStringLiteral(", ")),
                                           marks.join(QStringLiteral(", ")));
        id = db.insert(sql, params, def.autoKey);
    } else if (!cols.isEmpty()) {
        QStringList sets;
        for (const QString &c : cols)
            sets << c + QStringLiteral(" = ?");
        params << id;
        const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                                .arg(quoted(tableName()), sets.join(QStringLiteral(", ")), keyColumn());
        QVariantList checked = params;
        if (db.exec(asRead ? sql + asReadCondition(*asRead, changed, checked) : sql, checked) == 0) {
            if (!asRead)
                throw DbError(QStringLiteral("A sort időközben törölték."));
            requireUnchanged(id, *asRead, changed, false);
            db.exec(sql, params);  // the row is as read; only its stored form differs
        }
    }
    commitWritten(tx);
    if (m_pages)
        m_pages->forget(id);
    dropFindIndex();
    return id;
}

void Table::deleteRow(const QVariant &key, const Row *asRead)
{
    Database &db = database();
    Database::Transaction tx(db);
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quoted(tableName()), keyColumn());
    const QVector<bool> none(fieldCount(), false);
    QVariantList checked{key};
    const int deleted = db.exec(asRead ? sql + asReadCondition(*asRead, none, checked) : sql, checked);
    if (asRead && deleted == 0) {
        requireUnchanged(key.toLongLong(), *asRead, none, true);
        db.exec(sql, {key});  // the row is as read; only its stored form differs
    }
    commitWritten(tx);
    if (m_pages)
        m_pages->forget(key.toLongLong());
}

// After a write that found its row no longer as read: raises RowConflict
// with the row as it is now, unless its values, read and converted again,
// are still those read (a value whose stored form differs from the form
// written, such as a date kept with a time of day). Runs inside the write's
// unit, which holds the right to write or locks the row it reads, so the
// row cannot change between this read and the write.
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
    const auto st = database().prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?%4")
                                           .arg(cols.join(QStringLiteral(", ")), quoted(tableName()), keyColumn(),
                                                database().engine().rowLockClause()));
    st->bind(0, id);
    Row now;
    if (st->next()) {
        now = Row(fieldCount());
        for (int c = 0; c < fields.size(); ++c)
            now[fields[c]] = fromStorage(st->value(c), field(fields[c]).def.type);
    }
    bool same = !now.isEmpty();
    for (int c = 0; same && c < fields.size(); ++c) {
        const int f = fields[c];
        if (checks(field(f), written.value(f)))
            same = sameValue(asRead.value(f), now[f]);
    }
    if (same)
        return;
    if (m_pages)
        m_pages->forget(id);
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

void Table::emptyTable()
{
    Database::Transaction tx(database());
    database().exec(QStringLiteral("DELETE FROM %1").arg(quoted(tableName())));
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
    // Values are converted as this table's fields convert typed values.
    Table probe(database(), tableName());
    QVector<Field> fields;
    probe.buildFields(fields);
    probe.m_fields = fields;

    int moved = 0;
    Database &db = database();
    Database::Transaction tx(db);
    const auto insert = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(quoted(tableName()), cols.join(QStringLiteral(", ")),
                                            marks.join(QStringLiteral(", "))));
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
        for (int c = 0; c < values.size(); ++c)
            insert->bind(c, values[c]);
        // A key or a type that refuses the row undoes only its own
        // statement; a full disk or a lock ends the move.
        if (db.runUnlessRefused(*insert))
            ++moved;
    }
    tx.commit();
    if (isOpen())
        resetKeeping(currentRow() >= 0 ? rowKey(currentRow()) : QVariant(), currentRow());
    return moved;
}

}  // namespace data
