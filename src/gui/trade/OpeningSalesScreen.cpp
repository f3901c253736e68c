#include "gui/trade/OpeningSalesScreen.h"

#include "domain/documents/Lookups.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tanabana::gui {

OpeningSalesScreen::OpeningSalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : DocumentForm(QStringLiteral("frmSalesOp"), QStringLiteral("Opening Sales Bills"), session, &messages, parent),
      db_(db),
      service_(std::make_unique<trade::SalesInvoices>(db, session, messages)) {
    // pending bills of earlier years may belong to parties no longer active
    const LookupSource parties{salesPartySearch(db_, session_.firmNo, false, true), QStringLiteral("Id"),
                               QStringLiteral("A/c Name")};
    DocField amount = DocField::number(QStringLiteral("txtPendingAmt"), QStringLiteral("Pending Amount"), 2, 140);
    declareHeader({DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Invoice No")),
                   DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Bill Date")), amount,
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), parties, 2)},
                  4);
    for (const documents::BookChoice& b : documents::booksOfKind(db_, session_.firmNo, documents::BookKind::Sales))
        choiceField(QStringLiteral("txtBook"))->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);
    declareList({{ListColumn::Number, QStringLiteral("Bill No")},
                 {ListColumn::Date, QStringLiteral("Bill Date")},
                 {ListColumn::Party, QStringLiteral("Party")},
                 {ListColumn::Amount, QStringLiteral("Amount")},
                 {ListColumn::Figure, QStringLiteral("Unpaid"), 0}},
                QStringLiteral("bill no, party or amount"));
    finishLayout();
    // an opening bill is a line of the outstanding list, not a printed invoice
    setUnavailable(QStringLiteral("Cmd_Print"), QStringLiteral("An opening bill is not printed"));
    setUnavailable(QStringLiteral("CmdPDF"), QStringLiteral("An opening bill is not printed"));
}

void OpeningSalesScreen::clearDocument() {
    textField(QStringLiteral("txtBillNo"))->clear();
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    textField(QStringLiteral("txtPendingAmt"))->clear();
    // a bill carried in is dated before the year
    DateBox* date = dateField(QStringLiteral("DtpBillDate"));
    date->setFinancialYear({}, {});
    date->setDate(session_.yearStartDate.addDays(-1));
}

bool OpeningSalesScreen::saveDocument() {
    trade::SalesBill bill;
    bill.id = documentId();
    bill.bookNo = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    bill.billNo = textOf(QStringLiteral("txtBillNo"));
    bill.date = dateField(QStringLiteral("DtpBillDate"))->date();
    bill.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    bill.pendingAmount = numberOf(QStringLiteral("txtPendingAmt"));
    const auto id = service_->saveOpening(bill);
    if (!id) return false;
    setDocumentId(*id);
    setStatus(QStringLiteral("Saved as Bill No ") + bill.billNo);
    return true;
}

void OpeningSalesScreen::loadDocument(qint64 id) {
    const auto bill = service_->load(id);
    if (!bill) return;
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    showChoice(book, bill->bookNo);
    textField(QStringLiteral("txtBillNo"))->setText(bill->billNo);
    dateField(QStringLiteral("DtpBillDate"))->setDate(bill->date);
    if (const auto p = service_->party(bill->partyId)) lookupField(QStringLiteral("txtParty"))->setChosen(p->id, p->name);
    textField(QStringLiteral("txtPendingAmt"))->setText(bill->pendingAmount.toString(2));
}

}  // namespace tanabana::gui
