#pragma once
// frmSalesOp: pending sales bills carried from an earlier year. Header only: book, bill number,
// date, party and the amount still due; saved with its outstanding row and no journal lines.
#include "db/Database.h"
#include "gui/common/OpeningBillForm.h"

namespace tanabana::gui {

class OpeningSalesScreen : public OpeningBillForm {
    Q_OBJECT
public:
    OpeningSalesScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
};

}  // namespace tanabana::gui
