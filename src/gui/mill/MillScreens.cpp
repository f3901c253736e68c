#include "gui/mill/MillScreens.h"

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
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace tanabana::gui {

namespace {

const std::vector<MillScreenVariant>& issueVariants() {
    static const std::vector<MillScreenVariant> variants{
        {QStringLiteral("frmIssueToMill_1"), QStringLiteral("Job Work Issue To Mill"), mill::TakaSource::Purchase, false},
        {QStringLiteral("frmIssueToMill_1_BL"), QStringLiteral("Job Process Receive (Inward Challan)"), mill::TakaSource::Purchase, false, true},
        {QStringLiteral("frmIssueToMill_1_Grey"), QStringLiteral("Grey Issue To Mill"), mill::TakaSource::Production, false},
        {QStringLiteral("frmIssueToMill_1_GreyCut"), QStringLiteral("Grey Cut Issue To Mill"), mill::TakaSource::Production, true}};
    return variants;
}

const std::vector<MillScreenVariant>& receiptVariants() {
    static const std::vector<MillScreenVariant> variants{
        {QStringLiteral("frmIssueToMillRec_1"), QStringLiteral("Job Work Receive From Mill"), mill::TakaSource::Purchase, false},
        {QStringLiteral("frmIssueToMillRec_1_BL"), QStringLiteral("Job Process Issue (Outward Challan)"), mill::TakaSource::Purchase, false, true},
        {QStringLiteral("frmIssueToMillRec_1_grey"), QStringLiteral("Grey Receive From Mill"), mill::TakaSource::Production, false}};
    return variants;
}

const MillScreenVariant& variantNamed(const std::vector<MillScreenVariant>& variants, const QString& name) {
    for (const MillScreenVariant& v : variants)
        if (v.objectName == name) return v;
    return variants.front();
}

// The firm's purchase books in a book box.
void fillBooks(QComboBox* box, db::Database& db, qint64 firmNo) {
    for (const documents::BookChoice& b : documents::booksOfKind(db, firmNo, documents::BookKind::Purchase))
        box->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);
}

// Mills and weavers: the purchase-party accounts, searched by name or ledger code.
LookupSource millSource(db::Database& db, Session& session, Messages& messages) {
    auto service = std::make_shared<mill::MillIssues>(db, session, messages);
    return typedSource<documents::PartyChoice>([service](const QString& prefix) { return service->mills(prefix); },
                                               {{QStringLiteral("Mill Name"), [](const documents::PartyChoice& p) { return p.name; }},
                                                {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }},
                                                {QStringLiteral("A/c No"), [](const documents::PartyChoice& p) { return p.ledgerId; }}},
                                               [](const documents::PartyChoice& p) { return p.id; });
}

QString metresText(Decimal d) { return FormatIndian(d, 3); }

// Qualities: the active items that are not new products, by name or code.
LookupSource qualitySource(db::Database& db, Session& session, Messages& messages) {
    auto purchases = std::make_shared<trade::PurchaseInvoices>(db, session, messages);
    return typedSource<trade::PurchaseItem>([purchases](const QString& p) { return purchases->items(p); },
                                            {{QStringLiteral("Item Name"), [](const trade::PurchaseItem& i) { return i.name; }},
                                             {QStringLiteral("Code"), [](const trade::PurchaseItem& i) { return i.code; }}},
                                            [](const trade::PurchaseItem& i) { return i.id; });
}

// The print-type choice beside the buttons: layout 1, 2 or 3 of the challan.
QComboBox* printTypeBox() {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("ComPrintType"));
    box->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    box->setToolTip(QStringLiteral("Print layout"));
    return box;
}

// A saved challan's broker in its look-up field (cleared when it has none).
void showBroker(LookupField* field, db::Database& db, Session& session, Messages& messages, qint64 brokerId) {
    QSignalBlocker quiet(field);
    if (brokerId > 0) field->setChosen(brokerId, brokerName(db, session, messages, brokerId));
    else field->clearChoice();
}

// Print or PDF of a saved challan through the report preview; a layout that cannot be read is said.
void printMill(db::Database& db, Session& session, Messages& messages, qint64 id, bool pdf, int printType, bool bleaching, QWidget* parent) {
    try {
        printDocumentRequest(db, session, messages, mill::millRequest(db, session, id, printType, bleaching), mill::millPdfName(db, id), pdf,
                             parent);
    } catch (const reports::ReportError& error) {
        messages.critical(QStringLiteral("Report"), error.text());
    }
}

}  // namespace

const MillScreenVariant& millIssueVariant(const QString& objectName) { return variantNamed(issueVariants(), objectName); }
const MillScreenVariant& millReceiptVariant(const QString& objectName) { return variantNamed(receiptVariants(), objectName); }

// ---------------------------------------------------------------------------------------------
// Issue

