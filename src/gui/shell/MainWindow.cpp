#include "gui/shell/MainWindow.h"

#include "core/Rights.h"
#include "db/Database.h"
#include "domain/shell/EmailBackup.h"
#include "domain/shell/FirmSettings.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/MasterForm.h"
#include "gui/common/ScreenHabits.h"
#include "gui/reports/EmailWindow.h"
#include "gui/shell/Dashboard.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QDateTime>
#include <algorithm>

namespace tanabana::gui {

namespace {

// Menu items open with their leading number, as operators type them: "&1. New User".
QString menuText(const QString& caption) {
    if (!caption.isEmpty() && caption.at(0).isDigit()) return QLatin1Char('&') + caption;
    return caption;
}

// The desktop's calculator, when one is installed.
QString calculatorProgram() {
    for (const char* name : {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "mate-calc", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return {};
}

}  // namespace

MainWindow::MainWindow(Session& session, Messages& messages, QWidget* parent)
    : QMainWindow(parent), session_(session), messages_(messages), mdi_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MDIForm1"));
    mdi_->setObjectName(QStringLiteral("workArea"));
    mdi_->setBackground(QColor(58, 87, 128));
    // A screen larger than the work area (a small laptop) can be scrolled into view.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    const int widths[] = {220, 320, 90, 200};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setMinimumWidth(widths[i]);
        statusBar()->addPermanentWidget(panels_[i], i == FirmPanel ? 1 : 0);
    }
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setMaximumWidth(200);
    progress_->hide();
    statusBar()->addPermanentWidget(progress_);

    dock_ = new QDockWidget(this);
    dock_->setObjectName(QStringLiteral("PanelDock"));
    dock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock_->setTitleBarWidget(new QWidget(dock_));
    dashboard_ = new DashboardPanel(*this, dock_);
    dock_->setWidget(dashboard_);
    addDockWidget(Qt::LeftDockWidgetArea, dock_);
    dock_->hide();

