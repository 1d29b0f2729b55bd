#include "data/dataset.h"

#include "data/database.h"
#include "data/filter.h"
#include "data/formats.h"
#include "data/rowconflict.h"

#include <QLocale>
#include <cmath>

namespace data {

namespace {

// A number as plain text: up to 15 significant digits with the locale's
// decimal separator and no digit grouping ("150000,5" in Hungarian).
QString plainNumber(double d)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    // Whole forints are the common case, and far cheaper to write.
    if (std::abs(d) < 1e15 && d == std::trunc(d))
        return locale.toString(qlonglong(d));
    return locale.toString(d, 'g', 15);
}

}  // namespace

DataSet::DataSet(Database &db, QObject *parent) : QObject(parent), m_db(db)
{
    m_db.attach(this);
}

DataSet::~DataSet()
{
    m_db.detach(this);
}

// ---- structure --------------------------------------------------------------

int DataSet::fieldIndex(const QString &name) const
{
    if (m_fieldByName.isEmpty()) {
        // Not opened yet: the fields a source is still building.
        for (int i = 0; i < m_fields.size(); ++i)
            if (m_fields[i].def.name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    // Names are mostly written as declared: found without folding.
    auto it = m_fieldByName.constFind(name);
    if (it == m_fieldByName.constEnd())
        it = m_fieldByName.constFind(name.toCaseFolded());
    return it == m_fieldByName.constEnd() ? -1 : *it;
}

void DataSet::buildNameIndex()
{
    m_fieldByName.clear();
    QHash<QString, int> byName;
    // Filled from the last field back, so that of names equal but for case
    // the first owns the folded entry, as it did the case-blind scan.
    for (int i = m_fields.size() - 1; i >= 0; --i) {
        byName.insert(m_fields[i].def.name.toCaseFolded(), i);
        byName.insert(m_fields[i].def.name, i);
    }
    m_fieldByName = byName;
}

int DataSet::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("A(z) '%1' mező nem található.").arg(name));
    return i;
}

void DataSet::addCalculatedField(const schema::FieldDef &def, Calculator calc)
{
    if (isOpen())
        throw DbError(QStringLiteral("Számított mező csak zárt adatkészlethez adható."));
    m_calculated.append({def, std::move(calc)});
}

// ---- opening ----------------------------------------------------------------

void DataSet::open()
{
    if (isOpen())
        return;
    if (!m_db.isOpen())
        throw DbError(QStringLiteral("Az adatbázis nincs megnyitva."));
    QVector<Field> fields;
    buildFields(fields);
    m_calculators = QVector<Calculator>(fields.size());
    for (const auto &c : m_calculated) {
        fields.append({c.first, FieldKind::Calculated, -1});
        m_calculators.append(c.second);
    }
    m_fields = fields;
    buildNameIndex();
    if (!m_filterText.isEmpty())
        setFilter(m_filterText);  // re-resolve the filter against the fields
    loadRows();
    noteReread();
    m_state = State::Browse;
    m_current = rowCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = rowCount() == 0;
    Q_EMIT opened();
    Q_EMIT rowsReset();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
}

void DataSet::close()
{
    if (!isOpen())
        return;
    unloadRows();
    m_state = State::Inactive;
    m_current = -1;
    m_bof = m_eof = true;
    m_buffer.clear();
    m_modified = false;
    clearUnit();
    Q_EMIT closed();
    Q_EMIT rowsReset();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
}

void DataSet::requireOpen() const
{
    if (!isOpen())
        throw DbError(QStringLiteral("Az adatkészlet nincs megnyitva."));
}

void DataSet::requireRow() const
{
    requireOpen();
    if (m_current < 0)
        throw DbError(QStringLiteral("Üres adatkészleten a művelet nem végezhető el."));
}

// ---- navigation -------------------------------------------------------------

int DataSet::recordCount() const
{
    return isOpen() ? rowCount() : 0;
}

void DataSet::setCurrent(int row)
{
    const int n = rowCount();
    row = n == 0 ? -1 : qBound(0, row, n - 1);
    const bool moved = row != m_current;
    m_current = row;
    if (moved && !controlsDisabled())
        Q_EMIT currentChanged();
}

