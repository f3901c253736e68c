#include "domain/gst/GstSchema.h"

namespace tanabana::gst {

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
             }},
            {QStringLiteral("gst.yearly-reconciliation"), [](db::Database& db) {
                 // The books' figures of each group and month beside those filed (the "O" columns).
                 std::vector<db::ColumnDef> columns = {withDefault(db::longCol(QStringLiteral("FirmNo")), QStringLiteral("0")),
                                                       withDefault(db::longCol(QStringLiteral("YearID")), QStringLiteral("0")),
                                                       withDefault(db::yesNoCol(QStringLiteral("IsGrp")), QStringLiteral("0")),
                                                       withDefault(db::intCol(QStringLiteral("GrpNo")), QStringLiteral("0")),
                                                       withDefault(db::textCol(QStringLiteral("GrpText"), 100), QStringLiteral("''")),
                                                       withDefault(db::intCol(QStringLiteral("MonthNO")), QStringLiteral("0")),
                                                       withDefault(db::textCol(QStringLiteral("MonthName"), 20), QStringLiteral("''")),
                                                       withDefault(db::intCol(QStringLiteral("DtlSrno")), QStringLiteral("0"))};
                 for (const char* amount : {"TaxAmt", "IGST", "CGST", "SGST", "Cess", "TaxAmtO", "IGSTO", "CGSTO", "SGSTO", "CessO"})
                     columns.push_back(withDefault(db::doubleCol(QString::fromLatin1(amount)), QStringLiteral("0")));
                 columns.push_back(withDefault(db::yesNoCol(QStringLiteral("Is_Ok")), QStringLiteral("0")));
                 db::createTable(db, db::TableDef{QStringLiteral("GSTR_Audit"), columns, {},
                                                  {{QStringLiteral("GSTR_Audit_Year"), {QStringLiteral("FirmNo"), QStringLiteral("YearID")}, false}}});
             }}};
}

}  // namespace tanabana::gst
