#include "domain/ledger/Journal.h"

#include "core/Messages.h"
#include "db/DbError.h"
#include "domain/schema/YearSchema.h"

#include <map>
#include <set>

namespace tanabana::ledger {

namespace {

// The lock every taker of a journal number holds; the same name Database::nextKey uses.
const QString kJournalSeries = QStringLiteral("key:HeadDtl3.JournalNo");
constexpr int kLinesPerStatement = 200;

QString fit(const QString& column, const QString& text) {
    return schema::yearColumnWidths().fit(QStringLiteral("HeadDtl3"), column, text);
}

QString placeholders(int count) {
    QStringList marks;
    for (int i = 0; i < count; ++i) marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

QString insertStatement(const db::Dialect& d, int rows) {
    static const QString columns = QStringLiteral(
        "AccId, %1, Type, TransDate, JournalNo, TableCode, VoucherNo, BookDesc, SetTableCode, SetVoucherNo, Receiptno, "
        "SubSrno, PartyCode, CrAmt, DrAmt, FirmNo, TCrAmt, TDrAmt, IsBal, IsJV, Narr, IsChecked, ReConDt, IsReCon, IsRet, "
        "NarrExtra, Is_Upload, Is_Tmp");
    const QString one = QStringLiteral("(%1, 0, 0, ?, 0, ?, 0, NULL, 0, 0, '', 0, 0)").arg(placeholders(16));
    QStringList values;
    for (int i = 0; i < rows; ++i) values << one;
    return QStringLiteral("INSERT INTO HeadDtl3 (%1) VALUES %2").arg(columns.arg(d.quote(QStringLiteral("Desc"))),
                                                                     values.join(QStringLiteral(", ")));
}

QString amountText(Decimal amount) { return amount.toString(2); }

}  // namespace

bool isDocumentType(int tableCode) {
    static const std::set<int> known{1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 14, 15, 16, 17, 21, 22};
    return known.count(tableCode) > 0;
}

QString ledgerNotSavedTitle() { return QStringLiteral("Ledger Entry Is Not Saved!"); }

QString ledgerProblemText() { return QStringLiteral("Please Save This Bill Again !\n Account Ledger Problem"); }

qint64 Journal::journalOf(int tableCode, qint64 voucherNo) {
    // MIN rather than ORDER BY ... LIMIT 1, which SQLite may answer by walking the journal in order.
    const QVariant j = db_.scalar(QStringLiteral("SELECT MIN(JournalNo) FROM HeadDtl3 WHERE FirmNo = ? AND TableCode = ? AND "
                                                 "VoucherNo = ?"),
                                  {session_.firmNo, tableCode, voucherNo});
    return j.isNull() ? 0 : j.toLongLong();
}

qint64 Journal::nextJournalNo() { return db_.nextKey(QStringLiteral("HeadDtl3"), QStringLiteral("JournalNo")); }

qint64 Journal::nextVoucherNo(int tableCode) {
    return db_.nextKey(QStringLiteral("HeadDtl3"), QStringLiteral("VoucherNo"), QStringLiteral("TableCode = ? AND FirmNo = ?"),
                       {tableCode, session_.firmNo});
}

void Journal::validate(const JournalDocument& doc) {
    if (!isDocumentType(doc.tableCode))
        throw PostingRefused(QStringLiteral("Unknown document type %1.").arg(doc.tableCode));
    if (!doc.date.isValid()) throw PostingRefused(QStringLiteral("The document has no date."));
    if (doc.lines.empty()) throw PostingRefused(QStringLiteral("The document has no lines to post."));
    Decimal debit, credit;
    std::set<qint64> accounts;
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        const JournalLine& line = doc.lines[i];
        if (line.side != QLatin1Char('D') && line.side != QLatin1Char('C'))
            throw PostingRefused(QStringLiteral("Line %1: the side must be D or C.").arg(i + 1));
        const Decimal amount = line.amount.roundHalfEven(2);
        if (amount.isNegative()) throw PostingRefused(QStringLiteral("Line %1: the amount is negative.").arg(i + 1));
        (line.side == QLatin1Char('D') ? debit : credit) += amount;
        accounts.insert(line.accId);
        if (line.contraAccId != 0) accounts.insert(line.contraAccId);
    }
    if (debit != credit)
        throw PostingRefused(QStringLiteral("The journal does not balance: debit %1, credit %2.")
                                 .arg(amountText(debit), amountText(credit)));
    // By key alone: a firm condition in the same query leads SQLite to walk the firm's accounts.
    QVariantList ids;
    for (qint64 id : accounts) ids << id;
    std::set<qint64> usable;
    db_.forEach(QStringLiteral("SELECT Id, FirmNo, IsGrp FROM AccMst WHERE Id IN (%1)").arg(placeholders(int(ids.size()))), ids,
                [&](const db::Row& r) {
                    if (r.value(1).toLongLong() == session_.firmNo && r.value(2).toInt() == 0) usable.insert(r.value(0).toLongLong());
                });
    for (qint64 id : accounts)
        if (!usable.count(id)) throw PostingRefused(QStringLiteral("Account %1 is not an account of this firm.").arg(id));
}

void Journal::insertLines(qint64 journalNo, const JournalDocument& doc) {
    // Serials run from 1 on each side; the contra account is the first account of the other side.
    std::map<QChar, int> lastSerial;
    std::map<QChar, qint64> firstAccount;
    for (const JournalLine& line : doc.lines)
        if (!firstAccount.count(line.side)) firstAccount[line.side] = line.accId;
    const QString user = fit(QStringLiteral("BookDesc"), doc.userName.isEmpty() ? session_.loginUser : doc.userName);
    const QString printed = fit(QStringLiteral("Receiptno"), doc.printedNo.trimmed());

    QVariantList params;
    int rows = 0;
    auto flush = [&] {
        if (rows == 0) return;
        db_.exec(insertStatement(db_.dialect(), rows), params);
        params.clear();
        rows = 0;
    };
    for (const JournalLine& line : doc.lines) {
        const QChar other = line.side == QLatin1Char('D') ? QLatin1Char('C') : QLatin1Char('D');
        int& last = lastSerial[line.side];
        const int serial = line.serial > 0 ? line.serial : last + 1;
        last = serial;
        const double amount = line.amount.roundHalfEven(2).toDouble();
        const bool debit = line.side == QLatin1Char('D');
        params << line.accId << fit(QStringLiteral("Desc"), line.description) << QString(line.side) << doc.date << journalNo
               << doc.tableCode << doc.voucherNo << user << doc.setTableCode << doc.setVoucherNo << printed << serial
               << (line.contraAccId != 0 ? line.contraAccId : firstAccount.count(other) ? firstAccount[other] : 0)
               << (debit ? 0.0 : amount) << (debit ? amount : 0.0) << session_.firmNo
               << fit(QStringLiteral("IsBal"), line.isBal) << fit(QStringLiteral("Narr"), line.narration);
        if (++rows == kLinesPerStatement) flush();
    }
    flush();
}

qint64 Journal::post(const JournalDocument& doc, Replace mode) {
    validate(doc);
    db::Transaction tx(db_);
    db_.lockSeries(kJournalSeries);  // before looking: a second station posting this document waits here
    qint64 journalNo = journalOf(doc.tableCode, doc.voucherNo);
    if (journalNo == 0) {
        journalNo = nextJournalNo();
    } else if (mode == Replace::WholeJournal) {
        deleteJournal(journalNo);
    } else {
        std::set<int> serials;
        std::map<QChar, int> last;
        for (const JournalLine& line : doc.lines) {
            int& l = last[line.side];
            l = line.serial > 0 ? line.serial : l + 1;
            serials.insert(l);
        }
        QVariantList params{journalNo};
        for (int s : serials) params << s;
        db_.exec(QStringLiteral("DELETE FROM HeadDtl3 WHERE JournalNo = ? AND SubSrno IN (%1)")
                     .arg(placeholders(int(serials.size()))),
                 params);
    }
    insertLines(journalNo, doc);
    db_.exec(QStringLiteral("UPDATE HeadDtl3 SET Is_Upload = 0 WHERE JournalNo = ? AND Is_Upload <> 0"), {journalNo});
    tx.commit();
    return journalNo;
}

void Journal::deleteJournal(qint64 journalNo) {
    db_.exec(QStringLiteral("DELETE FROM HeadDtl3 WHERE JournalNo = ?"), {journalNo});
}

void Journal::deleteEntry(qint64 journalNo, int serial) {
    db_.exec(QStringLiteral("DELETE FROM HeadDtl3 WHERE JournalNo = ? AND SubSrno = ?"), {journalNo, serial});
}

void Journal::renumberEntries(qint64 journalNo, int tableCode, qint64 voucherNo, QChar settlingSide, bool isRet) {
    db::Transaction tx(db_);
    for (const QChar side : {QLatin1Char('C'), QLatin1Char('D')}) {
        const db::Rows serials = db_.query(
            QStringLiteral("SELECT DISTINCT SubSrno FROM HeadDtl3 WHERE JournalNo = ? AND Type = ? ORDER BY SubSrno"),
            {journalNo, QString(side)});
        int next = 0;
        for (const db::Row& row : serials) {
            const QVariant old = row.value(0);
            ++next;
            if (old.toDouble() == next) continue;
            // Ascending order and new <= old: an entry never lands on one not yet moved.
            if (side == settlingSide)
                db_.exec(QStringLiteral("UPDATE Acc_OutSt SET VouSrno = ? WHERE VouSrno = ? AND VouNo = ? AND TableCode = ? "
                                        "AND IsRet = ? AND Fno = ?"),
                         {next, old, voucherNo, tableCode, isRet, session_.firmNo});
            db_.exec(QStringLiteral("UPDATE HeadDtl3 SET SubSrno = ? WHERE JournalNo = ? AND Type = ? AND SubSrno = ?"),
                     {next, journalNo, QString(side), old});
        }
    }
    db_.exec(QStringLiteral("UPDATE HeadDtl3 SET Is_Upload = 0 WHERE JournalNo = ?"), {journalNo});
    tx.commit();
}

void Journal::recordDeletion(int tableCode, qint64 voucherNo) {
    db_.exec(QStringLiteral("INSERT INTO Table_Del_History (Id, FirmNO, FormId) VALUES (?, ?, ?)"),
             {voucherNo, session_.firmNo, tableCode});
}

void Journal::removeDocument(int tableCode, qint64 voucherNo) {
    db::Transaction tx(db_);
    db_.lockSeries(kJournalSeries);
    if (const qint64 journalNo = journalOf(tableCode, voucherNo)) deleteJournal(journalNo);
    recordDeletion(tableCode, voucherNo);
    tx.commit();
}

void Journal::removeEntry(int tableCode, qint64 voucherNo, int serial, QChar settlingSide, bool isRet) {
    db::Transaction tx(db_);
    db_.lockSeries(kJournalSeries);
    const qint64 journalNo = journalOf(tableCode, voucherNo);
    if (journalNo == 0) {
        tx.commit();
        return;
    }
    deleteEntry(journalNo, serial);
    renumberEntries(journalNo, tableCode, voucherNo, settlingSide, isRet);
    recordDeletion(tableCode, voucherNo);
    tx.commit();
}

qint64 postAndReport(Journal& journal, Messages& messages, const JournalDocument& document, Replace mode) {
    try {
        return journal.post(document, mode);
    } catch (const PostingRefused& e) {
        messages.critical(ledgerNotSavedTitle(), e.text());
    } catch (const db::DbError&) {
        messages.critical(ledgerNotSavedTitle(), ledgerProblemText());
    }
    return 0;
}

}  // namespace tanabana::ledger
