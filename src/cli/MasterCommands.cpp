// tanabana-cli firm import, account import | list, book import | list: the firm's books set up
// from JSON through the same services as the firm, account, opening balance and book screens.
// An import is all or nothing: the first refused object undoes the objects before it, and the
// refusal is printed as the screen would show it.
#include "cli/Cli.h"
#include "cli/Import.h"
#include "core/Decimal.h"
#include "domain/masters/AccountMaster.h"
#include "domain/masters/BookMaster.h"
#include "domain/masters/Lookups.h"
#include "domain/masters/OpeningBalances.h"
#include "domain/shell/FirmMaster.h"

#include <QRegularExpression>

namespace tanabana::cli {

namespace {

using namespace masters;

QString amount(const QVariant& v) { return Decimal::fromVariant(v).toString(2); }

bool refuse(Work& w, const QString& title, const QString& text) {
    w.messages.critical(title, text);
    return false;
}

// ---- Firms ----

bool importFirm(Work& w, const QVariantMap& values) {
    if (values.value(QStringLiteral("PName")).toString().trimmed().isEmpty())
        return refuse(w, QStringLiteral("Wrong Value"), QStringLiteral("PName (the firm's name) is empty"));
    return shell::FirmMaster(w.db(), w.session(), w.messages).save(values) > 0;
}

// ---- Accounts ----

// The opening balance of an imported account: "OpAmount" with "OpType" (D/C or Debit/Credit)
// and "OpDate" (ISO; the year's first day when absent).
std::optional<OpeningBalance> takeOpening(Record& values, const Session& session, QString* problem) {
    const QVariant amountValue = values.take(QStringLiteral("OpAmount"));
    const QString type = values.take(QStringLiteral("OpType")).toString().trimmed().left(1).toUpper();
    const QString date = values.take(QStringLiteral("OpDate")).toString().trimmed();
    if (amountValue.isNull() || amountValue.toString().trimmed().isEmpty()) return std::nullopt;
    OpeningBalance balance;
    const std::optional<Decimal> typed = Decimal::parse(amountValue.toString());
    if (typed) balance.amount = *typed;
    if (!typed || balance.amount.isNegative()) *problem = QStringLiteral("OpAmount must be a number of 0 or more, not \"%1\"").arg(amountValue.toString());
    else if (type != QLatin1String("D") && type != QLatin1String("C")) *problem = QStringLiteral("OpType must be D or C");
    balance.type = type;
    balance.date = date.isEmpty() ? session.yearStartDate : QDate::fromString(date, Qt::ISODate);
    if (problem->isEmpty() && !balance.date.isValid()) *problem = QStringLiteral("OpDate must be a date (yyyy-mm-dd), not \"%1\"").arg(date);
    return balance;
}

bool importAccount(Work& w, QVariantMap values) {
    QString problem;
    const auto opening = takeOpening(values, w.session(), &problem);
    if (!problem.isEmpty()) return refuse(w, QStringLiteral("Wrong Value"), problem);
    // an account named by its code is changed, not added
    const QString code = values.take(QStringLiteral("LedgerId")).toString().trimmed();
    if (!code.isEmpty() && !values.contains(QStringLiteral("Id"))) {
        const qint64 id = accountIdByCode(w.db(), w.session().firmNo, code);
        if (id == 0) return refuse(w, QStringLiteral("No A/c Found"), QStringLiteral("A/c No %1 is not in the firm").arg(code));
        values.insert(QStringLiteral("Id"), id);
    }
    if (values.value(QStringLiteral("AcName")).toString().trimmed().isEmpty() || values.value(QStringLiteral("GrpNo")).toInt() <= 0)
        return refuse(w, QStringLiteral("Wrong Value"), QStringLiteral("AcName and GrpNo (1 to 99) are needed"));
    const qint64 id = AccountMaster(w.db(), w.session(), w.messages).save(values);
    if (id == 0) return false;
    if (!opening || opening->amount == 0) return true;
    OpeningBalance balance = *opening;
    balance.accountId = id;
    return OpeningBalances(w.db(), w.session(), w.messages).save(balance);
}

QString openingText(const std::map<qint64, std::pair<double, QString>>& balances, qint64 id) {
    const auto it = balances.find(id);
    if (it == balances.end()) return {};
    return amount(it->second.first) + (it->second.second == QLatin1String("C") ? QStringLiteral(" Cr") : QStringLiteral(" Dr"));
}

int listAccounts(const Arguments& a) {
    auto w = openWork(a);
    std::map<qint64, std::pair<double, QString>> balances;
    for (const db::Row& r : OpeningBalances(w->db(), w->session(), w->messages).list())
        balances[r.integer(QStringLiteral("Id"))] = {r.number(QStringLiteral("OpAmount")), r.text(QStringLiteral("OpType"))};
    std::vector<QStringList> rows;
    for (const db::Row& r : AccountMaster(w->db(), w->session(), w->messages).search(a.option(QStringLiteral("prefix"))))
        rows.push_back({r.text(QStringLiteral("Id")), r.text(QStringLiteral("LedgerId")), r.text(QStringLiteral("AcName")),
                        r.text(QStringLiteral("GrpName")), r.text(QStringLiteral("City")), r.text(QStringLiteral("TinNo")),
                        r.text(QStringLiteral("CSTNo")), openingText(balances, r.integer(QStringLiteral("Id")))});
    printTable({QStringLiteral("Id"), QStringLiteral("A/c No"), QStringLiteral("A/c Name"), QStringLiteral("Group"), QStringLiteral("City"),
                QStringLiteral("GSTIN"), QStringLiteral("State"), QStringLiteral("Opening")},
               rows);
    return 0;
}

// ---- Books ----

const QStringList& bookAccountColumns() {
    static const QStringList columns = bookTaxAccountColumns() + QStringList{QStringLiteral("SaleId"), QStringLiteral("PurAccId"),
                                                                             QStringLiteral("TDS_Id"), QStringLiteral("TCS_Id")};
    return columns;
}

// Account columns of a book may name the account by its Id, its code (A/c No) or its name.
bool resolveAccounts(Work& w, QVariantMap& book) {
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    for (auto it = book.begin(); it != book.end(); ++it) {
        if (!bookAccountColumns().contains(it.key(), Qt::CaseInsensitive)) continue;
        const QString text = it.value().toString().trimmed();
        if (text.isEmpty() || digits.match(text).hasMatch()) continue;
        qint64 id = accountIdByCode(w.db(), w.session().firmNo, text);
        if (id == 0) id = accountIdByName(w.db(), w.session().firmNo, text);
        if (id == 0) return refuse(w, QStringLiteral("No Account Name Found"), QStringLiteral("%1: \"%2\" is not an account of the firm").arg(it.key(), text));
        it.value() = id;
    }
    return true;
}

BookKind kindOf(const QVariantMap& book) {
    const QString type = book.value(QStringLiteral("BookType")).toString().trimmed().left(1).toUpper();
    return type == QLatin1String("C") || type == QLatin1String("B") ? BookKind::CashBank : BookKind::SalesPurchase;
}

bool importBook(Work& w, QVariantMap book) {
    if (!resolveAccounts(w, book)) return false;
    return BookMaster(w.db(), w.session(), w.messages, kindOf(book)).save(book) > 0;
}

int listBooks(const Arguments& a) {
    auto w = openWork(a);
    std::vector<QStringList> rows;
    const qint64 firm = w->session().firmNo;
    for (const BookKind kind : {BookKind::SalesPurchase, BookKind::CashBank})
        for (const db::Row& r : BookMaster(w->db(), w->session(), w->messages, kind).list())
            rows.push_back({r.text(QStringLiteral("BookNO")), r.text(QStringLiteral("BookType")), r.text(QStringLiteral("BookShortName")),
                            r.text(QStringLiteral("PurNAme")), r.text(QStringLiteral("SalesName")),
                            ledgerIdOf(w->db(), firm, r.integer(QStringLiteral("PurAccId"))),
                            ledgerIdOf(w->db(), firm, r.integer(QStringLiteral("SaleId"))), r.text(QStringLiteral("BillType"))});
    std::sort(rows.begin(), rows.end(), [](const QStringList& x, const QStringList& y) { return x.at(0).toLongLong() < y.at(0).toLongLong(); });
    printTable({QStringLiteral("BookNo"), QStringLiteral("Type"), QStringLiteral("Bk Pre Name"), QStringLiteral("PurNAme"),
                QStringLiteral("SalesNAme"), QStringLiteral("Pur. A/c"), QStringLiteral("Sal. A/c"), QStringLiteral("BillType")},
               rows);
    return 0;
}

}  // namespace

void registerMasterCommands(Registry& registry) {
    Noun firm{QStringLiteral("firm"), QStringLiteral("firms of a year"), {}};
    firm.verbs.push_back({QStringLiteral("import"),
                          QStringLiteral("saves firms from JSON objects keyed by column (Srno to change a firm, PName, Owner, Add1, City, "
                                         "Tin, CST, Ph, PanNO, FirmType, Soft_Type 1-9, StartDt, ENdDt, switches as Yes/No, "
                                         "EmailPassword); a new firm gets the chart of accounts and firm 1's books"),
                          kImportUsage, [](const Arguments& a) {
                              return importAll(a, QStringLiteral("firm"), [](Work& w, const QVariantMap& v) { return importFirm(w, v); });
                          }});
    registry.add(std::move(firm));

    Noun account{QStringLiteral("account"), QStringLiteral("the accounts of a firm with their opening balances"), {}};
    account.verbs.push_back({QStringLiteral("import"),
                             QStringLiteral("saves accounts from JSON objects keyed by column (AcName, GrpNo, Add1-3, City, Phone, TinNo, "
                                            "CSTNo, IsOgs, CrDays, IntRate, ...; LedgerId names an account to change) with "
                                            "OpAmount, OpType D|C and OpDate for the opening balance"),
                             kImportUsage, [](const Arguments& a) {
                                 return importAll(a, QStringLiteral("account"), [](Work& w, const QVariantMap& v) { return importAccount(w, v); });
                             }});
    account.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's accounts by name with code, group and opening balance"),
                             QStringLiteral("[--prefix TEXT] [--year END] [--firm N]"), listAccounts});
    registry.add(std::move(account));

    Noun book{QStringLiteral("book"), QStringLiteral("sales, purchase, cash and bank books of a firm"), {}};
    book.verbs.push_back({QStringLiteral("import"),
                          QStringLiteral("saves books from JSON objects keyed by column (BookNO to change a book, BookType S|P|A|C|B, "
                                         "BookShortName, SaleId, PurAccId, SalesName, PurNAme, BillType, Is_Auto_Ac, A1-A4, ...); "
                                         "accounts by Id, A/c No or name"),
                          kImportUsage, [](const Arguments& a) {
                              return importAll(a, QStringLiteral("book"), [](Work& w, const QVariantMap& v) { return importBook(w, v); });
                          }});
    book.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's books by number"), QStringLiteral("[--year END] [--firm N]"),
                          listBooks});
    registry.add(std::move(book));
}

}  // namespace tanabana::cli
