#include "domain/reports/ReportService.h"

#include "core/Text.h"
#include "domain/reports/PdfCanvas.h"
#include "domain/reports/PdfFile.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace tanabana::reports {

std::vector<QVariant> fillParameters(const Layout& layout, const QStringList& values) {
    std::vector<QVariant> filled;
    for (const Parameter& p : layout.parameters) filled.push_back(p.defaultValue);
    for (size_t i = 0; i < layout.parameters.size() && int(i) < values.size(); ++i) {
        const Parameter& p = layout.parameters[i];
        if (p.isLink()) continue;
        const auto value = convertParameter(p.type, values.at(int(i)));
        if (!value)
            throw ReportError(QStringLiteral("Layout %1: parameter %2 (%3) expects a %4, not \"%5\"")
                                  .arg(layout.name).arg(i + 1).arg(p.name, parameterTypeName(p.type), values.at(int(i))));
        filled[i] = *value;
    }
    return filled;
}

Layout ReportService::loadLayout(const QString& layoutName) const {
    const QString path = findLayoutFile(installFolder_, layoutName);
    if (path.isEmpty())
        throw ReportError(QStringLiteral("Report layout %1 was not found in the Reports folder").arg(layoutName));
    return Layout::load(path);
}

std::unique_ptr<ReportDocument> ReportService::prepare(db::Database* db, const ReportRequest& request) const {
    Layout layout = loadLayout(request.layoutName);
    std::vector<QVariant> parameters = fillParameters(layout, request.parameterValues);
    ResultSet data;
    if (request.data) {
        data = *request.data;
    } else if (!request.blank) {
        if (request.sql.trimmed().isEmpty()) throw ReportError(QStringLiteral("No query was given for report %1").arg(request.layoutName));
        if (!db) throw ReportError(QStringLiteral("No year is open for report %1").arg(request.layoutName));
        data = ResultSet::fromQuery(*db, request.sql, request.sqlParams);
    }
    auto document = std::make_unique<ReportDocument>(std::move(layout), std::move(data), std::move(parameters), !request.blank);
    if (!request.picturePath.isEmpty()) document->setPicture(request.picturePath);
    return document;
}

namespace {

// Writes the pages through Qt's own PDF engine: slower, used for a font the direct writer cannot embed.
bool writePdfThroughQt(ReportDocument& document, QIODevice& file, const QString& title) {
    QPdfWriter writer(&file);
    writer.setResolution(int(kDotsPerInch));
    writer.setPageLayout(document.pageLayout());
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Tanabana"));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0) writer.newPage();
        document.paintPage(painter, i);
    }
    return painter.end();
}

bool writePdfDirectly(ReportDocument& document, QIODevice& file, const QString& title) {
    PdfFile pdf(file, title, QStringLiteral("Tanabana"));
    PdfCanvas canvas(pdf);
    for (int i = 0; i < document.pageCount(); ++i) {
        pdf.beginPage(document.pageLayout(), kDotsPerInch);
        canvas.beginPage();
        document.paintPage(canvas, i);
        canvas.endPage();
        pdf.endPage();
    }
    return pdf.finish();
}

}  // namespace

void ReportService::writePdf(ReportDocument& document, const QString& path) {
    const QFileInfo info(path);
    if (!info.dir().exists())
        throw ReportError(QStringLiteral("Cannot write %1: the folder %2 does not exist").arg(path, info.dir().path()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    bool written = false;
    try {
        written = writePdfDirectly(document, file, info.completeBaseName());
    } catch (const PdfFontUnsupported&) {
        // Start again from an empty file through Qt's engine.
        written = file.seek(0) && file.resize(0) && writePdfThroughQt(document, file, info.completeBaseName());
    }
    if (!written) {
        file.cancelWriting();
        throw ReportError(QStringLiteral("Cannot write %1: the PDF could not be written").arg(path));
    }
    if (!file.commit()) throw ReportError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

QString ReportService::exportForEmail(db::Database* db, const ReportRequest& request, const QString& fileName) const {
    auto document = prepare(db, request);
    const QString folder = emailExportFolder(installFolder_);
    if (!makeFolderIfMissing(folder)) throw ReportError(QStringLiteral("Cannot create the folder %1").arg(folder));
    const QString temp = QDir(installFolder_).filePath(QStringLiteral("temp1.pdf"));
    writePdf(*document, temp);
    const QString target = QDir(folder).filePath(CleanFileName(fileName));
    // Copy through a save file so a half-copied PDF never stands under the final name.
    QFile source(temp);
    QSaveFile copy(target);
    if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("Cannot write %1: %2").arg(target, copy.errorString()));
    copy.write(source.readAll());
    if (!copy.commit()) throw ReportError(QStringLiteral("Cannot write %1: %2").arg(target, copy.errorString()));
    return folder;
}

QString ReportService::exportForWhatsApp(db::Database* db, const ReportRequest& request, const QString& fileName) const {
    auto document = prepare(db, request);
    const QString folder = whatsAppPdfFolder(installFolder_);
    if (!makeFolderIfMissing(folder)) throw ReportError(QStringLiteral("Cannot create the folder %1").arg(folder));
    const QString target = QDir(folder).filePath(CleanFileName(fileName));
    writePdf(*document, target);
    return target;
}

QString ReportService::suggestedPdfName(const QString& firmName, const QString& reportPdfName) {
    QString name = firmName;
    if (!reportPdfName.isEmpty()) name += QLatin1Char('_') + reportPdfName;
    return CleanFileName(name);
}

}  // namespace tanabana::reports
