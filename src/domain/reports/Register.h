#pragma once
// A register: one query of the firm's documents over a period, narrowed by the operator's
// filters, then cut into groups with sub-totals, a grand total and, where the register wants one,
// a running balance. The same rows fill the screen's grid and, with the register's layout, the
// preview, the printer, PDF, spreadsheet and CSV files, so what is shown is what prints.
//
// The party-wise sales register of August: the bills of each party under its name, "Sub Tot"
// after the party's last bill, "Total" at the end; the layout "SalesRegister_PartyWise.rpt"
// prints the same lines under "Sales Register (Party Wise)  From 01-08-2024 To 31-08-2024".
//
// A register is a declaration (RegisterDefinition): the query, the filters it offers, its order
// and its layout. The columns, groups and totals are the layout's, so a firm that adjusts its
// layout file sees the same change on the screen.
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"
#include "domain/reports/ResultSet.h"
#include "domain/reports/Template.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tanabana::reports {

// The document a register row stands for, opened by Enter on the row.
// Account and AccountGroup are the drill-down of the statements: an account opens its ledger, a
// group the list of its accounts. Posting is a journal line: its id is the journal number, which
// names the document that posted it (a bill, a voucher), opened in that document's own window.
enum class DocumentKind { None, SalesBill, DeliveryChallan, ProductionChallan, Account, AccountGroup, Posting };

// What a cell opens: the first of these whose key column holds a non-zero value, for the sheet
// columns named (none: every column). A two-sided statement opens the account of the side the
// cursor stands on.
struct CellOpens {
    QStringList fields;  // sheet columns (their field); empty: every column
    QString keyColumn;   // result column holding the Id
    DocumentKind kind = DocumentKind::None;
};

struct RegisterResult;

struct RegisterChoice;

struct RegisterDefinition {
    QString name;        // the command line's name: "sales-by-party"
    QString command;     // the menu command that opens it: "mnu_R41"
    QString kind;        // the variant's caption on the screen: "Party Wise"
    QString title;       // printed before the period: "Sales Register (Party Wise)"
    QString layout;      // "SalesRegister_PartyWise.rpt"
    QString pdfName;     // the report's own part of the suggested PDF name
    // SELECT ... FROM ... of one firm: columns aliased by the names the layout binds. The runner
    // adds the conditions (firm, period, filters) and wraps it with the firm's name and address.
    QString select;
    QString where;       // fixed conditions ("m.FormId = 3 AND m.IsOp = 0"), may be empty
    QString firmColumn;  // "m.FirmNO"
    QString dateColumn;  // "m.BillDate"
    QString partyFilter; // condition on one bound party Id; empty: no party filter
    QString bookFilter;  // condition on one bound book number
    QString itemFilter;  // condition on one bound quality Id
    QString groupBy;     // for summaries: "GROUP BY ..."
    QStringList orderBy; // result columns, in order (the groups of the layout come first)
    DocumentKind opens = DocumentKind::None;
    QString keyColumn;   // the column holding the document's Id
    QString runningOf;   // a running balance of this column ...
    QString runningInto; // ... in this extra column
    std::vector<CellOpens> cellOpens;  // per-cell drill-down, tried before `opens`
    // An "as on" report: the screen asks one date, captioned "As On" (the choice's `to`).
    bool singleDate = false;
    // A register whose rows are worked out by code rather than one query (a two-sided statement):
    // fills result.data (firm columns are added after) and may set result.title and filters.
    std::function<void(db::Database& db, const Session& session, RegisterResult& result)> compute;
    // A position on one day (outstanding "As On" a date): rows dated up to the period's end, and
    // the select binds that date for each of its first `onDateParams` placeholders.
    bool onDate = false;
    int onDateParams = 0;
    // Columns worked out per row after the query (days between dates), before the lines are cut.
    std::function<void(ResultSet& data, const RegisterChoice& choice)> derive;
    // The screen asks one date (captioned "As On") for either kind of position on a day.
    bool asksOneDate() const { return singleDate || onDate; }
    bool offersParty() const { return !partyFilter.isEmpty(); }
    // The kinds of book the book picker offers: "SA" sales books; "C" cash, "B" bank books.
    QString bookTypes = QStringLiteral("SA");
    bool asksBook = false;  // a computed register that reads the choice's book itself
    bool offersBook() const { return !bookFilter.isEmpty() || asksBook; }
    bool offersItem() const { return !itemFilter.isEmpty(); }
};

// What the operator asked for.
struct RegisterChoice {
    QDate from, to;
    qint64 partyId = 0;  // 0: every party
    qint64 bookNo = 0;
    qint64 itemId = 0;
    int groupNo = 0;              // the account group a drill-down list is about
    bool openingBalances = true;  // statements: count the opening balances (not between two dates)
    // False when only a PDF or workbook is wanted: the grid's formatted lines (`lines`) are not
    // made, which is a third of the work for a long day book.
    bool screenLines = true;
};

