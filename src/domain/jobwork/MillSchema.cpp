#include "domain/jobwork/MillSchema.h"

namespace tanabana::jobwork {

using namespace db;
using namespace db::columns;

namespace {

void add(std::vector<ColumnDef>& columns, std::vector<ColumnDef> more) {
    for (ColumnDef& c : more) columns.push_back(std::move(c));
}

// The header columns both generations share: numbering, mill, transport and the bill amounts.
std::vector<ColumnDef> headerColumns(bool takaWise) {
    std::vector<ColumnDef> c{longCol(QStringLiteral("Id")), key("FirmNO"), key("BookId"), small("FormId"), text("IType", 1),
                             flag("IsOp"), key("ChNo"), key("BillSrno"), text("BillNO", 30), date("BillDate"), key("PartyID"),
                             key("BrokerId")};
    if (takaWise) add(c, {key("QId")});
    add(c, {amount("Rate"), text("ProcessName", 100), text("LotNO", 50)});
    if (takaWise)
        add(c, {key("PurPartyId"), text("PurBillNo", 30), date("PurDate"), key("PurBillId"), key("PurMst_IdNO")});
    add(c, {text("TransportName", 100), text("LrNo", 50), date("LrDate"), text("CaseNO", 50), text("AGAINST", 50),
            small("CrDays"), date("PDueDate")});
    for (const char* a : {"DiscP", "DiscRs", "OtherRs", "OtherP", "OtherP1", "OtherM", "VATP", "VatRs", "ATAXP", "ATAXRs",
                          "CSTP", "CSTRs", "TDSP", "TDSRs"})
        c.push_back(amount(a));
    add(c, {withDefault(textCol(QStringLiteral("InvType"), 1), QStringLiteral("'T'")), amount("TotAmt"), amount("BillAmount"),
            amount("PaidAmt"), amount("UnPaidAmt"), date("PaidDt"), flag("IsEnd"), amount("tempBal"), amount("TempPaid"),
            text("Notes", 255), text("Remarks", 255), text("Narr", 255), key("VouNO"), flag("IsJV"), flag("IsCN"),
            key("PurTypeId"), flag("Is_Upload")});
    return c;
}

std::vector<IndexDef> headerIndexes(const QString& table) {
    return {{table + QStringLiteral("_Book"),
             {QStringLiteral("FirmNO"), QStringLiteral("FormId"), QStringLiteral("BookId"), QStringLiteral("ChNo")},
             false},
            {table + QStringLiteral("_Party"), {QStringLiteral("FirmNO"), QStringLiteral("PartyID")}, false}};
}

std::vector<IndexDef> lineIndexes(const QString& table) {
    return {{table + QStringLiteral("_Mst"), {QStringLiteral("BillMstId"), QStringLiteral("Srno")}, false},
            {table + QStringLiteral("_Issue"), {QStringLiteral("IssueChId"), QStringLiteral("IssueChSno")}, false}};
}

}  // namespace

const TableDef& millHeaderTable() {
    static const TableDef table{QStringLiteral("JobWork_IssueMst_1"), headerColumns(true), {QStringLiteral("Id")},
                                headerIndexes(QStringLiteral("JobWork_IssueMst_1"))};
    return table;
}

const TableDef& millLineTable() {
    static const TableDef table{QStringLiteral("JobWork_IssueDtl_1"),
                                {key("BillMstId"), small("Srno"), text("TakaNO", 20), amount("Mtrs"), amount("RMtrs"),
                                 amount("RPCs"), amount("ShortLong"), amount("PRate"), amount("PAmt"), amount("Wt"),
                                 text("Marka", 50), text("DesignNo", 50), text("Colour", 50), text("Remarks", 255),
                                 flag("IsFinished"), key("IssueChId"), small("IssueChSno"), key("QidDtl"), small("F_NO"),
                                 amount("GreyRet")},
                                {},
                                lineIndexes(QStringLiteral("JobWork_IssueDtl_1"))};
    return table;
}

const TableDef& jobProcessHeaderTable() {
    static const TableDef table{QStringLiteral("JobWork_IssueMst"), headerColumns(false), {QStringLiteral("Id")},
                                headerIndexes(QStringLiteral("JobWork_IssueMst"))};
    return table;
}

const TableDef& jobProcessLineTable() {
    static const TableDef table{QStringLiteral("JobWork_IssueDtl"),
                                {key("BillMstId"), small("Srno"), key("PCode"), amount("Qty2"), amount("Qty1"), amount("PQty"),
                                 amount("Wt"), withDefault(textCol(QStringLiteral("PM"), 1), QStringLiteral("'M'")),
                                 amount("PRate"), amount("PAmt"), text("DesignNo", 50), text("Colour", 50), text("Remarks", 255),
                                 amount("RMtrs"), amount("RPCs"), flag("IsFinished"), key("IssueChId"), small("IssueChSno")},
                                {},
                                lineIndexes(QStringLiteral("JobWork_IssueDtl"))};
    return table;
}

std::vector<const TableDef*> millTables() {
    return {&millHeaderTable(), &millLineTable(), &jobProcessHeaderTable(), &jobProcessLineTable()};
}

std::vector<MigrationStep> millSteps() {
    return {{QStringLiteral("jobwork/001-mill-challans"), [](Database& db) {
                 for (const TableDef* table : millTables()) createTable(db, *table);
             }},
            // A receipt line keeps the grey metres it gave back unprocessed, to take them back on an edit.
            {QStringLiteral("jobwork/002-grey-returned"), [](Database& db) {
                 addColumnIfMissing(db, QStringLiteral("JobWork_IssueDtl_1"), amount("GreyRet"));
             }}};
}

}  // namespace tanabana::jobwork
