#include "data/atvitel.h"

#include "data/engine.h"
#include "data/schema.h"
#include "data/sqliteengine.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <cmath>
#include <memory>

namespace data {

namespace {

// Rows per INSERT: one round trip carries many rows, and the statement's
// marks stay below what either engine takes in one statement.
constexpr int kBatchRows = 200;
constexpr int kMostMarks = 32766;
// Sums closer than this are the same money: half a fillér.
constexpr double kSameMoney = 0.005;

// The fields whose sums must agree after a copy: the money of the places and
// of the bookings.
QStringList moneyFields(const schema::TableDef &table)
{
    QStringList out;
    if (table.name != QLatin1String("ugyfel") && table.name != QLatin1String("foglalas"))
        return out;
    for (const schema::FieldDef &f : table.fields)
        if (f.type == schema::FieldType::Float)
            out << f.name;
    return out;
}

QString columnList(const schema::TableDef &table)
{
    QStringList columns;
    for (const schema::FieldDef &f : table.fields)
        columns << schema::quoted(f.name);
    return columns.join(QStringLiteral(", "));
}

TableTally tally(Database &db, const schema::TableDef &table, const QStringList &money)
{
    QStringList sums{QStringLiteral("count(*)")};
    for (const QString &field : money)
        sums << QStringLiteral("sum(%1)").arg(schema::quoted(field));
    const auto st = db.prepare(QStringLiteral("SELECT %1 FROM %2").arg(sums.join(QStringLiteral(", ")),
                                                                      schema::quoted(table.name)));
    TableTally out;
    if (st->next()) {
        out.rows = st->value(0).toLongLong();
        for (int i = 0; i < money.size(); ++i)
            out.totals << st->value(i + 1).toDouble();  // the sum of no rows is null: 0
    }
    st->reset();
    return out;
}

bool hasRows(Database &db, const schema::TableDef &table)
{
    const auto st = db.prepare(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(schema::quoted(table.name)));
    const bool any = st->next();
    st->reset();
    return any;
}

// The rows of one table into the target, a batch of rows per statement: a
// statement for a full batch, prepared once, and one for the last rows.
class BatchInsert {
public:
    BatchInsert(Database &db, const schema::TableDef &table)
        : m_db(db), m_table(table), m_columns(int(table.fields.size())),
          m_batchRows(qBound(1, kMostMarks / m_columns, kBatchRows))
    {
        m_values.reserve(m_batchRows * m_columns);
    }

    // Takes the current row of `row`, whose columns are the table's fields;
    // true when that wrote a batch.
    bool add(const Statement &row)
    {
        for (int c = 0; c < m_columns; ++c)
            m_values << row.value(c);
        if (m_values.size() < m_batchRows * m_columns)
            return false;
        flush();
        return true;
    }

    void flush()
    {
        const int rows = int(m_values.size()) / m_columns;
        if (rows == 0)
            return;
        std::unique_ptr<Statement> &st = rows == m_batchRows ? m_full : m_rest;
        if (!st)
            st = m_db.prepare(insertSql(rows));
        for (int i = 0; i < m_values.size(); ++i)
            st->bind(i, m_values[i]);
        m_db.run(*st);
        m_values.clear();
        m_written += rows;
    }

    qint64 written() const { return m_written; }

private:
    QString insertSql(int rows) const
    {
        const QString row = QLatin1Char('(') + QStringLiteral("?, ").repeated(m_columns - 1) + QStringLiteral("?)");
        QStringList values;
        for (int r = 0; r < rows; ++r)
            values << row;
        return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
            .arg(schema::quoted(m_table.name), columnList(m_table), values.join(QStringLiteral(", ")));
    }