void DataSet::disableControls()
{
    ++m_disabledControls;
}

void DataSet::enableControls()
{
    if (m_disabledControls == 0 || --m_disabledControls > 0)
        return;
    controlsEnabled();
    // The controls missed the moves of the walk: they show its end afresh.
    Q_EMIT rowsReset();
}

void DataSet::setCurrentRow(int row)
{
    requireOpen();
    settleEdit();
    m_bof = m_eof = rowCount() == 0;
    setCurrent(row);
}

void DataSet::first()
{
    setCurrentRow(0);
    m_bof = true;
    m_eof = rowCount() == 0;
}

void DataSet::last()
{
    setCurrentRow(rowCount() - 1);
    m_eof = true;
    m_bof = rowCount() == 0;
}

void DataSet::next()
{
    requireOpen();
    settleEdit();
    if (m_current + 1 >= rowCount()) {
        m_eof = true;
        return;
    }
    m_bof = false;
    m_eof = false;
    setCurrent(m_current + 1);
}

void DataSet::prior()
{
    requireOpen();
    settleEdit();
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    m_bof = false;
    m_eof = false;
    setCurrent(m_current - 1);
}

// ---- reading ----------------------------------------------------------------

void DataSet::completeRow(Row &row) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].kind == FieldKind::Calculated)
            row[i] = m_calculators[i](*this, row);
}

QVariant DataSet::value(int field) const
{
    if (!isOpen() || field < 0 || field >= m_fields.size())
        return QVariant();
    if (isEditing()) {
        if (m_fields[field].kind == FieldKind::Calculated)
            return m_calculators[field](*this, m_buffer);
        return m_buffer.value(field);
    }
    if (m_current < 0)
        return QVariant();
    return valueAt(m_current, field);
}

QVariant DataSet::valueAt(int row, int field) const
{
    if (!isOpen() || row < 0 || row >= rowCount() || field < 0 || field >= m_fields.size())
        return QVariant();
    Row r = fetchRow(row);
    if (m_fields[field].kind == FieldKind::Calculated) {
        r.resize(m_fields.size());
        return m_calculators[field](*this, r);
    }
    return r.value(field);
}

bool DataSet::isNull(const QString &field) const
{
    const QVariant v = value(field);
    return !v.isValid() || v.isNull();
}

Row DataSet::valuesAt(int row) const
{
    if (!isOpen() || row < 0 || row >= rowCount())
        return Row(m_fields.size());
    Row r = fetchRow(row);
    r.resize(m_fields.size());
    if (!m_calculated.isEmpty())
        completeRow(r);
    return r;
}

bool DataSet::readAhead(int row, Row &out)
{
    if (row >= rowCount())
        return false;
    out = fetchRow(row);
    return true;
}

// ---- forward walks ----------------------------------------------------------

RowReader::RowReader(DataSet &ds) : m_ds(ds)
{
    m_ds.requireOpen();
    m_ds.settleEdit();
    m_ds.disableControls();
}

RowReader::~RowReader()
{
    try {
        leave();
    } catch (...) {
        // Leaving only moves the current row, which cannot fail on an
        // open data set; a destructor must not throw all the same.
    }
}

bool RowReader::next()
{
    if (m_end)
        return false;
    ++m_row;
    if (!m_ds.readAhead(m_row, m_values)) {
        m_end = true;
        return false;
    }
    // Resizing a row shared with a source's page copies it: only when needed.
    if (m_values.size() != m_ds.fieldCount())
        m_values.resize(m_ds.fieldCount());
    if (!m_ds.m_calculated.isEmpty())
        m_ds.completeRow(m_values);
    return true;
}

void RowReader::leave()
{
    if (m_left)
        return;
    m_left = true;
    m_ds.readAheadDone();
    const int n = m_ds.rowCount();
    if (m_end || m_row >= n) {
        m_ds.setCurrent(n - 1);
        m_ds.m_bof = n == 0;
        m_ds.m_eof = true;
    } else {
        m_ds.setCurrent(qMax(0, m_row));
        m_ds.m_bof = m_row <= 0;
        m_ds.m_eof = n == 0;
    }
    m_ds.enableControls();
}

