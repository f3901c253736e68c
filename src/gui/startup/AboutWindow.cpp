#include "gui/startup/AboutWindow.h"

#include "domain/shell/YearMaintenance.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace tanabana::gui {

AboutWindow::AboutWindow(shell::Installation installation, Session& session, Messages& messages, QWidget* parent)
    : QDialog(parent), installation_(std::move(installation)), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("frm_AboutUs"));
    setWindowTitle(QStringLiteral("About"));
    auto* title = new QLabel(QStringLiteral("Tanabana %1").arg(QCoreApplication::applicationVersion()), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("lblDetails"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString books = session.serverUrl.isEmpty() ? QDir::toNativeSeparators(session.dataFolder) : session.serverUrl;
    text->setText(QStringLiteral("Accounts, GST invoicing and textile job work\n\n"
                                 "Firm: %1\nYear: %2\nBooks: %3\nOperator: %4")
                      .arg(session.firmName, session.yearLabel, books, session.loginUser));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    setMinimumWidth(420);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && session_.db) {
        if (shell::clearDatabase(installation_, session_, *session_.db, messages_)) emit databaseCleared();
        return;
    }
    QDialog::keyPressEvent(event);  // Esc closes
}

}  // namespace tanabana::gui
