#include "gui/purchase/PurchaseChallanScreen.h"

#include "core/Words.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/TypedFields.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace tanabana::gui {

PurchaseChallanScreen::PurchaseChallanScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : DocumentForm(QStringLiteral("frmPurchaseCh"), QStringLiteral("  Purchase Chalan"), session, &messages, parent), db_(db),
      challans_(std::make_unique<trade::PurchaseChallans>(db, session, messages)),
      purchases_(std::make_unique<trade::PurchaseInvoices>(db, session, messages)) {
    trade::PurchaseInvoices* purchases = purchases_.get();
    declareHeader({DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Pur. Ch. No")),
                   DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Date")),
                   DocField::choice(QStringLiteral("ComInvType"), QStringLiteral("Inv.Type(T/R)"), {QStringLiteral("T"), QStringLiteral("R")}, 60),
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"),
                                    typedSource<documents::PartyChoice>(
                                        [purchases](const QString& p) { return purchases->suppliers(trade::PurchaseKind::Goods, p); },
                                        {{QStringLiteral("A/c Name"), [](const documents::PartyChoice& p) { return p.name; }},
                                         {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }}},
                                        [](const documents::PartyChoice& p) { return p.id; }),
                                    2),
                   DocField::text(QStringLiteral("txtNotes"), QStringLiteral("Notes"), 0, 2)});
    for (const trade::PurchaseBook& b : purchases_->books(trade::PurchaseKind::Goods))
        choiceField(QStringLiteral("txtBook"))->addItem(QString::number(b.bookNo) + QStringLiteral(" ") + b.name, b.bookNo);
    declareLine({DocField::lookup(QStringLiteral("txtItem"), QStringLiteral("Quality"),
                                  typedSource<trade::PurchaseItem>([purchases](const QString& p) { return purchases->items(p); },
                                                                   {{QStringLiteral("Item Name"), [](const trade::PurchaseItem& i) { return i.name; }},
                                                                    {QStringLiteral("Code"), [](const trade::PurchaseItem& i) { return i.code; }}},
                                                                   [](const trade::PurchaseItem& i) { return i.id; })),
                 DocField::number(QStringLiteral("txtPcs"), QStringLiteral("Pieces")), DocField::number(QStringLiteral("txtCut"), QStringLiteral("Cut")),
                 DocField::number(QStringLiteral("txtQty"), QStringLiteral("Quantity")),
                 DocField::choice(QStringLiteral("ComPM"), QStringLiteral("PM"), {QStringLiteral("M"), QStringLiteral("P")}, 64),
                 DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate"))});
    declareGrid({GridColumn::number(QStringLiteral("Sr"), 0), GridColumn::text(QStringLiteral("Quality")),
                 GridColumn::number(QStringLiteral("Pieces"), 0, true), GridColumn::number(QStringLiteral("Cut"), 2),
                 GridColumn::number(QStringLiteral("Quantity"), 3, true), GridColumn::text(QStringLiteral("PM")),
                 GridColumn::number(QStringLiteral("Rate"), 2), GridColumn::number(QStringLiteral("Amount"), 2, true)});
    declareList({{ListColumn::Number, QStringLiteral("Pur. Ch. No")},
                 {ListColumn::Marked, QStringLiteral("Audited")},
                 {ListColumn::Date, QStringLiteral("Date")},
                 {ListColumn::Party, QStringLiteral("Party")},
                 {ListColumn::Amount, QStringLiteral("Amount")},
                 {ListColumn::Text, QStringLiteral("Inv.Type"), 0}},
                QStringLiteral("challan no, party or amount"));
    connect(lookupField(QStringLiteral("txtItem")), &LookupField::chosen, this, [this] {
        if (const auto item = purchases_->item(lookupField(QStringLiteral("txtItem"))->chosenId())) {
            textField(QStringLiteral("txtRate"))->setText(item->purchaseRate.toString(2));
            choiceField(QStringLiteral("ComPM"))->setCurrentText(item->rateOn);
        }
    });
    finishLayout();
    for (const char* name : {"Cmd_Print", "CmdPDF"}) button(QString::fromLatin1(name))->hide();  // a challan received is not printed
    keys()->onEnter(textField(QStringLiteral("txtRate")), [this] {
        if (refuseTypedLine()) return true;
        if (addLine()) firstLineField()->setFocus();
        return true;
    });
    markClean();
}

PurchaseChallanScreen::~PurchaseChallanScreen() = default;

bool PurchaseChallanScreen::addLine() {
    LookupField* item = lookupField(QStringLiteral("txtItem"));
    if (item->chosenId() <= 0) return false;
    lines_.push_back({item->chosenId(), numberOf(QStringLiteral("txtPcs")), numberOf(QStringLiteral("txtCut")), numberOf(QStringLiteral("txtQty")),
                      choiceField(QStringLiteral("ComPM"))->currentText(), numberOf(QStringLiteral("txtRate"))});
    item->clearChoice();
    for (const char* name : {"txtPcs", "txtCut", "txtQty", "txtRate"}) textField(QString::fromLatin1(name))->clear();
    markChanged();
    refreshGrid();
    return true;
}

void PurchaseChallanScreen::refreshGrid() {
    std::vector<std::vector<Cell>> rows;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const trade::PurchaseChallanLine& l = lines_[i];
        const auto item = purchases_->item(l.qualityId);
        rows.push_back({Decimal(qint64(i + 1)), item ? item->name : QString(), l.pieces, l.cut, l.quantity, l.rateOn, l.rate,
                        trade::challanLineAmount(l.pieces, l.quantity, l.rateOn, l.rate)});
    }
    setLines(rows);
    setTotals({}, QStringLiteral("Amount  ") + FormatIndian(trade::PurchaseChallans::amount(challanOnScreen()), 2));
}

