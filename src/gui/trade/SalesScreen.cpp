#include "gui/trade/SalesScreen.h"

#include "core/Words.h"
#include "domain/shell/FirmSettings.h"
#include "domain/trade/PartyRates.h"
#include "domain/trade/SalesLines.h"
#include "domain/trade/SalesMessages.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/LookupField.h"
#include "gui/common/SelectionGrid.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

using trade::SalesBill;
using trade::SalesLine;

namespace {

QString shown(Decimal value, int places) { return FormatIndian(value, places); }

const QStringList kGridColumns{QStringLiteral("Srno"),    QStringLiteral("Quality"), QStringLiteral("Desc"),    QStringLiteral("Pcs"),
                               QStringLiteral("Cut"),     QStringLiteral("Mtrs"),    QStringLiteral("Ty"),      QStringLiteral("Rate"),
                               QStringLiteral("Amt"),     QStringLiteral("SGST P"),  QStringLiteral("CGST P"),  QStringLiteral("SGST Rs"),
                               QStringLiteral("CGST Rs"), QStringLiteral("DNetAmt"), QStringLiteral("CDP"),     QStringLiteral("Brk P")};

}  // namespace

SalesScreen::SalesScreen(db::Database& db, Session& session, Messages& messages, Kind kind, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages), kind_(kind),
      service_(std::make_unique<trade::SalesInvoices>(db, session, messages)),
      period_(std::make_unique<trade::PeriodBilling>(db, session, messages)) {
    switch (kind_) {
    case Kind::Main:
        setObjectName(QStringLiteral("frmSales"));
        setWindowTitle(QStringLiteral("Sales Invoice"));
        break;
    case Kind::Single:
        setObjectName(QStringLiteral("frmSales_Single"));
        setWindowTitle(QStringLiteral("Sales Invoice (Design No Wise)"));
        break;
    case Kind::Period:
        setObjectName(QStringLiteral("frmSalesBetDt"));
        setWindowTitle(QStringLiteral("Sales Invoice (Chalan Between Dates)"));
        break;
    }
    build();
    newBill();
}

void SalesScreen::build() {
    auto* layout = new QVBoxLayout(this);
    buildHeader(layout);
    if (kind_ == Kind::Period) buildPeriodPanel(layout);
    buildLineEntry(layout);
    if (kind_ == Kind::Single) buildColourPanel(layout);

    grid_ = new QTableWidget(0, 0);
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editLine(row); });
    layout->addWidget(grid_, 1);

    buildTotalsAndButtons(layout);
    wireKeys();
}

void SalesScreen::buildHeader(QVBoxLayout* layout) {
    auto* header = new QGridLayout;
    book_ = new QComboBox;
    book_->setObjectName(QStringLiteral("txtBook"));
    for (const db::Row& r : service_->salesBooks())
        book_->addItem(QString::number(r.integer(QStringLiteral("BookNO"))) + QStringLiteral(" ") + r.text(QStringLiteral("SalesName")),
                       r.integer(QStringLiteral("BookNO")));
    billNo_ = textBox(QStringLiteral("txtBillNo"));
    lastBillNo_ = new QLabel;
    billDate_ = dateBox(QStringLiteral("DtpBillDate"));
    party_ = new LookupField(salesPartySearch(db_, session_.firmNo, false), QStringLiteral("Id"), QStringLiteral("A/c Name"));
    party_->setObjectName(QStringLiteral("txtParty"));
    partyInfo_ = new QLabel;
    partyInfo_->setObjectName(QStringLiteral("lblPartySales"));
    delivery_ = new LookupField(salesPartySearch(db_, session_.firmNo, true), QStringLiteral("Id"), QStringLiteral("A/c Name"));
    delivery_->setObjectName(QStringLiteral("txtDeli"));
    challanNo_ = textBox(QStringLiteral("txtChalanNo"));
    doNo_ = textBox(QStringLiteral("txtDONo"));
    transport_ = textBox(QStringLiteral("txtTransport"));
    truckNo_ = textBox(QStringLiteral("txtTruckNo"));
    lrNo_ = textBox(QStringLiteral("txtLrNo"));
    ewayNo_ = textBox(QStringLiteral("txtEwayNo"));
    creditDays_ = amountBox(QStringLiteral("txtCrDays"), 50);
    notes_ = textBox(QStringLiteral("txtDescription"));
    mobile_ = textBox(QStringLiteral("txtWMbNo"));
    mobile_->setMaximumWidth(120);

    header->addWidget(caption(QStringLiteral("Book")), 0, 0);
    header->addWidget(book_, 0, 1);
    header->addWidget(caption(QStringLiteral("Bill No")), 0, 2);
    header->addWidget(billNo_, 0, 3);
    header->addWidget(lastBillNo_, 0, 4);
    header->addWidget(caption(QStringLiteral("Bill Date")), 0, 5);
    header->addWidget(billDate_, 0, 6);
    header->addWidget(caption(QStringLiteral("Party")), 1, 0);
    header->addWidget(party_, 1, 1, 1, 3);
    header->addWidget(partyInfo_, 1, 4, 1, 3);
    header->addWidget(caption(QStringLiteral("Deli.")), 2, 0);
    header->addWidget(delivery_, 2, 1, 1, 3);
    header->addWidget(caption(QStringLiteral("Chalan No")), 2, 4);
    header->addWidget(challanNo_, 2, 5);
    header->addWidget(caption(QStringLiteral("D.O. No")), 3, 0);
    header->addWidget(doNo_, 3, 1);
    header->addWidget(caption(QStringLiteral("Transport")), 3, 2);
    header->addWidget(transport_, 3, 3);
    header->addWidget(caption(QStringLiteral("Truck No")), 3, 4);
    header->addWidget(truckNo_, 3, 5);
    header->addWidget(caption(QStringLiteral("L.R.No.")), 4, 0);
    header->addWidget(lrNo_, 4, 1);
    header->addWidget(caption(QStringLiteral("eWay BillNo :")), 4, 2);
    header->addWidget(ewayNo_, 4, 3);
    header->addWidget(caption(QStringLiteral("Cr. Days")), 4, 4);
    header->addWidget(creditDays_, 4, 5);
    header->addWidget(caption(QStringLiteral("Description")), 5, 0);
    header->addWidget(notes_, 5, 1, 1, 3);
    header->addWidget(caption(QStringLiteral("WhatsApp No")), 5, 4);
    header->addWidget(mobile_, 5, 5);
    layout->addLayout(header);
    // A period bill is made from several challans, not from one challan number.
    if (kind_ == Kind::Period) challanNo_->setEnabled(false);
}

