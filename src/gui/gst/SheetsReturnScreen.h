#pragma once
// The shape of a return screen whose sections are the sheets of its workbook (GSTR-2, ITC-04,
// GSTR-9, the summary): a period, the sheets in tabs with a line of counts over them, View Report
// (the return printed through its layout), Excel copying the return's template with the rows into
// Knvs_GSTR, and Exit. A concrete screen says how its rows are worked out, what its summary line
// says and how the return is printed.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/gst/ReturnWorkbook.h"
#include "domain/reports/ReportService.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QTabWidget;
class QTableWidget;

namespace tanabana::gui {

class DateBox;
class PreviewWindow;

class SheetsReturnScreen : public QWidget {
    Q_OBJECT
public:
    SheetsReturnScreen(db::Database& db, Session& session, Messages& messages, const QString& objectName, const QString& title,
                       const gst::ReturnTemplate& workbook, QWidget* parent = nullptr);

    void setPeriod(const QDate& from, const QDate& to);
    // Works the return out for the period shown; a refusal is shown and the tabs emptied.
    bool refresh();
    // Refreshes, then writes the workbook; false when nothing was written.
    bool writeExcel();
    // Refreshes, then shows the printed return in a preview window; null when there is none.
    PreviewWindow* viewReport();
    QTabWidget* sections() const { return tabs_; }
    QTableWidget* grid(const QString& sheet) const;
    QString summaryText() const;

protected:
    // The rows of each sheet of the workbook for the period; GstError when it cannot be made.
    virtual std::vector<std::vector<QStringList>> compute(const gst::ReturnPeriod& period) = 0;
    // The line over the tab of `sheet` after a refresh ("" for none).
    virtual QString summaryFor(const QString& sheet) const = 0;
    // The printed return of the last refresh: its rows, layout and title.
    virtual reports::ReportRequest report() const = 0;
    // The report's own part of the PDF's suggested name ("GSTR2_Jul-2024").
    virtual QString pdfName() const = 0;
    // The row of the period bar, where a screen adds its own choices before Refresh.
    QHBoxLayout* periodRow() const { return periodRow_; }
    gst::ReturnPeriod period() const;

    db::Database& db_;
    Session& session_;
    Messages& messages_;

private:
    void show(const std::vector<std::vector<QStringList>>& rows);

    const gst::ReturnTemplate& workbook_;
    QString title_;
    bool computed_ = false;
    std::vector<std::vector<QStringList>> rows_;  // of the last refresh
    DateBox* from_ = nullptr;
    DateBox* to_ = nullptr;
    QHBoxLayout* periodRow_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace tanabana::gui
