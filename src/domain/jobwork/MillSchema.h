#pragma once
// The tables of fabric sent out for processing and taken back: the taka-wise mill issue and
// receipt challans (JobWork_IssueMst_1 / JobWork_IssueDtl_1, form ids 16 and 17) and the
// quality-wise job-process issue and receipt (JobWork_IssueMst / JobWork_IssueDtl, form ids 14
// and 15). An issue line stays pending (IsFinished = 0) with Mtrs - RMtrs metres at the mill
// until a receipt line (IssueChId, IssueChSno) brings its taka back.
#include "db/Schema.h"

#include <vector>

namespace tanabana::jobwork {

// Form ids stored in FormId of both header tables.
inline constexpr int kJobProcessIssueForm = 14;
inline constexpr int kJobProcessReceiptForm = 15;
inline constexpr int kMillIssueForm = 16;
inline constexpr int kMillReceiptForm = 17;

const db::TableDef& millHeaderTable();      // JobWork_IssueMst_1
const db::TableDef& millLineTable();        // JobWork_IssueDtl_1
const db::TableDef& jobProcessHeaderTable(); // JobWork_IssueMst
const db::TableDef& jobProcessLineTable();   // JobWork_IssueDtl
std::vector<const db::TableDef*> millTables();
std::vector<db::MigrationStep> millSteps();

}  // namespace tanabana::jobwork
