#include "domain/gst/PortalMatching.h"

#include "core/Words.h"
#include "core/YearLock.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/Xlsx.h"

#include <QLocale>
#include <algorithm>
#include <map>
#include <set>

namespace tanabana::gst {

namespace {

const QString kTable = QStringLiteral("GSTR2_A");
const QString kTitle = QStringLiteral("GSTR - 2 & 2A (Matching)");

QString kindCode(MatchState s) {
    switch (s) {
    case MatchState::Exact: return QStringLiteral("E");
    case MatchState::Proposed: return QStringLiteral("P");
    case MatchState::Confirmed: return QStringLiteral("C");
    case MatchState::Rejected: return QStringLiteral("R");
    case MatchState::None: break;
    }
    return {};
}

MatchState stateOf(const QString& code) {
    const QString c = code.trimmed().toUpper();
    if (c == QLatin1String("E")) return MatchState::Exact;
    if (c == QLatin1String("P")) return MatchState::Proposed;
    if (c == QLatin1String("C")) return MatchState::Confirmed;
    if (c == QLatin1String("R")) return MatchState::Rejected;
    return MatchState::None;
}

bool isMatch(MatchState s) { return s == MatchState::Exact || s == MatchState::Confirmed; }

QString shownDate(const QDate& d) { return d.toString(QStringLiteral("dd-MM-yyyy")); }

QString documentText(const QString& number, const QDate& date, const Decimal& value) {
    return QStringLiteral("%1 of %2, %3").arg(number, shownDate(date), FormatIndian(value, 2));
}

// The rows of one portal invoice (one per rate) share their match.
struct PortalInvoice {
    std::vector<qint64> rows;
    QString gstin, number;
    QDate date;
    Decimal value;
    qint64 billId = 0;
    MatchState state = MatchState::None;
};

struct MatchBill {
    qint64 id = 0;
    QString gstin, number;
    QDate date;
    Decimal value;
};

// The bill's invoice type as the buying screen names it.
QString invoiceTypeText(const QString& code) {
    const QString c = code.trimmed().toUpper();
    if (c == QLatin1String("R")) return QStringLiteral("Retail Inv.");
    if (c == QLatin1String("L")) return QStringLiteral("Labour");
    if (c == QLatin1String("I")) return QStringLiteral("Import");
    if (c == QLatin1String("S")) return QStringLiteral("SEZ");
    return QStringLiteral("Tax Inv.");
}

QString monthText(const ReturnPeriod& p) { return p.from.toString(QStringLiteral("MM-yyyy")); }

}  // namespace

QString Reconciliation::summary() const {
    return QStringLiteral("%1: %2 invoices on the portal, %3 matched, %4 proposed; %5 bills in the books, %6 matched")
        .arg(portalReturnName(kind))
        .arg(portalInvoices)
        .arg(portalMatched)
        .arg(portalProposed)
        .arg(bookBills)
        .arg(bookMatched);
}

int PortalMatching::batchOf(PortalReturn kind, const ReturnPeriod& period) const {
    return db_.scalar(QStringLiteral("SELECT MAX(RefNO) FROM GSTR2_A WHERE FirmNo = ? AND Source = ? AND PeriodFrom = ? AND PeriodTo = ?"),
                      {session_.firmNo, portalReturnCode(kind), period.from, period.to})
        .toInt();
}

std::optional<int> PortalMatching::importFile(PortalReturn kind, const ReturnPeriod& period, const QString& path) {
    Gstr1Service(db_, session_).checkPeriod(period);
    const PortalFile file = readPortalFile(path);
    if (!file.period.isEmpty() && file.period != period.portalPeriod())
        throw GstError(QStringLiteral("The file is the %1 of %2-%3, not of %4.")
                           .arg(portalReturnName(kind), file.period.left(2), file.period.mid(2), monthText(period)));
    return importLines(kind, period, file.lines);
}

std::optional<int> PortalMatching::importLines(PortalReturn kind, const ReturnPeriod& period, const std::vector<PortalInvoiceLine>& lines) {
    Gstr1Service(db_, session_).checkPeriod(period);
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    db::Transaction tx(db_);
    std::vector<qint64> marked;
    const QVariantList old = {session_.firmNo, portalReturnCode(kind), period.from, period.to};
    db_.forEach(QStringLiteral("SELECT DISTINCT BillId FROM GSTR2_A WHERE FirmNo = ? AND Source = ? AND PeriodFrom = ? AND PeriodTo = ? AND BillId <> 0"),
                old, [&](const db::Row& row) { marked.push_back(row.integer(QStringLiteral("BillId"))); });
    db_.exec(QStringLiteral("DELETE FROM GSTR2_A WHERE FirmNo = ? AND Source = ? AND PeriodFrom = ? AND PeriodTo = ?"), old);
    const int batch = db_.scalar(QStringLiteral("SELECT MAX(RefNO) FROM GSTR2_A WHERE FirmNo = ?"), {session_.firmNo}).toInt() + 1;
    qint64 id = db_.nextKey(kTable, QStringLiteral("Id"));
    // The JSON download names no supplier: the account of that GSTIN does.
    std::map<QString, QString> names;
    db_.forEach(QStringLiteral("SELECT TinNo, AcName FROM AccMst WHERE FirmNo = ? AND COALESCE(TinNo, '') <> '' ORDER BY Id DESC"), {session_.firmNo},
                [&](const db::Row& row) { names[row.text(QStringLiteral("TinNo")).trimmed().toUpper()] = row.text(QStringLiteral("AcName")); });
    for (PortalInvoiceLine l : lines) {
        if (l.supplier.trimmed().isEmpty()) l.supplier = names[l.gstin];
        db_.exec(QStringLiteral("INSERT INTO GSTR2_A (Id, Is_GSTR2A, GSTIN, AcNAme, InvNO, InvType, InvDate, InvValue, StateNm, RevCh, GSTRate, "
                                "Tax_Amt, IGSTrs, CGSTRs, SGSTRs, Cess, RetStatus, FirmNo, RefNO, Source, PeriodFrom, PeriodTo, BillId, "
                                "MatchKind) VALUES (?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, '')"),
                 {id++, l.gstin.left(50), l.supplier.left(200), l.invoiceNo.left(30), l.invoiceType.left(30), l.date,
                  l.invoiceValue.toDouble(), l.placeOfSupply.left(30), l.reverseCharge.left(10), l.rate.toDouble(), l.taxable.toDouble(),
                  l.igst.toDouble(), l.cgst.toDouble(), l.sgst.toDouble(), l.cess.toDouble(), l.status.left(30), session_.firmNo, batch,
                  portalReturnCode(kind), period.from, period.to});
    }
    refreshBillMarks(marked);
    tx.commit();
    return int(lines.size());
}

bool PortalMatching::deleteImport(PortalReturn kind, const ReturnPeriod& period, bool askFirst) {
    if (yearLockRefuses(session_, messages_)) return false;
    const int batch = batchOf(kind, period);
    if (batch == 0) {
        messages_.critical(kTitle, QStringLiteral("No %1 is imported for %2.").arg(portalReturnName(kind), monthText(period)));
        return false;
    }
    if (askFirst && !messages_.ask(kTitle, QStringLiteral("Are you sure to Delete Online Portal Data From Software ?"))) return false;
    db::Transaction tx(db_);
    std::vector<qint64> marked;
    db_.forEach(QStringLiteral("SELECT DISTINCT BillId FROM GSTR2_A WHERE FirmNo = ? AND RefNO = ? AND BillId <> 0"), {session_.firmNo, batch},
                [&](const db::Row& row) { marked.push_back(row.integer(QStringLiteral("BillId"))); });
    db_.exec(QStringLiteral("DELETE FROM GSTR2_A WHERE FirmNo = ? AND RefNO = ?"), {session_.firmNo, batch});
    refreshBillMarks(marked);
    tx.commit();
    return true;
}

// A bill is marked (Is_GstR2A) while some portal invoice, of any return or period, is matched with it.
void PortalMatching::refreshBillMarks(const std::vector<qint64>& bills) {
    for (qint64 bill : std::set<qint64>(bills.begin(), bills.end()))
        db_.exec(QStringLiteral("UPDATE BillMst SET Is_GstR2A = CASE WHEN EXISTS (SELECT 1 FROM GSTR2_A g WHERE g.FirmNo = ? AND g.BillId = ? "
                                "AND g.MatchKind IN ('E', 'C')) THEN 1 ELSE 0 END WHERE Id = ? AND FirmNO = ?"),
                 {session_.firmNo, bill, bill, session_.firmNo});
}

std::optional<MatchResult> PortalMatching::match(PortalReturn kind, const ReturnPeriod& period) {
    Gstr1Service(db_, session_).checkPeriod(period);
    const int batch = batchOf(kind, period);
    if (batch == 0) throw GstError(QStringLiteral("No %1 is imported for %2: import the portal's file first.").arg(portalReturnName(kind), monthText(period)));
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    db::Transaction tx(db_);
    const QVariantList firm = {session_.firmNo};

    // The portal's invoices of the import, their rows together; the operator's decisions stay.
    std::map<std::tuple<QString, QString, QDate>, PortalInvoice> invoices;
    std::vector<qint64> marked;
    db_.forEach(QStringLiteral("SELECT Id, GSTIN, InvNO, InvDate, InvValue, BillId, MatchKind FROM GSTR2_A WHERE FirmNo = ? AND RefNO = ? ORDER BY Id"),
                {session_.firmNo, batch}, [&](const db::Row& row) {
                    const QString gstin = row.text(QStringLiteral("GSTIN")).trimmed().toUpper();
                    const QString number = row.text(QStringLiteral("InvNO")).trimmed();
                    const QDate date = row.date(QStringLiteral("InvDate"));
                    PortalInvoice& inv = invoices[{gstin, number.toUpper(), date}];
                    inv.rows.push_back(row.integer(QStringLiteral("Id")));
                    inv.gstin = gstin;
                    inv.number = number;
                    inv.date = date;
                    inv.value = Decimal::fromVariant(row.value(QStringLiteral("InvValue"))).roundHalfEven(2);
                    const MatchState state = stateOf(row.text(QStringLiteral("MatchKind")));
                    if (row.integer(QStringLiteral("BillId")) != 0) marked.push_back(row.integer(QStringLiteral("BillId")));
                    if (state == MatchState::Confirmed || state == MatchState::Rejected) {
                        inv.state = state;
                        inv.billId = row.integer(QStringLiteral("BillId"));
                    }
                });

    // Bills already matched by another import of the same return cannot be matched again.
    std::set<qint64> taken;
    db_.forEach(QStringLiteral("SELECT BillId FROM GSTR2_A WHERE FirmNo = ? AND Source = ? AND RefNO <> ? AND MatchKind IN ('E', 'C')"),
                {session_.firmNo, portalReturnCode(kind), batch}, [&](const db::Row& row) { taken.insert(row.integer(QStringLiteral("BillId"))); });
    for (const auto& [key, inv] : invoices)
        if (inv.state == MatchState::Confirmed) taken.insert(inv.billId);

    // The purchase bills of registered suppliers, by GSTIN and date.
    std::map<std::pair<QString, QDate>, std::vector<MatchBill>> bills;
    db_.forEach(QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, m.BillAmount, a.TinNo FROM BillMst m INNER JOIN AccMst a ON a.Id = m.PartyID "
                               "WHERE m.FirmNO = ? AND m.FormId = 1 AND (m.IsOp = 0 OR m.IsOp IS NULL) AND (m.Is_SkipGst = 0 OR m.Is_SkipGst IS NULL) "
                               "AND COALESCE(a.TinNo, '') <> ''"),
                firm, [&](const db::Row& row) {
                    MatchBill b;
                    b.id = row.integer(QStringLiteral("Id"));
                    b.gstin = row.text(QStringLiteral("TinNo")).trimmed().toUpper();
                    b.number = row.text(QStringLiteral("BillNO")).trimmed();
                    b.date = row.date(QStringLiteral("BillDate"));
                    b.value = Decimal::fromVariant(row.value(QStringLiteral("BillAmount"))).roundHalfEven(2);
                    bills[{b.gstin, b.date}].push_back(b);
                });

