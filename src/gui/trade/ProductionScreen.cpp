#include "gui/trade/ProductionScreen.h"

#include "core/Words.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/TypedFields.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>

namespace tanabana::gui {

ProductionScreen::ProductionScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : DocumentForm(QStringLiteral("frmProduction"), QStringLiteral("Production Challan"), session, &messages, parent),
      db_(db),
      serviceMessages_(messages),
      service_(std::make_unique<jobwork::ProductionChallans>(db, session, messages)) {
    service_->repairFirmNumbers();
    jobwork::ProductionChallans* service = service_.get();
    declareHeader(
        {DocField::choice(QStringLiteral("txtFirmName"), QStringLiteral("Book"), {}),
         DocField::text(QStringLiteral("txtChalanNO"), QStringLiteral("Chalan No")),
         DocField::date(QStringLiteral("DtpChalanDt"), QStringLiteral("Date")),
         DocField::lookup(QStringLiteral("txtAccNo"), QStringLiteral("Party"),
                          typedSource<documents::PartyChoice>(
                              [service](const QString& prefix) { return service->parties(prefix); },
                              {{QStringLiteral("A/c Name"), [](const documents::PartyChoice& p) { return p.name; }},
                               {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }},
                               {QStringLiteral("A/c No"), [](const documents::PartyChoice& p) { return p.ledgerId; }}},
                              [](const documents::PartyChoice& p) { return p.id; }),
                          2),
         DocField::choice(QStringLiteral("ComType"), QStringLiteral("Type"), jobwork::ProductionChallans::productionTypes())});
    book_ = choiceField(QStringLiteral("txtFirmName"));
    for (const documents::BookChoice& b : service_->books()) book_->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);
    declareLine({DocField::text(QStringLiteral("txtTakaNo"), QStringLiteral("Taka No"), 90),
                 DocField::lookup(QStringLiteral("txtQuality"), QStringLiteral("Quality"),
                                  typedSource<documents::QualityChoice>(
                                      [service](const QString& prefix) { return service->qualities(prefix); },
                                      {{QStringLiteral("Item Name"), [](const documents::QualityChoice& q) { return q.name; }},
                                       {QStringLiteral("Colour"), [](const documents::QualityChoice& q) { return q.colour; }},
                                       {QStringLiteral("Code"), [](const documents::QualityChoice& q) { return q.code; }},
                                       {QStringLiteral("Design No"), [](const documents::QualityChoice& q) { return q.designNo; }},
                                       {QStringLiteral("Qlty Type"), [](const documents::QualityChoice& q) { return q.qualityType; }},
                                       {QStringLiteral("Cut"), [](const documents::QualityChoice& q) { return q.cut.toString(2); }}},
                                      [](const documents::QualityChoice& q) { return q.id; })),
                 DocField::number(QStringLiteral("txtPcs"), QStringLiteral("Pcs"), 3, 70),
                 DocField::number(QStringLiteral("txtCut"), QStringLiteral("Cut"), 3, 70),
                 DocField::number(QStringLiteral("txtMtrs"), QStringLiteral("Mtrs"), 3, 90),
                 DocField::text(QStringLiteral("txtMcNo"), QStringLiteral("McNo"), 70)},
                QStringLiteral("Taka"));
    takaNo_ = textField(QStringLiteral("txtTakaNo"));
    quality_ = lookupField(QStringLiteral("txtQuality"));
    connect(quality_, &LookupField::chosen, this, [this] {
        const Decimal pack = Decimal::parse(quality_->chosenRow().text(QStringLiteral("Cut"))).value_or(Decimal());
        if (!pack.isZero()) textField(QStringLiteral("txtCut"))->setText(pack.toString(2));
    });
    declareGrid({GridColumn::text(QStringLiteral("Taka No")), GridColumn::number(QStringLiteral("Pcs"), 0, true),
                 GridColumn::number(QStringLiteral("Cut"), 2), GridColumn::number(QStringLiteral("Mtrs"), 3, true),
                 GridColumn::text(QStringLiteral("McNo")), GridColumn::text(QStringLiteral("Quality")),
                 GridColumn::text(QStringLiteral("Sent"))});
    lineGrid()->setObjectName(QStringLiteral("vsgrid_Dtl"));
    lineGrid()->setToolTip(QStringLiteral("Enter or a double click takes out a taka not yet sent"));
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { takeOut(row); });
    connect(lineGrid(), &QTableWidget::itemActivated, this, [this](QTableWidgetItem* item) { takeOut(item->row()); });
    declareList({{ListColumn::Number, QStringLiteral("Chalan No")},
                 {ListColumn::Date, QStringLiteral("Date")},
                 {ListColumn::Figure, QStringLiteral("Takas"), 0, 0},
                 {ListColumn::Figure, QStringLiteral("Mtrs"), 1, 3},
                 {ListColumn::Party, QStringLiteral("Party")},
                 {ListColumn::Text, QStringLiteral("A/c No"), 0}},
                QStringLiteral("chalan no or party"));
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (documentId() == 0)
            textField(QStringLiteral("txtChalanNO"))->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
        showListPage(0);
    });
    finishLayout();
    setUnavailable(QStringLiteral("CmdPDF"), QStringLiteral("Save a PDF from the print preview"));

    // An empty taka number ends the takas; a number used before stays for correcting.
    keys()->onEnter(takaNo_, [this] {
        if (takaNo_->text().trimmed().isEmpty()) {
            button(QStringLiteral("cmd_save"))->setFocus();
            return true;
        }
        if (!service_->takaIsFree(takaNo_->text(), documentId())) {
            takaNo_->selectAll();
            return true;
        }
        return false;
    });
    keys()->onEnter(textField(QStringLiteral("txtMcNo")), [this] {
        if (!refuseTypedLine()) addTaka();
        return true;
    });
}

