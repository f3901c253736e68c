#include "domain/masters/AccountMaster.h"

#include "core/Rights.h"
#include "core/YearLock.h"
#include "domain/masters/BookMaster.h"
#include "domain/masters/LedgerCode.h"
#include "domain/masters/Lookups.h"
#include "domain/masters/RowWriter.h"
#include "domain/masters/Schema.h"

namespace tanabana::masters {

namespace {

const QString kDuplicateTitle = QStringLiteral("A/c Duplicate");

// Tables whose rows name an account; an account found in any of them stays.
const std::vector<std::pair<QString, QString>>& accountUses() {
    static const std::vector<std::pair<QString, QString>> uses = [] {
        std::vector<std::pair<QString, QString>> all = {
            {QStringLiteral("Acc_OutSt"), QStringLiteral("AcId")},
            {QStringLiteral("AccMstOpBal"), QStringLiteral("Id")},
            {QStringLiteral("BillMst"), QStringLiteral("PartyId")},
            {QStringLiteral("ChalanMst"), QStringLiteral("PartyId")},
            {QStringLiteral("HeadDtl3"), QStringLiteral("AccId")},
            {QStringLiteral("HeadDtl3"), QStringLiteral("PartyCode")},
            {QStringLiteral("JobWork_IssueMst"), QStringLiteral("PartyId")},
            {QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("PartyId")},
            {QStringLiteral("JobWork_IssueMst_Ambr"), QStringLiteral("PartyId")},
            {QStringLiteral("Iss_StockMst"), QStringLiteral("PartyId")},
            {QStringLiteral("SalBillMst"), QStringLiteral("PartyId")},
        };
        // a book's tax, charge, TDS and TCS slots too: the book's later bills would be refused at posting
        for (const QString& column : bookAccountColumns()) all.emplace_back(QStringLiteral("BookMst"), column);
        return all;
    }();
    return uses;
}

bool accountInUse(db::Database& db, qint64 id) {
    QStringList parts;
    QVariantList params;
    for (const auto& [table, column] : accountUses()) {
        if (!db.tableExists(table) || !db.columnExists(table, column)) continue;
        parts << QStringLiteral("SELECT %1 FROM %2 WHERE %1 = ?").arg(column, table);
        params << id;
    }
    if (parts.isEmpty()) return false;
    return db.scalar(QStringLiteral("SELECT count(*) FROM (") + parts.join(QStringLiteral(" UNION ")) + QStringLiteral(") used"), params)
               .toInt() > 0;
}

}  // namespace

bool AccountMaster::refused(const std::optional<Refusal>& refusal) {
    if (!refusal) return false;
    messages_.critical(refusal->title, refusal->text);
    return true;
}

bool AccountMaster::checkGstin(const QString& gstin, const QString& state) {
    return !refused(masters::checkGstin(gstin, state, GstinChecks::Party));
}

bool AccountMaster::checkIgstParty(bool igstParty, const QString& state) {
    const QString firmState = session_.firm.value(QStringLiteral("CST")).toString().trimmed();
    const QString partyState = state.trimmed();
    if (igstParty && partyState.isEmpty())
        return !refused(Refusal{QStringLiteral("No State Select"), QStringLiteral("Please Select IGST Party State ")});
    if (firmState.isEmpty()) return true;
    if (igstParty && partyState.compare(firmState, Qt::CaseInsensitive) == 0)
        return !refused(Refusal{QStringLiteral("Same State Name Found"), QStringLiteral("IGST Party State Shold not Same ")});
    if (!igstParty && !partyState.isEmpty() && partyState.compare(firmState, Qt::CaseInsensitive) != 0)
        return !refused(Refusal{QStringLiteral("No Same State Name Found"), QStringLiteral("Party State Shold be Same ")});
    return true;
}

bool AccountMaster::duplicateName(const QString& name, const QString& gstin, qint64 exceptId, qint64 firmNo) {
    // names compare without regard to case and blanks around them; an account without GSTIN may
    // have it stored empty or null: both mean "none"
    return db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE lower(trim(AcName)) = lower(trim(?)) "
                                     "AND upper(trim(COALESCE(TinNo, ''))) = ? AND FirmNo = ? AND IsGrp = 0 AND Id <> ?"),
                      {name, gstin.isNull() ? QStringLiteral("") : gstin.trimmed().toUpper(),
                       firmNo > 0 ? firmNo : session_.firmNo, exceptId})
               .toInt() > 0;
}

QString AccountMaster::newCode(const QString& series) {
    const QString code = nextLedgerCode(db_, session_.firmNo, series);
    if (code.isEmpty()) {
        refused(Refusal{QStringLiteral("A/c OverFlow"),
                        QStringLiteral("This A/C Code in Firm :") + session_.firmName + QStringLiteral(" Is Full Please Enter Another NAme")});
        return {};
    }
    if (ledgerCodeExists(db_, session_.firmNo, code)) {
        refused(Refusal{kDuplicateTitle, QStringLiteral("This A/C Code in Firm :") + session_.firmName +
                                             QStringLiteral(" Is Exist, Please Enter Another NAme")});
        return {};
    }
    return code;
}

