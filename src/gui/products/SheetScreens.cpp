#include "gui/products/SheetScreens.h"

#include "domain/products/Common.h"
#include "domain/products/ItemMaster.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/SelectionGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

using namespace products;

namespace {

// A rate as it was typed: every place it has, at least `places` ("0.0875", "0.02", "125.50").
QString rateText(Decimal rate, int places) {
    QString text = rate.toString(Decimal::Places);
    while (text.endsWith(QLatin1Char('0')) && text.size() - text.indexOf(QLatin1Char('.')) - 1 > places) text.chop(1);
    return text;
}

QPushButton* addButton(QWidget* parent, QBoxLayout* layout, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    layout->addWidget(b);
    return b;
}

QLineEdit* addBox(QWidget* parent, QGridLayout* grid, int row, int col, const char* name, const QString& caption) {
    grid->addWidget(new QLabel(caption, parent), row, col);
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    grid->addWidget(e, row, col + 1);
    return e;
}

void closeWindow(QWidget* w) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->close();
    else w->close();
}

QLabel* sheetCaption(QWidget* parent, const QString& text) {
    auto* title = new QLabel(text, parent);
    title->setObjectName(QStringLiteral("lblCaption"));  // the application's one title style
    title->setAlignment(Qt::AlignCenter);
    return title;
}

}  // namespace

// ---- Consumption ----

