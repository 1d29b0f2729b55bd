#include "common/binding.h"

#include "common/vedett.h"
#include "data/dataset.h"
#include "data/formats.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QValidator>

#include <algorithm>

namespace data {

namespace {

// A number box takes only characters that can stand in a number; whether
// the whole text is one is told when the box is left.
class NumberCharacters : public QValidator {
public:
    NumberCharacters(const schema::FieldDef &def, QObject *parent) : QValidator(parent), m_def(def) {}
    State validate(QString &text, int &) const override
    {
        if (!std::all_of(text.cbegin(), text.cend(), canStandInNumber))
            return Invalid;
        return readTypedNumber(text, m_def).ok() ? Acceptable : Intermediate;
    }

private:
    schema::FieldDef m_def;
};

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

// The rows of a lookup's source as the items of a drop-down list: shown
// text and key read from the source when drawn, and the row of a key found
// through an index built once per change of the source.
class LookupItems : public QAbstractListModel {
public:
    LookupItems(DataSet *source, const QString &keyField, const QString &textField, QObject *parent)
        : QAbstractListModel(parent), m_source(source), m_keyName(keyField), m_textName(textField)
    {
        resolve();
    }

    // The source's rows changed: everything is read again.
    void reset()
    {
        beginResetModel();
        resolve();
        endResetModel();
    }

    // One row of the source changed in place.
    void rowChanged(int row)
    {
        m_indexed = false;
        if (row >= 0 && row < rowCount())
            Q_EMIT dataChanged(index(row), index(row));
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        if (parent.isValid() || !m_source || !m_source->isOpen() || m_keyField < 0)
            return 0;
        return m_source->recordCount();
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || !m_source)
            return QVariant();
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return m_source->displayTextAt(index.row(), m_textField);
        if (role == Qt::UserRole)
            return m_source->valueAt(index.row(), m_keyField);
        return QVariant();
    }

    // The row whose key is `key`, or -1.
    int rowOf(const QVariant &key) const
    {
        if (!key.isValid() || key.isNull())
            return -1;
        if (!m_indexed) {
            m_index.clear();
            const int n = rowCount();
            m_index.reserve(n);
            // One forward walk, the way the source reads ahead; the first
            // row of a key wins.
            for (int r = 0; r < n; ++r) {
                const QString k = m_source->valueAt(r, m_keyField).toString();
                if (!m_index.contains(k))
                    m_index.insert(k, r);
            }
            m_indexed = true;
        }
        return m_index.value(key.toString(), -1);
    }

private:
    void resolve()
    {
        m_indexed = false;
        m_index.clear();
        m_keyField = m_textField = -1;
        if (m_source && m_source->isOpen()) {
            m_keyField = m_source->requireField(m_keyName);
            m_textField = m_source->requireField(m_textName);
        }
    }

    QPointer<DataSet> m_source;
    QString m_keyName;
    QString m_textName;
    int m_keyField = -1;
    int m_textField = -1;
    mutable QHash<QString, int> m_index;
    mutable bool m_indexed = false;
};

// Set while the controls are being filled, also when filling fails.
struct Loading {
    bool &flag;
    const bool before;
    explicit Loading(bool &f) : flag(f), before(f) { flag = true; }
    ~Loading() { flag = before; }
};

// Above this many rows a drop-down list is not measured item by item.
constexpr int kManyRows = 500;

}  // namespace

