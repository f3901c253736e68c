#pragma once
// The look-ups document screens offer, as typed rows: the parties a document may name, the
// qualities that can be sold, and the books of a kind. Which account groups are sales parties
// (sundry debtors 35, banks 36, 38 and 39), purchase parties (suppliers 76, job workers 77,
// 79 and 80), the loom firm's trading parties of a stock voucher (35, 38 and the purchase
// parties) or sellers of services to an expense bill (any group but the trading, stock, party,
// cash, bank and tax groups) is written here and nowhere else.
#include "core/Decimal.h"
#include "db/Database.h"

#include <QString>
#include <optional>
#include <vector>

namespace tanabana::documents {

enum class PartyRange { Sales, Purchase, Expense, AnyAccount, Trading };

// The account groups of a range (empty for any account and for a range given by exclusion).
const std::vector<int>& partyGroups(PartyRange range);
// The account groups a range leaves out (empty for a range given by its groups).
const std::vector<int>& excludedGroups(PartyRange range);
// The SQL condition on `groupColumn` that keeps a range's accounts ("GrpNo IN (76, 77, 79, 80)");
// empty for any account.
QString groupCondition(PartyRange range, const QString& groupColumn = QStringLiteral("GrpNo"));

struct PartyChoice {
    qint64 id = 0;
    QString name, city, ledgerId, gstin, state;
    int groupNo = 0;
};

// Non-group accounts of the range whose name or ledger code starts with `prefix`, by name.
// Inactive accounts are left out unless `withInactive`.
std::vector<PartyChoice> findParties(db::Database& db, qint64 firmNo, PartyRange range, const QString& prefix, int limit = 30,
                                     bool withInactive = false);

// Job workers (accounts whose zone is "J", any group) whose name or ledger code starts with
// `prefix`, by name: the parties of production challans.
std::vector<PartyChoice> findJobWorkers(db::Database& db, qint64 firmNo, const QString& prefix);

// One account of the firm by its key (any group), for showing a saved document's party.
std::optional<PartyChoice> partyById(db::Database& db, qint64 firmNo, qint64 accountId);

// Every account row of the firm (groups too), by key.
std::vector<PartyChoice> allAccounts(db::Database& db, qint64 firmNo);

struct QualityChoice {
    qint64 id = 0;
    QString name, code, designNo, colour, qualityType;
    Decimal rate;                         // RAteR
    QString rateOn = QStringLiteral("M"); // "P" for items sold by the piece
    Decimal sgstPercent, cgstPercent;     // Vat, AddTax
    QString hsn, unit;
    Decimal cut;                          // Pack: metres of one piece
};

// Active finished qualities that are not new products, by name, code or design number prefix.
std::vector<QualityChoice> sellableQualities(db::Database& db, qint64 firmNo, const QString& prefix, int limit = 30);

// Design numbers of the sellable qualities starting with `prefix`, with their count of colours
// and the key of their first quality.
struct DesignChoice {
    QString designNo;
    int colours = 0;
    qint64 firstId = 0;
};
std::vector<DesignChoice> sellableDesigns(db::Database& db, qint64 firmNo, const QString& prefix, int limit = 30);

enum class BookKind { Sales, Purchase };

struct BookChoice {
    qint64 bookNo = 0;
    QString name;      // SalesName or PurName
    QString prefix;    // BookShortName, printed before the bill number
    QString billType;  // Retail, Export, SEZ
};

// The firm's books of the kind (type S or P, and A for both), by number.
std::vector<BookChoice> booksOfKind(db::Database& db, qint64 firmNo, BookKind kind);

}  // namespace tanabana::documents
