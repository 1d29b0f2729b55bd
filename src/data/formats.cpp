#include "data/formats.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace data {

namespace {

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(' ');
        out += digits[i];
    }
    return out;
}

}  // namespace

QString formatNumber(const QVariant &value, const QString &format)
{
    if (!value.isValid() || value.isNull())
        return QString();
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok)
        return value.toString();
    if (format.isEmpty())
        return QLocale().toString(v, 'g', 15);

    // Split the format into its number part and a literal suffix ("%").
    int end = format.size();
    while (end > 0 && !QStringLiteral("#0.,").contains(format[end - 1]))
        --end;
    const QString suffix = format.mid(end);
    const QString number = format.left(end);
    const int point = number.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? number : number.left(point);
    const int decimals = point < 0 ? 0 : number.size() - point - 1;
    const int minIntDigits = int(intPart.count(QLatin1Char('0')));
    const bool grouped = intPart.contains(QLatin1Char(' '));

    // Half away from zero, on the decimal value the user sees.
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::fabs(v) * scale) / scale;
    QString digits = QString::number(rounded, 'f', decimals);
    QString whole = decimals > 0 ? digits.left(digits.indexOf(QLatin1Char('.'))) : digits;
    const QString fraction = decimals > 0 ? digits.mid(digits.indexOf(QLatin1Char('.')) + 1) : QString();
    if (whole.size() < minIntDigits)
        whole = whole.rightJustified(minIntDigits, QLatin1Char('0'));
    if (whole == QLatin1String("0") && minIntDigits == 0)
        whole.clear();
    if (grouped)
        whole = groupThousands(whole);

    QString out = whole;
    if (decimals > 0)
        out += QLocale().decimalPoint() + fraction;
    const bool negative = v < 0 && rounded != 0.0;
    return (negative ? QStringLiteral("-") : QString()) + out + suffix;
}

QString displayText(const QVariant &value, const schema::FieldDef &field)
{
    if (!value.isValid() || value.isNull())
        return QString();
    using T = schema::FieldType;
    switch (field.type) {
    case T::Integer:
    case T::AutoInc:
    case T::Float:
        if (!field.format.isEmpty())
            return formatNumber(value, field.format);
        if (field.type == T::Float)
            return QLocale().toString(value.toDouble(), 'g', 15);
        return value.toString();
    case T::Date: {
        const QDate d = value.typeId() == QMetaType::QDate ? value.toDate()
                                                            : QDate::fromString(value.toString(), Qt::ISODate);
        return d.isValid() ? d.toString(QStringLiteral("yyyy.MM.dd.")) : value.toString();
    }
    case T::Timestamp: {
        const QDateTime t = value.typeId() == QMetaType::QDateTime
                                ? value.toDateTime()
                                : QDateTime::fromString(value.toString(), Qt::ISODate);
        return t.isValid() ? t.toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss")) : value.toString();
    }
    case T::Boolean:
        return value.toBool() ? QStringLiteral("Igaz") : QStringLiteral("Hamis");
    case T::Text:
    case T::Memo:
        break;
    }
    // A masked text shows as it is typed: a bank account with its hyphens.
    // A value the mask cannot produce (written by another program with its
    // own hyphens) shows as it is stored, not with the mask laid over it.
    const QString text = value.toString();
    if (!field.mask.isEmpty() && !text.isEmpty()) {
        const EditMask mask(field.mask);
        if (mask.fits(text, false))
            return mask.toEdit(text).replace(mask.blank(), QLatin1Char(' ')).trimmed();
    }
    return text;
}

// ---- numbers typed into a box ----------------------------------------------

namespace {

// A forint amount under a thousand billion; 15 digits are what a double holds
// exactly, so the box shows back what was typed.
constexpr int kWholeDigits = 12;
constexpr int kAllDigits = 15;

bool isGroupSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool allDigits(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// The digits of a whole part typed unbroken, or grouped by three after a
// first group of one to three digits; false for any other spacing.
bool wholeDigits(QStringView typed, QString &digits)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= typed.size(); ++i) {
        if (i < typed.size() && !isGroupSpace(typed[i]))
            continue;
        const QStringView group = typed.mid(start, i - start);
        const bool grouped = start > 0 || i < typed.size();
        const bool fits = start == 0 ? !grouped || group.size() <= 3 : group.size() == 3;
        if (group.isEmpty() || !fits || !allDigits(group))
            return false;
        digits += group;
        start = i + 1;
    }
    return true;
}

// Where the decimals begin: a comma, or a lone point that cannot be a
// thousands separator; -1 for none, -2 for a text that cannot be read.
qsizetype decimalSeparator(QStringView t)
{
    const qsizetype commas = t.count(QLatin1Char(','));
    const qsizetype points = t.count(QLatin1Char('.'));
    if (commas + points > 1)
        return -2;
    if (commas == 1)
        return t.indexOf(QLatin1Char(','));
    if (points == 0)
        return -1;
    const qsizetype at = t.indexOf(QLatin1Char('.'));
    return t.size() - at - 1 == 3 ? -2 : at;
}

