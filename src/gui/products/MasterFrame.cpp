#include "gui/products/MasterFrame.h"

#include "core/Decimal.h"
#include "gui/common/EntryKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

QString amountText(double value, int places) { return Decimal::fromDouble(value).toString(places); }

MasterFrame::MasterFrame(const QString& objectName, const QString& caption, Session& session, QWidget* parent, Messages* messages)
    : QWidget(parent), session_(session), boxes_(this), messages_(messages ? *messages : boxes_) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    auto* title = new QLabel(caption, this);
    title->setObjectName(QStringLiteral("lblCaption"));
    title->setAlignment(Qt::AlignCenter);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 3);
    title->setFont(big);
    outer->addWidget(title);

    auto* body = new QHBoxLayout;
    fieldsArea_ = new QWidget(this);
    fieldsLayout_ = new QGridLayout(fieldsArea_);
    fieldsLayout_->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    left->addWidget(fieldsArea_);
    body->addLayout(left, 3);

    auto* right = new QVBoxLayout;
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("txtFind"));
    find_->setPlaceholderText(QStringLiteral("Find (name starts with)"));
    right->addWidget(find_);
    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("VSResultGrid"));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->installEventFilter(this);
    right->addWidget(list_);
    body->addLayout(right, 2);
    outer->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> names[] = {{"cmd_New", "&New"},       {"cmd_save", "&Save"},   {"cmd_Delete", "&Delete"},
                                                         {"Cmd_Cancel", "&Cancel"}, {"Cmd_Print", "&Print"}, {"Cmd_Exit", "E&xit"}};
    for (const auto& [name, text] : names) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);
    connect(button(QStringLiteral("cmd_New")), &QPushButton::clicked, this, &MasterFrame::newEntry);
    connect(button(QStringLiteral("cmd_save")), &QPushButton::clicked, this, &MasterFrame::saveEntry);
    connect(button(QStringLiteral("cmd_Delete")), &QPushButton::clicked, this, &MasterFrame::deleteEntry);
    connect(button(QStringLiteral("Cmd_Cancel")), &QPushButton::clicked, this, &MasterFrame::newEntry);
    connect(button(QStringLiteral("Cmd_Exit")), &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
        else close();
    });
    // Printed lists come with the report output; until then the button says so and stays off.
    button(QStringLiteral("Cmd_Print"))->setEnabled(false);
    button(QStringLiteral("Cmd_Print"))->setToolTip(QStringLiteral("Printing is not available yet"));
    find_->installEventFilter(this);
    connect(find_, &QLineEdit::textChanged, this, [this] { refreshList(); });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { chooseListRow(row); });
}

QPushButton* MasterFrame::button(const QString& objectName) const { return findChild<QPushButton*>(objectName); }

void MasterFrame::addFields(const std::vector<FieldSpec>& fields, int columnsOfFields) {
    for (const FieldSpec& f : fields) {
        const int row = nextRow_ / columnsOfFields;
        const int col = (nextRow_ % columnsOfFields) * 2;
        ++nextRow_;
        auto* label = new QLabel(f.caption, fieldsArea_);
        QWidget* w = nullptr;
        switch (f.kind) {
        case FieldSpec::Text:
        case FieldSpec::Number: {
            auto* e = new QLineEdit(fieldsArea_);
            if (f.kind == FieldSpec::Number) e->setAlignment(Qt::AlignRight);
            w = e;
            break;
        }
        case FieldSpec::Choice:
        case FieldSpec::EditableChoice: {
            auto* c = new QComboBox(fieldsArea_);
            c->addItems(f.choices);
            c->setEditable(f.kind == FieldSpec::EditableChoice);
            if (c->isEditable()) c->setCurrentIndex(-1);
            w = c;
            break;
        }
        case FieldSpec::Check:
            w = new QCheckBox(fieldsArea_);
            break;
        }
        w->setObjectName(f.column);
        label->setBuddy(w);
        fieldsLayout_->addWidget(label, row, col);
        fieldsLayout_->addWidget(w, row, col + 1);
        fields_.push_back(f);
    }
}

