#pragma once
// The small building blocks of the entry screens: amount boxes (right-aligned), text boxes and
// dd-MM-yyyy date boxes under the names the screens and their tests find them by, captions, and
// the number an operator typed (0 when the box holds none).
#include "core/Decimal.h"

#include <QString>

class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tanabana::gui {

QLineEdit* amountBox(const QString& name, int width = 80);
QLineEdit* textBox(const QString& name);
QDateEdit* dateBox(const QString& name);
QLabel* caption(const QString& text);
Decimal typedNumber(const QLineEdit* box);
// The read-only list of saved documents under an entry screen: whole rows selected, no row numbers.
QTableWidget* documentList(int maximumHeight = 0);

}  // namespace tanabana::gui
