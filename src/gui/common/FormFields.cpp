#include "gui/common/FormFields.h"

#include <QHeaderView>
#include <QTableWidget>

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace tanabana::gui {

QLineEdit* amountBox(const QString& name, int width) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(width);
    return box;
}

QLineEdit* textBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    return box;
}

QDateEdit* dateBox(const QString& name) {
    auto* box = new QDateEdit;
    box->setObjectName(name);
    box->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
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
    if (maximumHeight > 0) list->setMaximumHeight(maximumHeight);
    return list;
}

}  // namespace tanabana::gui
