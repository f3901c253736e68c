#include "gui/trade/OpeningSalesScreen.h"

#include "domain/documents/Lookups.h"
#include "domain/trade/SalesInvoices.h"
#include "gui/trade/SellingLookups.h"

#include <memory>

namespace tanabana::gui {

namespace {

OpeningBillKind openingSales(db::Database& db, Session& session, Messages& messages) {
    auto service = std::make_shared<trade::SalesInvoices>(db, session, messages);
    OpeningBillKind k;
    k.objectName = QStringLiteral("frmSalesOp");
    k.caption = QStringLiteral("Opening Sales Bills");
    // pending bills of earlier years may belong to parties no longer active
    const LookupSource parties{salesPartySearch(db, session.firmNo, false, true), QStringLiteral("Id"), QStringLiteral("A/c Name")};
    k.header = {DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Invoice No")),
                DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Bill Date")),
                DocField::number(QStringLiteral("txtPendingAmt"), QStringLiteral("Pending Amount"), 2, 140),
                DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), parties, 2)};
    k.headerColumns = 4;
    for (const documents::BookChoice& b : documents::booksOfKind(db, session.firmNo, documents::BookKind::Sales)) k.books.push_back({b.bookNo, b.name});
    k.list = {{ListColumn::Number, QStringLiteral("Bill No")},
              {ListColumn::Date, QStringLiteral("Bill Date")},
              {ListColumn::Party, QStringLiteral("Party")},
              {ListColumn::Amount, QStringLiteral("Amount")},
              {ListColumn::Figure, QStringLiteral("Unpaid"), 0}};
    k.listHint = QStringLiteral("bill no, party or amount");
    // a bill carried in is dated before the year
    k.newDate = session.yearStartDate.addDays(-1);
    k.anyDate = true;
    k.savedText = QStringLiteral("Saved as Bill No ");
    k.save = [service](const OpeningBill& o) {
        trade::SalesBill bill;
        bill.id = o.id;
        bill.bookNo = o.bookNo;
        bill.billNo = o.billNo;
        bill.date = o.date;
        bill.partyId = o.partyId;
        bill.pendingAmount = o.pendingAmount;
        return service->saveOpening(bill);
    };
    k.load = [service](qint64 id) -> std::optional<OpeningBill> {
        const auto bill = service->load(id);
        if (!bill) return std::nullopt;
        return OpeningBill{bill->id, bill->bookNo, bill->billNo, bill->date, bill->partyId, bill->pendingAmount};
    };
    k.party = [service](qint64 partyId) -> std::optional<std::pair<qint64, QString>> {
        const auto p = service->party(partyId);
        if (!p) return std::nullopt;
        return std::pair{p->id, p->name};
    };
    k.remove = [service](qint64 id) { return service->removeOpening(id); };
    k.page = [service](const documents::ListFilter& filter) { return service->openingBillList(filter); };
    return k;
}

}  // namespace

OpeningSalesScreen::OpeningSalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : OpeningBillForm(session, messages, openingSales(db, session, messages), parent) {}

}  // namespace tanabana::gui
