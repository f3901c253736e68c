#include "domain/vouchers/CashBankVouchers.h"

#include "db/DbError.h"
#include "domain/documents/Guard.h"
#include "domain/ledger/Journal.h"
#include "domain/vouchers/Saving.h"

namespace tanabana::vouchers {

namespace {

const VoucherStyle kStyles[] = {
    {CashBankKind::CashReceipt, 6, QStringLiteral("Cash Receipt"), QStringLiteral("C"), QLatin1Char('D'), QStringLiteral("Cash "),
     QStringLiteral(" R.NO -"), QStringLiteral("(CRV-"), BillBook::Sales, QStringLiteral("CashReceipt")},
    {CashBankKind::CashPayment, 5, QStringLiteral("Cash Payment"), QStringLiteral("C"), QLatin1Char('C'),
     QStringLiteral("Cash Pay"), QStringLiteral(" R NO -"), QStringLiteral("(CPV-"), BillBook::Purchase,
     QStringLiteral("CashPayment")},
    {CashBankKind::BankReceipt, 8, QStringLiteral("Bank Receipt"), QStringLiteral("B"), QLatin1Char('D'), QStringLiteral("By "),
     QStringLiteral(" Chq NO -"), QStringLiteral("(BRV-"), BillBook::Sales, QStringLiteral("BankReceipt")},
    {CashBankKind::BankPayment, 7, QStringLiteral("Bank Payment"), QStringLiteral("B"), QLatin1Char('C'), QStringLiteral("To "),
     QStringLiteral(" Chq NO -"), QStringLiteral("(BPV-"), BillBook::Purchase, QStringLiteral("BankPayment")},
};

QChar other(QChar side) { return side == QLatin1Char('D') ? QLatin1Char('C') : QLatin1Char('D'); }


// The description texts of an entry's two lines.
struct Descriptions {
    QString bookLine, partyLine;
};

Descriptions describe(const VoucherStyle& s, qint64 voucherNo, const QString& partyName, const QString& receiptNo,
                      const QString& billNumbers) {
    const QString receipt =
        receiptNo.trimmed().isEmpty() ? QString() : s.receiptPart + receiptNo.trimmed() + QStringLiteral("# ");
    const QString bills = billNumbers.trimmed().isEmpty() ? QString() : QStringLiteral("Bill NO : ") + billNumbers.trimmed();
    const QString tail = receipt + bills + s.code + QString::number(voucherNo) + QLatin1Char(')');
    return {partyName + QStringLiteral(" # ") + tail, s.contraWord + QStringLiteral(" # ") + tail};
}

}  // namespace

const VoucherStyle& styleOf(CashBankKind kind) { return kStyles[int(kind)]; }

std::optional<CashBankKind> kindOfTableCode(int tableCode) {
    for (const VoucherStyle& s : kStyles)
        if (s.tableCode == tableCode) return s.kind;
    return std::nullopt;
}

Decimal CashBankVoucher::total() const {
    Decimal sum;
    for (const VoucherEntry& e : entries) sum += e.amount;
    return sum;
}

CashBankVouchers::CashBankVouchers(db::Database& db, const Session& session, Messages& messages, CashBankKind kind)
    : db_(db), session_(session), messages_(messages), style_(styleOf(kind)) {}

std::vector<VoucherBook> CashBankVouchers::books() {
    std::vector<VoucherBook> list;
    db_.forEach(QStringLiteral("SELECT BookNO, COALESCE(NULLIF(SalesName, ''), PurNAme) AS SalesName, BookShortName, PurAccId "
                               "FROM BookMst WHERE FirmNO = ? AND BookType = ? ORDER BY BookNO"),
                {session_.firmNo, style_.bookType}, [&](const db::Row& r) {
                    list.push_back({r.integer(QStringLiteral("BookNO")), r.text(QStringLiteral("SalesName")).trimmed(),
                                    r.text(QStringLiteral("BookShortName")).trimmed(), r.integer(QStringLiteral("PurAccId"))});
                });
    return list;
}

std::optional<VoucherBook> CashBankVouchers::book(qint64 bookNo) {
    for (const VoucherBook& b : books())
        if (b.bookNo == bookNo) return b;
    return std::nullopt;
}

qint64 CashBankVouchers::proposedBook() {
    const std::vector<VoucherBook> list = books();
    if (list.empty()) return 0;
    if (style_.bookType == QLatin1String("B")) {
        // The bank of the latest bank voucher of this kind, when it is still one of the firm's bank books.
        const auto last =
            db_.queryOne(QStringLiteral("SELECT AccId FROM HeadDtl3 WHERE FirmNo = ? AND TableCode = ? AND Type = ? "
                                        "ORDER BY TransDate DESC, VoucherNo DESC, SubSrno DESC") +
                             db_.dialect().limit(1),
                         {session_.firmNo, style_.tableCode, QString(style_.bookSide)});
        if (last)
            for (const VoucherBook& b : list)
                if (b.accountId == last->integer(QStringLiteral("AccId"))) return b.bookNo;
    }
    return list.front().bookNo;
}

qint64 CashBankVouchers::proposedVoucherNo() {
    const QVariant max = db_.scalar(QStringLiteral("SELECT MAX(VoucherNo) FROM HeadDtl3 WHERE TableCode = ? AND FirmNo = ?"),
                                    {style_.tableCode, session_.firmNo});
    return (max.isNull() ? 0 : max.toLongLong()) + 1;
}

std::optional<CashBankVoucher> CashBankVouchers::load(qint64 voucherNo) {
    CashBankVoucher v;
    v.kind = style_.kind;
    v.voucherNo = voucherNo;
    const QChar partySide = other(style_.bookSide);
    qint64 bookAccount = 0;
    // Read whole before the settlements are asked for: one statement at a time on the server.
    const db::Rows rows = db_.query(
        QStringLiteral(
            "SELECT h.SubSrno, h.AccId, h.PartyCode, h.CrAmt, h.DrAmt, h.Receiptno, h.Narr, h.NarrExtra, h.IsBal, h.%1 AS Descr, "
            "h.TransDate, a.AcName, a.LedgerId FROM HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId "
            "WHERE h.FirmNo = ? AND h.TableCode = ? AND h.VoucherNo = ? AND h.Type = ? ORDER BY h.SubSrno")
            .arg(db_.dialect().quote(QStringLiteral("Desc"))),
        {session_.firmNo, style_.tableCode, voucherNo, QString(partySide)});
    for (const db::Row& r : rows) {
        VoucherEntry e;
        e.serial = int(r.number(QStringLiteral("SubSrno")));
        e.partyId = r.integer(QStringLiteral("AccId"));
        e.amount = Decimal::amount(r.value(partySide == QLatin1Char('C') ? QStringLiteral("CrAmt") : QStringLiteral("DrAmt")));
        e.receiptNo = r.text(QStringLiteral("Receiptno"));
        e.narration = r.text(QStringLiteral("Narr"));
        e.narration2 = r.text(QStringLiteral("NarrExtra"));
        e.billWise = r.text(QStringLiteral("IsBal")) == QLatin1String("Y");
        e.description = r.text(QStringLiteral("Descr"));
        e.date = r.date(QStringLiteral("TransDate"));
        e.partyName = r.text(QStringLiteral("AcName")).trimmed();
        e.ledgerId = r.text(QStringLiteral("LedgerId")).trimmed();
        e.settlements = settlementsOf(db_, session_.firmNo, style_.tableCode, voucherNo, e.serial);
        if (!v.date.isValid()) v.date = e.date;
        if (bookAccount == 0) bookAccount = r.integer(QStringLiteral("PartyCode"));
        v.entries.push_back(std::move(e));
    }
    if (v.entries.empty()) return std::nullopt;
    for (const VoucherBook& b : books())
        if (b.accountId == bookAccount) {
            v.bookNo = b.bookNo;
            break;
        }
    return v;
}

std::vector<OpenBill> CashBankVouchers::openBills(qint64 partyId, qint64 voucherNo, int serial) {
    return openBillsFor(db_, style_.settles, {style_.tableCode, voucherNo, serial, {}, partyId, session_.firmNo});
}

bool CashBankVouchers::validate(const CashBankVoucher& v, const VoucherEntry& e, const std::optional<VoucherBook>& bk) {
    auto refuse = [&](const QString& title, const QString& text) {
        messages_.critical(title, text);
        return false;
    };
    if (!v.date.isValid() || !session_.inYear(v.date))
        return refuse(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
    if (!bk)
        return refuse(QStringLiteral("System Validation"), style_.bookType == QLatin1String("C")
                                                               ? QStringLiteral("Please Select Cash Book")
                                                               : QStringLiteral("Please Select Bank Book"));
    if (bk->accountId <= 0)
        return refuse(QStringLiteral("System Validation"), QStringLiteral("The book %1 has no account.").arg(bk->name));
    if (e.partyId <= 0) return refuse(QStringLiteral("System Validation"), QStringLiteral("Please Select Party"));
    if (e.partyId == bk->accountId)
        return refuse(QStringLiteral("System Validation"),
                      QStringLiteral("The party is the book's own account. Please Select Party"));
    if (e.amount <= Decimal()) return refuse(QStringLiteral("No Save"), QStringLiteral("Please Enter Amount"));
    if (e.receiptNo.trimmed().size() > 50)
        return refuse(QStringLiteral("Text Too Long"),
                      (style_.bookType == QLatin1String("B") ? QStringLiteral("Cheque/DD No") : QStringLiteral("Receipt No")) +
                          QStringLiteral(" is longer than 50 characters. Please shorten it."));
    if (e.narration2.size() > 255)
        return refuse(QStringLiteral("Text Too Long"),
                      QStringLiteral("Narration 2 is longer than 255 characters. Please shorten it."));
    if (!e.billWise && !e.settlements.empty())
        return refuse(QStringLiteral("No Delete"), QStringLiteral("First Delete Outstand Entry"));
    const auto party = db_.queryOne(QStringLiteral("SELECT FirmNo, IsGrp FROM AccMst WHERE Id = ?"), {e.partyId});
    if (!party || party->integer(QStringLiteral("FirmNo")) != session_.firmNo || party->integer(QStringLiteral("IsGrp")) != 0)
        return refuse(QStringLiteral("System Validation"), QStringLiteral("Please Select Party"));
    return true;
}

bool CashBankVouchers::saveEntry(CashBankVoucher& v, VoucherEntry& e) {
    if (documents::refuseSave(session_, messages_, e.serial)) return false;
    if (v.kind != style_.kind) {
        messages_.critical(QStringLiteral("System Validation"), QStringLiteral("This voucher is not a %1.").arg(style_.caption));
        return false;
    }
    const auto bk = book(v.bookNo);
    if (!validate(v, e, bk)) return false;
    if (e.billWise) {
        Decimal allocated;
        for (const Settlement& s : e.settlements) allocated += s.payment.roundHalfEven(2);
        const Decimal remain = e.amount.roundHalfEven(2) - allocated;
        if (remain > Decimal() && !messages_.ask(QStringLiteral("Balance Remain Mismatch"),
                                                 QStringLiteral("Balance Remain is more then paid bill .") + QLatin1Char('\n') +
                                                     QStringLiteral(" Balance Remain =") + remain.toString(2) +
                                                     QLatin1Char('\n') + QStringLiteral(" Are You sure to save This Voucher ?")))
            return false;
    }
    const qint64 previousNo = v.voucherNo;
    const int previousSerial = e.serial;
    const QString partyName =
        db_.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {e.partyId}).toString().trimmed();
    try {
        db::Transaction tx(db_);
        lockBills(db_, style_.settles);
        ledger::Journal journal(db_, session_);
        if (v.voucherNo <= 0) v.voucherNo = journal.nextVoucherNo(style_.tableCode);
        SettlingEntry settling{style_.tableCode, v.voucherNo, e.serial, v.date, e.partyId, session_.firmNo};
        if (e.serial > 0) {
            const auto old = db_.queryOne(
                QStringLiteral("SELECT IsBal FROM HeadDtl3 WHERE FirmNo = ? AND TableCode = ? AND VoucherNo = ? AND SubSrno = ? "
                               "AND Type = ?"),
                {session_.firmNo, style_.tableCode, v.voucherNo, e.serial, QString(other(style_.bookSide))});
            if (!old)
                throw Refusal{QStringLiteral("System Validation"),
                              QStringLiteral("This entry is not found; it may have been deleted.")};
            if (!e.billWise && hasSettlements(db_, session_.firmNo, style_.tableCode, v.voucherNo, e.serial))
                throw Refusal{QStringLiteral("No Delete"), QStringLiteral("First Delete Outstand Entry")};
            takeBack(db_, style_.settles, settling);
        } else {
            // Under the series lock: a second station adding to the same voucher takes the next serial.
            e.serial = int(db_.nextKey(QStringLiteral("HeadDtl3"), QStringLiteral("SubSrno"),
                                       QStringLiteral("FirmNo = ? AND TableCode = ? AND VoucherNo = ?"),
                                       {session_.firmNo, style_.tableCode, v.voucherNo}));
            settling.serial = e.serial;
        }
        const QString settled =
            e.billWise ? apply(db_, style_.settles, settling, e.amount.roundHalfEven(2), e.settlements) : QString();
        const Descriptions text =
            describe(style_, v.voucherNo, partyName, e.receiptNo, e.narration2.trimmed().isEmpty() ? settled : e.narration2);
        ledger::JournalDocument doc;
        doc.tableCode = style_.tableCode;
        doc.voucherNo = v.voucherNo;
        doc.date = v.date;
        doc.printedNo = e.receiptNo;
        const QString isBal = e.billWise ? QStringLiteral("Y") : QStringLiteral("N");
        doc.lines.push_back({bk->accountId, style_.bookSide, e.amount, text.bookLine, e.narration, e.serial, e.partyId, isBal});
        doc.lines.push_back(
            {e.partyId, other(style_.bookSide), e.amount, text.partyLine, e.narration, e.serial, bk->accountId, isBal});
        const qint64 journalNo = journal.post(doc, ledger::Replace::Entries);
        db_.exec(QStringLiteral("UPDATE HeadDtl3 SET NarrExtra = ? WHERE JournalNo = ? AND SubSrno = ?"),
                 {e.narration2, journalNo, e.serial});
        tx.commit();
    } catch (const Refusal& r) {
        v.voucherNo = previousNo;
        e.serial = previousSerial;
        messages_.critical(r.title, r.text);
        return false;
    } catch (const ledger::PostingRefused& refused) {
        v.voucherNo = previousNo;
        e.serial = previousSerial;
        messages_.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return false;
    } catch (const db::DbError&) {
        v.voucherNo = previousNo;
        e.serial = previousSerial;
        messages_.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return false;
    }
    if (const auto saved = load(v.voucherNo)) v.entries = saved->entries;
    return true;
}

bool CashBankVouchers::removeEntry(qint64 voucherNo, int serial) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const auto line = db_.queryOne(
        QStringLiteral(
            "SELECT IsBal FROM HeadDtl3 WHERE FirmNo = ? AND TableCode = ? AND VoucherNo = ? AND SubSrno = ? AND Type = ?"),
        {session_.firmNo, style_.tableCode, voucherNo, serial, QString(other(style_.bookSide))});
    if (!line) {
        messages_.critical(QStringLiteral("System Validation"),
                           QStringLiteral("This entry is not found; it may have been deleted."));
        return false;
    }
    const bool billWise = line->text(QStringLiteral("IsBal")) == QLatin1String("Y") ||
                          hasSettlements(db_, session_.firmNo, style_.tableCode, voucherNo, serial);
    if (billWise) {
        if (!messages_.ask(QStringLiteral("Delete Outstanding Bill"),
                           QStringLiteral("Please Delete Invoice Related to the Payment") + QLatin1Char('\n') +
                               QStringLiteral(" Are You Sure to Delete This Invoice ?")))
            return false;
    } else if (!messages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are you sure to delete this Entry ?"))) {
        return false;
    }
    return saveInTransaction(db_, messages_, [&] {
        lockBills(db_, style_.settles);
        takeBack(db_, style_.settles, {style_.tableCode, voucherNo, serial, {}, 0, session_.firmNo});
        // Settlements of the later entries follow them to their new serials.
        ledger::Journal(db_, session_).removeEntry(style_.tableCode, voucherNo, serial, other(style_.bookSide), false);
    });
}

