#include "gui/reports/PreviewWindow.h"

#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/XlsxReport.h"
#include "gui/common/MessageBoxes.h"
#include "gui/common/ScreenHabits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QUrl>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPaintEvent>
#include <QPrintDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tanabana::gui {

// The pages one under another, drawn only where the scroll area shows them.
class PageView : public QWidget {
public:
    explicit PageView(QWidget* parent) : QWidget(parent) {}

    void setDocument(reports::ReportDocument* doc) {
        doc_ = doc;
        cache_.clear();
        relayout();
    }
    void setZoom(double zoom) {
        zoom_ = zoom;
        cache_.clear();
        relayout();
    }
    double zoom() const { return zoom_; }
    QSize pageSize() const {
        if (!doc_) return {};
        const QSizeF mm = doc_->layout().pageSizeMm();
        return QSize(qRound(mm.width() / 25.4 * dpi()), qRound(mm.height() / 25.4 * dpi()));
    }
    int pageTop(int index) const { return kGap + index * (pageSize().height() + kGap); }
    int pageAt(int y) const {
        const int step = pageSize().height() + kGap;
        return step > 0 ? qBound(0, y / step, doc_ ? doc_->pageCount() - 1 : 0) : 0;
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.fillRect(event->rect(), QColor(128, 128, 128));
        if (!doc_) return;
        const QSize size = pageSize();
        const int left = qMax(kGap, (width() - size.width()) / 2);
        for (int i = 0; i < doc_->pageCount(); ++i) {
            const QRect page(left, pageTop(i), size.width(), size.height());
            if (!page.intersects(event->rect())) continue;
            p.fillRect(page.translated(3, 3), QColor(80, 80, 80));
            p.drawImage(page.topLeft(), image(i));
        }
    }

private:
    static constexpr int kGap = 12;
    double dpi() const { return logicalDpiX() * zoom_; }
    const QImage& image(int index) {
        auto it = cache_.find(index);
        if (it != cache_.end()) return it.value();
        if (cache_.size() > 12) cache_.clear();
        return cache_.insert(index, doc_->renderPage(index, dpi())).value();
    }
    void relayout() {
        const QSize size = pageSize();
        const int pages = doc_ ? doc_->pageCount() : 0;
        setMinimumSize(size.width() + 2 * kGap, kGap + pages * (size.height() + kGap));
        resize(minimumSize());
        update();
    }

    reports::ReportDocument* doc_ = nullptr;
    double zoom_ = 1.0;
    QHash<int, QImage> cache_;
};

PreviewWindow::PreviewWindow(const Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("FRM_UTL_PREVIEW"));
    setWindowTitle(QStringLiteral("PREVIEW"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("CRViewer1"));
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new PageView(scroll_);
    scroll_->setWidget(view_);
    layout->addWidget(scroll_, 1);
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (document_) pageLabel_->setText(QStringLiteral("Page %1 of %2").arg(currentPage() + 1).arg(document_->pageCount()));
    });
    askFile_ = [this](const QString& suggested) {
        const bool sheet = suggested.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
        return QFileDialog::getSaveFileName(this, sheet ? QStringLiteral("Export Excel") : QStringLiteral("Export PDF"), suggested,
                                            sheet ? QStringLiteral("Excel Files (*.xlsx)") : QStringLiteral("PDF Files (*.pdf)"));
    };
    resize(900, 700);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildToolbar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    auto button = [&](const char* name, const QString& text, const QString& tip) {
        auto* b = new QPushButton(text, bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        row->addWidget(b);
        return b;
    };
    connect(button("Cmd_Print", QStringLiteral("&Print"), QStringLiteral("Print this Bill")), &QPushButton::clicked, this,
            &PreviewWindow::printAll);
    connect(button("Command1", QStringLiteral("Set Pri&nter"), QStringLiteral("Choose the printer and paper")),
            &QPushButton::clicked, this, &PreviewWindow::setUpPrinter);
    connect(button("KordinButton1", QStringLiteral("P&DF"), QStringLiteral("Save as PDF")), &QPushButton::clicked, this,
            &PreviewWindow::exportPdf);
    connect(button("Cmd_Excel", QStringLiteral("Ex&cel"), QStringLiteral("Save as an Excel workbook")), &QPushButton::clicked, this,
            &PreviewWindow::exportXlsx);
    zoom_ = new QComboBox(bar);
    zoom_->setObjectName(QStringLiteral("ComZoom"));
    for (int z : {50, 75, 100, 125, 150, 200}) zoom_->addItem(QStringLiteral("%1%").arg(z), z / 100.0);
    zoom_->setCurrentIndex(2);
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { applyZoom(); });
    row->addWidget(zoom_);
    pageLabel_ = new QLabel(bar);
    row->addWidget(pageLabel_);
    row->addStretch(1);
    connect(button("cmd_Exit", QStringLiteral("E&xit"), QStringLiteral("Close This Form")), &QPushButton::clicked, this,
            &QWidget::close);
    static_cast<QVBoxLayout*>(this->layout())->addWidget(bar);
}

