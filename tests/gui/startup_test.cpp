// The start-up windows as an operator uses them, by key clicks on the offscreen platform: login
// (with a wrong password first), year, firm, main window; changing the year from the main window;
// the about window's Clear Database; and the keyboard habits every entry screen shares.
// Set TANABANA_SCREENSHOTS to a folder to keep pictures of the windows.
#include "domain/shell/Installer.h"
#include "domain/shell/Operators.h"
#include "domain/shell/Lookups.h"
#include "domain/shell/YearChoice.h"
#include "domain/shell/Users.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/SelectionGrid.h"
#include "gui/common/Style.h"
#include "gui/shell/MainWindow.h"
#include "gui/startup/ChoiceWindow.h"
#include "gui/startup/StartupFlow.h"
#include "support/ScreenProbe.h"

#include <QApplication>
#include <QDir>
#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

QWidget* activate(QWidget* window) {
    if (!window) return nullptr;
    window->activateWindow();
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return window;
}

class StartupWindows : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        books = shell::Installation::inFolder(dir.path());
        shell::FirstSetup setup;
        setup.endYear = 2025;
        shell::createInstallation(books, setup);
        db::Database year = books.openYear(2025);
        year.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, StartDt, ENdDt) VALUES (2, 'Laxmi''s Weaving', '2024-07-01', '2025-03-31')"));
        year.exec(QStringLiteral("UPDATE FunKey SET F2 = 'Grey Fabric'"));
        db::Database earlier = books.createYear(2024);
        earlier.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, StartDt, ENdDt) VALUES (1, 'Demo Textiles', '2023-04-01', '2024-03-31')"));
        db::Database yearList = books.openYearList();
        shell::addYearToList(yearList, 2024);
    }
    QTemporaryDir dir;
    shell::Installation books;
    RecordingMessages messages;
};

}  // namespace

TEST_F(StartupWindows, LoginYearAndFirmByKeyboardOpenTheMainWindow) {
    gui::StartupFlow flow(books, messages);
    bool finished = false;
    QObject::connect(&flow, &gui::StartupFlow::finished, [&finished] { finished = true; });
    flow.start();

    QWidget* login = activate(flow.currentStep());
    ASSERT_EQ(login->objectName(), QStringLiteral("frmLogin"));
    auto* user = login->findChild<QLineEdit*>(QStringLiteral("txtUsername"));
    auto* password = login->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    user->setFocus();
    QTest::keyClicks(user, QStringLiteral("admin"));
    EXPECT_EQ(user->text(), QStringLiteral("ADMIN"));
    QTest::keyClick(user, Qt::Key_Return);
    EXPECT_TRUE(password->hasFocus());
    QTest::keyClicks(password, QStringLiteral("admni"));
    test::keepPicture(login, QStringLiteral("login"));
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("ACCESS DENIED"),
                             QStringLiteral("INVALID USER NAME OR PASSOWORD !!! \n PLEASE ENTER CORRECT USER NAME AND PASSWORD")));
    EXPECT_TRUE(password->text().isEmpty());
    EXPECT_TRUE(user->hasFocus());
    EXPECT_EQ(user->selectedText(), QStringLiteral("ADMIN"));
    EXPECT_EQ(flow.currentStep(), login);

    QTest::keyClick(user, Qt::Key_Return);
    QTest::keyClicks(password, QStringLiteral("Admin"));
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_EQ(flow.session().loginUser, QStringLiteral("ADMIN"));

    auto* years = qobject_cast<gui::ChoiceWindow*>(activate(flow.currentStep()));
    ASSERT_TRUE(years);
    ASSERT_EQ(years->objectName(), QStringLiteral("frm_YearSelectionN"));
    ASSERT_EQ(years->rowCount(), 2);
    EXPECT_EQ(years->cell(0, 0), QStringLiteral("2023--2024"));
    EXPECT_EQ(years->currentRow(), 1);  // the latest year is offered
    test::keepPicture(years, QStringLiteral("year-selection"));
    QTest::keyClick(years->grid(), Qt::Key_Return);
    EXPECT_EQ(flow.session().yearLabel, QStringLiteral("2024-25"));
    ASSERT_TRUE(flow.year());

    auto* firms = qobject_cast<gui::ChoiceWindow*>(activate(flow.currentStep()));
    ASSERT_TRUE(firms);
    ASSERT_EQ(firms->objectName(), QStringLiteral("frm_FirmSelection"));
    EXPECT_EQ(firms->cell(0, 1), QStringLiteral("Demo Textiles"));
    EXPECT_EQ(firms->cell(1, 1), QStringLiteral("Laxmi's Weaving"));
    test::keepPicture(firms, QStringLiteral("firm-selection"));
    QTest::keyClick(firms->grid(), Qt::Key_Down);
    QTest::keyClick(firms->grid(), Qt::Key_Space);

    gui::MainWindow* main = flow.mainWindow();
    ASSERT_TRUE(main);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(flow.session().firmNo, 2);
    EXPECT_EQ(flow.session().yearStartDate, QDate(2024, 7, 1));
    EXPECT_EQ(flow.session().funKeyF2, QStringLiteral("Grey Fabric"));
    EXPECT_EQ(main->panelText(gui::MainWindow::FirmPanel), QStringLiteral("Laxmi's Weaving"));
    EXPECT_EQ(main->panelText(gui::MainWindow::YearPanel), QStringLiteral("2024-25"));
    test::keepPicture(main, QStringLiteral("main-window"));

    // the year changes from the main window through the same windows
    flow.changeYear();
    years = qobject_cast<gui::ChoiceWindow*>(activate(flow.currentStep()));
    ASSERT_TRUE(years);
    QTest::keyClick(years->grid(), Qt::Key_Up);
    QTest::keyClick(years->grid(), Qt::Key_Return);
    firms = qobject_cast<gui::ChoiceWindow*>(activate(flow.currentStep()));
    ASSERT_TRUE(firms);
    EXPECT_EQ(firms->rowCount(), 1);
    QTest::keyClick(firms->grid(), Qt::Key_Return);
    EXPECT_EQ(main->panelText(gui::MainWindow::YearPanel), QStringLiteral("2023-24"));
    EXPECT_EQ(flow.session().firmName, QStringLiteral("Demo Textiles"));
    EXPECT_FALSE(finished);
}

