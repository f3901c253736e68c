// The firm, account, group, opening balance and book screens of a small Surat firm driven by key
// clicks on the offscreen platform, on both engines (TANABANA_BOTH_ENGINES): an account typed with
// the keyboard alone, refusals shown with their exact title and text and nothing written, a closed
// year refusing the firm's save. Set TANABANA_SCREENSHOTS to a folder to keep pictures.
#include "domain/masters/AccountMaster.h"
#include "domain/shell/FirmSettings.h"
#include "gui/common/SelectionGrid.h"
#include "gui/common/Style.h"
#include "gui/masters/AccountScreens.h"
#include "gui/masters/BookScreens.h"
#include "gui/masters/FirmScreen.h"
#include "gui/masters/MasterCommands.h"
#include "gui/shell/MainWindow.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/ScreenProbe.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

const QString kFirm = QStringLiteral("Shree Ganesh Textiles");

using test::keepPicture;

void show(QWidget* w) {
    w->resize(1200, 760);
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

// The widget the operator is typing in; the line edit of an editable list counts as the list.
QWidget* focused() {
    QWidget* w = QApplication::focusWidget();
    if (w && qobject_cast<QComboBox*>(w->parentWidget())) return w->parentWidget();
    return w;
}

// Types into whatever has the focus and leaves it with Enter.
void typeHere(const QString& text) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_TRUE(w);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    if (!text.isEmpty()) QTest::keyClicks(w, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// Enter until the focus reaches the named widget (at most `limit` fields on the way).
void enterUntil(QWidget* screen, const QString& name, int limit = 80) {
    for (int i = 0; i < limit && (!focused() || focused()->objectName() != name); ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(focused()) << qPrintable(name);
    ASSERT_EQ(focused()->objectName(), name);
}

void typeInto(QWidget* screen, const QString& name, const QString& text) {
    QWidget* w = screen->findChild<QWidget*>(name);
    ASSERT_TRUE(w) << qPrintable(name);
    QApplication::setActiveWindow(w->window());
    w->setFocus();
    typeHere(text);
}

void press(QWidget* screen, const QString& button) {
    auto* b = screen->findChild<QPushButton*>(button);
    ASSERT_TRUE(b) << qPrintable(button);
    QApplication::setActiveWindow(b->window());
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Return);
}

void choose(QWidget* screen, const QString& name, const QString& entry) {
    auto* combo = screen->findChild<QComboBox*>(name);
    ASSERT_TRUE(combo) << qPrintable(name);
    const int i = combo->findText(entry);
    ASSERT_GE(i, 0) << qPrintable(entry);
    combo->setCurrentIndex(i);
}

QString text(QWidget* screen, const QString& name) {
    if (auto* e = screen->findChild<QLineEdit*>(name)) return e->text();
    if (auto* c = screen->findChild<QComboBox*>(name)) return c->currentText();
    return {};
}

class MasterScreens : public ::testing::Test {
protected:
    void SetUp() override {
        TANABANA_REQUIRE_ENGINE();
        gui::applyApplicationStyle(*qApp);
        year = std::make_unique<test::YearFixture>();
        test::seedDefaultChart(db());
        shell::loadFirmSettings(db(), year->session, 1);
    }
    db::Database& db() { return year->db(); }
    Session& session() { return year->session; }
    RecordingMessages& messages() { return year->messages; }
    db::Row account(const QString& name) {
        return *db().queryOne(QStringLiteral("SELECT * FROM AccMst WHERE AcName = ? AND FirmNo = 1 AND IsGrp = 0"), {name});
    }
    std::unique_ptr<test::YearFixture> year;
};

}  // namespace

TEST_F(MasterScreens, AccountTypedWithTheKeyboardAloneAndDuplicatesRefused) {
    gui::AccountScreen screen(session(), nullptr, &messages());
    show(&screen);
    const int before = year->count(QStringLiteral("AccMst"));
    // the cursor starts in the name; Enter walks the fields in the order of the form
    ASSERT_EQ(focused()->objectName(), QStringLiteral("AcName"));
    typeHere(QStringLiteral("Ramesh Silk Mills"));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("GrpNo"));
    typeHere(QStringLiteral("35"));
    typeHere(QStringLiteral("12, Ring Road"));
    typeHere(QStringLiteral("Opp. \"Textile Market\""));
    typeHere({});
    typeHere(QStringLiteral("Surat"));
    enterUntil(&screen, QStringLiteral("Phone"));
    typeHere(QStringLiteral("9825012345"));
    typeHere(QStringLiteral("395002"));
    typeHere(QStringLiteral("Ramesh Shah"));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("CSTNo"));
    typeHere(QStringLiteral("24"));  // picks "24-Gujarat" from the state list
    EXPECT_EQ(text(&screen, QStringLiteral("CSTNo")), QStringLiteral("24-Gujarat"));
    // a GSTIN one character short is refused on leaving the box, which keeps the cursor
    typeHere(QStringLiteral("24AABCR1234F1Z"));
    EXPECT_TRUE(messages().has(MessageKind::Critical, QStringLiteral("GSTIN Mismatch"), QStringLiteral("GSTIN Is Not 15 Character")));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("TinNo"));
    typeHere(QStringLiteral("24AABCR1234F1ZY"));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("IsOgs"));
    enterUntil(&screen, QStringLiteral("CrLimit"));
    typeHere(QStringLiteral("500000"));
    typeHere(QStringLiteral("45"));
    typeHere(QStringLiteral("18"));
    keepPicture(&screen, QStringLiteral("FrmAccMstNew"));
    enterUntil(&screen, QStringLiteral("cmd_save"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    ASSERT_EQ(year->count(QStringLiteral("AccMst")), before + 1) << qPrintable(messages().empty() ? QString() : messages().last().text);
    const db::Row saved = account(QStringLiteral("Ramesh Silk Mills"));
    EXPECT_EQ(saved.text(QStringLiteral("LedgerId")), QStringLiteral("35R001"));
    EXPECT_EQ(saved.text(QStringLiteral("Add2")), QStringLiteral("Opp. \"Textile Market\""));
    EXPECT_EQ(saved.text(QStringLiteral("City")), QStringLiteral("Surat"));
    EXPECT_EQ(saved.text(QStringLiteral("CSTNo")), QStringLiteral("24-Gujarat"));
    EXPECT_EQ(saved.text(QStringLiteral("TinNo")), QStringLiteral("24AABCR1234F1ZY"));
    EXPECT_EQ(saved.number(QStringLiteral("CrLimit")), 500000.0);
    EXPECT_EQ(saved.integer(QStringLiteral("CrDays")), 45);
    EXPECT_EQ(saved.number(QStringLiteral("IntRate")), 18.0);
    EXPECT_EQ(saved.text(QStringLiteral("EcNo")), QStringLiteral("0"));  // a regular GST party
    EXPECT_EQ(saved.text(QStringLiteral("CityG")), QStringLiteral("R"));
    EXPECT_EQ(saved.text(QStringLiteral("P_Country")), QStringLiteral("INDIA"));
    EXPECT_TRUE(saved.flag(QStringLiteral("Active")));
    EXPECT_FALSE(saved.flag(QStringLiteral("IsOgs")));
    // the form is ready for the next account and the list shows the new one
    EXPECT_EQ(text(&screen, QStringLiteral("AcName")), QString());
    EXPECT_EQ(focused()->objectName(), QStringLiteral("AcName"));
    screen.findBox()->setText(QStringLiteral("rames"));
    ASSERT_EQ(screen.list()->rowCount(), 1);
    EXPECT_EQ(screen.list()->item(0, 2)->text(), QStringLiteral("35R001"));

    // the same name with the same GSTIN is refused with the firm's name, nothing written
    typeInto(&screen, QStringLiteral("AcName"), QStringLiteral("Ramesh Silk Mills"));
    typeHere(QStringLiteral("35"));
    choose(&screen, QStringLiteral("CSTNo"), QStringLiteral("24-Gujarat"));
    typeInto(&screen, QStringLiteral("TinNo"), QStringLiteral("24AABCR1234F1ZY"));
    press(&screen, QStringLiteral("cmd_save"));
    EXPECT_EQ(messages().last().title, QStringLiteral("A/c Duplicate"));
    EXPECT_EQ(messages().last().text, QStringLiteral("This A/C Name in Firm :") + kFirm + QStringLiteral(" Is Exist \n Please Enter Another NAme"));
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), before + 1);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("AcName"));

    // an IGST party in the firm's own state is refused when the choice is left
    choose(&screen, QStringLiteral("IsOgs"), QStringLiteral("Yes"));
    emit static_cast<QComboBox*>(screen.field(QStringLiteral("IsOgs")))->activated(1);
    EXPECT_EQ(messages().last().title, QStringLiteral("Same State Name Found"));
    EXPECT_EQ(messages().last().text, QStringLiteral("IGST Party State Shold not Same "));
}

