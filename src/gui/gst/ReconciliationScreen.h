#pragma once
// The yearly reconciliation screen (Frm_Gstr_Audit, "GST Reconsilation"): the six groups with
// their months, the books' figures beside the figures filed online, which the operator types
// with a tick for the months that agree; Refresh works the books' figures out again, Save keeps
// what was typed, Delete removes the year's entry, View Report prints it and Excel writes the
// reconciliation workbook.
#include "domain/gst/YearReconciliation.h"

#include <QWidget>

class QTableWidget;

namespace tanabana::gui {

class PreviewWindow;

class ReconciliationScreen : public QWidget {
    Q_OBJECT
public:
    ReconciliationScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

    bool refresh();
    bool save();
    bool deleteYear();
    bool writeExcel();
    // The reconciliation on paper in a preview window; null when there is none.
    PreviewWindow* viewReport();
    QTableWidget* grid() const { return grid_; }

private:
    void show(const std::vector<gst::ReconciliationRow>& rows);
    // The rows with what the operator typed; nothing (and a message) when a figure is not a number.
    std::optional<std::vector<gst::ReconciliationRow>> typed();

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::vector<gst::ReconciliationRow> rows_;
    QTableWidget* grid_ = nullptr;
    bool filling_ = false;
};

}  // namespace tanabana::gui
