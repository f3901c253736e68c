#include "domain/reports/DashboardLabels.h"

#include "domain/schema/YearSchema.h"

namespace tanabana::reports {

std::vector<DashboardButton> dashboardButtons(db::Database& db) {
    std::vector<DashboardButton> buttons;
    for (const db::Row& r : db.query(QStringLiteral("SELECT Srno, LBLnm, Mnu_Nm, IsSHow FROM Disp_Button_MSt ORDER BY Srno")))
        buttons.push_back({int(r.number(QStringLiteral("Srno"))), r.text(QStringLiteral("LBLnm")), r.text(QStringLiteral("Mnu_Nm")),
                           r.flag(QStringLiteral("IsSHow"))});
    return buttons;
}

bool saveDashboardButton(db::Database& db, Messages& messages, const DashboardButton& button) {
    const QString label = button.label.trimmed();
    if (label.isEmpty()) {
        messages.critical(QStringLiteral("No Print Name"), QStringLiteral("Print Name Should Not Be Empty"));
        return false;
    }
    const auto& widths = schema::yearColumnWidths();
    db::Transaction tx(db);
    db.exec(QStringLiteral("UPDATE Disp_Button_MSt SET LBLnm = ?, Mnu_Nm = ?, IsSHow = ? WHERE Srno = ?"),
            {widths.fit(QStringLiteral("Disp_Button_MSt"), QStringLiteral("LBLnm"), label),
             widths.fit(QStringLiteral("Disp_Button_MSt"), QStringLiteral("Mnu_Nm"), button.command.trimmed()), button.shown,
             button.number});
    tx.commit();
    messages.information(QStringLiteral("Save Confirm"), QStringLiteral("Lable Updated!"));
    return true;
}

}  // namespace tanabana::reports
