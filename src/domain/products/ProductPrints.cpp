#include "domain/products/ProductPrints.h"

#include "domain/products/SmallMasters.h"

namespace tanabana::products {

namespace {

QString asOnText(const QDate& asOn) { return QStringLiteral(" as On : ") + asOn.toString(QStringLiteral("dd-MM-yyyy")); }

// The firm's name and address beside every row, for the heading of the list.
const QString FirmColumns = QStringLiteral("f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity");

}  // namespace

reports::ReportRequest priceListReport(const Session& session, const QString& group, const QDate& asOn) {
    reports::ReportRequest request;
    request.layoutName = QStringLiteral("ItemPriceList.rpt");
    request.sql = QStringLiteral("SELECT p.ProdCode, p.ProdName, p.ProdGrp, p.UNit, p.hsnCode, p.RAteR, p.PurRAte, p.Mrp, "
                                 "p.Vat + p.AddTax AS GstP, %1 "
                                 "FROM ProdMst p LEFT JOIN FirmMst f ON f.Srno = p.FirmNO "
                                 "WHERE p.FirmNO = ? AND p.IsActive = 1")
                      .arg(FirmColumns);
    request.sqlParams = {session.firmNo};
    if (!group.trimmed().isEmpty()) {
        request.sql += QStringLiteral(" AND lower(p.ProdGrp) = lower(?)");
        request.sqlParams << group.trimmed();
    }
    request.sql += QStringLiteral(" ORDER BY p.ProdCode, p.ProdName");
    QString title = QStringLiteral("Item Price List") + asOnText(asOn);
    if (!group.trimmed().isEmpty()) title += QStringLiteral("  (Group : ") + group.trimmed() + QLatin1Char(')');
    request.parameterValues = {title};
    return request;
}

reports::ReportRequest processListReport(const Session& session, QChar listType, const QDate& asOn) {
    reports::ReportRequest request;
    request.layoutName = QStringLiteral("JobProcess_List.rpt");
    request.sql = QStringLiteral("SELECT p.Pro_Name, CASE WHEN p.IsAct = 1 THEN 'Yes' ELSE 'No' END AS Active, %1 "
                                 "FROM Mst_Process p LEFT JOIN FirmMst f ON f.Srno = p.FirmNo "
                                 "WHERE p.FirmNo = ? AND p.Mst_Type = ? ORDER BY p.Pro_Name")
                      .arg(FirmColumns);
    request.sqlParams = {session.firmNo, QString(listType)};
    request.parameterValues = {processListName(listType) + QStringLiteral(" List") + asOnText(asOn)};
    return request;
}

}  // namespace tanabana::products
