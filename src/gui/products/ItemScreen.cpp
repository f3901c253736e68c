#include "gui/products/ItemScreen.h"

#include "domain/products/Common.h"
#include "domain/products/ProductPrints.h"
#include "domain/shell/ListFiles.h"
#include "gui/common/SelectionGrid.h"
#include "gui/reports/MasterPrints.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace tanabana::gui {

using namespace products;

namespace {

std::vector<FieldSpec> itemFields(bool rapier) {
    std::vector<FieldSpec> f = {
        {QStringLiteral("ProdCode"), QStringLiteral("Item Code"), FieldSpec::Text, {}},
        {QStringLiteral("ProdName"), rapier ? QStringLiteral("Item Full Name") : QStringLiteral("Item Name - I"), FieldSpec::Text, {}},
        {QStringLiteral("P1"), rapier ? QStringLiteral("Colour") : QStringLiteral("Item Name - II"), FieldSpec::EditableChoice, {}},
        {QStringLiteral("ProdGrp"), rapier ? QStringLiteral("Qlty Type") : QStringLiteral("Group"), FieldSpec::EditableChoice, {}},
        {QStringLiteral("ProdSubGrp"), rapier ? QStringLiteral("Design No") : QStringLiteral("Sub Group"), FieldSpec::Text, {}},
        {QStringLiteral("StkType"), QStringLiteral("Stock Type"), FieldSpec::Choice, stockTypeNames()},
        {QStringLiteral("UNit"), QStringLiteral("Unit of Measure"), FieldSpec::Text, {}},
        {QStringLiteral("CalcOn"), QStringLiteral("Calculate On"), FieldSpec::Choice, calcOnEntries()},
        {QStringLiteral("RAteR"), QStringLiteral("Rate Retail"), FieldSpec::Number, {}},
        {QStringLiteral("Ratew"), rapier ? QStringLiteral("Pick On Looms") : QStringLiteral("Dealer Rate"), FieldSpec::Number, {}},
        {QStringLiteral("PurRAte"), QStringLiteral("Purchase"), FieldSpec::Number, {}},
        {QStringLiteral("VatCalc"), QStringLiteral("GST Calc"), FieldSpec::Choice, gstCalcEntries()},
        {QStringLiteral("Vat"), QStringLiteral("SGST %"), FieldSpec::Number, {}},
        {QStringLiteral("AddTax"), QStringLiteral("CGST %"), FieldSpec::Number, {}},
        {QStringLiteral("IGST"), QStringLiteral("IGST %"), FieldSpec::Number, {}},
        {QStringLiteral("hsnCode"), QStringLiteral("HSN/SAC"), FieldSpec::Text, {}},
        {QStringLiteral("LicenceNo"), QStringLiteral("HSN Desc."), FieldSpec::Text, {}},
        {QStringLiteral("UQM"), QStringLiteral("HSN UQC (GSTR-1)"), FieldSpec::EditableChoice, {}},
        {QStringLiteral("OPSt"), QStringLiteral("Op Stock Qnty"), FieldSpec::Number, {}},
        {QStringLiteral("OPStock1"), QStringLiteral("Op St Nos."), FieldSpec::Number, {}},
        {QStringLiteral("OpAmt"), QStringLiteral("Op Amt"), FieldSpec::Number, {}},
        {QStringLiteral("Loose"), QStringLiteral("Loose Qnty."), FieldSpec::Number, {}},
        {QStringLiteral("Pack"), QStringLiteral("Cut / Avg Pack"), FieldSpec::Number, {}},
        {QStringLiteral("BoxPack"), rapier ? QStringLiteral("Total Cards") : QStringLiteral("Box Pack"), FieldSpec::Number, {}},
        {QStringLiteral("Mrp"), QStringLiteral("MRP"), FieldSpec::Number, {}},
        {QStringLiteral("ROLMin"), QStringLiteral("ROL Min."), FieldSpec::Number, {}},
        {QStringLiteral("ROLMax"), QStringLiteral("ROL Max"), FieldSpec::Number, {}},
        {QStringLiteral("Notes"), QStringLiteral("Remarks"), FieldSpec::EditableChoice, {}},
        {QStringLiteral("IsActive"), QStringLiteral("Active"), FieldSpec::Choice, {QStringLiteral("Yes"), QStringLiteral("No")}},
        {QStringLiteral("RateUpdate"), QStringLiteral("Rate Update"), FieldSpec::Choice, {QStringLiteral("No"), QStringLiteral("Yes")}},
        {QStringLiteral("ShowInStock"), QStringLiteral("Show in Stock Report"), FieldSpec::Choice, {QStringLiteral("Yes"), QStringLiteral("No")}},
    };
    if (rapier) f.push_back({QStringLiteral("MrpDisc"), QStringLiteral("Item Type"), FieldSpec::Choice, rapierItemTypes()});
    return f;
}

}  // namespace

