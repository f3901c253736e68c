#pragma once
// The item master screens: "<< ITEM MASTER >>" (FrmProdMst) for trading and job-work firms and
// "<< RAPIER ITEM MASTER >>" (FrmProdMstRapier) for looms, where an item is a design number in a
// colour of a quality type. Beside the fields: firms to post a new item in, one new item per
// missing colour of a design (F3 ticks all), items by code range, and F8 to copy items to
// another firm.
#include "domain/products/ItemMaster.h"
#include "gui/common/MasterForm.h"

class QComboBox;
class QTabWidget;

namespace tanabana::gui {

class SelectionGrid;

class ItemScreen : public MasterForm {
    Q_OBJECT
public:
    ItemScreen(Session& session, bool rapier, QWidget* parent = nullptr, Messages* messages = nullptr);
    SelectionGrid* postInGrid() const { return postIn_; }
    SelectionGrid* colourGrid() const { return colours_; }
    // F8: copies the ticked items of the list to the chosen firm.
    void transferTicked(qint64 targetFirm, const std::vector<qint64>& ids);

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;
    void prepareNew() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::optional<products::Item> itemFromFields(QString* focusColumn);
    void fillColours();
    void generateColours();
    void generateCodes();
    void openTransfer();
    void showIgst();
    void checkNameOnLeave();

    void showPicture(const QString& path);

    bool rapier_;
    QString pendingPicture_;  // chosen with Add, copied on Save
    bool clearPicture_ = false;
    products::ItemMaster items_;
    SelectionGrid* postIn_;
    SelectionGrid* colours_;
    QTabWidget* tabs_;
};

}  // namespace tanabana::gui
