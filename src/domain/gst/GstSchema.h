#pragma once
// The firm's GST return settings kept beside its other switches in FirmMst: whether its
// aggregate turnover is above 5 crore, which decides how many HSN digits its returns must give.
// New year databases have the column from the firm table's definition; this step adds it to
// years made before. The portal's invoices imported for matching (GSTR2_A) are kept per return
// and period, each row with the purchase bill it matched.
#include "db/Schema.h"

#include <vector>

namespace tanabana::gst {

std::vector<db::MigrationStep> gstSteps();

}  // namespace tanabana::gst
