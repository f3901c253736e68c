#include "gui/gst/Gstr1Screen.h"

#include "gui/gst/ReturnPeriod.h"

#include "core/Words.h"
#include "domain/gst/GstRules.h"
#include "domain/gst/Gstr1Files.h"
#include "domain/gst/ReturnWorkbook.h"
#include "domain/gst/ReturnPrints.h"
#include "gui/common/FormFields.h"
#include "gui/reports/MasterPrints.h"

#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <set>

namespace tanabana::gui {

namespace {

// The tabs in the order of the portal's tool; the file each shows, empty for the screen's own.
struct Section {
    const char* caption;
    const char* file;
};
constexpr Section kSections[] = {
    {"B2B", "b2b.csv"},       {"B2CL", "b2cl.csv"},   {"B2CS", "b2cs.csv"}, {"CDNR", "cdnr.csv"}, {"CDNUR", "cdnur.csv"},
    {"EXP", "exp.csv"},       {"EXEMP", "exemp.csv"}, {"HSN", "hsn.csv"},   {"HSN B2B", "hsn_b2b.csv"},
    {"HSN B2C", "hsn_b2c.csv"}, {"DOCS", ""},          {"Check", ""},
};

QStringList headerOf(const QString& file) {
    for (const auto& [name, header] : gst::gstr1CsvFiles())
        if (name == file) return header;
    return gst::gstr1CsvFiles().back().second;  // the split HSN files take the HSN header
}

}  // namespace

Gstr1Screen::Gstr1Screen(db::Database& db, Session& session, Messages& messages, QWidget* parent)
    : QWidget(parent), db_(db), session_(session), messages_(messages) {
    setObjectName(QStringLiteral("Frm_GSTR1"));
    setWindowTitle(QStringLiteral("GSTR - 1"));
    showFolder_ = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    build();
}

void Gstr1Screen::build() {
    auto* outer = new QVBoxLayout(this);
    const PeriodBar bar = addPeriodBar(this, outer, session_);
    from_ = bar.from;
    to_ = bar.to;
    QPushButton* refreshButton = bar.refresh;

    summary_ = addSummaryLabel(this, outer);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabSections"));
    for (const Section& s : kSections) addTab(QString::fromLatin1(s.caption));
    outer->addWidget(tabs_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* csvButton = returnButton(this, QStringLiteral("cmdCSV"), QStringLiteral("CSV"), QStringLiteral("Write the offline tool's CSV files"));
    auto* jsonButton = returnButton(this, QStringLiteral("cmdJson"), QStringLiteral("JSON"), QStringLiteral("Write the file for the portal's upload"));
    auto* viewButton = returnButton(this, QStringLiteral("cmdView"), QStringLiteral("View Report"), QStringLiteral("The printed return"));
    auto* excelButton = returnButton(this, QStringLiteral("Cmd_Excel"), QStringLiteral("Excel"), QStringLiteral("The return in its workbook"));
    auto* exit = exitButton(this);
    for (QPushButton* b : {csvButton, jsonButton, viewButton, excelButton, exit}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(csvButton, &QPushButton::clicked, this, [this] { writeCsv(); });
    connect(jsonButton, &QPushButton::clicked, this, [this] { writeJson(); });
    connect(viewButton, &QPushButton::clicked, this, [this] { viewReport(); });
    connect(excelButton, &QPushButton::clicked, this, [this] { writeExcel(); });
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { summary_->setText(summaryText()); });
    showReturn();
}

QTableWidget* Gstr1Screen::addTab(const QString& caption) {
    auto* grid = documentList();
    grid->setObjectName(QStringLiteral("vsgrid") + QString(caption).remove(QLatin1Char(' ')));
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setTabKeyNavigation(false);
    tabs_->addTab(grid, caption);
    if (caption == QLatin1String("Check")) {
        grid->installEventFilter(this);
        connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openProblem(row); });
    }
    return grid;
}

QTableWidget* Gstr1Screen::grid(const QString& caption) const {
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->tabText(i) == caption) return qobject_cast<QTableWidget*>(tabs_->widget(i));
    return nullptr;
}

void Gstr1Screen::setPeriod(const QDate& from, const QDate& to) {
    from_->setDate(from);
    to_->setDate(to);
}

QString Gstr1Screen::folder() const { return QDir(session_.dataRoot).filePath(QStringLiteral("GSTR_CSV")); }