void SalesScreen::buildLineEntry(QVBoxLayout* layout) {
    auto* entryBox = new QGroupBox(QStringLiteral("Line"));
    auto* entry = new QGridLayout(entryBox);
    QStringList captions;
    QList<QWidget*> fields;
    if (kind_ == Kind::Single) {
        design_ = new LookupField(designSearch(db_, session_.firmNo), QStringLiteral("Id"), QStringLiteral("Design No"));
        design_->setObjectName(QStringLiteral("txtDesignNo"));
        quality_ = new LookupField(
            [this](const QString& prefix) { return trade::designColours(db_, session_.firmNo, design_->text(), prefix); },
            QStringLiteral("Id"), QStringLiteral("Colour"));
        quality_->setObjectName(QStringLiteral("txtColour"));
        captions << QStringLiteral("Design No") << QStringLiteral("Colour");
        fields << design_ << quality_;
    } else {
        quality_ = new LookupField(qualitySearch(db_, session_.firmNo, QStringLiteral("Quality Name")), QStringLiteral("Id"),
                                   QStringLiteral("Quality Name"));
        quality_->setObjectName(QStringLiteral("txtQuality"));
        captions << QStringLiteral("Quality Name");
        fields << quality_;
    }
    desc_ = textBox(QStringLiteral("txtDesc"));
    pcs_ = amountBox(QStringLiteral("txtPcs"));
    cut_ = amountBox(QStringLiteral("txtCut"));
    mtrs_ = amountBox(QStringLiteral("txtMtrs"));
    rateOn_ = new QComboBox;
    rateOn_->addItems({QStringLiteral("M"), QStringLiteral("P")});
    rateOn_->setObjectName(QStringLiteral("ComTy"));
    rate_ = amountBox(QStringLiteral("txtRate"));
    disc_ = amountBox(QStringLiteral("txtDisc"), 60);
    brk_ = amountBox(QStringLiteral("txtBrk"), 60);
    itemInfo_ = new QLabel;
    itemInfo_->setObjectName(QStringLiteral("lblItemInfo"));
    captions << QStringLiteral("Desc") << QStringLiteral("Pcs") << QStringLiteral("Cut") << QStringLiteral("Mtrs") << QStringLiteral("Ty")
             << QStringLiteral("Rate") << QStringLiteral("(F9) Disc %") << QStringLiteral("Brk%");
    fields << desc_ << pcs_ << cut_ << mtrs_ << rateOn_ << rate_ << disc_ << brk_;
    for (int i = 0; i < fields.size(); ++i) {
        entry->addWidget(caption(captions.at(i)), 0, i);
        entry->addWidget(fields.at(i), 1, i);
    }
    entry->setColumnStretch(0, 3);
    entry->setColumnStretch(1, 2);
    entry->addWidget(itemInfo_, 2, 0, 1, int(fields.size()));
    layout->addWidget(entryBox);
}

