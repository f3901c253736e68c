#pragma once
// Setting up a new installation: the year list with its first operator, the first financial
// year and its first firm, and the lookup list files. The desktop program does this on its
// first start (operator ADMIN, password ADMIN, the current year, firm 1 "Demo Textiles");
// the command line with the values given.
#include "domain/shell/Installation.h"

#include <QDate>
#include <QString>

namespace tanabana::shell {

struct FirstSetup {
    QString user = QStringLiteral("ADMIN");
    QString password = QStringLiteral("ADMIN");
    int endYear = 0;  // 0: the financial year of today
    QString firmName = QStringLiteral("Demo Textiles");
};

// The year in which the financial year of `day` ends (2025 for 10-Jun-2024, 2024 for 10-Feb-2024).
int financialYearEnding(const QDate& day);
// Creates everything or nothing: refused (DbError) when the installation has a year list already,
// when the folder cannot be written or the server cannot be reached; a failure half-way removes
// what was made.
void createInstallation(const Installation& installation, const FirstSetup& setup);

}  // namespace tanabana::shell
