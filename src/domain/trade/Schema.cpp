#include "domain/trade/Schema.h"

namespace tanabana::trade {

using namespace db;
using namespace db::columns;

const TableDef& salBillMstTable() {
    static const TableDef table{
        QStringLiteral("SalBillMst"),
        {longCol(QStringLiteral("Id")), zero(intCol(QStringLiteral("FirmNO"))),
         withDefault(singleCol(QStringLiteral("FormId")), QStringLiteral("3")), key(QStringLiteral("BookNO")),
         text(QStringLiteral("BillNO"), 20), dateCol(QStringLiteral("BillDate")), key(QStringLiteral("PartyID")),
         key(QStringLiteral("DeliId")), key(QStringLiteral("ConSId")), key(QStringLiteral("BrokerId")),
         zero(intCol(QStringLiteral("CrDays"))), dateCol(QStringLiteral("PDueDate")), key(QStringLiteral("ChNo")),
         text(QStringLiteral("Ch1"), 20), text(QStringLiteral("Grade"), 50), text(QStringLiteral("Ch2"), 20),
         text(QStringLiteral("Notes"), 255), text(QStringLiteral("InvType"), 1), key(QStringLiteral("PurTypeId")),
         amount(QStringLiteral("BAmt")), amount(QStringLiteral("DiscP")), amount(QStringLiteral("DiscRs")),
         amount(QStringLiteral("VATP")), amount(QStringLiteral("ATAXP")), amount(QStringLiteral("CSTP")),
         amount(QStringLiteral("OtherRs")), amount(QStringLiteral("VatRs")), amount(QStringLiteral("ATAXRs")),
         amount(QStringLiteral("CSTRs")), amount(QStringLiteral("TDSP")), amount(QStringLiteral("TDSRs")),
         amount(QStringLiteral("TCSP")), amount(QStringLiteral("TCSRs")), amount(QStringLiteral("OtherP")),
         amount(QStringLiteral("OtherP1")), amount(QStringLiteral("OtherM")), amount(QStringLiteral("BillAmount")),
         text(QStringLiteral("InWords"), 255), text(QStringLiteral("AGAINST"), 50), text(QStringLiteral("TrNO"), 50),
         text(QStringLiteral("LrNo"), 50), dateCol(QStringLiteral("LrDt")), text(QStringLiteral("Transport"), 100),
         text(QStringLiteral("T_LrTrans_Id"), 50), text(QStringLiteral("T_VehNO"), 30), text(QStringLiteral("Packng"), 50),
         key(QStringLiteral("CaseNO")), text(QStringLiteral("SalPartyName"), 100), text(QStringLiteral("SalPartyName1"), 100),
         text(QStringLiteral("Ret_Reason"), 100), dateCol(QStringLiteral("Sal_Bill_Dt")), amount(QStringLiteral("PaidcashAmt")),
         key(QStringLiteral("CashBookNO")), text(QStringLiteral("CashRem"), 100), amount(QStringLiteral("PaidAmt")),
         amount(QStringLiteral("UnPaidAmt")), dateCol(QStringLiteral("PaidDt")), flag(QStringLiteral("IsEnd")),
         amount(QStringLiteral("Cash")), text(QStringLiteral("BillType"), 20), amount(QStringLiteral("LossAmt")),
         text(QStringLiteral("IRN_No"), 255), text(QStringLiteral("AckNo"), 50), dateTimeCol(QStringLiteral("AckDt")),
         zero(intCol(QStringLiteral("IsOp"))), flag(QStringLiteral("Is_Audit")), flag(QStringLiteral("Is_Upload")),
         flag(QStringLiteral("IsSel")), zero(singleCol(QStringLiteral("Bill_From"))), text(QStringLiteral("Grade1"), 30)},
        {QStringLiteral("Id")},
        {{QStringLiteral("SalBillMst_Book"),
          {QStringLiteral("FirmNO"), QStringLiteral("FormId"), QStringLiteral("BookNO"), QStringLiteral("BillDate")},
          false},
         {QStringLiteral("SalBillMst_Party"), {QStringLiteral("FirmNO"), QStringLiteral("PartyID")}, false}}};
    return table;
}

const TableDef& salBillDtlTable() {
    static const TableDef table{
        QStringLiteral("SalBillDtl"),
        {longCol(QStringLiteral("BillMstId")), zero(longCol(QStringLiteral("Srno"))), key(QStringLiteral("PCode")),
         text(QStringLiteral("R3"), 255), text(QStringLiteral("R1"), 255), text(QStringLiteral("R2"), 255),
         amount(QStringLiteral("Qty2")), amount(QStringLiteral("Qty1")), amount(QStringLiteral("Qty")),
         withDefault(textCol(QStringLiteral("PM"), 1), QStringLiteral("'M'")), amount(QStringLiteral("SRate")),
         amount(QStringLiteral("Rate")), amount(QStringLiteral("Amt")), amount(QStringLiteral("CDP")),
         amount(QStringLiteral("CDRs")), amount(QStringLiteral("CDP1")), amount(QStringLiteral("CDRs1")),
         amount(QStringLiteral("DVatP")), amount(QStringLiteral("DATaxP")), amount(QStringLiteral("DVatRs")),
         amount(QStringLiteral("DATaxRs")), amount(QStringLiteral("IGSTP")), amount(QStringLiteral("IGSTRs")),
         amount(QStringLiteral("DNetAmt")), amount(QStringLiteral("BillNetAmt")), key(QStringLiteral("DChId")),
         key(QStringLiteral("DchIdSno")), amount(QStringLiteral("Qty3")), amount(QStringLiteral("Qty4")),
         text(QStringLiteral("Iss_ProdName"), 255), text(QStringLiteral("IsFinTaka"), 1), amount(QStringLiteral("Wt")),
         amount(QStringLiteral("RPCs")), amount(QStringLiteral("RMtrs")), key(QStringLiteral("Iss_ChNO")), key(QStringLiteral("DChForm"))},
        {},
        {{QStringLiteral("SalBillDtl_Bill"), {QStringLiteral("BillMstId"), QStringLiteral("Srno")}, false},
         {QStringLiteral("SalBillDtl_Item"), {QStringLiteral("PCode")}, false},
         {QStringLiteral("SalBillDtl_Source"), {QStringLiteral("DChId")}, false}}};
    return table;
}

const TableDef& chalanMstTable() {
    static const TableDef table{
        QStringLiteral("ChalanMst"),
        {longCol(QStringLiteral("Id")), zero(intCol(QStringLiteral("FirmNO"))),
         withDefault(singleCol(QStringLiteral("FormId")), QStringLiteral("3")), key(QStringLiteral("BookNO")),
         text(QStringLiteral("BillNO"), 20), dateCol(QStringLiteral("BillDate")), key(QStringLiteral("PartyID")),
         key(QStringLiteral("DeliId")), key(QStringLiteral("BrokerId")), text(QStringLiteral("OrderNO"), 50),
         amount(QStringLiteral("Amt")), amount(QStringLiteral("BillAmount")), text(QStringLiteral("InWords"), 255),
         text(QStringLiteral("Notes"), 255), text(QStringLiteral("TrNO"), 50), text(QStringLiteral("Transport"), 100),
         text(QStringLiteral("T_LrTransID"), 50), text(QStringLiteral("T_VehNO"), 30), text(QStringLiteral("LrNo"), 50),
         dateCol(QStringLiteral("LrDt")), text(QStringLiteral("FreightType"), 50), key(QStringLiteral("CaseNO")),
         flag(QStringLiteral("IsSale")), flag(QStringLiteral("Is_Upload"))},
        {QStringLiteral("Id")},
        {{QStringLiteral("ChalanMst_Book"),
          {QStringLiteral("FirmNO"), QStringLiteral("BookNO"), QStringLiteral("BillDate")},
          false},
         {QStringLiteral("ChalanMst_Party"), {QStringLiteral("FirmNO"), QStringLiteral("PartyID")}, false}}};
    return table;
}

const TableDef& chalanDtlTable() {
    static const TableDef table{
        QStringLiteral("ChalanDtl"),
        {longCol(QStringLiteral("BillMstId")), zero(longCol(QStringLiteral("Srno"))), key(QStringLiteral("PCode")),
         text(QStringLiteral("RC3"), 255), amount(QStringLiteral("Nos")), amount(QStringLiteral("APack")),
         amount(QStringLiteral("Qty")), withDefault(textCol(QStringLiteral("RateOn"), 1), QStringLiteral("'M'")),
         amount(QStringLiteral("Rate")), amount(QStringLiteral("SRate")), amount(QStringLiteral("Amt")),
         text(QStringLiteral("RC1"), 255), text(QStringLiteral("RC2"), 255), amount(QStringLiteral("Qty3")),
         flag(QStringLiteral("Is_Reconsil"))},
        {},
        {{QStringLiteral("ChalanDtl_Challan"), {QStringLiteral("BillMstId"), QStringLiteral("Srno")}, false},
         {QStringLiteral("ChalanDtl_Item"), {QStringLiteral("PCode")}, false}}};
    return table;
}

std::vector<const TableDef*> tradeTables() {
    return {&salBillMstTable(), &salBillDtlTable(), &chalanMstTable(), &chalanDtlTable()};
}

std::vector<MigrationStep> tradeSteps() {
    return {{QStringLiteral("trade/001-sales-bills-and-challans"), [](Database& db) {
                 for (const TableDef* table : tradeTables()) createTable(db, *table);
             }},
            // Which kind of document a period bill's line came from, so its billed mark goes to that table.
            {QStringLiteral("trade/002-bill-line-source-kind"), [](Database& db) {
                 addColumnIfMissing(db, QStringLiteral("SalBillDtl"), key(QStringLiteral("DChForm")));
             }}};
}

}  // namespace tanabana::trade
