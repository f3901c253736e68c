#include "domain/accounts/FinalAccounts.h"

#include <functional>

namespace tanabana::accounts {

namespace {

enum class Side { Credit, Debit };

const QString kSubTotal = QStringLiteral("Rs :- ");
const QString kIndent = QStringLiteral("    ");

// Fills the two sides independently from row 1, as the printed statement stands them side by side.
class TwoSides {
public:
    void add(Side side, SideCell cell) {
        size_t& next = next_[side == Side::Credit ? 0 : 1];
        if (next == statement_.rows.size()) statement_.rows.emplace_back();
        StatementRow& row = statement_.rows[next++];
        (side == Side::Credit ? row.credit : row.debit) = std::move(cell);
    }

    // The accounts chosen, group after group in the order given: a heading, the accounts and the
    // group's "Rs :- " total; or one row per group.
    void fill(Side side, const std::vector<const AccountFigure*>& accounts, Detail detail) {
        for (size_t i = 0; i < accounts.size();) {
            const int group = accounts[i]->grpNo;
            const QString name = groupTitle(*accounts[i]);
            Decimal total;
            size_t end = i;
            for (; end < accounts.size() && accounts[end]->grpNo == group; ++end) total += accounts[end]->balance();
            if (detail == Detail::Groups) {
                add(side, {name, std::nullopt, total.abs(), group, 0});
            } else {
                add(side, {name, std::nullopt, std::nullopt, group, 0});
                for (size_t k = i; k < end; ++k)
                    add(side, {kIndent + accounts[k]->name, accounts[k]->balance().abs(), std::nullopt, group, accounts[k]->accId});
                add(side, {kSubTotal, std::nullopt, total.abs(), group, 0});
            }
            i = end;
        }
    }

    // Totals of the balance columns (or of the amount columns, for the plain trial balance).
    Statement finish(bool amounts = false) {
        for (const StatementRow& row : statement_.rows) {
            const auto& c = amounts ? row.credit.amount : row.credit.balance;
            const auto& d = amounts ? row.debit.amount : row.debit.balance;
            if (c) statement_.creditTotal += *c;
            if (d) statement_.debitTotal += *d;
        }
        return std::move(statement_);
    }

private:
    static QString groupTitle(const AccountFigure& f) {
        return f.groupName.isEmpty() ? QStringLiteral("Group %1").arg(f.grpNo) : f.groupName;
    }

