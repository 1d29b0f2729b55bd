#pragma once
// Data sets: the rows of a table or of a query result with a current row,
// an order, a filter, finds, lookup and calculated fields and editing states.
// Every window reads and writes the register through these classes.

#include "data/schema.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QVariant>
#include <QPair>
#include <QVector>
#include <functional>
#include <memory>

namespace data {

class Database;
class FilterExpr;

enum class State { Inactive, Browse, Insert, Edit };
enum class FieldKind { Stored, Lookup, Calculated };

struct Field {
    schema::FieldDef def;
    FieldKind kind = FieldKind::Stored;
    int lookup = -1;    // a lookup field: its index among the table's lookups
    int keyField = -1;  // a lookup field: the index of the key field it follows
};

enum LocateOption { CaseInsensitive = 0x1, PartialKey = 0x2 };
Q_DECLARE_FLAGS(LocateOptions, LocateOption)

using Row = QVector<QVariant>;

class DataSet : public QObject {
    Q_OBJECT
public:
    // The value of a calculated field for the row whose values are given.
    using Calculator = std::function<QVariant(const DataSet &, const Row &)>;

    explicit DataSet(Database &db, QObject *parent = nullptr);
    ~DataSet() override;

    Database &database() const { return m_db; }

    // ---- structure --------------------------------------------------------
    int fieldCount() const { return m_fields.size(); }
    const Field &field(int i) const { return m_fields[i]; }
    // Field names compare without regard to case; -1 when there is none.
    int fieldIndex(const QString &name) const;
    // As fieldIndex, but raises DbError for an unknown field.
    int requireField(const QString &name) const;
    // A calculated field, declared before the data set is opened.
    void addCalculatedField(const schema::FieldDef &def, Calculator calc);

    // ---- opening ----------------------------------------------------------
    void open();
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Insert || m_state == State::Edit; }

    // ---- navigation -------------------------------------------------------
    int recordCount() const;            // rows passing the filter
    bool isEmpty() const { return recordCount() == 0; }
    int currentRow() const { return m_current; }  // 0-based, -1 when empty
    int recNo() const { return m_current + 1; }   // 1-based, 0 when empty
    void setCurrentRow(int row);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }

    // ---- walks ------------------------------------------------------------
    // While disabled, moves of the current row are not told to grids and
    // bound controls, which also ignore the data set's other notices; the
    // last enableControls() tells them once (rowsReset). Calls nest. A query
    // reads on with one open statement while its controls are disabled.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabledControls > 0; }

    // ---- reading ----------------------------------------------------------
    // Values of the current row; in insert or edit state, of the edit buffer.
    QVariant value(int field) const;
    QVariant value(const QString &field) const { return value(requireField(field)); }
    bool isNull(const QString &field) const;
    // Null-safe reads: null is "" as text and 0 as a number. The text of a
    // number is plain: locale decimal separator, no digit grouping.
    QString asString(const QString &field) const;
    qint64 asInteger(const QString &field) const;
    double asFloat(const QString &field) const;
    bool asBoolean(const QString &field) const;
    QDate asDate(const QString &field) const;
    QDateTime asDateTime(const QString &field) const;
    // The value shown to the user: the field's display format applied.
    QString displayText(const QString &field) const;

    // Values of any visible row, for grids.
    QVariant valueAt(int row, int field) const;
    QString displayTextAt(int row, int field) const;

    // ---- filter -----------------------------------------------------------
    // Comparisons of fields with numbers or quoted texts, parenthesised and
    // joined by "and" / "or": "ugyfel=5", "(terulet=2) and (aktiv='I')".
    // A malformed text raises DbError.
    void setFilter(const QString &text);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

    // ---- finding ----------------------------------------------------------
    // Makes current the first row, in the current order, whose field equals
    // the value (or begins with it with PartialKey). Returns whether one was
    // found; the current row moves only then. A value that does not fit the
    // field's type raises DbError.
    bool locate(const QString &field, const QVariant &value, LocateOptions options = {});

    // ---- editing ----------------------------------------------------------
    void insert();                      // a new, empty row becomes current
    void edit();                        // the current row goes into edit
    void setValue(const QString &field, const QVariant &value);
    void setValue(int field, const QVariant &value);
    void clearValue(const QString &field) { setValue(field, QVariant()); }
    // Writes the row in one committed transaction (or inside the caller's
    // open transaction). On failure raises the engine's message and leaves
    // the row in its state.
    void post();
    void cancel();
    void remove();                      // deletes the current row
    bool isModified() const { return m_modified; }

    // Re-reads the rows from the database, keeping the current row.
    void refresh();
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool ro) { m_readOnly = ro; }

