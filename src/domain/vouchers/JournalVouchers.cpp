#include "domain/vouchers/JournalVouchers.h"

#include "db/DbError.h"
#include "db/LockOrder.h"
#include "domain/documents/Guard.h"
#include "domain/ledger/Journal.h"
#include "domain/vouchers/Saving.h"

#include <algorithm>
#include <map>
#include <set>

namespace tanabana::vouchers {

namespace {

constexpr int kJournal = 9;
constexpr int kBankGroup = 36;


QString code(qint64 voucherNo) { return QStringLiteral("(JEV-") + QString::number(voucherNo) + QLatin1Char(')'); }

QString nameOf(db::Database& db, qint64 accId) {
    return db.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {accId}).toString().trimmed();
}

// The two lines of one entry: the credit line first, as the screens post them.
void addPair(ledger::JournalDocument& doc, const JournalEntry& e, int serial, const QString& creditDesc,
             const QString& debitDesc) {
    doc.lines.push_back(
        {e.creditAccId, QLatin1Char('C'), e.amount, creditDesc, e.creditNarration, serial, e.debitAccId, QStringLiteral("N")});
    doc.lines.push_back(
        {e.debitAccId, QLatin1Char('D'), e.amount, debitDesc, e.debitNarration, serial, e.creditAccId, QStringLiteral("N")});
}

}  // namespace

Decimal JournalVoucher::total() const {
    Decimal sum;
    for (const JournalEntry& e : entries) sum += e.amount;
    return sum;
}

QChar WaitingDifference::partySide() const {
    const bool lessWins = less >= add;
    const bool sales = book == BillBook::Sales;
    return (sales == lessWins) ? QLatin1Char('C') : QLatin1Char('D');
}

JournalVouchers::JournalVouchers(db::Database& db, const Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

qint64 JournalVouchers::proposedVoucherNo() {
    const QVariant max = db_.scalar(QStringLiteral("SELECT MAX(VoucherNo) FROM HeadDtl3 WHERE TableCode = ? AND FirmNo = ?"),
                                    {kJournal, session_.firmNo});
    return (max.isNull() ? 0 : max.toLongLong()) + 1;
}

std::optional<JournalVoucher> JournalVouchers::load(qint64 voucherNo) {
    JournalVoucher v;
    v.voucherNo = voucherNo;
    std::map<int, JournalEntry> bySerial;
    db_.forEach(
        QStringLiteral(
            "SELECT h.SubSrno, h.Type, h.AccId, h.CrAmt, h.DrAmt, h.Narr, h.Receiptno, h.%1 AS Descr, h.TransDate, a.AcName "
            "FROM HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId WHERE h.FirmNo = ? AND h.TableCode = ? AND h.VoucherNo = ? "
            "ORDER BY h.SubSrno, h.Type DESC")
            .arg(db_.dialect().quote(QStringLiteral("Desc"))),
        {session_.firmNo, kJournal, voucherNo}, [&](const db::Row& r) {
            JournalEntry& e = bySerial[int(r.number(QStringLiteral("SubSrno")))];
            e.serial = int(r.number(QStringLiteral("SubSrno")));
            e.referenceNo = r.text(QStringLiteral("Receiptno"));
            if (!v.date.isValid()) v.date = r.date(QStringLiteral("TransDate"));
            if (r.text(QStringLiteral("Type")) == QLatin1String("C")) {
                e.creditAccId = r.integer(QStringLiteral("AccId"));
                e.amount = Decimal::amount(r.value(QStringLiteral("CrAmt")));
                e.creditNarration = r.text(QStringLiteral("Narr"));
                e.creditName = r.text(QStringLiteral("AcName")).trimmed();
                e.creditDescription = r.text(QStringLiteral("Descr"));
            } else {
                e.debitAccId = r.integer(QStringLiteral("AccId"));
                if (e.amount.isZero()) e.amount = Decimal::amount(r.value(QStringLiteral("DrAmt")));
                e.debitNarration = r.text(QStringLiteral("Narr"));
                e.debitName = r.text(QStringLiteral("AcName")).trimmed();
                e.debitDescription = r.text(QStringLiteral("Descr"));
            }
        });
    if (bySerial.empty()) return std::nullopt;
    for (auto& [serial, e] : bySerial) v.entries.push_back(e);
    return v;
}

std::vector<JournalAccount> JournalVouchers::accounts(const QString& prefix, int limit) {
    const db::Dialect& d = db_.dialect();
    const QString like = prefix.trimmed() + QLatin1Char('%');
    std::vector<JournalAccount> out;
    db_.forEach(
        QStringLiteral(
            "SELECT Id, LedgerId, AcName, GrpNo FROM AccMst WHERE FirmNo = ? AND IsGrp = 0 AND Active = 1 AND GrpNo <> ? AND (") +
            d.likeInsensitive(QStringLiteral("AcName")) + QStringLiteral(" OR ") + d.likeInsensitive(QStringLiteral("LedgerId")) +
            QStringLiteral(") ORDER BY AcName") + d.limit(limit),
        {session_.firmNo, kBankGroup, like, like}, [&](const db::Row& r) {
            out.push_back({r.integer(QStringLiteral("Id")), r.text(QStringLiteral("LedgerId")).trimmed(),
                           r.text(QStringLiteral("AcName")).trimmed(), int(r.integer(QStringLiteral("GrpNo")))});
        });
    return out;
}

bool JournalVouchers::refuseDate(const QDate& date) {
    if (date.isValid() && session_.inYear(date)) return false;
    messages_.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
    return true;
}

bool JournalVouchers::refuseAccounts(qint64 creditAccId, qint64 debitAccId) {
    for (const qint64 id : {creditAccId, debitAccId}) {
        const auto a =
            id > 0 ? db_.queryOne(QStringLiteral("SELECT FirmNo, IsGrp, GrpNo FROM AccMst WHERE Id = ?"), {id}) : std::nullopt;
        if (!a || a->integer(QStringLiteral("FirmNo")) != session_.firmNo || a->integer(QStringLiteral("IsGrp")) != 0) {
            messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select A/c Name"));
            return true;
        }
        if (a->integer(QStringLiteral("GrpNo")) == kBankGroup) {
            messages_.critical(QStringLiteral("System Validation"),
                               QStringLiteral("%1 is a bank account: enter it through a bank voucher.").arg(nameOf(db_, id)));
            return true;
        }
    }
    if (creditAccId == debitAccId) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("The debit and credit accounts are the same."));
        return true;
    }
    return false;
}