void PreviewWindow::applyZoom() {
    const int page = currentPage();
    view_->setZoom(zoom_->currentData().toDouble());
    scroll_->verticalScrollBar()->setValue(view_->pageTop(page) - 6);
}

int PreviewWindow::currentPage() const {
    return document_ ? view_->pageAt(scroll_->verticalScrollBar()->value() + view_->pageSize().height() / 3) : 0;
}

bool PreviewWindow::showForm(const QString& layoutName, const QString& sql, const QVariantList& sqlParams,
                             const QString& picturePath) {
    reports::ReportRequest r;
    r.layoutName = layoutName;
    r.sql = sql;
    r.sqlParams = sqlParams;
    r.picturePath = picturePath;
    return showRequest(std::move(r));
}

bool PreviewWindow::showBlank(const QString& layoutName) {
    reports::ReportRequest r;
    r.layoutName = layoutName;
    r.blank = true;
    return showRequest(std::move(r));
}

bool PreviewWindow::showRequest(reports::ReportRequest request) {
    request.parameterValues = parameterValues;
    parameterValues.clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool ok = false;
    try {
        document_ = reports::ReportService(session_.dataRoot).prepare(session_.db, request);
        lastError_.clear();
        ok = true;
    } catch (const reports::ReportError& e) {
        lastError_ = e.text();
    } catch (const std::exception& e) {
        lastError_ = QString::fromLocal8Bit(e.what());
    }
    QApplication::restoreOverrideCursor();
    if (!ok) {
        qWarning("Report not shown: %s", qPrintable(lastError_));
        emit reportFailed(lastError_);
        return false;
    }
    showDocument();
    return true;
}

bool PreviewWindow::showCopies(const QStringList& labels, std::function<reports::ReportRequest(const QList<int>&)> request) {
    copiesRequest_ = std::move(request);
    delete copiesBar_;
    copiesBar_ = new QWidget(this);
    copiesBar_->setObjectName(QStringLiteral("CopiesBar"));
    auto* row = new QHBoxLayout(copiesBar_);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(new QLabel(QStringLiteral("Copies :"), copiesBar_));
    for (int i = 0; i < labels.size(); ++i) {
        // Alt+1, Alt+2 ... tick or untick a copy from the keyboard
        auto* box = new QCheckBox(QStringLiteral("&%1 %2").arg(i + 1).arg(labels.at(i)), copiesBar_);
        box->setObjectName(QStringLiteral("ChkCopy%1").arg(i + 1));
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, [this, box] {
            const QList<int> chosen = chosenCopies();
            if (chosen.isEmpty()) {
                box->setChecked(true);  // at least one copy stays
                return;
            }
            showRequest(copiesRequest_(chosen));
        });
        row->addWidget(box);
    }
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, copiesBar_);
    return showRequest(copiesRequest_({}));
}

QList<int> PreviewWindow::chosenCopies() const {
    QList<int> chosen;
    if (!copiesBar_) return chosen;
    for (int i = 1;; ++i) {
        auto* box = copiesBar_->findChild<QCheckBox*>(QStringLiteral("ChkCopy%1").arg(i));
        if (!box) break;
        if (box->isChecked()) chosen << i;
    }
    return chosen;
}

void PreviewWindow::showDocument() {
    view_->setDocument(document_.get());
    view_->setZoom(zoom_->currentData().toDouble());
    scroll_->verticalScrollBar()->setValue(0);
    pageLabel_->setText(QStringLiteral("Page 1 of %1").arg(document_->pageCount()));
    setWindowTitle(QStringLiteral("PREVIEW"));
    if (!presented_ && present) {
        presented_ = true;
        present(this);
    } else {
        if (parentWidget()) parentWidget()->show();
        show();
        if (isWindow()) keepOnScreen(this);  // a small laptop screen still shows all of it
    }
    raise();
    activateWindow();
}

void PreviewWindow::printAll() {
    if (!document_) return;
    try {
        printReport(*document_, printer_);
        emit printed(document_->pageCount());
    } catch (const reports::ReportError& e) {
        MessageBoxes(this).critical(QStringLiteral("Print"), e.text());
    }
}

