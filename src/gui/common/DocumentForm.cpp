#include "gui/common/DocumentForm.h"

#include "core/Words.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/ScreenHabits.h"
#include "gui/common/TypedFields.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

const QString kDateFormat = QStringLiteral("dd-MM-yyyy");

QLabel* captionFor(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

namespace {

DocField declared(const QString& name, const QString& caption, DocField::Kind kind, int width = 0, int span = 1) {
    DocField f;
    f.name = name;
    f.caption = caption;
    f.kind = kind;
    f.width = width;
    f.span = span;
    return f;
}

}  // namespace

DocField DocField::text(const QString& name, const QString& caption, int width, int span) {
    return declared(name, caption, Text, width, span);
}
DocField DocField::number(const QString& name, const QString& caption, int places, int width) {
    DocField f = declared(name, caption, Number, width);
    f.rule = NumberRule{places, false, 12};
    return f;
}
DocField DocField::date(const QString& name, const QString& caption) { return declared(name, caption, Date); }
DocField DocField::optionalDate(const QString& name, const QString& caption) {
    return declared(name, caption, OptionalDate, 100);
}
DocField DocField::lookup(const QString& name, const QString& caption, LookupSource source, int span) {
    DocField f = declared(name, caption, Lookup, 0, span);
    f.source = std::move(source);
    return f;
}
DocField DocField::choice(const QString& name, const QString& caption, const QStringList& choices, int width) {
    DocField f = declared(name, caption, Choice, width);
    f.choices = choices;
    return f;
}
DocField DocField::info(const QString& name, int span) { return declared(name, {}, Info, 0, span); }

// The boxes outlive this part of the form while QWidget deletes them; a box losing focus then must
// not call back into a form that is already half gone.
DocumentForm::~DocumentForm() {
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

DocumentForm::DocumentForm(const QString& objectName, const QString& caption, Session& session, Messages* messages,
                           QWidget* parent)
    : QWidget(parent), session_(session), boxes_(this), messages_(messages ? *messages : boxes_) {
    setObjectName(objectName);
    setWindowTitle(caption);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(6, 4, 6, 4);
    layout_->setSpacing(3);

    panelsAfterHeader_ = new QVBoxLayout;
    panelsAfterLine_ = new QVBoxLayout;

    grid_ = new QTableWidget(0, 0, this);
    grid_->setObjectName(QStringLiteral("vsgrid"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setTabKeyNavigation(false);  // Tab and Shift+Tab leave the grid
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->setMinimumHeight(110);

    chargesGrid_ = new QGridLayout;
    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("lblTotals"));
    totals_->setTextFormat(Qt::PlainText);
    net_ = new QLabel(this);
    net_->setObjectName(QStringLiteral("lblNetAmt"));
    QFont big = net_->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    net_->setFont(big);
    net_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // room for crores from the start, so the figure never shows cut while the layout catches up
    net_->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("Net Amt  99,99,99,999.00")));

    // Alt letters stay clear of the menu bar's (User, Master, Transaction, Account, Reports, Job
    // Work, Inventory, Production, Utility, About, Online): Print is Ctrl+P.
    buttonBar_ = new QWidget(this);
    auto* buttons = new QHBoxLayout(buttonBar_);
    buttons->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const char* name, const char* text, auto action) {
        auto* b = new QPushButton(QString::fromLatin1(text), buttonBar_);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    add("cmd_New", "&New", [this] { newEntry(); });
    add("cmd_save", "&Save", [this] { saveEntry(); });
    savedOnly_ << add("cmd_Delete", "&Delete", [this] { deleteEntry(); });
    auto* print = add("Cmd_Print", "Print", [this] {
        if (documentId_ > 0) printDocument(false);
    });
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setToolTip(QStringLiteral("Ctrl+P"));
    savedOnly_ << print << add("CmdPDF", "PD&F", [this] {
        if (documentId_ > 0) printDocument(true);
    });
    savedOnly_ << add("CmdWA", "&WhatsApp", [this] {
        if (documentId_ > 0 && sendsWhatsApp()) sendWhatsApp();
    });
    buttons->addStretch(1);
    add("Cmd_Exit", "E&xit", [this] { closeScreen(this); });

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));

    listBar_ = new QWidget(this);
    auto* bar = new QHBoxLayout(listBar_);
    bar->setContentsMargins(0, 0, 0, 0);
    find_ = new QLineEdit(listBar_);
    find_->setObjectName(QStringLiteral("txtFind"));
    listFrom_ = new DateBox(listBar_);
    listFrom_->setObjectName(QStringLiteral("DtpListFrom"));
    listTo_ = new DateBox(listBar_);
    listTo_->setObjectName(QStringLiteral("DtpListTo"));
    listFrom_->setFinancialYear(session_.yearStartDate, session_.yearEndDate);
    listTo_->setFinancialYear(session_.yearStartDate, session_.yearEndDate);
    position_ = new QLabel(listBar_);
    position_->setObjectName(QStringLiteral("lblListPage"));
    auto* previous = new QPushButton(QStringLiteral("<"), listBar_);
    previous->setObjectName(QStringLiteral("cmdListPrevious"));
    previous->setToolTip(QStringLiteral("Previous page (Page Up in the list)"));
    previous->setMaximumWidth(30);
    auto* next = new QPushButton(QStringLiteral(">"), listBar_);
    next->setObjectName(QStringLiteral("cmdListNext"));
    next->setToolTip(QStringLiteral("Next page (Page Down in the list)"));
    next->setMaximumWidth(30);
    bar->addWidget(captionFor(QStringLiteral("Find"), find_));
    bar->addWidget(find_, 1);
    bar->addWidget(captionFor(QStringLiteral("From"), listFrom_));
    bar->addWidget(listFrom_);
    bar->addWidget(captionFor(QStringLiteral("To"), listTo_));
    bar->addWidget(listTo_);
    bar->addWidget(previous);
    bar->addWidget(position_);
    bar->addWidget(next);
    connect(find_, &QLineEdit::textEdited, this, [this] { showListPage(0); });
    connect(listFrom_, &QDateEdit::dateChanged, this, [this] { showListPage(0); });
    connect(listTo_, &QDateEdit::dateChanged, this, [this] { showListPage(0); });
    connect(previous, &QPushButton::clicked, this, [this] { showListPage(page_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showListPage(page_ + 1); });

    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("VSResultGrid"));
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(22);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setTabKeyNavigation(false);
    list_->setAlternatingRowColors(true);
    list_->setMaximumHeight(140);
    list_->installEventFilter(this);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openListRow(row); });
    connect(list_, &QTableWidget::cellChanged, this, [this](int row, int column) { listMarkChanged(row, column); });
}