    // First pass: same GSTIN, date, number and amount.
    for (auto& [key, inv] : invoices) {
        if (inv.state == MatchState::Confirmed) continue;
        for (const MatchBill& b : bills[{inv.gstin, inv.date}]) {
            if (taken.count(b.id) || b.number.compare(inv.number, Qt::CaseInsensitive) != 0 || b.value != inv.value) continue;
            inv.state = MatchState::Exact;
            inv.billId = b.id;
            taken.insert(b.id);
            break;
        }
    }
    // Second pass: near numbers and amounts within a rupee, the closest amount first, for the operator to confirm.
    const Decimal rupee(1);
    for (auto& [key, inv] : invoices) {
        if (inv.state != MatchState::None && inv.state != MatchState::Rejected) continue;
        const MatchBill* best = nullptr;
        for (const MatchBill& b : bills[{inv.gstin, inv.date}]) {
            if (taken.count(b.id) || (inv.state == MatchState::Rejected && b.id == inv.billId)) continue;
            const Decimal difference = (b.value - inv.value).abs();
            if (difference > rupee || !nearInvoiceNumbers(b.number, inv.number)) continue;
            if (!best || difference < (best->value - inv.value).abs()) best = &b;
        }
        if (!best) continue;
        inv.state = MatchState::Proposed;
        inv.billId = best->id;
        taken.insert(best->id);
    }