ItemScreen::ItemScreen(Session& session, bool rapier, QWidget* parent, Messages* messages)
    : MasterForm(rapier ? QStringLiteral("FrmProdMstRapier") : QStringLiteral("FrmProdMst"),
                  rapier ? QStringLiteral("<< RAPIER ITEM MASTER >>") : QStringLiteral("<< ITEM MASTER >>"), session, parent, messages),
      rapier_(rapier),
      items_(*session.db, session, messages_) {
    addFields(itemFields(rapier), 3);
    field(QStringLiteral("IGST"))->setEnabled(false);
    if (items_.automaticCodes()) field(QStringLiteral("ProdCode"))->setEnabled(false);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabsMore"));
    postIn_ = new SelectionGrid({QStringLiteral("No"), QStringLiteral("Name")}, this);
    postIn_->setObjectName(QStringLiteral("grdPostIn"));
    for (const auto& [no, name] : allFirms(*session.db, session)) {
        postIn_->addRow({QString::number(no), name});
        if (no == session.firmNo) postIn_->setTicked(postIn_->rowCount() - 1, true);
    }
    tabs_->addTab(postIn_, QStringLiteral("Post In"));

    auto* colourPage = new QWidget(this);
    auto* colourLayout = new QVBoxLayout(colourPage);
    colours_ = new SelectionGrid({QStringLiteral("Colour"), QStringLiteral("New Item Name")}, colourPage);
    colours_->setObjectName(QStringLiteral("grdColour"));
    colours_->setToolTip(QStringLiteral("Select All (F3)"));
    colours_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    auto* makeColours = new QPushButton(QStringLiteral("Generate Colour Items"), colourPage);
    makeColours->setObjectName(QStringLiteral("cmdColour"));
    colourLayout->addWidget(colours_);
    colourLayout->addWidget(makeColours);
    tabs_->addTab(colourPage, QStringLiteral("Colours"));

    auto* codePage = new QWidget(this);
    auto* codeLayout = new QHBoxLayout(codePage);
    for (const auto& [name, caption] : {std::pair{"txtGenCode", "Code"}, std::pair{"txtGenFrom", "From"}, std::pair{"txtGenTo", "To"}}) {
        codeLayout->addWidget(new QLabel(QString::fromLatin1(caption), codePage));
        auto* box = new QLineEdit(codePage);
        box->setObjectName(QString::fromLatin1(name));
        codeLayout->addWidget(box);
    }
    auto* makeCodes = new QPushButton(QStringLiteral("Generate Codes"), codePage);
    makeCodes->setObjectName(QStringLiteral("cmdGenCode"));
    codeLayout->addWidget(makeCodes);
    tabs_->addTab(codePage, QStringLiteral("Code Generation"));
    addBelowFields(tabs_);
    auto* pictureRow = new QWidget(this);
    auto* pictureLayout = new QHBoxLayout(pictureRow);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(pictureRow);
    picture->setObjectName(QStringLiteral("lblPicture"));
    auto* addPicture = new QPushButton(QStringLiteral("Add Picture"), pictureRow);
    addPicture->setObjectName(QStringLiteral("cmdAddPicture"));
    auto* clearPicture = new QPushButton(QStringLiteral("Clear Picture"), pictureRow);
    clearPicture->setObjectName(QStringLiteral("cmdClearPicture"));
    pictureLayout->addWidget(new QLabel(QStringLiteral("F8 to Transfer Product"), pictureRow), 1);
    pictureLayout->addWidget(picture, 1);
    pictureLayout->addWidget(addPicture);
    pictureLayout->addWidget(clearPicture);
    addBelowFields(pictureRow);
    connect(addPicture, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Add Picture"), {}, QStringLiteral("Pictures (*.bmp *.jpg)"));
        if (file.isEmpty()) return;
        pendingPicture_ = file;
        clearPicture_ = false;
        showPicture(file);
    });
    connect(clearPicture, &QPushButton::clicked, this, [this] {
        pendingPicture_.clear();
        clearPicture_ = true;
        showPicture({});
    });

    offer(QStringLiteral("ProdGrp"), rapier ? items_.processNames(QStringLiteral("R")) : items_.groups());
    offer(QStringLiteral("P1"), items_.processNames(QStringLiteral("C")));
    offer(QStringLiteral("ProdSubGrp"), items_.subGroups());
    offer(QStringLiteral("UNit"), items_.units());
    offer(QStringLiteral("hsnCode"), items_.hsnCodes());
    offer(QStringLiteral("Vat"), items_.sgstRates());
    offer(QStringLiteral("Notes"), items_.remarks());
    offer(QStringLiteral("UQM"), shell::readListFile(session.dataRoot, QStringLiteral("UQM.txt")));

    for (const char* column : {"Vat", "AddTax"})
        connect(qobject_cast<QLineEdit*>(field(QString::fromLatin1(column))), &QLineEdit::textChanged, this, &ItemScreen::showIgst);
    connect(qobject_cast<QLineEdit*>(field(QStringLiteral("ProdSubGrp"))), &QLineEdit::editingFinished, this, &ItemScreen::fillColours);
    connect(qobject_cast<QLineEdit*>(field(QStringLiteral("ProdName"))), &QLineEdit::editingFinished, this, &ItemScreen::checkNameOnLeave);
    connect(makeColours, &QPushButton::clicked, this, &ItemScreen::generateColours);
    connect(makeCodes, &QPushButton::clicked, this, &ItemScreen::generateCodes);
    // Print: the price list of one group or of every active item
    setPrintAction([this] {
        const auto group = messages_.input(QStringLiteral("Price List"), QStringLiteral("Item Group (empty for all items) :"));
        if (!group) return;
        previewReport(session_, messages_, products::priceListReport(session_, *group, listDate(session_)),
                      QStringLiteral("ItemPriceList"), this);
    });
    finishLayout();
}

