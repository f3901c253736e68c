#include "gui/common/MessageBoxes.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tanabana::gui {

void MessageBoxes::information(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}
void MessageBoxes::critical(const QString& title, const QString& text) { QMessageBox::critical(parent_, title, text); }
void MessageBoxes::warning(const QString& title, const QString& text) { QMessageBox::warning(parent_, title, text); }
bool MessageBoxes::ask(const QString& title, const QString& text) {
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
int MessageBoxes::choose(const QString& title, const QString& text, const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent_);
    QList<QAbstractButton*> buttons;
    for (int i = 0; i < answers.size(); ++i)
        buttons << box.addButton(answers.at(i), i + 1 == answers.size() ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (!buttons.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    const int chosen = int(buttons.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : int(answers.size()) - 1;
}

std::optional<QString> MessageBoxes::input(const QString& title, const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

}  // namespace tanabana::gui
