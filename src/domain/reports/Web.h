#pragma once
// Plain web requests of the message channels (WhatsApp and SMS gateways answer a GET with a short
// text), over libcurl, synchronous as the screens expect.
#include <QString>

namespace tanabana::reports {

struct WebReply {
    bool answered = false;  // a response came back (any HTTP status)
    int status = 0;         // HTTP status
    QString text;           // the response body
    QString error;          // why there was no response
};

// GET with a time limit for the whole request.
WebReply webGet(const QString& address, int timeoutSeconds = 30);
// The response text, or "404 Error" when no response came back.
QString webGetText(const QString& address, int timeoutSeconds = 30);

// A message for a query string: spaces, "&", "#", "+" and other reserved characters encoded,
// while the callers' own escapes stay as they are ("%0a" is their line break): "Dear Ramesh,%0aBill
// *GST/12* & more" -> "Dear%20Ramesh%2C%0aBill%20*GST%2F12*%20%26%20more".
QString encodeQueryValue(const QString& text);

// One-time libcurl set-up shared by the web and mail clients.
void ensureCurlReady();

}  // namespace tanabana::reports
