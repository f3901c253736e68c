#include "gui/trade/ChallanScreen.h"

#include "core/Words.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/LookupField.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

QLineEdit* field(const QString& name, int width = 0) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    if (width > 0) {
        box->setMaximumWidth(width);
        box->setAlignment(Qt::AlignRight);
    }
    return box;
}

void fillTable(QTableWidget* table, const db::Rows& rows, const QStringList& columns, bool tick = false) {
    const int offset = tick ? 1 : 0;
    table->setColumnCount(columns.size() + offset);
    QStringList headers = columns;
    if (tick) headers.prepend(QStringLiteral("Sel"));
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        if (tick) {
            auto* sel = new QTableWidgetItem;
            sel->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            sel->setCheckState(Qt::Unchecked);
            table->setItem(r, 0, sel);
        }
        for (int c = 0; c < columns.size(); ++c) {
            const QVariant v = rows[size_t(r)].value(columns.at(c));
            QString text = v.toString();
            if (v.typeId() == QMetaType::QDate || columns.at(c).contains(QLatin1String("Date")))
                text = rows[size_t(r)].date(columns.at(c)).toString(QStringLiteral("dd-MM-yyyy"));
            table->setItem(r, c + offset, new QTableWidgetItem(text));
        }
    }
    table->resizeColumnsToContents();
}

}  // namespace

ChallanScreen::ChallanScreen(db::Database& db, Session& session, Messages& messages, bool fromTakas, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages), fromTakas_(fromTakas),
      service_(std::make_unique<trade::DeliveryChallans>(db, session, messages)) {
    setObjectName(fromTakas ? QStringLiteral("frmChalan_Taka") : QStringLiteral("frmChalan"));
    setWindowTitle(fromTakas ? QStringLiteral("Delivery Challan (Takas)") : QStringLiteral("Delivery Challan"));
    build();
    newChallan();
}

