#include "gui/reports/EmailWindow.h"

#include "gui/common/EntryKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tanabana::gui {

namespace {

const QString kFirstFilter = QStringLiteral(
    "Graphic Files (*.bmp *.gif *.jpg);;MSword Files (*.Doc);;PDF Files (*.PDF);;All Files (*.*)");
const QString kSecondFilter = QStringLiteral(
    "MSword Files (*.Doc);;Graphic Files (*.bmp *.gif *.jpg);;PDF Files (*.PDF);;All Files (*.*)");

}  // namespace

EmailWindow::EmailWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmemail"));
    setWindowTitle(QStringLiteral("E-Mail"));
    form_ = new QFormLayout(this);
    to_ = field("txtTo", QStringLiteral("To"));
    subject_ = field("txtSubject", QStringLiteral("Subject"));
    fromName_ = field("txtFromName", QStringLiteral("From Name"));
    fromEmail_ = field("txtFromEmail", QStringLiteral("From E-Mail"));
    body_ = new QPlainTextEdit(this);
    body_->setObjectName(QStringLiteral("txtMsg"));
    body_->setTabChangesFocus(true);
    form_->addRow(QStringLiteral("Message"), body_);
    server_ = field("txtServer", QStringLiteral("SMTP Server"));
    port_ = field("txtPort", QStringLiteral("Port"));
    port_->setText(QStringLiteral("25"));
    user_ = field("txtUsername", QStringLiteral("User Name"));
    password_ = field("txtPassword", QStringLiteral("Password"), true);
    ssl_ = new QCheckBox(QStringLiteral("SSL"), this);
    ssl_->setObjectName(QStringLiteral("chkSSL"));
    form_->addRow(QString(), ssl_);
    attach_ = field("txtAttach", QStringLiteral("Attachment"));
    auto withBrowse = [&](const char* name, const QString& caption, const QString& filter) {
        auto* row = new QWidget(this);
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        auto* box = new QLineEdit(row);
        box->setObjectName(QString::fromLatin1(name));
        auto* button = new QPushButton(QStringLiteral("..."), row);
        button->setObjectName(QStringLiteral("cmdBrowse_") + QString::fromLatin1(name));
        h->addWidget(box, 1);
        h->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, box, filter] { browse(box, filter); });
        form_->addRow(caption, row);
        return box;
    };
    a1_ = withBrowse("txtA1", QStringLiteral("Attachment 2"), kFirstFilter);
    a2_ = withBrowse("txtA2", QStringLiteral("Attachment 3"), kSecondFilter);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));
    status_->setWordWrap(true);
    auto* sendButton = new QPushButton(QStringLiteral("&Send"), this);
    sendButton->setObjectName(QStringLiteral("cmdSend"));
    connect(sendButton, &QPushButton::clicked, this, &EmailWindow::send);
    form_->addRow(QString(), sendButton);
    form_->addRow(status_);
    EntryKeys::install(this);
}

QLineEdit* EmailWindow::field(const char* name, const QString& caption, bool password) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    if (password) box->setEchoMode(QLineEdit::Password);
    form_->addRow(caption, box);
    return box;
}

void EmailWindow::browse(QLineEdit* target, const QString& filter) {
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Attachment"), target->text(), filter);
    if (!file.isEmpty()) target->setText(file);
}

void EmailWindow::setAttachment(const QString& path) {
    attach_->setText(path);
}

QString EmailWindow::status() const {
    return status_->text();
}

reports::MailMessage EmailWindow::message() const {
    reports::MailMessage m;
    m.to = to_->text().trimmed();
    m.subject = subject_->text();
    m.fromName = fromName_->text().trimmed();
    m.fromEmail = fromEmail_->text().trimmed();
    m.body = body_->toPlainText();
    m.server = server_->text().trimmed();
    m.port = port_->text().trimmed().toInt();
    m.userName = user_->text().trimmed();
    m.password = password_->text();
    m.ssl = ssl_->isChecked();
    for (const QLineEdit* box : {attach_, a1_, a2_})
        if (!box->text().trimmed().isEmpty()) m.attachments << box->text().trimmed();
    return m;
}

void EmailWindow::send() {
    const reports::MailMessage m = message();
    const QString missing = reports::checkMailFields(m, port_->text());
    if (!missing.isEmpty()) {
        status_->setText(missing);
        return;
    }
    bool portOk = false;
    const int port = port_->text().trimmed().toInt(&portOk);
    if (!portOk || port <= 0 || port > 65535) {
        status_->setText(QStringLiteral("Error: Port must be a number from 1 to 65535"));
        return;
    }
    status_->setText(QStringLiteral("Sending..."));
    status_->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const reports::MailResult result = reports::sendMail(m);
    QApplication::restoreOverrideCursor();
    status_->setText(result.sent ? QStringLiteral("Message sent!") : result.error);
}

}  // namespace tanabana::gui