void ItemScreen::showIgst() {
    const auto sgst = Decimal::parse(values().value(QStringLiteral("Vat")).toString());
    const auto cgst = Decimal::parse(values().value(QStringLiteral("AddTax")).toString());
    setValue(QStringLiteral("IGST"), sgst && cgst ? (*sgst + *cgst).toString(2) : QString());
}

void ItemScreen::checkNameOnLeave() {
    const QString name = values().value(QStringLiteral("ProdName")).toString().trimmed();
    if (currentKey() != 0 || name.isEmpty() || !items_.nameExists(name)) return;
    if (messages_.ask(QStringLiteral("Product Found"), QStringLiteral("This Product is Already exist. would you like to change ? ")))
        focusField(QStringLiteral("ProdName"));
}

void ItemScreen::prepareNew() {
    setValue(QStringLiteral("ProdCode"), items_.nextCode());
    setValue(QStringLiteral("IsActive"), QStringLiteral("Yes"));
    setValue(QStringLiteral("ShowInStock"), QStringLiteral("Yes"));
    setValue(QStringLiteral("RateUpdate"), QStringLiteral("No"));
    tabs_->setTabEnabled(0, true);
    colours_->setRowCount(0);
    pendingPicture_.clear();
    clearPicture_ = false;
    showPicture({});
}

