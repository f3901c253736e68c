#include "cli/Import.h"

#include "domain/shell/FirmSettings.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tanabana::cli {

std::unique_ptr<Work> openWork(const Arguments& a) {
    auto w = std::make_unique<Work>();
    w->books = openBooks(a);
    if (w->session().firm.isEmpty()) shell::loadFirmSettings(w->db(), w->session(), w->session().firmNo);
    return w;
}

QJsonArray readJsonObjects(const QString& path) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(readInput(path), &error);
    if (error.error != QJsonParseError::NoError)
        throw CommandError{QStringLiteral("%1 is not JSON: %2 at %3").arg(path, error.errorString()).arg(error.offset)};
    if (doc.isObject()) return QJsonArray{doc.object()};
    if (!doc.isArray()) throw CommandError{QStringLiteral("%1 must hold an object or an array of objects").arg(path)};
    for (const QJsonValue& v : doc.array())
        if (!v.isObject()) throw CommandError{QStringLiteral("%1 must hold an array of objects").arg(path)};
    return doc.array();
}

int importAll(const Arguments& a, const QString& what, const std::function<bool(Work&, const QVariantMap&)>& saveOne) {
    const QJsonArray objects = readJsonObjects(a.positionalAt(0, QStringLiteral("FILE")));
    auto books = openWork(a);
    db::Transaction tx(books->db());
    int n = 0;
    for (const QJsonValue& v : objects) {
        ++n;
        if (!saveOne(*books, v.toObject().toVariantMap()))
            throw CommandError{QStringLiteral("Nothing imported: %1 %2 of the file was refused.").arg(what).arg(n)};
    }
    tx.commit();
    out(QStringLiteral("%1 %2 imported.").arg(n).arg(what + (n == 1 ? QString() : QStringLiteral("s"))));
    return 0;
}

void printTable(const QStringList& header, const std::vector<QStringList>& rows) {
    out(header.join(QLatin1Char('\t')));
    for (const QStringList& r : rows) out(r.join(QLatin1Char('\t')));
}

}  // namespace tanabana::cli
