#include "domain/reports/ReportFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tanabana::reports {

QString shippedReportsFolder() {
    const QString share = qEnvironmentVariable("TANABANA_SHARE");
    if (!share.isEmpty()) return QDir(share).filePath(QStringLiteral("reports"));
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("reports"));
}

QString findIgnoringCase(const QString& folder, const QString& fileName) {
    if (folder.isEmpty() || fileName.isEmpty()) return {};
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile()) return dir.filePath(fileName);
    if (!dir.exists()) return {};
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return {};
}

namespace {

QString layoutFileName(const QString& layoutName) {
    QString stem = QFileInfo(layoutName.trimmed()).fileName();
    if (stem.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) return stem;
    if (stem.endsWith(QLatin1String(".rpt"), Qt::CaseInsensitive)) stem.chop(4);
    return stem + QStringLiteral(".json");
}

}  // namespace

QString findLayoutFile(const QString& installFolder, const QString& layoutName) {
    const QString file = layoutFileName(layoutName);
    if (file == QLatin1String(".json")) return {};
    if (!installFolder.isEmpty()) {
        const QString installed = findIgnoringCase(QDir(installFolder).filePath(QStringLiteral("Reports")), file);
        if (!installed.isEmpty()) return installed;
        const QString lower = findIgnoringCase(QDir(installFolder).filePath(QStringLiteral("reports")), file);
        if (!lower.isEmpty()) return lower;
    }
    return findIgnoringCase(shippedReportsFolder(), file);
}

QString findTemplateFile(const QString& installFolder, const QString& templateName) {
    const QString file = QFileInfo(templateName.trimmed()).fileName();
    if (file.isEmpty()) return {};
    const QString installed = findIgnoringCase(installFolder, file);
    if (!installed.isEmpty()) return installed;
    return findIgnoringCase(QDir(shippedReportsFolder()).filePath(QStringLiteral("templates")), file);
}

bool makeFolderIfMissing(const QString& path) {
    if (QFileInfo(path).isDir()) return true;
    return QDir().mkpath(path);
}

void rewriteTextFile(const QString& path, const QString& text) {
    QFile::remove(path);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) file.write(text.toUtf8());
}

QString emailExportFolder(const QString& installFolder) {
    return QDir(installFolder).filePath(QStringLiteral("Email_Export"));
}

QString whatsAppPdfFolder(const QString& installFolder) {
    return QDir(installFolder).filePath(QStringLiteral("WAPDF"));
}

namespace {

QString pdfFoldersFile(const QString& installFolder) { return QDir(installFolder).filePath(QStringLiteral("PdfFolders.ini")); }

}  // namespace

QString pdfFolderFor(const QString& installFolder, const QString& kind) {
    if (!installFolder.isEmpty()) {
        const QSettings kept(pdfFoldersFile(installFolder), QSettings::IniFormat);
        const QString folder = kept.value(QStringLiteral("pdf/") + kind.toLower()).toString();
        if (!folder.isEmpty() && QDir(folder).exists()) return folder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void rememberPdfFolder(const QString& installFolder, const QString& kind, const QString& folder) {
    if (installFolder.isEmpty() || kind.isEmpty()) return;
    QSettings kept(pdfFoldersFile(installFolder), QSettings::IniFormat);
    kept.setValue(QStringLiteral("pdf/") + kind.toLower(), folder);
}

}  // namespace tanabana::reports
