#include "gui/mill/JobProcessScreen.h"

#include "core/Words.h"
#include "domain/documents/Lookups.h"
#include "domain/mill/MillPrint.h"
#include "domain/reports/ReportError.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/SelectionGrid.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tanabana::gui {

JobProcessScreen::JobProcessScreen(db::Database& db, Session& session, Messages& messages, bool receipt, QWidget* parent)
    : DocumentForm(receipt ? QStringLiteral("frmIssueToMillRec") : QStringLiteral("frmIssueToMill"),
                   receipt ? QStringLiteral("Job Process Receive (Inward Challan)") : QStringLiteral("Job Process Issue (Outward Challan)"), session,
                   &messages, parent),
      db_(db),
      receipt_(receipt),
      service_(std::make_unique<mill::JobProcessChallans>(db, session, messages)) {
    auto purchases = std::make_shared<trade::PurchaseInvoices>(db, session, messages);
    const LookupSource parties = typedSource<documents::PartyChoice>(
        [purchases](const QString& p) { return purchases->suppliers(trade::PurchaseKind::Goods, p); },
        {{QStringLiteral("Party Name"), [](const documents::PartyChoice& p) { return p.name; }},
         {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }}},
        [](const documents::PartyChoice& p) { return p.id; });
    const LookupSource qualities = typedSource<trade::PurchaseItem>(
        [purchases](const QString& p) { return purchases->items(p); },
        {{QStringLiteral("Item Name"), [](const trade::PurchaseItem& i) { return i.name; }},
         {QStringLiteral("Code"), [](const trade::PurchaseItem& i) { return i.code; }}},
        [](const trade::PurchaseItem& i) { return i.id; });
    declareHeader({DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::number(QStringLiteral("txtChNo"), QStringLiteral("Ch. No"), 0),
                   DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Date")),
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), parties, 2),
                   DocField::text(QStringLiteral("txtProcess"), QStringLiteral("Job Process")),
                   DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Challan No")),
                   DocField::text(QStringLiteral("txtAgainst"), QStringLiteral("G.P. Bill No"))});
    book_ = choiceField(QStringLiteral("txtBook"));
    for (const documents::BookChoice& b : documents::booksOfKind(db, session.firmNo, documents::BookKind::Purchase))
        book_->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);
    if (receipt_) {
        auto* panel = new QWidget(this);
        auto* box = new QVBoxLayout(panel);
        box->setContentsMargins(0, 0, 0, 0);
        auto* take = new QPushButton(QStringLiteral("Take Ticked Lines"), panel);
        take->setObjectName(QStringLiteral("cmdTakeLines"));
        connect(take, &QPushButton::clicked, this, [this] { takeTicked(); });
        pending_ = new SelectionGrid({QStringLiteral("Challan No"), QStringLiteral("Quality"), QStringLiteral("Pend Pcs/Taka"),
                                      QStringLiteral("Pend Mtrs"), QStringLiteral("Rate")},
                                     panel);
        pending_->setObjectName(QStringLiteral("VSGridPending"));
        pending_->setMaximumHeight(140);
        box->addWidget(pending_);
        box->addWidget(take, 0, Qt::AlignLeft);
        addPanel(panel, {}, false);
        connect(lookupField(QStringLiteral("txtParty")), &LookupField::chosen, this, [this] { offerPending(); });
    }
    declareLine({DocField::lookup(QStringLiteral("txtQuality"), QStringLiteral("Quality"), qualities),
                 DocField::number(QStringLiteral("txtPcs"), QStringLiteral("Pcs/Taka"), 3, 70),
                 DocField::number(QStringLiteral("txtMtrs"), QStringLiteral("Mtrs"), 3, 90),
                 DocField::choice(QStringLiteral("ComPM"), QStringLiteral("Rate On"), {QStringLiteral("M"), QStringLiteral("P")}, 50),
                 DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate"), 2, 70)},
                QStringLiteral("Line"));
    declareGrid({GridColumn::text(QStringLiteral("Quality")), GridColumn::number(QStringLiteral("Pcs/Taka"), 0, true),
                 GridColumn::number(QStringLiteral("Mtrs"), 3, true), GridColumn::text(QStringLiteral("PM")),
                 GridColumn::number(QStringLiteral("Rate"), 2), GridColumn::number(QStringLiteral("Amount"), 2, true),
                 GridColumn::text(QStringLiteral("Fin."))});
    lineGrid()->setObjectName(QStringLiteral("vsgrid"));
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row < 0 || row >= int(lines_.size())) return;
        lines_.erase(lines_.begin() + row);
        markChanged();
        refreshGrid();
    });
    if (receipt_) {
        declareCharges({DocField::number(QStringLiteral("txtDiscP"), QStringLiteral("Disc %"), 2),
                        DocField::number(QStringLiteral("txtSgstP"), QStringLiteral("SGST %"), 2),
                        DocField::number(QStringLiteral("txtCgstP"), QStringLiteral("CGST %"), 2),
                        DocField::number(QStringLiteral("txtTdsP"), QStringLiteral("T.D.S. Rate"), 2)});
        for (const char* name : {"txtDiscP", "txtSgstP", "txtCgstP", "txtTdsP"})
            connect(textField(QString::fromLatin1(name)), &QLineEdit::textChanged, this, [this] { refreshGrid(); });
    }
    declareList({{ListColumn::Number, QStringLiteral("Ch. No")},
                 {ListColumn::Date, QStringLiteral("Date")},
                 {ListColumn::Party, QStringLiteral("Party NAme")},
                 {ListColumn::Text, QStringLiteral("Job Process"), 0},
                 {ListColumn::Figure, QStringLiteral("Pcs/Taka"), 0, 0},
                 {ListColumn::Figure, QStringLiteral("Mtrs"), 1, 3},
                 {ListColumn::Amount, QStringLiteral("Bill Amount")}},
                QStringLiteral("ch. no or party"));
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (documentId() == 0)
            numberField(QStringLiteral("txtChNo"))->setText(QString::number(service_->nextChallanNo(book_->currentData().toLongLong(), receipt_)));
        showListPage(0);
    });
    finishLayout();
    keys()->onEnter(textField(QStringLiteral("txtRate")), [this] {
        if (!refuseTypedLine()) addLine();
        return true;
    });
}