void SalesScreen::buildTotalsAndButtons(QVBoxLayout* layout) {
    auto* bottom = new QHBoxLayout;
    auto* charges = new QGridLayout;
    tcsP_ = amountBox(QStringLiteral("txtTcsP"), 60);
    tdsP_ = amountBox(QStringLiteral("txtTdsP"), 60);
    other_ = amountBox(QStringLiteral("txtOther"));
    charges->addWidget(caption(QStringLiteral("TCS %")), 0, 0);
    charges->addWidget(tcsP_, 0, 1);
    charges->addWidget(caption(QStringLiteral("TDS %")), 1, 0);
    charges->addWidget(tdsP_, 1, 1);
    charges->addWidget(caption(QStringLiteral("Other (+/-)")), 2, 0);
    charges->addWidget(other_, 2, 1);
    bottom->addLayout(charges);
    totals_ = new QLabel;
    totals_->setObjectName(QStringLiteral("lblTotals"));
    totals_->setTextFormat(Qt::PlainText);
    bottom->addWidget(totals_, 1);
    net_ = new QLabel;
    net_->setObjectName(QStringLiteral("lblNetAmt"));
    QFont big = net_->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    net_->setFont(big);
    net_->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("Net Amt  99,99,99,999.00")));
    net_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bottom->addWidget(net_);
    layout->addLayout(bottom);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& name, const QString& text) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    connect(button(QStringLiteral("cmd_New"), QStringLiteral("&New")), &QPushButton::clicked, this, [this] { newBill(); });
    saveButton_ = button(QStringLiteral("cmd_save"), QStringLiteral("&Save"));
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    auto* deleteButton = button(QStringLiteral("cmd_Delete"), QStringLiteral("&Delete"));
    connect(deleteButton, &QPushButton::clicked, this, [this] { remove(); });
    printType_ = new QComboBox;
    printType_->setObjectName(QStringLiteral("ComPrintType"));
    printType_->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    printType_->setToolTip(QStringLiteral("Print type"));
    buttons->addWidget(printType_);
    auto* printButton = button(QStringLiteral("Cmd_Print"), QStringLiteral("&Print"));
    connect(printButton, &QPushButton::clicked, this, [this] { print(false); });
    auto* pdfButton = button(QStringLiteral("CmdPDF"), QStringLiteral("PD&F"));
    connect(pdfButton, &QPushButton::clicked, this, [this] { print(true); });
    auto* whatsApp = button(QStringLiteral("CmdWA"), QStringLiteral("&WhatsApp"));
    connect(whatsApp, &QPushButton::clicked, this, [this] { sendWhatsApp(); });
    smsForm_ = new QComboBox;
    smsForm_->setObjectName(QStringLiteral("ComSMS"));
    smsForm_->addItems({QStringLiteral("1. Bill + Outstanding"), QStringLiteral("2. Dispatch"), QStringLiteral("3. Bill Amount")});
    buttons->addWidget(smsForm_);
    smsText_ = textBox(QStringLiteral("txtSMSText"));
    smsText_->setPlaceholderText(QStringLiteral("Extra SMS text"));
    buttons->addWidget(smsText_);
    auto* sms = button(QStringLiteral("CmdSMS"), QStringLiteral("S&MS"));
    connect(sms, &QPushButton::clicked, this, [this] { sendSms(); });
    auto* renumber = button(QStringLiteral("CmdBillNo"), QStringLiteral("Bill N&o"));
    renumber->setToolTip(QStringLiteral("Give this bill a new number"));
    connect(renumber, &QPushButton::clicked, this, [this] {
        if (billId_ > 0 && service_->renumber(billId_)) {
            openBill(billId_);
            refreshBillList();
        }
    });
    savedBillButtons_ = {deleteButton, printButton, pdfButton, whatsApp, sms, renumber};
    // E-invoice and e-way bill requests are a feature of their own, not built yet.
    for (const auto& [name, text] : {std::pair{QStringLiteral("CmdEInvoice"), QStringLiteral("E-Invoice")},
                                     std::pair{QStringLiteral("CmdEway"), QStringLiteral("E-way Bill")}}) {
        auto* b = button(name, text);
        b->setEnabled(false);
        b->setToolTip(QStringLiteral("Not available yet"));
    }
    connect(button(QStringLiteral("Cmd_Exit"), QStringLiteral("E&xit")), &QPushButton::clicked, this, [this] { close(); });
    layout->addLayout(buttons);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(status_);

    auto* search = new QHBoxLayout;
    findParty_ = textBox(QStringLiteral("txtFindParty"));
    findParty_->setPlaceholderText(QStringLiteral("Party NAme"));
    pending_ = new QComboBox;
    pending_->setObjectName(QStringLiteral("ComPending"));
    pending_->addItems({QStringLiteral("All Bills"), QStringLiteral("Pending Ewaybill"), QStringLiteral("Pending EInvoice"),
                        QStringLiteral("Pending LR No")});
    search->addWidget(caption(QStringLiteral("Bill List")));
    search->addWidget(findParty_, 1);
    search->addWidget(pending_);
    layout->addLayout(search);
    connect(findParty_, &QLineEdit::textEdited, this, [this] { refreshBillList(); });
    connect(pending_, &QComboBox::currentIndexChanged, this, [this] { refreshBillList(); });

    billList_ = documentList(150);
    // Ticking "Audited" marks the bill at once, as the auditor goes down the list.
    connect(billList_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != 1) return;
        const qint64 id = item->data(Qt::UserRole).toLongLong();
        const bool ticked = item->checkState() == Qt::Checked;
        if (!service_->setAudited(id, ticked)) {
            // Refused (closed year, no right): the tick goes back to what the books hold.
            const QSignalBlocker block(billList_);
            item->setCheckState(ticked ? Qt::Unchecked : Qt::Checked);
            return;
        }
        if (id == billId_) audited_ = ticked;
    });
    connect(billList_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (auto* item = billList_->item(row, 0)) openBill(item->data(Qt::UserRole).toLongLong());
    });
    layout->addWidget(billList_);

    connect(book_, &QComboBox::currentIndexChanged, this, [this] { bookChosen(); });
    connect(party_, &LookupField::chosen, this, [this] { partyChosen(); });
    connect(quality_, &LookupField::chosen, this, [this] { qualityChosen(); });
    if (design_) connect(design_, &LookupField::chosen, this, [this] { designChosen(); });
    for (QLineEdit* box : {tcsP_, tdsP_, other_}) connect(box, &QLineEdit::textEdited, this, [this] { refreshTotals(); });
}

