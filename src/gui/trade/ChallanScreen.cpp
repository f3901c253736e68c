#include "gui/trade/ChallanScreen.h"

#include "core/Words.h"
#include "domain/documents/Lookups.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

// The columns of the list of takas not yet sent, after the tick.
const QStringList kTakaCaptions{QStringLiteral("Taka No"),   QStringLiteral("Mtrs"),   QStringLiteral("Pcs"),
                                QStringLiteral("Design"),    QStringLiteral("Colour"), QStringLiteral("Quality"),
                                QStringLiteral("Qlty Type"), QStringLiteral("Date"),   QStringLiteral("McNo"),
                                QStringLiteral("Book"),      QStringLiteral("Cut"),    QStringLiteral("Rate On")};

}  // namespace

ChallanScreen::ChallanScreen(db::Database& db, Session& session, Messages& messages, bool fromTakas, QWidget* parent)
    : DocumentForm(fromTakas ? QStringLiteral("frmChalan_Taka") : QStringLiteral("frmChalan"),
                   fromTakas ? QStringLiteral("Delivery Challan (Takas)") : QStringLiteral("Delivery Challan"), session,
                   &messages, parent),
      db_(db),
      serviceMessages_(messages),
      fromTakas_(fromTakas),
      service_(std::make_unique<trade::DeliveryChallans>(db, session, messages)) {
    declareHeader(
        {DocField::choice(QStringLiteral("txtBook"), QStringLiteral("Book"), {}),
         DocField::text(QStringLiteral("txtChalanNo"), QStringLiteral("Chalan No")),
         DocField::date(QStringLiteral("DtpChalanDt"), QStringLiteral("Date")),
         DocField::text(QStringLiteral("txtOrderNo"), QStringLiteral("Order No")),
         DocField::lookup(QStringLiteral("txtParty"), QStringLiteral("Party"), partyLookup(db_, session_.firmNo), 2),
         DocField::lookup(QStringLiteral("txtDeli"), QStringLiteral("Deli."), partyLookup(db_, session_.firmNo, true), 2),
         DocField::lookup(QStringLiteral("txtBroker"), QStringLiteral("Broker"), brokerLookup(db_, session_, serviceMessages_)),
         DocField::text(QStringLiteral("txtTransport"), QStringLiteral("Transport")),
         DocField::text(QStringLiteral("txtStation"), QStringLiteral("Station")),
         DocField::text(QStringLiteral("txtVehicleNo"), QStringLiteral("Vehicle No")),
         DocField::text(QStringLiteral("txtLrNo"), QStringLiteral("L.R.No.")),
         DocField::optionalDate(QStringLiteral("txtLrDate"), QStringLiteral("L.R. Dt.")),
         DocField::text(QStringLiteral("txtFreight"), QStringLiteral("Freight")),
         DocField::number(QStringLiteral("txtCaseNo"), QStringLiteral("Case No"), 0, 100),
         DocField::text(QStringLiteral("txtNotes"), QStringLiteral("Notes"), 0, 4)});
    book_ = choiceField(QStringLiteral("txtBook"));
    for (const documents::BookChoice& b : documents::booksOfKind(db_, session_.firmNo, documents::BookKind::Sales))
        book_->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);

    declareLine({DocField::lookup(QStringLiteral("txtQuality"), QStringLiteral("Quality"),
                                  {qualitySearch(db_, session_.firmNo, QStringLiteral("Quality")), QStringLiteral("Id"),
                                   QStringLiteral("Quality")}),
                 DocField::text(QStringLiteral("txtDesc"), QStringLiteral("Desc")),
                 DocField::number(QStringLiteral("txtPcs"), QStringLiteral("Pcs")),
                 DocField::number(QStringLiteral("txtMtrs"), QStringLiteral("Mtrs"), 3, 90),
                 DocField::choice(QStringLiteral("ComTy"), QStringLiteral("Ty"), {QStringLiteral("M"), QStringLiteral("P")}),
                 DocField::number(QStringLiteral("txtRate"), QStringLiteral("Rate"))});
    quality_ = lookupField(QStringLiteral("txtQuality"));
    quality_->setCreator(qualityCreator(session_, serviceMessages_, this), QStringLiteral("Ins = new quality"));
    lookupField(QStringLiteral("txtParty"))->setCreator(partyCreator(session_, serviceMessages_, this), QStringLiteral("Ins = new party"));
    connect(quality_, &LookupField::chosen, this, [this] {
        textField(QStringLiteral("txtRate"))
            ->setText(Decimal::fromVariant(quality_->chosenRow().value(QStringLiteral("Rate"))).toString(2));
        choiceField(QStringLiteral("ComTy"))->setCurrentText(quality_->chosenRow().text(QStringLiteral("PM")));
    });

    std::vector<GridColumn> columns{GridColumn::number(QStringLiteral("Sr"), 0),
                                    GridColumn::text(QStringLiteral("Quality")),
                                    GridColumn::text(QStringLiteral("Desc")),
                                    GridColumn::number(QStringLiteral("Pcs"), 0, true),
                                    GridColumn::number(QStringLiteral("Mtrs"), 3, true),
                                    GridColumn::text(QStringLiteral("Ty")),
                                    GridColumn::number(QStringLiteral("Rate"), 2),
                                    GridColumn::number(QStringLiteral("Amt"), 2, true),
                                    GridColumn::text(QStringLiteral("Checked"))};
    // takas of the looms are told apart by colour, design and quality type
    if (fromTakas_)
        for (const char* c : {"Colour", "Design No", "Qlt Type"}) columns.push_back(GridColumn::text(QString::fromLatin1(c)));
    declareGrid(columns);
    lineGrid()->setToolTip(QStringLiteral("Enter or a double click ticks a line as checked against the goods"));
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { toggleChecked(row); });
    connect(lineGrid(), &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) { toggleChecked(item->row()); });

    declareList({{ListColumn::Number, QStringLiteral("Chalan No")},
                 {ListColumn::Date, QStringLiteral("Date")},
                 {ListColumn::Party, QStringLiteral("Party")},
                 {ListColumn::Text, QStringLiteral("City"), 0},
                 {ListColumn::Amount, QStringLiteral("Amount")},
                 {ListColumn::Text, QStringLiteral("Station"), 1},
                 {ListColumn::Text, QStringLiteral("Bill"), 2}},
                QStringLiteral("chalan no, party or amount"));

    if (fromTakas_) {
        auto* box = new QGroupBox(QStringLiteral("Takas not yet sent (tick with the space bar, then Add Takas)"));
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(4, 2, 4, 2);
        takas_ = new QTableWidget(box);
        takas_->setObjectName(QStringLiteral("vsTaka"));
        takas_->verticalHeader()->hide();
        takas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        takas_->setTabKeyNavigation(false);
        takas_->setMaximumHeight(120);
        column->addWidget(takas_);
        addPanel(box, {}, true);
        addButton(QStringLiteral("cmdAddTaka"), QStringLiteral("Add Ta&kas"), [this] { takeTickedTakas(); });
    }
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (documentId() == 0)
            textField(QStringLiteral("txtChalanNo"))->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
        showListPage(0);
        refreshTakas();
    });
    finishLayout();

    // a number already in the book opens that challan
    keys()->onEnter(textField(QStringLiteral("txtChalanNo")), [this] {
        if (documentId() == 0) {
            const qint64 existing =
                service_->findByNumber(book_->currentData().toLongLong(), textOf(QStringLiteral("txtChalanNo")));
            if (existing > 0) openEntry(existing);
        }
        return false;
    });
    keys()->onEnter(textField(QStringLiteral("txtRate")), [this] {
        if (!refuseTypedLine()) addLine();
        return true;
    });
}

