#include "gui/vouchers/RecurringPaymentScreen.h"

#include "domain/vouchers/CashBankVouchers.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"

#include <QComboBox>
#include <QLineEdit>

namespace tanabana::gui {

namespace {

const QStringList kHolidays{QStringLiteral("None"),     QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                            QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                            QStringLiteral("Saturday"), QStringLiteral("Sunday")};

}  // namespace

RecurringPaymentScreen::RecurringPaymentScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : DocumentForm(QStringLiteral("FrmCashPaymentAuto"), QStringLiteral("Cash Payment (Auto)"), session, &messages, parent),
      db_(db),
      serviceMessages_(messages),
      service_(std::make_unique<vouchers::RecurringPayments>(db, session, messages)) {
    // Any account of the firm: parties, expenses, other books.
    const LookupSource parties = partyLookup(db_, session_.firmNo, true);
    declareHeader({DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), parties, 2),
                   DocField::date(QStringLiteral("DtpFrom"), QStringLiteral("From")),
                   DocField::date(QStringLiteral("DtpTo"), QStringLiteral("To")),
                   DocField::choice(QStringLiteral("ComEntryBase"), QStringLiteral("Entry Base"),
                                    {QStringLiteral("Daily"), QStringLiteral("Weekly"), QStringLiteral("Monthly")}),
                   DocField::choice(QStringLiteral("ComHoliday"), QStringLiteral("Holiday"), kHolidays),
                   DocField::number(QStringLiteral("txtAmount"), QStringLiteral("Amount"), 2, 110),
                   DocField::text(QStringLiteral("txtNarr"), QStringLiteral("Narration"), 0, 2),
                   DocField::text(QStringLiteral("txtNarr2"), QStringLiteral("Narration 2"), 0, 2)});
    declareGrid({GridColumn::date(QStringLiteral("Date")), GridColumn::text(QStringLiteral("Day")),
                 GridColumn::number(QStringLiteral("Amount"), 2, true), GridColumn::text(QStringLiteral("Vou No"))});
    declareList({{ListColumn::Number, QStringLiteral("No")},
                 {ListColumn::Date, QStringLiteral("From")},
                 {ListColumn::Party, QStringLiteral("A/c Name")},
                 {ListColumn::Amount, QStringLiteral("Amount")},
                 {ListColumn::Text, QStringLiteral("Entry Base"), 0},
                 {ListColumn::Figure, QStringLiteral("Payments"), 0, 0}},
                QStringLiteral("schedule no, party or amount"));
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    vouchers::CashBankVouchers cash(db, session, messages, vouchers::CashBankKind::CashPayment);
    for (const vouchers::VoucherBook& b : cash.books()) book->addItem(QString::number(b.bookNo) + QStringLiteral(" ") + b.name, b.bookNo);
    finishLayout();
    setUnavailable(QStringLiteral("Cmd_Print"), QStringLiteral("Each payment prints from the cash payment window"));
    setUnavailable(QStringLiteral("CmdPDF"), QStringLiteral("Each payment prints from the cash payment window"));
    // The grid follows the schedule as it is typed.
    for (const char* name : {"DtpFrom", "DtpTo"})
        connect(dateField(QString::fromLatin1(name)), &QDateEdit::dateChanged, this, [this] { showPayments(); });
    for (const char* name : {"ComEntryBase", "ComHoliday"})
        connect(choiceField(QString::fromLatin1(name)), &QComboBox::currentIndexChanged, this, [this] { showPayments(); });
    connect(numberField(QStringLiteral("txtAmount")), &QLineEdit::textChanged, this, [this] { showPayments(); });
    markClean();
}

RecurringPaymentScreen::~RecurringPaymentScreen() = default;

