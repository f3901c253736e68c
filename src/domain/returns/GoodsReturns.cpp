#include "domain/returns/GoodsReturns.h"

#include "core/Words.h"
#include "domain/documents/Guard.h"
#include "domain/documents/NumberSeries.h"
#include "domain/documents/TableMap.h"
#include "domain/ledger/Journal.h"
#include "domain/ledger/PostingLines.h"
#include "domain/returns/Adjusting.h"
#include "domain/trade/BillLineTables.h"
#include "domain/trade/DocumentRules.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesInvoices.h"

namespace tanabana::returns {

namespace {

using documents::Column;
using documents::fixed;
using documents::Overlong;
using documents::written;

// A return's header row: what was typed, what was computed and how much of it settles bills.
template <typename Doc, typename Computed>
struct HeaderRow {
    const Doc& doc;
    const Computed& computed;
    qint64 firmNo = 0;
    Decimal adjusted;
    qint64 reverseChargeId = 0;
    const trade::InvoiceTotals& totals() const { return computed.totals; }
};

template <typename Row, typename Doc, typename M>
Column<Row, Doc> typed(const char* column, M Doc::*member, const char* caption = nullptr, int places = 4) {
    return documents::fieldOf<Row, Doc>([](const Row& r) -> const Doc& { return r.doc; }, column, member, caption, places);
}

template <typename Row, typename Doc>
Column<Row, Doc> total(const char* column, Decimal trade::InvoiceTotals::*member) {
    return written<Row, Doc>(column, [member](const Row& r) { return (r.totals().*member).toDouble(); });
}

// The columns every return writes alike: its outstanding (what is left after its adjustments),
// the due date, the amount in words and the marks.
template <typename Row, typename Doc>
void addCommonColumns(std::vector<Column<Row, Doc>>& columns) {
    columns.push_back(written<Row, Doc>("PDueDate", [](const Row& r) { return QVariant(r.doc.date); }));
    columns.push_back(written<Row, Doc>("PaidAmt", [](const Row& r) { return r.adjusted.toDouble(); }));
    columns.push_back(written<Row, Doc>("UnPaidAmt", [](const Row& r) { return (r.totals().net - r.adjusted).roundHalfEven(2).toDouble(); }));
    columns.push_back(written<Row, Doc>("IsEnd", [](const Row& r) { return r.adjusted >= r.totals().net ? 1 : 0; }));
    columns.push_back(written<Row, Doc>("PaidDt", [](const Row& r) {
        return r.adjusted.isZero() ? QVariant(QMetaType(QMetaType::QDate)) : QVariant(r.doc.date);
    }));
    columns.push_back(written<Row, Doc>("BillAmount", [](const Row& r) { return r.totals().net.toDouble(); }));
    columns.push_back({QStringLiteral("OtherP"), {}, [](const Row& r) { return QVariant(r.totals().otherCharges.toDouble()); },
                       [](Doc& d, const db::Row& row) { d.otherCharges = Decimal::fromVariant(row.value(QStringLiteral("OtherP"))); }});
    columns.push_back(written<Row, Doc>("OtherP1", [](const Row& r) { return r.totals().roundOff.toDouble(); }));
    columns.push_back(total<Row, Doc>("VatRs", &trade::InvoiceTotals::sgst));
    columns.push_back(total<Row, Doc>("ATAXRs", &trade::InvoiceTotals::cgst));
    columns.push_back(total<Row, Doc>("CSTRs", &trade::InvoiceTotals::igst));
    columns.push_back(typed<Row>("PartyID", &Doc::partyId));
    columns.push_back(typed<Row>("BillNO", &Doc::returnNo, "Return No"));
    columns.push_back(typed<Row>("BillDate", &Doc::date));
    columns.push_back(typed<Row>("Ret_Reason", &Doc::reason, "Reason"));
    columns.push_back(typed<Row>("Notes", &Doc::notes, "Description"));
    columns.push_back(written<Row, Doc>("FirmNO", [](const Row& r) { return r.firmNo; }));
    columns.push_back(fixed<Row, Doc>("IsOp", 0));
    columns.push_back(fixed<Row, Doc>("Is_Upload", 0));
}

// Where a return's goods and taxes go back: the book's sales or purchase account and, when the
// book keeps its own tax accounts, its IGST, SGST, CGST and other-charges accounts.
struct GoodsAccounts {
    qint64 goods = 0;
    bool autoAccounts = false;
    qint64 igst = 0, sgst = 0, cgst = 0, other = 0;
};

// The lines every return posts alike: the party for the whole return on its side and, on the
// other, the goods at their taxable value with each tax and the other charges (the goods at the
// whole amount when the book keeps no tax accounts). A sales return credits the party and
// debits sales and output tax; a purchase return is the mirror.
void postGoodsAndTax(ledger::PostingLines& lines, QChar partySide, qint64 partyId, const GoodsAccounts& accounts,
                     const trade::InvoiceTotals& t, const QString& description, const QString& reason, const QString& reference,
                     const QString& taxNarration) {
    const QChar goodsSide = partySide == QLatin1Char('C') ? QLatin1Char('D') : QLatin1Char('C');
    lines.add(partyId, partySide, t.net, description, reason);
    if (!accounts.autoAccounts) {
        lines.add(accounts.goods, goodsSide, t.net, description, reason);
        return;
    }
    lines.add(accounts.goods, goodsSide, t.taxable, description, reason);
    lines.add(accounts.igst, goodsSide, t.igst, reference, taxNarration);
    lines.add(accounts.sgst, goodsSide, t.sgst, reference, taxNarration);
    lines.add(accounts.cgst, goodsSide, t.cgst, reference, taxNarration);
    lines.add(accounts.other, goodsSide, t.net - t.taxable - t.igst - t.sgst - t.cgst, reference);
}

using SalesRow = HeaderRow<SalesReturn, trade::ComputedBill>;
using PurchaseRow = HeaderRow<PurchaseReturn, trade::ComputedPurchase>;

const documents::TableMap<SalesRow, SalesReturn>& salesHeader() {
    using R = SalesRow;
    using D = SalesReturn;
    static const documents::TableMap<R, D> table = [] {
        std::vector<Column<R, D>> c{
            fixed<R, D>("FormId", ledger::DocumentType::SaleReturn),
            typed<R>("BookNO", &D::bookNo),
            written<R, D>("DeliId", [](const R& r) { return r.doc.partyId; }),
            written<R, D>("ConSId", [](const R& r) { return r.doc.partyId; }),
            typed<R>("ChNo", &D::challanNo),
            typed<R>("AGAINST", &D::sourceBillNo, "Sal Bill No"),
            typed<R>("Sal_Bill_Dt", &D::sourceBillDate),
            typed<R>("Grade1", &D::reference, "Reference"),
            fixed<R, D>("InvType", QStringLiteral("R")),
            total<R, D>("BAmt", &trade::InvoiceTotals::taxable),
            written<R, D>("InWords", [](const R& r) { return QStringLiteral("Rs. ") + AmountInWords(r.totals().net) + QStringLiteral(" Only."); },
                          Overlong::Cut)};
        addCommonColumns(c);
        return documents::TableMap<R, D>{QStringLiteral("SalBillMst"), QStringLiteral("Id"), std::move(c)};
    }();
    return table;
}

const documents::TableMap<PurchaseRow, PurchaseReturn>& purchaseHeader() {
    using R = PurchaseRow;
    using D = PurchaseReturn;
    static const documents::TableMap<R, D> table = [] {
        std::vector<Column<R, D>> c{
            fixed<R, D>("FormId", ledger::DocumentType::PurchaseReturn),
            typed<R>("BookId", &D::bookId),
            typed<R>("Pur_Bill_No", &D::sourceBillNo, "Pur Bill No"),
            typed<R>("Pur_Bill_Dt", &D::sourceBillDate),
            fixed<R, D>("InvType", QStringLiteral("T")),
            written<R, D>("Amt", [](const R& r) { return r.totals().goods().toDouble(); }),
            total<R, D>("TotAmt", &trade::InvoiceTotals::taxable),
            {QStringLiteral("RCM_ID"), {}, [](const R& r) { return QVariant(r.reverseChargeId); },
             [](D& d, const db::Row& row) { d.reverseCharge = row.integer(QStringLiteral("RCM_ID")) > 0; }}};
        addCommonColumns(c);
        return documents::TableMap<R, D>{QStringLiteral("BillMst"), QStringLiteral("Id"), std::move(c)};
    }();
    return table;
}

const documents::NumberSeries& salesNumbers() {
    static const documents::NumberSeries series{QStringLiteral("SalBillMst"), QStringLiteral("BillNO"), QStringLiteral("BillDate"),
                                                QStringLiteral("BookNO"), QStringLiteral("FirmNO"), QStringLiteral("FormId = 4")};
    return series;
}

const documents::NumberSeries& purchaseNumbers() {
    static const documents::NumberSeries series{QStringLiteral("BillMst"), QStringLiteral("BillNO"), QStringLiteral("BillDate"),
                                                QStringLiteral("BookId"), QStringLiteral("FirmNO"), QStringLiteral("FormId = 2")};
    return series;
}

// The date of the party's bill the goods came from, when the number names one.
QDate sourceDate(db::Database& db, const ReturnKind& kind, qint64 firmNo, qint64 partyId, const QString& billNo) {
    if (billNo.trimmed().isEmpty()) return {};
    const int billForm = kind.formId == ledger::DocumentType::SaleReturn ? ledger::DocumentType::Sale : ledger::DocumentType::Purchase;
    const auto r = db.queryOne(QStringLiteral("SELECT BillDate FROM %1 WHERE FirmNO = ? AND PartyID = ? AND FormId = ? AND BillNO = ? "
                                              "ORDER BY BillDate DESC")
                                   .arg(kind.table) + db.dialect().limit(1),
                               {firmNo, partyId, billForm, billNo.trimmed()});
    return r ? r->date(QStringLiteral("BillDate")) : QDate();
}

bool refuseDate(Messages& messages, const Session& session, const QDate& date) {
    if (date.isValid() && session.inYear(date)) return false;
    messages.critical(QStringLiteral("BillDate Validate"), QStringLiteral("Please Select Proper Date"));
    return true;
}

template <typename Line>
bool refuseNegativeLines(Messages& messages, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        const trade::InvoiceLineInput& in = line.input;
        if (in.pieces.isNegative() || in.metres.isNegative() || in.listRate.isNegative() || in.discountPercent.isNegative() ||
            in.discountPercent > Decimal(100)) {
            messages.critical(QStringLiteral("Invalid Entry"), QStringLiteral("Quantities, rates and discounts must lie between 0 and 100%"));
            return true;
        }
    }
    return false;
}

// The lines a return writes: those naming an item, each with its computed amounts and place.
template <typename Row, typename Doc, typename Computed>
std::vector<Row> lineRows(const Doc& doc, const Computed& computed) {
    std::vector<Row> rows;
    size_t index = 0;
    int srno = 0;
    for (const auto& line : doc.lines)
        if (line.qualityId > 0) rows.push_back({line, computed.lines.at(index++), doc.id, ++srno});
    return rows;
}

// The checks every return passes before its transaction: the date, the lines, the round-off of
// an auto-entry book, texts that fit their columns and the dates of the bills it names.
template <typename Row, typename Doc, typename Computed, typename Header, typename Lines>
bool validReturn(db::Database& db, const Session& session, Messages& messages, const ReturnKind& kind, const Doc& doc,
                 const Computed& computed, bool autoAccounts, const Header& header, const Lines& lines) {
    if (refuseDate(messages, session, doc.date)) return false;
    if (refuseNegativeLines(messages, doc.lines)) return false;
    if (computed.lines.empty()) {
        trade::refuseMissingPartyOrQuality(messages);
        return false;
    }
    const trade::InvoiceTotals& t = computed.totals;
    if (autoAccounts && t.net != t.creditsTotal()) {
        messages.critical(QStringLiteral("Round Off Value not Match"), QStringLiteral("Please enter round off value "));
        return false;
    }
    if (documents::refuseTooLong(messages, header.tooLong(HeaderRow<Doc, Computed>{doc, computed, session.firmNo, Decimal(), 0}))) return false;
    for (const Row& row : lineRows<Row>(doc, computed))
        if (documents::refuseTooLong(messages, lines.tooLong(row))) return false;
    return !refuseEarlierThanBills(db, messages, kind, doc.date, doc.sourceBillNo, doc.sourceBillDate, doc.adjustments);
}

// Runs a return's save inside one transaction and turns every failure into the system's message;
// the document keeps its number and key as they were when nothing was saved.
template <typename Doc, typename Write>
std::optional<qint64> saveInTransaction(db::Database& db, Messages& messages, Doc& doc, Write write) {
    const qint64 previousId = doc.id;
    const QString previousNo = doc.returnNo;
    auto restore = [&] {
        doc.id = previousId;
        doc.returnNo = previousNo;
    };
    try {
        db::Transaction tx(db);
        if (!write()) {
            restore();
            return std::nullopt;
        }
        tx.commit();
    } catch (const vouchers::Refusal& refusal) {
        restore();
        show(messages, refusal);
        return std::nullopt;
    } catch (const ledger::PostingRefused& refused) {
        restore();
        messages.critical(ledger::ledgerNotSavedTitle(), refused.text());
        return std::nullopt;
    } catch (const db::DbError&) {
        restore();
        messages.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
        return std::nullopt;
    }
    messages.information(QStringLiteral("SAVE Confirmation"), QStringLiteral("ONE TRANSACTION IS SAVED"));
    return doc.id;
}

// Inside the transaction: the return's key and number, refusing a number another return of the book holds.
template <typename Doc>
bool takeKeyAndNumber(db::Database& db, Messages& messages, const documents::NumberSeries& series, const ReturnKind& kind, Doc& doc,
                      qint64 bookNo, qint64 firmNo) {
    db.lockSeries(series.lockName());
    if (doc.id > 0 && db.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE Id = ? AND FirmNO = ? AND FormId = ?").arg(kind.table),
                                {doc.id, firmNo, kind.formId})
                              .toInt() == 0) {
        messages.critical(QStringLiteral("System Validation"), QStringLiteral("This Invoice is not found; it may have been deleted."));
        return false;
    }
    if (refusePaidFurther(db, messages, kind, doc.id, firmNo)) return false;
    if (doc.returnNo.trimmed().isEmpty()) doc.returnNo = documents::takeNumber(db, series, firmNo, bookNo);
    if (documents::numberTaken(db, series, firmNo, bookNo, doc.returnNo, doc.id)) {
        messages.critical(QStringLiteral("Bill NO Duplication"), QStringLiteral("This Bill NO is Already exist!"));
        return false;
    }
    if (doc.id <= 0) doc.id = db.nextKey(kind.table, QStringLiteral("Id"));
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Sales returns

struct SalesReturns::Book {
    QString prefix;
    qint64 salesAccount = 0;
    bool autoAccounts = false;
    qint64 igstAccount = 0, sgstAccount = 0, cgstAccount = 0, otherAccount = 0;
};

SalesReturns::SalesReturns(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}

QString SalesReturns::nextReturnNo(qint64 bookNo) { return documents::proposedNumber(db_, salesNumbers(), session_.firmNo, bookNo); }

std::vector<vouchers::OpenBill> SalesReturns::openBills(qint64 partyId, qint64 returnId) {
    return billsToAdjust(db_, salesReturnKind(), session_.firmNo, partyId, returnId);
}

trade::ComputedBill SalesReturns::compute(const SalesReturn& doc) {
    // A return is priced like the bill it mirrors: the same lines, charges and round-off.
    trade::SalesBill bill;
    bill.partyId = doc.partyId;
    bill.otherCharges = doc.otherCharges;
    bill.lines = doc.lines;
    return trade::SalesInvoices(db_, session_, messages_).compute(bill);
}

std::optional<SalesReturns::Book> SalesReturns::book(qint64 bookNo) {
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = ? AND FirmNO = ? AND (BookType = 'S' OR BookType = 'A')"),
                                {bookNo, session_.firmNo});
    if (!r) return std::nullopt;
    Book b;
    b.prefix = r->text(QStringLiteral("BookShortName")).trimmed();
    b.salesAccount = r->integer(QStringLiteral("SaleId"));
    b.autoAccounts = r->flag(QStringLiteral("Is_Auto_Ac"));
    b.igstAccount = r->integer(QStringLiteral("A1"));
    b.sgstAccount = r->integer(QStringLiteral("A2"));
    b.cgstAccount = r->integer(QStringLiteral("A3"));
    b.otherAccount = r->integer(QStringLiteral("A4"));
    return b;
}