// Enter walks the header, the line and the charges; a few fields act on Enter.
void SalesScreen::wireKeys() {
    keys_ = EntryKeys::install(this, &session_);
    QList<QWidget*> order{book_, billNo_, billDate_, party_, delivery_, challanNo_, doNo_, transport_, truckNo_, lrNo_, ewayNo_,
                          creditDays_, notes_};
    if (kind_ == Kind::Period) order << from_ << to_ << showButton_ << challans_;
    if (design_) order << design_;
    order << quality_ << desc_ << pcs_ << cut_ << mtrs_ << rateOn_ << rate_ << disc_ << brk_ << tcsP_ << tdsP_ << other_ << saveButton_;
    keys_->setOrder(order);
    keys_->onEnter(challanNo_, [this] {
        challanTyped();
        return false;
    });
    // An empty line ends the lines: on to the charges.
    QWidget* firstOfLine = design_ ? static_cast<QWidget*>(design_) : quality_;
    keys_->onEnter(firstOfLine, [this, firstOfLine] {
        auto* lookup = static_cast<LookupField*>(firstOfLine);
        if (lookup->chosenId() != 0 || !lookup->text().trimmed().isEmpty()) return false;
        tcsP_->setFocus();
        return true;
    });
    // On the design-wise screen a colour must be chosen from the design's list.
    if (design_) keys_->onEnter(quality_, [this] { return quality_->chosenId() == 0; });
    keys_->onEnter(brk_, [this] {
        addLine();
        return true;
    });
    if (kind_ == Kind::Period) {
        keys_->onEnter(showButton_, [this] {
            showChallans();
            if (challans_->rowCount() > 0) {
                challans_->setFocus();
                challans_->selectRow(0);
            }
            return true;
        });
        // Enter on the list takes the ticked challans and goes on to the lines.
        keys_->onEnter(challans_, [this] {
            takeTickedChallans();
            return false;
        });
    }
}

