#include "domain/ledger/JournalExport.h"

#include "core/Decimal.h"

#include <QTextStream>
#include <map>
#include <vector>

namespace tanabana::ledger {

namespace {

struct AccountName {
    QString code;
    QString name;
    int grpNo = 0;
};

// ledger-cli and hledger end an account name at two spaces or a tab and split it at colons.
QString plainName(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char(':'), QLatin1Char('-')).replace(QLatin1Char(';'), QLatin1Char(','));
    return s.simplified();
}

QString ledgerAccount(const std::map<qint64, AccountName>& accounts, qint64 id) {
    const auto it = accounts.find(id);
    if (it == accounts.end()) return QStringLiteral("Unknown:%1").arg(id);
    return QStringLiteral("G%1:%2 %3")
        .arg(it->second.grpNo, 2, 10, QLatin1Char('0'))
        .arg(plainName(it->second.code), plainName(it->second.name));
}

QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

std::map<qint64, AccountName> loadAccounts(db::Database& db, const Session& session) {
    std::map<qint64, AccountName> accounts;
    db.forEach(QStringLiteral("SELECT Id, LedgerId, AcName, GrpNo FROM AccMst WHERE FirmNo = ?"), {session.firmNo},
               [&](const db::Row& r) {
                   accounts[r.value(0).toLongLong()] = {r.value(1).toString(), r.value(2).toString(), r.value(3).toInt()};
               });
    return accounts;
}

QString storedAmountText(const QVariant& value) { return Decimal::fromVariant(value).roundHalfEven(2).toString(2); }

struct Posting {
    QString account;
    Decimal amount;  // debit positive
    QString comment;
};

class PlainTextWriter {
public:
    explicit PlainTextWriter(QTextStream& out) : out_(out) {}
    void write(const QDate& date, const QString& code, const QString& description, const std::vector<Posting>& postings) {
        out_ << date.toString(Qt::ISODate);
        if (!code.isEmpty()) out_ << QStringLiteral(" (") << code << QLatin1Char(')');
        out_ << QLatin1Char(' ') << description.simplified() << QLatin1Char('\n');
        Decimal total;
        for (const Posting& p : postings) {
            out_ << QStringLiteral("    ") << p.account.leftJustified(48) << QStringLiteral("  ")
                 << p.amount.toString(2).rightJustified(14);
            if (!p.comment.simplified().isEmpty()) out_ << QStringLiteral("  ; ") << p.comment.simplified();
            out_ << QLatin1Char('\n');
            total += p.amount;
        }
        // A journal of older data that does not balance is shown, not hidden: its difference is named.
        if (!total.isZero()) out_ << QStringLiteral("    Suspense:Unbalanced journal\n");
        out_ << QLatin1Char('\n');
    }

private:
    QTextStream& out_;
};

void writeOpenings(db::Database& db, const Session& session, const std::map<qint64, AccountName>& accounts,
                   const ExportRange& range, PlainTextWriter& writer) {
    QString sql = QStringLiteral("SELECT Id, OpDate, OpAmount, OpType FROM AccMstOpBal WHERE FirmNo = ? AND OpAmount <> 0");
    QVariantList params{session.firmNo};
    if (range.to.isValid()) {
        sql += QStringLiteral(" AND (OpDate IS NULL OR OpDate <= ?)");
        params << range.to;
    }
    std::map<QDate, std::vector<Posting>> byDate;
    db.forEach(sql + QStringLiteral(" ORDER BY OpDate, Id"), params, [&](const db::Row& r) {
        QDate date = r.date(QStringLiteral("OpDate"));
        if (!date.isValid()) date = session.yearStartDate;
        Decimal amount = Decimal::fromVariant(r.value(2)).roundHalfEven(2);
        if (r.text(QStringLiteral("OpType")).trimmed().toUpper() == QLatin1String("C")) amount = -amount;
        byDate[date].push_back({ledgerAccount(accounts, r.value(0).toLongLong()), amount, {}});
    });
    for (auto& [date, postings] : byDate) {
        Decimal total;
        for (const Posting& p : postings) total += p.amount;
        postings.push_back({QStringLiteral("Equity:Opening Balances"), -total, {}});
        writer.write(date, {}, QStringLiteral("Opening balances"), postings);
    }
}

}  // namespace

