#include "gui/trade/SalesScreen.h"

#include "core/Words.h"
#include "domain/trade/PartyRates.h"
#include "gui/trade/LookupField.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

using trade::SalesBill;
using trade::SalesLine;

namespace {

Decimal number(const QLineEdit* box) {
    const auto d = Decimal::parse(box->text());
    return d ? *d : Decimal();
}

QString shown(Decimal value, int places) { return FormatIndian(value, places); }

QLineEdit* amountBox(const QString& name, int width = 80) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(width);
    return box;
}

QLabel* caption(const QString& text) { return new QLabel(text); }

const QStringList kGridColumns{QStringLiteral("Srno"),    QStringLiteral("Quality"), QStringLiteral("Desc"),    QStringLiteral("Pcs"),
                               QStringLiteral("Cut"),     QStringLiteral("Mtrs"),    QStringLiteral("Ty"),      QStringLiteral("Rate"),
                               QStringLiteral("Amt"),     QStringLiteral("SGST P"),  QStringLiteral("CGST P"),  QStringLiteral("SGST Rs"),
                               QStringLiteral("CGST Rs"), QStringLiteral("DNetAmt"), QStringLiteral("CDP"),     QStringLiteral("Brk P")};

}  // namespace

SalesScreen::SalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages),
      service_(std::make_unique<trade::SalesInvoices>(db, session, messages)) {
    setObjectName(QStringLiteral("frmSales"));
    setWindowTitle(QStringLiteral("Sales Invoice"));
    build();
    newBill();
}