ConsumptionScreen::ConsumptionScreen(Session& session, QWidget* parent, Messages* messages)
    : QWidget(parent), session_(session), boxes_(this), messages_(messages ? *messages : boxes_), sheets_(*session.db, session, messages_) {
    setObjectName(QStringLiteral("frmProdMst_Consumption_MD"));
    setWindowTitle(QStringLiteral("Consumption Master"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(sheetCaption(this, QStringLiteral("Consumption Master")));

    auto* head = new QGridLayout;
    head->addWidget(new QLabel(QStringLiteral("Quality"), this), 0, 0);
    fabric_ = new QComboBox(this);
    fabric_->setObjectName(QStringLiteral("ComItem"));
    head->addWidget(fabric_, 0, 1, 1, 3);
    head->addWidget(new QLabel(QStringLiteral("Date"), this), 0, 4);
    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("DTPicker1"));
    date_->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    date_->setCalendarPopup(true);
    head->addWidget(date_, 0, 5);
    addBox(this, head, 1, 0, "txtF_L", QStringLiteral("Fabric Length (Inch)"));
    head->addWidget(new QLabel(QStringLiteral("Mtrs :"), this), 1, 2);
    auto* metres = new QLabel(this);
    metres->setObjectName(QStringLiteral("lblMtrs"));
    head->addWidget(metres, 1, 3);
    addBox(this, head, 1, 4, "txtF_W", QStringLiteral("Panno (Inch)"));
    addBox(this, head, 2, 0, "txtWaste1", QStringLiteral("Weft Waste %"));
    addBox(this, head, 2, 2, "txtWaste2", QStringLiteral("Warp Waste %"));
    addBox(this, head, 2, 4, "txtCostPerPick", QStringLiteral("Job Cost / Pick"));
    addBox(this, head, 3, 0, "txtProcCh", QStringLiteral("Process Charge"));
    addBox(this, head, 3, 2, "txtTransCh", QStringLiteral("Transport Charge"));
    outer->addLayout(head);

    auto* lineRow = new QHBoxLayout;
    lineType_ = new QComboBox(this);
    lineType_->setObjectName(QStringLiteral("ComType"));
    lineType_->addItems({QStringLiteral("Weft"), QStringLiteral("Warp")});
    yarn_ = new QComboBox(this);
    yarn_->setObjectName(QStringLiteral("ComYarn"));
    lineRow->addWidget(lineType_);
    lineRow->addWidget(yarn_, 2);
    for (const auto& [name, hint] : {std::pair{"txtDenier", "Denier"}, std::pair{"txtPick", "Pick / Ends"}, std::pair{"txtPrice", "Price"}}) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setPlaceholderText(QString::fromLatin1(hint));
        lineRow->addWidget(e);
    }
    auto* add = addButton(this, lineRow, "cmdAddLine", QStringLiteral("&Add Line"));
    auto* drop = addButton(this, lineRow, "cmdRemoveLine", QStringLiteral("&Remove Line"));
    outer->addLayout(lineRow);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    grid_->setColumnCount(11);
    grid_->setHorizontalHeaderLabels({QStringLiteral("Sr No"), QStringLiteral("Type"), QStringLiteral("Qid"), QStringLiteral("Quality"),
                                      QStringLiteral("Colour"), QStringLiteral("Denier"), QStringLiteral("Pick"), QStringLiteral("Wt"),
                                      QStringLiteral("Price"), QStringLiteral("Cost"), QStringLiteral("Item Full Name")});
    grid_->horizontalHeader()->setStretchLastSection(true);
    outer->addWidget(grid_, 1);

    auto* totals = new QGridLayout;
    const std::pair<const char*, const char*> totalLabels[] = {
        {"lblTotEnds", "Tot Ends :"}, {"lblTotPick", "Tot Pick :"},  {"lblWarpWt", "Warp Wt :"}, {"lblWeftWt", "Weft Wt :"},
        {"lblTotWt", "Total Wt :"},   {"lblWarpCost", "Warp Cost :"}, {"lblWeftCost", "Weft Cost :"}, {"lblJobCost", "Job Cost :"},
        {"lblTotCost", "Total Cost :"}};
    int i = 0;
    for (const auto& [name, caption] : totalLabels) {
        totals->addWidget(new QLabel(QString::fromLatin1(caption), this), i / 5, (i % 5) * 2);
        auto* value = new QLabel(this);
        value->setObjectName(QString::fromLatin1(name));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        totals->addWidget(value, i / 5, (i % 5) * 2 + 1);
        ++i;
    }
    outer->addLayout(totals);

    auto* buttons = new QHBoxLayout;
    auto* newButton = addButton(this, buttons, "cmd_New", QStringLiteral("&New"));
    auto* save = addButton(this, buttons, "cmd_save", QStringLiteral("&Save"));
    auto* del = addButton(this, buttons, "cmd_Delete", QStringLiteral("&Delete"));
    auto* show = addButton(this, buttons, "cmdShow", QStringLiteral("S&how"));
    auto* exit = addButton(this, buttons, "Cmd_Exit", QStringLiteral("E&xit"));
    outer->addLayout(buttons);

    for (const SheetItem& y : sheets_.yarns())
        yarn_->addItem(QStringLiteral("%1 | %2 | %3 | %4").arg(y.qualityType, y.colour, y.denier.toString(0), y.name), y.id);
    connect(yarn_, &QComboBox::currentIndexChanged, this, [this] {
        if (const auto y = sheets_.item(yarn_->currentData().toLongLong())) {
            box(QStringLiteral("txtDenier"))->setText(y->denier.toString(0));
            box(QStringLiteral("txtPrice"))->setText(y->purchaseRate.toString(2));
        }
    });
    yarn_->setCurrentIndex(-1);  // choosing a yarn fills its denier and rate
    connect(fabric_, &QComboBox::activated, this, [this] { chooseFabric(fabric_->currentData().toLongLong()); });
    for (const char* name : {"txtF_L", "txtF_W", "txtWaste1", "txtWaste2", "txtCostPerPick", "txtProcCh", "txtTransCh"})
        connect(box(QString::fromLatin1(name)), &QLineEdit::editingFinished, this, &ConsumptionScreen::recompute);
    connect(add, &QPushButton::clicked, this, &ConsumptionScreen::addLine);
    connect(drop, &QPushButton::clicked, this, [this] {
        const int row = grid_->currentRow();
        if (row >= 0 && row < int(sheet_.lines.size())) sheet_.lines.erase(sheet_.lines.begin() + row);
        recompute();
    });
    connect(newButton, &QPushButton::clicked, this, &ConsumptionScreen::newSheet);
    connect(save, &QPushButton::clicked, this, &ConsumptionScreen::saveSheet);
    connect(del, &QPushButton::clicked, this, &ConsumptionScreen::deleteSheet);
    connect(show, &QPushButton::clicked, this, &ConsumptionScreen::showFromSameDesign);
    connect(exit, &QPushButton::clicked, this, [this] { closeWindow(this); });
    EntryKeys::install(this, &session_);
    newSheet();
}

QLineEdit* ConsumptionScreen::box(const QString& name) const { return findChild<QLineEdit*>(name); }

QString ConsumptionScreen::totalText(const QString& objectName) const {
    const auto* label = findChild<QLabel*>(objectName);
    return label ? label->text() : QString();
}

