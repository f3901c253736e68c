#include "domain/masters/DefaultChart.h"

#include "domain/masters/LedgerCode.h"
#include "domain/masters/RowWriter.h"

#include <map>

namespace tanabana::masters {

namespace {

ChartEntry group(int number, const char* name) { return {number, QString::fromUtf8(name), true}; }
ChartEntry ledger(int number, const QString& name) { return {number, name, false}; }
ChartEntry ledger(int number, const char* name) { return {number, QString::fromUtf8(name), false}; }

}  // namespace

const std::vector<ChartEntry>& defaultChart() {
    static const std::vector<ChartEntry> entries = {
        // Trading account (1 to 21)
        group(1, "Sales Accounts"), group(2, "Purchase Accounts"), group(3, "Opening Stock"), group(4, "Direct Expenses"),
        group(5, "Job Work Charges"), group(17, "Closing Stock"), group(18, "Sales Return"), group(20, "Purchase Return"),
        // Profit and loss account (22 to 30)
        group(22, "Indirect Expenses"), group(23, "Administrative Expenses"), group(24, "Financial Expenses"),
        group(29, "Indirect Income"),
        // Balance sheet, assets (31 to 70)
        group(31, "Fixed Assets"), group(32, "Investments"), group(33, "Loans And Advances (Asset)"),
        group(34, "Sundry Debtors (Job Work)"), group(35, "Sundry Debtors"), group(36, "Bank Accounts"),
        group(37, "Cash-In-Hand"), group(38, "Sundry Debtors (Export)"), group(39, "Other Receivables"),
        group(40, "GST Input Credit"), group(41, "TDS And TCS Receivable"), group(42, "Deposits (Asset)"),
        // Parties kept for stock movements only, outside every statement
        group(71, "Delivery Parties"),
        // Balance sheet, liabilities (72 to 99)
        group(72, "Capital Account"), group(73, "Reserves And Partners Current A/c"), group(74, "Secured Loans"),
        group(75, "Unsecured Loans"), group(76, "Sundry Creditors"), group(77, "Sundry Creditors (Job Work)"),
        group(78, "Duties And Taxes"), group(79, "Sundry Creditors (Expenses)"), group(80, "Sundry Creditors (Brokers)"),
        group(81, "Provisions"), group(82, "Other Current Liabilities"),
        // Ledgers
        ledger(1, chart::Sales), ledger(2, chart::Purchase), ledger(3, "Opening Stock"), ledger(4, "Freight Inward"),
        ledger(5, "Job Work Charges"), ledger(17, "Closing Stock"), ledger(18, "Sales Return A/c"),
        ledger(20, "Purchase Return A/c"), ledger(22, chart::RoundOff), ledger(22, chart::GeneralExpenses),
        ledger(22, "Brokerage"), ledger(22, "Discount Allowed"), ledger(22, "Freight Outward"), ledger(23, "Salary"),
        ledger(23, "Rent"), ledger(23, "Electricity Charges"), ledger(23, "Telephone And Internet"),
        ledger(23, "Printing And Stationery"), ledger(24, "Bank Charges"), ledger(24, "Interest Paid"),
        ledger(29, "Interest Received"), ledger(29, "Discount Received"), ledger(36, chart::Bank), ledger(37, chart::Cash),
        ledger(40, chart::InputIgst), ledger(40, chart::InputSgst), ledger(40, chart::InputCgst),
        ledger(40, chart::RcmInputIgst), ledger(40, chart::RcmInputSgst), ledger(40, chart::RcmInputCgst),
        ledger(41, chart::TdsReceivable), ledger(41, chart::TcsReceivable), ledger(72, chart::Capital),
        ledger(78, chart::OutputIgst), ledger(78, chart::OutputSgst), ledger(78, chart::OutputCgst),
        ledger(78, chart::RcmPayableIgst), ledger(78, chart::RcmPayableSgst), ledger(78, chart::RcmPayableCgst),
        ledger(78, chart::TdsPayable), ledger(78, chart::TcsPayable),
    };
    return entries;
}

void fillTemplateChart(db::Database& db) {
    if (db.scalar(QStringLiteral("SELECT count(*) FROM AccMst_Main")).toInt() > 0) return;
    std::map<QString, int> serials;
    qint64 id = 0;
    for (const ChartEntry& entry : defaultChart()) {
        QString code;
        if (entry.isGroup) {
            code = groupLedgerId(entry.group);
        } else {
            const QString series = ledgerSeries(entry.group, entry.name);
            code = ledgerCode(series, ++serials[series]);
        }
        insertRow(db, QStringLiteral("AccMst_Main"),
                  {{QStringLiteral("Id"), ++id},
                   {QStringLiteral("LedgerId"), code},
                   {QStringLiteral("AcName"), entry.name},
                   {QStringLiteral("GrpNo"), entry.group},
                   {QStringLiteral("IsGrp"), entry.isGroup},
                   {QStringLiteral("AcNo"), entry.isGroup ? entry.group : 0},
                   {QStringLiteral("Active"), true},
                   {QStringLiteral("FirmNo"), 0},
                   {QStringLiteral("EcNo"), QStringLiteral("1")}});
    }
}

db::MigrationStep templateChartStep() {
    return {QStringLiteral("masters/002-template-chart"), [](db::Database& db) { fillTemplateChart(db); }};
}

namespace {

qint64 accountOf(db::Database& db, qint64 firmNo, const QString& name) {
    return db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE AcName = ? AND FirmNo = ? AND IsGrp = 0 ORDER BY Id"),
                     {name, firmNo})
        .toLongLong();
}

}  // namespace

