// From a line of the books to the document that posted it, as the operator does it: Enter on a
// line of the day book, a double click on a cheque of the bank reconciliation, and the ledger's
// drill-down of each kind of posted document (sales and purchase bills, the four cash and bank
// vouchers, a journal voucher, an opening bill) open the document's own window at that document.
// A kind without a window says so and opens nothing.
#include "domain/accounts/AccountRegisters.h"
#include "domain/ledger/Journal.h"
#include "domain/vouchers/JournalVouchers.h"
#include "gui/common/LookupField.h"
#include "gui/common/RegisterForm.h"
#include "gui/purchase/PurchaseScreen.h"
#include "gui/reports/BankReconciliationScreen.h"
#include "gui/shell/Commands.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/OpeningSalesScreen.h"
#include "gui/trade/SalesScreen.h"
#include "gui/vouchers/CashBankScreen.h"
#include "gui/vouchers/JournalScreen.h"
#include "support/ScreenProbe.h"
#include "support/VoucherFirm.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QtTest>

using namespace tanabana;
using vouchers::CashBankKind;

namespace {

class DocumentDrillTest : public test::VoucherTest {
protected:
    void SetUp() override {
        test::VoucherTest::SetUp();
        if (IsSkipped() || HasFailure()) return;
        window = std::make_unique<gui::MainWindow>(year().session, year().messages);
        context = std::make_unique<gui::CommandContext>(
            gui::CommandContext{*window, [this] { return &db(); }, year().session, year().messages});
        window->resize(1366, 768);
        window->show();
        // One voucher of each kind, and a journal voucher of a rate difference.
        ASSERT_TRUE(firm().settle(CashBankKind::CashReceipt, QDate(2024, 7, 1), firm().ramesh, firm().bill1, "4000"));
        ASSERT_TRUE(firm().settle(CashBankKind::BankReceipt, QDate(2024, 7, 2), firm().ramesh, firm().bill2, "5250"));
        ASSERT_TRUE(firm().settle(CashBankKind::CashPayment, QDate(2024, 7, 3), firm().weaver, firm().purchase, "250"));
        ASSERT_TRUE(firm().settle(CashBankKind::BankPayment, QDate(2024, 7, 4), firm().weaver, firm().purchase, "5000"));
        vouchers::JournalVouchers journals(db(), year().session, year().messages);
        vouchers::JournalVoucher jv;
        jv.date = QDate(2024, 7, 5);
        vouchers::JournalEntry e;
        e.creditAccId = firm().discount;
        e.debitAccId = firm().kiran;
        e.amount = *Decimal::parse(QStringLiteral("120"));
        jv.entries = {e};
        ASSERT_TRUE(journals.saveWhole(jv));
        journalVoucher = jv.voucherNo;
        year().messages.clear();
    }

    QWidget* last() {
        const auto subs = window->workArea()->subWindowList();
        return subs.isEmpty() ? nullptr : subs.last()->widget();
    }
    int windows() { return int(window->workArea()->subWindowList().size()); }
    qint64 journalOf(int tableCode, qint64 voucherNo) { return ledger::Journal(db(), year().session).journalOf(tableCode, voucherNo); }
    QString field(const char* name) {
        auto* box = last() ? last()->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
        return box ? box->text().trimmed() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }

    std::unique_ptr<gui::MainWindow> window;
    std::unique_ptr<gui::CommandContext> context;
    qint64 journalVoucher = 0;
};

}  // namespace

