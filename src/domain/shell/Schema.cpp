#include "domain/shell/Schema.h"

namespace tanabana::shell {

using namespace db;
using namespace db::columns;

namespace {

void addRange(QStringList& list, const QString& prefix, int from, int to) {
    for (int i = from; i <= to; ++i) list << prefix + QString::number(i);
}

TableDef table(const QString& name, std::vector<ColumnDef> columns, QStringList key = {},
               std::vector<IndexDef> indexes = {}) {
    return TableDef{name, std::move(columns), std::move(key), std::move(indexes)};
}

IndexDef index(const QString& name, QStringList columns) { return IndexDef{name, std::move(columns), false}; }

}  // namespace

const QStringList& rightsColumns() {
    static const QStringList columns = [] {
        QStringList c{QStringLiteral("IsNew"), QStringLiteral("IsView"), QStringLiteral("IsModify"), QStringLiteral("IsDelete")};
        addRange(c, QStringLiteral("Mst"), 1, 8);
        addRange(c, QStringLiteral("U"), 1, 2);
        addRange(c, QStringLiteral("M"), 1, 4);
        addRange(c, QStringLiteral("T"), 1, 5);
        addRange(c, QStringLiteral("J"), 1, 7);
        addRange(c, QStringLiteral("J7"), 1, 9);
        addRange(c, QStringLiteral("TS"), 1, 3);
        addRange(c, QStringLiteral("TP"), 1, 4);
        addRange(c, QStringLiteral("R"), 1, 8);
        addRange(c, QStringLiteral("R"), 11, 15);
        addRange(c, QStringLiteral("R"), 21, 29);
        addRange(c, QStringLiteral("R"), 31, 34);
        addRange(c, QStringLiteral("R"), 41, 46);
        addRange(c, QStringLiteral("R"), 51, 55);
        addRange(c, QStringLiteral("R"), 61, 66);
        addRange(c, QStringLiteral("R"), 71, 79);
        addRange(c, QStringLiteral("R"), 710, 713);
        addRange(c, QStringLiteral("R"), 81, 86);
        addRange(c, QStringLiteral("A"), 1, 7);
        addRange(c, QStringLiteral("A"), 51, 53);
        addRange(c, QStringLiteral("I"), 1, 3);
        addRange(c, QStringLiteral("Y"), 1, 8);
        c << QStringLiteral("Y41") << QStringLiteral("Y42") << QStringLiteral("Y51") << QStringLiteral("Y52");
        addRange(c, QStringLiteral("Y6"), 1, 3);
        addRange(c, QStringLiteral("Y7"), 1, 3);
        addRange(c, QStringLiteral("UB"), 1, 4);
        addRange(c, QStringLiteral("UT"), 1, 8);
        return c;
    }();
    return columns;
}

TableDef yearListTable() { return table(QStringLiteral("YearList"), {longCol(QStringLiteral("PubYear"))}, {QStringLiteral("PubYear")}); }

TableDef loginTable() {
    // LoginName is kept upper-cased; Password holds a salted hash of the upper-cased password.
    // A right added in a later release reaches existing operators switched on (default 1).
    std::vector<ColumnDef> columns{textCol(QStringLiteral("LoginName"), 50), textCol(QStringLiteral("Password"), 200)};
    for (const QString& right : rightsColumns()) columns.push_back(flag(right, true));
    return table(QStringLiteral("LoginMst"), std::move(columns), {QStringLiteral("LoginName")});
}

TableDef firmTable() {
    return table(
        QStringLiteral("FirmMst"),
        {longCol(QStringLiteral("Srno")), text(QStringLiteral("PName"), 100), text(QStringLiteral("Owner"), 255),
         text(QStringLiteral("Add1"), 255), text(QStringLiteral("City"), 50), text(QStringLiteral("Tin"), 20),
         text(QStringLiteral("CST"), 60), text(QStringLiteral("Ph"), 100), text(QStringLiteral("PanNO"), 20),
         text(QStringLiteral("GodName"), 255), text(QStringLiteral("BusinessType"), 100), text(QStringLiteral("FirmType"), 30),
         amount(QStringLiteral("CrLimit")), single(QStringLiteral("BoxNO")), flag(QStringLiteral("AutoVatP")),
         dateCol(QStringLiteral("StartDt")), dateCol(QStringLiteral("ENdDt")), flag(QStringLiteral("IsRateOn")),
         flag(QStringLiteral("IsYrEnd")), text(QStringLiteral("Taluka"), 100), text(QStringLiteral("dist"), 100),
         flag(QStringLiteral("Isact")),
         // later additions, with the starting values existing firms received
         single(QStringLiteral("AutoConsumption")), amount(QStringLiteral("FirmTcsP")), flag(QStringLiteral("Is_JV_Single"), true),
         flag(QStringLiteral("Is_Brok_S"), true), flag(QStringLiteral("Is_Crd_S"), true), flag(QStringLiteral("Is_ChNo_S"), true),
         flag(QStringLiteral("Is_Deli_S"), true), flag(QStringLiteral("Is_Cons_S"), true), flag(QStringLiteral("Is_eway_S"), true),
         flag(QStringLiteral("Is_Desc_S"), true), flag(QStringLiteral("ISRep_Color")), flag(QStringLiteral("ISCh_Reconsil")),
         flag(QStringLiteral("ISCh_TakaBase")), flag(QStringLiteral("IS_FoldSystem")), flag(QStringLiteral("IS_PCSONly")),
         flag(QStringLiteral("Is_JP_Direct")), text(QStringLiteral("Firm_PIN"), 10), text(QStringLiteral("Firm_EwayAdd1"), 255),
         text(QStringLiteral("Firm_EwayAdd2"), 255), withDefault(singleCol(QStringLiteral("Soft_Type")), QStringLiteral("1")),
         flag(QStringLiteral("IsAvgPack")), flag(QStringLiteral("Is_Prod_Sno")), flag(QStringLiteral("IsChLock")),
         flag(QStringLiteral("IsInvLock")), flag(QStringLiteral("IsFinRptLock")), flag(QStringLiteral("IsGSTRepLocK")),
         flag(QStringLiteral("IsSRetAdjust")), flag(QStringLiteral("IsImgPrn")), flag(QStringLiteral("IsMILL")),
         flag(QStringLiteral("Is_Cl1")), flag(QStringLiteral("Is_Cl2")), flag(QStringLiteral("Is_Cl3")),
         flag(QStringLiteral("Is_Ch_Q_Sum")), flag(QStringLiteral("Is_Desc_Tot")), flag(QStringLiteral("Is_JobP_Bill")),
         amount(QStringLiteral("RCM_Limit")), text(QStringLiteral("Sal_Cond_1"), 255), text(QStringLiteral("Sal_Cond_2"), 255),
         text(QStringLiteral("Sal_Cond_3"), 255), text(QStringLiteral("Sal_Cond_4"), 255), text(QStringLiteral("Sal_Cond_5"), 255),
         text(QStringLiteral("Sal_Cond_6"), 255), text(QStringLiteral("Email_Add"), 100), text(QStringLiteral("Web_Add"), 100),
         flag(QStringLiteral("Is_Sales_RndOff"), true), flag(QStringLiteral("Is_Pur_RndOff"), true),
         flag(QStringLiteral("Firm_IsComp_Tax")), flag(QStringLiteral("Is_Turnover_5Cr")), flag(QStringLiteral("IsProdName_First_Pur")),
         flag(QStringLiteral("IsProdName_First_SAl")), text(QStringLiteral("BankName1"), 255), text(QStringLiteral("BankName2"), 255),
         text(QStringLiteral("BankAcno1"), 50), text(QStringLiteral("BankAcno2"), 50), text(QStringLiteral("IFSC1"), 50),
         // the protected e-mail password is longer than its plain text
         text(QStringLiteral("IFSC2"), 200)},
        {QStringLiteral("Srno")});
}

TableDef funKeyTable() {
    return table(QStringLiteral("FunKey"),
                 {text(QStringLiteral("F2"), 255), text(QStringLiteral("F3"), 255), text(QStringLiteral("F4"), 255)});
}

namespace {

std::vector<TableDef> machineAndProductionTables() {
    return {
        table(QStringLiteral("Mst_Machine"),
              {intCol(QStringLiteral("ID")), small(QStringLiteral("FirmNo")), text(QStringLiteral("MachineName"), 10),
               single(QStringLiteral("PannaNO")), text(QStringLiteral("Pattern"), 5), flag(QStringLiteral("IsActive"), true)},
              {}, {index(QStringLiteral("Mst_Machine_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("ID")})}),
        table(QStringLiteral("Machine_Issue"),
              {intCol(QStringLiteral("ID")), small(QStringLiteral("FirmNo")), dateCol(QStringLiteral("VoucherDate")),
               key(QStringLiteral("VoucherNo")), key(QStringLiteral("ProductId")), small(QStringLiteral("MachineNO")),
               small(QStringLiteral("OrderPcs")), small(QStringLiteral("RepeatNo")), small(QStringLiteral("TotalPcsRec")),
               small(QStringLiteral("TotalPcsAdjust"))},
              {}, {index(QStringLiteral("Machine_Issue_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("ID")})}),
        table(QStringLiteral("Machine_OrderRecMst"),
              {longCol(QStringLiteral("ID")), small(QStringLiteral("FirmNo")), dateCol(QStringLiteral("VoucherDate")),
               key(QStringLiteral("VoucherNo"))},
              {}, {index(QStringLiteral("Machine_OrderRecMst_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("ID")})}),
        table(QStringLiteral("Machine_OrderRecDtl"),
              {longCol(QStringLiteral("RecMstId")), small(QStringLiteral("Srno")), key(QStringLiteral("MachineIssue_ID")),
               small(QStringLiteral("Pcs")), small(QStringLiteral("AdjustPcs"))},
              {}, {index(QStringLiteral("Machine_OrderRecDtl_Mst"), {QStringLiteral("RecMstId")})}),
        table(QStringLiteral("ConSumptionMst_Grey"),
              {longCol(QStringLiteral("ID")), small(QStringLiteral("FirmNo")), dateCol(QStringLiteral("EntryDt")),
               amount(QStringLiteral("F_L")), amount(QStringLiteral("F_W")), amount(QStringLiteral("Waste1")),
               amount(QStringLiteral("Waste2")), amount(QStringLiteral("CostPerPick")), amount(QStringLiteral("ProcCh")),
               amount(QStringLiteral("TransCh")), amount(QStringLiteral("Warp_Wt")), amount(QStringLiteral("Weft_Wt")),
               amount(QStringLiteral("Warp_Cost")), amount(QStringLiteral("Weft_Cost")), amount(QStringLiteral("Jobcost")),
               withDefault(intCol(QStringLiteral("Sub_Id")), QStringLiteral("1")), amount(QStringLiteral("StockInch_1"))},
              {}, {index(QStringLiteral("ConSumptionMst_Grey_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("ID")})}),
        table(QStringLiteral("ConSumptionMst_Dtl"),
              {longCol(QStringLiteral("ProdId")), small(QStringLiteral("Srno")), key(QStringLiteral("QID")),
               single(QStringLiteral("PType")), amount(QStringLiteral("Q1")), amount(QStringLiteral("Q3")),
               amount(QStringLiteral("Wt")), amount(QStringLiteral("Price")),
               withDefault(intCol(QStringLiteral("Sub_Id")), QStringLiteral("1"))},
              {}, {index(QStringLiteral("ConSumptionMst_Dtl_Prod"), {QStringLiteral("ProdId")})}),
        table(QStringLiteral("ProductionMst"),
              {intCol(QStringLiteral("Id")), text(QStringLiteral("ChNo"), 20), dateCol(QStringLiteral("ChDate")),
               key(QStringLiteral("PartyID")), text(QStringLiteral("ProdType"), 1), key(QStringLiteral("TotTaka")),
               amount(QStringLiteral("TotMtrs")), key(QStringLiteral("TOtPcs")), key(QStringLiteral("FirmNo")),
               key(QStringLiteral("BookId"))},
              {}, {index(QStringLiteral("ProductionMst_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("Id")})}),
        table(QStringLiteral("ProductionDtl"),
              {intCol(QStringLiteral("ProdId")), key(QStringLiteral("Srno")), text(QStringLiteral("TakaNO"), 20),
               amount(QStringLiteral("Mtrs")), key(QStringLiteral("Pcs")), text(QStringLiteral("McNo"), 20),
               amount(QStringLiteral("Cut")), key(QStringLiteral("qId")), flag(QStringLiteral("IsOver")),
               key(QStringLiteral("TakNo2")), key(QStringLiteral("F_no")), flag(QStringLiteral("IsM_Issue")),
               key(QStringLiteral("PChId")), dateCol(QStringLiteral("PChDt")), small(QStringLiteral("PSno")),
               text(QStringLiteral("Issue_Pro"), 30), text(QStringLiteral("Rec_Pro"), 30)},
              {}, {index(QStringLiteral("ProductionDtl_Mst"), {QStringLiteral("ProdId")})}),
        table(QStringLiteral("Mst_Process"),
              {longCol(QStringLiteral("Pro_Id")), text(QStringLiteral("Pro_Name"), 100), key(QStringLiteral("FirmNo")),
               withDefault(textCol(QStringLiteral("Mst_Type"), 10), QStringLiteral("'J'")), flag(QStringLiteral("IsAct"), true)},
              {}, {index(QStringLiteral("Mst_Process_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("Mst_Type")})}),
    };
}

std::vector<TableDef> billAndStockTables() {
    return {
        table(QStringLiteral("Bill_Party_Rate_Job"),
              {longCol(QStringLiteral("PartyId")), key(QStringLiteral("Qid")), amount(QStringLiteral("Qty")),
               amount(QStringLiteral("Qty2")), amount(QStringLiteral("Rate")), text(QStringLiteral("RateON"), 1),
               dateCol(QStringLiteral("Last_Dt")), key(QStringLiteral("BillId")), text(QStringLiteral("BillNO"), 20),
               text(QStringLiteral("R1"), 50), small(QStringLiteral("BookId"))},
              {}, {index(QStringLiteral("Bill_Party_Rate_Job_Party"), {QStringLiteral("PartyId"), QStringLiteral("Qid")})}),
        table(QStringLiteral("Bill_Party_Rate"),
              {longCol(QStringLiteral("PartyId")), key(QStringLiteral("Qid")), amount(QStringLiteral("Qty")),
               amount(QStringLiteral("Qty2")), amount(QStringLiteral("Rate")), text(QStringLiteral("RateON"), 1),
               dateCol(QStringLiteral("Last_Dt")), key(QStringLiteral("BillId")), text(QStringLiteral("BillNO"), 20),
               withDefault(textCol(QStringLiteral("BType"), 1), QStringLiteral("'B'"))},
              {}, {index(QStringLiteral("Bill_Party_Rate_Party"), {QStringLiteral("PartyId"), QStringLiteral("Qid")})}),
        table(QStringLiteral("BillMSt_Ch"),
              {longCol(QStringLiteral("Id")), key(QStringLiteral("PartyId")), key(QStringLiteral("BookId")),
               text(QStringLiteral("BillNO"), 50), dateCol(QStringLiteral("BillDate")), text(QStringLiteral("Against"), 255),
               text(QStringLiteral("Notes"), 255), amount(QStringLiteral("BillAmount")), key(QStringLiteral("FirmNo")),
               key(QStringLiteral("BrokerId")), flag(QStringLiteral("IsSel")), flag(QStringLiteral("Is_Audit")),
               withDefault(textCol(QStringLiteral("InvType"), 1), QStringLiteral("'T'"))},
              {QStringLiteral("Id")}, {index(QStringLiteral("BillMSt_Ch_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("BookId")})}),
        table(QStringLiteral("BillDtl_Ch"),
              {longCol(QStringLiteral("BillMStId")), key(QStringLiteral("Srno")), key(QStringLiteral("PCode")),
               amount(QStringLiteral("PRate")), amount(QStringLiteral("PQty")), amount(QStringLiteral("PAmt")),
               amount(QStringLiteral("Qty1")), amount(QStringLiteral("Qty2")), text(QStringLiteral("PM"), 1),
               amount(QStringLiteral("BillNetAmt"))},
              {}, {index(QStringLiteral("BillDtl_Ch_Mst"), {QStringLiteral("BillMStId")})}),
        table(QStringLiteral("BillMst_TakaDetail"),
              {small(QStringLiteral("Srno")), text(QStringLiteral("TakaNO"), 20), amount(QStringLiteral("Mtrs")),
               key(QStringLiteral("BillMst_Id")), small(QStringLiteral("BillSrno")), flag(QStringLiteral("Is_Issued"))},
              {}, {index(QStringLiteral("BillMst_TakaDetail_Bill"), {QStringLiteral("BillMst_Id")})}),
        table(QStringLiteral("Iss_StockMst"),
              {longCol(QStringLiteral("ID")), key(QStringLiteral("PartyId")), amount(QStringLiteral("BillNo")),
               dateCol(QStringLiteral("BillDate")), small(QStringLiteral("FirmNo")), key(QStringLiteral("BookId")),
               text(QStringLiteral("Remarks"), 255), text(QStringLiteral("IType"), 1), text(QStringLiteral("LotNo"), 50),
               text(QStringLiteral("Process_Name"), 100)},
              {QStringLiteral("ID")}, {index(QStringLiteral("Iss_StockMst_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("BookId")})}),
        table(QStringLiteral("Iss_StockDtl"),
              {longCol(QStringLiteral("BillMStId")), key(QStringLiteral("Srno")), key(QStringLiteral("PCode")),
               amount(QStringLiteral("Qty")), amount(QStringLiteral("Qty1")), amount(QStringLiteral("Qty2"))},
              {}, {index(QStringLiteral("Iss_StockDtl_Mst"), {QStringLiteral("BillMStId")})}),
        table(QStringLiteral("HeadDtl3_Auto"),
              {longCol(QStringLiteral("Id")), key(QStringLiteral("VouNo")), key(QStringLiteral("AccId")),
               key(QStringLiteral("PartyId")), single(QStringLiteral("CType")), dateCol(QStringLiteral("FromDt")),
               dateCol(QStringLiteral("ToDt")), text(QStringLiteral("Narr1"), 255), text(QStringLiteral("Narr2"), 255),
               key(QStringLiteral("EntryBase")), key(QStringLiteral("Currenci")), key(QStringLiteral("FirmNo")),
               dateCol(QStringLiteral("TranDt")), amount(QStringLiteral("Amount")), text(QStringLiteral("Type"), 1)},
              {}, {index(QStringLiteral("HeadDtl3_Auto_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("Id")})}),
        table(QStringLiteral("GSTR2_A"),
              {flag(QStringLiteral("Is_GSTR2A")), text(QStringLiteral("GSTIN"), 50), text(QStringLiteral("AcName"), 200),
               text(QStringLiteral("InvNO"), 30), text(QStringLiteral("InvType"), 30), dateCol(QStringLiteral("InvDate")),
               amount(QStringLiteral("InvValue")), text(QStringLiteral("StateNm"), 30), text(QStringLiteral("RevCh"), 10),
               amount(QStringLiteral("GSTRate")), amount(QStringLiteral("Tax_Amt")), amount(QStringLiteral("IGSTrs")),
               amount(QStringLiteral("CGSTRs")), amount(QStringLiteral("SGSTRs")), amount(QStringLiteral("Cess")),
               text(QStringLiteral("RetStatus"), 30), key(QStringLiteral("FirmNo")), single(QStringLiteral("RefNO"))},
              {}, {index(QStringLiteral("GSTR2_A_Firm"), {QStringLiteral("FirmNo"), QStringLiteral("GSTIN")})}),
    };
}

// Work tables: each holds only the last run of the report that fills it.
std::vector<TableDef> workTables() {
    return {
        table(QStringLiteral("Rep_Summary1P"),
              {key(QStringLiteral("Srno")), single(QStringLiteral("MonthNo")), text(QStringLiteral("MonName"), 50),
               amount(QStringLiteral("Nos")), amount(QStringLiteral("Qty")), amount(QStringLiteral("Amount")),
               single(QStringLiteral("Qno")), amount(QStringLiteral("Wt")), amount(QStringLiteral("NetAmount")),
               amount(QStringLiteral("TDS")), amount(QStringLiteral("TDSRS")), key(QStringLiteral("TotBill"))}),
        table(QStringLiteral("Rpt_Aging"),
              {key(QStringLiteral("Srno")), text(QStringLiteral("PartyName"), 255), key(QStringLiteral("AcId")),
               amount(QStringLiteral("D1")), amount(QStringLiteral("D2")), amount(QStringLiteral("D3")),
               amount(QStringLiteral("D4")), amount(QStringLiteral("DTot")), amount(QStringLiteral("D5")),
               text(QStringLiteral("LedgerId"), 10), key(QStringLiteral("GrpNO")), text(QStringLiteral("FirmName"), 100),
               text(QStringLiteral("FirmAdd"), 255), text(QStringLiteral("D1T"), 20), text(QStringLiteral("D2T"), 20),
               text(QStringLiteral("D3T"), 20), text(QStringLiteral("D4T"), 20), text(QStringLiteral("D5T"), 20)}),
        table(QStringLiteral("Temp_Outs"), {longCol(QStringLiteral("Id")), amount(QStringLiteral("Pa_Amt"))}),
        table(QStringLiteral("TmpIssue"),
              {longCol(QStringLiteral("ChNO")), key(QStringLiteral("ChSno")), amount(QStringLiteral("GMtrs")),
               amount(QStringLiteral("FMtrs")), amount(QStringLiteral("ShortLong")), amount(QStringLiteral("ShortP")),
               amount(QStringLiteral("Amt"))}),
    };
}

std::vector<TableDef> shellControlTables() {
    return {
        table(QStringLiteral("Disp_Button_MSt"),
              {singleCol(QStringLiteral("Srno")), text(QStringLiteral("LBLnm"), 50), text(QStringLiteral("Mnu_Nm"), 50),
               flag(QStringLiteral("IsSHow"), true), small(QStringLiteral("FirmNO"))}),
        table(QStringLiteral("Table_Del_History"),
              {longCol(QStringLiteral("Id")), small(QStringLiteral("FirmNO")), single(QStringLiteral("FormId"))},
              {}, {index(QStringLiteral("Table_Del_History_Firm"), {QStringLiteral("FirmNO"), QStringLiteral("FormId")})}),
        table(QStringLiteral("FormMst_1"),
              {singleCol(QStringLiteral("FormId")), single(QStringLiteral("SNo")), text(QStringLiteral("PrnName"), 50)},
              {}, {index(QStringLiteral("FormMst_1_Form"), {QStringLiteral("FormId"), QStringLiteral("SNo")})}),
    };
}

template <typename T>
void appendAll(std::vector<T>& all, std::vector<T> more) {
    for (auto& item : more) all.push_back(std::move(item));
}

}  // namespace

std::vector<TableDef> addedYearTables() {
    std::vector<TableDef> all = machineAndProductionTables();
    appendAll(all, billAndStockTables());
    appendAll(all, workTables());
    appendAll(all, shellControlTables());
    return all;
}

void fillDashboardButtons(Database& db) {
    const QStringList captions{QStringLiteral("Sales"),        QStringLiteral("Chalan"),       QStringLiteral("Purchase"),
                               QStringLiteral("Bank Payment"), QStringLiteral("Bank Receipt"), QStringLiteral("Ledger"),
                               QStringLiteral("Job Receive"),  QStringLiteral("Job Issue"),    QStringLiteral("Mill Issue"),
                               QStringLiteral("Mill Receive")};
    for (int i = 0; i < captions.size(); ++i)
        db.exec(QStringLiteral("INSERT INTO Disp_Button_MSt (Srno, LBLnm, Mnu_Nm, IsSHow, FirmNO) VALUES (?, ?, ?, ?, ?)"),
                {i + 1, captions.at(i), captions.at(i), true, 1});
}

std::vector<TableDef> shellYearTables() {
    std::vector<TableDef> all{firmTable(), funKeyTable()};
    appendAll(all, addedYearTables());
    return all;
}

std::vector<MigrationStep> shellYearListSteps() {
    return {
        {QStringLiteral("shell/001-years-and-operators"),
         [](Database& db) {
             createTable(db, yearListTable());
             createTable(db, loginTable());
         }},
    };
}

std::vector<MigrationStep> shellYearSteps() {
    return {
        {QStringLiteral("shell/001-firms-and-function-keys"),
         [](Database& db) {
             createTable(db, firmTable());
             createTable(db, funKeyTable());
         }},
        {QStringLiteral("shell/002-added-tables"),
         [](Database& db) {
             for (const TableDef& t : addedYearTables()) createTable(db, t);
         }},
        {QStringLiteral("shell/003-dashboard-buttons"), [](Database& db) { fillDashboardButtons(db); }},
    };
}

}  // namespace tanabana::shell