void JobProcessScreen::offerPending() {
    pending_->setRowCount(0);
    offer_ = service_->pendingLines(lookupField(QStringLiteral("txtParty"))->chosenId());
    for (const mill::PendingJobLine& l : offer_)
        pending_->addRow({QString::number(l.challanNo), l.quality, FormatIndian(l.pendingPieces, 0), FormatIndian(l.pendingMetres, 3),
                          l.rate.toString(2)});
}

void JobProcessScreen::takeTicked() {
    std::vector<std::pair<qint64, int>> ticked;
    for (int row : pending_->tickedRows())
        if (row < int(offer_.size())) ticked.emplace_back(offer_[size_t(row)].issueId, offer_[size_t(row)].srno);
    for (const mill::JobLine& l : service_->linesFromIssue(ticked)) lines_.push_back(l);
    for (int row = 0; row < pending_->rowCount(); ++row) pending_->setTicked(row, false);
    markChanged();
    refreshGrid();
}

void JobProcessScreen::addLine() {
    mill::JobLine l;
    l.qualityId = lookupField(QStringLiteral("txtQuality"))->chosenId();
    if (l.qualityId <= 0) return;
    l.pieces = numberOf(QStringLiteral("txtPcs"));
    l.metres = numberOf(QStringLiteral("txtMtrs"));
    l.rateOn = choiceField(QStringLiteral("ComPM"))->currentText();
    l.rate = numberOf(QStringLiteral("txtRate"));
    lines_.push_back(l);
    lookupField(QStringLiteral("txtQuality"))->clearChoice();
    for (const char* name : {"txtPcs", "txtMtrs", "txtRate"}) textField(QString::fromLatin1(name))->clear();
    markChanged();
    refreshGrid();
    lookupField(QStringLiteral("txtQuality"))->setFocus();
}

