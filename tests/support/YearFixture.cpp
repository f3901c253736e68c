#include "support/YearFixture.h"

#include "domain/schema/Steps.h"

namespace tanabana::test {

YearFixture::YearFixture(int endYear)
    : scratch_(std::make_unique<ScratchDatabase>(QStringLiteral("year"), schema::yearDatabaseSteps())) {
    // still run: a clone of the template finds nothing to do, yet broken steps fail here
    db::migrate(scratch_->db(), schema::yearDatabaseSteps());
    session.dataRoot = scratch_->folder();
    session.dataFolder = scratch_->folder();
    session.setYear(endYear);
    session.loginUser = QStringLiteral("ADMIN");
    session.loginDate = QDate(endYear - 1, 6, 1);
    session.db = &scratch_->db();
    session.firmNo = 1;
    session.firmName = QStringLiteral("Shree Ganesh Textiles");
    addFirm(1, session.firmName);
}

void YearFixture::addFirm(qint64 srno, const QString& name, const QDate& start, const QDate& end) {
    db().exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, City, CST, StartDt, ENdDt) VALUES (?, ?, ?, ?, ?, ?)"),
              {srno, name, QStringLiteral("Surat"), QStringLiteral("24-Gujarat"),
               start.isValid() ? start : session.yearStartDate, end.isValid() ? end : session.yearEndDate});
}

int YearFixture::count(const QString& table, const QString& where, const QVariantList& params) {
    QString sql = QStringLiteral("SELECT count(*) FROM ") + table;
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
    return db().scalar(sql, params).toInt();
}

}  // namespace tanabana::test