TEST_F(MasterScreens, OpenedAccountKeepsItsCodeAndDeleteAsksFirst) {
    const qint64 id = test::addAccount(db(), QStringLiteral("Krishna Creation"), 35);
    gui::AccountScreen screen(session(), nullptr, &messages());
    show(&screen);
    screen.findBox()->setText(QStringLiteral("Krish"));
    screen.list()->setFocus();
    screen.list()->selectRow(0);
    QTest::keyClick(screen.list(), Qt::Key_Return);
    EXPECT_EQ(screen.currentKey(), id);
    EXPECT_EQ(text(&screen, QStringLiteral("LedgerId")), QStringLiteral("35K001"));
    EXPECT_EQ(text(&screen, QStringLiteral("GrpNo")), QStringLiteral("35  Sundry Debtors"));
    typeInto(&screen, QStringLiteral("City"), QStringLiteral("Navsari"));
    choose(&screen, QStringLiteral("Is_Item_RNd"), QStringLiteral("Yes"));
    press(&screen, QStringLiteral("cmd_save"));
    for (const Message& m : messages().all()) EXPECT_NE(m.title, QStringLiteral("A/c Code Change"));
    EXPECT_EQ(account(QStringLiteral("Krishna Creation")).text(QStringLiteral("City")), QStringLiteral("Navsari"));
    // "Taxable Amt Rnd off" Yes is the 2 a purchase reads as "round each line's GST to rupees".
    EXPECT_EQ(account(QStringLiteral("Krishna Creation")).number(QStringLiteral("Is_Item_RNd")), 2.0);
    EXPECT_EQ(account(QStringLiteral("Krishna Creation")).text(QStringLiteral("LedgerId")), QStringLiteral("35K001"));

    // deleting asks; No keeps the account
    screen.findBox()->setText(QStringLiteral("Krish"));
    screen.list()->setFocus();
    screen.list()->selectRow(0);
    QTest::keyClick(screen.list(), Qt::Key_Return);
    messages().answerNext(false);
    press(&screen, QStringLiteral("cmd_Delete"));
    EXPECT_TRUE(messages().has(MessageKind::Question, QStringLiteral("Delete Confirm"), QStringLiteral("Are you sure to delete this Account")));
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("Id = ?"), {id}), 1);
}