MillIssueScreen::MillIssueScreen(db::Database& db, Session& session, Messages& messages, const MillScreenVariant& variant, QWidget* parent)
    : DocumentForm(variant.objectName, variant.caption, session, &messages, parent),
      db_(db),
      variant_(variant),
      service_(std::make_unique<mill::MillIssues>(db, session, messages)) {
    declareHeader({DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::number(QStringLiteral("txtChNo"), QStringLiteral("Mill Iss No"), 0),
                   DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Issue Date")),
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Mill"), millSource(db_, session_, messages_), 2),
                   DocField::lookup(QStringLiteral("txtQuality"), QStringLiteral("Quality"), qualitySource(db_, session_, messages_)),
                   DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate"), 2),
                   DocField::text(QStringLiteral("txtProcess"), QStringLiteral("Job Process")),
                   DocField::text(QStringLiteral("txtRefNo"), QStringLiteral("Ref. No")),
                   DocField::text(QStringLiteral("txtTransport"), QStringLiteral("Transport")),
                   DocField::text(QStringLiteral("txtTempo"), QStringLiteral("Tempo No")),
                   DocField::lookup(QStringLiteral("txtBroker"), QStringLiteral("Broker"), brokerLookup(db_, session_, messages_)),
                   DocField::text(QStringLiteral("txtNotes"), QStringLiteral("Notes"), 0, 2)});
    book_ = choiceField(QStringLiteral("txtBook"));
    fillBooks(book_, db, session.firmNo);
    printType_ = printTypeBox();
    addToButtonBar(printType_);
    addPanel(sourcePanel(), {}, false);
    declareLine({DocField::text(QStringLiteral("txtTakaNo"), QStringLiteral("Taka No"), 90),
                 DocField::number(QStringLiteral("txtMtrs"), QStringLiteral("Mtrs"), 3, 90),
                 DocField::number(QStringLiteral("txtWt"), QStringLiteral("Weight"), 3, 80),
                 DocField::text(QStringLiteral("txtMarka"), QStringLiteral("Marka"), 80),
                 DocField::text(QStringLiteral("txtDesign"), QStringLiteral("Design"), 80),
                 DocField::text(QStringLiteral("txtColour"), QStringLiteral("Colour"), 80),
                 DocField::text(QStringLiteral("txtRemarks"), QStringLiteral("Remarks"), 120)},
                QStringLiteral("Taka"));
    declareGrid({GridColumn::text(QStringLiteral("Taka NO")), GridColumn::number(QStringLiteral("Mtrs"), 3, true),
                 GridColumn::number(QStringLiteral("Weight"), 3, true), GridColumn::text(QStringLiteral("Marka")),
                 GridColumn::text(QStringLiteral("Design")), GridColumn::text(QStringLiteral("Colour")),
                 GridColumn::text(QStringLiteral("Remarks")), GridColumn::number(QStringLiteral("Rec Mtrs"), 3, true)});
    lineGrid()->setObjectName(QStringLiteral("vsgrid"));
    lineGrid()->setToolTip(QStringLiteral("Enter or a double click takes a taka out"));
    auto takeOut = [this](int row) {
        if (row < 0 || row >= int(lines_.size())) return;
        lines_.erase(lines_.begin() + row);
        markChanged();
        refreshGrid();
    };
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [takeOut](int row, int) { takeOut(row); });
    declareList({{ListColumn::Number, QStringLiteral("Mill Iss No")},
                 {ListColumn::Date, QStringLiteral("Issue Date")},
                 {ListColumn::Party, QStringLiteral("Party NAme")},
                 {ListColumn::Text, QStringLiteral("Quality"), 0},
                 {ListColumn::Text, QStringLiteral("Job Process"), 1},
                 {ListColumn::Text, QStringLiteral("LotNO"), 2},
                 {ListColumn::Figure, QStringLiteral("Total Taka"), 0, 0},
                 {ListColumn::Figure, QStringLiteral("Tot Mtrs"), 1, 3},
                 {ListColumn::Text, QStringLiteral("Purchase Party"), 3}},
                QStringLiteral("mill iss no or party"));
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (documentId() == 0) numberField(QStringLiteral("txtChNo"))->setText(QString::number(service_->nextChallanNo(book_->currentData().toLongLong())));
        showListPage(0);
    });
    finishLayout();
    keys()->onEnter(textField(QStringLiteral("txtRemarks")), [this] {
        if (!refuseTypedLine()) addTypedTaka();
        return true;
    });
}

QWidget* MillIssueScreen::sourcePanel() {
    auto* panel = new QWidget(this);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    box->addLayout(bar);
    if (variant_.source == mill::TakaSource::Purchase) {
        const LookupSource weavers = millSource(db_, session_, messages_);
        weaver_ = new LookupField(weavers.search, weavers.keyColumn, weavers.textColumn, panel);
        weaver_->setObjectName(QStringLiteral("txtPurParty"));
        bills_ = new QComboBox(panel);
        bills_->setObjectName(QStringLiteral("ComPurBill"));
        bills_->setMinimumWidth(320);
        bar->addWidget(new QLabel(QStringLiteral("Purchase Party"), panel));
        bar->addWidget(weaver_, 2);
        bar->addWidget(new QLabel(QStringLiteral("Pur. Bill"), panel));
        bar->addWidget(bills_, 3);
        connect(weaver_, &LookupField::chosen, this, [this] {
            bills_->clear();
            for (const mill::PurchaseWithTakas& b : service_->purchaseBills(weaver_->chosenId()))
                bills_->addItem(QStringLiteral("%1  %2  %3  %4 Mtrs  %5 Taka")
                                    .arg(b.billNo, b.date.toString(QStringLiteral("dd-MM-yyyy")), b.quality, metresText(b.pendingMetres),
                                         b.pendingTakas.toString(0)),
                                b.billId);
        });
        connect(bills_, &QComboBox::currentIndexChanged, this, [this] { offerPurchaseBill(bills_->currentData().toLongLong()); });
    } else {
        if (variant_.metresRange) {
            fromMetres_ = new NumberBox(QStringLiteral("From Mtrs"), NumberRule{3, false, 8}, panel);
            fromMetres_->setObjectName(QStringLiteral("txtFromMtrs"));
            toMetres_ = new NumberBox(QStringLiteral("To Mtrs"), NumberRule{3, false, 8}, panel);
            toMetres_->setObjectName(QStringLiteral("txtToMtrs"));
            bar->addWidget(new QLabel(QStringLiteral("Mtrs between"), panel));
            bar->addWidget(fromMetres_);
            bar->addWidget(new QLabel(QStringLiteral("and"), panel));
            bar->addWidget(toMetres_);
        }
        auto* show = new QPushButton(QStringLiteral("Show Taka"), panel);
        show->setObjectName(QStringLiteral("cmdShowTaka"));
        connect(show, &QPushButton::clicked, this, [this] { offerProduced(); });
        bar->addWidget(show);
    }
    auto* take = new QPushButton(QStringLiteral("Take Ticked Taka"), panel);
    take->setObjectName(QStringLiteral("cmdTakeTaka"));
    connect(take, &QPushButton::clicked, this, [this] { takeTicked(); });
    bar->addWidget(take);
    bar->addStretch();
    offered_ = new SelectionGrid({QStringLiteral("Taka NO"), QStringLiteral("Mtrs"), QStringLiteral("Pcs"), QStringLiteral("McNo")}, panel);
    offered_->setObjectName(QStringLiteral("VSGridTaka"));
    offered_->setMaximumHeight(150);
    box->addWidget(offered_);
    return panel;
}

