#include "domain/gst/Gstr1Check.h"

#include "domain/gst/GstRules.h"
#include "domain/gst/NoteRows.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace tanabana::gst {

namespace {

const QString kPartyFix = QStringLiteral("Correct the party's GSTIN in the account master.");
const QString kItemHsnFix = QStringLiteral("Enter the HSN code of the quality in the product master.");

struct Bill {
    DocumentRef document;
    bool exported = false;
    QString gstin, state, portCode;
};

// The port of an export: the six letters and digits of the customs port code ("INNSA1").
void portProblems(const Bill& bill, std::vector<Gstr1Problem>& out) {
    if (!bill.exported) return;
    const QString fix = QStringLiteral("Type the port code (six letters and digits, as INNSA1) on the export bill.");
    if (bill.portCode.isEmpty()) {
        out.push_back({bill.document, QStringLiteral("Export invoice %1 has no port code.").arg(bill.document.number), fix});
        return;
    }
    bool ok = bill.portCode.size() == 6;
    for (const QChar c : bill.portCode) ok = ok && c.isLetterOrNumber() && c.unicode() < 128;
    if (!ok)
        out.push_back({bill.document,
                       QStringLiteral("Port code %1 of export invoice %2 is not six letters and digits.").arg(bill.portCode, bill.document.number), fix});
}

void partyProblems(const Bill& bill, std::vector<Gstr1Problem>& out) {
    const QString& gstin = bill.gstin;
    if (!bill.exported && stateCodeOf(bill.state).isEmpty())
        out.push_back({bill.document,
                       bill.state.isEmpty() ? QStringLiteral("No place of supply: the party has no state.")
                                            : QStringLiteral("No place of supply: the party's state \"%1\" has no state code.").arg(bill.state),
                       QStringLiteral("Choose the party's state in the account master.")});
    if (bill.exported || gstin.isEmpty()) return;
    const QString fault = gstinFault(gstin);
    if (!fault.isEmpty()) {
        out.push_back({bill.document, QStringLiteral("GSTIN %1 %2.").arg(gstin, fault), kPartyFix});
        return;
    }
    const QString state = stateCodeOf(bill.state);
    if (!state.isEmpty() && gstin.left(2) != state)
        out.push_back({bill.document, QStringLiteral("GSTIN %1 is of state %2 but the party's state is %3.").arg(gstin, gstin.left(2), bill.state),
                       QStringLiteral("Correct the party's state or GSTIN in the account master.")});
}

// `word` names the number ("Invoice"), `document` the thing to renumber ("bill").
void numberProblems(const DocumentRef& document, const QString& word, const QString& thing, std::vector<Gstr1Problem>& out) {
    const QString& number = document.number;
    if (number.size() > kInvoiceNumberLength)
        out.push_back({document,
                       QStringLiteral("%1 number %2 has %3 characters; the portal takes at most %4.").arg(word, number).arg(number.size()).arg(kInvoiceNumberLength),
                       QStringLiteral("Shorten the book's short name or renumber the %1.").arg(thing)});
    if (!invoiceNumberCharactersOk(number))
        out.push_back({document,
                       QStringLiteral("%1 number %2 holds characters the portal refuses; only letters, digits, / and - are taken.").arg(word, number),
                       QStringLiteral("Change the book's short name or renumber the %1.").arg(thing)});
}

// A return or credit note is reported with the invoice it lowers; one that names none the books
// hold cannot be filed.
void noteProblems(const NoteRateRow& n, std::vector<Gstr1Problem>& out) {
    const bool isReturn = n.document.formId == 4;
    numberProblems(n.document, isReturn ? QStringLiteral("Return") : QStringLiteral("Note"), isReturn ? QStringLiteral("return") : QStringLiteral("note"), out);
    if (n.original.id > 0) return;
    if (isReturn)
        out.push_back({n.document,
                       n.original.number.isEmpty()
                           ? QStringLiteral("Sales return %1 does not name the invoice the goods came from.").arg(n.document.number)
                           : QStringLiteral("Sales return %1 names invoice %2, which is no bill of %3.").arg(n.document.number, n.original.number, n.document.party),
                       QStringLiteral("Type the number and date of the customer's invoice on the sales return.")});
    else
        out.push_back({n.document, QStringLiteral("Credit note %1 is against no sales bill of %2.").arg(n.document.number, n.document.party),
                       QStringLiteral("Choose the bill the note is against on the credit note.")});
}

}  // namespace