void SalesScreen::build() {
    auto* layout = new QVBoxLayout(this);

    auto* header = new QGridLayout;
    book_ = new QComboBox;
    book_->setObjectName(QStringLiteral("txtBook"));
    for (const db::Row& r : db_.query(QStringLiteral("SELECT BookNO, SalesName, BillType FROM BookMst WHERE (BookType = 'S' OR BookType = 'A') "
                                                     "AND FirmNO = ? ORDER BY BookNO"),
                                      {session_.firmNo}))
        book_->addItem(QString::number(r.integer(QStringLiteral("BookNO"))) + QStringLiteral(" ") + r.text(QStringLiteral("SalesName")),
                       r.integer(QStringLiteral("BookNO")));
    billNo_ = new QLineEdit;
    billNo_->setObjectName(QStringLiteral("txtBillNo"));
    lastBillNo_ = new QLabel;
    billDate_ = new QDateEdit;
    billDate_->setObjectName(QStringLiteral("DtpBillDate"));
    billDate_->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    const qint64 firm = session_.firmNo;
    db::Database* db = &db_;
    party_ = new LookupField(
        [db, firm](const QString& prefix) {
            return db->query(QStringLiteral("SELECT AcName AS \"A/c Name\", City, LedgerId AS \"A/c No\", TinNo AS \"GSTNO\", CSTNo AS \"State\", Id "
                                            "FROM AccMst WHERE FirmNo = ? AND IsGrp = 0 AND Active = 1 AND GrpNo IN (35, 36, 38, 39) AND (") +
                                 db->dialect().likeInsensitive(QStringLiteral("AcName")) + QStringLiteral(" OR ") +
                                 db->dialect().likeInsensitive(QStringLiteral("LedgerId")) + QStringLiteral(") ORDER BY AcName") +
                                 db->dialect().limit(30),
                             {firm, prefix + QLatin1Char('%'), prefix + QLatin1Char('%')});
        },
        QStringLiteral("Id"), QStringLiteral("A/c Name"));
    party_->setObjectName(QStringLiteral("txtParty"));
    partyInfo_ = new QLabel;
    partyInfo_->setObjectName(QStringLiteral("lblPartySales"));
    delivery_ = new LookupField(
        [db, firm](const QString& prefix) {
            return db->query(QStringLiteral("SELECT AcName AS \"A/c Name\", City, LedgerId AS \"A/c No\", Id FROM AccMst WHERE FirmNo = ? "
                                            "AND IsGrp = 0 AND (") +
                                 db->dialect().likeInsensitive(QStringLiteral("AcName")) + QStringLiteral(") ORDER BY AcName") +
                                 db->dialect().limit(30),
                             {firm, prefix + QLatin1Char('%')});
        },
        QStringLiteral("Id"), QStringLiteral("A/c Name"));
    delivery_->setObjectName(QStringLiteral("txtDeli"));
    challanNo_ = new QLineEdit;
    challanNo_->setObjectName(QStringLiteral("txtChalanNo"));
    doNo_ = new QLineEdit;
    transport_ = new QLineEdit;
    truckNo_ = new QLineEdit;
    lrNo_ = new QLineEdit;
    ewayNo_ = new QLineEdit;
    creditDays_ = amountBox(QStringLiteral("txtCrDays"), 50);
    notes_ = new QLineEdit;
    notes_->setObjectName(QStringLiteral("txtDescription"));

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
    header->addWidget(notes_, 5, 1, 1, 6);
    layout->addLayout(header);

    auto* entryBox = new QGroupBox(QStringLiteral("Line"));
    auto* entry = new QGridLayout(entryBox);
    quality_ = new LookupField(
        [db, firm](const QString& prefix) {
            return db->query(QStringLiteral("SELECT ProdName AS \"Quality Name\", ProdCode AS \"Code\", RAteR AS \"Rate\", "
                                            "CASE WHEN CalcOn = 2 THEN 'P' ELSE 'M' END AS \"PM\", Vat AS \"SGST\", AddTax AS \"CGST\", "
                                            "hsnCode AS \"HSN\", UNit AS \"Unit\", Id FROM ProdMst WHERE FirmNO = ? AND IsActive = 1 "
                                            "AND COALESCE(IsNewPro, 0) = 0 AND (") +
                                 db->dialect().likeInsensitive(QStringLiteral("ProdName")) + QStringLiteral(" OR ") +
                                 db->dialect().likeInsensitive(QStringLiteral("ProdCode")) + QStringLiteral(") ORDER BY ProdName") +
                                 db->dialect().limit(30),
                             {firm, prefix + QLatin1Char('%'), prefix + QLatin1Char('%')});
        },
        QStringLiteral("Id"), QStringLiteral("Quality Name"));
    quality_->setObjectName(QStringLiteral("txtQuality"));
    desc_ = new QLineEdit;
    desc_->setObjectName(QStringLiteral("txtDesc"));
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
    const QStringList entryCaptions{QStringLiteral("Quality Name"), QStringLiteral("Desc"), QStringLiteral("Pcs"), QStringLiteral("Cut"),
                                    QStringLiteral("Mtrs"), QStringLiteral("Ty"), QStringLiteral("Rate"), QStringLiteral("(F9) Disc %"),
                                    QStringLiteral("Brk%")};
    const QList<QWidget*> entryFields{quality_, desc_, pcs_, cut_, mtrs_, rateOn_, rate_, disc_, brk_};
    for (int i = 0; i < entryFields.size(); ++i) {
        entry->addWidget(caption(entryCaptions.at(i)), 0, i);
        entry->addWidget(entryFields.at(i), 1, i);
    }
    entry->setColumnStretch(0, 3);
    entry->setColumnStretch(1, 2);
    entry->addWidget(itemInfo_, 2, 0, 1, entryFields.size());
    layout->addWidget(entryBox);

    grid_ = new QTableWidget(0, kGridColumns.size());
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->setHorizontalHeaderLabels(kGridColumns);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editLine(row); });
    layout->addWidget(grid_, 1);

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
    connect(button(QStringLiteral("cmd_Delete"), QStringLiteral("&Delete")), &QPushButton::clicked, this, [this] { remove(); });
    auto* printButton = button(QStringLiteral("Cmd_Print"), QStringLiteral("&Print"));
    connect(printButton, &QPushButton::clicked, this, [this] { print(false); });
    auto* pdfButton = button(QStringLiteral("CmdPDF"), QStringLiteral("PD&F"));
    connect(pdfButton, &QPushButton::clicked, this, [this] { print(true); });
    // E-invoice and e-way bill requests are a feature of their own, not built yet.
    for (const auto& [name, text] : {std::pair{QStringLiteral("CmdEInvoice"), QStringLiteral("E-Invoice")},
                                     std::pair{QStringLiteral("CmdEway"), QStringLiteral("E-way Bill")}}) {
        auto* b = button(name, text);
        b->setEnabled(false);
        b->setToolTip(QStringLiteral("Not available yet"));
    }
    connect(button(QStringLiteral("Cmd_Exit"), QStringLiteral("E&xit")), &QPushButton::clicked, this, [this] { close(); });
    layout->addLayout(buttons);

    billList_ = new QTableWidget;
    billList_->setObjectName(QStringLiteral("VSResultGrid"));
    billList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    billList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    billList_->verticalHeader()->hide();
    billList_->setMaximumHeight(150);
    connect(billList_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (auto* item = billList_->item(row, 0)) openBill(item->data(Qt::UserRole).toLongLong());
    });
    layout->addWidget(billList_);

    connect(book_, &QComboBox::currentIndexChanged, this, [this] { bookChosen(); });
    connect(party_, &LookupField::chosen, this, [this] { partyChosen(); });
    connect(quality_, &LookupField::chosen, this, [this] { qualityChosen(); });
    for (QLineEdit* box : {tcsP_, tdsP_, other_}) connect(box, &QLineEdit::textEdited, this, [this] { refreshTotals(); });

    order_ = {book_, billNo_, billDate_, party_, delivery_, challanNo_, doNo_, transport_, truckNo_, lrNo_, ewayNo_, creditDays_, notes_,
              quality_, desc_, pcs_, cut_, mtrs_, rateOn_, rate_, disc_, brk_, tcsP_, tdsP_, other_, saveButton_};
    for (QWidget* w : order_) w->installEventFilter(this);
    billDate_->findChild<QLineEdit*>()->installEventFilter(this);
}

