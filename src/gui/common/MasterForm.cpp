#include "gui/common/MasterForm.h"

#include "core/Decimal.h"
#include "core/Rights.h"
#include "core/Words.h"
#include "core/YearLock.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/GuardedSave.h"
#include "gui/common/ScreenHabits.h"
#include "gui/common/TypedFields.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

QString amountText(double value, int places) { return Decimal::fromDouble(value).toString(places); }

QString exactText(double value, int maxPlaces) {
    QString text = Decimal::fromDouble(value).toString(maxPlaces);
    const int point = int(text.indexOf(QLatin1Char('.')));
    while (point >= 0 && text.size() - point - 1 > 2 && text.endsWith(QLatin1Char('0'))) text.chop(1);
    return text;
}

namespace {

QLabel* captionLabel(const QString& caption, QWidget* parent) {
    auto* title = new QLabel(caption, parent);
    title->setObjectName(QStringLiteral("lblCaption"));
    title->setAlignment(Qt::AlignCenter);  // its look comes from the application's style
    return title;
}

// The entry of a keyed list the operator meant: the one whose text was typed, else the one whose
// number or text begins with what was typed ("35" for "35  Sundry Debtors"), else the only one
// containing it; -1 when none or several.
int typedEntry(const QComboBox* c) {
    const QString typed = c->currentText().trimmed();
    if (typed.isEmpty()) return -1;
    if (const int i = c->findText(typed, Qt::MatchFixedString); i >= 0) return i;
    for (const Qt::MatchFlags how : {Qt::MatchStartsWith, Qt::MatchContains}) {
        int found = -1;
        for (int i = 0; i < c->count(); ++i) {
            const QString text = c->itemText(i);
            const bool hit = how == Qt::MatchStartsWith ? (text.startsWith(typed + QLatin1Char(' '), Qt::CaseInsensitive) ||
                                                           text.startsWith(typed, Qt::CaseInsensitive))
                                                        : text.contains(typed, Qt::CaseInsensitive);
            if (!hit) continue;
            if (found >= 0) {
                found = -2;
                break;
            }
            found = i;
        }
        if (found >= 0) return found;
    }
    return -1;
}

}  // namespace

MasterForm::MasterForm(const QString& objectName, const QString& caption, Session& session, QWidget* parent, Messages* messages)
    : QWidget(parent), session_(session), boxes_(this), messages_(messages ? *messages : boxes_) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(captionLabel(caption, this));

    auto* body = new QHBoxLayout;
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fieldsArea_ = new QWidget(scroll);
    fieldsColumn_ = new QVBoxLayout(fieldsArea_);
    fieldsColumn_->setContentsMargins(0, 0, 6, 0);
    scroll->setWidget(fieldsArea_);
    body->addWidget(scroll, 3);

    listColumn_ = new QVBoxLayout;
    auto* findRow = new QHBoxLayout;
    findCaption_ = new QLabel(QStringLiteral("Find :"), this);
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("txtFind"));
    find_->setPlaceholderText(QStringLiteral("name starts with"));
    findCaption_->setBuddy(find_);
    findRow->addWidget(findCaption_);
    findRow->addWidget(find_, 1);
    listColumn_->addLayout(findRow);
    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("VSResultGrid"));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAlternatingRowColors(true);
    list_->setTabKeyNavigation(false);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(22);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->installEventFilter(this);
    listColumn_->addWidget(list_, 1);
    body->addLayout(listColumn_, 2);
    outer->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    // Alt letters of the buttons stay clear of the menu bar's (User, Master, Transaction, Account,
    // Reports, Job Work, Inventory, Production, Utility, About, Online): Print is Ctrl+P instead.
    const std::pair<const char*, const char*> names[] = {{"cmd_New", "&New"},       {"cmd_save", "&Save"},   {"cmd_Delete", "&Delete"},
                                                         {"Cmd_Cancel", "&Cancel"}, {"CmdFind", "&Find"},    {"Cmd_Print", "Print"},
                                                         {"Cmd_Exit", "E&xit"}};
    buttons->addStretch(1);
    for (const auto& [name, text] : names) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(86);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    outer->addLayout(buttons);
    hints_ = new QLabel(this);
    hints_->setObjectName(QStringLiteral("lblKeys"));
    hints_->setAlignment(Qt::AlignCenter);
    hints_->hide();
    outer->addWidget(hints_);

    connect(button(QStringLiteral("cmd_New")), &QPushButton::clicked, this, [this] {
        if (mayLeave(messages_, hasUnsavedChanges(), [this] { return saveCurrent(); })) newEntry();
    });
    connect(button(QStringLiteral("cmd_save")), &QPushButton::clicked, this, &MasterForm::saveEntry);
    connect(button(QStringLiteral("cmd_Delete")), &QPushButton::clicked, this, &MasterForm::deleteEntry);
    connect(button(QStringLiteral("Cmd_Cancel")), &QPushButton::clicked, this, &MasterForm::newEntry);
    connect(button(QStringLiteral("CmdFind")), &QPushButton::clicked, this, [this] {
        find_->setFocus();
        find_->selectAll();
    });
    connect(button(QStringLiteral("Cmd_Print")), &QPushButton::clicked, this, [this] {
        if (print_) print_();
    });
    connect(button(QStringLiteral("Cmd_Exit")), &QPushButton::clicked, this, [this] { closeScreen(this); });
    button(QStringLiteral("Cmd_Print"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    // Printed lists come with the report output; until a screen gives one the button stays off.
    button(QStringLiteral("Cmd_Print"))->setEnabled(false);
    button(QStringLiteral("Cmd_Print"))->setToolTip(QStringLiteral("Printing is not available on this screen yet"));
    find_->installEventFilter(this);
    connect(find_, &QLineEdit::textChanged, this, [this] { refreshList(); });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { chooseListRow(row); });
}

