// tanabana-cli stock: the stock statements on a date or between two dates, as text on the
// terminal or to PDF, workbook or CSV files.
//   tanabana-cli stock --date 30-04-2024                          (closing quantity and value)
//   tanabana-cli stock --from 01-04-2024 --date 30-04-2024 --mill --out april.pdf
//   tanabana-cli stock --date 31-03-2025 --sale-rate --zero --group Rapier --item "Rapier 60 Grey"
//   tanabana-cli stock --woven --from 01-04-2024 --date 30-04-2024 --loom L1 --state godown
//   tanabana-cli takas --taka 104 --date 10-05-2024                 (where taka 104... is now)
//   tanabana-cli stock-voucher import issues.json | list --kind receipt
#include "cli/Books.h"
#include "cli/Cli.h"
#include "cli/Import.h"
#include "domain/reports/ReportError.h"
#include "domain/stock/ProductionStock.h"
#include "domain/stock/StockStatements.h"
#include "domain/stock/StockVoucherJson.h"
#include "domain/stock/TakaTrail.h"
#include "domain/trade/TradeJson.h"

#include <QJsonObject>

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

qint64 takaNumber(const Arguments& a, const QString& option) {
    if (!a.has(option)) return 0;
    bool ok = false;
    const qint64 value = a.option(option).toLongLong(&ok);
    if (!ok || value < 0) throw UsageError{QStringLiteral("--%1 takes a whole taka number").arg(option)};
    return value;
}

// The woven takas design wise: the production menu's stock register.
int wovenStock(OpenBooks& books, const Arguments& a) {
    stock::WovenFilter f;
    f.challanNo = a.option(QStringLiteral("challan"));
    f.machine = a.option(QStringLiteral("loom"));
    f.takaFrom = takaNumber(a, QStringLiteral("taka-from"));
    f.takaTo = takaNumber(a, QStringLiteral("taka-to"));
    const QString state = a.option(QStringLiteral("state"), QStringLiteral("all")).toLower();
    if (state == QLatin1String("godown")) f.state = stock::WovenState::InGodown;
    else if (state == QLatin1String("issued")) f.state = stock::WovenState::Issued;
    else if (state == QLatin1String("sent")) f.state = stock::WovenState::Sent;
    else if (state != QLatin1String("all")) throw UsageError{QStringLiteral("--state is all, godown, issued or sent")};
    reports::RegisterChoice choice;
    choice.to = a.date(QStringLiteral("date"), a.date(QStringLiteral("to"), books.session.yearEndDate));
    choice.from = a.date(QStringLiteral("from"), books.session.yearStartDate);
    return showOrWrite(books, stock::wovenStockRegister(f), choice, a);
}

int stockStatement(const Arguments& a) {
    OpenBooks books = openBooks(a);
    if (a.has(QStringLiteral("woven"))) return wovenStock(books, a);
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

int importStockVouchers(const Arguments& a) {
    return importAll(a, QStringLiteral("stock voucher"), [](Work& w, const QVariantMap& object) {
        stock::StockVoucher voucher;
        try {
            voucher = stock::stockVoucherFromJson(w.db(), w.session(), QJsonObject::fromVariantMap(object));
        } catch (const trade::JsonRefused& refused) {
            throw CommandError{QStringLiteral("Nothing imported: %1").arg(refused.text())};
        }
        const auto id = stock::StockVouchers(w.db(), w.session(), w.messages).save(voucher);
        if (id)
            out(QStringLiteral("%1\t%2 %3\t%4 pcs\t%5 mtrs")
                    .arg(*id)
                    .arg(stock::kindLetter(voucher.kind))
                    .arg(voucher.voucherNo)
                    .arg(voucher.totalPieces().toString(0), voucher.totalMetres().toString(3)));
        return id.has_value();
    });
}

int listStockVouchers(const Arguments& a) {
    const QString kind = a.option(QStringLiteral("kind"), QStringLiteral("issue"));
    if (kind != QStringLiteral("issue") && kind != QStringLiteral("receipt")) throw UsageError{QStringLiteral("--kind is issue or receipt")};
    auto w = openWork(a);
    stock::StockVouchers service(w->db(), w->session(), w->messages);
    documents::ListFilter filter;
    filter.pageSize = 100000;
    std::vector<QStringList> rows;
    const auto page = service.voucherList(kind == QStringLiteral("receipt") ? stock::VoucherKind::Receipt : stock::VoucherKind::Issue, 0, filter);
    for (const documents::ListedDocument& d : page.rows)
        rows.push_back({d.texts.value(4), d.number, d.date.toString(QStringLiteral("dd-MM-yyyy")), d.party, d.texts.value(0), d.texts.value(1),
                        d.texts.value(2), d.texts.value(3), d.figures.at(0).toString(0), d.figures.at(1).toString(3)});
    printTable({QStringLiteral("Bk No"), QStringLiteral("Vou No"), QStringLiteral("Vou Dt"), QStringLiteral("AcNAme"), QStringLiteral("Remarks"),
                QStringLiteral("LotNo"), QStringLiteral("Process_Name"), QStringLiteral("Book Name"), QStringLiteral("Pcs"), QStringLiteral("Mtrs")},
               rows);
    return 0;
}

}  // namespace

void registerStockCommands(Registry& registry) {
    Noun noun{QStringLiteral("stock"), QStringLiteral("stock statements on a date or between two dates"), {}};
    noun.verbs.push_back({QString(), QStringLiteral("stock statement"),
                          QStringLiteral("--date DATE [--from DATE [--mill]] [--pieces] [--sale-rate] [--zero] [--grouped] [--rapier] "
                                         "[--group TYPE] [--sub-group DESIGN] [--design COLOUR] [--item NAME|CODE] "
                                         "[--out FILE.pdf|FILE.xlsx|FILE.csv] [--year N] [--firm N]\n"
                                         "  or --woven [--from DATE] [--date DATE] [--challan NO] [--loom NO] [--taka-from N] "
                                         "[--taka-to N] [--state all|godown|issued|sent] [--out FILE]"),
                          stockStatement});
    registry.add(std::move(noun));
    Noun trail{QStringLiteral("takas"), QStringLiteral("where every taka is: godown, mill, challan, sold"), {}};
    trail.verbs.push_back({QString(), QStringLiteral("where every taka is"),
                           QStringLiteral("[--taka NUMBER] [--date DATE] [--at-mill] [--out FILE.pdf|FILE.xlsx|FILE.csv] [--year N] [--firm N]"),
                           takas});
    registry.add(std::move(trail));
    Noun vouchers{QStringLiteral("stock-voucher"), QStringLiteral("stock issue and receipt vouchers: cloth out of or into the godown without a bill"), {}};
    vouchers.verbs.push_back({QStringLiteral("import"), QStringLiteral("saves stock vouchers from JSON, all or nothing"), kImportUsage,
                              importStockVouchers});
    vouchers.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's issue (or receipt) vouchers, newest first"),
                              QStringLiteral("[--kind issue|receipt] [--year END] [--firm N]"), listStockVouchers});
    registry.add(std::move(vouchers));
}

}  // namespace tanabana::cli