QString DataSet::asString(const QString &field) const
{
    const int f = requireField(field);
    return plainText(value(f), m_fields[f].def);
}

QString DataSet::plainText(const QVariant &v, const schema::FieldDef &def)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (def.type) {
    case schema::FieldType::Date: return v.toDate().toString(Qt::ISODate);
    case schema::FieldType::Timestamp: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case schema::FieldType::Float: return plainNumber(v.toDouble());
    default: return v.toString();
    }
}

qint64 DataSet::asInteger(const QString &field) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        return 0;
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (ok)
        return i;
    const double d = v.toDouble(&ok);
    return ok ? qint64(std::llround(d)) : 0;
}

double DataSet::asFloat(const QString &field) const
{
    const QVariant v = value(field);
    return (!v.isValid() || v.isNull()) ? 0.0 : v.toDouble();
}

bool DataSet::asBoolean(const QString &field) const
{
    const QVariant v = value(field);
    return v.isValid() && !v.isNull() && v.toBool();
}

QDate DataSet::asDate(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return v.toDate();
}

QDateTime DataSet::asDateTime(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    return v.toDateTime();
}

QString DataSet::displayText(const QString &field) const
{
    const int f = requireField(field);
    return data::displayText(value(f), m_fields[f].def);
}

QString DataSet::displayTextAt(int row, int field) const
{
    if (field < 0 || field >= m_fields.size())
        return QString();
    return data::displayText(valueAt(row, field), m_fields[field].def);
}

// ---- filter -----------------------------------------------------------------

void DataSet::setFilter(const QString &text)
{
    std::unique_ptr<FilterExpr> expr;
    if (!m_fields.isEmpty()) {
        expr = FilterExpr::parse(text, [this](const QString &name) {
            FilterExpr::FieldInfo info;
            info.index = fieldIndex(name);
            if (info.index >= 0) {
                info.numeric = m_fields[info.index].def.isNumeric() ||
                               m_fields[info.index].def.type == schema::FieldType::Boolean;
                info.text = m_fields[info.index].def.isText();
            }
            return info;
        });
    }
    const bool reload = isOpen() && m_filtered;
    const QVariant key = reload && m_current >= 0 ? rowKey(m_current) : QVariant();
    m_filterText = text;
    m_filterExpr = std::move(expr);
    if (reload)
        resetKeeping(key, 0);
}

void DataSet::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    const QVariant key = isOpen() && m_current >= 0 ? rowKey(m_current) : QVariant();
    m_filtered = on;
    if (isOpen())
        resetKeeping(key, 0);
}

const FilterExpr *DataSet::activeFilter() const
{
    return m_filtered ? m_filterExpr.get() : nullptr;
}

void DataSet::resetKeeping(const QVariant &key, int fallbackRow)
{
    if (isEditing())
        cancel();
    reload(key, fallbackRow);
}

void DataSet::reload(const QVariant &key, int fallbackRow)
{
    loadRows();
    noteReread();
    int row = key.isValid() ? rowOfKey(key) : -1;
    if (row < 0)
        row = fallbackRow;
    const int n = rowCount();
    m_current = n == 0 ? -1 : qBound(0, row, n - 1);
    m_bof = m_eof = n == 0;
    if (m_state == State::Edit && m_current >= 0)
        m_editRow = m_current;
    if (controlsDisabled())
        return;  // told once when the walk ends
    Q_EMIT rowsReset();
    Q_EMIT currentChanged();
}

void DataSet::refresh()
{
    requireOpen();
    settleEdit();
    resetKeeping(m_current >= 0 ? rowKey(m_current) : QVariant(), m_current);
}

// ---- finding ----------------------------------------------------------------

bool DataSet::valueMatches(const QVariant &have, const QVariant &wanted, bool text, LocateOptions options)
{
    const bool haveNull = !have.isValid() || have.isNull();
    const bool wantNull = !wanted.isValid() || wanted.isNull();
    if (wantNull)
        return haveNull;
    if (haveNull)
        return false;
    if (text) {
        const Qt::CaseSensitivity cs = options & CaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const QString h = have.toString();
        const QString w = wanted.toString();
        return options & PartialKey ? h.startsWith(w, cs) : h.compare(w, cs) == 0;
    }
    if (have.typeId() == QMetaType::QDate || have.typeId() == QMetaType::QDateTime)
        return have == wanted;
    return have.toDouble() == wanted.toDouble();
}

