// tanabana-cli voucher: cash, bank and journal vouchers from JSON through the same services as the
// voucher screens (settlements by bill number, every refusal of the screens), the list of a
// period and the printed voucher; tanabana-cli outstanding: a party's open bills on a date.
#include "cli/Cli.h"
#include "cli/Import.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/trade/TradeJson.h"
#include "domain/vouchers/VoucherJson.h"
#include "domain/vouchers/VoucherPrint.h"

#include <QJsonObject>

namespace tanabana::cli {

namespace {

const QString kDate = QStringLiteral("dd-MM-yyyy");

int importVouchers(const Arguments& a) {
    return importAll(a, QStringLiteral("voucher"), [](Work& w, const QVariantMap& object) {
        vouchers::ImportedVoucher v;
        try {
            v = vouchers::voucherFromJson(w.db(), w.session(), QJsonObject::fromVariantMap(object));
        } catch (const trade::JsonRefused& refused) {
            throw CommandError{QStringLiteral("Nothing imported: %1").arg(refused.text())};
        }
        if (!v.kind) {
            vouchers::JournalVouchers service(w.db(), w.session(), w.messages);
            if (!service.saveWhole(v.journal)) return false;
            out(QStringLiteral("journal\t%1\t%2\t%3")
                    .arg(v.journal.voucherNo)
                    .arg(v.journal.entries.size())
                    .arg(v.journal.total().toString(2)));
            return true;
        }
        vouchers::CashBankVouchers service(w.db(), w.session(), w.messages, *v.kind);
        std::vector<vouchers::VoucherEntry> entries = std::move(v.cashBank.entries);
        Decimal total;
        for (vouchers::VoucherEntry& e : entries) {
            if (!service.saveEntry(v.cashBank, e)) return false;
            total += e.amount;
        }
        out(QStringLiteral("%1\t%2\t%3\t%4")
                .arg(vouchers::voucherTypeName(service.style().tableCode))
                .arg(v.cashBank.voucherNo)
                .arg(entries.size())
                .arg(total.toString(2)));
        return true;
    });
}

int typeOption(const Arguments& a) {
    const auto type = vouchers::voucherTypeOf(a.required(QStringLiteral("kind")));
    if (!type) throw UsageError{QStringLiteral("--kind is cash-receipt, cash-payment, bank-receipt, bank-payment or journal")};
    return *type;
}

int listVouchers(const Arguments& a) {
    const int type = typeOption(a);
    auto w = openWork(a);
    const QDate from = a.date(QStringLiteral("from"), w->session().yearStartDate),
                to = a.date(QStringLiteral("to"), w->session().yearEndDate);
    std::vector<QStringList> rows;
    if (type == 9) {
        vouchers::JournalVouchers service(w->db(), w->session(), w->messages);
        for (const vouchers::JournalFound& f : service.list(from, to))
            rows.push_back({QString::number(f.voucherNo), f.date.toString(kDate), QString::number(f.serial), f.debitName,
                            f.creditName, f.amount.toString(2), f.referenceNo, f.narration});
        printTable(
            {QStringLiteral("Vou No"), QStringLiteral("Vou Dt"), QStringLiteral("S No"), QStringLiteral("Debit A/c"),
             QStringLiteral("Credit A/c"), QStringLiteral("Amount"), QStringLiteral("Rec No"), QStringLiteral("Narration")},
            rows);
        return 0;
    }
    vouchers::CashBankVouchers service(w->db(), w->session(), w->messages, *vouchers::kindOfTableCode(type));
    for (const vouchers::VoucherFound& f : service.list(from, to))
        rows.push_back({QString::number(f.voucherNo), f.date.toString(kDate), QString::number(f.serial), f.ledgerId, f.partyName,
                        f.amount.toString(2), f.receiptNo, f.billWise ? QStringLiteral("Y") : QStringLiteral("N"), f.description,
                        f.bookAccount});
    printTable({QStringLiteral("Vou No"), QStringLiteral("Vou Dt"), QStringLiteral("S No"), QStringLiteral("LedgerId"),
                QStringLiteral("A/c Name"), QStringLiteral("Amount"), QStringLiteral("Rec No"), QStringLiteral("IsBal"),
                QStringLiteral("Narration1"), QStringLiteral("BankBook")},
               rows);
    return 0;
}

int printVoucher(const Arguments& a) {
    const int type = typeOption(a);
    const qint64 number = a.required(QStringLiteral("number")).toLongLong();
    const QString as = a.option(QStringLiteral("as"), QStringLiteral("voucher"));
    if (as != QLatin1String("voucher") && (type != 7 || (as != QLatin1String("cheques") && as != QLatin1String("advice"))))
        throw UsageError{QStringLiteral("--as is voucher, or cheques or advice for a bank payment")};
    auto w = openWork(a);
    const QString suffix = as == QLatin1String("voucher") ? QString() : QLatin1Char('_') + as;
    const QString path = a.option(QStringLiteral("out"),
                                  QStringLiteral("%1_%2%3.pdf").arg(vouchers::voucherTypeName(type)).arg(number).arg(suffix));
    const QString install = w->books.installation.dataRoot();
    try {
        if (as == QLatin1String("cheques"))
            vouchers::writeChequesPdf(w->db(), w->session(), install, number, path,
                                      a.option(QStringLiteral("type"), QStringLiteral("1")));
        else if (as == QLatin1String("advice"))
            vouchers::writePaymentAdvicePdf(w->db(), w->session(), install, number, path,
                                            a.option(QStringLiteral("type"), QStringLiteral("1")));
        else vouchers::writeVoucherPdf(w->db(), w->session(), install, type, number, path, a.option(QStringLiteral("type")));
    } catch (const reports::ReportError& error) {
        throw CommandError{error.text()};
    }
    out(QStringLiteral("Voucher written to %1").arg(path));
    return 0;
}

int showOutstanding(const Arguments& a) {
    const QString side = a.option(QStringLiteral("side"), QStringLiteral("sales"));
    if (side != QLatin1String("sales") && side != QLatin1String("purchase"))
        throw UsageError{QStringLiteral("--side is sales or purchase")};
    const bool ageing = a.has(QStringLiteral("ageing"));
    const QString name =
        ageing ? (side == QLatin1String("sales") ? QStringLiteral("ageing-receivable") : QStringLiteral("ageing-payable"))
               : QStringLiteral("outstanding-") + side;
    const reports::RegisterDefinition* definition = reports::findRegister(name);
    auto w = openWork(a);
    reports::RegisterChoice choice;
    choice.to = a.date(QStringLiteral("date"), w->session().yearEndDate);
    choice.from = choice.to;
    if (a.has(QStringLiteral("party"))) {
        choice.partyId =
            reports::pickedId(w->db(), w->session().firmNo, reports::RegisterPicker::Party, a.option(QStringLiteral("party")));
        if (choice.partyId <= 0)
            throw CommandError{QStringLiteral("No party of this firm is named \"%1\"").arg(a.option(QStringLiteral("party")))};
    }
    try {
        const reports::Registers registers(w->db(), w->session(), w->books.installation.dataRoot());
        const reports::RegisterResult result = registers.run(*definition, choice);
        if (a.has(QStringLiteral("out"))) {
            registers.writeFile(result, a.option(QStringLiteral("out")));
            out(QStringLiteral("%1: %2 bill(s), %3")
                    .arg(a.option(QStringLiteral("out")))
                    .arg(result.data.rowCount())
                    .arg(result.title));
            return 0;
        }
        out(result.title);
        if (!result.filters.isEmpty()) out(result.filters);
        QStringList header;
        for (const reports::RegisterColumn& c : result.sheet.columns) header << c.caption;
        std::vector<QStringList> rows;
        for (const reports::RegisterLine& line : result.lines) rows.push_back(line.cells);
        printTable(header, rows);
    } catch (const reports::ReportError& e) {
        throw CommandError{e.text()};
    }
    return 0;
}

const QString kKinds = QStringLiteral("--kind cash-receipt|cash-payment|bank-receipt|bank-payment|journal");

}  // namespace

void registerVoucherCommands(Registry& registry) {
    Noun voucher{QStringLiteral("voucher"), QStringLiteral("cash, bank and journal vouchers with bill-wise settlement"), {}};
    voucher.verbs.push_back(
        {QStringLiteral("import"),
         QStringLiteral("saves and posts vouchers from JSON, all or nothing; settlements name the party's open bills by number"),
         QStringLiteral("FILE ") + kBooksOptions, importVouchers});
    voucher.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the entries of one kind of voucher in a period"),
                             kKinds + QStringLiteral(" [--from DATE] [--to DATE] ") + kBooksOptions, listVouchers});
    voucher.verbs.push_back(
        {QStringLiteral("print"), QStringLiteral("writes a voucher, or the cheques or payment advice of a bank payment, as PDF"),
         kKinds + QStringLiteral(" --number N [--as voucher|cheques|advice] [--out FILE.pdf] [--type VARIANT] ") + kBooksOptions,
         printVoucher});
    registry.add(std::move(voucher));
    Noun outstanding{QStringLiteral("outstanding"), QStringLiteral("open bills of the parties on a date, with their ageing"), {}};
    outstanding.verbs.push_back(
        {QString(), QStringLiteral("lists the open bills on a date (or writes them with --out)"),
         QStringLiteral("[--party NAME|CODE] [--date DATE] [--side sales|purchase] [--ageing] [--out FILE.pdf|.xlsx|.csv] ") +
             kBooksOptions,
         showOutstanding});
    registry.add(std::move(outstanding));
}

}  // namespace tanabana::cli
