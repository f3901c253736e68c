// tanabana-cli report trial-balance|trading|profit-loss|balance-sheet|schedules|cash-book|
// bank-book|journal-book|day-book ...: the final accounts and the books as text on the terminal,
// or to PDF, workbook or CSV files.
//   tanabana-cli report bank-book --book "Bank Current A/c" --from 01-05-2024 --to 31-05-2024
//   tanabana-cli --data ~/Tanabana report balance-sheet --date 31-03-2025 --out bs.pdf
//   tanabana-cli report trading --from 01-04-2024 --to 30-09-2024        (between two dates)
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/accounts/AccountRegisters.h"
#include "domain/reports/ReportError.h"

namespace tanabana::cli {

namespace {

using reports::RegisterDefinition;
using reports::RegisterLine;
using reports::RegisterResult;

// The lines as the screen's grid shows them, in columns padded to their widest cell.
void printText(const RegisterResult& result) {
    const auto& columns = result.sheet.columns;
    std::vector<int> widths;
    for (const auto& c : columns) widths.push_back(int(c.caption.size()));
    for (const RegisterLine& line : result.lines)
        if (line.kind != RegisterLine::Kind::Heading)
            for (int i = 0; i < line.cells.size() && i < int(widths.size()); ++i) widths[size_t(i)] = qMax(widths[size_t(i)], int(line.cells.at(i).size()));
    auto row = [&](const QStringList& cells) {
        QStringList padded;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString cell = cells.value(int(i));
            padded << (columns[i].numeric ? cell.rightJustified(widths[i]) : cell.leftJustified(widths[i]));
        }
        return padded.join(QStringLiteral("  ")).trimmed();
    };
    out(result.title);
    if (!result.filters.isEmpty()) out(result.filters);
    QStringList captions;
    for (const auto& c : columns) captions << c.caption;
    out(row(captions));
    for (const RegisterLine& line : result.lines) out(line.kind == RegisterLine::Kind::Heading ? line.cells.value(0) : row(line.cells));
}

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
        const RegisterResult result = registers.run(*definition, choice);
        if (!a.has(QStringLiteral("out"))) {
            printText(result);
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

}  // namespace

void registerAccountCommands(Registry& registry) {
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
