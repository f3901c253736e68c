#include "domain/products/References.h"

namespace tanabana::products {

std::optional<Reference> findReference(db::Database& db, const std::vector<Reference>& places, const QVariant& value) {
    for (const Reference& ref : places) {
        if (!db.tableExists(ref.table) || !db.columnExists(ref.table, ref.column)) continue;
        const QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?%3").arg(ref.table, ref.column, db.dialect().limit(1));
        if (db.queryOne(sql, {value})) return ref;
    }
    return std::nullopt;
}

}  // namespace tanabana::products