bool Gstr1Screen::refresh() {
    result_.reset();
    problems_.clear();
    const gst::ReturnPeriod period{from_->date(), to_->date()};
    try {
        result_ = gst::Gstr1Service(db_, session_).compute(period);
        problems_ = gst::checkGstr1(db_, session_, period);
    } catch (const gst::GstError& e) {
        result_.reset();
        showReturn();
        messages_.critical(QStringLiteral("GSTR - 1"), e.text());
        return false;
    }
    showReturn();
    // The rows painted red, told as the screens always told them.
    auto anyRed = [this](const QString& caption) {
        const QTableWidget* g = grid(caption);
        for (int r = 0; g && r < g->rowCount(); ++r)
            if (g->item(r, 0) && g->item(r, 0)->background().color() == kFaultRow) return true;
        return false;
    };
    if (anyRed(QStringLiteral("B2B")))
        messages_.warning(QStringLiteral("Red Line Represent Error"), QStringLiteral("Please Enter Proper GSTIN In B2B File Sales"));
    if (anyRed(QStringLiteral("CDNR")))
        messages_.warning(QStringLiteral("Red Line Represent Error"), QStringLiteral("Please Enter Proper GSTIN In cdnr File Sales"));
    if (anyRed(QStringLiteral("HSN")))
        messages_.warning(QStringLiteral("Red Line Represent Error"), QStringLiteral("Please Enter Proper HSN Code In HSN File Sales"));
    if (!problems_.empty()) tabs_->setCurrentWidget(grid(QStringLiteral("Check")));
    return true;
}

void Gstr1Screen::showReturn() {
    const bool split = result_ && result_->hsnSplit;
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->tabText(i).startsWith(QLatin1String("HSN B2"))) tabs_->setTabVisible(i, split);

    // A bill, a return and a credit note may share a key: a fault belongs to its kind and key.
    std::set<std::pair<int, qint64>> faulty;
    for (const auto& p : problems_) faulty.insert({p.document.formId, p.document.id});
    auto redDocuments = [&](const std::vector<gst::InvoiceRateRow>& rows) {
        std::vector<bool> red;
        for (const auto& row : rows) red.push_back(faulty.count({row.document.formId, row.document.id}) > 0);
        return red;
    };
    const int digits = result_ ? gst::hsnDigitsRequired(result_->period.from, gst::Gstr1Service(db_, session_).firm().turnoverAbove5Crore) : 4;
    // A note to a registered buyer needs the buyer's GSTIN whole, as an invoice does.
    auto redNotes = [&](const std::vector<gst::NoteRateRow>& rows, bool registered) {
        std::vector<bool> red;
        for (const auto& n : rows)
            red.push_back(faulty.count({n.document.formId, n.document.id}) > 0 || (registered && n.gstin.size() != 15));
        return red;
    };
    auto redHsn = [&](const std::vector<gst::HsnRow>& rows) {
        std::vector<bool> red;
        for (const auto& h : rows) red.push_back(!gst::hsnCodeFault(h.hsn, digits).isEmpty() || h.uqc.isEmpty());
        return red;
    };
    static const gst::Gstr1 empty;
    const gst::Gstr1& r = result_ ? *result_ : empty;
    for (const Section& s : kSections) {
        const QString caption = QString::fromLatin1(s.caption), file = QString::fromLatin1(s.file);
        QTableWidget* g = grid(caption);
        std::vector<bool> red;
        if (caption == QLatin1String("B2B")) red = redDocuments(r.b2b);
        else if (caption == QLatin1String("B2CL")) red = redDocuments(r.b2cl);
        else if (caption == QLatin1String("EXP")) red = redDocuments(r.exp);
        else if (caption == QLatin1String("CDNR")) red = redNotes(r.cdnr, true);
        else if (caption == QLatin1String("CDNUR")) red = redNotes(r.cdnur, false);
        else if (caption == QLatin1String("HSN")) red = redHsn(r.hsn);
        else if (caption == QLatin1String("HSN B2B")) red = redHsn(r.hsnB2b);
        else if (caption == QLatin1String("HSN B2C")) red = redHsn(r.hsnB2c);
        if (!file.isEmpty()) {
            fillReturnGrid(g, headerOf(file), gst::gstr1Rows(r, file), red);
        } else if (caption == QLatin1String("DOCS")) {
            std::vector<QStringList> rows;
            int n = 0;
            for (const auto& d : r.documents)
                rows.push_back({QString::number(++n), d.nature, d.from, d.to, QString::number(d.total), QString::number(d.cancelled)});
            fillReturnGrid(g, {"Srno", "Nature of Document", "Sr No From", "Sr No To", "Total Number", "Total Cancelled"}, rows);
        } else {
            std::vector<QStringList> rows;
            std::vector<bool> all;
            for (const auto& p : problems_) {
                rows.push_back({p.document.book, p.document.number, p.document.date.toString(QStringLiteral("dd-MM-yyyy")), p.document.party,
                                p.problem, p.fix});
                all.push_back(true);
            }
            fillReturnGrid(g, {"Book", "Number", "Date", "Party", "Problem", "Fix"}, rows, all);
            tabs_->setTabText(tabs_->indexOf(g), QStringLiteral("Check"));
        }
    }
    summary_->setText(summaryText());
}

