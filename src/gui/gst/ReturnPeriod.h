#pragma once
// What the return screens share: the period bar (From, To inside the open year, opening on the
// month before the login date, and Refresh), their buttons and the filling of their grids.
#include "core/Session.h"
#include "domain/gst/Gstr1.h"

#include <QColor>
#include <QStringList>
#include <vector>

class QBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
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
// The Exit button ("Close This Form"), closing the screen's window in the work area.
QPushButton* exitButton(QWidget* screen);
// The bold line of counts and totals over a return's grids (lblSummary), added to `layout`.
QLabel* addSummaryLabel(QWidget* screen, QBoxLayout* layout);

// The background of a row the portal would refuse or the operator must look at.
inline const QColor kFaultRow(255, 205, 205);

// "Parties : 2    Invoices : 3    Invoice Value : 22,225.00    Taxable Value : 20,500.00"; for the
// returns and notes sections "Parties : 1    Notes : 1    Note Value : 2,205.00 ...".
QString sectionSummaryText(const gst::SectionSummary& summary, bool notes = false);

// Fills a return's grid with rows as the files hold them: amounts (numbers with decimals, not in
// a "Number" column) right-aligned in Indian grouping, rows marked `red` painted.
void fillReturnGrid(QTableWidget* grid, const QStringList& header, const std::vector<QStringList>& rows, const std::vector<bool>& red = {});

}  // namespace tanabana::gui
