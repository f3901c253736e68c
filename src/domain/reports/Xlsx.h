#pragma once
// Spreadsheets: reading a template workbook (.xlsx: the cells, bold captions, column widths and
// merged titles of its sheets) and writing a new workbook that a spreadsheet program opens.
// A register exported "into Sale_Detail.Xlsx" is the template's captions with the register's
// rows under them, in a new file; the template itself is never changed.
#include "domain/reports/ResultSet.h"

#include <QMap>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace tanabana::reports {

struct XlsxCell {
    int row = 0, column = 0;  // 0-based
    QVariant value;           // text, number or date
    bool bold = false;
};

struct XlsxSheet {
    QString name;
    std::vector<XlsxCell> cells;
    QMap<int, double> columnWidths;  // column -> width in characters
    QStringList merges;              // "A1:F1"
    int rowCount() const;            // rows in use (last used row + 1)
};

// Reads every sheet of a workbook; throws ReportError when the file is not a readable workbook.
std::vector<XlsxSheet> readXlsx(const QString& path);

// A workbook being written. Cells take text, numbers (with a number format) and dates.
class XlsxBook {
public:
    XlsxBook();
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    // Adds a sheet and makes it the one written to.
    void addSheet(const QString& name);
    void write(int row, int column, const QVariant& value, bool bold = false, const QString& numberFormat = {});
    void setColumnWidth(int column, double characters);
    void merge(const QString& range, const QVariant& value, bool bold);
    // Writes the workbook to `path`; the file appears whole or not at all. Throws ReportError.
    void save(const QString& path);

private:
    struct Sheet;
    std::vector<std::unique_ptr<Sheet>> sheets_;
    Sheet* current_ = nullptr;
};

// A template's sheet copied into `book` as a new sheet: its cells, bold captions, column widths
// and merged titles.
void copyTemplateSheet(XlsxBook& book, const XlsxSheet& sheet);

// A result set into a copy of a template: the template's sheets as they are, and the rows in
// `sheetName` (default the first sheet) from the first row under the template's own cells,
// columns in the result's order.
void exportIntoTemplate(const QString& templatePath, const QString& outputPath, const ResultSet& rows,
                        const QString& sheetName = QStringLiteral("Sheet1"));

}  // namespace tanabana::reports