    Database &m_db;
    const schema::TableDef &m_table;
    const int m_columns;
    const int m_batchRows;
    QVariantList m_values;  // the batch being gathered, row after row
    std::unique_ptr<Statement> m_full;
    std::unique_ptr<Statement> m_rest;
    qint64 m_written = 0;
};

// The unit just begun on a server reads one moment of it, whatever other
// desks commit meanwhile (a file's unit keeps other writers out anyway). The
// level must be set before the unit's first statement that reads, which a
// prepared statement is to the server: it goes as a plain command.
void readOneMoment(Database &source)
{
    QSqlQuery set(source.connection());
    if (!set.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY")))
        throw DbError(set.lastError().text());
}

// Reads a table in key order (rows without a key of their own in the order
// they were written) and writes it into the target with the same keys.
void copyTable(Database &source, Database &target, const schema::TableDef &table, const CopyProgress &progress)
{
    const QString order = table.autoKey.isEmpty() ? source.engine().rowIdColumn() : schema::quoted(table.autoKey);
    const auto read = source.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                         .arg(columnList(table), schema::quoted(table.name), order));
    BatchInsert write(target, table);
    while (read->next()) {
        if (write.add(*read) && progress)
            progress(table.name, write.written());
    }
    write.flush();
    if (!table.autoKey.isEmpty())
        target.keysGiven(table.name, table.autoKey);
    if (progress)
        progress(table.name, write.written());
}

// The text fields of a table whose values in `db` are longer than the
// field's size, which a file keeps and a server refuses: "name (size): rows".
QStringList tooLong(Database &db, const schema::TableDef &table)
{
    QStringList out;
    for (const schema::FieldDef &f : table.fields) {
        if (f.type != schema::FieldType::Text || f.size <= 0)
            continue;
        const auto st = db.prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE length(%2) > %3")
                                       .arg(schema::quoted(table.name), schema::quoted(f.name))
                                       .arg(f.size));
        const qint64 rows = st->next() ? st->value(0).toLongLong() : 0;
        st->reset();
        if (rows > 0)
            out << QStringLiteral("%1 (%2 karakter): %3 sor").arg(f.name).arg(f.size).arg(rows);
    }
    return out;
}

// A table that could not be written, with what may be the cause in the source.
DbError copyFailed(Database &source, const schema::TableDef &table, const DbError &error)
{
    QString message = QStringLiteral("A(z) %1 tábla átvitele nem sikerült: %2").arg(table.name, error.message());
    try {
        const QStringList longer = tooLong(source, table);
        if (!longer.isEmpty())
            message += QStringLiteral("\nA forrásban a mező méreténél hosszabb szövegek: %1. Javítsa őket (például "
                                      "az SQL ablakban), majd indítsa újra az átvitelt.")
                           .arg(longer.join(QStringLiteral("; ")));
    } catch (const DbError &) {
        // The engine's own message stands alone.
    }
    return DbError(message);
}

// Makes the target ready for the rows: the tables made when it has none, or
// (when replacing) every row deleted. A target with only some of the tables,
// or with rows that are not to be replaced, is refused.
void prepareTarget(Database &target, bool replace)
{
    const QStringList present = target.tableNames();
    QStringList missing, filled;
    for (const schema::TableDef &t : schema::tables()) {
        if (!present.contains(t.name.toLower()))
            missing << t.name;
        else if (!replace && hasRows(target, t))
            filled << t.name;
    }
    if (missing.size() == schema::tables().size()) {
        target.createTables();
        return;
    }
    if (!missing.isEmpty())
        throw DbError(QStringLiteral("A cél (%1) a nyilvántartás tábláinak csak egy részét tartalmazza, hiányzik: "
                                     "%2. Üres adatbázisba vagy új adatmappába lehet átvinni.")
                          .arg(target.location(), missing.join(QStringLiteral(", "))));
    if (!filled.isEmpty())
        throw DbError(QStringLiteral("A cél (%1) már tartalmaz adatokat (%2). Az átvitel csak üres adatbázisba "
                                     "vagy új adatmappába ír, meglévő adatot nem ír felül.")
                          .arg(target.location(), filled.join(QStringLiteral(", "))));
    if (replace) {
        for (const schema::TableDef &t : schema::tables())
            target.exec(QStringLiteral("DELETE FROM %1").arg(schema::quoted(t.name)));
    }
}

// A server that was just filled learns what its tables hold and which of
// their pages are settled, so that the first desks read the lists' orders
// from the indexes alone. What cannot be done waits for the server's own
// upkeep: the copy stands either way.
void tidyServer(Database &target)
{
    QSqlQuery(target.connection()).exec(QStringLiteral("VACUUM ANALYZE"));
}

QVector<CopyCheck> copyAll(Database &source, Database &target, bool replace, const CopyProgress &progress)
{
    // The source is read in a unit of its own, so that every table comes
    // from the same moment.
    UnitOfWork snapshot(source);
    if (source.isServer())
        readOneMoment(source);
    UnitOfWork unit(target);
    prepareTarget(target, replace);
    QVector<CopyCheck> checks;
    QStringList differ;
    for (const schema::TableDef &t : schema::tables()) {
        try {
            copyTable(source, target, t, progress);
        } catch (const DbError &e) {
            throw copyFailed(source, t, e);
        }
        CopyCheck check{t.name, moneyFields(t), {}, {}};
        check.source = tally(source, t, check.moneyFields);
        check.target = tally(target, t, check.moneyFields);
        if (!check.same())
            differ << t.name;
        checks << check;
    }
    if (!differ.isEmpty())
        throw CopyMismatch(QStringLiteral("A két oldal sorainak száma vagy pénzösszegei eltérnek (%1); az átvitel "
                                          "visszavonva, a cél változatlan.")
                               .arg(differ.join(QStringLiteral(", "))),
                           checks);
    unit.commit();
    snapshot.commit();
    if (target.isServer())
        tidyServer(target);
    return checks;
}

QString amount(double value)
{
    return QLocale(QLocale::Hungarian, QLocale::Hungary).toString(value, 'f', 2);
}

}  // namespace

