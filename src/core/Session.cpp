#include "core/Session.h"

namespace tanabana {

void Session::setYear(int endYearNumber) {
    startYear = QString::number(endYearNumber - 1);
    endYear = QString::number(endYearNumber);
    yearLabel = startYear + QLatin1Char('-') + endYear.right(2);
    yearStartDate = QDate(endYearNumber - 1, 4, 1);
    yearEndDate = QDate(endYearNumber, 3, 31);
}

}  // namespace tanabana