void MillIssueScreen::offerPurchaseBill(qint64 billId) {
    offer_ = billId > 0 ? service_->purchaseTakas(billId) : std::vector<mill::OfferedTaka>{};
    source_ = {};
    source_.purchaseBillId = billId;
    offered_->setRowCount(0);
    for (const mill::OfferedTaka& t : offer_) offered_->addRow({t.takaNo, metresText(t.metres), QString(), QString()});
}

void MillIssueScreen::offerProduced() {
    const qint64 quality = lookupField(QStringLiteral("txtQuality"))->chosenId();
    std::optional<Decimal> from, to;
    if (fromMetres_ && !fromMetres_->text().trimmed().isEmpty()) from = fromMetres_->value();
    if (toMetres_ && !toMetres_->text().trimmed().isEmpty()) to = toMetres_->value();
    offer_ = service_->producedTakas(quality, from, to);
    offered_->setRowCount(0);
    for (const mill::OfferedTaka& t : offer_) offered_->addRow({t.takaNo, metresText(t.metres), t.pieces.toString(0), t.machine});
}

void MillIssueScreen::takeTicked() {
    QStringList numbers;
    for (int row : offered_->tickedRows())
        if (row < int(offer_.size())) numbers << offer_[size_t(row)].takaNo;
    if (numbers.isEmpty()) return;
    mill::MillIssue taken;
    taken.qualityId = lookupField(QStringLiteral("txtQuality"))->chosenId();
    const bool ok = variant_.source == mill::TakaSource::Purchase ? service_->takeFromPurchase(taken, source_.purchaseBillId, numbers)
                                                                 : service_->takeFromProduction(taken, numbers);
    if (!ok) return;
    source_.source = taken.source;
    source_.purchaseBillId = taken.purchaseBillId;
    source_.purchaseBillNo = taken.purchaseBillNo;
    source_.purchaseDate = taken.purchaseDate;
    source_.weaverId = taken.weaverId;
    for (const mill::MillIssueLine& l : taken.lines) {
        const bool already = std::any_of(lines_.begin(), lines_.end(), [&](const mill::MillIssueLine& x) { return x.takaNo == l.takaNo; });
        if (!already) lines_.push_back(l);
    }
    if (lookupField(QStringLiteral("txtQuality"))->chosenId() <= 0 && taken.qualityId > 0)
        lookupField(QStringLiteral("txtQuality"))->setChosen(taken.qualityId, trade::itemLabel(db_, taken.qualityId).name);
    for (int row = 0; row < offered_->rowCount(); ++row) offered_->setTicked(row, false);
    markChanged();
    refreshGrid();
}

void MillIssueScreen::addTypedTaka() {
    const QString no = textOf(QStringLiteral("txtTakaNo")).trimmed();
    if (no.isEmpty()) {
        button(QStringLiteral("cmd_save"))->setFocus();
        return;
    }
    mill::MillIssueLine l;
    l.takaNo = no;
    l.metres = numberOf(QStringLiteral("txtMtrs"));
    l.weight = numberOf(QStringLiteral("txtWt"));
    l.marka = textOf(QStringLiteral("txtMarka"));
    l.designNo = textOf(QStringLiteral("txtDesign"));
    l.colour = textOf(QStringLiteral("txtColour"));
    l.remarks = textOf(QStringLiteral("txtRemarks"));
    lines_.push_back(l);
    for (const char* name : {"txtTakaNo", "txtMtrs", "txtWt"}) textField(QString::fromLatin1(name))->clear();
    markChanged();
    refreshGrid();
    textField(QStringLiteral("txtTakaNo"))->setFocus();
}

void MillIssueScreen::refreshGrid() {
    std::vector<std::vector<Cell>> rows;
    Decimal metres;
    for (const mill::MillIssueLine& l : lines_) {
        rows.push_back({l.takaNo, l.metres, l.weight, l.marka, l.designNo, l.colour, l.remarks, l.receivedMetres});
        metres += l.metres;
    }
    setLines(rows);
    setTotals(QStringLiteral("Total Taka  %1").arg(lines_.size()), QStringLiteral("Tot Mtrs  ") + metresText(metres));
}

