// Stock vouchers in April of the small Surat grey trader: grey cloth issued to the dyer under a lot
// number and part of it received back; the voucher numbers of each kind and book; a voucher saved
// again with one line fewer; every refusal with the books unchanged; the delete question; the
// printed voucher read back; and what the vouchers and stock transfers do to the stock statement
// and to the quality list of a voucher line.
// Runs on both engines (TANABANA_BOTH_ENGINES).
#include "domain/reports/ReportError.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/stock/StockFigures.h"
#include "domain/stock/StockStatements.h"
#include "domain/stock/StockVoucherPrint.h"
#include "domain/stock/StockVouchers.h"
#include "support/PdfProbe.h"
#include "support/StockFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::stock;

namespace {

using VoucherStockFirm = test::StockFirm;
constexpr qint64 kGreyItem = VoucherStockFirm::kGrey, kRedItem = VoucherStockFirm::kRed, kSareeItem = VoucherStockFirm::kSaree, kCambricItem = VoucherStockFirm::kCambric;

class StockVouchersTest : public test::StockFirmTest {
protected:
    StockVouchers service() { return StockVouchers(db(), year().session, year().messages); }

    // 22 m of the grey (4 pcs of 5.5) and 10 m of the cambric to the dyer on 27-04, lot L-9.
    StockVoucher issueToDyer(qint64 book = 2) {
        StockVoucher v;
        v.kind = VoucherKind::Issue;
        v.bookId = book;
        v.date = QDate(2024, 4, 27);
        v.partyId = firm().mill;
        v.process = QStringLiteral("Dyeing");
        v.lotNo = QStringLiteral("L-9");
        v.remarks = QStringLiteral("Urgent, O'Brien's order");
        v.lines = {{kGreyItem, d("4"), d("5.5"), d("22")}, {kCambricItem, d("2"), d("5"), d("10")}};
        return v;
    }

    // The rows of both voucher tables, to show a refusal wrote nothing.
    std::pair<int, int> rows() { return {year().count(QStringLiteral("Iss_StockMst")), year().count(QStringLiteral("Iss_StockDtl"))}; }

    Decimal closing(qint64 item, const QDate& to, StockUnit unit = StockUnit::Priced) {
        StockFilter f;
        f.itemId = item;
        const auto figures = stockFigures(db(), 1, {QDate(2024, 4, 1), to}, unit, f);
        return figures.empty() ? Decimal() : figures.front().closing();
    }
    StockFigure figure(qint64 item, const QDate& from, const QDate& to, StockUnit unit = StockUnit::Priced) {
        StockFilter f;
        f.itemId = item;
        const auto figures = stockFigures(db(), 1, {from, to}, unit, f);
        return figures.empty() ? StockFigure{} : figures.front();
    }
    void transfer(const QDate& date, qint64 from, qint64 to, double metres, double pieces, int firmNo = 1) {
        db().exec(QStringLiteral("INSERT INTO StockTransfer (TDate, ProdId, ProdId1, Qty, Qty2, FirmNO) VALUES (?, ?, ?, ?, ?, ?)"),
                  {date, from, to, metres, pieces, firmNo});
    }
};

TEST_F(StockVouchersTest, NumbersRunSeparatelyForEachKindAndBook) {
    StockVouchers s = service();
    // Book 1 already holds issue 1 and receipt 2 of the firm's April.
    EXPECT_EQ(s.nextVoucherNo(VoucherKind::Issue, 1), 2);
    EXPECT_EQ(s.nextVoucherNo(VoucherKind::Receipt, 1), 3);
    EXPECT_EQ(s.nextVoucherNo(VoucherKind::Issue, 2), 1);
    EXPECT_EQ(s.nextVoucherNo(VoucherKind::Receipt, 2), 1);

    StockVoucher first = issueToDyer();
    ASSERT_TRUE(s.save(first));
    EXPECT_EQ(first.voucherNo, 1);
    StockVoucher second = issueToDyer();
    ASSERT_TRUE(s.save(second));
    EXPECT_EQ(second.voucherNo, 2);
    StockVoucher back = issueToDyer();
    back.kind = VoucherKind::Receipt;
    ASSERT_TRUE(s.save(back));
    EXPECT_EQ(back.voucherNo, 1);  // receipts start their own series in book 2
    StockVoucher inBookOne = issueToDyer(1);
    ASSERT_TRUE(s.save(inBookOne));
    EXPECT_EQ(inBookOne.voucherNo, 2);
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("Voucher Is Saved !")));

    // Typing a number finds the voucher of that kind and book only.
    EXPECT_EQ(s.findVoucher(VoucherKind::Issue, 2, 2), second.id);
    EXPECT_EQ(s.findVoucher(VoucherKind::Receipt, 2, 1), back.id);
    EXPECT_FALSE(s.findVoucher(VoucherKind::Receipt, 2, 2));

    // A typed number another voucher of the kind and book carries is refused; the receipt's No 2 is free.
    const auto before = rows();
    StockVoucher clash = issueToDyer();
    clash.voucherNo = 2;
    EXPECT_FALSE(s.save(clash));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Bill NO Duplication"));
    EXPECT_EQ(year().messages.last().text, QStringLiteral("Voucher No 2 is Already exist!"));
    EXPECT_EQ(rows(), before);
    clash.kind = VoucherKind::Receipt;
    EXPECT_TRUE(s.save(clash));

    // The list of a kind and book, newest first, with the party and the lot.
    const auto page = s.voucherList(VoucherKind::Issue, 2, {});
    ASSERT_EQ(page.rows.size(), 2u);
    EXPECT_EQ(page.rows[0].party, QStringLiteral("Laxmi Dyeing Mill"));
    EXPECT_EQ(page.rows[0].texts.value(1), QStringLiteral("L-9"));
    EXPECT_EQ(page.rows[0].figures.at(1), d("32"));
}