QPushButton* DocumentForm::button(const QString& objectName) const { return findChild<QPushButton*>(objectName); }

QWidget* DocumentForm::makeField(const DocField& f) {
    QWidget* w = nullptr;
    switch (f.kind) {
    case DocField::Text: {
        auto* box = new QLineEdit;
        w = box;
        connect(box, &QLineEdit::textEdited, this, [this] { markChanged(); });
        break;
    }
    case DocField::OptionalDate: {
        auto* box = new QLineEdit;
        box->setPlaceholderText(QStringLiteral("dd-mm-yyyy"));
        w = box;
        connect(box, &QLineEdit::textEdited, this, [this] { markChanged(); });
        // "11/1/25" shows as 11-01-2025 once left; a wrong date stays for the save to refuse
        connect(box, &QLineEdit::editingFinished, this, [this, box] {
            if (const auto d = parseTypedDate(box->text().trimmed(), session_.yearStartDate, session_.yearEndDate))
                box->setText(d->toString(kDateFormat));
        });
        break;
    }
    case DocField::Number: {
        auto* box = new NumberBox(f.caption, f.rule);
        w = box;
        connect(box, &QLineEdit::textEdited, this, [this] { markChanged(); });
        break;
    }
    case DocField::Date: {
        auto* box = new DateBox;
        box->setCalendarPopup(false);
        box->setFinancialYear(session_.yearStartDate, session_.yearEndDate);
        w = box;
        connect(box, &QDateEdit::dateChanged, this, [this] {
            if (!filling_) markChanged();
        });
        break;
    }
    case DocField::Lookup: {
        auto* box = new LookupField(f.source.search, f.source.keyColumn, f.source.textColumn);
        w = box;
        connect(box, &QLineEdit::textEdited, this, [this] { markChanged(); });
        connect(box, &LookupField::chosen, this, [this] { markChanged(); });
        break;
    }
    case DocField::Choice: {
        auto* box = new QComboBox;
        box->addItems(f.choices);
        // long entries (books, states) must not widen the form; a short list (M/P) shows whole
        bool shortEntries = !f.choices.isEmpty();
        for (const QString& c : f.choices) shortEntries = shortEntries && c.size() <= 3;
        box->setSizeAdjustPolicy(shortEntries ? QComboBox::AdjustToContents : QComboBox::AdjustToMinimumContentsLengthWithIcon);
        w = box;
        connect(box, &QComboBox::activated, this, [this] { markChanged(); });
        break;
    }
    case DocField::Info: {
        auto* label = new QLabel;
        label->setTextFormat(Qt::PlainText);
        w = label;
        break;
    }
    }
    w->setObjectName(f.name);
    if (!f.caption.isEmpty()) w->setAccessibleName(f.caption);
    if (f.width > 0) w->setMaximumWidth(f.width);
    fields_[f.name] = w;
    declared_.push_back(f);
    return w;
}