    registerAllCommands(commands_);
    registerWindowCommands();
    buildMenus();
    resize(1100, 720);
    setWindowState(Qt::WindowMaximized);
}

MainWindow::~MainWindow() {
    // Child windows go with the work area; they must not call back into a window being destroyed.
    // closed ones waiting for deletion are no longer listed by the area but still call back
    for (QMdiSubWindow* sub : mdi_->findChildren<QMdiSubWindow*>()) disconnect(sub, nullptr, this, nullptr);
}

void MainWindow::buildMenus() {
    for (const shell::MenuCommand& top : shell::menuTree()) {
        if (top.children.empty()) {
            QAction* action = menuBar()->addAction(top.caption);
            action->setObjectName(top.name);
            connect(action, &QAction::triggered, this, [this, name = top.name] { runCommand(name); });
            actions_.insert(top.name, action);
            continue;
        }
        QMenu* menu = menuBar()->addMenu(top.caption);
        menu->setObjectName(top.name);
        menu->menuAction()->setObjectName(top.name);
        actions_.insert(top.name, menu->menuAction());
        addCommands(menu, top.children);
    }
    refreshMenus();
}

void MainWindow::addCommands(QMenu* menu, const std::vector<shell::MenuCommand>& commands) {
    for (const shell::MenuCommand& c : commands) {
        if (!c.children.empty()) {
            QMenu* sub = menu->addMenu(menuText(c.caption));
            sub->setObjectName(c.name);
            sub->menuAction()->setObjectName(c.name);
            actions_.insert(c.name, sub->menuAction());
            addCommands(sub, c.children);
            continue;
        }
        QAction* action = menu->addAction(menuText(c.caption));
        action->setObjectName(c.name);
        connect(action, &QAction::triggered, this, [this, name = c.name] { runCommand(name); });
        actions_.insert(c.name, action);
    }
}

void MainWindow::registerWindowCommands() {
    // The session's own commands; the screens of the subsystems come from registerAllCommands.
    auto emitting = [this](void (MainWindow::*signal)()) { return [this, signal](CommandContext&) { emit(this->*signal)(); }; };
    commands_.add(QStringLiteral("mnu_MstFirmSelect"), emitting(&MainWindow::changeFirmRequested));
    commands_.add(QStringLiteral("mnu_mstYearSelect"), emitting(&MainWindow::changeYearRequested));
    commands_.add(QStringLiteral("mnu_Mst_U6"), emitting(&MainWindow::changeFolderRequested));
    commands_.add(QStringLiteral("mnu_Y52"), emitting(&MainWindow::newYearRequested));
    commands_.add(QStringLiteral("mnuHelp"), emitting(&MainWindow::aboutRequested));
    commands_.add(QStringLiteral("mnu_Mst_U7"), [this](CommandContext&) { loadDashboard(); });
    commands_.add(QStringLiteral("mnu_mstExit"), [this](CommandContext&) { exitWithBackup(); });
    // "0. Exit" of a menu only leaves the menu bar, which choosing it has done.
    commands_.add(QStringLiteral("mnu_TranExit"), [](CommandContext&) {});
    commands_.add(QStringLiteral("mnu_AccExit"), [](CommandContext&) {});
    const QString calculator = calculatorProgram();
    if (!calculator.isEmpty())
        commands_.add(QStringLiteral("mnu_MstCalc"), [calculator](CommandContext&) { QProcess::startDetached(calculator, {}); });
}

QAction* MainWindow::commandAction(const QString& name) const { return actions_.value(name); }

bool MainWindow::commandAvailable(const QString& name) const {
    if (!commands_.has(name)) return false;
    QStringList path = shell::commandPath(name);
    path << name;
    for (const QString& step : path) {
        const shell::MenuCommand* command = shell::findCommand(step);
        if (!command) return false;
        const shell::CommandLook look = shell::commandLook(session_, *command, nextYearAvailable_);
        if (!look.visible || !look.enabled) return false;
    }
    return true;
}

bool MainWindow::runCommand(const QString& name) {
    const shell::MenuCommand* command = shell::findCommand(name);
    if (!command) return false;
    if (!shell::commandAllowed(session_, name)) {
        messages_.critical(kNoRightTitle, QStringLiteral("You Have No Right For %1").arg(shell::readableCaption(command->caption)));
        return false;
    }
    if (!commandAvailable(name)) return false;
    CommandContext context{*this, [this] { return session_.db; }, session_, messages_};
    return commands_.run(name, context);
}

bool MainWindow::runDashboardButton(const QString& buttonName) {
    const QString name = shell::dashboardCommand(buttonName);
    return !name.isEmpty() && runCommand(name);
}

void MainWindow::refreshMenus() {
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        const shell::MenuCommand* command = shell::findCommand(it.key());
        QAction* action = it.value();
        const shell::CommandLook look = shell::commandLook(session_, *command, nextYearAvailable_);
        const bool isMenu = !command->children.empty();
        const bool topLevel = shell::commandPath(command->name).isEmpty();
        action->setText(topLevel ? look.caption : menuText(look.caption));
        action->setVisible(look.visible && shell::commandAllowed(session_, command->name));
        action->setEnabled(look.enabled && (isMenu || commands_.has(command->name)));
    }
    if (auto* panel = qobject_cast<DashboardPanel*>(dashboard_)) panel->refreshButtons();
}

void MainWindow::setNextYearAvailable(bool available) {
    nextYearAvailable_ = available;
    refreshMenus();
}

void MainWindow::loadDashboard() {
    dock_->setVisible(session_.panelVisible);
    auto* panel = qobject_cast<DashboardPanel*>(dashboard_);
    if (session_.panelVisible && session_.db) panel->load(*session_.db);
    else panel->clear();
}

bool MainWindow::canRun(const QString& name) const { return commandAvailable(name) && shell::commandAllowed(session_, name); }

void MainWindow::openKeyMenu() {
    for (const shell::MenuCommand& top : shell::menuTree()) {
        const int amp = top.caption.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= top.caption.size() || top.caption.at(amp + 1).toUpper() != menuLetter_.toUpper()) continue;
        QAction* action = actions_.value(top.name);
        if (action && action->isVisible() && action->menu()) menuBar()->setActiveAction(action);
        return;
    }
}

