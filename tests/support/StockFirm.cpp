#include "support/StockFirm.h"

#include "core/Decimal.h"
#include "domain/jobwork/ProductionChallans.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillReceipts.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

namespace tanabana::test {

namespace {

trade::PurchaseLine purchaseLine(qint64 item, const char* metres, const char* rate) {
    trade::PurchaseLine l;
    l.qualityId = item;
    l.input.metres = d(metres);
    l.input.listRate = d(rate);
    l.input.sgstPercent = d("2.5");
    l.input.cgstPercent = d("2.5");
    l.input.gstCalc = 1;
    return l;
}

}  // namespace

void StockFirm::addItem(qint64 id, const QString& name, const QString& group, const char* opening, const char* openingPieces, double purRate,
                        double saleRate, int calcOn, const QString& stockType, bool keptOut, qint64 firm) {
    db_.exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, ProdGrp, ProdSubGrp, P1, StkType, PurRAte, RAteR, OPSt, "
                            "OPStock1, Vat, AddTax, VatCalc, CalcOn, hsnCode, UNit, IsActive, IsNewPro, Is_NoStk, FirmNO) "
                            "VALUES (?, ?, ?, ?, ?, 'Plain', ?, ?, ?, ?, ?, 2.5, 2.5, 1, ?, '5407', 'MTR', 1, 0, ?, ?)"),
             {id, QString::number(id), name, group, QStringLiteral("D-%1").arg(id), stockType, purRate, saleRate, d(opening).toDouble(),
              d(openingPieces).toDouble(), calcOn, keptOut, firm});
}

void StockFirm::sale(const QString& no, const QDate& date, qint64 item, const char* quantity, const char* rate, bool pieces,
                     qint64 challanId) {
    trade::SalesInvoices sales(db_, session_, messages_);
    trade::SalesBill b;
    b.bookNo = 1;
    b.billNo = no;
    b.date = date;
    b.partyId = buyer;
    trade::SalesLine l;
    l.qualityId = item;
    l.input.sgstPercent = d("2.5");
    l.input.cgstPercent = d("2.5");
    l.input.gstCalc = 1;
    l.input.rateOn = pieces ? QStringLiteral("P") : QStringLiteral("M");
    (pieces ? l.input.pieces : l.input.metres) = d(quantity);
    l.input.listRate = d(rate);
    l.challanId = challanId;
    l.challanSrno = challanId > 0 ? 1 : 0;
    b.lines.push_back(l);
    EXPECT_TRUE(sales.save(b)) << no.toStdString();
}

// A return as the returns screens keep it: a bill of the return's form in the same tables.
void StockFirm::returnBill(const QString& table, const QString& lines, const QString& quantityColumn, qint64 id, int formId,
                           const QDate& date, qint64 item, double quantity) {
    db_.exec(QStringLiteral("INSERT INTO %1 (Id, FirmNO, FormId, BillNO, BillDate, PartyID, IsOp) VALUES (?, 1, ?, ?, ?, ?, 0)").arg(table),
             {id, formId, QStringLiteral("R-%1").arg(id), date, formId == 2 ? weaver : buyer});
    db_.exec(QStringLiteral("INSERT INTO %1 (BillMstId, Srno, PCode, %2, Qty2) VALUES (?, 1, ?, ?, 0)").arg(lines, quantityColumn),
             {id, item, quantity});
}

void StockFirm::stockVoucher(qint64 id, const QString& kind, const QDate& date, qint64 item, double metres, double pieces) {
    db_.exec(QStringLiteral("INSERT INTO Iss_StockMst (ID, PartyId, BillNo, BillDate, FirmNo, BookId, IType) VALUES (?, ?, ?, ?, 1, 1, ?)"),
             {id, buyer, id, date, kind});
    db_.exec(QStringLiteral("INSERT INTO Iss_StockDtl (BillMStId, Srno, PCode, Qty, Qty1, Qty2) VALUES (?, 1, ?, ?, 0, ?)"),
             {id, item, metres, pieces});
}

