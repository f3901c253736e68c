#include "gui/purchase/PurchaseScreen.h"

#include "core/Words.h"
#include "domain/products/SmallMasters.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

using trade::PurchaseBill;
using trade::PurchaseKind;
using trade::PurchaseLine;

namespace {


// The first letters of these are what the bill keeps ("T", "R", "L", "I", "S").
const QStringList kInvoiceTypes{QStringLiteral("Tax Inv."), QStringLiteral("Retail Inv."), QStringLiteral("Labour"), QStringLiteral("Import"),
                                QStringLiteral("SEZ")};

LookupSource brokers(db::Database& db, Session& session, Messages& messages) {
    return typedSource<products::Broker>(
        [&db, &session, &messages](const QString& prefix) {
            std::vector<products::Broker> found;
            for (products::Broker& b : products::BrokerMaster(db, session, messages).list())
                if (b.name.startsWith(prefix.trimmed(), Qt::CaseInsensitive)) found.push_back(std::move(b));
            return found;
        },
        {{QStringLiteral("Broker"), [](const products::Broker& b) { return b.name; }}}, [](const products::Broker& b) { return b.srno; });
}

QString kindName(PurchaseKind kind) {
    switch (kind) {
    case PurchaseKind::Goods: return QStringLiteral("frmPurchase");
    case PurchaseKind::Expense: return QStringLiteral("frmPurchaseGeneral");
    case PurchaseKind::ExpenseLines: return QStringLiteral("frmPurchaseGen_Multi");
    }
    return {};
}

QString kindCaption(PurchaseKind kind) {
    switch (kind) {
    case PurchaseKind::Goods: return QStringLiteral("Purchase Invoice");
    case PurchaseKind::Expense: return QStringLiteral("General Purchase (Expenses)");
    case PurchaseKind::ExpenseLines: return QStringLiteral("General Purchase (Multi Product)");
    }
    return {};
}

}  // namespace

PurchaseScreen::PurchaseScreen(db::Database& db, Session& session, Messages& messages, PurchaseKind kind, QWidget* parent)
    : DocumentForm(kindName(kind), kindCaption(kind), session, &messages, parent), db_(db), serviceMessages_(messages), kind_(kind),
      service_(std::make_unique<trade::PurchaseInvoices>(db, session, messages)) {
    declareFields();
    if (goods()) buildTakaPanel();
    printType_ = new QComboBox;
    printType_->setObjectName(QStringLiteral("ComPrintType"));
    printType_->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    printType_->setToolTip(QStringLiteral("Print layout"));
    addToButtonBar(printType_);
    finishLayout();
    wireKeys();
    markClean();
}

PurchaseScreen::~PurchaseScreen() = default;

