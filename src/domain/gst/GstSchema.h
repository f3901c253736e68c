#pragma once
// The firm's GST return settings kept beside its other switches in FirmMst: whether its
// aggregate turnover is above 5 crore, which decides how many HSN digits its returns must give.
#include "db/Schema.h"

#include <vector>

namespace tanabana::gst {

std::vector<db::MigrationStep> gstSteps();

}  // namespace tanabana::gst