void ProductionScreen::clearDocument() {
    takas_.clear();
    lookupField(QStringLiteral("txtAccNo"))->clearChoice();
    quality_->clearChoice();
    for (const char* name : {"txtPcs", "txtCut", "txtMtrs", "txtMcNo"}) textField(QString::fromLatin1(name))->clear();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpChalanDt"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    textField(QStringLiteral("txtChalanNO"))->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
    takaNo_->setText(service_->nextTakaNo());
    refreshGrid();
}

jobwork::ProductionChallan ProductionScreen::challanOnScreen() const {
    jobwork::ProductionChallan c;
    c.id = documentId();
    c.bookNo = book_->currentData().toLongLong();
    c.challanNo = textOf(QStringLiteral("txtChalanNO"));
    c.date = dateField(QStringLiteral("DtpChalanDt"))->date();
    c.partyId = lookupField(QStringLiteral("txtAccNo"))->chosenId();
    c.prodType = choiceField(QStringLiteral("ComType"))->currentText().left(1);
    c.takas = takas_;
    return c;
}

void ProductionScreen::addTaka() {
    const QString no = takaNo_->text().trimmed();
    if (no.isEmpty() || quality_->chosenId() <= 0) return;
    for (const jobwork::ProductionTaka& t : takas_)
        if (t.takaNo == no) return;
    if (!service_->takaIsFree(no, documentId())) {
        takaNo_->selectAll();
        takaNo_->setFocus();
        return;
    }
    jobwork::ProductionTaka t;
    t.takaNo = no;
    t.qualityId = quality_->chosenId();
    t.pieces = numberOf(QStringLiteral("txtPcs"));
    t.cut = numberOf(QStringLiteral("txtCut"));
    t.metres = numberOf(QStringLiteral("txtMtrs"));
    t.machine = textField(QStringLiteral("txtMcNo"))->text();
    takas_.push_back(t);
    takaNo_->setText(QString::number(std::max(no.toLongLong(), service_->nextTakaNo().toLongLong() - 1) + 1));
    for (const char* name : {"txtPcs", "txtMtrs"}) textField(QString::fromLatin1(name))->clear();
    markChanged();
    refreshGrid();
    takaNo_->setFocus();
    takaNo_->selectAll();
}

void ProductionScreen::takeOut(int row) {
    if (row < 0 || row >= int(takas_.size()) || takas_[size_t(row)].used) return;
    takas_.erase(takas_.begin() + row);
    markChanged();
    refreshGrid();
}

void ProductionScreen::refreshGrid() {
    std::vector<std::vector<Cell>> rows;
    for (const jobwork::ProductionTaka& t : takas_)
        rows.push_back({t.takaNo, t.pieces, t.cut, t.metres, t.machine, trade::itemLabel(db_, t.qualityId).name,
                        t.used ? QStringLiteral("Y") : QString()});
    setLines(rows);
    Decimal pcs, mtrs;
    for (const jobwork::ProductionTaka& t : takas_) {
        pcs += t.pieces;
        mtrs += t.metres;
    }
    setTotals(QStringLiteral("Takas  %1     Pcs  %2").arg(takas_.size()).arg(FormatIndian(pcs, 0)),
              QStringLiteral("Mtrs  ") + FormatIndian(mtrs, 3));
}

void ProductionScreen::loadDocument(qint64 id) {
    const auto c = service_->load(id);
    if (!c) return;
    showChoice(book_, c->bookNo);
    textField(QStringLiteral("txtChalanNO"))->setText(c->challanNo);
    dateField(QStringLiteral("DtpChalanDt"))->setDate(c->date);
    lookupField(QStringLiteral("txtAccNo"))->setChosen(c->partyId, partyName(db_, session_.firmNo, c->partyId));
    QComboBox* type = choiceField(QStringLiteral("ComType"));
    for (int i = 0; i < type->count(); ++i)
        if (type->itemText(i).left(1) == c->prodType) type->setCurrentIndex(i);
    takas_ = c->takas;
    takaNo_->setText(service_->nextTakaNo());
    refreshGrid();
}

bool ProductionScreen::saveDocument() {
    jobwork::ProductionChallan c = challanOnScreen();
    const auto id = service_->save(c);
    if (!id) return false;
    setDocumentId(*id);
    setStatus(QStringLiteral("Saved as Chalan No ") + c.challanNo);
    return true;
}

documents::DocumentPage ProductionScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->challanList(book_->currentData().toLongLong(), filter);
}

void ProductionScreen::printDocument(bool) { printProduction(db_, session_, serviceMessages_, documentId(), this); }

}  // namespace tanabana::gui