bool JournalVouchers::refuseProtected(qint64 voucherNo, int serial, bool deleting) {
    if (voucherNo <= 0) return false;
    const qint64 journalNo = ledger::Journal(db_, session_).journalOf(kJournal, voucherNo);
    if (journalNo > 0) {
        const auto bill = db_.queryOne(
            QStringLiteral("SELECT BillNO FROM BillMst WHERE FirmNO = ? AND RCM_JVNO = ?"), {session_.firmNo, journalNo});
        if (bill) {
            messages_.critical(QStringLiteral("Reverse Charge Entry"),
                               QStringLiteral("Journal Voucher %1 is the reverse charge entry of Purchase Bill No %2.")
                                       .arg(voucherNo)
                                       .arg(bill->text(QStringLiteral("BillNO")).trimmed()) +
                                   QLatin1Char('\n') + QStringLiteral(" It changes only with that bill."));
            return true;
        }
    }
    if (deleting || serial < 0) return false;
    QString sql = QStringLiteral("SELECT BNo FROM Acc_OutSt WHERE Fno = ? AND JV_VouNo = ? AND IsJVEnd <> 0");
    QVariantList params{session_.firmNo, voucherNo};
    if (serial > 0) {
        sql += QStringLiteral(" AND JV_SrNo = ?");
        params << serial;
    }
    if (const auto passed = db_.queryOne(sql + QStringLiteral(" ORDER BY JV_SrNo"), params)) {
        messages_.critical(QStringLiteral("Bill Base Entry"),
                           QStringLiteral("This entry passes the Less/Add Amount of Bill No %1.")
                                   .arg(passed->text(QStringLiteral("BNo")).trimmed()) +
                               QLatin1Char('\n') + QStringLiteral(" Delete it and pass it again from Bill Base."));
        return true;
    }
    return false;
}