TEST_F(MasterScreens, TickedAccountsOfAGroupAreCopiedToAnotherFirm) {
    year->addFirm(2, QStringLiteral("Shree Krishna Weaving"));
    test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
    test::addAccount(db(), QStringLiteral("Krishna Creation"), 35);
    const qint64 closed = test::addAccount(db(), QStringLiteral("Old Party"), 35);
    db().exec(QStringLiteral("UPDATE AccMst SET Active = 0, DrAmt = 900 WHERE Id = ?"), {closed});
    db().exec(QStringLiteral("UPDATE AccMst SET DrAmt = 5000 WHERE AcName = 'Ramesh Silk Mills'"));
    gui::AccountScreen screen(session(), nullptr, &messages());
    show(&screen);
    int offered = -1;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        auto* group = dialog->findChild<QComboBox*>(QStringLiteral("ComGroup"));
        group->setCurrentIndex(group->findData(35));
        auto* grid = dialog->findChild<gui::SelectionGrid*>(QStringLiteral("grdAccounts"));
        offered = grid->rowCount();
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->item(row, 1)->text() == QLatin1String("Ramesh Silk Mills")) grid->setTicked(row, true);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    press(&screen, QStringLiteral("cmdCopyToFirm"));
    EXPECT_EQ(offered, 2);  // the inactive party is not offered
    EXPECT_TRUE(messages().has(MessageKind::Information, QStringLiteral("Save Confirmation"), QStringLiteral("Ac Party is Transferd")));
    const auto copied = db().queryOne(QStringLiteral("SELECT LedgerId, DrAmt FROM AccMst WHERE FirmNo = 2 AND AcName = 'Ramesh Silk Mills'"));
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->text(QStringLiteral("LedgerId")), QStringLiteral("35R001"));
    EXPECT_EQ(copied->number(QStringLiteral("DrAmt")), 0.0);  // balances stay with the firm they belong to
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 2")), 1);
}

