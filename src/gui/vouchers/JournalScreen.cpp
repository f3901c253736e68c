#include "gui/vouchers/JournalScreen.h"

#include "core/Words.h"
#include "domain/ledger/Balances.h"
#include "domain/vouchers/VoucherPrint.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/TradePrinting.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tanabana::gui {

namespace {

constexpr int kJournal = 9;

}  // namespace

JournalScreen::JournalScreen(db::Database& db, Session& session, Messages& messages, Mode mode, QWidget* parent)
    : VoucherForm(mode == Mode::WholeVoucher ? QStringLiteral("FRMJournalEntry") : QStringLiteral("FRMJournalEntry1"),
                  QStringLiteral("Journal Entry"), db, session, messages, parent),
      mode_(mode),
      service_(std::make_unique<vouchers::JournalVouchers>(db, session, messages)) {
    vouchers::JournalVouchers* service = service_.get();
    LookupSource accounts = typedSource<vouchers::JournalAccount>(
        [service](const QString& prefix) { return service->accounts(prefix); },
        {{QStringLiteral("A/c Name"), [](const vouchers::JournalAccount& a) { return a.name; }},
         {QStringLiteral("A/c Code"), [](const vouchers::JournalAccount& a) { return a.ledgerId; }}},
        [](const vouchers::JournalAccount& a) { return a.id; });
    declareHeader({DocField::number(QStringLiteral("txtVouNo"), QStringLiteral("Voucher No"), 0, 90),
                   DocField::date(QStringLiteral("DtpDate"), QStringLiteral("Date")),
                   DocField::info(QStringLiteral("lblVouAmt"))});
    declareLine({DocField::info(QStringLiteral("lblSrno")),
                 DocField::lookup(QStringLiteral("txtCrAc"), QStringLiteral("Cr. A/c"), accounts, 2),
                 DocField::info(QStringLiteral("lblCrBal")),
                 DocField::lookup(QStringLiteral("txtDrAc"), QStringLiteral("Dr. A/c"), accounts, 2),
                 DocField::info(QStringLiteral("lblDrBal")),
                 DocField::number(QStringLiteral("txtAmount"), QStringLiteral("Amount"), 2, 110),
                 DocField::text(QStringLiteral("txtRefNo"), QStringLiteral("Ref. No")),
                 DocField::text(QStringLiteral("txtCrNarr"), QStringLiteral("Cr. Narration")),
                 DocField::text(QStringLiteral("txtDrNarr"), QStringLiteral("Dr. Narration"))},
                QStringLiteral("Entry"));
    declareGrid({GridColumn::number(QStringLiteral("No"), 0), GridColumn::text(QStringLiteral("A/c Name")),
                 GridColumn::number(QStringLiteral("DrAmt"), 2, true), GridColumn::number(QStringLiteral("CrAmt"), 2, true),
                 GridColumn::text(QStringLiteral("Rec No")), GridColumn::text(QStringLiteral("Narration")),
                 GridColumn::date(QStringLiteral("TransDate"))});
    declareList({{ListColumn::Number, QStringLiteral("Vou No")},
                 {ListColumn::Date, QStringLiteral("Vou Dt")},
                 {ListColumn::Party, QStringLiteral("Cr. A/c")},
                 {ListColumn::Amount, QStringLiteral("Amount")},
                 {ListColumn::Text, QStringLiteral("Rec No"), 0}},
                QStringLiteral("voucher no, account or amount"));
    finishLayout();
    keys()->onEnter(textField(QStringLiteral("txtDrNarr")), [this] {
        postEntry();
        return true;
    });
    // Each side shows its account's balance once chosen.
    for (const auto& [account, balance] : {std::pair{"txtCrAc", "lblCrBal"}, std::pair{"txtDrAc", "lblDrBal"}}) {
        LookupField* field = lookupField(QString::fromLatin1(account));
        QLabel* label = infoField(QString::fromLatin1(balance));
        connect(field, &LookupField::chosen, this, [this, label](qint64 id) {
            label->setText(id > 0 ? QStringLiteral("Balance : ") + ledger::balanceText(ledger::Balances(db_, session_).closing(id))
                                  : QString());
        });
    }
    watchEntryGrid();
}