TEST_F(StockVouchersTest, IssueLowersTheStockAndReceiptRaisesItFromItsDate) {
    StockVouchers s = service();
    // Before: the grey closes April at 88 m (the firm's April), the cambric at 120 m.
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 30)), d("88"));
    StockVoucher issue = issueToDyer();
    ASSERT_TRUE(s.save(issue));
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 26)), d("113"));  // not yet: 100 + 50 - 30 - 5 + 2 - 4 by the 26th
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 30)), d("66"));
    EXPECT_EQ(closing(kCambricItem, QDate(2024, 4, 30)), d("110"));

    StockVoucher back;
    back.kind = VoucherKind::Receipt;
    back.bookId = 2;
    back.date = QDate(2024, 4, 29);
    back.partyId = firm().mill;
    back.lotNo = QStringLiteral("L-9");
    back.lines = {{kGreyItem, d("2"), d("5"), d("10")}};
    ASSERT_TRUE(s.save(back));
    const StockFigure grey = figure(kGreyItem, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(grey.generalIssues, d("26"));   // the firm's 4 m and the dyer's 22 m
    EXPECT_EQ(grey.generalReceipts, d("10"));
    EXPECT_EQ(grey.closing(), d("76"));

    // In pieces the grey opened with 4 takas: 4 went out and 2 came back.
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 30), StockUnit::Pieces), d("2"));
    // The saree is counted by the piece: a receipt of 3 pcs (33 m) adds 3, not 33.
    StockVoucher sarees = back;
    sarees.id = 0;
    sarees.voucherNo = 0;
    sarees.lines = {{kSareeItem, d("3"), d("11"), d("33")}};
    ASSERT_TRUE(s.save(sarees));
    EXPECT_EQ(closing(kSareeItem, QDate(2024, 4, 30)), d("29"));

    // The line's quality list shows the same stock on the voucher's date, only active qualities.
    const auto list = s.qualities(QStringLiteral("Grey"), QDate(2024, 4, 30));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, QStringLiteral("Cotton Cambric"));
    EXPECT_EQ(list[0].stock, d("110"));
    EXPECT_EQ(list[1].name, QStringLiteral("Rapier 60 Grey"));
    EXPECT_EQ(list[1].stock, d("76"));
    EXPECT_EQ(s.qualities(QStringLiteral("Grey"), QDate(2024, 4, 20))[1].stock, d("120"));

    // The between-dates statement shows them as other issues and receipts.
    reports::RegisterChoice c;
    c.from = QDate(2024, 4, 1);
    c.to = QDate(2024, 4, 30);
    c.itemId = kGreyItem;
    StatementOptions o;
    o.kind = StatementKind::WithMill;
    const auto r = reports::Registers(db(), year().session, year().folder()).run(stockStatement(o), c);
    ASSERT_EQ(r.data.rowCount(), 1);
    EXPECT_EQ(r.data.value(0, r.data.indexOf(QStringLiteral("Gen_Iss"))).toString(), QStringLiteral("26.000"));
    EXPECT_EQ(r.data.value(0, r.data.indexOf(QStringLiteral("Gen_Rec"))).toString(), QStringLiteral("10.000"));
    EXPECT_EQ(r.data.value(0, r.data.indexOf(QStringLiteral("Qty"))).toString(), QStringLiteral("76.000"));
}

