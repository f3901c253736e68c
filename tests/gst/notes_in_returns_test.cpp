// Returns and notes in the GST returns of the Surat firm's July 2024 (TANABANA_BOTH_ENGINES), on
// top of its sales and buying of GstBuyingFirm:
//   sales return GST/1 of 20-07 from Surat Fabrics against GST/104: 20 m Rapier @ 105, 5%
//                  taxable 2,100.00, CGST 52.50, SGST 52.50, return 2,205.00
//   credit note 1 of 30-07 to Jaipur Cloth House, 2% on GST/102 (2,50,000.01, a B2CL invoice)
//                  taxable 4,761.90, IGST 238.10, note 5,000.00
//   credit note 2 of 30-07 to Jaipur Cloth House, 1% on GST/101 (2,50,000.00, a B2CS invoice)
//                  taxable 2,380.95, IGST 119.05, note 2,500.00
//   debit note 1 of 28-07 to Mumbai Yarn Traders on MY/55: 50 m at 2.00 less
//                  taxable 100.00, IGST 5.00, note 105.00
//   purchase return 1 of 25-07 to Mahesh Looms against LW/118: 10 m Rapier @ 100, 5%
//                  taxable 1,000.00, CGST 25.00, SGST 25.00, return 1,050.00
// Each return and section is checked figure by figure: CDNR, CDNUR and B2CS of GSTR-1 and their
// files, the HSN summaries, GSTR-3B tables 3.1, 3.2 and 4, GSTR-2's notes, the summary's kinds,
// GSTR-9's HSN tables and the check's "note without its original invoice".
#include "domain/gst/GstSummary.h"
#include "domain/gst/Gstr1.h"
#include "domain/gst/Gstr1Check.h"
#include "domain/gst/Gstr1Files.h"
#include "domain/gst/Gstr2.h"
#include "domain/gst/Gstr3b.h"
#include "domain/gst/Gstr9.h"
#include "domain/gst/YearReconciliation.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"
#include "support/FirmBooks.h"
#include "support/GstBuyingFirm.h"
#include "support/PostedLines.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"
#include "support/QtPrinting.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::gst;

