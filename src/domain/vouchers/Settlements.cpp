#include "domain/vouchers/Settlements.h"

#include "domain/schema/YearSchema.h"

#include <map>
#include <set>

namespace tanabana::vouchers {

namespace {

// Where each book's bills live and what their rows call things.
struct BillTable {
    QString table, bookColumn, bookName, letter;
    int returnForm = 0;
    QString lock;  // the lock the bill service's save holds
};

const BillTable& tableOf(BillBook book) {
    static const BillTable sales{
        QStringLiteral("SalBillMst"),       QStringLiteral("BookNO"), QStringLiteral("SalesName"), QStringLiteral("S"), 4,
        QStringLiteral("SalBillMst.BillNO")};
    static const BillTable purchase{
        QStringLiteral("BillMst"),   QStringLiteral("BookId"), QStringLiteral("PurNAme"), QStringLiteral("P"), 2,
        QStringLiteral("BillMst.Id")};
    return book == BillBook::Sales ? sales : purchase;
}


QString amountText(Decimal d) { return d.roundHalfEven(2).toString(2); }

// The bill as a settlement reads it, under the lock.
struct BillState {
    qint64 id = 0, partyId = 0, firmNo = 0, bookNo = 0;
    int formId = 0;
    bool closed = false;
    Decimal amount, tds, paid;
    double storedPaid = 0;  // as stored, for the conditional write
    QString billNo, invoiceType;
    QDate date;
    Decimal unpaid() const { return amount - tds - paid; }
};

std::optional<BillState> readBill(db::Database& db, const BillTable& t, qint64 id) {
    const auto r =
        db.queryOne(QStringLiteral("SELECT Id, PartyID, FirmNO, %1 AS BookNo, FormId, IsEnd, BillAmount, TDSRs, PaidAmt, BillNO, "
                                   "BillDate, InvType FROM %2 WHERE Id = ?")
                        .arg(t.bookColumn, t.table),
                    {id});
    if (!r) return std::nullopt;
    BillState b;
    b.id = id;
    b.partyId = r->integer(QStringLiteral("PartyID"));
    b.firmNo = r->integer(QStringLiteral("FirmNO"));
    b.bookNo = r->integer(QStringLiteral("BookNo"));
    b.formId = int(r->number(QStringLiteral("FormId")));
    b.closed = r->flag(QStringLiteral("IsEnd"));
    b.amount = Decimal::amount(r->value(QStringLiteral("BillAmount")));
    b.tds = Decimal::amount(r->value(QStringLiteral("TDSRs")));
    b.storedPaid = r->number(QStringLiteral("PaidAmt"));
    b.paid = Decimal::amount(r->value(QStringLiteral("PaidAmt")));
    b.billNo = r->text(QStringLiteral("BillNO")).trimmed();
    b.invoiceType = r->text(QStringLiteral("InvType"));
    b.date = r->date(QStringLiteral("BillDate"));
    return b;
}

// The bill after a change of its paid amount: the invariant, the last settlement and the marks.
void writeBill(db::Database& db, const BillTable& t, const BillState& b, Decimal newPaid, const QVariant& paidDate,
               qint64 voucherNo, bool closed, bool waitingJournal) {
    const int changed =
        db.exec(QStringLiteral("UPDATE %1 SET PaidAmt = ?, UnPaidAmt = ?, PaidDt = ?, VouNO = ?, IsEnd = ?, IsJV = ?, "
                               "Is_Upload = 0 WHERE Id = ? AND PaidAmt = ?")
                    .arg(t.table),
                {newPaid.toDouble(), (b.amount - b.tds - newPaid).toDouble(), paidDate, voucherNo, closed ? 1 : 0,
                 waitingJournal ? 1 : 0, b.id, b.storedPaid});
    if (changed != 1)
        throw Refusal{QStringLiteral("Bill Changed"),
                      QStringLiteral("Bill %1 was changed at another station meanwhile.").arg(b.billNo) + QLatin1Char('\n') +
                          QStringLiteral(" Please open the entry again.")};
}

QString fit(const QString& column, const QString& text) {
    return schema::yearColumnWidths().fit(QStringLiteral("Acc_OutSt"), column, text);
}

}  // namespace

QString bookLetter(BillBook book) { return tableOf(book).letter; }

namespace {

std::vector<OpenBill> billsWhere(db::Database& db, BillBook book, const QString& condition, const QVariantList& params) {
    const BillTable& t = tableOf(book);
    // The firm's few books once, rather than joined to every one of thousands of bills.
    std::map<qint64, std::pair<QString, QString>> books;
    db.forEach(QStringLiteral("SELECT BookNO, %1 AS BookName, BookShortName FROM BookMst WHERE FirmNO = ?").arg(t.bookName),
               {params.value(0)}, [&](const db::Row& r) {
                   books[r.integer(QStringLiteral("BookNO"))] = {r.text(QStringLiteral("BookName")).trimmed(),
                                                                 r.text(QStringLiteral("BookShortName")).trimmed()};
               });
    std::vector<OpenBill> bills;
    db.forEach(
        QStringLiteral("SELECT m.Id, m.%1 AS BookNo, m.InvType, m.BillNO, m.BillDate, m.PDueDate, m.BillAmount, m.TDSRs, m.PaidAmt, "
                       "m.UnPaidAmt, m.IsOp FROM %2 m WHERE m.FirmNO = ? AND m.PartyID = ? AND m.FormId <> ? AND %3 "
                       "ORDER BY m.BillDate, m.Id")
            .arg(t.bookColumn, t.table, condition),
        params, [&](const db::Row& r) {
            OpenBill b;
            b.id = r.integer(QStringLiteral("Id"));
            b.book = book;
            if (const auto it = books.find(r.integer(QStringLiteral("BookNo"))); it != books.end()) {
                b.bookName = it->second.first;
                b.bookPrefix = it->second.second;
            }
            b.type = r.text(QStringLiteral("InvType"));
            b.billNo = r.text(QStringLiteral("BillNO")).trimmed();
            b.date = r.date(QStringLiteral("BillDate"));
            b.dueDate = r.date(QStringLiteral("PDueDate"));
            b.tds = Decimal::amount(r.value(QStringLiteral("TDSRs")));
            const Decimal amount = Decimal::amount(r.value(QStringLiteral("BillAmount")));
            b.billAmount = book == BillBook::Purchase ? amount - b.tds : amount;
            b.unpaid = Decimal::amount(r.value(QStringLiteral("UnPaidAmt")));
            b.paid = Decimal::amount(r.value(QStringLiteral("PaidAmt"))) + b.tds;
            b.opening = r.integer(QStringLiteral("IsOp")) == -1;
            bills.push_back(b);
        });
    return bills;
}

}  // namespace

std::vector<OpenBill> openBills(db::Database& db, qint64 firmNo, BillBook book, qint64 partyId) {
    return billsWhere(db, book, QStringLiteral("m.IsEnd = 0"), {firmNo, partyId, tableOf(book).returnForm});
}

std::vector<OpenBill> openBillsFor(db::Database& db, BillBook book, const SettlingEntry& e) {
    const BillTable& t = tableOf(book);
    if (e.voucherNo <= 0 || e.serial <= 0) return openBills(db, e.firmNo, book, e.partyId);
    std::vector<OpenBill> bills = billsWhere(
        db, book,
        QStringLiteral("(m.IsEnd = 0 OR m.Id IN (SELECT BillId FROM Acc_OutSt WHERE Fno = ? AND TableCode = ? AND VouNo = ? "
                       "AND VouSrno = ? AND IsRet = 0 AND Book = ?))"),
        {e.firmNo, e.partyId, t.returnForm, e.firmNo, e.tableCode, e.voucherNo, e.serial, t.letter});
    for (const Settlement& s : settlementsOf(db, e.firmNo, e.tableCode, e.voucherNo, e.serial))
        for (OpenBill& b : bills)
            if (b.id == s.billId) {
                b.unpaid += s.payment;
                b.paid -= s.payment;
            }
    return bills;
}

std::vector<Settlement> settlementsOf(db::Database& db, qint64 firmNo, int tableCode, qint64 voucherNo, int serial) {
    std::vector<Settlement> rows;
    db.forEach(
        QStringLiteral(
            "SELECT ID, BillId, Paid_Amt, Minus_Amt, Plus_Amt, IsEnd, IsJV, IsJVEnd, BNo, IType, BillDt, BillAmt "
            "FROM Acc_OutSt WHERE Fno = ? AND TableCode = ? AND VouNo = ? AND VouSrno = ? AND IsRet = 0 ORDER BY Srno, ID"),
        {firmNo, tableCode, voucherNo, serial}, [&](const db::Row& r) {
            Settlement s;
            s.rowId = r.integer(QStringLiteral("ID"));
            s.billId = r.integer(QStringLiteral("BillId"));
            s.payment = Decimal::amount(r.value(QStringLiteral("Paid_Amt")));
            s.less = Decimal::amount(r.value(QStringLiteral("Minus_Amt")));
            s.add = Decimal::amount(r.value(QStringLiteral("Plus_Amt")));
            s.fullyReceived = r.flag(QStringLiteral("IsEnd"));
            s.waitingJournal = r.flag(QStringLiteral("IsJV"));
            s.journalDone = r.flag(QStringLiteral("IsJVEnd"));
            s.billNo = r.text(QStringLiteral("BNo")).trimmed();
            s.invoiceType = r.text(QStringLiteral("IType"));
            s.billDate = r.date(QStringLiteral("BillDt"));
            s.billAmount = Decimal::amount(r.value(QStringLiteral("BillAmt")));
            rows.push_back(s);
        });
    return rows;
}

bool hasSettlements(db::Database& db, qint64 firmNo, int tableCode, qint64 voucherNo, int serial) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM Acc_OutSt WHERE Fno = ? AND TableCode = ? AND VouNo = ? AND VouSrno = "
                                    "? AND IsRet = 0"),
                     {firmNo, tableCode, voucherNo, serial})
               .toLongLong() > 0;
}

