#include "domain/shell/FirmSettings.h"

#include "core/Password.h"
#include "core/Text.h"
#include "domain/shell/Schema.h"

#include <QStringList>

namespace tanabana::shell {

namespace {

QVariantMap defaultFirmValues() {
    QVariantMap values;
    for (const db::ColumnDef& column : firmTable().columns) {
        switch (column.type) {
        case db::ColumnType::Text:
        case db::ColumnType::Memo: values.insert(column.name, QString()); break;
        case db::ColumnType::YesNo: values.insert(column.name, false); break;
        case db::ColumnType::Date:
        case db::ColumnType::DateTime: values.insert(column.name, QVariant()); break;
        default: values.insert(column.name, 0); break;
        }
    }
    values.insert(QStringLiteral("Is_Sales_RndOff"), true);
    values.insert(QStringLiteral("Is_Pur_RndOff"), true);
    values.insert(QStringLiteral("Is_JV_Single"), true);
    values.insert(QStringLiteral("FirmType"), QStringLiteral("1"));
    return values;
}

void loadCashBook(db::Database& db, Session& session, qint64 firmNo) {
    session.cashBookNo = 0;
    session.cashAccId = 0;
    session.cashLedgerId.clear();
    session.cashAccName.clear();
    if (!db.tableExists(QStringLiteral("BookMst"))) return;
    const auto cash = db.queryOne(QStringLiteral("SELECT b.BookNO, a.Id, a.LedgerId, a.AcName FROM BookMst b "
                                                 "INNER JOIN AccMst a ON a.Id = b.PurAccId "
                                                 "WHERE b.BookNO = 36 AND b.BookType = 'C' AND b.FirmNO = ?"),
                                  {firmNo});
    if (!cash) return;
    session.cashBookNo = cash->integer(QStringLiteral("BookNO"));
    session.cashAccId = cash->integer(QStringLiteral("Id"));
    session.cashLedgerId = cash->text(QStringLiteral("LedgerId"));
    session.cashAccName = cash->text(QStringLiteral("AcName"));
}

}  // namespace

void loadFirmSettings(db::Database& db, Session& session, qint64 firmNo) {
    QVariantMap values = defaultFirmValues();
    const db::TableDef table = firmTable();
    if (const auto row = db.queryOne(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = ?"), {firmNo})) {
        for (int i = 0; i < row->size(); ++i) {
            const db::ColumnDef* column = table.column(row->columns().at(i));
            if (!column) continue;
            QVariant value = row->value(i);
            if (column->type == db::ColumnType::YesNo) value = value.toInt() != 0;
            if (column->type == db::ColumnType::Date) value = row->date(column->name);
            if (!value.isNull() || column->type == db::ColumnType::Date) values.insert(column->name, value);
        }
        session.firmNo = firmNo;
        session.firmName = values.value(QStringLiteral("PName")).toString().trimmed();
        session.firmCrLimit = Decimal::fromVariant(values.value(QStringLiteral("CrLimit")));
        session.firmBoxNo = values.value(QStringLiteral("BoxNO")).toInt();
        const QDate start = values.value(QStringLiteral("StartDt")).toDate();
        const QDate end = values.value(QStringLiteral("ENdDt")).toDate();
        if (start.isValid() && end.isValid()) {
            session.yearStartDate = start;
            session.yearEndDate = end;
        }
    }
    values.insert(QStringLiteral("CleanCity"), CleanText(values.value(QStringLiteral("City")).toString()));
    values.insert(QStringLiteral("CleanEwayAdd1"), CleanText(values.value(QStringLiteral("Firm_EwayAdd1")).toString()));
    values.insert(QStringLiteral("CleanEwayAdd2"), CleanText(values.value(QStringLiteral("Firm_EwayAdd2")).toString()));
    const QString scrambled = values.value(QStringLiteral("IFSC2")).toString();
    values.insert(QStringLiteral("EmailPassword"), scrambled.isEmpty() ? QString() : unprotectSecret(scrambled));
    session.firm = values;
    loadCashBook(db, session, firmNo);
}

QVariant FirmSettings::value(const QString& column) const {
    auto it = firm_.find(column);
    if (it != firm_.end()) return it.value();
    for (auto i = firm_.cbegin(); i != firm_.cend(); ++i)
        if (i.key().compare(column, Qt::CaseInsensitive) == 0) return i.value();
    return {};
}

bool FirmSettings::flag(const QString& column) const { return value(column).toBool(); }
QString FirmSettings::text(const QString& column) const { return value(column).toString(); }
Decimal FirmSettings::amount(const QString& column) const { return Decimal::fromVariant(value(column)); }

int FirmSettings::softType() const {
    const int type = value(QStringLiteral("Soft_Type")).toInt();
    return type >= 1 && type <= 9 ? type : 1;
}

bool FirmSettings::periodBilling() const {
    const int type = softType();
    return type != 1 && type != 3 && type != 5 && type != 9;
}

bool FirmSettings::embroidery() const { return softType() == 3 || softType() == 4; }

int FirmSettings::firmType() const {
    const QString type = text(QStringLiteral("FirmType")).trimmed();
    const int number = type.left(1).toInt();
    return number > 0 ? number : 1;
}

bool FirmSettings::millIssueDirect() const {
    return flag(QStringLiteral("IsMILL")) && flag(QStringLiteral("Is_JP_Direct")) && (softType() == 1 || softType() == 2);
}

const QStringList& softTypeCaptions() {
    static const QStringList captions = {
        QStringLiteral("01 Single"),           QStringLiteral("02 Peroid Base"),          QStringLiteral("03 Single (Embro)"),
        QStringLiteral("04 Peroid Base (Embro)"), QStringLiteral("05 Single (Dyeing)"),   QStringLiteral("06 Peroid Base (Dyeing)"),
        QStringLiteral("07 Single (Bliching)"), QStringLiteral("08 Peroid Base (Bliching)"), QStringLiteral("09 Production")};
    return captions;
}

const QStringList& firmTypeCaptions() {
    static const QStringList captions = {QStringLiteral("1. Proprietor"), QStringLiteral("2. Partnership"),
                                         QStringLiteral("3. Pvt.Ltd."), QStringLiteral("4. Limited"), QStringLiteral("5. LLP")};
    return captions;
}

const QStringList& stockEntryCaptions() {
    static const QStringList captions = {QStringLiteral("0 No Calc"), QStringLiteral("1 From Taka Base"),
                                         QStringLiteral("2 From Issue Slip")};
    return captions;
}

}  // namespace tanabana::shell