vouchers::PaymentSchedule RecurringPaymentScreen::typed() const {
    vouchers::PaymentSchedule s;
    s.id = documentId();
    s.bookNo = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    s.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    s.from = dateField(QStringLiteral("DtpFrom"))->date();
    s.to = dateField(QStringLiteral("DtpTo"))->date();
    s.every = vouchers::Recurrence(choiceField(QStringLiteral("ComEntryBase"))->currentIndex() + 1);
    s.holiday = choiceField(QStringLiteral("ComHoliday"))->currentIndex();  // 1 Monday ... 7 Sunday, as Qt counts them
    s.amount = numberOf(QStringLiteral("txtAmount"));
    s.narration = textOf(QStringLiteral("txtNarr"));
    s.narration2 = textOf(QStringLiteral("txtNarr2"));
    return s;
}

void RecurringPaymentScreen::showPayments() {
    const vouchers::PaymentSchedule s = typed();
    std::vector<std::vector<Cell>> rows;
    if (documentId() > 0) {
        for (const vouchers::ScheduledPayment& p : posted_) rows.push_back({p.date, p.weekday, s.amount, QString::number(p.voucherNo)});
    } else {
        for (const vouchers::ScheduledPayment& p : vouchers::RecurringPayments::expand(s))
            rows.push_back({p.date, p.weekday, s.amount, QString()});
    }
    setLines(rows);
}

void RecurringPaymentScreen::clearDocument() {
    posted_.clear();
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    const int cashBook = book->findData(session_.cashBookNo);
    book->setCurrentIndex(cashBook >= 0 ? cashBook : 0);
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    const QDate today = QDate::currentDate();
    const QDate start = session_.inYear(today) ? today : session_.yearStartDate;
    dateField(QStringLiteral("DtpFrom"))->setDate(start);
    dateField(QStringLiteral("DtpTo"))->setDate(start);
    choiceField(QStringLiteral("ComEntryBase"))->setCurrentIndex(0);
    choiceField(QStringLiteral("ComHoliday"))->setCurrentIndex(7);  // Sunday
    for (const char* name : {"txtAmount", "txtNarr", "txtNarr2"}) textField(QString::fromLatin1(name))->clear();
    showPayments();
}

bool RecurringPaymentScreen::saveDocument() {
    if (documentId() > 0) {
        // Its payments are posted: a changed schedule is deleted and typed again.
        if (!hasUnsavedChanges()) return true;
        serviceMessages_.critical(QStringLiteral("System Validation"),
                                  QStringLiteral("A saved schedule is not changed.") + QLatin1Char('\n') +
                                      QStringLiteral(" Delete it and save it again."));
        return false;
    }
    vouchers::PaymentSchedule s = typed();
    const auto id = service_->save(s);
    if (!id) return false;
    setDocumentId(*id);
    return true;
}

void RecurringPaymentScreen::loadDocument(qint64 id) {
    const auto s = service_->load(id);
    if (!s) return;
    posted_ = service_->payments(id);
    QComboBox* book = choiceField(QStringLiteral("txtBook"));
    if (const int index = book->findData(s->bookNo); index >= 0) book->setCurrentIndex(index);
    lookupField(QStringLiteral("txtParty"))->setChosen(s->partyId, s->partyName);
    dateField(QStringLiteral("DtpFrom"))->setDate(s->from);
    dateField(QStringLiteral("DtpTo"))->setDate(s->to);
    choiceField(QStringLiteral("ComEntryBase"))->setCurrentIndex(int(s->every) - 1);
    choiceField(QStringLiteral("ComHoliday"))->setCurrentIndex(s->holiday);
    numberField(QStringLiteral("txtAmount"))->setText(s->amount.toString(2));
    textField(QStringLiteral("txtNarr"))->setText(s->narration);
    textField(QStringLiteral("txtNarr2"))->setText(s->narration2);
    setDocumentId(id);
    showPayments();
}

bool RecurringPaymentScreen::removeDocument(qint64 id) { return service_->remove(id); }

documents::DocumentPage RecurringPaymentScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->listPage(filter);
}

}  // namespace tanabana::gui
