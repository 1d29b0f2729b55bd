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
class RowConflict;

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
    // Every value of a visible row in field order, read at once: a walk
    // that reads each field of each row reads each row once.
    Row valuesAt(int row) const;
    // A value of a field as plain text, as asString reads it: null is "",
    // a number has no display format, a date is ISO.
    static QString plainText(const QVariant &value, const schema::FieldDef &def);

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
    // the value (or begins with it with PartialKey; CaseInsensitive sets
    // letter case aside, accents still count). Returns whether one was
    // found; the current row moves only then. A value that does not fit the
    // field's type raises DbError.
    bool locate(const QString &field, const QVariant &value, LocateOptions options = {});

    // ---- editing ----------------------------------------------------------
    void insert();                      // a new, empty row becomes current
    void edit();                        // the current row goes into edit
    void setValue(const QString &field, const QVariant &value);
    void setValue(int field, const QVariant &value);
    void clearValue(const QString &field) { setValue(field, QVariant()); }
    // Writes the row in one committed transaction. On failure raises the
    // engine's message and leaves the row in its state. Inside an open unit
    // of work (Database::Transaction) the row is written, but the data set
    // stays in insert or edit with its values until the unit commits; then
    // it shows the row in browse and emits afterPost. Moving to another row,
    // inserting or cancelling before the commit shows the written row at
    // once; afterPost still waits for the commit.
    void post();
    // Discards the typing since the last post.
    void cancel();
    // Deletes the current row; inside a unit afterDelete waits for the
    // commit, and a rollback brings the row back as the current row.
    void remove();
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
    // Writing. The defaults raise the read-only error. `asRead` is the row
    // as the data set read it before the edit or delete: the write goes
    // ahead only while the row is still so, otherwise it raises RowConflict.
    // Null: no check (a new row, or one this unit of work wrote already and
    // so holds).
    virtual QVariant writeRow(bool inserting, const QVariant &key, const Row &values,
                              const QVector<bool> &changed, const Row *asRead);
    virtual void deleteRow(const QVariant &key, const Row *asRead);
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
    // Raises DbError when a changed masked text does not fit its mask.
    void checkMasks() const;
    // Matching rule of finds, shared by every source.
    static bool valueMatches(const QVariant &have, const QVariant &wanted, bool text, LocateOptions options);

    // A forward walk (RowReader) reads the stored and lookup values of the
    // visible rows one after another into `out`; a source may read them
    // straight from the engine instead of through its pages. Returns false
    // past the last row. Called with the controls disabled.
    virtual bool readAhead(int row, Row &out);
    // The walk is over (or has stopped): a source lets go of what it kept.
    virtual void readAheadDone() {}

    // The last enableControls() of a walk; a source may let go of what it
    // kept for reading on.
    virtual void controlsEnabled() {}

    // Re-reads the rows (order or filter changed) and makes the row of `key`
    // current, or `fallbackRow` when it is gone.
    void resetKeeping(const QVariant &key, int fallbackRow);
    // Forgets rows read ahead, so the next read sees the file (after a
    // rollback that undid rows they may show).
    virtual void forgetCachedRows() {}

    QVector<Field> m_fields;

private:
    friend class Database;
    friend class RowReader;
    void requireOpen() const;
    void requireRow() const;
    void setCurrent(int row);
    void completeRow(Row &row) const;
    void reload(const QVariant &key, int fallbackRow);
    void showPosted(const QVariant &key, bool inserted);
    void postInUnit();
    QVariant writeBuffer(bool inserting, const QVariant &key, const QVector<bool> &fields, bool check);
    void takeCurrentRow(const RowConflict &conflict);
    void settleEdit();
    void releaseHeld();
    QVariant heldKey() const;
    // What this data set did inside the open unit of work (Database calls).
    enum class Step { Wrote, Shown, Deleted, Reread };
    void noteStep(Step step, const QVariant &key = QVariant());
    void noteReread();
    void clearUnit();
    void unitLevelMerged(int level);
    // Shows what the unit posted; returns the notices it owes (Notice bits),
    // which Database sends once every data set of the unit shows its rows.
    enum Notice { PostNotice = 0x1, DeleteNotice = 0x2 };
    int unitCommitted();
    void sendNotices(int notices);
    void unitRolledBack(int level, bool rowsChanged);
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
    Row m_read;                          // the row in edit state as read
    QVector<bool> m_changed;
    QVariant m_editKey;
    int m_editRow = -1;
    bool m_modified = false;
    // Inside a unit of work.
    struct UnitStep {
        Step step;
        int level;        // the transaction level it was done at
        QVariant key;     // the row it concerns
    };
    QVector<UnitStep> m_unitSteps;
    int m_heldLevel = 0;          // > 0: a posted buffer is held until commit
    QVariant m_writtenKey;        // the row the held buffer was written to
    QVector<bool> m_unsaved;      // fields typed since the buffer was written
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

// A forward walk over every visible row from the first, for exports and
// reports: hands out each row's values in field order, calculated ones too,
// without moving the current row row by row. Disables the controls while it
// lives. When it leaves (or is destroyed) the current row is the last row
// it handed out (the first when none), or after a full walk the last row
// with eof() set.
class RowReader {
public:
    explicit RowReader(DataSet &ds);
    ~RowReader();
    RowReader(const RowReader &) = delete;
    RowReader &operator=(const RowReader &) = delete;

    // Moves to the next row (the first at the first call); false past the end.
    bool next();
    const Row &values() const { return m_values; }
    int row() const { return m_row; }
    // Ends the walk: the data set stands where it stopped.
    void leave();

private:
    DataSet &m_ds;
    Row m_values;
    int m_row = -1;
    bool m_end = false;
    bool m_left = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

}  // namespace data
