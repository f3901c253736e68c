#pragma once
// The migration steps of every database of the system, in the order they run. Each subsystem
// owns the steps of its own tables (a function in its folder); this list is the one place that
// orders them, so a database of any older release of ours is brought forward step by step.
#include "db/Schema.h"
#include "domain/schema/YearSchema.h"

#include <vector>

namespace tanabana::schema {

// Steps of the year list database (years and users).
std::vector<db::MigrationStep> yearListSteps();
// Steps of a year database (all firms' books of one financial year).
std::vector<db::MigrationStep> yearDatabaseSteps();

}  // namespace tanabana::schema