QString withoutLeadingZeros(QString digits)
{
    qsizetype n = 0;
    while (n < digits.size() && digits[n] == QLatin1Char('0'))
        ++n;
    return digits.mid(n);
}

}  // namespace

bool canStandInNumber(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char(',')
           || c == QLatin1Char('.') || isGroupSpace(c);
}

TypedNumber readTypedNumber(const QString &text, const schema::FieldDef &field, const QString &caption)
{
    TypedNumber out;
    QString t = text.trimmed();
    if (t.isEmpty())
        return out;
    const QString name = caption.isEmpty() ? field.title() : caption;
    const bool integral = field.isIntegral();
    auto refused = [&](const QString &why) {
        out.error = QStringLiteral("'%1' %2 (%3 mező).").arg(text, why, name);
        return out;
    };
    const QString notNumber = integral ? QStringLiteral("nem érvényes egész szám") : QStringLiteral("nem érvényes szám");

    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative)
        t.remove(0, 1);
    const qsizetype separator = decimalSeparator(t);
    if (separator == -2)
        return refused(notNumber);
    const QString whole = separator < 0 ? t : t.left(separator);
    QString fraction = separator < 0 ? QString() : t.mid(separator + 1);
    if ((separator >= 0 && (fraction.isEmpty() || !allDigits(fraction))) || (whole.isEmpty() && fraction.isEmpty()))
        return refused(notNumber);
    QString digits;
    if (!whole.isEmpty() && !wholeDigits(whole, digits))
        return refused(notNumber);
    digits = withoutLeadingZeros(digits);

    if (integral) {
        if (separator >= 0)
            return refused(notNumber);
        const qint64 n = digits.size() > 10 ? std::numeric_limits<qint64>::max() : digits.toLongLong();
        const qint64 value = negative ? -n : n;
        if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
            return refused(QStringLiteral("túl nagy szám"));
        out.value = QVariant(qlonglong(value));
        return out;
    }
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (digits.size() > kWholeDigits)
        return refused(QStringLiteral("túl nagy szám, legfeljebb %1 jegy állhat a tizedesvessző előtt").arg(kWholeDigits));
    if (digits.size() + fraction.size() > kAllDigits)
        return refused(QStringLiteral("túl sok számjegy, legfeljebb %1 jegy tárolható").arg(kAllDigits));
    const double d = QString(digits + QLatin1Char('.') + fraction + QLatin1Char('0')).toDouble();
    out.value = negative && d != 0.0 ? -d : d;
    return out;
}