void ConsumptionScreen::fillFabrics() {
    fabric_->clear();
    auto addAll = [this](const std::vector<SheetItem>& items, const QString& mark) {
        for (const SheetItem& f : items)
            fabric_->addItem(QStringLiteral("%1 | %2 | %3 | %4%5").arg(f.designNo, f.colour, f.qualityType, f.name, mark), f.id);
    };
    addAll(sheets_.fabricsWithoutSheet(), QString());
    addAll(sheets_.fabricsWithSheet(), QStringLiteral(" (sheet)"));
    fabric_->setCurrentIndex(-1);
}

void ConsumptionScreen::newSheet() {
    sheet_ = ConsumptionSheet();
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->clear();
    date_->setDate(session_.loginDate.isValid() ? session_.loginDate : QDate::currentDate());
    fillFabrics();
    recompute();
    fabric_->setFocus();
}

void ConsumptionScreen::chooseFabric(qint64 itemId) {
    const int index = fabric_->findData(itemId);
    if (index >= 0) fabric_->setCurrentIndex(index);
    if (const auto existing = sheets_.load(itemId)) {
        showSheet(*existing);
        return;
    }
    sheet_.itemId = itemId;
    sheet_.subId = 0;
    recompute();
}

void ConsumptionScreen::showSheet(const ConsumptionSheet& sheet) {
    sheet_ = sheet;
    const int index = fabric_->findData(sheet.itemId);
    if (index >= 0) fabric_->setCurrentIndex(index);
    if (sheet.entryDate.isValid()) date_->setDate(sheet.entryDate);
    box(QStringLiteral("txtF_L"))->setText(sheet.length.toString(3));
    box(QStringLiteral("txtF_W"))->setText(sheet.width.toString(3));
    box(QStringLiteral("txtWaste1"))->setText(sheet.weftWaste.toString(2));
    box(QStringLiteral("txtWaste2"))->setText(sheet.warpWaste.toString(2));
    box(QStringLiteral("txtCostPerPick"))->setText(rateText(sheet.costPerPick, 3));
    box(QStringLiteral("txtProcCh"))->setText(sheet.processing.toString(2));
    box(QStringLiteral("txtTransCh"))->setText(sheet.transport.toString(2));
    recompute();
}

std::optional<ConsumptionSheet> ConsumptionScreen::sheetFromFields() {
    ConsumptionSheet s = sheet_;
    s.itemId = fabric_->currentIndex() >= 0 ? fabric_->currentData().toLongLong() : 0;
    s.entryDate = date_->date();
    const std::pair<const char*, const char*> numbers[] = {{"txtF_L", "Fabric Length"}, {"txtF_W", "Panno"},
                                                           {"txtWaste1", "Weft Waste %"}, {"txtWaste2", "Warp Waste %"},
                                                           {"txtCostPerPick", "Job Cost / Pick"}, {"txtProcCh", "Process Charge"},
                                                           {"txtTransCh", "Transport Charge"}};
    Decimal* targets[] = {&s.length, &s.width, &s.weftWaste, &s.warpWaste, &s.costPerPick, &s.processing, &s.transport};
    for (int i = 0; i < 7; ++i) {
        const auto n = readNumber(box(QString::fromLatin1(numbers[i].first))->text(), QString::fromLatin1(numbers[i].second), messages_);
        if (!n) {
            box(QString::fromLatin1(numbers[i].first))->setFocus();
            return std::nullopt;
        }
        *targets[i] = *n;
    }
    return s;
}

