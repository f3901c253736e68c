#include "domain/masters/FirmChart.h"

#include "domain/masters/BookMaster.h"
#include "domain/masters/DefaultChart.h"
#include "domain/masters/RowWriter.h"
#include "domain/masters/Schema.h"

#include <QStringList>

namespace tanabana::masters {

namespace {

qint64 sameNamedAccount(db::Database& db, qint64 accountId, qint64 toFirm) {
    if (accountId <= 0) return 0;
    const QVariant name = db.scalar(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {accountId});
    if (!name.isValid()) return 0;
    return db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE AcName = ? AND FirmNo = ? ORDER BY IsGrp, Id"),
                     {name.toString(), toFirm})
        .toLongLong();
}

}  // namespace

void copyTemplateChart(db::Database& db, qint64 firmNo) {
    const db::Rows rows = db.query(QStringLiteral("SELECT * FROM AccMst_Main ORDER BY Id"));
    for (const db::Row& row : rows) {
        QVariantMap values = rowValues(row, accMstTable());
        values.insert(QStringLiteral("Id"), db.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id")));
        values.insert(QStringLiteral("FirmNo"), firmNo);
        values.insert(QStringLiteral("Is_Upload"), false);
        insertRow(db, QStringLiteral("AccMst"), values);
    }
}

int copyBooks(db::Database& db, qint64 fromFirm, qint64 toFirm) {
    const db::Rows books = db.query(QStringLiteral("SELECT * FROM BookMst WHERE FirmNO = ? ORDER BY BookNO"), {fromFirm});
    for (const db::Row& book : books) {
        QVariantMap values = rowValues(book, bookMstTable());
        values.insert(QStringLiteral("FirmNO"), toFirm);
        values.insert(QStringLiteral("Is_Upload"), false);
        for (const QString& column : bookAccountColumns())
            values.insert(column, sameNamedAccount(db, book.integer(column), toFirm));
        db.exec(QStringLiteral("DELETE FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {book.integer(QStringLiteral("BookNO")), toFirm});
        insertRow(db, QStringLiteral("BookMst"), values);
    }
    return int(books.size());
}

void setUpFirmBooks(db::Database& db, qint64 firmNo) {
    // A firm that has its chart already (the first start made it) keeps it: never a second copy.
    if (db.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE FirmNo = ?"), {firmNo}).toInt() > 0) return;
    db::Transaction tx(db);
    copyTemplateChart(db, firmNo);
    const bool firstFirmHasBooks =
        firmNo != 1 && db.scalar(QStringLiteral("SELECT count(*) FROM BookMst WHERE FirmNO = 1")).toInt() > 0;
    if (firstFirmHasBooks)
        copyBooks(db, 1, firmNo);
    else
        createDefaultBooks(db, firmNo);
    tx.commit();
}

}  // namespace tanabana::masters
