#include "gui/common/RegisterForm.h"

#include "domain/reports/ReportError.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/FormFields.h"
#include "gui/common/LookupField.h"
#include "gui/reports/PreviewWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

using reports::RegisterLine;

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumWidth(96);
    return b;
}

// The year's dates when today lies outside it; otherwise the year's start to today.
std::pair<QDate, QDate> defaultPeriod(const Session& s) {
    const QDate today = QDate::currentDate();
    if (s.yearStartDate.isValid() && s.inYear(today)) return {s.yearStartDate, today};
    return {s.yearStartDate, s.yearEndDate};
}

}  // namespace

RegisterForm::RegisterForm(db::Database& db, Session& session, Messages& messages, std::vector<const reports::RegisterDefinition*> kinds,
                           QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages), kinds_(std::move(kinds)) {
    Q_ASSERT(!kinds_.empty());
    setObjectName(QStringLiteral("FrmRep_") + kinds_.front()->command);
    // "Sales Register (Date Wise)" of a screen that offers several kinds is the "Sales Register".
    QString title = kinds_.front()->title;
    if (kinds_.size() > 1 && title.contains(QLatin1String(" ("))) title = title.left(title.indexOf(QLatin1String(" (")));
    setWindowTitle(title);
    build();
    kindChanged();
}

RegisterForm::~RegisterForm() = default;

const reports::RegisterDefinition& RegisterForm::currentKind() const { return *kinds_.at(size_t(qMax(0, kind_->currentIndex()))); }

void RegisterForm::build() {
    auto* outer = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("ComType"));
    for (const auto* k : kinds_) kind_->addItem(k->kind);
    auto* kindCaption = caption(QStringLiteral("Report"));
    kindCaption->setVisible(kinds_.size() > 1);
    kind_->setVisible(kinds_.size() > 1);
    from_ = dateBox(QStringLiteral("DtpFrom"));
    to_ = dateBox(QStringLiteral("DtpTo"));
    const auto [start, end] = defaultPeriod(session_);
    from_->setDate(start);
    to_->setDate(end);
    const qint64 firm = session_.firmNo;
    db::Database* db = &db_;
    party_ = new LookupField([db, firm](const QString& p) { return reports::registerParties(*db, firm, p); }, QStringLiteral("Id"),
                             QStringLiteral("A/c Name"), this);
    party_->setObjectName(QStringLiteral("txtParty"));
    book_ = new LookupField([this](const QString& p) { return reports::registerBooks(db_, session_.firmNo, p, currentKind().bookTypes); },
                            QStringLiteral("Id"),
                            QStringLiteral("Book"), this);
    book_->setObjectName(QStringLiteral("txtBook"));
    item_ = new LookupField([db, firm](const QString& p) { return reports::registerItems(*db, firm, p); }, QStringLiteral("Id"),
                            QStringLiteral("Quality Name"), this);
    item_->setObjectName(QStringLiteral("txtQuality"));
    partyCaption_ = caption(QStringLiteral("Party"));
    bookCaption_ = caption(QStringLiteral("Book"));
    itemCaption_ = caption(QStringLiteral("Quality"));
    show_ = button(this, QStringLiteral("cmdShow"), QStringLiteral("Show (F5)"));

    bar->addWidget(kindCaption);
    bar->addWidget(kind_);
    fromCaption_ = caption(QStringLiteral("From"));
    toCaption_ = caption(QStringLiteral("To"));
    bar->addWidget(fromCaption_);
    bar->addWidget(from_);
    bar->addWidget(toCaption_);
    bar->addWidget(to_);
    for (auto [label, field] : {std::pair<QLabel*, QWidget*>{partyCaption_, party_}, {bookCaption_, book_}, {itemCaption_, item_}}) {
        bar->addWidget(label);
        bar->addWidget(field, 1);
    }
    bar->addWidget(show_);
    outer->addLayout(bar);
    options_ = new QHBoxLayout;
    outer->addLayout(options_);

    filters_ = new QLabel(this);
    filters_->setObjectName(QStringLiteral("lblTitle"));
    filters_->setAlignment(Qt::AlignCenter);
    QFont bold = filters_->font();
    bold.setBold(true);
    filters_->setFont(bold);
    outer->addWidget(filters_);

    grid_ = documentList();
    grid_->setParent(this);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->setTabKeyNavigation(false);
    grid_->installEventFilter(this);
    outer->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout;
    buttons_ = buttons;
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblCount"));
    buttons->addWidget(count_);
    buttons->addStretch(1);
    auto* previewButton = button(this, QStringLiteral("cmdPreview"), QStringLiteral("Preview (F6)"));
    auto* printButton = button(this, QStringLiteral("Cmd_Print"), QStringLiteral("Print (F7)"));
    auto* pdfButton = button(this, QStringLiteral("CmdPDF"), QStringLiteral("PDF (F8)"));
    auto* excelButton = button(this, QStringLiteral("Cmd_Excel"), QStringLiteral("Excel (F9)"));
    auto* exitButton = button(this, QStringLiteral("Cmd_Exit"), QStringLiteral("Exit"));
    for (QPushButton* b : {previewButton, printButton, pdfButton, excelButton, exitButton}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(kind_, &QComboBox::currentIndexChanged, this, [this] { kindChanged(); });
    connect(show_, &QPushButton::clicked, this, [this] {
        if (refresh() && grid_->rowCount() > 0) grid_->setFocus();
    });
    connect(previewButton, &QPushButton::clicked, this, &RegisterForm::preview);
    connect(printButton, &QPushButton::clicked, this, &RegisterForm::print);
    connect(pdfButton, &QPushButton::clicked, this, [this] { writeFile(QStringLiteral("pdf")); });
    connect(excelButton, &QPushButton::clicked, this, [this] { writeFile(QStringLiteral("xlsx")); });
    connect(exitButton, &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
        else close();
    });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) { openCell(row, column); });

    auto* keys = EntryKeys::install(this, &session_);
    keys->setOrder({kind_, from_, to_, party_, book_, item_, show_});
    setFocusProxy(kinds_.size() > 1 ? static_cast<QWidget*>(kind_) : kinds_.front()->asksOneDate() ? to_ : from_);
    resize(1300, 640);
}

