#include "gui/gst/SheetsReturnScreen.h"

#include "gui/gst/ReturnPeriod.h"

#include "gui/common/FormFields.h"
#include "gui/reports/MasterPrints.h"
#include "gui/reports/PreviewWindow.h"
#include "gui/common/TypedFields.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

SheetsReturnScreen::SheetsReturnScreen(db::Database& db, Session& session, Messages& messages, const QString& objectName, const QString& title,
                                       const gst::ReturnTemplate& workbook, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages), workbook_(workbook), title_(title) {
    setObjectName(objectName);
    setWindowTitle(title);
    auto* outer = new QVBoxLayout(this);
    const PeriodBar bar = addPeriodBar(this, outer, session_);
    from_ = bar.from;
    to_ = bar.to;
    periodRow_ = qobject_cast<QHBoxLayout*>(outer->itemAt(0)->layout());
    summary_ = addSummaryLabel(this, outer);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabSections"));
    for (const gst::ReturnSheet& sheet : workbook_.sheets) {
        auto* grid = documentList();
        grid->setObjectName(QStringLiteral("vsgrid") + QString(sheet.name).remove(QLatin1Char(' ')));
        grid->verticalHeader()->setDefaultSectionSize(22);
        grid->setTabKeyNavigation(false);
        tabs_->addTab(grid, sheet.name);
    }
    outer->addWidget(tabs_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* viewButton = returnButton(this, QStringLiteral("cmdView"), QStringLiteral("View Report"), QStringLiteral("The printed return"));
    auto* excelButton = returnButton(this, QStringLiteral("Cmd_Excel"), QStringLiteral("Excel"), QStringLiteral("The return in its workbook"));
    auto* exit = exitButton(this);
    for (QPushButton* b : {viewButton, excelButton, exit}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(bar.refresh, &QPushButton::clicked, this, [this] { refresh(); });
    connect(viewButton, &QPushButton::clicked, this, [this] { viewReport(); });
    connect(excelButton, &QPushButton::clicked, this, [this] { writeExcel(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { summary_->setText(summaryText()); });
    show({});
}

void SheetsReturnScreen::setPeriod(const QDate& from, const QDate& to) {
    from_->setDate(from);
    to_->setDate(to);
}

gst::ReturnPeriod SheetsReturnScreen::period() const { return {from_->date(), to_->date()}; }

QTableWidget* SheetsReturnScreen::grid(const QString& sheet) const {
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->tabText(i) == sheet) return qobject_cast<QTableWidget*>(tabs_->widget(i));
    return nullptr;
}

void SheetsReturnScreen::show(const std::vector<std::vector<QStringList>>& rows) {
    for (size_t s = 0; s < workbook_.sheets.size(); ++s)
        fillReturnGrid(grid(workbook_.sheets[s].name), workbook_.sheets[s].header, s < rows.size() ? rows[s] : std::vector<QStringList>{});
    summary_->setText(summaryText());
}

bool SheetsReturnScreen::refresh() {
    try {
        rows_ = compute(period());
    } catch (const gst::GstError& e) {
        computed_ = false;
        rows_.clear();
        show({});
        messages_.critical(title_, e.text());
        return false;
    }
    computed_ = true;
    show(rows_);
    return true;
}

QString SheetsReturnScreen::summaryText() const { return computed_ ? summaryFor(tabs_->tabText(tabs_->currentIndex())) : QString(); }

PreviewWindow* SheetsReturnScreen::viewReport() {
    if (!refresh()) return nullptr;
    return previewReport(session_, messages_, report(), pdfName(), this);
}

bool SheetsReturnScreen::writeExcel() {
    if (!refresh()) return false;
    try {
        gst::writeReturnWorkbook(session_.dataRoot, workbook_, rows_, gst::returnWorkbookPath(session_.dataRoot, workbook_, period().from));
    } catch (const gst::TemplateMissing& e) {
        messages_.critical(gst::kTemplateMissingTitle, e.text());
        return false;
    } catch (const gst::GstError& e) {
        messages_.critical(title_, e.text());
        return false;
    }
    messages_.information(title_, QStringLiteral("Done"));
    return true;
}

}  // namespace tanabana::gui
