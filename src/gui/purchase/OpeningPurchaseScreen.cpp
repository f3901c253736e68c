#include "gui/purchase/OpeningPurchaseScreen.h"

#include "gui/common/TypedFields.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tanabana::gui {

OpeningPurchaseScreen::OpeningPurchaseScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : DocumentForm(QStringLiteral("frmPurchaseOp"), QStringLiteral("Opening Purchase Bills"), session, &messages, parent), db_(db),
      service_(std::make_unique<trade::PurchaseInvoices>(db, session, messages)) {
    trade::PurchaseInvoices* service = service_.get();
    // Pending bills of earlier years may name any account of the firm.
    const LookupSource accounts = typedSource<documents::PartyChoice>(
        [service](const QString& p) { return service->expenseAccounts(p); },
        {{QStringLiteral("A/c Name"), [](const documents::PartyChoice& p) { return p.name; }},
         {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }},
         {QStringLiteral("A/c No"), [](const documents::PartyChoice& p) { return p.ledgerId; }}},
        [](const documents::PartyChoice& p) { return p.id; });
    declareHeader({DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Invoice No")),
                   DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Bill Date")),
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("A/c Name"), accounts, 2),
                   DocField::number(QStringLiteral("txtPendingAmt"), QStringLiteral("Pending Amt"), 2, 120)},
                  3);
    for (const trade::PurchaseBook& b : service_->books(trade::PurchaseKind::Goods))
        choiceField(QStringLiteral("txtBook"))->addItem(QString::number(b.bookNo) + QStringLiteral(" ") + b.name, b.bookNo);
    declareGrid({});
    declareList({{ListColumn::Number, QStringLiteral("Invoice No")},
                 {ListColumn::Date, QStringLiteral("Bill Date")},
                 {ListColumn::Party, QStringLiteral("A/c Name")},
                 {ListColumn::Amount, QStringLiteral("Pending Amt")},
                 {ListColumn::Figure, QStringLiteral("Paid"), 0},
                 {ListColumn::Figure, QStringLiteral("Unpaid"), 1}},
                QStringLiteral("invoice no, party or amount"));
    finishLayout();
    // An opening bill has no lines and is not printed.
    lineGrid()->hide();
    for (const char* name : {"Cmd_Print", "CmdPDF"}) button(QString::fromLatin1(name))->hide();
    markClean();
}

OpeningPurchaseScreen::~OpeningPurchaseScreen() = default;

void OpeningPurchaseScreen::clearDocument() {
    textField(QStringLiteral("txtBillNo"))->clear();
    textField(QStringLiteral("txtPendingAmt"))->clear();
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.yearStartDate);
}

bool OpeningPurchaseScreen::saveDocument() {
    trade::PurchaseBill bill;
    bill.id = documentId();
    bill.bookId = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    bill.billNo = textOf(QStringLiteral("txtBillNo"));
    bill.date = dateField(QStringLiteral("DtpBillDate"))->date();
    bill.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    bill.pendingAmount = numberOf(QStringLiteral("txtPendingAmt"));
    const auto id = service_->saveOpening(bill);
    if (!id) return false;
    setDocumentId(*id);
    setStatus(QStringLiteral("Saved: Invoice No ") + bill.billNo);
    return true;
}

void OpeningPurchaseScreen::loadDocument(qint64 id) {
    const auto bill = service_->load(id);
    if (!bill) return;
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    showChoice(book, bill->bookId);
    textField(QStringLiteral("txtBillNo"))->setText(bill->billNo);
    dateField(QStringLiteral("DtpBillDate"))->setDate(bill->date);
    if (const auto p = documents::partyById(db_, session_.firmNo, bill->partyId)) lookupField(QStringLiteral("txtParty"))->setChosen(p->id, p->name);
    textField(QStringLiteral("txtPendingAmt"))->setText(bill->pendingAmount.toString(2));
}

bool OpeningPurchaseScreen::removeDocument(qint64 id) { return service_->removeOpening(id); }

documents::DocumentPage OpeningPurchaseScreen::listDocuments(const documents::ListFilter& filter) { return service_->openingPage(filter); }

}  // namespace tanabana::gui
