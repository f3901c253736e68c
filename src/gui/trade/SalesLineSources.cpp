#include "gui/trade/SalesLineSources.h"

#include "core/Words.h"
#include "domain/shell/FirmSettings.h"
#include "domain/trade/PeriodBilling.h"
#include "domain/trade/SalesLines.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/SelectionGrid.h"
#include "gui/trade/SellingLookups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tanabana::gui {

using trade::SalesLine;

DocField SalesLineSource::qualityField() {
    return DocField::lookup(QStringLiteral("txtQuality"), QStringLiteral("Quality Name"),
                            {qualitySearch(db(), session().firmNo, QStringLiteral("Quality Name")), QStringLiteral("Id"),
                             QStringLiteral("Quality Name")});
}

QDate SalesLineSource::billDate() const { return s_.dateField(QStringLiteral("DtpBillDate"))->date(); }

void SalesLineSource::linesChanged() const {
    s_.markChanged();
    s_.refreshGrid();
}

namespace {

// frmSales: lines typed by quality only.
class TypedLines : public SalesLineSource {
public:
    using SalesLineSource::SalesLineSource;
    QString objectName() const override { return QStringLiteral("frmSales"); }
    QString title() const override { return QStringLiteral("Sales Invoice"); }
};

// frmSales_Single: the design number, then its colour; the colours of a design ticked together.
class DesignColours : public SalesLineSource {
public:
    using SalesLineSource::SalesLineSource;
    QString objectName() const override { return QStringLiteral("frmSales_Single"); }
    QString title() const override { return QStringLiteral("Sales Invoice (Design No Wise)"); }

    std::vector<DocField> fieldsBeforeQuality() override {
        return {DocField::lookup(QStringLiteral("txtDesignNo"), QStringLiteral("Design No"),
                                 {designSearch(db(), session().firmNo), QStringLiteral("Id"), QStringLiteral("Design No")})};
    }
    DocField qualityField() override {
        return DocField::lookup(
            QStringLiteral("txtColour"), QStringLiteral("Colour"),
            {[this](const QString& prefix) { return trade::designColours(db(), session().firmNo, design()->text(), prefix); },
             QStringLiteral("Id"), QStringLiteral("Colour")});
    }
    std::vector<GridColumn> columns() const override {
        return {GridColumn::text(QStringLiteral("Design No")), GridColumn::text(QStringLiteral("Colour")),
                GridColumn::text(QStringLiteral("Qlty Type"))};
    }
    std::vector<Cell> cells(const SalesLine& line) const override {
        const trade::ItemLabel label = trade::itemLabel(db(), line.qualityId);
        return {label.designNo, label.colour, label.qualityType};
    }

    void build() override {
        auto* box = new QGroupBox(QStringLiteral("Colours of the design   (F3 = > Select All)"));
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(4, 2, 4, 2);
        colours_ = new SelectionGrid({QStringLiteral("Colour"), QStringLiteral("Qlty Type"), QStringLiteral("Rate"),
                                      QStringLiteral("Rate On"), QStringLiteral("Cut"), QStringLiteral("SGST"),
                                      QStringLiteral("CGST"), QStringLiteral("Id")});
        colours_->setColumnHidden(8, true);
        colours_->setObjectName(QStringLiteral("vsgrid_Colour"));
        colours_->setMaximumHeight(100);
        row->addWidget(colours_, 1);
        auto* side = new QGridLayout;
        quantity_ = amountBox(QStringLiteral("txtColourQty"));
        rate_ = amountBox(QStringLiteral("txtColourRate"));
        auto* add = new QPushButton(QStringLiteral("Add &Colours"));
        add->setObjectName(QStringLiteral("cmdAddColours"));
        side->addWidget(caption(QStringLiteral("Qnty")), 0, 0);
        side->addWidget(quantity_, 0, 1);
        side->addWidget(caption(QStringLiteral("Rate")), 1, 0);
        side->addWidget(rate_, 1, 1);
        side->addWidget(add, 2, 0, 1, 2);
        row->addLayout(side);
        addPanel(box, {}, true);
        QObject::connect(add, &QPushButton::clicked, box, [this] { addTicked(); });
    }
    void wire() override {
        QObject::connect(design(), &LookupField::chosen, design(), [this] { designChosen(); });
        QObject::connect(quality(), &LookupField::chosen, quality(), [this] {
            // the cut of a piece comes with the colour
            if (const auto item = trade::lineForItem(db(), session().firmNo, quality()->chosenId());
                item && !item->input.cut.isZero())
                text(QStringLiteral("txtCut"))->setText(item->input.cut.toString(2));
        });
        // a colour must be chosen from the design's list
        keys()->onEnter(quality(), [this] { return quality()->chosenId() == 0; });
    }
    void started() override {
        // a firm selling pieces prices by the piece
        s_.findChild<QComboBox*>(QStringLiteral("ComTy"))
            ->setCurrentText(shell::FirmSettings(session()).piecesOnly() ? QStringLiteral("P") : QStringLiteral("M"));
        if (design()) design()->clearChoice();
        if (colours_) colours_->setRowCount(0);
    }
    bool lineAdded() override {
        // the next colour of the same design is one Enter away
        design()->setFocus();
        design()->selectAll();
        return true;
    }
    void lineTakenBack(const SalesLine& line) override {
        const trade::ItemLabel label = trade::itemLabel(db(), line.qualityId);
        design()->setChosen(line.qualityId, label.designNo);
        quality()->setChosen(line.qualityId, label.colour);
    }

private:
    LookupField* design() const { return s_.findChild<LookupField*>(QStringLiteral("txtDesignNo")); }

