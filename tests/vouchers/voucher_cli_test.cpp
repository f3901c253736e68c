// tanabana-cli voucher and outstanding on the grey-cloth trader's installation: a cash receipt
// settling GST/1 by its printed number and a journal voucher imported from JSON, a file whose
// second voucher is refused leaving nothing, the list, the printed receipt read back from its PDF,
// and the party's open bills on a date. TANABANA_USES_CLI
#include "core/Messages.h"
#include "support/CliRun.h"
#include "support/PdfProbe.h"
#include "support/VoucherFirm.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace tanabana;

namespace {

class VoucherCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        firm = std::make_unique<test::VoucherFirm>(books.db(), books.session, messages);
        firm->build();
    }
    test::CliResult cli(QStringList args) {
        args.prepend(books.root());
        args.prepend(QStringLiteral("--data"));
        args << QStringLiteral("--year") << QStringLiteral("2025");
        return test::runCli(args);
    }
    test::CliResult import(const QByteArray& json) {
        QFile file(books.root() + QStringLiteral("/vouchers.json"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
        file.close();
        return cli({QStringLiteral("voucher"), QStringLiteral("import"), file.fileName()});
    }
    int count(const QString& table) { return books.db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt(); }

    test::YearFolder books{2025};
    RecordingMessages messages;
    std::unique_ptr<test::VoucherFirm> firm;
};

const QByteArray kReceiptAndJournal = R"([
  {"kind": "cash-receipt", "date": "2024-07-01", "book": 36, "entries": [
    {"party": "Ramesh Silk Mills", "amount": 4000, "receipt": "R-1", "bills": [{"bill": "GST/1", "payment": 4000}]},
    {"party": "Kiran Sarees", "amount": 500, "narration": "on account"}]},
  {"kind": "journal", "date": "2024-07-31", "entries": [{"credit": "Discount A/c", "debit": "Kiran Sarees", "amount": 25, "ref": "RD/1"}]}
])";

}  // namespace

TEST_F(VoucherCliTest, VouchersComeInAllOrNothingListAndPrint) {
    const test::CliResult saved = import(kReceiptAndJournal);
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_TRUE(saved.out.contains(QStringLiteral("cash-receipt\t1\t2\t4500.00"))) << saved.out.toStdString();
    EXPECT_TRUE(saved.out.contains(QStringLiteral("journal\t1\t1\t25.00"))) << saved.out.toStdString();
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT UnPaidAmt FROM SalBillMst WHERE Id = ?"), {firm->bill1}).toDouble(),
              5900.0);

    // The second voucher pays more than GST/2 owes: the whole file is refused.
    const int lines = count(QStringLiteral("HeadDtl3")), settlements = count(QStringLiteral("Acc_OutSt"));
    const test::CliResult refused = import(R"([
      {"kind": "bank-receipt", "date": "2024-07-02", "book": 37, "entries": [{"party": "Kiran Sarees", "amount": 100}]},
      {"kind": "bank-receipt", "date": "2024-07-02", "book": 37, "entries": [
        {"party": "Ramesh Silk Mills", "amount": 6000, "bills": [{"bill": "2", "payment": 6000}]}]}])");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Payment is more than the unpaid amount of Bill No 2!")))
        << refused.err.toStdString();
    EXPECT_EQ(count(QStringLiteral("HeadDtl3")), lines);
    EXPECT_EQ(count(QStringLiteral("Acc_OutSt")), settlements);

    const test::CliResult unknown = import(R"({"kind": "cash-receipt", "date": "2024-07-02", "book": 36, "entries": [
        {"party": "Ramesh Silk Mills", "amount": 10, "bills": [{"bill": "GST/99", "payment": 10}]}]})");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("entry 1, bill 1: bill GST/99 is not an open bill of the party")))
        << unknown.err.toStdString();

    const test::CliResult listed =
        cli({QStringLiteral("voucher"), QStringLiteral("list"), QStringLiteral("--kind"), QStringLiteral("cash-receipt")});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QStringList rows = listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3) << listed.out.toStdString();
    EXPECT_TRUE(
        rows[1].contains(QStringLiteral("Ramesh Silk Mills\t4000.00\tR-1\tY\tCash  #  R.NO -R-1# Bill NO : 1(CRV-1)\tCash")))
        << rows[1].toStdString();

    const QString pdf = books.root() + QStringLiteral("/receipt.pdf");
    const test::CliResult printed =
        cli({QStringLiteral("voucher"), QStringLiteral("print"), QStringLiteral("--kind"), QStringLiteral("cash-receipt"),
             QStringLiteral("--number"), QStringLiteral("1"), QStringLiteral("--out"), pdf});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    test::keepForLooking(pdf);
    const QString text = test::pdfText(pdf, false);
    EXPECT_TRUE(text.contains(QStringLiteral("CASH RECEIPT"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ramesh Silk Mills"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("4,500.00"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Rs. Four Thousand Five Hundred Only."))) << text.toStdString();
}