void ConsumptionScreen::recompute() {
    RecordingMessages quiet;  // half-typed numbers are not refused until the save
    ConsumptionSheet s = sheet_;
    auto number = [this, &quiet](const char* name) {
        return readNumber(box(QString::fromLatin1(name))->text(), QString(), quiet).value_or(Decimal());
    };
    s.length = number("txtF_L");
    s.width = number("txtF_W");
    s.weftWaste = number("txtWaste1");
    s.warpWaste = number("txtWaste2");
    s.costPerPick = number("txtCostPerPick");
    s.processing = number("txtProcCh");
    s.transport = number("txtTransCh");
    const SheetTotals t = computeSheet(s);
    grid_->setRowCount(int(s.lines.size()));
    int weftNo = 0, warpNo = 0;
    for (int r = 0; r < int(s.lines.size()); ++r) {
        const YarnLine& l = s.lines[r];
        const auto yarn = sheets_.item(l.yarnId);
        const QStringList cells{(l.weft ? QStringLiteral("F-%1").arg(++weftNo) : QStringLiteral("B-%1").arg(++warpNo)),
                                l.weft ? QStringLiteral("Weft") : QStringLiteral("Warp"),
                                QString::number(l.yarnId),
                                yarn ? yarn->qualityType : QString(),
                                yarn ? yarn->colour : QString(),
                                l.denier.toString(0),
                                l.picks.toString(0),
                                l.weight.toString(3),
                                rateText(l.rate, 2),
                                l.cost.toString(3),
                                yarn ? yarn->name : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            if (c >= 5 && c <= 9) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(r, c, item);
        }
    }
    auto put = [this](const char* name, const QString& text) { findChild<QLabel*>(QString::fromLatin1(name))->setText(text); };
    put("lblMtrs", t.metres.toString(3));
    put("lblTotEnds", t.totalEnds.toString(0));
    put("lblTotPick", t.totalPicks.toString(0));
    put("lblWarpWt", t.warpWeight.toString(3));
    put("lblWeftWt", t.weftWeight.toString(3));
    put("lblTotWt", t.totalWeight.toString(3));
    put("lblWarpCost", t.warpCost.toString(3));
    put("lblWeftCost", t.weftCost.toString(3));
    put("lblJobCost", t.jobCost.toString(3));
    put("lblTotCost", t.totalCost.toString(2));
}

void ConsumptionScreen::addLine() {
    YarnLine line;
    line.weft = lineType_->currentIndex() == 0;
    line.yarnId = yarn_->currentIndex() >= 0 ? yarn_->currentData().toLongLong() : 0;
    const auto denier = readNumber(box(QStringLiteral("txtDenier"))->text(), QStringLiteral("Denier"), messages_, false, Decimal(100000));
    const auto picks = denier ? readNumber(box(QStringLiteral("txtPick"))->text(), QStringLiteral("Pick"), messages_, false, Decimal(1000000))
                              : std::nullopt;
    const auto price = picks ? readNumber(box(QStringLiteral("txtPrice"))->text(), QStringLiteral("Price"), messages_) : std::nullopt;
    if (!price) return;
    if (line.yarnId <= 0) {
        messages_.critical(invalidEntryTitle(), QStringLiteral("Please choose the yarn of every line"));
        return;
    }
    line.denier = *denier;
    line.picks = *picks;
    line.rate = *price;
    sheet_.lines.push_back(line);
    recompute();
    yarn_->setFocus();
}

void ConsumptionScreen::saveSheet() {
    auto s = sheetFromFields();
    if (!s) return;
    if (sheets_.save(*s)) newSheet();
}

void ConsumptionScreen::deleteSheet() {
    if (sheet_.itemId <= 0 || sheet_.subId <= 0) return;
    if (sheets_.remove(sheet_.itemId, sheet_.subId)) newSheet();
}

void ConsumptionScreen::showFromSameDesign() {
    const qint64 item = fabric_->currentIndex() >= 0 ? fabric_->currentData().toLongLong() : 0;
    if (const auto copy = sheets_.copyFromSameDesign(item)) showSheet(*copy);
}

// ---- Rate update ----