QString numberEditText(const QVariant &value, const schema::FieldDef &field)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (field.isIntegral())
        return QString::number(value.toLongLong());
    const double v = value.toDouble();
    if (!std::isfinite(v))
        return value.toString();
    if (v == 0.0)
        return QStringLiteral("0");
    // Fifteen significant digits in fixed notation, trailing zeros dropped.
    const int exponent = int(std::floor(std::log10(std::fabs(v))));
    QString s = QString::number(v, 'f', std::clamp(kAllDigits - 1 - exponent, 0, 40));
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString cutToCharacters(const QString &text, int characters)
{
    if (text.size() <= characters)
        return text;
    int end = 0;
    for (int n = 0; n < characters && end < text.size(); ++n) {
        const bool pair = text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

// ---- edit masks -------------------------------------------------------------

EditMask::EditMask(const QString &mask)
{
    QStringList sections = mask.split(QLatin1Char(';'));
    const QString body = sections.value(0);
    if (sections.size() > 1)
        m_saveLiterals = sections.value(1).trimmed() != QLatin1String("0");
    if (sections.size() > 2 && !sections.value(2).isEmpty())
        m_blank = sections.value(2).at(0);

    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        switch (c.unicode()) {
        case '!': m_trimLeading = true; break;
        case '>': case '<': break;  // case conversion is not used by the register
        case '\\':
            if (i + 1 < body.size())
                m_items.append({body[++i], true, false});
            break;
        case '0': case 'A': case 'L': case 'C':
            m_items.append({c, false, true});
            break;
        case '9': case 'a': case 'l': case 'c': case '#':
            m_items.append({c, false, false});
            break;
        default:
            m_items.append({c, true, false});
        }
    }
}

QString EditMask::inputMask() const
{
    if (m_items.isEmpty())
        return QString();
    static const QString meta = QStringLiteral("AaNnXx90Dd#HhBb><!;[]{}\\");
    QString out;
    for (const Item &it : m_items) {
        if (it.literal) {
            if (meta.contains(it.ch))
                out += QLatin1Char('\\');
            out += it.ch;
            continue;
        }
        switch (it.ch.unicode()) {
        case '0': out += QLatin1Char('9'); break;   // digit required
        case '9': out += QLatin1Char('0'); break;   // digit permitted
        case '#': out += QLatin1Char('#'); break;
        case 'A': out += QLatin1Char('N'); break;   // letter or digit required
        case 'a': out += QLatin1Char('n'); break;
        case 'L': out += QLatin1Char('A'); break;   // letter required
        case 'l': out += QLatin1Char('a'); break;
        case 'C': out += QLatin1Char('X'); break;   // any character required
        default: out += QLatin1Char('x'); break;
        }
    }
    return out + QLatin1Char(';') + m_blank;
}

QString EditMask::toStored(const QString &typed) const
{
    if (m_items.isEmpty())
        return typed;
    QString out;
    for (int i = 0; i < m_items.size(); ++i) {
        const QChar c = i < typed.size() ? typed[i] : QChar(QLatin1Char(' '));
        if (m_items[i].literal) {
            if (m_saveLiterals)
                out += m_items[i].ch;
        } else if (c != m_blank && c != QLatin1Char(' ')) {
            out += c;
        }
    }
    // A mask left entirely blank stores nothing, not its literals.
    bool anyTyped = false;
    for (int i = 0; i < m_items.size() && i < typed.size(); ++i)
        if (!m_items[i].literal && typed[i] != m_blank && typed[i] != QLatin1Char(' '))
            anyTyped = true;
    return anyTyped ? out : QString();
}

QString EditMask::toEdit(const QString &stored) const
{
    if (m_items.isEmpty())
        return stored;
    const QVector<Run> runs = this->runs();
    QString out(m_items.size(), m_blank);
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i].literal)
            out[i] = m_items[i].ch;
    if (stored.isEmpty())
        return out;

    QStringList parts;
    if (m_saveLiterals) {
        // Split the stored value at the literals between the runs.
        QString rest = stored;
        for (int r = 0; r < runs.size(); ++r) {
            if (r + 1 < runs.size()) {
                const QChar lit = m_items[runs[r].to].ch;
                const int at = rest.indexOf(lit);
                parts << (at < 0 ? rest : rest.left(at));
                rest = at < 0 ? QString() : rest.mid(at + 1);
            } else {
                parts << rest;
            }
        }
    } else {
        int pos = 0;
        for (const Run &run : runs) {
            parts << stored.mid(pos, run.to - run.from);
            pos += run.to - run.from;
        }
    }
    for (int r = 0; r < runs.size(); ++r) {
        const QString part = parts.value(r).left(runs[r].to - runs[r].from);
        const int start = m_trimLeading && runs[r].optional ? runs[r].to - part.size() : runs[r].from;
        for (int k = 0; k < part.size(); ++k)
            out[start + k] = part[k];
    }
    return out;
}

QVector<EditMask::Run> EditMask::runs() const
{
    QVector<Run> out;
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i].literal)
            continue;
        if (out.isEmpty() || out.last().to != i)
            out.append({i, i + 1, false});
        else
            out.last().to = i + 1;
        out.last().optional |= !m_items[i].required;
    }
    return out;
}

bool EditMask::accepts(const Item &item, QChar c)
{
    switch (item.ch.unicode()) {
    case '0': case '9': return c.isDigit();
    case '#': return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    case 'A': case 'a': return c.isLetterOrNumber();
    case 'L': case 'l': return c.isLetter();
    default: return !c.isNull();
    }
}

bool EditMask::blankAt(const QString &typed, int i) const
{
    return i >= typed.size() || typed[i] == m_blank || typed[i] == QLatin1Char(' ');
}

bool EditMask::isComplete(const QString &typed) const
{
    for (const Run &run : runs()) {
        int required = 0;
        int filled = 0;
        for (int i = run.from; i < run.to; ++i) {
            required += m_items[i].required ? 1 : 0;
            filled += blankAt(typed, i) ? 0 : 1;
        }
        if (filled < required)
            return false;
    }
    return true;
}

bool EditMask::fits(const QString &stored, bool complete) const
{
    if (m_items.isEmpty() || stored.isEmpty())
        return true;
    const QString edit = toEdit(stored);
    if (toStored(edit) != stored || (complete && !isComplete(edit)))
        return false;
    for (int i = 0; i < m_items.size(); ++i)
        if (!m_items[i].literal && !blankAt(edit, i) && !accepts(m_items[i], edit[i]))
            return false;
    return true;
}

QString EditMask::aligned(const QString &typed, int cursor) const
{
    if (!m_trimLeading)
        return typed;
    QString out = typed;
    for (const Run &run : runs()) {
        if (run.to > cursor || run.to > out.size())
            break;
        if (!run.optional)
            continue;
        QString chars;
        for (int i = run.from; i < run.to; ++i)
            if (!blankAt(out, i))
                chars += out[i];
        const int start = run.to - int(chars.size());
        for (int i = run.from; i < run.to; ++i)
            out[i] = i < start ? m_blank : chars[i - start];
    }
    return out;
}

}  // namespace data