    MatchResult result;
    for (const auto& [key, inv] : invoices) {
        for (qint64 row : inv.rows)
            db_.exec(QStringLiteral("UPDATE GSTR2_A SET BillId = ?, MatchKind = ?, Is_GSTR2A = ? WHERE Id = ?"),
                     {inv.state == MatchState::None ? 0 : inv.billId, kindCode(inv.state), isMatch(inv.state), row});
        if (inv.billId) marked.push_back(inv.billId);
        if (isMatch(inv.state)) ++result.matched;
        else if (inv.state == MatchState::Proposed) ++result.proposed;
        else ++result.unmatched;
    }
    // The period's bills lose the marks of an earlier match and take those of this one.
    db_.forEach(QStringLiteral("SELECT m.Id FROM BillMst m INNER JOIN AccMst a ON a.Id = m.PartyID WHERE m.FirmNO = ? AND m.FormId = 1 "
                               "AND COALESCE(a.TinNo, '') <> '' AND m.BillDate BETWEEN ? AND ?"),
                {session_.firmNo, period.from, period.to}, [&](const db::Row& row) { marked.push_back(row.integer(QStringLiteral("Id"))); });
    refreshBillMarks(marked);
    tx.commit();
    return result;
}

bool PortalMatching::setProposal(qint64 rowId, MatchState to) {
    if (yearLockRefuses(session_, messages_)) return false;
    const auto row = db_.queryOne(QStringLiteral("SELECT RefNO, GSTIN, InvNO, InvDate, BillId, MatchKind FROM GSTR2_A WHERE Id = ? AND FirmNo = ?"),
                                  {rowId, session_.firmNo});
    const MatchState state = row ? stateOf(row->text(QStringLiteral("MatchKind"))) : MatchState::None;
    const bool allowed = to == MatchState::Confirmed ? state == MatchState::Proposed : (state == MatchState::Proposed || state == MatchState::Confirmed);
    if (!allowed) {
        messages_.critical(kTitle, to == MatchState::Confirmed ? QStringLiteral("This invoice has no proposed bill to confirm.")
                                                               : QStringLiteral("This invoice has no proposed or confirmed bill to reject."));
        return false;
    }
    const qint64 bill = row->integer(QStringLiteral("BillId"));
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("UPDATE GSTR2_A SET MatchKind = ?, Is_GSTR2A = ? WHERE FirmNo = ? AND RefNO = ? AND GSTIN = ? AND InvNO = ? AND InvDate = ?"),
             {kindCode(to), isMatch(to), session_.firmNo, row->value(QStringLiteral("RefNO")), row->text(QStringLiteral("GSTIN")),
              row->text(QStringLiteral("InvNO")), row->date(QStringLiteral("InvDate"))});
    refreshBillMarks({bill});
    tx.commit();
    return true;
}

