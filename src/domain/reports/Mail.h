#pragma once
// E-mail with attachments over SMTP (a bill's PDF to a party, a backup to the owner): the
// sender as "Name<address>", basic authentication, TLS when asked (directly on port 465,
// STARTTLS on any other port), 60 seconds to connect.
#include <QString>
#include <QStringList>

namespace tanabana::reports {

struct MailMessage {
    QString to;          // one or more addresses, separated by "," or ";"
    QString subject;
    QString fromName;
    QString fromEmail;
    QString body;
    QString server;
    int port = 25;
    QString userName;
    QString password;
    bool ssl = false;
    QStringList attachments;  // file paths
    int timeoutSeconds = 60;
    // Certificates of a private mail server (a PEM file); empty for the system's store.
    QString certificateFile;
};

struct MailResult {
    bool sent = false;
    QString error;  // the server's or the network's reason
};

MailResult sendMail(const MailMessage& message);

// The mail screen's check: every field but the attachments filled, else
// "Error: All fields are required!"; empty when the message may go.
QString checkMailFields(const MailMessage& message, const QString& portText);

}  // namespace tanabana::reports
