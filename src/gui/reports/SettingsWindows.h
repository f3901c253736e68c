#pragma once
// Two small settings screens: how many copies each document prints and what each copy is called
// (frmReportMst), and the captions of the dashboard buttons (frmReportMst1).
#include "core/Messages.h"
#include "db/Database.h"

#include <QWidget>

class QTableWidget;

namespace tanabana::gui {

class PrintCopiesWindow : public QWidget {
    Q_OBJECT
public:
    PrintCopiesWindow(db::Database& db, Messages& messages, QWidget* parent = nullptr);
    QTableWidget* forms() const { return forms_; }
    QTableWidget* labels() const { return labels_; }

public slots:
    void saveCopyCount();   // CmdSavePrnNO: the current form's "Tot Print"
    void saveCopyName();    // the current copy's "Print Name"
    void reload();

private:
    void showLabels();
    qint64 currentForm() const;

    db::Database& db_;
    Messages& messages_;
    QTableWidget* forms_;
    QTableWidget* labels_;
};

class DashboardLabelsWindow : public QWidget {
    Q_OBJECT
public:
    DashboardLabelsWindow(db::Database& db, Messages& messages, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }

public slots:
    void saveCurrent();
    void reload();

private:
    db::Database& db_;
    Messages& messages_;
    QTableWidget* grid_;
};

}  // namespace tanabana::gui
