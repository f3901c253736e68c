#pragma once
// A firm's chart of accounts and books for tests: the default chart (sales, purchase, GST, TDS,
// TCS, round-off, cash, bank...) and books (1 sales "GST/", 2 purchase, 3 general expenses,
// 36 cash, 37 bank), plus parties added on the firm's ledger-code series.
//
//   test::seedDefaultChart(year.db());                       // firm 1
//   qint64 sales = test::accountId(year.db(), masters::chart::Sales);
//   qint64 party = test::addAccount(year.db(), "Ramesh Silk Mills", 35);   // 35R001
#include "db/Database.h"
#include "domain/masters/DefaultChart.h"

#include <QString>

namespace tanabana::test {

void seedDefaultChart(db::Database& db, qint64 firmNo = 1);
// Id of the firm's account (not group) of that name, 0 when none.
qint64 accountId(db::Database& db, const QString& name, qint64 firmNo = 1);
// Adds an account of the group with the next ledger code; returns its Id.
qint64 addAccount(db::Database& db, const QString& name, int group, qint64 firmNo = 1,
                  const QString& state = QStringLiteral("24-Gujarat"), const QString& gstin = {});

}  // namespace tanabana::test