void createDefaultBooks(db::Database& db, qint64 firmNo) {
    auto acc = [&](const QString& name) { return accountOf(db, firmNo, name); };
    auto book = [&](qint64 bookNo, const QString& type, const QString& prefix, QVariantMap values) {
        if (db.scalar(QStringLiteral("SELECT count(*) FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {bookNo, firmNo}).toInt() > 0)
            return;
        values.insert(QStringLiteral("BookNO"), bookNo);
        values.insert(QStringLiteral("FirmNO"), firmNo);
        values.insert(QStringLiteral("BookType"), type);
        values.insert(QStringLiteral("BookShortName"), prefix);
        values.insert(QStringLiteral("BillType"), QStringLiteral("Retail"));
        values.insert(QStringLiteral("Sales_Bill_From"), 1);
        values.insert(QStringLiteral("CL1"), QStringLiteral("(1)"));
        values.insert(QStringLiteral("CL2"), QStringLiteral("(2)"));
        values.insert(QStringLiteral("CL3"), QStringLiteral("Description"));
        values.insert(QStringLiteral("Is_Upload"), false);
        insertRow(db, QStringLiteral("BookMst"), values);
    };
    book(1, QStringLiteral("S"), QStringLiteral("GST/"),
         {{QStringLiteral("SaleId"), acc(chart::Sales)}, {QStringLiteral("SalesName"), QStringLiteral("Sales GST")},
          {QStringLiteral("Is_Auto_Ac"), true}, {QStringLiteral("A1"), acc(chart::OutputIgst)},
          {QStringLiteral("A2"), acc(chart::OutputSgst)}, {QStringLiteral("A3"), acc(chart::OutputCgst)},
          {QStringLiteral("A4"), acc(chart::RoundOff)}, {QStringLiteral("IsTCS"), true},
          {QStringLiteral("TCS_Id"), acc(chart::TcsPayable)}, {QStringLiteral("TDS_Id"), acc(chart::TdsReceivable)}});
    book(2, QStringLiteral("P"), QStringLiteral("PUR/"),
         {{QStringLiteral("PurAccId"), acc(chart::Purchase)}, {QStringLiteral("PurNAme"), QStringLiteral("Purchase GST")},
          {QStringLiteral("Is_Auto_Ac"), true}, {QStringLiteral("A1"), acc(chart::InputIgst)},
          {QStringLiteral("A2"), acc(chart::InputSgst)}, {QStringLiteral("A3"), acc(chart::InputCgst)},
          {QStringLiteral("A4"), acc(chart::RoundOff)}, {QStringLiteral("A1_R"), acc(chart::RcmInputIgst)},
          {QStringLiteral("A2_R"), acc(chart::RcmInputSgst)}, {QStringLiteral("A3_R"), acc(chart::RcmInputCgst)},
          {QStringLiteral("A1_P"), acc(chart::RcmPayableIgst)}, {QStringLiteral("A2_P"), acc(chart::RcmPayableSgst)},
          {QStringLiteral("A3_P"), acc(chart::RcmPayableCgst)}, {QStringLiteral("IsTDS"), true},
          {QStringLiteral("TDS_Id"), acc(chart::TdsPayable)}, {QStringLiteral("TCS_Id"), acc(chart::TcsReceivable)}});
    // expenses are often bought under reverse charge or with TDS: the book has those accounts too
    book(3, QStringLiteral("P"), QStringLiteral("EXP/"),
         {{QStringLiteral("PurAccId"), acc(chart::GeneralExpenses)}, {QStringLiteral("PurNAme"), QStringLiteral("General Expenses")},
          {QStringLiteral("IsGenPur"), true}, {QStringLiteral("Is_Auto_Ac"), true}, {QStringLiteral("A1"), acc(chart::InputIgst)},
          {QStringLiteral("A2"), acc(chart::InputSgst)}, {QStringLiteral("A3"), acc(chart::InputCgst)},
          {QStringLiteral("A4"), acc(chart::RoundOff)}, {QStringLiteral("A1_R"), acc(chart::RcmInputIgst)},
          {QStringLiteral("A2_R"), acc(chart::RcmInputSgst)}, {QStringLiteral("A3_R"), acc(chart::RcmInputCgst)},
          {QStringLiteral("A1_P"), acc(chart::RcmPayableIgst)}, {QStringLiteral("A2_P"), acc(chart::RcmPayableSgst)},
          {QStringLiteral("A3_P"), acc(chart::RcmPayableCgst)}, {QStringLiteral("TDS_Id"), acc(chart::TdsPayable)},
          {QStringLiteral("TCS_Id"), acc(chart::TcsReceivable)}});
    book(36, QStringLiteral("C"), QStringLiteral("CASH"),
         {{QStringLiteral("PurAccId"), acc(chart::Cash)}, {QStringLiteral("PurNAme"), QStringLiteral("Cash Book")}});
    book(37, QStringLiteral("B"), QStringLiteral("BANK"),
         {{QStringLiteral("PurAccId"), acc(chart::Bank)}, {QStringLiteral("PurNAme"), chart::Bank}});
}

}  // namespace tanabana::masters
