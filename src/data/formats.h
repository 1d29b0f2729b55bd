#pragma once
// Display formats and edit masks of the register's fields.

#include "data/schema.h"

#include <QString>
#include <QVariant>

namespace data {

// A number shown with a display format: "00000" pads an integer with zeros to
// five digits; "### ### ##0" rounds to a whole number grouped by three with
// spaces; "### ### ##0.00" the same with two decimals; "##0.00%" and "##0%"
// show the value itself followed by a percent sign. The decimal separator is
// the locale's. Null shows as the empty text.
QString formatNumber(const QVariant &value, const QString &format);

// The text a field's value shows in lists and detail panels: the display
// format for numbers, the Hungarian date form ("2026.12.09.") for dates, the
// edit mask's layout for masked texts.
QString displayText(const QVariant &value, const schema::FieldDef &field);

// A number typed into a box of a numeric field, as a Hungarian clerk types
// it: an optional minus sign; the whole part unbroken or grouped by three
// with single spaces after a first group of one to three digits ("25000",
// "25 000", "1 234 567"; a non-breaking space counts as a space); then, in a
// box with decimals, a decimal comma and its digits. A point is read as the
// decimal point only where it cannot be a thousands separator: it is the only
// point, no comma is typed, and not exactly three digits follow it ("12.5",
// "7.25", "1 234.5"; "1.234" is refused rather than guessed). An integer box
// takes no decimals and holds a 32-bit number. A number with decimals has at
// most 12 digits before the decimal separator and 15 in all, so that the
// value stored is the value the box shows. Anything else is refused, with the
// message that says why.
struct TypedNumber {
    QVariant value;  // null for an empty box
    QString error;   // empty when the text is a number of the field
    bool ok() const { return error.isEmpty(); }
};
// The message names the box by `caption`, by default the field's title.
TypedNumber readTypedNumber(const QString &text, const schema::FieldDef &field, const QString &caption = QString());

// Whether `c` may be typed into a number box at all: digits, the minus sign,
// the decimal comma and point, and grouping spaces.
bool canStandInNumber(QChar c);

// The text of a stored number in its edit box: the whole value, without
// grouping, with a decimal comma and never in exponent form; what
// readTypedNumber reads back as the same value.
QString numberEditText(const QVariant &value, const schema::FieldDef &field);

// The first `characters` characters of `text`: a character outside the basic
// plane (an emoji) counts as one and is never cut in half.
QString cutToCharacters(const QString &text, int characters);

// An edit mask in the register's notation, e.g. "!90.00;1;_" or
// "AAAAAAAA-AAAAAAAA-AAAAAAAA;0;_": '0' a digit, '9' an optional digit,
// 'A' a letter or digit, 'a' an optional letter or digit, 'L' a letter,
// 'l' an optional letter, '!' leading optional blanks dropped, other
// characters literals. The second section says whether literals are stored
// with the value, the third gives the blank character.
class EditMask {
public:
    EditMask() = default;
    explicit EditMask(const QString &mask);

    bool isEmpty() const { return m_items.isEmpty(); }
    // The same mask in QLineEdit::setInputMask notation.
    QString inputMask() const;
    // The value to store for a text typed in the mask (blanks dropped).
    QString toStored(const QString &typed) const;
    // The text to put into the edit box for a stored value.
    QString toEdit(const QString &stored) const;
    // Whether the typed text fills the mask: every run of input positions
    // between literals holds at least as many characters as it requires.
    // Where they stand inside the run does not matter, so "6_.15" typed in
    // "!90.00" is as complete as "_6.15".
    bool isComplete(const QString &typed) const;
    // Whether a stored value is one the mask can produce: it survives the way
    // into the edit box and back unchanged, fills the mask and has a fitting
    // character at every position. An empty value always fits. With
    // `complete` false a value that leaves input positions blank fits too.
    bool fits(const QString &stored, bool complete = true) const;
    // With '!' the characters of a run with optional positions stand at its
    // right end ("_6" in "90"); a run of required positions fills from the
    // left ("1_" in "00"). `typed` with every run that ends at or before
    // `cursor` laid out so; the run being typed in is left alone.
    QString aligned(const QString &typed, int cursor) const;
    bool savesLiterals() const { return m_saveLiterals; }
    QChar blank() const { return m_blank; }

private:
    struct Item {
        QChar ch;
        bool literal;
        bool required;
    };
    struct Run {
        int from;
        int to;  // one past the last input position
        bool optional;  // holds a position that may stay blank
    };
    QVector<Run> runs() const;
    static bool accepts(const Item &item, QChar c);
    bool blankAt(const QString &typed, int i) const;

    QVector<Item> m_items;
    bool m_saveLiterals = true;
    QChar m_blank = QLatin1Char('_');
    bool m_trimLeading = false;
};

}  // namespace data
