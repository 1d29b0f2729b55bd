#include "data/binding.h"

#include "data/dataset.h"
#include "data/formats.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

namespace data {

namespace {

// The plain text of a number in an edit box: no grouping, locale decimals.
QString editText(const QVariant &v, const schema::FieldDef &def)
{
    if (!v.isValid() || v.isNull())
        return QString();
    if (def.type == schema::FieldType::Float)
        return QLocale().toString(v.toDouble(), 'g', 15).remove(QLocale().groupSeparator());
    return v.toString();
}

// A text field's size counts characters, the edit box's maximum length
// UTF-16 units (an emoji is two). What was typed beyond the size, just before
// the cursor, is dropped by whole characters, as the box would drop it.
QString withoutTypedExcess(QString text, int size, int &cursor)
{
    while (cursor > 0 && cutToCharacters(text, size) != text) {
        const bool pair = cursor >= 2 && text[cursor - 1].isLowSurrogate() && text[cursor - 2].isHighSurrogate();
        const int n = pair ? 2 : 1;
        text.remove(cursor - n, n);
        cursor -= n;
    }
    return cutToCharacters(text, size);
}

}  // namespace

Binder::Binder(DataSet *dataSet, QObject *parent) : QObject(parent), m_ds(dataSet)
{
    connect(m_ds, &DataSet::currentChanged, this, &Binder::load);
    connect(m_ds, &DataSet::stateChanged, this, &Binder::load);
    connect(m_ds, &DataSet::rowsReset, this, &Binder::load);
    connect(m_ds, &DataSet::valueChanged, this, [this](int field) {
        if (m_loading || m_ds->controlsDisabled())
            return;
        for (const Link &l : qAsConst(m_links))
            if (l.field == field && l.widget != m_writingWidget)
                l.show();
    });
}

void Binder::write(QWidget *widget, int field, const QVariant &value)
{
    if (m_loading || !m_ds->isOpen())
        return;
    m_writingWidget = widget;
    if (!m_ds->isEditing()) {
        // Typing into a browsing row starts its edit; the row's values stay
        // as shown, so the control being typed in keeps its text.
        m_startingEdit = true;
        try {
            m_ds->edit();
        } catch (...) {
            m_startingEdit = false;
            m_writingWidget = nullptr;
            throw;
        }
        m_startingEdit = false;
    }
    try {
        m_ds->setValue(field, value);
    } catch (...) {
        m_writingWidget = nullptr;
        throw;
    }
    m_writingWidget = nullptr;
}

void Binder::bindEdit(QLineEdit *edit, const QString &fieldName)
{
    const int f = m_ds->requireField(fieldName);
    const schema::FieldDef def = m_ds->field(f).def;
    const EditMask mask(def.mask);
    if (!mask.isEmpty())
        edit->setInputMask(mask.inputMask());
    else if (def.isText() && def.size > 0)
        edit->setMaxLength(2 * def.size);  // the box counts UTF-16 units, the field characters
    if (def.isIntegral())
        edit->setValidator(new QIntValidator(edit));
    else if (def.type == schema::FieldType::Float)
        edit->setValidator(new QDoubleValidator(edit));

    std::function<bool()> complete;
    if (!mask.isEmpty()) {
        complete = [edit, mask] {
            const QString typed = edit->displayText();
            return mask.toStored(typed).isEmpty() || mask.isComplete(typed);
        };
    }
    addLink(edit, f, [this, edit, f, def, mask] {
        const QVariant v = m_ds->value(f);
        if (!mask.isEmpty())
            edit->setText(mask.toEdit(v.toString()));
        else if (def.isNumeric())
            edit->setText(editText(v, def));
        else
            edit->setText(v.toString());
        edit->setCursorPosition(0);
    }, {}, complete);
    connect(edit, &QLineEdit::textEdited, this, [this, edit, f, def, mask](const QString &text) {
        if (!mask.isEmpty()) {
            // "6.15" typed from the left leaves "6_.15": the day's digits
            // move to the right end of their run once the cursor has left it.
            const int cursor = edit->cursorPosition();
            const QString shown = mask.aligned(edit->displayText(), cursor);
            if (shown != edit->displayText()) {
                edit->setText(shown);
                edit->setCursorPosition(cursor);
            }
            write(edit, f, mask.toStored(edit->displayText()));
        } else if (def.isNumeric()) {
            // Half-typed numbers ("-", "12,") wait until they mean a number.
            bool ok = false;
            const double d = QLocale().toDouble(text.trimmed(), &ok);
            if (text.trimmed().isEmpty())
                write(edit, f, QVariant());
            else if (ok)
                write(edit, f, def.isIntegral() ? QVariant(qlonglong(d)) : QVariant(d));
        } else if (def.isText() && def.size > 0 && cutToCharacters(text, def.size) != text) {
            int cursor = edit->cursorPosition();
            const QString fitting = withoutTypedExcess(text, def.size, cursor);
            edit->setText(fitting);
            edit->setCursorPosition(cursor);
            write(edit, f, fitting);
        } else {
            write(edit, f, text);
        }
    });
}

void Binder::bindCheck(QCheckBox *box, const QString &fieldName, const QVariant &checkedValue,
                       const QVariant &uncheckedValue)
{
    const int f = m_ds->requireField(fieldName);
    connect(box, &QCheckBox::clicked, this, [this, box, f, checkedValue, uncheckedValue](bool on) {
        write(box, f, on ? checkedValue : uncheckedValue);
    });
    addLink(box, f, [this, box, f, checkedValue] {
        const QVariant v = m_ds->value(f);
        box->setChecked(v.isValid() && !v.isNull() && v.toString() == checkedValue.toString());
    });
}

void Binder::bindLookup(QComboBox *combo, const QString &keyField, DataSet *source, const QString &sourceKey,
                        const QString &sourceText)
{
    const int f = m_ds->requireField(keyField);
    auto reload = [combo, source, sourceKey, sourceText] {
        const QSignalBlocker block(combo);
        combo->clear();
        if (!source->isOpen())
            return;
        const int kf = source->requireField(sourceKey);
        const int tf = source->requireField(sourceText);
        for (int r = 0; r < source->recordCount(); ++r)
            combo->addItem(source->displayTextAt(r, tf), source->valueAt(r, kf));
    };
    reload();
    connect(combo, qOverload<int>(&QComboBox::activated), this, [this, combo, f](int index) {
        write(combo, f, index < 0 ? QVariant() : combo->itemData(index));
    });
    addLink(combo, f, [this, combo, f] {
        const QSignalBlocker block(combo);
        const QVariant key = m_ds->value(f);
        int at = -1;
        if (key.isValid() && !key.isNull()) {
            for (int i = 0; i < combo->count(); ++i) {
                if (combo->itemData(i).toString() == key.toString()) {
                    at = i;
                    break;
                }
            }
        }
        combo->setCurrentIndex(at);
    }, reload);
}

void Binder::bindDate(QDateEdit *edit, const QString &fieldName)
{
    const int f = m_ds->requireField(fieldName);
    // The earliest date stands for an empty field and shows blank.
    const QDate empty(1900, 1, 1);
    edit->setMinimumDate(empty);
    edit->setSpecialValueText(QStringLiteral(" "));
    connect(edit, &QDateEdit::dateChanged, this, [this, edit, f, empty](const QDate &d) {
        write(edit, f, d == empty ? QVariant() : QVariant(d));
    });
    addLink(edit, f, [this, edit, f, empty] {
        const QSignalBlocker block(edit);
        const QDate d = m_ds->value(f).toDate();
        edit->setDate(d.isValid() ? d : empty);
    });
}

void Binder::bindMemo(QPlainTextEdit *memo, const QString &fieldName)
{
    const int f = m_ds->requireField(fieldName);
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, f] {
        write(memo, f, memo->toPlainText());
    });
    addLink(memo, f, [this, memo, f] {
        const QSignalBlocker block(memo);
        memo->setPlainText(m_ds->value(f).toString());
    });
}

void Binder::bindLabel(QLabel *label, const QString &fieldName)
{
    const int f = m_ds->requireField(fieldName);
    addLink(label, f, [this, label, f] { label->setText(displayText(m_ds->value(f), m_ds->field(f).def)); });
}

void Binder::addLink(QWidget *widget, int field, std::function<void()> show, std::function<void()> reload,
                     std::function<bool()> complete)
{
    m_links.append({widget, field, show, std::move(reload), std::move(complete)});
    m_loading = true;
    show();
    m_loading = false;
}

void Binder::load()
{
    // A walk's end shows its row once.
    if (m_startingEdit || m_ds->controlsDisabled())
        return;
    m_loading = true;
    for (const Link &l : qAsConst(m_links))
        l.show();
    m_loading = false;
}

void Binder::reloadLookups()
{
    for (const Link &l : qAsConst(m_links)) {
        if (l.reload) {
            l.reload();
            l.show();
        }
    }
}

QString Binder::incompleteField() const
{
    for (const Link &l : m_links)
        if (l.complete && !l.complete())
            return m_ds->field(l.field).def.title();
    return QString();
}

}  // namespace data
