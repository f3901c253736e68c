#include "core/Password.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace tanabana {

namespace {

constexpr int Iterations = 20000;

QByteArray pbkdf2(const QByteArray& password, const QByteArray& salt, int iterations) {
    // PBKDF2-HMAC-SHA256, one block (32 bytes).
    QByteArray block = salt + QByteArray("\x00\x00\x00\x01", 4);
    QByteArray u = QMessageAuthenticationCode::hash(block, password, QCryptographicHash::Sha256);
    QByteArray result = u;
    for (int i = 1; i < iterations; ++i) {
        u = QMessageAuthenticationCode::hash(u, password, QCryptographicHash::Sha256);
        for (int j = 0; j < result.size(); ++j) result[j] = char(result[j] ^ u[j]);
    }
    return result;
}

const QByteArray& secretKey() {
    static const QByteArray key = QCryptographicHash::hash("tanabana-stored-secret", QCryptographicHash::Sha256);
    return key;
}

}  // namespace

QString hashPassword(const QString& password) {
    QByteArray salt(16, Qt::Uninitialized);
    for (char& c : salt) c = char(QRandomGenerator::system()->bounded(256));
    const QByteArray hash = pbkdf2(password.toUpper().toUtf8(), salt, Iterations);
    return QStringLiteral("pbkdf2-sha256$%1$%2$%3")
        .arg(Iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

bool verifyPassword(const QString& password, const QString& stored) {
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts.at(0) != QLatin1String("pbkdf2-sha256")) return false;
    const int iterations = parts.at(1).toInt();
    if (iterations <= 0) return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts.at(3).toLatin1());
    const QByteArray actual = pbkdf2(password.toUpper().toUtf8(), salt, iterations);
    if (actual.size() != expected.size()) return false;
    char diff = 0;
    for (int i = 0; i < actual.size(); ++i) diff |= char(actual[i] ^ expected[i]);
    return diff == 0;
}

QString protectSecret(const QString& secret) {
    if (secret.isEmpty()) return {};
    QByteArray nonce(8, Qt::Uninitialized);
    for (char& c : nonce) c = char(QRandomGenerator::system()->bounded(256));
    const QByteArray plain = secret.toUtf8();
    QByteArray stream;
    for (int counter = 0; stream.size() < plain.size(); ++counter)
        stream += QMessageAuthenticationCode::hash(nonce + QByteArray::number(counter), secretKey(), QCryptographicHash::Sha256);
    QByteArray out = plain;
    for (int i = 0; i < out.size(); ++i) out[i] = char(out[i] ^ stream[i]);
    return QStringLiteral("enc1:") + QString::fromLatin1((nonce + out).toBase64());
}

QString unprotectSecret(const QString& protectedText) {
    if (!protectedText.startsWith(QLatin1String("enc1:"))) return protectedText;
    const QByteArray data = QByteArray::fromBase64(protectedText.mid(5).toLatin1());
    if (data.size() < 8) return {};
    const QByteArray nonce = data.left(8);
    QByteArray out = data.mid(8);
    QByteArray stream;
    for (int counter = 0; stream.size() < out.size(); ++counter)
        stream += QMessageAuthenticationCode::hash(nonce + QByteArray::number(counter), secretKey(), QCryptographicHash::Sha256);
    for (int i = 0; i < out.size(); ++i) out[i] = char(out[i] ^ stream[i]);
    return QString::fromUtf8(out);
}

}  // namespace tanabana
