// tanabana-cli return / note: sales and purchase returns, credit and debit notes from JSON through
// the same services as the screens (amounts computed, every refusal of the screens), and their lists.
#include "cli/Cli.h"
#include "cli/Import.h"
#include "domain/returns/GoodsReturns.h"
#include "domain/returns/Notes.h"
#include "domain/returns/ReturnJson.h"
#include "domain/trade/TradeJson.h"

#include <QJsonObject>

namespace tanabana::cli {

namespace {

bool salesKind(const Arguments& a) {
    const QString kind = a.option(QStringLiteral("kind"), QStringLiteral("sales"));
    if (kind != QStringLiteral("sales") && kind != QStringLiteral("purchase")) throw UsageError{QStringLiteral("--kind is sales or purchase")};
    return kind == QStringLiteral("sales");
}

// Turns the reader's refusal into the import's message, naming nothing saved.
template <typename Read>
auto readOrRefuse(Read read) {
    try {
        return read();
    } catch (const trade::JsonRefused& refused) {
        throw CommandError{QStringLiteral("Nothing imported: %1").arg(refused.text())};
    }
}

QString adjustedText(const std::vector<returns::Adjustment>& adjustments) {
    Decimal total;
    for (const returns::Adjustment& a : adjustments) total += a.amount;
    return total.toString(2);
}

int importReturns(const Arguments& a) {
    const bool sales = salesKind(a);
    return importAll(a, sales ? QStringLiteral("sales return") : QStringLiteral("purchase return"), [sales](Work& w, const QVariantMap& object) {
        const QJsonObject json = QJsonObject::fromVariantMap(object);
        if (sales) {
            returns::SalesReturn doc = readOrRefuse([&] { return returns::salesReturnFromJson(w.db(), w.session(), json); });
            returns::SalesReturns service(w.db(), w.session(), w.messages);
            const auto id = service.save(doc);
            if (id)
                out(QStringLiteral("%1\t%2\t%3\t%4").arg(*id).arg(doc.returnNo, service.compute(doc).totals.net.toString(2), adjustedText(doc.adjustments)));
            return id.has_value();
        }
        returns::PurchaseReturn doc = readOrRefuse([&] { return returns::purchaseReturnFromJson(w.db(), w.session(), json); });
        returns::PurchaseReturns service(w.db(), w.session(), w.messages);
        const auto id = service.save(doc);
        if (id) out(QStringLiteral("%1\t%2\t%3\t%4").arg(*id).arg(doc.returnNo, service.compute(doc).totals.net.toString(2), adjustedText(doc.adjustments)));
        return id.has_value();
    });
}

int listReturns(const Arguments& a) {
    const bool sales = salesKind(a);
    auto w = openWork(a);
    const std::vector<returns::SavedReturn> saved = sales ? returns::SalesReturns(w->db(), w->session(), w->messages).all()
                                                          : returns::PurchaseReturns(w->db(), w->session(), w->messages).all();
    std::vector<QStringList> rows;
    for (const returns::SavedReturn& r : saved)
        rows.push_back({QString::number(r.id), r.returnNo, r.date.toString(QStringLiteral("dd-MM-yyyy")), r.partyName, r.sourceBillNo,
                        r.amount.toString(2), r.adjusted.toString(2)});
    printTable({QStringLiteral("Id"), QStringLiteral("BillNO"), QStringLiteral("BillDAte"), QStringLiteral("Party NAme"),
                sales ? QStringLiteral("Sal Bill No") : QStringLiteral("Pur Bill No"), QStringLiteral("Net Amt"), QStringLiteral("Adjusted")},
               rows);
    return 0;
}

int importNotes(const Arguments& a) {
    return importAll(a, QStringLiteral("note"), [](Work& w, const QVariantMap& object) {
        returns::Note note = readOrRefuse([&] { return returns::noteFromJson(w.db(), w.session(), QJsonObject::fromVariantMap(object)); });
        returns::Notes service(w.db(), w.session(), w.messages);
        const auto id = service.save(note);
        if (id) out(QStringLiteral("%1\t%2%3\t%4").arg(*id).arg(returns::noteType(note.kind), note.noteNo, service.compute(note).net.toString(2)));
        return id.has_value();
    });
}

int listNotes(const Arguments& a) {
    const QString kind = a.option(QStringLiteral("kind"), QStringLiteral("credit"));
    if (kind != QStringLiteral("credit") && kind != QStringLiteral("debit")) throw UsageError{QStringLiteral("--kind is credit or debit")};
    auto w = openWork(a);
    returns::Notes service(w->db(), w->session(), w->messages);
    std::vector<QStringList> rows;
    for (const returns::SavedNote& n : service.all(kind == QStringLiteral("credit") ? returns::NoteKind::Credit : returns::NoteKind::Debit))
        rows.push_back({n.noteNo, QString::number(n.id), n.date.toString(QStringLiteral("dd-MM-yyyy")), n.partyName, n.billNo, n.rateType,
                        n.taxable.toString(2), n.gst.toString(2), n.net.toString(2), n.interState ? QStringLiteral("Y") : QStringLiteral("N")});
    printTable({QStringLiteral("CNNo"), QStringLiteral("Vou No"), QStringLiteral("CNDAte"), QStringLiteral("Party NAme"), QStringLiteral("Bill No"),
                QStringLiteral("Rate Type"), QStringLiteral("Taxable Amt"), QStringLiteral("GST Amt"), QStringLiteral("NetAmt"),
                QStringLiteral("Inter State")},
               rows);
    return 0;
}

}  // namespace

void registerReturnCommands(Registry& registry) {
    Noun goodsReturn{QStringLiteral("return"), QStringLiteral("sales and purchase returns, adjusted against the party's open bills"), {}};
    goodsReturn.verbs.push_back({QStringLiteral("import"),
                                 QStringLiteral("saves, adjusts and posts returns from JSON, all or nothing; amounts are computed"),
                                 QStringLiteral("FILE [--kind sales|purchase] ") + kBooksOptions, importReturns});
    goodsReturn.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's returns with the amount each adjusted"),
                                 QStringLiteral("[--kind sales|purchase] ") + kBooksOptions, listReturns});
    registry.add(std::move(goodsReturn));
    Noun note{QStringLiteral("note"), QStringLiteral("GST credit and debit notes on one bill"), {}};
    note.verbs.push_back({QStringLiteral("import"),
                          QStringLiteral("saves and posts credit or debit notes from JSON, all or nothing; each settles its bill"),
                          QStringLiteral("FILE ") + kBooksOptions, importNotes});
    note.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's credit (or debit) notes"),
                          QStringLiteral("[--kind credit|debit] ") + kBooksOptions, listNotes});
    registry.add(std::move(note));
}

}  // namespace tanabana::cli
