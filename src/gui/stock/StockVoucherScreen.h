#pragma once
// Stock vouchers on the document form: FrmIssue_Stock ("Stock Issue") sends qualities out of the
// godown to a party or job process under a lot number, FrmIssue_StockR ("Stock Receive") takes
// them back. The quality list of a line shows what the godown holds of each quality on the
// voucher's date. The loom firm's forms (FrmIssue_Stock_Rapier, FrmIssue_StockR_Rapier) choose the
// quality by design number and colour and list buyers, mills and job workers only;
// FrmIssue_StockR_Rapier_Single picks the design first and then one of its colours.
#include "db/Database.h"
#include "domain/stock/StockVouchers.h"
#include "gui/common/DocumentForm.h"

#include <memory>

class QComboBox;

namespace tanabana::gui {

struct StockVoucherVariant {
    QString name;     // FrmIssue_Stock ...
    QString caption;
    stock::VoucherKind kind = stock::VoucherKind::Issue;
    bool rapier = false;  // design number and colour, the loom layout
    bool single = false;  // design first, then its colours
};

// The variant of a screen name; the plain issue screen for an unknown name.
StockVoucherVariant stockVoucherVariant(const QString& name);

class StockVoucherScreen : public DocumentForm {
    Q_OBJECT
public:
    StockVoucherScreen(db::Database& db, Session& session, Messages& messages, const StockVoucherVariant& variant, QWidget* parent = nullptr);
    void ShowBilldata(qint64 id) { openEntry(id); }
    stock::StockVoucher voucherOnScreen() const;
    const StockVoucherVariant& variant() const { return variant_; }

protected:
    bool removeDocument(qint64 id) override { return service_->remove(id); }
    void clearDocument() override;
    void loadDocument(qint64 id) override;
    bool saveDocument() override;
    void printDocument(bool pdf) override;
    documents::DocumentPage listDocuments(const documents::ListFilter& filter) override;

private:
    void addLine();
    void refreshGrid();
    void qualityChosen(qint64 id);
    void openTypedNumber();
    // The qualities with stock of the chosen group on the voucher's date, read once per group and date.
    const std::vector<stock::QualityWithStock>& offered();
    const stock::QualityWithStock* quality(qint64 id);
    qint64 bookId() const;

    db::Database& db_;
    StockVoucherVariant variant_;
    std::unique_ptr<stock::StockVouchers> service_;
    std::vector<stock::StockVoucherLine> lines_;
    std::vector<stock::QualityWithStock> offered_;
    QString offeredGroup_;
    QDate offeredDate_;
    bool offeredRead_ = false;
    QString chosenDesign_;
    QComboBox* book_ = nullptr;
    QComboBox* group_ = nullptr;
};

}  // namespace tanabana::gui
