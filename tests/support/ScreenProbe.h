#pragma once
// What a screen test looks at: the text a field shows, and a picture of a window kept in the
// folder named by TANABANA_SCREENSHOTS (nothing is kept when it is not set).
#include <QString>
#include <QStringList>

class QTableWidget;
class QWidget;

namespace tanabana::test {

// The text of the line edit or list box of that object name inside the screen; empty when none.
QString fieldText(QWidget* screen, const QString& name);
void keepPicture(QWidget* window, const QString& name);
// A grid's texts, one row a line, its non-empty cells joined by " | ".
QStringList gridText(QTableWidget* grid);

}  // namespace tanabana::test
