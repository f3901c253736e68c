#include "domain/gst/NoteRows.h"

#include "domain/gst/GstQueries.h"
#include "domain/gst/GstRules.h"
#include "domain/shell/ListFiles.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace tanabana::gst {

namespace {


// GST began on 01-07-2017; notes on invoices before it are marked so.
const QDate kGstStart(2017, 7, 1);

// The reason line of a note's two-character code from the firm's list ("02" -> "02-Post sale discount").
QString reasonLine(const QStringList& reasons, const QString& code) {
    const QString c = code.trimmed();
    if (c.isEmpty()) return {};
    for (const QString& line : reasons)
        if (line.trimmed().left(c.size()) == c && line.trimmed().mid(c.size(), 1) == QLatin1String("-")) return line.trimmed();
    return c;
}

// The party columns every note query reads, from the account aliased a.
const QString kPartyColumns = QStringLiteral(
    "COALESCE(a.AcName, '') AS PartyName, COALESCE(a.TinNo, '') AS Gstin, COALESCE(a.CSTNo, '') AS PartyState, "
    "COALESCE(a.IsOgs, 0) AS OtherState, COALESCE(a.EcNo, '') AS EcNo, COALESCE(a.PanNO, '') AS PanNo");

// The original sales invoice's columns, from the bill aliased o and its book ob.
const QString kOriginalColumns = QStringLiteral(
    "o.Id AS OrigId, COALESCE(ob.BookShortName, '') AS OrigPrefix, o.BillNO AS OrigNo, o.BillDate AS OrigDate, "
    "o.BillAmount AS OrigValue, COALESCE(o.InvType, '') AS OrigType, COALESCE(o.CSTRs, 0) AS OrigIgst");

struct Party {
    QString name, gstin, state, panNo;
    bool otherState = false, composition = false;
};

Party partyOf(const db::Row& row) {
    Party p;
    p.name = row.text(QStringLiteral("PartyName"));
    p.gstin = row.text(QStringLiteral("Gstin")).trimmed().toUpper();
    p.state = row.text(QStringLiteral("PartyState")).trimmed();
    p.otherState = row.flag(QStringLiteral("OtherState"));
    p.composition = !p.gstin.isEmpty() && row.text(QStringLiteral("EcNo")).trimmed() == QLatin1String("1");
    p.panNo = row.text(QStringLiteral("PanNo")).trimmed().toUpper();
    return p;
}

// The invoice a sales note is against, as read from the columns of kOriginalColumns.
struct Original {
    DocumentRef document;
    Decimal value;
    bool exported = false, igstPaid = false;
};

Original originalOf(const db::Row& row, const QString& party) {
    Original o;
    o.document.id = row.integer(QStringLiteral("OrigId"));
    o.document.book = row.text(QStringLiteral("OrigPrefix"));
    o.document.billNo = row.text(QStringLiteral("OrigNo")).trimmed();
    o.document.number = o.document.book + o.document.billNo;
    o.document.date = row.date(QStringLiteral("OrigDate"));
    o.document.party = party;
    o.value = Decimal::amount(row.value(QStringLiteral("OrigValue")));
    o.exported = row.text(QStringLiteral("OrigType")).trimmed().toUpper() == QLatin1String("E");
    o.igstPaid = Decimal::amount(row.value(QStringLiteral("OrigIgst"))) > Decimal();
    return o;
}

// Fills what a note row takes from its party and its original invoice, and decides whether it goes
// to CDNUR: against an export as EXPWP/EXPWOP (exports are never among registered supplies), for an
// unregistered buyer against an invoice that was B2CL (inter-state above the threshold of its
// date) as B2CL; the notes on smaller unregistered sales lower the B2CS rows instead.
void settle(NoteRateRow& n, const Party& p, const Original& o, const QString& firmStateCode) {
    n.gstin = p.gstin;
    n.placeOfSupply = p.state;
    n.compositionBuyer = p.composition;
    n.interState = !n.igst.isZero() || interStateParty(firmStateCode, p.state, p.otherState);
    n.original = o.document;
    n.preGst = o.document.date.isValid() && o.document.date < kGstStart;
    n.againstExport = o.document.id > 0 && o.exported;
    if (n.againstExport) {
        n.interState = true;
        n.unregisteredType = exportTypeOf(p.panNo, !o.igstPaid);
    } else if (n.gstin.isEmpty() && o.document.id > 0 && n.interState && o.value > b2clThreshold(o.document.date)) {
        n.unregisteredType = QStringLiteral("B2CL");
    }
}

void orderNotes(std::vector<NoteRateRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const NoteRateRow& a, const NoteRateRow& b) {
        return std::make_tuple(a.document.date, serialOf(a.document.billNo), a.document.formId, a.document.id, a.rate) <
               std::make_tuple(b.document.date, serialOf(b.document.billNo), b.document.formId, b.document.id, b.rate);
    });
}