bool SalesReturns::validate(const SalesReturn& doc, const trade::ComputedBill& computed, const Book& book) {
    return validReturn<trade::SalesLineRow>(db_, session_, messages_, salesReturnKind(), doc, computed, book.autoAccounts, salesHeader(),
                                            trade::salesLineTable());
}

std::optional<qint64> SalesReturns::save(SalesReturn& doc) {
    if (documents::refuseSave(session_, messages_, doc.id)) return std::nullopt;
    const auto party = doc.partyId > 0 ? trade::SalesInvoices(db_, session_, messages_).party(doc.partyId) : std::nullopt;
    const auto bk = doc.bookNo > 0 ? book(doc.bookNo) : std::nullopt;
    if (!party || !bk) {
        trade::refuseMissingPartyOrQuality(messages_);
        return std::nullopt;
    }
    const ReturnKind& kind = salesReturnKind();
    if (!doc.sourceBillDate.isValid()) doc.sourceBillDate = sourceDate(db_, kind, session_.firmNo, doc.partyId, doc.sourceBillNo);
    const trade::ComputedBill computed = compute(doc);
    if (!validate(doc, computed, *bk)) return std::nullopt;
    if (refusePaidFurther(db_, messages_, kind, doc.id, session_.firmNo)) return std::nullopt;
    return saveInTransaction(db_, messages_, doc, [&] {
        if (!takeKeyAndNumber(db_, messages_, salesNumbers(), kind, doc, doc.bookNo, session_.firmNo)) return false;
        const Decimal adjusted =
            readjust(db_, kind, returnEntry(kind, doc.id, doc.date, doc.partyId, session_.firmNo), computed.totals.net, doc.adjustments);
        salesHeader().write(db_, SalesRow{doc, computed, session_.firmNo, adjusted, 0}, doc.id);
        trade::salesLineTable().replaceLines(db_, QStringLiteral("BillMstId"), doc.id, lineRows<trade::SalesLineRow>(doc, computed));
        post(doc, computed, *bk, party->name);
        return true;
    });
}

