#include "domain/reports/SellingRegisters.h"

#include "db/Dialect.h"
#include "domain/reports/MillRegisters.h"
#include "domain/reports/OutstandingRegisters.h"
#include "domain/reports/PurchaseRegisters.h"
#include "domain/reports/ReturnRegisters.h"

namespace tanabana::reports {

namespace {

// One SQL text serves both engines: concatenation and exact sums are written the same way.
const db::Dialect kSql;

QString sumOf(const QString& expression, int places) { return kSql.sumRounded(expression, places); }

// The firm and date columns of a register and its party, book and quality conditions.
struct Filters {
    QString party, book, item;
};
void narrowedBy(RegisterDefinition& d, const QString& firmColumn, const QString& dateColumn, const Filters& f) {
    d.firmColumn = firmColumn;
    d.dateColumn = dateColumn;
    d.partyFilter = f.party;
    d.bookFilter = f.book;
    d.itemFilter = f.item;
}

// Bills of the sales book, one row each, with their quantities and tax totals.
RegisterDefinition salesBills(const QString& name, const QString& kind, const QString& layout, const QStringList& order) {
    RegisterDefinition d;
    d.name = name;
    d.command = QStringLiteral("mnu_R41");
    d.kind = kind;
    d.title = QStringLiteral("Sales Register (%1)").arg(kind);
    d.layout = layout;
    d.pdfName = QStringLiteral("Sales_Register_") + QString(kind).remove(QLatin1Char(' '));
    d.select = QStringLiteral("SELECT m.Id AS BillId, ") + kSql.concat({QStringLiteral("b.BookShortName"), QStringLiteral("m.BillNO")}) +
               QStringLiteral(" AS BillNoFull, m.BillDate, m.BookNO, COALESCE(b.SalesName, '') AS BookName, "
                              "COALESCE(a.AcName, '') AS PartyName, COALESCE(a.City, '') AS PartyCity, COALESCE(a.TinNo, '') AS PartyGSTIN, "
                              "(SELECT ") + sumOf(QStringLiteral("x.Qty2"), 3) +
               QStringLiteral(" FROM SalBillDtl x WHERE x.BillMstId = m.Id) AS Pcs, (SELECT ") + sumOf(QStringLiteral("x.Qty"), 3) +
               QStringLiteral(" FROM SalBillDtl x WHERE x.BillMstId = m.Id) AS Mtrs, "
                              "m.BAmt AS Taxable, m.VatRs AS SGST, m.ATAXRs AS CGST, m.CSTRs AS IGST, m.TCSRs AS TCS, "
                              "m.OtherP AS Other, m.BillAmount AS NetAmount "
                              "FROM SalBillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID "
                              "LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO");
    d.where = QStringLiteral("m.FormId = 3 AND COALESCE(m.IsOp, 0) = 0");
    narrowedBy(d, QStringLiteral("m.FirmNO"), QStringLiteral("m.BillDate"),
               {QStringLiteral("m.PartyID = ?"), QStringLiteral("m.BookNO = ?"),
                QStringLiteral("EXISTS (SELECT 1 FROM SalBillDtl x WHERE x.BillMstId = m.Id AND x.PCode = ?)")});
    d.orderBy = order;
    d.opens = DocumentKind::SalesBill;
    d.keyColumn = QStringLiteral("BillId");
    return d;
}

// Lines of the sales bills summed per quality or per HSN code and GST rate.
RegisterDefinition salesLines(const QString& name, const QString& kind, const QString& layout) {
    RegisterDefinition d;
    d.name = name;
    d.command = QStringLiteral("mnu_R43");
    d.kind = kind;
    d.title = QStringLiteral("Sales Summary (%1)").arg(kind);
    d.layout = layout;
    d.pdfName = QStringLiteral("Sales_Summary_") + QString(kind).remove(QLatin1Char(' '));
    // On an IGST line the first tax column holds IGST; it is not SGST.
    const QString sums = sumOf(QStringLiteral("d.Amt"), 2) + QStringLiteral(" AS Taxable, ") +
                         sumOf(QStringLiteral("CASE WHEN COALESCE(d.IGSTRs, 0) <> 0 THEN 0 ELSE d.DVatRs END"), 3) + QStringLiteral(" AS SGST, ") +
                         sumOf(QStringLiteral("d.DATaxRs"), 3) + QStringLiteral(" AS CGST, ") + sumOf(QStringLiteral("COALESCE(d.IGSTRs, 0)"), 3) +
                         QStringLiteral(" AS IGST, ") + sumOf(QStringLiteral("d.DNetAmt"), 2) + QStringLiteral(" AS LineTotal");
    const QString from = QStringLiteral(" FROM SalBillMst m INNER JOIN SalBillDtl d ON d.BillMstId = m.Id LEFT JOIN ProdMst p ON p.Id = d.PCode");
    if (name == QLatin1String("sales-hsn")) {
        d.select = QStringLiteral("SELECT COALESCE(p.hsnCode, '') AS HSN, MAX(COALESCE(p.LicenceNo, '')) AS HSNDesc, "
                                  "MAX(COALESCE(p.UQM, '')) AS UQC, d.DVatP + d.DATaxP AS GstRate, ") +
                   sumOf(QStringLiteral("CASE WHEN d.PM = 'P' THEN d.Qty2 ELSE d.Qty END"), 3) + QStringLiteral(" AS Qty, ") + sums + from;
        d.groupBy = QStringLiteral("GROUP BY COALESCE(p.hsnCode, ''), d.DVatP + d.DATaxP");
        d.orderBy = {QStringLiteral("HSN"), QStringLiteral("GstRate")};
    } else {
        d.select = QStringLiteral("SELECT p.Id AS ItemId, COALESCE(p.ProdName, '') AS Quality, COALESCE(p.ProdGrp, '') AS QualityType, "
                                  "COALESCE(p.hsnCode, '') AS HSN, ") +
                   sumOf(QStringLiteral("d.Qty2"), 3) + QStringLiteral(" AS Pcs, ") + sumOf(QStringLiteral("d.Qty"), 3) +
                   QStringLiteral(" AS Mtrs, ") + sums + from;
        d.groupBy = QStringLiteral("GROUP BY p.Id, p.ProdName, p.ProdGrp, p.hsnCode");
        d.orderBy = {QStringLiteral("QualityType"), QStringLiteral("Quality")};
    }
    d.where = QStringLiteral("m.FormId = 3 AND COALESCE(m.IsOp, 0) = 0");
    narrowedBy(d, QStringLiteral("m.FirmNO"), QStringLiteral("m.BillDate"),
               {QStringLiteral("m.PartyID = ?"), QStringLiteral("m.BookNO = ?"), QStringLiteral("d.PCode = ?")});
    return d;
}

// Delivery challans, one row each, with the bill that took them.
RegisterDefinition challans(const QString& name, const QString& command, const QString& kind, const QString& title,
                            const QString& layout, bool pendingOnly, const QStringList& order) {
    RegisterDefinition d;
    d.name = name;
    d.command = command;
    d.kind = kind;
    d.title = title;
    d.layout = layout;
    d.pdfName = QString(title).replace(QLatin1Char(' '), QLatin1Char('_'));
    d.select = QStringLiteral("SELECT c.Id AS ChallanId, ") + kSql.concat({QStringLiteral("b.BookShortName"), QStringLiteral("c.BillNO")}) +
               QStringLiteral(" AS ChallanNoFull, c.BillDate AS ChDate, COALESCE(a.AcName, '') AS PartyName, COALESCE(a.City, '') AS PartyCity, "
                              "COALESCE(b.SalesName, '') AS BookName, COALESCE(c.TrNO, '') AS Station, (SELECT ") +
               sumOf(QStringLiteral("x.Nos"), 3) + QStringLiteral(" FROM ChalanDtl x WHERE x.BillMstId = c.Id) AS Pcs, (SELECT ") +
               sumOf(QStringLiteral("x.Qty"), 3) +
               QStringLiteral(" FROM ChalanDtl x WHERE x.BillMstId = c.Id) AS Mtrs, c.BillAmount AS Amount, "
                              "COALESCE((SELECT MIN(") +
               kSql.concat({QStringLiteral("sb.BookShortName"), QStringLiteral("s.BillNO")}) +
               QStringLiteral(") FROM SalBillDtl sd INNER JOIN SalBillMst s ON s.Id = sd.BillMstId "
                              "LEFT JOIN BookMst sb ON sb.BookNO = s.BookNO AND sb.FirmNO = s.FirmNO WHERE sd.DChId = c.Id), "
                              "CASE WHEN COALESCE(c.IsSale, 0) = 0 THEN 'Pending' ELSE 'Billed' END) AS BilledIn "
                              "FROM ChalanMst c LEFT JOIN AccMst a ON a.Id = c.PartyID "
                              "LEFT JOIN BookMst b ON b.BookNO = c.BookNO AND b.FirmNO = c.FirmNO");
    if (pendingOnly) d.where = QStringLiteral("COALESCE(c.IsSale, 0) = 0");
    narrowedBy(d, QStringLiteral("c.FirmNO"), QStringLiteral("c.BillDate"),
               {QStringLiteral("c.PartyID = ?"), QStringLiteral("c.BookNO = ?"),
                QStringLiteral("EXISTS (SELECT 1 FROM ChalanDtl x WHERE x.BillMstId = c.Id AND x.PCode = ?)")});
    d.orderBy = order;
    d.opens = DocumentKind::DeliveryChallan;
    d.keyColumn = QStringLiteral("ChallanId");
    return d;
}

// The lines of the delivery challans: one row each, or summed per quality, party or both.
RegisterDefinition challanLines(const QString& name, const QString& command, const QString& title, const QString& layout) {
    RegisterDefinition d;
    d.name = name;
    d.command = command;
    d.kind = QStringLiteral("Challan Wise");
    d.title = title;
    d.layout = layout;
    d.pdfName = QString(title).replace(QLatin1Char(' '), QLatin1Char('_'));
    const QString from = QStringLiteral(" FROM ChalanMst c INNER JOIN ChalanDtl d ON d.BillMstId = c.Id LEFT JOIN ProdMst p ON p.Id = d.PCode "
                                        "LEFT JOIN AccMst a ON a.Id = c.PartyID LEFT JOIN BookMst b ON b.BookNO = c.BookNO AND b.FirmNO = c.FirmNO");
    const QString sums = QStringLiteral("COUNT(DISTINCT c.Id) AS Challans, ") + sumOf(QStringLiteral("d.Nos"), 3) + QStringLiteral(" AS Pcs, ") +
                         sumOf(QStringLiteral("d.Qty"), 3) + QStringLiteral(" AS Mtrs, ") + sumOf(QStringLiteral("d.Amt"), 2) +
                         QStringLiteral(" AS Amount");
    const QString party = QStringLiteral("a.Id AS PartyId, COALESCE(a.AcName, '') AS PartyName, COALESCE(a.City, '') AS PartyCity, ");
    const QString quality = QStringLiteral("p.Id AS ItemId, COALESCE(p.ProdName, '') AS Quality, COALESCE(p.ProdGrp, '') AS QualityType, ");
    if (name == QLatin1String("challan-lines")) {
        d.select = QStringLiteral("SELECT c.Id AS ChallanId, ") + kSql.concat({QStringLiteral("b.BookShortName"), QStringLiteral("c.BillNO")}) +
                   QStringLiteral(" AS ChallanNoFull, c.BillDate AS ChDate, ") + party + quality +
                   QStringLiteral("d.Srno, COALESCE(d.RC3, '') AS Description, d.Nos AS Pcs, d.APack AS Cut, d.Qty AS Mtrs, "
                                  "d.RateOn, d.Rate, d.Amt AS Amount") + from;
        d.orderBy = {QStringLiteral("ChDate"), QStringLiteral("ChallanId"), QStringLiteral("Srno")};
        d.opens = DocumentKind::DeliveryChallan;
        d.keyColumn = QStringLiteral("ChallanId");
    } else if (name == QLatin1String("challans-by-quality")) {
        d.kind = QStringLiteral("Quality Wise");
        d.select = QStringLiteral("SELECT ") + quality + sums + from;
        d.groupBy = QStringLiteral("GROUP BY p.Id, p.ProdName, p.ProdGrp");
        d.orderBy = {QStringLiteral("QualityType"), QStringLiteral("Quality")};
    } else if (name == QLatin1String("challans-party-summary")) {
        d.kind = QStringLiteral("Party Wise");
        d.select = QStringLiteral("SELECT ") + party + sums + from;
        d.groupBy = QStringLiteral("GROUP BY a.Id, a.AcName, a.City");
        d.orderBy = {QStringLiteral("PartyName")};
    } else {
        d.kind = QStringLiteral("Party + Quality Wise");
        d.select = QStringLiteral("SELECT ") + party + quality + sums + from;
        d.groupBy = QStringLiteral("GROUP BY a.Id, a.AcName, a.City, p.Id, p.ProdName, p.ProdGrp");
        d.orderBy = {QStringLiteral("PartyName"), QStringLiteral("Quality")};
    }
    narrowedBy(d, QStringLiteral("c.FirmNO"), QStringLiteral("c.BillDate"),
               {QStringLiteral("c.PartyID = ?"), QStringLiteral("c.BookNO = ?"), QStringLiteral("d.PCode = ?")});
    return d;
}

// Produced takas, one row each, with the delivery challan that took them.
RegisterDefinition production() {
    RegisterDefinition d;
    d.name = QStringLiteral("production");
    d.command = QStringLiteral("mnu_Prod3");
    d.kind = QStringLiteral("Quality Wise");
    d.title = QStringLiteral("Production Register");
    d.layout = QStringLiteral("Production_Register.rpt");
    d.pdfName = QStringLiteral("Production_Register");
    d.select = QStringLiteral("SELECT pm.Id AS ProdChallanId, pm.ChNo, pm.ChDate, COALESCE(a.AcName, '') AS PartyName, "
                              "pd.TakaNO, pd.TakNo2, COALESCE(p.ProdName, '') AS Quality, COALESCE(p.ProdSubGrp, '') AS DesignNo, "
                              "COALESCE(p.P1, '') AS Colour, COALESCE(pd.McNo, '') AS Loom, pd.Pcs, pd.Cut, pd.Mtrs, "
                              "CASE WHEN COALESCE(pd.IsOver, 0) = 0 THEN '' ELSE ") +
               kSql.concat({QStringLiteral("cb.BookShortName"), QStringLiteral("ch.BillNO")}) +
               QStringLiteral(" END AS SentOn "
                              "FROM ProductionMst pm INNER JOIN ProductionDtl pd ON pd.ProdId = pm.Id "
                              "LEFT JOIN ProdMst p ON p.Id = pd.qId LEFT JOIN AccMst a ON a.Id = pm.PartyID "
                              "LEFT JOIN ChalanMst ch ON ch.Id = pd.PChId "
                              "LEFT JOIN BookMst cb ON cb.BookNO = ch.BookNO AND cb.FirmNO = ch.FirmNO");
    d.where = QStringLiteral("pm.Id > 0");
    narrowedBy(d, QStringLiteral("pm.FirmNo"), QStringLiteral("pm.ChDate"),
               {QStringLiteral("pm.PartyID = ?"), QStringLiteral("pm.BookId = ?"), QStringLiteral("pd.qId = ?")});
    d.orderBy = {QStringLiteral("Quality"), QStringLiteral("TakNo2"), QStringLiteral("TakaNO")};
    d.opens = DocumentKind::ProductionChallan;
    d.keyColumn = QStringLiteral("ProdChallanId");
    return d;
}

std::vector<RegisterDefinition> makeRegisters() {
    std::vector<RegisterDefinition> list;
    RegisterDefinition byDate = salesBills(QStringLiteral("sales-by-date"), QStringLiteral("Date Wise"), QStringLiteral("SalesRegister_GST_1.rpt"),
                                           {QStringLiteral("BillDate"), QStringLiteral("BillId")});
    byDate.runningOf = QStringLiteral("NetAmount");
    byDate.runningInto = QStringLiteral("RunningAmount");
    list.push_back(byDate);
    list.push_back(salesBills(QStringLiteral("sales-by-party"), QStringLiteral("Party Wise"), QStringLiteral("SalesRegister_GST_2.rpt"),
                              {QStringLiteral("PartyName"), QStringLiteral("BillDate"), QStringLiteral("BillId")}));
    list.push_back(salesBills(QStringLiteral("sales-by-book"), QStringLiteral("Book Wise"), QStringLiteral("SalesRegister_GST_3.rpt"),
                              {QStringLiteral("BookNO"), QStringLiteral("BillDate"), QStringLiteral("BillId")}));
    list.push_back(salesLines(QStringLiteral("sales-by-quality"), QStringLiteral("Quality Wise"), QStringLiteral("SalesRegister_Qlty_GST.rpt")));
    list.push_back(salesLines(QStringLiteral("sales-hsn"), QStringLiteral("HSN Wise"), QStringLiteral("SalesRegister_HSN_GST.rpt")));
    list.push_back(challans(QStringLiteral("challans"), QStringLiteral("mnu_R81"), QStringLiteral("Date Wise"),
                            QStringLiteral("Challan Register (Date Wise)"), QStringLiteral("Challan_Reg_Summary.rpt"), false,
                            {QStringLiteral("ChDate"), QStringLiteral("ChallanId")}));
    list.push_back(challans(QStringLiteral("challans-by-party"), QStringLiteral("mnu_R81"), QStringLiteral("Party Wise"),
                            QStringLiteral("Challan Register (Party Wise)"), QStringLiteral("Challan_Reg_Summary_Party.rpt"), false,
                            {QStringLiteral("PartyName"), QStringLiteral("ChDate"), QStringLiteral("ChallanId")}));
    list.push_back(challanLines(QStringLiteral("challans-by-quality"), QStringLiteral("mnu_R82"), QStringLiteral("Challan Summary (Quality Wise)"),
                                QStringLiteral("Challan_Reg_Summary_Qlty.rpt")));
    list.push_back(challanLines(QStringLiteral("challan-lines"), QStringLiteral("mnu_R83"), QStringLiteral("Challan Detail Register"),
                                QStringLiteral("Challan_Reg_Detail.rpt")));
    list.push_back(challanLines(QStringLiteral("challans-party-summary"), QStringLiteral("mnu_R84"), QStringLiteral("Party Wise Challan Summary"),
                                QStringLiteral("Challan_Reg_Summary_1.rpt")));
    list.push_back(challanLines(QStringLiteral("challans-party-quality"), QStringLiteral("mnu_R85"),
                                QStringLiteral("Party + Quality Wise Challan Summary"), QStringLiteral("Challan_Reg_Summary_Party_Qlty.rpt")));
    list.push_back(challans(QStringLiteral("challans-pending"), QStringLiteral("mnu_R86"), QStringLiteral("Party Wise"),
                            QStringLiteral("Pending Challan Summary"), QStringLiteral("Challan_Reg_Summary_Pend.rpt"), true,
                            {QStringLiteral("PartyName"), QStringLiteral("ChDate"), QStringLiteral("ChallanId")}));
    list.push_back(production());
    for (RegisterDefinition& d : purchaseRegisters()) list.push_back(std::move(d));
    for (RegisterDefinition& d : outstandingRegisters()) list.push_back(std::move(d));
    for (RegisterDefinition& d : returnRegisters()) list.push_back(std::move(d));
    for (RegisterDefinition& d : millRegisters()) list.push_back(std::move(d));
    return list;
}

}  // namespace

const std::vector<RegisterDefinition>& sellingRegisters() {
    static const std::vector<RegisterDefinition> list = makeRegisters();
    return list;
}

const RegisterDefinition* findRegister(const QString& name) { return findByName(sellingRegisters(), name); }

std::vector<const RegisterDefinition*> registersOfCommand(const QString& menuCommand) { return ofCommand(sellingRegisters(), menuCommand); }

QStringList registerCommands() { return commandsOf(sellingRegisters()); }

}  // namespace tanabana::reports
