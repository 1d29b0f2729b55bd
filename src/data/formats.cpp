#include "data/formats.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <cmath>

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
        const int start = m_trimLeading ? runs[r].to - part.size() : runs[r].from;
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
            out.append({i, i + 1});
        else
            out.last().to = i + 1;
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
