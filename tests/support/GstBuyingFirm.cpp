#include "support/GstBuyingFirm.h"

#include "domain/masters/DefaultChart.h"
#include "domain/trade/PurchaseInvoices.h"
#include "support/FirmBooks.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

namespace tanabana::test {

trade::PurchaseLine GstBuyingFirm::line(qint64 item, const char* qty, const char* rate, const char* halfGst) {
    trade::PurchaseLine l;
    l.qualityId = item;
    l.input.metres = d(qty);
    l.input.listRate = d(rate);
    l.input.sgstPercent = l.input.cgstPercent = d(halfGst);
    return l;
}

trade::PurchaseBill GstBuyingFirm::goods(const QString& no, qint64 party, qint64 item, const char* qty, const char* rate, const char* halfGst) {
    trade::PurchaseBill b;
    b.bookId = 2;
    b.billNo = no;
    b.date = QDate(2024, 7, 10);
    b.partyId = party;
    b.lines = {line(item, qty, rate, halfGst)};
    return b;
}

trade::PurchaseBill GstBuyingFirm::expense(const QString& no, qint64 party, const char* amount, const char* halfGst) {
    trade::PurchaseBill b;
    b.kind = trade::PurchaseKind::Expense;
    b.bookId = 3;
    b.billNo = no;
    b.date = QDate(2024, 7, 12);
    b.partyId = party;
    b.expenseAccountId = accountId(db(), masters::chart::GeneralExpenses);
    b.lines = {line(0, "1", amount, halfGst)};
    return b;
}

qint64 GstBuyingFirm::buy(trade::PurchaseBill b) {
    trade::PurchaseInvoices purchases(db(), session(), messages());
    const auto id = purchases.save(b);
    EXPECT_TRUE(id) << b.billNo.toStdString() << " not saved";
    return id.value_or(0);
}

void GstBuyingFirm::build() {
    GstFirm::build();
    mumbai = addAccount(db(), QStringLiteral("Mumbai Yarn Traders"), 77, 1, QStringLiteral("27-Maharashtra"), QStringLiteral("27AABCM9876C1Z7"));
    db().exec(QStringLiteral("UPDATE AccMst SET IsOGS = 1 WHERE Id = ?"), {mumbai});
    roadways = addAccount(db(), QStringLiteral("Shree Ganesh Roadways"), 79);
    power = addAccount(db(), QStringLiteral("Torrent Power"), 79);
    kirana = addAccount(db(), QStringLiteral("Udhna Stationers"), 79, 1, QStringLiteral("24-Gujarat"), QStringLiteral("24AAFCW1111H1ZT"));
    db().exec(QStringLiteral("UPDATE AccMst SET EcNo = '1' WHERE Id = ?"), {kirana});  // a composition dealer

    lw118 = buy(goods(QStringLiteral("LW/118"), weaver, kRapier, "100", "100", "2.5"));
    my55 = buy(goods(QStringLiteral("MY/55"), mumbai, kRapier, "50", "100", "2.5"));
    trade::PurchaseBill freight = expense(QStringLiteral("GT/311"), roadways, "10000", "2.5");
    freight.reverseChargeId = 7;
    freight.reverseChargeBillNo = QStringLiteral("RCM/7");
    gt311 = buy(freight);
    lw119 = buy(goods(QStringLiteral("LW/119"), weaver, kKhadi, "20", "100", "0"));
    eb7781 = buy(expense(QStringLiteral("EB/7781"), power, "3000", "0"));
    us12 = buy(expense(QStringLiteral("US/12"), kirana, "1500", "0"));
    trade::PurchaseBill skipped = goods(QStringLiteral("LW/120"), weaver, kRapier, "10", "100", "2.5");
    skipped.skipGst = true;
    lw120 = buy(skipped);
}

}  // namespace tanabana::test
