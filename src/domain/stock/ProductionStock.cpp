#include "domain/stock/ProductionStock.h"

#include "domain/accounts/AccountRegisters.h"

namespace tanabana::stock {

namespace {

const QString kProductionDate = QStringLiteral("dd-MM-yyyy");

void computeWoven(const WovenFilter& f, db::Database& db, const Session& session, reports::RegisterResult& result) {
    const reports::RegisterChoice& c = result.choice;
    accounts::checkReportDates(session, c, true);
    QString sql = QStringLiteral(
        "SELECT COALESCE(p.ProdGrp, '') AS ProdGrp, COALESCE(p.ProdSubGrp, '') AS ProdSubGrp, COALESCE(p.P1, '') AS P1, "
        "pd.TakaNO, pd.TakNo2, pm.ChNo, pm.ChDate, COALESCE(pd.McNo, '') AS McNo, COALESCE(p.ProdName, '') AS ProdName, pd.Pcs, pd.Cut, "
        "pd.Mtrs, CASE WHEN COALESCE(pd.IsOver, 0) <> 0 THEN 'Sent' WHEN COALESCE(pd.IsM_Issue, 0) <> 0 THEN 'Issued' ELSE 'In Godown' END AS State, "
        "COALESCE(pd.Issue_Pro, '') AS Process, pm.Id AS ProdChallanId "
        "FROM ProductionMst pm INNER JOIN ProductionDtl pd ON pd.ProdId = pm.Id LEFT JOIN ProdMst p ON p.Id = pd.qId "
        "WHERE pm.FirmNo = ? AND pm.Id > 0 AND pm.ChDate BETWEEN ? AND ?");
    QVariantList params{session.firmNo, c.from, c.to};
    auto add = [&](const QString& condition, const QVariant& value) {
        sql += QStringLiteral(" AND ") + condition;
        params << value;
    };
    if (!f.challanNo.trimmed().isEmpty()) add(QStringLiteral("pm.ChNo = ?"), f.challanNo.trimmed());
    if (!f.machine.trimmed().isEmpty()) add(QStringLiteral("pd.McNo = ?"), f.machine.trimmed());
    if (f.takaFrom > 0) add(QStringLiteral("pd.TakNo2 >= ?"), f.takaFrom);
    if (f.takaTo > 0) add(QStringLiteral("pd.TakNo2 <= ?"), f.takaTo);
    if (c.itemId > 0) add(QStringLiteral("pd.qId = ?"), c.itemId);
    switch (f.state) {
    case WovenState::Any: break;
    case WovenState::InGodown: sql += QStringLiteral(" AND COALESCE(pd.IsOver, 0) = 0 AND COALESCE(pd.IsM_Issue, 0) = 0"); break;
    case WovenState::Issued: sql += QStringLiteral(" AND COALESCE(pd.IsOver, 0) = 0 AND COALESCE(pd.IsM_Issue, 0) <> 0"); break;
    case WovenState::Sent: sql += QStringLiteral(" AND COALESCE(pd.IsOver, 0) <> 0"); break;
    }
    sql += QStringLiteral(" ORDER BY ProdGrp, ProdSubGrp, P1, pd.TakNo2, pd.TakaNO");
    result.data = reports::ResultSet::fromQuery(db, sql, params);

    result.title = QStringLiteral("Production Stock From ") + c.from.toString(kProductionDate) + QStringLiteral(" To ") + c.to.toString(kProductionDate);
    QStringList filters;
    if (!result.filters.isEmpty()) filters << result.filters;
    if (!f.challanNo.trimmed().isEmpty()) filters << QStringLiteral("Ch No : ") + f.challanNo.trimmed();
    if (!f.machine.trimmed().isEmpty()) filters << QStringLiteral("Loom : ") + f.machine.trimmed();
    if (f.takaFrom > 0 || f.takaTo > 0)
        filters << QStringLiteral("Taka No : %1 - %2").arg(f.takaFrom > 0 ? QString::number(f.takaFrom) : QString(),
                                                            f.takaTo > 0 ? QString::number(f.takaTo) : QString());
    if (f.state != WovenState::Any) filters << QStringLiteral("Taka : ") + wovenStateText(f.state);
    result.filters = filters.join(QStringLiteral("   "));
}

}  // namespace

QString wovenStateText(WovenState state) {
    switch (state) {
    case WovenState::Any: return QStringLiteral("All");
    case WovenState::InGodown: return QStringLiteral("In Godown");
    case WovenState::Issued: return QStringLiteral("Issued");
    case WovenState::Sent: return QStringLiteral("Sent");
    }
    return {};
}

reports::RegisterDefinition wovenStockRegister(const WovenFilter& filter) {
    reports::RegisterDefinition d;
    d.name = QStringLiteral("production-stock");
    d.command = QStringLiteral("mnu_Prod3");
    d.kind = QStringLiteral("Design Wise Stock");
    d.title = QStringLiteral("Production Stock");
    d.layout = QStringLiteral("StockReg_Summary_Rapier.rpt");
    d.pdfName = QStringLiteral("Production_Stock");
    d.itemFilter = QStringLiteral("pd.qId = ?");
    d.opens = reports::DocumentKind::ProductionChallan;
    d.keyColumn = QStringLiteral("ProdChallanId");
    d.compute = [filter](db::Database& db, const Session& session, reports::RegisterResult& result) { computeWoven(filter, db, session, result); };
    return d;
}

}  // namespace tanabana::stock