// Sales returns of the period per return and rate, each with the customer's bill its number names
// (the one of the typed date when two books share the number).
void salesReturns(db::Database& db, const QVariantList& params, const QString& firmStateCode, std::vector<NoteRateRow>& out) {
    std::map<qint64, Original> originals;
    std::map<qint64, bool> exactDate;
    db.forEach(QStringLiteral("SELECT r.Id AS ReturnId, r.Sal_Bill_Dt AS Wanted, ") + kOriginalColumns +
                   // the period's few returns lead (CROSS JOIN keeps that order), each finding its customer's bills
                   QStringLiteral(" FROM SalBillMst r CROSS JOIN SalBillMst o LEFT JOIN BookMst ob ON ob.BookNO = o.BookNO AND ob.FirmNO = o.FirmNO "
                                  "WHERE ") +
                   salesDocumentsOfPeriod(QStringLiteral("r"), 4) +
                   QStringLiteral(" AND o.FirmNO = r.FirmNO AND o.PartyID = r.PartyID AND o.FormId = 3 AND o.BillNO = r.AGAINST"),
               params, [&](const db::Row& row) {
                   const qint64 id = row.integer(QStringLiteral("ReturnId"));
                   const Original o = originalOf(row, {});
                   const bool exact = o.document.date == row.date(QStringLiteral("Wanted"));
                   auto [it, fresh] = originals.try_emplace(id, o);
                   if (!fresh && (exactDate[id] || (!exact && o.document.date <= it->second.document.date))) return;
                   it->second = o;
                   exactDate[id] = exact;
               });
    const db::Dialect& sql = db.dialect();
    db.forEach(QStringLiteral("SELECT m.Id, COALESCE(b.BookShortName, '') AS Prefix, m.BillNO, m.BillDate, m.BillAmount, "
                              "COALESCE(m.AGAINST, '') AS Against, m.Sal_Bill_Dt AS AgainstDate, ") +
                   kPartyColumns + QStringLiteral(", t.Rate, t.Taxable, t.Igst, t.Cgst, t.Sgst FROM (SELECT d.BillMstId, d.DVatP + d.DATaxP AS Rate, ") +
                   salesLineSums(sql) + QStringLiteral(" FROM SalBillDtl d INNER JOIN SalBillMst x ON x.Id = d.BillMstId WHERE ") +
                   salesDocumentsOfPeriod(QStringLiteral("x"), 4) +
                   QStringLiteral(" GROUP BY d.BillMstId, d.DVatP + d.DATaxP) t INNER JOIN SalBillMst m ON m.Id = t.BillMstId "
                                  "LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO"),
               params, [&](const db::Row& row) {
                   const Party p = partyOf(row);
                   NoteRateRow n;
                   n.document = salesDocumentOf(row);
                   n.document.formId = 4;
                   n.noteType = QStringLiteral("C");
                   n.reason = salesReturnReason();
                   n.noteValue = Decimal::amount(row.value(QStringLiteral("BillAmount")));
                   takeRateAndTaxes(n, row);
                   const auto found = originals.find(n.document.id);
                   Original o;
                   if (found != originals.end()) {
                       o = found->second;
                   } else {
                       // No bill of the customer has the number typed: keep what was typed.
                       o.document.number = o.document.billNo = row.text(QStringLiteral("Against")).trimmed();
                       o.document.date = row.date(QStringLiteral("AgainstDate"));
                   }
                   o.document.party = p.name;
                   settle(n, p, o, firmStateCode);
                   out.push_back(std::move(n));
               });
}