    Statement statement_;
    size_t next_[2] = {0, 0};
};

bool inRange(int grpNo, int low, int high) { return grpNo >= low && grpNo <= high; }

// Accounts with a balance of the side's sign whose group passes the test, in the figures' order.
std::vector<const AccountFigure*> chosen(const std::vector<AccountFigure>& figures, Side side, const std::function<bool(int)>& groups) {
    std::vector<const AccountFigure*> result;
    for (const AccountFigure& f : figures) {
        const Decimal balance = f.balance();
        if (balance.isZero() || !groups(f.grpNo)) continue;
        if ((side == Side::Credit) == balance.isNegative()) result.push_back(&f);
    }
    return result;
}

std::function<bool(int)> range(int low, int high) {
    return [low, high](int grpNo) { return inRange(grpNo, low, high); };
}

Decimal sumOf(const std::vector<AccountFigure>& figures, const std::function<bool(int)>& groups) {
    Decimal total;
    for (const AccountFigure& f : figures)
        if (groups(f.grpNo)) total += f.balance();
    return total;
}

// The sales of the year: the balance of group 1, on which the percentages are taken.
Decimal salesOf(const std::vector<AccountFigure>& figures) { return sumOf(figures, range(1, 1)); }

QString withPercentage(const QString& text, Decimal result, Decimal sales) {
    const auto p = profitPercentage(result, sales);
    return p ? text + QStringLiteral("(") + p->toString(2) + QStringLiteral(" %)") : text;
}

QVariant textOrNull(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }
QVariant amountOrNull(const std::optional<Decimal>& value) { return value ? QVariant(value->toString(2)) : QVariant(); }

}  // namespace

StatementOf statementOf(int grpNo) {
    if (inRange(grpNo, 1, 21)) return StatementOf::Trading;
    if (inRange(grpNo, 22, 30)) return StatementOf::ProfitAndLoss;
    if (inRange(grpNo, 31, 70) || inRange(grpNo, 72, 99)) return StatementOf::BalanceSheet;
    return StatementOf::None;
}

std::optional<Decimal> profitPercentage(Decimal result, Decimal sales) {
    if (sales.isZero()) return std::nullopt;
    const Decimal p = (result * Decimal(100) / sales).roundHalfEven(2);
    if (p <= Decimal(0)) return std::nullopt;
    return p;
}

QStringList tallyNotices(Decimal credit, Decimal debit, const QString& heading, const QString& difference) {
    if (credit == debit) return {};
    const QString side = debit > credit ? QStringLiteral("  Debit") : QStringLiteral("  Credit");
    return {heading, difference + (debit - credit).abs().toString(2) + side};
}

Statement tradingAccount(const std::vector<AccountFigure>& figures, Detail detail) {
    TwoSides sides;
    sides.fill(Side::Credit, chosen(figures, Side::Credit, range(1, 21)), detail);
    sides.fill(Side::Debit, chosen(figures, Side::Debit, range(1, 21)), detail);
    const Decimal result = sumOf(figures, range(1, 21));
    if (result.isNegative())
        sides.add(Side::Debit, {withPercentage(QStringLiteral("GROSS PROFIT Rs. :- "), result, salesOf(figures)), std::nullopt, result.abs(), 0, 0});
    else
        sides.add(Side::Credit, {QStringLiteral("GROSS LOSS  Rs. :- "), std::nullopt, result, 0, 0});
    return sides.finish();
}

Statement profitAndLoss(const std::vector<AccountFigure>& figures, Detail detail, const std::vector<PartnerShare>& partners) {
    TwoSides sides;
    const Decimal gross = sumOf(figures, range(1, 21));
    if (gross.isNegative())
        sides.add(Side::Credit, {QStringLiteral("C/F. GROSS PROFIT Rs. ------>>>> "), gross.abs(), gross.abs(), 0, 0});
    else
        sides.add(Side::Debit, {QStringLiteral("C/F. GROSS LOSS  Rs. ------>>>> "), gross, gross, 0, 0});
    sides.fill(Side::Credit, chosen(figures, Side::Credit, range(22, 30)), detail);
    sides.fill(Side::Debit, chosen(figures, Side::Debit, range(22, 30)), detail);
    const Decimal net = gross + sumOf(figures, range(22, 30));
    if (!partners.empty() && !net.isZero()) {
        const Side side = net.isNegative() ? Side::Debit : Side::Credit;
        sides.add(side, {net.isNegative() ? QStringLiteral("NET PROFIT TO ..") : QStringLiteral("NET LOSS  To .."), std::nullopt,
                         std::nullopt, 0, 0});
        for (const PartnerShare& p : partners)
            sides.add(side, {p.name + QStringLiteral(" (") + p.percent.toString(2) + QStringLiteral(" %)"),
                             (net.abs() * p.percent / Decimal(100)).roundHalfEven(2), std::nullopt, 0, 0});
    }
    if (net.isNegative())
        sides.add(Side::Debit, {withPercentage(QStringLiteral("NET PROFIT Rs. :- "), net, salesOf(figures)), std::nullopt, net.abs(), 0, 0});
    else
        sides.add(Side::Credit, {QStringLiteral("NET LOSS  Rs. :- "), std::nullopt, net, 0, 0});
    return sides.finish();
}

Statement balanceSheet(const std::vector<AccountFigure>& figures, Detail detail) {
    TwoSides sides;
    const auto uncovered = [](int grpNo) { return statementOf(grpNo) == StatementOf::None; };
    sides.fill(Side::Credit, chosen(figures, Side::Credit, range(72, 99)), detail);
    sides.fill(Side::Credit, chosen(figures, Side::Credit, range(31, 70)), detail);
    sides.fill(Side::Credit, chosen(figures, Side::Credit, uncovered), detail);
    sides.fill(Side::Debit, chosen(figures, Side::Debit, range(31, 70)), detail);
    sides.fill(Side::Debit, chosen(figures, Side::Debit, range(72, 99)), detail);
    sides.fill(Side::Debit, chosen(figures, Side::Debit, uncovered), detail);
    const Decimal net = sumOf(figures, range(1, 30));
    if (net.isNegative())
        sides.add(Side::Credit, {QStringLiteral("NET PROFIT Rs. :- "), std::nullopt, net.abs(), 0, 0});
    else
        sides.add(Side::Debit, {QStringLiteral("NET LOSS  Rs. :- "), std::nullopt, net, 0, 0});
    Statement statement = sides.finish();
    statement.notices = tallyNotices(statement.creditTotal, statement.debitTotal, QStringLiteral("BALANCE TOTAL NOT TALLY"),
                                     QStringLiteral("Balance Difference : "));
    return statement;
}

Statement trialBalance(const std::vector<AccountFigure>& figures, bool grouped) {
    TwoSides sides;
    const auto every = [](int) { return true; };
    if (grouped) {
        sides.fill(Side::Credit, chosen(figures, Side::Credit, every), Detail::Accounts);
        sides.fill(Side::Debit, chosen(figures, Side::Debit, every), Detail::Accounts);
    } else {
        for (const AccountFigure* f : chosen(figures, Side::Credit, every))
            sides.add(Side::Credit, {f->name, f->balance().abs(), std::nullopt, f->grpNo, f->accId});
        for (const AccountFigure* f : chosen(figures, Side::Debit, every))
            sides.add(Side::Debit, {f->name, f->balance().abs(), std::nullopt, f->grpNo, f->accId});
    }
    Statement statement = sides.finish(!grouped);
    statement.notices = tallyNotices(statement.creditTotal, statement.debitTotal, QStringLiteral("TRIAL BALANCE TOTAL NOT TALLY"),
                                     QStringLiteral("Trial Balance Difference : "));
    return statement;
}

reports::ResultSet Statement::resultSet() const {
    reports::ResultSet data;
    data.columns = {QStringLiteral("Srno"),  QStringLiteral("CrAc"),    QStringLiteral("CrAmt"),   QStringLiteral("Crbal"),
                    QStringLiteral("GrpNOCr"), QStringLiteral("CrAccId"), QStringLiteral("DrAc"),    QStringLiteral("DrAmt"),
                    QStringLiteral("Drbal"), QStringLiteral("GrpNODr"), QStringLiteral("DrAccId")};
    int srno = 0;
    for (const StatementRow& row : rows) {
        QVariantList values{++srno};
        for (const SideCell* cell : {&row.credit, &row.debit})
            values << textOrNull(cell->text) << amountOrNull(cell->amount) << amountOrNull(cell->balance) << cell->grpNo << cell->accId;
        data.rows.push_back(std::move(values));
    }
    return data;
}

}  // namespace tanabana::accounts