bool PortalMatching::confirm(qint64 rowId) { return setProposal(rowId, MatchState::Confirmed); }
bool PortalMatching::reject(qint64 rowId) { return setProposal(rowId, MatchState::Rejected); }

bool PortalMatching::tickBill(qint64 billId, bool ticked) {
    if (yearLockRefuses(session_, messages_)) return false;
    db_.exec(QStringLiteral("UPDATE BillMst SET Is_GstR2A = ? WHERE Id = ? AND FirmNo = ?"), {ticked, billId, session_.firmNo});
    return true;
}

Reconciliation PortalMatching::view(PortalReturn kind, const ReturnPeriod& period) const {
    Gstr1Service(db_, session_).checkPeriod(period);
    Reconciliation r;
    r.kind = kind;
    r.period = period;
    r.batch = batchOf(kind, period);

    // The portal's rows, each with the bill it stands against.
    std::set<std::tuple<QString, QString, QDate>> invoices, matchedInvoices, proposedInvoices;
    std::map<qint64, const PortalRow*> byBill;
    db_.forEach(QStringLiteral("SELECT g.*, m.BillNO AS BookNo, m.BillDate AS BookDate, m.BillAmount AS BookValue FROM GSTR2_A g "
                               "LEFT JOIN BillMst m ON m.Id = g.BillId WHERE g.FirmNo = ? AND g.RefNO = ? ORDER BY g.AcNAme, g.GSTIN, g.InvDate, g.InvNO, g.Id"),
                {session_.firmNo, r.batch}, [&](const db::Row& row) {
                    PortalRow p;
                    p.id = row.integer(QStringLiteral("Id"));
                    p.gstin = row.text(QStringLiteral("GSTIN"));
                    p.supplier = row.text(QStringLiteral("AcNAme"));
                    p.invoiceNo = row.text(QStringLiteral("InvNO"));
                    p.invoiceType = row.text(QStringLiteral("InvType"));
                    p.date = row.date(QStringLiteral("InvDate"));
                    p.invoiceValue = Decimal::fromVariant(row.value(QStringLiteral("InvValue"))).roundHalfEven(2);
                    p.placeOfSupply = row.text(QStringLiteral("StateNm"));
                    p.reverseCharge = row.text(QStringLiteral("RevCh"));
                    for (auto [field, column] : {std::pair{&p.rate, "GSTRate"}, {&p.taxable, "Tax_Amt"}, {&p.igst, "IGSTrs"}, {&p.cgst, "CGSTRs"},
                                                 {&p.sgst, "SGSTRs"}, {&p.cess, "Cess"}})
                        *field = Decimal::fromVariant(row.value(QString::fromLatin1(column))).roundHalfEven(2);
                    p.status = row.text(QStringLiteral("RetStatus"));
                    p.billId = row.integer(QStringLiteral("BillId"));
                    p.state = stateOf(row.text(QStringLiteral("MatchKind")));
                    const QString bill = documentText(row.text(QStringLiteral("BookNo")), row.date(QStringLiteral("BookDate")),
                                                      Decimal::fromVariant(row.value(QStringLiteral("BookValue"))));
                    switch (p.state) {
                    case MatchState::Exact: p.statusText = QStringLiteral("Matched"); break;
                    case MatchState::Confirmed: p.statusText = QStringLiteral("Matched (confirmed): ") + bill; break;
                    case MatchState::Proposed: p.statusText = QStringLiteral("Proposed: ") + bill; break;
                    default: p.statusText = QStringLiteral("Not in books");
                    }
                    const auto key = std::make_tuple(p.gstin, p.invoiceNo, p.date);
                    invoices.insert(key);
                    if (p.matched()) matchedInvoices.insert(key);
                    if (p.state == MatchState::Proposed) proposedInvoices.insert(key);
                    r.portal.push_back(p);
                });
    for (const PortalRow& p : r.portal)
        if (p.billId && p.state != MatchState::Rejected) byBill[p.billId] = &p;
    r.portalInvoices = int(invoices.size());
    r.portalMatched = int(matchedInvoices.size());
    r.portalProposed = int(proposedInvoices.size());

    // The period's bills of registered suppliers, and those of other dates this import matched.
    db_.forEach(QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, m.BillAmount, m.InvType, m.TotAmt, m.CSTRs, m.ATAXRs, m.VatRs, "
                               "COALESCE(m.RCM_ID, 0) AS Rcm, COALESCE(m.Is_GstR2A, 0) AS Ticked, a.AcName, a.TinNo, COALESCE(a.Is_RevCh, 0) AS PartyRcm, "
                               "COALESCE(a.CSTNo, '') AS PartyState, "
                               "(SELECT MAX(d.VatPD + d.ATaxPD) FROM BillDtl d WHERE d.BillMstId = m.Id) AS Rate "
                               "FROM BillMst m INNER JOIN AccMst a ON a.Id = m.PartyID WHERE m.FirmNO = ? AND m.FormId = 1 "
                               "AND (m.IsOp = 0 OR m.IsOp IS NULL) AND (m.Is_SkipGst = 0 OR m.Is_SkipGst IS NULL) AND COALESCE(a.TinNo, '') <> '' "
                               "AND (m.BillDate BETWEEN ? AND ? OR m.Id IN (SELECT g.BillId FROM GSTR2_A g WHERE g.FirmNo = ? AND g.RefNO = ?)) "
                               "ORDER BY a.AcName, m.BillDate, m.BillNO, m.Id"),
                {session_.firmNo, period.from, period.to, session_.firmNo, r.batch}, [&](const db::Row& row) {
                    BookBill b;
                    b.id = row.integer(QStringLiteral("Id"));
                    b.gstin = row.text(QStringLiteral("TinNo")).trimmed().toUpper();
                    b.supplier = row.text(QStringLiteral("AcName"));
                    b.billNo = row.text(QStringLiteral("BillNO"));
                    b.invoiceType = invoiceTypeText(row.text(QStringLiteral("InvType")));
                    b.date = row.date(QStringLiteral("BillDate"));
                    b.value = Decimal::fromVariant(row.value(QStringLiteral("BillAmount"))).roundHalfEven(2);
                    b.rate = Decimal::fromVariant(row.value(QStringLiteral("Rate"))).roundHalfEven(2);
                    b.taxable = Decimal::fromVariant(row.value(QStringLiteral("TotAmt"))).roundHalfEven(2);
                    b.igst = Decimal::fromVariant(row.value(QStringLiteral("CSTRs"))).roundHalfEven(2);
                    b.cgst = Decimal::fromVariant(row.value(QStringLiteral("ATAXRs"))).roundHalfEven(2);
                    b.sgst = Decimal::fromVariant(row.value(QStringLiteral("VatRs"))).roundHalfEven(2);
                    b.placeOfSupply = row.text(QStringLiteral("PartyState")).trimmed();
                    b.reverseCharge = row.integer(QStringLiteral("Rcm")) > 0 || row.flag(QStringLiteral("PartyRcm"));
                    b.ticked = row.flag(QStringLiteral("Ticked"));
                    const auto link = byBill.find(b.id);
                    if (link != byBill.end()) {
                        const PortalRow& p = *link->second;
                        b.state = p.state;
                        const QString invoice = documentText(p.invoiceNo, p.date, p.invoiceValue);
                        b.statusText = p.state == MatchState::Exact       ? QStringLiteral("Matched")
                                       : p.state == MatchState::Confirmed ? QStringLiteral("Matched (confirmed): ") + invoice
                                                                          : QStringLiteral("Proposed: ") + invoice;
                    } else {
                        b.statusText = b.ticked ? QStringLiteral("Ticked") : QStringLiteral("Not on portal");
                    }
                    if (isMatch(b.state) || b.ticked) ++r.bookMatched;
                    r.books.push_back(b);
                });
    r.bookBills = int(r.books.size());
    return r;
}

