#include "gui/reports/StatementImportDialog.h"

#include "core/Words.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

constexpr int kTickColumn = 0;
const QString kImportTitle = QStringLiteral("Import Bank Statement");

QTableWidgetItem* importCell(const QString& text, bool number = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return item;
}

QString dateText(const QDate& date) { return date.toString(QStringLiteral("dd-MM-yy")); }

}  // namespace

StatementImportDialog::StatementImportDialog(db::Database& db, qint64 firmNo, qint64 bookNo, accounts::BankReconciliation& service,
                                             const accounts::Reconciliation& list, const QString& path, Messages& messages,
                                             QWidget* parent)
    : QDialog(parent), db_(db), firmNo_(firmNo), bookNo_(bookNo), service_(service), list_(list), path_(path), messages_(messages) {
    setObjectName(QStringLiteral("frmBankStatement"));
    setWindowTitle(kImportTitle + QStringLiteral(" : ") + QFileInfo(path).fileName());
    auto* outer = new QVBoxLayout(this);

    // The file's captions in every list, the bank book's earlier choice (or the usual caption)
    // chosen where the file has it; the narration and cheque number may be left out.
    QString error;
    const QStringList captions = accounts::statementCaptions(path, &error);
    const accounts::StatementColumns remembered = accounts::rememberedColumns(db, firmNo, bookNo);
    auto* form = new QFormLayout;
    auto choice = [&](const char* name, const QString& caption, const QString& preferred, bool optional) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        if (optional) box->addItem(QString());
        box->addItems(captions);
        const int at = preferred.isEmpty() ? -1 : box->findText(preferred, Qt::MatchFixedString);
        if (at >= 0) box->setCurrentIndex(at);
        else if (!optional) known_ = false;
        form->addRow(caption, box);
        return box;
    };
    date_ = choice("ComDate", QStringLiteral("Date"), remembered.date, false);
    narration_ = choice("ComNarration", QStringLiteral("Narration"), remembered.narration, true);
    cheque_ = choice("ComCheque", QStringLiteral("Chq./Ref.No."), remembered.cheque, true);
    withdrawal_ = choice("ComWithdrawal", QStringLiteral("Withdrawal"), remembered.withdrawal, false);
    deposit_ = choice("ComDeposit", QStringLiteral("Deposit"), remembered.deposit, false);
    outer->addLayout(form);

    grid_ = new QTableWidget(0, 9, this);
    grid_->setObjectName(QStringLiteral("VSResultGrid"));
    grid_->setHorizontalHeaderLabels({QStringLiteral("Sel"), QStringLiteral("Row"), QStringLiteral("Bank Date"), QStringLiteral("Amount"),
                                      QStringLiteral("Bank Chq No"), QStringLiteral("Our Chq No"), QStringLiteral("A/c Name"),
                                      QStringLiteral("Our Date"), QStringLiteral("Matched By")});
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionResizeMode(6, QHeaderView::Stretch);
    outer->addWidget(grid_, 1);
    count_ = new QLabel(error, this);
    count_->setObjectName(QStringLiteral("lblCount"));
    outer->addWidget(count_);

    auto* find = new QPushButton(QStringLiteral("Match"), this);
    find->setObjectName(QStringLiteral("cmdMatch"));
    auto* tick = new QPushButton(QStringLiteral("Tick Selected"), this);
    tick->setObjectName(QStringLiteral("cmdTick"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cmd_Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {find, tick, cancel}) buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(find, &QPushButton::clicked, this, [this] { match(); });
    connect(tick, &QPushButton::clicked, this, [this] {
        if (apply() >= 0) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(900, 520);
}

accounts::StatementColumns StatementImportDialog::chosenColumns() const {
    accounts::StatementColumns c;
    c.date = date_->currentText();
    c.narration = narration_->currentText();
    c.cheque = cheque_->currentText();
    c.withdrawal = withdrawal_->currentText();
    c.deposit = deposit_->currentText();
    return c;
}

bool StatementImportDialog::match() {
    grid_->setRowCount(0);
    matches_.clear();
    file_ = accounts::readStatement(path_, chosenColumns());
    if (!file_.error.isEmpty()) {
        count_->setText(file_.error);
        messages_.critical(kImportTitle, file_.error);
        return false;
    }
    matches_ = accounts::proposeMatches(file_.lines, list_.lines);
    grid_->setRowCount(int(matches_.size()));
    for (int r = 0; r < int(matches_.size()); ++r) {
        const accounts::StatementLine& s = file_.lines[matches_[size_t(r)].statementLine];
        const accounts::ReconLine& line = list_.lines[matches_[size_t(r)].reconLine];
        auto* sel = new QTableWidgetItem;
        sel->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        sel->setCheckState(Qt::Checked);
        grid_->setItem(r, kTickColumn, sel);
        grid_->setItem(r, 1, importCell(QString::number(s.row), true));
        grid_->setItem(r, 2, importCell(dateText(s.date)));
        grid_->setItem(r, 3, importCell(FormatIndian(s.withdrawal.isZero() ? s.deposit : s.withdrawal, 2), true));
        grid_->setItem(r, 4, importCell(s.cheque));
        grid_->setItem(r, 5, importCell(line.chequeNo));
        grid_->setItem(r, 6, importCell(line.party));
        grid_->setItem(r, 7, importCell(dateText(line.date)));
        grid_->setItem(r, 8, importCell(matches_[size_t(r)].byCheque ? QStringLiteral("Chq No & Amount") : QStringLiteral("Amount & Date")));
    }
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setSectionResizeMode(6, QHeaderView::Stretch);
    count_->setText(QStringLiteral("%1 of %2 statement rows matched").arg(matches_.size()).arg(file_.lines.size()));
    return true;
}

int StatementImportDialog::apply() {
    if (matches_.empty() && !match()) return -1;
    std::vector<std::pair<accounts::ReconLine, QDate>> ticks;
    for (int r = 0; r < int(matches_.size()); ++r)
        if (grid_->item(r, kTickColumn)->checkState() == Qt::Checked)
            ticks.push_back({list_.lines[matches_[size_t(r)].reconLine], file_.lines[matches_[size_t(r)].statementLine].date});
    if (!ticks.empty() && !service_.tickAll(ticks)) return -1;
    accounts::rememberColumns(db_, firmNo_, bookNo_, chosenColumns());
    return int(ticks.size());
}

}  // namespace tanabana::gui