void PurchaseScreen::declareFields() {
    trade::PurchaseInvoices* service = service_.get();
    const PurchaseKind kind = kind_;
    std::vector<DocField> header{
        DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
        DocField::info(QStringLiteral("lblVouNo")),
        DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Pur. Bill No")),
        DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Bill Date")),
        DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"),
                         partySource([service, kind](const QString& p) { return service->suppliers(kind, p); }), 2),
        DocField::info(QStringLiteral("lblBalance"), 2)};
    if (!goods())
        header.push_back(DocField::lookup(QStringLiteral("txtService"), QStringLiteral("Service"),
                                          partySource([service](const QString& p) { return service->expenseAccounts(p); }), 2));
    for (const DocField& f : {DocField::number(QStringLiteral("txtCrDays"), QStringLiteral("Cr. Days"), 0, 60),
                              DocField::choice(QStringLiteral("ComInvType"), QStringLiteral("Inv.Type"), kInvoiceTypes),
                              DocField::lookup(QStringLiteral("txtBroker"), QStringLiteral("Broker"), brokers(db_, session_, serviceMessages_)),
                              DocField::text(QStringLiteral("txtTransport"), QStringLiteral("Transport")),
                              DocField::text(QStringLiteral("txtCaseNo"), QStringLiteral("Case No.")),
                              DocField::text(QStringLiteral("txtLrNo"), QStringLiteral("L.R.No.")),
                              DocField::optionalDate(QStringLiteral("txtLrDate"), QStringLiteral("L.R. Dt.")),
                              DocField::text(QStringLiteral("txtLotNo"), QStringLiteral("Lot No")),
                              DocField::text(QStringLiteral("txtEwayNo"), QStringLiteral("Eway Bill No")),
                              DocField::text(QStringLiteral("txtDesc"), QStringLiteral("Desc"), 0, 2)})
        header.push_back(f);
    if (!goods()) header.push_back(DocField::info(QStringLiteral("lblRcmDay"), 4));
    declareHeader(header);
    book_ = choiceField(QStringLiteral("txtBook"));
    for (const trade::PurchaseBook& b : service_->books(kind_)) book_->addItem(QString::number(b.bookNo) + QStringLiteral(" ") + b.name, b.bookNo);
    party_ = lookupField(QStringLiteral("txtParty"));

    if (itemLines()) {
        declareLine({DocField::lookup(QStringLiteral("txtItem"), QStringLiteral("Item"),
                                      typedSource<trade::PurchaseItem>([service](const QString& p) { return service->items(p); },
                                                                       {{QStringLiteral("Item Name"), [](const trade::PurchaseItem& i) { return i.name; }},
                                                                        {QStringLiteral("Code"), [](const trade::PurchaseItem& i) { return i.code; }},
                                                                        {QStringLiteral("PurRate"),
                                                                         [](const trade::PurchaseItem& i) { return i.purchaseRate.toString(2); }},
                                                                        {QStringLiteral("Unit"), [](const trade::PurchaseItem& i) { return i.unit; }},
                                                                        {QStringLiteral("HSN Code"), [](const trade::PurchaseItem& i) { return i.hsn; }}},
                                                                       [](const trade::PurchaseItem& i) { return i.id; })),
                     DocField::number(QStringLiteral("txtPcs"), QStringLiteral("-")),
                     DocField::number(QStringLiteral("txtN0"), QStringLiteral("N0")),
                     DocField::number(QStringLiteral("txtQty"), QStringLiteral("Qty")),
                     DocField::choice(QStringLiteral("ComPM"), QStringLiteral("PM"), {QStringLiteral("M"), QStringLiteral("P")}, 64),
                     DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate")),
                     DocField::number(QStringLiteral("txtDisc"), QStringLiteral("Disc %"), 3, 70),
                     DocField::number(QStringLiteral("txtFreight"), QStringLiteral("Freight"), 2, 90),
                     DocField::info(QStringLiteral("lblLastRate"))});
        item_ = lookupField(QStringLiteral("txtItem"));
    } else {
        declareLine({DocField::number(QStringLiteral("txtQty"), QStringLiteral("Qty")), DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate")),
                     DocField::number(QStringLiteral("txtSgstP"), QStringLiteral("SGST %"), 3, 70),
                     DocField::number(QStringLiteral("txtCgstP"), QStringLiteral("CGST %"), 3, 70)});
    }

    declareGrid({GridColumn::number(QStringLiteral("Sr"), 0), GridColumn::text(QStringLiteral("Item")), GridColumn::number(QStringLiteral("-"), 0, true),
                 GridColumn::number(QStringLiteral("N0"), 0, true), GridColumn::number(QStringLiteral("Qty"), 3, true),
                 GridColumn::text(QStringLiteral("PM")), GridColumn::number(QStringLiteral("Rate"), 2),
                 GridColumn::number(QStringLiteral("Amount"), 2, true), GridColumn::number(QStringLiteral("SGST"), 2),
                 GridColumn::number(QStringLiteral("CGST"), 2), GridColumn::number(QStringLiteral("SGST Rs"), 2, true),
                 GridColumn::number(QStringLiteral("CGST Rs"), 2, true), GridColumn::number(QStringLiteral("Tot Amt"), 2, true),
                 GridColumn::number(QStringLiteral("Disc %"), 2), GridColumn::number(QStringLiteral("Freight"), 2, true)});

    DocField other = DocField::number(QStringLiteral("txtOther"), QStringLiteral("Other (+/-)"), 2, 100);
    other.rule.negative = true;  // a deduction is typed with a minus
    declareCharges({DocField::number(QStringLiteral("txtTcsP"), QStringLiteral("TCS %"), 3, 70),
                    DocField::number(QStringLiteral("txtTdsP"), QStringLiteral("TDS %"), 3, 70), other});

    declareList({{ListColumn::Number, QStringLiteral("Pur. Bill No")},
                 {ListColumn::Marked, QStringLiteral("Audited")},
                 {ListColumn::Date, QStringLiteral("Bill Date")},
                 {ListColumn::Party, QStringLiteral("Party NAme")},
                 {ListColumn::Amount, QStringLiteral("Bill Amt")},
                 {ListColumn::Text, QStringLiteral("RCM BillNo"), 0},
                 {ListColumn::Figure, QStringLiteral("PaidAmt"), 0},
                 {ListColumn::Figure, QStringLiteral("UnpaidAmt"), 1}},
                QStringLiteral("bill no, party or amount"));

    connect(book_, &QComboBox::currentIndexChanged, this, [this] { bookChosen(); });
    connect(party_, &LookupField::chosen, this, [this] { partyChosen(); });
    if (item_) connect(item_, &LookupField::chosen, this, [this] { itemChosen(); });
    for (const char* name : {"txtTcsP", "txtTdsP", "txtOther"})
        connect(textField(QString::fromLatin1(name)), &QLineEdit::textEdited, this, [this] { refreshTotals(); });
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editLine(row); });
}