void JournalVouchers::reopenDifferences(qint64 voucherNo, int serial) {
    QString where = QStringLiteral("Fno = ? AND JV_VouNo = ? AND IsJVEnd <> 0");
    QVariantList params{session_.firmNo, voucherNo};
    if (serial > 0) {
        where += QStringLiteral(" AND JV_SrNo = ?");
        params << serial;
    }
    const db::Rows passed = db_.query(QStringLiteral("SELECT ID, Book, BillId FROM Acc_OutSt WHERE ") + where, params);
    // Bills and their settlements are written under the bills' lock (first in the transaction).
    if (!passed.empty()) db::lockInOrder(db_, {billsLock(BillBook::Purchase), billsLock(BillBook::Sales)});
    for (const db::Row& r : passed) {
        const QString bills = r.text(QStringLiteral("Book")) == QLatin1String("P") ? QStringLiteral("BillMst") : QStringLiteral("SalBillMst");
        // The bill waits for its journal entry again while its settlement still closes it.
        db_.exec(QStringLiteral("UPDATE %1 SET IsJV = 1, Is_Upload = 0 WHERE Id = ? AND IsEnd <> 0").arg(bills),
                 {r.value(QStringLiteral("BillId"))});
        db_.exec(QStringLiteral("UPDATE Acc_OutSt SET IsJVEnd = 0, JV_VouNo = 0, JV_SrNo = 0 WHERE ID = ?"),
                 {r.value(QStringLiteral("ID"))});
    }
}

bool JournalVouchers::saveWhole(JournalVoucher& v) {
    if (documents::refuseSave(session_, messages_, v.voucherNo)) return false;
    if (refuseDate(v.date)) return false;
    if (refuseProtected(v.voucherNo, 0, false)) return false;
    std::vector<const JournalEntry*> posted;
    for (const JournalEntry& e : v.entries) {
        if (e.amount.isNegative()) {
            messages_.critical(QStringLiteral("System Validation"), QStringLiteral("An amount must not be negative."));
            return false;
        }
        if (e.amount.isZero()) continue;  // an empty grid row
        if (refuseAccounts(e.creditAccId, e.debitAccId)) return false;
        posted.push_back(&e);
    }
    if (posted.empty()) {
        messages_.critical(QStringLiteral("No Save"), QStringLiteral("Please Enter Amount"));
        return false;
    }
    // Each line's description names the accounts of the other side, all of them when there are several.
    QStringList creditNames, debitNames;
    std::set<qint64> credits, debits;
    for (const JournalEntry* e : posted) {
        if (credits.insert(e->creditAccId).second) creditNames << nameOf(db_, e->creditAccId);
        if (debits.insert(e->debitAccId).second) debitNames << nameOf(db_, e->debitAccId);
    }
    const qint64 previousNo = v.voucherNo;
    const bool ok = saveInTransaction(db_, messages_, [&] {
        ledger::Journal journal(db_, session_);
        if (v.voucherNo <= 0) v.voucherNo = journal.nextVoucherNo(kJournal);
        ledger::JournalDocument doc;
        doc.tableCode = kJournal;
        doc.voucherNo = v.voucherNo;
        doc.date = v.date;
        int serial = 0;
        for (const JournalEntry* e : posted) {
            ++serial;
            addPair(doc, *e, serial,
                    debitNames.join(QLatin1Char(',')) + QStringLiteral(" #") + code(v.voucherNo) + QLatin1Char(' '),
                    creditNames.join(QLatin1Char(',')) + QStringLiteral(" #") + code(v.voucherNo));
        }
        doc.printedNo = posted.front()->referenceNo;
        journal.post(doc, ledger::Replace::WholeJournal);
        // A reference typed per entry stays with its entry.
        const qint64 journalNo = journal.journalOf(kJournal, v.voucherNo);
        serial = 0;
        for (const JournalEntry* e : posted)
            db_.exec(QStringLiteral("UPDATE HeadDtl3 SET Receiptno = ? WHERE JournalNo = ? AND SubSrno = ?"),
                     {e->referenceNo.trimmed().left(50), journalNo, ++serial});
    });
    if (!ok) {
        v.voucherNo = previousNo;
        return false;
    }
    if (const auto saved = load(v.voucherNo)) v.entries = saved->entries;
    return true;
}

