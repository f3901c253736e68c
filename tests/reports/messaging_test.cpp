// The message channels against local fake servers: WhatsApp texts and PDFs (with the uploader, the
// success test, the text-only retry and the log files), SMS, and e-mail over SMTP with
// attachments, a refused login, a silent server and STARTTLS.
#include "domain/reports/Mail.h"
#include "domain/reports/ReportService.h"
#include "domain/reports/Sms.h"
#include "domain/reports/Web.h"
#include "domain/reports/WhatsApp.h"
#include "support/FakeServers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeText(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

// An address where nothing listens.
QString deadAddress() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

const QByteArray kSuccess = R"({"status":"success","message":"Message sent"})";
const QByteArray kRefused = R"({"status":"error","message":"Instance not connected"})";

class WhatsAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        install = dir.path();
        server.setDefaultBody(kSuccess);
        // The uploader stands in for the program that puts the PDF on the firm's web folder.
        writeText(install + "/WA/upload.sh", "#!/bin/sh\necho \"$1 $2\" > \"$(dirname \"$0\")/uploaded.txt\"\n");
        QFile::setPermissions(install + "/WA/upload.sh", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        writeSettings(server.address());
    }
    void writeSettings(const QString& base, const QString& logging = "F") {
        writeText(install + "/WA.txt", QStringList{" INST42 ", "tok&en", "x", logging, base, "",
                                                   "https://files.shreeganesh.in/WA_Knvs/",
                                                   "\"" + install + "/WA/upload.sh\" \"{file}\" {kind}"}.join("\n"));
    }
    QTemporaryDir dir;
    QString install;
    test::FakeHttpServer server;
    RecordingMessages messages;
};

TEST_F(WhatsAppTest, TextMessageGoesWithTheCountryCodeAndIsLogged) {
    WhatsAppSender sender(install, WhatsAppSettings::load(install), messages);
    ASSERT_TRUE(sender.sendText("9824012345", "Dear Ramesh Shah,%0aBill *GST/12* of 11,025.00 & more"));
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0],
              "/api/send?number=919824012345&type=text&message=Dear%20Ramesh%20Shah%2C%0aBill%20*GST%2F12*%20of%2011%2C025.00"
              "%20%26%20more&instance_id=INST42&access_token=tok%26en");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(readFile(install + "/WASendXMLLog.txt").contains("Message sent"));
    EXPECT_TRUE(readFile(install + "/WAPAthFileLog.txt").contains("type=text"));

    // Without the "F" flag no log files are kept.
    QFile::remove(install + "/WASendXMLLog.txt");
    writeSettings(server.address(), "T");
    WhatsAppSender quiet(install, WhatsAppSettings::load(install), messages);
    ASSERT_TRUE(quiet.sendText("9824012345", "Hello"));
    EXPECT_FALSE(QFile::exists(install + "/WASendXMLLog.txt"));
}

TEST_F(WhatsAppTest, SuccessIsReadAtCharactersTwelveToEighteen) {
    EXPECT_TRUE(WhatsAppSender::isSuccess(""));
    EXPECT_TRUE(WhatsAppSender::isSuccess(R"({"status":"success"})"));
    EXPECT_FALSE(WhatsAppSender::isSuccess(R"({"status": "success"})"));  // one place later
    EXPECT_FALSE(WhatsAppSender::isSuccess(R"({"status":"error","message":"success"})"));
    EXPECT_FALSE(WhatsAppSender::isSuccess("404 Error"));
    EXPECT_EQ(WhatsAppSender::withCountryCode("9824012345"), "919824012345");
}

