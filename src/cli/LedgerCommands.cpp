// tanabana-cli ledger: post journal documents from JSON, show balances and ledgers, export the journal.
#include "cli/Books.h"
#include "cli/Cli.h"
#include "core/Session.h"
#include "domain/documents/Lookups.h"
#include "domain/ledger/Balances.h"
#include "domain/ledger/Journal.h"
#include "domain/ledger/JournalExport.h"
#include "domain/ledger/JournalJson.h"

#include <QFile>

#include <cstdio>

namespace tanabana::cli {

namespace {

// The open books of a command; --user names the operator written on the journal lines.
std::unique_ptr<OpenBooks> openYear(const Arguments& a) {
    auto books = std::make_unique<OpenBooks>(openBooks(a));
    if (a.has(QStringLiteral("user"))) books->session.loginUser = a.option(QStringLiteral("user"));
    return books;
}

struct AccountRef {
    qint64 id = 0;
    QString label;
};

AccountRef account(OpenBooks& y, const QString& codeOrId) {
    const qint64 id = ledger::accountByCode(*y.year, y.session, codeOrId);
    if (id == 0) throw CommandError{QStringLiteral("No account %1 in firm %2.").arg(codeOrId).arg(y.session.firmNo)};
    const auto found = documents::partyById(*y.year, y.session.firmNo, id);
    return {id, found ? found->ledgerId + QLatin1Char(' ') + found->name : QString()};
}

void checkDates(const Session& s, const std::vector<ledger::JsonDocument>& documents) {
    for (std::size_t i = 0; i < documents.size(); ++i)
        if (!s.inYear(documents[i].document.date))
            throw CommandError{QStringLiteral("Document %1: the date %2 is outside the year %3 to %4.")
                                   .arg(i + 1)
                                   .arg(documents[i].document.date.toString(QStringLiteral("dd-MM-yyyy")),
                                        s.yearStartDate.toString(QStringLiteral("dd-MM-yyyy")),
                                        s.yearEndDate.toString(QStringLiteral("dd-MM-yyyy")))};
}

qint64 postOne(ledger::Journal& journal, db::Database& db, ledger::JsonDocument& d) {
    db::Transaction tx(db);
    if (d.document.voucherNo == 0) d.document.voucherNo = journal.nextVoucherNo(d.document.tableCode);
    const qint64 journalNo = journal.post(d.document, d.mode);
    tx.commit();
    return journalNo;
}

int post(const Arguments& a) {
    auto y = openYear(a);
    ledger::Journal journal(*y->year, y->session);
    std::vector<ledger::JsonDocument> documents;
    try {
        documents = ledger::documentsFromJson(*y->year, y->session, readInput(a.positionalAt(0, QStringLiteral("FILE"))));
        checkDates(y->session, documents);
        // Every document is checked before the first is written: a refusal writes nothing.
        for (std::size_t i = 0; i < documents.size(); ++i) {
            try {
                journal.validate(documents[i].document);
            } catch (const ledger::PostingRefused& e) {
                throw ledger::PostingRefused(QStringLiteral("Document %1: %2").arg(i + 1).arg(e.text()));
            }
        }
    } catch (const ledger::PostingRefused& e) {
        throw CommandError{e.text()};
    }
    const bool bulk = a.has(QStringLiteral("bulk"));
    std::unique_ptr<db::Transaction> all;
    if (bulk) all = std::make_unique<db::Transaction>(*y->year);
    for (ledger::JsonDocument& d : documents) {
        const qint64 journalNo = postOne(journal, *y->year, d);
        if (!a.has(QStringLiteral("quiet")))
            out(QStringLiteral("%1 %2 posted as journal %3").arg(ledger::documentTypeName(d.document.tableCode)).arg(d.document.voucherNo).arg(journalNo));
    }
    if (all) all->commit();
    return 0;
}

int balance(const Arguments& a) {
    auto y = openYear(a);
    const AccountRef acc = account(*y, a.positionalAt(0, QStringLiteral("ACCOUNT")));
    ledger::Balances balances(*y->year, y->session);
    out(QStringLiteral("Account: %1").arg(acc.label));
    if (a.has(QStringLiteral("date"))) {
        const QDate date = a.date(QStringLiteral("date"), {});
        const Decimal upTo = balances.upTo(acc.id, date);
        out(QStringLiteral("Balance before %1: %2").arg(date.toString(QStringLiteral("dd-MM-yyyy")), balances.before(acc.id, date).toString(2)));
        out(QStringLiteral("Balance up to %1: %2").arg(date.toString(QStringLiteral("dd-MM-yyyy")), upTo.toString(2)));
        out(QStringLiteral("Balance text: %1").arg(ledger::balanceText(upTo)));
    } else {
        const Decimal closing = balances.closing(acc.id);
        out(QStringLiteral("Closing balance: %1").arg(closing.toString(2)));
        out(QStringLiteral("Balance text: %1").arg(ledger::balanceText(closing)));
    }
    return 0;
}

int lines(const Arguments& a) {
    auto y = openYear(a);
    const AccountRef acc = account(*y, a.positionalAt(0, QStringLiteral("ACCOUNT")));
    const QDate from = a.date(QStringLiteral("from"), y->session.yearStartDate);
    const QDate to = a.date(QStringLiteral("to"), y->session.yearEndDate);
    ledger::Balances balances(*y->year, y->session);
    out(QStringLiteral("Account: %1").arg(acc.label));
    const auto row = [](const QString& date, const QString& doc, const QString& text, const QString& dr, const QString& cr,
                        const QString& bal) {
        return QStringLiteral("%1  %2  %3  %4  %5  %6")
            .arg(date, -10).arg(doc, -18).arg(text.left(40), -40).arg(dr, 12).arg(cr, 12).arg(bal, 16);
    };
    out(QStringLiteral("Opening balance %1: %2").arg(from.toString(QStringLiteral("dd-MM-yyyy")),
                                                      ledger::balanceText(balances.before(acc.id, from))));
    balances.ledger(acc.id, from, to, [&](const ledger::LedgerLine& l) {
        out(row(l.date.toString(QStringLiteral("dd-MM-yyyy")),
                QStringLiteral("%1 %2").arg(ledger::documentTypeName(l.tableCode)).arg(l.voucherNo), l.description,
                l.debit.isZero() ? QString() : l.debit.toString(2), l.credit.isZero() ? QString() : l.credit.toString(2),
                ledger::balanceText(l.balance)));
    });
    return 0;
}

int balances(const Arguments& a) {
    auto y = openYear(a);
    ledger::Balances balances(*y->year, y->session);
    std::map<qint64, std::pair<QString, QString>> names;
    for (const documents::PartyChoice& account : documents::allAccounts(*y->year, y->session.firmNo))
        names[account.id] = {account.ledgerId, account.name};
    Decimal total;
    for (const ledger::AccountBalance& b : balances.allClosing()) {
        if (b.balance.isZero() && !a.has(QStringLiteral("all"))) continue;
        total += b.balance;
        out(QStringLiteral("%1  %2  %3").arg(names[b.accId].first, -10).arg(names[b.accId].second, -40).arg(b.balance.toString(2), 16));
    }
    out(QStringLiteral("%1  %2").arg(QStringLiteral("Total"), -52).arg(total.toString(2), 16));
    return 0;
}

int exportJournal(const Arguments& a) {
    auto y = openYear(a);
    const QString formatName = a.option(QStringLiteral("format"), QStringLiteral("csv"));
    if (formatName != QLatin1String("csv") && formatName != QLatin1String("ledger"))
        throw UsageError{QStringLiteral("--format is csv or ledger")};
    const ledger::ExportFormat format = formatName == QLatin1String("csv") ? ledger::ExportFormat::Csv : ledger::ExportFormat::PlainText;
    const ledger::ExportRange range{a.date(QStringLiteral("from"), {}), a.date(QStringLiteral("to"), {})};
    const QString path = a.option(QStringLiteral("out"));
    QFile file;
    if (path.isEmpty() || path == QLatin1String("-")) {
        if (!file.open(stdout, QIODevice::WriteOnly)) throw CommandError{QStringLiteral("Cannot write standard output")};
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw CommandError{QStringLiteral("Cannot write %1: %2").arg(path, file.errorString())};
    }
    const qint64 written = ledger::exportJournal(*y->year, y->session, file, format, range);
    file.close();
    if (!path.isEmpty() && path != QLatin1String("-")) out(QStringLiteral("%1 journal lines written to %2").arg(written).arg(path));
    return 0;
}

}  // namespace

void registerLedgerCommands(Registry& registry) {
    const QString year = QStringLiteral("[--year YYYY] [--firm N]");
    Noun ledgerNoun{QStringLiteral("ledger"), QStringLiteral("journal posting, balances, ledgers and the journal export"), {}};
    ledgerNoun.verbs.push_back({QStringLiteral("post"),
                                QStringLiteral("posts balanced journal documents from a JSON file (- for standard input)"),
                                QStringLiteral("FILE %1 [--user NAME] [--bulk] [--quiet]").arg(year), post});
    ledgerNoun.verbs.push_back({QStringLiteral("balance"),
                                QStringLiteral("prints an account's balance and balance text (closing, or on --date)"),
                                QStringLiteral("ACCOUNT %1 [--date DATE]").arg(year), balance});
    ledgerNoun.verbs.push_back({QStringLiteral("lines"), QStringLiteral("prints an account's ledger with running balance"),
                                QStringLiteral("ACCOUNT %1 [--from DATE] [--to DATE]").arg(year), lines});
    ledgerNoun.verbs.push_back({QStringLiteral("balances"), QStringLiteral("prints every account's closing balance"),
                                QStringLiteral("%1 [--all]").arg(year), balances});
    ledgerNoun.verbs.push_back({QStringLiteral("export"),
                                QStringLiteral("writes the journal as CSV or as a ledger-cli/hledger journal"),
                                QStringLiteral("%1 [--format csv|ledger] [--from DATE] [--to DATE] [--out FILE]").arg(year),
                                exportJournal});
    registry.add(std::move(ledgerNoun));
}

}  // namespace tanabana::cli
