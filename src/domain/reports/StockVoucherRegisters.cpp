#include "domain/reports/StockVoucherRegisters.h"

namespace tanabana::reports {

namespace {

const QString kLoomPrefix = QStringLiteral("loom-");

// One row per voucher line, the quantity in the issue or the receipt columns by the voucher's kind.
RegisterDefinition voucherLines(const QString& name, const QString& kind, const QString& layout, const QStringList& order) {
    RegisterDefinition d;
    d.name = name;
    d.command = QStringLiteral("mnu_Inv3");
    d.kind = kind;
    d.title = QStringLiteral("Stock Voucher Register (") + kind + QLatin1Char(')');
    d.layout = layout;
    d.pdfName = QStringLiteral("Stock_Voucher_Register");
    const auto side = [](const char* kindLetter, const char* column) {
        return QStringLiteral("CASE WHEN m.IType = '%1' THEN COALESCE(d.%2, 0) ELSE 0 END").arg(QLatin1String(kindLetter), QLatin1String(column));
    };
    d.select = QStringLiteral(
                   "SELECT m.ID AS VoucherId, CAST(m.BillNo AS BIGINT) AS VouNo, m.BillDate AS VouDate, "
                   "CASE WHEN m.IType = 'R' THEN 'Receive' ELSE 'Issue' END AS VouType, COALESCE(a.AcName, '') AS PartyName, "
                   "COALESCE(m.LotNo, '') AS LotNO, COALESCE(m.Process_Name, '') AS ProcessName, COALESCE(m.Remarks, '') AS Remarks, "
                   "d.Srno, COALESCE(p.ProdName, '') AS Quality, COALESCE(p.ProdGrp, '') AS QltyType, "
                   "COALESCE(p.ProdSubGrp, '') AS DesignNo, COALESCE(p.P1, '') AS Colour, ") +
               side("I", "Qty2") + QStringLiteral(" AS IssPcs, ") + side("I", "Qty") + QStringLiteral(" AS IssMtrs, ") + side("R", "Qty2") +
               QStringLiteral(" AS RecPcs, ") + side("R", "Qty") +
               QStringLiteral(" AS RecMtrs FROM Iss_StockMst m INNER JOIN Iss_StockDtl d ON d.BillMStId = m.ID "
                              "LEFT JOIN AccMst a ON a.Id = m.PartyId LEFT JOIN ProdMst p ON p.Id = d.PCode");
    d.where = QStringLiteral("m.ID > 0");
    d.firmColumn = QStringLiteral("m.FirmNo");
    d.dateColumn = QStringLiteral("m.BillDate");
    d.partyFilter = QStringLiteral("m.PartyId = ?");
    d.itemFilter = QStringLiteral("d.PCode = ?");
    d.orderBy = order;
    d.orderBy << QStringLiteral("VouDate") << QStringLiteral("VouType") << QStringLiteral("VouNo") << QStringLiteral("Srno");
    d.keyColumn = QStringLiteral("VoucherId");
    return d;
}

}  // namespace

std::vector<RegisterDefinition> stockVoucherRegisters() {
    return {voucherLines(QStringLiteral("stock-vouchers-by-party"), QStringLiteral("Party Wise"), QStringLiteral("Stock_Voucher_Reg_Party.rpt"),
                         {QStringLiteral("PartyName")}),
            voucherLines(QStringLiteral("stock-vouchers-by-quality"), QStringLiteral("Quality Wise"),
                         QStringLiteral("Stock_Voucher_Reg_Quality.rpt"), {QStringLiteral("Quality")}),
            voucherLines(QStringLiteral("stock-vouchers-by-lot"), QStringLiteral("Lot Wise"), QStringLiteral("Stock_Voucher_Reg_Lot.rpt"),
                         {QStringLiteral("LotNO")}),
            voucherLines(kLoomPrefix + QStringLiteral("stock-vouchers-by-party"), QStringLiteral("Party Wise"),
                         QStringLiteral("Stock_Voucher_Reg_Party_Rapier.rpt"), {QStringLiteral("PartyName")}),
            voucherLines(kLoomPrefix + QStringLiteral("stock-vouchers-by-design"), QStringLiteral("Design Wise"),
                         QStringLiteral("Stock_Voucher_Reg_Design_Rapier.rpt"), {QStringLiteral("DesignNo"), QStringLiteral("Colour")})};
}

bool isLoomStockVoucherRegister(const RegisterDefinition& definition) { return definition.name.startsWith(kLoomPrefix); }

}  // namespace tanabana::reports