RateUpdateScreen::RateUpdateScreen(Session& session, QWidget* parent, Messages* messages)
    : QWidget(parent), session_(session), boxes_(this), messages_(messages ? *messages : boxes_), update_(*session.db, session, messages_) {
    setObjectName(QStringLiteral("FrmProdMstCommonList"));
    setWindowTitle(QStringLiteral("Item Rate & GST Rate Update"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(sheetCaption(this, QStringLiteral("Item Rate & GST Rate Update")));

    auto* filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("Group"), this), 0, 0);
    group_ = new QComboBox(this);
    group_->setObjectName(QStringLiteral("ComGroup"));
    group_->addItem(QString());
    MessageBoxes silent(this);
    group_->addItems(ItemMaster(*session.db, session, silent).groups());
    filters->addWidget(group_, 0, 1);
    addBox(this, filters, 0, 2, "txtName", QStringLiteral("Name"));
    addBox(this, filters, 0, 4, "txtSGST", QStringLiteral("SGST %"));
    addBox(this, filters, 0, 6, "txtHSN", QStringLiteral("HSN"));
    auto* showButton = new QPushButton(QStringLiteral("S&how"), this);
    showButton->setObjectName(QStringLiteral("cmdShow"));
    filters->addWidget(showButton, 0, 8);
    outer->addLayout(filters);

    QStringList headers = RateUpdate::captions();
    headers.removeFirst();  // the grid's own tick column is "Sel"
    grid_ = new SelectionGrid(headers, this);
    grid_->setObjectName(QStringLiteral("vsgrid"));
    outer->addWidget(grid_, 1);

    auto* changes = new QGridLayout;
    rateKind_ = new QComboBox(this);
    rateKind_->setObjectName(QStringLiteral("ComRate"));
    for (RateKind k : {RateKind::Dealer, RateKind::Retail, RateKind::Mrp}) rateKind_->addItem(rateKindName(k), int(k));
    changes->addWidget(new QLabel(QStringLiteral("Rate"), this), 0, 0);
    changes->addWidget(rateKind_, 0, 1);
    addBox(this, changes, 0, 2, "txtPercent", QStringLiteral("Change %"));
    auto* rateButton = new QPushButton(QStringLiteral("Update &Rate"), this);
    rateButton->setObjectName(QStringLiteral("cmdRate"));
    changes->addWidget(rateButton, 0, 4);
    valueHead_ = new QComboBox(this);
    valueHead_->setObjectName(QStringLiteral("ComHead"));
    for (ValueHead h : {ValueHead::Gst, ValueHead::HsnCode, ValueHead::HsnDesc, ValueHead::Uqc}) valueHead_->addItem(valueHeadName(h), int(h));
    changes->addWidget(new QLabel(QStringLiteral("Head"), this), 1, 0);
    changes->addWidget(valueHead_, 1, 1);
    addBox(this, changes, 1, 2, "txtValue", QStringLiteral("Update Value"));
    auto* valueButton = new QPushButton(QStringLiteral("Update &Value"), this);
    valueButton->setObjectName(QStringLiteral("cmdValue"));
    changes->addWidget(valueButton, 1, 4);
    outer->addLayout(changes);

    auto* buttons = new QHBoxLayout;
    auto* labels = addButton(this, buttons, "Cmd_Print", QStringLiteral("&Label"));
    labels->setEnabled(false);
    labels->setToolTip(QStringLiteral("Printing is not available yet"));
    auto* exit = addButton(this, buttons, "Cmd_Exit", QStringLiteral("E&xit"));
    outer->addLayout(buttons);

    connect(showButton, &QPushButton::clicked, this, &RateUpdateScreen::showList);
    connect(rateButton, &QPushButton::clicked, this, &RateUpdateScreen::updateRates);
    connect(valueButton, &QPushButton::clicked, this, &RateUpdateScreen::updateValue);
    connect(exit, &QPushButton::clicked, this, [this] { closeWindow(this); });
    EntryKeys::install(this, &session_);
    showList();
}

QLineEdit* RateUpdateScreen::box(const QString& name) const { return findChild<QLineEdit*>(name); }

void RateUpdateScreen::showList() {
    RateListFilter f;
    f.group = group_->currentText();
    f.namePrefix = box(QStringLiteral("txtName"))->text();
    f.hsnPrefix = box(QStringLiteral("txtHSN"))->text();
    const QString sgst = box(QStringLiteral("txtSGST"))->text().trimmed();
    if (!sgst.isEmpty()) {
        const auto n = readNumber(sgst, QStringLiteral("SGST %"), messages_, false, Decimal(50));
        if (!n) return;
        f.sgst = *n;
    }
    grid_->setRowCount(0);
    for (const RateListRow& r : update_.list(f))
        grid_->addRow({r.code, r.name, r.uqc, r.calcOnText(), r.unit, r.sgst.toString(2), r.cgst.toString(2), r.purchaseRate.toString(2),
                       r.salesRate.toString(2), r.mrp.toString(2), r.dealerRate.toString(2), QString::number(r.id), r.hsn});
    grid_->resizeColumnsToContents();
}

std::vector<qint64> RateUpdateScreen::tickedIds() const {
    std::vector<qint64> ids;
    for (int row : grid_->tickedRows()) ids.push_back(grid_->item(row, 12)->text().toLongLong());
    return ids;
}

void RateUpdateScreen::updateRates() {
    const auto percent = readNumber(box(QStringLiteral("txtPercent"))->text(), QStringLiteral("Change %"), messages_, true);
    if (!percent) return;
    if (update_.changeRates(tickedIds(), RateKind(rateKind_->currentData().toInt()), *percent)) showList();
}

void RateUpdateScreen::updateValue() {
    if (update_.changeValue(tickedIds(), ValueHead(valueHead_->currentData().toInt()), box(QStringLiteral("txtValue"))->text())) showList();
}

}  // namespace tanabana::gui
