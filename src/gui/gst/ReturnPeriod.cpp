#include "gui/gst/ReturnPeriod.h"

#include "core/Decimal.h"
#include "core/Words.h"
#include "gui/common/FormFields.h"
#include "gui/common/TypedFields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>

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

QPushButton* exitButton(QWidget* screen) {
    QPushButton* exit = returnButton(screen, QStringLiteral("Cmd_Exit"), QStringLiteral("Exit"), QStringLiteral("Close This Form"));
    QObject::connect(exit, &QPushButton::clicked, screen, [screen] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) sub->close();
        else screen->close();
    });
    return exit;
}

QLabel* addSummaryLabel(QWidget* screen, QBoxLayout* layout) {
    auto* label = new QLabel(screen);
    label->setObjectName(QStringLiteral("lblSummary"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    layout->addWidget(label);
    return label;
}

namespace {

bool numeric(const QString& text) {
    bool ok = false;
    text.toDouble(&ok);
    return ok && !text.isEmpty();
}

}  // namespace

QString sectionSummaryText(const gst::SectionSummary& s, bool notes) {
    return QStringLiteral("Parties : %1    %2 : %3    %4 Value : %5    Taxable Value : %6")
        .arg(s.parties)
        .arg(notes ? QStringLiteral("Notes") : QStringLiteral("Invoices"))
        .arg(s.invoices)
        .arg(notes ? QStringLiteral("Note") : QStringLiteral("Invoice"), FormatIndian(s.invoiceValue, 2), FormatIndian(s.taxable, 2));
}

void fillReturnGrid(QTableWidget* g, const QStringList& header, const std::vector<QStringList>& rows, const std::vector<bool>& red) {
    g->clear();
    g->setColumnCount(int(header.size()));
    g->setHorizontalHeaderLabels(header);
    g->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < int(header.size()); ++c) {
            const QString text = rows[size_t(r)].value(c);
            auto* item = new QTableWidgetItem(text);
            // amounts in Indian grouping, right-aligned; codes and numbers of documents as they are
            const bool amount = numeric(text) && text.contains(QLatin1Char('.')) && !header.at(c).contains(QLatin1String("Number"));
            if (amount) {
                // as many places as written: amounts two, quantities three
                item->setText(FormatIndian(*Decimal::parse(text), int(text.size() - text.indexOf(QLatin1Char('.')) - 1)));
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            if (r < int(red.size()) && red[size_t(r)]) item->setBackground(kFaultRow);
            g->setItem(r, c, item);
        }
    }
    g->resizeColumnsToContents();
}

}  // namespace tanabana::gui