QPushButton* MasterForm::button(const QString& objectName) const { return findChild<QPushButton*>(objectName); }

void MasterForm::setPrintAction(std::function<void()> action) {
    print_ = std::move(action);
    button(QStringLiteral("Cmd_Print"))->setEnabled(bool(print_));
    button(QStringLiteral("Cmd_Print"))->setToolTip(QStringLiteral("Ctrl+P"));
}

void MasterForm::setFindCaption(const QString& caption) { findCaption_->setText(caption); }

void MasterForm::setKeyHints(const QString& hints) {
    hints_->setText(hints);
    hints_->setVisible(!hints.isEmpty());
}

QString MasterForm::keyHints() const { return hints_->text(); }

QWidget* MasterForm::makeField(const FieldSpec& f, QWidget* parent) {
    switch (f.kind) {
    case FieldSpec::Number:
        // quantities of masters take three decimals; a screen may set a narrower rule
        return new NumberBox(f.caption.trimmed(), NumberRule{3, false, 12}, parent);
    case FieldSpec::Text:
    case FieldSpec::Password:
    case FieldSpec::ReadOnly: {
        auto* e = new QLineEdit(parent);
        if (f.kind == FieldSpec::Password) e->setEchoMode(QLineEdit::Password);
        if (f.kind == FieldSpec::ReadOnly) {
            e->setReadOnly(true);
            e->setFocusPolicy(Qt::NoFocus);
        }
        return e;
    }
    case FieldSpec::Choice:
    case FieldSpec::EditableChoice:
    case FieldSpec::Keyed: {
        auto* c = new QComboBox(parent);
        c->addItems(f.choices);
        c->setEditable(f.kind != FieldSpec::Choice);
        // long entries (state names, account names) must not widen the form
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(8);
        if (f.kind == FieldSpec::Keyed)
            connect(c->lineEdit(), &QLineEdit::editingFinished, c, [c] {
                if (const int i = typedEntry(c); i >= 0 && i != c->currentIndex()) c->setCurrentIndex(i);
                else if (i >= 0) c->setEditText(c->itemText(i));
            });
        if (c->isEditable()) {
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setCurrentIndex(-1);
            c->completer()->setCompletionMode(QCompleter::PopupCompletion);
            c->completer()->setFilterMode(Qt::MatchContains);
            c->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        }
        return c;
    }
    case FieldSpec::Check:
        return new QCheckBox(parent);
    case FieldSpec::Date: {
        auto* d = new DateBox(parent);
        d->setFinancialYear(session_.yearStartDate, session_.yearEndDate);
        d->setDate(session_.yearStartDate.isValid() ? session_.yearStartDate : QDate::currentDate());
        return d;
    }
    }
    return nullptr;
}

QGroupBox* MasterForm::addFields(const std::vector<FieldSpec>& fields, int columnsOfFields, const QString& sectionTitle) {
    // each block of fields keeps its natural height; the form scrolls when they do not fit
    QGroupBox* section = sectionTitle.isEmpty() ? nullptr : new QGroupBox(sectionTitle, fieldsArea_);
    QWidget* holder = section ? section : new QWidget(fieldsArea_);
    holder->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    int n = 0;
    for (const FieldSpec& f : fields) {
        const int row = n / columnsOfFields;
        const int col = (n % columnsOfFields) * 2;
        ++n;
        QWidget* w = makeField(f, holder);
        w->setObjectName(f.column);
        if (f.kind == FieldSpec::Check) {
            // a switch reads best with its caption beside the box
            static_cast<QCheckBox*>(w)->setText(f.caption);
            grid->addWidget(w, row, col, 1, 2);
        } else {
            auto* label = new QLabel(f.caption, holder);
            label->setBuddy(w);
            grid->addWidget(label, row, col);
            grid->addWidget(w, row, col + 1);
        }
        fields_.push_back(f);
        widgets_[f.column] = w;
    }
    for (int c = 0; c < columnsOfFields; ++c) grid->setColumnStretch(c * 2 + 1, 1);
    if (!section) grid->setContentsMargins(0, 0, 0, 0);
    holder->setLayout(grid);
    fieldsColumn_->addWidget(holder);
    return section;
}