void PurchaseScreen::buildTakaPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("TakaDetail"));
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* entry = new QVBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("Taka Detail")));
    takaNo_ = new QLineEdit;
    takaNo_->setObjectName(QStringLiteral("txtTakaNo"));
    takaNo_->setPlaceholderText(QStringLiteral("Taka No"));
    takaNo_->setMaximumWidth(120);
    takaMetres_ = new NumberBox(QStringLiteral("Mtrs"), NumberRule{2, false, 8});
    takaMetres_->setObjectName(QStringLiteral("txtTakaMtrs"));
    takaMetres_->setPlaceholderText(QStringLiteral("Mtrs"));
    takaMetres_->setMaximumWidth(120);
    entry->addWidget(takaNo_);
    entry->addWidget(takaMetres_);
    entry->addStretch(1);
    layout->addLayout(entry);
    takaGrid_ = new QTableWidget(0, 3);
    takaGrid_->setObjectName(QStringLiteral("vsTaka"));
    takaGrid_->setHorizontalHeaderLabels({QStringLiteral("Taka No"), QStringLiteral("Mtrs"), QStringLiteral("Mill Issue")});
    takaGrid_->verticalHeader()->hide();
    takaGrid_->verticalHeader()->setDefaultSectionSize(20);
    takaGrid_->setColumnWidth(0, 110);
    takaGrid_->setColumnWidth(1, 90);
    takaGrid_->setColumnWidth(2, 70);
    takaGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    takaGrid_->setMaximumHeight(110);
    takaGrid_->setMaximumWidth(300);
    takaGrid_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(takaGrid_);
    layout->addStretch(1);
    addPanel(panel, {takaNo_, takaMetres_}, true);
}

void PurchaseScreen::wireKeys() {
    keys()->onEnter(textField(QStringLiteral("txtBillNo")), [this] {
        openEarlierBill();
        return false;
    });
    QWidget* last = itemLines() ? static_cast<QWidget*>(textField(QStringLiteral("txtFreight"))) : textField(QStringLiteral("txtCgstP"));
    keys()->onEnter(last, [this] {
        if (refuseTypedLine()) return true;
        const bool firstLine = lines_.empty();
        if (!addLine()) return true;
        // Line 1 of a goods bill takes its takas next, unless the firm keeps none.
        if (goods() && firstLine && takas_.empty() && takaNo_) takaNo_->setFocus();
        else firstLineField()->setFocus();
        return true;
    });
    if (takaNo_) {
        keys()->onEnter(takaNo_, [this] {
            if (!takaNo_->text().trimmed().isEmpty()) return false;
            firstLineField()->setFocus();
            return true;
        });
        keys()->onEnter(takaMetres_, [this] {
            if (!takaMetres_->refusal().isEmpty()) return false;
            addTaka();
            return true;
        });
    }
    connect(lineGrid(), &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) { editLine(item->row()); });
}