TEST_F(StartupWindows, AClerksLoginBringsTheirRightsToTheMenusAndTheDashboard) {
    {
        db::Database yearList = books.openYearList();
        Session owner;
        QVariantMap rights;
        rights.insert(QStringLiteral("T1"), false);  // no sales, challans or returns
        ASSERT_TRUE(shell::OperatorAccounts(yearList, owner, messages).save(QStringLiteral("clerk"), QStringLiteral("reed"),
                                                                           QStringLiteral("reed"), rights));
    }
    QFile panel(QDir(dir.path()).filePath(QStringLiteral("Panel.txt")));
    ASSERT_TRUE(panel.open(QIODevice::WriteOnly));
    panel.close();

    gui::StartupFlow flow(books, messages);
    flow.start();
    QWidget* login = activate(flow.currentStep());
    auto* user = login->findChild<QLineEdit*>(QStringLiteral("txtUsername"));
    auto* password = login->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    user->setFocus();
    QTest::keyClicks(user, QStringLiteral("clerk"));
    QTest::keyClick(user, Qt::Key_Return);
    QTest::keyClicks(password, QStringLiteral("reed"));
    QTest::keyClick(password, Qt::Key_Return);
    auto* years = qobject_cast<gui::ChoiceWindow*>(activate(flow.currentStep()));
    ASSERT_TRUE(years);
    QTest::keyClick(years->grid(), Qt::Key_Return);
    auto* firms = qobject_cast<gui::ChoiceWindow*>(activate(flow.currentStep()));
    ASSERT_TRUE(firms);
    QTest::keyClick(firms->grid(), Qt::Key_Return);

    gui::MainWindow* main = flow.mainWindow();
    ASSERT_TRUE(main && main->isVisible());
    // The transaction menu is opened for the operator, without the sales group.
    EXPECT_EQ(main->menuBar()->activeAction(), main->commandAction(QStringLiteral("mnu_tran")));
    main->menuBar()->setActiveAction(nullptr);
    EXPECT_FALSE(main->commandAction(QStringLiteral("mnu_T1"))->isVisible());
    EXPECT_TRUE(main->commandAction(QStringLiteral("mnu_T2"))->isVisible());
    ASSERT_TRUE(main->dashboard()->isVisible());
    for (QPushButton* button : main->dashboard()->findChildren<QPushButton*>())
        if (button->text() == QLatin1String("Sales") || button->text() == QLatin1String("Chalan")) {
            EXPECT_FALSE(button->isEnabled());
        }
    EXPECT_FALSE(main->runDashboardButton(QStringLiteral("Sales")));
    EXPECT_TRUE(main->workArea()->subWindowList().isEmpty());

    // The operators' own commands work from the menu.
    main->commandAction(QStringLiteral("mnu_User_Password"))->trigger();
    ASSERT_EQ(main->workArea()->subWindowList().size(), 1);
    EXPECT_EQ(main->workArea()->subWindowList().first()->widget()->objectName(), QStringLiteral("frmChangePassWord"));
    test::keepPicture(main, QStringLiteral("main-window-clerk"));
}

