#pragma once
// The hand-over every printed or exported output goes through: one query, one layout name and
// an ordered list of parameter values. The sales register hands over
//   layout "SalesRegister_GST_1.rpt", its SQL with the firm and period bound, and the title
//   "Sales Register  From 01-04-2024 To 31-03-2025";
// the service reads the layout, runs the query, fills the parameters by position and gives back
// the paginated report, which the preview shows, the printer prints and PDF files hold.
#include "domain/reports/ReportDocument.h"

#include <QStringList>
#include <QVariantList>
#include <memory>
#include <optional>

namespace tanabana::db { class Database; }

namespace tanabana::reports {

struct ReportRequest {
    QString layoutName;             // "Acc_Ledger.rpt"
    QString sql;                    // the caller's query; values bound from sqlParams
    QVariantList sqlParams;
    QStringList parameterValues;    // by position; value n belongs to parameter n
    QString picturePath;            // drawn in the "Picture1" image (e-invoice QR picture)
    std::optional<ResultSet> data;  // rows already at hand (a CSV file) instead of a query
    bool blank = false;             // a layout that needs no rows (labels, forms)
};

// Fills the layout's parameters from the caller's texts: a parameter whose name begins with "Pm"
// (a link to a sub-report) is skipped but still takes its place, so value n always belongs to
// parameter n; extra values are ignored and missing ones leave the layout's defaults. Numbers
// take the leading numeric part of the text ("12.5abc" is 12.5, "abc" is 0). Throws ReportError
// when a currency, yes/no, date or time parameter receives a text that is not one.
std::vector<QVariant> fillParameters(const Layout& layout, const QStringList& values);

class ReportService {
public:
    // `installFolder` is the installation (program) folder: Reports overrides, output folders.
    explicit ReportService(QString installFolder) : installFolder_(std::move(installFolder)) {}
    const QString& installFolder() const { return installFolder_; }

    // Reads the layout, runs the query on `db` (may be null for CSV data or a blank layout) and
    // paginates. Throws ReportError with the reason.
    std::unique_ptr<ReportDocument> prepare(db::Database* db, const ReportRequest& request) const;
    Layout loadLayout(const QString& layoutName) const;

    // Writes all pages as one PDF; the file appears whole or not at all.
    static void writePdf(ReportDocument& document, const QString& path);

    // The hidden PDF for e-mail: "temp1.pdf" in the installation folder, copied to
    // Email_Export/<fileName> (overwriting). Returns the Email_Export folder.
    QString exportForEmail(db::Database* db, const ReportRequest& request, const QString& fileName) const;
    // The hidden PDF for WhatsApp: written straight to WAPDF/<fileName>. Returns the file's path.
    QString exportForWhatsApp(db::Database* db, const ReportRequest& request, const QString& fileName) const;

    // The file name the PDF export suggests: the firm's name, then "_" and the report's own part
    // when it has one, made safe as a file name ("Shree Ganesh Textiles_Ledger_Ramesh").
    static QString suggestedPdfName(const QString& firmName, const QString& reportPdfName);

private:
    QString installFolder_;
};

}  // namespace tanabana::reports
