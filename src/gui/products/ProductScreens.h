#pragma once
// The windows of the item masters by the names the menus use: FrmProdMst, FrmProdMstRapier,
// frmAgent, frmAgent_1, FrmAgent_Machine, frmProdMst_Consumption_MD, FrmProdMstCommonList.
#include "core/Messages.h"
#include "core/Session.h"

#include <QStringList>

class QWidget;

namespace tanabana::gui {

QStringList productScreenNames();
// A new window of that name on the session's open year, or nullptr for an unknown name.
// Refusals and questions go to `messages` when given (the main window's), else to message boxes.
QWidget* createProductScreen(const QString& windowName, Session& session, QWidget* parent = nullptr, Messages* messages = nullptr);
// "2. Item Master" opens the rapier item master for production firms (software type 9).
QString itemMasterWindowName(const Session& session);

}  // namespace tanabana::gui