mill::JobChallan JobProcessScreen::challanOnScreen() const {
    mill::JobChallan c;
    c.id = documentId();
    c.receipt = receipt_;
    c.bookId = book_->currentData().toLongLong();
    c.challanNo = numberOf(QStringLiteral("txtChNo")).wholePart();
    c.date = dateField(QStringLiteral("DtpBillDate"))->date();
    c.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    c.process = textOf(QStringLiteral("txtProcess"));
    c.reference = textOf(QStringLiteral("txtBillNo"));
    c.gatePassNo = textOf(QStringLiteral("txtAgainst"));
    if (receipt_) {
        c.discountPercent = numberOf(QStringLiteral("txtDiscP"));
        c.sgstPercent = numberOf(QStringLiteral("txtSgstP"));
        c.cgstPercent = numberOf(QStringLiteral("txtCgstP"));
        c.tdsPercent = numberOf(QStringLiteral("txtTdsP"));
    }
    c.lines = lines_;
    return c;
}

void JobProcessScreen::refreshGrid() {
    std::vector<std::vector<Cell>> rows;
    for (const mill::JobLine& l : lines_)
        rows.push_back({trade::itemLabel(db_, l.qualityId).name, l.pieces, l.metres, l.rateOn, l.rate, l.amount(),
                        receipt_ ? (l.finished ? QStringLiteral("Y") : QStringLiteral("N")) : QString()});
    setLines(rows);
    mill::JobTotals t;
    try {
        t = challanOnScreen().totals();
    } catch (const AmountTooLarge&) {
    }
    if (receipt_)
        setTotals(QStringLiteral("Amount  %1     GST  %2     T.D.S.  %3").arg(FormatIndian(t.amount, 2), FormatIndian(t.sgst + t.cgst, 2),
                                                                          FormatIndian(t.tds, 2)),
                  QStringLiteral("Bill Amount  ") + FormatIndian(t.bill, 2));
    else
        setTotals(QString(), QStringLiteral("Amount  ") + FormatIndian(t.amount, 2));
}

void JobProcessScreen::clearDocument() {
    lines_.clear();
    offer_.clear();
    if (pending_) pending_->setRowCount(0);
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    lookupField(QStringLiteral("txtQuality"))->clearChoice();
    for (const char* name : {"txtProcess", "txtBillNo", "txtAgainst", "txtPcs", "txtMtrs", "txtRate"}) textField(QString::fromLatin1(name))->clear();
    if (receipt_)
        for (const char* name : {"txtDiscP", "txtSgstP", "txtCgstP", "txtTdsP"}) textField(QString::fromLatin1(name))->clear();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(service_->nextChallanNo(book_->currentData().toLongLong(), receipt_)));
    refreshGrid();
}

void JobProcessScreen::loadDocument(qint64 id) {
    const auto c = service_->load(id);
    if (!c) return;
    showChoice(book_, c->bookId);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(c->challanNo));
    dateField(QStringLiteral("DtpBillDate"))->setDate(c->date);
    lookupField(QStringLiteral("txtParty"))->setChosen(c->partyId, partyName(db_, session_.firmNo, c->partyId));
    textField(QStringLiteral("txtProcess"))->setText(c->process);
    textField(QStringLiteral("txtBillNo"))->setText(c->reference);
    textField(QStringLiteral("txtAgainst"))->setText(c->gatePassNo);
    if (receipt_) {
        const auto show = [this](const char* name, Decimal v) { textField(QString::fromLatin1(name))->setText(v.isZero() ? QString() : v.toString(2)); };
        show("txtDiscP", c->discountPercent);
        show("txtSgstP", c->sgstPercent);
        show("txtCgstP", c->cgstPercent);
        show("txtTdsP", c->tdsPercent);
    }
    lines_ = c->lines;
    refreshGrid();
}

bool JobProcessScreen::saveDocument() {
    mill::JobChallan c = challanOnScreen();
    const auto id = service_->save(c);
    if (!id) return false;
    setDocumentId(*id);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(c.challanNo));
    setStatus(QStringLiteral("Saved as Ch. No ") + QString::number(c.challanNo));
    if (receipt_) offerPending();
    return true;
}

void JobProcessScreen::printDocument(bool pdf) {
    try {
        printDocumentRequest(db_, session_, messages_, mill::jobProcessRequest(db_, session_, documentId()),
                             mill::jobProcessPdfName(db_, documentId()), pdf, this);
    } catch (const reports::ReportError& error) {
        messages_.critical(QStringLiteral("Report"), error.text());
    }
}

documents::DocumentPage JobProcessScreen::listDocuments(const documents::ListFilter& filter) { return service_->challanList(receipt_, filter); }

}  // namespace tanabana::gui