void PurchaseScreen::clearDocument() {
    lines_.clear();
    takas_.clear();
    editedLine_.reset();
    openedBill_.reset();
    for (const char* name : {"txtBillNo", "txtCrDays", "txtCaseNo", "txtLrNo", "txtLrDate", "txtLotNo", "txtEwayNo", "txtDesc", "txtTransport",
                             "txtQty", "txtRate", "txtTcsP", "txtTdsP", "txtOther"})
        textField(QString::fromLatin1(name))->clear();
    if (itemLines()) {
        for (const char* name : {"txtPcs", "txtN0", "txtDisc", "txtFreight"}) textField(QString::fromLatin1(name))->clear();
        item_->clearChoice();
        infoField(QStringLiteral("lblLastRate"))->clear();
        choiceField(QStringLiteral("ComPM"))->setCurrentIndex(0);
        if (takaNo_) takaNo_->clear();
        if (takaMetres_) takaMetres_->clear();
    } else {
        textField(QStringLiteral("txtSgstP"))->clear();
        textField(QStringLiteral("txtCgstP"))->clear();
        lookupField(QStringLiteral("txtService"))->clearChoice();
    }
    party_->clearChoice();
    lookupField(QStringLiteral("txtBroker"))->clearChoice();
    infoField(QStringLiteral("lblBalance"))->clear();
    infoField(QStringLiteral("lblVouNo"))->setText(QStringLiteral("Vou. No : New"));
    choiceField(QStringLiteral("ComInvType"))->setCurrentIndex(0);
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    bookChosen();
    refreshGrid();
    refreshTakas();
}

void PurchaseScreen::bookChosen() { showListPage(0); }

void PurchaseScreen::partyChosen() {
    const auto s = service_->supplier(party_->chosenId(), kind_);
    if (!s) return;
    if (textOf(QStringLiteral("txtCrDays")).isEmpty() && s->creditDays > 0)
        textField(QStringLiteral("txtCrDays"))->setText(QString::number(s->creditDays));
    if (textOf(QStringLiteral("txtTdsP")).isEmpty() && s->tdsPercent > Decimal())
        textField(QStringLiteral("txtTdsP"))->setText(s->tdsPercent.toString(2));
    LookupField* broker = lookupField(QStringLiteral("txtBroker"));
    if (broker->chosenId() == 0 && s->brokerId > 0)
        if (const auto b = products::BrokerMaster(db_, session_, serviceMessages_).load(s->brokerId)) broker->setChosen(b->srno, b->name);
    QString balance = QStringLiteral("Bal. : ") + service_->partyBalance(s->id);
    if (s->otherState) balance += QStringLiteral("   IGST");
    if (s->reverseCharge) balance += QStringLiteral("   Reverse Charge");
    infoField(QStringLiteral("lblBalance"))->setText(balance);
    openEarlierBill();
    refreshGrid();
}

void PurchaseScreen::openEarlierBill() {
    if (documentId() > 0 || party_->chosenId() <= 0 || textOf(QStringLiteral("txtBillNo")).isEmpty()) return;
    if (const auto earlier = service_->billOfParty(party_->chosenId(), textOf(QStringLiteral("txtBillNo")), kind_)) {
        markClean();  // nothing typed beyond the number and the party: the saved bill takes the screen
        openEntry(*earlier);
        setStatus(QStringLiteral("This bill of the party is saved already: opened for editing"));
    }
}

void PurchaseScreen::itemChosen() {
    const auto item = service_->item(item_->chosenId());
    if (!item) return;
    if (!editedLine_ || editedLine_->qualityId != item->id) textField(QStringLiteral("txtRate"))->setText(item->purchaseRate.toString(2));
    choiceField(QStringLiteral("ComPM"))->setCurrentText(item->rateOn);
    QString info = QStringLiteral("SGST ") + item->sgstPercent.toString(2) + QStringLiteral("%  CGST ") + item->cgstPercent.toString(2) +
                   QStringLiteral("%  HSN ") + item->hsn;
    if (party_->chosenId() > 0) {
        const QString last = service_->lastPurchaseRate(party_->chosenId(), item->id);
        if (!last.isEmpty()) info = last + QStringLiteral("   ") + info;
    }
    infoField(QStringLiteral("lblLastRate"))->setText(info);
}

