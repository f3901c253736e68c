#pragma once
// What the return screens share: the period bar (From, To inside the open year, opening on the
// month before the login date, and Refresh) and their buttons.
#include "core/Session.h"

class QBoxLayout;
class QPushButton;
class QWidget;

namespace tanabana::gui {

class DateBox;

struct PeriodBar {
    DateBox* from = nullptr;
    DateBox* to = nullptr;
    QPushButton* refresh = nullptr;
};

// Adds the bar to `layout` of `screen`, on the opening month.
PeriodBar addPeriodBar(QWidget* screen, QBoxLayout* layout, const Session& session);

QPushButton* returnButton(QWidget* parent, const QString& name, const QString& text, const QString& tip);

}  // namespace tanabana::gui
