// A receipt sent to the party who paid: the text of a bill-wise cash receipt entry, its PDF
// holding that entry alone (the other party of the same voucher stays out), the request the
// WhatsApp service receives, a party without a phone asked for one, and a payment refused.
#include "domain/reports/ReportFolders.h"
#include "domain/vouchers/CashBankVouchers.h"
#include "domain/vouchers/ReceiptMessages.h"
#include "support/FakeServers.h"
#include "support/PdfProbe.h"
#include "support/QtPrinting.h"
#include "support/VoucherFirm.h"
#include "support/YearFixture.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

using namespace tanabana;
using namespace tanabana::vouchers;

namespace {

class ReceiptMessageTest : public test::VoucherTest {
protected:
    void SetUp() override {
        test::VoucherTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) return;
        year().session.firmName = QStringLiteral("Shree Ganesh Textiles");
        QFile file(QDir(year().folder()).filePath(QStringLiteral("WA.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("INST42\nTOKEN9\n\nF\n%1\n\nhttps://files.example/WA_Knvs/\ntrue {file}\n")
                       .arg(whatsApp.address())
                       .toUtf8());
        file.close();
        // Cash receipt 1: Ramesh pays 4,000.00 against GST/1 with receipt R-1, Kiran 500.00 on account.
        CashBankVouchers receipts(db(), year().session, year().messages, CashBankKind::CashReceipt);
        CashBankVoucher v;
        v.kind = CashBankKind::CashReceipt;
        v.date = QDate(2024, 7, 1);
        v.bookNo = 36;
        VoucherEntry ramesh;
        ramesh.partyId = firm().ramesh;
        ramesh.amount = d("4000");
        ramesh.receiptNo = QStringLiteral("R-1");
        ramesh.billWise = true;
        Settlement s;
        s.billId = firm().bill1;
        s.payment = d("4000");
        ramesh.settlements = {s};
        ASSERT_TRUE(receipts.saveEntry(v, ramesh));
        VoucherEntry kiran;
        kiran.partyId = firm().kiran;
        kiran.amount = d("500");
        ASSERT_TRUE(receipts.saveEntry(v, kiran));
        year().messages.clear();
    }
    static QString parameter(const QString& request, const QString& name) {
        return QUrlQuery(QUrl(request).query()).queryItemValue(name, QUrl::FullyDecoded);
    }

    test::FakeHttpServer whatsApp;
};

}  // namespace

TEST_F(ReceiptMessageTest, OneEntrySentWithItsOwnPdf) {
    const QString text = receiptWhatsAppText(db(), year().session, 6, 1, 1);
    EXPECT_EQ(text, QStringLiteral("Receipt No: CRV-1%0aDate :*01-07-2024*%0aM/S :Ramesh Silk Mills%0aAmount :*4000.00*%0a"
                                   "Rec No :R-1%0aAgainst Bill No :1%0aFrom :Shree Ganesh Textiles"));

    whatsApp.answer(R"({"status":"success","message":"queued"})");
    const QDateTime when(QDate(2024, 7, 1), QTime(11, 30, 5));
    ASSERT_TRUE(sendReceiptWhatsApp(db(), year().session, year().messages, 6, 1, 1, QStringLiteral("9824012345"), when));
    for (const Message& m : year().messages.all()) EXPECT_NE(m.kind, MessageKind::Critical) << m.text.toStdString();
    const QString pdf = QDir(reports::whatsAppPdfFolder(year().folder())).filePath(QStringLiteral("CRV_1_01Jul202411305AM_Receipt.pdf"));
    ASSERT_TRUE(QFile::exists(pdf)) << QDir(reports::whatsAppPdfFolder(year().folder())).entryList().join(' ').toStdString();
    const QString printed = test::pdfText(pdf, false);
    EXPECT_TRUE(printed.contains(QStringLiteral("Ramesh Silk Mills")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Four Thousand"))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("Kiran Sarees")));  // the other payer of the voucher
    ASSERT_EQ(whatsApp.requests().size(), 1);
    const QString request = whatsApp.requests().at(0);
    EXPECT_EQ(parameter(request, QStringLiteral("number")), QStringLiteral("919824012345"));
    EXPECT_EQ(parameter(request, QStringLiteral("type")), QStringLiteral("media"));
    EXPECT_EQ(parameter(request, QStringLiteral("filename")), QStringLiteral("Receipt-CRV_1_Ramesh Silk Mills.pdf"));
    EXPECT_EQ(parameter(request, QStringLiteral("message")), QString(text).replace(QStringLiteral("%0a"), QStringLiteral("\n")));
}

TEST_F(ReceiptMessageTest, NoNumberNoPaymentsAndNoSuchEntrySendNothing) {
    // Kiran has no phone and none is given when asked.
    year().messages.inputNext(QString());
    EXPECT_FALSE(sendReceiptWhatsApp(db(), year().session, year().messages, 6, 1, 2));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("No Mobile"), QStringLiteral("Party Mobile no does not Entered")));
    // A payment is not a receipt, and entry 3 does not exist.
    year().messages.clear();
    EXPECT_FALSE(sendReceiptWhatsApp(db(), year().session, year().messages, 5, 1, 1, QStringLiteral("9824012345")));
    EXPECT_FALSE(sendReceiptWhatsApp(db(), year().session, year().messages, 6, 1, 3, QStringLiteral("9824012345")));
    EXPECT_TRUE(year().messages.has(MessageKind::Critical, QStringLiteral("WhatsApp"),
                                    QStringLiteral("Only a saved receipt entry is sent by WhatsApp.")));
    EXPECT_TRUE(whatsApp.requests().isEmpty());
    EXPECT_TRUE(receiptWhatsAppText(db(), year().session, 6, 1, 3).isEmpty());
}

TEST_F(ReceiptMessageTest, PartysWhatsAppNumberPreferredToItsPhone) {
    db().exec(QStringLiteral("UPDATE AccMst SET Phone = ?, WMbNo = ? WHERE Id = ?"),
              {QStringLiteral("0261-2345678"), QStringLiteral("9898011122"), firm().ramesh});
    whatsApp.answer(R"({"status":"success","message":"queued"})");
    ASSERT_TRUE(sendReceiptWhatsApp(db(), year().session, year().messages, 6, 1, 1));
    ASSERT_EQ(whatsApp.requests().size(), 1);
    EXPECT_EQ(parameter(whatsApp.requests().at(0), QStringLiteral("number")), QStringLiteral("919898011122"));
    // Without a WhatsApp number the phone is used.
    db().exec(QStringLiteral("UPDATE AccMst SET Phone = ?, WMbNo = ? WHERE Id = ?"),
              {QStringLiteral("9824099999"), QString(), firm().ramesh});
    ASSERT_TRUE(sendReceiptWhatsApp(db(), year().session, year().messages, 6, 1, 1));
    ASSERT_EQ(whatsApp.requests().size(), 2);
    EXPECT_EQ(parameter(whatsApp.requests().at(1), QStringLiteral("number")), QStringLiteral("919824099999"));
}
