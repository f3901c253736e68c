#pragma once
// The one window the operator works in: the menu bar with every command of the system, the
// dashboard panel of large buttons for the most used ones, child windows (masters, vouchers,
// registers) opening inside it, centred, and the status bar with the firm (second panel), the
// financial year (third), the operator with the login date, and a progress bar for long runs.
// A command runs only when something is registered for it, the operator has its right and the
// firm's settings show it; the menu and the dashboard go through the same door (runCommand).
#include "core/Messages.h"
#include "core/Session.h"
#include "domain/shell/MenuTree.h"
#include "gui/shell/Commands.h"

#include <QMainWindow>
#include <QMap>
#include <array>

class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QWidget;

namespace tanabana::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Status bar panels in order.
    enum Panel { MessagePanel = 0, FirmPanel = 1, YearPanel = 2, UserPanel = 3 };

    MainWindow(Session& session, Messages& messages, QWidget* parent = nullptr);
    ~MainWindow() override;

    QMdiArea* workArea() const { return mdi_; }
    // Opens a child window inside the work area, centred, and brings it to the front.
    QMdiSubWindow* openChild(QWidget* child);
    void closeChildren();
    void setPanelText(Panel panel, const QString& text);
    QString panelText(Panel panel) const;
    QProgressBar* progressBar() const { return progress_; }
    // Refreshes title and status bar from the session (after a year or firm choice).
    void showSession();

    CommandRegistry& commands() { return commands_; }
    // The menu action of a command or sub-menu ("mnu_T12", "mnu_T1"), or null.
    QAction* commandAction(const QString& name) const;
    // Runs a command as the menu would: refused when the operator lacks its right, ignored when
    // nothing is registered or the firm's settings hide it. True when it ran.
    bool runCommand(const QString& name);
    // True when runCommand would run it (registered, allowed, shown for this firm).
    bool canRun(const QString& name) const;
    Messages& messages() { return messages_; }
    Session& session() { return session_; }
    // A dashboard button's Mnu_Nm ("Sales"): runs the menu command of that meaning.
    bool runDashboardButton(const QString& buttonName);

    // Captions, visibility and availability of every command for the session as it is now
    // (rights, firm settings, folder mode, the next year's books).
    void refreshMenus();
    void setNextYearAvailable(bool available);
    // Shows the dashboard panel when the installation wants it and fills its buttons from
    // Disp_Button_MSt of the open year.
    void loadDashboard();
    QWidget* dashboard() const { return dashboard_; }
    // The access-key letter of the menu opened after a firm is chosen ("T", or "M" after the firm
    // master); openKeyMenu opens it.
    void setMenuLetter(QChar letter) { menuLetter_ = letter; }
    QChar menuLetter() const { return menuLetter_; }
    void openKeyMenu();

signals:
    // Commands of the session that the start-up owns.
    void changeYearRequested();
    void changeFirmRequested();
    void changeFolderRequested();
    void newYearRequested();
    void aboutRequested();
    // The operator closed the main window: the session ends.
    void sessionEnded();

protected:
    // Closing the program closes every child window first; one that keeps unsaved changes (the
    // operator chose Go Back) keeps the program open.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void addCommands(QMenu* menu, const std::vector<shell::MenuCommand>& commands);
    void registerWindowCommands();
    bool commandAvailable(const QString& name) const;
    void exitWithBackup();

    Session& session_;
    Messages& messages_;
    CommandRegistry commands_;
    QMdiArea* mdi_;
    std::array<QLabel*, 4> panels_{};
    QProgressBar* progress_ = nullptr;
    QDockWidget* dock_ = nullptr;
    QWidget* dashboard_ = nullptr;
    QMap<QString, QAction*> actions_;
    bool nextYearAvailable_ = false;
    QChar menuLetter_ = QLatin1Char('T');
};

}  // namespace tanabana::gui
