#include "domain/reports/WhatsApp.h"

#include "core/SettingsFiles.h"
#include "core/Text.h"
#include "db/DbError.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/Web.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>

namespace tanabana::reports {

QString defaultWhatsAppAddress() {
    return QStringLiteral("https://wa-gateway.example");
}

WhatsAppSettings WhatsAppSettings::load(const QString& installFolder) {
    WhatsAppSettings s;
    const QStringList lines = readTrimmedLines(QDir(installFolder).filePath(QStringLiteral("WA.txt")));
    s.instanceId = lines.value(0);
    s.accessToken = lines.value(1);
    s.third = lines.value(2);
    s.loggingFlag = lines.value(3);
    s.baseAddress = lines.value(4);
    s.sixth = lines.value(5);
    s.mediaFolderAddress = lines.value(6);
    s.uploaderCommand = lines.value(7);
    if (s.baseAddress.isEmpty()) s.baseAddress = defaultWhatsAppAddress();
    while (s.baseAddress.endsWith(QLatin1Char('/'))) s.baseAddress.chop(1);
    return s;
}

WhatsAppSender::WhatsAppSender(QString installFolder, WhatsAppSettings settings, Messages& messages)
    : installFolder_(std::move(installFolder)), settings_(std::move(settings)), messages_(messages) {}

QString WhatsAppSender::withCountryCode(const QString& mobile) {
    return QStringLiteral("91") + mobile.trimmed();
}

bool WhatsAppSender::isSuccess(const QString& response) {
    return response.isEmpty() || response.mid(11, 7) == QLatin1String("success");
}

QString WhatsAppSender::textRequest(const QString& mobile, const QString& message) const {
    return settings_.baseAddress + QStringLiteral("/api/send?number=") + encodeQueryValue(withCountryCode(mobile)) +
           QStringLiteral("&type=text&message=") + encodeQueryValue(message) + QStringLiteral("&instance_id=") +
           encodeQueryValue(settings_.instanceId) + QStringLiteral("&access_token=") + encodeQueryValue(settings_.accessToken);
}

QString WhatsAppSender::mediaRequest(const QString& mobile, const QString& message, const QString& fileName,
                                     const QString& displayName) const {
    QString folder = settings_.mediaFolderAddress;
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return settings_.baseAddress + QStringLiteral("/api/send?number=") + encodeQueryValue(withCountryCode(mobile)) +
           QStringLiteral("&type=media&message=") + encodeQueryValue(message) + QStringLiteral("&media_url=") +
           encodeQueryValue(folder + fileName) + QStringLiteral("&filename=") + encodeQueryValue(displayName) +
           QStringLiteral("&instance_id=") + encodeQueryValue(settings_.instanceId) + QStringLiteral("&access_token=") +
           encodeQueryValue(settings_.accessToken);
}

void WhatsAppSender::writeLog(const QString& name, const QString& text) const {
    rewriteTextFile(QDir(installFolder_).filePath(name), text);
}

QString WhatsAppSender::call(const QString& request) {
    const QString response = webGetText(request, settings_.timeoutSeconds);
    if (settings_.logging()) writeLog(QStringLiteral("WASendXMLLog.txt"), request + QLatin1Char('\n') + response + QLatin1Char('\n'));
    return response;
}

bool WhatsAppSender::sendText(const QString& mobile, const QString& message) {
    const QString request = textRequest(mobile, message);
    const QString response = call(request);
    if (isSuccess(response)) {
        if (settings_.logging()) writeLog(QStringLiteral("WAPAthFileLog.txt"), request + QLatin1Char('\n'));
        return true;
    }
    writeLog(QStringLiteral("APILOG1.txt"), response + QLatin1Char('\n'));
    messages_.critical(QStringLiteral("WhatsApp"), QStringLiteral("Message Failed"));
    return false;
}

void WhatsAppSender::upload(const QString& pdfPath) {
    const QString waFolder = QDir(installFolder_).filePath(QStringLiteral("WA"));
    QString command = settings_.uploaderCommand;
    if (command.isEmpty()) command = QStringLiteral("\"%1\" \"{file}\" {kind}").arg(QDir(waFolder).filePath(QStringLiteral("FtpUpload")));
    QStringList words = QProcess::splitCommand(command);
    for (QString& w : words)
        w.replace(QStringLiteral("{file}"), pdfPath).replace(QStringLiteral("{name}"), QFileInfo(pdfPath).fileName())
            .replace(QStringLiteral("{kind}"), QStringLiteral("wp"));
    if (words.isEmpty()) return;
    if (settings_.logging()) writeLog(QStringLiteral("FTPLog.txt"), words.join(QLatin1Char(' ')) + QLatin1Char('\n'));
    QProcess process;
    process.setWorkingDirectory(QFileInfo(waFolder).isDir() ? waFolder : installFolder_);
    process.start(words.takeFirst(), words);
    const bool finished = process.waitForStarted(10000) && process.waitForFinished(settings_.uploadTimeoutSeconds * 1000);
    if (!finished || process.exitStatus() != QProcess::NormalExit) {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(3000);
        }
        writeLog(QStringLiteral("FTPLogError.txt"), QStringLiteral("%1,%2\n").arg(int(process.error())).arg(process.errorString()));
    } else if (process.exitCode() != 0) {
        writeLog(QStringLiteral("FTPLogError.txt"),
                 QStringLiteral("%1,%2\n").arg(process.exitCode()).arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed()));
    }
}

