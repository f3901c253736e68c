#include "support/VoucherFirm.h"

#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

namespace tanabana::test {

qint64 VoucherFirm::saleOf(const QString& no, const QDate& date, qint64 party, qint64 item, const char* metres, const char* rate,
                           const char* tds) {
    trade::SalesInvoices sales(db_, session_, messages_);
    trade::SalesBill b;
    b.bookNo = 1;
    b.billNo = no;
    b.date = date;
    b.partyId = party;
    b.creditDays = 30;
    b.tdsPercent = d(tds);
    trade::SalesLine l;
    l.qualityId = item;
    const Decimal half = item == kRapier ? d("2.5") : Decimal();
    l.input.sgstPercent = half;
    l.input.cgstPercent = half;
    l.input.gstCalc = 1;
    l.input.rateOn = QStringLiteral("M");
    l.input.metres = d(metres);
    l.input.listRate = d(rate);
    b.lines.push_back(l);
    const auto id = sales.save(b);
    EXPECT_TRUE(id) << "bill " << no.toStdString() << " not saved";
    return id.value_or(0);
}

bool VoucherFirm::settle(vouchers::CashBankKind kind, const QDate& date, qint64 party, qint64 bill, const char* amount,
                         const char* less, const char* add, bool fully) {
    vouchers::CashBankVouchers service(db_, session_, messages_, kind);
    vouchers::CashBankVoucher v;
    v.kind = kind;
    v.date = date;
    v.bookNo = service.style().bookType == QLatin1String("C") ? 36 : 37;
    vouchers::VoucherEntry e;
    e.partyId = party;
    e.amount = d(amount);
    e.billWise = true;
    vouchers::Settlement s;
    s.billId = bill;
    s.payment = d(amount);
    s.less = d(less);
    s.add = d(add);
    s.fullyReceived = fully;
    e.settlements = {s};
    return service.saveEntry(v, e);
}

void VoucherFirm::build() {
    seedDefaultChart(db_);
    session_.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
    ramesh = addAccount(db_, QStringLiteral("Ramesh Silk Mills"), 35);
    kiran = addAccount(db_, QStringLiteral("Kiran Sarees"), 35);
    weaver = addAccount(db_, QStringLiteral("Laxmi Weaving Works"), 76);
    discount = addAccount(db_, QStringLiteral("Discount A/c"), 62);
    hdfc = addAccount(db_, QStringLiteral("HDFC Bank"), 36);
    cash = accountId(db_, masters::chart::Cash);
    bank = accountId(db_, masters::chart::Bank);
    db_.exec(QStringLiteral("UPDATE AccMst SET City = 'Surat' WHERE Id IN (?, ?, ?)"), {ramesh, kiran, weaver});
    db_.exec(QStringLiteral("INSERT INTO BookMst (BookNO, FirmNO, BookType, BookShortName, PurNAme, PurAccId) VALUES (38, 1, "
                            "'B', 'HDFC', 'HDFC Bank', ?)"),
             {hdfc});
    for (const auto& [id, name, gst] : {std::tuple{kPoplin, "Grey Poplin", 0.0}, std::tuple{kRapier, "Rapier 60", 2.5}})
        db_.exec(
            QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, ProdGrp, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, "
                           "hsnCode, UNit, "
                           "IsActive, IsNewPro, FirmNO) VALUES (?, ?, ?, 'Grey', 'F', 100, ?, ?, 1, 1, '5208', 'MTR', 1, 0, 1)"),
            {id, QString::number(id), QString::fromLatin1(name), gst, gst});

    bill1 = saleOf(QStringLiteral("1"), QDate(2024, 6, 5), ramesh, kPoplin, "100", "100", "1");
    bill2 = saleOf(QStringLiteral("2"), QDate(2024, 6, 10), ramesh, kRapier, "50", "100");
    bill3 = saleOf(QStringLiteral("3"), QDate(2024, 6, 12), kiran, kRapier, "20", "100");

    trade::SalesInvoices sales(db_, session_, messages_);
    trade::SalesBill op;
    op.bookNo = 1;
    op.billNo = QStringLiteral("O/88");
    op.date = QDate(2024, 2, 20);
    op.partyId = ramesh;
    op.pendingAmount = d("3000");
    opening = sales.saveOpening(op).value_or(0);
    EXPECT_GT(opening, 0);

    trade::PurchaseInvoices purchases(db_, session_, messages_);
    trade::PurchaseBill p;
    p.bookId = 2;
    p.billNo = QStringLiteral("LW/12");
    p.date = QDate(2024, 6, 3);
    p.partyId = weaver;
    p.creditDays = 45;
    trade::PurchaseLine pl;
    pl.qualityId = kRapier;
    pl.input.metres = d("100");
    pl.input.listRate = d("50");
    pl.input.sgstPercent = d("2.5");
    pl.input.cgstPercent = d("2.5");
    pl.input.gstCalc = 1;
    p.lines.push_back(pl);
    purchase = purchases.save(p).value_or(0);
    EXPECT_GT(purchase, 0);
}

}  // namespace tanabana::test
