#pragma once
// The one window the operator works in: child windows (masters, vouchers, registers) open inside
// it, centred; the status bar shows the firm (second panel), the financial year (third) and the
// operator with the login date. The menu tree and dashboard are added by the menu builder.
#include "core/Session.h"

#include <QMainWindow>
#include <array>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace tanabana::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Status bar panels in order.
    enum Panel { MessagePanel = 0, FirmPanel = 1, YearPanel = 2, UserPanel = 3 };

    explicit MainWindow(Session& session, QWidget* parent = nullptr);

    QMdiArea* workArea() const { return mdi_; }
    // Opens a child window inside the work area, centred, and brings it to the front.
    QMdiSubWindow* openChild(QWidget* child);
    void closeChildren();
    void setPanelText(Panel panel, const QString& text);
    QString panelText(Panel panel) const;
    // Refreshes title and status bar from the session (after a year or firm choice).
    void showSession();

signals:
    // Commands of the session that the start-up owns.
    void changeYearRequested();
    void changeFirmRequested();
    void newYearRequested();
    void aboutRequested();
    // The operator closed the main window: the session ends.
    void sessionEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSessionMenu();

    Session& session_;
    QMdiArea* mdi_;
    std::array<QLabel*, 4> panels_{};
};

}  // namespace tanabana::gui