TEST_F(StockVouchersTest, SavedAgainWithOneLineFewerKeepsExactlyTheRest) {
    StockVouchers s = service();
    StockVoucher v = issueToDyer();
    v.lines.push_back({kRedItem, d("1"), d("0"), d("12.125")});
    ASSERT_TRUE(s.save(v));
    const qint64 id = v.id;

    auto loaded = s.load(id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->kind, VoucherKind::Issue);
    EXPECT_EQ(loaded->bookId, 2);
    EXPECT_EQ(loaded->voucherNo, 1);
    EXPECT_EQ(loaded->date, QDate(2024, 4, 27));
    EXPECT_EQ(loaded->partyId, firm().mill);
    EXPECT_EQ(loaded->process, QStringLiteral("Dyeing"));
    EXPECT_EQ(loaded->lotNo, QStringLiteral("L-9"));
    EXPECT_EQ(loaded->remarks, QStringLiteral("Urgent, O'Brien's order"));
    ASSERT_EQ(loaded->lines.size(), 3u);
    EXPECT_EQ(loaded->lines[2].metres, d("12.125"));
    EXPECT_EQ(loaded->lines[0].cut, d("5.5"));

    loaded->lines.erase(loaded->lines.begin() + 1);  // the cambric goes
    loaded->lotNo = QStringLiteral("L-10");
    ASSERT_TRUE(s.save(*loaded));
    EXPECT_EQ(loaded->id, id);
    EXPECT_EQ(loaded->voucherNo, 1);
    EXPECT_EQ(year().count(QStringLiteral("Iss_StockMst"), QStringLiteral("ID = ?"), {id}), 1);
    const auto again = s.load(id);
    ASSERT_EQ(again->lines.size(), 2u);
    EXPECT_EQ(again->lines[0].qualityId, kGreyItem);
    EXPECT_EQ(again->lines[1].qualityId, kRedItem);
    EXPECT_EQ(again->lotNo, QStringLiteral("L-10"));
    EXPECT_EQ(year().count(QStringLiteral("Iss_StockDtl"), QStringLiteral("BillMStId = ? AND Srno IN (1, 2)"), {id}), 2);
    EXPECT_EQ(year().count(QStringLiteral("Iss_StockDtl"), QStringLiteral("BillMStId = ?"), {id}), 2);
    EXPECT_EQ(closing(kCambricItem, QDate(2024, 4, 30)), d("120"));  // the cambric is back in the godown
}