PurchaseLine PurchaseScreen::lineFromEntry() const {
    PurchaseLine line;
    line.input.metres = numberOf(QStringLiteral("txtQty"));
    line.input.listRate = numberOf(QStringLiteral("txtRate"));
    if (!itemLines()) {
        line.input.sgstPercent = numberOf(QStringLiteral("txtSgstP"));
        line.input.cgstPercent = numberOf(QStringLiteral("txtCgstP"));
        return line;
    }
    // A line taken back keeps the GST the bill was made with; a new line takes the item's.
    if (editedLine_ && editedLine_->qualityId == item_->chosenId()) line = *editedLine_;
    else if (const auto item = service_->item(item_->chosenId())) trade::PurchaseInvoices::applyItem(line, *item, true);
    line.input.pieces = numberOf(QStringLiteral("txtPcs"));
    line.count = numberOf(QStringLiteral("txtN0"));
    line.input.metres = numberOf(QStringLiteral("txtQty"));
    line.input.rateOn = choiceField(QStringLiteral("ComPM"))->currentText();
    line.input.listRate = numberOf(QStringLiteral("txtRate"));
    line.input.discountPercent = numberOf(QStringLiteral("txtDisc"));
    line.input.freight = numberOf(QStringLiteral("txtFreight"));
    return line;
}

bool PurchaseScreen::addLine() {
    if (itemLines() && item_->chosenId() <= 0) return false;
    if (!itemLines() && numberOf(QStringLiteral("txtRate")).isZero()) return false;
    lines_.push_back(lineFromEntry());
    editedLine_.reset();
    if (itemLines()) {
        item_->clearChoice();
        for (const char* name : {"txtPcs", "txtN0", "txtDisc", "txtFreight"}) textField(QString::fromLatin1(name))->clear();
        infoField(QStringLiteral("lblLastRate"))->clear();
    } else {
        textField(QStringLiteral("txtSgstP"))->clear();
        textField(QStringLiteral("txtCgstP"))->clear();
    }
    textField(QStringLiteral("txtQty"))->clear();
    textField(QStringLiteral("txtRate"))->clear();
    markChanged();
    refreshGrid();
    return true;
}

void PurchaseScreen::editLine(int row) {
    if (row < 0 || row >= int(lines_.size())) return;
    const PurchaseLine line = lines_[size_t(row)];
    lines_.erase(lines_.begin() + row);
    editedLine_ = line;
    textField(QStringLiteral("txtQty"))->setText(blankIfZero(line.input.metres, 3));
    textField(QStringLiteral("txtRate"))->setText(line.input.listRate.toString(2));
    if (itemLines()) {
        if (const auto item = service_->item(line.qualityId)) item_->setChosen(item->id, item->name);
        textField(QStringLiteral("txtPcs"))->setText(blankIfZero(line.input.pieces, 3));
        textField(QStringLiteral("txtN0"))->setText(blankIfZero(line.count, 3));
        choiceField(QStringLiteral("ComPM"))->setCurrentText(line.input.rateOn);
        textField(QStringLiteral("txtDisc"))->setText(blankIfZero(line.input.discountPercent, 2));
        textField(QStringLiteral("txtFreight"))->setText(blankIfZero(line.input.freight, 2));
    } else {
        textField(QStringLiteral("txtSgstP"))->setText(blankIfZero(line.input.sgstPercent, 2));
        textField(QStringLiteral("txtCgstP"))->setText(blankIfZero(line.input.cgstPercent, 2));
    }
    markChanged();
    refreshGrid();
    textField(QStringLiteral("txtQty"))->setFocus();
}

void PurchaseScreen::addTaka() {
    const QString no = takaNo_->text().trimmed();
    if (no.isEmpty()) return;
    takas_.push_back({no, takaMetres_->value(), false});
    takaNo_->clear();
    takaMetres_->clear();
    markChanged();
    refreshTakas();
    takaNo_->setFocus();
}

void PurchaseScreen::refreshTakas() {
    if (!takaGrid_) return;
    takaGrid_->setRowCount(int(takas_.size()) + 1);
    Decimal total;
    for (size_t i = 0; i < takas_.size(); ++i) {
        takaGrid_->setItem(int(i), 0, new QTableWidgetItem(takas_[i].takaNo));
        auto* metres = new QTableWidgetItem(takas_[i].metres.toString(2));
        metres->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        takaGrid_->setItem(int(i), 1, metres);
        takaGrid_->setItem(int(i), 2, new QTableWidgetItem(takas_[i].issued ? QStringLiteral("Y") : QString()));
        total += takas_[i].metres;
    }
    const int last = int(takas_.size());
    auto* caption = new QTableWidgetItem(QStringLiteral("Total  ") + QString::number(takas_.size()));
    auto* sum = new QTableWidgetItem(total.toString(2));
    sum->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = takaGrid_->font();
    bold.setBold(true);
    caption->setFont(bold);
    sum->setFont(bold);
    takaGrid_->setItem(last, 0, caption);
    takaGrid_->setItem(last, 1, sum);
    takaGrid_->setItem(last, 2, new QTableWidgetItem);
}

