#include "domain/accounts/AccountsSchema.h"

namespace tanabana::accounts {

using db::longCol;
using db::textCol;

db::TableDef statementColumnsTable() {
    return {QStringLiteral("BankStmtCols"),
            {longCol(QStringLiteral("FirmNo")), longCol(QStringLiteral("BookNo")), textCol(QStringLiteral("DateCol"), 100),
             textCol(QStringLiteral("NarrCol"), 100), textCol(QStringLiteral("ChqCol"), 100), textCol(QStringLiteral("WithdrawCol"), 100),
             textCol(QStringLiteral("DepositCol"), 100)},
            {QStringLiteral("FirmNo"), QStringLiteral("BookNo")},
            {}};
}

std::vector<db::MigrationStep> accountsSteps() {
    return {{QStringLiteral("accounts/001-statement-columns"), [](db::Database& db) { db::createTable(db, statementColumnsTable()); }}};
}

}  // namespace tanabana::accounts