QMdiSubWindow* MainWindow::openChild(QWidget* child) {
    QMdiSubWindow* sub = mdi_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->adjustSize();
    const QSize area = mdi_->viewport()->size();
    // a screen taller or wider than the work area (a small laptop) opens at the area's size
    if (area.width() > 0 && area.height() > 0) sub->resize(sub->size().boundedTo(area));
    sub->move(std::max(0, (area.width() - sub->width()) / 2), std::max(0, (area.height() - sub->height()) / 2));
    sub->show();
    mdi_->setActiveSubWindow(sub);
    focusFirstField(child);
    // a master saved may have renamed the open firm: title and status bar follow at once
    if (auto* form = qobject_cast<MasterForm*>(child)) connect(form, &MasterForm::saved, this, &MainWindow::showSession);
    // a screen that closes itself (its Exit) takes its child window with it
    child->installEventFilter(this);
    // A closed window may have changed the firm's settings, the operator's rights or the buttons.
    connect(sub, &QObject::destroyed, this, [this] {
        refreshMenus();
        if (dock_->isVisible()) loadDashboard();
    });
    return sub;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // only a screen hidden on purpose (its own close), not one minimised with the program
    auto* child = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Hide && !event->spontaneous() && child && child->isHidden())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget()); sub && sub->isVisible())
            QMetaObject::invokeMethod(sub, [sub] { sub->close(); }, Qt::QueuedConnection);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeChildren() { mdi_->closeAllSubWindows(); }

void MainWindow::setPanelText(Panel panel, const QString& text) { panels_[panel]->setText(text); }

QString MainWindow::panelText(Panel panel) const { return panels_[panel]->text(); }

void MainWindow::showSession() {
    setPanelText(FirmPanel, session_.firmName);
    setPanelText(YearPanel, session_.yearLabel);
    setPanelText(UserPanel, QStringLiteral("%1  %2").arg(session_.loginUser, session_.loginDate.toString(QStringLiteral("dd-MM-yyyy"))));
    setWindowTitle(session_.firmName.isEmpty() ? QStringLiteral("Tanabana")
                                               : QStringLiteral("Tanabana - %1 - %2").arg(session_.firmName, session_.yearLabel));
    refreshMenus();
}

void MainWindow::exitWithBackup() {
    // The owner gets the year by e-mail when the firm has an address; the program closes after.
    const QString address = shell::FirmSettings(session_).text(QStringLiteral("Email_Add")).trimmed();
    shell::EmailBackup backup;
    if (address.contains(QLatin1Char('@'))) {
        WaitIndicator wait(statusBar());
        wait.step();
        backup = shell::makeEmailBackup(session_, QDateTime::currentDateTime());
    }
    if (backup.zipPath.isEmpty()) {
        // the operator learns that no copy left, instead of the program closing silently
        if (!backup.error.isEmpty() && session_.serverUrl.isEmpty())
            messages_.critical(QStringLiteral("Backup Not Sent"),
                               QStringLiteral("The backup by e-mail could not be made:\n%1").arg(backup.error));
        close();
        return;
    }
    const shell::SendingAccount account = shell::backupSendingAccount(session_.dataRoot);
    auto* mail = new EmailWindow;
    auto fill = [mail](const char* name, const QString& text) {
        if (auto* box = mail->findChild<QLineEdit*>(QString::fromLatin1(name))) box->setText(text);
    };
    fill("txtTo", address);
    fill("txtSubject", QStringLiteral("Backup %1").arg(QFileInfo(backup.zipPath).fileName()));
    fill("txtFromName", session_.firmName);
    fill("txtFromEmail", account.user.contains(QLatin1Char('@')) ? account.user : address);
    fill("txtServer", account.server);
    fill("txtPort", QString::number(account.port));
    fill("txtUsername", account.user);
    fill("txtPassword", account.password);
    if (auto* body = mail->findChild<QPlainTextEdit*>(QStringLiteral("txtMsg"))) body->setPlainText(QStringLiteral("Bkup with attachment.."));
    if (auto* ssl = mail->findChild<QCheckBox*>(QStringLiteral("chkSSL"))) ssl->setChecked(account.ssl);
    mail->setAttachment(backup.zipPath);
    QMdiSubWindow* sub = openChild(mail);
    connect(sub, &QObject::destroyed, this, &QWidget::close, Qt::QueuedConnection);
    // With the installation's account the mail goes at once; otherwise (or when it fails) the
    // window stays for the operator, and closing it ends the program.
    if (!account.server.isEmpty()) {
        mail->send();
        if (mail->status() == QLatin1String("Message sent!")) sub->close();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closeChildren();
    if (!mdi_->subWindowList().isEmpty()) {
        event->ignore();  // a child window refused to close (unsaved entry)
        return;
    }
    event->accept();
    emit sessionEnded();
}

}  // namespace tanabana::gui