bool JournalVouchers::saveEntry(JournalVoucher& v, JournalEntry& e) {
    if (documents::refuseSave(session_, messages_, e.serial)) return false;
    if (refuseDate(v.date)) return false;
    if (e.amount <= Decimal()) {
        messages_.critical(QStringLiteral("No Save"), QStringLiteral("Please Enter Amount"));
        return false;
    }
    if (refuseAccounts(e.creditAccId, e.debitAccId)) return false;
    // A new entry may join a voucher of bill differences; none may join a reverse-charge voucher.
    if (refuseProtected(v.voucherNo, e.serial > 0 ? e.serial : -1, false)) return false;
    if (e.referenceNo.trimmed().size() > 50) {
        messages_.critical(QStringLiteral("Text Too Long"),
                           QStringLiteral("Ref. No is longer than 50 characters. Please shorten it."));
        return false;
    }
    const qint64 previousNo = v.voucherNo;
    const int previousSerial = e.serial;
    const QString creditName = nameOf(db_, e.creditAccId), debitName = nameOf(db_, e.debitAccId);
    const bool ok = saveInTransaction(db_, messages_, [&] {
        ledger::Journal journal(db_, session_);
        if (v.voucherNo <= 0) v.voucherNo = journal.nextVoucherNo(kJournal);
        if (e.serial > 0) {
            if (db_.scalar(
                       QStringLiteral(
                           "SELECT count(*) FROM HeadDtl3 WHERE FirmNo = ? AND TableCode = ? AND VoucherNo = ? AND SubSrno = ?"),
                       {session_.firmNo, kJournal, v.voucherNo, e.serial})
                    .toInt() == 0)
                throw Refusal{QStringLiteral("System Validation"),
                              QStringLiteral("This entry is not found; it may have been deleted.")};
        } else {
            e.serial = int(db_.nextKey(QStringLiteral("HeadDtl3"), QStringLiteral("SubSrno"),
                                       QStringLiteral("FirmNo = ? AND TableCode = ? AND VoucherNo = ?"),
                                       {session_.firmNo, kJournal, v.voucherNo}));
        }
        ledger::JournalDocument doc;
        doc.tableCode = kJournal;
        doc.voucherNo = v.voucherNo;
        doc.date = v.date;
        doc.printedNo = e.referenceNo;
        addPair(doc, e, e.serial, debitName + QStringLiteral(" #") + code(v.voucherNo) + QLatin1Char(' '),
                creditName + QStringLiteral(" #") + code(v.voucherNo));
        journal.post(doc, ledger::Replace::Entries);
    });
    if (!ok) {
        v.voucherNo = previousNo;
        e.serial = previousSerial;
        return false;
    }
    if (const auto saved = load(v.voucherNo)) v.entries = saved->entries;
    return true;
}

bool JournalVouchers::removeEntry(qint64 voucherNo, int serial) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    if (refuseProtected(voucherNo, serial, true)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Entry ?")))
        return false;
    return saveInTransaction(db_, messages_, [&] {
        reopenDifferences(voucherNo, serial);
        const db::Rows serials = db_.query(
            QStringLiteral("SELECT DISTINCT SubSrno FROM HeadDtl3 WHERE FirmNo = ? AND TableCode = ? AND VoucherNo = ? AND "
                           "SubSrno <> ? ORDER BY SubSrno"),
            {session_.firmNo, kJournal, voucherNo, serial});
        // Journal entries settle no bills, so no settlement moves with the renumbering.
        ledger::Journal(db_, session_).removeEntry(kJournal, voucherNo, serial, QChar(), false);
        // The differences passed by later entries follow them to their new serials (ascending, so none collide).
        int next = 0;
        for (const db::Row& r : serials)
            db_.exec(QStringLiteral("UPDATE Acc_OutSt SET JV_SrNo = ? WHERE Fno = ? AND JV_VouNo = ? AND JV_SrNo = ?"),
                     {++next, session_.firmNo, voucherNo, r.value(0)});
    });
}

bool JournalVouchers::removeVoucher(qint64 voucherNo) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    if (refuseProtected(voucherNo, 0, true)) return false;
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure To Delete This Entry ?")))
        return false;
    return saveInTransaction(db_, messages_, [&] {
        reopenDifferences(voucherNo, 0);
        ledger::Journal(db_, session_).removeDocument(kJournal, voucherNo);
    });
}

std::vector<JournalFound> JournalVouchers::list(const QDate& from, const QDate& to) {
    std::vector<JournalFound> out;
    db_.forEach(QStringLiteral("SELECT h.VoucherNo, h.TransDate, h.SubSrno, a.AcName AS CreditName, c.AcName AS DebitName, "
                               "h.CrAmt, h.Receiptno, h.Narr "
                               "FROM HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId LEFT JOIN AccMst c ON c.Id = h.PartyCode "
                               "WHERE h.FirmNo = ? AND h.TableCode = ? AND h.Type = 'C' AND h.TransDate BETWEEN ? AND ? "
                               "ORDER BY h.TransDate, h.VoucherNo, h.SubSrno"),
                {session_.firmNo, kJournal, from, to}, [&](const db::Row& r) {
                    out.push_back({r.integer(QStringLiteral("VoucherNo")), r.date(QStringLiteral("TransDate")),
                                   int(r.number(QStringLiteral("SubSrno"))), r.text(QStringLiteral("DebitName")).trimmed(),
                                   r.text(QStringLiteral("CreditName")).trimmed(), r.text(QStringLiteral("Receiptno")),
                                   r.text(QStringLiteral("Narr")), Decimal::amount(r.value(QStringLiteral("CrAmt")))});
                });
    return out;
}