TEST_F(StockVouchersTest, RefusalsWriteNothing) {
    StockVouchers s = service();
    const auto before = rows();
    auto refused = [&](StockVoucher v, const QString& title, const QString& text) {
        year().messages.clear();
        EXPECT_FALSE(s.save(v)) << text.toStdString();
        EXPECT_TRUE(year().messages.has(MessageKind::Critical, title, text)) << text.toStdString();
        EXPECT_EQ(rows(), before) << text.toStdString();
    };
    const QString incomplete = QStringLiteral("Please Select Party Name and Quality");
    StockVoucher v = issueToDyer();
    v.partyId = 0;
    refused(v, QStringLiteral("System Validation"), incomplete);
    v = issueToDyer();
    v.bookId = 9;
    refused(v, QStringLiteral("System Validation"), incomplete);
    v = issueToDyer();
    v.lines.clear();
    refused(v, QStringLiteral("System Validation"), incomplete);
    v = issueToDyer();
    v.lines[1].qualityId = 601;  // firm 2's quality
    refused(v, QStringLiteral("System Validation"), incomplete);
    v = issueToDyer();
    v.date = QDate(2025, 4, 1);
    refused(v, QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
    v = issueToDyer();
    v.lines[1].metres = d("-10");
    refused(v, QStringLiteral("Invalid Entry"), QStringLiteral("Pcs or Mtrs must be more than 0 on line 2"));
    v = issueToDyer();
    v.lines[0].pieces = Decimal();
    v.lines[0].metres = Decimal();
    refused(v, QStringLiteral("Invalid Entry"), QStringLiteral("Pcs or Mtrs must be more than 0 on line 1"));
    v = issueToDyer();
    v.lotNo = QString(51, QLatin1Char('L'));
    refused(v, QStringLiteral("Text Too Long"), QStringLiteral("Lot No is longer than 50 characters. Please shorten it."));

    // A saved voucher changed into the other kind is not found as that kind.
    StockVoucher saved = issueToDyer();
    ASSERT_TRUE(s.save(saved));
    const auto withOne = rows();
    saved.kind = VoucherKind::Receipt;
    saved.lines.pop_back();
    EXPECT_FALSE(s.save(saved));
    EXPECT_EQ(rows(), withOne);
    EXPECT_EQ(s.load(saved.id)->lines.size(), 2u);

    // A closed year refuses save and delete.
    year().session.firm.insert(QStringLiteral("IsYrEnd"), 1);
    year().messages.clear();
    StockVoucher late = issueToDyer();
    EXPECT_FALSE(s.save(late));
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Year End Done"));
    EXPECT_FALSE(s.remove(saved.id));
    EXPECT_EQ(rows(), withOne);
}

TEST_F(StockVouchersTest, DeleteAsksAndLeavesAHistoryRow) {
    StockVouchers s = service();
    StockVoucher v = issueToDyer();
    ASSERT_TRUE(s.save(v));
    const auto withOne = rows();
    year().messages.answerNext(false);
    EXPECT_FALSE(s.remove(v.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Question, QStringLiteral("Delete  Confirmation"),
                                    QStringLiteral("Are You Sure To Delete This Voucher ? ")));
    EXPECT_EQ(rows(), withOne);

    EXPECT_TRUE(s.remove(v.id));
    EXPECT_TRUE(year().messages.has(MessageKind::Information, QStringLiteral("Delete Confirmation"), QStringLiteral("Voucher Is Deleted!")));
    EXPECT_EQ(year().count(QStringLiteral("Iss_StockMst"), QStringLiteral("ID = ?"), {v.id}), 0);
    EXPECT_EQ(year().count(QStringLiteral("Iss_StockDtl"), QStringLiteral("BillMStId = ?"), {v.id}), 0);
    EXPECT_EQ(year().count(QStringLiteral("Table_Del_History"), QStringLiteral("Id = ?"), {v.id}), 1);
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 30)), d("88"));
    // The next issue takes number 1 again: nothing holds it.
    EXPECT_EQ(s.nextVoucherNo(VoucherKind::Issue, 2), 1);
}