// Credit notes on sales bills of the period: one row each, at the note's own rate.
void creditNotes(db::Database& db, const Session& session, const QVariantList& params, const QString& firmStateCode,
                 std::vector<NoteRateRow>& out) {
    const QStringList reasons = shell::readListFile(session.dataRoot, QStringLiteral("CNDN.txt"));
    std::set<qint64> seen;
    db.forEach(QStringLiteral("SELECT n.Id, COALESCE(n.CNNo, '') AS CNNo, n.CnDate, n.NetAmt, n.CNTotAmt, "
                              "COALESCE(n.VATP, 0) + COALESCE(n.ATAXP, 0) + COALESCE(n.IGSTP, 0) AS Rate, n.IGSTRs, n.ATAXRs, n.VatRs, "
                              "COALESCE(n.RefType, '') AS RefType, ") +
                   kPartyColumns + QStringLiteral(", ") + kOriginalColumns +
                   QStringLiteral(" FROM CNMst n LEFT JOIN AccMst a ON a.Id = n.AcID LEFT JOIN CNDtl c ON c.CNId = n.Id "
                                  "LEFT JOIN SalBillMst o ON o.Id = c.BillId AND o.FormId = 3 "
                                  "LEFT JOIN BookMst ob ON ob.BookNO = o.BookNO AND ob.FirmNO = o.FirmNO WHERE ") +
                   notesOfPeriod(QStringLiteral("C")) + QStringLiteral(" ORDER BY n.Id, c.Sno"),
               params, [&](const db::Row& row) {
                   NoteRateRow n;
                   n.document.id = row.integer(QStringLiteral("Id"));
                   if (!seen.insert(n.document.id).second) return;  // one referred bill a note
                   const Party p = partyOf(row);
                   n.document.formId = 21;
                   n.document.billNo = n.document.number = row.text(QStringLiteral("CNNo")).trimmed();
                   n.document.date = row.date(QStringLiteral("CnDate"));
                   n.document.party = p.name;
                   n.noteType = QStringLiteral("C");
                   n.reason = reasonLine(reasons, row.text(QStringLiteral("RefType")));
                   n.noteValue = Decimal::amount(row.value(QStringLiteral("NetAmt")));
                   n.rate = Decimal::amount(row.value(QStringLiteral("Rate")));
                   n.taxable = Decimal::amount(row.value(QStringLiteral("CNTotAmt")));
                   n.igst = Decimal::amount(row.value(QStringLiteral("IGSTRs")));
                   n.cgst = Decimal::amount(row.value(QStringLiteral("ATAXRs")));
                   n.sgst = n.igst.isZero() ? Decimal::amount(row.value(QStringLiteral("VatRs"))) : Decimal();
                   Original o = originalOf(row, p.name);
                   if (o.document.id <= 0) o = Original{};
                   settle(n, p, o, firmStateCode);
                   out.push_back(std::move(n));
               });
}

}  // namespace

const QString& salesReturnReason() {
    static const QString reason = QStringLiteral("01-Sales Return");
    return reason;
}

bool interStateParty(const QString& firmStateCode, const QString& partyState, bool otherState) {
    const QString code = stateCodeOf(partyState);
    return otherState || (!code.isEmpty() && !firmStateCode.isEmpty() && code != firmStateCode);
}

std::vector<NoteRateRow> salesNoteRows(db::Database& db, const Session& session, const ReturnPeriod& period) {
    const Gstr1Service service(db, session);
    const QString firmState = service.firm().stateCode();
    const QVariantList params = {session.firmNo, period.from, period.to};
    std::vector<NoteRateRow> rows;
    salesReturns(db, params, firmState, rows);
    creditNotes(db, session, params, firmState, rows);
    orderNotes(rows);
    return rows;
}