void SalesScreen::newBill() {
    billId_ = 0;
    audited_ = false;
    lines_.clear();
    editedSource_ = {};
    editedLine_.reset();
    openedBill_.reset();
    for (QLineEdit* box : {billNo_, challanNo_, doNo_, transport_, truckNo_, lrNo_, ewayNo_, creditDays_, notes_, mobile_, desc_, pcs_, cut_,
                           mtrs_, rate_, disc_, brk_, tcsP_, tdsP_, other_, smsText_})
        box->clear();
    party_->clearChoice();
    delivery_->clearChoice();
    quality_->clearChoice();
    if (design_) design_->clearChoice();
    partyInfo_->clear();
    itemInfo_->clear();
    // A firm selling pieces only prices by the piece.
    rateOn_->setCurrentText(kind_ == Kind::Single && shell::FirmSettings(session_).piecesOnly() ? QStringLiteral("P") : QStringLiteral("M"));
    const QDate today = QDate::currentDate();
    billDate_->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    if (kind_ == Kind::Period) {
        to_->setDate(billDate_->date());
        from_->setDate(billDate_->date().addDays(1 - billDate_->date().day()));
        summed_->setChecked(shell::FirmSettings(session_).flag(QStringLiteral("Is_Ch_Q_Sum")));
        challans_->setRowCount(0);
        listedChallans_.clear();
    }
    if (colours_) colours_->setRowCount(0);
    setBillOpen(false);
    bookChosen();
    refreshGrid();
    book_->setFocus();
}

void SalesScreen::setBillOpen(bool open) {
    for (QPushButton* b : savedBillButtons_) b->setEnabled(open);
}

void SalesScreen::bookChosen() {
    const qint64 book = book_->currentData().toLongLong();
    if (billId_ == 0) {
        proposedNo_ = service_->nextBillNo(book);
        billNo_->setText(proposedNo_);
    }
    lastBillNo_->setText(QStringLiteral("Last Bill No : ") + service_->lastBillNo(book));
    refreshBillList();
}

void SalesScreen::partyChosen() {
    const auto p = service_->party(party_->chosenId());
    if (!p) return;
    if (billId_ == 0) service_->refuseOverLimits(*p);  // told now; the save refuses it again
    if (delivery_->chosenId() == 0) delivery_->setChosen(p->id, p->name);
    const trade::SalesInvoices::Dispatch last = service_->lastDispatch(p->id);
    if (transport_->text().isEmpty()) transport_->setText(last.transport.isEmpty() ? p->transport : last.transport);
    if (truckNo_->text().isEmpty()) truckNo_->setText(last.truckNo);
    if (creditDays_->text().isEmpty() && p->creditDays > 0) creditDays_->setText(QString::number(p->creditDays));
    if (tdsP_->text().isEmpty() && p->tdsPercent > Decimal()) tdsP_->setText(p->tdsPercent.toString(2));
    mobile_->setText(p->mobile);
    partyInfo_->setText(QStringLiteral("Party Sales : ") + shown(service_->partySales(p->id), 2) +
                        (p->otherState ? QStringLiteral("   IGST") : QString()));
    SalesBill bill = billOnScreen();
    const Decimal tcs = service_->proposedTcsPercent(bill);
    if (!tcs.isZero() && typedNumber(tcsP_).isZero()) tcsP_->setText(tcs.toString(3));
    refreshGrid();
}

void SalesScreen::qualityChosen() {
    const auto item = trade::lineForItem(db_, session_.firmNo, quality_->chosenId());
    if (!item) return;
    rate_->setText(item->input.listRate.toString(2));
    rateOn_->setCurrentText(item->input.rateOn);
    if (kind_ == Kind::Single && !item->input.cut.isZero()) cut_->setText(item->input.cut.toString(2));
    const trade::ItemLabel label = trade::itemLabel(db_, item->qualityId);
    QString info = label.name + QStringLiteral("   SGST ") + item->input.sgstPercent.toString(2) + QStringLiteral("%  CGST ") +
                   item->input.cgstPercent.toString(2) + QStringLiteral("%");
    if (party_->chosenId() > 0) {
        const auto last = trade::storedPartyRate(db_, trade::RateSource::Bill, party_->chosenId(), item->qualityId);
        if (last)
            info += QStringLiteral("   Last Bill No ") + last->documentNo + QStringLiteral("  Last Bill Dt ") +
                    last->date.toString(QStringLiteral("dd-MM-yyyy")) + QStringLiteral("  Rate ") + last->rate.toString(2);
    }
    itemInfo_->setText(info);
}

SalesLine SalesScreen::lineFromEntry() const {
    // A line taken back for editing keeps the GST the bill was made with; a new line takes the item's.
    SalesLine line = editedLine_ && editedLine_->qualityId == quality_->chosenId()
                         ? *editedLine_
                         : trade::lineForItem(db_, session_.firmNo, quality_->chosenId()).value_or(SalesLine{});
    line.input.netRate.reset();
    line.description = desc_->text();
    line.input.pieces = typedNumber(pcs_);
    line.input.cut = typedNumber(cut_);
    line.input.metres = typedNumber(mtrs_);
    line.input.rateOn = rateOn_->currentText();
    line.input.listRate = typedNumber(rate_);
    line.input.discountPercent = typedNumber(disc_);
    line.input.secondDiscountPercent = typedNumber(brk_);
    return line;
}

