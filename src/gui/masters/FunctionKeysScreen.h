#pragma once
// "3. Function Key": the three fixed texts F2, F3 and F4 put into any text box of the program.
#include "core/Session.h"
#include "gui/common/MessageBoxes.h"
#include "domain/shell/FunctionKeys.h"

#include <QWidget>

class QLineEdit;

namespace tanabana::gui {

class FunctionKeysScreen : public QWidget {
    Q_OBJECT
public:
    explicit FunctionKeysScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    QLineEdit* textOf(int key) const;  // Qt::Key_F2 .. Qt::Key_F4
    bool hasUnsavedChanges() const { return typed() != saved_; }

public slots:
    bool save();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    shell::FunctionKeyTexts typed() const;
    Session& session_;
    MessageBoxes boxes_;
    Messages& messages_;
    QLineEdit* f2_;
    QLineEdit* f3_;
    QLineEdit* f4_;
    shell::FunctionKeyTexts saved_;
};

}  // namespace tanabana::gui
