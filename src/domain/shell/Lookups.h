#pragma once
// The small look-ups every screen leans on: the next key of a table, a firm's name, a book's
// name and accounts, the book short name of a sales bill, a challan by its number, the paid note
// printed on a bill, a party's sales total, the group list of accounts, a process by name and the
// names printed on each copy of a document. A look-up that finds nothing gives 0 or empty text;
// every one of them keeps to the given firm where its table has a firm column.
#include "core/Decimal.h"
#include "db/Database.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tanabana::shell {

// Largest `column` above 0 plus one (1 on an empty table); call inside the saving transaction.
qint64 nextId(db::Database& db, const QString& table, const QString& column = QStringLiteral("Id"));
// The next serial of a firm's documents of one form (job-work issue slips: BillSrno per FormId).
qint64 nextSerialOfForm(db::Database& db, const QString& table, qint64 firmNo, int formId,
                        const QString& column = QStringLiteral("BillSrno"));
// Next Mst_Process.Pro_Id.
qint64 nextProcessId(db::Database& db);

QString firmNameOf(db::Database& db, qint64 firmNo);
int firmCount(db::Database& db);

// The book's sales name for book type "S", its purchase name otherwise.
QString bookName(db::Database& db, qint64 firmNo, qint64 bookNo, const QString& bookType);
qint64 bookPurchaseAccountId(db::Database& db, qint64 firmNo, qint64 bookNo);
qint64 bookSalesAccountId(db::Database& db, qint64 firmNo, qint64 bookNo);
QString salesBillBookShortName(db::Database& db, qint64 firmNo, qint64 salesBillId);
qint64 challanIdByNumber(db::Database& db, qint64 firmNo, qint64 bookNo, const QString& challanNo);
// " Paid Amount : 1500.00 01-05-2024" for a sales bill with a payment; empty otherwise.
QString paidNote(db::Database& db, qint64 salesBillId);
// Sum of the party's sales bills (form 3, not opening bills) of the firm.
Decimal partySalesTotal(db::Database& db, qint64 firmNo, qint64 partyId);
// Names of the firm's account groups with that group number.
QStringList groupNames(db::Database& db, qint64 firmNo, int groupNo);

struct Process {
    qint64 id = 0;
    QString name;
    qint64 firmNo = 0;
    QString type;
    bool active = false;
};
std::optional<Process> processByName(db::Database& db, qint64 firmNo, const QString& name, const QString& type);
// The names printed on the copies of a document type ("Original", "Duplicate", ...), in order.
QStringList printCopyNames(db::Database& db, int formId);

}  // namespace tanabana::shell