void SalesScreen::addLine() {
    if (quality_->chosenId() <= 0) return;
    lines_.push_back(lineFromEntry());
    lines_.back().challanId = editedSource_.first;
    lines_.back().challanSrno = editedSource_.second;
    editedSource_ = {};
    editedLine_.reset();
    quality_->clearChoice();
    for (QLineEdit* box : {desc_, pcs_, cut_, mtrs_, rate_, disc_, brk_}) box->clear();
    itemInfo_->clear();
    refreshGrid();
    // The next colour of the same design is one Enter away.
    if (design_) {
        design_->setFocus();
        design_->selectAll();
    } else {
        quality_->setFocus();
    }
}

void SalesScreen::editLine(int row) {
    if (row < 0 || row >= int(lines_.size())) return;
    const SalesLine line = lines_[size_t(row)];
    lines_.erase(lines_.begin() + row);
    editedSource_ = {line.challanId, line.challanSrno};
    editedLine_ = line;
    const trade::ItemLabel label = trade::itemLabel(db_, line.qualityId);
    if (design_) design_->setChosen(line.qualityId, label.designNo);
    quality_->setChosen(line.qualityId, design_ ? label.colour : label.name);
    desc_->setText(line.description);
    pcs_->setText(line.input.pieces.isZero() ? QString() : line.input.pieces.toString(3));
    cut_->setText(line.input.cut.isZero() ? QString() : line.input.cut.toString(3));
    mtrs_->setText(line.input.metres.isZero() ? QString() : line.input.metres.toString(3));
    rateOn_->setCurrentText(line.input.rateOn);
    rate_->setText(line.input.listRate.toString(2));
    disc_->setText(line.input.discountPercent.isZero() ? QString() : line.input.discountPercent.toString(2));
    brk_->setText(line.input.secondDiscountPercent.isZero() ? QString() : line.input.secondDiscountPercent.toString(2));
    refreshGrid();
    pcs_->setFocus();
}

QStringList SalesScreen::gridColumns() const {
    QStringList columns = kGridColumns;
    if (kind_ == Kind::Single) columns << QStringLiteral("Design No") << QStringLiteral("Colour") << QStringLiteral("Qlty Type");
    if (kind_ == Kind::Period) columns << QStringLiteral("Ch No") << QStringLiteral("Ch Date");
    return columns;
}

void SalesScreen::refreshGrid() {
    const SalesBill bill = billOnScreen();
    const trade::ComputedBill c = service_->compute(bill);
    const QStringList columns = gridColumns();
    grid_->setColumnCount(int(columns.size()));
    grid_->setHorizontalHeaderLabels(columns);
    grid_->setRowCount(int(c.lines.size()) + 1);
    const QString tax1 = c.igst ? QStringLiteral("IGST") : QStringLiteral("SGST");
    grid_->setHorizontalHeaderItem(9, new QTableWidgetItem(tax1 + QStringLiteral(" P")));
    grid_->setHorizontalHeaderItem(11, new QTableWidgetItem(tax1 + QStringLiteral(" Rs")));
    grid_->setColumnHidden(10, c.igst);
    grid_->setColumnHidden(12, c.igst);
    Decimal pcs, mtrs, amount, tax1Sum, tax2Sum, total;
    auto set = [&](int row, int col, const QString& text, bool right = true) {
        auto* item = new QTableWidgetItem(text);
        if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(row, col, item);
    };
    const int extra = int(kGridColumns.size());
    for (int i = 0; i < int(c.lines.size()); ++i) {
        const SalesLine& in = bill.lines[size_t(i)];
        const trade::InvoiceLine& l = c.lines[size_t(i)];
        const trade::ItemLabel label = trade::itemLabel(db_, in.qualityId);
        set(i, 0, QString::number(i + 1));
        set(i, 1, label.name, false);
        set(i, 2, in.description, false);
        set(i, 3, shown(in.input.pieces, 0));
        set(i, 4, shown(in.input.cut, 2));
        set(i, 5, shown(in.input.metres, 3));
        set(i, 6, in.input.rateOn, false);
        set(i, 7, l.rate.toString(2));
        set(i, 8, shown(l.amount, 2));
        set(i, 9, l.tax1Percent.toString(2));
        set(i, 10, l.tax2Percent.toString(2));
        set(i, 11, shown(l.tax1Amount, 2));
        set(i, 12, shown(l.tax2Amount, 2));
        set(i, 13, shown(l.lineTotal, 2));
        set(i, 14, in.input.discountPercent.toString(2));
        set(i, 15, in.input.secondDiscountPercent.toString(2));
        if (kind_ == Kind::Single) {
            set(i, extra, label.designNo, false);
            set(i, extra + 1, label.colour, false);
            set(i, extra + 2, label.qualityType, false);
        }
        if (kind_ == Kind::Period) {
            const auto source = period_->challan(in.challanId);
            set(i, extra, source ? source->challanNo : QString(), false);
            set(i, extra + 1, source ? source->date.toString(QStringLiteral("dd-MM-yyyy")) : QString(), false);
        }
        pcs += in.input.pieces;
        mtrs += in.input.metres;
        amount += l.amount;
        tax1Sum += l.tax1Amount;
        tax2Sum += l.tax2Amount;
        total += l.lineTotal;
    }
    const int tot = int(c.lines.size());
    for (int col = 0; col < columns.size(); ++col) set(tot, col, QString());
    set(tot, 1, QStringLiteral("Tot"), false);
    set(tot, 3, shown(pcs, 0));
    set(tot, 5, shown(mtrs, 3));
    set(tot, 8, shown(amount, 2));
    set(tot, 11, shown(tax1Sum, 2));
    set(tot, 12, shown(tax2Sum, 2));
    set(tot, 13, shown(total, 2));
    QFont bold = grid_->font();
    bold.setBold(true);
    for (int col = 0; col < columns.size(); ++col)
        if (auto* item = grid_->item(tot, col)) item->setFont(bold);
    grid_->resizeColumnsToContents();
    refreshTotals();
}

