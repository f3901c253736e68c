#include "gui/gst/Itc04Screen.h"

#include "core/Words.h"
#include "domain/gst/ReturnPrints.h"

namespace tanabana::gui {

Itc04Screen::Itc04Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : SheetsReturnScreen(db, session, messages, QStringLiteral("Frm_GSTR_ITC04"), QStringLiteral("ITC-04"), gst::itc04Template(), parent) {
    // the quarter of the month the period bar opens on
    const QDate from = period().from;
    const QDate first(from.year(), (from.month() - 1) / 3 * 3 + 1, 1);
    setPeriod(first, first.addMonths(3).addDays(-1));
}

std::vector<std::vector<QStringList>> Itc04Screen::compute(const gst::ReturnPeriod& period) {
    result_ = gst::Itc04Service(db_, session_).compute(period);
    return gst::itc04WorkbookRows(*result_);
}

QString Itc04Screen::summaryFor(const QString& sheet) const {
    if (!result_) return {};
    const auto& rows = sheet == QLatin1String("4") ? result_->sent : result_->received;
    Decimal metres, value;
    for (const gst::Itc04Row& r : rows) {
        metres += r.quantity;
        value += r.taxable;
    }
    return QStringLiteral("Quarter : %1    Challan lines : %2    Quantity : %3").arg(result_->quarter).arg(rows.size()).arg(FormatIndian(metres, 3)) +
           (sheet == QLatin1String("4") ? QStringLiteral("    Taxable Value : ") + FormatIndian(value, 2) : QString());
}

reports::ReportRequest Itc04Screen::report() const { return gst::itc04Report(db_, session_, *result_); }

QString Itc04Screen::pdfName() const { return QStringLiteral("ITC04_") + result_->quarter + result_->period.from.toString(QStringLiteral("-yyyy")); }

}  // namespace tanabana::gui
