// The habits every screen shares, tried by an operator of a small Surat firm with the keyboard
// alone on a 1366x768 screen: a number typo refused with the cursor kept and nothing saved, dates
// typed in the short forms of an Indian office, the first key typed landing in the first field.
// Set TANABANA_SCREENSHOTS to a folder to keep pictures.
#include "domain/shell/FirmSettings.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/Style.h"
#include "gui/common/TypedFields.h"
#include "gui/common/MasterForm.h"
#include "gui/common/ScreenHabits.h"
#include "gui/masters/AccountScreens.h"
#include "gui/reports/PreviewWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/trade/TradePrinting.h"
#include "domain/trade/SalesInvoices.h"
#include "support/PdfProbe.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"
#include "support/ScreenProbe.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QAction>
#include <QMenuBar>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

using test::keepPicture;

void showWindow(QWidget* w) {
    w->resize(1366, 700);
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

QString focusedName() {
    QWidget* w = QApplication::focusWidget();
    if (w && (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget()))) w = w->parentWidget();
    return w ? w->objectName() : QString();
}

// Types over whatever has the focus and leaves it with Enter.
void typeInFocus(const QString& text) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_TRUE(w);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    if (!text.isEmpty()) QTest::keyClicks(w, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

void enterTill(const QString& name, int limit = 60) {
    for (int i = 0; i < limit && focusedName() != name; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(focusedName(), name);
}

class ScreenHabits : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        test::seedDefaultChart(year.db());
        shell::loadFirmSettings(year.db(), year.session, 1);
    }
    test::YearFixture year;
};

}  // namespace