TEST_F(StockVouchersTest, PrintedVoucherShowsPartyLotLinesAndTotals) {
    StockVouchers s = service();
    StockVoucher v = issueToDyer();
    ASSERT_TRUE(s.save(v));
    EXPECT_EQ(stockVoucherPdfName(db(), v.id), QStringLiteral("Stock_Issue_No1"));
    const QString path = QDir(year().folder()).filePath(QStringLiteral("voucher.pdf"));
    writeStockVoucherPdf(db(), year().session, v.id, path);
    test::keepForLooking(path);
    const QString text = test::pdfText(path);
    for (const char* expected : {"STOCK ISSUE VOUCHER", "M/s. Laxmi Dyeing Mill", "Vou No : 1", "Vou Dt : 27-04-2024", "Lot No : L-9",
                                 "Job Process : Dyeing", "Rapier 60 Grey", "Cotton Cambric", "22.000", "10.000", "32.000",
                                 "Remarks : Urgent, O'Brien's order"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();

    StockVoucher back = issueToDyer();
    back.kind = VoucherKind::Receipt;
    ASSERT_TRUE(s.save(back));
    EXPECT_EQ(stockVoucherPdfName(db(), back.id), QStringLiteral("Stock_Receive_No1"));
    const QString rapier = QDir(year().folder()).filePath(QStringLiteral("rapier.pdf"));
    writeStockVoucherPdf(db(), year().session, back.id, rapier, true);
    test::keepForLooking(rapier);
    const QString loom = test::pdfText(rapier);
    EXPECT_TRUE(loom.contains(QStringLiteral("STOCK RECEIVE VOUCHER")));
    EXPECT_TRUE(loom.contains(QStringLiteral("Design No")));
    EXPECT_TRUE(loom.contains(QStringLiteral("D-501")));  // the grey quality's design number

    // Another firm's voucher is not printed.
    year().session.firmNo = 2;
    EXPECT_THROW(stockVoucherRequest(db(), year().session, v.id), reports::ReportError);
}

TEST_F(StockVouchersTest, StockTransfersMoveStockFromOneItemToTheOther) {
    // 10 m (2 takas) of the grey become cambric on 27-04; firm 2's transfer is not ours.
    transfer(QDate(2024, 4, 27), kGreyItem, kCambricItem, 10, 2);
    transfer(QDate(2024, 4, 27), kGreyItem, kCambricItem, 500, 50, 2);
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 26)), d("113"));
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 30)), d("78"));
    EXPECT_EQ(closing(kCambricItem, QDate(2024, 4, 30)), d("130"));
    // In pieces the two takas move too.
    EXPECT_EQ(closing(kGreyItem, QDate(2024, 4, 30), StockUnit::Pieces), d("2"));
    EXPECT_EQ(closing(kCambricItem, QDate(2024, 4, 30), StockUnit::Pieces), d("2"));

    const StockFigure grey = figure(kGreyItem, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(grey.transfersOut, d("10"));
    EXPECT_EQ(grey.transfersIn, Decimal());
    EXPECT_EQ(figure(kCambricItem, QDate(2024, 4, 1), QDate(2024, 4, 30)).transfersIn, d("10"));
    // After the transfer's date it is part of the opening.
    const StockFigure may = figure(kCambricItem, QDate(2024, 4, 28), QDate(2024, 4, 30));
    EXPECT_EQ(may.opening, d("130"));
    EXPECT_EQ(may.transfersIn, Decimal());

    // The statement's other receipts and issues carry it beside the stock vouchers.
    reports::RegisterChoice c;
    c.from = QDate(2024, 4, 1);
    c.to = QDate(2024, 4, 30);
    StatementOptions o;
    o.kind = StatementKind::WithMill;
    const auto r = reports::Registers(db(), year().session, year().folder()).run(stockStatement(o), c);
    const int key = r.data.indexOf(QStringLiteral("StockNo"));
    for (int row = 0; row < r.data.rowCount(); ++row) {
        const qint64 item = r.data.value(row, key).toLongLong();
        if (item == kGreyItem) {
            EXPECT_EQ(r.data.value(row, r.data.indexOf(QStringLiteral("Gen_Iss"))).toString(), QStringLiteral("14.000"));
        }
        if (item == kCambricItem) {
            EXPECT_EQ(r.data.value(row, r.data.indexOf(QStringLiteral("Gen_Rec"))).toString(), QStringLiteral("10.000"));
            EXPECT_EQ(r.data.value(row, r.data.indexOf(QStringLiteral("PQty"))).toString(), QStringLiteral("60.000"));
        }
    }
}

