#pragma once
// Keys on the grid of a voucher's entries: Enter brings the entry of the row back into the entry
// fields to be changed, Delete removes it (after the service's questions).
#include <QEvent>
#include <QKeyEvent>
#include <QTableWidget>
#include <functional>

namespace tanabana::gui {

// True when the key was one of the two and has been acted on.
inline bool entryGridKey(QEvent* event, QTableWidget* grid, const std::function<void(int)>& edit,
                         const std::function<void(int)>& remove) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Delete) {
        remove(grid->currentRow());
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        edit(grid->currentRow());
        return true;
    }
    return false;
}

}  // namespace tanabana::gui
