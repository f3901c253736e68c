#pragma once
// The small building blocks of the entry screens: amount boxes (right-aligned, numbers only),
// text boxes and dd-MM-yyyy date boxes (typed dates read as an Indian office types them) under the
// names the screens and their tests find them by, captions, and the number an operator typed (0
// when the box holds none). The boxes refuse wrong values as TypedFields describes.
#include "core/Decimal.h"
#include "gui/common/TypedFields.h"

#include <QString>

class QLabel;
class QTableWidget;

namespace tanabana::gui {

// An amount or quantity box; by default up to three decimals and no minus sign. Its refusals name
// the label it is the buddy of, else the name without "txt".
NumberBox* amountBox(const QString& name, int width = 80, NumberRule rule = {3, false, 12});
QLineEdit* textBox(const QString& name);
DateBox* dateBox(const QString& name);
QLabel* caption(const QString& text);
Decimal typedNumber(const QLineEdit* box);
// An amount as the screens show it, in Indian grouping ("1,23,456.50"); blank when zero for the
// second, as an untouched line box is.
QString shownAmount(Decimal value, int places);
QString blankIfZero(Decimal value, int places);
// The read-only list of saved documents under an entry screen: whole rows selected, no row numbers.
QTableWidget* documentList(int maximumHeight = 0);

}  // namespace tanabana::gui