    void designChosen() {
        quality()->clearChoice();
        colours_->setRowCount(0);
        for (const db::Row& r : trade::designColours(db(), session().firmNo, design()->text()))
            colours_->addRow({r.text(QStringLiteral("Colour")), r.text(QStringLiteral("Qlty Type")),
                              Decimal::fromVariant(r.value(QStringLiteral("Rate"))).toString(2),
                              r.text(QStringLiteral("Rate On")), Decimal::fromVariant(r.value(QStringLiteral("Cut"))).toString(2),
                              r.text(QStringLiteral("SGST")), r.text(QStringLiteral("CGST")), r.text(QStringLiteral("Id"))});
        colours_->resizeColumnsToContents();
    }

    void addTicked() {
        std::vector<qint64> ids;
        for (int row : colours_->tickedRows()) ids.push_back(colours_->item(row, 8)->text().toLongLong());
        if (ids.empty()) return;
        const auto added = trade::colourLines(db(), session().firmNo, messages(), ids, quantity_->text(), rate_->text());
        if (!added) return;
        lines().insert(lines().end(), added->begin(), added->end());
        for (int r = 0; r < colours_->rowCount(); ++r) colours_->setTicked(r, false);
        linesChanged();
    }

    SelectionGrid* colours_ = nullptr;
    QLineEdit* quantity_ = nullptr;
    QLineEdit* rate_ = nullptr;
};

// frmSalesBetDt: the party's challans of a period not yet billed, ticked into one bill; a
// bleaching firm's job-work outward challans ("Job No", "JobW Date").
class PeriodChallans : public SalesLineSource {
public:
    explicit PeriodChallans(SalesScreen& screen) : SalesLineSource(screen), period_(db(), session(), messages()) {}
    QString objectName() const override { return QStringLiteral("frmSalesBetDt"); }
    QString title() const override { return QStringLiteral("Sales Invoice (Chalan Between Dates)"); }

    std::vector<GridColumn> columns() const override {
        if (period_.billsJobWork()) return {GridColumn::text(QStringLiteral("Job No")), GridColumn::date(QStringLiteral("JobW Date"))};
        return {GridColumn::text(QStringLiteral("Ch No")), GridColumn::date(QStringLiteral("Ch Date"))};
    }
    std::vector<Cell> cells(const SalesLine& line) const override {
        const auto source = period_.challan(line.challanId, line.challanForm);
        if (!source) return {QString(), QString()};
        return {source->challanNo, source->date};
    }

