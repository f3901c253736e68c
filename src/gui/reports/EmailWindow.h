#pragma once
// The e-mail screen: a message with up to three attachments (the bill's PDF already filled in
// by the caller) sent through the firm's mail server.
#include "domain/reports/Mail.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tanabana::gui {

class EmailWindow : public QWidget {
    Q_OBJECT
public:
    explicit EmailWindow(QWidget* parent = nullptr);
    // Puts a file in the first attachment box.
    void setAttachment(const QString& path);
    // The message as the fields describe it.
    reports::MailMessage message() const;
    QString status() const;

public slots:
    void send();

private:
    QLineEdit* field(const char* name, const QString& caption, bool password = false);
    void browse(QLineEdit* target, const QString& filter);

    QLineEdit *to_, *subject_, *fromName_, *fromEmail_, *server_, *port_, *user_, *password_;
    QLineEdit *attach_, *a1_, *a2_;
    QPlainTextEdit* body_;
    QCheckBox* ssl_;
    QLabel* status_;
    class QFormLayout* form_;
};

}  // namespace tanabana::gui