JournalScreen::~JournalScreen() = default;

void JournalScreen::clearDocument() {
    voucher_ = {};
    numberField(QStringLiteral("txtVouNo"))->setText(QString::number(service_->proposedVoucherNo()));
    dateField(QStringLiteral("DtpDate"))->setDate(proposedDate());
    showVoucher();
}

void JournalScreen::clearLine() {
    editing_ = 0;
    lookupField(QStringLiteral("txtCrAc"))->clearChoice();
    lookupField(QStringLiteral("txtDrAc"))->clearChoice();
    infoField(QStringLiteral("lblCrBal"))->clear();
    infoField(QStringLiteral("lblDrBal"))->clear();
    for (const char* name : {"txtAmount", "txtRefNo", "txtCrNarr", "txtDrNarr"}) textField(QString::fromLatin1(name))->clear();
    int next = int(voucher_.entries.size()) + 1;
    if (mode_ == Mode::EntryByEntry)
        for (const vouchers::JournalEntry& e : voucher_.entries) next = std::max(next, e.serial + 1);
    infoField(QStringLiteral("lblSrno"))->setText(QStringLiteral("Srno : ") + QString::number(next));
}

void JournalScreen::showVoucher() {
    std::vector<std::vector<Cell>> rows;
    int place = 0;
    for (const vouchers::JournalEntry& e : voucher_.entries) {
        // On a voucher gathered on screen the entries are numbered as the save will number them.
        const Decimal serial(mode_ == Mode::WholeVoucher ? ++place : e.serial);
        rows.push_back({serial, e.debitName, e.amount, Decimal(), e.referenceNo, e.debitNarration, voucher_.date});
        rows.push_back({serial, e.creditName, Decimal(), e.amount, e.referenceNo, e.creditNarration, voucher_.date});
    }
    setLines(rows);
    infoField(QStringLiteral("lblVouAmt"))->setText(QStringLiteral("Voucher Amount : ") + FormatIndian(voucher_.total(), 2));
    clearLine();
}

int JournalScreen::entryOfRow(int row) const { return row >= 0 && row / 2 < int(voucher_.entries.size()) ? row / 2 : -1; }

void JournalScreen::loadDocument(qint64 id) {
    const auto v = service_->load(id);
    if (!v) return;
    voucher_ = *v;
    numberField(QStringLiteral("txtVouNo"))->setText(QString::number(v->voucherNo));
    dateField(QStringLiteral("DtpDate"))->setDate(v->date);
    showVoucher();
}

bool JournalScreen::typedEntry(vouchers::JournalEntry& e) {
    e.creditAccId = lookupField(QStringLiteral("txtCrAc"))->chosenId();
    e.debitAccId = lookupField(QStringLiteral("txtDrAc"))->chosenId();
    e.amount = numberField(QStringLiteral("txtAmount"))->value();
    if (e.creditAccId <= 0 && e.debitAccId <= 0 && e.amount.isZero()) return false;  // nothing typed yet
    e.creditName = textOf(QStringLiteral("txtCrAc"));
    e.debitName = textOf(QStringLiteral("txtDrAc"));
    e.referenceNo = textOf(QStringLiteral("txtRefNo"));
    e.creditNarration = textOf(QStringLiteral("txtCrNarr"));
    e.debitNarration = textOf(QStringLiteral("txtDrNarr"));
    return true;
}

// The whole voucher's entry joins the voucher on screen; the accounts and amount are checked
// again by the save.
bool JournalScreen::keepEntry() {
    vouchers::JournalEntry e;
    if (!typedEntry(e)) return false;
    if (e.creditAccId <= 0 || e.debitAccId <= 0) {
        serviceMessages_.critical(QStringLiteral("System Validation"), QStringLiteral("Please Select A/c Name"));
        lookupField(e.creditAccId <= 0 ? QStringLiteral("txtCrAc") : QStringLiteral("txtDrAc"))->setFocus();
        return false;
    }
    if (e.amount <= Decimal()) {
        serviceMessages_.critical(QStringLiteral("No Save"), QStringLiteral("Please Enter Amount"));
        numberField(QStringLiteral("txtAmount"))->setFocus();
        return false;
    }
    if (editing_ > 0 && editing_ <= int(voucher_.entries.size())) {
        voucher_.entries[size_t(editing_ - 1)] = e;
    } else {
        voucher_.entries.push_back(e);
    }
    showVoucher();
    markChanged();
    lookupField(QStringLiteral("txtCrAc"))->setFocus();
    return true;
}

