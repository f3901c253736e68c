#include "gui/reports/BankReconciliationScreen.h"

#include "core/Words.h"
#include "domain/reports/Register.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/LookupField.h"
#include "gui/reports/PreviewWindow.h"
#include "gui/reports/StatementImportDialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

enum Column { DateColumn, ChequeColumn, PartyColumn, ReceiptColumn, PaymentColumn, ClearedColumn, SelColumn, ColumnCount };

QString amountText(Decimal value) { return value.isZero() ? QString() : FormatIndian(value, 2); }

QTableWidgetItem* reconCell(const QString& text, bool number = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return item;
}

}  // namespace

BankReconciliationScreen::BankReconciliationScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages), service_(db, session, messages) {
    setObjectName(QStringLiteral("FrmBankReconsil"));
    setWindowTitle(QStringLiteral("Bank Reconciliation"));
    build();
}

void BankReconciliationScreen::build() {
    auto* outer = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    db::Database* db = &db_;
    const qint64 firm = session_.firmNo;
    book_ = new LookupField([db, firm](const QString& p) { return reports::registerBooks(*db, firm, p, QStringLiteral("B")); },
                            QStringLiteral("Id"), QStringLiteral("Book"), this);
    book_->setObjectName(QStringLiteral("txtFirmName"));
    book_->setMinimumWidth(200);
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("txtInvType"));
    kind_->addItems({QStringLiteral("Both"), QStringLiteral("Payments"), QStringLiteral("Receipts")});
    from_ = dateBox(QStringLiteral("DTPicker1"));
    to_ = dateBox(QStringLiteral("DTPicker2"));
    clearedOn_ = dateBox(QStringLiteral("DtpReconsil"));
    for (DateBox* box : {from_, to_, clearedOn_}) box->setFinancialYear(session_.yearStartDate, session_.yearEndDate);
    from_->setDate(session_.yearStartDate);
    to_->setDate(session_.yearEndDate);
    clearedOn_->setDate(session_.yearEndDate);
    auto* show = new QPushButton(QStringLiteral("Refresh"), this);
    show->setObjectName(QStringLiteral("Cmd_refresh"));
    bar->addWidget(caption(QStringLiteral("Bank")));
    bar->addWidget(book_, 2);
    bar->addWidget(caption(QStringLiteral("Type")));
    bar->addWidget(kind_);
    bar->addWidget(caption(QStringLiteral("From")));
    bar->addWidget(from_);
    bar->addWidget(caption(QStringLiteral("To")));
    bar->addWidget(to_);
    bar->addWidget(caption(QStringLiteral("Clearing Date")));
    bar->addWidget(clearedOn_);
    bar->addWidget(show);
    outer->addLayout(bar);

    grid_ = new QTableWidget(0, ColumnCount, this);
    grid_->setObjectName(QStringLiteral("VSResultGrid"));
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Date"), QStringLiteral("Chq No"), QStringLiteral("A/c Name"), QStringLiteral("Receipt"), QStringLiteral("Payment"),
         QStringLiteral("Clr Date"), QStringLiteral("Sel")});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(PartyColumn, QHeaderView::Stretch);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    outer->addWidget(grid_, 1);

    auto* figures = new QGridLayout;
    auto figure = [&](int row, int column, const QString& text, const QString& name) {
        auto* value = new QLabel(this);
        value->setObjectName(name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(120);
        figures->addWidget(caption(text), row, column * 2);
        figures->addWidget(value, row, column * 2 + 1);
        return value;
    };
    opening_ = figure(0, 0, QStringLiteral("Opening Balance"), QStringLiteral("txtFirmBalance"));
    bookBalance_ = figure(1, 0, QStringLiteral("1. Balance As Per Our Bank Book"), QStringLiteral("Text1"));
    payments_ = figure(0, 1, QStringLiteral("2. Add : Chq. Issued but not presented"), QStringLiteral("Text2"));
    receipts_ = figure(1, 1, QStringLiteral("3. Less : Chq. Deposited but not Credited"), QStringLiteral("Text3"));
    statement_ = figure(2, 1, QStringLiteral("4. Balance as per Bank Statement"), QStringLiteral("txtBal"));
    outer->addLayout(figures);

    auto* import = new QPushButton(QStringLiteral("Import Statement"), this);
    import->setObjectName(QStringLiteral("cmdImport"));
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("Cmd_Print"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Cmd_Exit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(import);
    buttons->addWidget(print);
    buttons->addWidget(exit);
    outer->addLayout(buttons);

    connect(show, &QPushButton::clicked, this, [this] { refresh(); });
    connect(print, &QPushButton::clicked, this, [this] { preview(); });
    connect(import, &QPushButton::clicked, this, [this] { importStatement(); });
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { cellChanged(item); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column != SelColumn) openRow(row);
    });
    connect(exit, &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
        else close();
    });
    auto* keys = EntryKeys::install(this, &session_);
    keys->setOrder({book_, kind_, from_, to_, clearedOn_, show});
    setFocusProxy(book_);
    resize(1100, 600);
}

bool BankReconciliationScreen::refresh() {
    qint64 bookNo = book_->chosenId();
    if (bookNo <= 0) bookNo = reports::pickedId(db_, session_.firmNo, reports::RegisterPicker::Book, book_->text(), QStringLiteral("B"));
    list_ = service_.list(bookNo, accounts::reconKindOf(kind_->currentText()), from_->date(), to_->date());
    bookNo_ = list_ ? bookNo : 0;
    showList();
    return list_.has_value();
}