void DocumentForm::declareHeader(const std::vector<DocField>& fields, int pairsPerRow) {
    headerBox_ = new QWidget(this);
    auto* grid = new QGridLayout(headerBox_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    int cell = 0;
    for (const DocField& f : fields) {
        QWidget* w = makeField(f);
        const int span = std::min(f.span, pairsPerRow);
        if (cell % pairsPerRow + span > pairsPerRow) cell += pairsPerRow - cell % pairsPerRow;
        const int row = cell / pairsPerRow, column = 2 * (cell % pairsPerRow);
        if (f.kind == DocField::Info) {
            grid->addWidget(w, row, column, 1, 2 * span);
        } else {
            grid->addWidget(captionFor(f.caption, w), row, column);
            grid->addWidget(w, row, column + 1, 1, 2 * span - 1);
            headerFields_ << w;
        }
        cell += span;
    }
    for (int c = 0; c < pairsPerRow; ++c) grid->setColumnStretch(2 * c + 1, 1);
}

void DocumentForm::declareLine(const std::vector<DocField>& fields, const QString& title) {
    auto* box = new QGroupBox(title, this);
    lineBox_ = box;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(1);
    int column = 0;
    for (const DocField& f : fields) {
        QWidget* w = makeField(f);
        if (f.kind == DocField::Info) {
            grid->addWidget(w, 2, 0, 1, std::max(1, column));
            continue;
        }
        grid->addWidget(captionFor(f.caption, w), 0, column);
        grid->addWidget(w, 1, column);
        lineFields_ << w;
        ++column;
    }
    // the look-ups (quality, colour) take the spare width
    for (int c = 0; c < int(lineFields_.size()); ++c)
        if (qobject_cast<LookupField*>(lineFields_.at(c))) grid->setColumnStretch(c, 3);
}

void DocumentForm::declareGrid(const std::vector<GridColumn>& columns) {
    columns_ = columns;
    grid_->setColumnCount(int(columns.size()));
    QStringList captions;
    for (const GridColumn& c : columns) captions << c.caption;
    grid_->setHorizontalHeaderLabels(captions);
}

void DocumentForm::declareCharges(const std::vector<DocField>& fields) {
    int row = 0;
    for (const DocField& f : fields) {
        QWidget* w = makeField(f);
        chargesGrid_->addWidget(captionFor(f.caption, w), row, 0);
        chargesGrid_->addWidget(w, row, 1);
        chargeFields_ << w;
        ++row;
    }
}

void DocumentForm::declareList(const std::vector<ListColumn>& columns, const QString& searchHint) {
    listColumns_ = columns;
    find_->setPlaceholderText(searchHint);
    list_->setColumnCount(int(columns.size()));
    QStringList captions;
    for (const ListColumn& c : columns) captions << c.caption;
    list_->setHorizontalHeaderLabels(captions);
}

void DocumentForm::addPanel(QWidget* panel, const QList<QWidget*>& keyFields, bool afterLine) {
    (afterLine ? panelsAfterLine_ : panelsAfterHeader_)->addWidget(panel);
    (afterLine ? afterLineFields_ : afterHeaderFields_) << keyFields;
}

QPushButton* DocumentForm::addButton(const QString& name, const QString& text, std::function<void()> action, bool savedOnly) {
    auto* b = new QPushButton(text, buttonBar_);
    b->setObjectName(name);
    auto* row = static_cast<QHBoxLayout*>(buttonBar_->layout());
    row->insertWidget(row->count() - 2, b);  // before the stretch and Exit
    if (action) connect(b, &QPushButton::clicked, this, [action] { action(); });
    if (savedOnly) savedOnly_ << b;
    return b;
}

void DocumentForm::setUnavailable(const QString& buttonName, const QString& why) {
    QPushButton* b = button(buttonName);
    savedOnly_.removeAll(b);
    b->setEnabled(false);
    b->setToolTip(why);
}

void DocumentForm::addToButtonBar(QWidget* widget) {
    auto* row = static_cast<QHBoxLayout*>(buttonBar_->layout());
    row->insertWidget(row->count() - 2, widget);
}

void DocumentForm::addListFilter(QWidget* widget) {
    auto* row = static_cast<QHBoxLayout*>(listBar_->layout());
    row->insertWidget(2, widget);
}

void DocumentForm::finishLayout() {
    if (headerBox_) layout_->addWidget(headerBox_);
    layout_->addLayout(panelsAfterHeader_);
    if (lineBox_) layout_->addWidget(lineBox_);
    layout_->addLayout(panelsAfterLine_);
    // a document without lines (an opening bill) gives the list the room instead
    const bool withLines = !columns_.empty();
    grid_->setVisible(withLines);
    if (withLines) layout_->addWidget(grid_, 1);
    // charges, totals and net sit in one row under the grid
    auto* row = new QHBoxLayout;
    row->addLayout(chargesGrid_);
    row->addWidget(totals_, 1);
    row->addWidget(net_);
    layout_->addLayout(row);
    layout_->addWidget(buttonBar_);
    layout_->addWidget(status_);
    layout_->addWidget(listBar_);
    layout_->addWidget(list_, withLines ? 0 : 1);
    if (!withLines) list_->setMaximumHeight(QWIDGETSIZE_MAX);
    if (!sendsWhatsApp()) setUnavailable(QStringLiteral("CmdWA"), QStringLiteral("Not available on this screen"));

    keys_ = EntryKeys::install(this, &session_, &messages_);
    QList<QWidget*> order = headerFields_ + afterHeaderFields_ + lineFields_ + afterLineFields_ + chargeFields_;
    order << button(QStringLiteral("cmd_save"));
    keys_->setOrder(order);
    // Tab walks the declaration too, and the first declared field is the screen's first field
    // (the list and its search, made before the declarations, go behind them)
    QList<QWidget*> chain = order;
    chain << find_ << listFrom_ << listTo_ << list_;
    for (int i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    keys_->onEscapeFromFirst([this] { closeScreen(this); });
    // Enter on the empty first field of a line ends the lines: on to the charges (or Save).
    if (QWidget* first = firstLineField())
        keys_->onEnter(first, [this, first] {
            auto* lookup = qobject_cast<LookupField*>(first);
            auto* box = qobject_cast<QLineEdit*>(first);
            if ((lookup && lookup->chosenId() != 0) || (box && !box->text().trimmed().isEmpty())) return false;
            QWidget* to = firstChargeField() ? firstChargeField() : button(QStringLiteral("cmd_save"));
            to->setFocus();
            return true;
        });
    newEntry();
}

QLineEdit* DocumentForm::textField(const QString& name) const { return field<QLineEdit>(name); }
NumberBox* DocumentForm::numberField(const QString& name) const { return field<NumberBox>(name); }
DateBox* DocumentForm::dateField(const QString& name) const { return field<DateBox>(name); }
LookupField* DocumentForm::lookupField(const QString& name) const { return field<LookupField>(name); }
QComboBox* DocumentForm::choiceField(const QString& name) const { return field<QComboBox>(name); }
QLabel* DocumentForm::infoField(const QString& name) const { return field<QLabel>(name); }

void DocumentForm::showChoice(QComboBox* box, const QVariant& data) {
    const int index = box->findData(data);
    if (index < 0) return;
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

QDate DocumentForm::optionalDate(const QString& name) const {
    const QString text = textField(name)->text().trimmed();
    if (text.isEmpty()) return {};
    return parseTypedDate(text, session_.yearStartDate, session_.yearEndDate).value_or(QDate());
}

void DocumentForm::setOptionalDate(const QString& name, const QDate& date) {
    textField(name)->setText(date.isValid() ? date.toString(kDateFormat) : QString());
}

Decimal DocumentForm::numberOf(const QString& name) const { return typedDecimal(textField(name)->text()); }
QString DocumentForm::textOf(const QString& name) const { return textField(name)->text().trimmed(); }

void DocumentForm::setLines(const std::vector<std::vector<Cell>>& rows) {
    const int count = int(rows.size());
    grid_->setRowCount(count + 1);
    std::vector<Decimal> sums(columns_.size());
    auto put = [&](int row, int column, const QString& text, bool right) {
        auto* item = new QTableWidgetItem(text);
        if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(row, column, item);
        return item;
    };
    for (int r = 0; r < count; ++r)
        for (int c = 0; c < int(columns_.size()); ++c) {
            const GridColumn& col = columns_[size_t(c)];
            const Cell cell = c < int(rows[size_t(r)].size()) ? rows[size_t(r)][size_t(c)] : Cell{QString()};
            if (const auto* d = std::get_if<Decimal>(&cell)) {
                put(r, c, FormatIndian(*d, col.places), true);
                if (col.summed) sums[size_t(c)] += *d;
            } else if (const auto* date = std::get_if<QDate>(&cell)) {
                put(r, c, date->toString(kDateFormat), false);
            } else {
                put(r, c, std::get<QString>(cell), col.kind == GridColumn::Number);
            }
        }
    // the bold total row: "Tot" under the first text column, the sums of the summed columns
    QFont bold = grid_->font();
    bold.setBold(true);
    bool captioned = false;
    for (int c = 0; c < int(columns_.size()); ++c) {
        const GridColumn& col = columns_[size_t(c)];
        QString text;
        if (col.summed) text = FormatIndian(sums[size_t(c)], col.places);
        else if (!captioned && col.kind == GridColumn::Text) {
            text = QStringLiteral("Tot");
            captioned = true;
        }
        put(count, c, text, col.kind == GridColumn::Number)->setFont(bold);
    }
    grid_->resizeColumnsToContents();
}

void DocumentForm::setColumnCaption(int column, const QString& caption) {
    grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(caption));
}

void DocumentForm::setColumnHidden(int column, bool hidden) { grid_->setColumnHidden(column, hidden); }

void DocumentForm::setTotals(const QString& text, const QString& net) {
    totals_->setText(text);
    net_->setText(net);
    net_->setVisible(!net.isEmpty());
    net_->setMinimumWidth(std::max(net_->minimumWidth(), net_->sizeHint().width()));
}

void DocumentForm::setStatus(const QString& text) { status_->setText(text); }

void DocumentForm::setDocumentId(qint64 id) {
    documentId_ = id;
    for (QPushButton* b : savedOnly_) b->setEnabled(id > 0);
}

void DocumentForm::newEntry() {
    if (!mayLeave(messages_, changed_, [this] { return saveEntry(); })) return;
    filling_ = true;
    setDocumentId(0);
    clearDocument();
    filling_ = false;
    markClean();
    status_->clear();
    refreshList();
    if (QWidget* first = headerFields_.isEmpty() ? firstField(this) : headerFields_.first()) {
        first->setFocus(Qt::OtherFocusReason);
        if (auto* box = qobject_cast<QLineEdit*>(first)) box->selectAll();
    }
}

bool DocumentForm::refuseTyped() {
    for (const DocField& f : declared_) {
        QWidget* w = fields_.at(f.name);
        if (!w->isEnabled() || !w->isVisibleTo(this)) continue;
        if (f.kind == DocField::OptionalDate) {
            auto* box = static_cast<QLineEdit*>(w);
            const QString text = box->text().trimmed();
            if (text.isEmpty() || parseTypedDate(text, session_.yearStartDate, session_.yearEndDate)) continue;
            messages_.critical(QStringLiteral("Wrong Date"), QStringLiteral("%1 is not a proper date: %2.").arg(f.caption, text));
            box->setFocus();
            box->selectAll();
            return true;
        }
        if (refuseTypedValue(w, messages_)) return true;
    }
    return false;
}

bool DocumentForm::refuseTypedLine() {
    for (QWidget* w : lineFields_)
        if (w->isEnabled() && refuseTypedValue(w, messages_)) return true;
    return false;
}

bool DocumentForm::saveEntry() {
    if (refuseTyped()) return false;
    status_->clear();
    if (!saveDocument()) return false;
    // The saved document stays on screen with its number, ready to print, send or change.
    filling_ = true;
    const qint64 id = documentId_;
    loadDocument(id);
    setDocumentId(id);
    filling_ = false;
    markClean();
    refreshList();
    button(QStringLiteral("Cmd_Print"))->setFocus();
    return true;
}

void DocumentForm::deleteEntry() {
    if (documentId_ <= 0) return;
    if (!removeDocument(documentId_)) return;
    markClean();
    newEntry();
}

void DocumentForm::openEntry(qint64 id) {
    if (id <= 0 || !mayLeave(messages_, changed_, [this] { return saveEntry(); })) return;
    filling_ = true;
    setDocumentId(id);
    loadDocument(id);
    filling_ = false;
    markClean();
    status_->clear();
    refreshList();
    if (QWidget* first = firstLineField() ? firstLineField() : (headerFields_.isEmpty() ? nullptr : headerFields_.first()))
        first->setFocus();
}

void DocumentForm::showListPage(int page) {
    documents::ListFilter filter;
    filter.text = find_->text();
    // the list shows the open year unless the operator narrows it
    if (listFrom_->date() > session_.yearStartDate) filter.from = listFrom_->date();
    if (listTo_->date() < session_.yearEndDate) filter.to = listTo_->date();
    filter.page = std::max(0, page);
    shownPage_ = listDocuments(filter);
    page_ = shownPage_.page;
    const QSignalBlocker quiet(list_);
    list_->setRowCount(int(shownPage_.rows.size()));
    listedIds_.clear();
    for (int r = 0; r < int(shownPage_.rows.size()); ++r) {
        const documents::ListedDocument& d = shownPage_.rows[size_t(r)];
        listedIds_.push_back(d.id);
        for (int c = 0; c < int(listColumns_.size()); ++c) {
            const ListColumn& col = listColumns_[size_t(c)];
            QString text;
            bool right = false;
            switch (col.source) {
            case ListColumn::Number:
                text = d.number;
                break;
            case ListColumn::Date:
                text = d.date.toString(kDateFormat);
                break;
            case ListColumn::Party:
                text = d.party;
                break;
            case ListColumn::Amount:
                text = FormatIndian(d.amount, 2);
                right = true;
                break;
            case ListColumn::Marked:
                break;
            case ListColumn::Text:
                text = col.index < d.texts.size() ? d.texts.at(col.index) : QString();
                break;
            case ListColumn::Figure:
                text = col.index < int(d.figures.size()) ? FormatIndian(d.figures[size_t(col.index)], col.places) : QString();
                right = true;
                break;
            }
            auto* item = new QTableWidgetItem(text);
            item->setData(Qt::UserRole, d.id);
            if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (col.source == ListColumn::Marked) {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
                item->setCheckState(d.marked ? Qt::Checked : Qt::Unchecked);
            }
            list_->setItem(r, c, item);
        }
    }
    list_->resizeColumnsToContents();
    position_->setText(listPosition());
}

QString DocumentForm::listPosition() const {
    if (shownPage_.total == 0) return QStringLiteral("None");
    const int first = shownPage_.page * shownPage_.pageSize + 1;
    const int last = first + int(shownPage_.rows.size()) - 1;
    return QStringLiteral("%1-%2 of %3")
        .arg(FormatIndian(Decimal(first), 0), FormatIndian(Decimal(last), 0), FormatIndian(Decimal(shownPage_.total), 0));
}

void DocumentForm::refreshList() {
    if (!listFrom_->date().isValid() || listFrom_->date() < session_.yearStartDate ||
        listFrom_->date() == listFrom_->minimumDate()) {
        const QSignalBlocker a(listFrom_), b(listTo_);
        listFrom_->setDate(session_.yearStartDate);
        listTo_->setDate(session_.yearEndDate);
    }
    showListPage(page_);
}

void DocumentForm::openListRow(int row) {
    if (row >= 0 && row < int(listedIds_.size())) openEntry(listedIds_[size_t(row)]);
}

void DocumentForm::listMarkChanged(int row, int column) {
    if (column < 0 || column >= int(listColumns_.size()) || listColumns_[size_t(column)].source != ListColumn::Marked) return;
    auto* item = list_->item(row, column);
    if (!item) return;
    const bool ticked = item->checkState() == Qt::Checked;
    if (!markListed(item->data(Qt::UserRole).toLongLong(), ticked)) {
        // refused (closed year, no right): the tick goes back to what the books hold
        const QSignalBlocker quiet(list_);
        item->setCheckState(ticked ? Qt::Unchecked : Qt::Checked);
    }
}

bool DocumentForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = list_->currentRow();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            // Space on the mark column ticks it; elsewhere Enter and Space open the document
            const int column = list_->currentColumn();
            if (key == Qt::Key_Space && column >= 0 && column < int(listColumns_.size()) &&
                listColumns_[size_t(column)].source == ListColumn::Marked)
                return false;
            openListRow(row);
            return true;
        }
        if (key == Qt::Key_PageDown && row == list_->rowCount() - 1 && page_ + 1 < shownPage_.pages()) {
            showListPage(page_ + 1);
            list_->selectRow(0);
            return true;
        }
        if (key == Qt::Key_PageUp && row <= 0 && page_ > 0) {
            showListPage(page_ - 1);
            list_->selectRow(list_->rowCount() - 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DocumentForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12 && functionKey(event->key())) return;
    QWidget::keyPressEvent(event);
}

void DocumentForm::closeEvent(QCloseEvent* event) {
    if (!mayLeave(messages_, changed_, [this] { return saveEntry(); })) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void DocumentForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!focusWidget() || !isAncestorOf(focusWidget())) focusFirstField(this);
}

QSize DocumentForm::sizeHint() const {
    // a fitting size for the usual office laptop; the main window bounds it to its area
    const QSize natural = QWidget::sizeHint();
    return {std::min(natural.width(), 1340), std::min(natural.height(), 660)};
}

}  // namespace tanabana::gui
