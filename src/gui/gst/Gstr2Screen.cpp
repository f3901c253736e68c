#include "gui/gst/Gstr2Screen.h"

#include "gui/gst/ReturnPeriod.h"

#include "core/Words.h"
#include "gui/common/FormFields.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

const QString kTitle = QStringLiteral("GSTR - 2");

}  // namespace

Gstr2Screen::Gstr2Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("Frm_GSTR2"));
    setWindowTitle(kTitle);
    build();
}

void Gstr2Screen::build() {
    auto* outer = new QVBoxLayout(this);
    const PeriodBar bar = addPeriodBar(this, outer, session_);
    from_ = bar.from;
    to_ = bar.to;
    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("ComGSTR2A"));
    filter_->addItems({QStringLiteral("All Bills"), QStringLiteral("Matched With GSTR-2A"), QStringLiteral("Not Matched With GSTR-2A")});
    if (auto* row = qobject_cast<QHBoxLayout*>(outer->itemAt(0)->layout())) row->insertWidget(row->count() - 1, filter_);

    summary_ = addSummaryLabel(this, outer);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabSections"));
    for (const gst::ReturnSheet& sheet : gst::gstr2Sheets()) {
        auto* grid = documentList();
        grid->setObjectName(QStringLiteral("vsgrid") + sheet.name);
        grid->verticalHeader()->setDefaultSectionSize(22);
        grid->setTabKeyNavigation(false);
        tabs_->addTab(grid, sheet.name);
    }
    outer->addWidget(tabs_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* viewButton = returnButton(this, QStringLiteral("cmdView"), QStringLiteral("View Report"), QStringLiteral("Not available yet"));
    auto* excelButton = returnButton(this, QStringLiteral("Cmd_Excel"), QStringLiteral("Excel"), QStringLiteral("Not available yet"));
    auto* exit = exitButton(this);
    viewButton->setEnabled(false);
    excelButton->setEnabled(false);
    for (QPushButton* b : {viewButton, excelButton, exit}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(bar.refresh, &QPushButton::clicked, this, [this] { refresh(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { summary_->setText(summaryText()); });
    showReturn();
}

void Gstr2Screen::setPeriod(const QDate& from, const QDate& to) {
    from_->setDate(from);
    to_->setDate(to);
}

void Gstr2Screen::setFilter(gst::PortalMatchFilter filter) { filter_->setCurrentIndex(int(filter)); }

QTableWidget* Gstr2Screen::grid(const QString& sheet) const {
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->tabText(i) == sheet) return qobject_cast<QTableWidget*>(tabs_->widget(i));
    return nullptr;
}

bool Gstr2Screen::refresh() {
    try {
        result_ = gst::Gstr2Service(db_, session_).compute({from_->date(), to_->date()}, gst::PortalMatchFilter(filter_->currentIndex()));
    } catch (const gst::GstError& e) {
        result_.reset();
        showReturn();
        messages_.critical(kTitle, e.text());
        return false;
    }
    showReturn();
    return true;
}

void Gstr2Screen::showReturn() {
    static const gst::Gstr2 empty;
    const gst::Gstr2& r = result_ ? *result_ : empty;
    for (const gst::ReturnSheet& sheet : gst::gstr2Sheets()) fillReturnGrid(grid(sheet.name), sheet.header, gst::gstr2Rows(r, sheet.name));
    summary_->setText(summaryText());
}

QString Gstr2Screen::summaryText() const {
    if (!result_) return {};
    const QString tab = tabs_->tabText(tabs_->currentIndex());
    const gst::SectionSummary* s = tab == QLatin1String("B2B")     ? &result_->b2bSummary
                                   : tab == QLatin1String("B2BUR") ? &result_->b2burSummary
                                                                   : nullptr;
    if (!s) return {};
    return sectionSummaryText(*s);
}

}  // namespace tanabana::gui
