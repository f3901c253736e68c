#include "domain/shell/Lookups.h"

namespace tanabana::shell {

qint64 nextId(db::Database& db, const QString& table, const QString& column) { return db.nextKey(table, column); }

qint64 nextSerialOfForm(db::Database& db, const QString& table, qint64 firmNo, int formId, const QString& column) {
    return db.nextKey(table, column, QStringLiteral("FormId = ? AND FirmNo = ?"), {formId, firmNo});
}

qint64 nextProcessId(db::Database& db) { return db.nextKey(QStringLiteral("Mst_Process"), QStringLiteral("Pro_Id")); }

QString firmNameOf(db::Database& db, qint64 firmNo) {
    return db.scalar(QStringLiteral("SELECT PName FROM FirmMst WHERE Srno = ?"), {firmNo}).toString();
}

int firmCount(db::Database& db) { return db.scalar(QStringLiteral("SELECT count(Srno) FROM FirmMst")).toInt(); }

QString bookName(db::Database& db, qint64 firmNo, qint64 bookNo, const QString& bookType) {
    const auto book = db.queryOne(QStringLiteral("SELECT SalesName, PurNAme FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {bookNo, firmNo});
    if (!book) return {};
    return book->text(bookType == QLatin1String("S") ? QStringLiteral("SalesName") : QStringLiteral("PurNAme"));
}

qint64 bookPurchaseAccountId(db::Database& db, qint64 firmNo, qint64 bookNo) {
    return db.scalar(QStringLiteral("SELECT PurAccId FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {bookNo, firmNo}).toLongLong();
}

qint64 bookSalesAccountId(db::Database& db, qint64 firmNo, qint64 bookNo) {
    return db.scalar(QStringLiteral("SELECT SaleId FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {bookNo, firmNo}).toLongLong();
}

QString salesBillBookShortName(db::Database& db, qint64 firmNo, qint64 salesBillId) {
    return db.scalar(QStringLiteral("SELECT b.BookShortName FROM SalBillMst s JOIN BookMst b ON b.BookNO = s.BookNO AND b.FirmNO = s.FirmNO "
                                    "WHERE s.Id = ? AND s.FirmNO = ?"),
                     {salesBillId, firmNo})
        .toString();
}

qint64 challanIdByNumber(db::Database& db, qint64 firmNo, qint64 bookNo, const QString& challanNo) {
    return db.scalar(QStringLiteral("SELECT Id FROM ChalanMst WHERE BookNO = ? AND FirmNO = ? AND BillNO = ?"), {bookNo, firmNo, challanNo})
        .toLongLong();
}

QString paidNote(db::Database& db, qint64 salesBillId) {
    const auto bill = db.queryOne(QStringLiteral("SELECT PaidDt, PaidAmt FROM SalBillMst WHERE Id = ? AND IsOp <> -1"), {salesBillId});
    if (!bill || bill->value(QStringLiteral("PaidAmt")).isNull() || bill->number(QStringLiteral("PaidAmt")) == 0) return {};
    QString note = QStringLiteral(" Paid Amount : ") + Decimal::fromDouble(bill->number(QStringLiteral("PaidAmt"))).toString(2);
    const QDate paid = bill->date(QStringLiteral("PaidDt"));
    if (paid.isValid()) note += QLatin1Char(' ') + paid.toString(QStringLiteral("dd-MM-yyyy"));
    return note;
}

Decimal partySalesTotal(db::Database& db, qint64 firmNo, qint64 partyId) {
    const QVariant total = db.scalar(QStringLiteral("SELECT %1 FROM SalBillMst WHERE PartyID = ? AND FormId = 3 AND IsOp = 0 AND FirmNO = ?")
                                         .arg(db.dialect().sumRounded(QStringLiteral("BillAmount"))),
                                     {partyId, firmNo});
    return Decimal::fromDouble(total.toDouble());
}

QStringList groupNames(db::Database& db, qint64 firmNo, int groupNo) {
    QStringList names;
    for (const db::Row& r : db.query(QStringLiteral("SELECT AcName FROM AccMst WHERE IsGrp = 1 AND FirmNo = ? AND GrpNo = ? ORDER BY Id"),
                                     {firmNo, groupNo}))
        names << r.value(0).toString();
    return names;
}

std::optional<Process> processByName(db::Database& db, qint64 firmNo, const QString& name, const QString& type) {
    const auto row = db.queryOne(QStringLiteral("SELECT Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct FROM Mst_Process "
                                                "WHERE Pro_Name = ? AND Mst_Type = ? AND FirmNo = ?"),
                                 {name, type, firmNo});
    if (!row) return std::nullopt;
    return Process{row->integer(QStringLiteral("Pro_Id")), row->text(QStringLiteral("Pro_Name")), row->integer(QStringLiteral("FirmNo")),
                   row->text(QStringLiteral("Mst_Type")), row->flag(QStringLiteral("IsAct"))};
}

QStringList printCopyNames(db::Database& db, int formId) {
    QStringList names;
    for (const db::Row& r : db.query(QStringLiteral("SELECT PrnName FROM FormMst_1 WHERE FormId = ? ORDER BY SNo"), {formId}))
        names << r.value(0).toString();
    return names;
}

}  // namespace tanabana::shell