QString Gstr1Screen::summaryText() const {
    if (!result_) return {};
    const QString tab = tabs_->tabText(tabs_->currentIndex());
    const gst::SectionSummary* s = tab == QLatin1String("B2B")    ? &result_->b2bSummary
                                   : tab == QLatin1String("B2CL") ? &result_->b2clSummary
                                   : tab == QLatin1String("B2CS") ? &result_->b2csSummary
                                   : tab == QLatin1String("EXP")  ? &result_->expSummary
                                                                  : nullptr;
    if (tab == QLatin1String("Check"))
        return problems_.empty() ? QStringLiteral("No problems found.")
                                 : QStringLiteral("%1 problem(s) the portal would refuse; Enter opens the document.").arg(problems_.size());
    if (tab == QLatin1String("CDNR")) return sectionSummaryText(result_->cdnrSummary, true);
    if (tab == QLatin1String("CDNUR")) return sectionSummaryText(result_->cdnurSummary, true);
    if (!s) return {};
    return sectionSummaryText(*s);
}

bool Gstr1Screen::openProblem(int row) {
    if (row < 0 || row >= int(problems_.size())) return false;
    const gst::DocumentRef& document = problems_[size_t(row)].document;
    if (document.id <= 0 || !openDocument_) return false;
    openDocument_(document.formId, document.id);
    return true;
}

bool Gstr1Screen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == grid(QStringLiteral("Check"))) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openProblem(grid(QStringLiteral("Check"))->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Gstr1Screen::ensureReturn() {
    if (result_ && result_->period.from == from_->date() && result_->period.to == to_->date()) return true;
    return refresh();
}

bool Gstr1Screen::warnOfProblems() {
    if (problems_.empty()) return true;
    messages_.warning(QStringLiteral("GSTR - 1"), QStringLiteral("%1 problem(s) in the sales of this period are listed under Check; the portal "
                                                                 "may refuse those rows. The files are written all the same.")
                                                      .arg(problems_.size()));
    return true;
}

bool Gstr1Screen::writeFiles(const std::function<void(const gst::Gstr1&, const QString&)>& write) {
    if (!ensureReturn()) return false;
    warnOfProblems();
    try {
        write(*result_, folder());
    } catch (const gst::GstError& e) {
        messages_.critical(QStringLiteral("GSTR - 1"), e.text());
        return false;
    }
    messages_.information(QStringLiteral("GSTR-1 Completed"),
                          QStringLiteral("Your GSTR-1 File Is Ready in %1 Folder").arg(QDir::toNativeSeparators(folder())));
    showFolder_(folder());
    return true;
}

bool Gstr1Screen::writeCsv() {
    return writeFiles([](const gst::Gstr1& r, const QString& folder) { gst::writeGstr1Csv(r, folder); });
}

bool Gstr1Screen::writeJson() {
    return writeFiles([](const gst::Gstr1& r, const QString& folder) { gst::writeGstr1Json(r, folder); });
}

PreviewWindow* Gstr1Screen::viewReport() {
    if (!ensureReturn()) return nullptr;
    return previewReport(session_, messages_, gst::gstr1Report(db_, session_, *result_),
                         QStringLiteral("GSTR1_") + result_->period.from.toString(QStringLiteral("MMM-yyyy")), this);
}

bool Gstr1Screen::writeExcel() {
    if (!ensureReturn()) return false;
    warnOfProblems();
    try {
        gst::writeReturnWorkbook(session_.dataRoot, gst::gstr1Template(), gst::gstr1WorkbookRows(*result_),
                                 gst::returnWorkbookPath(session_.dataRoot, gst::gstr1Template(), result_->period.from));
    } catch (const gst::TemplateMissing& e) {
        messages_.critical(gst::kTemplateMissingTitle, e.text());
        return false;
    } catch (const gst::GstError& e) {
        messages_.critical(QStringLiteral("GSTR - 1"), e.text());
        return false;
    }
    messages_.information(QStringLiteral("GSTR - 1 "), QStringLiteral("Done"));
    showFolder_(gst::returnWorkbookFolder(session_.dataRoot));
    return true;
}

}  // namespace tanabana::gui
