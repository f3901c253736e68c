#pragma once
// The chart of accounts a new textile trading firm starts with: the groups on the numbers the
// statements and screens rely on (1 sales, 2 purchase, 35 sales parties, 36 banks, 72/73 capital,
// 76 suppliers...) and the ledgers needed to bill on day one (sales, purchase, GST output and
// input, reverse charge, TDS, TCS, round-off, cash, a bank account), kept as the template table
// AccMst_Main. The default books (sales, purchase, general expenses, cash 36, bank) point at them.
#include "db/Database.h"
#include "db/Schema.h"

#include <QString>
#include <vector>

namespace tanabana::masters {

// Names of the template's ledgers that the default books use; other subsystems and tests find the
// firm's accounts by these names.
namespace chart {
inline const QString Sales = QStringLiteral("Sales A/c");
inline const QString Purchase = QStringLiteral("Purchase A/c");
inline const QString GeneralExpenses = QStringLiteral("General Expenses");
inline const QString Cash = QStringLiteral("Cash");
inline const QString Bank = QStringLiteral("Bank Current A/c");
inline const QString Capital = QStringLiteral("Capital A/c");
inline const QString OutputIgst = QStringLiteral("Output IGST");
inline const QString OutputSgst = QStringLiteral("Output SGST");
inline const QString OutputCgst = QStringLiteral("Output CGST");
inline const QString InputIgst = QStringLiteral("Input IGST");
inline const QString InputSgst = QStringLiteral("Input SGST");
inline const QString InputCgst = QStringLiteral("Input CGST");
inline const QString RcmInputIgst = QStringLiteral("RCM Input IGST");
inline const QString RcmInputSgst = QStringLiteral("RCM Input SGST");
inline const QString RcmInputCgst = QStringLiteral("RCM Input CGST");
inline const QString RcmPayableIgst = QStringLiteral("RCM IGST Payable");
inline const QString RcmPayableSgst = QStringLiteral("RCM SGST Payable");
inline const QString RcmPayableCgst = QStringLiteral("RCM CGST Payable");
inline const QString TdsPayable = QStringLiteral("TDS Payable");
inline const QString TcsPayable = QStringLiteral("TCS Payable");
inline const QString TdsReceivable = QStringLiteral("TDS Receivable");
inline const QString TcsReceivable = QStringLiteral("TCS Receivable");
inline const QString RoundOff = QStringLiteral("Round Off A/c");
}  // namespace chart

struct ChartEntry {
    int group;
    QString name;
    bool isGroup;
};

// The template in the order it is numbered: groups first (by number), then ledgers.
const std::vector<ChartEntry>& defaultChart();

// Fills AccMst_Main with the default chart when it is empty (ids 1, 2, ...; ledger codes by the
// usual rule, so a copied chart numbers on from them).
void fillTemplateChart(db::Database& db);
// The migration step that fills the template once, right after the account tables are made.
db::MigrationStep templateChartStep();

// The default books of a firm: 1 sales, 2 purchase, 3 general expenses, 36 cash, 37 bank, each
// pointing at the firm's accounts of the names above (accounts missing in the firm give 0).
void createDefaultBooks(db::Database& db, qint64 firmNo);

}  // namespace tanabana::masters