QString documentTypeName(int tableCode) {
    static const std::map<int, QString> names{
        {1, QStringLiteral("Purchase")},          {2, QStringLiteral("Purchase Return")},
        {3, QStringLiteral("Sales")},             {4, QStringLiteral("Sales Return")},
        {5, QStringLiteral("Cash Payment")},      {6, QStringLiteral("Cash Receipt")},
        {7, QStringLiteral("Bank Payment")},      {8, QStringLiteral("Bank Receipt")},
        {9, QStringLiteral("Journal")},           {13, QStringLiteral("Year End Transfer")},
        {14, QStringLiteral("Job Issue")},        {15, QStringLiteral("Job Receipt")},
        {16, QStringLiteral("Mill Issue")},       {17, QStringLiteral("Mill Receipt")},
        {21, QStringLiteral("Credit Note")},      {22, QStringLiteral("Debit Note")}};
    const auto it = names.find(tableCode);
    return it == names.end() ? QStringLiteral("Type %1").arg(tableCode) : it->second;
}

qint64 exportJournal(db::Database& db, const Session& session, QIODevice& device, ExportFormat format,
                     const ExportRange& range) {
    QTextStream out(&device);
    out.setEncoding(QStringConverter::Utf8);
    const std::map<qint64, AccountName> accounts = loadAccounts(db, session);
    PlainTextWriter writer(out);

    QString sql = QStringLiteral("SELECT JournalNo, TransDate, TableCode, VoucherNo, Receiptno, SubSrno, Type, AccId, "
                                 "PartyCode, DrAmt, CrAmt, %1 AS Description, Narr FROM HeadDtl3 WHERE FirmNo = ?")
                      .arg(db.dialect().quote(QStringLiteral("Desc")));
    QVariantList params{session.firmNo};
    if (range.from.isValid()) {
        sql += QStringLiteral(" AND TransDate >= ?");
        params << range.from;
    }
    if (range.to.isValid()) {
        sql += QStringLiteral(" AND TransDate <= ?");
        params << range.to;
    }
    sql += QStringLiteral(" ORDER BY JournalNo, TransDate, Type DESC, SubSrno");

    if (format == ExportFormat::Csv) {
        out << "JournalNo,TransDate,TableCode,VoucherNo,Receiptno,SubSrno,Type,AccId,LedgerId,AcName,PartyCode,DrAmt,CrAmt,"
               "Desc,Narr\n";
    } else {
        writeOpenings(db, session, accounts, range, writer);
    }

    qint64 lines = 0;
    qint64 currentJournal = -1;
    QDate currentDate;
    QString code, description;
    std::vector<Posting> postings;
    auto flush = [&] {
        if (!postings.empty()) writer.write(currentDate, code, description, postings);
        postings.clear();
    };
    db.forEach(sql, params, [&](const db::Row& r) {
        ++lines;
        const qint64 accId = r.value(7).toLongLong();
        if (format == ExportFormat::Csv) {
            const auto it = accounts.find(accId);
            const QStringList fields{r.value(0).toString(), r.date(QStringLiteral("TransDate")).toString(Qt::ISODate),
                                     QString::number(r.value(2).toInt()), r.value(3).toString(), r.value(4).toString(),
                                     QString::number(r.value(5).toInt()), r.value(6).toString(), QString::number(accId),
                                     it == accounts.end() ? QString() : it->second.code,
                                     it == accounts.end() ? QString() : it->second.name, r.value(8).toString(),
                                     storedAmountText(r.value(9)), storedAmountText(r.value(10)), r.value(11).toString(),
                                     r.value(12).toString()};
            QStringList quoted;
            for (const QString& f : fields) quoted << csvField(f);
            out << quoted.join(QLatin1Char(',')) << '\n';
            return;
        }
        QDate date = r.date(QStringLiteral("TransDate"));
        if (!date.isValid()) date = session.yearStartDate;
        if (r.value(0).toLongLong() != currentJournal || date != currentDate) {
            flush();
            currentJournal = r.value(0).toLongLong();
            currentDate = date;
            code = QStringLiteral("%1/%2").arg(r.value(2).toInt()).arg(r.value(3).toLongLong());
            description = (documentTypeName(r.value(2).toInt()) + QLatin1Char(' ') + r.value(4).toString()).trimmed();
        }
        const Decimal amount = Decimal::fromVariant(r.value(9)).roundHalfEven(2) -
                               Decimal::fromVariant(r.value(10)).roundHalfEven(2);
        postings.push_back({ledgerAccount(accounts, accId), amount, r.value(12).toString()});
    });
    flush();
    out.flush();
    return lines;
}

}  // namespace tanabana::ledger
