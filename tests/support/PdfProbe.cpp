#include "support/PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace tanabana::test {

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

QString pdfText(const QString& path, bool layout) {
    QStringList args;
    if (layout) args << QStringLiteral("-layout");
    args << path << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

QString pdfPageText(const QString& path, int page, bool layout) {
    QStringList args{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page)};
    if (layout) args << QStringLiteral("-layout");
    args << path << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

std::vector<PdfWord> pdfWords(const QString& path) {
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    std::vector<PdfWord> words;
    static const QRegularExpression pageRe(QStringLiteral("<page "));
    static const QRegularExpression wordRe(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    int page = 0;
    const QStringList lines = html.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.contains(pageRe)) ++page;
        const auto m = wordRe.match(line);
        if (!m.hasMatch()) continue;
        PdfWord w;
        w.xMin = m.captured(1).toDouble();
        w.yMin = m.captured(2).toDouble();
        w.xMax = m.captured(3).toDouble();
        w.yMax = m.captured(4).toDouble();
        w.text = m.captured(5).replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                     .replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                     .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        w.page = page;
        words.push_back(w);
    }
    return words;
}

int pdfPageCount(const QString& path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    static const QRegularExpression pagesRe(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto m = pagesRe.match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void keepForLooking(const QString& path) {
    const QString folder = qEnvironmentVariable("TANABANA_TEST_OUTPUT");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(QFileInfo(path).fileName());
    QFile::remove(target);
    QFile::copy(path, target);
}

}  // namespace tanabana::test
