#pragma once
// The GSTR-1 screen (Frm_GSTR1): a period, the return's sections in tabs as the portal's files
// hold them (B2B ... HSN, the documents issued) with the counts and totals of the invoice
// sections, rows the portal would refuse painted red, the check's list of faults with the fix
// for each (Enter opens the bill, return or note), and the buttons that write the CSV files and
// the JSON into the installation's GSTR_CSV folder after warning of the faults.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/gst/Gstr1Check.h"

#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QTabWidget;
class QTableWidget;

namespace tanabana::gui {

class DateBox;
class PreviewWindow;

class Gstr1Screen : public QWidget {
    Q_OBJECT
public:
    Gstr1Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

    void setPeriod(const QDate& from, const QDate& to);
    // Computes the return and the check for the period shown; a refusal is shown and the tabs emptied.
    bool refresh();
    // Writes the files of the period shown into the GSTR_CSV folder (the return is computed first
    // when the period changed); false when nothing was written.
    bool writeCsv();
    bool writeJson();
    // Copies the GSTR-1 template into Knvs_GSTR with the return's rows; false when nothing was written.
    bool writeExcel();
    // The return on paper in a preview window; null when there is none.
    PreviewWindow* viewReport();

    QTabWidget* sections() const { return tabs_; }
    // The grid of a tab by its caption ("B2B", "HSN", "Check" ...), null when there is none.
    QTableWidget* grid(const QString& caption) const;
    QString summaryText() const;
    // Opens the document of a row of the check list (a bill, a return or a note); false when the
    // row names none.
    bool openProblem(int row);

    // How a document is opened: its kind (3 sales bill, 4 sales return, 21 credit note) and key.
    void setOpenDocument(std::function<void(int formId, qint64 id)> open) { openDocument_ = std::move(open); }
    // How the written folder is shown to the operator (a file manager; tests record it).
    void setFolderShower(std::function<void(const QString& folder)> show) { showFolder_ = std::move(show); }
    QString folder() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void showReturn();
    QTableWidget* addTab(const QString& caption);
    bool ensureReturn();
    bool warnOfProblems();
    bool writeFiles(const std::function<void(const gst::Gstr1&, const QString&)>& write);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::optional<gst::Gstr1> result_;
    std::vector<gst::Gstr1Problem> problems_;
    std::function<void(int, qint64)> openDocument_;
    std::function<void(const QString&)> showFolder_;

    DateBox* from_ = nullptr;
    DateBox* to_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace tanabana::gui