documents::DocumentPage JournalVouchers::listPage(const documents::ListFilter& filter) {
    documents::ListQuery q(QStringLiteral("HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId"),
                           QStringLiteral("h.FirmNo = ? AND h.TableCode = ? AND h.Type = 'C'"), {session_.firmNo, kJournal},
                           QStringLiteral("CAST(h.VoucherNo AS VARCHAR(20))"), QStringLiteral("h.TransDate"), QStringLiteral("a.AcName"),
                           QStringLiteral("h.CrAmt"));
    q.key = QStringLiteral("h.VoucherNo");
    q.texts = {QStringLiteral("h.Receiptno")};
    return documents::listDocuments(db_, q, filter);
}

std::vector<WaitingDifference> JournalVouchers::waitingDifferences(std::optional<BillBook> book, qint64 partyId) {
    QString sql = QStringLiteral(
        "SELECT o.ID, o.BillId, o.Book, o.IType, o.BNo, o.BillDt, o.BillAmt, o.Paid_Amt, o.Minus_Amt, o.Plus_Amt, o.AcId, "
        "o.VDate, "
        "a.LedgerId, a.AcName FROM Acc_OutSt o LEFT JOIN AccMst a ON a.Id = o.AcId "
        "WHERE o.Fno = ? AND o.IsEnd <> 0 AND o.IsJV <> 0 AND o.IsJVEnd = 0 AND o.IsRet = 0");
    QVariantList params{session_.firmNo};
    if (book) {
        sql += QStringLiteral(" AND o.Book = ?");
        params << bookLetter(*book);
    }
    if (partyId > 0) {
        sql += QStringLiteral(" AND o.AcId = ?");
        params << partyId;
    }
    sql += QStringLiteral(" ORDER BY a.AcName, o.BillDt, o.ID");
    std::vector<WaitingDifference> out;
    db_.forEach(sql, params, [&](const db::Row& r) {
        WaitingDifference w;
        w.rowId = r.integer(QStringLiteral("ID"));
        w.billId = r.integer(QStringLiteral("BillId"));
        w.partyId = r.integer(QStringLiteral("AcId"));
        w.book = r.text(QStringLiteral("Book")) == QLatin1String("P") ? BillBook::Purchase : BillBook::Sales;
        w.type = r.text(QStringLiteral("IType"));
        w.billNo = r.text(QStringLiteral("BNo")).trimmed();
        w.ledgerId = r.text(QStringLiteral("LedgerId")).trimmed();
        w.partyName = r.text(QStringLiteral("AcName")).trimmed();
        w.billDate = r.date(QStringLiteral("BillDt"));
        w.voucherDate = r.date(QStringLiteral("VDate"));
        w.billAmount = Decimal::amount(r.value(QStringLiteral("BillAmt")));
        w.paid = Decimal::amount(r.value(QStringLiteral("Paid_Amt")));
        w.less = Decimal::amount(r.value(QStringLiteral("Minus_Amt")));
        w.add = Decimal::amount(r.value(QStringLiteral("Plus_Amt")));
        out.push_back(w);
    });
    return out;
}

std::optional<qint64> JournalVouchers::postDifference(qint64 rowId, qint64 contraAccId, Decimal amount, const QDate& date) {
    return postWaiting({{rowId, amount}}, contraAccId, date, false);
}

std::optional<qint64> JournalVouchers::postDifferences(const std::vector<qint64>& rowIds, qint64 contraAccId, const QDate& date) {
    std::vector<std::pair<qint64, Decimal>> rows;
    for (qint64 id : rowIds) rows.push_back({id, Decimal(-1)});  // each row's own difference
    return postWaiting(rows, contraAccId, date, true);
}

