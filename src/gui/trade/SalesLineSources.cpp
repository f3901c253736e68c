// The sales window's sources of lines besides typing: the colours of a design ticked together
// (frmSales_Single) and the party's challans of a period ticked into one bill (frmSalesBetDt).
#include "gui/trade/SalesScreen.h"

#include "core/Words.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/FormFields.h"
#include "gui/common/LookupField.h"
#include "gui/common/SelectionGrid.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tanabana::gui {

void SalesScreen::buildColourPanel(QVBoxLayout* layout) {
    auto* box = new QGroupBox(QStringLiteral("Colours of the design   (F3 = > Select All)"));
    auto* row = new QHBoxLayout(box);
    colours_ = new SelectionGrid({QStringLiteral("Colour"), QStringLiteral("Qlty Type"), QStringLiteral("Rate"), QStringLiteral("Rate On"),
                                  QStringLiteral("Cut"), QStringLiteral("SGST"), QStringLiteral("CGST"), QStringLiteral("Id")});
    colours_->setColumnHidden(8, true);
    colours_->setObjectName(QStringLiteral("vsgrid_Colour"));
    colours_->setMaximumHeight(120);
    row->addWidget(colours_, 1);
    auto* side = new QGridLayout;
    colourQty_ = amountBox(QStringLiteral("txtColourQty"));
    colourRate_ = amountBox(QStringLiteral("txtColourRate"));
    auto* add = new QPushButton(QStringLiteral("Add &Colours"));
    add->setObjectName(QStringLiteral("cmdAddColours"));
    side->addWidget(caption(QStringLiteral("Qnty")), 0, 0);
    side->addWidget(colourQty_, 0, 1);
    side->addWidget(caption(QStringLiteral("Rate")), 1, 0);
    side->addWidget(colourRate_, 1, 1);
    side->addWidget(add, 2, 0, 1, 2);
    row->addLayout(side);
    layout->addWidget(box);
    connect(add, &QPushButton::clicked, this, [this] { addColourLines(); });
}

void SalesScreen::buildPeriodPanel(QVBoxLayout* layout) {
    auto* box = new QGroupBox(QStringLiteral("Chalan Between Dates"));
    auto* grid = new QGridLayout(box);
    from_ = dateBox(QStringLiteral("DtpFrom"));
    to_ = dateBox(QStringLiteral("DtpTo"));
    showButton_ = new QPushButton(QStringLiteral("S&how Chalan"));
    showButton_->setObjectName(QStringLiteral("cmdShowChalan"));
    summed_ = new QCheckBox(QStringLiteral("Quality Wise Total"));
    summed_->setObjectName(QStringLiteral("ChkSum"));
    auto* take = new QPushButton(QStringLiteral("&Take Selected"));
    take->setObjectName(QStringLiteral("cmdTakeChalan"));
    challans_ = new SelectionGrid({QStringLiteral("Ch No"), QStringLiteral("Ch Date"), QStringLiteral("Pcs"), QStringLiteral("Mtrs"),
                                   QStringLiteral("Amount")});
    challans_->setObjectName(QStringLiteral("vsgrid_Chalan"));
    challans_->setMaximumHeight(130);
    grid->addWidget(caption(QStringLiteral("From")), 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(caption(QStringLiteral("To")), 0, 2);
    grid->addWidget(to_, 0, 3);
    grid->addWidget(showButton_, 0, 4);
    grid->addWidget(summed_, 0, 5);
    grid->addWidget(take, 0, 6);
    grid->addWidget(challans_, 1, 0, 1, 7);
    layout->addWidget(box);
    connect(showButton_, &QPushButton::clicked, this, [this] { showChallans(); });
    connect(take, &QPushButton::clicked, this, [this] { takeTickedChallans(); });
}

void SalesScreen::designChosen() {
    quality_->clearChoice();
    if (!colours_) return;
    colours_->setRowCount(0);
    for (const db::Row& r : trade::designColours(db_, session_.firmNo, design_->text()))
        colours_->addRow({r.text(QStringLiteral("Colour")), r.text(QStringLiteral("Qlty Type")),
                          Decimal::fromVariant(r.value(QStringLiteral("Rate"))).toString(2), r.text(QStringLiteral("Rate On")),
                          Decimal::fromVariant(r.value(QStringLiteral("Cut"))).toString(2), r.text(QStringLiteral("SGST")),
                          r.text(QStringLiteral("CGST")), r.text(QStringLiteral("Id"))});
    colours_->resizeColumnsToContents();
}

void SalesScreen::addColourLines() {
    std::vector<qint64> ids;
    for (int row : colours_->tickedRows()) ids.push_back(colours_->item(row, 8)->text().toLongLong());
    if (ids.empty()) return;
    const auto lines = trade::colourLines(db_, session_.firmNo, messages_, ids, colourQty_->text(), colourRate_->text());
    if (!lines) return;
    lines_.insert(lines_.end(), lines->begin(), lines->end());
    for (int r = 0; r < colours_->rowCount(); ++r) colours_->setTicked(r, false);
    refreshGrid();
}

void SalesScreen::showChallans() {
    const auto list = period_->unbilledChallans(party_->chosenId(), from_->date(), to_->date(), billId_);
    challans_->setRowCount(0);
    listedChallans_.clear();
    if (!list) return;
    listedChallans_ = *list;
    for (const trade::PeriodChallan& c : listedChallans_) {
        challans_->addRow({c.challanNo, c.date.toString(QStringLiteral("dd-MM-yyyy")), FormatIndian(c.pieces, 0), FormatIndian(c.metres, 3),
                           FormatIndian(c.amount, 2)});
        bool onBill = false;
        for (const trade::SalesLine& l : lines_) onBill = onBill || l.challanId == c.id;
        if (onBill) challans_->setTicked(challans_->rowCount() - 1, true);
    }
    challans_->resizeColumnsToContents();
}

void SalesScreen::takeTickedChallans() {
    std::vector<qint64> ids;
    for (int row : challans_->tickedRows()) ids.push_back(listedChallans_.at(size_t(row)).id);
    // The ticks decide which challans the bill holds: lines of challans no longer ticked go.
    std::erase_if(lines_, [](const trade::SalesLine& l) { return l.challanId > 0; });
    for (trade::SalesLine& line : period_->lines(ids, summed_->isChecked())) lines_.push_back(std::move(line));
    refreshGrid();
}

}  // namespace tanabana::gui
