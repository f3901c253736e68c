#include "domain/accounts/AccountRegisters.h"

#include "domain/accounts/AccountFigures.h"
#include "domain/accounts/Books.h"
#include "domain/accounts/FinalAccounts.h"
#include "domain/ledger/JournalExport.h"
#include "domain/reports/ReportError.h"
#include "domain/shell/FirmSettings.h"

#include <algorithm>
#include <map>

namespace tanabana::accounts {

using reports::CellOpens;
using reports::DocumentKind;
using reports::RegisterChoice;
using reports::RegisterDefinition;
using reports::RegisterResult;
using reports::ReportError;

namespace {

const QString kDate = QStringLiteral("dd-MM-yyyy");

QString dateText(const QDate& date) { return date.toString(kDate); }
QVariant money(Decimal value) { return QVariant(value.toString(2)); }

FigurePeriod periodOf(const RegisterChoice& choice, bool between) {
    return between ? FigurePeriod{choice.from, choice.to, OpeningRule::None} : FigurePeriod{QDate(), choice.to, OpeningRule::Dated};
}

// Two-sided statements open the account, or the group, of the side the cursor stands on.
std::vector<CellOpens> sideOpens() {
    const QStringList credit{QStringLiteral("CrAc"), QStringLiteral("CrAmt"), QStringLiteral("Crbal")};
    const QStringList debit{QStringLiteral("DrAc"), QStringLiteral("DrAmt"), QStringLiteral("Drbal")};
    return {{credit, QStringLiteral("CrAccId"), DocumentKind::Account},
            {credit, QStringLiteral("GrpNOCr"), DocumentKind::AccountGroup},
            {debit, QStringLiteral("DrAccId"), DocumentKind::Account},
            {debit, QStringLiteral("GrpNODr"), DocumentKind::AccountGroup}};
}

// The accounts that share the net result by the firm's type (a proprietor the capital accounts of
// group 72, a partnership those of groups 72 and 73, a company group 73), each with the partner's
// percentage of the account master, by name; an account without a percentage takes no share.
std::vector<PartnerShare> partnerShares(db::Database& db, const Session& session) {
    const int type = shell::FirmSettings(session).firmType();
    const QString groups = type == 1 ? QStringLiteral("72") : type == 2 ? QStringLiteral("72, 73") : QStringLiteral("73");
    std::vector<PartnerShare> shares;
    db.forEach(QStringLiteral("SELECT AcName, Perc FROM AccMst WHERE FirmNo = ? AND IsGrp = 0 AND GrpNo IN (%1) AND Perc <> 0 "
                              "ORDER BY AcName")
                   .arg(groups),
               {session.firmNo}, [&](const db::Row& row) {
                   shares.push_back({row.value(0).toString().trimmed(), Decimal::fromVariant(row.value(1)).roundHalfEven(2)});
               });
    return shares;
}

// A statement made from the accounts' figures and the partners who share the result.
using Build = std::function<Statement(const std::vector<AccountFigure>&, const std::vector<PartnerShare>&)>;

// A statement's register: as on the choice's date, or between its dates without openings.
RegisterDefinition statement(const QString& name, const QString& command, const QString& kind, const QString& heading,
                             const QString& layout, const QString& pdfName, bool between, Build build) {
    RegisterDefinition d = computedRegister(name, command, kind, heading.trimmed(), layout, pdfName, sideOpens(),
                                    [heading, between, build](db::Database& db, const Session& session, RegisterResult& result) {
                                        checkReportDates(session, result.choice, between);
                                        const Statement s = build(accountFigures(db, session.firmNo, periodOf(result.choice, between)),
                                                                  partnerShares(db, session));
                                        result.data = s.resultSet();
                                        result.title = between ? heading + dateText(result.choice.from) + QStringLiteral(" To ") +
                                                                     dateText(result.choice.to)
                                                               : heading + dateText(result.choice.to);
                                        result.filters = s.notices.join(QStringLiteral("   "));
                                        result.choice.openingBalances = !between;
                                    });
    d.singleDate = !between;
    return d;
}

// One row per active account between two dates: opening, the period's debits and credits and
// the closing, each signed figure in its debit or credit column.
void computeDetailedTrialBalance(db::Database& db, const Session& session, RegisterResult& result, bool liabilitiesOnly) {
    checkReportDates(session, result.choice, true);
    const auto figures = accountFigures(db, session.firmNo, {result.choice.from, result.choice.to, OpeningRule::Carried});
    reports::ResultSet& data = result.data;
    data.columns = {QStringLiteral("Grpno"),  QStringLiteral("GrpName"), QStringLiteral("LedgerId"), QStringLiteral("AcNAme"),
                    QStringLiteral("DAmtOP"), QStringLiteral("CAmtOP"),  QStringLiteral("DAmtT"),    QStringLiteral("CAmtT"),
                    QStringLiteral("DAmtCl"), QStringLiteral("CAmtCl"),  QStringLiteral("AcId"),     QStringLiteral("AsOn")};
    Decimal debit, credit;
    for (const AccountFigure& f : figures) {
        if (!f.active || (liabilitiesOnly && (f.grpNo < 72 || f.grpNo > 99))) continue;
        const Decimal closing = f.balance();
        if (f.opening.isZero() && f.debit.isZero() && f.credit.isZero()) continue;
        auto split = [](Decimal v) { return std::pair{v.isNegative() ? Decimal() : v, v.isNegative() ? -v : Decimal()}; };
        const auto [opDr, opCr] = split(f.opening);
        const auto [clDr, clCr] = split(closing);
        debit += clDr;
        credit += clCr;
        data.rows.push_back({f.grpNo, f.groupName, f.ledgerId, f.name, money(opDr), money(opCr), money(f.debit), money(f.credit),
                             money(clDr), money(clCr), f.accId, result.choice.to});
    }
    result.title = QStringLiteral("Trial Balance As On ") + dateText(result.choice.to);
    QStringList notes{QStringLiteral("From ") + dateText(result.choice.from) + QStringLiteral(" To ") + dateText(result.choice.to)};
    notes << tallyNotices(credit, debit, QStringLiteral("TRIAL BALANCE TOTAL NOT TALLY"), QStringLiteral("Trial Balance Difference : "));
    result.filters = notes.join(QStringLiteral("   "));
}

RegisterDefinition detailedTrialBalance(const QString& name, const QString& kind, bool liabilitiesOnly) {
    return computedRegister(name, QStringLiteral("mnu_R78"), kind, QStringLiteral("Trial Balance"), QStringLiteral("Acc_TrialBalance1.rpt"),
                    QStringLiteral("TrialBalance_Detail"), {{{}, QStringLiteral("AcId"), DocumentKind::Account}},
                    [liabilitiesOnly](db::Database& db, const Session& session, RegisterResult& result) {
                        computeDetailedTrialBalance(db, session, result, liabilitiesOnly);
                    });
}

// Where a group's total is reported: "B/S.", "Trdng." or "P & L". Groups no statement covers
// stand on the balance sheet by the sign of their accounts, so they are "B/S." too.
QString baseOf(int grpNo) {
    switch (statementOf(grpNo)) {
    case StatementOf::Trading: return QStringLiteral("Trdng.");
    case StatementOf::ProfitAndLoss: return QStringLiteral("P & L");
    default: return QStringLiteral("B/S.");
    }
}

// The order of the schedules: liabilities 72 to 99, assets 31 to 70, then the rest by number.
int scheduleRank(int grpNo) {
    if (grpNo >= 72 && grpNo <= 99) return 0;
    if (grpNo >= 31 && grpNo <= 70) return 1;
    return 2;
}

void computeSchedules(db::Database& db, const Session& session, RegisterResult& result) {
    checkReportDates(session, result.choice, false);
    const auto figures = accountFigures(db, session.firmNo, periodOf(result.choice, false));
    std::map<int, Decimal> totals;
    std::map<int, bool> used;
    for (const AccountFigure& f : figures) {
        if (f.balance().isZero()) continue;
        totals[f.grpNo] += f.balance();
        used[f.grpNo] = true;
    }
    std::vector<int> groups;
    for (const auto& [grpNo, _] : used) groups.push_back(grpNo);
    std::stable_sort(groups.begin(), groups.end(), [](int a, int b) { return scheduleRank(a) < scheduleRank(b); });
    std::map<int, GroupRow> rows;
    for (const GroupRow& g : accountGroups(db, session.firmNo)) rows[g.grpNo] = g;

    reports::ResultSet& data = result.data;
    data.columns = {QStringLiteral("GrpNO"), QStringLiteral("LedgerId"), QStringLiteral("SchName"), QStringLiteral("Debit"),
                    QStringLiteral("Credit"), QStringLiteral("Base")};
    for (int grpNo : groups) {
        const Decimal total = totals[grpNo];
        const GroupRow group = rows.count(grpNo) ? rows[grpNo] : GroupRow{grpNo, QStringLiteral("Group %1").arg(grpNo), QString()};
        data.rows.push_back({grpNo, group.ledgerId, group.name, money(total.isNegative() ? Decimal() : total),
                             money(total.isNegative() ? -total : Decimal()), baseOf(grpNo)});
    }
    result.title = QStringLiteral("SCHEDULE BALANCE SHEET As On ") + dateText(result.choice.to);
    result.filters.clear();
}

QString sideOf(Decimal value) {
    if (value.isZero()) return {};
    return value.isNegative() ? QStringLiteral("Cr") : QStringLiteral("Dr");
}

// The accounts of one group with their opening, the period's debits and credits and the closing.
void computeGroupAccounts(db::Database& db, const Session& session, RegisterResult& result) {
    const RegisterChoice& c = result.choice;
    checkReportDates(session, c, !c.openingBalances);
    const auto figures = accountFigures(db, session.firmNo, periodOf(c, !c.openingBalances));
    reports::ResultSet& data = result.data;
    data.columns = {QStringLiteral("LedgerId"), QStringLiteral("AcNAme"),   QStringLiteral("City"),    QStringLiteral("AreaNAme"),
                    QStringLiteral("OpBal"),    QStringLiteral("OpSide"),   QStringLiteral("DebitAmt"), QStringLiteral("CreditAmt"),
                    QStringLiteral("ClBal"),    QStringLiteral("ClSide"),   QStringLiteral("AcId")};
    QString groupName;
    for (const AccountFigure& f : figures) {
        if (f.grpNo != c.groupNo) continue;
        groupName = f.groupName;
        if (f.opening.isZero() && f.debit.isZero() && f.credit.isZero()) continue;
        data.rows.push_back({f.ledgerId, f.name, f.city, f.area, money(f.opening.abs()), sideOf(f.opening), money(f.debit), money(f.credit),
                             money(f.balance().abs()), sideOf(f.balance()), f.accId});
    }
    if (groupName.isEmpty()) groupName = QStringLiteral("Group %1").arg(c.groupNo);
    result.title = groupName + (c.openingBalances ? QStringLiteral("  As On ") + dateText(c.to)
                                                  : QStringLiteral("  From ") + dateText(c.from) + QStringLiteral(" To ") + dateText(c.to));
    result.filters.clear();
}

// Paise of the account's lines from `from` (invalid: the beginning) up to `to`, exclusive of `to`.
Decimal linesBefore(db::Database& db, qint64 firmNo, qint64 accId, const QDate& date) {
    const QVariant sum = db.scalar(QStringLiteral("SELECT %1 FROM HeadDtl3 WHERE FirmNo = ? AND AccId = ? AND TransDate < ?")
                                       .arg(db.dialect().sumRounded(QStringLiteral("DrAmt - CrAmt"))),
                                   {firmNo, accId, date});
    return Decimal::fromVariant(sum).roundHalfEven(2);
}

// The account's lines up to the date with its opening, a running balance and the days from each
// line to the date: what a statement's figure is made of.
void computeLedger(db::Database& db, const Session& session, RegisterResult& result) {
    const RegisterChoice& c = result.choice;
    checkReportDates(session, c, !c.openingBalances);
    const auto account = db.queryOne(QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ? AND FirmNo = ? AND IsGrp = 0"),
                                     {c.partyId, session.firmNo});
    if (!account) throw ReportError(QStringLiteral("No account of this firm was chosen"));
    Decimal opening;
    if (c.openingBalances) {
        if (const auto op = db.queryOne(QStringLiteral("SELECT OpDate, OpAmount, OpType FROM AccMstOpBal WHERE Id = ? AND FirmNo = ?"),
                                        {c.partyId, session.firmNo})) {
            const QDate opDate = op->date(QStringLiteral("OpDate"));
            if (!opDate.isValid() || opDate <= c.to) {
                const Decimal amount = Decimal::fromVariant(op->value(1)).roundHalfEven(2);
                opening = op->text(QStringLiteral("OpType")).trimmed().toUpper() == QLatin1String("C") ? -amount : amount;
            }
        }
        opening += linesBefore(db, session.firmNo, c.partyId, c.from);
    }
    reports::ResultSet& data = result.data;
    data.columns = {QStringLiteral("TransDate"), QStringLiteral("VouNo"),  QStringLiteral("DocType"),  QStringLiteral("Particulars"),
                    QStringLiteral("Narr"),      QStringLiteral("DrAmt"),  QStringLiteral("CrAmt"),    QStringLiteral("DrBal"),
                    QStringLiteral("CrBal"),     QStringLiteral("TotDay"), QStringLiteral("JournalNo")};
    Decimal running = opening;
    auto balances = [&running]() {
        return std::pair{running.isNegative() ? QVariant() : money(running), running.isNegative() ? money(-running) : QVariant()};
    };
    {
        const auto [dr, cr] = balances();
        data.rows.push_back({QVariant(), QVariant(), QVariant(), QStringLiteral("Op. Balance"), QVariant(),
                             money(opening.isNegative() ? Decimal() : opening), money(opening.isNegative() ? -opening : Decimal()), dr, cr,
                             QVariant(), 0});
    }
    db.forEach(QStringLiteral("SELECT h.TransDate, h.Receiptno, h.TableCode, h.JournalNo, h.DrAmt, h.CrAmt, c.AcName, h.%1, h.Narr "
                              "FROM HeadDtl3 h LEFT JOIN AccMst c ON c.Id = h.PartyCode "
                              "WHERE h.FirmNo = ? AND h.AccId = ? AND h.TransDate >= ? AND h.TransDate <= ? AND h.DrAmt <> h.CrAmt "
                              "ORDER BY h.TransDate, h.JournalNo, h.SubSrno")
                   .arg(db.dialect().quote(QStringLiteral("Desc"))),
               {session.firmNo, c.partyId, c.from, c.to}, [&](const db::Row& row) {
                   const QDate date = row.date(QStringLiteral("TransDate"));
                   const int tableCode = row.value(2).toInt();
                   const Decimal dr = Decimal::fromVariant(row.value(4)).roundHalfEven(2);
                   const Decimal cr = Decimal::fromVariant(row.value(5)).roundHalfEven(2);
                   running += dr - cr;
                   const QString contra = row.value(6).toString().trimmed();
                   const auto [drBal, crBal] = balances();
                   data.rows.push_back({date, row.value(1).toString().trimmed(), ledger::documentTypeName(tableCode),
                                        contra.isEmpty() ? row.value(7).toString().trimmed() : contra, row.value(8).toString().trimmed(),
                                        money(dr), money(cr), drBal, crBal, date.daysTo(c.to),
                                        row.value(3).toLongLong()});
               });
    result.title = account->value(0).toString().trimmed() +
                   (c.openingBalances ? QStringLiteral("  Up To ") + dateText(c.to)
                                      : QStringLiteral("  From ") + dateText(c.from) + QStringLiteral(" To ") + dateText(c.to));
    result.filters.clear();
}

std::vector<RegisterDefinition> build() {
    const auto trading = [](Detail detail) { return Build([detail](const auto& f, const auto&) { return tradingAccount(f, detail); }); };
    const auto profit = [](Detail detail) {
        return Build([detail](const auto& f, const auto& partners) { return profitAndLoss(f, detail, partners); });
    };
    const auto sheet = [](Detail detail) { return Build([detail](const auto& f, const auto&) { return balanceSheet(f, detail); }); };
    const QString accountWise = QStringLiteral("Account Wise");
    const QString groupWise = QStringLiteral("Group Wise");
    const QString r77 = QStringLiteral("mnu_R77"), r79 = QStringLiteral("mnu_R79"), r710 = QStringLiteral("mnu_R710"),
                  r711 = QStringLiteral("mnu_R711"), r713 = QStringLiteral("mnu_R713");
    const QString tradingTitle = QStringLiteral("TRADING ACCOUNT As On Date ");
    const QString profitTitle = QStringLiteral("PROFIT  & LOSS ACCOUNT As On Date ");
    const QString sheetTitle = QStringLiteral("BALANCE SHEET As On Date ");
    const QString tbTitle = QStringLiteral("TRIAL BALANCE As On Date ");

    std::vector<RegisterDefinition> all;
    all.push_back(statement(QStringLiteral("trial-balance"), r77, accountWise, tbTitle, QStringLiteral("Acc_TrialBalance.rpt"),
                            QStringLiteral("TrialBalance"), false, [](const auto& f, const auto&) { return trialBalance(f, false); }));
    all.push_back(statement(QStringLiteral("trial-balance-groups"), r77, groupWise, tbTitle, QStringLiteral("Acc_TrialBalance_1.rpt"),
                            QStringLiteral("TrialBalance"), false, [](const auto& f, const auto&) { return trialBalance(f, true); }));
    all.push_back(detailedTrialBalance(QStringLiteral("trial-balance-detail"), QStringLiteral("All Groups"), false));
    all.push_back(detailedTrialBalance(QStringLiteral("trial-balance-detail-liabilities"), QStringLiteral("Groups 72 to 99"), true));
    all.push_back(statement(QStringLiteral("trading"), r79, accountWise, tradingTitle, QStringLiteral("Acc_Trading.rpt"),
                            QStringLiteral("Trad"), false, trading(Detail::Accounts)));
    all.push_back(statement(QStringLiteral("trading-groups"), r79, groupWise, tradingTitle, QStringLiteral("Acc_Trading.rpt"),
                            QStringLiteral("Trad"), false, trading(Detail::Groups)));
    all.push_back(statement(QStringLiteral("profit-loss"), r710, accountWise, profitTitle, QStringLiteral("Acc_ProfitLoss.rpt"),
                            QStringLiteral("PNL"), false, profit(Detail::Accounts)));
    all.push_back(statement(QStringLiteral("profit-loss-groups"), r710, groupWise, profitTitle, QStringLiteral("Acc_ProfitLoss.rpt"),
                            QStringLiteral("PNL"), false, profit(Detail::Groups)));
    all.push_back(statement(QStringLiteral("balance-sheet"), r711, accountWise, sheetTitle, QStringLiteral("Acc_BalanceSheet.rpt"),
                            QStringLiteral("BS"), false, sheet(Detail::Accounts)));
    all.push_back(statement(QStringLiteral("balance-sheet-groups"), r711, groupWise, sheetTitle, QStringLiteral("Acc_BalanceSheet.rpt"),
                            QStringLiteral("BS"), false, sheet(Detail::Groups)));

    RegisterDefinition schedules = computedRegister(QStringLiteral("schedules"), QStringLiteral("mnu_R712"), QString(),
                                            QStringLiteral("SCHEDULE BALANCE SHEET"), QStringLiteral("Acc_BalanceSheet_Sch.rpt"),
                                            QStringLiteral("BS_Schedule"), {{{}, QStringLiteral("GrpNO"), DocumentKind::AccountGroup}},
                                            computeSchedules);
    schedules.singleDate = true;
    all.push_back(schedules);

    all.push_back(statement(QStringLiteral("trading-between"), r713, QStringLiteral("Trading Account"),
                            QStringLiteral("TRADING ACCOUNT  From "), QStringLiteral("Acc_Trading.rpt"), QStringLiteral("Trad"), true,
                            trading(Detail::Accounts)));
    all.push_back(statement(QStringLiteral("profit-loss-between"), r713, QStringLiteral("Profit & Loss Account"),
                            QStringLiteral("PROFIT  & LOSS ACCOUNT  From "), QStringLiteral("Acc_ProfitLoss.rpt"), QStringLiteral("PNL"),
                            true, profit(Detail::Accounts)));
    all.push_back(statement(QStringLiteral("balance-sheet-between"), r713, QStringLiteral("Balance Sheet"),
                            QStringLiteral("BALANCE SHEET  From "), QStringLiteral("Acc_BalanceSheet.rpt"), QStringLiteral("BS"), true,
                            sheet(Detail::Accounts)));
    for (RegisterDefinition& book : bookRegisters()) all.push_back(std::move(book));
    return all;
}

}  // namespace

RegisterDefinition computedRegister(const QString& name, const QString& command, const QString& kind, const QString& title,
                                    const QString& layout, const QString& pdfName, std::vector<CellOpens> opens, ComputeRows compute) {
    RegisterDefinition d;
    d.name = name;
    d.command = command;
    d.kind = kind;
    d.title = title;
    d.layout = layout;
    d.pdfName = pdfName;
    d.cellOpens = std::move(opens);
    d.compute = std::move(compute);
    return d;
}

void checkReportDates(const Session& session, const RegisterChoice& choice, bool between) {
    if (!choice.to.isValid() || !session.inYear(choice.to) || (between && (!choice.from.isValid() || !session.inYear(choice.from))))
        throw ReportError(QStringLiteral("Please Select Proper Date"));
}

const std::vector<RegisterDefinition>& accountRegisters() {
    static const std::vector<RegisterDefinition> all = build();
    return all;
}

const RegisterDefinition* findAccountRegister(const QString& name) { return reports::findByName(accountRegisters(), name); }

std::vector<const RegisterDefinition*> accountRegistersOfCommand(const QString& menuCommand) {
    return reports::ofCommand(accountRegisters(), menuCommand);
}

QStringList accountCommands() { return reports::commandsOf(accountRegisters()); }

QString accountScreenName(const QString& menuCommand) {
    static const std::map<QString, QString> names = {
        {QStringLiteral("mnu_R77"), QStringLiteral("frmRep_AccTrialBalanceN")},
        {QStringLiteral("mnu_R78"), QStringLiteral("frmRep_AccTrialBalanceDtl")},
        {QStringLiteral("mnu_R79"), QStringLiteral("frmRep_AccTradingN")},
        {QStringLiteral("mnu_R710"), QStringLiteral("frmRep_AccProfitLossN")},
        {QStringLiteral("mnu_R711"), QStringLiteral("frmRep_AccBalanceSheet")},
        {QStringLiteral("mnu_R712"), QStringLiteral("frmRep_AccBalanceSheet_Sch")},
        {QStringLiteral("mnu_R713"), QStringLiteral("frmRep_AccBalanceSheet_BetDt")},
        {QStringLiteral("mnu_R21"), QStringLiteral("FrmRep_BankBook")},
        {QStringLiteral("mnu_R22"), QStringLiteral("FrmRep_CashBook")},
        {QStringLiteral("mnu_R23"), QStringLiteral("FrmRep_Journalbook")},
        {QStringLiteral("mnu_R24"), QStringLiteral("FrmRep_DayBook")}};
    const auto found = names.find(menuCommand);
    return found == names.end() ? QString() : found->second;
}

const RegisterDefinition& accountLedgerRegister() {
    static const RegisterDefinition d =
        computedRegister(QStringLiteral("account-ledger"), QString(), QString(), QStringLiteral("Ledger"), QStringLiteral("Acc_LedgerUpTo.rpt"),
                 QStringLiteral("Ledger"), {{{}, QStringLiteral("JournalNo"), DocumentKind::Posting}}, computeLedger);
    return d;
}

const RegisterDefinition& groupAccountsRegister() {
    static const RegisterDefinition d =
        computedRegister(QStringLiteral("group-accounts"), QString(), QString(), QStringLiteral("Schedule"), QStringLiteral("Acc_Schedule_Accounts.rpt"),
                 QStringLiteral("Schedule"), {{{}, QStringLiteral("AcId"), DocumentKind::Account}}, computeGroupAccounts);
    return d;
}

std::optional<PostedDocument> postedDocument(db::Database& db, qint64 firmNo, qint64 journalNo) {
    const auto line = db.queryOne(QStringLiteral("SELECT TableCode, VoucherNo FROM HeadDtl3 WHERE JournalNo = ? AND FirmNo = ? "
                                                 "ORDER BY SubSrno"),
                                  {journalNo, firmNo});
    if (!line) return std::nullopt;
    return PostedDocument{line->value(0).toInt(), line->value(1).toLongLong()};
}

}  // namespace tanabana::accounts
