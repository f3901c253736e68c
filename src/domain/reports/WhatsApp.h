#pragma once
// Bills and ledgers sent to a party's WhatsApp through the messaging web service. A text message
// is one GET; a PDF is first put on the firm's web folder by the uploader program, then sent as
// a media message pointing at it. The service answers with a JSON object whose first member is
// the status, so a good answer reads "success" at characters 12 to 18 ({"status":"success",...}).
//
// Settings live in WA.txt in the installation folder, one value a line: 1 instance id, 2 access
// token, 3 a further value, 4 "F" to keep log files, 5 the service's base address, 6 a further
// value, and (our additions) 7 the web folder address the uploaded PDFs are reached at, 8 the
// uploader command ({file}, {name} and {kind} are replaced; default: WA/FtpUpload "{file}" wp).
#include "core/Messages.h"

#include <QString>

namespace tanabana::reports {

struct WhatsAppSettings {
    QString instanceId;
    QString accessToken;
    QString third;
    QString loggingFlag;
    QString baseAddress;
    QString sixth;
    QString mediaFolderAddress;
    QString uploaderCommand;
    int timeoutSeconds = 30;
    int uploadTimeoutSeconds = 120;

    bool logging() const { return loggingFlag == QLatin1String("F"); }
    // Reads WA.txt; a missing file or line leaves the default (the default service address).
    static WhatsAppSettings load(const QString& installFolder);
};

// The service address used when WA.txt names none.
QString defaultWhatsAppAddress();

class WhatsAppSender {
public:
    WhatsAppSender(QString installFolder, WhatsAppSettings settings, Messages& messages);

    // A text message; false when the service refused it ("Message Failed" is shown).
    bool sendText(const QString& mobile, const QString& message);
    // The PDF WAPDF/<fileName>: uploaded, then sent as a media message named `displayName`. When
    // the service refuses it, its answer goes to APILOG.txt and the message is sent again as text;
    // when that fails too, its answer goes to APILOG1.txt and "Message Failed" is shown.
    bool sendPdf(const QString& fileName, const QString& mobile, const QString& message, const QString& displayName);

    // "91" in front of the party's number.
    static QString withCountryCode(const QString& mobile);
    // An empty answer, or "success" at characters 12 to 18.
    static bool isSuccess(const QString& response);
    QString textRequest(const QString& mobile, const QString& message) const;
    QString mediaRequest(const QString& mobile, const QString& message, const QString& fileName, const QString& displayName) const;

private:
    void upload(const QString& pdfPath);
    QString call(const QString& request);
    void writeLog(const QString& name, const QString& text) const;

    QString installFolder_;
    WhatsAppSettings settings_;
    Messages& messages_;
};

}  // namespace tanabana::reports
