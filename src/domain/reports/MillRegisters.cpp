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

// The bleaching firm's registers: its inward challans (the customers' grey taken in, the
// taka-wise issue), its outward challans (sent back processed or grey, the receipt) and what of
// each customer's cloth is still in the works on a day: the mill registers' queries under the
// firm's own menu commands, titles and layouts.
RegisterDefinition bleaching(RegisterDefinition d, const char* command, const QString& title, const QString& pdfName) {
    d.name = QStringLiteral("bl-") + d.name.mid(QStringLiteral("mill-").size());
    d.command = QString::fromLatin1(command);
    d.title = title + (d.kind.isEmpty() ? QString() : QStringLiteral(" (") + d.kind + QLatin1Char(')'));
    d.pdfName = pdfName;
    return d;
}

// Per party: challans, takas and metres taken in.
RegisterDefinition inwardSummary() {
    RegisterDefinition d = issues(QStringLiteral("mill-inward-summary"), QStringLiteral("Party Summary"),
                                  QStringLiteral("BL_Issue_Reg_Summary_Party.rpt"), QStringLiteral("PartyName"));
    d.select = QStringLiteral(
        "SELECT COALESCE(a.AcName, '') AS PartyName, count(DISTINCT m.Id) AS Challans, count(d.Srno) AS Takas, "
        "ROUND(SUM(d.Mtrs) * 1000) / 1000.0 AS Mtrs FROM JobWork_IssueMst_1 m INNER JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id "
        "LEFT JOIN AccMst a ON a.Id = m.PartyID");
    d.groupBy = QStringLiteral("GROUP BY a.AcName");
    d.orderBy = {QStringLiteral("PartyName")};
    d.keyColumn.clear();
    return d;
}

// Every taka taken in, under its party.
RegisterDefinition inwardTakas() {
    RegisterDefinition d = issues(QStringLiteral("mill-inward-takas"), QStringLiteral("Party Detail"),
                                  QStringLiteral("BL_Issue_Reg_PartyDetail.rpt"), QStringLiteral("PartyName"));
    d.select = QStringLiteral(
        "SELECT m.Id AS IssueId, m.ChNo, m.BillDate AS IssueDate, COALESCE(a.AcName, '') AS PartyName, COALESCE(q.ProdName, '') AS Quality, "
        "COALESCE(m.ProcessName, '') AS ProcessName, COALESCE(m.LotNO, '') AS LotNO, d.Srno, d.TakaNO, d.Mtrs, "
        "d.RMtrs AS BackMtrs, d.PRate AS GreyRet, d.ShortLong, CASE WHEN d.IsFinished <> 0 THEN 'Y' ELSE 'N' END AS Fin "
        "FROM JobWork_IssueMst_1 m INNER JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id LEFT JOIN AccMst a ON a.Id = m.PartyID "
        "LEFT JOIN ProdMst q ON q.Id = m.QId");
    d.orderBy << QStringLiteral("Srno");
    return d;
}

// Per party: what went back, processed and grey, and the job charge.
RegisterDefinition outwardSummary() {
    RegisterDefinition d = receipts(QStringLiteral("mill-outward-summary"), QStringLiteral("Party Summary"),
                                    QStringLiteral("BL_Issue_Reg_Party_R_Summary.rpt"), QStringLiteral("PartyName"));
    const auto sum = [](const char* column) {
        return QStringLiteral("ROUND(SUM(d.%1) * 1000) / 1000.0").arg(QString::fromLatin1(column));
    };
    d.select = QStringLiteral("SELECT COALESCE(a.AcName, '') AS PartyName, count(DISTINCT m.Id) AS Challans, count(d.Srno) AS Takas, ") +
               sum("Mtrs") + QStringLiteral(" AS GreyMtrs, ") + sum("RMtrs") + QStringLiteral(" AS FinMtrs, ") + sum("ShortLong") +
               QStringLiteral(" AS ShortLong, ") + sum("GreyRet") + QStringLiteral(" AS GreyRet, ROUND(SUM(d.PAmt) * 100) / 100.0 AS Amount ") +
               QStringLiteral("FROM JobWork_IssueMst_1 m INNER JOIN JobWork_IssueDtl_1 d ON d.BillMstId = m.Id LEFT JOIN AccMst a ON a.Id = m.PartyID");
    d.groupBy = QStringLiteral("GROUP BY a.AcName");
    d.orderBy = {QStringLiteral("PartyName")};
    d.keyColumn.clear();
    return d;
}