int DataSet::findRow(int field, const QVariant &value, LocateOptions options) const
{
    const bool text = m_fields[field].def.isText();
    for (int row = 0; row < rowCount(); ++row)
        if (valueMatches(valueAt(row, field), value, text, options))
            return row;
    return -1;
}

bool DataSet::locate(const QString &field, const QVariant &value, LocateOptions options)
{
    requireOpen();
    const int f = requireField(field);
    QVariant wanted = value;
    if (m_fields[f].def.isText()) {
        // A find compares the whole text typed, not the part a field keeps.
        wanted = (value.isValid() && !value.isNull()) ? QVariant(value.toString()) : QVariant();
    } else {
        wanted = convertForField(f, value);
    }
    settleEdit();
    const int row = findRow(f, wanted, options);
    if (row < 0)
        return false;
    m_bof = m_eof = false;
    setCurrent(row);
    return true;
}

// ---- editing ----------------------------------------------------------------

namespace {

// Half a surrogate pair (pasted from a broken source) becomes the
// replacement character: the database would store it as bytes that are not
// UTF-8 and never give the same text back.
QString withoutLoneSurrogates(const QString &t)
{
    QString out;
    out.reserve(t.size());
    for (int i = 0; i < t.size(); ++i) {
        if (t[i].isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
            out += t[i];
            out += t[++i];
        } else {
            out += t[i].isSurrogate() ? QChar(QChar::ReplacementCharacter) : t[i];
        }
    }
    return out;
}

}  // namespace

QVariant DataSet::convertForField(int field, const QVariant &value) const
{
    const schema::FieldDef &def = m_fields[field].def;
    if (!value.isValid() || value.isNull())
        return QVariant();
    using T = schema::FieldType;
    const bool isString = value.typeId() == QMetaType::QString;
    const QString s = isString ? value.toString().trimmed() : QString();
    if (isString && s.isEmpty() && def.type != T::Text && def.type != T::Memo)
        return QVariant();

    auto notValid = [&](const char *kind) {
        return DbError(QStringLiteral("'%1' nem érvényes %2 (%3 mező).")
                           .arg(value.toString(), QString::fromUtf8(kind), def.title()));
    };
    switch (def.type) {
    case T::Text:
    case T::Memo: {
        QString t = value.toString();
        if (!QStringView(t).isValidUtf16())
            t = withoutLoneSurrogates(t);
        if (def.size > 0)
            t = cutToCharacters(t, def.size);
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case T::Integer:
    case T::AutoInc: {
        bool ok = false;
        qint64 i = 0;
        if (isString) {
            i = s.toLongLong(&ok);
        } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
            const double d = value.toDouble();
            ok = std::isfinite(d) && d == std::floor(d);
            i = qint64(d);
        } else {
            i = value.toLongLong(&ok);
        }
        if (!ok || i < std::numeric_limits<qint32>::min() || i > std::numeric_limits<qint32>::max())
            throw notValid("egész szám");
        return QVariant(qlonglong(i));
    }
    case T::Float: {
        bool ok = false;
        double d = 0;
        if (isString) {
            d = QLocale().toDouble(s, &ok);
            if (!ok)
                d = s.toDouble(&ok);
        } else {
            d = value.toDouble(&ok);
        }
        if (!ok || !std::isfinite(d))
            throw notValid("szám");
        return d;
    }
    case T::Date: {
        QDate d;
        if (value.typeId() == QMetaType::QDate)
            d = value.toDate();
        else if (value.typeId() == QMetaType::QDateTime)
            d = value.toDateTime().date();
        else
            d = QDate::fromString(s, Qt::ISODate);
        if (!d.isValid())
            d = QDate::fromString(s, QStringLiteral("yyyy.MM.dd."));
        if (!d.isValid())
            throw notValid("dátum");
        return d;
    }
    case T::Timestamp: {
        QDateTime t;
        if (value.typeId() == QMetaType::QDateTime)
            t = value.toDateTime();
        else if (value.typeId() == QMetaType::QDate)
            t = value.toDate().startOfDay();
        else
            t = QDateTime::fromString(s, Qt::ISODate);
        if (!t.isValid())
            throw notValid("időpont");
        return t;
    }
    case T::Boolean:
        if (isString) {
            const QString l = s.toLower();
            if (l == QLatin1String("1") || l == QLatin1String("true") || l == QLatin1String("igaz"))
                return true;
            if (l == QLatin1String("0") || l == QLatin1String("false") || l == QLatin1String("hamis"))
                return false;
            throw notValid("logikai érték");
        }
        return value.toBool();
    }
    return value;
}

