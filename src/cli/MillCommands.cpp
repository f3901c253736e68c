// tanabana-cli mill: grey takas sent to the mills and received back, from JSON through the same
// services as the mill screens (all or nothing), the lists of the challans, and the year-end carry
// of what is still at the mills or unpaid. tanabana-cli job: the quality-wise job-process challans.
#include "cli/Cli.h"
#include "cli/Import.h"
#include "domain/mill/JobProcess.h"
#include "domain/mill/MillCarry.h"
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

// --kind takas (issues with takas still at the mill) or receipts (mill receipts not yet paid).
mill::MillCarry::Kind carryKind(const Arguments& a) {
    const QString kind = a.required(QStringLiteral("kind"));
    if (kind == QStringLiteral("takas")) return mill::MillCarry::Kind::PendingTakas;
    if (kind == QStringLiteral("receipts")) return mill::MillCarry::Kind::UnpaidReceipts;
    throw UsageError{QStringLiteral("--kind is takas or receipts: %1").arg(kind)};
}

// --ids 4,7 (the "Vou No" the list shows), or every challan listed when absent.
std::vector<qint64> chosenIds(const Arguments& a, const std::vector<mill::CarriedChallan>& listed) {
    std::vector<qint64> ids;
    if (!a.has(QStringLiteral("ids"))) {
        for (const mill::CarriedChallan& c : listed) ids.push_back(c.id);
        return ids;
    }
    for (const QString& part : a.option(QStringLiteral("ids")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 id = part.trimmed().toLongLong(&ok);
        if (!ok) throw UsageError{QStringLiteral("--ids takes Vou Nos separated by commas: %1").arg(part)};
        if (std::none_of(listed.begin(), listed.end(), [&](const mill::CarriedChallan& c) { return c.id == id; }))
            throw CommandError{QStringLiteral("Vou No %1 is not in the list").arg(id)};
        ids.push_back(id);
    }
    return ids;
}

void printCarried(const std::vector<mill::CarriedChallan>& listed) {
    std::vector<QStringList> rows;
    for (const mill::CarriedChallan& c : listed)
        rows.push_back({QString::number(c.challanNo), QString::number(c.id), day(c.date), c.mill, c.lotNo, QString::number(c.takas),
                        c.issuedMetres.toString(3), c.receivedMetres.toString(3), c.pendingMetres.toString(3), c.weight.toString(3),
                        c.amount.toString(2)});
    printTable({QStringLiteral("Bill No"), QStringLiteral("Vou No"), QStringLiteral("Date"), QStringLiteral("Party NAme"), QStringLiteral("Lot No"),
                QStringLiteral("Tot Taka"), QStringLiteral("Iss Mtrs"), QStringLiteral("Rec Mtrs"), QStringLiteral("Pending Mtrs"),
                QStringLiteral("Weight"), QStringLiteral("Bill Amount")},
               rows);
}

// "list": what this year would carry; "run": carries it into the next year's books in one go.
int carry(const Arguments& a) {
    const QString action = a.positionalAt(0, QStringLiteral("list|run"));
    const mill::MillCarry::Kind kind = carryKind(a);
    auto w = openWork(a);
    mill::MillCarry service(w->db(), w->session(), w->messages);
    const std::vector<mill::CarriedChallan> listed = service.candidates(kind);
    if (action == QStringLiteral("list")) {
        printCarried(listed);
        return 0;
    }
    if (action != QStringLiteral("run")) throw UsageError{QStringLiteral("the action is list or run: %1").arg(action)};
    const std::vector<qint64> ids = chosenIds(a, listed);
    const int next = w->session().endYear.toInt() + 1;
    if (!w->books.installation.yearExists(next, w->session().firmFolder)) throw CommandError{QStringLiteral("Selected Year is not Found")};
    db::Database nextYear = w->books.installation.openYear(next, w->session().firmFolder);
    const int carried = service.carry(nextYear, kind, ids);
    out(QStringLiteral("%1 of %2 challans carried into %3.").arg(carried).arg(ids.size()).arg(next));
    return carried == int(ids.size()) ? 0 : 1;
}

// "list": what this year's books received from the last; "remove": deletes it again.
int carried(const Arguments& a) {
    const QString action = a.positionalAt(0, QStringLiteral("list|remove"));
    const mill::MillCarry::Kind kind = carryKind(a);
    auto w = openWork(a);
    mill::MillCarry service(w->db(), w->session(), w->messages);
    const std::vector<mill::CarriedChallan> listed = service.carriedIn(kind);
    if (action == QStringLiteral("list")) {
        printCarried(listed);
        return 0;
    }
    if (action != QStringLiteral("remove")) throw UsageError{QStringLiteral("the action is list or remove: %1").arg(action)};
    const std::vector<qint64> ids = chosenIds(a, listed);
    const int removed = service.removeCarriedIn(kind, ids);
    out(QStringLiteral("%1 of %2 carried challans removed.").arg(removed).arg(ids.size()));
    return removed == int(ids.size()) ? 0 : 1;
}

int importJobChallans(const Arguments& a, bool receipt) {
    return importAll(a, receipt ? QStringLiteral("job receipt") : QStringLiteral("job issue"), [receipt](Work& w, const QVariantMap& object) {
        mill::JobChallan challan;
        try {
            challan = mill::jobChallanFromJson(w.db(), w.session(), w.messages, QJsonObject::fromVariantMap(object), receipt);
        } catch (const trade::JsonRefused& refused) {
            throw CommandError{QStringLiteral("Nothing imported: %1").arg(refused.text())};
        }
        const auto id = mill::JobProcessChallans(w.db(), w.session(), w.messages).save(challan);
        if (id) out(QStringLiteral("%1\t%2\t%3").arg(*id).arg(challan.challanNo).arg(challan.totals().bill.toString(2)));
        return id.has_value();
    });
}

int listJobChallans(const Arguments& a, bool receipt) {
    auto w = openWork(a);
    mill::JobProcessChallans service(w->db(), w->session(), w->messages);
    documents::ListFilter filter;
    filter.pageSize = 100000;
    std::vector<QStringList> rows;
    for (const documents::ListedDocument& d : service.challanList(receipt, filter).rows)
        rows.push_back({d.number, QString::number(d.id), day(d.date), d.party, d.texts.value(0), d.texts.value(1),
                        d.figures.size() > 0 ? d.figures[0].toString(3) : QString(), d.figures.size() > 1 ? d.figures[1].toString(3) : QString(),
                        d.amount.toString(2)});
    printTable({QStringLiteral("Ch No"), QStringLiteral("Vou No"), QStringLiteral("Date"), QStringLiteral("Party NAme"), QStringLiteral("Job Process"),
                QStringLiteral("G.P. Bill No"), QStringLiteral("Pcs/Taka"), QStringLiteral("Mtrs"), QStringLiteral("Bill Amount")},
               rows);
    return 0;
}

int jobIssue(const Arguments& a) {
    return runAction(a, [](const Arguments& x) { return importJobChallans(x, false); }, [](const Arguments& x) { return listJobChallans(x, false); });
}
int jobReceive(const Arguments& a) {
    return runAction(a, [](const Arguments& x) { return importJobChallans(x, true); }, [](const Arguments& x) { return listJobChallans(x, true); });
}

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
    mill.verbs.push_back({QStringLiteral("carry"),
                          QStringLiteral("list: this year's challans with takas still at the mills (--kind takas) or mill receipts not yet "
                                         "paid (--kind receipts); run: carries them (or --ids) into the next year's books, all or none"),
                          QStringLiteral("list|run --kind takas|receipts [--ids N,N] ") + kBooksOptions, carry});
    mill.verbs.push_back({QStringLiteral("carried"),
                          QStringLiteral("list: the challans this year's books received from the last year; remove: deletes them (or --ids)"),
                          QStringLiteral("list|remove --kind takas|receipts [--ids N,N] ") + kBooksOptions, carried});
    registry.add(std::move(mill));

    Noun job{QStringLiteral("job"), QStringLiteral("quality-wise job-process challans to job workers and back"), {}};
    job.verbs.push_back({QStringLiteral("issue"),
                         QStringLiteral("import: saves job-process issue challans from JSON, all or nothing; list: the issue challans, newest first"),
                         QStringLiteral("import FILE.json|- | list ") + kBooksOptions, jobIssue});
    job.verbs.push_back({QStringLiteral("receive"),
                         QStringLiteral("import: saves job-process receipts (the job worker's bills, posted) from JSON, all or nothing, each "
                                        "line against its issue line; list: the receipts, newest first"),
                         QStringLiteral("import FILE.json|- | list ") + kBooksOptions, jobReceive});
    registry.add(std::move(job));
}

}  // namespace tanabana::cli