std::optional<Item> ItemScreen::itemFromFields(QString* focusColumn) {
    QVariantMap v = values();
    v.remove(QStringLiteral("IGST"));
    v.insert(QStringLiteral("Is_NoStk"), v.take(QStringLiteral("ShowInStock")).toString() == QLatin1String("No"));
    v.insert(QStringLiteral("VatCalc"), v.value(QStringLiteral("VatCalc")).toString().left(1));
    v.insert(QStringLiteral("CalcOn"), v.value(QStringLiteral("CalcOn")).toString().left(1));
    Item base;
    base.id = currentKey();
    if (const auto existing = currentKey() ? items_.load(currentKey()) : std::nullopt) base = *existing;
    return itemFromValues(v, messages_, focusColumn, base);
}

qint64 ItemScreen::save(const QVariantMap&, QString* focusColumn) {
    const auto item = itemFromFields(focusColumn);
    if (!item) return 0;
    std::vector<qint64> alsoIn;
    if (item->id == 0)
        for (int row : postIn_->tickedRows()) alsoIn.push_back(postIn_->item(row, 1)->text().toLongLong());
    // Posting only in other firms: the first ticked firm takes the item, the others follow.
    Item target = *item;
    if (item->id == 0 && !alsoIn.empty() && std::find(alsoIn.begin(), alsoIn.end(), session_.firmNo) == alsoIn.end())
        target.firmNo = alsoIn.front();
    Refusal refusal;
    const auto ids = items_.save(target, alsoIn, &refusal);
    if (!ids) {
        *focusColumn = refusal.field;
        return 0;
    }
    if (!pendingPicture_.isEmpty() || clearPicture_) items_.attachPicture(ids->front(), clearPicture_ ? QString() : pendingPicture_);
    return ids->front();
}

