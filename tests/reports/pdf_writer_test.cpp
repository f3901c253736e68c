// The PDF files the report engine writes directly must read and look as Qt's own PDF engine would
// make them from the same pages: the same words at the same places (a day book with wrapping
// narrations, Gujarati and Hindi names, quotes and brackets, "difference" and "office" that the
// font joins into ligatures), and the same picture of an invoice-like page with boxes, a logo
// with transparency, a QR code, bold and underlined captions.
#include "domain/reports/ReportService.h"
#include "support/PdfProbe.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <tuple>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

// The same pages through Qt's PDF engine, as every PDF was written before.
void writeThroughQt(ReportDocument& document, const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QPdfWriter writer(&file);
    writer.setResolution(int(kDotsPerInch));
    writer.setPageLayout(document.pageLayout());
    QPainter painter(&writer);
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0) writer.newPage();
        document.paintPage(painter, i);
    }
}

QImage rendered(const QString& pdf, int page, int dpi) {
    const QString stem = pdf + QStringLiteral("-page");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
                                         QStringLiteral("-l"), QString::number(page), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                                         stem});
    p.waitForFinished(60000);
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// Pixels whose grey differs by more than a quarter of the scale.
int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x])) > 64) ++count;
    return count;
}

ResultSet dayBook(int postings) {
    ResultSet rs;
    rs.columns = {"Srno", "Grpno", "MonthNo", "BType", "VDate", "Vno", "AcNO", "AcNAme", "ChqNO", "Narr1", "withDraw", "Deposit",
                  "FirmNAme", "FirmAdd1", "FirmCity"};
    const QStringList names = {QStringLiteral("Shree Ambika Silk Mills"), QStringLiteral("રમેશભાઈ પટેલ"), QStringLiteral("राजेश शर्मा"),
                               QStringLiteral("Mehta & \"Sons\" (Agency) \\ Surat"),
                               QStringLiteral("AVATAR Weaving Works Tenali Fabrics Very Long Name That Wraps")};
    const QStringList narrations = {
        QStringLiteral("Being goods returned against bill GST/%1 for the rate difference and shortage in 4 takas"),
        QStringLiteral("Sales Inv - GST/%1"), QStringLiteral("Office rent of May, paid by cheque %1"),
        QStringLiteral("कपड़ा बाज़ार, दिल्ली - ભાગળ, સુરત %1"), QStringLiteral("Fine grey {%1} [ÀÉÎÕÜ ñ ß ©] ~`!@#$%^*_+=|<>?")};
    for (int i = 0; i < postings; ++i) {
        const bool debit = i % 2 == 0;
        const QString amount = QString::number(1000 + (i % 97) * 1234.55, 'f', 2);
        rs.rows.push_back({i + 1, 1 + i * 2 / postings, 5 + i * 2 / postings, i % 3 ? QStringLiteral("Sales") : QStringLiteral("Journal"),
                           QDate(2024, 5, 1).addDays(i * 50 / postings), i / 2 + 1, QStringLiteral("35A%1").arg(i % 40, 3, 10, QLatin1Char('0')),
                           names[i % names.size()], QStringLiteral("CHQ %1").arg(104200 + i), narrations[i % narrations.size()].arg(i),
                           debit ? amount : QStringLiteral("0.00"), debit ? QStringLiteral("0.00") : amount,
                           QStringLiteral("Shree Ganesh Textiles"), QStringLiteral("12, Ring Road"), QStringLiteral("Surat")});
    }
    return rs;
}

bool hasIndic(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x0900 && c.unicode() <= 0x0DFF; });
}

// Where a Gujarati or Hindi word stands in either file: page and line.
std::set<std::pair<int, int>> indicLines(const std::vector<test::PdfWord>& a, const std::vector<test::PdfWord>& b) {
    std::set<std::pair<int, int>> lines;
    for (const auto* words : {&a, &b})
        for (const test::PdfWord& w : *words)
            if (hasIndic(w.text)) lines.insert({w.page, qRound(w.yMin)});
    return lines;
}

// The other words in the order of the page (a span of typed text may change the order in which
// a reader takes the blocks of a page, not where they stand).
std::vector<test::PdfWord> wordsOff(const std::vector<test::PdfWord>& words, const std::set<std::pair<int, int>>& lines) {
    std::vector<test::PdfWord> kept;
    for (const test::PdfWord& w : words)
        if (!lines.count({w.page, qRound(w.yMin)})) kept.push_back(w);
    std::sort(kept.begin(), kept.end(), [](const test::PdfWord& a, const test::PdfWord& b) {
        return std::tuple(a.page, qRound(a.yMin * 10), qRound(a.xMin * 10)) < std::tuple(b.page, qRound(b.yMin * 10), qRound(b.xMin * 10));
    });
    return kept;
}

}  // namespace

