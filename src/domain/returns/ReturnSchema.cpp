#include "domain/returns/ReturnSchema.h"

namespace tanabana::returns {

using namespace db;
using namespace db::columns;

const TableDef& cnMstTable() {
    static const TableDef table{
        QStringLiteral("CNMst"),
        {longCol(QStringLiteral("Id")), withDefault(intCol(QStringLiteral("FirmNO")), QStringLiteral("0")), text("CNType", 1),
         text("CNNo", 20), dateCol(QStringLiteral("CnDate")), key("Thro"), key("AcID"), key("DrAcId"), text("RateType", 50),
         key("Q_ID"), amount("CNTotAmt"), amount("VATP"), amount("VatRs"), amount("ATAXP"), amount("ATAXRs"), amount("IGSTP"),
         amount("IGSTRs"), amount("OtherP"), amount("OtherP1"), amount("NetAmt"), amount("TDS_ID"), amount("TDSP"),
         amount("TDSRs"), text("RefNO", 50), text("RefType", 2), text("Ref_Notes", 255), text("Remarks", 255),
         key("BillMst_Id"), key("BillOutStand_Id"), flag("Is_SkipGst"), text("IRN_No", 255), text("AckNo", 50),
         dateTimeCol(QStringLiteral("AckDt")), flag("Is_Upload")},
        {QStringLiteral("Id")},
        {{QStringLiteral("CNMst_Number"), {QStringLiteral("FirmNO"), QStringLiteral("CNType"), QStringLiteral("CNNo")}, false}}};
    return table;
}

const TableDef& cnDtlTable() {
    static const TableDef table{QStringLiteral("CNDtl"),
                                {key("CNId"), withDefault(intCol(QStringLiteral("Sno")), QStringLiteral("0")), key("BillId"),
                                 text("AYN", 100), amount("QDRate"), amount("CNAmt")},
                                {},
                                {{QStringLiteral("CNDtl_Note"), {QStringLiteral("CNId")}, false},
                                 {QStringLiteral("CNDtl_Bill"), {QStringLiteral("BillId")}, false}}};
    return table;
}

std::vector<const TableDef*> returnTables() { return {&cnMstTable(), &cnDtlTable()}; }

std::vector<MigrationStep> returnSteps() {
    return {{QStringLiteral("returns/001-credit-and-debit-notes"), [](Database& db) {
                 for (const TableDef* table : returnTables()) createTable(db, *table);
                 // A bill that a note refers to carries the mark until the note goes.
                 addColumnIfMissing(db, QStringLiteral("SalBillMst"), flag("IsCN"));
                 addColumnIfMissing(db, QStringLiteral("BillMst"), flag("IsCN"));
             }}};
}

}  // namespace tanabana::returns
