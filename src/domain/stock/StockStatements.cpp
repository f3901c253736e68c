#include "domain/stock/StockStatements.h"

#include "domain/accounts/AccountRegisters.h"
#include "domain/reports/ReportError.h"

#include <algorithm>
#include <tuple>

namespace tanabana::stock {

namespace {

using reports::RegisterDefinition;
using reports::RegisterResult;

const QString kDate = QStringLiteral("dd-MM-yyyy");

QVariant quantity(Decimal value) { return QVariant(value.toString(3)); }
QVariant money(Decimal value) { return QVariant(value.toString(2)); }

QString nameOf(StatementKind kind) {
    switch (kind) {
    case StatementKind::OnDate: return QStringLiteral("stock-on-date");
    case StatementKind::Between: return QStringLiteral("stock-summary");
    case StatementKind::WithMill: return QStringLiteral("stock-with-mill");
    }
    return {};
}

QString layoutOf(const StatementOptions& o) {
    const QString rapier = o.rapier ? QStringLiteral("_Rapier") : QString();
    switch (o.kind) {
    case StatementKind::OnDate:
        return (o.grouped ? QStringLiteral("StockOnDate_Summary") : QStringLiteral("StockOnDate")) + rapier + QStringLiteral(".rpt");
    case StatementKind::Between:
        return o.rapier ? QStringLiteral("StockReg_Rapier.rpt") : QStringLiteral("StockOnDate_Register.rpt");
    case StatementKind::WithMill: return QStringLiteral("StockOnDate_Market") + rapier + QStringLiteral(".rpt");
    }
    return {};
}

// Whether a quality's row is shown: the statement on a date hides a nil closing, the others a
// row with nothing in any column, unless the operator asked for zero rows.
bool shown(const StatementOptions& o, const StockFigure& f) {
    if (o.zeroRows) return true;
    if (o.kind == StatementKind::OnDate) return !f.closing().isZero();
    return !f.isEmpty() || !f.closing().isZero();
}

QString filtersText(const StatementOptions& o) {
    QStringList parts;
    if (!o.group.trimmed().isEmpty()) parts << QStringLiteral("Item Group : ") + o.group.trimmed();
    if (!o.subGroup.trimmed().isEmpty()) parts << QStringLiteral("Prod Sub Grp : ") + o.subGroup.trimmed();
    if (!o.design.trimmed().isEmpty()) parts << QStringLiteral("Design No : ") + o.design.trimmed();
    if (o.kind == StatementKind::OnDate) parts << (o.saleRate ? QStringLiteral("Rate : Sal Rate") : QStringLiteral("Rate : Pur Rate"));
    if (o.pieces) parts << QStringLiteral("In Nos");
    return parts.join(QStringLiteral("   "));
}

void compute(const StatementOptions& o, db::Database& db, const Session& session, RegisterResult& result) {
    reports::RegisterChoice& c = result.choice;
    const bool onDate = o.kind == StatementKind::OnDate;
    // A statement on a date counts the whole year up to and including that day.
    if (onDate) c.from = qMin(session.yearStartDate, c.to);
    accounts::checkReportDates(session, c, !onDate);

    StockFilter filter;
    filter.group = o.group;
    filter.subGroup = o.subGroup;
    filter.design = o.design;
    filter.itemId = c.itemId;
    filter.finishedOnly = o.rapier;
    std::vector<StockFigure> figures = stockFigures(db, session.firmNo, {c.from, c.to}, o.pieces ? StockUnit::Pieces : StockUnit::Priced, filter);
    if (o.rapier)
        std::stable_sort(figures.begin(), figures.end(), [](const StockFigure& a, const StockFigure& b) {
            return std::tie(a.group, a.subGroup, a.design, a.name) < std::tie(b.group, b.subGroup, b.design, b.name);
        });

    reports::ResultSet& data = result.data;
    data.columns = {QStringLiteral("StockNo"),     QStringLiteral("ProdGrp"),    QStringLiteral("ProdSubGrp"), QStringLiteral("P1"),
                    QStringLiteral("ProdCode"),    QStringLiteral("ProdName"),   QStringLiteral("OpQty"),      QStringLiteral("Pur_Qty"),
                    QStringLiteral("PurRet_Qty"),  QStringLiteral("Sal_Qty"),    QStringLiteral("SalRet_Qty"), QStringLiteral("MillIss_Qty"),
                    QStringLiteral("MillRec_Qty"), QStringLiteral("JobIss_Qty"), QStringLiteral("JobRec_Qty"), QStringLiteral("Gen_Iss"),
                    QStringLiteral("Gen_Rec"),     QStringLiteral("PQty"),       QStringLiteral("SQty"),       QStringLiteral("Qty"),
                    QStringLiteral("PurRate"),     QStringLiteral("RateR"),      QStringLiteral("Rate"),       QStringLiteral("Amount")};
    for (const StockFigure& f : figures) {
        if (!shown(o, f)) continue;
        const Decimal rate = o.saleRate ? f.saleRate : f.purchaseRate;
        const Decimal closing = f.closing();
        data.rows.push_back({f.itemId, f.group, f.subGroup, f.design, f.code, f.name, quantity(f.opening),
                             quantity(f.purchases + f.produced), quantity(f.purchaseReturns), quantity(f.sales),
                             quantity(f.salesReturns), quantity(f.millIssues), quantity(f.millReceipts), quantity(f.jobIssues),
                             quantity(f.jobReceipts), quantity(f.generalIssues + f.transfersOut), quantity(f.generalReceipts + f.transfersIn),
                             quantity(f.receipts()), quantity(f.issues()), quantity(closing), money(f.purchaseRate),
                             money(f.saleRate), money(rate), money((closing * rate).roundHalfEven(2))});
    }
    result.title = onDate ? QStringLiteral("Stock Statement on Date : ") + c.to.toString(kDate)
                          : QStringLiteral("Stock Statement on Date From : ") + c.from.toString(kDate) + QStringLiteral(" To ") +
                                c.to.toString(kDate);
    QString filters = filtersText(o);
    if (!result.filters.isEmpty()) filters = result.filters + (filters.isEmpty() ? QString() : QStringLiteral("   ") + filters);
    result.filters = filters;
}

}  // namespace

RegisterDefinition stockStatement(const StatementOptions& options) {
    RegisterDefinition d;
    d.name = nameOf(options.kind) + (options.rapier ? QStringLiteral("-rapier") : QString());
    switch (options.kind) {
    case StatementKind::OnDate:
        d.command = QStringLiteral("mnu_rep12");
        d.kind = QStringLiteral("Statement");
        d.title = QStringLiteral("Stock Statement Report On Date");
        d.singleDate = true;
        break;
    case StatementKind::Between:
        d.command = QStringLiteral("mnu_rep11");
        d.kind = QStringLiteral("Register Summary");
        d.title = QStringLiteral("Stock Register Summary");
        break;
    case StatementKind::WithMill:
        d.command = QStringLiteral("mnu_rep15");
        d.kind = QStringLiteral("With Jobwork");
        d.title = QStringLiteral("Stock Statement With Jobwork");
        break;
    }
    d.layout = layoutOf(options);
    d.pdfName = QStringLiteral("Stock_Statement");
    // The quality picker; the rows are worked out by code, which reads the choice's itemId.
    d.itemFilter = QStringLiteral("StockNo = ?");
    d.keyColumn = QStringLiteral("StockNo");
    d.compute = [options](db::Database& db, const Session& session, RegisterResult& result) { compute(options, db, session, result); };
    return d;
}

const std::vector<RegisterDefinition>& stockRegisters() {
    static const std::vector<RegisterDefinition> all = [] {
        std::vector<RegisterDefinition> list;
        for (bool rapier : {false, true})
            for (StatementKind kind : {StatementKind::OnDate, StatementKind::Between, StatementKind::WithMill}) {
                StatementOptions o;
                o.kind = kind;
                o.rapier = rapier;
                list.push_back(stockStatement(o));
            }
        return list;
    }();
    return all;
}

QStringList itemGroups(db::Database& db, qint64 firmNo) {
    QStringList groups;
    db.forEach(QStringLiteral("SELECT DISTINCT ProdGrp FROM ProdMst WHERE FirmNO = ? AND COALESCE(Is_NoStk, 0) = 0 AND ProdGrp IS NOT NULL "
                              "AND ProdGrp <> '' ORDER BY ProdGrp"),
               {firmNo}, [&](const db::Row& r) { groups << r.value(0).toString().trimmed(); });
    return groups;
}

StatementOptions optionsOf(const RegisterDefinition& definition) {
    StatementOptions o;
    o.rapier = definition.name.endsWith(QLatin1String("-rapier"));
    for (StatementKind kind : {StatementKind::OnDate, StatementKind::Between, StatementKind::WithMill})
        if (definition.name.startsWith(nameOf(kind))) o.kind = kind;
    return o;
}

}  // namespace tanabana::stock