void MillIssueScreen::clearDocument() {
    lines_.clear();
    offer_.clear();
    source_ = {};
    if (offered_) offered_->setRowCount(0);
    if (weaver_) weaver_->clearChoice();
    if (bills_) bills_->clear();
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    lookupField(QStringLiteral("txtQuality"))->clearChoice();
    lookupField(QStringLiteral("txtBroker"))->clearChoice();
    for (const char* name : {"txtRate", "txtProcess", "txtRefNo", "txtTransport", "txtTempo", "txtNotes"}) textField(QString::fromLatin1(name))->clear();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(service_->nextChallanNo(book_->currentData().toLongLong())));
    refreshGrid();
}

mill::MillIssue MillIssueScreen::issueOnScreen() const {
    mill::MillIssue issue = source_;
    issue.id = documentId();
    issue.bookId = book_->currentData().toLongLong();
    issue.challanNo = numberOf(QStringLiteral("txtChNo")).wholePart();
    issue.date = dateField(QStringLiteral("DtpBillDate"))->date();
    issue.millId = lookupField(QStringLiteral("txtParty"))->chosenId();
    issue.qualityId = lookupField(QStringLiteral("txtQuality"))->chosenId();
    issue.rate = numberOf(QStringLiteral("txtRate"));
    issue.process = textOf(QStringLiteral("txtProcess"));
    issue.reference = textOf(QStringLiteral("txtRefNo"));
    issue.transport = textOf(QStringLiteral("txtTransport"));
    issue.tempoNo = textOf(QStringLiteral("txtTempo"));
    issue.brokerId = lookupField(QStringLiteral("txtBroker"))->chosenId();
    issue.notes = textOf(QStringLiteral("txtNotes"));
    issue.lines = lines_;
    if (issue.purchaseBillId <= 0 && issue.source == mill::TakaSource::Purchase) issue.source = mill::TakaSource::Typed;
    return issue;
}

void MillIssueScreen::loadDocument(qint64 id) {
    const auto issue = service_->load(id);
    if (!issue) return;
    source_ = *issue;
    showChoice(book_, issue->bookId);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(issue->challanNo));
    dateField(QStringLiteral("DtpBillDate"))->setDate(issue->date);
    lookupField(QStringLiteral("txtParty"))->setChosen(issue->millId, partyName(db_, session_.firmNo, issue->millId));
    if (issue->qualityId > 0) lookupField(QStringLiteral("txtQuality"))->setChosen(issue->qualityId, trade::itemLabel(db_, issue->qualityId).name);
    numberField(QStringLiteral("txtRate"))->setText(issue->rate.toString(2));
    textField(QStringLiteral("txtProcess"))->setText(issue->process);
    textField(QStringLiteral("txtRefNo"))->setText(issue->reference);
    textField(QStringLiteral("txtTransport"))->setText(issue->transport);
    textField(QStringLiteral("txtTempo"))->setText(issue->tempoNo);
    showBroker(lookupField(QStringLiteral("txtBroker")), db_, session_, messages_, issue->brokerId);
    textField(QStringLiteral("txtNotes"))->setText(issue->notes);
    lines_ = issue->lines;
    if (weaver_ && issue->weaverId > 0) weaver_->setChosen(issue->weaverId, partyName(db_, session_.firmNo, issue->weaverId));
    refreshGrid();
    setStatus(issue->lotNo.isEmpty() ? QString() : QStringLiteral("Lot No ") + issue->lotNo);
}

bool MillIssueScreen::saveDocument() {
    mill::MillIssue issue = issueOnScreen();
    const auto id = service_->save(issue);
    if (!id) return false;
    setDocumentId(*id);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(issue.challanNo));
    setStatus(QStringLiteral("Saved as Mill Iss No ") + QString::number(issue.challanNo));
    // What is still on offer after these takas went.
    if (variant_.source == mill::TakaSource::Purchase) offerPurchaseBill(issue.purchaseBillId);
    else if (!offer_.empty()) offerProduced();
    return true;
}

void MillIssueScreen::printDocument(bool pdf) {
    printMill(db_, session_, messages_, documentId(), pdf, printType_->currentIndex() + 1, variant_.bleaching, this);
}

void MillIssueScreen::sendWhatsApp() {
    setStatus({});
    if (mill::sendMillIssueWhatsApp(db_, session_, messages_, documentId()))
        setStatus(QStringLiteral("WhatsApp sent for Mill Iss No ") + textOf(QStringLiteral("txtChNo")));
}

documents::DocumentPage MillIssueScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->issueList(filter, book_->currentData().toLongLong());
}

// ---------------------------------------------------------------------------------------------
// Receipt