void ChallanScreen::clearDocument() {
    openedChallan_.reset();
    lines_.clear();
    for (const char* name : {"txtOrderNo", "txtTransport", "txtStation", "txtVehicleNo", "txtLrNo", "txtLrDate", "txtFreight",
                             "txtCaseNo", "txtNotes", "txtDesc", "txtPcs", "txtMtrs", "txtRate"})
        textField(QString::fromLatin1(name))->clear();
    for (const char* name : {"txtParty", "txtDeli", "txtBroker", "txtQuality"})
        lookupField(QString::fromLatin1(name))->clearChoice();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpChalanDt"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    textField(QStringLiteral("txtChalanNo"))->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
    refreshGrid();
    refreshTakas();
}

trade::DeliveryChallan ChallanScreen::challanOnScreen() const {
    trade::DeliveryChallan c = openedChallan_ && documentId() > 0 ? *openedChallan_ : trade::DeliveryChallan{};
    c.id = documentId();
    c.bookNo = book_->currentData().toLongLong();
    c.challanNo = textOf(QStringLiteral("txtChalanNo"));
    c.date = dateField(QStringLiteral("DtpChalanDt"))->date();
    c.partyId = lookupField(QStringLiteral("txtParty"))->chosenId();
    c.deliveryId = lookupField(QStringLiteral("txtDeli"))->chosenId();
    c.brokerId = lookupField(QStringLiteral("txtBroker"))->chosenId();
    c.orderNo = textField(QStringLiteral("txtOrderNo"))->text();
    c.transport = textField(QStringLiteral("txtTransport"))->text();
    c.station = textField(QStringLiteral("txtStation"))->text();
    c.vehicleNo = textField(QStringLiteral("txtVehicleNo"))->text();
    c.lrNo = textField(QStringLiteral("txtLrNo"))->text();
    c.lrDate = optionalDate(QStringLiteral("txtLrDate"));
    c.freightType = textField(QStringLiteral("txtFreight"))->text();
    c.caseNo = textOf(QStringLiteral("txtCaseNo")).toLongLong();
    c.notes = textField(QStringLiteral("txtNotes"))->text();
    c.fromTakas = fromTakas_;
    c.lines = lines_;
    return c;
}

