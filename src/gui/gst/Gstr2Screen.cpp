#include "gui/gst/Gstr2Screen.h"

#include "gui/gst/ReturnPeriod.h"

#include "domain/gst/ReturnPrints.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <set>

namespace tanabana::gui {

Gstr2Screen::Gstr2Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : SheetsReturnScreen(db, session, messages, QStringLiteral("Frm_GSTR2"), QStringLiteral("GSTR - 2"), gst::gstr2Template(), parent) {
    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("ComGSTR2A"));
    filter_->addItems({QStringLiteral("All Bills"), QStringLiteral("Matched With GSTR-2A"), QStringLiteral("Not Matched With GSTR-2A")});
    periodRow()->insertWidget(periodRow()->count() - 1, filter_);
}

void Gstr2Screen::setFilter(gst::PortalMatchFilter filter) { filter_->setCurrentIndex(int(filter)); }

std::vector<std::vector<QStringList>> Gstr2Screen::compute(const gst::ReturnPeriod& period) {
    result_ = gst::Gstr2Service(db_, session_).compute(period, gst::PortalMatchFilter(filter_->currentIndex()));
    return gst::gstr2WorkbookRows(*result_);
}

QString Gstr2Screen::summaryFor(const QString& sheet) const {
    if (!result_) return {};
    if (sheet == QLatin1String("B2B")) return sectionSummaryText(result_->b2bSummary);
    if (sheet == QLatin1String("B2BUR")) return sectionSummaryText(result_->b2burSummary);
    if (sheet != QLatin1String("CDNR") && sheet != QLatin1String("CDNUR")) return {};
    // The notes counted as the invoices are: each party and each note (a return and a debit note
    // may share a key) once, a note's value once over its rates.
    gst::SectionSummary notes;
    std::set<QString> parties;
    std::set<std::pair<int, qint64>> seen;
    for (const gst::InwardNoteRow& n : sheet == QLatin1String("CDNR") ? result_->cdnr : result_->cdnur) {
        parties.insert(n.supplier);
        if (seen.insert({n.formId, n.documentId}).second) notes.invoiceValue += n.noteValue;
        notes.taxable += n.taxable;
    }
    notes.parties = int(parties.size());
    notes.invoices = int(seen.size());
    return sectionSummaryText(notes, true);
}

reports::ReportRequest Gstr2Screen::report() const { return gst::gstr2Report(db_, session_, *result_); }

QString Gstr2Screen::pdfName() const { return QStringLiteral("GSTR2_") + result_->period.from.toString(QStringLiteral("MMM-yyyy")); }

}  // namespace tanabana::gui
