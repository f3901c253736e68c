#include "domain/reports/Web.h"

#include <curl/curl.h>
#include <mutex>

namespace tanabana::reports {

namespace {

size_t collect(char* data, size_t size, size_t count, void* target) {
    static_cast<QByteArray*>(target)->append(data, qsizetype(size * count));
    return size * count;
}

bool isHex(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
}

}  // namespace

void ensureCurlReady() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

WebReply webGet(const QString& address, int timeoutSeconds) {
    ensureCurlReady();
    WebReply reply;
    CURL* curl = curl_easy_init();
    if (!curl) {
        reply.error = QStringLiteral("The web client could not start");
        return reply;
    }
    QByteArray body;
    char errors[CURL_ERROR_SIZE] = {0};
    const QByteArray url = address.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errors);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(qMax(1, timeoutSeconds)));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(qMax(1, qMin(timeoutSeconds, 30))));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        reply.answered = true;
        reply.status = int(status);
        reply.text = QString::fromUtf8(body);
    } else {
        reply.error = QString::fromUtf8(errors[0] ? errors : curl_easy_strerror(code));
    }
    curl_easy_cleanup(curl);
    return reply;
}

QString webGetText(const QString& address, int timeoutSeconds) {
    const WebReply reply = webGet(address, timeoutSeconds);
    return reply.answered ? reply.text : QStringLiteral("404 Error");
}

QString encodeQueryValue(const QString& text) {
    QString out;
    QString plain;
    const QByteArray keep = QByteArrayLiteral("-._~*");
    auto flush = [&] {
        out += QString::fromLatin1(plain.toUtf8().toPercentEncoding(keep));
        plain.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('%') && i + 2 < text.size() && isHex(text.at(i + 1)) && isHex(text.at(i + 2))) {
            flush();
            out += text.mid(i, 3);
            i += 2;
        } else {
            plain += text.at(i);
        }
    }
    flush();
    return out;
}

}  // namespace tanabana::reports