void AccountMaster::createBankBook(qint64 accountId, const QString& name) {
    const qint64 bookNo = db_.nextKey(QStringLiteral("BookMst"), QStringLiteral("BookNO"), QStringLiteral("FirmNO = ?"), {session_.firmNo});
    insertRow(db_, QStringLiteral("BookMst"),
              {{QStringLiteral("BookNO"), bookNo}, {QStringLiteral("FirmNO"), session_.firmNo}, {QStringLiteral("BookType"), QStringLiteral("B")},
               {QStringLiteral("BookShortName"), QStringLiteral("BANK")}, {QStringLiteral("PurAccId"), accountId},
               {QStringLiteral("PurNAme"), name}, {QStringLiteral("Is_Upload"), false}});
}

qint64 AccountMaster::save(Record account) {
    if (yearLockRefuses(session_, messages_)) return 0;
    if (refused(normalise(accMstTable(), account))) return 0;
    qint64 id = integerOf(account, QStringLiteral("Id"));
    if (id > 0 && db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"),
                             {id, session_.firmNo}).toInt() == 0)
        id = 0;  // a row of another firm, a group or a deleted account: saved as a new account
    const bool isNew = id <= 0;
    if (rightRefuses(session_, messages_, isNew ? GeneralRight::New : GeneralRight::Modify)) return 0;
    const int group = int(integerOf(account, QStringLiteral("GrpNo")));
    const QString name = fitted(QStringLiteral("AccMst"), {{QStringLiteral("AcName"), textOf(account, QStringLiteral("AcName")).trimmed()}})
                             .value(QStringLiteral("AcName")).toString();
    if (group <= 0 || name.isEmpty()) return 0;
    const QString gstin = textOf(account, QStringLiteral("TinNo")).trimmed().toUpper();
    const QString state = textOf(account, QStringLiteral("CSTNo"));
    if (!checkGstin(gstin, state)) return 0;
    if (!checkIgstParty(flagOf(account, QStringLiteral("IsOgs")), state)) return 0;
    if (groupNameOf(db_, session_.firmNo, group).isEmpty()) {
        refused(Refusal{QStringLiteral("No Group Found"), QStringLiteral("Please Select A/c Group")});
        return 0;
    }

    db::Transaction tx(db_);
    const QString series = ledgerSeries(group, name);
    QString code;
    if (isNew) {
        if (duplicateName(name, gstin, 0)) {
            refused(Refusal{kDuplicateTitle, QStringLiteral("This A/C Name in Firm :") + session_.firmName +
                                                 QStringLiteral(" Is Exist \n Please Enter Another NAme")});
            return 0;
        }
        id = db_.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id"));
        code = newCode(series);
        if (code.isEmpty()) return 0;
    } else {
        code = ledgerIdOf(db_, session_.firmNo, id);
        if (code.left(3) != series) {
            if (messages_.ask(QStringLiteral("A/c Code Change"),
                              QStringLiteral("would u Like to chage the Ledger Id in Firm :") + session_.firmName + QStringLiteral(" ?"))) {
                code = newCode(series);
                if (code.isEmpty()) return 0;
            }
        }
        if (duplicateName(name, gstin, id)) {
            refused(Refusal{kDuplicateTitle, QStringLiteral("This A/C Name in Firm :") + session_.firmName +
                                                 QStringLiteral(" Is Exist, Please Enter Another NAme")});
            return 0;
        }
    }
    account.insert(QStringLiteral("Id"), id);
    account.insert(QStringLiteral("LedgerId"), code);
    account.insert(QStringLiteral("AcName"), name);
    account.insert(QStringLiteral("TinNo"), gstin);
    account.insert(QStringLiteral("IsGrp"), false);
    account.insert(QStringLiteral("FirmNo"), session_.firmNo);
    account.insert(QStringLiteral("Is_Upload"), false);
    if (textOf(account, QStringLiteral("P_Country")).trimmed().isEmpty()) account.insert(QStringLiteral("P_Country"), QStringLiteral("INDIA"));
    if (textOf(account, QStringLiteral("EcNo")).isEmpty())
        account.insert(QStringLiteral("EcNo"), gstin.isEmpty() ? QStringLiteral("1") : QStringLiteral("0"));
    // the opening balance mirror belongs to the opening balance screen
    account.remove(QStringLiteral("DrAmt"));
    account.remove(QStringLiteral("CrAmt"));
    if (isNew) {
        insertRow(db_, QStringLiteral("AccMst"), account);
        if (group == 36) createBankBook(id, name);
    } else {
        updateRow(db_, QStringLiteral("AccMst"), account, QStringLiteral("Id = ? AND FirmNo = ?"), {id, session_.firmNo});
        db_.exec(QStringLiteral("UPDATE BookMst SET PurNAme = ? WHERE PurAccId = ? AND FirmNO = ?"), {name, id, session_.firmNo});
        db_.exec(QStringLiteral("UPDATE BookMst SET SalesName = ? WHERE SaleId = ? AND FirmNO = ?"), {name, id, session_.firmNo});
    }
    tx.commit();
    return id;
}