// A mill issue carried in from last year's books (negative key), its taka still at the mill.
void StockFirm::carriedInIssue(qint64 id, const QDate& date, qint64 quality, const QString& taka, double metres) {
    db_.exec(QStringLiteral("INSERT INTO JobWork_IssueMst_1 (Id, FirmNO, BookId, FormId, IType, IsOp, ChNo, BillNO, BillDate, PartyID, QId, "
                            "LotNO) VALUES (?, 1, 2, 16, 'I', 1, ?, ?, ?, ?, ?, 'L-3')"),
             {id, id, QStringLiteral("M%1").arg(-id), date, mill, quality});
    db_.exec(QStringLiteral("INSERT INTO JobWork_IssueDtl_1 (BillMstId, Srno, TakaNO, Mtrs) VALUES (?, 1, ?, ?)"), {id, taka, metres});
}

void StockFirm::build() {
    seedDefaultChart(db_);
    weaver = addAccount(db_, QStringLiteral("Mahesh Looms"), 77);
    buyer = addAccount(db_, QStringLiteral("Ramesh Silk Mills"), 35);
    mill = addAccount(db_, QStringLiteral("Laxmi Dyeing Mill"), 77);
    addItem(kGrey, QStringLiteral("Rapier 60 Grey"), QStringLiteral("Grey"), "100", "4", 52, 60, 1);
    addItem(kRed, QStringLiteral("Rapier 60 Red"), QStringLiteral("Rapier"), "0", "0", 0, 105, 1, QStringLiteral("F"));
    addItem(kSaree, QStringLiteral("Saree Zari"), QStringLiteral("Saree"), "20", "20", 800, 1120, 2, QStringLiteral("F"));
    addItem(kCartons, QStringLiteral("Packing Cartons"), QStringLiteral("Other"), "10", "10", 15, 0, 1, QStringLiteral("O"), true);
    addItem(kGeorgette, QStringLiteral("Georgette 44"), QStringLiteral("Rapier"), "0", "0", 90, 99.99, 1);
    addItem(kCambric, QStringLiteral("Cotton Cambric"), QStringLiteral("Grey"), "100", "0", 40, 55, 1);
    addItem(601, QStringLiteral("Rapier 60 Grey"), QStringLiteral("Grey"), "500", "0", 52, 60, 1, QStringLiteral("T"), false, 2);

    {
        trade::PurchaseInvoices purchases(db_, session_, messages_);
        trade::PurchaseBill p;
        p.bookId = 2;
        p.billNo = QStringLiteral("LW/12");
        p.date = QDate(2024, 4, 10);
        p.partyId = weaver;
        p.lines = {purchaseLine(kGrey, "50", "52"), purchaseLine(kCambric, "50", "40")};
        for (const char* taka : {"1001", "1002", "1003", "1004"}) p.takas.push_back({QString::fromLatin1(taka), d("12.5"), false});
        purchaseBill = purchases.save(p).value_or(0);
        EXPECT_GT(purchaseBill, 0) << "LW/12 not saved";
    }
    sale(QStringLiteral("1"), QDate(2024, 4, 20), kGrey, "30", "60");
    sale(QStringLiteral("2"), QDate(2024, 4, 20), kCambric, "30", "55");
    sale(QStringLiteral("3"), QDate(2024, 4, 18), kSaree, "5", "1120", true);
    sale(QStringLiteral("4"), QDate(2024, 5, 3), kGrey, "7", "60");
    returnBill(QStringLiteral("BillMst"), QStringLiteral("BillDtl"), QStringLiteral("PQty"), 90, 2, QDate(2024, 4, 22), kGrey, 5);
    returnBill(QStringLiteral("SalBillMst"), QStringLiteral("SalBillDtl"), QStringLiteral("Qty"), 91, 4, QDate(2024, 4, 25), kGrey, 2);
    // A supplier's bill carried from last year is money owed, not goods of this year.
    db_.exec(QStringLiteral("INSERT INTO BillMst (Id, FirmNO, FormId, BillNO, BillDate, PartyID, IsOp) VALUES (92, 1, 1, 'OLD/1', ?, ?, -1)"),
             {QDate(2024, 4, 1), weaver});
    db_.exec(QStringLiteral("INSERT INTO BillDtl (BillMstId, Srno, PCode, PQty, Qty2) VALUES (92, 1, ?, 999, 0)"), {kGrey});
    db_.exec(QStringLiteral("INSERT INTO BillMst (Id, FirmNO, FormId, BillNO, BillDate, PartyID, IsOp) VALUES (93, 2, 1, 'X/1', ?, ?, 0)"),
             {QDate(2024, 4, 11), weaver});
    db_.exec(QStringLiteral("INSERT INTO BillDtl (BillMstId, Srno, PCode, PQty, Qty2) VALUES (93, 1, ?, 75, 0)"), {kGrey});

    jobwork::ProductionChallans production(db_, session_, messages_);
    jobwork::ProductionChallan p;
    p.bookNo = 1;
    p.challanNo = QStringLiteral("1");
    p.date = QDate(2024, 4, 12);
    p.partyId = weaver;
    p.takas.push_back({QStringLiteral("2001"), d("6"), d("11"), d("66"), QStringLiteral("L1"), kSaree});
    p.takas.push_back({QStringLiteral("2002"), d("4"), d("11"), d("44"), QStringLiteral("L2"), kSaree});
    p.takas.push_back({QStringLiteral("2003"), d("1"), d("110.5"), d("110.5"), QStringLiteral("L1"), kRed});
    EXPECT_TRUE(production.save(p)) << "production challan not saved";

    stockVoucher(1, QStringLiteral("I"), QDate(2024, 4, 26), kGrey, 4, 0);
    stockVoucher(2, QStringLiteral("R"), QDate(2024, 4, 26), kSaree, 11, 1);

    trade::DeliveryChallans challans(db_, session_, messages_);
    trade::DeliveryChallan c;
    c.bookNo = 1;
    c.challanNo = QStringLiteral("1");
    c.date = QDate(2024, 4, 27);
    c.partyId = buyer;
    c.fromTakas = true;
    c.lines = challans.linesFromTakas({QStringLiteral("2002")});
    challan = challans.save(c).value_or(0);
    EXPECT_GT(challan, 0) << "challan not saved";

    // Takas 1001 and 1002 of LW/12 to the dyer; 1001 back as 12 m of the red.
    mill::MillIssues issues(db_, session_, messages_);
    mill::MillIssue issue;
    issue.bookId = 2;
    issue.date = QDate(2024, 4, 28);
    issue.millId = mill;
    issue.qualityId = kGrey;
    issue.process = QStringLiteral("Dyeing");
    issue.weaverId = weaver;
    EXPECT_TRUE(issues.takeFromPurchase(issue, purchaseBill, {QStringLiteral("1001"), QStringLiteral("1002")}));
    const qint64 issueId = issues.save(issue).value_or(0);
    EXPECT_GT(issueId, 0) << "mill issue not saved";
    mill::MillReceipts receipts(db_, session_, messages_);
    mill::MillReceipt receipt;
    receipt.bookId = 2;
    receipt.date = QDate(2024, 4, 29);
    receipt.millId = mill;
    receipt.millChallanNo = QStringLiteral("LD/55");
    receipt.lotNo = QStringLiteral("L-7");
    receipt.qualityId = kGrey;
    receipt.lines = receipts.linesFromIssue(issueId, {1});
    EXPECT_EQ(receipt.lines.size(), 1u);
    for (mill::MillReceiptLine& l : receipt.lines) {
        l.finishedMetres = d("12");
        l.finishedQualityId = kRed;
    }
    EXPECT_TRUE(receipts.save(receipt)) << "mill receipt not saved";
    // A challan carried in from last year: its taka left the godown then.
    carriedInIssue(-7, QDate(2024, 4, 1), kGrey, QStringLiteral("0999"), 33);
}

void StockFirmTest::SetUp() {
    TANABANA_REQUIRE_ENGINE();
    year_ = std::make_unique<YearFixture>();
    firm_ = std::make_unique<StockFirm>(year_->db(), year_->session, year_->messages);
    firm_->build();
    ASSERT_FALSE(HasFailure());
}

void StockFirmTest::TearDown() {
    firm_.reset();
    year_.reset();
}

db::Database& StockFirmTest::db() { return year_->db(); }

}  // namespace tanabana::test
