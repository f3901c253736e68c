#include "gui/startup/StartupFlow.h"

#include "core/SettingsFiles.h"
#include "domain/shell/YearChoice.h"
#include "domain/shell/YearMaintenance.h"
#include "gui/common/EntryKeys.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/UsersWindow.h"
#include "gui/startup/AboutWindow.h"
#include "gui/startup/ChoiceWindow.h"
#include "gui/startup/LoginWindow.h"

#include <QMdiArea>
#include <QStatusBar>

namespace tanabana::gui {

StartupFlow::StartupFlow(shell::Installation installation, Messages& messages, QObject* parent)
    : QObject(parent), installation_(std::move(installation)), messages_(messages) {}

StartupFlow::~StartupFlow() {
    if (step_) delete step_.data();
    main_.reset();
    session_.db = nullptr;
    year_.reset();
}

void StartupFlow::start() {
    readSettingsFiles(installation_.dataRoot(), session_);
    session_.dataRoot = installation_.dataRoot();
    session_.serverUrl = installation_.serverUrl();
    auto* login = new LoginWindow(installation_, session_, messages_);
    connect(login, &LoginWindow::loggedIn, this, &StartupFlow::afterLogin);
    connect(login, &LoginWindow::exitConfirmed, this, &StartupFlow::finished);
    showStep(login);
}

void StartupFlow::showStep(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    step_ = window;
    window->show();
    window->activateWindow();
}

void StartupFlow::stepClosed() {
    // Closing a start-up step before the main window shows ends the program; while changing the
    // year or firm it keeps the session as it was.
    if (!main_ || !main_->isVisible()) emit finished();
}

void StartupFlow::afterLogin() {
    main_ = std::make_unique<MainWindow>(session_, messages_);
    registerOperatorCommands();
    connect(main_.get(), &MainWindow::changeYearRequested, this, &StartupFlow::changeYear);
    connect(main_.get(), &MainWindow::changeFirmRequested, this, &StartupFlow::changeFirm);
    connect(main_.get(), &MainWindow::changeFolderRequested, this, &StartupFlow::changeFolder);
    connect(main_.get(), &MainWindow::newYearRequested, this, &StartupFlow::createNewYear);
    connect(main_.get(), &MainWindow::aboutRequested, this, &StartupFlow::showAbout);
    connect(main_.get(), &MainWindow::sessionEnded, this, &StartupFlow::finished);
    session_.folderMode = false;
    if (installation_.folderMode() && !installation_.onServer()) showFirmFolders();
    else showYears();
}

void StartupFlow::showFirmFolders() {
    const QStringList folders = installation_.firmFolders();
    auto* window = new ChoiceWindow(QStringLiteral("frm_FirmSelection_Folder"), QStringLiteral("Firm Selection"),
                                    {QStringLiteral("Sr No"), QStringLiteral("Firm Name")}, true);
    std::vector<QStringList> rows;
    for (int i = 0; i < folders.size(); ++i) rows.push_back({QString::number(i + 1), folders.at(i)});
    window->setRows(rows, 0);
    connect(window, &ChoiceWindow::chosen, this, [this, window, folders](int row) {
        session_.firmFolder = folders.at(row);
        session_.folderMode = true;
        window->accept();
        showYears();
    });
    connect(window, &QDialog::rejected, this, &StartupFlow::stepClosed);
    showStep(window);
}

void StartupFlow::showYears() {
    auto* window = new ChoiceWindow(QStringLiteral("frm_YearSelectionN"), QStringLiteral("Year Selection"),
                                    {QStringLiteral("Financial Year ")}, false);
    auto fill = [this, window] {
        std::vector<QStringList> rows;
        try {
            for (int endYear : shell::listYears(installation_)) rows.push_back({shell::yearRowText(endYear)});
        } catch (const db::DbError& e) {
            messages_.critical(QStringLiteral("No Database Found"), e.describe());
        }
        window->setRows(rows, int(rows.size()) - 1);
    };
    fill();
    connect(window, &ChoiceWindow::chosen, this, [this, window, fill](int row) {
        yearChosen(window, row);
        if (window->isVisible()) fill();  // a year created from the window shows up in the list
    });
    connect(window, &QDialog::rejected, this, &StartupFlow::stepClosed);
    showStep(window);
}

void StartupFlow::yearChosen(ChoiceWindow* window, int row) {
    const int endYear = window->cell(row, 0).right(4).toInt();
    const Session before = session_;
    std::unique_ptr<db::Database> opened;
    {
        WaitIndicator wait(main_ ? main_->statusBar() : nullptr);
        wait.step();
        opened = shell::openChosenYear(installation_, session_, messages_, endYear);
    }
    if (opened && main_) {
        main_->closeChildren();
        if (!main_->workArea()->subWindowList().isEmpty()) opened.reset();  // a child kept unsaved work open
    }
    if (!opened) {
        session_ = before;
        return;
    }
    session_.db = nullptr;
    year_ = std::move(opened);
    session_.db = year_.get();
    session_.firmNo = 0;
    session_.firmName.clear();
    main_->setPanelText(MainWindow::YearPanel, session_.yearLabel);
    main_->setNextYearAvailable(installation_.yearExists(endYear + 1, session_.firmFolder));
    main_->loadDashboard();
    window->accept();
    showFirms();
}

void StartupFlow::showFirms() {
    auto* window = new ChoiceWindow(QStringLiteral("frm_FirmSelection"), QStringLiteral("Firm Selection"),
                                    {QStringLiteral("Code"), QStringLiteral("Firm Name")}, true);
    std::vector<QStringList> rows;
    try {
        for (const shell::FirmRow& firm : shell::listFirms(*year_)) rows.push_back({QString::number(firm.srno), firm.name.trimmed()});
    } catch (const db::DbError& e) {
        messages_.critical(QStringLiteral("Firm Selection"), e.describe());
    }
    window->setRows(rows, 0);
    connect(window, &ChoiceWindow::chosen, this, [this, window](int row) { firmChosen(window, row); });
    connect(window, &QDialog::rejected, this, &StartupFlow::stepClosed);
    showStep(window);
}

void StartupFlow::firmChosen(ChoiceWindow* window, int row) {
    try {
        const std::vector<shell::FirmRow> firms = shell::listFirms(*year_);
        const qint64 srno = window->cell(row, 0).toLongLong();
        for (const shell::FirmRow& firm : firms)
            if (firm.srno == srno) shell::chooseFirm(*year_, session_, firm);
    } catch (const db::DbError& e) {
        messages_.critical(QStringLiteral("Firm Selection"), e.describe());
        return;
    }
    window->accept();
    main_->showSession();
    main_->loadDashboard();
    main_->showMaximized();
    main_->activateWindow();
    main_->openKeyMenu();
    emit firmOpened();
}

void StartupFlow::changeYear() {
    if (main_) showYears();
}

void StartupFlow::changeFolder() {
    if (main_ && session_.folderMode) showFirmFolders();
}

void StartupFlow::registerOperatorCommands() {
    CommandRegistry& commands = main_->commands();
    commands.add(QStringLiteral("mnu_User_New"), [this](CommandContext& c) {
        c.window.openChild(new UsersWindow(installation_, session_, messages_));
    });
    commands.add(QStringLiteral("mnu_User_Password"), [this](CommandContext& c) {
        c.window.openChild(new ChangePasswordWindow(installation_, session_, messages_));
    });
}

void StartupFlow::changeFirm() {
    if (main_ && year_) showFirms();
}

void StartupFlow::createNewYear() {
    if (!year_) return;
    shell::createNextYear(installation_, session_, *year_, messages_);
    if (main_) main_->setNextYearAvailable(installation_.yearExists(session_.endYear.toInt() + 1, session_.firmFolder));
}

void StartupFlow::showAbout() {
    auto* about = new AboutWindow(installation_, session_, messages_, main_.get());
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}

}  // namespace tanabana::gui