TEST_F(DocumentDrillTest, EveryPostedKindOpensInItsOwnWindowAtTheDocument) {
    namespace DocumentType = ledger::DocumentType;
    // Bills: the sales bill and the purchase bill show their own numbers.
    ASSERT_TRUE(gui::openPostedDocument(*context, journalOf(DocumentType::Sale, firm().bill2)));
    auto* sales = qobject_cast<gui::SalesScreen*>(last());
    ASSERT_NE(sales, nullptr);
    EXPECT_EQ(sales->billOnScreen().id, firm().bill2);
    ASSERT_GT(journalOf(DocumentType::Purchase, firm().purchase), 0);
    ASSERT_TRUE(gui::openPostedDocument(*context, journalOf(DocumentType::Purchase, firm().purchase)))
        << (year().messages.empty() ? std::string() : year().messages.last().text.toStdString());
    auto* purchase = qobject_cast<gui::PurchaseScreen*>(last());
    ASSERT_NE(purchase, nullptr);
    EXPECT_EQ(purchase->billOnScreen().id, firm().purchase);
    EXPECT_EQ(purchase->billOnScreen().billNo, QStringLiteral("LW/12"));

    // The four vouchers open in the window of their kind with their number and date.
    for (const auto& [tableCode, name, date] : {std::tuple{DocumentType::CashReceipt, "FrmCashReceipt", "01-07-2024"},
                                                std::tuple{DocumentType::BankReceipt, "FrmBankReceipt", "02-07-2024"},
                                                std::tuple{DocumentType::CashPayment, "FRMCashPayment", "03-07-2024"},
                                                std::tuple{DocumentType::BankPayment, "FRMBankPayment", "04-07-2024"}}) {
        const qint64 journal = journalOf(tableCode, 1);
        ASSERT_GT(journal, 0) << tableCode;
        ASSERT_TRUE(gui::openPostedDocument(*context, journal)) << tableCode;
        auto* voucher = qobject_cast<gui::CashBankScreen*>(last());
        ASSERT_NE(voucher, nullptr) << tableCode;
        EXPECT_EQ(voucher->objectName(), QString::fromLatin1(name));
        EXPECT_EQ(field("txtVouNo"), QStringLiteral("1")) << name;
        EXPECT_EQ(voucher->findChild<QDateEdit*>(QStringLiteral("DtpDate"))->date().toString(QStringLiteral("dd-MM-yyyy")), QString::fromLatin1(date)) << name;
    }

    ASSERT_TRUE(gui::openPostedDocument(*context, journalOf(DocumentType::JournalVoucher, journalVoucher)));
    ASSERT_NE(qobject_cast<gui::JournalScreen*>(last()), nullptr);
    EXPECT_EQ(field("txtVouNo"), QString::number(journalVoucher));

    // The opening bill carried from last year opens in the opening bills window.
    ASSERT_TRUE(gui::openDocumentScreen(*context, DocumentType::Sale, firm().opening, true));
    ASSERT_NE(qobject_cast<gui::OpeningSalesScreen*>(last()), nullptr);
    EXPECT_EQ(field("txtBillNo"), QStringLiteral("O/88"));
    EXPECT_TRUE(year().messages.empty());

    // The year-end transfer has no window: the operator is told and nothing opens.
    const int before = windows();
    EXPECT_FALSE(gui::openDocumentScreen(*context, DocumentType::YearEndTransfer, 1));
    EXPECT_EQ(windows(), before);
    ASSERT_FALSE(year().messages.empty());
    EXPECT_EQ(year().messages.last().title, QStringLiteral("Not Available"));
}

TEST_F(DocumentDrillTest, DayBookLineAndReconciliationChequeOpenTheirVouchers) {
    ASSERT_TRUE(window->commands().run(QStringLiteral("mnu_R24"), *context));
    auto* dayBook = qobject_cast<gui::RegisterForm*>(last());
    ASSERT_NE(dayBook, nullptr);
    EXPECT_EQ(dayBook->objectName(), QStringLiteral("FrmRep_DayBook"));
    dayBook->findChild<QDateEdit*>(QStringLiteral("DtpFrom"))->setDate(QDate(2024, 7, 1));
    dayBook->findChild<QDateEdit*>(QStringLiteral("DtpTo"))->setDate(QDate(2024, 7, 31));
    ASSERT_TRUE(dayBook->refresh());
    auto* grid = dayBook->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    int paymentRow = -1;
    for (int r = 0; r < grid->rowCount() && paymentRow < 0; ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (grid->item(r, c) && grid->item(r, c)->text() == QStringLiteral("04-07-24")) paymentRow = r;
    ASSERT_GE(paymentRow, 0);
    grid->setFocus();
    grid->setCurrentCell(paymentRow, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    QApplication::processEvents();
    auto* payment = qobject_cast<gui::CashBankScreen*>(last());
    ASSERT_NE(payment, nullptr);
    EXPECT_EQ(payment->objectName(), QStringLiteral("FRMBankPayment"));

    // The bank reconciliation of the bank book: a double click on the receipt opens it.
    ASSERT_TRUE(window->commands().run(QStringLiteral("mnu_A6"), *context));
    auto* recon = qobject_cast<gui::BankReconciliationScreen*>(last());
    ASSERT_NE(recon, nullptr);
    recon->findChild<gui::LookupField*>(QStringLiteral("txtFirmName"))->setText(QStringLiteral("Bank Current A/c"));
    ASSERT_TRUE(recon->refresh()) << (year().messages.empty() ? "" : year().messages.last().text.toStdString());
    int receiptRow = -1;
    for (int r = 0; r < int(recon->reconciliation()->lines.size()); ++r)
        if (recon->reconciliation()->lines[size_t(r)].tableCode == ledger::DocumentType::BankReceipt) receiptRow = r;
    ASSERT_GE(receiptRow, 0);
    auto* lines = recon->findChild<QTableWidget*>(QStringLiteral("VSResultGrid"));
    emit lines->cellDoubleClicked(receiptRow, 2);
    QApplication::processEvents();
    auto* receipt = qobject_cast<gui::CashBankScreen*>(last());
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->objectName(), QStringLiteral("FrmBankReceipt"));
    test::keepPicture(window.get(), QStringLiteral("drill_bank_receipt"));
}