void SalesScreen::refreshTotals() {
    const trade::ComputedBill c = service_->compute(billOnScreen());
    const trade::InvoiceTotals& t = c.totals;
    QString text = QStringLiteral("Basic Amt  ") + shown(t.taxable, 2);
    if (c.igst)
        text += QStringLiteral("     IGST  ") + shown(t.igst, 2);
    else
        text += QStringLiteral("     SGST  ") + shown(t.sgst, 2) + QStringLiteral("     CGST  ") + shown(t.cgst, 2);
    text += QStringLiteral("\nTCS  ") + shown(t.tcs, 2) + QStringLiteral("     TDS  ") + shown(t.tds, 2) + QStringLiteral("     Other (+/-)  ") +
            shown(t.otherCharges, 2) + QStringLiteral("     Rnd Off.  ") + shown(t.roundOffShown, 2);
    totals_->setText(text);
    net_->setText(QStringLiteral("Net Amt  ") + shown(t.net, 2));
}

SalesBill SalesScreen::billOnScreen() const {
    SalesBill b = openedBill_ && billId_ > 0 ? *openedBill_ : SalesBill{};
    b.id = billId_;
    b.bookNo = book_->currentData().toLongLong();
    b.billNo = billNo_->text().trimmed();
    b.date = billDate_->date();
    b.partyId = party_->chosenId();
    b.deliveryId = delivery_->chosenId();
    b.challanNo = challanNo_->text().trimmed().toLongLong();
    b.doNo = doNo_->text();
    b.transport = transport_->text();
    b.truckNo = truckNo_->text();
    b.lrNo = lrNo_->text();
    b.ewayBillNo = ewayNo_->text();
    b.creditDays = creditDays_->text().toInt();
    b.notes = notes_->text();
    b.tcsPercent = typedNumber(tcsP_);
    b.tdsPercent = typedNumber(tdsP_);
    b.otherCharges = typedNumber(other_);
    if (billId_ <= 0) b.invoiceType = QStringLiteral("Retail");
    b.audited = audited_;
    b.lines = lines_;
    return b;
}

void SalesScreen::challanTyped() {
    const QString no = challanNo_->text().trimmed();
    if (no.isEmpty() || !lines_.empty()) return;
    SalesBill bill = billOnScreen();
    if (!service_->fillFromChallan(bill, no)) {
        challanNo_->clear();
        return;
    }
    const auto p = service_->party(bill.partyId);
    if (p) party_->setChosen(p->id, p->name);
    if (p) mobile_->setText(p->mobile);
    const auto deli = service_->party(bill.deliveryId);
    if (deli) delivery_->setChosen(deli->id, deli->name);
    transport_->setText(bill.transport);
    truckNo_->setText(bill.truckNo);
    lrNo_->setText(bill.lrNo);
    doNo_->setText(bill.doNo);
    notes_->setText(bill.notes);
    lines_ = bill.lines;
    refreshGrid();
}

void SalesScreen::save() {
    SalesBill bill = billOnScreen();
    // The proposed number left untouched: the save takes the next free number (another station
    // may have used the proposal meanwhile) and the operator is told which one it took.
    const bool takeNext = bill.id <= 0 && !proposedNo_.isEmpty() && bill.billNo == proposedNo_;
    if (takeNext) bill.billNo.clear();
    if (!service_->save(bill)) return;
    newBill();
    status_->setText(QStringLiteral("Saved as Bill No ") + bill.billNo);
}

