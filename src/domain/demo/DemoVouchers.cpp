#include "domain/demo/DemoVouchers.h"

#include "core/Messages.h"
#include "domain/vouchers/CashBankVouchers.h"

#include <algorithm>
#include <map>
#include <set>

namespace tanabana::demo {

namespace {

// One entry to save: who, how much, which bill (0 on account), on which day and how.
struct Planned {
    QDate date;
    vouchers::CashBankKind kind;
    qint64 partyId = 0, billId = 0;
    Decimal amount;
    bool fully = false;
    QString receiptNo, narration;
};

Decimal rupees(Decimal amount) { return amount.roundHalfEven(0); }

// The parties of the firm's sales (3) or purchase (1) bills.
std::vector<qint64> partiesBilled(db::Database& db, qint64 firmNo, const QString& bills, int formId) {
    std::vector<qint64> parties;
    for (const db::Row& r :
         db.query(QStringLiteral("SELECT DISTINCT PartyID FROM %1 WHERE FirmNO = ? AND FormId = ? ORDER BY PartyID").arg(bills),
                  {firmNo, formId}))
        parties.push_back(r.integer(QStringLiteral("PartyID")));
    return parties;
}

// Saves the planned entries in date order, one voucher a kind and day.
DemoMoney save(db::Database& db, Session& session, std::vector<Planned> plan) {
    std::stable_sort(plan.begin(), plan.end(), [](const Planned& a, const Planned& b) { return a.date < b.date; });
    RecordingMessages quiet;
    std::map<vouchers::CashBankKind, std::unique_ptr<vouchers::CashBankVouchers>> services;
    std::map<std::pair<vouchers::CashBankKind, QDate>, vouchers::CashBankVoucher> vouchersOfDay;
    DemoMoney done;
    // What the cash box and the bank hold so far: a payment waits for money to pay it with.
    Decimal cash, bank;
    for (const Planned& p : plan) {
        const bool inCash = p.kind == vouchers::CashBankKind::CashReceipt || p.kind == vouchers::CashBankKind::CashPayment;
        const bool paying = p.kind == vouchers::CashBankKind::CashPayment || p.kind == vouchers::CashBankKind::BankPayment;
        Decimal& held = inCash ? cash : bank;
        if (paying && held < p.amount) continue;
        auto& service = services[p.kind];
        if (!service) service = std::make_unique<vouchers::CashBankVouchers>(db, session, quiet, p.kind);
        vouchers::CashBankVoucher& v = vouchersOfDay[{p.kind, p.date}];
        if (v.voucherNo == 0) {
            v.kind = p.kind;
            v.date = p.date;
            v.bookNo = service->proposedBook();
        }
        vouchers::VoucherEntry e;
        e.partyId = p.partyId;
        e.amount = p.amount;
        e.receiptNo = p.receiptNo;
        e.narration = p.narration;
        if (p.billId > 0) {
            e.billWise = true;
            vouchers::Settlement s;
            s.billId = p.billId;
            s.payment = p.amount;
            s.fullyReceived = p.fully;
            e.settlements = {s};
        }
        if (!service->saveEntry(v, e)) continue;
        held += paying ? -p.amount : p.amount;
        (paying ? done.payments : done.receipts) += 1;
    }
    return done;
}

}  // namespace

DemoMoney fillDemoVouchers(db::Database& db, Session& session, const QDate& last) {
    std::vector<Planned> plan;
    RecordingMessages quiet;
    // Sales bills: of every three, one paid in full a month later, one half paid, one still open.
    vouchers::CashBankVouchers receipts(db, session, quiet, vouchers::CashBankKind::CashReceipt);
    const std::vector<qint64> customers = partiesBilled(db, session.firmNo, QStringLiteral("SalBillMst"), 3);
    int counted = 0, cheque = 100231;
    for (size_t c = 0; c < customers.size(); ++c) {
        const qint64 party = customers[c];
        const std::vector<vouchers::OpenBill> open = receipts.openBills(party);
        // The party's latest bill is never paid yet.
        for (size_t b = 0; b + 1 < open.size(); ++b) {
            const vouchers::OpenBill& bill = open[b];
            const QDate paidOn = bill.date.addDays(25 + counted % 20);
            const int turn = counted++ % 3;
            if (paidOn > last || turn == 2) continue;
            Planned p;
            p.date = paidOn;
            p.partyId = party;
            p.billId = bill.id;
            p.fully = turn == 0;
            p.amount = p.fully ? bill.unpaid : rupees(bill.unpaid / Decimal(2));
            // Small sums come in cash, the rest by cheque.
            const bool cash = p.amount < Decimal(20000);
            p.kind = cash ? vouchers::CashBankKind::CashReceipt : vouchers::CashBankKind::BankReceipt;
            p.receiptNo = cash ? QStringLiteral("R-%1").arg(counted) : QString::number(cheque++);
            plan.push_back(p);
        }
        // Every fourth customer also pays an advance on account.
        if (c % 4 == 1) {
            Planned p;
            p.date = std::min(last, session.yearStartDate.addDays(60 + int(c)));
            p.kind = vouchers::CashBankKind::CashReceipt;
            p.partyId = party;
            p.amount = Decimal(5000);
            p.narration = QStringLiteral("Advance");
            plan.push_back(p);
        }
    }
    // Purchase bills: every other one paid from the bank in full after its credit days; each
    // supplier also gets a small cash advance every half year.
    vouchers::CashBankVouchers payments(db, session, quiet, vouchers::CashBankKind::BankPayment);
    const std::vector<qint64> suppliers = partiesBilled(db, session.firmNo, QStringLiteral("BillMst"), 1);
    counted = 0;
    int ownCheque = 4501;
    for (const qint64 supplier : suppliers) {
        for (const vouchers::OpenBill& bill : payments.openBills(supplier)) {
            const QDate paidOn = bill.date.addDays(45);
            if (paidOn > last || counted++ % 2 == 1 || bill.unpaid <= Decimal()) continue;
            Planned p;
            p.date = paidOn;
            p.kind = vouchers::CashBankKind::BankPayment;
            p.partyId = supplier;
            p.billId = bill.id;
            p.fully = true;
            p.amount = bill.unpaid;
            p.receiptNo = QString::number(ownCheque++).rightJustified(6, QLatin1Char('0'));
            plan.push_back(p);
        }
        for (int half = 0; half < 2; ++half) {
            const QDate on = session.yearStartDate.addMonths(6 * half + 2).addDays(10);
            if (on > last) break;
            Planned p;
            p.date = on;
            p.kind = vouchers::CashBankKind::CashPayment;
            p.partyId = supplier;
            p.amount = Decimal(1500);
            p.narration = QStringLiteral("Advance for yarn");
            plan.push_back(p);
        }
    }
    return save(db, session, std::move(plan));
}

}  // namespace tanabana::demo
