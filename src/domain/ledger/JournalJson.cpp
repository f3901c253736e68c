#include "domain/ledger/JournalJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace tanabana::ledger {

namespace {

QString where(int document, int line) {
    QString text = QStringLiteral("Document %1").arg(document);
    if (line > 0) text += QStringLiteral(", line %1").arg(line);
    return text + QStringLiteral(": ");
}

QDate readDate(const QString& text) {
    for (const QString& format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd-MM-yyyy"), QStringLiteral("dd-MMM-yyyy")}) {
        const QDate date = QDate::fromString(text.trimmed(), format);
        if (date.isValid()) return date;
    }
    return {};
}

std::optional<Decimal> readAmount(const QJsonValue& value) {
    if (value.isDouble()) return Decimal::fromDouble(value.toDouble());
    if (value.isString()) return Decimal::parse(value.toString());
    return std::nullopt;
}

qint64 readAccount(db::Database& db, const Session& session, const QJsonValue& value, const QString& context) {
    const QString code = value.isDouble() ? QString::number(qint64(value.toDouble())) : value.toString();
    if (code.trimmed().isEmpty()) throw PostingRefused(context + QStringLiteral("the account is missing."));
    const qint64 id = accountByCode(db, session, code);
    if (id == 0) throw PostingRefused(context + QStringLiteral("no account %1 in this firm.").arg(code));
    return id;
}

JournalLine readLine(db::Database& db, const Session& session, const QJsonObject& o, const QString& context) {
    JournalLine line;
    line.accId = readAccount(db, session, o.value(QStringLiteral("account")), context);
    const QString side = o.value(QStringLiteral("side")).toString().trimmed().toUpper();
    if (side != QLatin1String("D") && side != QLatin1String("C"))
        throw PostingRefused(context + QStringLiteral("the side must be \"D\" or \"C\"."));
    line.side = side.at(0);
    const auto amount = readAmount(o.value(QStringLiteral("amount")));
    if (!amount) throw PostingRefused(context + QStringLiteral("the amount is not a number."));
    if (amount->isNegative()) throw PostingRefused(context + QStringLiteral("the amount is negative."));
    line.amount = *amount;
    line.description = o.value(QStringLiteral("description")).toString();
    line.narration = o.value(QStringLiteral("narration")).toString();
    line.serial = o.value(QStringLiteral("serial")).toInt(0);
    if (o.contains(QStringLiteral("contra")))
        line.contraAccId = readAccount(db, session, o.value(QStringLiteral("contra")), context);
    return line;
}

JsonDocument readDocument(db::Database& db, const Session& session, const QJsonObject& o, int index) {
    JsonDocument result;
    JournalDocument& doc = result.document;
    const QString context = where(index, 0);
    doc.tableCode = o.value(QStringLiteral("type")).toInt(0);
    if (!isDocumentType(doc.tableCode))
        throw PostingRefused(context + QStringLiteral("\"type\" must be a document type (1-9, 13-17, 21, 22)."));
    doc.voucherNo = qint64(o.value(QStringLiteral("voucher")).toDouble(0));
    doc.date = readDate(o.value(QStringLiteral("date")).toString());
    if (!doc.date.isValid()) throw PostingRefused(context + QStringLiteral("\"date\" is missing or not a date."));
    doc.printedNo = o.value(QStringLiteral("number")).toString();
    doc.userName = o.value(QStringLiteral("user")).toString();
    const QString replace = o.value(QStringLiteral("replace")).toString(QStringLiteral("journal"));
    if (replace != QLatin1String("journal") && replace != QLatin1String("entries"))
        throw PostingRefused(context + QStringLiteral("\"replace\" is \"journal\" or \"entries\"."));
    result.mode = replace == QLatin1String("entries") ? Replace::Entries : Replace::WholeJournal;
    const QJsonArray lines = o.value(QStringLiteral("lines")).toArray();
    if (lines.isEmpty()) throw PostingRefused(context + QStringLiteral("\"lines\" is missing or empty."));
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).isObject()) throw PostingRefused(where(index, i + 1) + QStringLiteral("not an object."));
        doc.lines.push_back(readLine(db, session, lines.at(i).toObject(), where(index, i + 1)));
    }
    return result;
}

}  // namespace

qint64 accountByCode(db::Database& db, const Session& session, const QString& codeOrId) {
    const QString code = codeOrId.trimmed();
    const QVariant byCode =
        db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = ? AND LedgerId = ? AND IsGrp = 0"), {session.firmNo, code});
    if (byCode.isValid()) return byCode.toLongLong();
    bool numeric = false;
    const qint64 id = code.toLongLong(&numeric);
    if (!numeric) return 0;
    const QVariant byId =
        db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE FirmNo = ? AND Id = ? AND IsGrp = 0"), {session.firmNo, id});
    return byId.isValid() ? byId.toLongLong() : 0;
}

JsonDocument documentFromJson(db::Database& db, const Session& session, const QJsonObject& object) {
    return readDocument(db, session, object, 1);
}

std::vector<JsonDocument> documentsFromJson(db::Database& db, const Session& session, const QByteArray& text) {
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        throw PostingRefused(QStringLiteral("Not JSON: %1 at character %2.").arg(error.errorString()).arg(error.offset));
    std::vector<JsonDocument> documents;
    if (json.isObject()) {
        documents.push_back(readDocument(db, session, json.object(), 1));
    } else if (json.isArray()) {
        const QJsonArray all = json.array();
        for (int i = 0; i < all.size(); ++i) {
            if (!all.at(i).isObject()) throw PostingRefused(where(i + 1, 0) + QStringLiteral("not an object."));
            documents.push_back(readDocument(db, session, all.at(i).toObject(), i + 1));
        }
    } else {
        throw PostingRefused(QStringLiteral("Expected a document or an array of documents."));
    }
    if (documents.empty()) throw PostingRefused(QStringLiteral("No documents to post."));
    return documents;
}

}  // namespace tanabana::ledger
