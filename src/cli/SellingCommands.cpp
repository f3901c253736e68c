// tanabana-cli production / challan / sales / demo: selling documents from JSON through the same
// services as the screens, invoices printed to PDF, and the demonstration firm.
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/demo/DemoFirm.h"
#include "domain/jobwork/ProductionJson.h"
#include "domain/shell/Installer.h"
#include "domain/reports/ReportError.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/SalesInvoices.h"
#include "domain/trade/TradeJson.h"
#include "domain/trade/TradePrint.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace tanabana::cli {

namespace {

// One object or an array of objects.
QList<QJsonObject> documents(const QString& path) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(readInput(path), &error);
    if (error.error != QJsonParseError::NoError)
        throw CommandError{QStringLiteral("%1 is not JSON: %2 at offset %3").arg(path, error.errorString()).arg(error.offset)};
    QList<QJsonObject> list;
    if (doc.isObject()) list << doc.object();
    else
        for (const QJsonValue& v : doc.array()) {
            if (!v.isObject()) throw CommandError{QStringLiteral("%1: every document must be an object").arg(path)};
            list << v.toObject();
        }
    return list;
}

// Saves every document of the file in one transaction: the first refusal is printed with the
// system's message, nothing of the file stays and the exit status is 1. A document without a
// number takes its book's next free number inside the save; each line printed tells the number taken.
template <typename Read, typename Save, typename Number>
int importAll(const Arguments& a, const QString& kind, Read read, Save save, Number number) {
    OpenBooks books = openBooks(a);
    ConsoleMessages messages(true);
    const QList<QJsonObject> list = documents(a.positionalAt(0, QStringLiteral("FILE")));
    db::Transaction file(*books.year);
    int n = 0;
    for (const QJsonObject& object : list) {
        ++n;
        try {
            auto document = read(*books.year, books.session, object);
            const auto saved = save(*books.year, books.session, messages, document);
            if (!saved)
                throw CommandError{QStringLiteral("%1 %2 refused: %3; nothing of %4 was saved")
                                       .arg(kind)
                                       .arg(n)
                                       .arg(messages.lastCritical(), a.positionalAt(0, QStringLiteral("FILE")))};
            out(QStringLiteral("%1 %2 saved as No %3 (Id %4)").arg(kind).arg(n).arg(number(document)).arg(*saved));
        } catch (const trade::JsonRefused& refused) {
            throw CommandError{QStringLiteral("%1 %2: %3; nothing of %4 was saved")
                                   .arg(kind)
                                   .arg(n)
                                   .arg(refused.text(), a.positionalAt(0, QStringLiteral("FILE")))};
        }
    }
    try {
        file.commit();
    } catch (const db::DbError& error) {
        throw CommandError{QStringLiteral("The file could not be saved: %1").arg(QString::fromUtf8(error.what()))};
    }
    return 0;
}

int importProduction(const Arguments& a) {
    return importAll(
        a, QStringLiteral("production challan"), jobwork::productionFromJson,
        [](db::Database& db, Session& s, Messages& m, jobwork::ProductionChallan& c) {
            c.numberTakas = true;
            return jobwork::ProductionChallans(db, s, m).save(c);
        },
        [](const jobwork::ProductionChallan& c) { return c.challanNo; });
}

int importChallans(const Arguments& a) {
    return importAll(
        a, QStringLiteral("delivery challan"), trade::challanFromJson,
        [](db::Database& db, Session& s, Messages& m, trade::DeliveryChallan& c) { return trade::DeliveryChallans(db, s, m).save(c); },
        [](const trade::DeliveryChallan& c) { return c.challanNo; });
}

int importSales(const Arguments& a) {
    return importAll(
        a, QStringLiteral("sales bill"), trade::salesBillFromJson,
        [](db::Database& db, Session& s, Messages& m, trade::SalesBill& b) -> std::optional<qint64> {
            trade::SalesInvoices service(db, s, m);
            if (b.challanNo > 0 && b.lines.empty()) {
                const QDate date = b.date;
                const QString number = b.billNo;
                if (!service.fillFromChallan(b, QString::number(b.challanNo))) return std::nullopt;
                b.date = date;
                b.billNo = number;
            }
            b.tcsPercent = service.proposedTcsPercent(b);
            return service.save(b);
        },
        [](const trade::SalesBill& b) { return b.billNo; });
}

