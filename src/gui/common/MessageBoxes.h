#pragma once
// The screens' Messages: Qt message boxes with the system's titles, texts and icons.
#include "core/Messages.h"

class QWidget;

namespace tanabana::gui {

class MessageBoxes : public Messages {
public:
    explicit MessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void information(const QString& title, const QString& text) override;
    void critical(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial = {}) override;
    int choose(const QString& title, const QString& text, const QStringList& answers) override;

private:
    QWidget* parent_;
};

}  // namespace tanabana::gui