void ChallanScreen::build() {
    auto* layout = new QVBoxLayout(this);
    auto* header = new QGridLayout;
    book_ = new QComboBox;
    book_->setObjectName(QStringLiteral("txtBook"));
    for (const db::Row& r : service_->books())
        book_->addItem(QString::number(r.integer(QStringLiteral("BookNO"))) + QLatin1Char(' ') + r.text(QStringLiteral("SalesName")),
                       r.integer(QStringLiteral("BookNO")));
    challanNo_ = field(QStringLiteral("txtChalanNo"));
    date_ = new QDateEdit;
    date_->setObjectName(QStringLiteral("DtpChalanDt"));
    date_->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    party_ = new LookupField(salesPartySearch(db_, session_.firmNo), QStringLiteral("Id"), QStringLiteral("A/c Name"));
    party_->setObjectName(QStringLiteral("txtParty"));
    orderNo_ = field(QStringLiteral("txtOrderNo"));
    transport_ = field(QStringLiteral("txtTransport"));
    station_ = field(QStringLiteral("txtStation"));
    lrNo_ = field(QStringLiteral("txtLrNo"));
    notes_ = field(QStringLiteral("txtNotes"));
    const QList<QPair<QString, QWidget*>> headerFields{{QStringLiteral("Book"), book_},          {QStringLiteral("Chalan No"), challanNo_},
                                                       {QStringLiteral("Date"), date_},          {QStringLiteral("Party"), party_},
                                                       {QStringLiteral("Order No"), orderNo_},   {QStringLiteral("Transport"), transport_},
                                                       {QStringLiteral("Station"), station_},    {QStringLiteral("L.R.No."), lrNo_},
                                                       {QStringLiteral("Notes"), notes_}};
    for (int i = 0; i < headerFields.size(); ++i) {
        header->addWidget(new QLabel(headerFields[i].first), i / 3, (i % 3) * 2);
        header->addWidget(headerFields[i].second, i / 3, (i % 3) * 2 + 1);
    }
    layout->addLayout(header);

    quality_ = new LookupField(qualitySearch(db_, session_.firmNo, QStringLiteral("Quality")), QStringLiteral("Id"), QStringLiteral("Quality"));
    quality_->setObjectName(QStringLiteral("txtQuality"));
    desc_ = field(QStringLiteral("txtDesc"));
    pcs_ = field(QStringLiteral("txtPcs"), 70);
    mtrs_ = field(QStringLiteral("txtMtrs"), 90);
    rateOn_ = new QComboBox;
    rateOn_->addItems({QStringLiteral("M"), QStringLiteral("P")});
    rate_ = field(QStringLiteral("txtRate"), 80);
    connect(quality_, &LookupField::chosen, this, [this] {
        rate_->setText(Decimal::fromVariant(quality_->chosenRow().value(QStringLiteral("Rate"))).toString(2));
        rateOn_->setCurrentText(quality_->chosenRow().text(QStringLiteral("Rate On")));
    });
    auto* entry = new QHBoxLayout;
    for (const auto& [text, widget] : {std::pair{QStringLiteral("Quality"), static_cast<QWidget*>(quality_)},
                                       std::pair{QStringLiteral("Desc"), static_cast<QWidget*>(desc_)},
                                       std::pair{QStringLiteral("Pcs"), static_cast<QWidget*>(pcs_)},
                                       std::pair{QStringLiteral("Mtrs"), static_cast<QWidget*>(mtrs_)},
                                       std::pair{QStringLiteral("Ty"), static_cast<QWidget*>(rateOn_)},
                                       std::pair{QStringLiteral("Rate"), static_cast<QWidget*>(rate_)}}) {
        entry->addWidget(new QLabel(text));
        entry->addWidget(widget, widget == quality_ ? 3 : 1);
    }
    layout->addLayout(entry);

    grid_ = new QTableWidget;
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setToolTip(QStringLiteral("Double-click a line to tick it as checked against the goods"));
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= int(lines_.size())) return;
        trade::ChallanLine& line = lines_[size_t(row)];
        // A saved challan's tick is written at once, and stays as it was when the service refuses it.
        if (challanId_ > 0 && !service_->setReconciled(challanId_, row + 1, !line.reconciled)) return;
        line.reconciled = !line.reconciled;
        refreshGrid();
    });
    layout->addWidget(grid_, 1);
    if (fromTakas_) {
        takas_ = new QTableWidget;
        takas_->setObjectName(QStringLiteral("vsTaka"));
        takas_->verticalHeader()->hide();
        takas_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        layout->addWidget(new QLabel(QStringLiteral("Takas not yet sent (tick and press Add Takas)")));
        layout->addWidget(takas_, 1);
    }

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& name, const QString& text) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    connect(button(QStringLiteral("cmd_New"), QStringLiteral("&New")), &QPushButton::clicked, this, [this] { newChallan(); });
    if (fromTakas_)
        connect(button(QStringLiteral("cmdAddTaka"), QStringLiteral("&Add Takas")), &QPushButton::clicked, this, [this] { takeTickedTakas(); });
    saveButton_ = button(QStringLiteral("cmd_save"), QStringLiteral("&Save"));
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(button(QStringLiteral("cmd_Delete"), QStringLiteral("&Delete")), &QPushButton::clicked, this, [this] { remove(); });
    connect(button(QStringLiteral("Cmd_Print"), QStringLiteral("&Print")), &QPushButton::clicked, this, [this] { print(false); });
    connect(button(QStringLiteral("CmdPDF"), QStringLiteral("PD&F")), &QPushButton::clicked, this, [this] { print(true); });
    connect(button(QStringLiteral("Cmd_Exit"), QStringLiteral("E&xit")), &QPushButton::clicked, this, [this] { close(); });
    layout->addLayout(buttons);

    list_ = documentList(140);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (auto* item = list_->item(row, 5)) openChallan(item->text().toLongLong());
    });
    layout->addWidget(list_);
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (challanId_ == 0) challanNo_->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
        refreshLists();
    });

    auto* keys = EntryKeys::install(this, &session_);
    keys->setOrder({book_, challanNo_, date_, party_, orderNo_, transport_, station_, lrNo_, notes_, quality_, desc_, pcs_, mtrs_, rateOn_,
                    rate_, saveButton_});
    // A number already in the book opens that challan.
    keys->onEnter(challanNo_, [this] {
        if (challanId_ == 0) {
            const qint64 existing = service_->findByNumber(book_->currentData().toLongLong(), challanNo_->text());
            if (existing > 0) openChallan(existing);
        }
        return false;
    });
    // An empty quality ends the lines: on to Save.
    keys->onEnter(quality_, [this] {
        if (quality_->chosenId() != 0 || !quality_->text().trimmed().isEmpty()) return false;
        saveButton_->setFocus();
        return true;
    });
    keys->onEnter(rate_, [this] {
        addLine();
        return true;
    });
}