void RegisterForm::kindChanged() {
    const reports::RegisterDefinition& k = currentKind();
    // A position on one day asks only for that day.
    fromCaption_->setVisible(!k.asksOneDate());
    from_->setVisible(!k.asksOneDate());
    toCaption_->setText(k.asksOneDate() ? QStringLiteral("As On") : QStringLiteral("To"));
    if (kinds_.size() <= 1) {
        setFocusProxy(k.asksOneDate() ? to_ : from_);
        focusProxy()->setFocus();  // the screen opens on its first date, not on a picker
    }
    partyCaption_->setVisible(k.offersParty());
    party_->setVisible(k.offersParty());
    bookCaption_->setVisible(k.offersBook());
    book_->setVisible(k.offersBook());
    itemCaption_->setVisible(k.offersItem());
    item_->setVisible(k.offersItem());
    result_.reset();
    grid_->clear();
    grid_->setRowCount(0);
    grid_->setColumnCount(0);
    count_->clear();
    filters_->clear();
}

std::optional<reports::RegisterChoice> RegisterForm::choice() {
    reports::RegisterChoice c = preset_;
    c.to = to_->date();
    c.from = !currentKind().asksOneDate() ? from_->date() : session_.yearStartDate.isValid() ? qMin(session_.yearStartDate, c.to) : c.to;
    // A name typed without choosing from the list counts when it names one entry.
    const std::tuple<LookupField*, reports::RegisterPicker, qint64*, QString> pickers[] = {
        {party_, reports::RegisterPicker::Party, &c.partyId, QStringLiteral("Party")},
        {book_, reports::RegisterPicker::Book, &c.bookNo, QStringLiteral("Book")},
        {item_, reports::RegisterPicker::Item, &c.itemId, QStringLiteral("Quality")}};
    for (const auto& [field, picker, target, what] : pickers) {
        if (!field->isVisibleTo(this) || field->text().trimmed().isEmpty()) continue;
        *target = field->chosenId() > 0 ? field->chosenId()
                                        : reports::pickedId(db_, session_.firmNo, picker, field->text(), currentKind().bookTypes);
        if (*target <= 0) {
            messages_.critical(QStringLiteral("No ") + what, QStringLiteral("No %1 of this firm is named \"%2\"").arg(what.toLower(), field->text().trimmed()));
            field->setFocus();
            return std::nullopt;
        }
    }
    return c;
}

