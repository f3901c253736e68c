#include "gui/trade/OpeningSalesScreen.h"

#include "domain/documents/Lookups.h"
#include "gui/common/FormFields.h"
#include "gui/trade/SellingLookups.h"

#include "gui/common/EntryKeys.h"
#include "gui/common/LookupField.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

OpeningSalesScreen::OpeningSalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), service_(std::make_unique<trade::SalesInvoices>(db, session, messages)) {
    setObjectName(QStringLiteral("frmSalesOp"));
    setWindowTitle(QStringLiteral("Opening Sales Bills"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    book_ = new QComboBox;
    for (const documents::BookChoice& b : documents::booksOfKind(db_, session_.firmNo, documents::BookKind::Sales))
        book_->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);
    billNo_ = new QLineEdit;
    billNo_->setObjectName(QStringLiteral("txtBillNo"));
    date_ = new QDateEdit;
    date_->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    // Pending bills of earlier years may belong to parties no longer active.
    party_ = new LookupField(salesPartySearch(db_, session_.firmNo, false, true), QStringLiteral("Id"), QStringLiteral("A/c Name"));
    party_->setObjectName(QStringLiteral("txtParty"));
    pending_ = new QLineEdit;
    pending_->setObjectName(QStringLiteral("txtPendingAmt"));
    pending_->setAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Book"), book_);
    form->addRow(QStringLiteral("Invoice No"), billNo_);
    form->addRow(QStringLiteral("Bill Date"), date_);
    form->addRow(QStringLiteral("Party"), party_);
    form->addRow(QStringLiteral("Pending Amount"), pending_);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Save"));
    save->setObjectName(QStringLiteral("cmd_save"));
    auto* remove = new QPushButton(QStringLiteral("&Delete"));
    remove->setObjectName(QStringLiteral("cmd_Delete"));
    auto* fresh = new QPushButton(QStringLiteral("&New"));
    buttons->addWidget(fresh);
    buttons->addWidget(save);
    buttons->addWidget(remove);
    layout->addLayout(buttons);
    list_ = documentList();
    layout->addWidget(list_, 1);
    connect(fresh, &QPushButton::clicked, this, [this] { clearForm(); });
    connect(save, &QPushButton::clicked, this, [this] {
        trade::SalesBill bill;
        bill.id = billId_;
        bill.bookNo = book_->currentData().toLongLong();
        bill.billNo = billNo_->text();
        bill.date = date_->date();
        bill.partyId = party_->chosenId();
        const auto amount = Decimal::parse(pending_->text());
        bill.pendingAmount = amount ? *amount : Decimal();
        if (service_->saveOpening(bill)) clearForm();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (billId_ > 0 && service_->removeOpening(billId_)) clearForm();
    });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { open(list_->item(row, 0)->data(Qt::UserRole).toLongLong()); });
    EntryKeys::install(this, &session_);
    clearForm();
}

void OpeningSalesScreen::clearForm() {
    billId_ = 0;
    billNo_->clear();
    party_->clearChoice();
    pending_->clear();
    date_->setDate(session_.yearStartDate.addDays(-1));
    refreshList();
    book_->setFocus();
}

void OpeningSalesScreen::refreshList() {
    const std::vector<trade::SavedBill> bills = service_->openingBills();
    const QStringList columns{QStringLiteral("BillNO"), QStringLiteral("BillDate"), QStringLiteral("AcName"), QStringLiteral("BillAmount"),
                              QStringLiteral("UnPaidAmt")};
    list_->setColumnCount(columns.size());
    list_->setHorizontalHeaderLabels(columns);
    list_->setRowCount(int(bills.size()));
    for (int r = 0; r < int(bills.size()); ++r) {
        const trade::SavedBill& bill = bills[size_t(r)];
        const QStringList values{bill.billNo, bill.date.toString(QStringLiteral("dd-MM-yyyy")), bill.partyName,
                                 QVariant(bill.amount.toDouble()).toString(), QVariant(bill.unpaid.toDouble()).toString()};
        for (int c = 0; c < columns.size(); ++c) {
            auto* item = new QTableWidgetItem(values.at(c));
            if (c == 0) item->setData(Qt::UserRole, bill.id);
            list_->setItem(r, c, item);
        }
    }
    list_->resizeColumnsToContents();
}

void OpeningSalesScreen::open(qint64 id) {
    const auto bill = service_->load(id);
    if (!bill) return;
    billId_ = id;
    const int index = book_->findData(bill->bookNo);
    if (index >= 0) book_->setCurrentIndex(index);
    billNo_->setText(bill->billNo);
    date_->setDate(bill->date);
    if (const auto p = service_->party(bill->partyId)) party_->setChosen(p->id, p->name);
    pending_->setText(bill->pendingAmount.toString(2));
}

}  // namespace tanabana::gui
