#include "gui/gst/ReturnPeriod.h"

#include "gui/common/FormFields.h"
#include "gui/common/TypedFields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tanabana::gui {

PeriodBar addPeriodBar(QWidget* screen, QBoxLayout* layout, const Session& session) {
    PeriodBar bar;
    auto* row = new QHBoxLayout;
    bar.from = dateBox(QStringLiteral("DtpFrom"));
    bar.to = dateBox(QStringLiteral("DtpTo"));
    bar.from->setFinancialYear(session.yearStartDate, session.yearEndDate);
    bar.to->setFinancialYear(session.yearStartDate, session.yearEndDate);
    // the month before the login date, kept inside the year
    const QDate today = session.loginDate.isValid() ? session.loginDate : QDate::currentDate();
    QDate first = QDate(today.year(), today.month(), 1).addMonths(-1);
    if (session.yearStartDate.isValid() && (first < session.yearStartDate || first > session.yearEndDate)) first = session.yearStartDate;
    bar.from->setDate(first);
    bar.to->setDate(first.addMonths(1).addDays(-1));
    bar.refresh = returnButton(screen, QStringLiteral("cmdRefresh"), QStringLiteral("Refresh"), QStringLiteral("Refresh For Latest Data"));
    row->addWidget(caption(QStringLiteral("From")));
    row->addWidget(bar.from);
    row->addWidget(caption(QStringLiteral("To")));
    row->addWidget(bar.to);
    row->addWidget(bar.refresh);
    row->addStretch(1);
    layout->addLayout(row);
    return bar;
}

QPushButton* returnButton(QWidget* parent, const QString& name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumWidth(96);
    b->setToolTip(tip);
    return b;
}

}  // namespace tanabana::gui
