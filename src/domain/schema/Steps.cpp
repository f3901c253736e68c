#include "domain/schema/Steps.h"

namespace tanabana::schema {

namespace {

void append(std::vector<db::MigrationStep>& all, std::vector<db::MigrationStep> more) {
    for (auto& step : more) all.push_back(std::move(step));
}

}  // namespace

std::vector<db::MigrationStep> yearListSteps() {
    std::vector<db::MigrationStep> steps;
    return steps;
}

std::vector<db::MigrationStep> yearDatabaseSteps() {
    std::vector<db::MigrationStep> steps;
    (void)append;
    return steps;
}

const db::ColumnWidths& yearColumnWidths() {
    static const db::ColumnWidths widths;
    return widths;
}

}  // namespace tanabana::schema
