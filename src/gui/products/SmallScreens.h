#pragma once
// The broker master (frmAgent), the named lists (frmAgent_1: "JOB PROCESS MASTER", "COLOUR
// MASTER", ...) and the machine master (FrmAgent_Machine: "MACHINE MASTER"): each a declaration
// of its fields over the shared master frame and a call to its service.
#include "domain/products/SmallMasters.h"
#include "gui/common/MasterForm.h"

namespace tanabana::gui {

class SelectionGrid;

class BrokerScreen : public MasterForm {
    Q_OBJECT
public:
    explicit BrokerScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    SelectionGrid* postInGrid() const { return postIn_; }

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;
    void prepareNew() override;

private:
    products::BrokerMaster brokers_;
    SelectionGrid* postIn_;
};

class ProcessScreen : public MasterForm {
    Q_OBJECT
public:
    explicit ProcessScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;

private:
    QChar listType() const;
    products::ProcessMaster lists_;
};

class MachineScreen : public MasterForm {
    Q_OBJECT
public:
    explicit MachineScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;
    void prepareNew() override;

private:
    products::MachineMaster machines_;
};

}  // namespace tanabana::gui
