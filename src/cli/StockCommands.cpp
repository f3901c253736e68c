// tanabana-cli stock: the stock statements on a date or between two dates, as text on the
// terminal or to PDF, workbook or CSV files.
//   tanabana-cli stock --date 30-04-2024                          (closing quantity and value)
//   tanabana-cli stock --from 01-04-2024 --date 30-04-2024 --mill --out april.pdf
//   tanabana-cli stock --date 31-03-2025 --sale-rate --zero --group Rapier --item "Rapier 60 Grey"
//   tanabana-cli takas --taka 104 --date 10-05-2024                 (where taka 104... is now)
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/reports/ReportError.h"
#include "domain/stock/StockStatements.h"
#include "domain/stock/TakaTrail.h"

namespace tanabana::cli {

namespace {

// Prints or writes a register, as the report commands do.
int showOrWrite(OpenBooks& books, const reports::RegisterDefinition& definition, const reports::RegisterChoice& choice, const Arguments& a) {
    try {
        const reports::Registers registers(*books.year, books.session, books.installation.dataRoot());
        const reports::RegisterResult result = registers.run(definition, choice);
        if (!a.has(QStringLiteral("out"))) {
            printRegisterText(result);
            return 0;
        }
        const QString target = a.option(QStringLiteral("out"));
        registers.writeFile(result, target);
        out(QStringLiteral("%1: %2 row(s), %3").arg(target).arg(result.data.rowCount()).arg(result.title));
    } catch (const reports::ReportError& e) {
        throw CommandError{e.text()};
    }
    return 0;
}

int stockStatement(const Arguments& a) {
    OpenBooks books = openBooks(a);
    stock::StatementOptions o;
    if (a.has(QStringLiteral("from"))) o.kind = a.has(QStringLiteral("mill")) ? stock::StatementKind::WithMill : stock::StatementKind::Between;
    else if (a.has(QStringLiteral("mill"))) throw UsageError{QStringLiteral("--mill lists the movements between two dates: give --from")};
    o.rapier = a.has(QStringLiteral("rapier"));
    o.pieces = a.has(QStringLiteral("pieces"));
    o.saleRate = a.has(QStringLiteral("sale-rate"));
    o.zeroRows = a.has(QStringLiteral("zero"));
    o.grouped = a.has(QStringLiteral("grouped"));
    o.group = a.option(QStringLiteral("group"));
    o.subGroup = a.option(QStringLiteral("sub-group"));
    o.design = a.option(QStringLiteral("design"));

    reports::RegisterChoice choice;
    choice.to = a.date(QStringLiteral("date"), a.date(QStringLiteral("to"), books.session.yearEndDate));
    choice.from = a.date(QStringLiteral("from"), qMin(books.session.yearStartDate, choice.to));
    if (a.has(QStringLiteral("item"))) {
        choice.itemId = reports::pickedId(*books.year, books.session.firmNo, reports::RegisterPicker::Item, a.option(QStringLiteral("item")));
        if (choice.itemId <= 0) throw CommandError{QStringLiteral("No quality of this firm is named \"%1\"").arg(a.option(QStringLiteral("item")))};
    }
    return showOrWrite(books, stock::stockStatement(o), choice, a);
}

int takas(const Arguments& a) {
    OpenBooks books = openBooks(a);
    reports::RegisterChoice choice;
    choice.to = a.date(QStringLiteral("date"), qMin(QDate::currentDate(), books.session.yearEndDate));
    choice.from = qMin(books.session.yearStartDate, choice.to);
    return showOrWrite(books, stock::takaRegister(a.option(QStringLiteral("taka")), a.has(QStringLiteral("at-mill"))), choice, a);
}

}  // namespace

void registerStockCommands(Registry& registry) {
    Noun noun{QStringLiteral("stock"), QStringLiteral("stock statements on a date or between two dates"), {}};
    noun.verbs.push_back({QString(), QStringLiteral("stock statement"),
                          QStringLiteral("--date DATE [--from DATE [--mill]] [--pieces] [--sale-rate] [--zero] [--grouped] [--rapier] "
                                         "[--group TYPE] [--sub-group DESIGN] [--design COLOUR] [--item NAME|CODE] "
                                         "[--out FILE.pdf|FILE.xlsx|FILE.csv] [--year N] [--firm N]"),
                          stockStatement});
    registry.add(std::move(noun));
    Noun trail{QStringLiteral("takas"), QStringLiteral("where every taka is: godown, mill, challan, sold"), {}};
    trail.verbs.push_back({QString(), QStringLiteral("where every taka is"),
                           QStringLiteral("[--taka NUMBER] [--date DATE] [--at-mill] [--out FILE.pdf|FILE.xlsx|FILE.csv] [--year N] [--firm N]"),
                           takas});
    registry.add(std::move(trail));
}

}  // namespace tanabana::cli