bool WhatsAppSender::sendPdf(const QString& fileName, const QString& mobile, const QString& message, const QString& displayName) {
    upload(QDir(whatsAppPdfFolder(installFolder_)).filePath(fileName));
    const QString request = mediaRequest(mobile, message, fileName, displayName);
    const QString response = call(request);
    if (isSuccess(response)) {
        if (settings_.logging()) writeLog(QStringLiteral("WAPAthFileLog.txt"), request + QLatin1Char('\n'));
        return true;
    }
    writeLog(QStringLiteral("APILOG.txt"), response + QStringLiteral("\nWith PDF\n"));
    // The text alone still reaches the party.
    const QString fallback = call(textRequest(mobile, message));
    if (isSuccess(fallback)) return true;
    writeLog(QStringLiteral("APILOG1.txt"), fallback + QLatin1Char('\n'));
    messages_.critical(QStringLiteral("WhatsApp"), QStringLiteral("Message Failed"));
    return false;
}

QString whatsAppPdfFileName(const QString& name, const QDateTime& when, const QString& kind) {
    const QTime t = when.time();
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    const QString time = QStringLiteral("%1%2%3%4").arg(hour12).arg(t.minute(), 2, 10, QLatin1Char('0')).arg(t.second())
                             .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
    return CleanFileName(name) + QLatin1Char('_') + QLocale(QLocale::English).toString(when.date(), QStringLiteral("ddMMMyyyy")) +
           time + QLatin1Char('_') + kind + QStringLiteral(".pdf");
}

std::optional<QString> mobileForMessage(Messages& messages, const QString& known) {
    QString mobile = known.trimmed();
    if (mobile.isEmpty()) mobile = messages.input(QStringLiteral("No Mobile No"), QStringLiteral("Please Enter Party Mobile NO")).value_or(QString()).trimmed();
    if (mobile.isEmpty()) {
        messages.critical(QStringLiteral("No Mobile"), QStringLiteral("Party Mobile no does not Entered"));
        return std::nullopt;
    }
    return mobile;
}

QString ledgerMessage(const QString& party, const QDate& from, const QDate& to, const QString& firmPhone, const QString& firmName) {
    const QString format = QStringLiteral("dd-MM-yyyy");
    return QStringList{QStringLiteral("Dear ") + party + QLatin1Char(','),
                       QStringLiteral("This is a Ledger Statement as per our books From *") + from.toString(format) +
                           QStringLiteral("* To *") + to.toString(format) + QLatin1Char('*'),
                       QStringLiteral("This is system generated message.Hence In case of any clarifications or feedback "
                                      "regarding, Please contact us On ") + firmPhone,
                       QStringLiteral("With Best Regards,"), firmName}
        .join(QStringLiteral("%0a"));
}

bool sendPdfByWhatsApp(const QString& installFolder, Messages& messages, const QString& fileName,
                       const std::function<void(const QString& path)>& write, const QString& mobile, const QString& text,
                       const QString& displayName) {
    const QString folder = whatsAppPdfFolder(installFolder);
    try {
        QDir().mkpath(folder);
        write(QDir(folder).filePath(fileName));
    } catch (const ReportError& error) {
        messages.critical(QStringLiteral("Report"), error.text());
        return false;
    } catch (const db::DbError& error) {
        messages.critical(QStringLiteral("Report"), QString::fromUtf8(error.what()));
        return false;
    }
    WhatsAppSender sender(installFolder, WhatsAppSettings::load(installFolder), messages);
    return sender.sendPdf(fileName, mobile, text, displayName);
}

}  // namespace tanabana::reports
