#pragma once
// Binds edit boxes, check boxes, lookup combo boxes, date pickers, memos and
// labels to fields of a data set's current row. Each control shows the field
// when the current row or the data set's state changes, and writes what the
// user types back into the row (putting a browsing data set into edit). A
// control's link ends when the control is destroyed.

#include <QObject>
#include <QPointer>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace data {

class DataSet;

class Binder : public QObject {
    Q_OBJECT
public:
    explicit Binder(DataSet *dataSet, QObject *parent = nullptr);

    DataSet *dataSet() const { return m_ds; }

    // Text field; the field's size limits the typing and its edit mask applies.
    void bindEdit(QLineEdit *edit, const QString &field);
    // Check box storing `checkedValue` / `uncheckedValue` ("I" / "N"; for a
    // Boolean field pass true / false).
    void bindCheck(QCheckBox *box, const QString &field, const QVariant &checkedValue = QStringLiteral("I"),
                   const QVariant &uncheckedValue = QStringLiteral("N"));
    // Drop-down list of the rows of `source` (key field and shown field),
    // storing the chosen row's key in `keyField`. The list shows the source's
    // rows as they are, without copying them, and finds the current key
    // through an index of the source's keys, so a source of many thousand
    // rows costs one walk per change of the source, none per row change.
    void bindLookup(QComboBox *combo, const QString &keyField, DataSet *source,
                    const QString &sourceKey, const QString &sourceText);
    void bindDate(QDateEdit *edit, const QString &field);
    void bindMemo(QPlainTextEdit *memo, const QString &field);
    // Read-only display of a field in its display format.
    void bindLabel(QLabel *label, const QString &field);

    // Shows the current row in every bound control.
    void load();
    // Reads every lookup's source again (after it was re-read elsewhere).
    void reloadLookups();
    // Checks the masked edit boxes: the name of the first field whose typed
    // text does not fill its mask, or an empty text when all are complete.
    QString incompleteField() const;
    // The masked edit box of that field, or null.
    QWidget *incompleteBox() const;
    // A number box reads its text as the field's number as it is typed; a
    // text that is not one leaves the field as it was. The message for the
    // box `edit` when its text is refused, or an empty text.
    QString refusedNumber(const QWidget *edit) const;
    // The number boxes bound so far.
    QList<QLineEdit *> numberEdits() const;

private:
    struct Link {
        QPointer<QWidget> widget;
        int field;
        std::function<void()> show;
        std::function<void()> reload;   // lookups only
        std::function<bool()> complete; // masked edits only
        std::function<QString()> refused; // number boxes only
    };
    void addLink(QWidget *widget, int field, std::function<void()> show, std::function<void()> reload = {},
                 std::function<bool()> complete = {}, std::function<QString()> refused = {});
    void write(QWidget *widget, int field, const QVariant &value);
    void forget(QObject *widget);
    DataSet *m_ds;
    QVector<Link> m_links;
    bool m_loading = false;
    bool m_startingEdit = false;
    QWidget *m_writingWidget = nullptr;  // the control whose typing is being stored
};

}  // namespace data
