#include "domain/vouchers/VoucherJson.h"

#include "domain/trade/JsonFields.h"

#include <QJsonArray>

namespace tanabana::vouchers {

namespace {

using trade::Fields;

const std::pair<const char*, int> kNames[] = {
    {"cash-receipt", 6}, {"cash-payment", 5}, {"bank-receipt", 8}, {"bank-payment", 7}, {"journal", 9}};

bool flag(const QJsonObject& o, const QString& key, const Fields& f) {
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull()) return false;
    if (v.isBool()) return v.toBool();
    const QString t = v.toString().trimmed().toUpper();
    if (t == QLatin1String("Y") || t == QLatin1String("YES")) return true;
    if (t == QLatin1String("N") || t == QLatin1String("NO")) return false;
    f.refuse(QStringLiteral("\"%1\" is true/false or Y/N").arg(key));
}

// The open bill of the party a typed number names.
qint64 billOf(db::Database& db, const Session& s, BillBook book, qint64 partyId, const QString& number, const Fields& f) {
    const QString wanted = number.trimmed();
    if (wanted.isEmpty()) f.refuse(QStringLiteral("\"bill\" is required"));
    std::vector<OpenBill> found;
    for (const OpenBill& b : openBills(db, s.firmNo, book, partyId))
        if (b.billNo.compare(wanted, Qt::CaseInsensitive) == 0 ||
            (book == BillBook::Sales && (b.bookPrefix + b.billNo).compare(wanted, Qt::CaseInsensitive) == 0))
            found.push_back(b);
    if (found.empty()) f.refuse(QStringLiteral("bill %1 is not an open bill of the party").arg(wanted));
    if (found.size() > 1)
        f.refuse(QStringLiteral("bill %1 is open in more than one book; give it with the book's prefix").arg(wanted));
    return found.front().id;
}

}  // namespace

std::optional<int> voucherTypeOf(const QString& name) {
    for (const auto& [text, code] : kNames)
        if (name.trimmed().compare(QLatin1String(text), Qt::CaseInsensitive) == 0) return code;
    return std::nullopt;
}

QString voucherTypeName(int tableCode) {
    for (const auto& [text, code] : kNames)
        if (code == tableCode) return QString::fromLatin1(text);
    return {};
}

ImportedVoucher voucherFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    const Fields f(object, QString(),
                   {QStringLiteral("kind"), QStringLiteral("number"), QStringLiteral("date"), QStringLiteral("book"),
                    QStringLiteral("entries")});
    const auto type = voucherTypeOf(f.text(QStringLiteral("kind")));
    if (!type) f.refuse(QStringLiteral("\"kind\" is cash-receipt, cash-payment, bank-receipt, bank-payment or journal"));
    ImportedVoucher v;
    const qint64 number = f.whole(QStringLiteral("number"));
    if (number < 0) f.refuse(QStringLiteral("\"number\" must not be negative"));
    const QDate date = f.date(QStringLiteral("date"), true);
    const QJsonArray entries = f.array(QStringLiteral("entries"));
    if (entries.isEmpty()) f.refuse(QStringLiteral("\"entries\" must list at least one entry"));

    if (*type == 9) {
        if (f.has(QStringLiteral("book"))) f.refuse(QStringLiteral("a journal voucher has no \"book\""));
        v.journal.voucherNo = number;
        v.journal.date = date;
        for (int i = 0; i < entries.size(); ++i) {
            const QJsonObject o = trade::objectAt(entries, i, QStringLiteral("entry"));
            const Fields e(o, QStringLiteral("entry %1").arg(i + 1),
                           {QStringLiteral("credit"), QStringLiteral("debit"), QStringLiteral("amount"), QStringLiteral("ref"),
                            QStringLiteral("creditNarration"), QStringLiteral("debitNarration")});
            JournalEntry je;
            je.creditAccId = trade::requireAccount(db, s, e, QStringLiteral("credit"), true);
            je.debitAccId = trade::requireAccount(db, s, e, QStringLiteral("debit"), true);
            je.amount = trade::nonNegative(e, QStringLiteral("amount"));
            je.referenceNo = e.text(QStringLiteral("ref"));
            je.creditNarration = e.text(QStringLiteral("creditNarration"));
            je.debitNarration = e.text(QStringLiteral("debitNarration"));
            v.journal.entries.push_back(je);
        }
        return v;
    }

    v.kind = *kindOfTableCode(*type);
    const VoucherStyle& style = styleOf(*v.kind);
    v.cashBank.kind = *v.kind;
    v.cashBank.voucherNo = number;
    v.cashBank.date = date;
    v.cashBank.bookNo = f.whole(QStringLiteral("book"));
    if (v.cashBank.bookNo <= 0) f.refuse(QStringLiteral("\"book\" (the cash or bank book's number) is required"));
    for (int i = 0; i < entries.size(); ++i) {
        const QJsonObject o = trade::objectAt(entries, i, QStringLiteral("entry"));
        const Fields e(o, QStringLiteral("entry %1").arg(i + 1),
                       {QStringLiteral("party"), QStringLiteral("amount"), QStringLiteral("receipt"), QStringLiteral("narration"),
                        QStringLiteral("narration2"), QStringLiteral("bills")});
        VoucherEntry ve;
        ve.partyId = trade::requireAccount(db, s, e, QStringLiteral("party"), true);
        ve.amount = trade::nonNegative(e, QStringLiteral("amount"));
        ve.receiptNo = e.text(QStringLiteral("receipt"));
        ve.narration = e.text(QStringLiteral("narration"));
        ve.narration2 = e.text(QStringLiteral("narration2"));
        const QJsonArray bills = e.array(QStringLiteral("bills"));
        ve.billWise = e.has(QStringLiteral("bills"));
        for (int j = 0; j < bills.size(); ++j) {
            const QJsonObject bo = trade::objectAt(bills, j, QStringLiteral("bill"));
            const Fields b(bo, QStringLiteral("entry %1, bill %2").arg(i + 1).arg(j + 1),
                           {QStringLiteral("bill"), QStringLiteral("payment"), QStringLiteral("less"), QStringLiteral("add"),
                            QStringLiteral("full")});
            Settlement st;
            st.billId = billOf(db, s, style.settles, ve.partyId, b.text(QStringLiteral("bill")), b);
            st.billNo = b.text(QStringLiteral("bill")).trimmed();
            st.payment = trade::nonNegative(b, QStringLiteral("payment"));
            st.less = trade::nonNegative(b, QStringLiteral("less"));
            st.add = trade::nonNegative(b, QStringLiteral("add"));
            st.fullyReceived = flag(bo, QStringLiteral("full"), b);
            ve.settlements.push_back(st);
        }
        v.cashBank.entries.push_back(ve);
    }
    return v;
}

}  // namespace tanabana::vouchers
