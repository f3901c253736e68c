#include "domain/masters/Schema.h"


namespace tanabana::masters {

using namespace tanabana::db;
using namespace db::columns;

namespace {

// The columns of an account or group row, shared by AccMst and its template AccMst_Main.
std::vector<ColumnDef> accountColumns() {
    return {
        longCol(QStringLiteral("Id")),
        empty(textCol(QStringLiteral("LedgerId"), 10)),
        empty(textCol(QStringLiteral("AcName"), 100)),
        zero(intCol(QStringLiteral("GrpNo"))),
        zero(yesNoCol(QStringLiteral("IsGrp"))),
        zero(intCol(QStringLiteral("AcNo"))),
        empty(textCol(QStringLiteral("Add1"), 100)),
        empty(textCol(QStringLiteral("Add2"), 100)),
        empty(textCol(QStringLiteral("Add3"), 100)),
        empty(textCol(QStringLiteral("City"), 50)),
        empty(textCol(QStringLiteral("ZoneName"), 50)),
        empty(textCol(QStringLiteral("Phone"), 50)),
        empty(textCol(QStringLiteral("PinCode"), 10)),
        empty(textCol(QStringLiteral("Conct"), 50)),
        empty(textCol(QStringLiteral("TinNo"), 15)),
        empty(textCol(QStringLiteral("CSTNo"), 50)),
        zero(doubleCol(QStringLiteral("CrLimit"))),
        zero(doubleCol(QStringLiteral("IntRate"))),
        zero(intCol(QStringLiteral("CrDays"))),
        zero(doubleCol(QStringLiteral("Commision"))),
        zero(doubleCol(QStringLiteral("Perc"))),
        zero(doubleCol(QStringLiteral("TDSP"))),
        empty(textCol(QStringLiteral("AreaName"), 50)),
        empty(textCol(QStringLiteral("EcNo"), 1)),
        empty(textCol(QStringLiteral("Hunditype"), 1)),
        withDefault(singleCol(QStringLiteral("Is_Item_RNd")), QStringLiteral("1")),
        withDefault(textCol(QStringLiteral("CityG"), 1), QStringLiteral("'R'")),
        withDefault(yesNoCol(QStringLiteral("Active")), QStringLiteral("1")),
        zero(longCol(QStringLiteral("BrokerId"))),
        zero(longCol(QStringLiteral("FirmNo"))),
        zero(yesNoCol(QStringLiteral("IsOgs"))),
        empty(textCol(QStringLiteral("PanNO"), 10)),
        empty(textCol(QStringLiteral("Extra"), 100)),
        zero(yesNoCol(QStringLiteral("Is_RevCh"))),
        zero(doubleCol(QStringLiteral("City_KM"))),
        empty(textCol(QStringLiteral("Trans_Name"), 100)),
        empty(textCol(QStringLiteral("Trans_Id"), 50)),
        zero(yesNoCol(QStringLiteral("Is_Upload"))),
        empty(textCol(QStringLiteral("P_EximCOde"), 50)),
        withDefault(textCol(QStringLiteral("P_Country"), 50), QStringLiteral("'INDIA'")),
        empty(textCol(QStringLiteral("P_Trans_NO"), 30)),
        empty(textCol(QStringLiteral("WMbNo"), 10)),
        zero(doubleCol(QStringLiteral("DrAmt"))),
        zero(doubleCol(QStringLiteral("CrAmt"))),
        zero(doubleCol(QStringLiteral("AccAmt"))),
        zero(yesNoCol(QStringLiteral("Is_Sel"))),
    };
}

std::vector<ColumnDef> openingBalanceColumns() {
    return {longCol(QStringLiteral("Id")), dateCol(QStringLiteral("OpDate")), zero(doubleCol(QStringLiteral("OpAmount"))),
            withDefault(textCol(QStringLiteral("OpType"), 1), QStringLiteral("'D'")), zero(longCol(QStringLiteral("FirmNo"))),
            zero(yesNoCol(QStringLiteral("Is_Upload")))};
}

// AccMStView adds the code's series (group and initial, "35R") and its serial (1 for "35R001").
QString accountViewSql(const Dialect& dialect) {
    const QString serial = dialect.isPostgres()
        ? QStringLiteral("CASE WHEN substr(LedgerId, 4) ~ '^[0-9]{1,9}$' THEN CAST(substr(LedgerId, 4) AS INTEGER) ELSE 0 END")
        : QStringLiteral("CAST(substr(LedgerId, 4) AS INTEGER)");
    return QStringLiteral("CREATE VIEW AccMStView AS SELECT AccMst.*, substr(LedgerId, 1, 3) AS Ls, %1 AS rs FROM AccMst")
        .arg(serial);
}

// AccMStView_op: every account with its opening balance (0 when it has none) and its group's name.
QString openingViewSql() {
    return QStringLiteral(
        "CREATE VIEW AccMStView_op AS SELECT a.Id AS Id, a.LedgerId AS LedgerId, a.AcName AS AcName, a.City AS City, "
        "a.GrpNo AS GrpNO, COALESCE(g.AcName, '') AS GrpName, o.OpDate AS OpDate, COALESCE(o.OpAmount, 0) AS OpAmount, "
        "COALESCE(o.OpType, '') AS OpType, a.FirmNo AS FirmNo "
        "FROM AccMst a LEFT JOIN AccMstOpBal o ON o.Id = a.Id "
        "LEFT JOIN AccMst g ON g.IsGrp = 1 AND g.GrpNo = a.GrpNo AND g.FirmNo = a.FirmNo "
        "WHERE a.IsGrp = 0");
}

}  // namespace

const TableDef& accMstTable() {
    static const TableDef table{QStringLiteral("AccMst"), accountColumns(), {QStringLiteral("Id")},
                                {{QStringLiteral("AccMst_FirmName"), {QStringLiteral("FirmNo"), QStringLiteral("AcName")}, false},
                                 {QStringLiteral("AccMst_FirmCode"), {QStringLiteral("FirmNo"), QStringLiteral("LedgerId")}, false},
                                 {QStringLiteral("AccMst_FirmGroup"), {QStringLiteral("FirmNo"), QStringLiteral("GrpNo")}, false}}};
    return table;
}

const TableDef& accMstMainTable() {
    static const TableDef table{QStringLiteral("AccMst_Main"), accountColumns(), {QStringLiteral("Id")}, {}};
    return table;
}

const TableDef& accMstOpBalTable() {
    static const TableDef table{QStringLiteral("AccMstOpBal"), openingBalanceColumns(), {QStringLiteral("Id")},
                                {{QStringLiteral("AccMstOpBal_Firm"), {QStringLiteral("FirmNo")}, false}}};
    return table;
}

const TableDef& accMstOpBalTempTable() {
    static const TableDef table{QStringLiteral("AccMstOpBal_Temp"), openingBalanceColumns(), {}, {}};
    return table;
}

const TableDef& bookMstTable() {
    static const TableDef table{
        QStringLiteral("BookMst"),
        {longCol(QStringLiteral("BookNO")), longCol(QStringLiteral("FirmNO")),
         withDefault(textCol(QStringLiteral("BookType"), 1), QStringLiteral("'S'")),
         empty(textCol(QStringLiteral("BookShortName"), 20)), zero(longCol(QStringLiteral("PurAccId"))),
         empty(textCol(QStringLiteral("PurNAme"), 100)), zero(longCol(QStringLiteral("SaleId"))),
         empty(textCol(QStringLiteral("SalesName"), 100)), withDefault(textCol(QStringLiteral("BillType"), 20), QStringLiteral("'Retail'")),
         withDefault(singleCol(QStringLiteral("Sales_Bill_From")), QStringLiteral("1")), zero(yesNoCol(QStringLiteral("LrReq"))),
         zero(yesNoCol(QStringLiteral("IsGenPur"))), zero(yesNoCol(QStringLiteral("IsCashPay"))), zero(yesNoCol(QStringLiteral("IsST"))),
         empty(textCol(QStringLiteral("ItemRem"), 50)), zero(doubleCol(QStringLiteral("NosIn"))), zero(doubleCol(QStringLiteral("Qty1"))),
         zero(doubleCol(QStringLiteral("Qty2"))), withDefault(textCol(QStringLiteral("CL1"), 20), QStringLiteral("'(1)'")),
         withDefault(textCol(QStringLiteral("CL2"), 20), QStringLiteral("'(2)'")),
         withDefault(textCol(QStringLiteral("CL3"), 20), QStringLiteral("'Description'")), zero(yesNoCol(QStringLiteral("Is_Auto_Ac"))),
         zero(longCol(QStringLiteral("A1"))), zero(longCol(QStringLiteral("A2"))), zero(longCol(QStringLiteral("A3"))),
         zero(longCol(QStringLiteral("A4"))), zero(longCol(QStringLiteral("A5"))), zero(longCol(QStringLiteral("A6"))),
         zero(longCol(QStringLiteral("A1_R"))), zero(longCol(QStringLiteral("A2_R"))), zero(longCol(QStringLiteral("A3_R"))),
         zero(longCol(QStringLiteral("A1_P"))), zero(longCol(QStringLiteral("A2_P"))), zero(longCol(QStringLiteral("A3_P"))),
         zero(yesNoCol(QStringLiteral("IsTDS"))), zero(longCol(QStringLiteral("TDS_Id"))), zero(yesNoCol(QStringLiteral("IsTCS"))),
         zero(longCol(QStringLiteral("TCS_Id"))), zero(doubleCol(QStringLiteral("VatCalc"))), empty(textCol(QStringLiteral("UNit"), 10)),
         zero(yesNoCol(QStringLiteral("IsExcise"))), zero(yesNoCol(QStringLiteral("Is_Upload")))},
        {QStringLiteral("BookNO"), QStringLiteral("FirmNO")},
        {}};
    return table;
}

std::vector<const TableDef*> mastersTables() {
    return {&accMstTable(), &accMstMainTable(), &accMstOpBalTable(), &accMstOpBalTempTable(), &bookMstTable()};
}

std::vector<MigrationStep> mastersSteps() {
    return {
        {QStringLiteral("masters/001-accounts-and-books"),
         [](Database& db) {
             for (const TableDef* table : mastersTables()) createTable(db, *table);
             db.exec(accountViewSql(db.dialect()));
             db.exec(openingViewSql());
         }},
    };
}

}  // namespace tanabana::masters
