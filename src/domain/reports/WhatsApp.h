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

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

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

// A document by WhatsApp: `write` makes its PDF at the given path inside WAPDF (as `fileName`),
// which then goes with `text` to `mobile` under `displayName`. False when the PDF could not be
// made (the reason shown under "Report") or the channel failed; the PDF stays in WAPDF.
bool sendPdfByWhatsApp(const QString& installFolder, Messages& messages, const QString& fileName,
                       const std::function<void(const QString& path)>& write, const QString& mobile, const QString& text,
                       const QString& displayName);

// The PDF's name for WhatsApp, stamped with the moment so two sends never collide:
// "Ramesh Shah" at 05-Apr-2024 3:05:07 PM, kind "Ledger" -> "Ramesh Shah_05Apr20243057PM_Ledger.pdf".
QString whatsAppPdfFileName(const QString& name, const QDateTime& when, const QString& kind);
// The party's mobile number, asked for when the account has none ("Please Enter Party Mobile NO",
// title "No Mobile No"); still none: "Party Mobile no does not Entered" (title "No Mobile") and
// nothing is sent.
std::optional<QString> mobileForMessage(Messages& messages, const QString& known);
// The ledger's covering message: greeting, period in bold, the firm's phone, regards; lines
// joined by "%0a" as the service expects.
QString ledgerMessage(const QString& party, const QDate& from, const QDate& to, const QString& firmPhone,
                      const QString& firmName);

}  // namespace tanabana::reports