std::vector<RegisterDefinition> bleachingRegisters() {
    const QString inward = QStringLiteral("Job Process Inward Challan Register");
    const QString outward = QStringLiteral("Job Process Outward Challan Register");
    const QString pending = QStringLiteral("Job Process Inward Challan Pending Register");
    std::vector<RegisterDefinition> list{
        bleaching(issues(QStringLiteral("mill-inward-by-party"), QStringLiteral("Party Wise"), QStringLiteral("BL_Issue_Reg_Party.rpt"),
                         QStringLiteral("PartyName")), "mnu_I77", inward, QStringLiteral("Inward_Challan_Register")),
        bleaching(issues(QStringLiteral("mill-inward-by-quality"), QStringLiteral("Quality Wise"), QStringLiteral("BL_Issue_Reg_Quality.rpt"),
                         QStringLiteral("Quality")), "mnu_I77", inward, QStringLiteral("Inward_Challan_Register")),
        bleaching(issues(QStringLiteral("mill-inward-by-process"), QStringLiteral("Job Process Wise"), QStringLiteral("BL_Issue_Reg_JobProcess.rpt"),
                         QStringLiteral("ProcessName")), "mnu_I77", inward, QStringLiteral("Inward_Challan_Register")),
        bleaching(inwardTakas(), "mnu_I77", inward, QStringLiteral("Inward_Challan_Register")),
        bleaching(inwardSummary(), "mnu_I77", inward, QStringLiteral("Inward_Challan_Register")),
        bleaching(receipts(QStringLiteral("mill-outward-by-party"), QStringLiteral("Party Wise"), QStringLiteral("BL_Issue_Reg_Party_R.rpt"),
                           QStringLiteral("PartyName")), "mnu_I78", outward, QStringLiteral("Outward_Challan_Register")),
        bleaching(receipts(QStringLiteral("mill-outward-by-quality"), QStringLiteral("Quality Wise"), QStringLiteral("BL_Issue_Reg_Quality_R.rpt"),
                           QStringLiteral("Quality")), "mnu_I78", outward, QStringLiteral("Outward_Challan_Register")),
        bleaching(outwardSummary(), "mnu_I78", outward, QStringLiteral("Outward_Challan_Register")),
        bleaching(pendingTakas(), "mnu_I79", pending, QStringLiteral("Inward_Challan_Pending_Register")),
        bleaching(pendingSummary(), "mnu_I79", pending, QStringLiteral("Inward_Challan_Pending_Summary"))};
    list[8].layout = QStringLiteral("BL_Pending_Reg_Summary_Dtl.rpt");
    list[9].layout = QStringLiteral("BL_Pending_Reg_Summary.rpt");
    list[9].title = QStringLiteral("Job Process Inward Challan Pending Summary");
    return list;
}

}  // namespace

bool isBleachingRegister(const RegisterDefinition& definition) { return definition.name.startsWith(QStringLiteral("bl-")); }

std::vector<RegisterDefinition> millRegisters() {
    std::vector<RegisterDefinition> list{issues(QStringLiteral("mill-issues-by-party"), QStringLiteral("Party Wise"), QStringLiteral("Mill_Issue_Reg_Party.rpt"),
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
    for (RegisterDefinition& d : bleachingRegisters()) list.push_back(std::move(d));
    return list;
}

}  // namespace tanabana::reports
