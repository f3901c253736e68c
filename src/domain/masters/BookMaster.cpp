#include "domain/masters/BookMaster.h"

#include "core/Rights.h"
#include "core/YearLock.h"
#include "domain/masters/Lookups.h"
#include "domain/masters/RowWriter.h"
#include "domain/masters/Schema.h"

namespace tanabana::masters {

const QStringList& bookTaxAccountColumns() {
    static const QStringList columns = {QStringLiteral("A1"),   QStringLiteral("A2"),   QStringLiteral("A3"),   QStringLiteral("A4"),
                                        QStringLiteral("A1_R"), QStringLiteral("A2_R"), QStringLiteral("A3_R"), QStringLiteral("A1_P"),
                                        QStringLiteral("A2_P"), QStringLiteral("A3_P")};
    return columns;
}

const QStringList& bookAccountColumns() {
    static const QStringList columns = QStringList{QStringLiteral("SaleId"), QStringLiteral("PurAccId")} + bookTaxAccountColumns() +
                                       QStringList{QStringLiteral("TDS_Id"), QStringLiteral("TCS_Id")};
    return columns;
}

namespace {

bool usedBy(db::Database& db, const QString& table, const QString& bookColumn, qint64 bookNo, qint64 firmNo) {
    if (!db.tableExists(table)) return false;
    return db.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ? AND FirmNo = ?").arg(table, bookColumn), {bookNo, firmNo}).toInt() > 0;
}

QString typesCondition(BookKind kind) {
    return kind == BookKind::SalesPurchase ? QStringLiteral("BookType IN ('S', 'P', 'A')") : QStringLiteral("BookType IN ('C', 'B')");
}

}  // namespace

bool BookMaster::accountOfFirm(qint64 id, int onlyGroup) {
    if (id <= 0) return false;
    QString sql = QStringLiteral("SELECT count(*) FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0");
    QVariantList params{id, session_.firmNo};
    if (onlyGroup > 0) {
        sql += QStringLiteral(" AND GrpNo = ?");
        params << onlyGroup;
    }
    return db_.scalar(sql, params).toInt() > 0;
}

qint64 BookMaster::save(Record book) {
    if (yearLockRefuses(session_, messages_)) return 0;
    if (auto refusal = normalise(bookMstTable(), book)) {
        messages_.critical(refusal->title, refusal->text);
        return 0;
    }
    const auto noAccount = [&] {
        messages_.critical(QStringLiteral("No Account Name Found"), QStringLiteral("Please Select Account Name For Book"));
        return 0;
    };
    QString type = textOf(book, QStringLiteral("BookType")).trimmed().left(1).toUpper();
    if (kind_ == BookKind::SalesPurchase) {
        if (type != QLatin1String("P") && type != QLatin1String("A")) type = QStringLiteral("S");
        const qint64 purchase = integerOf(book, QStringLiteral("PurAccId"));
        const qint64 sales = integerOf(book, QStringLiteral("SaleId"));
        if (!accountOfFirm(purchase) && !accountOfFirm(sales)) return noAccount();
        book.insert(QStringLiteral("PurAccId"), accountOfFirm(purchase) ? purchase : 0);
        book.insert(QStringLiteral("SaleId"), accountOfFirm(sales) ? sales : 0);
        for (const QString& column : bookTaxAccountColumns()) {
            const qint64 id = integerOf(book, column);
            book.insert(column, flagOf(book, QStringLiteral("Is_Auto_Ac")) && accountOfFirm(id) ? id : 0);
        }
        for (const auto& [flag, column] : {std::pair{QStringLiteral("IsTDS"), QStringLiteral("TDS_Id")},
                                           std::pair{QStringLiteral("IsTCS"), QStringLiteral("TCS_Id")}}) {
            const qint64 id = integerOf(book, column);
            book.insert(column, flagOf(book, flag) && accountOfFirm(id) ? id : 0);
        }
        const QStringList captions = {QStringLiteral("(1)"), QStringLiteral("(2)"), QStringLiteral("Description")};
        for (int i = 0; i < 3; ++i) {
            const QString column = QStringLiteral("CL%1").arg(i + 1);
            if (textOf(book, column).trimmed().isEmpty()) book.insert(column, captions.at(i));
        }
    } else {
        type = type == QLatin1String("C") ? QStringLiteral("C") : QStringLiteral("B");
        const qint64 account = integerOf(book, QStringLiteral("PurAccId"));
        if (!accountOfFirm(account, type == QLatin1String("B") ? 36 : 0)) return noAccount();
        book.insert(QStringLiteral("PurNAme"), accountNameOf(db_, account));
    }
    book.insert(QStringLiteral("BookType"), type);
    book.insert(QStringLiteral("FirmNO"), session_.firmNo);
    book.insert(QStringLiteral("VatCalc"), 0);
    book.insert(QStringLiteral("UNit"), QString());
    book.insert(QStringLiteral("IsExcise"), false);
    book.insert(QStringLiteral("Is_Upload"), false);

    qint64 bookNo = integerOf(book, QStringLiteral("BookNO"));
    const bool exists = bookNo > 0 && load(bookNo).has_value();
    if (rightRefuses(session_, messages_, exists ? GeneralRight::Modify : GeneralRight::New)) return 0;
    db::Transaction tx(db_);
    if (bookNo <= 0) bookNo = db_.nextKey(QStringLiteral("BookMst"), QStringLiteral("BookNO"));
    book.insert(QStringLiteral("BookNO"), bookNo);
    if (exists)
        updateRow(db_, QStringLiteral("BookMst"), book, QStringLiteral("BookNO = ? AND FirmNO = ?"), {bookNo, session_.firmNo});
    else
        insertRow(db_, QStringLiteral("BookMst"), book);
    tx.commit();
    return bookNo;
}

bool BookMaster::remove(qint64 bookNo) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    if (!load(bookNo)) return false;
    const qint64 firm = session_.firmNo;
    if (kind_ == BookKind::SalesPurchase &&
        (usedBy(db_, QStringLiteral("BillMst"), QStringLiteral("BookId"), bookNo, firm) ||
         usedBy(db_, QStringLiteral("ChalanMst"), QStringLiteral("BookNo"), bookNo, firm) ||
         usedBy(db_, QStringLiteral("SalBillMst"), QStringLiteral("BookNo"), bookNo, firm))) {
        messages_.critical(QStringLiteral("No Delete Possible"), QStringLiteral("This Book Is Already in Use .."));
        return false;
    }
    const bool salesPurchase = kind_ == BookKind::SalesPurchase;
    if (!messages_.ask(QStringLiteral("Delete Confirm"), salesPurchase ? QStringLiteral("Are you sure to delete this Account")
                                                                       : QStringLiteral("Are you sure to delete this Book No")))
        return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {bookNo, firm});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirm"),
                          salesPurchase ? QStringLiteral("This A/c Is Deleted.") : QStringLiteral("This Book No Is Deleted."));
    return true;
}

