#include "support/FakeServers.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSemaphore>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace tanabana::test {

// ---- HTTP ----

class HttpConnection : public QObject {
public:
    HttpConnection(FakeHttpServer& owner, QTcpSocket* socket) : owner_(owner), socket_(socket) {
        connect(socket_, &QTcpSocket::readyRead, this, [this] { read(); });
        connect(socket_, &QTcpSocket::disconnected, this, [this] { socket_->deleteLater(); deleteLater(); });
    }

private:
    void read() {
        buffer_ += socket_->readAll();
        if (!buffer_.contains("\r\n\r\n")) return;
        const QByteArray firstLine = buffer_.left(buffer_.indexOf("\r\n"));
        const QString target = QString::fromLatin1(firstLine.split(' ').value(1));
        buffer_.clear();
        const FakeHttpServer::Reply reply = owner_.nextReply(target);
        if (reply.status == 0) return;  // silent
        QByteArray response = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\nContent-Type: text/plain\r\nContent-Length: " +
                              QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
        socket_->write(response);
        socket_->disconnectFromHost();
    }
    FakeHttpServer& owner_;
    QTcpSocket* socket_;
    QByteArray buffer_;
};

FakeHttpServer::FakeHttpServer() {
    start();
    started_.acquire();
}

FakeHttpServer::~FakeHttpServer() {
    quit();
    wait();
}

void FakeHttpServer::run() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    port_ = server.serverPort();
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        while (QTcpSocket* s = server.nextPendingConnection()) new HttpConnection(*this, s);
    });
    started_.release();
    exec();
}

QString FakeHttpServer::address() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

void FakeHttpServer::answer(const QByteArray& body, int status) {
    QMutexLocker lock(&mutex_);
    replies_.push_back({body, status});
}

void FakeHttpServer::setDefaultBody(const QByteArray& body) {
    QMutexLocker lock(&mutex_);
    defaultBody_ = body;
}

void FakeHttpServer::setSilent(bool silent) {
    QMutexLocker lock(&mutex_);
    silent_ = silent;
}

QStringList FakeHttpServer::requests() const {
    QMutexLocker lock(&mutex_);
    return requests_;
}

FakeHttpServer::Reply FakeHttpServer::nextReply(const QString& target) {
    QMutexLocker lock(&mutex_);
    requests_ << target;
    if (silent_) return {{}, 0};
    if (replies_.empty()) return {defaultBody_, 200};
    Reply r = replies_.front();
    replies_.pop_front();
    return r;
}

// ---- SMTP ----

class SmtpConnection : public QObject {
public:
    SmtpConnection(FakeSmtpServer& owner, QSslSocket* socket) : owner_(owner), socket_(socket) {
        connect(socket_, &QSslSocket::readyRead, this, [this] { read(); });
        connect(socket_, &QSslSocket::disconnected, this, [this] { socket_->deleteLater(); deleteLater(); });
        connect(socket_, &QSslSocket::encrypted, this, [this] { mail_.encrypted = true; });
        if (owner_.mode_ != FakeSmtpServer::Mode::Silent) send("220 fake.local ESMTP ready");
    }

private:
    void send(const QByteArray& line) { socket_->write(line + "\r\n"); }

    void read() {
        buffer_ += socket_->readAll();
        int end;
        while ((end = int(buffer_.indexOf("\r\n"))) >= 0) {
            const QByteArray line = buffer_.left(end);
            buffer_.remove(0, end + 2);
            handle(line);
        }
    }

    void login(const QByteArray& user, const QByteArray& password) {
        mail_.user = QString::fromUtf8(user);
        mail_.password = QString::fromUtf8(password);
        if (owner_.mode_ == FakeSmtpServer::Mode::RefuseLogin) send("535 5.7.8 Authentication credentials invalid");
        else send("235 2.7.0 Authentication successful");
    }

