#include "domain/shell/FirmMaster.h"

#include "core/Password.h"
#include "core/Rights.h"
#include "core/YearLock.h"
#include "db/LockOrder.h"
#include "domain/masters/FirmChart.h"
#include "domain/masters/RowWriter.h"
#include "domain/shell/FirmSettings.h"
#include "domain/shell/Schema.h"

namespace tanabana::shell {

namespace {

const QString kEmailPassword = QStringLiteral("EmailPassword");

std::optional<masters::Refusal> rangeProblem(const Record& firm) {
    const QString title = QStringLiteral("Wrong Value");
    if (firm.contains(QStringLiteral("Soft_Type"))) {
        const int type = int(masters::numberOf(firm, QStringLiteral("Soft_Type")));
        if (type < 1 || type > 9) return masters::Refusal{title, QStringLiteral("Soft_Type must be from 1 to 9")};
    }
    if (firm.contains(QStringLiteral("AutoConsumption"))) {
        const int entry = int(masters::numberOf(firm, QStringLiteral("AutoConsumption")));
        if (entry < 0 || entry > 2) return masters::Refusal{title, QStringLiteral("AutoConsumption must be 0, 1 or 2")};
    }
    return std::nullopt;
}

}  // namespace

bool FirmMaster::refusedByLockOrRights(qint64 srno, bool isNew) {
    if (yearLockRefuses(session_, messages_)) return true;
    if (!isNew && srno != session_.firmNo && yearLockRefuses(session_, messages_, srno)) return true;
    return rightRefuses(session_, messages_, isNew ? GeneralRight::New : GeneralRight::Modify);
}

qint64 FirmMaster::save(Record firm) {
    const std::optional<QString> emailPassword =
        firm.contains(kEmailPassword) ? std::optional<QString>(firm.take(kEmailPassword).toString()) : std::nullopt;
    const db::TableDef table = firmTable();
    qint64 srno = masters::integerOf(firm, QStringLiteral("Srno"));
    if (refusedByLockOrRights(srno, srno <= 0)) return 0;
    const QString name = masters::textOf(firm, QStringLiteral("PName")).trimmed();
    if (name.isEmpty()) return 0;
    if (auto refusal = masters::normalise(table, firm)) {
        messages_.critical(refusal->title, refusal->text);
        return 0;
    }
    if (auto refusal = rangeProblem(firm)) {
        messages_.critical(refusal->title, refusal->text);
        return 0;
    }
    if (!checkGstin(masters::textOf(firm, QStringLiteral("Tin")), masters::textOf(firm, QStringLiteral("CST")))) return 0;

    db::Transaction tx(db_);
    // A new firm gets its chart of accounts and its books in the same save: all three keys' locks, in their order.
    db::lockInOrder(db_, {QStringLiteral("FirmMst.Srno"), QStringLiteral("AccMst.Id"), QStringLiteral("BookMst.BookNO")});
    const bool isNew = srno <= 0 || db_.scalar(QStringLiteral("SELECT count(*) FROM FirmMst WHERE Srno = ?"), {srno}).toInt() == 0;
    if (srno <= 0) srno = db_.nextKey(QStringLiteral("FirmMst"), QStringLiteral("Srno"));
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM FirmMst WHERE lower(trim(PName)) = lower(trim(?)) AND Srno <> ?"),
                   {masters::fitted(table.name, {{QStringLiteral("PName"), name}}).value(QStringLiteral("PName")), srno})
            .toInt() > 0) {
        messages_.critical(QStringLiteral("Duplicate Name"), QStringLiteral("This Name Is Exist, Please Enter Another NAme"));
        return 0;
    }
    firm.insert(QStringLiteral("Srno"), srno);
    firm.insert(QStringLiteral("PName"), name);
    if (firm.contains(QStringLiteral("Tin")))
        firm.insert(QStringLiteral("Tin"), masters::textOf(firm, QStringLiteral("Tin")).trimmed().toUpper());
    firm.remove(QStringLiteral("IsYrEnd"));  // only the year-end process opens or closes a year
    if (emailPassword) firm.insert(QStringLiteral("IFSC2"), emailPassword->isEmpty() ? QString() : protectSecret(*emailPassword));
    if (isNew) {
        if (!firm.value(QStringLiteral("StartDt")).toDate().isValid()) firm.insert(QStringLiteral("StartDt"), session_.yearStartDate);
        if (!firm.value(QStringLiteral("ENdDt")).toDate().isValid()) firm.insert(QStringLiteral("ENdDt"), session_.yearEndDate);
        masters::insertRow(db_, table.name, firm);
        masters::setUpFirmBooks(db_, srno);
    } else {
        masters::updateRow(db_, table.name, firm, QStringLiteral("Srno = ?"), {srno});
    }
    tx.commit();
    if (srno == session_.firmNo) session_.firmName = name;  // a renamed open firm
    if (session_.firmNo > 0) loadFirmSettings(db_, session_, session_.firmNo);
    return srno;
}

bool FirmMaster::remove(qint64 srno) {
    if (srno <= 0) return false;
    if (yearLockRefuses(session_, messages_) || yearLockRefuses(session_, messages_, srno)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    if (srno == session_.firmNo) {
        messages_.critical(QStringLiteral("Firm In Use"),
                           QStringLiteral("This Firm Is Open Now. Please Select Another Firm Before Deleting It."));
        return false;
    }
    if (!messages_.ask(QStringLiteral("Delete Condirm"), QStringLiteral("Are you sure want to delete record"))) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM FirmMst WHERE Srno = ?"), {srno});
    db_.exec(QStringLiteral("DELETE FROM AccMstOpBal WHERE FirmNo = ?"), {srno});
    db_.exec(QStringLiteral("DELETE FROM AccMst WHERE FirmNo = ?"), {srno});
    db_.exec(QStringLiteral("DELETE FROM BookMst WHERE FirmNO = ?"), {srno});
    tx.commit();
    return true;
}

std::optional<Record> FirmMaster::load(qint64 srno) {
    const auto row = db_.queryOne(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = ?"), {srno});
    if (!row) return std::nullopt;
    Record firm = masters::rowValues(*row, firmTable());
    const QString scrambled = firm.value(QStringLiteral("IFSC2")).toString();
    firm.insert(kEmailPassword, scrambled.isEmpty() ? QString() : unprotectSecret(scrambled));
    return firm;
}

bool FirmMaster::checkGstin(const QString& gstin, const QString& state) {
    if (const auto refusal = masters::checkGstin(gstin, state, masters::GstinChecks::Firm)) {
        messages_.critical(refusal->title, refusal->text);
        return false;
    }
    return true;
}

QStringList FirmMaster::cities() {
    QStringList list;
    for (const db::Row& row : db_.query(QStringLiteral("SELECT DISTINCT City FROM FirmMst WHERE City <> '' ORDER BY City")))
        list << row.value(0).toString();
    return list;
}

}  // namespace tanabana::shell
