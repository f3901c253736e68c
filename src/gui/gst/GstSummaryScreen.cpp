#include "gui/gst/GstSummaryScreen.h"

#include "core/Words.h"
#include "domain/gst/ReturnPrints.h"

#include <QComboBox>
#include <QHBoxLayout>

namespace tanabana::gui {

GstSummaryScreen::GstSummaryScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : SheetsReturnScreen(db, session, messages, QStringLiteral("Frm_GSTR_Tarij"), QStringLiteral("GSTR - Summary"), gst::gstSummaryTemplate(),
                         parent) {
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("ComRepType"));
    kind_->addItems(gst::gstSummaryKinds());
    periodRow()->insertWidget(periodRow()->count() - 1, kind_);
}

void GstSummaryScreen::setKind(const QString& kind) { kind_->setCurrentText(kind); }

std::vector<std::vector<QStringList>> GstSummaryScreen::compute(const gst::ReturnPeriod& period) {
    rows_ = gst::GstSummaryService(db_, session_).compute(period, kind_->currentText());
    period_ = period;
    kindShown_ = kind_->currentText();
    return gst::gstSummaryWorkbookRows(rows_);
}

QString GstSummaryScreen::summaryFor(const QString&) const {
    for (const gst::TaxRateRow& r : rows_)
        if (r.source == QLatin1String("Net Payable"))
            return QStringLiteral("Net Payable :  IGST %1    CGST %2    SGST %3").arg(FormatIndian(r.igst, 2), FormatIndian(r.cgst, 2), FormatIndian(r.sgst, 2));
    return QStringLiteral("%1 : %2 row(s)").arg(kind_->currentText()).arg(rows_.size());
}

reports::ReportRequest GstSummaryScreen::report() const { return gst::gstSummaryReport(db_, session_, period_, kindShown_, rows_); }

QString GstSummaryScreen::pdfName() const { return QStringLiteral("GST_Summary_") + period_.from.toString(QStringLiteral("MMM-yyyy")); }

}  // namespace tanabana::gui