bool JournalScreen::postEntry() {
    if (refuseTypedLine()) return false;
    if (mode_ == Mode::WholeVoucher) return keepEntry();
    vouchers::JournalEntry e;
    if (!typedEntry(e)) return false;
    e.serial = editing_;
    voucher_.voucherNo = numberField(QStringLiteral("txtVouNo"))->value().wholePart();
    if (voucher_.entries.empty() && !service_->load(voucher_.voucherNo)) voucher_.voucherNo = 0;
    voucher_.date = dateField(QStringLiteral("DtpDate"))->date();
    if (!service_->saveEntry(voucher_, e)) return false;
    showPosted(voucher_.voucherNo, lookupField(QStringLiteral("txtCrAc")));
    return true;
}

void JournalScreen::editEntry(int row) {
    const int index = entryOfRow(row);
    if (index < 0) return;
    const vouchers::JournalEntry& e = voucher_.entries[size_t(index)];
    editing_ = mode_ == Mode::WholeVoucher ? index + 1 : e.serial;
    lookupField(QStringLiteral("txtCrAc"))->setChosen(e.creditAccId, e.creditName);
    lookupField(QStringLiteral("txtDrAc"))->setChosen(e.debitAccId, e.debitName);
    numberField(QStringLiteral("txtAmount"))->setText(e.amount.toString(2));
    textField(QStringLiteral("txtRefNo"))->setText(e.referenceNo);
    textField(QStringLiteral("txtCrNarr"))->setText(e.creditNarration);
    textField(QStringLiteral("txtDrNarr"))->setText(e.debitNarration);
    infoField(QStringLiteral("lblSrno"))->setText(QStringLiteral("Srno : ") + QString::number(editing_));
    lookupField(QStringLiteral("txtCrAc"))->setFocus();
}

void JournalScreen::deleteGridEntry(int row) {
    const int index = entryOfRow(row);
    if (index < 0) return;
    if (mode_ == Mode::WholeVoucher) {
        // Gone from the voucher on screen; the save replaces the voucher's lines.
        if (!serviceMessages_.ask(QStringLiteral("Delete Confirmation"), QStringLiteral("Are You Sure To Delete This Entry ?")))
            return;
        voucher_.entries.erase(voucher_.entries.begin() + index);
        showVoucher();
        markChanged();
        return;
    }
    if (!service_->removeEntry(voucher_.voucherNo, voucher_.entries[size_t(index)].serial)) return;
    if (const auto v = service_->load(voucher_.voucherNo)) {
        voucher_.entries = v->entries;
    } else {
        voucher_.entries.clear();
    }
    showVoucher();
    refreshList();
}

bool JournalScreen::saveDocument() {
    const bool typed =
        lookupField(QStringLiteral("txtCrAc"))->chosenId() > 0 || lookupField(QStringLiteral("txtDrAc"))->chosenId() > 0;
    if (mode_ == Mode::EntryByEntry) return typed ? postEntry() : voucher_.voucherNo > 0 && !voucher_.entries.empty();
    if (typed && !keepEntry()) return false;
    voucher_.voucherNo = documentId();
    voucher_.date = dateField(QStringLiteral("DtpDate"))->date();
    if (!service_->saveWhole(voucher_)) return false;
    setDocumentId(voucher_.voucherNo);
    return true;
}

bool JournalScreen::removeDocument(qint64 id) { return service_->removeVoucher(id); }

documents::DocumentPage JournalScreen::listDocuments(const documents::ListFilter& filter) { return service_->listPage(filter); }

void JournalScreen::printDocument(bool pdf) {
    printVoucher(kJournal, voucher_.voucherNo, QStringLiteral("JournalVoucher_") + QString::number(voucher_.voucherNo), pdf);
}

}  // namespace tanabana::gui