void PurchaseScreen::refreshGrid() {
    const PurchaseBill bill = billOnScreen();
    const trade::ComputedPurchase c = service_->compute(bill);
    std::vector<std::vector<Cell>> rows;
    size_t index = 0;
    for (const PurchaseLine& in : bill.lines) {
        if (index >= c.lines.size()) break;
        const trade::InvoiceLine& l = c.lines[index++];
        QString name;
        if (in.qualityId > 0)
            if (const auto item = service_->item(in.qualityId)) name = item->name;
        rows.push_back({Decimal(qint64(index)), name, in.input.pieces, in.count, in.input.metres, in.input.rateOn, l.rate, l.amount, l.tax1Percent,
                        l.tax2Percent, l.tax1Amount, l.tax2Amount, l.lineTotal, in.input.discountPercent, l.freight});
    }
    setLines(rows);
    const QString tax1 = c.igst ? QStringLiteral("IGST") : QStringLiteral("SGST");
    setColumnCaption(8, tax1);
    setColumnCaption(10, tax1 + QStringLiteral(" Rs"));
    setColumnHidden(9, c.igst);
    setColumnHidden(11, c.igst);
    // A service bill has no item, pieces, count, rate basis, discount or freight.
    for (const int column : {1, 2, 3, 5, 13, 14}) setColumnHidden(column, !itemLines());
    refreshTotals();
}

void PurchaseScreen::refreshTotals() {
    const trade::ComputedPurchase c = service_->compute(billOnScreen());
    QString text = trade::invoiceTotalsText(c.totals, c.igst);
    if (c.reverseCharge) text += QStringLiteral("\nReverse charge: the GST is the firm's to pay");
    setTotals(text, QStringLiteral("Net Amt  ") + shownAmount(c.totals.net, 2));
    showReverseChargeDay();
}

void PurchaseScreen::showReverseChargeDay() {
    if (goods()) return;
    const trade::ReverseChargeDay day = service_->reverseChargeDay(dateField(QStringLiteral("DtpBillDate"))->date());
    infoField(QStringLiteral("lblRcmDay"))
        ->setText(QStringLiteral("Reverse charge purchases of the day : ") + shownAmount(day.all, 2) + QStringLiteral("   without GST : ") +
                  shownAmount(day.withoutGst, 2) + QStringLiteral("   RCM Free Limit : ") + shownAmount(day.limit, 2));
}

PurchaseBill PurchaseScreen::billOnScreen() const {
    PurchaseBill b = openedBill_ && documentId() > 0 ? *openedBill_ : PurchaseBill{};
    b.id = documentId();
    b.kind = kind_;
    b.bookId = book_->currentData().toLongLong();
    b.billNo = textOf(QStringLiteral("txtBillNo"));
    b.date = dateField(QStringLiteral("DtpBillDate"))->date();
    b.partyId = party_->chosenId();
    if (!goods()) b.expenseAccountId = lookupField(QStringLiteral("txtService"))->chosenId();
    b.creditDays = textOf(QStringLiteral("txtCrDays")).toInt();
    b.invoiceType = choiceField(QStringLiteral("ComInvType"))->currentText().left(1);
    b.brokerId = lookupField(QStringLiteral("txtBroker"))->chosenId();
    b.transport = textField(QStringLiteral("txtTransport"))->text();
    b.caseNo = textField(QStringLiteral("txtCaseNo"))->text();
    b.lrNo = textField(QStringLiteral("txtLrNo"))->text();
    b.lrDate = optionalDate(QStringLiteral("txtLrDate"));
    b.lotNo = textField(QStringLiteral("txtLotNo"))->text();
    b.ewayBillNo = textField(QStringLiteral("txtEwayNo"))->text();
    b.notes = textField(QStringLiteral("txtDesc"))->text();
    b.tcsPercent = numberOf(QStringLiteral("txtTcsP"));
    b.tdsPercent = numberOf(QStringLiteral("txtTdsP"));
    b.otherCharges = numberOf(QStringLiteral("txtOther"));
    b.lines = lines_;
    b.takas = takas_;
    return b;
}

