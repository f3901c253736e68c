#include "domain/trade/PurchaseRules.h"

#include "domain/ledger/PostingLines.h"
#include "domain/trade/DocumentRules.h"

#include <QSet>

namespace tanabana::trade {

namespace {

// A percent as typed: "1", "0.1", "2.5".
QString percentText(Decimal value) {
    QString text = value.toString(4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) text.chop(1);
    return text;
}

}  // namespace

ComputedPurchase computePurchase(const PurchaseBill& bill, const Supplier& supplier, bool roundOff) {
    ComputedPurchase c;
    c.igst = supplier.otherState;
    c.reverseCharge = bill.reverseChargeId > 0;
    for (const PurchaseLine& line : bill.lines) {
        if (line.qualityId <= 0 && bill.kind != PurchaseKind::Expense) continue;
        InvoiceLineInput input = line.input;
        input.gstToRupees = supplier.gstToRupees;
        if (supplier.ratesIncludeGst) input.gstCalc = 2;
        c.lines.push_back(computeLine(input, c.igst));
    }
    InvoiceTotalsInput in;
    in.igstBill = c.igst;
    in.reverseCharge = c.reverseCharge;
    in.tdsPercent = bill.tdsPercent;
    in.tcsPercent = bill.tcsPercent;
    in.otherCharges = bill.otherCharges;
    in.salesRoundOff = roundOff;
    c.totals = computeTotals(c.lines, in);
    return c;
}

std::optional<Decimal> takaMetresMismatch(const PurchaseBill& bill) {
    if (bill.takas.empty() || bill.lines.empty()) return std::nullopt;
    Decimal metres;
    for (const PurchaseTaka& taka : bill.takas) metres += taka.metres;
    metres = metres.roundHalfEven(3);
    if (metres == bill.lines.front().input.metres.roundHalfEven(3)) return std::nullopt;
    return metres;
}

std::optional<QString> repeatedTaka(const PurchaseBill& bill) {
    QSet<QString> seen;
    for (const PurchaseTaka& taka : bill.takas) {
        const QString number = taka.takaNo.trimmed().toUpper();
        if (number.isEmpty()) continue;
        if (seen.contains(number)) return taka.takaNo.trimmed();
        seen.insert(number);
    }
    return std::nullopt;
}

QString purchaseNarration(const PurchaseBill& bill, const QString& partyName) {
    QString text = QStringLiteral("Pur Inv - ") + bill.billNo.trimmed() + QStringLiteral(" - ") + partyName;
    if (bill.kind != PurchaseKind::Goods) text += QStringLiteral(" (Gen Exp.)");
    return text;
}

ledger::JournalDocument purchaseJournal(const PurchaseBill& bill, const ComputedPurchase& c, const PurchaseBook& book,
                                        const Supplier& supplier) {
    const InvoiceTotals& t = c.totals;
    ledger::JournalDocument doc;
    doc.tableCode = ledger::DocumentType::Purchase;
    doc.voucherNo = bill.id;
    doc.date = bill.date;
    doc.printedNo = bill.billNo.trimmed();
    const QString narration = purchaseNarration(bill, supplier.name);
    const QString reference = QStringLiteral("Pur Inv - ") + bill.billNo.trimmed();
    const QString taxable = QStringLiteral("Taxable Amt : ") + t.taxable.toString(2);
    const qint64 debitAccount = bill.kind == PurchaseKind::Goods ? book.purchaseAccount : bill.expenseAccountId;
    ledger::PostingLines lines(doc);

    lines.add(supplier.id, QLatin1Char('C'), t.net, narration, bill.notes);
    lines.add(debitAccount, QLatin1Char('D'), book.autoAccounts || c.reverseCharge ? t.taxable : t.net - t.tcs, narration, bill.notes);
    if (c.reverseCharge) {
        lines.add(book.autoAccounts ? book.otherAccount : debitAccount, QLatin1Char('D'), t.otherCharges, reference);
    } else if (book.autoAccounts) {
        lines.add(book.igstAccount, QLatin1Char('D'), t.igst, reference, taxable);
        lines.add(book.sgstAccount, QLatin1Char('D'), t.sgst, reference, taxable);
        lines.add(book.cgstAccount, QLatin1Char('D'), t.cgst, reference, taxable);
        lines.add(book.otherAccount, QLatin1Char('D'), t.otherCharges, reference);
    }
    lines.add(book.tcsAccount, QLatin1Char('D'), t.tcs, reference,
              QStringLiteral("  (Taxable Amt :") + t.tcsBase.toString(2) + QStringLiteral(" * ") + percentText(bill.tcsPercent) +
                  QStringLiteral(" % )"));
    if (t.tds > Decimal()) {
        const QString tds = QStringLiteral("Purchase Inv No  - ") + bill.billNo.trimmed() + QStringLiteral("  (") + t.taxable.toString(2) +
                            QStringLiteral(" * ") + percentText(bill.tdsPercent) + QStringLiteral(" % )");
        lines.add(supplier.id, QLatin1Char('D'), t.tds, tds);
        lines.add(book.tdsAccount, QLatin1Char('C'), t.tds, tds);
    }
    return doc;
}

ledger::JournalDocument reverseChargeVoucher(const PurchaseBill& bill, const ComputedPurchase& c, const PurchaseBook& book, qint64 voucherNo,
                                             const std::function<QString(qint64)>& accountName) {
    const InvoiceTotals& t = c.totals;
    ledger::JournalDocument doc;
    doc.tableCode = ledger::DocumentType::JournalVoucher;
    doc.voucherNo = voucherNo;
    doc.date = bill.date;
    doc.printedNo = bill.reverseChargeBillNo.trimmed();
    const QString narration = QStringLiteral("Taxable Amt : ") + t.taxable.toString(2) + QStringLiteral("@RCM Bill No : ") + bill.reverseChargeBillNo.trimmed();
    const QString voucher = QStringLiteral("(JEV-") + QString::number(voucherNo) + QLatin1Char(')');
    const std::pair<Decimal, std::pair<qint64, qint64>> taxes[] = {{t.igst, {book.igstPayable, book.igstInput}},
                                                                   {t.sgst, {book.sgstPayable, book.sgstInput}},
                                                                   {t.cgst, {book.cgstPayable, book.cgstInput}}};
    int serial = 0;
    for (const auto& [amount, accounts] : taxes) {
        if (amount.isZero()) continue;
        ++serial;
        const auto [payable, input] = accounts;
        ledger::JournalLine credit;
        credit.accId = payable;
        credit.side = QLatin1Char('C');
        credit.amount = amount;
        credit.description = accountName(input) + QStringLiteral(" #") + voucher + QLatin1Char(' ');
        credit.narration = narration;
        credit.serial = serial;
        credit.contraAccId = input;
        ledger::JournalLine debit = credit;
        debit.accId = input;
        debit.side = QLatin1Char('D');
        debit.description = accountName(payable) + QStringLiteral(" #") + voucher;
        debit.contraAccId = payable;
        doc.lines.push_back(credit);
        doc.lines.push_back(debit);
    }
    return doc;
}

}  // namespace tanabana::trade