    void build() override {
        const bool jobWork = period_.billsJobWork();
        auto* box = new QGroupBox(jobWork ? QStringLiteral("Job Work Between Dates") : QStringLiteral("Chalan Between Dates"));
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(4, 2, 4, 2);
        from_ = dateBox(QStringLiteral("DtpFrom"));
        to_ = dateBox(QStringLiteral("DtpTo"));
        from_->setFinancialYear(session().yearStartDate, session().yearEndDate);
        to_->setFinancialYear(session().yearStartDate, session().yearEndDate);
        show_ = new QPushButton(jobWork ? QStringLiteral("S&how Job Work") : QStringLiteral("S&how Chalan"));
        show_->setObjectName(QStringLiteral("cmdShowChalan"));
        summed_ = new QCheckBox(QStringLiteral("Quality Wise Total"));
        summed_->setObjectName(QStringLiteral("ChkSum"));
        auto* take = new QPushButton(QStringLiteral("Ta&ke Selected"));
        take->setObjectName(QStringLiteral("cmdTakeChalan"));
        list_ = new SelectionGrid({jobWork ? QStringLiteral("Job No") : QStringLiteral("Ch No"),
                                   jobWork ? QStringLiteral("JobW Date") : QStringLiteral("Ch Date"),
                                   jobWork ? QStringLiteral("Taka") : QStringLiteral("Pcs"), QStringLiteral("Mtrs"), QStringLiteral("Amount")});
        list_->setObjectName(QStringLiteral("vsgrid_Chalan"));
        list_->setMaximumHeight(110);
        auto* fromCaption = caption(QStringLiteral("From"));
        fromCaption->setBuddy(from_);
        auto* toCaption = caption(QStringLiteral("To"));
        toCaption->setBuddy(to_);
        grid->addWidget(fromCaption, 0, 0);
        grid->addWidget(from_, 0, 1);
        grid->addWidget(toCaption, 0, 2);
        grid->addWidget(to_, 0, 3);
        grid->addWidget(show_, 0, 4);
        grid->addWidget(summed_, 0, 5);
        grid->addWidget(take, 0, 6);
        grid->addWidget(list_, 1, 0, 1, 7);
        addPanel(box, {from_, to_, show_, list_}, false);
        QObject::connect(show_, &QPushButton::clicked, box, [this] { showChallans(); });
        QObject::connect(take, &QPushButton::clicked, box, [this] { takeTicked(); });
    }
    void wire() override {
        keys()->onEnter(show_, [this] {
            showChallans();
            if (list_->rowCount() > 0) {
                list_->setFocus();
                list_->selectRow(0);
            }
            return true;
        });
        // Enter on the list takes the ticked challans and goes on to the lines
        keys()->onEnter(list_, [this] {
            takeTicked();
            return false;
        });
    }
    void started() override {
        if (!from_) return;
        to_->setDate(billDate());
        from_->setDate(billDate().addDays(1 - billDate().day()));
        summed_->setChecked(shell::FirmSettings(session()).flag(QStringLiteral("Is_Ch_Q_Sum")));
        list_->setRowCount(0);
        listed_.clear();
    }
    void opened() override { showChallans(); }

private:
    void showChallans() {
        const auto found = period_.unbilledChallans(party()->chosenId(), from_->date(), to_->date(), billId());
        list_->setRowCount(0);
        listed_.clear();
        if (!found) return;
        listed_ = *found;
        for (const trade::PeriodChallan& c : listed_) {
            list_->addRow({c.challanNo, c.date.toString(QStringLiteral("dd-MM-yyyy")), FormatIndian(c.pieces, 0),
                           FormatIndian(c.metres, 3), FormatIndian(c.amount, 2)});
            bool onBill = false;
            for (const SalesLine& l : lines()) onBill = onBill || (l.challanId == c.id && l.challanForm == c.form);
            if (onBill) list_->setTicked(list_->rowCount() - 1, true);
        }
        list_->resizeColumnsToContents();
    }

    void takeTicked() {
        std::vector<qint64> ids;
        for (int row : list_->tickedRows()) ids.push_back(listed_.at(size_t(row)).id);
        // the ticks decide which challans the bill holds: lines of challans no longer ticked go
        std::erase_if(lines(), [](const SalesLine& l) { return l.challanId > 0; });
        for (SalesLine& line : period_.lines(ids, summed_->isChecked())) lines().push_back(std::move(line));
        linesChanged();
    }

    mutable trade::PeriodBilling period_;  // its look-ups do not change it
    std::vector<trade::PeriodChallan> listed_;
    DateBox* from_ = nullptr;
    DateBox* to_ = nullptr;
    QPushButton* show_ = nullptr;
    QCheckBox* summed_ = nullptr;
    SelectionGrid* list_ = nullptr;
};

}  // namespace

std::unique_ptr<SalesLineSource> salesLineSource(SalesScreen::Kind kind, SalesScreen& screen) {
    switch (kind) {
    case SalesScreen::Kind::Single:
        return std::make_unique<DesignColours>(screen);
    case SalesScreen::Kind::Period:
        return std::make_unique<PeriodChallans>(screen);
    case SalesScreen::Kind::Main:
        break;
    }
    return std::make_unique<TypedLines>(screen);
}

}  // namespace tanabana::gui
