#include "domain/reports/Mail.h"

#include "domain/reports/Web.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <curl/curl.h>
#include <memory>

namespace tanabana::reports {

namespace {

// Non-ASCII header text in the MIME encoded-word form.
QByteArray headerText(const QString& text) {
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() > 126 || c.unicode() < 32) ascii = false;
    if (ascii) return text.toUtf8();
    return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
}

QStringList recipients(const QString& to) {
    QStringList list;
    for (const QString& part : to.split(QRegularExpression(QStringLiteral("[,;]")), Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty()) list << part.trimmed();
    return list;
}

struct CurlHandles {
    CURL* curl = curl_easy_init();
    curl_slist* recipients = nullptr;
    curl_slist* headers = nullptr;
    curl_mime* mime = nullptr;
    ~CurlHandles() {
        if (mime) curl_mime_free(mime);
        if (headers) curl_slist_free_all(headers);
        if (recipients) curl_slist_free_all(recipients);
        if (curl) curl_easy_cleanup(curl);
    }
};

}  // namespace

QString checkMailFields(const MailMessage& m, const QString& portText) {
    const QStringList required = {m.to, m.subject, m.fromName, m.fromEmail, m.body, m.server, portText, m.userName, m.password};
    for (const QString& field : required)
        if (field.trimmed().isEmpty()) return QStringLiteral("Error: All fields are required!");
    return {};
}

MailResult sendMail(const MailMessage& m) {
    MailResult result;
    for (const QString& path : m.attachments)
        if (!path.trimmed().isEmpty() && !QFileInfo(path).isFile()) {
            result.error = QStringLiteral("Attachment not found: %1").arg(path);
            return result;
        }
    const QStringList to = recipients(m.to);
    if (to.isEmpty()) {
        result.error = QStringLiteral("No recipient address");
        return result;
    }
    ensureCurlReady();
    CurlHandles h;
    if (!h.curl) {
        result.error = QStringLiteral("The mail client could not start");
        return result;
    }
    const bool direct = m.ssl && m.port == 465;
    const QByteArray url = QStringLiteral("%1://%2:%3").arg(direct ? QStringLiteral("smtps") : QStringLiteral("smtp"), m.server.trimmed()).arg(m.port).toUtf8();
    const QByteArray from = QStringLiteral("<%1>").arg(m.fromEmail.trimmed()).toUtf8();
    const QByteArray user = m.userName.toUtf8(), password = m.password.toUtf8(), caFile = QFile::encodeName(m.certificateFile);
    char errors[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(h.curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(h.curl, CURLOPT_MAIL_FROM, from.constData());
    for (const QString& r : to) h.recipients = curl_slist_append(h.recipients, QStringLiteral("<%1>").arg(r).toUtf8().constData());
    curl_easy_setopt(h.curl, CURLOPT_MAIL_RCPT, h.recipients);
    curl_easy_setopt(h.curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(h.curl, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(h.curl, CURLOPT_ERRORBUFFER, errors);
    curl_easy_setopt(h.curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h.curl, CURLOPT_CONNECTTIMEOUT, long(qMax(1, m.timeoutSeconds)));
    // A server that stops answering is given up after the same time.
    curl_easy_setopt(h.curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h.curl, CURLOPT_LOW_SPEED_TIME, long(qMax(1, m.timeoutSeconds)));
    if (m.ssl) curl_easy_setopt(h.curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    if (!m.certificateFile.isEmpty()) curl_easy_setopt(h.curl, CURLOPT_CAINFO, caFile.constData());

    const QList<QByteArray> headerLines = {
        "From: " + headerText(m.fromName.trimmed()) + " <" + m.fromEmail.trimmed().toUtf8() + ">",
        "To: " + to.join(QStringLiteral(", ")).toUtf8(),
        "Subject: " + headerText(m.subject),
    };
    for (const QByteArray& line : headerLines) h.headers = curl_slist_append(h.headers, line.constData());
    curl_easy_setopt(h.curl, CURLOPT_HTTPHEADER, h.headers);

    h.mime = curl_mime_init(h.curl);
    curl_mimepart* text = curl_mime_addpart(h.mime);
    const QByteArray body = m.body.toUtf8();
    curl_mime_data(text, body.constData(), size_t(body.size()));
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    for (const QString& path : m.attachments) {
        if (path.trimmed().isEmpty()) continue;
        curl_mimepart* part = curl_mime_addpart(h.mime);
        curl_mime_filedata(part, QFile::encodeName(path).constData());
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(h.curl, CURLOPT_MIMEPOST, h.mime);

    const CURLcode code = curl_easy_perform(h.curl);
    result.sent = code == CURLE_OK;
    if (!result.sent) result.error = QString::fromUtf8(errors[0] ? errors : curl_easy_strerror(code));
    return result;
}

}  // namespace tanabana::reports
