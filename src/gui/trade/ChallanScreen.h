#pragma once
// frmChalan and frmChalan_Taka: delivery challans typed line by line, or built from produced
// takas ticked in the list of takas not yet sent. Enter moves through the fields; Enter on the
// last field of a line adds it; Enter on an empty quality goes to Save.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/DeliveryChallans.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tanabana::gui {

class LookupField;

class ChallanScreen : public QWidget {
    Q_OBJECT
public:
    // `fromTakas`: the taka screen (frmChalan_Taka).
    ChallanScreen(db::Database& db, Session& session, Messages& messages, bool fromTakas, QWidget* parent = nullptr);
    void openChallan(qint64 id);
    trade::DeliveryChallan challanOnScreen() const;

private:
    void build();
    void newChallan();
    void addLine();
    void refreshGrid();
    void refreshLists();
    void takeTickedTakas();
    void save();
    void remove();
    void print(bool pdf);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    bool fromTakas_;
    std::unique_ptr<trade::DeliveryChallans> service_;
    qint64 challanId_ = 0;
    // The saved challan as opened: fields this screen does not show (vehicle, L.R. date, freight,
    // case number, broker) survive a re-save.
    std::optional<trade::DeliveryChallan> openedChallan_;
    std::vector<trade::ChallanLine> lines_;

    QComboBox* book_ = nullptr;
    QLineEdit* challanNo_ = nullptr;
    QDateEdit* date_ = nullptr;
    LookupField* party_ = nullptr;
    QLineEdit* orderNo_ = nullptr;
    QLineEdit* transport_ = nullptr;
    QLineEdit* station_ = nullptr;
    QLineEdit* lrNo_ = nullptr;
    QLineEdit* notes_ = nullptr;
    LookupField* quality_ = nullptr;
    QLineEdit* desc_ = nullptr;
    QLineEdit* pcs_ = nullptr;
    QLineEdit* mtrs_ = nullptr;
    QComboBox* rateOn_ = nullptr;
    QLineEdit* rate_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QTableWidget* takas_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

}  // namespace tanabana::gui