std::optional<qint64> JournalVouchers::postWaiting(const std::vector<std::pair<qint64, Decimal>>& rows, qint64 contraAccId,
                                                   const QDate& date, bool multi) {
    if (documents::refuseChange(session_, messages_, documents::Change::Add)) return std::nullopt;
    if (refuseDate(date)) return std::nullopt;
    if (rows.empty()) {
        messages_.critical(QStringLiteral("No Save"), QStringLiteral("Please Select Bill"));
        return std::nullopt;
    }
    const auto contra =
        contraAccId > 0
            ? db_.queryOne(QStringLiteral("SELECT FirmNo, IsGrp, GrpNo, AcName FROM AccMst WHERE Id = ?"), {contraAccId})
            : std::nullopt;
    static const std::set<int> multiExcluded{36, 35, 76, 1, 18};
    const int group = contra ? int(contra->integer(QStringLiteral("GrpNo"))) : 0;
    if (!contra || contra->integer(QStringLiteral("FirmNo")) != session_.firmNo ||
        contra->integer(QStringLiteral("IsGrp")) != 0 || group == kBankGroup || (multi && multiExcluded.count(group))) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select J.V. A/c Name"));
        return std::nullopt;
    }
    const QString contraName = contra->text(QStringLiteral("AcName")).trimmed();
    const std::vector<WaitingDifference> waiting = waitingDifferences(std::nullopt);
    std::vector<std::pair<WaitingDifference, Decimal>> chosen;
    for (const auto& [rowId, typed] : rows) {
        const auto it =
            std::find_if(waiting.begin(), waiting.end(), [&](const WaitingDifference& w) { return w.rowId == rowId; });
        if (it == waiting.end()) {
            messages_.critical(QStringLiteral("No Save"),
                               QStringLiteral("This bill difference is not waiting for a journal entry."));
            return std::nullopt;
        }
        const Decimal amount = typed.isNegative() ? it->difference() : typed.roundHalfEven(2);
        if (amount <= Decimal()) {
            messages_.critical(QStringLiteral("No Save"), QStringLiteral("Please Enter Amount"));
            return std::nullopt;
        }
        chosen.push_back({*it, amount});
    }
    qint64 voucherNo = 0;
    const bool ok = saveInTransaction(db_, messages_, [&] {
        // The bills whose differences are passed are written too: their lock comes before the voucher number's.
        QStringList locks;
        for (const auto& [w, amount] : chosen) locks << billsLock(w.book);
        db::lockInOrder(db_, locks);
        ledger::Journal journal(db_, session_);
        voucherNo = journal.nextVoucherNo(kJournal);
        ledger::JournalDocument doc;
        doc.tableCode = kJournal;
        doc.voucherNo = voucherNo;
        doc.date = date;
        const QString tail = (multi ? QString() : QStringLiteral(" ")) + code(voucherNo);
        int serial = 0;
        for (const auto& [w, amount] : chosen) {
            ++serial;
            const QString bill = QStringLiteral(" Bill NO - ") + w.billNo;
            const QChar partySide = w.partySide();
            const QChar contraSide = partySide == QLatin1Char('C') ? QLatin1Char('D') : QLatin1Char('C');
            doc.lines.push_back({w.partyId,
                                 partySide,
                                 amount,
                                 bill + QStringLiteral(" # ") + contraName + tail,
                                 {},
                                 serial,
                                 contraAccId,
                                 QStringLiteral("N")});
            doc.lines.push_back({contraAccId,
                                 contraSide,
                                 amount,
                                 bill + QStringLiteral(" # ") + w.partyName + tail,
                                 {},
                                 serial,
                                 w.partyId,
                                 QStringLiteral("N")});
            // Conditional: a second station turning the same difference into a journal entry finds it done.
            if (db_.exec(QStringLiteral("UPDATE Acc_OutSt SET IsJVEnd = 1, JV_VouNo = ?, JV_SrNo = ? WHERE ID = ? AND IsJVEnd = 0"),
                         {voucherNo, serial, w.rowId}) != 1)
                throw Refusal{
                    QStringLiteral("No Save"),
                    QStringLiteral("The difference of Bill No %1 was passed at another station meanwhile.").arg(w.billNo)};
            const QString bills = w.book == BillBook::Sales ? QStringLiteral("SalBillMst") : QStringLiteral("BillMst");
            db_.exec(QStringLiteral("UPDATE %1 SET IsJV = 0, Is_Upload = 0 WHERE Id = ?").arg(bills), {w.billId});
        }
        journal.post(doc, ledger::Replace::WholeJournal);
    });
    if (!ok) return std::nullopt;
    return voucherNo;
}

}  // namespace tanabana::vouchers
