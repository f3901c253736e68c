#pragma once
// A short text to a party's phone through the SMS gateway (a sales bill's amount and number).
// Settings: SMSAPI.txt line 1 the gateway address, line 2 the user, line 3 the sender id; Pass.txt
// the password (read into the session with the other settings files).
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"

#include <QString>

namespace tanabana::reports {

struct SmsSettings {
    QString gateway;
    QString user;
    QString password;
    QString senderId;
    int timeoutSeconds = 30;
    static SmsSettings fromSession(const Session& session);
};

// The gateway request for one message.
QString smsRequest(const SmsSettings& settings, const QString& mobile, const QString& text);

// Sends and tells the operator "Message Send" or "Message Failed"; the request is kept in test.txt
// and the answer in SMSSend.txt in the installation folder (both rewritten each time).
bool sendSms(const QString& installFolder, const SmsSettings& settings, const QString& mobile, const QString& text,
             Messages& messages);

// The party's phone ("select Phone from AccMStView where Id=" party); empty when unknown.
QString partyPhone(db::Database& db, qint64 partyId);
// The number a party's WhatsApp messages go to: its "WApp No", else its phone.
QString partyWhatsAppNumber(db::Database& db, qint64 partyId);

}  // namespace tanabana::reports
