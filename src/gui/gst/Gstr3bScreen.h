#pragma once
// The GSTR-3B screen (Frm_GSTR3, "GSTR - 3B"): a period, the return's tables from the books under
// the headings of the form (3.1 outward supplies, 3.2 inter-state supplies, 4 eligible ITC,
// 5 exempt inward supplies), View Report (the printed return in the preview) and Excel (the form's
// workbook filled in Knvs_GSTR).
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/gst/Gstr3b.h"

#include <QWidget>
#include <optional>

class QTableWidget;

namespace tanabana::gui {

class DateBox;

class Gstr3bScreen : public QWidget {
    Q_OBJECT
public:
    Gstr3bScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

    void setPeriod(const QDate& from, const QDate& to);
    bool refresh();
    QTableWidget* grid() const { return grid_; }
    // Copies the GSTR-3B template into Knvs_GSTR with the return's figures; false when nothing was written.
    bool writeExcel();

private:
    void build();
    void preview();
    bool ensureReturn();

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::optional<gst::Gstr3b> result_;
    DateBox* from_ = nullptr;
    DateBox* to_ = nullptr;
    QTableWidget* grid_ = nullptr;
};

}  // namespace tanabana::gui
