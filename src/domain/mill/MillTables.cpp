#include "domain/mill/MillTables.h"

#include "domain/documents/Lookups.h"

namespace tanabana::mill {

using documents::Column;
using documents::field;
using documents::fixed;
using documents::written;

namespace {

// A column of a document member, written from the row that carries the document.
template <typename Row, typename Doc, typename M, typename Get>
Column<Row, Doc> member(Get get, const char* column, M Doc::*m, const char* caption = nullptr, int places = 3) {
    return documents::fieldOf<Row, Doc>(get, column, m, caption, places);
}

}  // namespace

const documents::TableMap<IssueRow, MillIssue>& issueHeaderTable() {
    using R = IssueRow;
    using D = MillIssue;
    const auto of = [](const R& r) -> const D& { return r.issue; };
    static const documents::TableMap<R, D> table{
        kMillHeader, QStringLiteral("Id"),
        {written<R, D>("FirmNO", [](const R& r) { return r.firmNo; }),
         written<R, D>("FormId", [](const R& r) { return r.formId; }),
         fixed<R, D>("IType", QStringLiteral("I")),
         member<R>(of, "IsOp", &D::opening),
         member<R>(of, "BookId", &D::bookId),
         member<R>(of, "ChNo", &D::challanNo),
         member<R>(of, "BillSrno", &D::serial),
         member<R>(of, "BillNO", &D::reference, "Ref. No"),
         member<R>(of, "BillDate", &D::date),
         member<R>(of, "PartyID", &D::millId),
         member<R>(of, "BrokerId", &D::brokerId),
         member<R>(of, "QId", &D::qualityId),
         member<R>(of, "Rate", &D::rate, nullptr, 4),
         member<R>(of, "ProcessName", &D::process, "Job Process"),
         documents::readOnly<R, D>("LotNO", [](D& d, const db::Row& row) { d.lotNo = row.text(QStringLiteral("LotNO")); }),
         member<R>(of, "PurPartyId", &D::weaverId),
         member<R>(of, "PurBillNo", &D::purchaseBillNo, "Pur. Bill No"),
         member<R>(of, "PurDate", &D::purchaseDate),
         member<R>(of, "PurBillId", &D::purchaseBillId),
         member<R>(of, "TransportName", &D::transport, "Transport"),
         member<R>(of, "LrNo", &D::lrNo, "L.R.No."),
         member<R>(of, "LrDate", &D::lrDate),
         member<R>(of, "CaseNO", &D::tempoNo, "Tempo No"),
         member<R>(of, "Notes", &D::notes, "Notes"),
         written<R, D>("TotAmt", [](const R& r) { return r.issue.totalMetres().roundHalfEven(3).toDouble(); }),
         fixed<R, D>("Is_Upload", 0)}};
    return table;
}

const documents::TableMap<IssueLineRow, MillIssueLine>& issueLineTable() {
    using R = IssueLineRow;
    using D = MillIssueLine;
    const auto of = [](const R& r) -> const D& { return r.line; };
    static const documents::TableMap<R, D> table{
        kMillLines, {},
        {written<R, D>("BillMstId", [](const R& r) { return r.issueId; }),
         written<R, D>("Srno", [](const R& r) { return r.srno; }),
         member<R>(of, "TakaNO", &D::takaNo, "Taka No"),
         member<R>(of, "Mtrs", &D::metres),
         member<R>(of, "Wt", &D::weight),
         member<R>(of, "Marka", &D::marka, "Marka"),
         member<R>(of, "DesignNo", &D::designNo, "Design"),
         member<R>(of, "Colour", &D::colour, "Colour"),
         member<R>(of, "Remarks", &D::remarks, "Remarks"),
         member<R>(of, "F_NO", &D::takaFirmNo),
         member<R>(of, "RMtrs", &D::receivedMetres),
         member<R>(of, "PRate", &D::greyReturned),
         member<R>(of, "IsFinished", &D::finished)}};
    return table;
}

const documents::TableMap<ReceiptRow, MillReceipt>& receiptHeaderTable() {
    using R = ReceiptRow;
    using D = MillReceipt;
    const auto of = [](const R& r) -> const D& { return r.receipt; };
    const auto money = [](Decimal MillReceiptTotals::*m) {
        return [m](const R& r) { return QVariant((r.totals.*m).roundHalfEven(2).toDouble()); };
    };
    static const documents::TableMap<R, D> table{
        kMillHeader, QStringLiteral("Id"),
        {written<R, D>("FirmNO", [](const R& r) { return r.firmNo; }),
         fixed<R, D>("FormId", 17),
         fixed<R, D>("IType", QStringLiteral("R")),
         member<R>(of, "IsOp", &D::opening),
         member<R>(of, "BookId", &D::bookId),
         member<R>(of, "ChNo", &D::challanNo),
         member<R>(of, "BillSrno", &D::serial),
         member<R>(of, "BillNO", &D::millChallanNo, "Challan No"),
         member<R>(of, "AGAINST", &D::gatePassNo, "G.P. Bill No"),
         member<R>(of, "BillDate", &D::date),
         member<R>(of, "PartyID", &D::millId),
         member<R>(of, "BrokerId", &D::brokerId),
         member<R>(of, "CrDays", &D::creditDays),
         written<R, D>("PDueDate", [](const R& r) { return QVariant(r.receipt.date.addDays(r.receipt.creditDays)); }),
         member<R>(of, "TransportName", &D::transport, "Transport"),
         member<R>(of, "CaseNO", &D::tempoNo, "Tempo No"),
         member<R>(of, "LrNo", &D::lrNo, "L.R.No."),
         member<R>(of, "LrDate", &D::lrDate),
         member<R>(of, "LotNO", &D::lotNo, "Lot No"),
         member<R>(of, "QId", &D::qualityId),
         member<R>(of, "ProcessName", &D::process, "Job Process"),
         member<R>(of, "DiscP", &D::discountPercent, nullptr, 2),
         member<R>(of, "OtherRs", &D::otherPlus, nullptr, 2),
         member<R>(of, "OtherP1", &D::otherLess, nullptr, 2),
         member<R>(of, "OtherP", &D::otherAfter, nullptr, 2),
         member<R>(of, "OtherM", &D::otherAfterLess, nullptr, 2),
         member<R>(of, "TDSP", &D::tdsPercent, nullptr, 2),
         member<R>(of, "Notes", &D::notes, "Notes"),
         written<R, D>("TotAmt", money(&MillReceiptTotals::amount)),
         written<R, D>("DiscRs", money(&MillReceiptTotals::discount)),
         written<R, D>("tempBal", money(&MillReceiptTotals::gross)),
         written<R, D>("BillAmount", money(&MillReceiptTotals::bill)),
         written<R, D>("UnPaidAmt", money(&MillReceiptTotals::bill)),
         written<R, D>("TDSRs", money(&MillReceiptTotals::tds)),
         fixed<R, D>("Is_Upload", 0)}};
    return table;
}

const documents::TableMap<ReceiptLineRow, MillReceiptLine>& receiptLineTable() {
    using R = ReceiptLineRow;
    using D = MillReceiptLine;
    const auto of = [](const R& r) -> const D& { return r.line; };
    static const documents::TableMap<R, D> table{
        kMillLines, {},
        {written<R, D>("BillMstId", [](const R& r) { return r.receiptId; }),
         written<R, D>("Srno", [](const R& r) { return r.srno; }),
         member<R>(of, "IssueChId", &D::issueId),
         member<R>(of, "IssueChSno", &D::issueSrno),
         member<R>(of, "TakaNO", &D::takaNo, "Taka No"),
         member<R>(of, "Mtrs", &D::greyMetres),
         member<R>(of, "RMtrs", &D::finishedMetres),
         member<R>(of, "GreyRet", &D::greyReturned),
         written<R, D>("ShortLong", [](const R& r) { return r.line.shortage().toDouble(); }),
         written<R, D>("RPCs", [](const R& r) { return r.line.shortagePercent().toDouble(); }),
         member<R>(of, "PRate", &D::rate, nullptr, 4),
         written<R, D>("PAmt", [](const R& r) { return r.line.amount().toDouble(); }),
         member<R>(of, "Wt", &D::weight),
         member<R>(of, "Marka", &D::marka, "Marka"),
         member<R>(of, "DesignNo", &D::designNo, "Design"),
         member<R>(of, "Colour", &D::colour, "Colour"),
         member<R>(of, "Remarks", &D::remarks, "Remarks"),
         member<R>(of, "QidDtl", &D::finishedQualityId),
         member<R>(of, "IsFinished", &D::finished)}};
    return table;
}

std::vector<IssueLineRow> issueLineRows(const MillIssue& issue) {
    std::vector<IssueLineRow> rows;
    int srno = 0;
    for (const MillIssueLine& l : issue.lines)
        if (!l.takaNo.trimmed().isEmpty()) rows.push_back({l, issue.id, ++srno});
    return rows;
}

std::vector<ReceiptLineRow> receiptLineRows(const MillReceipt& receipt) {
    std::vector<ReceiptLineRow> rows;
    int srno = 0;
    for (const MillReceiptLine& l : receipt.lines)
        if (l.issueId != 0 && l.issueSrno > 0) rows.push_back({l, receipt.id, ++srno});
    return rows;
}

bool refuseChallanHeader(db::Database& db, const Session& session, Messages& messages, qint64 partyId, qint64 bookId, const QDate& date,
                         qint64 challanNo) {
    const auto party = partyId > 0 ? documents::partyById(db, session.firmNo, partyId) : std::nullopt;
    const std::vector<int>& groups = documents::partyGroups(documents::PartyRange::Purchase);
    if (!party || std::find(groups.begin(), groups.end(), party->groupNo) == groups.end() || challanNo < 0) {
        messages.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Distributor NAme and Enter Invoice No"));
        return true;
    }
    if (db.scalar(QStringLiteral("SELECT count(*) FROM BookMst WHERE BookNo = ? AND FirmNo = ? AND (BookType = 'P' OR BookType = 'A') "
                                 "AND COALESCE(IsGenPur, 0) = 0"),
                  {bookId, session.firmNo})
            .toInt() == 0) {
        messages.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select Book"));
        return true;
    }
    if (!date.isValid() || !session.inYear(date)) {
        messages.critical(QStringLiteral("Date Validate"), QStringLiteral("Please Select Proper Date"));
        return true;
    }
    return false;
}

bool refuseSoldChallan(db::Database& db, Messages& messages, qint64 id) {
    if (db.scalar(QStringLiteral("SELECT count(*) FROM JobWork_IssueMst_1 WHERE Id = ? AND IsCN <> 0"), {id}).toInt() == 0) return false;
    messages.critical(QStringLiteral("Challan Is Sold"), QStringLiteral("This Challan Is Sold, You Can not modify or delete"));
    return true;
}

qint64 nextMillChallanNo(db::Database& db, const QString& header, qint64 firmNo, qint64 bookId, int formId) {
    return db.scalar(QStringLiteral("SELECT COALESCE(MAX(ChNo), 0) FROM %1 WHERE BookId = ? AND FormId = ? AND IsOp = 0 AND FirmNO = ?")
                         .arg(header),
                     {bookId, formId, firmNo})
               .toLongLong() +
           1;
}

}  // namespace tanabana::mill
