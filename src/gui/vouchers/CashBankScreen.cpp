#include "gui/vouchers/CashBankScreen.h"

#include "core/Words.h"
#include "domain/ledger/Balances.h"
#include "domain/vouchers/ReceiptMessages.h"
#include "domain/vouchers/VoucherPrint.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"
#include "gui/vouchers/SettlementPanel.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tanabana::gui {

namespace {

const char* objectNameOf(vouchers::CashBankKind kind) {
    switch (kind) {
    case vouchers::CashBankKind::CashReceipt:
        return "FrmCashReceipt";
    case vouchers::CashBankKind::CashPayment:
        return "FRMCashPayment";
    case vouchers::CashBankKind::BankReceipt:
        return "FrmBankReceipt";
    case vouchers::CashBankKind::BankPayment:
        return "FRMBankPayment";
    }
    return "";
}

// Grid columns of the entries.
enum VoucherCol { No, LedgerId, Name, Amount, RecNo, Narration1, Date, IsBal, Narration };

}  // namespace

CashBankScreen::CashBankScreen(db::Database& db, Session& session, Messages& messages, vouchers::CashBankKind kind,
                               QWidget* parent)
    : VoucherForm(QString::fromLatin1(objectNameOf(kind)), vouchers::styleOf(kind).caption, db, session, messages, parent),
      service_(std::make_unique<vouchers::CashBankVouchers>(db, session, messages, kind)) {
    voucher_.kind = kind;
    declareFields();
    if (kind == vouchers::CashBankKind::BankPayment) {
        addButton(QStringLiteral("CmdCheque"), QStringLiteral("C&heque"), [this] { printBankPayment(true); }, true);
        addButton(QStringLiteral("CmdAdvice"), QStringLiteral("Pay &Advice"), [this] { printBankPayment(false); }, true);
    }
    finishLayout();
    keys()->onEnter(choiceField(QStringLiteral("txtBl")), [this] {
        postEntry();
        return true;
    });
    keys()->onEnter(numberField(QStringLiteral("txtVouNo")), [this] {
        voucherNumberTyped();
        return false;
    });
    watchEntryGrid();
}

CashBankScreen::~CashBankScreen() = default;

void CashBankScreen::declareFields() {
    const vouchers::VoucherStyle& style = service_->style();
    const bool bank = style.bookType == QLatin1String("B");
    declareHeader({DocField::choice(QStringLiteral("txtBook"), bank ? QStringLiteral("Bank Name") : QStringLiteral("Book"), {}),
                   DocField::info(QStringLiteral("lblCash")),
                   DocField::number(QStringLiteral("txtVouNo"), QStringLiteral("Voucher No"), 0, 90),
                   DocField::date(QStringLiteral("DtpDate"), QStringLiteral("Date")),
                   DocField::info(QStringLiteral("lblVouAmt"))});
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    for (const vouchers::VoucherBook& b : service_->books())
        book->addItem(QString::number(b.bookNo) + QStringLiteral(" ") + b.name, b.bookNo);
    // Any account of the firm: parties, expenses, other books.
    const LookupSource parties = partyLookup(db_, session_.firmNo, true);
    declareLine(
        {DocField::info(QStringLiteral("lblSrno")),
         DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), parties, 2),
         DocField::info(QStringLiteral("lblPartyBal")),
         DocField::number(QStringLiteral("txtAmount"), QStringLiteral("Amount"), 2, 110),
         DocField::text(QStringLiteral("txtRecNo"), bank ? QStringLiteral("Cheque/DD No") : QStringLiteral("Receipt No")),
         DocField::text(QStringLiteral("txtNarr"), QStringLiteral("Narration")),
         DocField::text(QStringLiteral("txtNarr2"), QStringLiteral("Narration 2")),
         DocField::choice(QStringLiteral("txtBl"), QStringLiteral("Bl :"), {QStringLiteral("N"), QStringLiteral("Y")}, 64)},
        QStringLiteral("Entry"));
    declareGrid({GridColumn::number(QStringLiteral("No"), 0), GridColumn::text(QStringLiteral("A/c No")),
                 GridColumn::text(QStringLiteral("A/c Name")), GridColumn::number(QStringLiteral("Amount"), 2, true),
                 GridColumn::text(QStringLiteral("Rec No")), GridColumn::text(QStringLiteral("Narration1")),
                 GridColumn::date(QStringLiteral("Date")), GridColumn::text(QStringLiteral("IsBal")),
                 GridColumn::text(QStringLiteral("Narration"))});
    declareList({{ListColumn::Number, QStringLiteral("Vou No")},
                 {ListColumn::Date, QStringLiteral("Vou Dt")},
                 {ListColumn::Party, QStringLiteral("A/c Name")},
                 {ListColumn::Amount, QStringLiteral("Amount")},
                 {ListColumn::Text, QStringLiteral("Rec No"), 0},
                 {ListColumn::Text, QStringLiteral("Bl"), 1},
                 {ListColumn::Text, QStringLiteral("Narration1"), 2}},
                QStringLiteral("voucher no, party or amount"));
    connect(book, &QComboBox::currentIndexChanged, this, [this] { bookChosen(); });
    connect(lookupField(QStringLiteral("txtParty")), &LookupField::chosen, this, [this] { partyChosen(); });
    connect(choiceField(QStringLiteral("txtBl")), &QComboBox::currentIndexChanged, this, [this] { panelTaken_ = false; });
}

