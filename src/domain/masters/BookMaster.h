#pragma once
// Books: the numbered series of a firm's documents. A sales or purchase book gives its bills
// their prefix ("GST/" + 12) and the accounts they post to (sales or purchase account, GST,
// reverse charge, TDS, TCS, other charges); a cash or bank book names its cash or bank account.
// The firm's cash book is book 36.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/masters/Record.h"

#include <optional>

namespace tanabana::masters {

// The two windows that keep books: sales/purchase ("S", "P", "A") and cash/bank ("C", "B").
enum class BookKind { SalesPurchase, CashBank };

class BookMaster {
public:
    BookMaster(db::Database& db, Session& session, Messages& messages, BookKind kind)
        : db_(db), session_(session), messages_(messages), kind_(kind) {}

    // Saves the book (BookNO 0 or absent: the next number of the whole table). Account columns
    // hold account Ids of the firm. Returns the book number, or 0 when refused.
    qint64 save(Record book);
    // Deletes a book no bill or challan of the firm uses, after the operator confirms.
    bool remove(qint64 bookNo);
    std::optional<Record> load(qint64 bookNo);
    // The firm's books of this window's types, by number.
    db::Rows list();
    // Accounts a book field may take: the firm's accounts (no groups), bank books only group 36,
    // the GST and other-charge lists without the party, sales, stock and capital groups.
    enum class AccountList { Any, Bank, TaxAndCharges };
    db::Rows accountChoices(AccountList list, const QString& startsWith = {});

private:
    bool accountOfFirm(qint64 id, int onlyGroup = 0);
    db::Database& db_;
    Session& session_;
    Messages& messages_;
    BookKind kind_;
};

// The columns of a book that hold account Ids.
const QStringList& bookTaxAccountColumns();
// Every column of a book that holds an account: sales, purchase, the tax and charge slots, TDS, TCS.
const QStringList& bookAccountColumns();

}  // namespace tanabana::masters