void ChallanScreen::addLine() {
    if (quality_->chosenId() <= 0) return;
    trade::ChallanLine l;
    l.qualityId = quality_->chosenId();
    l.description = textField(QStringLiteral("txtDesc"))->text();
    l.pieces = numberOf(QStringLiteral("txtPcs"));
    l.metres = numberOf(QStringLiteral("txtMtrs"));
    l.rateOn = choiceField(QStringLiteral("ComTy"))->currentText();
    l.rate = numberOf(QStringLiteral("txtRate"));
    l.listRate = l.rate;
    lines_.push_back(l);
    quality_->clearChoice();
    for (const char* name : {"txtDesc", "txtPcs", "txtMtrs", "txtRate"}) textField(QString::fromLatin1(name))->clear();
    markChanged();
    refreshGrid();
    quality_->setFocus();
}

void ChallanScreen::toggleChecked(int row) {
    if (row < 0 || row >= int(lines_.size())) return;
    trade::ChallanLine& line = lines_[size_t(row)];
    // a saved challan's tick is written at once, and stays as it was when the service refuses it
    if (documentId() > 0 && !service_->setReconciled(documentId(), row + 1, !line.reconciled)) return;
    line.reconciled = !line.reconciled;
    if (openedChallan_ && row < int(openedChallan_->lines.size()))
        openedChallan_->lines[size_t(row)].reconciled = line.reconciled;
    refreshGrid();
}

void ChallanScreen::takeTickedTakas() {
    // a taka already on the challan is not added twice; the ticks are cleared once taken
    QStringList onChallan;
    for (const trade::ChallanLine& l : lines_) onChallan << l.description;
    QStringList numbers;
    for (int r = 0; r < takas_->rowCount(); ++r) {
        if (takas_->item(r, 0)->checkState() != Qt::Checked) continue;
        if (!onChallan.contains(takas_->item(r, 1)->text())) numbers << takas_->item(r, 1)->text();
        takas_->item(r, 0)->setCheckState(Qt::Unchecked);
    }
    for (const trade::ChallanLine& l : service_->linesFromTakas(numbers)) lines_.push_back(l);
    if (!numbers.isEmpty()) markChanged();
    refreshGrid();
}

