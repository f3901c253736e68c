#pragma once
// The register family: one layout shape serves the sales, purchase, challan and job-work
// registers. The file lists the columns (field, caption, width, format, total) and the groups;
// the bands are built from that list:
//   firm lines and the title (first parameter) and a filters line, centred, on the first page;
//   column captions between rules at the top of every page;
//   one line per row; per group a heading and a "Sub Tot" line with the group's totals;
//   a "Total" line at the end; print date and "Page n of m" at the foot of every page.
#include <QJsonObject>

namespace tanabana::reports {

struct Layout;

// Fills the bands of `layout` (page, font and parameters already read) from a register file.
void buildRegisterBands(const QJsonObject& root, Layout& layout);

}  // namespace tanabana::reports
