#include "domain/masters/Lookups.h"

namespace tanabana::masters {

namespace {

qint64 firstId(db::Database& db, const QString& where, const QVariantList& params) {
    return db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE ") + where + QStringLiteral(" ORDER BY Id"), params).toLongLong();
}

}  // namespace

qint64 accountIdByName(db::Database& db, qint64 firmNo, const QString& name) {
    return firstId(db, QStringLiteral("AcName = ? AND FirmNo = ?"), {name.trimmed(), firmNo});
}

qint64 accountIdByNameAndGstin(db::Database& db, qint64 firmNo, const QString& name, const QString& gstin) {
    return firstId(db, QStringLiteral("AcName = ? AND TinNo = ? AND FirmNo = ? AND IsGrp = 0"),
                   {name.trimmed(), gstin.trimmed(), firmNo});
}

qint64 accountIdByNameAndCode(db::Database& db, qint64 firmNo, const QString& name, const QString& code) {
    return firstId(db, QStringLiteral("AcName = ? AND LedgerId = ? AND FirmNo = ?"), {name.trimmed(), code.trimmed(), firmNo});
}

qint64 accountIdByCode(db::Database& db, qint64 firmNo, const QString& code) {
    return firstId(db, QStringLiteral("LedgerId = ? AND FirmNo = ?"), {code.trimmed().toUpper(), firmNo});
}

QString ledgerIdOf(db::Database& db, qint64 firmNo, qint64 accountId) {
    return db.scalar(QStringLiteral("SELECT LedgerId FROM AccMst WHERE Id = ? AND FirmNo = ?"), {accountId, firmNo}).toString();
}

QString accountNameOf(db::Database& db, qint64 accountId) {
    return db.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {accountId}).toString();
}

int groupNoByName(db::Database& db, qint64 firmNo, const QString& groupName) {
    return db.scalar(QStringLiteral("SELECT GrpNo FROM AccMst WHERE upper(AcName) = ? AND FirmNo = ? AND IsGrp = 1"),
                     {groupName.trimmed().toUpper(), firmNo})
        .toInt();
}

QString groupNameOf(db::Database& db, qint64 firmNo, int groupNo) {
    return db.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE GrpNo = ? AND FirmNo = ? AND IsGrp = 1 ORDER BY Id"),
                     {groupNo, firmNo})
        .toString();
}

QStringList accountNamesOfGroup(db::Database& db, qint64 firmNo, int groupNo) {
    QStringList names;
    for (const db::Row& r : db.query(QStringLiteral("SELECT AcName FROM AccMst WHERE FirmNo = ? AND GrpNo = ? AND IsGrp = 0 ORDER BY AcName"),
                                     {firmNo, groupNo}))
        names << r.value(0).toString();
    return names;
}

db::Rows groupsOf(db::Database& db, qint64 firmNo, bool activeOnly) {
    return db.query(QStringLiteral("SELECT Id, LedgerId, AcName, GrpNo, Active FROM AccMst WHERE IsGrp = 1 AND FirmNo = ?") +
                        (activeOnly ? QStringLiteral(" AND Active = 1") : QString()) + QStringLiteral(" ORDER BY GrpNo"),
                    {firmNo});
}

QStringList usedValues(db::Database& db, qint64 firmNo, const QString& column) {
    static const QStringList allowed = {QStringLiteral("City"), QStringLiteral("AreaName"), QStringLiteral("ZoneName"),
                                        QStringLiteral("Trans_Name")};
    QStringList values;
    if (!allowed.contains(column)) return values;
    for (const db::Row& r : db.query(QStringLiteral("SELECT DISTINCT %1 FROM AccMst WHERE FirmNo = ? AND %1 <> '' ORDER BY %1").arg(column),
                                     {firmNo}))
        values << r.value(0).toString();
    return values;
}

QList<qint64> bankBooksOfAccount(db::Database& db, qint64 accountId) {
    QList<qint64> books;
    for (const db::Row& r : db.query(QStringLiteral("SELECT BookNO FROM BookMst WHERE BookType = 'B' AND (PurAccId = ? OR SaleId = ?) ORDER BY BookNO"),
                                     {accountId, accountId}))
        books << r.value(0).toLongLong();
    return books;
}

}  // namespace tanabana::masters