TEST_F(WhatsAppTest, PdfIsUploadedThenSentAndARefusalFallsBackToText) {
    writeText(install + "/WAPDF/Ramesh_05Apr2024_Invoice.pdf", "%PDF-1.4 test");
    server.answer(kRefused);  // the media message is refused, the text retry goes through
    WhatsAppSender sender(install, WhatsAppSettings::load(install), messages);
    ASSERT_TRUE(sender.sendPdf("Ramesh_05Apr2024_Invoice.pdf", "9824012345", "Dear Ramesh,%0aYour bill", "Invoice GST-12"));
    EXPECT_EQ(readFile(install + "/WA/uploaded.txt").trimmed(), install + "/WAPDF/Ramesh_05Apr2024_Invoice.pdf wp");
    EXPECT_TRUE(readFile(install + "/FTPLog.txt").contains("upload.sh"));
    const QStringList requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_TRUE(requests[0].contains("&type=media&message=Dear%20Ramesh%2C%0aYour%20bill&media_url="
                                     "https%3A%2F%2Ffiles.shreeganesh.in%2FWA_Knvs%2FRamesh_05Apr2024_Invoice.pdf"
                                     "&filename=Invoice%20GST-12&instance_id=INST42"))
        << requests[0].toStdString();
    EXPECT_TRUE(requests[1].contains("&type=text&message=Dear%20Ramesh%2C%0aYour%20bill"));
    EXPECT_EQ(readFile(install + "/APILOG.txt"), QString::fromUtf8(kRefused) + "\nWith PDF\n");
    EXPECT_FALSE(QFile::exists(install + "/APILOG1.txt"));
    EXPECT_TRUE(messages.empty());

    // Both refused: the second answer in APILOG1.txt and "Message Failed"; the older APILOG.txt
    // is replaced, not added to.
    server.answer(R"({"status":"error","message":"media"})");
    server.answer(R"({"status":"error","message":"text"})");
    EXPECT_FALSE(sender.sendPdf("Ramesh_05Apr2024_Invoice.pdf", "9824012345", "Again", "Invoice"));
    EXPECT_EQ(readFile(install + "/APILOG.txt"), "{\"status\":\"error\",\"message\":\"media\"}\nWith PDF\n");
    EXPECT_EQ(readFile(install + "/APILOG1.txt"), "{\"status\":\"error\",\"message\":\"text\"}\n");
    EXPECT_TRUE(messages.has(MessageKind::Critical, "WhatsApp", "Message Failed"));
}

TEST_F(WhatsAppTest, MissingUploaderIsLoggedAndADeadServiceFailsWithoutHanging) {
    writeText(install + "/WA.txt", QStringList{"INST42", "token", "", "F", deadAddress(), "", "https://f.in/WA_Knvs/",
                                               "\"" + install + "/WA/no-such-uploader\" \"{file}\" {kind}"}.join("\n"));
    WhatsAppSender sender(install, WhatsAppSettings::load(install), messages);
    EXPECT_FALSE(sender.sendPdf("bill.pdf", "9824012345", "Hello", "Bill"));
    EXPECT_TRUE(readFile(install + "/FTPLogError.txt").contains(QRegularExpression("^\\d+,.+")));
    EXPECT_EQ(readFile(install + "/APILOG1.txt"), "404 Error\n");
    EXPECT_TRUE(messages.has(MessageKind::Critical, "WhatsApp", "Message Failed"));
    EXPECT_EQ(webGetText(deadAddress() + "/x"), "404 Error");

    // A service that never answers is given up after the time limit.
    server.setSilent(true);
    WhatsAppSettings slow = WhatsAppSettings::load(install);
    slow.baseAddress = server.address();
    slow.timeoutSeconds = 1;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(WhatsAppSender(install, slow, messages).sendText("9824012345", "Hello"));
    EXPECT_LT(timer.elapsed(), 10000);
}

TEST(WhatsAppTexts, FileNamesMobileNumbersAndTheLedgerMessage) {
    EXPECT_EQ(whatsAppPdfFileName("Ramesh/Shah's", QDateTime(QDate(2024, 4, 5), QTime(15, 5, 7)), "Ledger"),
              "Ramesh_Shah`s_05Apr20243057PM_Ledger.pdf");
    EXPECT_EQ(whatsAppPdfFileName("Anand", QDateTime(QDate(2024, 12, 1), QTime(0, 30, 45)), "Invoice"),
              "Anand_01Dec2024123045AM_Invoice.pdf");

    RecordingMessages messages;
    EXPECT_EQ(mobileForMessage(messages, " 9824012345 "), "9824012345");
    EXPECT_TRUE(messages.empty());
    messages.inputNext("9825098765");
    EXPECT_EQ(mobileForMessage(messages, ""), "9825098765");
    EXPECT_TRUE(messages.has(MessageKind::Input, "No Mobile No", "Please Enter Party Mobile NO"));
    messages.inputNext("  ");
    EXPECT_FALSE(mobileForMessage(messages, ""));
    EXPECT_TRUE(messages.has(MessageKind::Critical, "No Mobile", "Party Mobile no does not Entered"));

    EXPECT_EQ(ledgerMessage("Mahavir Fabrics", QDate(2024, 4, 1), QDate(2025, 3, 31), "0261-2345678", "Shree Ganesh Textiles"),
              "Dear Mahavir Fabrics,%0aThis is a Ledger Statement as per our books From *01-04-2024* To *31-03-2025*%0a"
              "This is system generated message.Hence In case of any clarifications or feedback regarding, Please contact us On "
              "0261-2345678%0aWith Best Regards,%0aShree Ganesh Textiles");
}

