#include "domain/documents/Deletion.h"

namespace tanabana::documents {

bool refuseUsed(db::Database& db, Messages& messages, const std::vector<UsedBy>& uses, qint64 key) {
    for (const UsedBy& use : uses) {
        if (db.scalar(use.countSql, {key}).toLongLong() > 0) {
            messages.critical(use.title, use.text);
            return true;
        }
    }
    return false;
}

void deleteDocument(db::Database& db, const DocumentTables& tables, qint64 key, qint64 firmNo) {
    for (const LineTable& lines : tables.lines) db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(lines.table, lines.parentColumn), {key});
    db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(tables.header, tables.keyColumn), {key});
    if (tables.historyFormId > 0) writeDeletionHistory(db, key, firmNo, tables.historyFormId);
}

void writeDeletionHistory(db::Database& db, qint64 key, qint64 firmNo, int formId) {
    db.exec(QStringLiteral("INSERT INTO Table_Del_History (Id, FirmNO, FormId) VALUES (?, ?, ?)"), {key, firmNo, formId});
}

}  // namespace tanabana::documents