qint64 CashBankScreen::bookNo() const { return choiceField(QStringLiteral("txtBook"))->currentData().toLongLong(); }

void CashBankScreen::bookChosen() {
    qint64 account = 0;
    for (const vouchers::VoucherBook& b : service_->books())
        if (b.bookNo == bookNo()) account = b.accountId;
    const QString word = service_->style().bookType == QLatin1String("C") ? QStringLiteral("CASH : ") : QStringLiteral("BANK : ");
    infoField(QStringLiteral("lblCash"))
        ->setText(account > 0 ? word + ledger::Balances(db_, session_).closing(account).toString(2) : QString());
}

void CashBankScreen::partyChosen() {
    const qint64 party = lookupField(QStringLiteral("txtParty"))->chosenId();
    infoField(QStringLiteral("lblPartyBal"))
        ->setText(party > 0
                      ? QStringLiteral("Party Balance : ") + ledger::balanceText(ledger::Balances(db_, session_).closing(party))
                      : QString());
    markChanged();
}

void CashBankScreen::clearDocument() {
    voucher_ = {};
    voucher_.kind = service_->style().kind;
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    const int proposed = book->findData(service_->proposedBook());
    book->setCurrentIndex(proposed >= 0 ? proposed : 0);
    bookChosen();
    numberField(QStringLiteral("txtVouNo"))->setText(QString::number(service_->proposedVoucherNo()));
    dateField(QStringLiteral("DtpDate"))->setDate(proposedDate());
    showVoucher();
}

void CashBankScreen::clearLine() {
    editing_ = 0;
    settlements_.clear();
    panelTaken_ = false;
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    for (const char* name : {"txtAmount", "txtRecNo", "txtNarr", "txtNarr2"}) textField(QString::fromLatin1(name))->clear();
    choiceField(QStringLiteral("txtBl"))->setCurrentIndex(0);
    infoField(QStringLiteral("lblPartyBal"))->clear();
    int next = 1;
    for (const vouchers::VoucherEntry& e : voucher_.entries) next = std::max(next, e.serial + 1);
    infoField(QStringLiteral("lblSrno"))->setText(QStringLiteral("Srno : ") + QString::number(next));
}

void CashBankScreen::showVoucher() {
    std::vector<std::vector<Cell>> rows;
    // Newest entry first, as the grid always showed it.
    for (auto it = voucher_.entries.rbegin(); it != voucher_.entries.rend(); ++it)
        rows.push_back({Decimal(it->serial), it->ledgerId, it->partyName, it->amount, it->receiptNo, it->description, it->date,
                        it->billWise ? QStringLiteral("Y") : QStringLiteral("N"), it->narration});
    setLines(rows);
    infoField(QStringLiteral("lblVouAmt"))->setText(QStringLiteral("Vou. Amt. : ") + FormatIndian(voucher_.total(), 2));
    clearLine();
}

