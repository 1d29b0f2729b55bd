#pragma once
// The runs of the accommodation reports, the notes report and the labels,
// apart from the windows that show or print them: each makes its report,
// opens the data sets it prints, narrows what it must, hands the lot to the
// runner (preview, printer, or a test's layout) and puts everything back,
// also when a step fails. Errors come out as data::DbError.

#include <QString>
#include <QVariant>
#include <functional>

namespace data {
class Database;
class DataSet;
}
namespace riport {
class DataSets;
class Definition;
}
struct CimkeElrendezes;

// Shows or prints a report over its data sets; false when it could not.
using RiportFuttato = std::function<bool(const riport::Definition &, const riport::DataSets &)>;

// Keeps a data set's filter text and filter switch and puts both back when
// it goes out of scope.
class SzuroMentes {
public:
    explicit SzuroMentes(data::DataSet &ds);
    ~SzuroMentes();
    SzuroMentes(const SzuroMentes &) = delete;
    SzuroMentes &operator=(const SzuroMentes &) = delete;

private:
    data::DataSet &m_ds;
    QString m_szuro;
    bool m_be;
};

// The full list of the main list `lista` as it stands.
bool UgyfelListaFuttatas(data::Database &db, data::DataSet &lista, const RiportFuttato &futtato);

// The data sheet of the place `ugyfel` (null counts as 0): the main list is
// narrowed to it while the report runs.
bool AdatlapFuttatas(data::Database &db, data::DataSet &lista, const QVariant &ugyfel, const RiportFuttato &futtato);

// The notes of the place `ugyfel` (null counts as 0), on the report's own query.
bool MegjegyzesFuttatas(data::Database &db, const QVariant &ugyfel, const RiportFuttato &futtato);

// The labels of the main list on a layout's stock.
bool CimkeFuttatas(data::DataSet &lista, const CimkeElrendezes &elrendezes, const RiportFuttato &futtato);