// The Inventory menu's register: what went out and what came back, by lot, party, quality and,
// for the loom firm, design; bound to the period and the firm, printed as the grid shows it.
TEST_F(StockVouchersTest, RegisterSetsIssuesBesideReceiptsByLotPartyQualityAndDesign) {
    StockVouchers s = service();
    StockVoucher out = issueToDyer();
    ASSERT_TRUE(s.save(out));
    StockVoucher back;
    back.kind = VoucherKind::Receipt;
    back.bookId = 2;
    back.date = QDate(2024, 4, 29);
    back.partyId = firm().mill;
    back.process = QStringLiteral("Dyeing");
    back.lotNo = QStringLiteral("L-9");
    back.lines = {{kGreyItem, d("3"), d("5.5"), d("16.5")}};
    ASSERT_TRUE(s.save(back));
    StockVoucher may = issueToDyer();  // after the period
    may.date = QDate(2024, 5, 2);
    ASSERT_TRUE(s.save(may));

    using Kind = reports::RegisterLine::Kind;
    const auto run = [&](const char* name, qint64 party = 0, qint64 item = 0) {
        reports::RegisterChoice choice;
        choice.from = QDate(2024, 4, 1);
        choice.to = QDate(2024, 4, 30);
        choice.partyId = party;
        choice.itemId = item;
        const reports::RegisterDefinition* def = reports::findRegister(QString::fromLatin1(name));
        EXPECT_NE(def, nullptr) << name;
        return reports::Registers(db(), year().session, year().folder()).run(*def, choice);
    };
    const auto column = [](const reports::RegisterResult& r, Kind kind, const char* caption) {
        int at = -1;
        for (size_t i = 0; i < r.sheet.columns.size(); ++i)
            if (r.sheet.columns[i].caption == QString::fromLatin1(caption)) at = int(i);
        EXPECT_GE(at, 0) << caption;
        QStringList out;
        for (const reports::RegisterLine& l : r.lines)
            if (l.kind == kind) out << l.cells.value(at);
        return out;
    };

    // By lot: the firm's own April issue without a lot, then L-9 with 32 m out and 16.5 m back.
    const reports::RegisterResult byLot = run("stock-vouchers-by-lot");
    EXPECT_EQ(byLot.title, QStringLiteral("Stock Voucher Register (Lot Wise)  From 01-04-2024 To 30-04-2024"));
    EXPECT_EQ(byLot.data.rowCount(), 5);  // 4 m grey and 1 pc saree of the firm, two lines out and one back on L-9
    EXPECT_EQ(column(byLot, Kind::SubTotal, "Iss Mtrs"), (QStringList{"4.000", "32.000"}));
    EXPECT_EQ(column(byLot, Kind::SubTotal, "Rec Mtrs"), (QStringList{"11.000", "16.500"}));
    EXPECT_EQ(column(byLot, Kind::SubTotal, "Rec Pcs"), (QStringList{"1", "3"}));
    EXPECT_EQ(column(byLot, Kind::Total, "Iss Mtrs"), QStringList{"36.000"});
    EXPECT_EQ(column(byLot, Kind::Row, "Type"), (QStringList{"Issue", "Receive", "Issue", "Issue", "Receive"}));

    // One party: the dyer's three lines only, with the job process.
    const reports::RegisterResult dyer = run("stock-vouchers-by-party", firm().mill);
    EXPECT_EQ(column(dyer, Kind::Heading, "Date"), QStringList{"Laxmi Dyeing Mill"});
    EXPECT_EQ(column(dyer, Kind::Row, "Quality"), (QStringList{"Rapier 60 Grey", "Cotton Cambric", "Rapier 60 Grey"}));
    EXPECT_EQ(column(dyer, Kind::Row, "Job Process"), (QStringList{"Dyeing", "Dyeing", "Dyeing"}));
    EXPECT_EQ(column(dyer, Kind::Total, "Rec Mtrs"), QStringList{"16.500"});

    // One quality: the grey's lines of every party.
    const reports::RegisterResult grey = run("stock-vouchers-by-quality", 0, kGreyItem);
    EXPECT_EQ(column(grey, Kind::Row, "Party"), (QStringList{"Ramesh Silk Mills", "Laxmi Dyeing Mill", "Laxmi Dyeing Mill"}));
    EXPECT_EQ(column(grey, Kind::Total, "Iss Mtrs"), QStringList{"26.000"});

    // The loom firm's design-wise form: the grey's design with its colour.
    db().exec(QStringLiteral("UPDATE ProdMst SET P1 = 'Natural' WHERE Id = ?"), {kGreyItem});
    const reports::RegisterResult designs = run("loom-stock-vouchers-by-design", firm().mill);
    EXPECT_EQ(column(designs, Kind::Heading, "Date"), (QStringList{"Design No : D-501", "Design No : D-506"}));
    EXPECT_EQ(column(designs, Kind::Row, "Colour").value(0), QStringLiteral("Natural"));
    EXPECT_EQ(column(designs, Kind::SubTotal, "Rec Mtrs"), (QStringList{"16.500", "0.000"}));

    // Printed as the grid shows it.
    const QString path = QDir(year().folder()).filePath(QStringLiteral("stock-register.pdf"));
    reports::Registers(db(), year().session, year().folder()).writePdf(byLot, path);
    test::keepForLooking(path);
    const QString text = test::pdfText(path);
    for (const char* expected : {"Stock Voucher Register (Lot Wise) From 01-04-2024 To 30-04-2024", "L-9", "Laxmi Dyeing Mill", "Sub Tot",
                                 "32.000", "16.500", "36.000"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();

    // Another firm's register does not see these vouchers.
    year().session.firmNo = 2;
    EXPECT_EQ(run("stock-vouchers-by-lot").data.rowCount(), 0);
}

}  // namespace