void CashBankScreen::voucherNumberTyped() {
    const qint64 number = numberField(QStringLiteral("txtVouNo"))->value().wholePart();
    if (number <= 0) {
        numberField(QStringLiteral("txtVouNo"))->setText(QString::number(service_->proposedVoucherNo()));
        return;
    }
    if (number != voucher_.voucherNo && service_->load(number)) openEntry(number);
}

void CashBankScreen::loadDocument(qint64 id) {
    const auto v = service_->load(id);
    if (!v) return;
    voucher_ = *v;
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    if (const int index = book->findData(v->bookNo); index >= 0) book->setCurrentIndex(index);
    bookChosen();
    numberField(QStringLiteral("txtVouNo"))->setText(QString::number(v->voucherNo));
    dateField(QStringLiteral("DtpDate"))->setDate(v->date);
    showVoucher();
}

bool CashBankScreen::openPanel() {
    const Decimal amount = numberField(QStringLiteral("txtAmount"))->value();
    const qint64 party = lookupField(QStringLiteral("txtParty"))->chosenId();
    if (party <= 0 || amount <= Decimal()) return false;
    // A saved entry's own bills are offered as they stand without it, closed ones too.
    const qint64 saved = editing_ > 0 ? voucher_.voucherNo : 0;
    SettlementPanel panel(service_->style(), amount, service_->openBills(party, saved, editing_), settlements_,
                          serviceMessages_, this);
    const bool taken = runPanel_ ? runPanel_(panel) : panel.exec() == QDialog::Accepted;
    if (!taken) return false;  // Esc: nothing of the panel is kept
    settlements_ = panel.settlements();
    panelTaken_ = true;
    choiceField(QStringLiteral("txtBl"))->setCurrentIndex(1);
    panelTaken_ = true;
    return true;
}

bool CashBankScreen::postEntry() {
    if (refuseTypedLine()) return false;
    const qint64 party = lookupField(QStringLiteral("txtParty"))->chosenId();
    const Decimal amount = numberField(QStringLiteral("txtAmount"))->value();
    if (party <= 0 || amount <= Decimal()) return false;  // nothing typed yet: nothing happens
    const bool billWise = choiceField(QStringLiteral("txtBl"))->currentText() == QLatin1String("Y");
    if (billWise && !panelTaken_ && !openPanel()) return false;
    voucher_.voucherNo = numberField(QStringLiteral("txtVouNo"))->value().wholePart();
    // A typed number of a voucher the firm does not have yet is taken at the save.
    if (voucher_.entries.empty() && !service_->load(voucher_.voucherNo)) voucher_.voucherNo = 0;
    voucher_.date = dateField(QStringLiteral("DtpDate"))->date();
    voucher_.bookNo = bookNo();
    vouchers::VoucherEntry e;
    e.serial = editing_;
    e.partyId = party;
    e.amount = amount;
    e.receiptNo = textOf(QStringLiteral("txtRecNo"));
    e.narration = textOf(QStringLiteral("txtNarr"));
    e.narration2 = textOf(QStringLiteral("txtNarr2"));
    e.billWise = billWise;
    e.settlements = billWise ? settlements_ : std::vector<vouchers::Settlement>{};
    if (!billWise && !settlements_.empty()) e.settlements = settlements_;  // the service refuses "First Delete Outstand Entry"
    if (!service_->saveEntry(voucher_, e)) {
        panelTaken_ = false;
        return false;
    }
    bookChosen();
    showPosted(voucher_.voucherNo, lookupField(QStringLiteral("txtParty")));
    return true;
}

