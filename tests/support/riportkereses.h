#pragma once
// Finding the texts of a laid-out page, for the report suites.

#include "reports/engine/prepared.h"

#include <QString>
#include <QVector>

namespace testsupport {

// The first text of the page that reads exactly `text`; nullptr when none.
inline const riport::Primitive *findText(const riport::PreparedReport &r, int page, const QString &text)
{
    for (const riport::Primitive &p : r.pages[page].primitives)
        if (p.kind == riport::Primitive::Text && r.text(p) == text)
            return &p;
    return nullptr;
}

// Every text of the page that starts with `prefix`, in drawing order.
inline QVector<const riport::Primitive *> textsStartingWith(const riport::PreparedReport &r, int page,
                                                           const QString &prefix)
{
    QVector<const riport::Primitive *> out;
    for (const riport::Primitive &p : r.pages[page].primitives)
        if (p.kind == riport::Primitive::Text && r.text(p).startsWith(prefix))
            out << &p;
    return out;
}

}  // namespace testsupport
