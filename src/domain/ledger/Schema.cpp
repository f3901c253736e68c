#include "domain/ledger/Schema.h"

namespace tanabana::ledger {

using db::ColumnDef;
using db::TableDef;
using namespace db::columns;

namespace {

// The journal's columns; the work copy of the statements has the same ones.
std::vector<ColumnDef> journalColumns() {
    using namespace db;
    return {longCol(QStringLiteral("AccId")),         textCol(QStringLiteral("Desc"), 255),
            textCol(QStringLiteral("Type"), 1),        dateCol(QStringLiteral("TransDate")),
            longCol(QStringLiteral("JournalNo")),      singleCol(QStringLiteral("TableCode")),
            longCol(QStringLiteral("VoucherNo")),      textCol(QStringLiteral("BookDesc"), 50),
            zero(singleCol(QStringLiteral("SetTableCode"))), zero(longCol(QStringLiteral("SetVoucherNo"))),
            textCol(QStringLiteral("Receiptno"), 50),  singleCol(QStringLiteral("SubSrno")),
            longCol(QStringLiteral("PartyCode")),      zero(doubleCol(QStringLiteral("CrAmt"))),
            zero(doubleCol(QStringLiteral("DrAmt"))),  longCol(QStringLiteral("FirmNo")),
            zero(doubleCol(QStringLiteral("TCrAmt"))), zero(doubleCol(QStringLiteral("TDrAmt"))),
            textCol(QStringLiteral("IsBal"), 1),       zero(yesNoCol(QStringLiteral("IsJV"))),
            textCol(QStringLiteral("Narr"), 50),       zero(yesNoCol(QStringLiteral("IsChecked"))),
            dateCol(QStringLiteral("ReConDt")),        zero(yesNoCol(QStringLiteral("IsReCon"))),
            zero(yesNoCol(QStringLiteral("IsRet"))),   textCol(QStringLiteral("NarrExtra"), 255),
            zero(yesNoCol(QStringLiteral("Is_Upload"))), zero(yesNoCol(QStringLiteral("Is_Tmp")))};
}

// Paise of an amount column of the row `row` (NEW or OLD), rounded like Dialect::sumRounded.
QString paise(const db::Dialect& d, const QString& row, const QString& column) {
    const QString value = QStringLiteral("COALESCE(%1.%2, 0)").arg(row, column);
    return d.isPostgres() ? QStringLiteral("CAST(ROUND(CAST(%1 AS NUMERIC) * 100) AS BIGINT)").arg(value)
                          : QStringLiteral("CAST(ROUND(%1 * 100) AS INTEGER)").arg(value);
}

// yyyymm of the row's date, 0 when it has none.
QString month(const db::Dialect& d, const QString& row) {
    return d.isPostgres()
               ? QStringLiteral("COALESCE(CAST(EXTRACT(YEAR FROM %1.TransDate) * 100 + EXTRACT(MONTH FROM %1.TransDate) AS "
                                "INTEGER), 0)")
                     .arg(row)
               : QStringLiteral("COALESCE(CAST(strftime('%Y%m', %1.TransDate) AS INTEGER), 0)").arg(row);
}

QString addRow(const db::Dialect& d, const QString& table) {
    return QStringLiteral(
               "INSERT INTO HeadDtl3_MonthBal (FirmNo, AccId, MonthNo, DrPaise, CrPaise, Lines) "
               "VALUES (COALESCE(NEW.FirmNo, 0), COALESCE(NEW.AccId, 0), %1, %2, %3, 1) "
               "ON CONFLICT (FirmNo, AccId, MonthNo) DO UPDATE SET DrPaise = %4.DrPaise + excluded.DrPaise, "
               "CrPaise = %4.CrPaise + excluded.CrPaise, Lines = %4.Lines + 1;")
        .arg(month(d, QStringLiteral("NEW")), paise(d, QStringLiteral("NEW"), QStringLiteral("DrAmt")),
             paise(d, QStringLiteral("NEW"), QStringLiteral("CrAmt")), table);
}

QString removeRow(const db::Dialect& d) {
    return QStringLiteral(
               "UPDATE HeadDtl3_MonthBal SET DrPaise = DrPaise - %1, CrPaise = CrPaise - %2, Lines = Lines - 1 "
               "WHERE FirmNo = COALESCE(OLD.FirmNo, 0) AND AccId = COALESCE(OLD.AccId, 0) AND MonthNo = %3;")
        .arg(paise(d, QStringLiteral("OLD"), QStringLiteral("DrAmt")),
             paise(d, QStringLiteral("OLD"), QStringLiteral("CrAmt")), month(d, QStringLiteral("OLD")));
}

const QString kWatched = QStringLiteral("AccId, FirmNo, TransDate, DrAmt, CrAmt");

void createSqliteTriggers(db::Database& db) {
    const db::Dialect& d = db.dialect();
    db.exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS HeadDtl3_MonthBal_Insert AFTER INSERT ON HeadDtl3 BEGIN %1 END")
                .arg(addRow(d, QStringLiteral("HeadDtl3_MonthBal"))));
    db.exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS HeadDtl3_MonthBal_Delete AFTER DELETE ON HeadDtl3 BEGIN %1 END")
                .arg(removeRow(d)));
    db.exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS HeadDtl3_MonthBal_Update AFTER UPDATE OF %1 ON HeadDtl3 "
                           "BEGIN %2 %3 END")
                .arg(kWatched, removeRow(d), addRow(d, QStringLiteral("HeadDtl3_MonthBal"))));
}

