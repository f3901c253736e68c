#include "support/FirmBooks.h"

#include "domain/masters/FirmChart.h"
#include "domain/masters/LedgerCode.h"
#include "domain/masters/RowWriter.h"

namespace tanabana::test {

void seedDefaultChart(db::Database& db, qint64 firmNo) { masters::setUpFirmBooks(db, firmNo); }

qint64 accountId(db::Database& db, const QString& name, qint64 firmNo) {
    return db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE AcName = ? AND FirmNo = ? AND IsGrp = 0"), {name, firmNo})
        .toLongLong();
}

qint64 addAccount(db::Database& db, const QString& name, int group, qint64 firmNo, const QString& state, const QString& gstin) {
    db::Transaction tx(db);
    const qint64 id = db.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id"));
    masters::insertRow(db, QStringLiteral("AccMst"),
                       {{QStringLiteral("Id"), id},
                        {QStringLiteral("LedgerId"), masters::nextLedgerCode(db, firmNo, masters::ledgerSeries(group, name))},
                        {QStringLiteral("AcName"), name},
                        {QStringLiteral("GrpNo"), group},
                        {QStringLiteral("IsGrp"), false},
                        {QStringLiteral("FirmNo"), firmNo},
                        {QStringLiteral("CSTNo"), state},
                        {QStringLiteral("TinNo"), gstin},
                        {QStringLiteral("EcNo"), gstin.isEmpty() ? QStringLiteral("1") : QStringLiteral("0")},
                        {QStringLiteral("Active"), true}});
    tx.commit();
    return id;
}

}  // namespace tanabana::test