void ChallanScreen::newChallan() {
    challanId_ = 0;
    openedChallan_.reset();
    lines_.clear();
    for (QLineEdit* box : {orderNo_, transport_, station_, lrNo_, notes_, desc_, pcs_, mtrs_, rate_}) box->clear();
    party_->clearChoice();
    quality_->clearChoice();
    const QDate today = QDate::currentDate();
    date_->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    challanNo_->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
    refreshGrid();
    refreshLists();
    book_->setFocus();
}

trade::DeliveryChallan ChallanScreen::challanOnScreen() const {
    trade::DeliveryChallan c = openedChallan_ && challanId_ > 0 ? *openedChallan_ : trade::DeliveryChallan{};
    c.id = challanId_;
    c.bookNo = book_->currentData().toLongLong();
    c.challanNo = challanNo_->text().trimmed();
    c.date = date_->date();
    c.partyId = party_->chosenId();
    c.orderNo = orderNo_->text();
    c.transport = transport_->text();
    c.station = station_->text();
    c.lrNo = lrNo_->text();
    c.notes = notes_->text();
    c.fromTakas = fromTakas_;
    c.lines = lines_;
    return c;
}

void ChallanScreen::addLine() {
    if (quality_->chosenId() <= 0) return;
    trade::ChallanLine l;
    l.qualityId = quality_->chosenId();
    l.description = desc_->text();
    l.pieces = typedNumber(pcs_);
    l.metres = typedNumber(mtrs_);
    l.rateOn = rateOn_->currentText();
    l.rate = typedNumber(rate_);
    l.listRate = l.rate;
    lines_.push_back(l);
    quality_->clearChoice();
    for (QLineEdit* box : {desc_, pcs_, mtrs_, rate_}) box->clear();
    refreshGrid();
    quality_->setFocus();
}

void ChallanScreen::takeTickedTakas() {
    // A taka already on the challan is not added twice; the ticks are cleared once taken.
    QStringList onChallan;
    for (const trade::ChallanLine& l : lines_) onChallan << l.description;
    QStringList numbers;
    for (int r = 0; r < takas_->rowCount(); ++r) {
        if (takas_->item(r, 0)->checkState() != Qt::Checked) continue;
        if (!onChallan.contains(takas_->item(r, 1)->text())) numbers << takas_->item(r, 1)->text();
        takas_->item(r, 0)->setCheckState(Qt::Unchecked);
    }
    for (const trade::ChallanLine& l : service_->linesFromTakas(numbers)) lines_.push_back(l);
    refreshGrid();
}