TEST(PdfWriter, DayBookReadsWordForWordWhereQtsEnginePutsIt) {
    QTemporaryDir dir;
    const ReportService service(dir.path());
    ReportRequest request;
    request.layoutName = QStringLiteral("Acc_DayBook.rpt");
    request.data = dayBook(120);
    request.parameterValues = {QStringLiteral("Day Book : Period From 01-05-2024 To 20-06-2024"), QString()};
    auto document = service.prepare(nullptr, request);
    const QString ours = dir.filePath(QStringLiteral("DayBook.pdf")), theirs = dir.filePath(QStringLiteral("DayBook-by-Qt.pdf"));
    ReportService::writePdf(*document, ours);
    writeThroughQt(*document, theirs);
    test::keepForLooking(ours);
    test::keepForLooking(theirs);

    ASSERT_GT(document->pageCount(), 3);
    EXPECT_EQ(test::pdfPageCount(ours), document->pageCount());
    const QString text = test::pdfText(ours, false);
    for (const QString& seen : {QStringLiteral("Mehta & \"Sons\" (Agency) \\ Surat"), QStringLiteral("રમેશભાઈ પટેલ"), QStringLiteral("राजेश शर्मा"),
                                QStringLiteral("कपड़ा बाज़ार, दिल्ली - ભાગળ, સુરત 3"),
                                QStringLiteral("Sales Inv - GST/1"), QStringLiteral("[ÀÉÎÕÜ ñ ß ©]"), QStringLiteral("~`!@#$%^*_+=|<>?"),
                                QStringLiteral("Day Book : Period From 01-05-2024 To 20-06-2024"), QStringLiteral("M Tot"), QStringLiteral("Total")})
        EXPECT_TRUE(text.contains(seen)) << seen.toStdString();

    // Lines in Gujarati or Hindi read differently by design: ours carry the typed text, Qt's only
    // what its glyphs map back to. Every other line reads the same, word for word and in place.
    const std::vector<test::PdfWord> allOurs = test::pdfWords(ours), allTheirs = test::pdfWords(theirs);
    const auto indic = indicLines(allOurs, allTheirs);
    const std::vector<test::PdfWord> words = wordsOff(allOurs, indic), reference = wordsOff(allTheirs, indic);
    ASSERT_GT(words.size(), 1500u);
    ASSERT_EQ(words.size(), reference.size());
    for (size_t i = 0; i < words.size(); ++i) {
        ASSERT_EQ(words[i].text, reference[i].text) << "word " << i;
        EXPECT_NEAR(words[i].xMin, reference[i].xMin, 0.05) << words[i].text.toStdString() << " on page " << words[i].page;
        EXPECT_NEAR(words[i].xMax, reference[i].xMax, 0.05) << words[i].text.toStdString() << " on page " << words[i].page;
        EXPECT_NEAR(words[i].yMin, reference[i].yMin, 0.05) << words[i].text.toStdString() << " on page " << words[i].page;
    }
}

TEST(PdfWriter, InvoicePageLooksAsQtsEngineDrawsIt) {
    QTemporaryDir dir;
    QImage logo(120, 60, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    {
        QPainter p(&logo);
        p.setBrush(QColor(200, 30, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRect(0, 0, 60, 60));
        p.setBrush(QColor(20, 40, 160));
        p.drawRect(QRect(60, 10, 60, 40));
    }
    QDir().mkpath(dir.filePath(QStringLiteral("Reports")));
    ASSERT_TRUE(logo.save(dir.filePath(QStringLiteral("Reports/logo.png"))));
    QFile layout(dir.filePath(QStringLiteral("Reports/Bill_Test.json")));
    ASSERT_TRUE(layout.open(QIODevice::WriteOnly));
    layout.write(R"({
      "kind": "bands", "page": { "size": "A5", "margins": 8 },
      "reportHeader": { "height": 60, "items": [
        { "type": "image", "file": "logo.png", "x": 0, "y": 0, "w": 30, "h": 15 },
        { "type": "text", "text": "{FirmNAme}", "x": 32, "y": 0, "w": 100, "h": 9, "bold": true, "size": 16 },
        { "type": "text", "text": "TAX INVOICE", "x": 32, "y": 10, "w": 100, "h": 6, "align": "center",
          "font": { "size": 11, "underline": true, "bold": true } },
        { "type": "box", "x": 0, "y": 18, "w": 132, "h": 22, "fill": "#e6eefa", "lineWidth": 0.4 },
        { "type": "text", "text": "Bill No : {BillNo}   Party : {AcName}", "x": 2, "y": 20, "w": 128, "h": 6 },
        { "type": "text", "text": "{Words}", "x": 2, "y": 27, "w": 90, "h": 6, "wrap": true, "border": true },
        { "type": "text", "field": "Net", "format": "#,##0.00", "x": 95, "y": 27, "w": 35, "h": 6, "align": "right", "fill": "#ffee99" },
        { "type": "line", "x": 0, "y": 44, "w": 132, "h": 0, "lineWidth": 0.6, "color": "#aa0000" },
        { "type": "image", "qr": "{BillNo}|{Net}", "x": 100, "y": 46, "w": 30, "h": 14 }
      ] }
    })");
    layout.close();
    ResultSet data;
    data.columns = {"FirmNAme", "BillNo", "AcName", "Net", "Words"};
    data.rows.push_back({QStringLiteral("Shree Ganesh Textiles"), QStringLiteral("GST/104"), QStringLiteral("રમેશભાઈ પટેલ (Surat)"), 11025.0,
                         QStringLiteral("Rupees Eleven Thousand Twenty Five Only, office copy for the difference")});
    const ReportService service(dir.path());
    ReportRequest request;
    request.layoutName = QStringLiteral("Bill_Test.rpt");
    request.data = data;
    auto document = service.prepare(nullptr, request);
    const QString ours = dir.filePath(QStringLiteral("bill.pdf")), theirs = dir.filePath(QStringLiteral("reference.pdf"));
    ReportService::writePdf(*document, ours);
    writeThroughQt(*document, theirs);
    test::keepForLooking(ours);

    const QImage mine = rendered(ours, 1, 100), reference = rendered(theirs, 1, 100);
    ASSERT_FALSE(reference.isNull());
    ASSERT_EQ(mine.size(), reference.size());
    // Edges are smoothed a little differently; a missing logo, box or text differs in thousands.
    EXPECT_LT(differingPixels(mine, reference), 60);
    const QString text = test::pdfText(ours, false);
    EXPECT_TRUE(text.contains(QStringLiteral("TAX INVOICE")));
    EXPECT_TRUE(text.contains(QStringLiteral("11,025.00")));
    EXPECT_TRUE(text.contains(QStringLiteral("રમેશભાઈ")));
}