void DataSet::checkMasks() const
{
    // A masked text is checked when the row is posted, not while it is
    // typed: half a season day is a normal state of the edit box.
    for (int i = 0; i < m_fields.size(); ++i) {
        const schema::FieldDef &def = m_fields[i].def;
        if (!m_changed.value(i) || def.mask.isEmpty())
            continue;
        const QString v = m_buffer.value(i).toString();
        if (!EditMask(def.mask).fits(v))
            throw DbError(QStringLiteral("'%1' nem felel meg a(z) %2 mező mintájának.").arg(v, def.title()));
    }
}

void DataSet::insert()
{
    requireOpen();
    if (m_readOnly)
        throw DbError(QStringLiteral("Az adatkészlet csak olvasható."));
    settleEdit();
    m_buffer = Row(m_fields.size());
    m_read.clear();
    m_changed = QVector<bool>(m_fields.size(), false);
    m_unsaved = m_changed;
    m_editKey = QVariant();
    m_editRow = m_current;
    m_modified = false;
    m_state = State::Insert;
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
}

void DataSet::edit()
{
    requireRow();
    if (m_readOnly)
        throw DbError(QStringLiteral("Az adatkészlet csak olvasható."));
    if (isEditing())
        return;
    m_buffer = fetchRow(m_current);
    m_buffer.resize(m_fields.size());
    m_read = m_buffer;
    m_changed = QVector<bool>(m_fields.size(), false);
    m_unsaved = m_changed;
    m_editKey = rowKey(m_current);
    m_editRow = m_current;
    m_modified = false;
    m_state = State::Edit;
    Q_EMIT stateChanged();
}

void DataSet::setValue(const QString &field, const QVariant &value)
{
    setValue(requireField(field), value);
}

void DataSet::setValue(int field, const QVariant &value)
{
    if (!isEditing())
        throw DbError(QStringLiteral("Az adatkészlet nincs szerkesztés vagy beszúrás állapotban."));
    if (field < 0 || field >= m_fields.size())
        throw DbError(QStringLiteral("Érvénytelen mező."));
    if (m_fields[field].kind != FieldKind::Stored)
        throw DbError(QStringLiteral("A(z) '%1' mező nem módosítható.").arg(m_fields[field].def.name));
    const QVariant v = convertForField(field, value);
    m_buffer[field] = v;
    m_changed[field] = true;
    m_unsaved[field] = true;
    m_modified = true;
    Q_EMIT valueChanged(field);
    // Lookup fields shown beside this key follow it at once.
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].kind == FieldKind::Lookup && m_fields[i].keyField == field) {
            m_buffer[i] = lookupValue(i, v);
            Q_EMIT valueChanged(i);
        } else if (m_fields[i].kind == FieldKind::Calculated) {
            Q_EMIT valueChanged(i);
        }
    }
}

void DataSet::post()
{
    requireOpen();
    if (!isEditing())
        throw DbError(QStringLiteral("Az adatkészlet nincs szerkesztés vagy beszúrás állapotban."));
    checkMasks();
    if (m_db.inTransaction()) {
        postInUnit();
        return;
    }
    const bool inserting = m_state == State::Insert;
    QVariant key = m_editKey;
    if (inserting || m_modified)
        key = writeBuffer(inserting, m_editKey, m_changed, !inserting);  // raises, state kept
    showPosted(key, inserting);
    Q_EMIT afterPost();
}

