#include "domain/vouchers/VoucherSchema.h"

namespace tanabana::vouchers {

using namespace db;

TableDef chequeWorkTable() {
    return {QStringLiteral("PaymentMStChq"),
            {longCol(QStringLiteral("Srno")), dateCol(QStringLiteral("PayDAte")), textCol(QStringLiteral("Name"), 255),
             withDefault(doubleCol(QStringLiteral("Amt")), QStringLiteral("0")), textCol(QStringLiteral("Ph"), 50),
             textCol(QStringLiteral("Narr1"), 255), textCol(QStringLiteral("InWord"), 255)},
            {},
            {}};
}

std::vector<TableDef> voucherTables() { return {chequeWorkTable()}; }

std::vector<MigrationStep> voucherSteps() {
    return {{QStringLiteral("vouchers/001-settlements"), [](Database& db) {
                 for (const QString& bills : {QStringLiteral("SalBillMst"), QStringLiteral("BillMst")}) {
                     addColumnIfMissing(db, bills, withDefault(longCol(QStringLiteral("VouNO")), QStringLiteral("0")));
                     addColumnIfMissing(db, bills, withDefault(yesNoCol(QStringLiteral("IsJV")), QStringLiteral("0")));
                 }
                 addColumnIfMissing(db, QStringLiteral("HeadDtl3_Auto"),
                                    withDefault(yesNoCol(QStringLiteral("Is_Upload")), QStringLiteral("0")));
                 createTable(db, chequeWorkTable());
             }},
            // The journal voucher that passed a settlement's less/add amount, so deleting it reopens the row.
            {QStringLiteral("vouchers/002-difference-journal"), [](Database& db) {
                 for (const QString& column : {QStringLiteral("JV_VouNo"), QStringLiteral("JV_SrNo")})
                     addColumnIfMissing(db, QStringLiteral("Acc_OutSt"), withDefault(longCol(column), QStringLiteral("0")));
             }},
            // A party's open bills in date order straight from the index, without sorting thousands of rows.
            {QStringLiteral("vouchers/003-open-bills-index"), [](Database& db) {
                 db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS SalBillMst_Open ON SalBillMst (FirmNO, PartyID, IsEnd, BillDate, Id)"));
                 db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS BillMst_Open ON BillMst (FirmNO, PartyID, IsEnd, BillDate, Id)"));
             }}};
}

}  // namespace tanabana::vouchers
