#include "gui/vouchers/VoucherForm.h"

#include "domain/vouchers/VoucherPrint.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/TradePrinting.h"

#include <QKeyEvent>
#include <QTableWidget>

namespace tanabana::gui {

VoucherForm::VoucherForm(const QString& objectName, const QString& caption, db::Database& db, Session& session,
                         Messages& messages, QWidget* parent)
    : DocumentForm(objectName, caption, session, &messages, parent), db_(db), serviceMessages_(messages) {}

void VoucherForm::watchEntryGrid() {
    lineGrid()->installEventFilter(this);
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editEntry(row); });
    markClean();
}

QDate VoucherForm::proposedDate() const {
    const QDate today = QDate::currentDate();
    return session_.inYear(today) ? today : session_.yearEndDate;
}

void VoucherForm::showPosted(qint64 voucherNo, QWidget* next) {
    setDocumentId(voucherNo);
    numberField(QStringLiteral("txtVouNo"))->setText(QString::number(voucherNo));
    showVoucher();
    markClean();
    refreshList();
    next->setFocus();
}

void VoucherForm::printVoucher(int tableCode, qint64 voucherNo, const QString& pdfName, bool pdf) {
    if (voucherNo <= 0) return;
    try {
        printDocumentRequest(db_, session_, serviceMessages_, vouchers::voucherRequest(db_, session_, tableCode, voucherNo), pdfName,
                             pdf, this);
    } catch (const std::exception& e) {
        serviceMessages_.critical(QStringLiteral("Report"), QString::fromUtf8(e.what()));
    }
}

bool VoucherForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineGrid() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            deleteGridEntry(lineGrid()->currentRow());
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            editEntry(lineGrid()->currentRow());
            return true;
        }
    }
    return DocumentForm::eventFilter(watched, event);
}

}  // namespace tanabana::gui