void DataSet::showPosted(const QVariant &key, bool inserted)
{
    m_state = State::Browse;
    m_buffer.clear();
    m_modified = false;
    const int before = rowCount();
    const int row = placeRow(key, inserted ? -1 : m_editRow);
    const int n = rowCount();
    m_current = n == 0 ? -1 : qBound(0, row >= 0 ? row : m_editRow, n - 1);
    m_bof = m_eof = n == 0;
    // An edited row that kept its place changed alone; anything else moved rows.
    if (!inserted && row >= 0 && row == m_editRow && n == before)
        Q_EMIT rowChanged(row);
    else
        Q_EMIT rowsReset();
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
}

void DataSet::postInUnit()
{
    // The row is written now, so the statements after it see it; the buffer
    // and the state stay until the unit ends. A second post inside the same
    // unit writes only what was typed since the first.
    const bool inserting = m_state == State::Insert && !m_writtenKey.isValid();
    const QVector<bool> &typed = m_heldLevel > 0 ? m_unsaved : m_changed;
    if (inserting || typed.contains(true)) {
        // A row this unit wrote already is held by it: no one else can
        // have changed it since.
        m_writtenKey = writeBuffer(inserting, inserting ? QVariant() : heldKey(), typed,
                                   !inserting && !m_writtenKey.isValid());
        m_unsaved.fill(false);
        noteStep(Step::Wrote, m_writtenKey);
    }
    if (m_heldLevel == 0) {
        m_heldLevel = m_db.depth();
        m_db.join(this);
    }
}

QVariant DataSet::writeBuffer(bool inserting, const QVariant &key, const QVector<bool> &fields, bool check)
{
    try {
        return writeRow(inserting, key, m_buffer, fields, check ? &m_read : nullptr);
    } catch (const RowConflict &conflict) {
        takeCurrentRow(conflict);
        throw;
    }
}

// After a refused write: the edit goes on from the row as it is now, with
// what the user typed on top, so that the next post applies the typing to
// it. A row that is gone leaves the typing as a new row.
void DataSet::takeCurrentRow(const RowConflict &conflict)
{
    if (conflict.gone()) {
        m_state = State::Insert;
        m_editKey = QVariant();
        m_read.clear();
        forgetCachedRows();
        reload(QVariant(), m_editRow);  // without the row that is gone
        m_editRow = m_current;
        Q_EMIT stateChanged();
        return;
    }
    m_read = conflict.current();
    m_read.resize(m_fields.size());
    for (int f = 0; f < m_fields.size(); ++f) {
        if (m_fields[f].kind != FieldKind::Stored || m_changed.value(f) || m_buffer[f] == m_read[f])
            continue;
        m_buffer[f] = m_read[f];
        Q_EMIT valueChanged(f);
        for (int i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].kind == FieldKind::Lookup && m_fields[i].keyField == f) {
                m_buffer[i] = lookupValue(i, m_read[f]);
                Q_EMIT valueChanged(i);
            }
        }
    }
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].kind == FieldKind::Calculated)
            Q_EMIT valueChanged(i);
    if (m_editRow >= 0 && m_editRow < rowCount() && !controlsDisabled())
        Q_EMIT rowChanged(m_editRow);
}

QVariant DataSet::heldKey() const
{
    return m_writtenKey.isValid() ? m_writtenKey : m_editKey;
}

void DataSet::settleEdit()
{
    if (isEditing())
        post();
    if (m_heldLevel > 0)
        releaseHeld();
}

void DataSet::releaseHeld()
{
    // The data set moves on before the unit ends: it shows the written row
    // now; the after-post notice still waits for the commit.
    const QVariant key = heldKey();
    const bool inserted = m_state == State::Insert;
    m_heldLevel = 0;
    m_writtenKey = QVariant();
    noteStep(Step::Shown, key);
    showPosted(key, inserted);
}

void DataSet::cancel()
{
    if (!isEditing())
        return;
    if (m_heldLevel > 0) {
        // What the unit already wrote stands or falls with the unit.
        releaseHeld();
        return;
    }
    m_state = State::Browse;
    m_buffer.clear();
    m_modified = false;
    Q_EMIT stateChanged();
    Q_EMIT currentChanged();
}