bool RegisterForm::refresh() {
    const auto c = choice();
    if (!c) return false;
    try {
        result_ = reports::Registers(db_, session_, session_.dataRoot).run(maker_ ? maker_(currentKind()) : currentKind(), *c);
    } catch (const reports::ReportError& e) {
        result_.reset();
        showLines();
        messages_.critical(currentKind().title, e.text());
        (currentKind().asksOneDate() ? to_ : from_)->setFocus();
        return false;
    }
    showLines();
    return true;
}

void RegisterForm::showLines() {
    grid_->clear();
    grid_->setRowCount(0);
    if (!result_) {
        grid_->setColumnCount(0);
        count_->clear();
        filters_->clear();
        return;
    }
    const reports::RegisterSheet& sheet = result_->sheet;
    const int columns = int(sheet.columns.size());
    grid_->setColumnCount(columns);
    QStringList captions;
    for (const auto& c : sheet.columns) captions << c.caption;
    grid_->setHorizontalHeaderLabels(captions);
    grid_->setRowCount(int(result_->lines.size()));
    QFont bold = grid_->font();
    bold.setBold(true);
    int rows = 0;
    for (int r = 0; r < int(result_->lines.size()); ++r) {
        const RegisterLine& line = result_->lines[size_t(r)];
        if (line.kind == RegisterLine::Kind::Heading) {
            auto* item = new QTableWidgetItem(line.cells.value(0));
            item->setFont(bold);
            item->setForeground(QColor(0, 0, 128));
            grid_->setItem(r, 0, item);
            grid_->setSpan(r, 0, 1, columns);
            continue;
        }
        if (line.kind == RegisterLine::Kind::Row) ++rows;
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(line.cells.value(c));
            item->setTextAlignment((sheet.columns[size_t(c)].numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (line.kind != RegisterLine::Kind::Row) {
                item->setFont(bold);
                item->setBackground(line.kind == RegisterLine::Kind::Total ? QColor(200, 200, 240) : QColor(232, 232, 248));
            }
            grid_->setItem(r, c, item);
        }
    }
    for (int c = 0; c < columns; ++c) grid_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Interactive);
    grid_->resizeColumnsToContents();
    // The column the layout lets grow (a name, a party) takes what the window has left.
    int widest = -1;
    for (int c = 0; c < columns && widest < 0; ++c)
        if (!sheet.columns[size_t(c)].numeric && sheet.columns[size_t(c)].width <= 0) widest = c;
    grid_->horizontalHeader()->setStretchLastSection(false);
    if (widest >= 0) grid_->horizontalHeader()->setSectionResizeMode(widest, QHeaderView::Stretch);
    for (int r = 0; r < grid_->rowCount(); ++r)
        if (result_->lines[size_t(r)].kind == RegisterLine::Kind::Row) {
            grid_->setCurrentCell(r, 0);
            break;
        }
    count_->setText(QStringLiteral("Rows : %1").arg(rows));
    filters_->setText(result_->filters.isEmpty() ? result_->title : result_->title + QStringLiteral("   ") + result_->filters);
}

void RegisterForm::setPreset(const reports::RegisterChoice& choice) {
    preset_ = choice;
    if (choice.from.isValid()) from_->setDate(choice.from);
    if (choice.to.isValid()) to_->setDate(choice.to);
}

bool RegisterForm::openRow(int row) { return openCell(row, qMax(0, grid_->currentColumn())); }

bool RegisterForm::openCell(int row, int column) {
    if (!result_ || row < 0 || row >= int(result_->lines.size())) return false;
    const RegisterLine& line = result_->lines[size_t(row)];
    if (column >= 0 && column < int(line.targets.size())) {
        const auto [kind, id] = line.targets[size_t(column)];
        if (kind == reports::DocumentKind::None || id == 0 || !open_) return false;
        open_(kind, id);
        return true;
    }
    if (line.kind != RegisterLine::Kind::Row || line.documentId <= 0 || result_->definition.opens == reports::DocumentKind::None || !open_)
        return false;
    open_(result_->definition.opens, line.documentId);
    return true;
}

