#pragma once
// "Is this master still used?": a list of (table, column) places that hold a master's key. Tables
// or columns a database does not have yet are skipped, so a check grows complete as the
// documents that use the master arrive.
#include "db/Database.h"

#include <optional>
#include <vector>

namespace tanabana::products {

struct Reference {
    QString table;
    QString column;
};

// The first place of the list that holds the value, if any.
std::optional<Reference> findReference(db::Database& db, const std::vector<Reference>& places, const QVariant& value);

}  // namespace tanabana::products
