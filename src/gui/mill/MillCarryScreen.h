#pragma once
// The year-end screens of the mill challans: "Mill Pending Taka" (frmTransferOutMillPendTaka) and
// "Mill Receive Outstanding" (frmTransferOutMill) list this year's issues with takas still out or
// the unpaid receipts, each with a tick, and carry the ticked ones into the next year's books;
// the "Delete Previous Year" pair (FrmDeleteOutMillPendingTaka, FrmDeleteOutMillRec) lists what
// this year received from the last and removes the ticked challans.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/mill/MillCarry.h"

#include <QWidget>
#include <functional>
#include <optional>

class QPushButton;

namespace tanabana::gui {

class SelectionGrid;

class MillCarryScreen : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Carry, Remove };
    // `nextYear` opens the next year's books (nullopt after telling the operator why not).
    MillCarryScreen(db::Database& db, Session& session, Messages& messages, mill::MillCarry::Kind kind, Mode mode,
                    std::function<std::optional<db::Database>()> nextYear = {}, QWidget* parent = nullptr);
    SelectionGrid* challans() const { return grid_; }
    QPushButton* actionButton() const { return action_; }
    void refresh();
    // Carries (or removes) the ticked challans; the number done.
    int run();

private:
    mill::MillCarry carry_;
    mill::MillCarry::Kind kind_;
    Mode mode_;
    std::function<std::optional<db::Database>()> nextYear_;
    std::vector<mill::CarriedChallan> shown_;
    SelectionGrid* grid_ = nullptr;
    QPushButton* action_ = nullptr;
};

// Opens the year after the session's one in the same installation, or says it is not there.
std::optional<db::Database> openNextYear(const Session& session, Messages& messages);

}  // namespace tanabana::gui
