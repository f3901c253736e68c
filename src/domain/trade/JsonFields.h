#pragma once
// Reading one JSON object of a document for the command line: unknown keys and values of the wrong
// kind are refused with the key's name (and the line: "line 2: \"rate\" is not a number: abc").
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/TradeJson.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

namespace tanabana::trade {

// Reads the keys of one JSON object, refusing unknown ones and values of the wrong kind.
class Fields {
public:
    Fields(const QJsonObject& object, QString where, const QStringList& allowed) : object_(object), where_(std::move(where)) {
        for (auto it = object.begin(); it != object.end(); ++it)
            if (!allowed.contains(it.key())) refuse(QStringLiteral("unknown key \"%1\"").arg(it.key()));
    }
    bool has(const QString& key) const { return object_.contains(key) && !object_.value(key).isNull(); }
    QString text(const QString& key) const {
        const QJsonValue v = object_.value(key);
        if (v.isString()) return v.toString();
        if (v.isDouble()) return QString::number(v.toDouble(), 'g', 15);
        if (v.isUndefined() || v.isNull()) return {};
        refuse(QStringLiteral("\"%1\" must be a text or a number").arg(key));
    }
    Decimal number(const QString& key) const {
        const QJsonValue v = object_.value(key);
        if (v.isUndefined() || v.isNull()) return {};
        try {
            if (v.isDouble()) return Decimal::fromDouble(v.toDouble());
            if (v.isString()) {
                if (const auto parsed = Decimal::parse(v.toString())) return *parsed;
            }
        } catch (const AmountTooLarge& e) {
            refuse(QStringLiteral("\"%1\": %2").arg(key, e.message()));
        }
        refuse(QStringLiteral("\"%1\" is not a number: %2").arg(key, v.isString() ? v.toString() : QStringLiteral("(not a number)")));
    }
    qint64 whole(const QString& key) const {
        const Decimal d = number(key);
        if (d != Decimal(d.wholePart())) refuse(QStringLiteral("\"%1\" must be a whole number").arg(key));
        return d.wholePart();
    }
    QDate date(const QString& key, bool required) const {
        const QString t = text(key).trimmed();
        if (t.isEmpty()) {
            if (required) refuse(QStringLiteral("\"%1\" is required").arg(key));
            return {};
        }
        for (const QString& format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd-MM-yyyy")}) {
            const QDate d = QDate::fromString(t, format);
            if (d.isValid()) return d;
        }
        refuse(QStringLiteral("\"%1\" is not a date (yyyy-mm-dd or dd-mm-yyyy): %2").arg(key, t));
    }
    QJsonArray array(const QString& key) const {
        const QJsonValue v = object_.value(key);
        if (v.isUndefined() || v.isNull()) return {};
        if (!v.isArray()) refuse(QStringLiteral("\"%1\" must be a list").arg(key));
        return v.toArray();
    }
    [[noreturn]] void refuse(const QString& what) const {
        throw JsonRefused(where_.isEmpty() ? what : where_ + QStringLiteral(": ") + what);
    }

private:
    QJsonObject object_;
    QString where_;
};

// Element `index` of a list that must hold objects ("line 3 must be an object").
QJsonObject objectAt(const QJsonArray& list, int index, const QString& what);
// The book a document is written in ("book"): given, and one of the session firm's books.
qint64 requireBook(db::Database& db, const Session& s, const Fields& f);
// The account a key names (code, name or Id) in the session's firm; 0 when absent and not required.
qint64 requireAccount(db::Database& db, const Session& s, const Fields& f, const QString& key, bool required);
// The item the "quality" key names (code or Id) in the session's firm.
qint64 requireQuality(db::Database& db, const Session& s, const Fields& f);
// The broker the "broker" key names (name or Srno); 0 when absent.
qint64 brokerRef(db::Database& db, const Session& s, const Fields& f);
// "rateOn": M (metres), P (pieces) or empty.
QString rateOnOf(const Fields& f);
// A number that may not be below zero.
Decimal nonNegative(const Fields& f, const QString& key);

}  // namespace tanabana::trade
