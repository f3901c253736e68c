#pragma once
// What a voucher hands to report output: the layout of its kind ("CashReceipt", "CashPayment",
// "BankReceipt", "BankPayment", "JournalVoucher"; "_" + a print type picks a firm's variant when
// it is installed), one query of its lines by serial with the accounts, the book's account and the
// firm, and the total in words ("Rs. " + words + " Only.") as the first parameter.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"

namespace tanabana::vouchers {

// The layout of the voucher type (6, 5, 8, 7 or 9).
QString voucherLayoutName(int tableCode, const QString& printType = {});
// Throws reports::ReportError when the firm has no such voucher. A serial other than 0 prints that
// entry alone (a receipt sent to its party).
reports::ReportRequest voucherRequest(db::Database& db, const Session& session, int tableCode, qint64 voucherNo,
                                      const QString& printType = {}, int serial = 0);
void writeVoucherPdf(db::Database& db, const Session& session, const QString& installFolder, int tableCode, qint64 voucherNo,
                     const QString& path, const QString& printType = {}, int serial = 0);

// Bank payment cheques: the voucher's payments (serial, date, party, amount, phone, narration and
// "Rs. " + amount in words + " Only.") go into the work table PaymentMStChq, emptied first, and
// the layout "Cheque_" + the firm's cheque layout prints one cheque a row.
reports::ReportRequest chequeRequest(db::Database& db, const Session& session, qint64 voucherNo,
                                     const QString& layout = QStringLiteral("1"));
void writeChequesPdf(db::Database& db, const Session& session, const QString& installFolder, qint64 voucherNo, const QString& path,
                     const QString& layout = QStringLiteral("1"));
// The payment advice of a bank payment ("BankPayAdvice_" + layout): per entry the purchase bills
// it settled with their amounts.
reports::ReportRequest paymentAdviceRequest(db::Database& db, const Session& session, qint64 voucherNo,
                                            const QString& layout = QStringLiteral("1"));
void writePaymentAdvicePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 voucherNo, const QString& path,
                           const QString& layout = QStringLiteral("1"));

}  // namespace tanabana::vouchers
