#pragma once
// The account master (FrmAccMstNew, "ACCOUNT MASTER"), the group master (FrmAccGrpMst) and the
// opening balances (FrmAccMstOpBal, "Opening Balance"): declarations of their fields over the
// shared master form, each calling its service. F2 in the group field opens the group master.
#include "domain/masters/AccountMaster.h"
#include "domain/masters/GroupMaster.h"
#include "domain/masters/OpeningBalances.h"
#include "gui/common/MasterForm.h"

class QLabel;
class QListWidget;

namespace tanabana::gui {

class AccountScreen : public MasterForm {
    Q_OBJECT
public:
    explicit AccountScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    // Fills the group list again (after the group master added one).
    void refreshGroups();

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkGstinOnLeaving();
    void checkIgstOnLeaving();
    void openGroupMaster();
    // Copies the ticked active accounts of a group into another firm.
    void openCopyToFirm();
    masters::AccountMaster accounts_;
    bool checking_ = false;
};

class GroupScreen : public MasterForm {
    Q_OBJECT
public:
    explicit GroupScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    // The four lists of groups per statement: trading, profit and loss, assets, liabilities.
    QListWidget* rangeList(int index) const { return ranges_[index]; }

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;

private:
    void loadTypedNumber();
    masters::GroupMaster groups_;
    QListWidget* ranges_[4] = {};
};

class OpeningBalanceScreen : public MasterForm {
    Q_OBJECT
public:
    explicit OpeningBalanceScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    // "Total Debit : ...  Total Credit : ...  Difference : ..." under the list.
    QString totalsText() const;

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;
    void prepareNew() override;

private:
    void showBalanceOfChosenAccount();
    masters::OpeningBalances balances_;
    QLabel* totals_ = nullptr;
};

}  // namespace tanabana::gui