void SalesScreen::newBill() {
    billId_ = 0;
    lines_.clear();
    for (QLineEdit* box : {billNo_, challanNo_, doNo_, transport_, truckNo_, lrNo_, ewayNo_, creditDays_, notes_, desc_, pcs_, cut_, mtrs_,
                           rate_, disc_, brk_, tcsP_, tdsP_, other_})
        box->clear();
    party_->clearChoice();
    delivery_->clearChoice();
    quality_->clearChoice();
    partyInfo_->clear();
    itemInfo_->clear();
    rateOn_->setCurrentIndex(0);
    const QDate today = QDate::currentDate();
    billDate_->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    bookChosen();
    refreshGrid();
    refreshBillList();
    book_->setFocus();
}

void SalesScreen::bookChosen() {
    const qint64 book = book_->currentData().toLongLong();
    if (billId_ == 0) billNo_->setText(service_->nextBillNo(book));
    lastBillNo_->setText(QStringLiteral("Last Bill No : ") + service_->lastBillNo(book));
    refreshBillList();
}

void SalesScreen::partyChosen() {
    const auto p = service_->party(party_->chosenId());
    if (!p) return;
    if (delivery_->chosenId() == 0) delivery_->setChosen(p->id, p->name);
    if (transport_->text().isEmpty()) transport_->setText(p->transport);
    if (creditDays_->text().isEmpty() && p->creditDays > 0) creditDays_->setText(QString::number(p->creditDays));
    if (tdsP_->text().isEmpty() && p->tdsPercent > Decimal()) tdsP_->setText(p->tdsPercent.toString(2));
    partyInfo_->setText(QStringLiteral("Party Sales : ") + shown(service_->partySales(p->id), 2) +
                        (p->otherState ? QStringLiteral("   IGST") : QString()));
    SalesBill bill = billOnScreen();
    const Decimal tcs = service_->proposedTcsPercent(bill);
    if (!tcs.isZero() && number(tcsP_).isZero()) tcsP_->setText(tcs.toString(3));
    refreshGrid();
}

void SalesScreen::qualityChosen() {
    const db::Row& item = quality_->chosenRow();
    rate_->setText(Decimal::fromVariant(item.value(QStringLiteral("Rate"))).toString(2));
    rateOn_->setCurrentText(item.text(QStringLiteral("PM")));
    QString info = QStringLiteral("HSN ") + item.text(QStringLiteral("HSN")) + QStringLiteral("  Unit ") + item.text(QStringLiteral("Unit")) +
                   QStringLiteral("  SGST ") + item.text(QStringLiteral("SGST")) + QStringLiteral("%  CGST ") + item.text(QStringLiteral("CGST")) +
                   QStringLiteral("%");
    if (party_->chosenId() > 0) {
        const auto last = trade::storedPartyRate(db_, trade::RateSource::Bill, party_->chosenId(), quality_->chosenId());
        if (last)
            info += QStringLiteral("   Last Bill No ") + last->documentNo + QStringLiteral("  Last Bill Dt ") +
                    last->date.toString(QStringLiteral("dd-MM-yyyy")) + QStringLiteral("  Rate ") + last->rate.toString(2);
    }
    itemInfo_->setText(info);
}

