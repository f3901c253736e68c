#pragma once
// Small text rules shared by screens, prints and exported files.
#include <QString>

namespace tanabana {

// Removes , # / - & . \ ` ( ) { [ } ] (and every space when asked): e-way bill address lines and city.
QString CleanText(const QString& text, bool removeSpaces = false);
// A firm or report name made safe as a file name: ' becomes `, double quotes go, / and \ become _.
QString CleanFileName(const QString& text);

}  // namespace tanabana
