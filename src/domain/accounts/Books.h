#pragma once
// The books of account of report menu "2.": the cash book and the bank book (one book's account
// at a time, an "Opening Balance" row at the start of every month that has postings, receipts and
// payments with the running balance and the day's closing balance on its last row), the journal
// book (the journal vouchers' lines, credit before debit) and the day book (every posting of the
// period; the printed form leaves out the bank, sales and sales-return lines). Each groups its
// lines by month and date with "M Tot", "D Tot" and "Total" lines.
//
// Cash opened with 25,000.00 Dr; 5,000.00 received on 20-04-2024: April's opening row shows
// 25,000.00 DB, the receipt's row 30,000.00 DB, and the day's closing balance 30,000.00 DB.
#include "domain/reports/Register.h"

#include <vector>

namespace tanabana::accounts {

// The books' declarations (listed with the statements by accountRegisters()).
std::vector<reports::RegisterDefinition> bookRegisters();

// The short kind of a document type on the books' rows: "CR" cash receipt, "JV" journal ...
QString voucherKind(int tableCode);

}  // namespace tanabana::accounts
