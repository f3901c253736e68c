#pragma once
// The dashboard panel beside the work area: large buttons for the commands an operator uses all
// day ("Sales", "Chalan", "Bank Receipt"...), one per shown row of Disp_Button_MSt in Srno order.
// A button runs the menu command of its meaning through the main window, so the operator's rights
// and the firm's settings apply to it exactly as to the menu. Right-click edits the captions.
#include "db/Database.h"

#include <QWidget>

class QVBoxLayout;

namespace tanabana::gui {

class MainWindow;

class DashboardPanel : public QWidget {
    Q_OBJECT
public:
    DashboardPanel(MainWindow& window, QWidget* parent = nullptr);
    // Reads the buttons of the open year; a year without the table shows none.
    void load(db::Database& year);
    void clear();
    // Enables each button whose command the operator may run now.
    void refreshButtons();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    MainWindow& window_;
    QVBoxLayout* layout_;
};

}  // namespace tanabana::gui