bool MasterForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter or Space on the list opens the entry; Down in the find box goes into the list.
        if (watched == list_ && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
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

void MasterForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12 && functionKey(event->key())) return;
    QWidget::keyPressEvent(event);
}

void MasterForm::addBelowFields(QWidget* widget) { fieldsColumn_->addWidget(widget); }

void MasterForm::addBelowList(QWidget* widget) { listColumn_->addWidget(widget); }

QSize MasterForm::sizeHint() const {
    const QSize fields = fieldsArea_->sizeHint();
    const QSize natural = QWidget::sizeHint();
    // the fields at their natural size, the list of saved entries beside them
    return {std::max(natural.width(), fields.width() + 500), std::max(natural.height(), fields.height() + 150)};
}

void MasterForm::finishLayout() {
    fieldsColumn_->addStretch(1);
    // the fields keep their width (there is no sideways scrolling); the list gives way instead
    if (auto* scroll = findChild<QScrollArea*>())
        scroll->setMinimumWidth(fieldsArea_->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    // Enter from the last field reaches Save; the other buttons, the find box and the list follow.
    QList<QWidget*> chain;
    for (const FieldSpec& f : fields_)
        if (QWidget* w = field(f.column); w && w->focusPolicy() != Qt::NoFocus) chain << w;
    for (const char* name : {"cmd_save", "cmd_New", "cmd_Delete", "Cmd_Cancel", "CmdFind", "Cmd_Print", "Cmd_Exit"})
        chain << button(QString::fromLatin1(name));
    chain << find_ << list_;
    for (int i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    EntryKeys::install(this, &session_, &messages_)->onEscapeFromFirst([this] { closeScreen(this); });
    newEntry();
}

void MasterForm::setNumberRule(const QString& column, const NumberRule& rule) {
    if (auto* box = qobject_cast<NumberBox*>(field(column))) box->setRule(rule);
}

QWidget* MasterForm::field(const QString& column) const {
    const auto it = widgets_.find(column);
    return it == widgets_.end() ? nullptr : it->second;
}

void MasterForm::focusField(const QString& column) {
    if (QWidget* w = field(column)) {
        w->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    }
}

void MasterForm::offer(const QString& column, const QStringList& values) {
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

void MasterForm::setKeyedChoices(const QString& column, const std::vector<std::pair<QString, qint64>>& entries) {
    auto* c = qobject_cast<QComboBox*>(field(column));
    if (!c) return;
    const QVariant current = values().value(column);
    c->clear();
    for (const auto& [text, key] : entries) c->addItem(text, key);
    setValue(column, current);
}

QVariantMap MasterForm::values() const {
    QVariantMap v;
    for (const FieldSpec& f : fields_) {
        QWidget* w = field(f.column);
        if (auto* e = qobject_cast<QLineEdit*>(w)) v.insert(f.column, e->text());
        else if (auto* d = qobject_cast<QDateEdit*>(w)) v.insert(f.column, d->date());
        else if (auto* c = qobject_cast<QComboBox*>(w)) {
            if (f.kind == FieldSpec::Keyed) {
                const int i = typedEntry(c);
                v.insert(f.column, i >= 0 ? c->itemData(i).toLongLong() : 0);
            } else {
                v.insert(f.column, c->currentText());
            }
        } else if (auto* b = qobject_cast<QCheckBox*>(w)) v.insert(f.column, b->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No"));
    }
    return v;
}

void MasterForm::setValue(const QString& column, const QVariant& value) {
    QWidget* w = field(column);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(value.toString());
    else if (auto* d = qobject_cast<QDateEdit*>(w)) {
        if (value.toDate().isValid()) d->setDate(value.toDate());
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        const bool keyed = std::any_of(fields_.begin(), fields_.end(),
                                       [&](const FieldSpec& f) { return f.column == column && f.kind == FieldSpec::Keyed; });
        const int i = keyed ? (value.toLongLong() > 0 ? c->findData(value.toLongLong()) : -1) : c->findText(value.toString(), Qt::MatchFixedString);
        if (i >= 0) c->setCurrentIndex(i);
        else if (c->isEditable()) {
            c->setCurrentIndex(-1);
            c->setCurrentText(keyed ? QString() : value.toString());
        }
    } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
        const QString text = value.toString().trimmed();
        b->setChecked(value.typeId() == QMetaType::QString ? (text.compare(QStringLiteral("Yes"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1") ||
                                                             text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
                                                          : value.toBool());
    }
}

void MasterForm::clearFields() {
    for (const FieldSpec& f : fields_) {
        QWidget* w = field(f.column);
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->clear();
        else if (auto* d = qobject_cast<QDateEdit*>(w)) d->setDate(session_.yearStartDate.isValid() ? session_.yearStartDate : QDate::currentDate());
        else if (auto* c = qobject_cast<QComboBox*>(w)) {
            c->setCurrentIndex(c->isEditable() ? -1 : 0);
            if (c->isEditable()) c->setCurrentText(QString());
        } else if (auto* b = qobject_cast<QCheckBox*>(w)) b->setChecked(false);
    }
}

void MasterForm::setListRows(const QStringList& headers, const std::vector<QStringList>& rows, const std::vector<qint64>& keys) {
    list_->clear();
    list_->setColumnCount(headers.size());
    list_->setHorizontalHeaderLabels(headers);
    list_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].size() && c < headers.size(); ++c) {
            // amounts and quantities ("25000.00", "12.500") stand right-aligned in Indian grouping
            static const QRegularExpression amount(QStringLiteral("^(-?[\\d,]+\\.(\\d{2,3}))( (Dr|Cr)\\.?)?$"));
            const auto m = amount.match(rows[r].at(c));
            QString text = rows[r].at(c);
            if (m.hasMatch())
                if (const auto value = Decimal::parse(m.captured(1).remove(QLatin1Char(','))))
                    text = FormatIndian(*value, int(m.captured(2).size())) + m.captured(3);
            auto* item = new QTableWidgetItem(text);
            if (m.hasMatch()) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            list_->setItem(r, c, item);
        }
    list_->resizeColumnsToContents();
    keys_ = keys;
}

void MasterForm::chooseListRow(int row) {
    if (row < 0 || row >= int(keys_.size())) return;
    const qint64 key = keys_[row];
    if (rightRefuses(session_, messages_, GeneralRight::View)) return;  // an operator who may only add
    if (key != key_ && !mayLeave(messages_, hasUnsavedChanges(), [this] { return saveCurrent(); })) return;
    load(key);
    setKey(key);
    for (const FieldSpec& f : fields_)
        if (QWidget* w = field(f.column); w && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
            focusField(f.column);
            break;
        }
}

void MasterForm::newEntry() {
    key_ = 0;
    clearFields();
    prepareNew();
    refreshList();
    markOpened();
    for (const FieldSpec& f : fields_)
        if (QWidget* w = field(f.column); w && w->isEnabled() && w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(this)) {
            w->setFocus();
            break;
        }
}

bool MasterForm::mayWrite(bool deleting) {
    if (yearLockRefuses(session_, messages_)) return false;
    const GeneralRight right = deleting ? GeneralRight::Delete : key_ > 0 ? GeneralRight::Modify : GeneralRight::New;
    return !rightRefuses(session_, messages_, right);
}

void MasterForm::saveEntry() { saveCurrent(); }

bool MasterForm::saveCurrent() {
    if (!mayWrite(false)) return false;
    if (refuseTypedValues(this, messages_)) return false;
    QString focus;
    qint64 key = 0;
    if (!guardedSave(messages_, QStringLiteral("Saving ") + windowTitle(), [&] { key = save(values(), &focus); })) return false;
    if (key == 0) {
        if (!focus.isEmpty()) focusField(focus);
        return false;
    }
    emit saved(key);
    newEntry();
    return true;
}

void MasterForm::setKey(qint64 key) {
    key_ = key;
    if (key > 0) markOpened();
}

void MasterForm::closeEvent(QCloseEvent* event) {
    if (!mayLeave(messages_, hasUnsavedChanges(), [this] { return saveCurrent(); })) {
        event->ignore();
        return;
    }
    markOpened();  // discarded: a second close (the child window's) does not ask again
    QWidget::closeEvent(event);
}

void MasterForm::deleteEntry() {
    if (key_ <= 0) return;
    if (!mayWrite(true)) return;
    bool removed = false;
    if (!guardedSave(messages_, QStringLiteral("Deleting from ") + windowTitle(), [&] { removed = remove(key_); })) return;
    if (removed) newEntry();
}

}  // namespace tanabana::gui