QPushButton* RegisterForm::addRowCommand(const QString& objectName, const QString& caption, RowCommand command) {
    auto* b = button(this, objectName, caption);
    b->setMinimumWidth(qMax(b->minimumWidth(), b->sizeHint().width() + 12));
    // After the row count and the stretch, before Preview.
    buttons_->insertWidget(2 + ownCommands_++, b);
    connect(b, &QPushButton::clicked, this, [this, command = std::move(command)] {
        if (!result_ && !refresh()) return;
        command(*result_, currentDataRow());
        refresh();
    });
    return b;
}

int RegisterForm::currentDataRow() const {
    if (!result_) return -1;
    const auto& lines = result_->lines;
    const int current = grid_->currentRow();
    if (current < 0 || current >= int(lines.size())) return -1;
    switch (lines[size_t(current)].kind) {
    case RegisterLine::Kind::Row: return lines[size_t(current)].row;
    case RegisterLine::Kind::Heading:
        for (size_t i = size_t(current); i < lines.size(); ++i)
            if (lines[i].kind == RegisterLine::Kind::Row) return lines[i].row;
        return -1;
    case RegisterLine::Kind::SubTotal:
        for (int i = current; i >= 0; --i)
            if (lines[size_t(i)].kind == RegisterLine::Kind::Row) return lines[size_t(i)].row;
        return -1;
    case RegisterLine::Kind::Total: return -1;
    }
    return -1;
}

bool RegisterForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openRow(grid_->currentRow());
            return true;
        }
        if (key == Qt::Key_Escape) {
            (currentKind().asksOneDate() ? to_ : from_)->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The function keys reach the form from whichever field has the focus (no field uses them).
void RegisterForm::keyPressEvent(QKeyEvent* event) {
    static const std::pair<int, const char*> keys[] = {
        {Qt::Key_F5, "cmdShow"}, {Qt::Key_F6, "cmdPreview"}, {Qt::Key_F7, "Cmd_Print"}, {Qt::Key_F8, "CmdPDF"}, {Qt::Key_F9, "Cmd_Excel"}};
    for (const auto& [key, name] : keys)
        if (event->key() == key && event->modifiers() == Qt::NoModifier) {
            findChild<QPushButton*>(QString::fromLatin1(name))->click();
            return;
        }
    QWidget::keyPressEvent(event);
}

// Outputs run the register afresh, so a filter changed after Show is never left out of the file.
bool RegisterForm::needResult() { return refresh(); }

void RegisterForm::preview() {
    if (!needResult()) return;
    auto* window = new PreviewWindow(session_, this->window());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::Window);
    window->reportPdfName = result_->definition.pdfName;
    if (!window->showRequest(result_->reportRequest())) {
        messages_.critical(currentKind().title, window->lastError());
        window->close();
        return;
    }
    window->show();
}

void RegisterForm::print() {
    if (!needResult()) return;
    try {
        auto document = reports::ReportService(session_.dataRoot).prepare(nullptr, result_->reportRequest());
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(document->pageLayout());
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted) return;
        printReport(*document, printer);
    } catch (const reports::ReportError& e) {
        messages_.critical(currentKind().title, e.text());
    }
}

QString RegisterForm::askFile(const QString& suggestedName, const QString& suffix) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(suggestedName + QLatin1Char('.') + suffix);
    if (askFile_) return askFile_(suggested);
    const QString filter = suffix == QLatin1String("pdf") ? QStringLiteral("PDF Files (*.pdf)") : QStringLiteral("Excel Files (*.xlsx)");
    return QFileDialog::getSaveFileName(this, windowTitle(), suggested, filter);
}

void RegisterForm::writeFile(const QString& suffix) {
    if (!needResult()) return;
    const QString name = reports::ReportService::suggestedPdfName(session_.firmName, result_->definition.pdfName);
    QString path = askFile(name, suffix);
    if (path.isEmpty()) return;
    if (!path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive)) path += QLatin1Char('.') + suffix;
    try {
        reports::Registers(db_, session_, session_.dataRoot).writeFile(*result_, path);
        messages_.information(currentKind().title, QStringLiteral("Saved in ") + QDir::toNativeSeparators(path));
    } catch (const reports::ReportError& e) {
        messages_.critical(currentKind().title, e.text());
    }
}

}  // namespace tanabana::gui
