// tanabana-cli report trial-balance|trading|profit-loss|balance-sheet|schedules|cash-book|
// bank-book|journal-book|day-book ...: the final accounts and the books as text on the terminal,
// or to PDF, workbook or CSV files.
//   tanabana-cli report bank-book --book "Bank Current A/c" --from 01-05-2024 --to 31-05-2024
//   tanabana-cli bank reconcile --book "Bank Current A/c" --from 01-05-2024 --to 31-05-2024 --tick "CHQ 000871" --date 18-05-2024
//   tanabana-cli --data ~/Tanabana report balance-sheet --date 31-03-2025 --out bs.pdf
//   tanabana-cli report trading --from 01-04-2024 --to 30-09-2024        (between two dates)
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/accounts/AccountRegisters.h"
#include "domain/accounts/BankReconciliation.h"
#include "domain/accounts/BankStatement.h"
#include "domain/reports/ReportError.h"

namespace tanabana::cli {

namespace {

using reports::RegisterDefinition;
using reports::RegisterResult;

int runStatement(const RegisterDefinition& asked, const Arguments& a) {
    const RegisterDefinition* definition = &asked;
    OpenBooks books = openBooks(a);
    reports::RegisterChoice choice;
    if (asked.singleDate && a.has(QStringLiteral("from"))) {
        definition = accounts::findAccountRegister(asked.name + QStringLiteral("-between"));
        if (!definition) throw UsageError{QStringLiteral("%1 is made as on one date: give --date").arg(asked.name)};
    }
    if (definition->singleDate) {
        choice.to = a.date(QStringLiteral("date"), a.date(QStringLiteral("to"), books.session.yearEndDate));
        choice.from = qMin(books.session.yearStartDate, choice.to);
    } else {
        choice.from = a.date(QStringLiteral("from"), books.session.yearStartDate);
        choice.to = a.date(QStringLiteral("to"), a.date(QStringLiteral("date"), books.session.yearEndDate));
    }
    if (a.has(QStringLiteral("book"))) {
        if (!definition->offersBook()) throw UsageError{QStringLiteral("%1 has no --book").arg(definition->name)};
        choice.bookNo = reports::pickedId(*books.year, books.session.firmNo, reports::RegisterPicker::Book, a.option(QStringLiteral("book")),
                                          definition->bookTypes);
        if (choice.bookNo <= 0) throw CommandError{QStringLiteral("No book of this firm is named \"%1\"").arg(a.option(QStringLiteral("book")))};
    }
    try {
        const reports::Registers registers(*books.year, books.session, books.installation.dataRoot());
        choice.screenLines = !a.has(QStringLiteral("out"));
        const RegisterResult result = registers.run(*definition, choice);
        if (!a.has(QStringLiteral("out"))) {
            printRegisterText(result);
            return 0;
        }
        const QString target = a.option(QStringLiteral("out"));
        registers.writeFile(result, target);
        out(QStringLiteral("%1: %2").arg(target, result.title));
        if (!result.filters.isEmpty()) out(result.filters);
    } catch (const reports::ReportError& e) {
        throw CommandError{e.text()};
    }
    return 0;
}

QString amountText(Decimal value) { return value.toString(2); }

// Lists a bank book's cheques of the period with the four balances; --tick CHEQUE --date D marks
// one cleared, --untick CHEQUE clears the mark, before the list is shown.
int reconcile(const Arguments& a) {
    OpenBooks books = openBooks(a);
    ConsoleMessages messages;
    const qint64 bookNo = reports::pickedId(*books.year, books.session.firmNo, reports::RegisterPicker::Book,
                                            a.required(QStringLiteral("book")), QStringLiteral("B"));
    if (bookNo <= 0) throw CommandError{QStringLiteral("No bank book of this firm is named \"%1\"").arg(a.option(QStringLiteral("book")))};
    accounts::BankReconciliation service(*books.year, books.session, messages);
    const QDate from = a.date(QStringLiteral("from"), books.session.yearStartDate);
    const QDate to = a.date(QStringLiteral("to"), books.session.yearEndDate);
    const accounts::ReconKind kind = accounts::reconKindOf(a.option(QStringLiteral("kind"), QStringLiteral("B")));
    auto r = service.list(bookNo, kind, from, to);
    if (!r) throw CommandError{messages.lastCritical()};
    for (const QString& option : {QStringLiteral("tick"), QStringLiteral("untick")}) {
        if (!a.has(option)) continue;
        std::vector<const accounts::ReconLine*> found;
        for (const accounts::ReconLine& line : r->lines)
            if (line.chequeNo.compare(a.option(option).trimmed(), Qt::CaseInsensitive) == 0) found.push_back(&line);
        if (found.size() != 1)
            throw CommandError{QStringLiteral("%1 cheque(s) numbered \"%2\" in this list").arg(found.size()).arg(a.option(option))};
        const QDate clearedOn = a.date(QStringLiteral("date"), QDate());
        if (option == QLatin1String("tick") && !clearedOn.isValid()) throw UsageError{QStringLiteral("--tick needs the clearing --date")};
        const bool done = option == QLatin1String("tick") ? service.tick(*found.front(), clearedOn) : service.untick(*found.front());
        if (!done) throw CommandError{messages.lastCritical()};
        r = service.list(bookNo, kind, from, to);
    }
    out(QStringLiteral("Bank : %1   Period From %2 To %3").arg(r->bookName, from.toString(QStringLiteral("dd-MM-yyyy")), to.toString(QStringLiteral("dd-MM-yyyy"))));
    for (const accounts::ReconLine& line : r->lines)
        out(QStringLiteral("%1  %2  %3  %4  %5  %6")
                .arg(line.date.toString(QStringLiteral("dd-MM-yy")), line.chequeNo.leftJustified(14), line.party.leftJustified(24),
                     (line.payment.isZero() ? QString() : amountText(line.payment)).rightJustified(12),
                     (line.receipt.isZero() ? QString() : amountText(line.receipt)).rightJustified(12),
                     line.cleared ? line.clearedOn.toString(QStringLiteral("dd-MM-yy")) : QString()));
    const accounts::ReconBalances& b = r->balances;
    out(QStringLiteral("1. Balance As Per Our Bank Book   : ") + amountText(b.bookBalance));
    out(QStringLiteral("2. Add    : Chq. Issued but not presented for Payment : ") + amountText(b.unclearedPayments));
    out(QStringLiteral("3. Less   : Chq. Deposited but not Credited  : ") + amountText(b.unclearedReceipts));
    out(QStringLiteral("4. Balance as per Bank Statement  : ") + amountText(b.statementBalance));
    if (a.has(QStringLiteral("out"))) {
        try {
            const reports::ReportService output(books.installation.dataRoot());
            auto document = output.prepare(nullptr, service.statementReport(*r));
            reports::ReportService::writePdf(*document, a.option(QStringLiteral("out")));
        } catch (const reports::ReportError& e) {
            throw CommandError{e.text()};
        }
        out(a.option(QStringLiteral("out")));
    }
    return 0;
}

// Reads the bank's statement file and proposes which uncleared cheques it clears; --apply ticks
// them with the statement's dates. A fault in the file names the row and ticks nothing.
int importStatement(const Arguments& a) {
    OpenBooks books = openBooks(a);
    ConsoleMessages messages;
    const qint64 bookNo = reports::pickedId(*books.year, books.session.firmNo, reports::RegisterPicker::Book,
                                            a.required(QStringLiteral("book")), QStringLiteral("B"));
    if (bookNo <= 0) throw CommandError{QStringLiteral("No bank book of this firm is named \"%1\"").arg(a.option(QStringLiteral("book")))};
    // The columns chosen for this bank before, unless named here; names given are kept for next time.
    accounts::StatementColumns columns = accounts::rememberedColumns(*books.year, books.session.firmNo, bookNo);
    bool named = false;
    for (auto [option, column] : {std::pair{"date-column", &columns.date}, std::pair{"narration-column", &columns.narration},
                                  std::pair{"cheque-column", &columns.cheque}, std::pair{"withdrawal-column", &columns.withdrawal},
                                  std::pair{"deposit-column", &columns.deposit}}) {
        named = named || a.has(QString::fromLatin1(option));
        *column = a.option(QString::fromLatin1(option), *column);
    }
    const accounts::StatementFile statement = accounts::readStatement(a.required(QStringLiteral("file")), columns);
    if (!statement.error.isEmpty()) throw CommandError{statement.error};
    if (named) accounts::rememberColumns(*books.year, books.session.firmNo, bookNo, columns);
    accounts::BankReconciliation service(*books.year, books.session, messages);
    const auto r = service.list(bookNo, accounts::ReconKind::Both, a.date(QStringLiteral("from"), books.session.yearStartDate),
                                a.date(QStringLiteral("to"), books.session.yearEndDate));
    if (!r) throw CommandError{messages.lastCritical()};
    const auto matches = accounts::proposeMatches(statement.lines, r->lines);
    std::vector<std::pair<accounts::ReconLine, QDate>> ticks;
    for (const accounts::StatementMatch& m : matches) {
        const accounts::StatementLine& s = statement.lines[m.statementLine];
        const accounts::ReconLine& line = r->lines[m.reconLine];
        out(QStringLiteral("row %1  %2  %3  ->  %4 %5 of %6 (%7)")
                .arg(s.row)
                .arg(s.date.toString(QStringLiteral("dd-MM-yyyy")), amountText(s.withdrawal.isZero() ? s.deposit : s.withdrawal), line.chequeNo,
                     line.party, line.date.toString(QStringLiteral("dd-MM-yyyy")),
                     m.byCheque ? QStringLiteral("cheque number and amount") : QStringLiteral("amount and date")));
        ticks.push_back({line, s.date});
    }
    out(QStringLiteral("%1 of %2 statement rows matched").arg(matches.size()).arg(statement.lines.size()));
    if (a.has(QStringLiteral("apply"))) {
        if (!service.tickAll(ticks)) throw CommandError{messages.lastCritical()};
        out(QStringLiteral("%1 cheque(s) ticked").arg(ticks.size()));
    }
    return 0;
}

}  // namespace

void registerAccountCommands(Registry& registry) {
    Noun bank{QStringLiteral("bank"), QStringLiteral("bank reconciliation"), {}};
    bank.verbs.push_back({QStringLiteral("reconcile"), QStringLiteral("lists a bank book's cheques, ticks or unticks one, shows the balances"),
                          QStringLiteral("--book NAME|NUMBER [--from DATE] [--to DATE] [--kind P|R|B] [--tick CHEQUE --date DATE | --untick CHEQUE] "
                                         "[--out STATEMENT.pdf] [--year N] [--firm N]"),
                          reconcile});
    bank.verbs.push_back({QStringLiteral("import-statement"),
                          QStringLiteral("reads the bank's statement CSV and proposes the cheques it clears; --apply ticks them"),
                          QStringLiteral("--book NAME|NUMBER --file STATEMENT.csv [--from DATE] [--to DATE] [--date-column NAME] "
                                         "[--narration-column NAME] [--cheque-column NAME] [--withdrawal-column NAME] [--deposit-column NAME] "
                                         "[--apply] [--year N] [--firm N]"),
                          importStatement});
    registry.add(std::move(bank));

    Noun noun{QStringLiteral("report"), QString(), {}};
    for (const RegisterDefinition& d : accounts::accountRegisters()) {
            QString usage = d.singleDate ? QStringLiteral("[--date DATE | --from DATE --to DATE]") : QStringLiteral("[--from DATE] [--to DATE]");
            if (d.offersBook()) usage += QStringLiteral(" [--book NAME|NUMBER]");
            usage += QStringLiteral(" [--out FILE.pdf|FILE.xlsx|FILE.csv] [--year N] [--firm N]");
            const RegisterDefinition* definition = &d;
            noun.verbs.push_back({d.name, d.kind.isEmpty() ? d.title : d.title + QStringLiteral(" (") + d.kind + QLatin1Char(')'), usage,
                                  [definition](const Arguments& a) { return runStatement(*definition, a); }});
    }
    registry.add(std::move(noun));
}

}  // namespace tanabana::cli