// The columns and groups of a register layout file, as the screen shows them.
struct RegisterColumn {
    QString field;     // column of the result; empty for a text column
    QString caption;
    QString format;    // "#,##0.00", "0.000", "dd-MM-yyyy"
    bool total = false;
    bool numeric = false;
    bool blankWhenZero = false;  // a row's zero or missing figure shows empty, as printed
    double width = 0;  // mm on paper; 0 takes a share of what is left (the screen stretches it)
    TextTemplate text; // the cell
};
struct RegisterGroup {
    QString column;
    TextTemplate title;   // empty: no heading line
    QString subtotal;     // caption of the group's total line
    bool hasSubtotal = true;
};
struct RegisterSheet {
    std::vector<RegisterColumn> columns;
    std::vector<RegisterGroup> groups;
    QString totalCaption = QStringLiteral("Total");
    bool hasTotal = true;
};
// Reads the columns and groups of a register layout ("kind": "register"); throws ReportError.
RegisterSheet loadRegisterSheet(const QString& installFolder, const QString& layoutName);

// One line of the register as the grid shows it.
struct RegisterLine {
    enum class Kind { Heading, Row, SubTotal, Total };
    Kind kind = Kind::Row;
    int level = 0;            // group level of a heading or sub-total (0 outermost)
    int row = -1;             // the result row of a Row line
    qint64 documentId = 0;    // what Enter opens (0: nothing)
    // Per cell (one per sheet column) when the register declares cellOpens.
    std::vector<std::pair<DocumentKind, qint64>> targets;
    QStringList cells;        // one text per sheet column (a heading: its text in the first)
};

struct RegisterResult {
    RegisterDefinition definition;
    RegisterChoice choice;
    QString title;        // "Sales Register (Party Wise)  From 01-08-2024 To 31-08-2024"
    QString filters;      // "Party : Ramesh Silk Mills" (empty without filters)
    ResultSet data;       // the detail rows with the firm's columns
    RegisterSheet sheet;
    std::vector<RegisterLine> lines;

    // The grand total of a result column, exact.
    Decimal total(const QString& column) const;
    // The hand-over to the report engine: the layout, these rows, the title and filters.
    ReportRequest reportRequest() const;
};

class Registers {
public:
    Registers(db::Database& db, const Session& session, QString installFolder);

    // Runs the register for the firm open in the session. Throws ReportError when the operator
    // lacks the right to view it, the period is upside down or the layout cannot be read.
    RegisterResult run(const RegisterDefinition& definition, const RegisterChoice& choice) const;

    // The register as a PDF, a workbook (the layout's bands, numbers kept as numbers) or a CSV
    // file of the lines as the grid shows them. Each file appears whole or not at all.
    void writePdf(const RegisterResult& result, const QString& path) const;
    void writeXlsx(const RegisterResult& result, const QString& path) const;
    static void writeCsv(const RegisterResult& result, const QString& path);
    // Writes by the file's ending (.pdf, .xlsx, .csv); throws ReportError for another.
    void writeFile(const RegisterResult& result, const QString& path) const;

    const ReportService& reports() const { return service_; }

private:
    db::Database& db_;
    const Session& session_;
    ReportService service_;
};

// Look-ups in a list of declarations: by command-line name (ignoring case; null when none), the
// variants a menu command offers in list order, and the menu commands in order of first use.
const RegisterDefinition* findByName(const std::vector<RegisterDefinition>& all, const QString& name);
std::vector<const RegisterDefinition*> ofCommand(const std::vector<RegisterDefinition>& all, const QString& menuCommand);
QStringList commandsOf(const std::vector<RegisterDefinition>& all);

// Adds the firm's name, address and GSTIN as columns of every row (FirmNAme, FirmAdd1, FirmCity,
// FirmTIN), the way every layout binds them.
void addFirmColumns(db::Database& db, qint64 firmNo, ResultSet& data);

// The party, book and quality pickers of the filter bar (Id, the text shown, a second column).
db::Rows registerParties(db::Database& db, qint64 firmNo, const QString& prefix);
db::Rows registerBooks(db::Database& db, qint64 firmNo, const QString& prefix, const QString& bookTypes = QStringLiteral("SA"));
db::Rows registerItems(db::Database& db, qint64 firmNo, const QString& prefix);
// The Id of the party, book or quality named by its name or code (ignoring case), else of the one
// entry that begins with the text; 0 when none or several fit.
enum class RegisterPicker { Party, Book, Item };
qint64 pickedId(db::Database& db, qint64 firmNo, RegisterPicker picker, const QString& text, const QString& bookTypes = QStringLiteral("SA"));

}  // namespace tanabana::reports