std::vector<HsnReduction> salesNoteHsn(db::Database& db, const Session& session, const ReturnPeriod& period) {
    const QVariantList params = {session.firmNo, period.from, period.to};
    std::vector<HsnReduction> out;
    // Returned goods, line by line as the summary groups the sales.
    db.forEach(salesHsnQuery(db.dialect(), 4), params, [&](const db::Row& row) {
        out.push_back({hsnRowOf(row), row.integer(QStringLiteral("Registered")) == 1});
    });
    // A credit note counts under its own item, or else the first item of the bill it is against.
    db.forEach(QStringLiteral("SELECT COALESCE(p.UQM, '') AS Uqc, COALESCE(p.hsnCode, '') AS Hsn, COALESCE(p.LicenceNo, '') AS Description, "
                              "COALESCE(n.VATP, 0) + COALESCE(n.ATAXP, 0) + COALESCE(n.IGSTP, 0) AS Rate, 0 AS Qty, n.NetAmt AS TotalValue, "
                              "n.CNTotAmt AS Taxable, n.IGSTRs AS Igst, n.ATAXRs AS Cgst, "
                              "CASE WHEN COALESCE(n.IGSTRs, 0) <> 0 THEN 0 ELSE n.VatRs END AS Sgst, "
                              "CASE WHEN COALESCE(a.TinNo, '') <> '' AND COALESCE(o.InvType, '') <> 'E' THEN 1 ELSE 0 END AS Registered "
                              "FROM CNMst n LEFT JOIN AccMst a ON a.Id = n.AcID "
                              "LEFT JOIN CNDtl c ON c.CNId = n.Id AND c.Sno = (SELECT MIN(c2.Sno) FROM CNDtl c2 WHERE c2.CNId = n.Id) "
                              "LEFT JOIN SalBillMst o ON o.Id = c.BillId AND o.FormId = 3 "
                              "LEFT JOIN SalBillDtl f ON f.BillMstId = o.Id AND f.Srno = (SELECT MIN(g.Srno) FROM SalBillDtl g WHERE g.BillMstId = o.Id) "
                              "LEFT JOIN ProdMst p ON p.Id = CASE WHEN COALESCE(n.Q_ID, 0) > 0 THEN n.Q_ID ELSE f.PCode END WHERE ") +
                   notesOfPeriod(QStringLiteral("C")),
               params, [&](const db::Row& row) { out.push_back({hsnRowOf(row), row.integer(QStringLiteral("Registered")) == 1}); });
    return out;
}

