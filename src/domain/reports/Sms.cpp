#include "domain/reports/Sms.h"

#include "db/DbError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Web.h"

#include <QDir>
#include <QFile>

namespace tanabana::reports {

SmsSettings SmsSettings::fromSession(const Session& session) {
    SmsSettings s;
    s.gateway = session.smsApi.value(0);
    while (s.gateway.endsWith(QLatin1Char('/'))) s.gateway.chop(1);
    s.user = session.smsApi.value(1);
    s.senderId = session.smsApi.value(2);
    s.password = session.smsPassword;
    return s;
}

QString smsRequest(const SmsSettings& s, const QString& mobile, const QString& text) {
    return s.gateway + QStringLiteral("/api/mt/SendSMS?user=") + encodeQueryValue(s.user) + QStringLiteral("&password=") +
           encodeQueryValue(s.password) + QStringLiteral("&senderid=") + encodeQueryValue(s.senderId) +
           QStringLiteral("&channel=TRANS&DCS=0&flashsms=0&number=") + encodeQueryValue(mobile.trimmed()) +
           QStringLiteral("&text=") + encodeQueryValue(text) + QStringLiteral("&route=06");
}

bool sendSms(const QString& installFolder, const SmsSettings& settings, const QString& mobile, const QString& text,
             Messages& messages) {
    const QString request = smsRequest(settings, mobile, text);
    rewriteTextFile(QDir(installFolder).filePath(QStringLiteral("test.txt")), request + QLatin1Char('\n'));
    const WebReply reply = settings.gateway.isEmpty() ? WebReply{} : webGet(request, settings.timeoutSeconds);
    rewriteTextFile(QDir(installFolder).filePath(QStringLiteral("SMSSend.txt")),
            (reply.answered ? reply.text : QStringLiteral("404 Error")) + QLatin1Char('\n'));
    const bool sent = reply.answered && reply.status >= 200 && reply.status < 300;
    if (sent) messages.information(QStringLiteral("SMS"), QStringLiteral("Message Send"));
    else messages.critical(QStringLiteral("SMS"), QStringLiteral("Message Failed"));
    return sent;
}

QString partyPhone(db::Database& db, qint64 partyId) {
    try {
        return db.scalar(QStringLiteral("SELECT Phone FROM AccMStView WHERE Id = ?"), {partyId}).toString().trimmed();
    } catch (const db::DbError&) {
        return {};
    }
}

QString partyWhatsAppNumber(db::Database& db, qint64 partyId) {
    try {
        const auto row = db.queryOne(QStringLiteral("SELECT WMbNo, Phone FROM AccMst WHERE Id = ?"), {partyId});
        if (!row) return {};
        const QString whatsApp = row->text(QStringLiteral("WMbNo")).trimmed();
        return whatsApp.isEmpty() ? row->text(QStringLiteral("Phone")).trimmed() : whatsApp;
    } catch (const db::DbError&) {
        return {};
    }
}

}  // namespace tanabana::reports
