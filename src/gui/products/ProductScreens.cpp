#include "gui/products/ProductScreens.h"

#include "domain/products/Common.h"
#include "gui/products/ItemScreen.h"
#include "gui/products/SheetScreens.h"
#include "gui/products/SmallScreens.h"

namespace tanabana::gui {

QStringList productScreenNames() {
    return {QStringLiteral("FrmProdMst"),       QStringLiteral("FrmProdMstRapier"), QStringLiteral("frmAgent"),
            QStringLiteral("frmAgent_1"),       QStringLiteral("FrmAgent_Machine"), QStringLiteral("frmProdMst_Consumption_MD"),
            QStringLiteral("FrmProdMstCommonList")};
}

QWidget* createProductScreen(const QString& name, Session& session, QWidget* parent, Messages* messages) {
    if (!session.db) return nullptr;
    if (name == QLatin1String("FrmProdMst")) return new ItemScreen(session, false, parent, messages);
    if (name == QLatin1String("FrmProdMstRapier")) return new ItemScreen(session, true, parent, messages);
    if (name == QLatin1String("frmAgent")) return new BrokerScreen(session, parent, messages);
    if (name == QLatin1String("frmAgent_1")) return new ProcessScreen(session, parent, messages);
    if (name == QLatin1String("FrmAgent_Machine")) return new MachineScreen(session, parent, messages);
    if (name == QLatin1String("frmProdMst_Consumption_MD")) return new ConsumptionScreen(session, parent, messages);
    if (name == QLatin1String("FrmProdMstCommonList")) return new RateUpdateScreen(session, parent, messages);
    return nullptr;
}

QString itemMasterWindowName(const Session& session) {
    return products::firmSetting(session, QStringLiteral("Soft_Type")).toInt() == 9 ? QStringLiteral("FrmProdMstRapier")
                                                                                     : QStringLiteral("FrmProdMst");
}

}  // namespace tanabana::gui
