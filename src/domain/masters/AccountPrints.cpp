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

}  // namespace tanabana::masters