MillReceiptScreen::MillReceiptScreen(db::Database& db, Session& session, Messages& messages, const MillScreenVariant& variant, QWidget* parent)
    : DocumentForm(variant.objectName, variant.caption, session, &messages, parent),
      db_(db),
      variant_(variant),
      service_(std::make_unique<mill::MillReceipts>(db, session, messages)) {
    declareHeader({DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
                   DocField::number(QStringLiteral("txtChNo"), QStringLiteral("Receive Challan No"), 0),
                   DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Rec. Date")),
                   DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Mill Party"), millSource(db, session, messages), 2),
                   DocField::text(QStringLiteral("txtBillNo"), QStringLiteral("Challan No")),
                   DocField::text(QStringLiteral("txtAgainst"), QStringLiteral("G.P. Bill No")),
                   DocField::number(QStringLiteral("txtCrDays"), QStringLiteral("Cr. Days"), 0),
                   DocField::text(QStringLiteral("txtLotNo"), QStringLiteral("Lot No")),
                   DocField::text(QStringLiteral("txtTransport"), QStringLiteral("Transport")),
                   DocField::text(QStringLiteral("txtTempo"), QStringLiteral("Tempo No")),
                   DocField::text(QStringLiteral("txtLrNo"), QStringLiteral("L.R.No.")),
                   DocField::lookup(QStringLiteral("txtBroker"), QStringLiteral("Broker"), brokerLookup(db, session, messages))});
    book_ = choiceField(QStringLiteral("txtBook"));
    fillBooks(book_, db, session.firmNo);
    printType_ = printTypeBox();
    addToButtonBar(printType_);
    auto* panel = new QWidget(this);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    box->addLayout(bar);
    challans_ = new QComboBox(panel);
    challans_->setObjectName(QStringLiteral("txtOurChNo"));
    challans_->setMinimumWidth(360);
    challans_->setToolTip(QStringLiteral("F7: the mill's issue challans with takas out"));
    bar->addWidget(new QLabel(QStringLiteral("Our Ch. No (F7)"), panel));
    bar->addWidget(challans_, 2);
    auto* take = new QPushButton(QStringLiteral("Take Ticked Taka"), panel);
    take->setObjectName(QStringLiteral("cmdTakeTaka"));
    connect(take, &QPushButton::clicked, this, [this] { takeTicked(); });
    bar->addWidget(take);
    bar->addStretch();
    pending_ = new SelectionGrid({QStringLiteral("Mill Iss No"), QStringLiteral("Srno"), QStringLiteral("Taka NO"), QStringLiteral("Tot Taka"),
                                  QStringLiteral("Grey Mtrs"),
                                  QStringLiteral("Pend Mtrs"), QStringLiteral("Wt"), QStringLiteral("Marka"), QStringLiteral("Design")},
                                 panel);
    pending_->setObjectName(QStringLiteral("VSGridPending"));
    pending_->setMaximumHeight(150);
    // The takas still out beside what this receipt takes of each challan.
    auto* side = new QHBoxLayout;
    box->addLayout(side);
    side->addWidget(pending_, 3);
    summary_ = new QTableWidget(0, 7, panel);
    summary_->setObjectName(QStringLiteral("vsgridSummary"));
    summary_->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("Chalan No"), QStringLiteral("Grey Mtrs"), QStringLiteral("Fin. Mtrs"),
                                         QStringLiteral("Short/Long"), QStringLiteral("Shortage"), QStringLiteral("Amount")});
    summary_->verticalHeader()->hide();
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    summary_->setFocusPolicy(Qt::NoFocus);
    summary_->setMaximumHeight(150);
    summary_->verticalHeader()->setDefaultSectionSize(summary_->fontMetrics().height() + 6);
    side->addWidget(summary_, 2);
    addPanel(panel, {challans_}, false);
    connect(lookupField(QStringLiteral("txtParty")), &LookupField::chosen, this, [this] {
        if (variant_.bleaching) showAll_ = messages_.ask(QStringLiteral("Show All Taka"), QStringLiteral("Do you want to Show All Taka ?"));
        offerChallans();
    });
    connect(challans_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showAll_) offerTakas();
    });

    // The taka's marka, weight, colour and design come from its issue and may be corrected here.
    std::vector<DocField> lineFields{DocField::info(QStringLiteral("lblTaka")),
                                     DocField::number(QStringLiteral("txtGreyMtrs"), QStringLiteral("Grey Mtrs"), 3, 80),
                                     DocField::number(QStringLiteral("txtFinMtrs"), QStringLiteral("Finish Mtrs"), 3, 80),
                                     DocField::text(QStringLiteral("txtMarka"), QStringLiteral("Marka"), 70),
                                     DocField::number(QStringLiteral("txtWt"), QStringLiteral("Weight"), 3, 70),
                                     DocField::text(QStringLiteral("txtColour"), QStringLiteral("Colour"), 70),
                                     DocField::text(QStringLiteral("txtDesign"), QStringLiteral("Design"), 70),
                                     DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate"), 2, 60),
                                     DocField::lookup(QStringLiteral("txtFinQuality"), QStringLiteral("Finish Quality"), qualitySource(db, session, messages)),
                                     DocField::choice(QStringLiteral("ComFin"), QStringLiteral("Fin."), {QStringLiteral("Y"), QStringLiteral("N")}, 50)};
    std::vector<GridColumn> columns{GridColumn::text(QStringLiteral("Taka NO")), GridColumn::number(QStringLiteral("Grey Mtrs"), 3, true),
                                    GridColumn::number(QStringLiteral("Finish Mtrs"), 3, true), GridColumn::number(QStringLiteral("Short/Long"), 3, true),
                                    GridColumn::number(QStringLiteral("%"), 2), GridColumn::text(QStringLiteral("Marka")),
                                    GridColumn::number(QStringLiteral("Weight"), 3, true), GridColumn::text(QStringLiteral("Colour")),
                                    GridColumn::text(QStringLiteral("Design")), GridColumn::number(QStringLiteral("Rate"), 2),
                                    GridColumn::number(QStringLiteral("Amount"), 2, true), GridColumn::text(QStringLiteral("Finish Quality")),
                                    GridColumn::text(QStringLiteral("Fin.")), GridColumn::text(QStringLiteral("Our Ch. No"))};
    if (variant_.bleaching) {
        lineFields.insert(lineFields.begin() + 3, DocField::number(QStringLiteral("txtGreyRet"), QStringLiteral("Grey Ret"), 3, 80));
        columns.insert(columns.begin() + 3, GridColumn::number(QStringLiteral("Grey Ret"), 3, true));
    }
    declareLine(lineFields, QStringLiteral("Taka"));
    declareGrid(columns);
    lineGrid()->setObjectName(QStringLiteral("vsgrid"));
    lineGrid()->setToolTip(QStringLiteral("Enter or a double click brings a taka to the line for its finished metres"));
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editLine(row); });
    connect(lineGrid(), &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) { editLine(item->row()); });
    declareCharges({DocField::number(QStringLiteral("txtDiscP"), QStringLiteral("Disc %"), 2),
                    DocField::number(QStringLiteral("txtOther"), QStringLiteral("Other (+)"), 2),
                    DocField::number(QStringLiteral("txtTdsP"), QStringLiteral("T.D.S. Rate"), 2)});
    for (const char* name : {"txtDiscP", "txtOther", "txtTdsP"})
        connect(textField(QString::fromLatin1(name)), &QLineEdit::textChanged, this, [this] { refreshGrid(); });
    declareList({{ListColumn::Number, QStringLiteral("Rec No")},
                 {ListColumn::Date, QStringLiteral("Rec Date")},
                 {ListColumn::Party, QStringLiteral("Party NAme")},
                 {ListColumn::Text, QStringLiteral("LotNO"), 0},
                 {ListColumn::Text, QStringLiteral("Challan No"), 1},
                 {ListColumn::Figure, QStringLiteral("Total Taka"), 0, 0},
                 {ListColumn::Figure, QStringLiteral("Fin Mtrs"), 1, 3},
                 {ListColumn::Amount, QStringLiteral("Bill Amount")}},
                QStringLiteral("receive no or party"));
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (documentId() == 0) numberField(QStringLiteral("txtChNo"))->setText(QString::number(service_->nextChallanNo(book_->currentData().toLongLong())));
        showListPage(0);
    });
    finishLayout();
    keys()->onEnter(choiceField(QStringLiteral("ComFin")), [this] {
        if (!refuseTypedLine()) applyLine();
        return true;
    });
}