bool PurchaseScreen::saveDocument() {
    PurchaseBill bill = billOnScreen();
    const auto id = service_->save(bill);
    if (!id) return false;
    setDocumentId(*id);
    openedBill_ = service_->load(*id);
    infoField(QStringLiteral("lblVouNo"))->setText(QStringLiteral("Vou. No : ") + QString::number(*id));
    setStatus(QStringLiteral("Saved as Vou. No ") + QString::number(*id) + QStringLiteral(" (Pur. Bill No ") + bill.billNo + QLatin1Char(')'));
    return true;
}

void PurchaseScreen::loadDocument(qint64 id) {
    const auto bill = service_->load(id);
    if (!bill) return;
    openedBill_ = bill;
    editedLine_.reset();
    showChoice(book_, bill->bookId);
    infoField(QStringLiteral("lblVouNo"))->setText(QStringLiteral("Vou. No : ") + QString::number(id));
    textField(QStringLiteral("txtBillNo"))->setText(bill->billNo);
    dateField(QStringLiteral("DtpBillDate"))->setDate(bill->date);
    if (const auto p = documents::partyById(db_, session_.firmNo, bill->partyId)) party_->setChosen(p->id, p->name);
    infoField(QStringLiteral("lblBalance"))->setText(QStringLiteral("Bal. : ") + service_->partyBalance(bill->partyId));
    if (!goods()) {
        LookupField* service = lookupField(QStringLiteral("txtService"));
        if (const auto e = documents::partyById(db_, session_.firmNo, bill->expenseAccountId)) service->setChosen(e->id, e->name);
        else service->clearChoice();
    }
    LookupField* broker = lookupField(QStringLiteral("txtBroker"));
    broker->clearChoice();
    if (bill->brokerId > 0)
        if (const auto b = products::BrokerMaster(db_, session_, serviceMessages_).load(bill->brokerId)) broker->setChosen(b->srno, b->name);
    textField(QStringLiteral("txtCrDays"))->setText(bill->creditDays > 0 ? QString::number(bill->creditDays) : QString());
    QComboBox* type = choiceField(QStringLiteral("ComInvType"));
    for (int i = 0; i < type->count(); ++i)
        if (type->itemText(i).startsWith(bill->invoiceType, Qt::CaseInsensitive) && !bill->invoiceType.isEmpty()) type->setCurrentIndex(i);
    textField(QStringLiteral("txtTransport"))->setText(bill->transport);
    textField(QStringLiteral("txtCaseNo"))->setText(bill->caseNo);
    textField(QStringLiteral("txtLrNo"))->setText(bill->lrNo);
    setOptionalDate(QStringLiteral("txtLrDate"), bill->lrDate);
    textField(QStringLiteral("txtLotNo"))->setText(bill->lotNo);
    textField(QStringLiteral("txtEwayNo"))->setText(bill->ewayBillNo);
    textField(QStringLiteral("txtDesc"))->setText(bill->notes);
    textField(QStringLiteral("txtTcsP"))->setText(blankIfZero(bill->tcsPercent, 3));
    textField(QStringLiteral("txtTdsP"))->setText(blankIfZero(bill->tdsPercent, 2));
    textField(QStringLiteral("txtOther"))->setText(blankIfZero(bill->otherCharges, 2));
    lines_ = bill->lines;
    takas_ = bill->takas;
    refreshGrid();
    refreshTakas();
}

bool PurchaseScreen::removeDocument(qint64 id) { return service_->remove(id); }

documents::DocumentPage PurchaseScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->billPage(kind_, book_ ? book_->currentData().toLongLong() : 0, filter);
}

void PurchaseScreen::printDocument(bool pdf) {
    printPurchase(db_, session_, serviceMessages_, documentId(), pdf, this, printType_->currentIndex() + 1);
}

bool PurchaseScreen::markListed(qint64 id, bool marked) {
    if (!service_->setAudited(id, marked)) return false;
    if (id == documentId() && openedBill_) openedBill_->audited = marked;
    return true;
}

}  // namespace tanabana::gui
