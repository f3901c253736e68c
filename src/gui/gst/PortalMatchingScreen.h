#pragma once
// The GSTR-2A / 2B matching screen (Frm_GSTR2A_Setup, "GSTR - 2 & 2A (Matching)"): a period and
// the portal's return (2A or 2B); Import keeps the portal's workbook or JSON for the period,
// Delete removes it, Match pairs the portal's invoices with the purchase bills; the bills and the
// portal's invoices side by side, the unmatched ones only when asked, near misses waiting for
// Confirm or Reject; a tick on a bill marks it matched by hand; View Report prints both sides,
// Excel writes the mismatches.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/gst/PortalMatching.h"

#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace tanabana::gui {

class DateBox;
class PreviewWindow;

class PortalMatchingScreen : public QWidget {
    Q_OBJECT
public:
    PortalMatchingScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

    void setPeriod(const QDate& from, const QDate& to);
    void setReturn(gst::PortalReturn kind);
    void setOnlyMismatches(bool only);
    bool refresh();
    bool importFile();
    bool deleteImport();
    bool match();
    // Confirms or rejects the proposals of the portal rows ticked in "Sel".
    bool confirmTicked();
    bool rejectTicked();
    bool writeExcel();
    // Both sides on paper in a preview window; null when there is none.
    PreviewWindow* viewReport();

    QTableWidget* booksGrid() const { return books_; }
    QTableWidget* portalGrid() const { return portal_; }
    QString summaryText() const;
    // How Import and Excel ask for a file (dialogs; tests answer directly).
    void setFileAsker(std::function<QString(bool save, const QString& suggested)> asker) { askFile_ = std::move(asker); }

private:
    void build();
    void show(const gst::Reconciliation& r);
    gst::ReturnPeriod period() const;
    gst::PortalReturn kind() const;
    bool setTicked(bool confirm);
    void billTicked(int row);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::optional<gst::Reconciliation> result_;
    std::function<QString(bool, const QString&)> askFile_;
    std::vector<qint64> bookIds_, portalIds_;
    bool filling_ = false;
    DateBox* from_ = nullptr;
    DateBox* to_ = nullptr;
    QComboBox* return_ = nullptr;
    QCheckBox* onlyMismatches_ = nullptr;
    QLabel* summary_ = nullptr;
    QTableWidget* books_ = nullptr;
    QTableWidget* portal_ = nullptr;
};

}  // namespace tanabana::gui
