#include "gui/common/OpeningBillForm.h"

#include "gui/common/TypedFields.h"

#include <QComboBox>
#include <QLineEdit>

namespace tanabana::gui {

OpeningBillForm::OpeningBillForm(Session& session, Messages& messages, OpeningBillKind kind, QWidget* parent)
    : DocumentForm(kind.objectName, kind.caption, session, &messages, parent), kind_(std::move(kind)) {
    declareHeader(kind_.header, kind_.headerColumns);
    for (const auto& [bookNo, name] : kind_.books)
        choiceField(QStringLiteral("txtBook"))->addItem(QString::number(bookNo) + QLatin1Char(' ') + name, bookNo);
    declareList(kind_.list, kind_.listHint);
    finishLayout();
    // An opening bill is a line of the outstanding list, not a printed invoice.
    setUnavailable(QStringLiteral("Cmd_Print"), QStringLiteral("An opening bill is not printed"));
    setUnavailable(QStringLiteral("CmdPDF"), QStringLiteral("An opening bill is not printed"));
    markClean();
}

void OpeningBillForm::clearDocument() {
    textField(QStringLiteral("txtBillNo"))->clear();
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    textField(QStringLiteral("txtPendingAmt"))->clear();
    DateBox* date = dateField(QStringLiteral("DtpBillDate"));
    if (kind_.anyDate) date->setFinancialYear({}, {});
    date->setDate(kind_.newDate);
}

bool OpeningBillForm::saveDocument() {
    OpeningBill bill;
    bill.id = documentId();
    bill.bookNo = choiceField(QStringLiteral("txtBook"))->currentData().toLongLong();
    bill.billNo = textOf(QStringLiteral("txtBillNo"));
    bill.date = dateField(QStringLiteral("DtpBillDate"))->date();
    bill.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    bill.pendingAmount = numberOf(QStringLiteral("txtPendingAmt"));
    const auto id = kind_.save(bill);
    if (!id) return false;
    setDocumentId(*id);
    setStatus(kind_.savedText + bill.billNo);
    return true;
}

void OpeningBillForm::loadDocument(qint64 id) {
    const auto bill = kind_.load(id);
    if (!bill) return;
    showChoice(choiceField(QStringLiteral("txtBook")), bill->bookNo);
    textField(QStringLiteral("txtBillNo"))->setText(bill->billNo);
    dateField(QStringLiteral("DtpBillDate"))->setDate(bill->date);
    if (const auto p = kind_.party(bill->partyId)) lookupField(QStringLiteral("txtParty"))->setChosen(p->first, p->second);
    textField(QStringLiteral("txtPendingAmt"))->setText(bill->pendingAmount.toString(2));
}

}  // namespace tanabana::gui