TEST_F(ScreenHabits, ANumberTypoIsRefusedNamingTheFieldAndKeepsTheCursor) {
    gui::AccountScreen screen(year.session, nullptr, &year.messages);
    showWindow(&screen);
    const int before = year.count(QStringLiteral("AccMst"));
    typeInFocus(QStringLiteral("Ramesh Silk Mills"));
    typeInFocus(QStringLiteral("35"));
    enterTill(QStringLiteral("CrLimit"));
    // an O typed for a zero: refused on Enter, the cursor stays with the text selected
    typeInFocus(QStringLiteral("50O000"));
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Wrong Number"), QStringLiteral("Cr. Limit takes a number: 50O000 is not one.")));
    ASSERT_EQ(focusedName(), QStringLiteral("CrLimit"));
    auto* limit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    EXPECT_EQ(limit->selectedText(), QStringLiteral("50O000"));
    // Tab does not slip past it either
    QTest::keyClick(limit, Qt::Key_Tab);
    EXPECT_EQ(focusedName(), QStringLiteral("CrLimit"));
    // nor does a save: the refusal comes again and no account is written
    year.messages.clear();
    screen.button(QStringLiteral("cmd_save"))->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Wrong Number"), QStringLiteral("Cr. Limit takes a number: 50O000 is not one.")));
    EXPECT_EQ(year.count(QStringLiteral("AccMst")), before);
    EXPECT_EQ(focusedName(), QStringLiteral("CrLimit"));

    // two decimal points, a minus sign and a figure too long are refused the same way
    typeInFocus(QStringLiteral("2.52.5"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Cr. Limit takes a number: 2.52.5 is not one."));
    typeInFocus(QStringLiteral("-500"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Cr. Limit cannot be negative."));
    typeInFocus(QStringLiteral("5000000000000"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Cr. Limit is too long: at most 12 digits before the point."));
    ASSERT_EQ(focusedName(), QStringLiteral("CrLimit"));

    // corrected, the account is saved with the figure typed
    year.messages.clear();
    typeInFocus(QStringLiteral("500000"));
    EXPECT_EQ(focusedName(), QStringLiteral("CrDays"));
    EXPECT_TRUE(year.messages.empty());
    screen.button(QStringLiteral("cmd_save"))->click();
    ASSERT_EQ(year.count(QStringLiteral("AccMst")), before + 1) << qPrintable(year.messages.empty() ? QString() : year.messages.last().text);
    EXPECT_EQ(year.db().scalar(QStringLiteral("SELECT CrLimit FROM AccMst WHERE AcName = ?"), {QStringLiteral("Ramesh Silk Mills")}).toDouble(),
              500000.0);
}

TEST_F(ScreenHabits, TheEnterThatTakesACompletionAlsoMovesOn) {
    // cities and party groups already typed on other accounts are offered while typing
    const qint64 known = test::addAccount(year.db(), QStringLiteral("Mahavir Fabrics"), 35);
    year.db().exec(QStringLiteral("UPDATE AccMst SET City = 'Surat', ZoneName = 'Ring Road Market' WHERE Id = ?"), {known});
    gui::AccountScreen screen(year.session, nullptr, &year.messages);
    showWindow(&screen);
    auto* city = qobject_cast<QComboBox*>(screen.field(QStringLiteral("City")));
    city->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Sur"));
    QAbstractItemView* offered = city->completer()->popup();
    ASSERT_TRUE(offered->isVisible());
    QTest::keyClick(offered, Qt::Key_Down);
    QTest::keyClick(offered, Qt::Key_Return);
    EXPECT_EQ(city->currentText(), QStringLiteral("Surat"));
    ASSERT_EQ(focusedName(), QStringLiteral("ZoneName"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ring"));
    QAbstractItemView* groups = qobject_cast<QComboBox*>(screen.field(QStringLiteral("ZoneName")))->completer()->popup();
    ASSERT_TRUE(groups->isVisible());
    QTest::keyClick(groups, Qt::Key_Down);
    QTest::keyClick(groups, Qt::Key_Return);
    // typed fast, the phone and the PIN each land in their own field
    ASSERT_EQ(focusedName(), QStringLiteral("Phone"));
    typeInFocus(QStringLiteral("9825012345"));
    typeInFocus(QStringLiteral("395002"));
    EXPECT_EQ(screen.values().value(QStringLiteral("Phone")).toString(), QStringLiteral("9825012345"));
    EXPECT_EQ(screen.values().value(QStringLiteral("PinCode")).toString(), QStringLiteral("395002"));
    EXPECT_EQ(screen.values().value(QStringLiteral("ZoneName")).toString(), QStringLiteral("Ring Road Market"));
}

TEST_F(ScreenHabits, DatesTypedInShortFormsAreReadAndImpossibleOnesRefused) {
    // a box of the sales screens' kind in a small form of the year 2024-25
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    gui::DateBox* date = gui::dateBox(QStringLiteral("DtpBillDate"));
    date->setFinancialYear(year.session.yearStartDate, year.session.yearEndDate);
    auto* label = new QLabel(QStringLiteral("Bill Date :"));
    label->setBuddy(date);
    gui::NumberBox* mtrs = gui::amountBox(QStringLiteral("txtMtrs"));
    layout->addWidget(label);
    layout->addWidget(date);
    layout->addWidget(mtrs);
    gui::EntryKeys::install(&form, &year.session, &year.messages)->setOrder({date, mtrs});
    showWindow(&form);

    const std::pair<const char*, QDate> cases[] = {{"05-12-24", QDate(2024, 12, 5)}, {"5/1/2025", QDate(2025, 1, 5)},
                                                  {"15032025", QDate(2025, 3, 15)}, {"5-2", QDate(2025, 2, 5)},
                                                  {"30-4", QDate(2024, 4, 30)}};
    for (const auto& [typed, expected] : cases) {
        date->setFocus();
        typeInFocus(QString::fromLatin1(typed));
        EXPECT_EQ(date->date(), expected) << typed;
        EXPECT_EQ(date->text(), expected.toString(QStringLiteral("dd-MM-yyyy"))) << typed;
        EXPECT_EQ(focusedName(), QStringLiteral("txtMtrs")) << typed;
    }
    EXPECT_TRUE(year.messages.empty());

    // 31 February is refused naming the field; the date is not changed and the cursor stays
    date->setFocus();
    typeInFocus(QStringLiteral("31-02-2025"));
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, QStringLiteral("Wrong Date"), QStringLiteral("Bill Date is not a proper date: 31-02-2025.")));
    EXPECT_EQ(focusedName(), QStringLiteral("DtpBillDate"));
    EXPECT_EQ(date->date(), QDate(2024, 4, 30));
    // letters never get into a date box
    QTest::keyClicks(date, QStringLiteral("ab"));
    EXPECT_EQ(date->text(), QStringLiteral("31-02-2025"));

    // the amount box named by its object name refuses "1O8.5" as Mtrs
    mtrs->setFocus();
    typeInFocus(QStringLiteral("1O8.5"));
    EXPECT_EQ(year.messages.last().text, QStringLiteral("Mtrs takes a number: 1O8.5 is not one."));
    EXPECT_EQ(focusedName(), QStringLiteral("txtMtrs"));
}

namespace {

class ScreensInTheMainWindow : public ScreenHabits {
protected:
    void SetUp() override {
        ScreenHabits::SetUp();
        window = std::make_unique<gui::MainWindow>(year.session, year.messages);
        window->showSession();
        window->setWindowState(Qt::WindowNoState);
        window->resize(1366, 768);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QStringList openWindows() {
        QApplication::sendPostedEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList names;
        for (QMdiSubWindow* sub : window->workArea()->subWindowList()) names << sub->widget()->objectName();
        return names;
    }
    QWidget* open(const QString& command) {
        if (!window->runCommand(command)) return nullptr;
        QMdiSubWindow* sub = window->workArea()->activeSubWindow();
        return sub ? sub->widget() : nullptr;
    }
    std::unique_ptr<gui::MainWindow> window;
};

}  // namespace

TEST_F(ScreensInTheMainWindow, EveryScreenTakesTheFirstKeyTypedInItsFirstFieldAndFitsTheWorkArea) {
    const QStringList commands = {QStringLiteral("Mnu_M1"), QStringLiteral("mnu_T5"),  QStringLiteral("mnu_Y1"),   QStringLiteral("mnu_Y21"),
                                  QStringLiteral("mnu_Y22"), QStringLiteral("mnu_Y24"), QStringLiteral("Mnu_M3"),   QStringLiteral("Mnu_M4"),
                                  QStringLiteral("Mnu_M2"),  QStringLiteral("mnu_T11"), QStringLiteral("mnu_T12"),  QStringLiteral("mnu_Y42"),
                                  QStringLiteral("mnu_Inv1")};
    QString menuLetters;
    for (QAction* top : window->menuBar()->actions())
        if (const int amp = top->text().indexOf(QLatin1Char('&')); amp >= 0) menuLetters += top->text().at(amp + 1).toUpper();
    ASSERT_TRUE(menuLetters.contains(QLatin1Char('P')));
    int opened = 0;
    for (const QString& command : commands) {
        QWidget* screen = open(command);
        if (!screen) continue;
        ++opened;
        QApplication::processEvents();
        QWidget* typing = QApplication::focusWidget();
        ASSERT_TRUE(typing) << qPrintable(command);
        EXPECT_TRUE(screen->isAncestorOf(typing)) << qPrintable(command) << " " << qPrintable(typing->objectName());
        // the first key lands in a field that takes typing, not on a button or nowhere
        if (auto* box = qobject_cast<QLineEdit*>(typing); box && !box->isReadOnly()) {
            const QString before = box->text();
            QTest::keyClick(box, Qt::Key_7);
            EXPECT_TRUE(box->text().contains(QLatin1Char('7'))) << qPrintable(command) << " " << qPrintable(before);
        } else {
            EXPECT_TRUE(qobject_cast<QAbstractSpinBox*>(typing) || qobject_cast<QComboBox*>(typing))
                << qPrintable(command) << " " << qPrintable(typing->metaObject()->className());
        }
        // the Alt letters of a master's buttons never take a menu's letter (Alt+P is Production)
        if (qobject_cast<gui::MasterForm*>(screen))
            for (QAbstractButton* b : screen->findChildren<QAbstractButton*>()) {
                const int amp = b->text().indexOf(QLatin1Char('&'));
                if (amp >= 0 && amp + 1 < b->text().size()) {
                    EXPECT_FALSE(menuLetters.contains(b->text().at(amp + 1).toUpper())) << qPrintable(command) << " " << qPrintable(b->text());
                }
            }
        // the child window lies inside the work area of a 1366x768 main window
        const QRect area = window->workArea()->viewport()->rect();
        EXPECT_TRUE(area.contains(screen->parentWidget()->geometry())) << qPrintable(command);
        keepPicture(window.get(), screen->objectName());
        // its Exit closes the whole child window, not just the screen inside it
        QPushButton* exit = nullptr;
        for (QPushButton* b : screen->findChildren<QPushButton*>())
            if (b->text().remove(QLatin1Char('&')).trimmed().compare(QLatin1String("Exit"), Qt::CaseInsensitive) == 0 && b->isVisible()) exit = b;
        if (exit) exit->click();
        else window->closeChildren();  // a screen without Exit (opening sales bills) closes with its window
        EXPECT_TRUE(openWindows().isEmpty()) << qPrintable(command);
        year.messages.clear();
    }
    EXPECT_GE(opened, 8);
}

TEST_F(ScreensInTheMainWindow, LeavingUnsavedChangesAsksSaveDiscardOrGoBack) {
    QWidget* accounts = open(QStringLiteral("Mnu_M1"));
    ASSERT_TRUE(accounts);
    const int before = year.count(QStringLiteral("AccMst"));
    typeInFocus(QStringLiteral("Ramesh Silk Mills"));
    typeInFocus(QStringLiteral("35"));

    // Exit asks; Go Back keeps the screen with what was typed
    year.messages.chooseNext(2);
    accounts->findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();
    EXPECT_TRUE(year.messages.has(MessageKind::Question, gui::unsavedTitle(), gui::unsavedText()));
    EXPECT_EQ(openWindows(), QStringList{QStringLiteral("FrmAccMstNew")});
    EXPECT_EQ(qobject_cast<QLineEdit*>(accounts->findChild<QWidget*>(QStringLiteral("AcName")))->text(), QStringLiteral("Ramesh Silk Mills"));

    // New asks too; Save writes the account and starts a new one
    year.messages.clear();
    year.messages.chooseNext(0);
    accounts->findChild<QPushButton*>(QStringLiteral("cmd_New"))->click();
    EXPECT_EQ(year.count(QStringLiteral("AccMst")), before + 1);
    EXPECT_EQ(qobject_cast<QLineEdit*>(accounts->findChild<QWidget*>(QStringLiteral("AcName")))->text(), QString());

    // nothing typed: Exit closes the whole child window without a question
    year.messages.clear();
    accounts->findChild<QPushButton*>(QStringLiteral("Cmd_Exit"))->click();
    EXPECT_TRUE(openWindows().isEmpty());
    EXPECT_TRUE(year.messages.empty());

    // Esc from the first field leaves too, asking first; Discard writes nothing
    accounts = open(QStringLiteral("Mnu_M1"));
    ASSERT_EQ(focusedName(), QStringLiteral("AcName"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Suresh Fabrics"));
    year.messages.chooseNext(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(year.messages.has(MessageKind::Question, gui::unsavedTitle(), gui::unsavedText()));
    EXPECT_TRUE(openWindows().isEmpty());
    EXPECT_EQ(year.count(QStringLiteral("AccMst")), before + 1);
}

TEST_F(ScreensInTheMainWindow, ClosingTheProgramWithTwoUnsavedScreensAsksForEach) {
    const int before = year.count(QStringLiteral("AccMst"));
    ASSERT_TRUE(open(QStringLiteral("Mnu_M1")));
    typeInFocus(QStringLiteral("Ramesh Silk Mills"));
    typeInFocus(QStringLiteral("35"));
    ASSERT_TRUE(open(QStringLiteral("mnu_Y24")));
    typeInFocus(QStringLiteral("43"));
    typeInFocus(QStringLiteral("Advances To Staff"));

    // the first screen asked is saved, the second keeps its entry and the program stays open
    year.messages.chooseNext(0);
    year.messages.chooseNext(2);
    EXPECT_FALSE(window->close());
    int questions = 0;
    for (const Message& m : year.messages.all()) questions += m.kind == MessageKind::Question && m.title == gui::unsavedTitle();
    EXPECT_EQ(questions, 2);
    ASSERT_EQ(openWindows().size(), 1);
    const bool accountLeft = openWindows().first() == QStringLiteral("FrmAccMstNew");
    EXPECT_EQ(year.count(QStringLiteral("AccMst"), QStringLiteral("AcName = 'Ramesh Silk Mills'")), accountLeft ? 0 : 1);
    EXPECT_EQ(year.count(QStringLiteral("AccMst"), QStringLiteral("IsGrp = 1 AND GrpNo = 43")), accountLeft ? 1 : 0);

    // closing again with Discard ends the session with nothing more written
    const int written = year.count(QStringLiteral("AccMst"));
    year.messages.chooseNext(1);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(year.count(QStringLiteral("AccMst")), written);
    EXPECT_EQ(written, before + 1);
}

TEST_F(ScreenHabits, TheOperatorTicksWhichCopiesOfATaxInvoiceToPrintOrSave) {
    QTemporaryDir dir;
    year.session.dataRoot = dir.path();
    year.session.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
    const qint64 party = test::addAccount(year.db(), QStringLiteral("Ramesh Silk Mills"), 35, 1, QStringLiteral("24-Gujarat"),
                                          QStringLiteral("24AAACR1234K1ZO"));
    year.db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, StkType, RAteR, Vat, AddTax, VatCalc, CalcOn, hsnCode, "
                                  "IsActive, IsNewPro, FirmNO) VALUES (101, '101', 'Rapier 60 Red', 'F', 105, 2.5, 2.5, 1, 1, '5407', 1, 0, 1)"));
    trade::SalesBill bill;
    bill.bookNo = 1;
    bill.billNo = QStringLiteral("12");
    bill.date = QDate(2024, 8, 14);
    bill.partyId = party;
    trade::SalesLine cloth;
    cloth.qualityId = 101;
    cloth.input.metres = *Decimal::parse(QStringLiteral("100"));
    cloth.input.listRate = *Decimal::parse(QStringLiteral("105"));
    cloth.input.sgstPercent = cloth.input.cgstPercent = *Decimal::parse(QStringLiteral("2.5"));
    bill.lines = {cloth};
    const auto id = trade::SalesInvoices(year.db(), year.session, year.messages).save(bill);
    ASSERT_TRUE(id) << qPrintable(year.messages.empty() ? QString() : year.messages.last().text);

    gui::printInvoice(year.db(), year.session, year.messages, *id, false, nullptr);
    gui::PreviewWindow* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<gui::PreviewWindow*>(w); p && p->isVisible()) preview = p;
    ASSERT_TRUE(preview) << qPrintable(year.messages.empty() ? QString() : year.messages.last().text);
    ASSERT_EQ(preview->document()->pageCount(), 3);
    auto* duplicate = preview->findChild<QCheckBox*>(QStringLiteral("ChkCopy2"));
    ASSERT_TRUE(duplicate);
    EXPECT_EQ(duplicate->text(), QStringLiteral("&2 DUPLICATE FOR TRANSPORTER"));
    // the transporter's copy is not wanted today: two pages, the original and the supplier's
    duplicate->setChecked(false);
    EXPECT_EQ(preview->chosenCopies(), (QList<int>{1, 3}));
    EXPECT_EQ(preview->document()->pageCount(), 2);
    preview->setFileAsker([&](const QString&) { return dir.filePath(QStringLiteral("bill12")); });
    preview->exportPdf();
    const QString pdf = dir.filePath(QStringLiteral("bill12.pdf"));
    ASSERT_EQ(test::pdfPageCount(pdf), 2);
    EXPECT_TRUE(test::pdfPageText(pdf, 1, false).contains(QStringLiteral("ORIGINAL FOR RECIPIENT")));
    EXPECT_TRUE(test::pdfPageText(pdf, 2, false).contains(QStringLiteral("TRIPLICATE FOR SUPPLIER")));
    // the last ticked copy cannot be unticked: something is always there to print
    preview->findChild<QCheckBox*>(QStringLiteral("ChkCopy1"))->setChecked(false);
    preview->findChild<QCheckBox*>(QStringLiteral("ChkCopy3"))->setChecked(false);
    EXPECT_EQ(preview->chosenCopies(), QList<int>{3});
    EXPECT_EQ(preview->document()->pageCount(), 1);
    keepPicture(preview, QStringLiteral("InvoicePreviewCopies"));
    preview->close();
}
