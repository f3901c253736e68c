#include "gui/gst/Gstr9Screen.h"

#include "core/Words.h"
#include "domain/gst/ReturnPrints.h"

namespace tanabana::gui {

Gstr9Screen::Gstr9Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : SheetsReturnScreen(db, session, messages, QStringLiteral("Frm_GSTR9"), QStringLiteral("GSTR - 9"), gst::gstr9Template(), parent) {
    setPeriod(session.yearStartDate, session.yearEndDate);
}

std::vector<std::vector<QStringList>> Gstr9Screen::compute(const gst::ReturnPeriod& period) {
    result_ = gst::Gstr9Service(db_, session_).compute(period);
    return gst::gstr9WorkbookRows(*result_);
}

QString Gstr9Screen::summaryFor(const QString& sheet) const {
    if (!result_) return {};
    const bool outward = sheet.startsWith(QLatin1String("17"));
    if (!outward && !sheet.startsWith(QLatin1String("18"))) return QStringLiteral("Financial Year : %1    GSTIN : %2").arg(result_->financialYear, result_->firmGstin);
    Decimal taxable, tax;
    for (const gst::HsnRow& h : outward ? result_->outward : result_->inward) {
        taxable += h.taxable;
        tax += h.igst + h.cgst + h.sgst;
    }
    return QStringLiteral("HSN rows : %1    Taxable Value : %2    Tax : %3")
        .arg((outward ? result_->outward : result_->inward).size())
        .arg(FormatIndian(taxable, 2), FormatIndian(tax, 2));
}

reports::ReportRequest Gstr9Screen::report() const { return gst::gstr9Report(db_, session_, *result_); }

QString Gstr9Screen::pdfName() const { return QStringLiteral("GSTR9_") + result_->financialYear; }

}  // namespace tanabana::gui