QString billsLock(BillBook book) { return tableOf(book).lock; }

void lockBills(db::Database& db, BillBook book) { db.lockSeries(billsLock(book)); }

void takeBack(db::Database& db, BillBook book, const SettlingEntry& e) {
    const BillTable& t = tableOf(book);
    const db::Rows rows =
        db.query(QStringLiteral("SELECT ID, BillId, Paid_Amt, IsJVEnd, BNo FROM Acc_OutSt WHERE Fno = ? AND TableCode = ? AND "
                                "VouNo = ? AND VouSrno = ? AND IsRet = ? AND Book = ? ORDER BY ID"),
                 {e.firmNo, e.tableCode, e.voucherNo, e.serial, e.byReturn ? 1 : 0, t.letter});
    for (const db::Row& r : rows)
        if (r.flag(QStringLiteral("IsJVEnd")))
            throw Refusal{QStringLiteral("No Delete"), QStringLiteral("Less/Add Amount of Bill No %1 is passed in Journal Entry.")
                                                               .arg(r.text(QStringLiteral("BNo")).trimmed()) +
                                                           QLatin1Char('\n') +
                                                           QStringLiteral(" First Delete That Journal Entry !")};
    for (const db::Row& r : rows) {
        db.exec(QStringLiteral("DELETE FROM Acc_OutSt WHERE ID = ?"), {r.value(QStringLiteral("ID"))});
        const auto bill = readBill(db, t, r.integer(QStringLiteral("BillId")));
        if (!bill) continue;  // the bill went with an earlier year's clean-up; nothing to give back
        const Decimal newPaid = bill->paid - Decimal::amount(r.value(QStringLiteral("Paid_Amt")));
        // The last settlement left on the bill names its date and voucher.
        const auto last = db.queryOne(
            QStringLiteral("SELECT VDate, VouNo FROM Acc_OutSt WHERE BillId = ? AND Book = ? AND VouNo > 0 "
                           "ORDER BY VDate DESC, ID DESC"),
            {bill->id, t.letter});
        const QVariant paidDate =
            last && !newPaid.isZero() ? last->value(QStringLiteral("VDate")) : QVariant(QMetaType::fromType<QDate>());
        writeBill(db, t, *bill, newPaid, paidDate, last ? last->integer(QStringLiteral("VouNo")) : 0, false, false);
    }
}

