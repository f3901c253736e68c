// The printed sales invoice read back from its PDF as a customer reads it: firm and party, bill
// number and date, the lines, GST, the net amount in figures and words, the party's balance up to
// the bill date, and one page set per copy label.
#include "domain/trade/SalesInvoices.h"
#include "domain/trade/TradePrint.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::trade;

namespace {

class InvoicePrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        year.db().exec(QStringLiteral("UPDATE FirmMst SET PName = 'Shree Laxmi Textiles', Add1 = 'A-214, Surat Textile Market', "
                                      "City = 'Surat', Tin = '24AAKFS9876B1ZU', Ph = '0261-2345678' WHERE Srno = 1"));
        test::seedDefaultChart(year.db());
        year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
        year.session.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
        year.session.dataRoot = dir.path();
        party = test::addAccount(year.db(), QStringLiteral("Ramesh Silk Mills"), 35, 1, QStringLiteral("24-Gujarat"),
                                 QStringLiteral("24AAACR1234K1ZO"));
        year.db().exec(QStringLiteral("UPDATE AccMst SET City = 'Surat', Add1 = 'Ring Road' WHERE Id = ?"), {party});
        year.db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, hsnCode, "
                                      "IsActive, IsNewPro, FirmNO) VALUES (101, '101', 'Rapier 60 Red', 'F', 105, 2.5, 2.5, 1, 1, '5407', 1, 0, 1)"));
        year.db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, hsnCode, "
                                      "IsActive, IsNewPro, FirmNO) VALUES (102, '102', 'Zari Saree', 'F', 1150, 6, 6, 1, 2, '5208', 1, 0, 1)"));
    }

    qint64 saveBill() {
        SalesInvoices s(year.db(), year.session, year.messages);
        SalesBill b;
        b.bookNo = 1;
        b.billNo = QStringLiteral("12");
        b.date = QDate(2024, 8, 14);
        b.partyId = party;
        b.transport = QStringLiteral("Shree Maruti Roadways");
        SalesLine cloth;
        cloth.qualityId = 101;
        cloth.description = QStringLiteral("Lot 7");
        cloth.input.metres = d("100");
        cloth.input.pieces = d("4");
        cloth.input.listRate = d("105");
        cloth.input.sgstPercent = cloth.input.cgstPercent = d("2.5");
        SalesLine saree;
        saree.qualityId = 102;
        saree.input.rateOn = QStringLiteral("P");
        saree.input.pieces = d("10");
        saree.input.listRate = d("1150");
        saree.input.sgstPercent = saree.input.cgstPercent = d("6");
        b.lines = {cloth, saree};
        const auto id = s.save(b);
        EXPECT_TRUE(id);
        return id.value_or(0);
    }

    QTemporaryDir dir;
    test::YearFixture year;
    qint64 party = 0;
};