void CashBankScreen::editEntry(int row) {
    const int index = int(voucher_.entries.size()) - 1 - row;
    if (index < 0 || index >= int(voucher_.entries.size())) return;
    const vouchers::VoucherEntry& e = voucher_.entries[size_t(index)];
    editing_ = e.serial;
    settlements_ = e.settlements;
    lookupField(QStringLiteral("txtParty"))->setChosen(e.partyId, e.partyName);
    partyChosen();
    numberField(QStringLiteral("txtAmount"))->setText(e.amount.toString(2));
    textField(QStringLiteral("txtRecNo"))->setText(e.receiptNo);
    textField(QStringLiteral("txtNarr"))->setText(e.narration);
    textField(QStringLiteral("txtNarr2"))->setText(e.narration2);
    choiceField(QStringLiteral("txtBl"))->setCurrentIndex(e.billWise ? 1 : 0);
    panelTaken_ = false;
    infoField(QStringLiteral("lblSrno"))->setText(QStringLiteral("Srno : ") + QString::number(e.serial));
    lookupField(QStringLiteral("txtParty"))->setFocus();
}

void CashBankScreen::deleteGridEntry(int row) {
    const int index = int(voucher_.entries.size()) - 1 - row;
    if (index < 0 || index >= int(voucher_.entries.size())) return;
    if (!service_->removeEntry(voucher_.voucherNo, voucher_.entries[size_t(index)].serial)) return;
    if (const auto v = service_->load(voucher_.voucherNo)) {
        voucher_.entries = v->entries;
    } else {
        voucher_.entries.clear();
    }
    bookChosen();
    showVoucher();
    refreshList();
}

bool CashBankScreen::saveDocument() {
    // Save posts the entry still in the line fields; a voucher is otherwise saved entry by entry.
    if (lookupField(QStringLiteral("txtParty"))->chosenId() > 0 && numberField(QStringLiteral("txtAmount"))->value() > Decimal())
        return postEntry();
    return voucher_.voucherNo > 0 && !voucher_.entries.empty();
}

// Delete removes the whole voucher; one entry goes with the Delete key on its grid row.
bool CashBankScreen::removeDocument(qint64 id) { return service_->removeVoucher(id); }

documents::DocumentPage CashBankScreen::listDocuments(const documents::ListFilter& filter) { return service_->listPage(filter); }

void CashBankScreen::printDocument(bool pdf) {
    printVoucher(service_->style().tableCode, voucher_.voucherNo,
                 QString(service_->style().caption).remove(QLatin1Char(' ')) + QStringLiteral("_") + QString::number(voucher_.voucherNo),
                 pdf);
}

void CashBankScreen::printBankPayment(bool cheques) {
    if (voucher_.voucherNo <= 0) return;
    try {
        const QString number = QString::number(voucher_.voucherNo);
        printDocumentRequest(db_, session_, serviceMessages_,
                             cheques ? vouchers::chequeRequest(db_, session_, voucher_.voucherNo)
                                     : vouchers::paymentAdviceRequest(db_, session_, voucher_.voucherNo),
                             (cheques ? QStringLiteral("Cheques_") : QStringLiteral("PayAdvice_")) + number, false, this);
    } catch (const std::exception& e) {
        serviceMessages_.critical(QStringLiteral("Report"), QString::fromUtf8(e.what()));
    }
}

bool CashBankScreen::sendsWhatsApp() const { return service_->style().receipt(); }

void CashBankScreen::sendWhatsApp() {
    if (voucher_.voucherNo <= 0 || voucher_.entries.empty()) return;
    const int row = lineGrid()->currentRow();
    const int index = int(voucher_.entries.size()) - 1 - (row >= 0 && row < int(voucher_.entries.size()) ? row : 0);
    const vouchers::VoucherEntry& e = voucher_.entries[size_t(index)];
    if (vouchers::sendReceiptWhatsApp(db_, session_, serviceMessages_, service_->style().tableCode, voucher_.voucherNo, e.serial))
        setStatus(QStringLiteral("WhatsApp sent to ") + e.partyName);
}

bool CashBankScreen::functionKey(int key) {
    if (key != Qt::Key_F6) return false;
    if (openPanel()) postEntry();
    return true;
}

}  // namespace tanabana::gui
