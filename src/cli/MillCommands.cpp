// tanabana-cli mill: grey takas sent to the mills and received back, from JSON through the same
// services as the mill screens (all or nothing), and the lists of the challans.
#include "cli/Cli.h"
#include "cli/Import.h"
#include "domain/mill/MillIssues.h"
#include "domain/mill/MillJson.h"
#include "domain/mill/MillReceipts.h"
#include "domain/trade/TradeJson.h"

#include <QJsonObject>

namespace tanabana::cli {

namespace {

// The arguments after the action word ("import FILE" leaves "FILE").
Arguments afterAction(const Arguments& a) {
    Arguments rest = a;
    rest.positional.removeFirst();
    return rest;
}

int importIssues(const Arguments& a) {
    return importAll(a, QStringLiteral("mill issue"), [](Work& w, const QVariantMap& object) {
        mill::MillIssue issue;
        try {
            if (!mill::millIssueFromJson(w.db(), w.session(), w.messages, QJsonObject::fromVariantMap(object), issue)) return false;
        } catch (const trade::JsonRefused& refused) {
            throw CommandError{QStringLiteral("Nothing imported: %1").arg(refused.text())};
        }
        const auto id = mill::MillIssues(w.db(), w.session(), w.messages).save(issue);
        if (id) out(QStringLiteral("%1\t%2\t%3 takas\t%4").arg(*id).arg(issue.challanNo).arg(issue.lines.size()).arg(issue.totalMetres().toString(3)));
        return id.has_value();
    });
}

int importReceipts(const Arguments& a) {
    return importAll(a, QStringLiteral("mill receipt"), [](Work& w, const QVariantMap& object) {
        mill::MillReceipt receipt;
        try {
            receipt = mill::millReceiptFromJson(w.db(), w.session(), w.messages, QJsonObject::fromVariantMap(object));
        } catch (const trade::JsonRefused& refused) {
            throw CommandError{QStringLiteral("Nothing imported: %1").arg(refused.text())};
        }
        const auto id = mill::MillReceipts(w.db(), w.session(), w.messages).save(receipt);
        if (id) out(QStringLiteral("%1\t%2\t%3").arg(*id).arg(receipt.challanNo).arg(receipt.totals().bill.toString(2)));
        return id.has_value();
    });
}

QString day(const QDate& date) { return date.toString(QStringLiteral("dd-MM-yyyy")); }

int listIssues(const Arguments& a) {
    auto w = openWork(a);
    mill::MillIssues service(w->db(), w->session(), w->messages);
    documents::ListFilter filter;
    filter.pageSize = 100000;
    std::vector<QStringList> rows;
    for (const documents::ListedDocument& d : service.issueList(filter).rows)
        rows.push_back({d.number, QString::number(d.id), day(d.date), d.party, d.texts.value(0), d.texts.value(1), d.texts.value(2),
                        d.figures.size() > 0 ? d.figures[0].toString(0) : QString(), d.figures.size() > 1 ? d.figures[1].toString(3) : QString(),
                        d.texts.value(3)});
    printTable({QStringLiteral("Mill Iss No"), QStringLiteral("Vou No"), QStringLiteral("Issue Date"), QStringLiteral("Party NAme"),
                QStringLiteral("Quality"), QStringLiteral("Job Process"), QStringLiteral("LotNO"), QStringLiteral("Total Taka"),
                QStringLiteral("Tot Mtrs"), QStringLiteral("Purchase Party")},
               rows);
    return 0;
}

int listReceipts(const Arguments& a) {
    auto w = openWork(a);
    mill::MillReceipts service(w->db(), w->session(), w->messages);
    documents::ListFilter filter;
    filter.pageSize = 100000;
    std::vector<QStringList> rows;
    for (const documents::ListedDocument& d : service.receiptList(filter).rows)
        rows.push_back({d.number, QString::number(d.id), day(d.date), d.party, d.texts.value(0), d.texts.value(1),
                        d.figures.size() > 0 ? d.figures[0].toString(0) : QString(), d.figures.size() > 1 ? d.figures[1].toString(3) : QString(),
                        d.amount.toString(2)});
    printTable({QStringLiteral("Rec No"), QStringLiteral("Vou No"), QStringLiteral("Rec Date"), QStringLiteral("Party NAme"),
                QStringLiteral("LotNO"), QStringLiteral("Challan No"), QStringLiteral("Total Taka"), QStringLiteral("Fin Mtrs"),
                QStringLiteral("Bill Amount")},
               rows);
    return 0;
}

// "import FILE" or "list": the action word picks the command.
int runAction(const Arguments& a, int (*importer)(const Arguments&), int (*lister)(const Arguments&)) {
    const QString action = a.positionalAt(0, QStringLiteral("import|list"));
    if (action == QStringLiteral("import")) return importer(afterAction(a));
    if (action == QStringLiteral("list")) return lister(afterAction(a));
    throw UsageError{QStringLiteral("the action is import or list: %1").arg(action)};
}

int issue(const Arguments& a) { return runAction(a, importIssues, listIssues); }
int receive(const Arguments& a) { return runAction(a, importReceipts, listReceipts); }

const QString kBooksOptions = QStringLiteral("[--data DIR | --db URL] [--year N] [--firm N]");

}  // namespace

void registerMillCommands(Registry& registry) {
    Noun mill{QStringLiteral("mill"), QStringLiteral("grey takas to the processing mills and back"), {}};
    mill.verbs.push_back({QStringLiteral("issue"),
                          QStringLiteral("import: saves mill issue challans from JSON, all or nothing (takas of a purchase bill, the looms, "
                                         "or typed); list: the issue challans, newest first"),
                          QStringLiteral("import FILE.json|- | list ") + kBooksOptions, issue});
    mill.verbs.push_back({QStringLiteral("receive"),
                          QStringLiteral("import: saves mill receipt challans from JSON, all or nothing, each taka against its issue; "
                                         "list: the receipt challans, newest first"),
                          QStringLiteral("import FILE.json|- | list ") + kBooksOptions, receive});
    registry.add(std::move(mill));
}

}  // namespace tanabana::cli
