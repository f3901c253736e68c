#include "domain/accounts/BankStatement.h"

#include "domain/reports/ReportError.h"
#include "domain/reports/ResultSet.h"

#include <QLocale>
#include <algorithm>

namespace tanabana::accounts {

namespace {

QDate dateOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate) return value.toDate();
    if (value.typeId() == QMetaType::QDateTime) return value.toDateTime().date();
    const QString text = value.toString().trimmed();
    for (const char* format : {"dd/MM/yyyy", "dd-MM-yyyy", "dd/MM/yy", "dd-MM-yy", "dd-MMM-yyyy", "dd MMM yyyy", "yyyy-MM-dd", "dd.MM.yyyy"}) {
        QDate date = QLocale(QLocale::English).toDate(text, QString::fromLatin1(format));
        if (date.isValid()) {
            if (date.year() < 1950) date = date.addYears(100);  // "24" is 2024
            return date;
        }
    }
    return {};
}

// An amount as the banks write it: "1,23,456.00", empty for none; nullopt when it is not one.
std::optional<Decimal> amountOf(const QVariant& value) {
    QString text = value.toString().trimmed();
    text.remove(QLatin1Char(','));
    if (text.isEmpty()) return Decimal();
    const auto amount = Decimal::parse(text);
    if (!amount || amount->isNegative()) return std::nullopt;
    return amount->roundHalfEven(2);
}

// The digits of a cheque number without leading zeros: "CHQ 000871" and "871" are the same cheque.
QString chequeDigits(const QString& text) {
    QString digits;
    for (const QChar c : text)
        if (c.isDigit()) digits += c;
    while (digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
    return digits;
}

bool sameSide(const StatementLine& s, const ReconLine& l) {
    return (!s.withdrawal.isZero() && s.withdrawal == l.payment && l.receipt.isZero()) ||
           (!s.deposit.isZero() && s.deposit == l.receipt && l.payment.isZero());
}

}  // namespace

StatementFile readStatement(const QString& path, const StatementColumns& columns) {
    StatementFile file;
    reports::ResultSet data;
    try {
        data = reports::ResultSet::fromCsv(path);
    } catch (const reports::ReportError& e) {
        file.error = e.text();
        return file;
    }
    const int date = data.indexOf(columns.date), narration = data.indexOf(columns.narration), cheque = data.indexOf(columns.cheque),
              withdrawal = data.indexOf(columns.withdrawal), deposit = data.indexOf(columns.deposit);
    for (const auto& [index, name] : {std::pair{date, columns.date}, std::pair{withdrawal, columns.withdrawal}, std::pair{deposit, columns.deposit}})
        if (index < 0) {
            file.error = QStringLiteral("The statement has no column \"%1\"; its columns are: %2").arg(name, data.columns.join(QStringLiteral(", ")));
            return file;
        }
    for (int r = 0; r < data.rowCount(); ++r) {
        StatementLine line;
        line.row = r + 1;
        line.date = dateOf(data.value(r, date));
        if (!line.date.isValid()) {
            file.error = QStringLiteral("Statement row %1: \"%2\" is not a date").arg(line.row).arg(data.value(r, date).toString());
            file.lines.clear();
            return file;
        }
        const auto out = amountOf(data.value(r, withdrawal));
        const auto in = amountOf(data.value(r, deposit));
        if (!out || !in) {
            file.error = QStringLiteral("Statement row %1: \"%2\" is not an amount")
                             .arg(line.row)
                             .arg((!out ? data.value(r, withdrawal) : data.value(r, deposit)).toString());
            file.lines.clear();
            return file;
        }
        line.withdrawal = *out;
        line.deposit = *in;
        if (narration >= 0) line.narration = data.value(r, narration).toString().trimmed();
        if (cheque >= 0) line.cheque = data.value(r, cheque).toString().trimmed();
        file.lines.push_back(line);
    }
    return file;
}

std::vector<StatementMatch> proposeMatches(const std::vector<StatementLine>& statement, const std::vector<ReconLine>& lines, int windowDays) {
    std::vector<StatementMatch> matches;
    std::vector<bool> taken(lines.size(), false), matched(statement.size(), false);
    // First the cheque number with the amount.
    for (size_t s = 0; s < statement.size(); ++s) {
        const QString digits = chequeDigits(statement[s].cheque);
        if (digits.isEmpty()) continue;
        for (size_t l = 0; l < lines.size(); ++l)
            if (!taken[l] && !lines[l].cleared && sameSide(statement[s], lines[l]) && chequeDigits(lines[l].chequeNo) == digits) {
                matches.push_back({s, l, true});
                taken[l] = matched[s] = true;
                break;
            }
    }
    // Then the amount within the window, the nearest date first.
    for (size_t s = 0; s < statement.size(); ++s) {
        if (matched[s]) continue;
        std::optional<size_t> best;
        qint64 bestGap = 0;
        for (size_t l = 0; l < lines.size(); ++l) {
            if (taken[l] || lines[l].cleared || !sameSide(statement[s], lines[l])) continue;
            const qint64 gap = std::abs(lines[l].date.daysTo(statement[s].date));
            if (gap > windowDays || statement[s].date < lines[l].date) continue;  // the bank clears after the cheque is written
            if (!best || gap < bestGap) {
                best = l;
                bestGap = gap;
            }
        }
        if (best) {
            matches.push_back({s, *best, false});
            taken[*best] = matched[s] = true;
        }
    }
    return matches;
}

QStringList statementCaptions(const QString& path, QString* error) {
    try {
        return reports::ResultSet::fromCsv(path).columns;
    } catch (const reports::ReportError& e) {
        if (error) *error = e.text();
        return {};
    }
}

StatementColumns rememberedColumns(db::Database& db, qint64 firmNo, qint64 bookNo) {
    StatementColumns columns;
    const auto row = db.queryOne(QStringLiteral("SELECT DateCol, NarrCol, ChqCol, WithdrawCol, DepositCol FROM BankStmtCols "
                                                "WHERE FirmNo = ? AND BookNo = ?"),
                                 {firmNo, bookNo});
    if (!row) return columns;
    QString* fields[] = {&columns.date, &columns.narration, &columns.cheque, &columns.withdrawal, &columns.deposit};
    for (int i = 0; i < 5; ++i) *fields[i] = row->value(i).toString();
    return columns;
}

void rememberColumns(db::Database& db, qint64 firmNo, qint64 bookNo, const StatementColumns& columns) {
    const auto cut = [](const QString& text) { return text.left(100); };
    db::Transaction transaction(db);
    db.exec(QStringLiteral("DELETE FROM BankStmtCols WHERE FirmNo = ? AND BookNo = ?"), {firmNo, bookNo});
    db.exec(QStringLiteral("INSERT INTO BankStmtCols (FirmNo, BookNo, DateCol, NarrCol, ChqCol, WithdrawCol, DepositCol) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {firmNo, bookNo, cut(columns.date), cut(columns.narration), cut(columns.cheque), cut(columns.withdrawal), cut(columns.deposit)});
    transaction.commit();
}

}  // namespace tanabana::accounts