bool MillReceiptScreen::functionKey(int key) {
    if (key != Qt::Key_F7) return false;
    challans_->setFocus();
    challans_->showPopup();
    return true;
}

void MillReceiptScreen::offerChallans() {
    QSignalBlocker quiet(challans_);
    challans_->clear();
    const bool producedOnly = variant_.source == mill::TakaSource::Production;
    for (const mill::PendingChallan& c : service_->pendingChallans(lookupField(QStringLiteral("txtParty"))->chosenId(), producedOnly))
        challans_->addItem(QStringLiteral("%1  %2  %3  %4  %5 Mtrs")
                               .arg(c.challanNo)
                               .arg(c.date.toString(QStringLiteral("dd-MM-yyyy")), c.quality, c.process, metresText(c.issuedMetres)),
                           c.issueId);
    quiet.unblock();
    offerTakas();
}

void MillReceiptScreen::offerTakas() {
    pending_->setRowCount(0);
    offer_.clear();
    for (int i = 0; i < challans_->count(); ++i) {
        if (!showAll_ && i != challans_->currentIndex()) continue;
        for (mill::PendingTaka& t : service_->pendingTakas(challans_->itemData(i).toLongLong())) offer_.push_back(std::move(t));
    }
    for (const mill::PendingTaka& t : offer_)
        pending_->addRow({QString::number(service_->issueChallanNo(t.issueId)), QString::number(t.srno), t.takaNo, t.takaLeft.toString(0),
                          metresText(t.greyMetres), metresText(t.pendingMetres), metresText(t.weight), t.marka, t.designNo});
}

void MillReceiptScreen::takeTicked() {
    // Ticked takas by their challan, in the order the challans are offered.
    std::vector<std::pair<qint64, std::vector<int>>> ticked;
    for (int row : pending_->tickedRows()) {
        if (row >= int(offer_.size())) continue;
        const mill::PendingTaka& t = offer_[size_t(row)];
        if (ticked.empty() || ticked.back().first != t.issueId) ticked.push_back({t.issueId, {}});
        ticked.back().second.push_back(t.srno);
    }
    for (const auto& [issue, srnos] : ticked)
        for (mill::MillReceiptLine& l : service_->linesFromIssue(issue, srnos)) {
            const bool already = std::any_of(lines_.begin(), lines_.end(),
                                             [&](const mill::MillReceiptLine& x) { return x.issueId == l.issueId && x.issueSrno == l.issueSrno; });
            if (!already) lines_.push_back(l);
        }
    for (int row = 0; row < pending_->rowCount(); ++row) pending_->setTicked(row, false);
    markChanged();
    refreshGrid();
    if (!lines_.empty()) editLine(0);
}