namespace {

class NotesInReturnsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        year_ = std::make_unique<test::YearFixture>();
        firm_ = std::make_unique<test::GstBuyingFirm>(year_->db(), year_->session, year_->messages);
        firm_->build();
        ASSERT_FALSE(HasFailure());
        discount_ = test::addAccount(db(), QStringLiteral("Discount A/c"), 62);
        rateDifference_ = test::addAccount(db(), QStringLiteral("Rate Difference A/c"), 62);
    }
    db::Database& db() { return year_->db(); }
    Session& session() { return year_->session; }
    ReturnPeriod july() const { return *ReturnPeriod::month(QStringLiteral("07-2024")); }
    QString refusal() { return test::lastRefusal(year_->messages); }

    qint64 salesReturn(const QString& against, const QDate& againstDate, const char* metres, const QDate& date = QDate(2024, 7, 20)) {
        returns::SalesReturn r;
        r.bookNo = 1;
        r.date = date;
        r.partyId = firm_->suratFabrics;
        r.sourceBillNo = against;
        r.sourceBillDate = againstDate;
        r.reason = QStringLiteral("Shade variation");
        trade::SalesLine line;
        line.qualityId = test::SellingFirm::kRapier;
        line.input.metres = d(metres);
        line.input.listRate = d("105");
        line.input.sgstPercent = line.input.cgstPercent = d("2.5");
        r.lines.push_back(line);
        const auto id = returns::SalesReturns(db(), session(), year_->messages).save(r);
        EXPECT_TRUE(id) << refusal().toStdString();
        return id.value_or(0);
    }
    qint64 note(returns::NoteKind kind, qint64 party, qint64 bill, const QDate& date, const char* reason,
                const std::function<void(returns::Note&)>& amounts) {
        returns::Note n;
        n.kind = kind;
        n.date = date;
        n.partyId = party;
        n.billIds = {bill};
        n.sgstPercent = n.cgstPercent = d("2.5");
        n.reasonCode = QString::fromLatin1(reason);
        amounts(n);
        const auto id = returns::Notes(db(), session(), year_->messages).save(n);
        EXPECT_TRUE(id) << refusal().toStdString();
        return id.value_or(0);
    }
    qint64 discountNote(qint64 bill, const char* percent, const QDate& date = QDate(2024, 7, 30)) {
        return note(returns::NoteKind::Credit, firm_->jaipur, bill, date, "02", [&](returns::Note& n) {
            n.otherAccountId = discount_;
            n.rateType = returns::kDiscountBasis;
            n.percent = d(percent);
        });
    }
    qint64 purchaseReturn() {
        returns::PurchaseReturn r;
        r.bookId = 2;
        r.date = QDate(2024, 7, 25);
        r.partyId = firm_->weaver;
        r.sourceBillNo = QStringLiteral("LW/118");
        r.sourceBillDate = QDate(2024, 7, 10);
        r.reason = QStringLiteral("Weaving fault");
        r.lines.push_back(firm_->line(test::SellingFirm::kRapier, "10", "100", "2.5"));
        const auto id = returns::PurchaseReturns(db(), session(), year_->messages).save(r);
        EXPECT_TRUE(id) << refusal().toStdString();
        return id.value_or(0);
    }
    // The month's returns and notes of the header comment.
    void recordTheMonth() {
        returnId_ = salesReturn(QStringLiteral("104"), QDate(2024, 7, 4), "20");
        creditB2cl_ = discountNote(firm_->july102, "2");
        creditB2cs_ = discountNote(firm_->july101, "1");
        debitNote_ = note(returns::NoteKind::Debit, firm_->mumbai, firm_->my55, QDate(2024, 7, 28), "04", [&](returns::Note& n) {
            n.otherAccountId = rateDifference_;
            n.rateType = QStringLiteral("Rate Diff");
            n.itemId = test::SellingFirm::kRapier;
            n.quantity = d("50");
            n.rateDifference = d("2");
        });
        purchaseReturn_ = purchaseReturn();
        ASSERT_FALSE(HasFailure());
    }

    static QString figures(const Gstr3bLine* l) {
        if (!l) return QStringLiteral("missing");
        return QStringList{l->taxable.toString(2), l->igst.toString(2), l->cgst.toString(2), l->sgst.toString(2)}.join(QLatin1Char('|'));
    }
    static QString hsnFigures(const std::vector<HsnRow>& rows, const QString& hsn, const char* rate) {
        for (const HsnRow& h : rows)
            if (h.hsn == hsn && h.rate == d(rate))
                return QStringList{h.quantity.toString(2), h.totalValue.toString(2), h.taxable.toString(2), h.igst.toString(2), h.cgst.toString(2),
                                   h.sgst.toString(2)}
                    .join(QLatin1Char('|'));
        return QStringLiteral("missing");
    }
    QString rapierHsn() { return db().scalar(QStringLiteral("SELECT hsnCode FROM ProdMst WHERE Id = ?"), {test::SellingFirm::kRapier}).toString(); }
    static QStringList fileLines(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    std::unique_ptr<test::YearFixture> year_;
    std::unique_ptr<test::GstBuyingFirm> firm_;
    qint64 discount_ = 0, rateDifference_ = 0;
    qint64 returnId_ = 0, creditB2cl_ = 0, creditB2cs_ = 0, debitNote_ = 0, purchaseReturn_ = 0;
};