TEST_F(StartupWindows, CancellingTheLoginAsksAndEndsOnlyOnYes) {
    gui::StartupFlow flow(books, messages);
    bool finished = false;
    QObject::connect(&flow, &gui::StartupFlow::finished, [&finished] { finished = true; });
    flow.start();
    QWidget* login = activate(flow.currentStep());
    auto* cancel = login->findChild<QPushButton*>(QStringLiteral("cmd_cancle"));
    messages.answerNext(false);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(messages.has(MessageKind::Question, QStringLiteral("Exit Confirmation"), QStringLiteral("DO YOU WANT TO EXIT ")));
    EXPECT_FALSE(finished);
    EXPECT_TRUE(login->isVisible());
    QTest::keyClick(login, Qt::Key_Escape);  // Yes
    EXPECT_TRUE(finished);
}

TEST_F(StartupWindows, AMissingYearKeepsTheYearWindowOpen) {
    db::Database yearList = books.openYearList();
    shell::addYearToList(yearList, 2026);
    gui::StartupFlow flow(books, messages);
    flow.start();
    QWidget* login = activate(flow.currentStep());
    QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("txtUsername")), QStringLiteral("admin"));
    QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), QStringLiteral("admin"));
    QTest::keyClick(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), Qt::Key_Return);
    auto* years = qobject_cast<gui::ChoiceWindow*>(activate(flow.currentStep()));
    ASSERT_TRUE(years);
    EXPECT_EQ(years->cell(years->currentRow(), 0), QStringLiteral("2025--2026"));
    QTest::keyClick(years->grid(), Qt::Key_Return);
    EXPECT_TRUE(messages.has(MessageKind::Critical, QStringLiteral("No Database Found"), QStringLiteral("Selected Year is not Found")));
    EXPECT_EQ(flow.currentStep(), years);
    EXPECT_EQ(flow.year(), nullptr);
    EXPECT_FALSE(books.yearExists(2026));
}

TEST_F(StartupWindows, AboutWindowClearsTheYearOnF10) {
    gui::StartupFlow flow(books, messages);
    flow.start();
    QWidget* login = activate(flow.currentStep());
    QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("txtUsername")), QStringLiteral("admin"));
    QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), QStringLiteral("admin"));
    QTest::keyClick(login->findChild<QLineEdit*>(QStringLiteral("txtPassword")), Qt::Key_Return);
    QTest::keyClick(qobject_cast<gui::ChoiceWindow*>(flow.currentStep())->grid(), Qt::Key_Return);
    QTest::keyClick(qobject_cast<gui::ChoiceWindow*>(flow.currentStep())->grid(), Qt::Key_Return);
    flow.showAbout();
    QWidget* about = activate(QApplication::activeModalWidget());
    ASSERT_TRUE(about);
    ASSERT_EQ(about->objectName(), QStringLiteral("frm_AboutUs"));
    test::keepPicture(about, QStringLiteral("about"));
    messages.answerNext(false);
    QTest::keyClick(about, Qt::Key_F10);
    EXPECT_EQ(shell::firmCount(*flow.year()), 2);
    // Yes, then the operator's password again
    messages.inputNext(QStringLiteral("admin"));
    QTest::keyClick(about, Qt::Key_F10);
    EXPECT_TRUE(messages.has(MessageKind::Information, QStringLiteral("Delete Confirm"), QStringLiteral("All Data Are Cleared ")));
    EXPECT_EQ(shell::firmCount(*flow.year()), 1);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());
}

