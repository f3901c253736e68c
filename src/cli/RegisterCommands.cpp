// tanabana-cli register: the registers of the report menus to PDF, workbook or CSV files.
//   tanabana-cli --data ~/Tanabana register sales-by-party --from 01-08-2024 --to 31-08-2024
//       --party "Ramesh Silk Mills" --out august.pdf
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/SellingRegisters.h"

#include <QFileInfo>

namespace tanabana::cli {

namespace {

qint64 picked(OpenBooks& books, const Arguments& a, const QString& option, reports::RegisterPicker picker, bool offered,
              const QString& what) {
    if (!a.has(option)) return 0;
    if (!offered) throw UsageError{QStringLiteral("this register has no --%1 filter").arg(option)};
    const qint64 id = reports::pickedId(*books.year, books.session.firmNo, picker, a.option(option));
    if (id <= 0) throw CommandError{QStringLiteral("No %1 of this firm is named \"%2\"").arg(what, a.option(option))};
    return id;
}

int runRegister(const reports::RegisterDefinition& definition, const Arguments& a) {
    const QString target = a.required(QStringLiteral("out"));
    OpenBooks books = openBooks(a);
    reports::RegisterChoice choice;
    choice.from = a.date(QStringLiteral("from"), books.session.yearStartDate);
    choice.to = a.date(QStringLiteral("to"), books.session.yearEndDate);
    choice.partyId = picked(books, a, QStringLiteral("party"), reports::RegisterPicker::Party, definition.offersParty(), QStringLiteral("party"));
    choice.bookNo = picked(books, a, QStringLiteral("book"), reports::RegisterPicker::Book, definition.offersBook(), QStringLiteral("book"));
    choice.itemId = picked(books, a, QStringLiteral("item"), reports::RegisterPicker::Item, definition.offersItem(), QStringLiteral("quality"));
    try {
        const reports::Registers registers(*books.year, books.session, books.installation.dataRoot());
        choice.screenLines = false;  // only the file is wanted
        const reports::RegisterResult result = registers.run(definition, choice);
        registers.writeFile(result, target);
        out(QStringLiteral("%1: %2 row(s), %3").arg(target).arg(result.data.rowCount()).arg(result.title));
    } catch (const reports::ReportError& e) {
        throw CommandError{e.text()};
    }
    return 0;
}

int listRegisters(const Arguments&) {
    for (const reports::RegisterDefinition& d : reports::sellingRegisters())
        out(QStringLiteral("%1  %2").arg(d.name, -18).arg(d.title));
    return 0;
}

}  // namespace

void registerRegisterCommands(Registry& registry) {
    Noun noun{QStringLiteral("register"), QStringLiteral("registers of the report menus to PDF, workbook or CSV"), {}};
    noun.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the registers"), QString(), listRegisters});
    for (const reports::RegisterDefinition& d : reports::sellingRegisters()) {
        QString usage = QStringLiteral("[--from DATE] [--to DATE]");
        if (d.offersParty()) usage += QStringLiteral(" [--party NAME|CODE]");
        if (d.offersBook()) usage += QStringLiteral(" [--book NAME|NUMBER]");
        if (d.offersItem()) usage += QStringLiteral(" [--item NAME|CODE]");
        usage += QStringLiteral(" --out FILE.pdf|FILE.xlsx|FILE.csv [--year N] [--firm N]");
        const reports::RegisterDefinition* definition = &d;
        noun.verbs.push_back({d.name, d.title, usage, [definition](const Arguments& a) { return runRegister(*definition, a); }});
    }
    registry.add(std::move(noun));
}

}  // namespace tanabana::cli
