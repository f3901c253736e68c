#include "domain/shell/Installer.h"

#include "domain/masters/FirmChart.h"
#include "domain/schema/YearSchema.h"
#include "domain/shell/ListFiles.h"
#include "domain/shell/Operators.h"
#include "domain/shell/YearChoice.h"

#include <QDir>
#include <QFile>

namespace tanabana::shell {

namespace {

void removeYearList(const Installation& installation) {
    if (installation.onServer()) {
        db::Database admin = db::Database::openPostgres(installation.serverUrl(), QStringLiteral("public"), false);
        admin.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(admin.dialect().quote(installation.yearListSchema())));
        return;
    }
    const QString path = QDir(installation.databaseFolder()).filePath(QStringLiteral("Year.db"));
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) QFile::remove(path + suffix);
}

// Firm 1 with its year, chart of accounts and books, and an empty row of function-key texts.
void addFirstFirm(db::Database& year, int endYear, const QString& firmName) {
    const auto& widths = schema::yearColumnWidths();
    db::Transaction tx(year);
    year.exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, CST, FirmType, StartDt, ENdDt) VALUES (?, ?, ?, ?, ?, ?)"),
              {1, widths.fit(QStringLiteral("FirmMst"), QStringLiteral("PName"), firmName.trimmed()), QStringLiteral("24-Gujarat"),
               QStringLiteral("1. Proprietor"), QDate(endYear - 1, 4, 1), QDate(endYear, 3, 31)});
    year.exec(QStringLiteral("INSERT INTO FunKey (F2, F3, F4) VALUES ('', '', '')"));
    masters::setUpFirmBooks(year, 1);
    tx.commit();
}

}  // namespace

int financialYearEnding(const QDate& day) { return day.month() >= 4 ? day.year() + 1 : day.year(); }

void createInstallation(const Installation& installation, const FirstSetup& setup) {
    if (setup.user.trimmed().isEmpty()) throw db::DbError(QStringLiteral("The first operator needs a name"));
    if (setup.firmName.trimmed().isEmpty()) throw db::DbError(QStringLiteral("The first firm needs a name"));
    const int endYear = setup.endYear > 0 ? setup.endYear : financialYearEnding(QDate::currentDate());
    if (endYear < 1901 || endYear > 9999) throw db::DbError(QStringLiteral("Not a financial year: %1").arg(endYear));
    if (installation.yearListExists())
        throw db::DbError(QStringLiteral("An installation exists already in %1").arg(QDir::toNativeSeparators(
            installation.onServer() ? installation.yearListSchema() : installation.databaseFolder())));
    if (installation.yearExists(endYear))
        throw db::DbError(QStringLiteral("The year database %1 exists already").arg(QDir::toNativeSeparators(installation.yearLocation(endYear))));
    bool listMade = false, yearMade = false;
    try {
        db::Database yearList = installation.createYearList();
        listMade = true;
        db::Database year = installation.createYear(endYear);
        yearMade = true;
        addFirstFirm(year, endYear, setup.firmName);
        addOperator(yearList, setup.user, setup.password);
        addYearToList(yearList, endYear);
    } catch (...) {
        try {
            if (yearMade) installation.dropYear(endYear);
            if (listMade) removeYearList(installation);
        } catch (...) {
        }
        throw;
    }
    QDir().mkpath(installation.dataRoot());
    writeListFiles(installation.dataRoot());
    // a new installation shows the dashboard of large buttons; removing Panel.txt hides it
    QFile panel(QDir(installation.dataRoot()).filePath(QStringLiteral("Panel.txt")));
    if (!panel.exists() && panel.open(QIODevice::WriteOnly)) panel.close();
}

}  // namespace tanabana::shell