SalesLine SalesScreen::lineFromEntry() const {
    SalesLine line;
    line.qualityId = quality_->chosenId();
    line.description = desc_->text();
    line.input.pieces = number(pcs_);
    line.input.cut = number(cut_);
    line.input.metres = number(mtrs_);
    line.input.rateOn = rateOn_->currentText();
    line.input.listRate = number(rate_);
    line.input.discountPercent = number(disc_);
    line.input.secondDiscountPercent = number(brk_);
    const auto item = db_.queryOne(QStringLiteral("SELECT Vat, AddTax, VatCalc FROM ProdMst WHERE Id = ?"), {line.qualityId});
    if (item) {
        line.input.sgstPercent = Decimal::fromVariant(item->value(QStringLiteral("Vat")));
        line.input.cgstPercent = Decimal::fromVariant(item->value(QStringLiteral("AddTax")));
        line.input.gstCalc = int(item->integer(QStringLiteral("VatCalc"))) == 0 ? 1 : int(item->integer(QStringLiteral("VatCalc")));
    }
    return line;
}

void SalesScreen::addLine() {
    if (quality_->chosenId() <= 0) return;
    lines_.push_back(lineFromEntry());
    quality_->clearChoice();
    for (QLineEdit* box : {desc_, pcs_, cut_, mtrs_, rate_, disc_, brk_}) box->clear();
    itemInfo_->clear();
    refreshGrid();
    quality_->setFocus();
}

