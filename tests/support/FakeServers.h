#pragma once
// Small stand-ins for the outside services, listening on 127.0.0.1 in their own thread (the
// clients under test block while they talk): an HTTP server that answers from a script and keeps
// every request, and an SMTP server that keeps every mail it accepts, can refuse the login, can
// offer STARTTLS with a throwaway certificate, or stay silent to test time-outs.
#include <QByteArray>
#include <QMutex>
#include <QSemaphore>
#include <QString>
#include <QStringList>
#include <QThread>
#include <deque>
#include <vector>

class QTcpServer;

namespace tanabana::test {

class FakeHttpServer : public QThread {
public:
    FakeHttpServer();
    ~FakeHttpServer() override;
    QString address() const;  // "http://127.0.0.1:port"
    // Answers in order; when the queue is empty `defaultBody` with status 200.
    void answer(const QByteArray& body, int status = 200);
    void setDefaultBody(const QByteArray& body);
    // Accepts connections but never answers.
    void setSilent(bool silent);
    // Request targets as received ("/api/send?number=91...").
    QStringList requests() const;

protected:
    void run() override;

private:
    struct Reply { QByteArray body; int status; };
    mutable QMutex mutex_;
    std::deque<Reply> replies_;
    QByteArray defaultBody_;
    bool silent_ = false;
    QStringList requests_;
    quint16 port_ = 0;
    QSemaphore started_;
    friend class HttpConnection;
    Reply nextReply(const QString& target);
};

class FakeSmtpServer : public QThread {
public:
    enum class Mode { Accept, RefuseLogin, Silent };
    struct Mail {
        QString user, password;  // as authenticated
        QString from;
        QStringList to;
        QByteArray data;         // headers and body as sent
        bool encrypted = false;
    };
    // With a certificate and key (PEM files) the server offers STARTTLS.
    explicit FakeSmtpServer(Mode mode = Mode::Accept, const QString& certificate = {}, const QString& key = {});
    ~FakeSmtpServer() override;
    int port() const { return port_; }
    std::vector<Mail> mails() const;

protected:
    void run() override;

private:
    friend class SmtpConnection;
    void keep(const Mail& mail);
    Mode mode_;
    QString certificate_, key_;
    mutable QMutex mutex_;
    std::vector<Mail> mails_;
    quint16 port_ = 0;
    QSemaphore started_;
};

// Makes a self-signed certificate for 127.0.0.1 with openssl; false when openssl is missing.
bool makeTestCertificate(const QString& folder, QString& certificate, QString& key);

}  // namespace tanabana::test