void BankReconciliationScreen::showList() {
    filling_ = true;
    grid_->setRowCount(0);
    if (list_) {
        const auto& lines = list_->lines;
        grid_->setRowCount(int(lines.size()) + 1);
        for (int r = 0; r < int(lines.size()); ++r) {
            const accounts::ReconLine& line = lines[size_t(r)];
            grid_->setItem(r, DateColumn, reconCell(line.date.toString(QStringLiteral("dd-MM-yy"))));
            grid_->setItem(r, ChequeColumn, reconCell(line.chequeNo));
            grid_->setItem(r, PartyColumn, reconCell(line.party));
            grid_->setItem(r, ReceiptColumn, reconCell(amountText(line.receipt), true));
            grid_->setItem(r, PaymentColumn, reconCell(amountText(line.payment), true));
            grid_->setItem(r, ClearedColumn, reconCell(line.cleared ? line.clearedOn.toString(QStringLiteral("dd-MM-yy")) : QString()));
            auto* sel = new QTableWidgetItem;
            sel->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            sel->setCheckState(line.cleared ? Qt::Checked : Qt::Unchecked);
            grid_->setItem(r, SelColumn, sel);
        }
        Decimal receipts, payments;
        for (const accounts::ReconLine& line : lines) {
            receipts += line.receipt;
            payments += line.payment;
        }
        const int total = int(lines.size());
        QFont bold = grid_->font();
        bold.setBold(true);
        for (auto [column, text] : {std::pair{PartyColumn, QStringLiteral("Tot")}, std::pair{ReceiptColumn, FormatIndian(receipts, 2)},
                                    std::pair{PaymentColumn, FormatIndian(payments, 2)}}) {
            QTableWidgetItem* item = reconCell(text, column != PartyColumn);
            item->setFont(bold);
            grid_->setItem(total, column, item);
        }
    }
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setSectionResizeMode(PartyColumn, QHeaderView::Stretch);
    filling_ = false;
    showBalances();
}

void BankReconciliationScreen::showBalances() {
    const bool shown = list_.has_value();
    const accounts::ReconBalances b = shown ? list_->balances : accounts::ReconBalances{};
    for (auto [label, value] : {std::pair{opening_, b.opening}, std::pair{bookBalance_, b.bookBalance}, std::pair{payments_, b.unclearedPayments},
                                std::pair{receipts_, b.unclearedReceipts}, std::pair{statement_, b.statementBalance}})
        label->setText(shown ? FormatIndian(value, 2) : QString());
}

// The statement of the list as it stands, in the preview (print, printer set-up, PDF).
bool BankReconciliationScreen::preview() {
    if (!list_ && !refresh()) return false;
    auto* window = new PreviewWindow(session_, this->window());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::Window);
    window->reportPdfName = QStringLiteral("Bank_Reconciliation");
    if (!window->showRequest(service_.statementReport(*list_))) {
        messages_.critical(windowTitle(), window->lastError());
        window->close();
        return false;
    }
    window->show();
    return true;
}

bool BankReconciliationScreen::setCleared(int row, bool cleared) {
    if (!list_ || row < 0 || row >= int(list_->lines.size())) return false;
    accounts::ReconLine& line = list_->lines[size_t(row)];
    const QDate date = clearedOn_->date();
    const bool done = cleared ? service_.tick(line, date) : service_.untick(line);
    if (done) {
        line.cleared = cleared;
        line.clearedOn = cleared ? date : QDate();
        accounts::BankReconciliation::recompute(*list_);
    }
    filling_ = true;
    grid_->item(row, SelColumn)->setCheckState(line.cleared ? Qt::Checked : Qt::Unchecked);
    grid_->item(row, ClearedColumn)->setText(line.cleared ? line.clearedOn.toString(QStringLiteral("dd-MM-yy")) : QString());
    grid_->resizeColumnToContents(ClearedColumn);
    filling_ = false;
    showBalances();
    return done;
}

bool BankReconciliationScreen::importStatement() {
    if (!list_ && !refresh()) return false;
    const QString path = askFile_ ? askFile_()
                                  : QFileDialog::getOpenFileName(this, QStringLiteral("Bank Statement"), QString(),
                                                                 QStringLiteral("CSV Files (*.csv);;All Files (*)"));
    if (path.isEmpty()) return false;
    StatementImportDialog dialog(db_, session_.firmNo, bookNo_, service_, *list_, path, messages_, this);
    if (dialog.columnsKnown()) dialog.match();
    const bool ticked = runImport_ ? runImport_(dialog) : dialog.exec() == QDialog::Accepted;
    if (ticked) refresh();
    return ticked;
}

bool BankReconciliationScreen::openRow(int row) {
    if (!list_ || !openVoucher_ || row < 0 || row >= int(list_->lines.size())) return false;
    const accounts::ReconLine& line = list_->lines[size_t(row)];
    openVoucher_(line.tableCode, line.voucherNo);
    return true;
}

void BankReconciliationScreen::cellChanged(QTableWidgetItem* item) {
    if (filling_ || !item || item->column() != SelColumn) return;
    setCleared(item->row(), item->checkState() == Qt::Checked);
}

}  // namespace tanabana::gui
