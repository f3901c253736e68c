#include "domain/documents/Deletion.h"
#include "domain/schema/YearSchema.h"

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

namespace tanabana::documents {

void removeOpeningOutstanding(db::Database& db, const QString& book, qint64 billId) {
    db.exec(QStringLiteral("DELETE FROM Acc_OutSt WHERE VouNo = 0 AND BillId = ? AND Book = ?"), {billId, book});
}

void writeOpeningOutstanding(db::Database& db, const OpeningOutstanding& row) {
    removeOpeningOutstanding(db, row.book, row.billId);
    const qint64 rowId = db.nextKey(QStringLiteral("Acc_OutSt"), QStringLiteral("ID"));
    db.exec(QStringLiteral("INSERT INTO Acc_OutSt (ID, Srno, VouNo, TableCode, VouSrno, BillId, Paid_Amt, Minus_Amt, Plus_Amt, IsEnd, Book, "
                           "Fno, IsJV, VDate, AcId, BookName, IType, BNo, BillDt, BillAmt) "
                           "VALUES (?, 1, 0, ?, 0, ?, 0, 0, 0, 0, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?)"),
            {rowId, row.tableCode, row.billId, row.book, row.firmNo, QVariant(row.date), row.partyId, row.bookNo,
             row.invoiceType.left(1), schema::yearColumnWidths().fit(QStringLiteral("Acc_OutSt"), QStringLiteral("BNo"), row.billNo.trimmed()),
             QVariant(row.date), row.amount});
}

}  // namespace tanabana::documents