void ChallanScreen::refreshGrid() {
    QStringList columns{QStringLiteral("Srno"), QStringLiteral("Quality"), QStringLiteral("Desc"), QStringLiteral("Pcs"),
                        QStringLiteral("Mtrs"), QStringLiteral("Ty"),      QStringLiteral("Rate"), QStringLiteral("Amt"),
                        QStringLiteral("Is_Reconsil")};
    // Takas of the looms are told apart by colour, design and quality type.
    if (fromTakas_) columns << QStringLiteral("Colour") << QStringLiteral("Design No") << QStringLiteral("Qlt Type");
    grid_->setColumnCount(columns.size());
    grid_->setHorizontalHeaderLabels(columns);
    grid_->setRowCount(int(lines_.size()) + 1);
    Decimal pcs, mtrs, amt;
    for (int i = 0; i < int(lines_.size()); ++i) {
        const trade::ChallanLine& l = lines_[size_t(i)];
        const trade::ItemLabel item = trade::itemLabel(db_, l.qualityId);
        QStringList values{QString::number(i + 1), item.name, l.description, FormatIndian(l.pieces, 0), FormatIndian(l.metres, 3), l.rateOn,
                           l.rate.toString(2), FormatIndian(l.amount(), 2), l.reconciled ? QStringLiteral("Y") : QString()};
        if (fromTakas_) values << item.colour << item.designNo << item.qualityType;
        for (int c = 0; c < values.size(); ++c) grid_->setItem(i, c, new QTableWidgetItem(values.at(c)));
        pcs += l.pieces;
        mtrs += l.metres;
        amt += l.amount();
    }
    const int tot = int(lines_.size());
    QStringList totals{QString(), QStringLiteral("Tot"), QString(), FormatIndian(pcs, 0), FormatIndian(mtrs, 3), QString(), QString(),
                       FormatIndian(amt, 2), QString()};
    for (int c = 0; c < totals.size(); ++c) grid_->setItem(tot, c, new QTableWidgetItem(totals.at(c)));
    grid_->resizeColumnsToContents();
}

void ChallanScreen::refreshLists() {
    fillTable(list_, service_->challanList(book_->currentData().toLongLong()),
              {QStringLiteral("ChalanNO"), QStringLiteral("Ch Date"), QStringLiteral("AcName"), QStringLiteral("BillAmount"),
               QStringLiteral("TrNO"), QStringLiteral("Id"), QStringLiteral("IsSale"), QStringLiteral("City"), QStringLiteral("Broker")});
    if (takas_)
        fillTable(takas_, service_->freeTakas(),
                  {QStringLiteral("TakaNO"), QStringLiteral("Mtrs"), QStringLiteral("Pcs"), QStringLiteral("Design"), QStringLiteral("Colour"),
                   QStringLiteral("Quality"), QStringLiteral("Qlty Type"), QStringLiteral("ChDate"), QStringLiteral("McNo"),
                   QStringLiteral("SalesName"), QStringLiteral("Cut"), QStringLiteral("Rate On")},
                  true);
}

void ChallanScreen::openChallan(qint64 id) {
    const auto c = service_->load(id);
    if (!c) return;
    challanId_ = id;
    openedChallan_ = c;
    const int index = book_->findData(c->bookNo);
    if (index >= 0) {
        QSignalBlocker block(book_);
        book_->setCurrentIndex(index);
    }
    challanNo_->setText(c->challanNo);
    date_->setDate(c->date);
    party_->setChosen(c->partyId, partyName(db_, session_.firmNo, c->partyId));
    orderNo_->setText(c->orderNo);
    transport_->setText(c->transport);
    station_->setText(c->station);
    lrNo_->setText(c->lrNo);
    notes_->setText(c->notes);
    lines_ = c->lines;
    refreshGrid();
}

void ChallanScreen::save() {
    trade::DeliveryChallan c = challanOnScreen();
    if (service_->save(c)) newChallan();
}

void ChallanScreen::remove() {
    if (challanId_ > 0 && service_->remove(challanId_)) newChallan();
}

void ChallanScreen::print(bool pdf) {
    if (challanId_ <= 0) return;
    const trade::DeliveryChallan c = challanOnScreen();
    if (!service_->readyToPrint(c)) return;
    printChallan(db_, session_, messages_, challanId_, pdf, this);
}

}  // namespace tanabana::gui
