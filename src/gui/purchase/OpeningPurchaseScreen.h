#pragma once
// Opening (pending) purchase bills: what the firm still owed its suppliers when the year began,
// header only, each with its outstanding row so that payments can settle it.
#include "db/Database.h"
#include "gui/common/OpeningBillForm.h"

namespace tanabana::gui {

class OpeningPurchaseScreen : public OpeningBillForm {
    Q_OBJECT
public:
    OpeningPurchaseScreen(db::Database& db, Session& session, Messages& messages, QWidget* parent = nullptr);
};

}  // namespace tanabana::gui
