// The main window of a small Surat trading firm as operators see it: every menu in order with its
// captions, commands whose screens are not built shown disabled, captions and hidden commands that
// follow the firm's switches, the dashboard buttons of the year, and an operator whose rights are
// cleared failing to open the sales bill from the menu and from the dashboard alike.
// Set TANABANA_SCREENSHOTS to a folder to keep pictures of the window with its menus open.
#include "core/Rights.h"
#include "domain/shell/FirmSettings.h"
#include "domain/shell/MenuTree.h"
#include "gui/shell/Dashboard.h"
#include "gui/shell/MainWindow.h"
#include "support/YearFixture.h"

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

struct MenuEntry {
    QString name;
    QString caption;
    bool enabled;
    bool operator==(const MenuEntry& o) const { return name == o.name && caption == o.caption && enabled == o.enabled; }
};

std::ostream& operator<<(std::ostream& os, const MenuEntry& i) {
    return os << i.name.toStdString() << " \"" << i.caption.toStdString() << "\"" << (i.enabled ? "" : " (disabled)");
}

// The items an operator sees in a menu, in order: name, caption as read, enabled.
std::vector<MenuEntry> shown(QMenu* menu) {
    std::vector<MenuEntry> items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->isVisible()) items.push_back({a->objectName(), shell::readableCaption(a->text()), a->isEnabled()});
    return items;
}

QStringList shownNames(QMenu* menu) {
    QStringList names;
    for (const MenuEntry& i : shown(menu)) names << i.name;
    return names;
}

