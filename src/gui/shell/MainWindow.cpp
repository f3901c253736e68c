#include "gui/shell/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace tanabana::gui {

MainWindow::MainWindow(Session& session, QWidget* parent) : QMainWindow(parent), session_(session), mdi_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MainWindow"));
    mdi_->setObjectName(QStringLiteral("workArea"));
    mdi_->setBackground(QColor(58, 87, 128));
    setCentralWidget(mdi_);
    const int widths[] = {220, 320, 90, 200};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setMinimumWidth(widths[i]);
        statusBar()->addPermanentWidget(panels_[i], i == FirmPanel ? 1 : 0);
    }
    buildSessionMenu();
    resize(1100, 720);
}

void MainWindow::buildSessionMenu() {
    // The session's own commands; the menu builder places the masters, documents and reports
    // menus before this one.
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Year"));
    menu->setObjectName(QStringLiteral("mnuYear"));
    menu->addAction(QStringLiteral("Change &Year"), this, &MainWindow::changeYearRequested);
    menu->addAction(QStringLiteral("Change &Firm"), this, &MainWindow::changeFirmRequested);
    menu->addSeparator();
    menu->addAction(QStringLiteral("2. Create New Year"), this, &MainWindow::newYearRequested);
    menu->addSeparator();
    menu->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("&About"), this, &MainWindow::aboutRequested);
}

QMdiSubWindow* MainWindow::openChild(QWidget* child) {
    QMdiSubWindow* sub = mdi_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->adjustSize();
    const QSize area = mdi_->viewport()->size();
    sub->move(std::max(0, (area.width() - sub->width()) / 2), std::max(0, (area.height() - sub->height()) / 2));
    sub->show();
    mdi_->setActiveSubWindow(sub);
    child->setFocus();
    return sub;
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
