#include "domain/accounts/Books.h"

#include "domain/accounts/AccountRegisters.h"
#include "domain/ledger/Balances.h"
#include "domain/reports/ReportError.h"

#include <map>

namespace tanabana::accounts {

using reports::CellOpens;
using reports::DocumentKind;
using reports::RegisterDefinition;
using reports::RegisterResult;
using reports::ReportError;

namespace {

const QString kBookDate = QStringLiteral("dd-MM-yyyy");

QVariant moneyCell(Decimal value) { return QVariant(value.toString(2)); }
int monthKey(const QDate& date) { return date.year() * 100 + date.month(); }
QString balanceType(Decimal balance) { return balance > Decimal(0) ? QStringLiteral("DB") : QStringLiteral("CB"); }
QString periodText(const reports::RegisterChoice& c) {
    return QStringLiteral("Period From ") + c.from.toString(kBookDate) + QStringLiteral(" To ") + c.to.toString(kBookDate);
}
QString joined(const QString& a, const QString& b) { return (a.trimmed() + QLatin1Char(' ') + b.trimmed()).trimmed(); }

// Columns of the cash and bank books; the journal and day books use a part of them.
enum Column { Srno, Grpno, MonthNo, BType, VDate, Vno, AcNO, AcNAme, ChqNO, Narr1, WithDraw, Deposit, Bal, BalType, DBal, DBalT, JournalNo, Count };
const QStringList kColumns = {QStringLiteral("Srno"),   QStringLiteral("Grpno"),    QStringLiteral("MonthNo"), QStringLiteral("BType"),
                              QStringLiteral("VDate"),  QStringLiteral("Vno"),      QStringLiteral("AcNO"),    QStringLiteral("AcNAme"),
                              QStringLiteral("ChqNO"),  QStringLiteral("Narr1"),    QStringLiteral("withDraw"), QStringLiteral("Deposit"),
                              QStringLiteral("Bal"),    QStringLiteral("BalType"),  QStringLiteral("DBal"),    QStringLiteral("DBalT"),
                              QStringLiteral("JournalNo")};

// Rows numbered in order and cut into month groups (1 for the period's first month ...).
class BookRows {
    static constexpr int kFirmColumns = 4;  // FirmNAme, FirmAdd1, FirmCity, FirmTIN

public:
    explicit BookRows(reports::ResultSet& data) : data_(data) { data_.columns = kColumns; }