bool CashBankVouchers::removeVoucher(qint64 voucherNo) {
    if (documents::refuseChange(session_, messages_, documents::Change::Delete)) return false;
    const auto v = load(voucherNo);
    if (!v) return false;
    bool billWise = false;
    for (const VoucherEntry& e : v->entries) billWise = billWise || e.billWise || !e.settlements.empty();
    const QString question =
        QStringLiteral("Are You Sure To Delete This Voucher ?") +
        (billWise ? QLatin1Char('\n') + QStringLiteral(" Its bill settlements are removed with it.") : QString());
    if (!messages_.ask(QStringLiteral("Delete Confirmation"), question)) return false;
    return saveInTransaction(db_, messages_, [&] {
        lockBills(db_, style_.settles);
        for (const VoucherEntry& e : v->entries)
            takeBack(db_, style_.settles, {style_.tableCode, voucherNo, e.serial, {}, 0, session_.firmNo});
        ledger::Journal(db_, session_).removeDocument(style_.tableCode, voucherNo);
    });
}

std::vector<VoucherFound> CashBankVouchers::found(const QString& condition, const QVariantList& params, const QString& order) {
    const QChar partySide = other(style_.bookSide);
    const QString amount = partySide == QLatin1Char('C') ? QStringLiteral("h.CrAmt") : QStringLiteral("h.DrAmt");
    QVariantList all{session_.firmNo, style_.tableCode, QString(partySide)};
    all += params;
    std::vector<VoucherFound> rows;
    db_.forEach(
        QStringLiteral(
            "SELECT h.VoucherNo, h.TransDate, h.SubSrno, a.LedgerId, a.AcName, %1 AS Amount, h.Receiptno, h.Narr, h.%2 AS Descr, "
            "h.IsBal, c.AcName AS BookAccount FROM HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId "
            "LEFT JOIN AccMst c ON c.Id = h.PartyCode WHERE h.FirmNo = ? AND h.TableCode = ? AND h.Type = ? AND h.IsRet = 0 %3 "
            "ORDER BY %4")
            .arg(amount, db_.dialect().quote(QStringLiteral("Desc")), condition, order),
        all, [&](const db::Row& r) {
            VoucherFound f;
            f.voucherNo = r.integer(QStringLiteral("VoucherNo"));
            f.date = r.date(QStringLiteral("TransDate"));
            f.serial = int(r.number(QStringLiteral("SubSrno")));
            f.ledgerId = r.text(QStringLiteral("LedgerId")).trimmed();
            f.partyName = r.text(QStringLiteral("AcName")).trimmed();
            f.amount = Decimal::amount(r.value(QStringLiteral("Amount")));
            f.receiptNo = r.text(QStringLiteral("Receiptno"));
            f.narration = r.text(QStringLiteral("Narr"));
            f.description = r.text(QStringLiteral("Descr"));
            f.billWise = r.text(QStringLiteral("IsBal")) == QLatin1String("Y");
            f.bookAccount = r.text(QStringLiteral("BookAccount")).trimmed();
            rows.push_back(f);
        });
    return rows;
}

