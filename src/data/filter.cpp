#include "data/filter.h"

#include "data/database.h"
#include "data/storage.h"

namespace data {

struct FilterExpr::Node {
    enum class Kind { And, Or, Not, Compare } kind = Kind::Compare;
    std::unique_ptr<Node> left, right;
    int field = -1;
    bool numeric = false;
    bool text = false;   // a text field; neither: a date or a time
    Op op = Op::Eq;
    QVariant value;  // null for comparisons with null
};

namespace {

using Node = FilterExpr::Node;
using Op = FilterExpr::Op;

class Parser {
public:
    Parser(const QString &text, const FilterExpr::FieldResolver &resolve) : m_s(text), m_resolve(resolve) {}

    std::unique_ptr<Node> parse()
    {
        auto n = parseOr();
        skipSpace();
        if (m_pos < m_s.size())
            fail(QStringLiteral("váratlan szöveg"));
        return n;
    }

private:
    [[noreturn]] void fail(const QString &what) const
    {
        throw DbError(QStringLiteral("Hibás szűrőfeltétel (%1. karakter, %2): %3")
                          .arg(m_pos + 1)
                          .arg(what, m_s));
    }

    void skipSpace()
    {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace())
            ++m_pos;
    }

    bool keyword(const char *word)
    {
        skipSpace();
        const QString w = QString::fromLatin1(word);
        if (m_s.mid(m_pos, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        const int end = m_pos + w.size();
        if (end < m_s.size() && (m_s[end].isLetterOrNumber() || m_s[end] == QLatin1Char('_')))
            return false;
        m_pos = end;
        return true;
    }

    std::unique_ptr<Node> join(Node::Kind kind, std::unique_ptr<Node> l, std::unique_ptr<Node> r)
    {
        auto n = std::make_unique<Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto n = parseAnd();
        while (keyword("or"))
            n = join(Node::Kind::Or, std::move(n), parseAnd());
        return n;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto n = parseNot();
        while (keyword("and"))
            n = join(Node::Kind::And, std::move(n), parseNot());
        return n;
    }

    std::unique_ptr<Node> parseNot()
    {
        if (keyword("not"))
            return join(Node::Kind::Not, parseNot(), nullptr);
        return parsePrimary();
    }

    std::unique_ptr<Node> parsePrimary()
    {
        skipSpace();
        if (m_pos < m_s.size() && m_s[m_pos] == QLatin1Char('(')) {
            ++m_pos;
            auto n = parseOr();
            skipSpace();
            if (m_pos >= m_s.size() || m_s[m_pos] != QLatin1Char(')'))
                fail(QStringLiteral("hiányzó záró zárójel"));
            ++m_pos;
            return n;
        }
        return parseComparison();
    }

    std::unique_ptr<Node> parseComparison()
    {
        skipSpace();
        const int start = m_pos;
        QString name;
        if (m_pos < m_s.size() && (m_s[m_pos] == QLatin1Char('[') || m_s[m_pos] == QLatin1Char('"'))) {
            const QChar close = m_s[m_pos] == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            const int end = m_s.indexOf(close, m_pos + 1);
            if (end < 0)
                fail(QStringLiteral("lezáratlan mezőnév"));
            name = m_s.mid(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
        } else {
            while (m_pos < m_s.size() && (m_s[m_pos].isLetterOrNumber() || m_s[m_pos] == QLatin1Char('_')))
                ++m_pos;
            name = m_s.mid(start, m_pos - start);
        }
        if (name.isEmpty())
            fail(QStringLiteral("mezőnév szükséges"));
        const FilterExpr::FieldInfo info = m_resolve(name);
        if (info.index < 0) {
            m_pos = start;
            fail(QStringLiteral("ismeretlen mező: %1").arg(name));
        }

        auto n = std::make_unique<Node>();
        n->field = info.index;
        n->numeric = info.numeric;
        n->text = info.text;
        n->op = parseOp();

        skipSpace();
        if (keyword("null")) {
            if (n->op != Op::Eq && n->op != Op::Ne)
                fail(QStringLiteral("null csak = és <> mellett állhat"));
            return n;
        }
        if (m_pos >= m_s.size())
            fail(QStringLiteral("hiányzó érték"));
        const QChar q = m_s[m_pos];
        if (q == QLatin1Char('\'') || q == QLatin1Char('"')) {
            QString text;
            ++m_pos;
            for (;;) {
                if (m_pos >= m_s.size())
                    fail(QStringLiteral("lezáratlan szöveg"));
                if (m_s[m_pos] == q) {
                    if (m_pos + 1 < m_s.size() && m_s[m_pos + 1] == q) {
                        text += q;
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                text += m_s[m_pos++];
            }
            n->value = typed(text, info, start);
        } else {
            const int vstart = m_pos;
            while (m_pos < m_s.size() && (m_s[m_pos].isDigit() || m_s[m_pos] == QLatin1Char('.') ||
                                          m_s[m_pos] == QLatin1Char('-') || m_s[m_pos] == QLatin1Char('+')))
                ++m_pos;
            const QString num = m_s.mid(vstart, m_pos - vstart);
            bool ok = false;
            const double d = num.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("szám vagy idézőjeles szöveg szükséges"));
            n->value = info.numeric ? QVariant(d) : QVariant(num);
        }
        return n;
    }

    QVariant typed(const QString &text, const FilterExpr::FieldInfo &info, int at)
    {
        if (!info.numeric)
            return text;
        bool ok = false;
        const double d = text.trimmed().toDouble(&ok);
        if (!ok) {
            m_pos = at;
            fail(QStringLiteral("'%1' nem szám").arg(text));
        }
        return d;
    }

    Op parseOp()
    {
        skipSpace();
        const QString two = m_s.mid(m_pos, 2);
        if (two == QLatin1String("<>") || two == QLatin1String("!=")) { m_pos += 2; return Op::Ne; }
        if (two == QLatin1String("<=")) { m_pos += 2; return Op::Le; }
        if (two == QLatin1String(">=")) { m_pos += 2; return Op::Ge; }
        if (m_pos < m_s.size()) {
            const QChar c = m_s[m_pos];
            if (c == QLatin1Char('=')) { ++m_pos; return Op::Eq; }
            if (c == QLatin1Char('<')) { ++m_pos; return Op::Lt; }
            if (c == QLatin1Char('>')) { ++m_pos; return Op::Gt; }
        }
        fail(QStringLiteral("összehasonlító jel szükséges"));
    }

    QString m_s;
    int m_pos = 0;
    const FilterExpr::FieldResolver &m_resolve;
};

const char *sqlOp(Op op)
{
    switch (op) {
    case Op::Eq: return "=";
    case Op::Ne: return "<>";
    case Op::Lt: return "<";
    case Op::Le: return "<=";
    case Op::Gt: return ">";
    case Op::Ge: return ">=";
    }
    return "=";
}

QString toSqlNode(const Node &n, const std::function<QString(int)> &column, QVariantList &params)
{
    switch (n.kind) {
    case Node::Kind::And:
    case Node::Kind::Or: {
        // Left before right: the parameters follow the text's order.
        const QString left = toSqlNode(*n.left, column, params);
        const QString right = toSqlNode(*n.right, column, params);
        return QStringLiteral("(%1 %2 %3)")
            .arg(left, n.kind == Node::Kind::And ? QStringLiteral("AND") : QStringLiteral("OR"), right);
    }
    case Node::Kind::Not:
        return QStringLiteral("(NOT %1)").arg(toSqlNode(*n.left, column, params));
    case Node::Kind::Compare:
        break;
    }
    // Every comparison comes out true or false, never SQL's unknown, so
    // that "not" and the in-memory evaluation agree (see matchesNode).
    const QString col = column(n.field);
    if (n.value.isNull())
        return QStringLiteral("(%1 IS %2NULL)").arg(col, n.op == Op::Ne ? QStringLiteral("NOT ") : QString());
    params << n.value;
    if (n.op == Op::Ne)
        return QStringLiteral("(%1 IS NULL OR %1 <> ?)").arg(col);
    // Dates and times are kept as ISO texts in columns that the engine would
    // compare as numbers with a number-like text: compare them as texts.
    const QString operand = n.numeric || n.text ? col : QStringLiteral("CAST(%1 AS TEXT)").arg(col);
    return QStringLiteral("(%1 IS NOT NULL AND %2 %3 ?)").arg(col, operand, QLatin1String(sqlOp(n.op)));
}

// UTF-16 puts the characters above U+FFFF (as surrogates) before
// U+E000..U+FFFF; the engine's binary order of UTF-8 puts them after, as
// code point order does. Moving the units so gives code point order.
int codePointUnit(char16_t u)
{
    if (u >= 0xE000)
        return u - 0x800;
    if (u >= 0xD800)
        return u + 0x2000;
    return u;
}

int compareTexts(const QString &a, const QString &b)
{
    const int n = int(qMin(a.size(), b.size()));
    for (int i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x != y)
            return codePointUnit(x) < codePointUnit(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compareValues(const QVariant &have, const QVariant &wanted, bool numeric)
{
    if (numeric) {
        // A text that another program left in a number field sorts after
        // every number, as the engine orders them.
        if (!isStoredNumber(have))
            return 1;
        const double x = have.toDouble(), y = wanted.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    // Dates and times as they are stored: ISO texts.
    return compareTexts(toStorage(have).toString(), wanted.toString());
}

// The rules, the same as toSqlNode's: an empty (null) field equals null
// only and differs from every value, so it passes "<>" and fails "=", "<",
// "<=", ">" and ">="; "not" turns true into false and false into true
// (not (terulet=2) passes the places without an area). Numbers compare as
// numbers, texts character by character in code point order, letter case
// counting.
bool matchesNode(const Node &n, const std::function<QVariant(int)> &value)
{
    switch (n.kind) {
    case Node::Kind::And: return matchesNode(*n.left, value) && matchesNode(*n.right, value);
    case Node::Kind::Or: return matchesNode(*n.left, value) || matchesNode(*n.right, value);
    case Node::Kind::Not: return !matchesNode(*n.left, value);
    case Node::Kind::Compare: break;
    }
    const QVariant v = value(n.field);
    const bool isNull = !v.isValid() || v.isNull();
    if (n.value.isNull())
        return (n.op == Op::Eq) == isNull;
    if (isNull)
        return n.op == Op::Ne;
    const int c = compareValues(v, n.value, n.numeric);
    switch (n.op) {
    case Op::Eq: return c == 0;
    case Op::Ne: return c != 0;
    case Op::Lt: return c < 0;
    case Op::Le: return c <= 0;
    case Op::Gt: return c > 0;
    case Op::Ge: return c >= 0;
    }
    return false;
}

void collectFields(const Node &n, QVector<int> &out)
{
    if (n.kind == Node::Kind::Compare) {
        if (!out.contains(n.field))
            out << n.field;
        return;
    }
    if (n.left)
        collectFields(*n.left, out);
    if (n.right)
        collectFields(*n.right, out);
}

}  // namespace

FilterExpr::FilterExpr(std::unique_ptr<Node> root) : m_root(std::move(root)) {}
FilterExpr::~FilterExpr() = default;

std::unique_ptr<FilterExpr> FilterExpr::parse(const QString &text, const FieldResolver &resolve)
{
    if (text.trimmed().isEmpty())
        return nullptr;
    Parser p(text, resolve);
    return std::unique_ptr<FilterExpr>(new FilterExpr(p.parse()));
}

QString FilterExpr::toSql(const std::function<QString(int)> &column, QVariantList &params) const
{
    return toSqlNode(*m_root, column, params);
}

bool FilterExpr::matches(const std::function<QVariant(int)> &value) const
{
    return matchesNode(*m_root, value);
}

QVector<int> FilterExpr::fields() const
{
    QVector<int> out;
    collectFields(*m_root, out);
    return out;
}

}  // namespace data
