#include "domain/masters/AccountPrints.h"

namespace tanabana::masters {

reports::ReportRequest envelopeReport(const Session& session, qint64 accountId) {
    reports::ReportRequest request;
    request.layoutName = QStringLiteral("Envelop.rpt");
    request.sql = QStringLiteral("SELECT a.AcName, a.Add1, a.Add2, a.Add3, a.City, a.PinCode AS PincOde, a.Phone, f.PName AS FirmNAme, "
                                 "f.Add1 AS FirmAdd1, f.City AS FirmCity FROM AccMst a LEFT JOIN FirmMst f ON f.Srno = a.FirmNo "
                                 "WHERE a.Id = ? AND a.FirmNo = ? AND a.IsGrp = 0");
    request.sqlParams = {accountId, session.firmNo};
    return request;
}

reports::ReportRequest openingBalanceReport(const Session& session, OpeningPrint print, const QDate& asOn) {
    reports::ReportRequest request;
    QString order;
    switch (print) {
    case OpeningPrint::Regular:
        request.layoutName = QStringLiteral("Acc_op.rpt");
        order = QStringLiteral("o.AcName");
        request.parameterValues = {QStringLiteral("Opening Balance List as On : ") + asOn.toString(QStringLiteral("dd-MM-yyyy"))};
        break;
    case OpeningPrint::HeadWise:
        request.layoutName = QStringLiteral("Acc_op_Head.rpt");
        order = QStringLiteral("o.GrpName, o.AcName");
        request.parameterValues = {QStringLiteral("Opening Balance (Head Wise) as On : ") + asOn.toString(QStringLiteral("dd-MM-yyyy"))};
        break;
    case OpeningPrint::BalanceSheet:
        request.layoutName = QStringLiteral("Acc_op_BS.rpt");
        order = QStringLiteral("o.GrpNO, o.AcName");
        request.parameterValues = {QStringLiteral("OPENING  AMOUNT BALANCE SHEET ")};
        break;
    }
    request.sql = QStringLiteral("SELECT o.LedgerId, o.AcName, o.City, o.GrpNO, o.GrpName, o.OpDate, "
                                 "CASE WHEN o.OpType = 'D' THEN o.OpAmount ELSE 0 END AS DrAmount, "
                                 "CASE WHEN o.OpType = 'C' THEN o.OpAmount ELSE 0 END AS CrAmount, "
                                 "f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity "
                                 "FROM AccMStView_op o LEFT JOIN FirmMst f ON f.Srno = o.FirmNo "
                                 "WHERE o.FirmNo = ? AND o.OpAmount <> 0 ORDER BY ") +
                  order;
    request.sqlParams = {session.firmNo};
    return request;
}

reports::ReportRequest groupListReport(const Session& session, const QDate& asOn) {
    reports::ReportRequest request;
    request.layoutName = QStringLiteral("Acc_GroupList.rpt");
    request.sql = QStringLiteral("SELECT g.GrpNo, g.AcName, CASE WHEN g.Active = 1 THEN 'Yes' ELSE 'No' END AS ActiveText, "
                                 "(SELECT COUNT(*) FROM AccMst a WHERE a.FirmNo = g.FirmNo AND a.GrpNo = g.GrpNo AND a.IsGrp = 0) AS Accounts, "
                                 "f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity "
                                 "FROM AccMst g LEFT JOIN FirmMst f ON f.Srno = g.FirmNo "
                                 "WHERE g.FirmNo = ? AND g.IsGrp = 1 ORDER BY g.GrpNo");
    request.sqlParams = {session.firmNo};
    request.parameterValues = {QStringLiteral("Group List as On : ") + asOn.toString(QStringLiteral("dd-MM-yyyy"))};
    return request;
}

}  // namespace tanabana::masters