TEST_F(MasterScreens, ClosedYearRefusesTheFirmAndItsAccounts) {
    db().exec(QStringLiteral("UPDATE FirmMst SET IsYrEnd = 1 WHERE Srno = 1"));
    gui::FirmScreen firm(session(), nullptr, &messages());
    show(&firm);
    firm.list()->setFocus();
    firm.list()->selectRow(0);
    QTest::keyClick(firm.list(), Qt::Key_Return);
    EXPECT_EQ(text(&firm, QStringLiteral("PName")), kFirm);
    typeInto(&firm, QStringLiteral("Owner"), QStringLiteral("Ganesh Patel"));
    press(&firm, QStringLiteral("cmd_save"));
    EXPECT_EQ(messages().last().title, QStringLiteral("Year End Done"));
    EXPECT_EQ(messages().last().text, QStringLiteral("Year End Is Completed! \n You Can't Modify/Delete"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Owner FROM FirmMst WHERE Srno = 1")).toString(), QString());

    gui::AccountScreen accounts(session(), nullptr, &messages());
    show(&accounts);
    const int before = year->count(QStringLiteral("AccMst"));
    typeInto(&accounts, QStringLiteral("AcName"), QStringLiteral("Ramesh Silk Mills"));
    typeHere(QStringLiteral("35"));
    press(&accounts, QStringLiteral("cmd_save"));
    EXPECT_EQ(messages().last().title, QStringLiteral("Year End Done"));
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), before);
}