qint64 billId(OpenBooks& books, const Arguments& a) {
    if (a.has(QStringLiteral("id"))) return a.option(QStringLiteral("id")).toLongLong();
    ConsoleMessages messages(true);
    const QString book = a.option(QStringLiteral("book"), QStringLiteral("1"));
    const qint64 id = trade::SalesInvoices(*books.year, books.session, messages).findBill(book.toLongLong(), a.required(QStringLiteral("number")));
    if (id == 0) throw CommandError{QStringLiteral("No sales bill %1 in book %2").arg(a.option(QStringLiteral("number")), book)};
    return id;
}

int printSales(const Arguments& a) {
    OpenBooks books = openBooks(a);
    const qint64 id = billId(books, a);
    const QString path = a.required(QStringLiteral("out"));
    try {
        trade::writeInvoicePdf(*books.year, books.session, books.installation.dataRoot(), id, path,
                               a.option(QStringLiteral("type"), QStringLiteral("1")).toInt());
    } catch (const reports::ReportError& error) {
        throw CommandError{error.text()};
    }
    out(QStringLiteral("Invoice written to %1").arg(path));
    return 0;
}

qint64 challanId(trade::DeliveryChallans& challans, const Arguments& a) {
    if (a.has(QStringLiteral("id"))) return a.option(QStringLiteral("id")).toLongLong();
    const QString book = a.option(QStringLiteral("book"), QStringLiteral("1"));
    const qint64 id = challans.findByNumber(book.toLongLong(), a.required(QStringLiteral("number")));
    if (id == 0) throw CommandError{QStringLiteral("No delivery challan %1 in book %2").arg(a.option(QStringLiteral("number")), book)};
    return id;
}

int printChallan(const Arguments& a) {
    OpenBooks books = openBooks(a);
    ConsoleMessages messages(true);
    trade::DeliveryChallans challans(*books.year, books.session, messages);
    const qint64 id = challanId(challans, a);
    const QString path = a.required(QStringLiteral("out"));
    const auto challan = challans.load(id);
    if (!challan) throw CommandError{QStringLiteral("No delivery challan with Id %1 in firm %2").arg(id).arg(books.session.firmNo)};
    if (!challans.readyToPrint(*challan)) throw CommandError{messages.lastCritical()};
    try {
        trade::writeChallanPdf(*books.year, books.session, books.installation.dataRoot(), id, path,
                               a.option(QStringLiteral("type"), QStringLiteral("1")).toInt());
    } catch (const reports::ReportError& error) {
        throw CommandError{error.text()};
    }
    out(QStringLiteral("Challan written to %1").arg(path));
    return 0;
}

// Deletes a bill as the sales screen's Delete does: the operator's rights, the year lock and the
// paid-bill refusal hold; the questions are answered Yes by the command itself.
int deleteSales(const Arguments& a) {
    OpenBooks books = openBooks(a);
    const qint64 id = billId(books, a);
    ConsoleMessages messages(true);
    if (!trade::SalesInvoices(*books.year, books.session, messages).remove(id))
        throw CommandError{QStringLiteral("Sales bill %1 was not deleted.").arg(a.option(QStringLiteral("number"), QString::number(id)))};
    return 0;
}

int listSales(const Arguments& a) {
    OpenBooks books = openBooks(a);
    ConsoleMessages messages(true);
    for (const trade::SavedBill& bill : trade::SalesInvoices(*books.year, books.session, messages).allBills())
        out(QStringLiteral("%1\t%2/%3\t%4\t%5\t%6")
                .arg(bill.id)
                .arg(bill.bookNo)
                .arg(bill.billNo, bill.date.toString(QStringLiteral("dd-MM-yyyy")), bill.partyName, bill.amount.toString(2)));
    return 0;
}