bool CopyCheck::same() const
{
    if (source.rows != target.rows || source.totals.size() != target.totals.size())
        return false;
    for (int i = 0; i < source.totals.size(); ++i)
        if (!(std::abs(source.totals[i] - target.totals[i]) < kSameMoney))
            return false;
    return true;
}

CopyMismatch::CopyMismatch(const QString &message, const QVector<CopyCheck> &checks)
    : DbError(message), m_checks(checks)
{
}

QVector<CopyCheck> copyRegister(Database &source, Database &target, const CopyProgress &progress)
{
    return copyAll(source, target, false, progress);
}

QVector<CopyCheck> replaceRegister(Database &source, Database &target, const CopyProgress &progress)
{
    return copyAll(source, target, true, progress);
}

void openNewDataFolder(Database &db, const QString &folder)
{
    const QString file = QDir(folder).filePath(QLatin1String(Database::kFileName));
    if (QFileInfo::exists(file) || QFileInfo(file).isSymLink())
        throw DbError(QStringLiteral("A mappában már van adatbázis: %1. Új, üres adatmappát adjon meg.")
                          .arg(QDir::toNativeSeparators(file)));
    if (!QDir().mkpath(folder))
        throw DbError(QStringLiteral("Az adatmappa nem hozható létre: %1").arg(QDir::toNativeSeparators(folder)));
    const QString connection = QStringLiteral("uj-adatmappa-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString why;
    const bool made = openNewRegisterFile(file, connection, &why);
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
    if (!made)
        throw DbError(QStringLiteral("Az adatbázis fájl nem hozható létre: %1").arg(why));
    db.params() = QStringList{QStringLiteral("PATH=") + folder};
    db.openToFill();
}

QStringList checkReport(const QVector<CopyCheck> &checks)
{
    const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
    QStringList lines{QStringLiteral("tábla: sorok (forrás / cél), pénzösszegek (forrás / cél)")};
    for (const CopyCheck &c : checks) {
        lines << QStringLiteral("%1: %2 / %3 sor — %4")
                     .arg(c.table, hu.toString(c.source.rows), hu.toString(c.target.rows),
                          c.same() ? QStringLiteral("egyezik") : QStringLiteral("ELTÉR"));
        for (int i = 0; i < c.moneyFields.size(); ++i)
            lines << QStringLiteral("    %1: %2 / %3")
                         .arg(c.moneyFields[i], amount(c.source.totals.value(i)), amount(c.target.totals.value(i)));
    }
    return lines;
}

}  // namespace data
