#include "gui/vouchers/BillBaseJournalScreen.h"

#include "gui/common/DocumentForm.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/LookupField.h"
#include "gui/common/ScreenHabits.h"
#include "gui/common/SelectionGrid.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

namespace tanabana::gui {

namespace {


QTableWidgetItem* journalCell(const QString& text, bool number = false, bool bold = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    return item;
}

// The texts of one waiting difference, as both windows list it.
QStringList rowTexts(const vouchers::WaitingDifference& w) {
    return {w.book == vouchers::BillBook::Sales ? QStringLiteral("S") : QStringLiteral("P"),
            w.type,
            w.billNo,
            w.billDate.toString(QStringLiteral("dd-MM-yyyy")),
            shownAmount(w.billAmount, 2),
            shownAmount(w.paid, 2),
            shownAmount(w.less, 2),
            shownAmount(w.add, 2),
            w.voucherDate.toString(QStringLiteral("dd-MM-yyyy"))};
}

const QStringList kCaptions{QStringLiteral("Book"),     QStringLiteral("Type"),     QStringLiteral("Bill NO"),
                            QStringLiteral("BillDt"),   QStringLiteral("Bill Amt"), QStringLiteral("Paid Amt"),
                            QStringLiteral("Less Amt"), QStringLiteral("Add Amt"),  QStringLiteral("VDate")};
constexpr int kFirstAmount = 4, kLastAmount = 7;

// A party with differences waiting, for the party search.
struct WaitingParty {
    qint64 id = 0;
    QString ledgerId, name;
};

}  // namespace

BillBaseJournalScreen::BillBaseJournalScreen(db::Database& db, Session& session, Messages& messages, Mode mode, QWidget* parent)
    : QWidget(parent),
      db_(db),
      session_(session),
      messages_(messages),
      mode_(mode),
      service_(std::make_unique<vouchers::JournalVouchers>(db, session, messages)) {
    const bool one = mode == Mode::OneBill;
    setObjectName(one ? QStringLiteral("FRMJournalEntryBillBase") : QStringLiteral("FRMJournalEntryBillBaseMulti"));
    setWindowTitle(one ? QStringLiteral("Journal Entry  ( BILL BASE  )") : QStringLiteral("Bill Base Multi  Journal Entry"));
    build();
    refresh();
}

BillBaseJournalScreen::~BillBaseJournalScreen() = default;

void BillBaseJournalScreen::build() {
    const bool one = mode_ == Mode::OneBill;
    vouchers::JournalVouchers* service = service_.get();
    auto* outer = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    voucherNo_ = new QLabel(this);
    voucherNo_->setObjectName(QStringLiteral("lblVouNo"));
    date_ = dateBox(QStringLiteral("DtpDate"));
    date_->setParent(this);  // first in the tab order: the screen opens on the date
    date_->setFinancialYear(session_.yearStartDate, session_.yearEndDate);
    const QDate today = QDate::currentDate();
    date_->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    head->addWidget(caption(QStringLiteral("Voucher No ")));
    head->addWidget(voucherNo_);
    head->addWidget(caption(QStringLiteral("Date")));
    head->addWidget(date_);
    if (one) {
        LookupSource parties = typedSource<WaitingParty>(
            [service](const QString& prefix) {
                std::vector<WaitingParty> out;
                std::set<qint64> seen;
                for (const vouchers::WaitingDifference& w : service->waitingDifferences(std::nullopt))
                    if ((w.partyName.startsWith(prefix.trimmed(), Qt::CaseInsensitive) ||
                         w.ledgerId.startsWith(prefix.trimmed(), Qt::CaseInsensitive)) &&
                        seen.insert(w.partyId).second)
                        out.push_back({w.partyId, w.ledgerId, w.partyName});
                return out;
            },
            {{QStringLiteral("A/c Name"), [](const WaitingParty& p) { return p.name; }},
             {QStringLiteral("LedgerId"), [](const WaitingParty& p) { return p.ledgerId; }}},
            [](const WaitingParty& p) { return p.id; });
        party_ = new LookupField(parties.search, parties.keyColumn, parties.textColumn, this);
        party_->setObjectName(QStringLiteral("txtParty"));
        party_->setMinimumWidth(260);
        head->addWidget(caption(QStringLiteral("Party")));
        head->addWidget(party_, 2);
        connect(party_, &LookupField::chosen, this, [this] { refresh(); });
    } else {
        billType_ = new QComboBox(this);
        billType_->setObjectName(QStringLiteral("ComBillType"));
        billType_->addItems({QStringLiteral("Sales Bill"), QStringLiteral("Purchase Bill")});
        head->addWidget(caption(QStringLiteral("Bill Type")));
        head->addWidget(billType_);
        connect(billType_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    }
    head->addStretch(1);
    outer->addLayout(head);

    if (one) {
        grid_ = new QTableWidget(0, int(kCaptions.size()), this);
        grid_->setObjectName(QStringLiteral("vsgridBills"));
        grid_->setHorizontalHeaderLabels(kCaptions);
        grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid_->verticalHeader()->hide();
        connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { takeRow(row); });
    } else {
        ticks_ = new SelectionGrid(QStringList{QStringLiteral("Party")} + kCaptions, this);
        ticks_->setObjectName(QStringLiteral("vsgridBills"));
        grid_ = ticks_;
        connect(ticks_, &SelectionGrid::tickChanged, this, [this] {
            Decimal sum;
            for (int r : ticks_->tickedRows())
                if (r < int(rows_.size())) sum += rows_[size_t(r)].difference();
            total_->setText(QStringLiteral("Selected : ") + shownAmount(sum, 2));
        });
    }
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    outer->addWidget(grid_, 1);

    auto* fields = new QGridLayout;
    auto figure = [&](const QString& text, const QString& name, int column) {
        auto* value = new QLabel(this);
        value->setObjectName(name);
        value->setMinimumWidth(110);
        fields->addWidget(caption(text), 0, column);
        fields->addWidget(value, 1, column);
        return value;
    };
    if (one) {
        billNo_ = figure(QStringLiteral("Bill No"), QStringLiteral("lblBillNo"), 0);
        billAmount_ = figure(QStringLiteral("Bill Amount"), QStringLiteral("lblBillAmt"), 1);
        pending_ = figure(QStringLiteral("Pending :"), QStringLiteral("lblPending"), 2);
        side_ = figure(QStringLiteral("Party"), QStringLiteral("lblSide"), 3);
    } else {
        total_ = figure(QString(), QStringLiteral("lblTotal"), 0);
    }
    const std::set<int> excluded = one ? std::set<int>{36} : std::set<int>{36, 35, 76, 1, 18};
    LookupSource accounts = typedSource<vouchers::JournalAccount>(
        [service, excluded](const QString& prefix) {
            std::vector<vouchers::JournalAccount> out = service->accounts(prefix, 60);
            out.erase(std::remove_if(out.begin(), out.end(),
                                     [&](const vouchers::JournalAccount& a) { return excluded.count(a.groupNo) > 0; }),
                      out.end());
            return out;
        },
        {{QStringLiteral("A/c Name"), [](const vouchers::JournalAccount& a) { return a.name; }},
         {QStringLiteral("A/c Code"), [](const vouchers::JournalAccount& a) { return a.ledgerId; }}},
        [](const vouchers::JournalAccount& a) { return a.id; });
    contra_ = new LookupField(accounts.search, accounts.keyColumn, accounts.textColumn, this);
    contra_->setObjectName(QStringLiteral("txtJvAc"));
    contra_->setMinimumWidth(240);
    fields->addWidget(caption(QStringLiteral("J.V. A/c Name ")), 0, 4);
    fields->addWidget(contra_, 1, 4);
    if (one) {
        amount_ = amountBox(QStringLiteral("txtAmount"), 110, {2, false, 12});
        fields->addWidget(caption(QStringLiteral("Amount")), 0, 5);
        fields->addWidget(amount_, 1, 5);
    }
    fields->setColumnStretch(6, 1);
    outer->addLayout(fields);

    saveButton_ = new QPushButton(QStringLiteral("&Save"), this);
    saveButton_->setObjectName(QStringLiteral("cmd_save"));
    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("Cmd_Exit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);
    buttons->addWidget(exit);
    outer->addLayout(buttons);
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(exit, &QPushButton::clicked, this, [this] { closeScreen(this); });

    keys_ = EntryKeys::install(this, &session_, &messages_);
    if (one) {
        keys_->setOrder({date_, party_, grid_, contra_, amount_, saveButton_});
        keys_->onEnter(party_, [this] {
            grid_->setFocus();
            if (!rows_.empty()) grid_->selectRow(0);
            return true;
        });
        keys_->onEnter(grid_, [this] {
            takeRow(grid_->currentRow());
            return true;
        });
        keys_->onEnter(amount_, [this] {
            save();
            return true;
        });
    } else {
        keys_->setOrder({date_, billType_, grid_, contra_, saveButton_});
        keys_->onEnter(contra_, [this] {
            save();
            return true;
        });
    }
    setFocusProxy(date_);
    resize(1100, 620);
}

void BillBaseJournalScreen::refresh() {
    voucherNo_->setText(QString::number(service_->proposedVoucherNo()));
    if (mode_ == Mode::OneBill) {
        rows_ = party_->chosenId() > 0 ? service_->waitingDifferences(std::nullopt, party_->chosenId())
                                       : std::vector<vouchers::WaitingDifference>{};
    } else {
        rows_ = service_->waitingDifferences(billType_->currentIndex() == 0 ? vouchers::BillBook::Sales
                                                                             : vouchers::BillBook::Purchase);
    }
    showRows();
    clearBill();
}

void BillBaseJournalScreen::showRows() {
    const int offset = mode_ == Mode::OneBill ? 0 : 2;  // the tick and the party come first
    grid_->setRowCount(0);
    Decimal totals[kLastAmount - kFirstAmount + 1];
    for (const vouchers::WaitingDifference& w : rows_) {
        const QStringList texts = rowTexts(w);
        if (ticks_) {
            ticks_->addRow(QStringList{w.partyName} + texts);
        } else {
            const int row = grid_->rowCount();
            grid_->insertRow(row);
            for (int c = 0; c < texts.size(); ++c) grid_->setItem(row, c, journalCell(texts.at(c), c >= kFirstAmount && c <= kLastAmount));
        }
        const Decimal figures[] = {w.billAmount, w.paid, w.less, w.add};
        for (int i = 0; i <= kLastAmount - kFirstAmount; ++i) totals[i] += figures[i];
    }
    const int row = grid_->rowCount();
    grid_->insertRow(row);
    grid_->setItem(row, offset, journalCell(QStringLiteral("Total"), false, true));
    for (int i = 0; i <= kLastAmount - kFirstAmount; ++i)
        grid_->setItem(row, offset + kFirstAmount + i, journalCell(shownAmount(totals[i], 2), true, true));
    if (ticks_) {
        delete ticks_->takeItem(row, 0);  // the total row is not ticked
        for (int r = 0; r < ticks_->rowCount() - 1; ++r)
            for (int c = 1 + 1 + kFirstAmount; c <= 1 + 1 + kLastAmount; ++c)
                if (QTableWidgetItem* item = ticks_->item(r, c)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        total_->setText(QStringLiteral("Selected : ") + shownAmount(Decimal(), 2));
    }
}

void BillBaseJournalScreen::clearBill() {
    taken_ = -1;
    if (mode_ != Mode::OneBill) return;
    for (QLabel* l : {billNo_, billAmount_, pending_, side_}) l->clear();
    amount_->clear();
}

void BillBaseJournalScreen::takeRow(int row) {
    if (mode_ != Mode::OneBill || row < 0 || row >= int(rows_.size())) return;
    const vouchers::WaitingDifference& w = rows_[size_t(row)];
    taken_ = row;
    billNo_->setText(w.billNo);
    billAmount_->setText(shownAmount(w.billAmount, 2));
    pending_->setText(shownAmount(w.difference(), 2));
    side_->setText(w.partySide() == QLatin1Char('C') ? QStringLiteral("Cr.") : QStringLiteral("Dr."));
    amount_->setText(w.difference().toString(2));
    contra_->setFocus();
}

bool BillBaseJournalScreen::save() {
    if (refuseTypedValue(date_, messages_)) return false;
    std::optional<qint64> voucher;
    if (mode_ == Mode::OneBill) {
        if (taken_ < 0) {
            messages_.critical(QStringLiteral("No Save"), QStringLiteral("Please Select Bill"));
            grid_->setFocus();
            return false;
        }
        if (refuseTypedValue(amount_, messages_)) return false;
        voucher = service_->postDifference(rows_[size_t(taken_)].rowId, contra_->chosenId(), typedNumber(amount_), date_->date());
    } else {
        std::vector<qint64> ids;
        for (int r : ticks_->tickedRows())
            if (r < int(rows_.size())) ids.push_back(rows_[size_t(r)].rowId);
        voucher = service_->postDifferences(ids, contra_->chosenId(), date_->date());
    }
    if (!voucher) return false;
    messages_.information(QStringLiteral("Save Confirmation"),
                          QStringLiteral("One Transaction Is Saved.") + QLatin1Char('\n') + QStringLiteral(" J.V. No : ") +
                              QString::number(*voucher));
    refresh();
    (mode_ == Mode::OneBill ? static_cast<QWidget*>(party_) : static_cast<QWidget*>(grid_))->setFocus();
    return true;
}

}  // namespace tanabana::gui