TEST_F(VoucherCliTest, OutstandingOfAPartyOnADate) {
    ASSERT_EQ(import(kReceiptAndJournal).exitCode, 0);
    const test::CliResult r = cli({QStringLiteral("outstanding"), QStringLiteral("--party"), QStringLiteral("Ramesh Silk Mills"),
                                   QStringLiteral("--date"), QStringLiteral("2024-07-10")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Sales Outstanding (Party Wise)  As On 10-07-2024\nParty : Ramesh Silk Mills\n")))
        << r.out.toStdString();
    EXPECT_TRUE(
        r.out.contains(QStringLiteral("GST/1\t05-06-2024\t05-07-2024\tSales GST\t10,000.00\t100.00\t4,000.00\t5,900.00\t35\t5")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Total\t\t\t\t18,250.00\t100.00\t4,000.00\t14,150.00"))) << r.out.toStdString();
    // The same day before the receipt: the bill was owed in full.
    const test::CliResult before =
        cli({QStringLiteral("outstanding"), QStringLiteral("--party"), QStringLiteral("Ramesh Silk Mills"),
             QStringLiteral("--date"), QStringLiteral("2024-06-30"), QStringLiteral("--ageing")});
    ASSERT_EQ(before.exitCode, 0) << before.err.toStdString();
    EXPECT_TRUE(before.out.contains(QStringLiteral("GST/1\t05-06-2024\t05-07-2024\t9,900.00\t9,900.00\t0.00\t0.00\t0.00\t-5")))
        << before.out.toStdString();
}

TEST_F(VoucherCliTest, BankPaymentPrintsItsChequeAndPaymentAdvice) {
    const test::CliResult saved = import(R"({"kind": "bank-payment", "date": "2024-07-20", "book": 37, "entries": [
        {"party": "Laxmi Weaving Works", "amount": 5200, "receipt": "000777", "narration": "grey of June",
         "bills": [{"bill": "LW/12", "payment": 5200, "less": 50, "full": "Y"}]}]})");
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();

    const QString cheque = books.root() + QStringLiteral("/cheque.pdf");
    const test::CliResult cheques = cli({QStringLiteral("voucher"), QStringLiteral("print"), QStringLiteral("--kind"), QStringLiteral("bank-payment"),
                                         QStringLiteral("--number"), QStringLiteral("1"), QStringLiteral("--as"), QStringLiteral("cheques"),
                                         QStringLiteral("--out"), cheque});
    ASSERT_EQ(cheques.exitCode, 0) << cheques.err.toStdString();
    test::keepForLooking(cheque);
    const QString leaf = test::pdfText(cheque, false);
    EXPECT_TRUE(leaf.contains(QStringLiteral("20-07-2024"))) << leaf.toStdString();
    EXPECT_TRUE(leaf.contains(QStringLiteral("Laxmi Weaving Works"))) << leaf.toStdString();
    EXPECT_TRUE(leaf.contains(QStringLiteral("Rs. Five Thousand Two Hundred Only."))) << leaf.toStdString();
    EXPECT_TRUE(leaf.contains(QStringLiteral("5,200.00/-"))) << leaf.toStdString();
    EXPECT_EQ(books.db().scalar(QStringLiteral("SELECT InWord FROM PaymentMStChq WHERE Srno = 1")).toString(),
              QStringLiteral("Rs. Five Thousand Two Hundred Only."));

    const QString advice = books.root() + QStringLiteral("/advice.pdf");
    const test::CliResult advised = cli({QStringLiteral("voucher"), QStringLiteral("print"), QStringLiteral("--kind"), QStringLiteral("bank-payment"),
                                         QStringLiteral("--number"), QStringLiteral("1"), QStringLiteral("--as"), QStringLiteral("advice"),
                                         QStringLiteral("--out"), advice});
    ASSERT_EQ(advised.exitCode, 0) << advised.err.toStdString();
    test::keepForLooking(advice);
    const QString text = test::pdfText(advice, false);
    EXPECT_TRUE(text.contains(QStringLiteral("PAYMENT ADVICE"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("We have paid you Rs. 5,200.00 by cheque no 000777 on Bank Current A/c"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("LW/12"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("50.00"))) << text.toStdString();

    const test::CliResult wrong = cli({QStringLiteral("voucher"), QStringLiteral("print"), QStringLiteral("--kind"), QStringLiteral("cash-receipt"),
                                       QStringLiteral("--number"), QStringLiteral("1"), QStringLiteral("--as"), QStringLiteral("cheques")});
    EXPECT_EQ(wrong.exitCode, 2);
}