TEST(Sms, GatewayRequestLogsAndTheOperatorsAnswer) {
    QTemporaryDir dir;
    test::FakeHttpServer gateway;
    gateway.setDefaultBody("MessageId: 1234");
    Session session;
    session.smsApi = {gateway.address() + "/", "shreeganesh", "SGTEXT"};
    session.smsPassword = "p&ss word";
    RecordingMessages messages;
    const SmsSettings settings = SmsSettings::fromSession(session);
    ASSERT_TRUE(sendSms(dir.path(), settings, "9824012345", "Bill GST/12 Rs. 11,025.00 Thank You", messages));
    EXPECT_TRUE(messages.has(MessageKind::Information, "SMS", "Message Send"));
    ASSERT_EQ(gateway.requests().size(), 1);
    EXPECT_EQ(gateway.requests()[0],
              "/api/mt/SendSMS?user=shreeganesh&password=p%26ss%20word&senderid=SGTEXT&channel=TRANS&DCS=0&flashsms=0"
              "&number=9824012345&text=Bill%20GST%2F12%20Rs.%2011%2C025.00%20Thank%20You&route=06");
    EXPECT_TRUE(readFile(dir.path() + "/test.txt").contains("/api/mt/SendSMS?user=shreeganesh"));
    EXPECT_EQ(readFile(dir.path() + "/SMSSend.txt"), "MessageId: 1234\n");

    gateway.answer("Invalid sender", 500);
    messages.clear();
    EXPECT_FALSE(sendSms(dir.path(), settings, "9824012345", "Hello", messages));
    EXPECT_TRUE(messages.has(MessageKind::Critical, "SMS", "Message Failed"));
    EXPECT_EQ(readFile(dir.path() + "/SMSSend.txt"), "Invalid sender\n");

    SmsSettings down = settings;
    down.gateway = deadAddress();
    messages.clear();
    EXPECT_FALSE(sendSms(dir.path(), down, "9824012345", "Hello", messages));
    EXPECT_TRUE(messages.has(MessageKind::Critical, "SMS", "Message Failed"));
    EXPECT_EQ(readFile(dir.path() + "/SMSSend.txt"), "404 Error\n");
}

class MailTest : public ::testing::Test {
protected:
    MailMessage message(int port) {
        MailMessage m;
        m.to = "accounts@mahavirfabrics.in; ramesh@mahavirfabrics.in";
        m.subject = "Bill GST/12 dated 05-04-2024";
        m.fromName = "Shree Ganesh Textiles";
        m.fromEmail = "owner@shreeganesh.in";
        m.body = "Dear Sir,\nPlease find the bill attached.\nWith Best Regards,\nShree Ganesh Textiles";
        m.server = "127.0.0.1";
        m.port = port;
        m.userName = "owner@shreeganesh.in";
        m.password = "s3cret";
        m.timeoutSeconds = 5;
        return m;
    }
    QTemporaryDir dir;
};

TEST_F(MailTest, MessageWithAttachmentsReachesTheServer) {
    test::FakeSmtpServer smtp;
    const QString pdf = dir.path() + "/GST-12.pdf";
    writeText(pdf, "%PDF-1.4 bill GST/12");
    const QString ledger = dir.path() + "/Ledger.pdf";
    writeText(ledger, "%PDF-1.4 ledger");
    MailMessage m = message(smtp.port());
    m.attachments = {pdf, "", ledger};
    const MailResult r = sendMail(m);
    ASSERT_TRUE(r.sent) << r.error.toStdString();
    const auto mails = smtp.mails();
    ASSERT_EQ(mails.size(), 1u);
    const auto& mail = mails[0];
    EXPECT_EQ(mail.user, "owner@shreeganesh.in");
    EXPECT_EQ(mail.password, "s3cret");
    EXPECT_EQ(mail.from, "<owner@shreeganesh.in>");
    EXPECT_EQ(mail.to, QStringList({"<accounts@mahavirfabrics.in>", "<ramesh@mahavirfabrics.in>"}));
    const QString data = QString::fromUtf8(mail.data);
    EXPECT_TRUE(data.contains("From: Shree Ganesh Textiles <owner@shreeganesh.in>"));
    EXPECT_TRUE(data.contains("Subject: Bill GST/12 dated 05-04-2024"));
    EXPECT_TRUE(data.contains("Please find the bill attached."));
    EXPECT_TRUE(data.contains("filename=\"GST-12.pdf\""));
    EXPECT_TRUE(data.contains("filename=\"Ledger.pdf\""));
    EXPECT_TRUE(data.contains(QString::fromLatin1(QByteArray("%PDF-1.4 bill GST/12").toBase64())));
    EXPECT_FALSE(mail.encrypted);
}

