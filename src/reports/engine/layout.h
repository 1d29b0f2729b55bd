#pragma once
// Lays a report definition out into pages of primitives, over the data sets
// bound to it by name.
//
// The master data set is walked from its first row to its end with its
// bound controls suspended; the walk is not undone, so afterwards the master
// stands where the layout stopped. Pages are laid out one at a time on
// demand, so a preview shows the first page while the rest is still to come.

#include "reports/engine/prepared.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <memory>

namespace data {
class DataSet;
}

namespace riport {

class TextMeasurer;

// The data sets of one run, by the names the definition uses ("Qry",
// "Tbl", "Tulajdonos"); names compare without regard to case.
class DataSets {
public:
    DataSets() = default;
    DataSets(std::initializer_list<std::pair<QString, data::DataSet *>> sets);
    void bind(const QString &name, data::DataSet *set);
    data::DataSet *find(const QString &name) const;

private:
    QHash<QString, data::DataSet *> m_sets;
};

class Layouter {
public:
    // Checks that every data set, field and expression the definition names
    // is there: a missing one raises data::DbError naming it. The definition,
    // the bound data sets and the measurer must outlive the layouter.
    Layouter(const Definition &definition, const DataSets &sets, const TextMeasurer &measurer);
    ~Layouter();
    Layouter(const Layouter &) = delete;
    Layouter &operator=(const Layouter &) = delete;

    // The moment printed by the date-and-time element; the start of the run
    // unless set before the first page.
    void setNow(const QDateTime &now);

    // Lays out the next page; false when every page is laid out already.
    bool layoutNextPage();
    void layoutAll();
    bool isFinished() const;
    // Lays out no more pages and leaves the master data set at its end, where
    // a whole layout leaves it; the pages laid out so far stay.
    void stop();

    // The pages laid out so far.
    const PreparedReport &report() const;
    // Lays out what is left and hands the whole report over.
    PreparedReport takeReport();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Lays out every page at once.
PreparedReport layoutReport(const Definition &definition, const DataSets &sets, const TextMeasurer &measurer);

}  // namespace riport
