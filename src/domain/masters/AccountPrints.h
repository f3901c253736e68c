#pragma once
// The printed outputs of the account masters, each one query, one layout and its parameter
// values for the report engine: the envelope of a party ("Envelop.rpt": name and address in the
// window of the envelope, the firm as sender underneath).
#include "core/Session.h"
#include "domain/reports/ReportService.h"

namespace tanabana::masters {

// The envelope of one account of the session's firm.
reports::ReportRequest envelopeReport(const Session& session, qint64 accountId);

}  // namespace tanabana::masters
