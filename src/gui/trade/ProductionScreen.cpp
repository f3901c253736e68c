#include "gui/trade/ProductionScreen.h"

#include "core/Words.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/LookupField.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

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

}  // namespace

ProductionScreen::ProductionScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages),
      service_(std::make_unique<jobwork::ProductionChallans>(db, session, messages)) {
    setObjectName(QStringLiteral("frmProduction"));
    setWindowTitle(QStringLiteral("Production Challan"));
    service_->repairFirmNumbers();
    build();
    newChallan();
}

void ProductionScreen::build() {
    auto* layout = new QVBoxLayout(this);
    auto* header = new QGridLayout;
    book_ = new QComboBox;
    book_->setObjectName(QStringLiteral("txtFirmName"));
    for (const db::Row& r : service_->books())
        book_->addItem(QString::number(r.integer(QStringLiteral("BookNO"))) + QLatin1Char(' ') + r.text(QStringLiteral("SalesName")),
                       r.integer(QStringLiteral("BookNO")));
    challanNo_ = field(QStringLiteral("txtChalanNO"));
    date_ = new QDateEdit;
    date_->setObjectName(QStringLiteral("DtpChalanDt"));
    date_->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    jobwork::ProductionChallans* service = service_.get();
    party_ = new LookupField([service](const QString& prefix) { return service->parties(prefix); }, QStringLiteral("Id"),
                             QStringLiteral("A/c Name"));
    party_->setObjectName(QStringLiteral("txtAccNo"));
    type_ = new QComboBox;
    type_->setObjectName(QStringLiteral("ComType"));
    type_->addItems(jobwork::ProductionChallans::productionTypes());
    header->addWidget(new QLabel(QStringLiteral("Book")), 0, 0);
    header->addWidget(book_, 0, 1);
    header->addWidget(new QLabel(QStringLiteral("Chalan No")), 0, 2);
    header->addWidget(challanNo_, 0, 3);
    header->addWidget(new QLabel(QStringLiteral("Date")), 0, 4);
    header->addWidget(date_, 0, 5);
    header->addWidget(new QLabel(QStringLiteral("Party")), 1, 0);
    header->addWidget(party_, 1, 1, 1, 3);
    header->addWidget(new QLabel(QStringLiteral("Type")), 1, 4);
    header->addWidget(type_, 1, 5);
    layout->addLayout(header);

    takaNo_ = field(QStringLiteral("txtTakaNo"), 90);
    pcs_ = field(QStringLiteral("txtPcs"), 60);
    cut_ = field(QStringLiteral("txtCut"), 60);
    mtrs_ = field(QStringLiteral("txtMtrs"), 80);
    machine_ = field(QStringLiteral("txtMcNo"), 60);
    quality_ = new LookupField([service](const QString& prefix) { return service->qualities(prefix); }, QStringLiteral("Id"),
                               QStringLiteral("Item Name"));
    quality_->setObjectName(QStringLiteral("txtQuality"));
    connect(quality_, &LookupField::chosen, this, [this] {
        const Decimal pack = Decimal::fromVariant(quality_->chosenRow().value(QStringLiteral("Cut")));
        if (!pack.isZero()) cut_->setText(pack.toString(2));
    });
    auto* entry = new QHBoxLayout;
    for (const auto& [text, widget] : {std::pair{QStringLiteral("Taka No"), static_cast<QWidget*>(takaNo_)},
                                       std::pair{QStringLiteral("Quality"), static_cast<QWidget*>(quality_)},
                                       std::pair{QStringLiteral("Pcs"), static_cast<QWidget*>(pcs_)},
                                       std::pair{QStringLiteral("Cut"), static_cast<QWidget*>(cut_)},
                                       std::pair{QStringLiteral("Mtrs"), static_cast<QWidget*>(mtrs_)},
                                       std::pair{QStringLiteral("McNo"), static_cast<QWidget*>(machine_)}}) {
        entry->addWidget(new QLabel(text));
        entry->addWidget(widget, widget == quality_ ? 3 : 1);
    }
    layout->addLayout(entry);

    grid_ = new QTableWidget;
    grid_->setObjectName(QStringLiteral("vsgrid_Dtl"));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row < int(takas_.size()) && !takas_[size_t(row)].used) {
            takas_.erase(takas_.begin() + row);
            refreshGrid();
        }
    });
    layout->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& name, const QString& text) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    connect(button(QStringLiteral("cmd_New"), QStringLiteral("&New")), &QPushButton::clicked, this, [this] { newChallan(); });
    saveButton_ = button(QStringLiteral("cmd_save"), QStringLiteral("&Save"));
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(button(QStringLiteral("cmd_Delete"), QStringLiteral("&Delete")), &QPushButton::clicked, this, [this] { remove(); });
    connect(button(QStringLiteral("Cmd_Print"), QStringLiteral("&Print")), &QPushButton::clicked, this, [this] {
        if (challanId_ > 0) printProduction(db_, session_, messages_, challanId_, this);
    });
    connect(button(QStringLiteral("Cmd_Exit"), QStringLiteral("E&xit")), &QPushButton::clicked, this, [this] { close(); });
    layout->addLayout(buttons);

    list_ = documentList(140);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (auto* item = list_->item(row, 6)) openChallan(item->text().toLongLong());
    });
    layout->addWidget(list_);
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (challanId_ == 0) challanNo_->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
        refreshList();
    });
    auto* keys = EntryKeys::install(this, &session_);
    keys->setOrder({book_, challanNo_, date_, party_, type_, takaNo_, quality_, pcs_, cut_, mtrs_, machine_, saveButton_});
    // An empty taka number ends the takas; a number used before stays for correcting.
    keys->onEnter(takaNo_, [this] {
        if (takaNo_->text().trimmed().isEmpty()) {
            saveButton_->setFocus();
            return true;
        }
        if (!service_->takaIsFree(takaNo_->text(), challanId_)) {
            takaNo_->selectAll();
            return true;
        }
        return false;
    });
    keys->onEnter(machine_, [this] {
        addTaka();
        return true;
    });
}