std::vector<VoucherFound> CashBankVouchers::search(SearchBy by, const QString& text, std::optional<bool> billWise) {
    QString condition;
    QVariantList params;
    const db::Dialect& d = db_.dialect();
    switch (by) {
    case SearchBy::Name:
        condition = QStringLiteral("AND ") + d.likeInsensitive(QStringLiteral("a.AcName"));
        params << text.trimmed() + QLatin1Char('%');
        break;
    case SearchBy::Amount: {
        const auto amount = Decimal::parse(text.trimmed());
        if (!amount) return {};
        const QString column = other(style_.bookSide) == QLatin1Char('C') ? QStringLiteral("h.CrAmt") : QStringLiteral("h.DrAmt");
        condition = QStringLiteral("AND %1 = ?").arg(column);
        params << amount->roundHalfEven(2).toDouble();
        break;
    }
    case SearchBy::ReceiptNo:
        condition = QStringLiteral("AND ") + d.likeInsensitive(QStringLiteral("h.Receiptno"));
        params << text.trimmed() + QLatin1Char('%');
        break;
    }
    if (billWise) {
        condition += QStringLiteral(" AND h.IsBal = ?");
        params << (*billWise ? QStringLiteral("Y") : QStringLiteral("N"));
    }
    return found(condition, params, QStringLiteral("h.TransDate DESC, h.VoucherNo DESC, h.SubSrno"));
}

