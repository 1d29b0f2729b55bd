#pragma once
// The register on a PostgreSQL server that several desks share. Only the
// data layer reaches it, through data/engine.h.

#include "data/engine.h"

namespace data {

std::unique_ptr<Engine> makePostgresEngine(const QString &connectionName);

}  // namespace data
