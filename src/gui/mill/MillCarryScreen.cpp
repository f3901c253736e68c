#include "gui/mill/MillCarryScreen.h"

#include "core/Words.h"
#include "domain/shell/Installation.h"
#include "gui/common/GuardedSave.h"
#include "gui/common/SelectionGrid.h"
#include "gui/common/ScreenHabits.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

QString windowName(mill::MillCarry::Kind kind, MillCarryScreen::Mode mode) {
    const bool takas = kind == mill::MillCarry::Kind::PendingTakas;
    if (mode == MillCarryScreen::Mode::Carry) return takas ? QStringLiteral("frmTransferOutMillPendTaka") : QStringLiteral("frmTransferOutMill");
    return takas ? QStringLiteral("FrmDeleteOutMillPendingTaka") : QStringLiteral("FrmDeleteOutMillRec");
}

QString caption(mill::MillCarry::Kind kind, MillCarryScreen::Mode mode) {
    const QString what = kind == mill::MillCarry::Kind::PendingTakas ? QStringLiteral("Pending Mill Taka") : QStringLiteral("Pending Mill Receive Bill");
    return mode == MillCarryScreen::Mode::Carry ? what + QStringLiteral(" : Transfer To Next Year") : what + QStringLiteral(" : Delete Previous Year");
}

}  // namespace

std::optional<db::Database> openNextYear(const Session& session, Messages& messages) {
    const shell::Installation books = session.serverUrl.isEmpty() ? shell::Installation::inFolder(session.dataRoot)
                                                                  : shell::Installation::onServer(session.serverUrl, session.dataRoot);
    const int next = session.endYear.toInt() + 1;
    if (!books.yearExists(next, session.firmFolder)) {
        messages.critical(QStringLiteral("No Database Found"), QStringLiteral("Selected Year is not Found"));
        return std::nullopt;
    }
    return books.openYear(next, session.firmFolder);
}

MillCarryScreen::MillCarryScreen(db::Database& db, Session& session, Messages& messages, mill::MillCarry::Kind kind, Mode mode,
                                 std::function<std::optional<db::Database>()> nextYear, QWidget* parent)
    : QWidget(parent), carry_(db, session, messages), kind_(kind), mode_(mode), nextYear_(std::move(nextYear)) {
    setObjectName(windowName(kind, mode));
    setWindowTitle(caption(kind, mode));
    auto* box = new QVBoxLayout(this);
    auto* title = new QLabel(caption(kind, mode), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    box->addWidget(title);
    grid_ = new SelectionGrid({QStringLiteral("Bill No"), QStringLiteral("Date"), QStringLiteral("Party NAme"), QStringLiteral("Lot No"),
                               QStringLiteral("Tot Taka"), QStringLiteral("Iss Mtrs"), QStringLiteral("Rec Mtrs"), QStringLiteral("Pending Mtrs"),
                               QStringLiteral("Weight"), QStringLiteral("Bill Amount")},
                              this);
    grid_->setObjectName(QStringLiteral("VSResultGrid"));
    box->addWidget(grid_, 1);
    auto* bar = new QHBoxLayout;
    box->addLayout(bar);
    action_ = new QPushButton(mode == Mode::Carry ? QStringLiteral("&Transfer") : QStringLiteral("&Delete"), this);
    action_->setObjectName(mode == Mode::Carry ? QStringLiteral("cmdTransfer") : QStringLiteral("cmd_Delete"));
    Messages* shown = &messages;
    connect(action_, &QPushButton::clicked, this, [this, shown] {
        guardedSave(*shown, mode_ == Mode::Carry ? QStringLiteral("Transferring to the next year") : QStringLiteral("Deleting the carried challans"),
                    [this] { run(); });
    });
    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("Cmd_Exit"));
    connect(exit, &QPushButton::clicked, this, [this] { closeScreen(this); });
    bar->addStretch();
    bar->addWidget(action_);
    bar->addWidget(exit);
    refresh();
}

void MillCarryScreen::refresh() {
    shown_ = mode_ == Mode::Carry ? carry_.candidates(kind_) : carry_.carriedIn(kind_);
    grid_->setRowCount(0);
    for (const mill::CarriedChallan& c : shown_)
        grid_->addRow({QString::number(c.challanNo), c.date.toString(QStringLiteral("dd-MM-yyyy")), c.mill, c.lotNo, QString::number(c.takas),
                       FormatIndian(c.issuedMetres, 3), FormatIndian(c.receivedMetres, 3), FormatIndian(c.pendingMetres, 3),
                       FormatIndian(c.weight, 3), FormatIndian(c.amount, 2)});
}

int MillCarryScreen::run() {
    std::vector<qint64> ids;
    for (int row : grid_->tickedRows())
        if (row < int(shown_.size())) ids.push_back(shown_[size_t(row)].id);
    if (ids.empty()) return 0;
    int done = 0;
    if (mode_ == Mode::Carry) {
        std::optional<db::Database> next = nextYear_ ? nextYear_() : std::nullopt;
        if (!next) return 0;
        done = carry_.carry(*next, kind_, ids);
    } else {
        done = carry_.removeCarriedIn(kind_, ids);
    }
    refresh();
    return done;
}

}  // namespace tanabana::gui
