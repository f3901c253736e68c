#pragma once
// The GSTR-9 screen (Frm_GSTR9, "GSTR - 9"): the year (or a part of it), the HSN tables of the
// yearly return (17 outward, 18 inward) and Excel filling the GSTR-9 workbook.
#include "domain/gst/Gstr9.h"
#include "gui/gst/SheetsReturnScreen.h"

#include <optional>

namespace tanabana::gui {

class Gstr9Screen : public SheetsReturnScreen {
    Q_OBJECT
public:
    Gstr9Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

protected:
    std::vector<std::vector<QStringList>> compute(const gst::ReturnPeriod& period) override;
    QString summaryFor(const QString& sheet) const override;
    reports::ReportRequest report() const override;
    QString pdfName() const override;

private:
    std::optional<gst::Gstr9> result_;
};

}  // namespace tanabana::gui
