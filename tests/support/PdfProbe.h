#pragma once
// Reads back the PDFs a test produced, the way a reader sees them: the text (poppler's pdftotext),
// the words with their positions on the page (to check that amounts line up on the right), and
// the page count.
#include <QString>
#include <QStringList>
#include <vector>

namespace tanabana::test {

struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points from the page's top-left corner
    int page = 0;                                   // 1-based
};

// The text of the PDF, pages separated by form feeds; `layout` keeps the columns' positions.
QString pdfText(const QString& path, bool layout = true);
// The text of one page (1-based).
QString pdfPageText(const QString& path, int page, bool layout = true);
std::vector<PdfWord> pdfWords(const QString& path);
int pdfPageCount(const QString& path);
// Copies a produced file to $TANABANA_TEST_OUTPUT (when set) so a developer can look at it.
void keepForLooking(const QString& path);

}  // namespace tanabana::test