int createDemo(const Arguments& a) {
    const shell::Installation installation = installationFrom(a);
    if (installation.yearListExists()) {
        if (a.has(QStringLiteral("if-new"))) return 0;
        throw CommandError{QStringLiteral("There is an installation at %1 already").arg(installation.dataRoot())};
    }
    const QDate today = QDate::currentDate();
    shell::FirstSetup setup;
    setup.endYear = a.has(QStringLiteral("year")) ? a.option(QStringLiteral("year")).toInt() : shell::financialYearEnding(today);
    setup.firmName = QStringLiteral("Shree Laxmi Textiles");
    shell::createInstallation(installation, setup);
    db::Database year = installation.openYear(setup.endYear);
    Session session;
    session.dataRoot = installation.dataRoot();
    session.setYear(setup.endYear);
    session.loginUser = setup.user;
    session.loginDate = today;
    session.db = &year;
    demo::DemoSize size;
    if (a.has(QStringLiteral("bills"))) size.salesBills = a.option(QStringLiteral("bills")).toInt();
    if (a.has(QStringLiteral("parties"))) size.extraParties = a.option(QStringLiteral("parties")).toInt();
    if (a.has(QStringLiteral("items"))) size.extraItems = a.option(QStringLiteral("items")).toInt();
    const QDate until = session.inYear(today) ? today : session.yearEndDate;
    const demo::DemoSummary summary = demo::fillDemoFirm(year, session, until, size);
    out(QStringLiteral("Demo firm \"%1\" in %2 (%3): %4").arg(session.firmName, installation.dataRoot(), session.yearLabel, summary.text()));
    out(QStringLiteral("Log in as %1 / %2.").arg(setup.user, setup.password));
    return 0;
}

}  // namespace

void registerSellingCommands(Registry& registry) {
    Noun production{QStringLiteral("production"), QStringLiteral("production challans of the looms"), {}};
    production.verbs.push_back({QStringLiteral("import"), QStringLiteral("saves production challans from JSON (a file or - for standard input)"),
                                QStringLiteral("FILE ") + kBooksOptions, importProduction});
    registry.add(std::move(production));

    Noun challan{QStringLiteral("challan"), QStringLiteral("delivery challans"), {}};
    challan.verbs.push_back({QStringLiteral("import"), QStringLiteral("saves delivery challans from JSON (lines, or takas produced)"),
                             QStringLiteral("FILE ") + kBooksOptions, importChallans});
    challan.verbs.push_back({QStringLiteral("print"), QStringLiteral("writes a delivery challan as PDF"),
                             QStringLiteral("(--id N | --book N --number NO) --out FILE.pdf [--type 1|2|3] ") + kBooksOptions, printChallan});
    registry.add(std::move(challan));

    Noun sales{QStringLiteral("sales"), QStringLiteral("sales invoices"), {}};
    sales.verbs.push_back({QStringLiteral("import"), QStringLiteral("saves and posts sales bills from JSON; totals, GST, TCS and round-off are computed"),
                           QStringLiteral("FILE ") + kBooksOptions, importSales});
    sales.verbs.push_back({QStringLiteral("print"), QStringLiteral("writes a sales invoice as PDF"),
                           QStringLiteral("(--id N | --book N --number NO) --out FILE.pdf [--type 1|2|3] ") + kBooksOptions, printSales});
    sales.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's sales bills"), kBooksOptions, listSales});
    sales.verbs.push_back({QStringLiteral("delete"), QStringLiteral("deletes a sales bill and its journal, as the operator named (rights apply)"),
                           QStringLiteral("(--id N | --book N --number NO) [--user NAME --password TEXT] ") + kBooksOptions, deleteSales});
    registry.add(std::move(sales));

    Noun demoNoun{QStringLiteral("demo"), QStringLiteral("a demonstration installation"), {}};
    demoNoun.verbs.push_back({QStringLiteral("create"),
                              QStringLiteral("creates an installation with a small textile firm and months of documents"),
                              QStringLiteral("[--data DIR | --db URL] [--year N] [--bills N] [--parties N] [--items N] [--if-new]"), createDemo});
    registry.add(std::move(demoNoun));
}

}  // namespace tanabana::cli