void SalesReturns::post(const SalesReturn& doc, const trade::ComputedBill& computed, const Book& book, const QString& partyName) {
    const trade::InvoiceTotals& t = computed.totals;
    const QString reference = book.prefix + doc.returnNo.trimmed();
    const QString source = doc.sourceBillNo.trimmed();
    QString description = QStringLiteral("Sales Ret - ") + reference + QStringLiteral(" - ") + partyName;
    if (!source.isEmpty()) description += QStringLiteral(" ( Sal Bill No. ") + source + QLatin1Char(')');
    const QString taxNarration = QStringLiteral("Taxable Amt : ") + t.taxable.toString(2) + QStringLiteral("@Sal Bill No  : ") + source;
    ledger::JournalDocument journal;
    journal.tableCode = ledger::DocumentType::SaleReturn;
    journal.voucherNo = doc.id;
    journal.date = doc.date;
    journal.printedNo = reference;
    ledger::PostingLines lines(journal);
    postGoodsAndTax(lines, QLatin1Char('C'), doc.partyId,
                    {book.salesAccount, book.autoAccounts, book.igstAccount, book.sgstAccount, book.cgstAccount, book.otherAccount}, t,
                    description, doc.reason, reference, taxNarration);
    ledger::Journal(db_, session_).post(journal, ledger::Replace::WholeJournal);
}