TEST(EntryKeysTest, EnterEscapeFunctionKeysAndTheFocusColour) {
    gui::applyApplicationStyle(*qApp);
    Session session;
    session.funKeyF2 = QStringLiteral("Grey Fabric");
    session.funKeyF4 = QStringLiteral("Goods once sold will not be taken back");
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* party = new QLineEdit(&form);
    auto* notes = new QLineEdit(&form);
    auto* amount = new QLineEdit(&form);
    auto* save = new QPushButton(QStringLiteral("&Save"), &form);
    for (QWidget* w : std::initializer_list<QWidget*>{party, notes, amount, save}) layout->addWidget(w);
    bool saved = false;
    QObject::connect(save, &QPushButton::clicked, [&saved] { saved = true; });
    gui::EntryKeys::install(&form, &session);
    form.show();
    activate(&form);
    party->setFocus();
    QTest::keyClick(party, Qt::Key_Return);
    EXPECT_TRUE(notes->hasFocus());
    QTest::keyClicks(notes, QStringLiteral("Lot 7: "));
    QTest::keyClick(notes, Qt::Key_F2);
    EXPECT_EQ(notes->text(), QStringLiteral("Lot 7: Grey Fabric"));
    QTest::keyClick(notes, Qt::Key_F3);  // no text for F3: nothing changes
    EXPECT_EQ(notes->text(), QStringLiteral("Lot 7: Grey Fabric"));
    QTest::keyClick(notes, Qt::Key_Escape);
    EXPECT_TRUE(party->hasFocus());
    // the field being typed is light blue, the others white
    const QImage picture = form.grab().toImage();
    const QPoint inParty = party->geometry().center() + QPoint(party->width() / 3, 0);
    const QPoint inNotes = notes->geometry().center() + QPoint(notes->width() / 3, 0);
    EXPECT_EQ(QColor(picture.pixel(inParty)), gui::focusColour());
    EXPECT_EQ(QColor(picture.pixel(inNotes)), QColor(Qt::white));
    QTest::keyClick(party, Qt::Key_Return);
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(amount, QStringLiteral("1234.567"));
    gui::twoDecimals(amount);
    EXPECT_EQ(amount->text(), QStringLiteral("1234.56"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_TRUE(save->hasFocus());
    QTest::keyClick(save, Qt::Key_Return);
    EXPECT_TRUE(saved);
}

TEST(WaitIndicatorTest, CyclesItsTextInTheStatusBar) {
    QStatusBar bar;
    QStringList seen;
    {
        gui::WaitIndicator wait(&bar);
        for (int i = 0; i < 4; ++i) {
            wait.step();
            seen << bar.currentMessage();
        }
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Wait.."), QStringLiteral("Wait......"), QStringLiteral("Wait........"), QStringLiteral("Wait..")}));
    EXPECT_TRUE(bar.currentMessage().isEmpty());
}

TEST(SelectionGridTest, SpaceTicksAndUnticksTheCurrentRow) {
    gui::SelectionGrid grid({QStringLiteral("Bill No"), QStringLiteral("Amount")});
    grid.addRow({QStringLiteral("GST/1"), QStringLiteral("11,025.00")});
    grid.addRow({QStringLiteral("GST/2"), QStringLiteral("5,250.50")});
    grid.addRow({QStringLiteral("GST/3"), QStringLiteral("1,050.00")});
    EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), QStringLiteral("Press Spacebar For Selection "));
    grid.show();
    activate(&grid);
    grid.setCurrentCell(0, 1);
    QTest::keyClick(&grid, Qt::Key_Space);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(grid.tickedRows(), (QList<int>{0, 2}));
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(grid.tickedRows(), QList<int>{0});
}