TEST_F(MailTest, RefusedLoginSilentServerAndMissingFilesGiveReasons) {
    test::FakeSmtpServer refusing(test::FakeSmtpServer::Mode::RefuseLogin);
    MailResult r = sendMail(message(refusing.port()));
    EXPECT_FALSE(r.sent);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(refusing.mails().empty());

    test::FakeSmtpServer silent(test::FakeSmtpServer::Mode::Silent);
    MailMessage m = message(silent.port());
    m.timeoutSeconds = 2;
    QElapsedTimer timer;
    timer.start();
    r = sendMail(m);
    EXPECT_FALSE(r.sent);
    EXPECT_LT(timer.elapsed(), 15000);
    EXPECT_FALSE(r.error.isEmpty());

    test::FakeSmtpServer smtp;
    m = message(smtp.port());
    m.attachments = {dir.path() + "/not-there.pdf"};
    r = sendMail(m);
    EXPECT_FALSE(r.sent);
    EXPECT_EQ(r.error, "Attachment not found: " + dir.path() + "/not-there.pdf");
    EXPECT_TRUE(smtp.mails().empty());

    m = message(smtp.port());
    EXPECT_EQ(checkMailFields(m, "25"), "");
    m.password.clear();
    EXPECT_EQ(checkMailFields(m, "25"), "Error: All fields are required!");
    EXPECT_EQ(checkMailFields(message(25), " "), "Error: All fields are required!");
}

TEST_F(MailTest, StartTlsEncryptsTheSession) {
    QString certificate, key;
    if (!test::makeTestCertificate(dir.path(), certificate, key)) GTEST_SKIP() << "openssl is not installed";
    test::FakeSmtpServer smtp(test::FakeSmtpServer::Mode::Accept, certificate, key);
    MailMessage m = message(smtp.port());
    m.ssl = true;
    m.certificateFile = certificate;
    const MailResult r = sendMail(m);
    ASSERT_TRUE(r.sent) << r.error.toStdString();
    ASSERT_EQ(smtp.mails().size(), 1u);
    EXPECT_TRUE(smtp.mails()[0].encrypted);
    EXPECT_EQ(smtp.mails()[0].password, "s3cret");

    // A certificate the client does not trust stops the mail before the password is sent.
    test::FakeSmtpServer other(test::FakeSmtpServer::Mode::Accept, certificate, key);
    m = message(other.port());
    m.ssl = true;
    EXPECT_FALSE(sendMail(m).sent);
    EXPECT_TRUE(other.mails().empty());
}

TEST(HiddenPdfs, EmailAndWhatsAppCopiesLandInTheirFolders) {
    QTemporaryDir dir;
    writeText(dir.path() + "/Reports/Chalan.json",
              R"({"parameters":[{"name":"Title"}],"detail":{"height":6,"items":[{"text":"{@Title} {BillNo}"}]}})");
    ReportService service(dir.path());
    ReportRequest r;
    r.layoutName = "Chalan.rpt";
    r.parameterValues = {"Challan"};
    ResultSet rows;
    rows.columns = {"BillNo"};
    rows.rows = {{"CH/7"}};
    r.data = rows;
    const QString folder = service.exportForEmail(nullptr, r, "Shree Ganesh/Chalan_7.pdf");
    EXPECT_EQ(folder, dir.path() + "/Email_Export");
    EXPECT_TRUE(QFile::exists(dir.path() + "/temp1.pdf"));
    EXPECT_TRUE(QFile::exists(dir.path() + "/Email_Export/Shree Ganesh_Chalan_7.pdf"));
    const QString wa = service.exportForWhatsApp(nullptr, r, "Ramesh_Invoice.pdf");
    EXPECT_EQ(wa, dir.path() + "/WAPDF/Ramesh_Invoice.pdf");
    EXPECT_TRUE(QFile::exists(wa));
}

}  // namespace
