#include "domain/shell/YearChoice.h"

#include "domain/shell/FirmSettings.h"
#include "domain/shell/FunctionKeys.h"
#include "domain/shell/ListFiles.h"
#include "domain/shell/YearMaintenance.h"

#include <QDir>

namespace tanabana::shell {

QList<int> listYears(db::Database& yearList) {
    QList<int> years;
    for (const db::Row& r : yearList.query(QStringLiteral("SELECT PubYear FROM YearList ORDER BY PubYear"))) years << r.value(0).toInt();
    return years;
}

QList<int> listYears(const Installation& installation) {
    db::Database yearList = installation.openYearList();
    return listYears(yearList);
}

QString yearRowText(int endYear) { return QStringLiteral("%1--%2").arg(endYear - 1).arg(endYear); }

void addYearToList(db::Database& yearList, int endYear) {
    db::Transaction tx(yearList);
    if (yearList.scalar(QStringLiteral("SELECT count(*) FROM YearList WHERE PubYear = ?"), {endYear}).toInt() == 0)
        yearList.exec(QStringLiteral("INSERT INTO YearList (PubYear) VALUES (?)"), {endYear});
    tx.commit();
}

namespace {

void refuseMissingYear(Messages& messages) {
    messages.critical(QStringLiteral("No Database Found"), QStringLiteral("Selected Year is not Found"));
}

}  // namespace

std::unique_ptr<db::Database> openChosenYear(const Installation& installation, Session& session, Messages& messages,
                                             int endYear) {
    session.setYear(endYear);
    session.dataRoot = installation.dataRoot();
    session.dataFolder = installation.yearFolder(session.firmFolder) + QLatin1Char('/');
    session.serverUrl = installation.serverUrl();
    try {
        if (!installation.yearExists(endYear, session.firmFolder)) {
            const bool offer = session.folderMode && installation.yearExists(endYear - 1, session.firmFolder);
            if (offer && messages.ask(QStringLiteral("No Year Found"),
                                      QStringLiteral("Selected Year is not Found, would you like to create New Year "))) {
                createYearAfter(installation, session, endYear - 1, messages);
            } else {
                refuseMissingYear(messages);
            }
            return nullptr;
        }
        auto year = std::make_unique<db::Database>(installation.openYear(endYear, session.firmFolder));
        const QStringList written = writeListFiles(installation.dataRoot());
        if (!year->readOnly() && (written.contains(QStringLiteral("StateCodeN.txt")) || endYear - 1 < 2022))
            normaliseStateNames(*year);
        return year;
    } catch (const db::DbError& e) {
        messages.critical(QStringLiteral("No Database Found"), e.describe());
        return nullptr;
    }
}

std::vector<FirmRow> listFirms(db::Database& year) {
    std::vector<FirmRow> firms;
    for (const db::Row& r : year.query(QStringLiteral("SELECT Srno, PName, CrLimit, BoxNO FROM FirmMst ORDER BY Srno")))
        firms.push_back({r.integer(QStringLiteral("Srno")), r.text(QStringLiteral("PName")), Decimal::fromVariant(r.value(QStringLiteral("CrLimit"))),
                         int(r.integer(QStringLiteral("BoxNO")))});
    return firms;
}

void chooseFirm(db::Database& year, Session& session, const FirmRow& firm) {
    session.firmNo = firm.srno;
    session.firmName = firm.name.trimmed();
    session.firmCrLimit = firm.crLimit;
    session.firmBoxNo = firm.boxNo;
    const auto dates = year.queryOne(QStringLiteral("SELECT StartDt, ENdDt FROM FirmMst WHERE Srno = ?"), {firm.srno});
    if (dates && dates->date(QStringLiteral("StartDt")).isValid() && dates->date(QStringLiteral("ENdDt")).isValid()) {
        session.yearStartDate = dates->date(QStringLiteral("StartDt"));
        session.yearEndDate = dates->date(QStringLiteral("ENdDt"));
    }
    const FunctionKeyTexts keys = loadFunctionKeys(year);
    session.funKeyF2 = keys.f2;
    session.funKeyF3 = keys.f3;
    session.funKeyF4 = keys.f4;
    if (!year.readOnly() && year.columnExists(QStringLiteral("BillMst"), QStringLiteral("TDSRS")) &&
        year.columnExists(QStringLiteral("BillMst"), QStringLiteral("TDSP")))
        year.exec(QStringLiteral("UPDATE BillMst SET TDSP = 0, TDSRS = 0 WHERE TDSRS IS NULL AND FirmNo = ?"), {firm.srno});
    loadFirmSettings(year, session, firm.srno);
}

}  // namespace tanabana::shell