    // True when the date opens a new month group.
    bool startsMonth(const QDate& date) {
        if (monthKey(date) == month_) return false;
        month_ = monthKey(date);
        ++group_;
        return true;
    }
    QVariantList& add(const QDate& date) {
        QVariantList row;
        row.reserve(Count + kFirmColumns);  // the firm's columns are added after, without growing the row
        row.resize(Count);
        row[Srno] = int(data_.rows.size()) + 1;
        row[Grpno] = group_;
        row[MonthNo] = date.month();
        row[VDate] = date;
        row[JournalNo] = 0;
        data_.rows.push_back(std::move(row));
        return data_.rows.back();
    }

private:
    reports::ResultSet& data_;
    int month_ = -1;
    int group_ = 0;
};

// The cash or bank book the operator chose, else the firm's first of that kind.
std::pair<qint64, QString> bookAccount(db::Database& db, const Session& session, qint64 bookNo, QChar type) {
    const QString sql = QStringLiteral("SELECT PurAccId, PurNAme FROM BookMst WHERE FirmNO = ? AND BookType = ? %1 ORDER BY BookNO")
                            .arg(bookNo > 0 ? QStringLiteral("AND BookNO = ?") : QString());
    QVariantList params{session.firmNo, QString(type)};
    if (bookNo > 0) params << bookNo;
    const auto book = db.queryOne(sql, params);
    if (!book || book->integer(QStringLiteral("PurAccId")) <= 0)
        throw ReportError(type == QLatin1Char('C') ? QStringLiteral("Please Select Cash Book") : QStringLiteral("Please Select Bank Book"));
    return {book->integer(QStringLiteral("PurAccId")), book->text(QStringLiteral("PurNAme")).trimmed()};
}

// The columns every book fills alike from a line read as: TransDate, TableCode, VoucherNo,
// LedgerId, AcName, Receiptno, Narr, NarrExtra, CrAmt, DrAmt, JournalNo (what a line opens).
const QString kLineColumns = QStringLiteral("h.TransDate, h.TableCode, h.VoucherNo, p.LedgerId, p.AcName, h.Receiptno, h.Narr, h.NarrExtra, "
                                            "h.CrAmt, h.DrAmt, h.JournalNo");
QVariantList& lineRow(BookRows& rows, const QDate& date, const db::Row& line) {
    const int tableCode = line.value(1).toInt();
    QVariantList& row = rows.add(date);
    row[BType] = voucherKind(tableCode);
    row[Vno] = line.value(2).toLongLong();
    row[AcNO] = line.value(3).toString().trimmed();
    row[AcNAme] = line.value(4).toString().trimmed();
    row[ChqNO] = line.value(5).toString().trimmed();
    row[Narr1] = joined(line.value(6).toString(), line.value(7).toString());
    row[JournalNo] = line.value(10).toLongLong();
    return row;
}

// Receipts and payments of one cash or bank account with the running balance, an opening row at
// the start of every month with postings and the closing balance on each day's last row.
void computeCashBank(db::Database& db, const Session& session, RegisterResult& result, QChar type) {
    const reports::RegisterChoice& c = result.choice;
    checkReportDates(session, c, true);
    const auto [account, name] = bookAccount(db, session, c.bookNo, type);
    Decimal running = ledger::Balances(db, session).before(account, c.from);
    BookRows rows(result.data);
    auto opening = [&](const QDate& date) {
        QVariantList& row = rows.add(date);
        row[BType] = QStringLiteral("OP");
        row[AcNAme] = QStringLiteral("Opening Balance");
        row[Bal] = moneyCell(running.abs());
        row[BalType] = balanceType(running);
    };
    // The contra account (PartyCode) names each receipt and payment.
    db.forEach(QStringLiteral("SELECT %1 FROM HeadDtl3 h LEFT JOIN AccMst p ON p.Id = h.PartyCode "
                              "WHERE h.FirmNo = ? AND h.AccId = ? AND h.TransDate >= ? AND h.TransDate <= ? "
                              "ORDER BY h.TransDate, h.JournalNo, h.SubSrno")
                   .arg(kLineColumns),
               {session.firmNo, account, c.from, c.to}, [&](const db::Row& line) {
                   const QDate date = line.date(QStringLiteral("TransDate"));
                   if (rows.startsMonth(date)) opening(result.data.rows.empty() ? c.from : date);
                   const Decimal credit = Decimal::amount(line.value(8));
                   const Decimal debit = Decimal::amount(line.value(9));
                   running += debit - credit;
                   QVariantList& row = lineRow(rows, date, line);
                   row[WithDraw] = moneyCell(credit);
                   row[Deposit] = moneyCell(debit);
                   row[Bal] = moneyCell(running.abs());
                   row[BalType] = balanceType(running);
               });
    // A period without postings still shows where the book stands.
    if (result.data.rows.empty()) {
        rows.startsMonth(c.from);
        opening(c.from);
    }
    // The day's closing balance on its last row.
    auto& all = result.data.rows;
    for (size_t i = 0; i < all.size(); ++i)
        if (i + 1 == all.size() || all[i + 1][VDate] != all[i][VDate]) {
            all[i][DBal] = all[i][Bal];
            all[i][DBalT] = all[i][BalType];
        }
    result.title = (type == QLatin1Char('C') ? QStringLiteral("Cash Book : ") : QStringLiteral("Bank Book : ")) + name;
    result.filters = periodText(c);
}

// Journal lines of the period with their own account, credit before debit within a serial,
// narrowed by `condition` on the line (h) or its account (p).
void computeLines(db::Database& db, const Session& session, RegisterResult& result, const QString& condition) {
    const reports::RegisterChoice& c = result.choice;
    checkReportDates(session, c, true);
    BookRows rows(result.data);
    db.forEach(QStringLiteral("SELECT %1 FROM HeadDtl3 h LEFT JOIN AccMst p ON p.Id = h.AccId "
                              "WHERE h.FirmNo = ? AND h.TransDate >= ? AND h.TransDate <= ? %2"
                              "ORDER BY h.TransDate, h.JournalNo, h.SubSrno, h.CrAmt DESC")
                   .arg(kLineColumns, condition),
               {session.firmNo, c.from, c.to}, [&](const db::Row& line) {
                   const QDate date = line.date(QStringLiteral("TransDate"));
                   rows.startsMonth(date);
                   QVariantList& row = lineRow(rows, date, line);
                   row[Deposit] = moneyCell(Decimal::amount(line.value(8)));
                   row[WithDraw] = moneyCell(Decimal::amount(line.value(9)));
               });
    result.filters = periodText(c);
}

// The journal vouchers' lines, credit before debit within an entry, each with its own account.
void computeJournalBook(db::Database& db, const Session& session, RegisterResult& result) {
    computeLines(db, session, result, QStringLiteral("AND h.TableCode = 9 "));
    result.title = QStringLiteral("Journal Book");
}

// Every posting of the period with its account; the printed form leaves out the bank accounts
// (group 36), the sales group (1) and the sales returns (18), whose lines the other books show.
void computeDayBook(db::Database& db, const Session& session, RegisterResult& result, bool printed) {
    computeLines(db, session, result, printed ? QStringLiteral("AND COALESCE(p.GrpNo, 0) NOT IN (1, 18, 36) ") : QString());
    result.title = QStringLiteral("Day Book");
}

RegisterDefinition book(const QString& name, const QString& command, const QString& kind, const QString& title, const QString& layout,
                        ComputeRows compute) {
    QString pdfName = title;
    pdfName.replace(QLatin1Char(' '), QLatin1Char('_'));
    return computedRegister(name, command, kind, title, layout, pdfName, {{{}, QStringLiteral("JournalNo"), DocumentKind::Posting}},
                            std::move(compute));
}

std::vector<RegisterDefinition> books() {
    std::vector<RegisterDefinition> all;
    RegisterDefinition cash = book(QStringLiteral("cash-book"), QStringLiteral("mnu_R22"), QString(), QStringLiteral("Cash Book"),
                                   QStringLiteral("Acc_CashBook.rpt"), [](db::Database& db, const Session& s, RegisterResult& r) {
                                       computeCashBank(db, s, r, QLatin1Char('C'));
                                   });
    cash.asksBook = true;
    cash.bookTypes = QStringLiteral("C");
    all.push_back(cash);
    RegisterDefinition bank = book(QStringLiteral("bank-book"), QStringLiteral("mnu_R21"), QString(), QStringLiteral("Bank Book"),
                                   QStringLiteral("Acc_bankBook.rpt"), [](db::Database& db, const Session& s, RegisterResult& r) {
                                       computeCashBank(db, s, r, QLatin1Char('B'));
                                   });
    bank.asksBook = true;
    bank.bookTypes = QStringLiteral("B");
    all.push_back(bank);
    all.push_back(book(QStringLiteral("journal-book"), QStringLiteral("mnu_R23"), QString(), QStringLiteral("Journal Book"),
                       QStringLiteral("Acc_JvBook.rpt"), computeJournalBook));
    all.push_back(book(QStringLiteral("day-book"), QStringLiteral("mnu_R24"), QStringLiteral("All Accounts"), QStringLiteral("Day Book"),
                       QStringLiteral("Acc_DayBook.rpt"),
                       [](db::Database& db, const Session& s, RegisterResult& r) { computeDayBook(db, s, r, false); }));
    all.push_back(book(QStringLiteral("day-book-printed"), QStringLiteral("mnu_R24"), QStringLiteral("Without Bank And Sales Lines"),
                       QStringLiteral("Day Book"), QStringLiteral("Acc_DayBook.rpt"),
                       [](db::Database& db, const Session& s, RegisterResult& r) { computeDayBook(db, s, r, true); }));
    return all;
}

}  // namespace

QString voucherKind(int tableCode) {
    static const std::map<int, QString> kinds{{1, QStringLiteral("PUR")}, {2, QStringLiteral("PR")},  {3, QStringLiteral("SAL")},
                                              {4, QStringLiteral("SR")},  {5, QStringLiteral("CP")},  {6, QStringLiteral("CR")},
                                              {7, QStringLiteral("BP")},  {8, QStringLiteral("BR")},  {9, QStringLiteral("JV")},
                                              {13, QStringLiteral("YE")}, {14, QStringLiteral("JI")}, {15, QStringLiteral("JR")},
                                              {16, QStringLiteral("MI")}, {17, QStringLiteral("MR")}, {21, QStringLiteral("CN")},
                                              {22, QStringLiteral("DN")}};
    const auto it = kinds.find(tableCode);
    return it == kinds.end() ? QString::number(tableCode) : it->second;
}

std::vector<RegisterDefinition> bookRegisters() { return books(); }

}  // namespace tanabana::accounts