TEST_F(InvoicePrintTest, PdfShowsTheBillAsTheCustomerReadsIt) {
    const qint64 id = saveBill();
    // An opening balance of 5,000 Dr. plus this bill of 23,905.
    year.db().exec(QStringLiteral("UPDATE AccMst SET DrAmt = 5000 WHERE Id = ?"), {party});
    year.db().exec(QStringLiteral("INSERT INTO AccMstOpBal (Id, OpDate, OpAmount, OpType, FirmNo) VALUES (?, ?, 5000, 'D', 1)"),
                   {party, QDate(2024, 4, 1)});
    const QString path = dir.filePath(invoicePdfName(QStringLiteral("12"), QStringLiteral("Ramesh Silk Mills")) + QStringLiteral(".pdf"));
    EXPECT_TRUE(path.endsWith(QStringLiteral("Sales_InvNo-12_Ramesh Silk Mills.pdf")));
    writeInvoicePdf(year.db(), year.session, dir.path(), id, path);
    test::keepForLooking(path);

    const QString text = test::pdfText(path, false);
    for (const QString& expected :
         {QStringLiteral("TAX INVOICE"), QStringLiteral("Shree Laxmi Textiles"), QStringLiteral("24AAKFS9876B1ZU"),
          QStringLiteral("M/s. Ramesh Silk Mills"), QStringLiteral("GSTIN : 24AAACR1234K1ZO"), QStringLiteral("Invoice No : GST/12"),
          QStringLiteral("Date : 14-08-2024"), QStringLiteral("Transport : Shree Maruti Roadways"), QStringLiteral("Rapier 60 Red Lot 7"),
          QStringLiteral("Zari Saree"), QStringLiteral("5407"), QStringLiteral("10,500.00"), QStringLiteral("11,500.00"),
          QStringLiteral("22,000.00"), QStringLiteral("952.50"), QStringLiteral("23,905.00"),
          QStringLiteral("Rs. Twenty Three Thousand Nine Hundred Five Only."), QStringLiteral("Balance up to bill date : 28905 Dr."),
          QStringLiteral("For Shree Laxmi Textiles")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    // The firm prints three copies of a sales bill unless it sets otherwise: a page for each,
    // labelled as the invoice rules ask for goods that travel.
    ASSERT_EQ(test::pdfPageCount(path), 3);
    EXPECT_TRUE(test::pdfPageText(path, 1, false).contains(QStringLiteral("ORIGINAL FOR RECIPIENT")));
    EXPECT_TRUE(test::pdfPageText(path, 2, false).contains(QStringLiteral("DUPLICATE FOR TRANSPORTER")));
    EXPECT_TRUE(test::pdfPageText(path, 3, false).contains(QStringLiteral("TRIPLICATE FOR SUPPLIER")));
    EXPECT_TRUE(test::pdfPageText(path, 3, false).contains(QStringLiteral("23,905.00")));
    // a bill inside Gujarat is supplied in Gujarat; its SGST and CGST print, the rows it has no
    // amount in (IGST, TCS, TDS, other charges) are left out
    EXPECT_TRUE(text.contains(QStringLiteral("Place of Supply : 24-Gujarat")));
    const QString page = test::pdfPageText(path, 1, false);
    for (const char* shown : {"SGST", "CGST"}) EXPECT_TRUE(page.contains(QLatin1String(shown))) << shown;
    for (const char* absent : {"IGST", "TCS", "TDS", "Other (+/-)"}) EXPECT_FALSE(page.contains(QLatin1String(absent))) << absent;
}

TEST_F(InvoicePrintTest, TheCopiesChosenPrintAndTheFirmsBankAndPlaceOfSupplyFollowTheBill) {
    year.db().exec(QStringLiteral("UPDATE FirmMst SET BankName1 = 'State Bank of India, Ring Road', BankAcno1 = '30123456789', "
                                  "IFSC1 = 'SBIN0001234' WHERE Srno = 1"));
    // goods delivered to the party's godown in Maharashtra: supplied there
    const qint64 godown = test::addAccount(year.db(), QStringLiteral("Ramesh Silk Mills (Bhiwandi)"), 35, 1,
                                           QStringLiteral("27-Maharashtra"), QStringLiteral("27AAACR1234K1ZI"));
    const qint64 id = saveBill();
    year.db().exec(QStringLiteral("UPDATE SalBillMst SET DeliId = ? WHERE Id = ?"), {godown, id});
    const QString path = dir.filePath(QStringLiteral("chosen.pdf"));
    writeInvoicePdf(year.db(), year.session, dir.path(), id, path, 1, {1, 3});
    ASSERT_EQ(test::pdfPageCount(path), 2);
    EXPECT_TRUE(test::pdfPageText(path, 1, false).contains(QStringLiteral("ORIGINAL FOR RECIPIENT")));
    EXPECT_TRUE(test::pdfPageText(path, 2, false).contains(QStringLiteral("TRIPLICATE FOR SUPPLIER")));
    EXPECT_FALSE(test::pdfText(path, false).contains(QStringLiteral("DUPLICATE FOR TRANSPORTER")));
    const QString page = test::pdfPageText(path, 1, false);
    EXPECT_TRUE(page.contains(QStringLiteral("Place of Supply : 27-Maharashtra"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Bank : State Bank of India, Ring Road A/c 30123456789 IFSC SBIN0001234"))) << page.toStdString();
}

TEST_F(InvoicePrintTest, OnePageSetPerCopyLabel) {
    const qint64 id = saveBill();
    // Two copies, each with its label.
    year.db().exec(QStringLiteral("UPDATE FormMst SET PrnNO = 2 WHERE Id = 3"));
    year.db().exec(QStringLiteral("DELETE FROM FormMst_1 WHERE FormId = 3 AND SNo > 2"));
    year.db().exec(QStringLiteral("UPDATE FormMst_1 SET PrnName = 'Original For Buyer' WHERE FormId = 3 AND SNo = 1"));
    year.db().exec(QStringLiteral("UPDATE FormMst_1 SET PrnName = 'Duplicate For Transporter' WHERE FormId = 3 AND SNo = 2"));
    const QString path = dir.filePath(QStringLiteral("copies.pdf"));
    writeInvoicePdf(year.db(), year.session, dir.path(), id, path);
    ASSERT_EQ(test::pdfPageCount(path), 2);
    EXPECT_TRUE(test::pdfPageText(path, 1, false).contains(QStringLiteral("Original For Buyer")));
    EXPECT_TRUE(test::pdfPageText(path, 2, false).contains(QStringLiteral("Duplicate For Transporter")));
    EXPECT_TRUE(test::pdfPageText(path, 2, false).contains(QStringLiteral("23,905.00")));
}

TEST_F(InvoicePrintTest, LayoutFollowsPrintTypeAndSoftwareType) {
    EXPECT_EQ(invoiceLayoutName(1, 1, false), QStringLiteral("INVOICE_S_GST_Embro.rpt"));
    EXPECT_EQ(invoiceLayoutName(2, 3, false), QStringLiteral("INVOICE_S1_GST.rpt"));
    EXPECT_EQ(invoiceLayoutName(3, 4, false), QStringLiteral("INVOICE_P_GST.rpt"));
    EXPECT_EQ(invoiceLayoutName(2, 9, false), QStringLiteral("INVOICE_Rapier_GST_2.rpt"));
    EXPECT_EQ(invoiceLayoutName(1, 1, true), QStringLiteral("INVOICE_P_GST_Embro_1_e.rpt"));
    EXPECT_EQ(invoiceLayoutName(1, 3, true), QStringLiteral("INVOICE_P_GST_1_e.rpt"));
    EXPECT_EQ(challanLayoutName(1, 1, false), QStringLiteral("Chalan_Embro.rpt"));
    EXPECT_EQ(challanLayoutName(2, 3, false), QStringLiteral("Chalan1.rpt"));
    EXPECT_EQ(challanLayoutName(1, 1, true), QStringLiteral("Chalan_Rapier.rpt"));
    EXPECT_EQ(challanPdfName(QStringLiteral("16"), QStringLiteral("Shah/Sons")), QStringLiteral("Sales_ChNo-16_Shah_Sons"));
}

}  // namespace
