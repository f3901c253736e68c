#include "gui/common/MessageBoxes.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tanabana::gui {

void MessageBoxes::information(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}
void MessageBoxes::critical(const QString& title, const QString& text) { QMessageBox::critical(parent_, title, text); }
void MessageBoxes::warning(const QString& title, const QString& text) { QMessageBox::warning(parent_, title, text); }
bool MessageBoxes::ask(const QString& title, const QString& text) {
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
std::optional<QString> MessageBoxes::input(const QString& title, const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

}  // namespace tanabana::gui