void ProductionScreen::newChallan() {
    challanId_ = 0;
    takas_.clear();
    party_->clearChoice();
    quality_->clearChoice();
    for (QLineEdit* box : {pcs_, cut_, mtrs_, machine_}) box->clear();
    const QDate today = QDate::currentDate();
    date_->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    challanNo_->setText(service_->nextChallanNo(book_->currentData().toLongLong()));
    takaNo_->setText(service_->nextTakaNo());
    refreshGrid();
    refreshList();
    book_->setFocus();
}

jobwork::ProductionChallan ProductionScreen::challanOnScreen() const {
    jobwork::ProductionChallan c;
    c.id = challanId_;
    c.bookNo = book_->currentData().toLongLong();
    c.challanNo = challanNo_->text().trimmed();
    c.date = date_->date();
    c.partyId = party_->chosenId();
    c.prodType = type_->currentText().left(1);
    c.takas = takas_;
    return c;
}

void ProductionScreen::addTaka() {
    const QString no = takaNo_->text().trimmed();
    if (no.isEmpty() || quality_->chosenId() <= 0) return;
    for (const jobwork::ProductionTaka& t : takas_)
        if (t.takaNo == no) return;
    if (!service_->takaIsFree(no, challanId_)) {
        takaNo_->selectAll();
        takaNo_->setFocus();
        return;
    }
    jobwork::ProductionTaka t;
    t.takaNo = no;
    t.qualityId = quality_->chosenId();
    t.pieces = typedNumber(pcs_);
    t.cut = typedNumber(cut_);
    t.metres = typedNumber(mtrs_);
    t.machine = machine_->text();
    takas_.push_back(t);
    takaNo_->setText(QString::number(std::max(no.toLongLong(), service_->nextTakaNo().toLongLong() - 1) + 1));
    for (QLineEdit* box : {pcs_, mtrs_}) box->clear();
    refreshGrid();
    takaNo_->setFocus();
    takaNo_->selectAll();
}

void ProductionScreen::refreshGrid() {
    const QStringList columns{QStringLiteral("Taka No"), QStringLiteral("Pcs"), QStringLiteral("Cut"), QStringLiteral("Mtrs"),
                              QStringLiteral("McNo"), QStringLiteral("ProdName"), QStringLiteral("IsOver")};
    grid_->setColumnCount(columns.size());
    grid_->setHorizontalHeaderLabels(columns);
    grid_->setRowCount(int(takas_.size()) + 1);
    Decimal pcs, mtrs;
    for (int i = 0; i < int(takas_.size()); ++i) {
        const jobwork::ProductionTaka& t = takas_[size_t(i)];
        const QStringList values{t.takaNo, FormatIndian(t.pieces, 0), t.cut.toString(2), FormatIndian(t.metres, 3), t.machine,
                                 trade::itemLabel(db_, t.qualityId).name,
                                 t.used ? QStringLiteral("Y") : QString()};
        for (int c = 0; c < values.size(); ++c) grid_->setItem(i, c, new QTableWidgetItem(values.at(c)));
        pcs += t.pieces;
        mtrs += t.metres;
    }
    const int tot = int(takas_.size());
    const QStringList totals{QStringLiteral("Tot %1").arg(tot), FormatIndian(pcs, 0), QString(), FormatIndian(mtrs, 3), QString(), QString(),
                             QString()};
    for (int c = 0; c < totals.size(); ++c) grid_->setItem(tot, c, new QTableWidgetItem(totals.at(c)));
    grid_->resizeColumnsToContents();
}

void ProductionScreen::refreshList() {
    const db::Rows rows = service_->challanList(book_->currentData().toLongLong());
    const QStringList columns{QStringLiteral("ChNo"), QStringLiteral("ChDate"), QStringLiteral("Tot Taka"), QStringLiteral("Tot Mtrs"),
                              QStringLiteral("AcName"), QStringLiteral("LedgerId"), QStringLiteral("Id"), QStringLiteral("SalesName")};
    list_->setColumnCount(columns.size());
    list_->setHorizontalHeaderLabels(columns);
    list_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < columns.size(); ++c)
            list_->setItem(r, c, new QTableWidgetItem(c == 1 ? rows[size_t(r)].date(columns.at(c)).toString(QStringLiteral("dd-MM-yyyy"))
                                                             : rows[size_t(r)].text(columns.at(c))));
    list_->resizeColumnsToContents();
}

void ProductionScreen::openChallan(qint64 id) {
    const auto c = service_->load(id);
    if (!c) return;
    challanId_ = id;
    const int index = book_->findData(c->bookNo);
    if (index >= 0) {
        QSignalBlocker block(book_);
        book_->setCurrentIndex(index);
    }
    challanNo_->setText(c->challanNo);
    date_->setDate(c->date);
    party_->setChosen(c->partyId, partyName(db_, session_.firmNo, c->partyId));
    takas_ = c->takas;
    refreshGrid();
}

void ProductionScreen::save() {
    jobwork::ProductionChallan c = challanOnScreen();
    if (service_->save(c)) newChallan();
}

void ProductionScreen::remove() {
    if (challanId_ > 0 && service_->remove(challanId_)) newChallan();
}

}  // namespace tanabana::gui
