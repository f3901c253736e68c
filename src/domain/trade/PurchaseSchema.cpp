#include "domain/trade/PurchaseSchema.h"

namespace tanabana::trade {

using namespace db;
using namespace db::columns;

namespace {

std::vector<ColumnDef> amounts(std::initializer_list<const char*> names) {
    std::vector<ColumnDef> columns;
    for (const char* name : names) columns.push_back(amount(name));
    return columns;
}

}  // namespace

const TableDef& billMstTable() {
    static const TableDef table = [] {
        std::vector<ColumnDef> c{longCol(QStringLiteral("Id")), key("BillSrno"), small("FirmNO"),
                                 withDefault(singleCol(QStringLiteral("FormId")), QStringLiteral("1")), key("BookId"),
                                 text("BillNO", 30), date("BillDate"), key("PartyID"), small("CrDays"), date("PDueDate"),
                                 text("InvType", 1), key("PurTypeId")};
        for (ColumnDef& a : amounts({"Amt", "TotAmt", "VatRs", "ATAXRs", "CSTRs", "VATP", "ATAXP", "DiscP", "DiscRs", "OtherRs",
                                     "OtherM", "EP1", "EP2", "EP3", "E1", "E2", "E3", "OtherP", "OtherP1", "TDSP", "TDSRs", "TCSP",
                                     "TCSRs", "BillAmount", "CSTP", "PaidAmt", "UnPaidAmt"}))
            c.push_back(std::move(a));
        for (ColumnDef& other :
             std::vector<ColumnDef>{text("AGAINST", 50), text("Notes", 255), text("LotNO", 50), key("BrokerId"), text("LrNo", 50),
                                    date("LrDate"), text("CaseNO", 50), text("TransportName", 100), key("GenPurAccId"), flag("IsGP_M"),
                                    key("RCM_ID"), text("RCM_BillNO", 30), key("RCM_JVNO"), flag("Is_SkipGst"), date("PaidDt"),
                                    flag("IsEnd"), small("IsOp"), flag("Is_Audit"), flag("Is_Upload"), flag("IsSel"), flag("Is_GstR2A"),
                                    flag("Is_IssueToMill"), withDefault(singleCol(QStringLiteral("Is_Item_RNd")), QStringLiteral("1")),
                                    text("Pur_Bill_No", 30), date("Pur_Bill_Dt"), text("Ret_Reason", 100), date("TaxDate")})
            c.push_back(std::move(other));
        return TableDef{QStringLiteral("BillMst"),
                        std::move(c),
                        {QStringLiteral("Id")},
                        {{QStringLiteral("BillMst_Book"),
                          {QStringLiteral("FirmNO"), QStringLiteral("FormId"), QStringLiteral("BookId"), QStringLiteral("BillDate")},
                          false},
                         {QStringLiteral("BillMst_Party"), {QStringLiteral("FirmNO"), QStringLiteral("PartyID"), QStringLiteral("BillNO")}, false}}};
    }();
    return table;
}

const TableDef& billDtlTable() {
    static const TableDef table = [] {
        std::vector<ColumnDef> c{longCol(QStringLiteral("BillMstId")), key("Srno"), key("PCode")};
        for (ColumnDef& a : amounts({"Qty2", "Qty1", "PQty"})) c.push_back(std::move(a));
        c.push_back(withDefault(textCol(QStringLiteral("PM"), 1), QStringLiteral("'M'")));
        for (ColumnDef& a : amounts({"PRate1", "PRate", "PAmt", "CDP", "CDRs", "Freight_D", "VatPD", "ATaxPD", "VatRsD", "ATaxRsD",
                                     "IGSTP", "IGSTRs", "TotAmtD"}))
            c.push_back(std::move(a));
        c.push_back(small("Issue_Taka"));
        c.push_back(amount("Issue_Mtrs"));
        c.push_back(amount("BillNetAmt"));
        return TableDef{QStringLiteral("BillDtl"),
                        std::move(c),
                        {},
                        {{QStringLiteral("BillDtl_Bill"), {QStringLiteral("BillMstId"), QStringLiteral("Srno")}, false},
                         {QStringLiteral("BillDtl_Item"), {QStringLiteral("PCode")}, false}}};
    }();
    return table;
}

std::vector<const TableDef*> purchaseTables() { return {&billMstTable(), &billDtlTable()}; }

std::vector<MigrationStep> purchaseSteps() {
    return {{QStringLiteral("trade/002-purchase-bills"), [](Database& db) {
                 for (const TableDef* table : purchaseTables()) createTable(db, *table);
                 // Purchase challans tell a tax invoice from a retail one.
                 addColumnIfMissing(db, QStringLiteral("BillMSt_Ch"), withDefault(textCol(QStringLiteral("InvType"), 1), QStringLiteral("'T'")));
             }}};
}

}  // namespace tanabana::trade