void MillReceiptScreen::editLine(int row) {
    if (row < 0 || row >= int(lines_.size())) return;
    editing_ = row;
    const mill::MillReceiptLine& l = lines_[size_t(row)];
    infoField(QStringLiteral("lblTaka"))->setText(QStringLiteral("Taka NO ") + l.takaNo);
    numberField(QStringLiteral("txtGreyMtrs"))->setText(l.greyMetres.toString(3));
    numberField(QStringLiteral("txtFinMtrs"))->setText(l.finishedMetres.isZero() ? QString() : l.finishedMetres.toString(3));
    if (variant_.bleaching) numberField(QStringLiteral("txtGreyRet"))->setText(l.greyReturned.isZero() ? QString() : l.greyReturned.toString(3));
    textField(QStringLiteral("txtMarka"))->setText(l.marka);
    numberField(QStringLiteral("txtWt"))->setText(l.weight.isZero() ? QString() : l.weight.toString(3));
    textField(QStringLiteral("txtColour"))->setText(l.colour);
    textField(QStringLiteral("txtDesign"))->setText(l.designNo);
    numberField(QStringLiteral("txtRate"))->setText(l.rate.toString(2));
    if (l.finishedQualityId > 0)
        lookupField(QStringLiteral("txtFinQuality"))->setChosen(l.finishedQualityId, trade::itemLabel(db_, l.finishedQualityId).name);
    else
        lookupField(QStringLiteral("txtFinQuality"))->clearChoice();
    choiceField(QStringLiteral("ComFin"))->setCurrentIndex(l.finished ? 0 : 1);
    numberField(QStringLiteral("txtFinMtrs"))->setFocus();
}

void MillReceiptScreen::setFinished(int row, Decimal metres, bool finished) {
    if (row < 0 || row >= int(lines_.size())) return;
    lines_[size_t(row)].finishedMetres = metres;
    lines_[size_t(row)].finished = finished;
    markChanged();
    refreshGrid();
}

void MillReceiptScreen::setGreyReturned(int row, Decimal metres) {
    if (row < 0 || row >= int(lines_.size())) return;
    lines_[size_t(row)].greyReturned = metres;
    markChanged();
    refreshGrid();
}

void MillReceiptScreen::applyLine() {
    if (editing_ < 0 || editing_ >= int(lines_.size())) return;
    mill::MillReceiptLine& l = lines_[size_t(editing_)];
    l.greyMetres = numberOf(QStringLiteral("txtGreyMtrs"));
    l.finishedMetres = numberOf(QStringLiteral("txtFinMtrs"));
    if (variant_.bleaching) l.greyReturned = numberOf(QStringLiteral("txtGreyRet"));
    l.marka = textOf(QStringLiteral("txtMarka"));
    l.weight = numberOf(QStringLiteral("txtWt"));
    l.colour = textOf(QStringLiteral("txtColour"));
    l.designNo = textOf(QStringLiteral("txtDesign"));
    l.rate = numberOf(QStringLiteral("txtRate"));
    l.finishedQualityId = lookupField(QStringLiteral("txtFinQuality"))->chosenId();
    l.finished = choiceField(QStringLiteral("ComFin"))->currentText() == QStringLiteral("Y");
    markChanged();
    refreshGrid();
    // On to the next taka still without its finished metres, else to the charges.
    for (int next = editing_ + 1; next < int(lines_.size()); ++next)
        if (lines_[size_t(next)].finishedMetres.isZero()) return editLine(next);
    editing_ = -1;
    if (firstChargeField()) firstChargeField()->setFocus();
}

mill::MillReceipt MillReceiptScreen::receiptOnScreen() const {
    mill::MillReceipt r;
    r.id = documentId();
    r.bookId = book_->currentData().toLongLong();
    r.challanNo = numberOf(QStringLiteral("txtChNo")).wholePart();
    r.date = dateField(QStringLiteral("DtpBillDate"))->date();
    r.millId = lookupField(QStringLiteral("txtParty"))->chosenId();
    r.millChallanNo = textOf(QStringLiteral("txtBillNo"));
    r.gatePassNo = textOf(QStringLiteral("txtAgainst"));
    r.creditDays = int(numberOf(QStringLiteral("txtCrDays")).wholePart());
    r.lotNo = textOf(QStringLiteral("txtLotNo"));
    r.transport = textOf(QStringLiteral("txtTransport"));
    r.tempoNo = textOf(QStringLiteral("txtTempo"));
    r.lrNo = textOf(QStringLiteral("txtLrNo"));
    r.brokerId = lookupField(QStringLiteral("txtBroker"))->chosenId();
    r.discountPercent = numberOf(QStringLiteral("txtDiscP"));
    r.otherPlus = numberOf(QStringLiteral("txtOther"));
    r.tdsPercent = numberOf(QStringLiteral("txtTdsP"));
    r.lines = lines_;
    return r;
}

void MillReceiptScreen::refreshGrid() {
    std::vector<std::vector<Cell>> rows;
    for (const mill::MillReceiptLine& l : lines_) {
        std::vector<Cell> row{l.takaNo, l.greyMetres, l.finishedMetres, l.shortage(), l.shortagePercent(), l.marka, l.weight, l.colour,
                              l.designNo, l.rate, l.amount(),
                              l.finishedQualityId > 0 ? trade::itemLabel(db_, l.finishedQualityId).name : QString(),
                              l.finished ? QStringLiteral("Y") : QStringLiteral("N"), QString::number(service_->issueChallanNo(l.issueId))};
        if (variant_.bleaching) row.insert(row.begin() + 3, l.greyReturned);
        rows.push_back(std::move(row));
    }
    setLines(rows);
    const mill::MillReceipt receipt = receiptOnScreen();
    mill::MillReceiptTotals t;
    try {
        t = receipt.totals();
        refreshSummary(receipt);
    } catch (const AmountTooLarge&) {
    }
    setTotals(QStringLiteral("Gross Amt.  %1     T.D.S.  %2").arg(FormatIndian(t.gross, 2), FormatIndian(t.tds, 2)),
              QStringLiteral("Bill Amout  ") + FormatIndian(t.bill, 2));
}