void SalesScreen::remove() {
    if (billId_ > 0 && service_->remove(billId_)) newBill();
}

void SalesScreen::print(bool pdf) {
    if (billId_ > 0) printInvoice(db_, session_, messages_, billId_, pdf, this, printType_->currentIndex() + 1);
}

void SalesScreen::sendWhatsApp() {
    if (billId_ <= 0) return;
    status_->clear();
    if (trade::sendInvoiceWhatsApp(db_, session_, messages_, billId_, mobile_->text()))
        status_->setText(QStringLiteral("WhatsApp sent for Bill No ") + billNo_->text());
}

void SalesScreen::sendSms() {
    if (billId_ <= 0) return;
    trade::sendInvoiceSms(db_, session_, messages_, billId_, trade::SmsForm(smsForm_->currentIndex() + 1), smsText_->text());
}

void SalesScreen::openBill(qint64 id) {
    const auto bill = service_->load(id);
    if (!bill) return;
    billId_ = id;
    openedBill_ = bill;
    audited_ = bill->audited;
    const int bookIndex = book_->findData(bill->bookNo);
    if (bookIndex >= 0) {
        QSignalBlocker block(book_);
        book_->setCurrentIndex(bookIndex);
    }
    billNo_->setText(bill->billNo);
    billDate_->setDate(bill->date);
    if (const auto p = service_->party(bill->partyId)) {
        party_->setChosen(p->id, p->name);
        mobile_->setText(p->mobile);
    }
    if (const auto p = service_->party(bill->deliveryId)) delivery_->setChosen(p->id, p->name);
    challanNo_->setText(bill->challanNo > 0 ? QString::number(bill->challanNo) : QString());
    doNo_->setText(bill->doNo);
    transport_->setText(bill->transport);
    truckNo_->setText(bill->truckNo);
    lrNo_->setText(bill->lrNo);
    ewayNo_->setText(bill->ewayBillNo);
    creditDays_->setText(bill->creditDays > 0 ? QString::number(bill->creditDays) : QString());
    notes_->setText(bill->notes);
    tcsP_->setText(bill->tcsPercent.isZero() ? QString() : bill->tcsPercent.toString(3));
    tdsP_->setText(bill->tdsPercent.isZero() ? QString() : bill->tdsPercent.toString(2));
    other_->setText(bill->otherCharges.isZero() ? QString() : bill->otherCharges.toString(2));
    lines_ = bill->lines;
    if (kind_ == Kind::Period) showChallans();
    setBillOpen(true);
    refreshGrid();
    (design_ ? static_cast<QWidget*>(design_) : quality_)->setFocus();
}

void SalesScreen::refreshBillList() {
    const db::Rows rows = service_->billList(book_->currentData().toLongLong(), findParty_->text(),
                                             trade::SalesInvoices::Pending(pending_->currentIndex()));
    const QStringList columns{QStringLiteral("BillNO"),  QStringLiteral("Audited"),     QStringLiteral("BillDAte"), QStringLiteral("Party NAme"),
                              QStringLiteral("City"),    QStringLiteral("Net Amt"),     QStringLiteral("eWay BillNo"),
                              QStringLiteral("Ch No"),   QStringLiteral("PaidAmt"),     QStringLiteral("UnpaidAmt")};
    const QSignalBlocker quiet(billList_);
    billList_->setColumnCount(columns.size());
    billList_->setHorizontalHeaderLabels(columns);
    billList_->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const db::Row& r = rows[size_t(i)];
        const QStringList values{r.text(QStringLiteral("BillNO")), QString(), r.date(QStringLiteral("BillDate")).toString(QStringLiteral("dd-MM-yyyy")),
                                 r.text(QStringLiteral("AcName")), r.text(QStringLiteral("City")),
                                 shown(Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))), 2), r.text(QStringLiteral("AGAINST")),
                                 r.integer(QStringLiteral("ChNo")) > 0 ? r.text(QStringLiteral("ChNo")) : QString(),
                                 shown(Decimal::fromVariant(r.value(QStringLiteral("PaidAmt"))), 2),
                                 shown(Decimal::fromVariant(r.value(QStringLiteral("UnPaidAmt"))), 2)};
        for (int c = 0; c < values.size(); ++c) {
            auto* item = new QTableWidgetItem(values.at(c));
            item->setData(Qt::UserRole, r.integer(QStringLiteral("Id")));
            if (c == 1) {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                item->setCheckState(r.flag(QStringLiteral("Is_Audit")) ? Qt::Checked : Qt::Unchecked);
            }
            billList_->setItem(i, c, item);
        }
    }
    billList_->resizeColumnsToContents();
}

}  // namespace tanabana::gui