std::vector<VoucherFound> CashBankVouchers::list(const QDate& from, const QDate& to) {
    return found(QStringLiteral("AND h.TransDate BETWEEN ? AND ?"), {from, to},
                 QStringLiteral("h.TransDate, h.VoucherNo, h.SubSrno"));
}

documents::DocumentPage CashBankVouchers::listPage(const documents::ListFilter& filter) {
    const QChar partySide = other(style_.bookSide);
    documents::ListQuery q(QStringLiteral("HeadDtl3 h LEFT JOIN AccMst a ON a.Id = h.AccId"),
                           QStringLiteral("h.FirmNo = ? AND h.TableCode = ? AND h.Type = ? AND h.IsRet = 0"),
                           {session_.firmNo, style_.tableCode, QString(partySide)}, QStringLiteral("CAST(h.VoucherNo AS VARCHAR(20))"),
                           QStringLiteral("h.TransDate"), QStringLiteral("a.AcName"),
                           partySide == QLatin1Char('C') ? QStringLiteral("h.CrAmt") : QStringLiteral("h.DrAmt"));
    q.key = QStringLiteral("h.VoucherNo");
    q.texts = {QStringLiteral("h.Receiptno"), QStringLiteral("h.IsBal"),
               QStringLiteral("h.") + db_.dialect().quote(QStringLiteral("Desc"))};
    return documents::listDocuments(db_, q, filter);
}

}  // namespace tanabana::vouchers
