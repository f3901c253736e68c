#pragma once
// The GSTR-2 screen (Frm_GSTR2, "GSTR - 2"): a period, which bills to take (all, only those
// matched with the portal's GSTR-2A, or only those not matched), and the return's sheets in tabs
// (B2B, B2BUR, CDNR, CDNUR, exemp, HSNSUM) with the counts and totals of the invoice sections.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/gst/Gstr2.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QTabWidget;
class QTableWidget;

namespace tanabana::gui {

class DateBox;

class Gstr2Screen : public QWidget {
    Q_OBJECT
public:
    Gstr2Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

    void setPeriod(const QDate& from, const QDate& to);
    void setFilter(gst::PortalMatchFilter filter);
    bool refresh();
    QTabWidget* sections() const { return tabs_; }
    QTableWidget* grid(const QString& sheet) const;
    QString summaryText() const;

private:
    void build();
    void showReturn();

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::optional<gst::Gstr2> result_;
    DateBox* from_ = nullptr;
    DateBox* to_ = nullptr;
    QComboBox* filter_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace tanabana::gui
