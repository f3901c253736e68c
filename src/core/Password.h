#pragma once
// Operator passwords are kept as salted PBKDF2 hashes of the upper-cased text, so the login stays
// case-insensitive as operators expect and no password is ever stored readable.
#include <QString>

namespace tanabana {

QString hashPassword(const QString& password);
bool verifyPassword(const QString& password, const QString& stored);
// Reversible protection for stored secrets the program must send on (mail, web-service passwords).
QString protectSecret(const QString& secret);
QString unprotectSecret(const QString& protectedText);

}  // namespace tanabana
