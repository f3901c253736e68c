#pragma once
// The ITC-04 screen (Frm_GSTR_ITC04, "ITC-04"): a quarter, the goods sent to job workers (4) and
// received back (5A) challan by challan, and Excel filling the ITC-04 workbook.
#include "domain/gst/Itc04.h"
#include "gui/gst/SheetsReturnScreen.h"

#include <optional>

namespace tanabana::gui {

class Itc04Screen : public SheetsReturnScreen {
    Q_OBJECT
public:
    Itc04Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

protected:
    std::vector<std::vector<QStringList>> compute(const gst::ReturnPeriod& period) override;
    QString summaryFor(const QString& sheet) const override;
    reports::ReportRequest report() const override;
    QString pdfName() const override;

private:
    std::optional<gst::Itc04> result_;
};

}  // namespace tanabana::gui