trade::PurchaseChallan PurchaseChallanScreen::challanOnScreen() const {
    trade::PurchaseChallan c;
    c.id = documentId();
    c.bookId = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    c.challanNo = textOf(QStringLiteral("txtBillNo"));
    c.date = dateField(QStringLiteral("DtpBillDate"))->date();
    c.invoiceType = choiceField(QStringLiteral("ComInvType"))->currentText();
    c.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    c.notes = textField(QStringLiteral("txtNotes"))->text();
    c.lines = lines_;
    return c;
}

void PurchaseChallanScreen::clearDocument() {
    lines_.clear();
    for (const char* name : {"txtBillNo", "txtNotes", "txtPcs", "txtCut", "txtQty", "txtRate"}) textField(QString::fromLatin1(name))->clear();
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    lookupField(QStringLiteral("txtItem"))->clearChoice();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    refreshGrid();
}

bool PurchaseChallanScreen::saveDocument() {
    trade::PurchaseChallan c = challanOnScreen();
    const auto id = challans_->save(c);
    if (!id) return false;
    setDocumentId(*id);
    setStatus(QStringLiteral("Saved: Pur. Ch. No ") + c.challanNo);
    return true;
}

void PurchaseChallanScreen::loadDocument(qint64 id) {
    const auto c = challans_->load(id);
    if (!c) return;
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    showChoice(book, c->bookId);
    textField(QStringLiteral("txtBillNo"))->setText(c->challanNo);
    dateField(QStringLiteral("DtpBillDate"))->setDate(c->date);
    choiceField(QStringLiteral("ComInvType"))->setCurrentText(c->invoiceType);
    if (const auto p = documents::partyById(db_, session_.firmNo, c->partyId)) lookupField(QStringLiteral("txtParty"))->setChosen(p->id, p->name);
    textField(QStringLiteral("txtNotes"))->setText(c->notes);
    lines_ = c->lines;
    refreshGrid();
}

bool PurchaseChallanScreen::removeDocument(qint64 id) { return challans_->remove(id); }

documents::DocumentPage PurchaseChallanScreen::listDocuments(const documents::ListFilter& filter) { return challans_->page(filter); }

}  // namespace tanabana::gui
