#pragma once
// The GST summary screen (Frm_GSTR_Tarij, "GSTR - Summary"): a period and a report kind, the tax
// per document kind and rate with the gross liability and the net payable, and Excel.
#include "domain/gst/GstSummary.h"
#include "gui/gst/SheetsReturnScreen.h"

class QComboBox;

namespace tanabana::gui {

class GstSummaryScreen : public SheetsReturnScreen {
    Q_OBJECT
public:
    GstSummaryScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    void setKind(const QString& kind);

protected:
    std::vector<std::vector<QStringList>> compute(const gst::ReturnPeriod& period) override;
    QString summaryFor(const QString& sheet) const override;
    reports::ReportRequest report() const override;
    QString pdfName() const override;

private:
    std::vector<gst::TaxRateRow> rows_;
    gst::ReturnPeriod period_;
    QString kindShown_;  // the kind of the last refresh
    QComboBox* kind_ = nullptr;
};

}  // namespace tanabana::gui
