#include "gui/common/LookupField.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>

namespace tanabana::gui {

LookupField::LookupField(Search search, QString keyColumn, QString textColumn, QWidget* parent)
    : QLineEdit(parent), search_(std::move(search)), keyColumn_(std::move(keyColumn)), textColumn_(std::move(textColumn)) {
    connect(this, &QLineEdit::textEdited, this, [this] {
        chosenId_ = 0;
        chosenRow_ = {};
        refresh();
    });
}

void LookupField::setChosen(qint64 id, const QString& text, const db::Row& row) {
    chosenId_ = id;
    chosenRow_ = row;
    setText(text);
    hideList();
}

void LookupField::clearChoice() {
    chosenId_ = 0;
    chosenRow_ = {};
    clear();
    hideList();
}

bool LookupField::listVisible() const { return list_ && list_->isVisible(); }

void LookupField::refresh() {
    // The list opens as the operator types; a field emptied again closes it.
    if (text().trimmed().isEmpty()) {
        rows_.clear();
        hideList();
        return;
    }
    rows_ = search_(text().trimmed());
    if (!list_) {
        list_ = new QTableWidget(window());
        list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list_->setSelectionBehavior(QAbstractItemView::SelectRows);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setFocusPolicy(Qt::NoFocus);
        list_->verticalHeader()->hide();
        list_->setObjectName(objectName() + QStringLiteral("_list"));
        connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { take(row); });
    }
    if (rows_.empty()) {
        hideList();
        return;
    }
    const QStringList columns = rows_.front().columns();
    list_->setColumnCount(columns.size());
    list_->setHorizontalHeaderLabels(columns);
    list_->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r)
        for (int c = 0; c < columns.size(); ++c)
            list_->setItem(r, c, new QTableWidgetItem(rows_[size_t(r)].value(c).toString()));
    list_->resizeColumnsToContents();
    list_->selectRow(0);
    const QPoint below = mapTo(window(), QPoint(0, height()));
    list_->setGeometry(below.x(), below.y(), std::max(width(), 520), std::min(240, 26 + 22 * int(rows_.size())));
    list_->show();
    list_->raise();
}

void LookupField::take(int row) {
    if (row < 0 || row >= int(rows_.size())) return;
    const db::Row chosenRow = rows_[size_t(row)];
    setChosen(chosenRow.integer(keyColumn_), chosenRow.text(textColumn_), chosenRow);
    emit chosen(chosenId_);
}

bool LookupField::acceptCurrent() {
    if (!listVisible()) return false;
    take(std::max(list_->currentRow(), 0));
    return true;
}

void LookupField::hideList() {
    if (list_) list_->hide();
}

void LookupField::setCreator(Creator creator, const QString& hint) {
    creator_ = std::move(creator);
    setToolTip(hint);
    setPlaceholderText(hint);
}

void LookupField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Insert && creator_) {
        hideList();
        const auto made = creator_(text().trimmed());
        // back from the master: this field has the cursor again
        activateWindow();
        setFocus(Qt::OtherFocusReason);
        if (!made) return;
        // the new entry is taken with its row, as if chosen from the list
        rows_ = search_(made->second);
        for (int r = 0; r < int(rows_.size()); ++r)
            if (rows_[size_t(r)].integer(keyColumn_) == made->first) {
                take(r);
                return;
            }
        setChosen(made->first, made->second);
        emit chosen(chosenId_);
        return;
    }
    if (listVisible()) {
        const int current = list_->currentRow();
        switch (event->key()) {
        case Qt::Key_Down:
            list_->selectRow(std::min(current + 1, list_->rowCount() - 1));
            return;
        case Qt::Key_Up:
            list_->selectRow(std::max(current - 1, 0));
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            take(std::max(current, 0));
            // Let the form's Enter handling move on to the next field.
            QLineEdit::keyPressEvent(event);
            event->ignore();
            return;
        case Qt::Key_Escape:
            hideList();
            return;
        default: break;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void LookupField::focusOutEvent(QFocusEvent* event) {
    hideList();
    QLineEdit::focusOutEvent(event);
}

}  // namespace tanabana::gui