bool MasterFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter on the list opens the entry; Down in the find box goes into the list.
        if (watched == list_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            chooseListRow(list_->currentRow());
            return true;
        }
        if (watched == find_ && key == Qt::Key_Down && list_->rowCount() > 0) {
            list_->setFocus();
            list_->selectRow(0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MasterFrame::addBelowFields(QWidget* widget) {
    fieldsLayout_->addWidget(widget, fieldsLayout_->rowCount(), 0, 1, fieldsLayout_->columnCount());
}

void MasterFrame::finishLayout() {
    fieldsLayout_->setRowStretch(fieldsLayout_->rowCount(), 1);
    EntryKeys::install(this, &session_);
    newEntry();
}

QWidget* MasterFrame::field(const QString& column) const { return fieldsArea_->findChild<QWidget*>(column); }

void MasterFrame::focusField(const QString& column) {
    if (QWidget* w = field(column)) w->setFocus();
}

void MasterFrame::offer(const QString& column, const QStringList& values) {
    if (auto* e = qobject_cast<QLineEdit*>(field(column))) {
        auto* completer = new QCompleter(values, e);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        e->setCompleter(completer);
    } else if (auto* c = qobject_cast<QComboBox*>(field(column))) {
        const QString current = c->currentText();
        c->clear();
        c->addItems(values);
        c->setCurrentText(current);
    }
}

QVariantMap MasterFrame::values() const {
    QVariantMap v;
    for (const FieldSpec& f : fields_) {
        QWidget* w = field(f.column);
        if (auto* e = qobject_cast<QLineEdit*>(w)) v.insert(f.column, e->text());
        else if (auto* c = qobject_cast<QComboBox*>(w)) v.insert(f.column, c->currentText());
        else if (auto* b = qobject_cast<QCheckBox*>(w)) v.insert(f.column, b->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No"));
    }
    return v;
}

void MasterFrame::setValue(const QString& column, const QVariant& value) {
    QWidget* w = field(column);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(value.toString());
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        const int i = c->findText(value.toString(), Qt::MatchFixedString);
        if (i >= 0) c->setCurrentIndex(i);
        else if (c->isEditable()) c->setCurrentText(value.toString());
    } else if (auto* b = qobject_cast<QCheckBox*>(w)) b->setChecked(value.toBool());
}

void MasterFrame::clearFields() {
    for (const FieldSpec& f : fields_) {
        QWidget* w = field(f.column);
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->clear();
        else if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentIndex(c->isEditable() ? -1 : 0);
        else if (auto* b = qobject_cast<QCheckBox*>(w)) b->setChecked(false);
    }
}

void MasterFrame::setListRows(const QStringList& headers, const std::vector<QStringList>& rows, const std::vector<qint64>& keys) {
    list_->clear();
    list_->setColumnCount(headers.size());
    list_->setHorizontalHeaderLabels(headers);
    list_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].size() && c < headers.size(); ++c) list_->setItem(r, c, new QTableWidgetItem(rows[r].at(c)));
    list_->resizeColumnsToContents();
    keys_ = keys;
}

void MasterFrame::chooseListRow(int row) {
    if (row < 0 || row >= int(keys_.size())) return;
    load(keys_[row]);
    key_ = keys_[row];
    if (!fields_.empty()) focusField(fields_.front().column);
}

void MasterFrame::newEntry() {
    key_ = 0;
    clearFields();
    prepareNew();
    refreshList();
    for (const FieldSpec& f : fields_)
        if (QWidget* w = field(f.column); w && w->isEnabled()) {
            w->setFocus();
            break;
        }
}

void MasterFrame::saveEntry() {
    QString focus;
    const qint64 key = save(values(), &focus);
    if (key == 0) {
        if (!focus.isEmpty()) focusField(focus);
        return;
    }
    newEntry();
}

void MasterFrame::deleteEntry() {
    if (key_ <= 0) return;
    if (remove(key_)) newEntry();
}

}  // namespace tanabana::gui