QString importedText(PortalReturn kind) {
    return kind == PortalReturn::Gstr2B ? QStringLiteral("GSTR2 B Imported") : QStringLiteral("GSTR2 A Imported");
}

QString mismatchFileName(const Reconciliation& r) {
    return QStringLiteral("KNVS_GSTR%1_MISMATCH_%2.XLSx")
        .arg(portalReturnCode(r.kind), QLocale(QLocale::English).toString(r.period.from, QStringLiteral("MMM-yyyy")));
}

void writeMismatches(const Reconciliation& r, const QString& firmName, const QString& path) {
    const QStringList header = {"Side", "GSTIN", "Party", "Invoice No", "Type", "Date", "Value", "Place Of Supply", "Reverse Charge", "Rate",
                                "Taxable Value", "IGST", "CGST", "SGST", "Cess", "Status"};
    try {
        reports::XlsxBook book;
        book.addSheet(QStringLiteral("ONLINE MIS-MATCH"));
        book.merge(QStringLiteral("A1:P1"), QStringLiteral("ONLINE MIS-MATCH"), true);
        book.write(1, 0, QStringLiteral("%1, %2 of %3 to %4").arg(firmName, portalReturnName(r.kind), shownDate(r.period.from), shownDate(r.period.to)));
        for (int c = 0; c < header.size(); ++c) book.write(3, c, header.at(c), true);
        const QString money = QStringLiteral("#,##0.00");
        int row = 4;
        auto amounts = [&](int first, std::initializer_list<Decimal> values) {
            int c = first;
            for (const Decimal& v : values) book.write(row, c++, v.toDouble(), false, money);
        };
        for (const BookBill& b : r.books) {
            if (isMatch(b.state) || b.ticked) continue;
            const QStringList texts = {QStringLiteral("Books"), b.gstin, b.supplier, b.billNo, b.invoiceType};
            for (int c = 0; c < texts.size(); ++c) book.write(row, c, texts.at(c));
            book.write(row, 5, b.date, false, QStringLiteral("dd-mm-yyyy"));
            amounts(6, {b.value});
            book.write(row, 8, b.reverseCharge ? QStringLiteral("Y") : QStringLiteral("N"));
            amounts(9, {b.rate, b.taxable, b.igst, b.cgst, b.sgst, Decimal()});
            book.write(row, 15, b.statusText);
            ++row;
        }
        for (const PortalRow& p : r.portal) {
            if (p.matched()) continue;
            const QStringList texts = {QStringLiteral("Portal"), p.gstin, p.supplier, p.invoiceNo, p.invoiceType};
            for (int c = 0; c < texts.size(); ++c) book.write(row, c, texts.at(c));
            book.write(row, 5, p.date, false, QStringLiteral("dd-mm-yyyy"));
            amounts(6, {p.invoiceValue});
            book.write(row, 7, p.placeOfSupply);
            book.write(row, 8, p.reverseCharge);
            amounts(9, {p.rate, p.taxable, p.igst, p.cgst, p.sgst, p.cess});
            book.write(row, 15, p.statusText);
            ++row;
        }
        for (int c : {1, 2, 15}) book.setColumnWidth(c, c == 15 ? 44 : 22);
        book.save(path);
    } catch (const reports::ReportError& e) {
        throw GstError(e.text());
    }
}

}  // namespace tanabana::gst