void ItemScreen::showPicture(const QString& path) {
    auto* label = findChild<QLabel*>(QStringLiteral("lblPicture"));
    const QString file = path.isEmpty() || QDir::isAbsolutePath(path) ? path : QDir(session_.dataRoot).filePath(path);
    const QPixmap picture(file);
    if (picture.isNull()) label->setText(path.isEmpty() ? QString() : QDir::toNativeSeparators(path));
    else label->setPixmap(picture.scaled(120, 60, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

bool ItemScreen::remove(qint64 key) { return items_.remove(key); }

void ItemScreen::load(qint64 key) {
    const auto item = items_.load(key);
    if (!item) return;
    const QVariantMap v = itemToValues(*item);
    for (auto it = v.constBegin(); it != v.constEnd(); ++it) {
        const QVariant value = it.value();
        setValue(it.key(), value.typeId() == QMetaType::Double ? QVariant(amountText(value.toDouble(), 3).remove(QRegularExpression(QStringLiteral("\\.?0+$")))) : value);
    }
    setValue(QStringLiteral("StkType"), stockTypeName(item->stockType));
    setValue(QStringLiteral("VatCalc"), gstCalcEntries().value(item->gstCalc == 1 ? 0 : 1));
    setValue(QStringLiteral("CalcOn"), calcOnEntries().value(item->calcOn - 1));
    setValue(QStringLiteral("MrpDisc"), rapierItemTypes().value(item->itemType));
    setValue(QStringLiteral("IsActive"), item->active ? QStringLiteral("Yes") : QStringLiteral("No"));
    setValue(QStringLiteral("RateUpdate"), item->rateUpdate ? QStringLiteral("Yes") : QStringLiteral("No"));
    setValue(QStringLiteral("ShowInStock"), item->showInStock ? QStringLiteral("Yes") : QStringLiteral("No"));
    tabs_->setTabEnabled(0, false);  // posting in other firms is for new items
    pendingPicture_.clear();
    clearPicture_ = false;
    showPicture(item->photo);
    fillColours();
}

void ItemScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const db::Row& r : items_.search(findBox()->text())) {
        rows.push_back({r.text(QStringLiteral("ProdName")), r.text(QStringLiteral("P1")), r.text(QStringLiteral("ProdCode")),
                        amountText(r.number(QStringLiteral("RAteR"))), r.text(QStringLiteral("UNit")), r.text(QStringLiteral("PM")),
                        amountText(r.number(QStringLiteral("Vat"))), amountText(r.number(QStringLiteral("AddTax"))),
                        amountText(r.number(QStringLiteral("IGST"))), r.text(QStringLiteral("ProdGrp")), r.text(QStringLiteral("ProdSubGrp")),
                        r.text(QStringLiteral("hsnCode"))});
        keys.push_back(r.integer(QStringLiteral("Id")));
    }
    setListRows({QStringLiteral("Item Name"), QStringLiteral("Item Name 2"), QStringLiteral("Code"), QStringLiteral("Rate"),
                 QStringLiteral("Unit"), QStringLiteral("Per"), QStringLiteral("SGST %"), QStringLiteral("CGST %"), QStringLiteral("IGST %"),
                 QStringLiteral("Quality Type"), QStringLiteral("Design No"), QStringLiteral("HSN Code")},
                rows, keys);
}

void ItemScreen::fillColours() {
    colours_->setRowCount(0);
    for (const QString& colour : items_.coloursMissingFor(values().value(QStringLiteral("ProdSubGrp")).toString()))
        colours_->addRow({colour, colour});
    for (int r = 0; r < colours_->rowCount(); ++r)
        if (QTableWidgetItem* c = colours_->item(r, 1)) c->setFlags(c->flags() & ~Qt::ItemIsEditable);
}

void ItemScreen::generateColours() {
    QString focus;
    auto design = itemFromFields(&focus);
    if (!design) return;
    std::vector<ColourChoice> chosen;
    for (int row : colours_->tickedRows()) chosen.push_back({colours_->item(row, 1)->text(), colours_->item(row, 2)->text()});
    if (chosen.empty()) return;
    if (items_.generateColours(*design, chosen)) newEntry();
}

void ItemScreen::generateCodes() {
    QString focus;
    auto pattern = itemFromFields(&focus);
    if (!pattern) return;
    auto text = [this](const char* name) { return findChild<QLineEdit*>(QString::fromLatin1(name))->text().trimmed(); };
    bool okFrom = false, okTo = false;
    const int from = text("txtGenFrom").toInt(&okFrom), to = text("txtGenTo").toInt(&okTo);
    if (!okFrom || !okTo) {
        messages_.critical(invalidEntryTitle(), QStringLiteral("From and To must be whole numbers"));
        return;
    }
    if (items_.generateCodes(*pattern, text("txtGenCode"), from, to)) newEntry();
}

void ItemScreen::transferTicked(qint64 targetFirm, const std::vector<qint64>& ids) {
    if (items_.transfer(ids, targetFirm)) refreshList();
}

void ItemScreen::openTransfer() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmTransfer"));
    dialog.setWindowTitle(QStringLiteral("Transfer Product"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* firm = new QComboBox(&dialog);
    firm->setObjectName(QStringLiteral("ComFirm"));
    for (const auto& [no, name] : allFirms(*session_.db, session_))
        if (no != session_.firmNo) firm->addItem(name, no);
    auto* grid = new SelectionGrid({QStringLiteral("Item Name"), QStringLiteral("Item Name 2"), QStringLiteral("Code "), QStringLiteral("Id")}, &dialog);
    for (const db::Row& r : items_.search({}))
        grid->addRow({r.text(QStringLiteral("ProdName")), r.text(QStringLiteral("P1")), r.text(QStringLiteral("ProdCode")), r.text(QStringLiteral("Id"))});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(firm);
    layout->addWidget(grid);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.resize(640, 420);
    if (dialog.exec() != QDialog::Accepted || firm->currentIndex() < 0) return;
    std::vector<qint64> ids;
    for (int row : grid->tickedRows()) ids.push_back(grid->item(row, 4)->text().toLongLong());
    transferTicked(firm->currentData().toLongLong(), ids);
}

void ItemScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F8) {
        openTransfer();
        return;
    }
    if (event->key() == Qt::Key_F3 && colours_->hasFocus()) {
        for (int r = 0; r < colours_->rowCount(); ++r) colours_->setTicked(r, true);
        return;
    }
    MasterForm::keyPressEvent(event);
}

}  // namespace tanabana::gui