// The window with a menu (and a sub-menu of it) drawn open where the operator would see them.
void keepPictureWithMenus(gui::MainWindow& window, const QString& name, const QString& menuName, const QString& subName = {}) {
    const QString folder = qEnvironmentVariable("TANABANA_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    auto* menu = window.findChild<QMenu*>(menuName);
    menu->adjustSize();
    const QRect top = window.menuBar()->actionGeometry(menu->menuAction());
    const QPoint at = window.menuBar()->mapTo(&window, top.bottomLeft());
    painter.drawPixmap(at, menu->grab());
    if (!subName.isEmpty()) {
        auto* sub = window.findChild<QMenu*>(subName);
        sub->adjustSize();
        const QRect item = menu->actionGeometry(sub->menuAction());
        painter.drawPixmap(at + QPoint(menu->width() - 4, item.top()), sub->grab());
    }
    painter.end();
    QDir().mkpath(folder);
    picture.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

class MainWindowMenus : public ::testing::Test {
protected:
    void SetUp() override {
        year.session.panelVisible = true;
        shell::loadFirmSettings(year.db(), year.session, 1);
        window = std::make_unique<gui::MainWindow>(year.session, year.messages);
        window->showSession();
        window->loadDashboard();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void setFirm(const QString& assignments) {
        year.db().exec(QStringLiteral("UPDATE FirmMst SET %1 WHERE Srno = 1").arg(assignments));
        shell::loadFirmSettings(year.db(), year.session, 1);
        window->refreshMenus();
    }
    QMenu* menu(const QString& name) { return window->findChild<QMenu*>(name); }
    QAction* action(const QString& name) { return window->commandAction(name); }
    QStringList openWindows() {
        QStringList names;
        for (QMdiSubWindow* sub : window->workArea()->subWindowList()) names << sub->widget()->objectName();
        return names;
    }
    QPushButton* dashButton(const QString& caption) {
        for (QPushButton* b : window->dashboard()->findChildren<QPushButton*>())
            if (b->text() == caption) return b;
        return nullptr;
    }

    test::YearFixture year;
    std::unique_ptr<gui::MainWindow> window;
};

}  // namespace

TEST_F(MainWindowMenus, TheMenuBarHoldsEveryMenuInOrderWithTheSystemsCaptions) {
    QStringList bar;
    for (QAction* a : window->menuBar()->actions())
        if (a->isVisible()) bar << shell::readableCaption(a->text());
    // A trading firm (software type 1) has no looms: the production menu is not shown.
    EXPECT_EQ(bar, (QStringList{"User", "Master", "Transaction", "Account", "Reports", "Job Work", "Inventory", "Utility", "About Us",
                                "Online Update"}));

    EXPECT_EQ(shown(menu("mnu_User")),
              (std::vector<MenuEntry>{{"mnu_User_New", "1. New User", false},
                                 {"mnu_User_Password", "2. Change PassWord", false},
                                 {"mnu_MstFirmSelect", "3. Firm Select", true},
                                 {"mnu_mstYearSelect", "4. Year Select", true},
                                 {"mnu_MstCalc", "5. Calc", window->commands().has("mnu_MstCalc")},
                                 {"mnu_Mst_U7", "Button Pannel", true},
                                 {"mnu_mstExit", "0. Exit & email Backup", true}}));
    EXPECT_EQ(shown(menu("mnu_Mst")),
              (std::vector<MenuEntry>{{"Mnu_M1", "1. Account Master", window->commands().has("Mnu_M1")},
                                 {"Mnu_M2", "2. Item Master", true},
                                 {"Mnu_M3", "3. Broker", true},
                                 {"Mnu_M4", "4. Job Process", true},
                                 {"Mnu_M5", "5. Machine Master", true},
                                 {"Mnu_M6", "6. Consumption Master", true}}));
    EXPECT_EQ(shown(menu("mnu_tran")),
              (std::vector<MenuEntry>{{"mnu_T1", "1. Sales", true},
                                 {"mnu_T2", "2. Purchase", true},
                                 {"mnu_T3", "3. Debit Note", true},
                                 {"mnu_T4", "4. Credit Note", true},
                                 {"mnu_T5", "5. Op. Balance", window->commands().has("mnu_T5")},
                                 {"mnu_TranExit", "0. Exit", true}}));
    EXPECT_EQ(shown(menu("mnu_T1")), (std::vector<MenuEntry>{{"mnu_T11", "1. Chalan", true},
                                                        {"mnu_T12", "2. Sales", true},
                                                        {"mnu_T13", "3. Sales Return", true}}));
    EXPECT_EQ(shownNames(menu("mnu_T2")), (QStringList{"mnu_T21", "mnu_T22", "mnu_T23", "mnu_T24", "mnu_T25"}));
    EXPECT_EQ(shown(menu("mnu_A5")), (std::vector<MenuEntry>{{"mnu_A51", "1. Bill Base", true},
                                                        {"mnu_A52", "2. Bill Base Multi", true},
                                                        {"mnu_A53", "3. General", true}}));
    EXPECT_EQ(shownNames(menu("mnu_rep")),
              (QStringList{"mnu_rep1", "mnu_rep2", "mnu_rep3", "mnu_rep4", "mnu_rep5", "mnu_rep6", "mnu_rep7", "mnu_rep8"}));
    // The bank slip sits between "6. Payable/Receivable" and "7. Trial Balance" and does nothing.
    const QStringList accountReports = shownNames(menu("mnu_rep7"));
    ASSERT_EQ(accountReports.size(), 14);
    EXPECT_EQ(accountReports.mid(5, 3), (QStringList{"mnu_R76", "Mnu_Rep_AccBankSlip", "mnu_R77"}));
    EXPECT_FALSE(action("Mnu_Rep_AccBankSlip")->isEnabled());
    EXPECT_EQ(shell::readableCaption(action("mnu_R613")->text()), QStringLiteral("13. GSTR - 2 & 2A (Matching)"));
    EXPECT_EQ(shell::readableCaption(action("mnu_R27")->text()), QStringLiteral("7.T.D.S. / T.C.S. Register"));
    EXPECT_EQ(shownNames(menu("mnu_Y63")).size(), 9);
    EXPECT_EQ(shown(menu("mnu_Y3")).back(), (MenuEntry{"mnu_Y39", "9.  Other", false}));
    EXPECT_EQ(shown(menu("mnu_Y3")).at(7), (MenuEntry{"mnu_Y38", "8. Report Master", true}));
    EXPECT_EQ(shown(menu("mnu_Y5")), (std::vector<MenuEntry>{{"mnu_Y51", "1. Year End Process", false},
                                                        {"mnu_Y52", "2. Create New Year", true}}));
    // No books for 2025-26 yet: nothing can be carried into the next year.
    EXPECT_FALSE(action("mnu_Y6")->isEnabled());
    window->setNextYearAvailable(true);
    EXPECT_TRUE(action("mnu_Y6")->isEnabled());
    // Menu items answer to their number: "&2. Sales".
    EXPECT_EQ(action("mnu_T12")->text(), QStringLiteral("&2. Sales"));

    keepPictureWithMenus(*window, QStringLiteral("menu_transaction"), QStringLiteral("mnu_tran"), QStringLiteral("mnu_T1"));
    keepPictureWithMenus(*window, QStringLiteral("menu_reports"), QStringLiteral("mnu_rep"), QStringLiteral("mnu_rep7"));
    keepPictureWithMenus(*window, QStringLiteral("menu_utility"), QStringLiteral("Mnu_Uti"), QStringLiteral("mnu_Y6"));
    keepPictureWithMenus(*window, QStringLiteral("menu_user"), QStringLiteral("mnu_User"));
}

TEST_F(MainWindowMenus, TheFirmsSwitchesRenameAndHideCommands) {
    setFirm(QStringLiteral("IsChLock = 1, IsGSTRepLocK = 1"));
    EXPECT_EQ(shown(menu("mnu_T1")), (std::vector<MenuEntry>{{"mnu_T12", "1. Sales", true}, {"mnu_T13", "2. Sales Return", true}}));
    EXPECT_EQ(shownNames(menu("mnu_rep")), (QStringList{"mnu_rep1", "mnu_rep2", "mnu_rep3", "mnu_rep4", "mnu_rep5", "mnu_rep7"}));
    EXPECT_EQ(shell::readableCaption(action("mnu_rep7")->text()), QStringLiteral("5. Account"));
    EXPECT_FALSE(shownNames(menu("mnu_rep4")).contains(QStringLiteral("mnu_R45")));
    // A hidden command does not run from anywhere.
    action("mnu_T11")->trigger();
    EXPECT_TRUE(openWindows().isEmpty());

    setFirm(QStringLiteral("IsChLock = 0, IsGSTRepLocK = 0, IsInvLock = 1, IsFinRptLock = 1"));
    EXPECT_FALSE(action("mnu_Inv")->isVisible());
    EXPECT_FALSE(action("mnu_rep7")->isVisible());
    EXPECT_TRUE(action("mnu_rep6")->isVisible());
    EXPECT_EQ(shownNames(menu("mnu_T1")).size(), 3);

    setFirm(QStringLiteral("IsInvLock = 0, IsFinRptLock = 0, Soft_Type = 9, IsYrEnd = 1"));
    EXPECT_EQ(shell::readableCaption(action("mnu_I3")->text()), QStringLiteral("3. Issue to Jobwork"));
    EXPECT_EQ(shell::readableCaption(action("mnu_I4")->text()), QStringLiteral("4. Receive From Jobwork"));
    EXPECT_EQ(shell::readableCaption(action("mnu_Y51")->text()), QStringLiteral("1. Year End Process Cancel "));
    EXPECT_TRUE(action("mnu_Prod")->isVisible());
    EXPECT_EQ(shownNames(menu("mnu_Prod")), (QStringList{"mnu_Prod1", "mnu_Prod2", "mnu_Prod3"}));
    // A production firm's "1. Chalan" sends its produced takas.
    action("mnu_T11")->trigger();
    EXPECT_EQ(openWindows(), QStringList{QStringLiteral("frmChalan_Taka")});

    EXPECT_FALSE(action("mnu_Mst_U6")->isVisible());
    year.session.folderMode = true;
    window->refreshMenus();
    EXPECT_TRUE(action("mnu_Mst_U6")->isVisible());
}

TEST_F(MainWindowMenus, CommandsOpenTheirScreensInsideTheWorkArea) {
    action("mnu_T12")->trigger();
    action("Mnu_M3")->trigger();
    action("mnu_Y38")->trigger();
    EXPECT_EQ(openWindows(), (QStringList{"frmSales", "frmAgent", "frmReportMst"}));
    action("mnu_T22")->trigger();
    EXPECT_EQ(openWindows(), (QStringList{"frmSales", "frmAgent", "frmReportMst", "frmPurchaseRet"}));
    // A command nothing opens yet does nothing, even when triggered from code.
    action("mnu_R29")->trigger();
    EXPECT_EQ(openWindows().size(), 4);
    EXPECT_TRUE(year.messages.empty());
}

TEST_F(MainWindowMenus, TheDashboardShowsTheYearsButtonsInOrderAndRunsTheirMenuCommands) {
    year.db().exec(QStringLiteral("UPDATE Disp_Button_MSt SET IsSHow = 0 WHERE Srno = 3"));
    year.db().exec(QStringLiteral("UPDATE Disp_Button_MSt SET LBLnm = 'Bill (F5)' WHERE Srno = 1"));
    year.db().exec(QStringLiteral("UPDATE Disp_Button_MSt SET Srno = 0.5 WHERE Srno = 10"));
    window->loadDashboard();
    QStringList captions;
    for (QPushButton* b : window->dashboard()->findChildren<QPushButton*>()) captions << b->text();
    EXPECT_EQ(captions, (QStringList{"Mill Receive", "Bill (F5)", "Chalan", "Bank Payment", "Bank Receipt", "Ledger", "Job Receive",
                                     "Job Issue", "Mill Issue"}));
    EXPECT_TRUE(window->dashboard()->isVisible());
    EXPECT_TRUE(dashButton("Chalan")->isVisible());
    // Only buttons whose command has a screen can be pressed.
    EXPECT_TRUE(dashButton("Bill (F5)")->isEnabled());
    EXPECT_TRUE(dashButton("Chalan")->isEnabled());
    EXPECT_FALSE(dashButton("Ledger")->isEnabled());

    QTest::mouseClick(dashButton("Bill (F5)"), Qt::LeftButton);
    EXPECT_EQ(openWindows(), QStringList{QStringLiteral("frmSales")});
    const QString folder = qEnvironmentVariable("TANABANA_SCREENSHOTS");
    if (!folder.isEmpty()) window->grab().save(QDir(folder).filePath(QStringLiteral("main_dashboard.png")));

    // Names of other meanings run nothing.
    EXPECT_FALSE(window->runDashboardButton(QStringLiteral("Stock Report")));

    // Without Panel.txt the panel stays hidden whatever the table holds.
    year.session.panelVisible = false;
    window->loadDashboard();
    EXPECT_FALSE(window->dashboard()->isVisible());
    EXPECT_TRUE(window->dashboard()->findChildren<QPushButton*>().isEmpty());
}

TEST_F(MainWindowMenus, AnOperatorWithoutTheSalesRightCannotOpenSalesFromTheMenuOrTheDashboard) {
    QVariantMap rights;
    rights.insert(QStringLiteral("TS2"), 0);  // "2. Sales"
    rights.insert(QStringLiteral("T1"), 1);
    year.session.rights = rights;
    window->refreshMenus();
    EXPECT_FALSE(action("mnu_T12")->isVisible());
    EXPECT_TRUE(action("mnu_T11")->isVisible());
    EXPECT_FALSE(dashButton("Sales")->isEnabled());
    EXPECT_TRUE(dashButton("Chalan")->isEnabled());

    action("mnu_T12")->trigger();
    QTest::mouseClick(dashButton("Sales"), Qt::LeftButton);
    EXPECT_FALSE(window->runDashboardButton(QStringLiteral("Sales")));
    EXPECT_TRUE(openWindows().isEmpty());
    EXPECT_TRUE(year.messages.has(MessageKind::Critical, kNoRightTitle, QStringLiteral("You Have No Right For 2. Sales")));

    // The whole sales group cleared: challans go too, from both places.
    year.session.rights.insert(QStringLiteral("TS2"), 1);
    year.session.rights.insert(QStringLiteral("T1"), 0);
    window->refreshMenus();
    EXPECT_FALSE(action("mnu_T1")->isVisible());
    EXPECT_FALSE(window->runDashboardButton(QStringLiteral("Chalan")));
    EXPECT_FALSE(window->runCommand(QStringLiteral("mnu_T12")));
    EXPECT_TRUE(openWindows().isEmpty());

    // Given back, the same button opens the bill.
    year.session.rights.insert(QStringLiteral("T1"), 1);
    window->refreshMenus();
    QTest::mouseClick(dashButton("Sales"), Qt::LeftButton);
    EXPECT_EQ(openWindows(), QStringList{QStringLiteral("frmSales")});
}