std::optional<Record> BookMaster::load(qint64 bookNo) {
    const auto row = db_.queryOne(QStringLiteral("SELECT * FROM BookMst WHERE BookNO = ? AND FirmNO = ? AND ") + typesCondition(kind_),
                                  {bookNo, session_.firmNo});
    if (!row) return std::nullopt;
    return rowValues(*row, bookMstTable());
}

db::Rows BookMaster::list() {
    return db_.query(QStringLiteral("SELECT * FROM BookMst WHERE FirmNO = ? AND ") + typesCondition(kind_) + QStringLiteral(" ORDER BY BookNO"),
                     {session_.firmNo});
}

db::Rows BookMaster::accountChoices(AccountList list, const QString& startsWith) {
    // Active accounts only, and those a book of the firm still names, so an open book keeps its slots.
    QStringList named;
    QVariantList params{session_.firmNo};  // the account's firm, then the books' firm once per column
    for (const QString& column : bookAccountColumns()) {
        named << QStringLiteral("SELECT %1 FROM BookMst WHERE FirmNO = ?").arg(column);
        params << session_.firmNo;
    }
    QString sql = QStringLiteral("SELECT AcName, City, LedgerId, AcNo, Id FROM AccMst WHERE FirmNo = ? AND IsGrp = 0 "
                                 "AND (COALESCE(Active, 1) <> 0 OR Id IN (%1))")
                      .arg(named.join(QStringLiteral(" UNION ")));
    if (list == AccountList::Bank) sql += QStringLiteral(" AND GrpNo = 36");
    if (list == AccountList::TaxAndCharges) sql += QStringLiteral(" AND GrpNo NOT IN (1, 3, 17, 18, 20, 35, 36, 72, 74, 75, 76, 77)");
    if (!startsWith.isEmpty()) {
        sql += QStringLiteral(" AND (") + db_.dialect().likeInsensitive(QStringLiteral("AcName")) + QStringLiteral(" OR ") +
               db_.dialect().likeInsensitive(QStringLiteral("LedgerId")) + QStringLiteral(")");
        params << startsWith + QLatin1Char('%') << startsWith + QLatin1Char('%');
    }
    return db_.query(sql + QStringLiteral(" ORDER BY AcName"), params);
}

}  // namespace tanabana::masters