void DataSet::remove()
{
    if (m_heldLevel > 0) {
        releaseHeld();  // a posted new row exists: it is the one deleted
    } else if (m_state == State::Insert) {
        cancel();
        return;
    }
    requireRow();
    if (m_readOnly)
        throw DbError(QStringLiteral("Az adatkészlet csak olvasható."));
    if (isEditing())
        cancel();
    const int row = m_current;
    const QVariant key = rowKey(row);
    const Row asRead = fetchRow(row);
    try {
        deleteRow(key, &asRead);
    } catch (const RowConflict &) {
        // The list shows the row as it is now, or no longer.
        forgetCachedRows();
        resetKeeping(key, row);
        throw;
    }
    removeRowFromView(row);
    const int n = rowCount();
    m_current = n == 0 ? -1 : qMin(row, n - 1);
    m_bof = m_eof = n == 0;
    Q_EMIT rowsReset();
    Q_EMIT currentChanged();
    if (m_db.inTransaction()) {
        noteStep(Step::Deleted, key);
        return;
    }
    Q_EMIT afterDelete();
}

// ---- units of work ----------------------------------------------------------

void DataSet::noteStep(Step step, const QVariant &key)
{
    m_unitSteps.append({step, m_db.depth(), key});
    m_db.join(this);
}

void DataSet::noteReread()
{
    // Rows read after the unit changed some may be undone by a rollback.
    if (m_db.inTransaction() && m_db.unitChangedRows())
        noteStep(Step::Reread);
}

void DataSet::clearUnit()
{
    m_unitSteps.clear();
    m_heldLevel = 0;
    m_writtenKey = QVariant();
}

void DataSet::unitLevelMerged(int level)
{
    for (UnitStep &s : m_unitSteps)
        if (s.level == level)
            s.level = level - 1;
    if (m_heldLevel == level)
        m_heldLevel = level - 1;
}

int DataSet::unitCommitted()
{
    const bool held = m_heldLevel > 0 && isEditing();
    int notices = held ? PostNotice : 0;
    for (const UnitStep &s : qAsConst(m_unitSteps)) {
        if (s.step == Step::Shown)
            notices |= PostNotice;
        else if (s.step == Step::Deleted)
            notices |= DeleteNotice;
    }
    const QVariant key = heldKey();
    clearUnit();
    if (held)
        showPosted(key, m_state == State::Insert);
    return notices;
}

void DataSet::sendNotices(int notices)
{
    if (notices & PostNotice)
        Q_EMIT afterPost();
    if (notices & DeleteNotice)
        Q_EMIT afterDelete();
}

void DataSet::unitRolledBack(int level, bool rowsChanged)
{
    bool rewrite = false, reread = false;
    QVariant deletedKey;  // the first row deleted inside: back and current
    for (int i = 0; i < m_unitSteps.size();) {
        const UnitStep s = m_unitSteps[i];
        if (s.level < level) {
            ++i;
            continue;
        }
        switch (s.step) {
        case Step::Wrote: rewrite = true; break;
        case Step::Shown: reread = true; break;
        case Step::Deleted:
            reread = true;
            if (!deletedKey.isValid())
                deletedKey = s.key;
            break;
        case Step::Reread: reread = reread || rowsChanged; break;
        }
        m_unitSteps.remove(i);
    }
    if (m_heldLevel >= level) {
        // Back to the state before the first post: a new row is inserted
        // again by the next post.
        m_heldLevel = 0;
        m_writtenKey = QVariant();
    }
    if (rewrite && isEditing())
        m_unsaved = m_changed;  // the next post writes every typed field again
    if (reread && isOpen())
        reload(deletedKey.isValid() ? deletedKey : (m_current >= 0 ? rowKey(m_current) : QVariant()), m_current);
}

// ---- defaults of sources ----------------------------------------------------

QVariant DataSet::writeRow(bool, const QVariant &, const Row &, const QVector<bool> &, const Row *)
{
    throw DbError(QStringLiteral("Az adatkészlet csak olvasható."));
}

void DataSet::deleteRow(const QVariant &, const Row *)
{
    throw DbError(QStringLiteral("Az adatkészlet csak olvasható."));
}

int DataSet::placeRow(const QVariant &key, int)
{
    return rowOfKey(key);
}

void DataSet::removeRowFromView(int)
{
    loadRows();
}

QVariant DataSet::lookupValue(int, const QVariant &) const
{
    return QVariant();
}

}  // namespace data