void PreviewWindow::setUpPrinter() {
    if (document_) printer_.setPageLayout(document_->pageLayout());
    QPrintDialog dialog(&printer_, this);
    dialog.setWindowTitle(QStringLiteral("Set Printer"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

QString PreviewWindow::suggestedPdfName() const {
    return reports::ReportService::suggestedPdfName(session_.firmName, reportPdfName);
}

void PreviewWindow::exportPdf() {
    if (!document_) return;
    // offered in the folder this kind of report was last saved in, else the operator's Documents
    const QString kind = document_->layout().name;
    const QString chosen = askFile_(QDir(reports::pdfFolderFor(session_.dataRoot, kind)).filePath(suggestedPdfName()));
    if (chosen.isEmpty()) return;  // cancelled: nothing happens
    const QString path = chosen.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".pdf");
    try {
        reports::ReportService::writePdf(*document_, path);
        reports::rememberPdfFolder(session_.dataRoot, kind, QFileInfo(path).absolutePath());
        emit pdfExported(path);
    } catch (const reports::ReportError& e) {
        MessageBoxes(this).critical(QStringLiteral("PDF"), e.text());
    }
}

void PreviewWindow::exportXlsx() {
    if (!document_) return;
    // beside the PDFs of the same kind: the operator looks for both in one place
    const QString kind = document_->layout().name;
    const QString chosen =
        askFile_(QDir(reports::pdfFolderFor(session_.dataRoot, kind)).filePath(suggestedPdfName() + QStringLiteral(".xlsx")));
    if (chosen.isEmpty()) return;
    const QString path = chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".xlsx");
    try {
        reports::writeReportXlsx(*document_, path);
        reports::rememberPdfFolder(session_.dataRoot, kind, QFileInfo(path).absolutePath());
        emit xlsxExported(path);
    } catch (const reports::ReportError& e) {
        MessageBoxes(this).critical(QStringLiteral("Excel"), e.text());
    }
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = scroll_->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_PageDown:
        bar->setValue(view_->pageTop(qMin(currentPage() + 1, document_ ? document_->pageCount() - 1 : 0)) - 6);
        return;
    case Qt::Key_PageUp:
        bar->setValue(view_->pageTop(qMax(currentPage() - 1, 0)) - 6);
        return;
    case Qt::Key_Home:
        bar->setValue(0);
        return;
    case Qt::Key_End:
        bar->setValue(bar->maximum());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

ReportSlots::ReportSlots(const Session& session, QObject* parent) : QObject(parent), session_(session) {}

ReportSlots::~ReportSlots() {
    for (auto& w : windows_)
        if (w) w->deleteLater();
}

PreviewWindow* ReportSlots::next() {
    slot_ = slot_ + 1 >= 50 ? 0 : slot_ + 1;
    QPointer<PreviewWindow>& window = windows_[size_t(slot_)];
    if (!window) {
        window = new PreviewWindow(session_);
        window->present = present;
        connect(window, &PreviewWindow::reportFailed, this, [this](const QString& reason) {
            if (onError) onError(reason);
        });
    }
    return window;
}

PreviewWindow* ReportSlots::at(int index) const {
    return index >= 0 && index < int(windows_.size()) ? windows_[size_t(index)].data() : nullptr;
}

void printReport(reports::ReportDocument& document, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageLayout(document.pageLayout());
    QPainter painter;
    if (!painter.begin(&printer))
        throw reports::ReportError(QStringLiteral("The printer %1 could not be started").arg(printer.printerName()));
    const double scale = printer.resolution() / reports::kDotsPerInch;
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0) printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        document.paintPage(painter, i);
        painter.restore();
    }
    painter.end();
}

bool emailPdf(const Session& session, reports::ReportRequest request, const QString& fileName,
              const std::function<void(const QString&)>& onError) {
    try {
        const QString folder = reports::ReportService(session.dataRoot).exportForEmail(session.db, request, fileName);
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
        return true;
    } catch (const reports::ReportError& e) {
        qWarning("E-mail PDF not written: %s", qPrintable(e.text()));
        if (onError) onError(e.text());
        return false;
    }
}

QString whatsAppPdf(const Session& session, reports::ReportRequest request, const QString& fileName,
                    const std::function<void(const QString&)>& onError) {
    try {
        return reports::ReportService(session.dataRoot).exportForWhatsApp(session.db, request, fileName);
    } catch (const reports::ReportError& e) {
        qWarning("WhatsApp PDF not written: %s", qPrintable(e.text()));
        if (onError) onError(e.text());
        return {};
    }
}

}  // namespace tanabana::gui
