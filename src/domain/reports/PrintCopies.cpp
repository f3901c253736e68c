#include "domain/reports/PrintCopies.h"

#include "domain/reports/Schema.h"
#include "domain/schema/YearSchema.h"

namespace tanabana::reports {

std::vector<PrintForm> printForms(db::Database& db) {
    std::vector<PrintForm> forms;
    for (const db::Row& r : db.query(QStringLiteral("SELECT Id, PName, PrnNO FROM FormMst ORDER BY Id")))
        forms.push_back({r.integer(QStringLiteral("Id")), r.text(QStringLiteral("PName")), int(r.number(QStringLiteral("PrnNO")))});
    return forms;
}

int printCopies(db::Database& db, qint64 formId) {
    return int(db.scalar(QStringLiteral("SELECT PrnNO FROM FormMst WHERE Id = ?"), {formId}).toDouble());
}

std::vector<CopyLabel> copyLabels(db::Database& db, qint64 formId) {
    std::vector<CopyLabel> labels;
    for (const db::Row& r : db.query(QStringLiteral("SELECT FormId, SNo, PrnName FROM FormMst_1 WHERE FormId = ? ORDER BY SNo"), {formId}))
        labels.push_back({int(r.number(QStringLiteral("SNo"))), r.text(QStringLiteral("PrnName"))});
    return labels;
}

bool saveCopyCount(db::Database& db, Messages& messages, qint64 formId, int copies) {
    if (copies < 1) {
        messages.critical(QStringLiteral("Not Updated"), QStringLiteral("Total Print No Is More then 1 "));
        return false;
    }
    db::Transaction tx(db);
    db.exec(QStringLiteral("UPDATE FormMst SET PrnNO = ? WHERE Id = ?"), {copies, formId});
    db.exec(QStringLiteral("DELETE FROM FormMst_1 WHERE FormId = ? AND SNo > ?"), {formId, copies});
    addMissingLabels(db, formId, copies);
    tx.commit();
    messages.information(QStringLiteral("Save Confirm"), QStringLiteral("Total Print No Is Updated!"));
    return true;
}

bool saveCopyName(db::Database& db, Messages& messages, qint64 formId, int copyNumber, const QString& label) {
    const QString trimmed = label.trimmed();
    if (trimmed.isEmpty()) {
        messages.critical(QStringLiteral("No Print Name"), QStringLiteral("Print Name Should Not Be Empty"));
        return false;
    }
    const QString fitted = schema::yearColumnWidths().fit(QStringLiteral("FormMst_1"), QStringLiteral("PrnName"), trimmed);
    db::Transaction tx(db);
    db.exec(QStringLiteral("UPDATE FormMst_1 SET PrnName = ? WHERE FormId = ? AND SNo = ?"), {fitted, formId, copyNumber});
    tx.commit();
    return true;
}

}  // namespace tanabana::reports
