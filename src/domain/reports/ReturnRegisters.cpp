#include "domain/reports/ReturnRegisters.h"

#include "db/Dialect.h"

namespace tanabana::reports {

namespace {

const db::Dialect kReturnSql;
const QString kCommand = QStringLiteral("mnu_R28");

// Credit ("C") or debit ("D") notes, one row each, with the bill they refer to.
RegisterDefinition notes(const QString& name, const QString& type, const QString& kind, const QString& billTable) {
    RegisterDefinition d;
    d.name = name;
    d.command = kCommand;
    d.kind = kind;
    d.title = kind + QStringLiteral(" Register");
    d.layout = QStringLiteral("CNDN_Register.rpt");
    d.pdfName = QString(d.title).replace(QLatin1Char(' '), QLatin1Char('_'));
    d.select = QStringLiteral("SELECT n.Id AS NoteId, n.CNNo AS NoteNo, n.CnDate AS NoteDate, COALESCE(a.AcName, '') AS PartyName, "
                              "COALESCE(a.TinNo, '') AS PartyGSTIN, COALESCE(b.BillNO, '') AS BillNo, b.BillDate, n.RateType, "
                              "n.RefType AS Reason, n.CNTotAmt AS Taxable, n.VatRs AS SGST, n.ATAXRs AS CGST, n.IGSTRs AS IGST, "
                              "n.NetAmt AS NetAmount "
                              "FROM CNMst n LEFT JOIN AccMst a ON a.Id = n.AcID LEFT JOIN CNDtl d ON d.CNId = n.Id "
                              "LEFT JOIN ") +
               billTable + QStringLiteral(" b ON b.Id = d.BillId");
    d.where = QStringLiteral("n.CNType = '") + type + QLatin1Char('\'');
    d.firmColumn = QStringLiteral("n.FirmNO");
    d.dateColumn = QStringLiteral("n.CnDate");
    d.partyFilter = QStringLiteral("n.AcID = ?");
    d.bookFilter = QStringLiteral("n.Thro = ?");
    d.itemFilter = QStringLiteral("n.Q_ID = ?");
    d.orderBy = {QStringLiteral("NoteDate"), QStringLiteral("NoteId")};
    d.keyColumn = QStringLiteral("NoteId");
    return d;
}

// Returns of goods, one row each, with their quantities and what they adjusted.
RegisterDefinition goodsReturns(const QString& name, const QString& kind, const QString& table, const QString& lines,
                                const QString& quantity, const QString& formId, const QString& bookColumn, const QString& source,
                                const QString& taxable) {
    RegisterDefinition d;
    d.name = name;
    d.command = kCommand;
    d.kind = kind;
    d.title = kind + QStringLiteral(" Register");
    d.layout = QStringLiteral("Return_Register.rpt");
    d.pdfName = QString(d.title).replace(QLatin1Char(' '), QLatin1Char('_'));
    d.select = QStringLiteral("SELECT m.Id AS ReturnId, ") + kReturnSql.concat({QStringLiteral("COALESCE(k.BookShortName, '')"), QStringLiteral("m.BillNO")}) +
               QStringLiteral(" AS ReturnNo, m.BillDate AS ReturnDate, COALESCE(a.AcName, '') AS PartyName, COALESCE(a.TinNo, '') AS PartyGSTIN, "
                              "COALESCE(m.") +
               source + QStringLiteral(", '') AS SourceBill, COALESCE(m.Ret_Reason, '') AS Reason, (SELECT ") +
               kReturnSql.sumRounded(QStringLiteral("x.") + quantity, 3) + QStringLiteral(" FROM ") + lines +
               QStringLiteral(" x WHERE x.BillMstId = m.Id) AS Qty, m.") + taxable +
               QStringLiteral(" AS Taxable, m.VatRs AS SGST, m.ATAXRs AS CGST, m.CSTRs AS IGST, m.BillAmount AS NetAmount, "
                              "m.PaidAmt AS Adjusted FROM ") +
               table + QStringLiteral(" m LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN BookMst k ON k.BookNO = m.") + bookColumn +
               QStringLiteral(" AND k.FirmNO = m.FirmNO");
    d.where = QStringLiteral("m.FormId = ") + formId;
    d.firmColumn = QStringLiteral("m.FirmNO");
    d.dateColumn = QStringLiteral("m.BillDate");
    d.partyFilter = QStringLiteral("m.PartyID = ?");
    d.bookFilter = QStringLiteral("m.") + bookColumn + QStringLiteral(" = ?");
    d.itemFilter = QStringLiteral("EXISTS (SELECT 1 FROM ") + lines + QStringLiteral(" x WHERE x.BillMstId = m.Id AND x.PCode = ?)");
    d.orderBy = {QStringLiteral("ReturnDate"), QStringLiteral("ReturnId")};
    d.keyColumn = QStringLiteral("ReturnId");
    return d;
}

}  // namespace

std::vector<RegisterDefinition> returnRegisters() {
    return {notes(QStringLiteral("credit-notes"), QStringLiteral("C"), QStringLiteral("Credit Note"), QStringLiteral("SalBillMst")),
            notes(QStringLiteral("debit-notes"), QStringLiteral("D"), QStringLiteral("Debit Note"), QStringLiteral("BillMst")),
            goodsReturns(QStringLiteral("sales-returns"), QStringLiteral("Sales Return"), QStringLiteral("SalBillMst"), QStringLiteral("SalBillDtl"),
                         QStringLiteral("Qty"), QStringLiteral("4"), QStringLiteral("BookNO"), QStringLiteral("AGAINST"), QStringLiteral("BAmt")),
            goodsReturns(QStringLiteral("purchase-returns"), QStringLiteral("Purchase Return"), QStringLiteral("BillMst"), QStringLiteral("BillDtl"),
                         QStringLiteral("PQty"), QStringLiteral("2"), QStringLiteral("BookId"), QStringLiteral("Pur_Bill_No"), QStringLiteral("TotAmt"))};
}

}  // namespace tanabana::reports