    void handle(const QByteArray& line) {
        if (inData_) {
            if (line == ".") {
                inData_ = false;
                owner_.keep(mail_);
                mail_.data.clear();
                mail_.to.clear();
                send("250 2.0.0 Queued");
            } else {
                mail_.data += (line.startsWith("..") ? line.mid(1) : line) + "\r\n";
            }
            return;
        }
        if (step_ == AuthPlain) { step_ = None; const QList<QByteArray> p = QByteArray::fromBase64(line).split('\0'); login(p.value(1), p.value(2)); return; }
        if (step_ == AuthUser) { user_ = QByteArray::fromBase64(line); step_ = AuthPassword; send("334 UGFzc3dvcmQ6"); return; }
        if (step_ == AuthPassword) { step_ = None; login(user_, QByteArray::fromBase64(line)); return; }
        const QByteArray upper = line.toUpper();
        if (upper.startsWith("EHLO")) {
            send("250-fake.local");
            send("250-AUTH PLAIN LOGIN");
            if (!owner_.certificate_.isEmpty() && !socket_->isEncrypted()) send("250-STARTTLS");
            send("250 SIZE 10485760");
        } else if (upper.startsWith("HELO")) {
            send("250 fake.local");
        } else if (upper.startsWith("STARTTLS")) {
            send("220 2.0.0 Ready to start TLS");
            socket_->flush();
            QFile cert(owner_.certificate_), key(owner_.key_);
            cert.open(QIODevice::ReadOnly);
            key.open(QIODevice::ReadOnly);
            socket_->setLocalCertificate(QSslCertificate(cert.readAll()));
            socket_->setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
            socket_->startServerEncryption();
        } else if (upper.startsWith("AUTH PLAIN")) {
            const QByteArray rest = line.mid(10).trimmed();
            if (rest.isEmpty()) { step_ = AuthPlain; send("334 "); }
            else { const QList<QByteArray> p = QByteArray::fromBase64(rest).split('\0'); login(p.value(1), p.value(2)); }
        } else if (upper.startsWith("AUTH LOGIN")) {
            step_ = AuthUser;
            send("334 VXNlcm5hbWU6");
        } else if (upper.startsWith("MAIL FROM:")) {
            mail_.from = QString::fromUtf8(line.mid(10)).trimmed();
            send("250 2.1.0 OK");
        } else if (upper.startsWith("RCPT TO:")) {
            mail_.to << QString::fromUtf8(line.mid(8)).trimmed();
            send("250 2.1.5 OK");
        } else if (upper == "DATA") {
            inData_ = true;
            send("354 End data with <CR><LF>.<CR><LF>");
        } else if (upper == "QUIT") {
            send("221 2.0.0 Bye");
            socket_->disconnectFromHost();
        } else {
            send("250 OK");
        }
    }

    enum Step { None, AuthPlain, AuthUser, AuthPassword };
    FakeSmtpServer& owner_;
    QSslSocket* socket_;
    QByteArray buffer_;
    bool inData_ = false;
    Step step_ = None;
    QByteArray user_;
    FakeSmtpServer::Mail mail_;
};

// QTcpServer handing out QSslSocket so that STARTTLS can switch the connection to TLS.
class SslCapableServer : public QTcpServer {
public:
    explicit SslCapableServer(FakeSmtpServer& owner) : owner_(owner) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QSslSocket(this);
        socket->setSocketDescriptor(descriptor);
        new SmtpConnection(owner_, socket);
    }

private:
    FakeSmtpServer& owner_;
};

FakeSmtpServer::FakeSmtpServer(Mode mode, const QString& certificate, const QString& key)
    : mode_(mode), certificate_(certificate), key_(key) {
    start();
    started_.acquire();
}

FakeSmtpServer::~FakeSmtpServer() {
    quit();
    wait();
}

void FakeSmtpServer::run() {
    SslCapableServer server(*this);
    server.listen(QHostAddress::LocalHost, 0);
    port_ = server.serverPort();
    started_.release();
    exec();
}

void FakeSmtpServer::keep(const Mail& mail) {
    QMutexLocker lock(&mutex_);
    mails_.push_back(mail);
}

std::vector<FakeSmtpServer::Mail> FakeSmtpServer::mails() const {
    QMutexLocker lock(&mutex_);
    return mails_;
}

bool makeTestCertificate(const QString& folder, QString& certificate, QString& key) {
    certificate = QDir(folder).filePath(QStringLiteral("cert.pem"));
    key = QDir(folder).filePath(QStringLiteral("key.pem"));
    QProcess p;
    p.start(QStringLiteral("openssl"), {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                                         QStringLiteral("-nodes"), QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate,
                                         QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                                         QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!p.waitForStarted(5000) || !p.waitForFinished(60000)) return false;
    return p.exitCode() == 0 && QFile::exists(certificate) && QFile::exists(key);
}

}  // namespace tanabana::test
