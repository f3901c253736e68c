#pragma once
// The about window: the program, its version and where the open books are. Esc closes it; F10
// offers to clear every entry of the open year ("Clear Database").
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/shell/Installation.h"

#include <QDialog>

namespace tanabana::gui {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(shell::Installation installation, Session& session, Messages& messages, QWidget* parent = nullptr);

signals:
    void databaseCleared();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    shell::Installation installation_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::gui
