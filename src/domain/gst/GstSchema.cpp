#include "domain/gst/GstSchema.h"

namespace tanabana::gst {

namespace {

db::ColumnDef withDefault(db::ColumnDef column, const QString& value) {
    column.defaultValue = value;
    return column;
}

}  // namespace

std::vector<db::MigrationStep> gstSteps() {
    return {{QStringLiteral("gst.firm-turnover-above-5-crore"), [](db::Database& db) {
                 db::ColumnDef column = db::yesNoCol(QStringLiteral("Is_Turnover_5Cr"));
                 column.defaultValue = QStringLiteral("0");
                 db::addColumnIfMissing(db, QStringLiteral("FirmMst"), column);
             }},
            {QStringLiteral("gst.portal-invoices-by-period"), [](db::Database& db) {
                 // Each imported row gets a key, the return it came with (GSTR-2A or 2B) and its
                 // period, and the purchase bill it was matched or proposed with.
                 const QString table = QStringLiteral("GSTR2_A");
                 db::addColumnIfMissing(db, table, withDefault(db::longCol(QStringLiteral("Id")), QStringLiteral("0")));
                 db::addColumnIfMissing(db, table, withDefault(db::textCol(QStringLiteral("Source"), 2), QStringLiteral("'2A'")));
                 db::addColumnIfMissing(db, table, db::dateCol(QStringLiteral("PeriodFrom")));
                 db::addColumnIfMissing(db, table, db::dateCol(QStringLiteral("PeriodTo")));
                 db::addColumnIfMissing(db, table, withDefault(db::longCol(QStringLiteral("BillId")), QStringLiteral("0")));
                 db::addColumnIfMissing(db, table, withDefault(db::textCol(QStringLiteral("MatchKind"), 1), QStringLiteral("''")));
             }}};
}

}  // namespace tanabana::gst