TEST_F(MasterScreens, NewFirmGetsItsChartAndBooksAndGstinIsCheckedAgainstTheState) {
    gui::FirmScreen screen(session(), nullptr, &messages());
    show(&screen);
    ASSERT_EQ(focused()->objectName(), QStringLiteral("PName"));
    typeHere(QStringLiteral("Shree Krishna Weaving"));
    typeHere(QStringLiteral("Krishna Patel"));
    typeHere(QStringLiteral("Plot 14, G.I.D.C., Sachin"));
    typeHere(QStringLiteral("Surat"));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("CST"));
    typeHere(QStringLiteral("27"));
    EXPECT_EQ(text(&screen, QStringLiteral("CST")), QStringLiteral("27-Maharashtra"));
    typeHere(QStringLiteral("24AABCS1234F1ZX"));
    EXPECT_EQ(messages().last().title, QStringLiteral("GSTIN Mismatch"));
    EXPECT_EQ(messages().last().text, QStringLiteral("GSTIN State Code Problem"));
    EXPECT_EQ(focused()->objectName(), QStringLiteral("Tin"));
    choose(&screen, QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
    typeInto(&screen, QStringLiteral("Tin"), QStringLiteral("24AABCS1234F1ZX"));
    EXPECT_EQ(focused()->objectName(), QStringLiteral("PanNO"));
    // F10 opens the system parameters
    EXPECT_FALSE(screen.systemParameters()->isVisible());
    QTest::keyClick(&screen, Qt::Key_F10);
    ASSERT_TRUE(screen.systemParameters()->isVisible());
    EXPECT_EQ(screen.keyHints(), QStringLiteral("F10 = System Param"));
    choose(&screen, QStringLiteral("Soft_Type"), QStringLiteral("09 Production"));
    keepPicture(&screen, QStringLiteral("FrmFirm"));
    press(&screen, QStringLiteral("cmd_save"));
    ASSERT_EQ(year->count(QStringLiteral("FirmMst")), 2) << qPrintable(messages().empty() ? QString() : messages().last().text);
    const db::Row firm = *db().queryOne(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = 2"));
    EXPECT_EQ(firm.text(QStringLiteral("PName")), QStringLiteral("Shree Krishna Weaving"));
    EXPECT_EQ(firm.text(QStringLiteral("Tin")), QStringLiteral("24AABCS1234F1ZX"));
    EXPECT_EQ(firm.integer(QStringLiteral("Soft_Type")), 9);
    EXPECT_EQ(firm.text(QStringLiteral("FirmType")), QStringLiteral("1. Proprietor"));
    EXPECT_TRUE(firm.flag(QStringLiteral("Is_Sales_RndOff")));
    EXPECT_EQ(firm.date(QStringLiteral("StartDt")), QDate(2024, 4, 1));
    EXPECT_EQ(firm.date(QStringLiteral("ENdDt")), QDate(2025, 3, 31));
    // the chart of the template and firm 1's books
    EXPECT_GT(year->count(QStringLiteral("AccMst"), QStringLiteral("FirmNo = 2")), 20);
    EXPECT_EQ(year->count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 2")), year->count(QStringLiteral("BookMst"), QStringLiteral("FirmNO = 1")));
    EXPECT_EQ(screen.list()->rowCount(), 2);

    // a second firm of the same name is refused and nothing is copied
    const int accountsBefore = year->count(QStringLiteral("AccMst"));
    typeInto(&screen, QStringLiteral("PName"), QStringLiteral("Shree Krishna Weaving"));
    press(&screen, QStringLiteral("cmd_save"));
    EXPECT_EQ(messages().last().title, QStringLiteral("Duplicate Name"));
    EXPECT_EQ(messages().last().text, QStringLiteral("This Name Is Exist, Please Enter Another NAme"));
    EXPECT_EQ(year->count(QStringLiteral("FirmMst")), 2);
    EXPECT_EQ(year->count(QStringLiteral("AccMst")), accountsBefore);
}

TEST_F(MasterScreens, GroupsAndOpeningBalances) {
    gui::GroupScreen groups(session(), nullptr, &messages());
    show(&groups);
    typeHere(QStringLiteral("43"));
    typeHere(QStringLiteral("Advances To Staff"));
    enterUntil(&groups, QStringLiteral("cmd_save"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE IsGrp = 1 AND GrpNo = 43 AND FirmNo = 1")).toString(),
              QStringLiteral("430000"));
    auto* assets = groups.rangeList(2);
    EXPECT_FALSE(assets->findItems(QStringLiteral("43  Advances To Staff"), Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(groups.rangeList(3)->findItems(QStringLiteral("72  Capital Account"), Qt::MatchExactly).isEmpty());
    keepPicture(&groups, QStringLiteral("FrmAccGrpMst"));
    // typing a number that exists opens that group; a group with accounts cannot go
    typeInto(&groups, QStringLiteral("GrpNo"), QStringLiteral("36"));
    EXPECT_EQ(text(&groups, QStringLiteral("AcName")), QStringLiteral("Bank Accounts"));
    press(&groups, QStringLiteral("cmd_Delete"));
    EXPECT_EQ(messages().last().title, QStringLiteral("A/C FOUND!"));
    EXPECT_EQ(messages().last().text, QStringLiteral("There is A/c Entry under this Group"));
    EXPECT_EQ(year->count(QStringLiteral("AccMst"), QStringLiteral("IsGrp = 1 AND GrpNo = 36 AND FirmNo = 1")), 1);

    const qint64 ramesh = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
    gui::OpeningBalanceScreen balances(session(), nullptr, &messages());
    show(&balances);
    ASSERT_EQ(focused()->objectName(), QStringLiteral("Id"));
    typeHere(QStringLiteral("Ramesh"));
    typeHere({});  // the year's first day
    typeHere(QStringLiteral("C"));  // Credit
    typeHere(QStringLiteral("25000"));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("cmd_save"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const auto row = db().queryOne(QStringLiteral("SELECT OpAmount, OpType, OpDate FROM AccMstOpBal WHERE Id = ?"), {ramesh});
    ASSERT_TRUE(row) << qPrintable(messages().empty() ? QString() : messages().last().text);
    EXPECT_EQ(row->number(QStringLiteral("OpAmount")), 25000.0);
    EXPECT_EQ(row->text(QStringLiteral("OpType")), QStringLiteral("C"));
    EXPECT_EQ(row->date(QStringLiteral("OpDate")), QDate(2024, 4, 1));
    EXPECT_EQ(account(QStringLiteral("Ramesh Silk Mills")).number(QStringLiteral("CrAmt")), 25000.0);
    EXPECT_EQ(account(QStringLiteral("Ramesh Silk Mills")).number(QStringLiteral("DrAmt")), 0.0);
    ASSERT_EQ(balances.list()->rowCount(), 1);
    EXPECT_EQ(balances.list()->item(0, 4)->text(), QStringLiteral("25,000.00"));
    EXPECT_EQ(balances.list()->item(0, 3)->text(), QStringLiteral("01-04-2024"));
    EXPECT_EQ(balances.totalsText(), QStringLiteral("Total Debit : 0.00    Total Credit : 25,000.00    Difference : 25,000.00 Cr"));
    keepPicture(&balances, QStringLiteral("FrmAccMstOpBal"));

    // the sales account carries no opening balance: not offered, and refused when typed
    typeInto(&balances, QStringLiteral("Id"), QStringLiteral("Sales"));
    typeInto(&balances, QStringLiteral("OpAmount"), QStringLiteral("100"));
    press(&balances, QStringLiteral("cmd_save"));
    EXPECT_EQ(messages().last().title, QStringLiteral("No A/c Found"));
    EXPECT_EQ(messages().last().text, QStringLiteral("Please Select A/c Name"));
    EXPECT_EQ(year->count(QStringLiteral("AccMstOpBal")), 1);
}

TEST_F(MasterScreens, SalesBookWithItsAccountsAndABookWithoutAccountRefused) {
    gui::BookScreen screen(session(), masters::BookKind::SalesPurchase, nullptr, &messages());
    show(&screen);
    const int before = year->count(QStringLiteral("BookMst"));
    ASSERT_EQ(focused()->objectName(), QStringLiteral("BookType"));
    // nothing chosen for either account
    typeInto(&screen, QStringLiteral("BookShortName"), QStringLiteral("EXP/"));
    press(&screen, QStringLiteral("cmd_save"));
    EXPECT_EQ(messages().last().title, QStringLiteral("No Account Name Found"));
    EXPECT_EQ(messages().last().text, QStringLiteral("Please Select Account Name For Book"));
    EXPECT_EQ(year->count(QStringLiteral("BookMst")), before);

    const QString salesCode = db().scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE AcName = ? AND FirmNo = 1 AND IsGrp = 0"),
                                          {masters::chart::Sales}).toString();
    choose(&screen, QStringLiteral("BillType"), QStringLiteral("Export"));
    typeInto(&screen, QStringLiteral("SaleId"), salesCode);
    typeHere(QStringLiteral("Export Sales"));
    keepPicture(&screen, QStringLiteral("FrmBookMst"));
    press(&screen, QStringLiteral("cmd_save"));
    ASSERT_EQ(year->count(QStringLiteral("BookMst")), before + 1) << qPrintable(messages().last().text);
    const qint64 highest = db().scalar(QStringLiteral("SELECT max(BookNO) FROM BookMst")).toLongLong();
    const db::Row book = *db().queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = ? AND FirmNO = 1"), {highest});
    EXPECT_EQ(book.text(QStringLiteral("BookType")), QStringLiteral("S"));
    EXPECT_EQ(book.text(QStringLiteral("BookShortName")), QStringLiteral("EXP/"));
    EXPECT_EQ(book.text(QStringLiteral("SalesName")), QStringLiteral("Export Sales"));
    EXPECT_EQ(book.text(QStringLiteral("BillType")), QStringLiteral("Export"));
    EXPECT_EQ(book.integer(QStringLiteral("SaleId")), test::accountId(db(), masters::chart::Sales));
    EXPECT_EQ(book.text(QStringLiteral("CL3")), QStringLiteral("Description"));
    EXPECT_EQ(book.integer(QStringLiteral("A1")), 0);  // no automatic GST accounts without the tick
    EXPECT_EQ(screen.list()->item(screen.list()->rowCount() - 1, 3)->text(), QStringLiteral("EXP/"));

    gui::BookScreen cash(session(), masters::BookKind::CashBank, nullptr, &messages());
    show(&cash);
    EXPECT_GE(cash.list()->rowCount(), 2);  // the firm's cash and bank books
    keepPicture(&cash, QStringLiteral("FrmBookMstCash"));
}

TEST_F(MasterScreens, MenuCommandsOpenTheScreensInTheMainWindow) {
    gui::CommandRegistry registry;
    gui::registerAllCommands(registry);
    gui::MainWindow window(session(), messages());
    gui::CommandContext context{window, [this] { return &db(); }, session(), messages()};
    const std::pair<const char*, const char*> commands[] = {{"Mnu_M1", "FrmAccMstNew"}, {"mnu_T5", "FrmAccMstOpBal"},
                                                            {"mnu_Y1", "FrmFirm"},      {"mnu_Y21", "FrmBookMst"},
                                                            {"mnu_Y22", "FrmBookMstCash"}, {"mnu_Y24", "FrmAccGrpMst"}};
    for (const auto& [command, windowName] : commands) {
        ASSERT_TRUE(registry.run(QString::fromLatin1(command), context)) << command;
        QMdiSubWindow* child = window.workArea()->activeSubWindow();
        ASSERT_TRUE(child) << command;
        EXPECT_EQ(child->widget()->objectName(), QString::fromLatin1(windowName));
    }
    EXPECT_EQ(window.workArea()->subWindowList().size(), 6);
    EXPECT_EQ(window.menuLetter(), QLatin1Char('M'));  // the firm step leads to the Master menu next
}

TEST_F(MasterScreens, PercentsAndLimitsSurviveOpeningAndSavingAgain) {
    // a TCS of 0.075% (a rate the law once gave) and a TDS of 0.1% must not come back rounded
    db().exec(QStringLiteral("UPDATE FirmMst SET FirmTcsP = 0.075, RCM_Limit = 5000, CrLimit = 2500000.5 WHERE Srno = 1"));
    gui::FirmScreen firm(session(), nullptr, &messages());
    show(&firm);
    firm.list()->setCurrentCell(0, 0);
    QTest::keyClick(firm.list(), Qt::Key_Return);
    ASSERT_EQ(firm.currentKey(), 1);
    EXPECT_EQ(text(&firm, QStringLiteral("FirmTcsP")), QStringLiteral("0.075"));
    EXPECT_EQ(text(&firm, QStringLiteral("CrLimit")), QStringLiteral("2500000.50"));
    press(&firm, QStringLiteral("cmd_save"));
    const db::Row saved = *db().queryOne(QStringLiteral("SELECT FirmTcsP, RCM_Limit, CrLimit FROM FirmMst WHERE Srno = 1"));
    EXPECT_EQ(Decimal::fromVariant(saved.value(QStringLiteral("FirmTcsP"))), *Decimal::parse(QStringLiteral("0.075")));
    EXPECT_EQ(Decimal::fromVariant(saved.value(QStringLiteral("RCM_Limit"))), Decimal(5000));
    EXPECT_EQ(Decimal::fromVariant(saved.value(QStringLiteral("CrLimit"))), *Decimal::parse(QStringLiteral("2500000.5")));
    EXPECT_EQ(shell::FirmSettings(session()).tcsPercent(), *Decimal::parse(QStringLiteral("0.075")));

    const qint64 party = test::addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
    db().exec(QStringLiteral("UPDATE AccMst SET TDSP = 0.1, IntRate = 1.125 WHERE Id = ?"), {party});
    gui::AccountScreen accounts(session(), nullptr, &messages());
    show(&accounts);
    int row = -1;
    for (int r = 0; r < accounts.list()->rowCount(); ++r)
        if (accounts.list()->item(r, 0)->text() == QStringLiteral("Ramesh Silk Mills")) row = r;
    ASSERT_GE(row, 0);
    accounts.list()->setCurrentCell(row, 0);
    QTest::keyClick(accounts.list(), Qt::Key_Return);
    ASSERT_EQ(accounts.currentKey(), party);
    EXPECT_EQ(text(&accounts, QStringLiteral("IntRate")), QStringLiteral("1.125"));
    press(&accounts, QStringLiteral("cmd_save"));
    EXPECT_EQ(Decimal::fromVariant(account(QStringLiteral("Ramesh Silk Mills")).value(QStringLiteral("IntRate"))), *Decimal::parse(QStringLiteral("1.125")));
    EXPECT_EQ(Decimal::fromVariant(account(QStringLiteral("Ramesh Silk Mills")).value(QStringLiteral("TDSP"))), *Decimal::parse(QStringLiteral("0.1")));
}