void createPostgresTriggers(db::Database& db) {
    const db::Dialect& d = db.dialect();
    // SET search_path FROM CURRENT ties the function to this year's schema.
    db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION headdtl3_monthbal_apply() RETURNS trigger LANGUAGE plpgsql "
                           "SET search_path FROM CURRENT AS $fn$ BEGIN "
                           "IF TG_OP = 'DELETE' OR TG_OP = 'UPDATE' THEN %1 END IF; "
                           "IF TG_OP = 'INSERT' OR TG_OP = 'UPDATE' THEN %2 END IF; "
                           "RETURN NULL; END $fn$")
                .arg(removeRow(d), addRow(d, QStringLiteral("HeadDtl3_MonthBal"))));
    db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION headdtl3_monthbal_clear() RETURNS trigger LANGUAGE plpgsql "
                           "SET search_path FROM CURRENT AS $fn$ BEGIN DELETE FROM HeadDtl3_MonthBal; RETURN NULL; END $fn$"));
    db.exec(QStringLiteral("DROP TRIGGER IF EXISTS headdtl3_monthbal ON HeadDtl3"));
    db.exec(QStringLiteral("CREATE TRIGGER headdtl3_monthbal AFTER INSERT OR DELETE OR UPDATE OF %1 ON HeadDtl3 "
                           "FOR EACH ROW EXECUTE FUNCTION headdtl3_monthbal_apply()")
                .arg(kWatched));
    db.exec(QStringLiteral("DROP TRIGGER IF EXISTS headdtl3_monthbal_truncate ON HeadDtl3"));
    db.exec(QStringLiteral("CREATE TRIGGER headdtl3_monthbal_truncate AFTER TRUNCATE ON HeadDtl3 "
                           "FOR EACH STATEMENT EXECUTE FUNCTION headdtl3_monthbal_clear()"));
}

bool triggersInPlace(db::Database& db) {
    if (db.dialect().isPostgres())
        return db.scalar(QStringLiteral("SELECT count(*) FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid "
                                        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = current_schema() "
                                        "AND c.relname = 'headdtl3' AND t.tgname IN ('headdtl3_monthbal', "
                                        "'headdtl3_monthbal_truncate')"))
                   .toInt() == 2;
    return db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN "
                                    "('HeadDtl3_MonthBal_Insert', 'HeadDtl3_MonthBal_Delete', 'HeadDtl3_MonthBal_Update')"))
               .toInt() == 3;
}

}  // namespace

TableDef journalTable() {
    return {QStringLiteral("HeadDtl3"),
            journalColumns(),
            {},
            {{QStringLiteral("HeadDtl3_Journal"), {QStringLiteral("JournalNo"), QStringLiteral("SubSrno")}, false},
             {QStringLiteral("HeadDtl3_Document"),
              {QStringLiteral("FirmNo"), QStringLiteral("TableCode"), QStringLiteral("VoucherNo")},
              false},
             // Covers a ledger's lines and its balance on a date without touching the table.
             {QStringLiteral("HeadDtl3_Account"),
              {QStringLiteral("FirmNo"), QStringLiteral("AccId"), QStringLiteral("TransDate"), QStringLiteral("DrAmt"),
               QStringLiteral("CrAmt")},
              false},
             {QStringLiteral("HeadDtl3_Party"), {QStringLiteral("PartyCode")}, false},
             // A period's lines in the order the books print them (day book, part months of the
             // statements) without walking the firm's whole journal.
             {QStringLiteral("HeadDtl3_Date"),
              {QStringLiteral("FirmNo"), QStringLiteral("TransDate"), QStringLiteral("JournalNo"), QStringLiteral("SubSrno")},
              false}}};
}

TableDef journalWorkTable() {
    return {QStringLiteral("HeadDtl3_Temp"),
            journalColumns(),
            {},
            {{QStringLiteral("HeadDtl3_Temp_Account"), {QStringLiteral("FirmNo"), QStringLiteral("AccId")}, false}}};
}