bool SalesReturns::remove(qint64 id) { return removeReturn(db_, session_, messages_, salesReturnKind(), id); }

std::optional<SalesReturn> SalesReturns::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM SalBillMst WHERE Id = ? AND FirmNO = ? AND FormId = 4"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    SalesReturn doc;
    doc.id = id;
    salesHeader().read(doc, *h);
    // The round-off the save puts into the charges again is not a typed charge.
    if (doc.otherCharges.abs() < Decimal(1) && trade::firmFlag(session_, QStringLiteral("Is_Sales_RndOff"))) doc.otherCharges = Decimal();
    doc.lines = trade::readSalesLines(db_, id);
    doc.adjustments = adjustmentsOf(db_, salesReturnKind(), id, session_.firmNo);
    return doc;
}

documents::DocumentPage SalesReturns::list(const documents::ListFilter& filter) {
    return listReturns(db_, salesReturnKind(), session_.firmNo, filter);
}

std::vector<SavedReturn> SalesReturns::all() { return allReturns(db_, salesReturnKind(), session_.firmNo); }

// ---------------------------------------------------------------------------------------------
// Purchase returns

PurchaseReturns::PurchaseReturns(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

QString PurchaseReturns::nextReturnNo(qint64 bookId) { return documents::proposedNumber(db_, purchaseNumbers(), session_.firmNo, bookId); }

std::vector<vouchers::OpenBill> PurchaseReturns::openBills(qint64 partyId, qint64 returnId) {
    return billsToAdjust(db_, purchaseReturnKind(), session_.firmNo, partyId, returnId);
}

qint64 PurchaseReturns::sourceReverseCharge(const PurchaseReturn& doc) {
    if (doc.sourceBillNo.trimmed().isEmpty()) return 0;
    return db_.scalar(QStringLiteral("SELECT RCM_ID FROM BillMst WHERE FirmNO = ? AND PartyID = ? AND FormId = 1 AND BillNO = ? "
                                     "ORDER BY BillDate DESC") + db_.dialect().limit(1),
                      {session_.firmNo, doc.partyId, doc.sourceBillNo.trimmed()})
        .toLongLong();
}

trade::ComputedPurchase PurchaseReturns::compute(const PurchaseReturn& doc) {
    trade::PurchaseInvoices bills(db_, session_, messages_);
    const auto supplier = bills.supplier(doc.partyId);
    trade::PurchaseBill bill;
    bill.partyId = doc.partyId;
    bill.otherCharges = doc.otherCharges;
    bill.lines = doc.lines;
    bill.reverseChargeId = sourceReverseCharge(doc);
    return trade::computePurchase(bill, supplier.value_or(trade::Supplier{}), trade::firmFlag(session_, QStringLiteral("Is_Pur_RndOff")));
}

bool PurchaseReturns::validate(const PurchaseReturn& doc, const trade::ComputedPurchase& computed, const trade::PurchaseBook& book) {
    return validReturn<trade::PurchaseLineRow>(db_, session_, messages_, purchaseReturnKind(), doc, computed, book.autoAccounts, purchaseHeader(),
                                               trade::purchaseLineTable());
}

std::optional<qint64> PurchaseReturns::save(PurchaseReturn& doc) {
    if (documents::refuseSave(session_, messages_, doc.id)) return std::nullopt;
    trade::PurchaseInvoices bills(db_, session_, messages_);
    const auto supplier = doc.partyId > 0 ? bills.supplier(doc.partyId) : std::nullopt;
    const auto bk = doc.bookId > 0 ? bills.book(doc.bookId) : std::nullopt;
    if (!supplier || !bk) {
        trade::refuseMissingPartyOrQuality(messages_);
        return std::nullopt;
    }
    const ReturnKind& kind = purchaseReturnKind();
    if (!doc.sourceBillDate.isValid()) doc.sourceBillDate = sourceDate(db_, kind, session_.firmNo, doc.partyId, doc.sourceBillNo);
    const trade::ComputedPurchase computed = compute(doc);
    if (!validate(doc, computed, *bk)) return std::nullopt;
    if (refusePaidFurther(db_, messages_, kind, doc.id, session_.firmNo)) return std::nullopt;
    const qint64 reverseChargeId = sourceReverseCharge(doc);
    return saveInTransaction(db_, messages_, doc, [&] {
        if (!takeKeyAndNumber(db_, messages_, purchaseNumbers(), kind, doc, doc.bookId, session_.firmNo)) return false;
        const Decimal adjusted =
            readjust(db_, kind, returnEntry(kind, doc.id, doc.date, doc.partyId, session_.firmNo), computed.totals.net, doc.adjustments);
        PurchaseRow row{doc, computed, session_.firmNo, adjusted, reverseChargeId};
        purchaseHeader().write(db_, row, doc.id);
        trade::purchaseLineTable().replaceLines(db_, QStringLiteral("BillMstId"), doc.id, lineRows<trade::PurchaseLineRow>(doc, computed));
        post(doc, computed, *bk, *supplier);
        doc.reverseCharge = computed.reverseCharge;
        return true;
    });
}

void PurchaseReturns::post(const PurchaseReturn& doc, const trade::ComputedPurchase& computed, const trade::PurchaseBook& book,
                           const trade::Supplier& supplier) {
    const trade::InvoiceTotals& t = computed.totals;
    const QString number = doc.returnNo.trimmed();
    const QString source = doc.sourceBillNo.trimmed();
    QString description = QStringLiteral("Pur Ret - ") + number + QStringLiteral(" - ") + supplier.name;
    if (!source.isEmpty()) description += QStringLiteral(" ( Pur Bill No. ") + source + QLatin1Char(')');
    const QString taxNarration = QStringLiteral("Taxable Amt : ") + t.taxable.toString(2) +
                                 (computed.reverseCharge ? QStringLiteral("@RCM Pur Bill No  : ") : QStringLiteral("@Pur Bill No  : ")) + source;
    ledger::JournalDocument journal;
    journal.tableCode = ledger::DocumentType::PurchaseReturn;
    journal.voucherNo = doc.id;
    journal.date = doc.date;
    journal.printedNo = number;
    ledger::PostingLines lines(journal);
    if (computed.reverseCharge) {
        // The supplier never carried the GST: the return takes back the payable and the input the bill booked.
        lines.add(supplier.id, QLatin1Char('D'), t.net, description, doc.reason);
        lines.add(book.purchaseAccount, QLatin1Char('C'), t.taxable, description, doc.reason);
        lines.add(book.autoAccounts ? book.otherAccount : book.purchaseAccount, QLatin1Char('C'), t.net - t.taxable, number);
        const std::pair<Decimal, std::pair<qint64, qint64>> taxes[] = {{t.igst, {book.igstPayable, book.igstInput}},
                                                                       {t.sgst, {book.sgstPayable, book.sgstInput}},
                                                                       {t.cgst, {book.cgstPayable, book.cgstInput}}};
        for (const auto& [amount, accounts] : taxes) {
            lines.add(accounts.first, QLatin1Char('D'), amount, number, taxNarration);
            lines.add(accounts.second, QLatin1Char('C'), amount, number, taxNarration);
        }
    } else {
        postGoodsAndTax(lines, QLatin1Char('D'), supplier.id,
                        {book.purchaseAccount, book.autoAccounts, book.igstAccount, book.sgstAccount, book.cgstAccount, book.otherAccount},
                        t, description, doc.reason, number, taxNarration);
    }
    ledger::Journal(db_, session_).post(journal, ledger::Replace::WholeJournal);
}

bool PurchaseReturns::remove(qint64 id) { return removeReturn(db_, session_, messages_, purchaseReturnKind(), id); }

std::optional<PurchaseReturn> PurchaseReturns::load(qint64 id) {
    const auto h = db_.queryOne(QStringLiteral("SELECT * FROM BillMst WHERE Id = ? AND FirmNO = ? AND FormId = 2"), {id, session_.firmNo});
    if (!h) return std::nullopt;
    PurchaseReturn doc;
    doc.id = id;
    purchaseHeader().read(doc, *h);
    if (doc.otherCharges.abs() < Decimal(1) && trade::firmFlag(session_, QStringLiteral("Is_Pur_RndOff"))) doc.otherCharges = Decimal();
    trade::purchaseLineTable().readLines(db_, QStringLiteral("BillMstId"), id, doc.lines);
    doc.adjustments = adjustmentsOf(db_, purchaseReturnKind(), id, session_.firmNo);
    return doc;
}

documents::DocumentPage PurchaseReturns::list(const documents::ListFilter& filter) {
    return listReturns(db_, purchaseReturnKind(), session_.firmNo, filter);
}

std::vector<SavedReturn> PurchaseReturns::all() { return allReturns(db_, purchaseReturnKind(), session_.firmNo); }

}  // namespace tanabana::returns