bool AccountMaster::remove(qint64 id) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (rightRefuses(session_, messages_, GeneralRight::Delete)) return false;
    if (db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"), {id, session_.firmNo}).toInt() == 0)
        return false;
    if (accountInUse(db_, id)) {
        refused(Refusal{QStringLiteral("A/c Exist"), QStringLiteral("This A/c Is Used In Transacton !")});
        return false;
    }
    if (!messages_.ask(QStringLiteral("Delete Confirm"), QStringLiteral("Are you sure to delete this Account"))) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM AccMst WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo});
    tx.commit();
    messages_.information(QStringLiteral("Delete Confirm"), QStringLiteral("This A/c Is Deleted."));
    return true;
}

std::optional<Record> AccountMaster::load(qint64 id) {
    const auto row = db_.queryOne(QStringLiteral("SELECT * FROM AccMst WHERE Id = ? AND FirmNo = ?"), {id, session_.firmNo});
    if (!row) return std::nullopt;
    return rowValues(*row, accMstTable());
}

db::Rows AccountMaster::search(const QString& namePrefix) {
    QString sql = QStringLiteral("SELECT a.*, g.AcName AS GrpName FROM AccMst a LEFT JOIN AccMst g ON g.FirmNo = a.FirmNo AND g.IsGrp = 1 "
                                 "AND g.GrpNo = a.GrpNo WHERE a.FirmNo = ? AND a.IsGrp = 0");
    QVariantList params{session_.firmNo};
    if (!namePrefix.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND ") + db_.dialect().likeInsensitive(QStringLiteral("a.AcName"));
        params << namePrefix.trimmed() + QLatin1Char('%');
    }
    return db_.query(sql + QStringLiteral(" ORDER BY a.AcName"), params);
}

void AccountMaster::repairCompositionFlags() {
    // Writes only when a flag is missing, so read-only books or a full disk still open the screen;
    // a repair that cannot be written waits for the next opening.
    if (db_.readOnly() ||
        db_.scalar(QStringLiteral("SELECT count(*) FROM AccMst WHERE EcNo IS NULL OR EcNo = ''")).toInt() == 0)
        return;
    try {
        db::Transaction tx(db_);
        db_.exec(QStringLiteral("UPDATE AccMst SET EcNo = '' WHERE EcNo IS NULL"));
        db_.exec(QStringLiteral("UPDATE AccMst SET EcNo = '0' WHERE EcNo = '' AND TinNo <> ''"));
        db_.exec(QStringLiteral("UPDATE AccMst SET EcNo = '1' WHERE EcNo = ''"));
        tx.commit();
    } catch (const db::DbError&) {
    }
}

int AccountMaster::copyToFirm(const QList<qint64>& ids, qint64 toFirm) {
    if (ids.isEmpty() || toFirm <= 0) return 0;
    if (yearLockRefuses(session_, messages_) || yearLockRefuses(session_, messages_, toFirm)) return 0;
    if (rightRefuses(session_, messages_, GeneralRight::New)) return 0;
    if (!messages_.ask(QStringLiteral("Save Confirmation"), QStringLiteral("Are you sure to Save All Ac Party  from Select Firm"))) return 0;
    db::Transaction tx(db_);
    int copied = 0;
    for (qint64 id : ids) {
        const auto row = db_.queryOne(QStringLiteral("SELECT * FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"), {id, session_.firmNo});
        if (!row) continue;
        // an account the other firm has already (a second run of the copy) is not copied again
        if (duplicateName(row->text(QStringLiteral("AcName")), row->text(QStringLiteral("TinNo")), 0, toFirm)) continue;
        Record account = rowValues(*row, accMstTable());
        account.insert(QStringLiteral("Id"), db_.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id")));
        account.insert(QStringLiteral("FirmNo"), toFirm);
        account.insert(QStringLiteral("CrAmt"), 0);
        account.insert(QStringLiteral("DrAmt"), 0);
        account.insert(QStringLiteral("Is_Upload"), false);
        const QString code = account.value(QStringLiteral("LedgerId")).toString();
        if (code.isEmpty() || ledgerCodeExists(db_, toFirm, code)) {
            const QString next = nextLedgerCode(db_, toFirm, code.left(3));
            if (next.isEmpty()) continue;
            account.insert(QStringLiteral("LedgerId"), next);
        }
        insertRow(db_, QStringLiteral("AccMst"), account);
        ++copied;
    }
    tx.commit();
    messages_.information(QStringLiteral("Save Confirmation"), QStringLiteral("Ac Party is Transferd"));
    return copied;
}

}  // namespace tanabana::masters
