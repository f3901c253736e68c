#include "gui/shell/Dashboard.h"

#include "domain/reports/DashboardLabels.h"
#include "domain/shell/MenuTree.h"
#include "gui/reports/SettingsWindows.h"
#include "gui/shell/MainWindow.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {
const char* const kCommandProperty = "Mnu_Nm";
}

DashboardPanel::DashboardPanel(MainWindow& window, QWidget* parent) : QWidget(parent), window_(window), layout_(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("PanelDashboard"));
    layout_->setContentsMargins(6, 6, 6, 6);
    layout_->setSpacing(6);
    layout_->addStretch(1);
    setMinimumWidth(170);
}

void DashboardPanel::clear() {
    for (QPushButton* button : findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly)) delete button;
}

void DashboardPanel::load(db::Database& year) {
    clear();
    if (!year.tableExists(QStringLiteral("Disp_Button_MSt"))) return;
    int at = 0;
    for (const reports::DashboardButton& row : reports::dashboardButtons(year)) {
        if (!row.shown) continue;
        auto* button = new QPushButton(row.label.trimmed(), this);
        button->setObjectName(QStringLiteral("cmdDash%1").arg(row.number));
        button->setProperty(kCommandProperty, row.command);
        button->setMinimumHeight(44);
        button->setFocusPolicy(Qt::NoFocus);
        QFont font = button->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.15);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, button] { window_.runDashboardButton(button->property(kCommandProperty).toString()); });
        layout_->insertWidget(at++, button);
        button->show();
    }
    refreshButtons();
}

void DashboardPanel::refreshButtons() {
    for (QPushButton* button : findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QString command = shell::dashboardCommand(button->property(kCommandProperty).toString());
        button->setEnabled(!command.isEmpty() && window_.canRun(command));
    }
}

void DashboardPanel::contextMenuEvent(QContextMenuEvent* event) {
    db::Database* year = window_.session().db;
    if (!year) return;
    QMenu menu(this);
    QAction* labels = menu.addAction(QStringLiteral("Button Labels"));
    if (menu.exec(event->globalPos()) == labels) window_.openChild(new DashboardLabelsWindow(*year, window_.messages()));
}

}  // namespace tanabana::gui