Binder::Binder(DataSet *dataSet, QObject *parent) : QObject(parent), m_ds(dataSet)
{
    for (auto signal : {&DataSet::currentChanged, &DataSet::stateChanged, &DataSet::rowsReset})
        VedettKapcsol(m_ds, signal, this, &Binder::load);
    VedettKapcsol(m_ds, &DataSet::valueChanged, this, [this](int field) {
        if (m_loading || m_ds->controlsDisabled())
            return;
        for (const Link &l : qAsConst(m_links))
            if (l.field == field && l.widget && l.widget != m_writingWidget)
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
    std::function<bool()> complete;
    if (!mask.isEmpty()) {
        complete = [edit, mask] {
            const QString typed = edit->displayText();
            return mask.toStored(typed).isEmpty() || mask.isComplete(typed);
        };
    }
    std::function<QString()> refused;
    if (def.isNumeric()) {
        edit->setValidator(new NumberCharacters(def, edit));
        // A character that cannot stand in a number is refused with a beep.
        VedettKapcsol(edit, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
        refused = [edit, def] { return readTypedNumber(edit->text(), def, edit->accessibleName()).error; };
    }
    addLink(edit, f, [this, edit, f, def, mask] {
        const QVariant v = m_ds->value(f);
        if (!mask.isEmpty())
            edit->setText(mask.toEdit(v.toString()));
        else if (def.isNumeric())
            edit->setText(numberEditText(v, def));
        else
            edit->setText(v.toString());
        edit->setCursorPosition(0);
    }, {}, complete, refused);
    VedettKapcsol(edit, &QLineEdit::textEdited, this, [this, edit, f, def, mask](const QString &text) {
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
            // A text that does not read as a number ("-", "25 0") leaves
            // the field empty until it does; leaving the box with it is
            // refused (refusedNumber), so it is never saved.
            write(edit, f, readTypedNumber(text, def).value);
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
    VedettKapcsol(box, &QCheckBox::clicked, this, [this, box, f, checkedValue, uncheckedValue](bool on) {
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
    auto *items = new LookupItems(source, sourceKey, sourceText, combo);
    {
        const QSignalBlocker block(combo);
        combo->setModel(items);
    }
    // Items are one line each; a long list is neither measured nor laid out
    // item by item.
    if (auto *view = qobject_cast<QListView *>(combo->view()))
        view->setUniformItemSizes(true);
    if (items->rowCount() > kManyRows) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(qMax(combo->minimumContentsLength(), 20));
    }
    auto show = [this, combo, items, f] {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(items->rowOf(m_ds->value(f)));
    };
    auto reload = [combo, items] {
        const QSignalBlocker block(combo);
        items->reset();
    };
    // The list follows its source; the shown key is found again after a
    // change. The link ends with the binder or with the control.
    const QPointer<QComboBox> alive(combo);
    for (auto signal : {&DataSet::opened, &DataSet::closed, &DataSet::rowsReset})
        VedettKapcsol(source, signal, this, [alive, reload, show] {
            if (alive) {
                reload();
                show();
            }
        });
    VedettKapcsol(source, &DataSet::rowChanged, this, [alive, items, show](int row) {
        if (alive) {
            items->rowChanged(row);
            show();
        }
    });
    VedettKapcsol(combo, qOverload<int>(&QComboBox::activated), this, [this, combo, items, f](int index) {
        write(combo, f, index < 0 ? QVariant() : items->data(items->index(index), Qt::UserRole));
    });
    addLink(combo, f, show, reload);
}

void Binder::bindDate(QDateEdit *edit, const QString &fieldName)
{
    const int f = m_ds->requireField(fieldName);
    // The earliest date stands for an empty field and shows blank.
    const QDate empty(1900, 1, 1);
    edit->setMinimumDate(empty);
    edit->setSpecialValueText(QStringLiteral(" "));
    VedettKapcsol(edit, &QDateEdit::dateChanged, this, [this, edit, f, empty](const QDate &d) {
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
    VedettKapcsol(memo, &QPlainTextEdit::textChanged, this, [this, memo, f] {
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
                     std::function<bool()> complete, std::function<QString()> refused)
{
    // A control destroyed with its window (a tab page, say) is never
    // touched again.
    const bool known = std::any_of(m_links.cbegin(), m_links.cend(),
                                   [widget](const Link &l) { return l.widget == widget; });
    if (!known)
        VedettKapcsol(widget, &QObject::destroyed, this, [this](QObject *gone) { forget(gone); });
    m_links.append({widget, field, show, std::move(reload), std::move(complete), std::move(refused)});
    const Loading loading(m_loading);
    show();
}

void Binder::forget(QObject *widget)
{
    m_links.erase(std::remove_if(m_links.begin(), m_links.end(),
                                 [widget](const Link &l) { return !l.widget || l.widget == widget; }),
                  m_links.end());
}

void Binder::load()
{
    // A walk's end shows its row once.
    if (m_startingEdit || m_ds->controlsDisabled())
        return;
    const Loading loading(m_loading);
    const auto links = m_links;  // a control shown may go away meanwhile
    for (const Link &l : links)
        if (l.widget)
            l.show();
}

void Binder::reloadLookups()
{
    const auto links = m_links;
    for (const Link &l : links) {
        if (l.reload && l.widget) {
            l.reload();
            l.show();
        }
    }
}

QString Binder::incompleteField() const
{
    for (const Link &l : m_links)
        if (l.widget && l.complete && !l.complete())
            return m_ds->field(l.field).def.title();
    return QString();
}

QWidget *Binder::incompleteBox() const
{
    for (const Link &l : m_links)
        if (l.widget && l.complete && !l.complete())
            return l.widget;
    return nullptr;
}

QString Binder::refusedNumber(const QWidget *edit) const
{
    for (const Link &l : m_links)
        if (l.widget == edit && l.refused)
            return l.refused();
    return QString();
}

QList<QLineEdit *> Binder::numberEdits() const
{
    QList<QLineEdit *> out;
    for (const Link &l : m_links)
        if (l.widget && l.refused)
            out << static_cast<QLineEdit *>(l.widget.data());
    return out;
}

}  // namespace data
