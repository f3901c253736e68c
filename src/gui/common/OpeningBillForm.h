#pragma once
// The window of the bills still pending from earlier years (opening sales bills, opening purchase
// bills): header only, a book, the bill number, its date, the party and the amount still due,
// saved with its outstanding row so that receipts and payments can settle it; never printed. A
// kind is a declaration: its window name and captions, its fields in its own order, its books,
// its saved-bills list and the service calls that save, load and remove its bills.
//
//   OpeningBillForm(db, session, messages, openingSalesBills(db, session, messages, service))
#include "core/Decimal.h"
#include "domain/documents/DocumentList.h"
#include "gui/common/DocumentForm.h"

#include <QDate>
#include <functional>
#include <optional>
#include <vector>

namespace tanabana::gui {

// One pending bill as the window shows it.
struct OpeningBill {
    qint64 id = 0;
    qint64 bookNo = 0;
    QString billNo;
    QDate date;
    qint64 partyId = 0;
    Decimal pendingAmount;
};

struct OpeningBillKind {
    QString objectName;  // "frmSalesOp"
    QString caption;     // "Opening Sales Bills"
    // The fields txtBook, txtBillNo, DtpBillDate, txtParty and txtPendingAmt in the kind's order.
    std::vector<DocField> header;
    int headerColumns = 4;
    std::vector<std::pair<qint64, QString>> books;  // number and name
    std::vector<ListColumn> list;
    QString listHint;
    // A new bill's date; `anyDate` lets it lie before the year (a bill carried in).
    QDate newDate;
    bool anyDate = false;
    QString savedText;  // before the bill number in the status line: "Saved as Bill No "
    std::function<std::optional<qint64>(const OpeningBill&)> save;
    std::function<std::optional<OpeningBill>(qint64 id)> load;
    std::function<std::optional<std::pair<qint64, QString>>(qint64 partyId)> party;  // id and name
    std::function<bool(qint64 id)> remove;
    std::function<documents::DocumentPage(const documents::ListFilter&)> page;
};

class OpeningBillForm : public DocumentForm {
    Q_OBJECT
public:
    OpeningBillForm(Session& session, Messages& messages, OpeningBillKind kind, QWidget* parent = nullptr);

protected:
    void clearDocument() override;
    bool saveDocument() override;
    void loadDocument(qint64 id) override;
    bool removeDocument(qint64 id) override { return kind_.remove(id); }
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override { return kind_.page(filter); }
    void printDocument(bool) override {}

private:
    OpeningBillKind kind_;
};

}  // namespace tanabana::gui