bool invoiceNumberCharactersOk(const QString& number) {
    if (number.isEmpty()) return false;
    for (const QChar c : number) {
        const bool ok = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                        (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('/') || c == QLatin1Char('-');
        if (!ok) return false;
    }
    return true;
}

std::vector<Gstr1Problem> checkGstr1(db::Database& db, const Session& session, const ReturnPeriod& period) {
    const Gstr1Service service(db, session);
    service.checkPeriod(period);
    const auto firm = service.firm();
    std::vector<Gstr1Problem> out;
    if (firm.gstin.isEmpty())
        out.push_back({{}, QStringLiteral("The firm has no GSTIN; the return cannot be uploaded without it."),
                       QStringLiteral("Enter the firm's GSTIN in the firm master.")});
    else if (const QString fault = gstinFault(firm.gstin); !fault.isEmpty())
        out.push_back({{}, QStringLiteral("The firm's GSTIN %1 %2.").arg(firm.gstin, fault), QStringLiteral("Correct the firm's GSTIN in the firm master.")});
    const int digits = hsnDigitsRequired(period.from, firm.turnoverAbove5Crore);

    const QString where = QStringLiteral("m.FirmNO = ? AND m.FormId = 3 AND m.Id > 0 AND COALESCE(m.IsOp, 0) = 0 AND m.BillDate BETWEEN ? AND ?");
    const QVariantList params = {session.firmNo, period.from, period.to};
    std::vector<Bill> bills;
    std::map<qint64, size_t> billIndex;
    db.forEach(QStringLiteral("SELECT m.Id, COALESCE(b.BookShortName, '') AS Prefix, m.BillNO, m.BillDate, COALESCE(m.InvType, '') AS InvType, "
                              "COALESCE(a.AcName, '') AS PartyName, COALESCE(a.TinNo, '') AS Gstin, COALESCE(a.CSTNo, '') AS PartyState, "
                              "COALESCE(m.CashRem, '') AS PortCode FROM SalBillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID "
                              "LEFT JOIN BookMst b ON b.BookNO = m.BookNO AND b.FirmNO = m.FirmNO WHERE ") +
                   where,
               params, [&](const db::Row& row) {
                   Bill b;
                   b.document = salesDocumentOf(row);
                   b.exported = row.text(QStringLiteral("InvType")).trimmed().toUpper() == QLatin1String("E");
                   b.gstin = row.text(QStringLiteral("Gstin")).trimmed().toUpper();
                   b.state = row.text(QStringLiteral("PartyState")).trimmed();
                   b.portCode = row.text(QStringLiteral("PortCode")).trimmed().toUpper();
                   bills.push_back(std::move(b));
               });
    std::stable_sort(bills.begin(), bills.end(), [](const Bill& a, const Bill& b) {
        const qint64 na = serialOf(a.document.billNo), nb = serialOf(b.document.billNo);
        return std::tie(a.document.date, na, a.document.id) < std::tie(b.document.date, nb, b.document.id);
    });
    for (size_t i = 0; i < bills.size(); ++i) billIndex[bills[i].document.id] = i;

    // The qualities of each bill whose HSN or unit the summary cannot take: the qualities sold in
    // the period are judged once, then only the bills holding a faulty one are looked for.
    std::map<qint64, std::vector<std::pair<QString, QString>>> faultsOfItem;  // problem, fix
    db.forEach(QStringLiteral("SELECT DISTINCT d.PCode, COALESCE(p.ProdName, '') AS Quality, COALESCE(p.hsnCode, '') AS Hsn, "
                              "COALESCE(p.UQM, '') AS Uqc FROM SalBillMst m INNER JOIN SalBillDtl d ON d.BillMstId = m.Id "
                              "LEFT JOIN ProdMst p ON p.Id = d.PCode WHERE ") +
                   where,
               params, [&](const db::Row& row) {
                   const QString quality = row.text(QStringLiteral("Quality"));
                   const QString hsn = row.text(QStringLiteral("Hsn")).trimmed();
                   std::vector<std::pair<QString, QString>> faults;
                   const QString fault = hsnCodeFault(hsn, digits);
                   if (hsn.isEmpty())
                       faults.push_back({QStringLiteral("Quality %1 has no HSN code.").arg(quality), kItemHsnFix});
                   else if (!fault.isEmpty())
                       faults.push_back({QStringLiteral("HSN code %1 of quality %2 %3.").arg(hsn, quality, fault), kItemHsnFix});
                   if (row.text(QStringLiteral("Uqc")).trimmed().isEmpty())
                       faults.push_back({QStringLiteral("Quality %1 has no unit code (UQC) for the HSN summary.").arg(quality),
                                         QStringLiteral("Choose the HSN UQC of the quality in the product master.")});
                   if (!faults.empty()) faultsOfItem[row.integer(QStringLiteral("PCode"))] = std::move(faults);
               });
    std::map<qint64, std::vector<Gstr1Problem>> itemProblems;
    if (!faultsOfItem.empty()) {
        QVariantList itemParams = params;
        QStringList marks;
        for (const auto& [item, faults] : faultsOfItem) {
            itemParams << item;
            marks << QStringLiteral("?");
        }
        db.forEach(QStringLiteral("SELECT DISTINCT m.Id, d.PCode FROM SalBillMst m INNER JOIN SalBillDtl d ON d.BillMstId = m.Id WHERE ") + where +
                       QStringLiteral(" AND d.PCode IN (") + marks.join(QStringLiteral(", ")) + QStringLiteral(") ORDER BY m.Id, d.PCode"),
                   itemParams, [&](const db::Row& row) {
                       const auto at = billIndex.find(row.integer(QStringLiteral("Id")));
                       if (at == billIndex.end()) return;
                       const DocumentRef& doc = bills[at->second].document;
                       for (const auto& [problem, fix] : faultsOfItem[row.integer(QStringLiteral("PCode"))])
                           itemProblems[doc.id].push_back({doc, problem, fix});
                   });
    }

    for (const Bill& bill : bills) {
        partyProblems(bill, out);
        numberProblems(bill.document, QStringLiteral("Invoice"), QStringLiteral("bill"), out);
        portProblems(bill, out);
        const auto items = itemProblems.find(bill.document.id);
        if (items != itemProblems.end()) out.insert(out.end(), items->second.begin(), items->second.end());
    }
    // Each note once, though it may have rows at two rates.
    std::set<std::pair<int, qint64>> notesSeen;
    for (const NoteRateRow& n : salesNoteRows(db, session, period))
        if (notesSeen.insert({n.document.formId, n.document.id}).second) noteProblems(n, out);
    return out;
}

}  // namespace tanabana::gst