std::vector<InwardNoteRow> purchaseNoteRows(db::Database& db, const Session& session, const ReturnPeriod& period) {
    const QVariantList params = {session.firmNo, period.from, period.to};
    const QString firmState = Gstr1Service(db, session).firm().stateCode();
    std::vector<InwardNoteRow> rows;
    auto fill = [&](InwardNoteRow& n, const db::Row& row) {
        const Party p = partyOf(row);
        n.gstin = p.gstin;
        n.supplier = p.name.trimmed();
        takeRateAndTaxes(n, row);
        if (!n.igst.isZero()) n.sgst = Decimal();
        n.interState = !n.igst.isZero() || (n.cgst.isZero() && interStateParty(firmState, p.state, p.otherState));
        n.preGst = n.invoiceDate.isValid() && n.invoiceDate < kGstStart;
        n.reverseCharge = row.integer(QStringLiteral("Rcm")) > 0;
        rows.push_back(std::move(n));
    };
    // Goods sent back, per return and rate, against the supplier's bill named on the return.
    db.forEach(QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, m.BillAmount, COALESCE(m.Pur_Bill_No, '') AS Against, "
                              "m.Pur_Bill_Dt AS AgainstDate, COALESCE(m.RCM_ID, 0) AS Rcm, ") +
                   kPartyColumns + QStringLiteral(", t.Rate, t.Taxable, t.Igst, t.Cgst, t.Sgst FROM (SELECT d.BillMstId, d.VatPD + d.ATaxPD AS Rate, ") +
                   purchaseLineSums(db.dialect()) + QStringLiteral(" FROM BillDtl d INNER JOIN BillMst x ON x.Id = d.BillMstId WHERE ") +
                   purchaseDocumentsOfPeriod(QStringLiteral("x"), 2) +
                   QStringLiteral(" GROUP BY d.BillMstId, d.VatPD + d.ATaxPD) t INNER JOIN BillMst m ON m.Id = t.BillMstId "
                                  "LEFT JOIN AccMst a ON a.Id = m.PartyID"),
               params, [&](const db::Row& row) {
                   InwardNoteRow n;
                   n.documentId = row.integer(QStringLiteral("Id"));
                   n.formId = 2;
                   n.noteNo = row.text(QStringLiteral("BillNO")).trimmed();
                   n.noteDate = row.date(QStringLiteral("BillDate"));
                   n.documentType = QStringLiteral("D");
                   n.invoiceNo = row.text(QStringLiteral("Against")).trimmed();
                   n.invoiceDate = row.date(QStringLiteral("AgainstDate"));
                   n.reason = salesReturnReason();
                   n.noteValue = Decimal::amount(row.value(QStringLiteral("BillAmount")));
                   fill(n, row);
               });
    // Debit notes on the supplier's bills: one row each, at the note's rate.
    const QStringList reasons = shell::readListFile(session.dataRoot, QStringLiteral("CNDN.txt"));
    std::set<qint64> seen;
    db.forEach(QStringLiteral("SELECT n.Id, COALESCE(n.CNNo, '') AS CNNo, n.CnDate, n.NetAmt, n.CNTotAmt AS Taxable, "
                              "COALESCE(n.VATP, 0) + COALESCE(n.ATAXP, 0) + COALESCE(n.IGSTP, 0) AS Rate, n.IGSTRs AS Igst, n.ATAXRs AS Cgst, "
                              "n.VatRs AS Sgst, COALESCE(n.RefType, '') AS RefType, o.BillNO AS OrigNo, o.BillDate AS OrigDate, "
                              "COALESCE(o.RCM_ID, 0) AS Rcm, ") +
                   kPartyColumns +
                   QStringLiteral(" FROM CNMst n LEFT JOIN AccMst a ON a.Id = n.AcID LEFT JOIN CNDtl c ON c.CNId = n.Id "
                                  "LEFT JOIN BillMst o ON o.Id = c.BillId AND o.FormId = 1 WHERE ") +
                   notesOfPeriod(QStringLiteral("D")) + QStringLiteral(" ORDER BY n.Id, c.Sno"),
               params, [&](const db::Row& row) {
                   InwardNoteRow n;
                   n.documentId = row.integer(QStringLiteral("Id"));
                   if (!seen.insert(n.documentId).second) return;
                   n.formId = 22;
                   n.noteNo = row.text(QStringLiteral("CNNo")).trimmed();
                   n.noteDate = row.date(QStringLiteral("CnDate"));
                   n.documentType = QStringLiteral("D");
                   n.invoiceNo = row.text(QStringLiteral("OrigNo")).trimmed();
                   n.invoiceDate = row.date(QStringLiteral("OrigDate"));
                   n.reason = reasonLine(reasons, row.text(QStringLiteral("RefType")));
                   n.noteValue = Decimal::amount(row.value(QStringLiteral("NetAmt")));
                   fill(n, row);
               });
    std::stable_sort(rows.begin(), rows.end(), [](const InwardNoteRow& a, const InwardNoteRow& b) {
        return std::make_tuple(a.noteDate, a.supplier, a.noteNo, a.formId, a.documentId, a.rate) <
               std::make_tuple(b.noteDate, b.supplier, b.noteNo, b.formId, b.documentId, b.rate);
    });
    return rows;
}

}  // namespace tanabana::gst
