#include "gui/purchase/OpeningPurchaseScreen.h"

#include "domain/documents/Lookups.h"
#include "domain/trade/PurchaseInvoices.h"

#include <memory>

namespace tanabana::gui {

namespace {

OpeningBillKind openingPurchases(db::Database& db, Session& session, Messages& messages) {
    auto service = std::make_shared<trade::PurchaseInvoices>(db, session, messages);
    OpeningBillKind k;
    k.objectName = QStringLiteral("frmPurchaseOp");
    k.caption = QStringLiteral("Opening Purchase Bills");
    // Pending bills of earlier years may name any account of the firm.
    const LookupSource accounts = typedSource<documents::PartyChoice>(
        [service](const QString& p) { return service->expenseAccounts(p); },
        {{QStringLiteral("A/c Name"), [](const documents::PartyChoice& p) { return p.name; }},
         {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }},
         {QStringLiteral("A/c No"), [](const documents::PartyChoice& p) { return p.ledgerId; }}},
        [](const documents::PartyChoice& p) { return p.id; });
    k.header = {DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Invoice No")),
                DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Bill Date")),
                DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("A/c Name"), accounts, 2),
                DocField::number(QStringLiteral("txtPendingAmt"), QStringLiteral("Pending Amt"), 2, 120)};
    k.headerColumns = 3;
    for (const trade::PurchaseBook& b : service->books(trade::PurchaseKind::Goods)) k.books.push_back({b.bookNo, b.name});
    k.list = {{ListColumn::Number, QStringLiteral("Invoice No")},
              {ListColumn::Date, QStringLiteral("Bill Date")},
              {ListColumn::Party, QStringLiteral("A/c Name")},
              {ListColumn::Amount, QStringLiteral("Pending Amt")},
              {ListColumn::Figure, QStringLiteral("Paid"), 0},
              {ListColumn::Figure, QStringLiteral("Unpaid"), 1}};
    k.listHint = QStringLiteral("invoice no, party or amount");
    k.newDate = session.yearStartDate;
    k.savedText = QStringLiteral("Saved: Invoice No ");
    k.save = [service](const OpeningBill& o) {
        trade::PurchaseBill bill;
        bill.id = o.id;
        bill.bookId = o.bookNo;
        bill.billNo = o.billNo;
        bill.date = o.date;
        bill.partyId = o.partyId;
        bill.pendingAmount = o.pendingAmount;
        return service->saveOpening(bill);
    };
    k.load = [service](qint64 id) -> std::optional<OpeningBill> {
        const auto bill = service->load(id);
        if (!bill) return std::nullopt;
        return OpeningBill{bill->id, bill->bookId, bill->billNo, bill->date, bill->partyId, bill->pendingAmount};
    };
    db::Database* books = &db;
    const qint64 firmNo = session.firmNo;
    k.party = [books, firmNo](qint64 partyId) -> std::optional<std::pair<qint64, QString>> {
        const auto p = documents::partyById(*books, firmNo, partyId);
        if (!p) return std::nullopt;
        return std::pair{p->id, p->name};
    };
    k.remove = [service](qint64 id) { return service->removeOpening(id); };
    k.page = [service](const documents::ListFilter& filter) { return service->openingPage(filter); };
    return k;
}

}  // namespace

OpeningPurchaseScreen::OpeningPurchaseScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : OpeningBillForm(session, messages, openingPurchases(db, session, messages), parent) {}

}  // namespace tanabana::gui
