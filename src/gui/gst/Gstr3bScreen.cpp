#include "gui/gst/Gstr3bScreen.h"

#include "gui/gst/ReturnPeriod.h"

#include "core/Words.h"
#include "domain/gst/Gstr3bPrint.h"
#include "domain/gst/Gstr3bWorkbook.h"
#include "domain/gst/ReturnWorkbook.h"
#include "gui/common/FormFields.h"
#include "gui/reports/MasterPrints.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

const QString kTitle = QStringLiteral("GSTR - 3B");

}  // namespace

Gstr3bScreen::Gstr3bScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("Frm_GSTR3"));
    setWindowTitle(kTitle);
    build();
}

void Gstr3bScreen::build() {
    auto* outer = new QVBoxLayout(this);
    const PeriodBar bar = addPeriodBar(this, outer, session_);
    from_ = bar.from;
    to_ = bar.to;
    QPushButton* refreshButton = bar.refresh;

    grid_ = documentList();
    grid_->setParent(this);
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->verticalHeader()->setDefaultSectionSize(22);
    outer->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* viewButton = returnButton(this, QStringLiteral("cmdView"), QStringLiteral("View Report"), QStringLiteral("The printed return"));
    auto* excelButton = returnButton(this, QStringLiteral("Cmd_Excel"), QStringLiteral("Excel"), QStringLiteral("The return in its workbook"));
    auto* exit = exitButton(this);
    for (QPushButton* b : {viewButton, excelButton, exit}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(viewButton, &QPushButton::clicked, this, [this] { preview(); });
    connect(excelButton, &QPushButton::clicked, this, [this] { writeExcel(); });
}

void Gstr3bScreen::setPeriod(const QDate& from, const QDate& to) {
    from_->setDate(from);
    to_->setDate(to);
}

bool Gstr3bScreen::refresh() {
    result_.reset();
    grid_->clear();
    grid_->setRowCount(0);
    try {
        result_ = gst::Gstr3bService(db_, session_).compute({from_->date(), to_->date()});
    } catch (const gst::GstError& e) {
        messages_.critical(kTitle, e.text());
        return false;
    }
    // The rows of the printed return, under the headings of its sections.
    const reports::ReportRequest request = gst::gstr3bReport(db_, session_, *result_);
    const QStringList captions = {"Table", "Nature of Supplies", "Total Taxable Value", "Integrated Tax", "Central Tax", "State/UT Tax", "Cess"};
    grid_->setColumnCount(int(captions.size()));
    grid_->setHorizontalHeaderLabels(captions);
    QString section;
    QFont bold = grid_->font();
    bold.setBold(true);
    for (const QVariantList& row : request.data->rows) {
        if (row.at(0).toString() != section) {
            section = row.at(0).toString();
            const int r = grid_->rowCount();
            grid_->insertRow(r);
            auto* heading = new QTableWidgetItem(section);
            heading->setFont(bold);
            grid_->setItem(r, 0, heading);
            grid_->setSpan(r, 0, 1, int(captions.size()));
        }
        const int r = grid_->rowCount();
        grid_->insertRow(r);
        grid_->setItem(r, 0, new QTableWidgetItem(row.at(1).toString()));
        grid_->setItem(r, 1, new QTableWidgetItem(row.at(2).toString()));
        for (int c = 3; c <= 7; ++c) {
            auto* item = new QTableWidgetItem(FormatIndian(Decimal::fromVariant(row.at(c)), 2));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(r, c - 1, item);
        }
    }
    grid_->resizeColumnsToContents();
    return true;
}

bool Gstr3bScreen::ensureReturn() {
    if (result_ && result_->period.from == from_->date() && result_->period.to == to_->date()) return true;
    return refresh();
}

void Gstr3bScreen::preview() {
    if (!ensureReturn()) return;
    previewReport(session_, messages_, gst::gstr3bReport(db_, session_, *result_),
                  QStringLiteral("GSTR3B_") + result_->period.from.toString(QStringLiteral("MMM-yyyy")), this);
}

bool Gstr3bScreen::writeExcel() {
    if (!ensureReturn()) return false;
    try {
        gst::writeGstr3bWorkbook(*result_, gst::Gstr1Service(db_, session_).firm().gstin, session_.firmName, session_.dataRoot,
                                 gst::gstr3bWorkbookPath(session_.dataRoot, result_->period));
    } catch (const gst::TemplateMissing& e) {
        messages_.critical(gst::kTemplateMissingTitle, e.text());
        return false;
    } catch (const gst::GstError& e) {
        messages_.critical(kTitle, e.text());
        return false;
    }
    messages_.information(kTitle, QStringLiteral("Done"));
    return true;
}

}  // namespace tanabana::gui
