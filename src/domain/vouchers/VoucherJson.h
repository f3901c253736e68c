#pragma once
// Vouchers read from JSON for the command line. Accounts are named by ledger code, name or Id;
// settled bills by their number among the party's open bills (a sales bill with or without its
// book's prefix: "1" or "GST/1"); amounts of settlements as typed, never computed here.
//
// Cash, bank:  {"kind": "cash-receipt"|"cash-payment"|"bank-receipt"|"bank-payment", "number": 4,
//               "date": "2024-07-01", "book": 36, "entries": [{"party": "35R001", "amount": 4000,
//               "receipt": "R-1", "narration": "...", "narration2": "...",
//               "bills": [{"bill": "GST/1", "payment": 4000, "less": 0, "add": 0, "full": false}]}]}
//               An entry with "bills" is bill-wise; "number" adds the entries to that voucher.
// Journal:     {"kind": "journal", "number", "date", "entries": [{"credit": "62D001", "debit": "35R001",
//               "amount": 250, "ref": "RD/1", "creditNarration": "...", "debitNarration": "..."}]}
//               saved as a whole voucher.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "domain/vouchers/JournalVouchers.h"

#include <QJsonObject>
#include <optional>

namespace tanabana::vouchers {

struct ImportedVoucher {
    std::optional<CashBankKind> kind;  // none: a journal voucher
    CashBankVoucher cashBank;
    JournalVoucher journal;
};

// Throws trade::JsonRefused naming the key (and entry) that is wrong.
ImportedVoucher voucherFromJson(db::Database& db, const Session& session, const QJsonObject& object);
// "cash-receipt" ... "journal" and the document types 6, 5, 8, 7, 9.
std::optional<int> voucherTypeOf(const QString& name);
QString voucherTypeName(int tableCode);

}  // namespace tanabana::vouchers
