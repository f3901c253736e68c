#pragma once
// The road from start to an open working session: settings files, login, firm folder (when the
// installation keeps firm groups in folders), financial year, firm, then the main window. Each
// step is a window of its own that opens the next when it is done; changing the year or the firm
// from the main window walks the same steps from there.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/shell/Installation.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;

namespace tanabana::gui {

class ChoiceWindow;
class MainWindow;

class StartupFlow : public QObject {
    Q_OBJECT
public:
    StartupFlow(shell::Installation installation, Messages& messages, QObject* parent = nullptr);
    ~StartupFlow() override;

    // Reads the settings files and shows the login window.
    void start();
    Session& session() { return session_; }
    const shell::Installation& installation() const { return installation_; }
    db::Database* year() { return year_.get(); }
    MainWindow* mainWindow() { return main_.get(); }
    // The window of the current step (login, folder, year or firm), or null when none is open.
    QWidget* currentStep() const { return step_; }

    void changeYear();
    void changeFirm();
    void changeFolder();
    void createNewYear();
    void showAbout();

signals:
    // The program ends: the login was cancelled, a start-up step was closed or the main window
    // was closed.
    void finished();
    // A firm was chosen and the main window shown: the place where the firm's settings, menus
    // and dashboard are brought in line with it.
    void firmOpened();

private:
    void afterLogin();
    // The operators' windows work on the installation's year list.
    void registerOperatorCommands();
    void showFirmFolders();
    void showYears();
    void showFirms();
    void yearChosen(ChoiceWindow* window, int row);
    void firmChosen(ChoiceWindow* window, int row);
    void showStep(QWidget* window);
    void stepClosed();

    shell::Installation installation_;
    Messages& messages_;
    Session session_;
    std::unique_ptr<db::Database> year_;
    std::unique_ptr<MainWindow> main_;
    QPointer<QWidget> step_;
};

}  // namespace tanabana::gui
