#pragma once
// The filter syntax of data sets: comparisons of a field with a number, a
// quoted text or null, parenthesised and joined by "and", "or" and "not":
//   ugyfel=5     (terulet=2) and (tipus=5) and (aktiv='I')
// A parsed filter evaluates a row in memory or becomes an SQL condition with
// bound parameters: the typed text never becomes part of the SQL. Both give
// the same rows: every comparison is true or false (an empty field equals
// only null and differs from every value, so "not (terulet=2)" passes it),
// numbers compare as numbers, texts in code point order with case counting,
// dates as their ISO texts.

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace data {

class FilterExpr {
public:
    enum class Op { Eq, Ne, Lt, Le, Gt, Ge };
    // Resolves a field name to its index and type category; -1 if unknown.
    struct FieldInfo {
        int index = -1;
        bool numeric = false;
        bool text = false;
    };
    using FieldResolver = std::function<FieldInfo(const QString &name)>;

    ~FilterExpr();
    // Parses a filter text; an empty text gives nullptr. Raises DbError
    // with the position of the problem for a malformed text.
    static std::unique_ptr<FilterExpr> parse(const QString &text, const FieldResolver &resolve);

    // The condition as SQL, with `column` naming each field's column.
    QString toSql(const std::function<QString(int field)> &column, QVariantList &params) const;
    bool matches(const std::function<QVariant(int field)> &value) const;
    // Every field the expression reads.
    QVector<int> fields() const;

    struct Node;

private:
    explicit FilterExpr(std::unique_ptr<Node> root);
    std::unique_ptr<Node> m_root;
};

}  // namespace data
