#pragma once
// The firm master (FrmFirm): the firm's name and address as printed, its GST and e-way bill
// details, terms of sale, and the switches that shape the program for it; F10 shows the system
// parameters (software type, stock entry, locks). A GSTIN is checked when its box is left.
#include "domain/shell/FirmMaster.h"
#include "gui/common/MasterForm.h"

class QGroupBox;

namespace tanabana::gui {

class FirmScreen : public MasterForm {
    Q_OBJECT
public:
    explicit FirmScreen(Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
    QGroupBox* systemParameters() const { return systemParameters_; }

protected:
    qint64 save(const QVariantMap& values, QString* focusColumn) override;
    bool remove(qint64 key) override;
    void load(qint64 key) override;
    void refreshList() override;
    bool functionKey(int key) override;
    void prepareNew() override;

private:
    void checkGstinOnLeaving();
    shell::FirmMaster firms_;
    QGroupBox* systemParameters_ = nullptr;
    bool checking_ = false;
};

// The software types of the firm's list ("01 Single" ... "09 Production"), type n at n - 1.
const QStringList& softwareTypeNames();

}  // namespace tanabana::gui
