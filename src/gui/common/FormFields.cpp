#include "gui/common/FormFields.h"

#include "core/Words.h"

#include <QHeaderView>
#include <QTableWidget>

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace tanabana::gui {

NumberBox* amountBox(const QString& name, int width, NumberRule rule) {
    auto* box = new NumberBox({}, rule);
    box->setObjectName(name);
    box->setMaximumWidth(width);
    return box;
}

QLineEdit* textBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    return box;
}

DateBox* dateBox(const QString& name) {
    auto* box = new DateBox;
    box->setObjectName(name);
    box->setCalendarPopup(false);
    return box;
}

QLabel* caption(const QString& text) { return new QLabel(text); }

Decimal typedNumber(const QLineEdit* box) {
    const auto d = Decimal::parse(box->text());
    return d ? *d : Decimal();
}

QTableWidget* documentList(int maximumHeight) {
    auto* list = new QTableWidget;
    list->setObjectName(QStringLiteral("VSResultGrid"));
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setTabKeyNavigation(false);  // Tab and Shift+Tab leave the list for the next field
    if (maximumHeight > 0) list->setMaximumHeight(maximumHeight);
    return list;
}

QString shownAmount(Decimal value, int places) { return FormatIndian(value, places); }

QString blankIfZero(Decimal value, int places) { return value.isZero() ? QString() : value.toString(places); }

}  // namespace tanabana::gui
