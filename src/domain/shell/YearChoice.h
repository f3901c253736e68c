#pragma once
// Choosing the financial year and the firm to work in, as the year and firm windows do: the
// year list reads "2023--2024"; choosing a year opens its database (made current, fixed up), and
// choosing a firm fills the session's firm fields, function-key texts and the firm's own dates.
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/shell/Installation.h"

#include <QList>
#include <memory>
#include <vector>

namespace tanabana::shell {

// End years of the year list, oldest first.
QList<int> listYears(db::Database& yearList);
QList<int> listYears(const Installation& installation);
// "2023--2024" for the year ending in 2024.
QString yearRowText(int endYear);
// Adds the year to the year list when it is not there yet.
void addYearToList(db::Database& yearList, int endYear);

// The year window's choice. Sets the session's year fields and opens the year's database. A
// missing year gets "Selected Year is not Found" ("No Database Found"); in firm-folder mode, when
// the year before exists, the operator is first offered to create it from that year. A file that
// cannot be opened gets its description. Returns nullptr when no year was opened.
std::unique_ptr<db::Database> openChosenYear(const Installation& installation, Session& session, Messages& messages,
                                             int endYear);

struct FirmRow {
    qint64 srno = 0;
    QString name;
    Decimal crLimit;
    int boxNo = 0;
};
std::vector<FirmRow> listFirms(db::Database& year);
// The firm window's choice: firm number and name, limit and box, F2/F3/F4 texts, the firm's own
// year dates, the bill fix-up every firm choice runs, and the firm's settings (the switches that
// shape the menus and screens).
void chooseFirm(db::Database& year, Session& session, const FirmRow& firm);

}  // namespace tanabana::shell