QString apply(db::Database& db, BillBook book, const SettlingEntry& e, Decimal entryAmount,
              const std::vector<Settlement>& settlements) {
    const BillTable& t = tableOf(book);
    Decimal allocated;
    std::set<qint64> seen;
    QStringList numbers;
    int srno = 0;
    for (const Settlement& s : settlements) {
        const QString named = s.billNo.isEmpty() ? QString::number(s.billId) : s.billNo;
        if (s.payment.isNegative() || s.less.isNegative() || s.add.isNegative())
            throw Refusal{QStringLiteral("System Validation"),
                          QStringLiteral("Amounts of Bill No %1 must not be negative.").arg(named)};
        if (s.payment.isZero() && s.less.isZero() && s.add.isZero() && !s.fullyReceived)
            throw Refusal{QStringLiteral("No Save"),
                          QStringLiteral("Please Enter Amount") + QLatin1Char('\n') + QStringLiteral(" Bill No : ") + named};
        const auto bill = readBill(db, t, s.billId);
        if (!bill || bill->firmNo != e.firmNo || bill->partyId != e.partyId || bill->formId == t.returnForm || bill->closed)
            throw Refusal{QStringLiteral("Bill Not Found"),
                          QStringLiteral("Bill No %1 is not an open bill of this party.").arg(named)};
        if (!seen.insert(s.billId).second)
            throw Refusal{QStringLiteral("Data Duplication"),
                          QStringLiteral("Bill No %1 is given twice in this entry.").arg(bill->billNo)};
        const Decimal payment = s.payment.roundHalfEven(2), less = s.less.roundHalfEven(2), add = s.add.roundHalfEven(2);
        const Decimal remaining = entryAmount - allocated;
        if (payment > remaining)
            throw Refusal{QStringLiteral("No Balance Remain"), QStringLiteral("Not Such Amount!") + QLatin1Char('\n') +
                                                                   QStringLiteral(" Bill Diff. :") +
                                                                   amountText(payment - remaining)};
        if (payment - add > bill->unpaid())
            throw Refusal{QStringLiteral("Bill Amount Over"),
                          QStringLiteral("Payment is more than the unpaid amount of Bill No %1!").arg(bill->billNo) +
                              QLatin1Char('\n') + QStringLiteral(" Unpaid :") + amountText(bill->unpaid())};
        allocated += payment;
        const Decimal newPaid = bill->paid + payment;
        // A bill paid to the last paisa is closed even when "Fully Received" was not said.
        const bool closes = s.fullyReceived || bill->amount - bill->tds - newPaid <= Decimal();
        const bool waiting = closes && (!less.isZero() || !add.isZero());
        writeBill(db, t, *bill, newPaid, QVariant(e.date), e.voucherNo, closes, waiting);
        const qint64 rowId = db.nextKey(QStringLiteral("Acc_OutSt"), QStringLiteral("ID"));
        db.exec(
            QStringLiteral(
                "INSERT INTO Acc_OutSt (ID, Srno, VouNo, TableCode, VouSrno, BillId, Paid_Amt, Minus_Amt, Plus_Amt, IsEnd, Book, "
                "IsJV, IsJVEnd, Fno, VDate, AcId, BookName, IType, BNo, BillDt, BillAmt, IsRet, TrnDt) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {rowId,
             ++srno,
             e.voucherNo,
             e.tableCode,
             e.serial,
             bill->id,
             payment.toDouble(),
             less.toDouble(),
             add.toDouble(),
             closes ? 1 : 0,
             t.letter,
             waiting ? 1 : 0,
             e.firmNo,
             QVariant(e.date),
             bill->partyId,
             bill->bookNo,
             fit(QStringLiteral("IType"), bill->invoiceType),
             fit(QStringLiteral("BNo"), bill->billNo),
             QVariant(bill->date),
             bill->amount.toDouble(),
             e.byReturn ? 1 : 0,
             QVariant(e.date)});
        numbers << bill->billNo;
    }
    return numbers.join(QStringLiteral(", "));
}

}  // namespace tanabana::vouchers
