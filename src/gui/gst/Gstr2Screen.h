#pragma once
// The GSTR-2 screen (Frm_GSTR2, "GSTR - 2"): a period, which bills to take (all, only those
// matched with the portal's GSTR-2A, or only those not matched), and the return's sheets in tabs
// (B2B, B2BUR, CDNR, CDNUR, exemp, HSNSUM) with the counts and totals of the invoice and notes
// sections.
#include "domain/gst/Gstr2.h"
#include "gui/gst/SheetsReturnScreen.h"

#include <optional>

class QComboBox;

namespace tanabana::gui {

class Gstr2Screen : public SheetsReturnScreen {
    Q_OBJECT
public:
    Gstr2Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    void setFilter(gst::PortalMatchFilter filter);

protected:
    std::vector<std::vector<QStringList>> compute(const gst::ReturnPeriod& period) override;
    QString summaryFor(const QString& sheet) const override;
    reports::ReportRequest report() const override;
    QString pdfName() const override;

private:
    std::optional<gst::Gstr2> result_;
    QComboBox* filter_ = nullptr;
};

}  // namespace tanabana::gui