TableDef settlementTable() {
    using namespace db;
    return {QStringLiteral("Acc_OutSt"),
            {longCol(QStringLiteral("ID")),           longCol(QStringLiteral("Srno")),
             longCol(QStringLiteral("VouNo")),        singleCol(QStringLiteral("TableCode")),
             longCol(QStringLiteral("VouSrno")),      longCol(QStringLiteral("BillId")),
             zero(doubleCol(QStringLiteral("Paid_Amt"))), zero(doubleCol(QStringLiteral("Minus_Amt"))),
             zero(doubleCol(QStringLiteral("Plus_Amt"))), zero(yesNoCol(QStringLiteral("IsEnd"))),
             textCol(QStringLiteral("Book"), 1),      zero(yesNoCol(QStringLiteral("IsJV"))),
             zero(yesNoCol(QStringLiteral("IsJVEnd"))), longCol(QStringLiteral("Fno")),
             dateCol(QStringLiteral("VDate")),        longCol(QStringLiteral("AcId")),
             longCol(QStringLiteral("BookName")),     textCol(QStringLiteral("IType"), 50),
             textCol(QStringLiteral("BNo"), 50),      dateCol(QStringLiteral("BillDt")),
             zero(doubleCol(QStringLiteral("BillAmt"))), zero(yesNoCol(QStringLiteral("IsRet"))),
             dateCol(QStringLiteral("TrnDt"))},
            {QStringLiteral("ID")},
            {{QStringLiteral("Acc_OutSt_Voucher"),
              {QStringLiteral("Fno"), QStringLiteral("TableCode"), QStringLiteral("VouNo"), QStringLiteral("VouSrno")},
              false},
             {QStringLiteral("Acc_OutSt_Bill"), {QStringLiteral("Book"), QStringLiteral("BillId")}, false},
             {QStringLiteral("Acc_OutSt_Party"), {QStringLiteral("Fno"), QStringLiteral("AcId")}, false}}};
}

TableDef monthBalanceTable() {
    using namespace db;
    // Whole paise, so the totals add exactly; MonthNo is yyyymm (0 for a line without a date).
    ColumnDef dr{QStringLiteral("DrPaise"), ColumnType::Long, 0, QStringLiteral("0")};
    ColumnDef cr{QStringLiteral("CrPaise"), ColumnType::Long, 0, QStringLiteral("0")};
    ColumnDef lines{QStringLiteral("Lines"), ColumnType::Long, 0, QStringLiteral("0")};
    return {QStringLiteral("HeadDtl3_MonthBal"),
            {longCol(QStringLiteral("FirmNo")), longCol(QStringLiteral("AccId")), longCol(QStringLiteral("MonthNo")), dr, cr,
             lines},
            {QStringLiteral("FirmNo"), QStringLiteral("AccId"), QStringLiteral("MonthNo")},
            {}};
}

std::vector<TableDef> ledgerTables() { return {journalTable(), journalWorkTable(), settlementTable(), monthBalanceTable()}; }

void rebuildMonthBalances(db::Database& db) {
    const db::Dialect& d = db.dialect();
    const QString row = QStringLiteral("HeadDtl3");
    db::Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM HeadDtl3_MonthBal"));
    db.exec(QStringLiteral("INSERT INTO HeadDtl3_MonthBal (FirmNo, AccId, MonthNo, DrPaise, CrPaise, Lines) "
                           "SELECT COALESCE(FirmNo, 0), COALESCE(AccId, 0), %1, SUM(%2), SUM(%3), COUNT(*) FROM HeadDtl3 "
                           "GROUP BY COALESCE(FirmNo, 0), COALESCE(AccId, 0), %1")
                .arg(month(d, row), paise(d, row, QStringLiteral("DrAmt")), paise(d, row, QStringLiteral("CrAmt"))));
    tx.commit();
}

void ensureMonthBalances(db::Database& db) {
    if (!db.tableExists(QStringLiteral("HeadDtl3_MonthBal")) || triggersInPlace(db)) return;
    db::Transaction tx(db);
    if (db.dialect().isPostgres()) createPostgresTriggers(db); else createSqliteTriggers(db);
    rebuildMonthBalances(db);
    tx.commit();
}

std::vector<db::MigrationStep> ledgerSteps() {
    return {
        {QStringLiteral("ledger/001-journal"),
         [](db::Database& db) {
             db::createTable(db, journalTable());
             db::createTable(db, journalWorkTable());
         }},
        {QStringLiteral("ledger/002-bill-settlements"), [](db::Database& db) { db::createTable(db, settlementTable()); }},
        {QStringLiteral("ledger/003-month-balances"),
         [](db::Database& db) {
             db::createTable(db, monthBalanceTable());
             ensureMonthBalances(db);
         }},
        {QStringLiteral("ledger/004-journal-by-date"), [](db::Database& db) { db::createTable(db, journalTable()); }},
    };
}

}  // namespace tanabana::ledger
