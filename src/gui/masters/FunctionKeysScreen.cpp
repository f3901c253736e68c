#include "gui/masters/FunctionKeysScreen.h"

#include "gui/common/EntryKeys.h"
#include "gui/common/GuardedSave.h"
#include "gui/common/ScreenHabits.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tanabana::gui {

FunctionKeysScreen::FunctionKeysScreen(Session& session, QWidget* parent, Messages* messages)
    : QWidget(parent), session_(session), boxes_(this), messages_(messages ? *messages : boxes_) {
    setObjectName(QStringLiteral("FrmBillEnd"));
    setWindowTitle(QStringLiteral("Function Key"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(QStringLiteral("The text of each key is put into the text box where F2, F3 or F4 is pressed."), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* form = new QFormLayout;
    const auto makeBox = [this, form](const char* name, const QString& caption) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimumWidth(480);
        form->addRow(caption, box);
        return box;
    };
    f2_ = makeBox("txtF2", QStringLiteral("F2 :"));
    f3_ = makeBox("txtF3", QStringLiteral("F3 :"));
    f4_ = makeBox("txtF4", QStringLiteral("F4 :"));
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* saveButton = new QPushButton(QStringLiteral("&Save"), this);
    saveButton->setObjectName(QStringLiteral("cmd_save"));
    auto* exitButton = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton->setObjectName(QStringLiteral("Cmd_Exit"));
    buttons->addWidget(saveButton);
    buttons->addWidget(exitButton);
    layout->addLayout(buttons);
    layout->addStretch();
    connect(saveButton, &QPushButton::clicked, this, &FunctionKeysScreen::save);
    connect(exitButton, &QPushButton::clicked, this, [this] { closeScreen(this); });

    if (session_.db) saved_ = shell::loadFunctionKeys(*session_.db);
    f2_->setText(saved_.f2);
    f3_->setText(saved_.f3);
    f4_->setText(saved_.f4);
    // the boxes are the texts themselves: F2/F3/F4 here must not paste the old texts in
    auto* keys = EntryKeys::install(this, nullptr, &messages_);
    keys->setOrder({f2_, f3_, f4_, saveButton});
    keys->onEscapeFromFirst([this] { closeScreen(this); });
    f2_->setFocus();
}

QLineEdit* FunctionKeysScreen::textOf(int key) const {
    return key == Qt::Key_F2 ? f2_ : key == Qt::Key_F3 ? f3_ : key == Qt::Key_F4 ? f4_ : nullptr;
}

shell::FunctionKeyTexts FunctionKeysScreen::typed() const { return {f2_->text(), f3_->text(), f4_->text()}; }

bool FunctionKeysScreen::save() {
    if (!session_.db) return false;
    const shell::FunctionKeyTexts texts = typed();
    bool done = false;
    if (!guardedSave(messages_, QStringLiteral("Saving the function keys"),
                     [&] { done = shell::saveFunctionKeys(*session_.db, session_, messages_, texts); }))
        return false;
    if (!done) return false;
    saved_ = texts;
    messages_.information(QStringLiteral("Save Confirm"), QStringLiteral("Function key texts are saved."));
    return true;
}

void FunctionKeysScreen::closeEvent(QCloseEvent* event) {
    if (!mayLeave(messages_, hasUnsavedChanges(), [this] { return save(); })) event->ignore();
}

}  // namespace tanabana::gui