Q_SIGNALS:
    void opened();
    void closed();
    void rowsReset();                   // rows reordered, filtered, re-read
    void rowChanged(int row);           // the values of one visible row changed
    void currentChanged();              // the current row moved
    void stateChanged();
    void valueChanged(int field);       // a value of the edit buffer changed
    void afterPost();
    void afterDelete();

protected:
    // What a source does; the base class does the bookkeeping.
    virtual void buildFields(QVector<Field> &fields) = 0;
    virtual void loadRows() = 0;        // (re)build the visible rows
    virtual void unloadRows() = 0;
    virtual int rowCount() const = 0;
    // The stored and lookup values of a visible row (calculated ones empty).
    virtual Row fetchRow(int row) const = 0;
    // A key of a visible row that survives reordering and re-reading.
    virtual QVariant rowKey(int row) const = 0;
    virtual int rowOfKey(const QVariant &key) const = 0;
    // The first visible row, in order, whose field matches; -1 when none.
    // The value is already converted to the field's type.
    virtual int findRow(int field, const QVariant &value, LocateOptions options) const;
    // Writing. The defaults raise the read-only error.
    virtual QVariant writeRow(bool inserting, const QVariant &key, const Row &values,
                              const QVector<bool> &changed);
    virtual void deleteRow(const QVariant &key);
    // Puts a written row where the order and filter want it (or out of
    // view); returns its visible row or -1.
    virtual int placeRow(const QVariant &key, int oldRow);
    virtual void removeRowFromView(int row);
    // The value of a lookup field for a key, for the edit buffer.
    virtual QVariant lookupValue(int field, const QVariant &key) const;
    // The parsed filter, or nullptr while filtering is off.
    const FilterExpr *activeFilter() const;
    // Converts a value to the type of a field; raises DbError when it does
    // not fit. Texts are cut to the field's size; an empty text is null.
    QVariant convertForField(int field, const QVariant &value) const;
    // Matching rule of finds, shared by every source.
    static bool valueMatches(const QVariant &have, const QVariant &wanted, bool text, LocateOptions options);

    // The last enableControls() of a walk; a source may let go of what it
    // kept for reading on.
    virtual void controlsEnabled() {}

    // Re-reads the rows (order or filter changed) and makes the row of `key`
    // current, or `fallbackRow` when it is gone.
    void resetKeeping(const QVariant &key, int fallbackRow);

    QVector<Field> m_fields;

private:
    void requireOpen() const;
    void requireRow() const;
    void setCurrent(int row);
    void completeRow(Row &row) const;
    void onRolledBack();
    void buildNameIndex();

    Database &m_db;
    QHash<QString, int> m_fieldByName;   // names as given and case-folded
    QVector<QPair<schema::FieldDef, Calculator>> m_calculated;
    QVector<Calculator> m_calculators;   // per field; empty for others
    State m_state = State::Inactive;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    QString m_filterText;
    std::unique_ptr<FilterExpr> m_filterExpr;
    bool m_filtered = false;
    bool m_readOnly = false;
    Row m_buffer;                        // the row in insert or edit state
    QVector<bool> m_changed;
    QVariant m_editKey;
    int m_editRow = -1;
    bool m_modified = false;
    int m_disabledControls = 0;
};

// Disables a data set's controls for a scope: a walk over its rows.
class ControlsDisabled {
public:
    explicit ControlsDisabled(DataSet &ds) : m_ds(ds) { m_ds.disableControls(); }
    ~ControlsDisabled() { m_ds.enableControls(); }
    ControlsDisabled(const ControlsDisabled &) = delete;
    ControlsDisabled &operator=(const ControlsDisabled &) = delete;

private:
    DataSet &m_ds;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

}  // namespace data
