#pragma once
// frmSalesOp: pending sales bills carried from an earlier year. Header only: book, bill number,
// date, party and the amount still due; saved with its outstanding row and no journal lines.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/trade/SalesInvoices.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QTableWidget;

namespace tanabana::gui {

class LookupField;

class OpeningSalesScreen : public QWidget {
    Q_OBJECT
public:
    OpeningSalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);

private:
    void clearForm();
    void refreshList();
    void open(qint64 id);

    db::Database& db_;
    Session& session_;
    std::unique_ptr<trade::SalesInvoices> service_;
    qint64 billId_ = 0;
    QComboBox* book_ = nullptr;
    QLineEdit* billNo_ = nullptr;
    QDateEdit* date_ = nullptr;
    LookupField* party_ = nullptr;
    QLineEdit* pending_ = nullptr;
    QTableWidget* list_ = nullptr;
};

}  // namespace tanabana::gui
