#include "gui/vouchers/SettlementPanel.h"

#include "gui/common/FormFields.h"
#include "gui/common/TypedFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

QTableWidget* table(const QString& name, const QStringList& captions, QWidget* parent) {
    auto* t = new QTableWidget(0, int(captions.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(captions);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

void put(QTableWidget* t, int row, int column, const QString& text, bool number = false, bool bold = false) {
    auto* item = new QTableWidgetItem(text);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    t->setItem(row, column, item);
}

}  // namespace

SettlementPanel::SettlementPanel(const vouchers::VoucherStyle& style, Decimal entryAmount,
                                 std::vector<vouchers::OpenBill> openBills, std::vector<vouchers::Settlement> settlements,
                                 Messages& messages, QWidget* parent)
    : QDialog(parent),
      amount_(entryAmount),
      bills_(std::move(openBills)),
      settlements_(std::move(settlements)),
      messages_(messages) {
    setObjectName(QStringLiteral("FrmBillDetail"));
    setWindowTitle(QStringLiteral("F6 = Select Bill Detail"));
    remainCaption_ =
        style.bookType == QLatin1String("C") ? QStringLiteral("Cash Remain : ") : QStringLiteral("Balance Remain : ");
    auto* layout = new QVBoxLayout(this);
    open_ = table(QStringLiteral("vsgridBills"),
                  {QStringLiteral("Book"), QStringLiteral("Type"), QStringLiteral("BillNo"), QStringLiteral("BillDate"),
                   QStringLiteral("Bill Amt"), QStringLiteral("UnPaidAmt"), QStringLiteral("Paid Amt"), QStringLiteral("TDS"),
                   QStringLiteral("PDueDate")},
                  this);
    layout->addWidget(open_, 2);

    auto* fields = new QGridLayout;
    billNo_ = new QLineEdit(this);
    billNo_->setObjectName(QStringLiteral("txtBillNo"));
    billNo_->setReadOnly(true);
    billAmount_ = new QLabel(this);
    billAmount_->setObjectName(QStringLiteral("lblBillAmt"));
    unpaid_ = new QLabel(this);
    unpaid_->setObjectName(QStringLiteral("lblUnpaid"));
    payment_ = new NumberBox(QStringLiteral("Payment"), {2, false, 12}, this);
    payment_->setObjectName(QStringLiteral("txtPayment"));
    less_ = new NumberBox(QStringLiteral("Less Amt"), {2, false, 12}, this);
    less_->setObjectName(QStringLiteral("txtLess"));
    add_ = new NumberBox(QStringLiteral("Add Amt"), {2, false, 12}, this);
    add_->setObjectName(QStringLiteral("txtAdd"));
    fully_ = new QComboBox(this);
    fully_->setObjectName(QStringLiteral("ComFully"));
    fully_->addItems({QStringLiteral("N"), QStringLiteral("Y")});
    int column = 0;
    for (const auto& [caption, widget] : std::vector<std::pair<QString, QWidget*>>{{QStringLiteral("Bill No"), billNo_},
                                                                                   {QStringLiteral("Bill Amount"), billAmount_},
                                                                                   {QStringLiteral("Unpaid"), unpaid_},
                                                                                   {QStringLiteral("Payment"), payment_},
                                                                                   {QStringLiteral("Less Amt"), less_},
                                                                                   {QStringLiteral("Add Amt"), add_},
                                                                                   {QStringLiteral("Fully Received"), fully_}}) {
        fields->addWidget(new QLabel(caption, this), 0, column);
        fields->addWidget(widget, 1, column++);
    }
    layout->addLayout(fields);

    settled_ = table(QStringLiteral("vsgridSettled"),
                     {QStringLiteral("No"), QStringLiteral("InvType"), QStringLiteral("BillNO"), QStringLiteral("BillDate"),
                      QStringLiteral("Paid_Amt"), QStringLiteral("Minus_Amt"), QStringLiteral("Plus_Amt"),
                      QStringLiteral("IsEnd"), QStringLiteral("BillAmount")},
                     this);
    layout->addWidget(settled_, 1);
    remain_ = new QLabel(this);
    remain_->setObjectName(QStringLiteral("lblRemain"));
    QFont big = remain_->font();
    big.setBold(true);
    remain_->setFont(big);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(remain_, 1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    for (QWidget* w : {static_cast<QWidget*>(open_), static_cast<QWidget*>(payment_), static_cast<QWidget*>(less_),
                       static_cast<QWidget*>(add_), static_cast<QWidget*>(fully_), static_cast<QWidget*>(settled_)})
        w->installEventFilter(this);
    connect(open_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { takeBill(row); });
    showBills();
    showSettlements();
    clearBill();
    resize(900, 560);
}

Decimal SettlementPanel::remaining() const {
    Decimal left = amount_;
    for (const vouchers::Settlement& s : settlements_) left -= s.payment;
    return left;
}

void SettlementPanel::showBills() {
    open_->setRowCount(int(bills_.size()) + 1);
    Decimal amount, unpaid, paid, tds;
    for (int r = 0; r < int(bills_.size()); ++r) {
        const vouchers::OpenBill& b = bills_[size_t(r)];
        put(open_, r, 0, b.bookName);
        put(open_, r, 1, b.type);
        put(open_, r, 2, b.opening ? b.billNo : b.bookPrefix + b.billNo);
        put(open_, r, 3, b.date.toString(QStringLiteral("dd-MM-yy")));
        put(open_, r, 4, shownAmount(b.billAmount, 2), true);
        put(open_, r, 5, shownAmount(b.unpaid, 2), true);
        put(open_, r, 6, shownAmount(b.paid, 2), true);
        put(open_, r, 7, shownAmount(b.tds, 2), true);
        put(open_, r, 8, b.dueDate.toString(QStringLiteral("dd-MM-yy")));
        amount += b.billAmount;
        unpaid += b.unpaid;
        paid += b.paid;
        tds += b.tds;
    }
    const int total = int(bills_.size());
    put(open_, total, 0, QStringLiteral("Total"), false, true);
    put(open_, total, 4, shownAmount(amount, 2), true, true);
    put(open_, total, 5, shownAmount(unpaid, 2), true, true);
    put(open_, total, 6, shownAmount(paid, 2), true, true);
    put(open_, total, 7, shownAmount(tds, 2), true, true);
    if (!bills_.empty()) open_->selectRow(0);
}

void SettlementPanel::showSettlements() {
    settled_->setRowCount(int(settlements_.size()) + 1);
    Decimal paid, less, add;
    for (int r = 0; r < int(settlements_.size()); ++r) {
        const vouchers::Settlement& s = settlements_[size_t(r)];
        put(settled_, r, 0, QString::number(r + 1));
        put(settled_, r, 1, s.invoiceType);
        put(settled_, r, 2, s.billNo);
        put(settled_, r, 3, s.billDate.toString(QStringLiteral("dd-MMM-yyyy")));
        put(settled_, r, 4, shownAmount(s.payment, 2), true);
        put(settled_, r, 5, shownAmount(s.less, 2), true);
        put(settled_, r, 6, shownAmount(s.add, 2), true);
        put(settled_, r, 7, s.fullyReceived ? QStringLiteral("Y") : QStringLiteral("N"));
        put(settled_, r, 8, shownAmount(s.billAmount, 2), true);
        paid += s.payment;
        less += s.less;
        add += s.add;
    }
    const int total = int(settlements_.size());
    put(settled_, total, 0, QStringLiteral("Tot"), false, true);
    put(settled_, total, 4, shownAmount(paid, 2), true, true);
    put(settled_, total, 5, shownAmount(less, 2), true, true);
    put(settled_, total, 6, shownAmount(add, 2), true, true);
    remain_->setText(remainCaption_ + shownAmount(remaining(), 2));
}

void SettlementPanel::clearBill() {
    billId_ = 0;
    billNo_->clear();
    billAmount_->clear();
    unpaid_->clear();
    payment_->clear();
    less_->clear();
    add_->clear();
    fully_->setCurrentIndex(0);
    open_->setFocus();
}

void SettlementPanel::takeBill(int row) {
    if (row < 0 || row >= int(bills_.size())) return;
    const vouchers::OpenBill& b = bills_[size_t(row)];
    billId_ = b.id;
    billNo_->setText(b.opening ? b.billNo : b.bookPrefix + b.billNo);
    billAmount_->setText(shownAmount(b.billAmount, 2));
    unpaid_->setText(shownAmount(b.unpaid, 2));
    // The payment proposed is what the bill still owes, up to what the entry has left.
    const Decimal left = remaining();
    payment_->setText(std::min(b.unpaid, left > Decimal() ? left : Decimal()).toString(2));
    payment_->setFocus();
    payment_->selectAll();
}

bool SettlementPanel::addSettlement() {
    if (billId_ <= 0) {
        open_->setFocus();
        return false;
    }
    for (NumberBox* box : {payment_, less_, add_})
        if (refuseTypedValue(box, messages_)) return false;
    const Decimal payment = payment_->value().roundHalfEven(2);
    const Decimal left = remaining();
    if (payment > left) {
        messages_.critical(QStringLiteral("No Balance Remain"), QStringLiteral("Not Such Amount!") + QLatin1Char('\n') +
                                                                    QStringLiteral(" Bill Diff. :") +
                                                                    (payment - left).toString(2));
        payment_->setFocus();
        payment_->selectAll();
        return false;
    }
    const auto bill = std::find_if(bills_.begin(), bills_.end(), [this](const vouchers::OpenBill& b) { return b.id == billId_; });
    vouchers::Settlement s;
    s.billId = billId_;
    s.payment = payment;
    s.less = less_->value().roundHalfEven(2);
    s.add = add_->value().roundHalfEven(2);
    s.fullyReceived = fully_->currentText() == QLatin1String("Y");
    s.billNo = billNo_->text();
    s.invoiceType = bill->type;
    s.billDate = bill->date;
    s.billAmount = bill->billAmount;
    // A bill settled again in this entry takes the new figures.
    settlements_.erase(std::remove_if(settlements_.begin(), settlements_.end(),
                                      [&](const vouchers::Settlement& o) { return o.billId == s.billId; }),
                       settlements_.end());
    settlements_.push_back(s);
    showSettlements();
    clearBill();
    return true;
}

void SettlementPanel::removeSettlement(int row) {
    if (row < 0 || row >= int(settlements_.size())) return;
    settlements_.erase(settlements_.begin() + row);
    showSettlements();
}

bool SettlementPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == open_ && enter) {
        takeBill(open_->currentRow());
        return true;
    }
    if (watched == settled_ && key == Qt::Key_Delete) {
        removeSettlement(settled_->currentRow());
        return true;
    }
    if (enter && (watched == payment_ || watched == less_ || watched == add_)) {
        if (refuseTypedValue(static_cast<QWidget*>(watched), messages_)) return true;
        (watched == payment_ ? static_cast<QWidget*>(less_)
         : watched == less_  ? static_cast<QWidget*>(add_)
                             : static_cast<QWidget*>(fully_))
            ->setFocus();
        return true;
    }
    if (enter && watched == fully_) {
        addSettlement();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tanabana::gui
