#include "domain/reports/MillRegisters.h"

namespace tanabana::reports {

namespace {

// Mill issue challans, one row each with their takas and metres, grouped by `groupColumn`.
RegisterDefinition issues(const QString& name, const QString& kind, const QString& layout, const QString& groupColumn) {
    RegisterDefinition d;
    d.name = name;
    d.command = QStringLiteral("mnu_I74");
    d.kind = kind;
    d.title = QStringLiteral("Mill Issue Register (") + kind + QLatin1Char(')');
    d.layout = layout;
    d.pdfName = QStringLiteral("Mill_Issue_Register");
    d.select = QStringLiteral(
        "SELECT m.Id AS IssueId, m.ChNo, m.BillDate AS IssueDate, COALESCE(a.AcName, '') AS PartyName, COALESCE(q.ProdName, '') AS Quality, "
        "COALESCE(m.ProcessName, '') AS ProcessName, COALESCE(m.LotNO, '') AS LotNO, COALESCE(w.AcName, '') AS PurParty, "
        "COALESCE(m.PurBillNo, '') AS PurBillNo, COALESCE(b.PName, '') AS BrokerName, "
        "(SELECT count(*) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id) AS Takas, "
        "(SELECT ROUND(COALESCE(SUM(d.Mtrs), 0) * 1000) / 1000.0 FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id) AS Mtrs "
        "FROM JobWork_IssueMst_1 m LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN ProdMst q ON q.Id = m.QId "
        "LEFT JOIN AccMst w ON w.Id = m.PurPartyId LEFT JOIN BrokerMst b ON b.Srno = m.BrokerId AND b.FirmNO = m.FirmNO");
    d.where = QStringLiteral("m.FormId = 16 AND m.IsOp = 0");
    d.firmColumn = QStringLiteral("m.FirmNO");
    d.dateColumn = QStringLiteral("m.BillDate");
    d.partyFilter = QStringLiteral("m.PartyID = ?");
    d.itemFilter = QStringLiteral("m.QId = ?");
    d.orderBy = {groupColumn, QStringLiteral("IssueDate"), QStringLiteral("ChNo")};
    d.keyColumn = QStringLiteral("IssueId");
    return d;
}

// Mill receipt challans, one row each: grey, finished, short, grey back and the bill.
RegisterDefinition receipts(const QString& name, const QString& kind, const QString& layout, const QString& groupColumn) {
    RegisterDefinition d;
    d.name = name;
    d.command = QStringLiteral("mnu_I75");
    d.kind = kind;
    d.title = QStringLiteral("Mill Receive Register (") + kind + QLatin1Char(')');
    d.layout = layout;
    d.pdfName = QStringLiteral("Mill_Receive_Register");
    const auto sum = [](const char* column) {
        return QStringLiteral("(SELECT ROUND(COALESCE(SUM(d.%1), 0) * 1000) / 1000.0 FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id)")
            .arg(QString::fromLatin1(column));
    };
    d.select = QStringLiteral("SELECT m.Id AS ReceiptId, m.ChNo, m.BillDate AS RecDate, COALESCE(a.AcName, '') AS PartyName, "
                              "COALESCE(m.BillNO, '') AS MillChNo, COALESCE(m.LotNO, '') AS LotNO, COALESCE(q.ProdName, '') AS Quality, "
                              "(SELECT count(*) FROM JobWork_IssueDtl_1 d WHERE d.BillMstId = m.Id) AS Takas, ") +
               sum("Mtrs") + QStringLiteral(" AS GreyMtrs, ") + sum("RMtrs") + QStringLiteral(" AS FinMtrs, ") + sum("ShortLong") +
               QStringLiteral(" AS ShortLong, ") + sum("GreyRet") +
               QStringLiteral(" AS GreyRet, m.TotAmt AS Amount, m.BillAmount FROM JobWork_IssueMst_1 m LEFT JOIN AccMst a ON a.Id = m.PartyID "
                              "LEFT JOIN ProdMst q ON q.Id = m.QId");
    d.where = QStringLiteral("m.FormId = 17 AND m.IsOp = 0");
    d.firmColumn = QStringLiteral("m.FirmNO");
    d.dateColumn = QStringLiteral("m.BillDate");
    d.partyFilter = QStringLiteral("m.PartyID = ?");
    d.itemFilter = QStringLiteral("m.QId = ?");
    d.orderBy = {groupColumn, QStringLiteral("RecDate"), QStringLiteral("ChNo")};
    d.keyColumn = QStringLiteral("ReceiptId");
    return d;
}

// The takas of every mill issue with what came back of each up to the bound date (twice bound).
const QString kTakasOnDate = QStringLiteral(
    "(SELECT t.*, ROUND((t.Mtrs - t.BackMtrs) * 1000) / 1000.0 AS PendMtrs FROM (SELECT m.FirmNO, m.PartyID, m.QId, "
    "m.Id AS IssueId, m.ChNo, m.BillDate AS IssueDate, COALESCE(a.AcName, '') AS PartyName, COALESCE(q.ProdName, '') AS Quality, "
    "COALESCE(m.ProcessName, '') AS ProcessName, d.Srno, d.TakaNO, d.Mtrs, "
    "COALESCE((SELECT SUM(r.Mtrs + r.GreyRet) FROM JobWork_IssueDtl_1 r JOIN JobWork_IssueMst_1 rm ON rm.Id = r.BillMstId "
    "WHERE r.IssueChId = d.BillMstId AND r.IssueChSno = d.Srno AND rm.FormId = 17 AND rm.BillDate <= ?), 0) AS BackMtrs, "
    // a receipt that said "Fin." closed the taka, whatever metres it brought
    "(SELECT count(*) FROM JobWork_IssueDtl_1 r JOIN JobWork_IssueMst_1 rm ON rm.Id = r.BillMstId WHERE r.IssueChId = d.BillMstId "
    "AND r.IssueChSno = d.Srno AND rm.FormId = 17 AND r.IsFinished <> 0 AND rm.BillDate <= ?) AS Closed "
    "FROM JobWork_IssueMst_1 m JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id LEFT JOIN AccMst a ON a.Id = m.PartyID "
    "LEFT JOIN ProdMst q ON q.Id = m.QId WHERE m.FormId = 16) t) p");

// The conditions of a taka still out on the date, with the filters the pending registers offer.
void pendingOnDate(RegisterDefinition& d) {
    d.command = QStringLiteral("mnu_I76");
    d.onDate = true;
    d.onDateParams = 2;
    d.where = QStringLiteral("p.Closed = 0 AND p.PendMtrs > 0.0005");
    d.firmColumn = QStringLiteral("p.FirmNO");
    d.dateColumn = QStringLiteral("p.IssueDate");
    d.partyFilter = QStringLiteral("p.PartyID = ?");
    d.itemFilter = QStringLiteral("p.QId = ?");
}

// Per mill and quality: how many takas and metres are out on the date.
RegisterDefinition pendingSummary() {
    RegisterDefinition d;
    d.name = QStringLiteral("mill-pending-summary");
    d.kind = QStringLiteral("Summary");
    d.title = QStringLiteral("Mill Taka Pending Summary");
    d.layout = QStringLiteral("Mill_Pending_Reg_Summary.rpt");
    d.pdfName = QStringLiteral("Mill_Taka_Pending_Summary");
    d.select = QStringLiteral("SELECT p.PartyName, p.Quality, count(*) AS Takas, ROUND(SUM(p.Mtrs) * 1000) / 1000.0 AS Mtrs, "
                              "ROUND(SUM(p.BackMtrs) * 1000) / 1000.0 AS BackMtrs, ROUND(SUM(p.PendMtrs) * 1000) / 1000.0 AS PendMtrs FROM ") +
               kTakasOnDate;
    pendingOnDate(d);
    d.groupBy = QStringLiteral("GROUP BY p.PartyName, p.Quality");
    d.orderBy = {QStringLiteral("PartyName"), QStringLiteral("Quality")};
    return d;
}

// Every taka at a mill on the chosen date: issued by then (carried-in challans too), not closed by
// a receipt of that day or before, with what came back of it up to that day.
RegisterDefinition pendingTakas() {
    RegisterDefinition d;
    d.name = QStringLiteral("mill-takas-pending");
    d.kind = QStringLiteral("Party Wise");
    d.title = QStringLiteral("Mill Taka Pending Register");
    d.layout = QStringLiteral("Mill_Pending_Reg_Summary_Dtl.rpt");
    d.pdfName = QStringLiteral("Mill_Taka_Pending_Register");
    d.select = QStringLiteral("SELECT * FROM ") + kTakasOnDate;
    pendingOnDate(d);
    d.orderBy = {QStringLiteral("PartyName"), QStringLiteral("IssueDate"), QStringLiteral("ChNo"), QStringLiteral("Srno")};
    d.keyColumn = QStringLiteral("IssueId");
    return d;
}

}  // namespace

std::vector<RegisterDefinition> millRegisters() {
    return {issues(QStringLiteral("mill-issues-by-party"), QStringLiteral("Party Wise"), QStringLiteral("Mill_Issue_Reg_Party.rpt"),
                   QStringLiteral("PartyName")),
            issues(QStringLiteral("mill-issues-by-quality"), QStringLiteral("Quality Wise"), QStringLiteral("Mill_Issue_Reg_Quality.rpt"),
                   QStringLiteral("Quality")),
            issues(QStringLiteral("mill-issues-by-process"), QStringLiteral("Job Process Wise"), QStringLiteral("Mill_Issue_Reg_JobProcess.rpt"),
                   QStringLiteral("ProcessName")),
            issues(QStringLiteral("mill-issues-by-purchase-party"), QStringLiteral("Purchase Party Wise"),
                   QStringLiteral("Mill_Issue_Reg_PurchaseParty.rpt"), QStringLiteral("PurParty")),
            issues(QStringLiteral("mill-issues-by-broker"), QStringLiteral("Broker Wise"), QStringLiteral("Mill_Issue_Reg_Broker.rpt"),
                   QStringLiteral("BrokerName")),
            receipts(QStringLiteral("mill-receipts-by-party"), QStringLiteral("Party Wise"), QStringLiteral("Mill_Issue_Reg_Party_R.rpt"),
                     QStringLiteral("PartyName")),
            receipts(QStringLiteral("mill-receipts-by-quality"), QStringLiteral("Quality Wise"), QStringLiteral("Mill_Issue_Reg_Quality_R.rpt"),
                     QStringLiteral("Quality")),
            pendingTakas(), pendingSummary()};
}

}  // namespace tanabana::reports
