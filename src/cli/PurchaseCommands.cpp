// tanabana-cli purchase: supplier bills from JSON through the same service as the buying screens
// (totals, GST, TCS, TDS and round-off computed, every refusal of the screens), the bill list and
// the printed bill.
#include "cli/Cli.h"
#include "cli/Import.h"
#include "domain/documents/Lookups.h"
#include "domain/reports/ReportError.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/PurchasePrint.h"
#include "domain/trade/TradeJson.h"

#include <QJsonObject>

namespace tanabana::cli {

namespace {

int importPurchases(const Arguments& a) {
    return importAll(a, QStringLiteral("purchase bill"), [](Work& w, const QVariantMap& object) {
        trade::PurchaseBill bill;
        try {
            bill = trade::purchaseBillFromJson(w.db(), w.session(), QJsonObject::fromVariantMap(object));
        } catch (const trade::JsonRefused& refused) {
            throw CommandError{QStringLiteral("Nothing imported: %1").arg(refused.text())};
        }
        trade::PurchaseInvoices service(w.db(), w.session(), w.messages);
        // The supplier's number names an earlier bill of the party: that bill is saved again.
        if (const auto existing = service.billOfParty(bill.partyId, bill.billNo, bill.kind)) bill.id = *existing;
        const auto id = service.save(bill);
        if (id) out(QStringLiteral("%1\t%2\t%3").arg(*id).arg(bill.billNo, service.compute(bill).totals.net.toString(2)));
        return id.has_value();
    });
}

trade::PurchaseKind kindOption(const Arguments& a) {
    const QString kind = a.option(QStringLiteral("kind"), QStringLiteral("goods"));
    if (kind == QStringLiteral("goods")) return trade::PurchaseKind::Goods;
    if (kind == QStringLiteral("expense")) return trade::PurchaseKind::Expense;
    if (kind == QStringLiteral("expenseLines")) return trade::PurchaseKind::ExpenseLines;
    throw UsageError{QStringLiteral("--kind is goods, expense or expenseLines")};
}

int listPurchases(const Arguments& a) {
    auto w = openWork(a);
    trade::PurchaseInvoices service(w->db(), w->session(), w->messages);
    std::vector<QStringList> rows;
    for (const trade::PurchaseListRow& r :
         service.billList(kindOption(a), a.option(QStringLiteral("book"), QStringLiteral("0")).toLongLong(), a.option(QStringLiteral("party")), 100000))
        rows.push_back({QString::number(r.id), r.billNo, r.date.toString(QStringLiteral("dd-MM-yyyy")), r.partyName, r.amount.toString(2),
                        r.bookName, r.reverseChargeBillNo, r.paid.toString(2), r.unpaid.toString(2)});
    printTable({QStringLiteral("Vou No"), QStringLiteral("BillNo"), QStringLiteral("BillDate"), QStringLiteral("Party NAme"),
                QStringLiteral("BillAmount"), QStringLiteral("PurName"), QStringLiteral("RCM BillNo"), QStringLiteral("PaidAmt"),
                QStringLiteral("UnpaidAmt")},
               rows);
    return 0;
}

int printPurchase(const Arguments& a) {
    auto w = openWork(a);
    trade::PurchaseInvoices service(w->db(), w->session(), w->messages);
    qint64 id = a.option(QStringLiteral("id")).toLongLong();
    if (id <= 0) {
        const qint64 party = trade::accountRef(w->db(), w->session(), a.required(QStringLiteral("party")));
        const QString number = a.required(QStringLiteral("number"));
        for (const auto kind : {trade::PurchaseKind::Goods, trade::PurchaseKind::Expense})
            if (const auto found = service.billOfParty(party, number, kind)) id = *found;
        if (id <= 0) throw CommandError{QStringLiteral("No purchase bill %1 of %2").arg(number, a.option(QStringLiteral("party")))};
    }
    const auto bill = service.load(id);
    if (!bill) throw CommandError{QStringLiteral("No purchase bill with Id %1 in firm %2").arg(id).arg(w->session().firmNo)};
    QString path = a.option(QStringLiteral("out"));
    if (path.isEmpty()) {
        const auto party = documents::partyById(w->db(), w->session().firmNo, bill->partyId);
        path = trade::purchasePdfName(bill->billNo, party ? party->name : QString()) + QStringLiteral(".pdf");
    }
    try {
        trade::writePurchasePdf(w->db(), w->session(), w->books.installation.dataRoot(), id, path,
                                a.option(QStringLiteral("type"), QStringLiteral("1")).toInt());
    } catch (const reports::ReportError& error) {
        throw CommandError{error.text()};
    }
    out(QStringLiteral("Purchase bill written to %1").arg(path));
    return 0;
}

QDate dayOption(const Arguments& a) {
    const QString text = a.required(QStringLiteral("date"));
    QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid()) date = QDate::fromString(text, QStringLiteral("dd-MM-yyyy"));
    if (!date.isValid()) throw UsageError{QStringLiteral("--date is yyyy-mm-dd or dd-mm-yyyy: %1").arg(text)};
    return date;
}

// "RCM Calculate" (or, taking back, "RCM Not Calculate") for one day; a refusal is the exit status.
int reverseCharge(const Arguments& a, bool calculate) {
    auto w = openWork(a);
    const QDate date = dayOption(a);
    trade::PurchaseInvoices service(w->db(), w->session(), w->messages);
    const int changed = calculate ? service.calculateReverseCharge(date) : service.removeReverseCharge(date);
    if (!w->messages.lastCritical().isEmpty()) return 1;
    out(calculate ? QStringLiteral("%1 bills under reverse charge").arg(changed) : QStringLiteral("%1 bills out of reverse charge").arg(changed));
    return 0;
}

int calculateReverseCharge(const Arguments& a) { return reverseCharge(a, true); }
int removeReverseCharge(const Arguments& a) { return reverseCharge(a, false); }

}  // namespace

void registerPurchaseCommands(Registry& registry) {
    Noun purchase{QStringLiteral("purchase"), QStringLiteral("purchase invoices: goods, expenses with reverse charge"), {}};
    purchase.verbs.push_back({QStringLiteral("import"),
                              QStringLiteral("saves and posts supplier bills from JSON, all or nothing; totals, GST, TCS, TDS and round-off are computed"),
                              QStringLiteral("FILE ") + kBooksOptions, importPurchases});
    purchase.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's purchase bills, newest first"),
                              QStringLiteral("[--kind goods|expense|expenseLines] [--book N] [--party NAME] ") + kBooksOptions, listPurchases});
    purchase.verbs.push_back({QStringLiteral("print"), QStringLiteral("writes a purchase bill as PDF (named \"Pur_No -<number>_<party>.pdf\" without --out)"),
                              QStringLiteral("(--id N | --party CODE --number NO) [--out FILE.pdf] [--type 1|2|3] ") + kBooksOptions, printPurchase});
    purchase.verbs.push_back({QStringLiteral("rcm"),
                              QStringLiteral("works out the day's reverse charge against the firm's free limit, posting each bill's GST journal voucher (\"RCM Calculate\")"),
                              QStringLiteral("--date YYYY-MM-DD ") + kBooksOptions, calculateReverseCharge});
    purchase.verbs.push_back({QStringLiteral("rcm-remove"),
                              QStringLiteral("takes the day's reverse charge back: references and their journal vouchers go (\"RCM Not Calculate\")"),
                              QStringLiteral("--date YYYY-MM-DD ") + kBooksOptions, removeReverseCharge});
    registry.add(std::move(purchase));
}

}  // namespace tanabana::cli