void SalesScreen::editLine(int row) {
    if (row < 0 || row >= int(lines_.size())) return;
    const SalesLine line = lines_[size_t(row)];
    lines_.erase(lines_.begin() + row);
    const QString name = db_.scalar(QStringLiteral("SELECT ProdName FROM ProdMst WHERE Id = ?"), {line.qualityId}).toString();
    quality_->setChosen(line.qualityId, name);
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

void SalesScreen::refreshGrid() {
    const SalesBill bill = billOnScreen();
    const trade::ComputedBill c = service_->compute(bill);
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
    for (int i = 0; i < int(c.lines.size()); ++i) {
        const SalesLine& in = bill.lines[size_t(i)];
        const trade::InvoiceLine& l = c.lines[size_t(i)];
        set(i, 0, QString::number(i + 1));
        set(i, 1, db_.scalar(QStringLiteral("SELECT ProdName FROM ProdMst WHERE Id = ?"), {in.qualityId}).toString(), false);
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
        pcs += in.input.pieces;
        mtrs += in.input.metres;
        amount += l.amount;
        tax1Sum += l.tax1Amount;
        tax2Sum += l.tax2Amount;
        total += l.lineTotal;
    }
    const int tot = int(c.lines.size());
    for (int col = 0; col < kGridColumns.size(); ++col) set(tot, col, QString());
    set(tot, 1, QStringLiteral("Tot"), false);
    set(tot, 3, shown(pcs, 0));
    set(tot, 5, shown(mtrs, 3));
    set(tot, 8, shown(amount, 2));
    set(tot, 11, shown(tax1Sum, 2));
    set(tot, 12, shown(tax2Sum, 2));
    set(tot, 13, shown(total, 2));
    QFont bold = grid_->font();
    bold.setBold(true);
    for (int col = 0; col < kGridColumns.size(); ++col)
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
    SalesBill b;
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
    b.tcsPercent = number(tcsP_);
    b.tdsPercent = number(tdsP_);
    b.otherCharges = number(other_);
    b.invoiceType = QStringLiteral("Retail");
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
    if (service_->save(bill)) newBill();
}

void SalesScreen::remove() {
    if (billId_ > 0 && service_->remove(billId_)) newBill();
}

void SalesScreen::print(bool pdf) {
    if (billId_ > 0) printInvoice(db_, session_, messages_, billId_, pdf, this);
}

void SalesScreen::openBill(qint64 id) {
    const auto bill = service_->load(id);
    if (!bill) return;
    billId_ = id;
    const int bookIndex = book_->findData(bill->bookNo);
    if (bookIndex >= 0) {
        QSignalBlocker block(book_);
        book_->setCurrentIndex(bookIndex);
    }
    billNo_->setText(bill->billNo);
    billDate_->setDate(bill->date);
    if (const auto p = service_->party(bill->partyId)) party_->setChosen(p->id, p->name);
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
    refreshGrid();
    quality_->setFocus();
}

void SalesScreen::refreshBillList() {
    const qint64 book = book_->currentData().toLongLong();
    const db::Rows rows = db_.query(QStringLiteral("SELECT m.Id, m.BillNO, m.BillDate, a.AcName, a.City, m.BillAmount, m.AGAINST, m.ChNo, "
                                                   "m.PaidAmt, m.UnPaidAmt FROM SalBillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID "
                                                   "WHERE m.FirmNO = ? AND m.IsOp = 0 AND m.FormId = 3 AND m.BookNO = ? "
                                                   "ORDER BY m.BillDate DESC, m.Id DESC") +
                                        db_.dialect().limit(200),
                                    {session_.firmNo, book});
    const QStringList columns{QStringLiteral("BillNO"), QStringLiteral("BillDAte"), QStringLiteral("Party NAme"), QStringLiteral("City"),
                              QStringLiteral("Net Amt"), QStringLiteral("eWay BillNo"), QStringLiteral("Ch No"), QStringLiteral("PaidAmt"),
                              QStringLiteral("UnpaidAmt")};
    billList_->setColumnCount(columns.size());
    billList_->setHorizontalHeaderLabels(columns);
    billList_->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const db::Row& r = rows[size_t(i)];
        const QStringList values{r.text(QStringLiteral("BillNO")), r.date(QStringLiteral("BillDate")).toString(QStringLiteral("dd-MM-yyyy")),
                                 r.text(QStringLiteral("AcName")), r.text(QStringLiteral("City")),
                                 shown(Decimal::fromVariant(r.value(QStringLiteral("BillAmount"))), 2), r.text(QStringLiteral("AGAINST")),
                                 r.integer(QStringLiteral("ChNo")) > 0 ? r.text(QStringLiteral("ChNo")) : QString(),
                                 shown(Decimal::fromVariant(r.value(QStringLiteral("PaidAmt"))), 2),
                                 shown(Decimal::fromVariant(r.value(QStringLiteral("UnPaidAmt"))), 2)};
        for (int c = 0; c < values.size(); ++c) {
            auto* item = new QTableWidgetItem(values.at(c));
            if (c == 0) item->setData(Qt::UserRole, r.integer(QStringLiteral("Id")));
            billList_->setItem(i, c, item);
        }
    }
    billList_->resizeColumnsToContents();
}

void SalesScreen::focusNext(QWidget* from, bool backwards) {
    int index = int(order_.indexOf(from));
    if (index < 0) return;
    index += backwards ? -1 : 1;
    if (index < 0 || index >= order_.size()) return;
    order_.at(index)->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(order_.at(index))) box->selectAll();
}

bool SalesScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    QWidget* field = qobject_cast<QWidget*>(watched);
    if (field && field->parentWidget() == billDate_) field = billDate_;
    if (key->key() == Qt::Key_Escape && !(qobject_cast<LookupField*>(field) && qobject_cast<LookupField*>(field)->listVisible())) {
        focusNext(field, true);
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return QWidget::eventFilter(watched, event);
    if (auto* lookup = qobject_cast<LookupField*>(field)) lookup->acceptCurrent();
    if (field == saveButton_) {
        save();
        return true;
    }
    if (field == challanNo_) challanTyped();
    if (field == party_ && party_->chosenId() == 0 && !party_->text().trimmed().isEmpty()) return true;  // choose from the list first
    if (field == quality_) {
        if (quality_->chosenId() == 0) {
            if (quality_->text().trimmed().isEmpty()) tcsP_->setFocus();  // no more lines: on to the charges
            return true;
        }
    }
    if (field == brk_) {
        addLine();
        return true;
    }
    if (field == other_ || field == tcsP_ || field == tdsP_) refreshTotals();
    focusNext(field, false);
    return true;
}

}  // namespace tanabana::gui
