#pragma once
// The printed lists of the product masters, each one query and one layout for the report engine
// (preview, printer, PDF, Excel): the price list of the firm's active qualities and the list of
// one kind of process names.
#include "core/Session.h"
#include "domain/reports/ReportService.h"

#include <QDate>

namespace tanabana::products {

// "Item Price List as On : dd-MM-yyyy": active items of the firm, one group or all (empty), by
// code and name, with sales, purchase and retail rates and the GST percent.
reports::ReportRequest priceListReport(const Session& session, const QString& group, const QDate& asOn);

// "Job Process List as On : dd-MM-yyyy" (or the list's own name for colours, designs ...).
reports::ReportRequest processListReport(const Session& session, QChar listType, const QDate& asOn);

}  // namespace tanabana::products
