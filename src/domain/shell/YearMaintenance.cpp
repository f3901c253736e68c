#include "domain/shell/YearMaintenance.h"

#include "core/Rights.h"
#include "domain/shell/Operators.h"
#include "domain/shell/YearChoice.h"

#include <QDir>

namespace tanabana::shell {

namespace {

const QString kNewYearTitle = QStringLiteral("Create New Year");

void resetAccountAmounts(db::Database& db) {
    for (const QString& column : {QStringLiteral("DrAmt"), QStringLiteral("CrAmt"), QStringLiteral("AccAmt")})
        if (!db.columnExists(QStringLiteral("AccMst"), column)) return;
    db.exec(QStringLiteral("UPDATE AccMst SET DrAmt = 0, CrAmt = 0, AccAmt = 0"));
}

void deleteAllOf(db::Database& db, const QStringList& tables) {
    for (const QString& table : tables)
        if (db.tableExists(table)) db.exec(QStringLiteral("DELETE FROM ") + table);
}

// The new year's own changes, in one transaction: firms' years move on, entries go.
void startNewYear(db::Database& year) {
    db::Transaction tx(year);
    for (const db::Row& firm : year.query(QStringLiteral("SELECT Srno, StartDt, ENdDt FROM FirmMst ORDER BY Srno"))) {
        const QDate start = firm.date(QStringLiteral("StartDt")), end = firm.date(QStringLiteral("ENdDt"));
        year.exec(QStringLiteral("UPDATE FirmMst SET StartDt = ?, ENdDt = ? WHERE Srno = ?"),
                  {start.isValid() ? QVariant(start.addYears(1)) : QVariant(QDate()),
                   end.isValid() ? QVariant(end.addYears(1)) : QVariant(QDate()), firm.value(QStringLiteral("Srno"))});
    }
    deleteAllOf(year, newYearClearedTables());
    resetAccountAmounts(year);
    tx.commit();
}

// Copies `source`, makes it the new year and lists it; on any failure the copy is removed.
NewYearResult copyIntoNewYear(const Installation& installation, const Session& session, db::Database& source, int newYear,
                              Messages& messages) {
    try {
        db::Database created = installation.copyYear(source, newYear, session.firmFolder);
        startNewYear(created);
        created.close();
        db::Database yearList = installation.openYearList();
        addYearToList(yearList, newYear);
    } catch (const db::DbError& e) {
        try {
            installation.dropYear(newYear, session.firmFolder);
        } catch (const db::DbError&) {
        }
        messages.critical(kNewYearTitle, e.describe());
        messages.critical(kNewYearTitle, QStringLiteral("Exit From System and Restart the Program to Take a Backup"));
        return NewYearResult::Failed;
    }
    messages.information(kNewYearTitle, QStringLiteral("Year Ending Process has been successfully finished."));
    return NewYearResult::Created;
}

// Shared opening of both commands: the question and the "already exists" refusal.
std::optional<int> confirmNewYear(const Installation& installation, const Session& session, int fromEndYear,
                                  Messages& messages) {
    if (!messages.ask(kNewYearTitle, QStringLiteral("Are you sure to Create New Year ? "))) return std::nullopt;
    const int newYear = fromEndYear + 1;
    if (installation.yearExists(newYear, session.firmFolder)) {
        db::Database yearList = installation.openYearList();
        addYearToList(yearList, newYear);
        messages.critical(QStringLiteral("%1 Year Is Found").arg(newYear), QStringLiteral("This Year is already Exist"));
        return -1;
    }
    return newYear;
}

}  // namespace

const QStringList& newYearClearedTables() {
    static const QStringList tables{
        QStringLiteral("Acc_OutSt"),        QStringLiteral("AccMstOpBal"),         QStringLiteral("BankBookMst"),
        QStringLiteral("BankRec_RPT"),      QStringLiteral("BankReconsil"),        QStringLiteral("BillDtl"),
        QStringLiteral("BillMst"),          QStringLiteral("CashBookMst"),         QStringLiteral("ChalanDtl"),
        QStringLiteral("ChalanMst"),        QStringLiteral("DayBkMst"),            QStringLiteral("ExpMst"),
        QStringLiteral("HeadDtl3"),         QStringLiteral("Iss_StockMst"),        QStringLiteral("Iss_StockDtl"),
        QStringLiteral("SalBillDtl"),       QStringLiteral("SalBillMst"),          QStringLiteral("StockOnDt"),
        QStringLiteral("StockReg"),         QStringLiteral("JobWork_IssueDtl"),    QStringLiteral("JobWork_IssueDtl_1"),
        QStringLiteral("JobWork_IssueMst"), QStringLiteral("JobWork_IssueMst_1"),  QStringLiteral("JobWork_IssueDtl_Ambr"),
        QStringLiteral("JobWork_IssueMst_Ambr"), QStringLiteral("CNDtl"),          QStringLiteral("CNMst"),
        QStringLiteral("BillMst_TakaDetail"), QStringLiteral("HeadDtl3_Auto"),     QStringLiteral("ProductionMst"),
        QStringLiteral("ProductionDtl"),
        // last year's transfers are in the opening stock the new year starts from
        QStringLiteral("StockTransfer")};
    return tables;
}

NewYearResult createNextYear(const Installation& installation, const Session& session, db::Database& current,
                             Messages& messages) {
    try {
        const auto newYear = confirmNewYear(installation, session, session.startYear.left(4).toInt() + 1, messages);
        if (!newYear) return NewYearResult::Declined;
        if (*newYear < 0) return NewYearResult::AlreadyExists;
        return copyIntoNewYear(installation, session, current, *newYear, messages);
    } catch (const db::DbError& e) {
        messages.critical(kNewYearTitle, e.describe());
        return NewYearResult::Failed;
    }
}

NewYearResult createYearAfter(const Installation& installation, const Session& session, int fromEndYear, Messages& messages) {
    try {
        const auto newYear = confirmNewYear(installation, session, fromEndYear, messages);
        if (!newYear) return NewYearResult::Declined;
        if (*newYear < 0) return NewYearResult::AlreadyExists;
        db::Database source = installation.openYear(fromEndYear, session.firmFolder);
        return copyIntoNewYear(installation, session, source, *newYear, messages);
    } catch (const db::DbError& e) {
        messages.critical(kNewYearTitle, e.describe());
        return NewYearResult::Failed;
    }
}

bool clearDatabase(const Installation& installation, const Session& session, db::Database& year, Messages& messages) {
    const QString title = QStringLiteral("Clear Database");
    if (!hasRight(session, GeneralRight::Delete) || !hasRight(session, QStringLiteral("U1"))) {
        messages.critical(QStringLiteral("No Right"), QStringLiteral("You Have No Right For Clear Database"));
        return false;
    }
    if (!messages.ask(title, QStringLiteral("Are you Sure to clear All Software Entry in Selected Firm") + QLatin1Char('\n') +
                                 QStringLiteral("Every bill, challan, voucher, journal entry, opening balance and item of the year "
                                                "%1 is deleted for all firms, and every firm but firm 1; accounts and books stay "
                                                "with nil balances.")
                                     .arg(session.yearLabel)))
        return false;
    const std::optional<QString> password = messages.input(title, QStringLiteral("Password of %1").arg(session.loginUser));
    if (!password) return false;
    try {
        db::Database yearList = installation.openYearList();
        if (!passwordMatches(yearList, session.loginUser, *password)) {
            messages.critical(QStringLiteral("Wrong Password"), QStringLiteral("The password is wrong; nothing was cleared."));
            return false;
        }
    } catch (const db::DbError& e) {
        messages.critical(title, e.describe());
        return false;
    }
    static const QStringList entries{
        QStringLiteral("BillMst_TakaDetail"), QStringLiteral("ProdMst"),       QStringLiteral("Acc_OutSt"),
        QStringLiteral("AccMstOpBal"),        QStringLiteral("BillDtl"),       QStringLiteral("BillMst"),
        QStringLiteral("ChalanDtl"),          QStringLiteral("ChalanMst"),     QStringLiteral("HeadDtl3"),
        QStringLiteral("IssueDtl"),           QStringLiteral("IssueMst"),      QStringLiteral("SalBillDtl"),
        QStringLiteral("SalBillMst"),         QStringLiteral("StockOnDt"),     QStringLiteral("StockReg"),
        QStringLiteral("IssueStkDtl"),        QStringLiteral("IssueStkMst"),   QStringLiteral("JobWork_IssueDtl"),
        QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("JobWork_IssueMst"), QStringLiteral("JobWork_IssueMst_1"),
        QStringLiteral("Bill_Party_Rate")};
    try {
        db::Transaction tx(year);
        deleteAllOf(year, entries);
        resetAccountAmounts(year);
        year.exec(QStringLiteral("DELETE FROM FirmMst WHERE Srno > 1"));
        deleteAllOf(year, {QStringLiteral("CNDtl"), QStringLiteral("CNMst")});
        tx.commit();
    } catch (const db::DbError& e) {
        messages.critical(QStringLiteral("Clear Database"), e.describe());
        return false;
    }
    messages.information(QStringLiteral("Delete Confirm"), QStringLiteral("All Data Are Cleared "));
    return true;
}

}  // namespace tanabana::shell
