#pragma once
// The description of every table of the register: fields in stored order with
// type, size, label, display format and edit mask, keys, indexes and the
// lookup fields that data sets show beside their key fields.
//
// The data layer plays the part of the table engine, so its own vocabulary is
// English; the names of tables and fields are the register's Hungarian ones.

#include <QString>
#include <QStringList>
#include <QVector>

namespace schema {

enum class FieldType { Text, Integer, AutoInc, Float, Date, Timestamp, Memo, Boolean };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;            // characters of a text field; 0 means unlimited
    QString label;           // display label; empty means the field's own name
    QString format;          // display format: "00000", "### ### ##0", ...
    QString mask;            // edit mask: "!90.00;1;_", ...
    // A running total: moved only by additions in statements of its own, so
    // a row write that does not set it does not check it either.
    bool runningTotal = false;

    QString title() const { return label.isEmpty() ? name : label; }
    bool isText() const { return type == FieldType::Text || type == FieldType::Memo; }
    bool isNumeric() const {
        return type == FieldType::Integer || type == FieldType::AutoInc || type == FieldType::Float;
    }
    bool isIntegral() const { return type == FieldType::Integer || type == FieldType::AutoInc; }
};

// A field that is not stored but shown beside a key field: the result field of
// the row of another table whose key equals the key; empty when no row has it.
struct LookupDef {
    FieldDef field;          // name, size and label of the lookup field
    QString keyField;        // the key field of this table it stands after
    QString table;           // the other table
    QString tableKey;        // its key field
    QString resultField;     // its result field
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool descending = false;
    bool unique = false;
};

struct TableDef {
    QString name;
    QVector<FieldDef> fields;
    QVector<LookupDef> lookups;
    QString autoKey;         // the auto-increment key field, if any
    QVector<IndexDef> indexes;

    int fieldIndex(const QString &name) const;        // case-insensitive, -1 if none
    const FieldDef *field(const QString &name) const; // case-insensitive
    const IndexDef *index(const QString &name) const; // case-insensitive
};

// Every table of the register, in a fixed order.
const QVector<TableDef> &tables();
// The table of that name (case-insensitive; a trailing ".db" is allowed).
const TableDef *table(const QString &name);
// Strips a trailing ".db" of a table object's file name.
QString bareTableName(const QString &name);

// A table's or field's name as it stands in a statement: "name".
QString quoted(const QString &name);

// The statements that create the whole schema: tables, then indexes.
QStringList createStatements();
// The statement that creates one index of a table.
QString createIndexStatement(const TableDef &table, const IndexDef &index);

}  // namespace schema