void ChallanScreen::refreshGrid() {
    std::vector<std::vector<Cell>> rows;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const trade::ChallanLine& l = lines_[i];
        const trade::ItemLabel item = trade::itemLabel(db_, l.qualityId);
        std::vector<Cell> row{Decimal(qint64(i + 1)),
                              item.name,
                              l.description,
                              l.pieces,
                              l.metres,
                              l.rateOn,
                              l.rate,
                              l.amount(),
                              l.reconciled ? QStringLiteral("Y") : QString()};
        if (fromTakas_) row.insert(row.end(), {item.colour, item.designNo, item.qualityType});
        rows.push_back(std::move(row));
    }
    setLines(rows);
    Decimal pcs, mtrs, amount;
    for (const trade::ChallanLine& l : lines_) {
        pcs += l.pieces;
        mtrs += l.metres;
        amount += l.amount();
    }
    setTotals(
        QStringLiteral("Lines  %1     Pcs  %2     Mtrs  %3").arg(lines_.size()).arg(FormatIndian(pcs, 0), FormatIndian(mtrs, 3)),
        QStringLiteral("Amount  ") + FormatIndian(amount, 2));
}

void ChallanScreen::refreshTakas() {
    if (!takas_) return;
    const std::vector<trade::FreeTaka> takas = service_->freeTakas();
    takas_->setColumnCount(int(kTakaCaptions.size()) + 1);
    takas_->setHorizontalHeaderLabels(QStringList{QStringLiteral("Sel")} + kTakaCaptions);
    takas_->setRowCount(int(takas.size()));
    for (int r = 0; r < int(takas.size()); ++r) {
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tick->setCheckState(Qt::Unchecked);
        takas_->setItem(r, 0, tick);
        const trade::FreeTaka& t = takas[size_t(r)];
        const QStringList cells{t.takaNo,      FormatIndian(t.metres, 3), FormatIndian(t.pieces, 0),
                                t.design,      t.colour,                  t.quality,
                                t.qualityType, t.date.toString(QStringLiteral("dd-MM-yyyy")), t.machineNo,
                                t.bookName,    FormatIndian(t.cut, 2),    t.rateOn};
        for (int c = 0; c < cells.size(); ++c) takas_->setItem(r, c + 1, new QTableWidgetItem(cells.at(c)));
    }
    takas_->resizeColumnsToContents();
}

void ChallanScreen::loadDocument(qint64 id) {
    const auto c = service_->load(id);
    if (!c) return;
    openedChallan_ = c;
    showChoice(book_, c->bookNo);
    textField(QStringLiteral("txtChalanNo"))->setText(c->challanNo);
    dateField(QStringLiteral("DtpChalanDt"))->setDate(c->date);
    lookupField(QStringLiteral("txtParty"))->setChosen(c->partyId, partyName(db_, session_.firmNo, c->partyId));
    LookupField* deli = lookupField(QStringLiteral("txtDeli"));
    if (c->deliveryId > 0) deli->setChosen(c->deliveryId, partyName(db_, session_.firmNo, c->deliveryId));
    else deli->clearChoice();
    LookupField* broker = lookupField(QStringLiteral("txtBroker"));
    if (c->brokerId > 0) broker->setChosen(c->brokerId, brokerName(db_, session_, serviceMessages_, c->brokerId));
    else broker->clearChoice();
    textField(QStringLiteral("txtOrderNo"))->setText(c->orderNo);
    textField(QStringLiteral("txtTransport"))->setText(c->transport);
    textField(QStringLiteral("txtStation"))->setText(c->station);
    textField(QStringLiteral("txtVehicleNo"))->setText(c->vehicleNo);
    textField(QStringLiteral("txtLrNo"))->setText(c->lrNo);
    setOptionalDate(QStringLiteral("txtLrDate"), c->lrDate);
    textField(QStringLiteral("txtFreight"))->setText(c->freightType);
    textField(QStringLiteral("txtCaseNo"))->setText(c->caseNo > 0 ? QString::number(c->caseNo) : QString());
    textField(QStringLiteral("txtNotes"))->setText(c->notes);
    lines_ = c->lines;
    refreshGrid();
}

bool ChallanScreen::saveDocument() {
    trade::DeliveryChallan c = challanOnScreen();
    const auto id = service_->save(c);
    if (!id) return false;
    setDocumentId(*id);
    setStatus(QStringLiteral("Saved as Chalan No ") + c.challanNo);
    refreshTakas();
    return true;
}

documents::DocumentPage ChallanScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->challanList(book_->currentData().toLongLong(), filter);
}

void ChallanScreen::printDocument(bool pdf) {
    if (!service_->readyToPrint(challanOnScreen())) return;
    printChallan(db_, session_, serviceMessages_, documentId(), pdf, this);
}

}  // namespace tanabana::gui
