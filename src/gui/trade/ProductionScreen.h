#pragma once
// frmProduction: a production challan of the looms. The operator picks the book and the job-work
// party, then types takas: taka number (the next one is proposed; a number used anywhere in the
// firm is refused at once with "Taka Duplication"), pieces, cut, metres, loom and quality.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/jobwork/ProductionChallans.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tanabana::gui {

class LookupField;

class ProductionScreen : public QWidget {
    Q_OBJECT
public:
    ProductionScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
    void openChallan(qint64 id);
    jobwork::ProductionChallan challanOnScreen() const;

private:
    void build();
    void newChallan();
    void addTaka();
    void refreshGrid();
    void refreshList();
    void save();
    void remove();

    db::Database& db_;
    Session& session_;
    Messages& messages_;
    std::unique_ptr<jobwork::ProductionChallans> service_;
    qint64 challanId_ = 0;
    std::vector<jobwork::ProductionTaka> takas_;

    QComboBox* book_ = nullptr;
    QLineEdit* challanNo_ = nullptr;
    QDateEdit* date_ = nullptr;
    LookupField* party_ = nullptr;
    QComboBox* type_ = nullptr;
    QLineEdit* takaNo_ = nullptr;
    QLineEdit* pcs_ = nullptr;
    QLineEdit* cut_ = nullptr;
    QLineEdit* mtrs_ = nullptr;
    QLineEdit* machine_ = nullptr;
    LookupField* quality_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

}  // namespace tanabana::gui