TEST_F(NotesInReturnsTest, OutwardNotesInTheirSectionsAndFiles) {
    const Gstr1 before = Gstr1Service(db(), session()).compute(july());
    EXPECT_TRUE(before.cdnr.empty());
    EXPECT_TRUE(before.cdnur.empty());
    recordTheMonth();
    const Gstr1 r = Gstr1Service(db(), session()).compute(july());

    // The registered buyer's return, against the invoice it names, at its one rate.
    ASSERT_EQ(r.cdnr.size(), 1u);
    const NoteRateRow& back = r.cdnr.front();
    EXPECT_EQ(back.document.formId, 4);
    EXPECT_EQ(back.document.id, returnId_);
    EXPECT_EQ(back.original.id, firm_->july104);
    EXPECT_EQ(back.noteType, "C");
    EXPECT_FALSE(back.preGst);
    EXPECT_EQ(r.cdnrSummary.parties, 1);
    EXPECT_EQ(r.cdnrSummary.invoices, 1);
    EXPECT_EQ(r.cdnrSummary.invoiceValue.toString(2), "2205.00");

    // Only the note on the B2CL invoice goes to CDNUR; the one on the B2CS invoice of the same
    // buyer and state lowers the Rajasthan B2CS row instead.
    ASSERT_EQ(r.cdnur.size(), 1u);
    EXPECT_EQ(r.cdnur.front().document.formId, 21);
    EXPECT_EQ(r.cdnur.front().document.id, creditB2cl_);
    EXPECT_EQ(r.cdnur.front().unregisteredType, "B2CL");
    auto b2csOf = [](const Gstr1& g, const char* state) {
        for (const B2csRow& s : g.b2cs)
            if (s.placeOfSupply == QLatin1String(state) && s.rate == d("5"))
                return QStringList{s.taxable.toString(2), s.igst.toString(2), s.cgst.toString(2), s.sgst.toString(2)}.join(QLatin1Char('|'));
        return QStringLiteral("missing");
    };
    EXPECT_EQ(b2csOf(before, "08-Rajasthan"), "238095.24|11904.76|0.00|0.00");
    EXPECT_EQ(b2csOf(r, "08-Rajasthan"), "235714.29|11785.71|0.00|0.00");
    EXPECT_EQ(b2csOf(r, "24-Gujarat"), b2csOf(before, "24-Gujarat"));
    EXPECT_EQ((before.b2csSummary.taxable - r.b2csSummary.taxable).toString(2), "2380.95");
    // Invoices themselves are where they were.
    EXPECT_EQ(r.b2b.size(), before.b2b.size());
    EXPECT_EQ(r.b2cl.size(), before.b2cl.size());

    // The returned goods come off the Rapier row of the HSN summary with their metres; the two
    // discount notes (on bills of Rapier) take off value and tax but no metres.
    const QString hsn = rapierHsn();
    ASSERT_FALSE(hsn.isEmpty());
    const QStringList was = hsnFigures(before.hsn, hsn, "5").split(QLatin1Char('|'));
    const QStringList now = hsnFigures(r.hsn, hsn, "5").split(QLatin1Char('|'));
    ASSERT_EQ(was.size(), 6);
    ASSERT_EQ(now.size(), 6);
    auto less = [&](int column) { return (d(was[column].toLatin1().constData()) - d(now[column].toLatin1().constData())).toString(2); };
    EXPECT_EQ(less(0), "20.00");     // metres
    EXPECT_EQ(less(1), "9705.00");   // value: 2,205.00 + 5,000.00 + 2,500.00
    EXPECT_EQ(less(2), "9242.85");   // taxable: 2,100.00 + 4,761.90 + 2,380.95
    EXPECT_EQ(less(3), "357.15");    // IGST: 238.10 + 119.05
    EXPECT_EQ(less(4), "52.50");     // CGST
    EXPECT_EQ(less(5), "52.50");     // SGST

    // Credit notes are issued documents: the return of book 1 and the two credit notes.
    QStringList creditDocuments;
    for (const DocumentSeries& s : r.documents)
        if (s.nature == QLatin1String("Credit Note")) creditDocuments << QStringLiteral("%1..%2 x%3").arg(s.from, s.to).arg(s.total);
    EXPECT_EQ(creditDocuments, (QStringList{"GST/1..GST/1 x1", "1..2 x2"}));

    // The files: one line per note and rate in the offline tool's column order.
    QTemporaryDir out;
    writeGstr1Csv(r, out.path());
    EXPECT_EQ(fileLines(out.filePath(QStringLiteral("cdnr.csv"))),
              (QStringList{"GSTIN/UIN of Recipient,Receiver Name,Invoice/Advance Receipt Number,Invoice/Advance Receipt date,"
                           "Note/Refund Voucher Number,Note/Refund Voucher date,Document Type,Reason For Issuing document,Place Of Supply,"
                           "Note/Refund Voucher Value,Rate,Taxable Value,Cess Amount,Pre GST",
                           "24AABCR1234F1ZY,Surat Fabrics,GST/104,04-Jul-2024,GST/1,20-Jul-2024,C,01-Sales Return,24-Gujarat,2205.00,5,2100.00,,N"}));
    EXPECT_EQ(fileLines(out.filePath(QStringLiteral("cdnur.csv"))),
              (QStringList{"UR Type,Note/Refund Voucher Number,Note/Refund Voucher date,Document Type,Invoice/Advance Receipt Number,"
                           "Invoice/Advance Receipt date,Reason For Issuing document,Place Of Supply,Note/Refund Voucher Value,Rate,"
                           "Taxable Value,Cess Amount,Pre GST",
                           "B2CL,1,30-Jul-2024,C,GST/102,02-Jul-2024,02-Post sale discount,08-Rajasthan,5000.00,5,4761.90,,N"}));
    EXPECT_TRUE(fileLines(out.filePath(QStringLiteral("b2cs.csv"))).contains(QStringLiteral("OE,08-Rajasthan,5,235714.29,,")));

    // The JSON's notes carry the CSV figures: each note's value once, the taxable value of its items.
    const QString jsonPath = writeGstr1Json(r, out.path());
    QFile jsonFile(jsonPath);
    ASSERT_TRUE(jsonFile.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(jsonFile.readAll()).object();
    auto csvTotals = [&](const char* file, int valueColumn, int numberColumn) {
        Decimal value, taxable;
        QSet<QString> notesSeen;
        const QStringList rows = fileLines(out.filePath(QString::fromLatin1(file)));
        for (qsizetype i = 1; i < rows.size(); ++i) {
            const QStringList f = rows[i].split(QLatin1Char(','));
            if (!notesSeen.contains(f[numberColumn])) value += d(f[valueColumn].toLatin1().constData());
            notesSeen.insert(f[numberColumn]);
            taxable += d(f[valueColumn + 2].toLatin1().constData());
        }
        return value.toString(2) + QLatin1Char('|') + taxable.toString(2);
    };
    auto jsonTotals = [](const QJsonArray& notes) {
        Decimal value, taxable;
        for (const QJsonValue& n : notes) {
            value += Decimal::fromVariant(n[QStringLiteral("val")].toVariant()).roundHalfEven(2);
            for (const QJsonValue& item : n[QStringLiteral("itms")].toArray())
                taxable += Decimal::fromVariant(item[QStringLiteral("itm_det")][QStringLiteral("txval")].toVariant()).roundHalfEven(2);
        }
        return value.toString(2) + QLatin1Char('|') + taxable.toString(2);
    };
    const QJsonArray cdnr = root[QStringLiteral("cdnr")].toArray();
    ASSERT_EQ(cdnr.size(), 1);
    EXPECT_EQ(cdnr[0][QStringLiteral("ctin")].toString(), "24AABCR1234F1ZY");
    const QJsonObject returnNote = cdnr[0][QStringLiteral("nt")][0].toObject();
    EXPECT_EQ(returnNote[QStringLiteral("ntty")].toString(), "C");
    EXPECT_EQ(returnNote[QStringLiteral("nt_num")].toString(), "GST/1");
    EXPECT_EQ(returnNote[QStringLiteral("nt_dt")].toString(), "20-07-2024");
    EXPECT_EQ(returnNote[QStringLiteral("pos")].toString(), "24");
    const QJsonObject item = returnNote[QStringLiteral("itms")][0][QStringLiteral("itm_det")].toObject();
    EXPECT_EQ(item[QStringLiteral("camt")].toDouble(), 52.5);
    EXPECT_EQ(item[QStringLiteral("samt")].toDouble(), 52.5);
    EXPECT_EQ(jsonTotals(cdnr[0][QStringLiteral("nt")].toArray()), csvTotals("cdnr.csv", 9, 4));
    const QJsonArray cdnur = root[QStringLiteral("cdnur")].toArray();
    ASSERT_EQ(cdnur.size(), 1);
    EXPECT_EQ(cdnur[0][QStringLiteral("typ")].toString(), "B2CL");
    EXPECT_EQ(cdnur[0][QStringLiteral("pos")].toString(), "08");
    EXPECT_EQ(cdnur[0][QStringLiteral("itms")][0][QStringLiteral("itm_det")][QStringLiteral("iamt")].toDouble(), 238.1);
    EXPECT_EQ(jsonTotals(cdnur), csvTotals("cdnur.csv", 8, 1));
    EXPECT_EQ(jsonTotals(cdnur), "5000.00|4761.90");
}

TEST_F(NotesInReturnsTest, SummaryReturnNetsOutwardSuppliesAndCredit) {
    recordTheMonth();
    const Gstr3b r = Gstr3bService(db(), session()).compute(july());
    // 3.1(a): the month's taxed sales (8,12,690.38; IGST 23,859.52; CGST = SGST 8,737.50) less the
    // return (2,100.00 + 52.50 + 52.50) and the two credit notes (4,761.90 + 238.10, 2,380.95 + 119.05).
    EXPECT_EQ(figures(r.line("3.1(a)")), "803447.53|23502.37|8685.00|8685.00");
    EXPECT_EQ(figures(r.line("3.1(b)")), "315000.00|15750.00|0.00|0.00");
    EXPECT_EQ(figures(r.line("3.1(c)")), "5000.00|0.00|0.00|0.00");
    EXPECT_EQ(figures(r.line("3.1(d)")), "10000.00|0.00|250.00|250.00");
    // 3.2: the unregistered Jaipur buyer's inter-state supplies less both notes.
    ASSERT_EQ(r.interState.size(), 1u);
    EXPECT_EQ(r.interState[0].placeOfSupply, "08-Rajasthan");
    EXPECT_EQ(r.interState[0].unregisteredTaxable.toString(2), "469047.63");
    EXPECT_EQ(r.interState[0].unregisteredIgst.toString(2), "23452.37");
    // 4: the debit note takes 5.00 of Mumbai's IGST back, the purchase return 25.00 + 25.00 of the
    // weaver's; the freight's reverse charge stays.
    EXPECT_EQ(figures(r.line("4(A)(3)")), "0.00|0.00|250.00|250.00");
    EXPECT_EQ(figures(r.line("4(A)(5)")), "0.00|245.00|225.00|225.00");
    EXPECT_EQ(figures(r.line("4(C)")), "0.00|245.00|475.00|475.00");
    // 5: nothing returned was untaxed.
    EXPECT_EQ(r.exemptInward[0].intraState.toString(2), "3500.00");
    EXPECT_EQ(r.exemptInward[1].intraState.toString(2), "3000.00");
}

TEST_F(NotesInReturnsTest, InwardNotesInGstr2TheSummaryAndTheYearlyHsn) {
    const Gstr2 before = Gstr2Service(db(), session()).compute(july());
    recordTheMonth();
    const Gstr2 r = Gstr2Service(db(), session()).compute(july());
    // The debit note of the registered supplier, against the bill it lowers; the return to the
    // unregistered weaver.
    EXPECT_EQ(gstr2Rows(r, QStringLiteral("CDNR")),
              (std::vector<QStringList>{{"27AABCM9876C1Z7", "1", "28-Jul-2024", "MY/55", "10-Jul-2024", "N", "D", "04-Correction in invoice",
                                         "Inter State", "105.00", "5", "100.00", "5.00", "0.00", "0.00", "0.00", "Inputs", "5.00", "0.00", "0.00",
                                         "0.00"}}));
    EXPECT_EQ(gstr2Rows(r, QStringLiteral("CDNUR")),
              (std::vector<QStringList>{{"1", "25-Jul-2024", "LW/118", "10-Jul-2024", "N", "D", "01-Sales Return", "Intra State", "B2BUR", "1050.00",
                                         "5", "1000.00", "0.00", "25.00", "25.00", "0.00", "Inputs", "0.00", "25.00", "25.00", "0.00"}}));
    // The bills themselves are unchanged; the goods sent back leave the inward HSN summary.
    EXPECT_EQ(r.b2b.size(), before.b2b.size());
    EXPECT_EQ(r.b2bur.size(), before.b2bur.size());
    const QString hsn = rapierHsn();
    EXPECT_EQ(hsnFigures(before.hsn, hsn, "5"), "150.00|15750.00|15000.00|250.00|250.00|250.00");
    EXPECT_EQ(hsnFigures(r.hsn, hsn, "5"), "140.00|14700.00|14000.00|250.00|225.00|225.00");

    // The yearly return's HSN tables follow the two summaries.
    const Gstr9 yearly = Gstr9Service(db(), session()).compute(july());
    EXPECT_EQ(hsnFigures(yearly.inward, hsn, "5"), "140.00|14700.00|14000.00|250.00|225.00|225.00");
    EXPECT_EQ(hsnFigures(yearly.outward, hsn, "5"), hsnFigures(Gstr1Service(db(), session()).compute(july()).hsn, hsn, "5"));

    // The summary's kinds: each return and note under its own kind, and netted in the summary.
    const GstSummaryService summary(db(), session());
    auto kindRows = [&](const char* kind) {
        QStringList out;
        for (const TaxRateRow& t : summary.compute(july(), QString::fromLatin1(kind)))
            out << QStringList{t.source, rateText(t.rate), t.interTaxable.toString(2), t.igst.toString(2), t.intraTaxable.toString(2),
                               t.cgst.toString(2), t.sgst.toString(2)}
                       .join(QLatin1Char('|'));
        return out;
    };
    EXPECT_EQ(kindRows("3 B Sales Ret Only"), (QStringList{"Sales Ret|5|0.00|0.00|2100.00|52.50|52.50"}));
    EXPECT_EQ(kindRows("3 C Sales Credit Note Only"), (QStringList{"Sales Credit Note|5|7142.85|357.15|0.00|0.00|0.00"}));
    EXPECT_TRUE(kindRows("3 D Sales Debit  Note Only!").isEmpty());
    EXPECT_EQ(kindRows("4 B Pur Ret Only"), (QStringList{"Pur Ret|5|0.00|0.00|1000.00|25.00|25.00"}));
    EXPECT_EQ(kindRows("4 C Pur Debit Note Only"), (QStringList{"Pur Debit Note|5|100.00|5.00|0.00|0.00|0.00"}));
    const std::vector<TaxRateRow> netted = summary.compute(july(), QStringLiteral("1. Summary"));
    const std::vector<TaxRateRow> gross = summary.compute(july(), QStringLiteral("3. Tot Output Tax (Sales)"));
    Decimal salesIgst;
    for (const TaxRateRow& t : gross)
        if (t.source == QLatin1String("Sales") && t.rate == d("5")) salesIgst = t.igst;
    bool found = false;
    for (const TaxRateRow& t : netted)
        if (t.source == QLatin1String("Output") && t.rate == d("5")) {
            found = true;
            EXPECT_EQ((salesIgst - t.igst).toString(2), "357.15");
        }
    EXPECT_TRUE(found);
}

TEST_F(NotesInReturnsTest, TheCheckListsANoteWithoutItsOriginalInvoice) {
    recordTheMonth();
    auto noteProblems = [&] {
        QStringList listed;
        for (const Gstr1Problem& p : checkGstr1(db(), session(), july()))
            if (p.document.formId != 3) listed << QStringLiteral("%1|%2|%3|%4").arg(p.document.formId).arg(p.document.number, p.problem, p.fix);
        return listed;
    };
    // The month's notes all name their invoices.
    EXPECT_EQ(noteProblems(), QStringList());
    // A return naming a bill the customer never had, and one naming none.
    const qint64 stray = salesReturn(QStringLiteral("77"), QDate(), "1");
    const qint64 unnamed = salesReturn(QString(), QDate(), "1");
    ASSERT_GT(stray, 0);
    ASSERT_GT(unnamed, 0);
    EXPECT_EQ(noteProblems(), (QStringList{"4|GST/2|Sales return GST/2 names invoice 77, which is no bill of Surat Fabrics.|Type the number and date of the "
                                   "customer's invoice on the sales return.",
                                   "4|GST/3|Sales return GST/3 does not name the invoice the goods came from.|Type the number and date of the "
                                   "customer's invoice on the sales return."}));
    // Such a return still reaches CDNR, with the number as typed and no date.
    const Gstr1 r = Gstr1Service(db(), session()).compute(july());
    ASSERT_EQ(r.cdnr.size(), 3u);
    EXPECT_EQ(r.cdnr[1].original.number, "77");
    EXPECT_EQ(r.cdnr[1].original.id, 0);
    EXPECT_EQ(r.cdnr[2].original.number, "");
}

TEST_F(NotesInReturnsTest, TheYearlyReconciliationTakesTheNotesOffBothSidesAlike) {
    YearReconciliation reconciliation(db(), session(), year_->messages);
    auto july = [&](int group) {
        const auto rows = reconciliation.refresh();
        EXPECT_TRUE(rows);
        for (const ReconciliationRow& r : rows.value_or(std::vector<ReconciliationRow>{}))
            if (!r.group && r.groupNo == group && r.month == 7) return r;
        return ReconciliationRow{};
    };
    const ReconciliationRow output3b = july(1), output1 = july(4), input3b = july(2), input2 = july(5);
    recordTheMonth();
    auto fall = [](const ReconciliationRow& was, const ReconciliationRow& now) {
        return QStringList{(was.taxable - now.taxable).toString(2), (was.igst - now.igst).toString(2), (was.cgst - now.cgst).toString(2),
                           (was.sgst - now.sgst).toString(2)}
            .join(QLatin1Char('|'));
    };
    // Output as GSTR-3B and as GSTR-1: the return and both credit notes (one of them in B2CS).
    EXPECT_EQ(fall(output3b, july(1)), "9242.85|357.15|52.50|52.50");
    EXPECT_EQ(fall(output1, july(4)), "9242.85|357.15|52.50|52.50");
    // Input as GSTR-3B and as GSTR-2: the debit note and the purchase return.
    EXPECT_EQ(fall(input3b, july(2)), "1100.00|5.00|25.00|25.00");
    EXPECT_EQ(fall(input2, july(5)), "1100.00|5.00|25.00|25.00");
}

TEST_F(NotesInReturnsTest, ADebitNoteOnAReverseChargeBillLowersTheTaxPayableOnIt) {
    // 1,000.00 off the transporter's freight GT/311 (10,000.00 at 5% under reverse charge).
    const qint64 freightNote = note(returns::NoteKind::Debit, firm_->roadways, firm_->gt311, QDate(2024, 7, 29), "07", [&](returns::Note& n) {
        n.otherAccountId = rateDifference_;
        n.rateType = QStringLiteral("Freight");
        n.itemId = test::SellingFirm::kRapier;
        n.typedTaxable = d("1000");
    });
    ASSERT_GT(freightNote, 0);
    const Gstr3b r = Gstr3bService(db(), session()).compute(july());
    EXPECT_EQ(figures(r.line("3.1(d)")), "9000.00|0.00|225.00|225.00");
    EXPECT_EQ(figures(r.line("4(A)(3)")), "0.00|0.00|225.00|225.00");
    EXPECT_EQ(figures(r.line("4(A)(5)")), "0.00|250.00|250.00|250.00");
    // GSTR-2 lists it with the reverse charge of its bill; the summary nets it into the tax payable.
    const Gstr2 inward = Gstr2Service(db(), session()).compute(july());
    ASSERT_EQ(inward.cdnur.size(), 1u);
    EXPECT_TRUE(inward.cdnur.front().reverseCharge);
    EXPECT_EQ(inward.cdnur.front().invoiceNo, "GT/311");
    QStringList payable;
    for (const TaxRateRow& t : GstSummaryService(db(), session()).compute(july(), QStringLiteral("5 A  RCM Amt Payable")))
        payable << QStringList{rateText(t.rate), t.intraTaxable.toString(2), t.cgst.toString(2), t.sgst.toString(2)}.join(QLatin1Char('|'));
    EXPECT_EQ(payable, (QStringList{"5|9000.00|225.00|225.00"}));
}

TEST_F(NotesInReturnsTest, JanuaryNotesFollowTheThresholdAndTheSplitSummaryOfTheirPeriod) {
    const ReturnPeriod january = *ReturnPeriod::month(QStringLiteral("01-2025"));
    const Gstr1 before = Gstr1Service(db(), session()).compute(january);
    ASSERT_TRUE(before.hsnSplit);
    // 5 m of GST/203 back from the registered Surat Fabrics; 1% off GST/201 (1,00,000.01: B2CL
    // under the threshold of its date) and off GST/202 (1,00,000.00: B2CS) to Jaipur.
    ASSERT_GT(salesReturn(QStringLiteral("203"), QDate(2025, 1, 12), "5", QDate(2025, 1, 20)), 0);
    const qint64 onB2cl = discountNote(firm_->jan201, "1", QDate(2025, 1, 25));
    ASSERT_GT(discountNote(firm_->jan202, "1", QDate(2025, 1, 25)), 0);
    const Gstr1 r = Gstr1Service(db(), session()).compute(january);

    ASSERT_EQ(r.cdnur.size(), 1u);
    EXPECT_EQ(r.cdnur.front().document.id, onB2cl);
    EXPECT_EQ(r.cdnur.front().original.number, "GST/201");
    // 1% of 95,238.10 is 952.38 with IGST 47.62: the note of 1,000.00.
    EXPECT_EQ(r.cdnur.front().taxable.toString(2), "952.38");
    EXPECT_EQ(r.cdnur.front().noteValue.toString(2), "1000.00");
    ASSERT_EQ(r.cdnr.size(), 1u);
    EXPECT_EQ(r.cdnr.front().original.number, "GST/203");
    EXPECT_EQ(r.cdnr.front().taxable.toString(2), "525.00");

    // The return comes off the registered buyers' HSN rows only, the notes off the others'.
    const QString hsn = rapierHsn();
    auto taken = [&](const std::vector<HsnRow>& was, const std::vector<HsnRow>& now) {
        const QStringList a = hsnFigures(was, hsn, "5").split(QLatin1Char('|')), b = hsnFigures(now, hsn, "5").split(QLatin1Char('|'));
        QStringList out;
        for (int i = 0; i < int(a.size()) && i < int(b.size()); ++i)
            out << (d(a[i].toLatin1().constData()) - d(b[i].toLatin1().constData())).toString(2);
        return out.join(QLatin1Char('|'));
    };
    EXPECT_EQ(taken(before.hsnB2b, r.hsnB2b), "5.00|551.25|525.00|0.00|13.13|13.13");
    EXPECT_EQ(taken(before.hsnB2c, r.hsnB2c), "0.00|2000.00|1904.76|95.24|0.00|0.00");
    EXPECT_EQ(taken(before.hsn, r.hsn), "5.00|2551.25|2429.76|95.24|13.13|13.13");
}

TEST_F(NotesInReturnsTest, NotesKeptOutOfTheReturnsAndOfOtherMonthsCountNowhere) {
    recordTheMonth();
    // Marked "Skip In GSTR": the note is gone from every return.
    db().exec(QStringLiteral("UPDATE CNMst SET Is_SkipGst = 1 WHERE Id = ?"), {creditB2cl_});
    const Gstr1 r = Gstr1Service(db(), session()).compute(july());
    EXPECT_TRUE(r.cdnur.empty());
    EXPECT_EQ(figures(Gstr3bService(db(), session()).compute(july()).line("3.1(a)")), "808209.43|23740.47|8685.00|8685.00");
    // August holds none of July's returns and notes.
    const ReturnPeriod august = *ReturnPeriod::month(QStringLiteral("08-2024"));
    const Gstr1 a = Gstr1Service(db(), session()).compute(august);
    EXPECT_TRUE(a.cdnr.empty());
    EXPECT_TRUE(a.cdnur.empty());
    EXPECT_TRUE(Gstr2Service(db(), session()).compute(august).cdnr.empty());
}

}  // namespace
