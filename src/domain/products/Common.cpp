#include "domain/products/Common.h"

#include "domain/masters/RowWriter.h"
#include "domain/schema/YearSchema.h"

namespace tanabana::products {

QVariant firmSetting(const Session& session, const QString& column) {
    for (auto it = session.firm.constBegin(); it != session.firm.constEnd(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0) return it.value();
    return {};
}

bool firmFlag(const Session& session, const QString& column) {
    const QVariant v = firmSetting(session, column);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("1") || s == QLatin1String("true") || s == QLatin1String("-1");
    }
    return v.toLongLong() != 0;
}

QString firmNameOf(db::Database& db, const Session& session, qint64 firmNo) {
    if (firmNo == session.firmNo && !session.firmName.isEmpty()) return session.firmName;
    if (!db.tableExists(QStringLiteral("FirmMst"))) return QString::number(firmNo);
    const QVariant name = db.scalar(QStringLiteral("SELECT PName FROM FirmMst WHERE Srno = ?"), {firmNo});
    return name.isValid() ? name.toString() : QString::number(firmNo);
}

std::vector<std::pair<qint64, QString>> allFirms(db::Database& db, const Session& session) {
    std::vector<std::pair<qint64, QString>> firms;
    if (db.tableExists(QStringLiteral("FirmMst")))
        for (const db::Row& r : db.query(QStringLiteral("SELECT Srno, PName FROM FirmMst ORDER BY Srno")))
            firms.emplace_back(r.integer(QStringLiteral("Srno")), r.text(QStringLiteral("PName")));
    if (firms.empty()) firms.emplace_back(session.firmNo, session.firmName);
    return firms;
}

QString fitText(const QString& table, const QString& column, const QString& text) {
    const QString fitted = schema::yearColumnWidths().fit(table, column, text.trimmed());
    return fitted.isNull() ? QStringLiteral("") : fitted;
}

QString tooLong(const QString& table, const QString& column, const QVariant& value) {
    if (value.typeId() != QMetaType::QString) return {};
    const auto refusal = masters::overlong(table, {{column, value.toString().trimmed()}});
    return refusal ? refusal->text : QString();
}

QString invalidEntryTitle() { return QStringLiteral("Invalid Entry"); }

std::optional<Decimal> readNumber(const QVariant& value, const QString& caption, Messages& messages, bool allowNegative,
                                  std::optional<Decimal> maximum) {
    std::optional<Decimal> number;
    if (!value.isValid() || value.isNull()) number = Decimal();
    else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) number = Decimal::fromDouble(value.toDouble());
    else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) number = Decimal(value.toLongLong());
    else number = Decimal::parse(value.toString());
    if (!number) {
        messages.critical(invalidEntryTitle(), QStringLiteral("%1 : '%2' is not a number").arg(caption, value.toString()));
        return std::nullopt;
    }
    if (!allowNegative && number->isNegative()) {
        messages.critical(invalidEntryTitle(), QStringLiteral("%1 can not be negative").arg(caption));
        return std::nullopt;
    }
    if (maximum && *number > *maximum) {
        messages.critical(invalidEntryTitle(), QStringLiteral("%1 can not be more than %2").arg(caption, maximum->toString(0)));
        return std::nullopt;
    }
    return number;
}

}  // namespace tanabana::products
