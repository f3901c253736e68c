#pragma once
// Two screens of lists rather than single entries:
// - "Consumption Master" (frmProdMst_Consumption_MD): the yarn sheet of one fabric quality, its
//   warp and weft lines with weights and costs worked out as they are typed, and the totals;
// - "Item Rate & GST Rate Update" (FrmProdMstCommonList): the firm's items filtered and ticked,
//   a rate raised by a percentage or one GST value set on all ticked items.
#include "domain/products/Consumption.h"
#include "domain/products/RateUpdate.h"
#include "gui/common/MessageBoxes.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tanabana::gui {

class SelectionGrid;

class ConsumptionScreen : public QWidget {
    Q_OBJECT
public:
    explicit ConsumptionScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    // Chooses the fabric item (its sheet is shown when it has one).
    void chooseFabric(qint64 itemId);
    // Adds the yarn line typed in the line boxes.
    void addLine();
    void saveSheet();
    void deleteSheet();
    void showFromSameDesign();
    QString totalText(const QString& objectName) const;

private:
    void fillFabrics();
    std::optional<products::ConsumptionSheet> sheetFromFields();
    void showSheet(const products::ConsumptionSheet& sheet);
    void recompute();
    void newSheet();
    QLineEdit* box(const QString& name) const;

    Session& session_;
    MessageBoxes boxes_;
    Messages& messages_;
    products::ConsumptionMaster sheets_;
    products::ConsumptionSheet sheet_;
    QComboBox* fabric_;
    QComboBox* yarn_;
    QComboBox* lineType_;
    QDateEdit* date_;
    QTableWidget* grid_;
};

class RateUpdateScreen : public QWidget {
    Q_OBJECT
public:
    explicit RateUpdateScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    SelectionGrid* grid() const { return grid_; }
    void showList();
    void updateRates();
    void updateValue();

private:
    std::vector<qint64> tickedIds() const;
    QLineEdit* box(const QString& name) const;

    Session& session_;
    MessageBoxes boxes_;
    Messages& messages_;
    products::RateUpdate update_;
    SelectionGrid* grid_;
    QComboBox* group_;
    QComboBox* rateKind_;
    QComboBox* valueHead_;
};

}  // namespace tanabana::gui
