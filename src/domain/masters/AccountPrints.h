#pragma once
// The printed outputs of the account masters, each one query, one layout and its parameter
// values for the report engine: the envelope of a party ("Envelop.rpt": name and address in the
// window of the envelope, the firm as sender underneath), the opening balance lists and the list
// of account groups.
#include "core/Session.h"
#include "domain/reports/ReportService.h"

#include <QDate>

namespace tanabana::masters {

// The envelope of one account of the session's firm.
reports::ReportRequest envelopeReport(const Session& session, qint64 accountId);

// The three prints of the opening balance screen: every account's balance by name ("Regular
// Print"), under its group with the group's total ("HeadWise Print"), and by group number with
// debits and credits side by side and one "Rs :- " total ("B/S Print"). Accounts without a
// balance are left out.
enum class OpeningPrint { Regular, HeadWise, BalanceSheet };
reports::ReportRequest openingBalanceReport(const Session& session, OpeningPrint print, const QDate& asOn);

// The firm's account groups by number, each with how many accounts it holds.
reports::ReportRequest groupListReport(const Session& session, const QDate& asOn);

}  // namespace tanabana::masters