void MillReceiptScreen::refreshSummary(const mill::MillReceipt& receipt) {
    const auto cell = [](const QString& text, bool number, bool bold) {
        auto* item = new QTableWidgetItem(text);
        if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (bold) {
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
        }
        return item;
    };
    const std::vector<mill::ReceiptSummaryRow> rows =
        mill::MillReceipts::summary(receipt, [this](qint64 issueId) { return service_->issueChallanNo(issueId); });
    summary_->setRowCount(0);
    mill::ReceiptSummaryRow total;
    const auto put = [&](const QString& first, const QString& challan, const mill::ReceiptSummaryRow& r, bool bold) {
        const int at = summary_->rowCount();
        summary_->insertRow(at);
        const QStringList texts{first, challan, metresText(r.greyMetres), metresText(r.finishedMetres), metresText(r.shortage),
                                FormatIndian(r.shortagePercent, 2), FormatIndian(r.amount, 2)};
        for (int c = 0; c < texts.size(); ++c) summary_->setItem(at, c, cell(texts.at(c), c >= 2, bold));
    };
    int no = 0;
    for (const mill::ReceiptSummaryRow& r : rows) {
        put(QString::number(++no), QString::number(r.challanNo), r, false);
        total.greyMetres += r.greyMetres;
        total.finishedMetres += r.finishedMetres;
        total.shortage += r.shortage;
        total.amount += r.amount;
    }
    if (total.greyMetres > Decimal()) total.shortagePercent = (total.shortage * Decimal(100) / total.greyMetres).roundHalfEven(2);
    if (!rows.empty()) put(QStringLiteral("Total"), QString(), total, true);
    summary_->resizeColumnsToContents();
}

void MillReceiptScreen::clearDocument() {
    lines_.clear();
    offer_.clear();
    editing_ = -1;
    pending_->setRowCount(0);
    challans_->clear();
    lookupField(QStringLiteral("txtParty"))->clearChoice();
    lookupField(QStringLiteral("txtBroker"))->clearChoice();
    for (const char* name : {"txtBillNo", "txtAgainst", "txtCrDays", "txtLotNo", "txtTransport", "txtTempo", "txtLrNo", "txtGreyMtrs",
                             "txtFinMtrs", "txtRate", "txtDiscP", "txtOther", "txtTdsP", "txtMarka", "txtWt", "txtColour", "txtDesign"})
        textField(QString::fromLatin1(name))->clear();
    if (variant_.bleaching) textField(QStringLiteral("txtGreyRet"))->clear();
    lookupField(QStringLiteral("txtFinQuality"))->clearChoice();
    showAll_ = false;
    infoField(QStringLiteral("lblTaka"))->clear();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(service_->nextChallanNo(book_->currentData().toLongLong())));
    refreshGrid();
}

void MillReceiptScreen::loadDocument(qint64 id) {
    const auto r = service_->load(id);
    if (!r) return;
    showChoice(book_, r->bookId);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(r->challanNo));
    dateField(QStringLiteral("DtpBillDate"))->setDate(r->date);
    {
        QSignalBlocker quiet(lookupField(QStringLiteral("txtParty")));
        lookupField(QStringLiteral("txtParty"))->setChosen(r->millId, partyName(db_, session_.firmNo, r->millId));
    }
    textField(QStringLiteral("txtBillNo"))->setText(r->millChallanNo);
    textField(QStringLiteral("txtAgainst"))->setText(r->gatePassNo);
    textField(QStringLiteral("txtCrDays"))->setText(QString::number(r->creditDays));
    textField(QStringLiteral("txtLotNo"))->setText(r->lotNo);
    textField(QStringLiteral("txtTransport"))->setText(r->transport);
    textField(QStringLiteral("txtTempo"))->setText(r->tempoNo);
    textField(QStringLiteral("txtLrNo"))->setText(r->lrNo);
    showBroker(lookupField(QStringLiteral("txtBroker")), db_, session_, messages_, r->brokerId);
    textField(QStringLiteral("txtDiscP"))->setText(r->discountPercent.isZero() ? QString() : r->discountPercent.toString(2));
    textField(QStringLiteral("txtOther"))->setText(r->otherPlus.isZero() ? QString() : r->otherPlus.toString(2));
    textField(QStringLiteral("txtTdsP"))->setText(r->tdsPercent.isZero() ? QString() : r->tdsPercent.toString(2));
    lines_ = r->lines;
    offerChallans();
    refreshGrid();
}

bool MillReceiptScreen::saveDocument() {
    mill::MillReceipt r = receiptOnScreen();
    const auto id = service_->save(r);
    if (!id) return false;
    setDocumentId(*id);
    numberField(QStringLiteral("txtChNo"))->setText(QString::number(r.challanNo));
    setStatus(QStringLiteral("Saved as Receive Challan No ") + QString::number(r.challanNo));
    editing_ = -1;
    infoField(QStringLiteral("lblTaka"))->clear();
    for (const char* name : {"txtGreyMtrs", "txtFinMtrs", "txtRate", "txtMarka", "txtWt", "txtColour", "txtDesign"})
        textField(QString::fromLatin1(name))->clear();
    lookupField(QStringLiteral("txtFinQuality"))->clearChoice();
    if (variant_.bleaching) textField(QStringLiteral("txtGreyRet"))->clear();
    offerChallans();
    return true;
}

void MillReceiptScreen::printDocument(bool pdf) {
    printMill(db_, session_, messages_, documentId(), pdf, printType_->currentIndex() + 1, variant_.bleaching, this);
}

documents::DocumentPage MillReceiptScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->receiptList(filter, book_->currentData().toLongLong());
}

}  // namespace tanabana::gui
