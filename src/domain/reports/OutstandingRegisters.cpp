#include "domain/reports/OutstandingRegisters.h"

#include "db/Dialect.h"
#include "domain/reports/Format.h"

namespace tanabana::reports {

namespace {

const db::Dialect kOutstandingSql;

struct Side {
    QString bills, book, bookColumn, bookName, returnForm;
    bool prefixed;  // our own bill numbers print after the book's prefix; a supplier's stand alone
};

// The bills of one side with what was paid on them up to the date (bound twice).
QString outstandingSelect(const Side& s) {
    const QString settled =
        QStringLiteral(
            "FROM Acc_OutSt o WHERE o.Book = '%1' AND o.BillId = b.Id AND o.VouNo > 0 AND o.IsRet = 0 AND o.VDate <= ?")
            .arg(s.book);
    return QStringLiteral(
               "SELECT m.BillId, m.PartyID, COALESCE(a.AcName, '') AS PartyName, COALESCE(a.City, '') AS PartyCity, "
               "COALESCE(bk.%1, '') AS BookName, ")
               .arg(s.bookName) +
           (s.prefixed ? kOutstandingSql.concat({QStringLiteral("bk.BookShortName"), QStringLiteral("m.BillNO")})
                       : QStringLiteral("m.BillNO")) +
           QStringLiteral(
               " AS BillNo, m.BillDate, m.DueDate, m.BillAmount, m.Tds, m.Paid "
               "FROM (SELECT b.Id AS BillId, b.FirmNO, b.PartyID, b.%1 AS BookNo, b.FormId, b.BillNO, b.BillDate, "
               "COALESCE(b.PDueDate, b.BillDate) AS DueDate, b.BillAmount, COALESCE(b.TDSRs, 0) AS Tds, (SELECT ")
               .arg(s.bookColumn) +
           kOutstandingSql.sumRounded(QStringLiteral("o.Paid_Amt")) + QLatin1Char(' ') + settled +
           QStringLiteral(
               ") AS Paid, (SELECT COUNT(*) %1 AND o.IsEnd <> 0) AS Closed FROM %2 b) m "
               "LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN BookMst bk ON bk.BookNO = m.BookNo AND bk.FirmNO = m.FirmNO")
               .arg(settled, s.bills);
}

Decimal amountOf(const QVariant& v) { return toDecimal(v).roundHalfEven(2); }

// Unpaid amount, days since the bill, days past due and the ageing column of each bill.
void ageBills(ResultSet& data, const RegisterChoice& choice) {
    const int amount = data.indexOf(QStringLiteral("BillAmount")), tds = data.indexOf(QStringLiteral("Tds")),
              paid = data.indexOf(QStringLiteral("Paid")), billDate = data.indexOf(QStringLiteral("BillDate")),
              dueDate = data.indexOf(QStringLiteral("DueDate"));
    data.columns << QStringLiteral("Unpaid") << QStringLiteral("Days") << QStringLiteral("DueDays") << QStringLiteral("D1")
                 << QStringLiteral("D2") << QStringLiteral("D3") << QStringLiteral("D4");
    auto dateOf = [](const QVariant& v) {
        const QDate d = v.toDate();
        return d.isValid() ? d : QDate::fromString(v.toString().left(10), Qt::ISODate);
    };
    for (QVariantList& row : data.rows) {
        const Decimal unpaid = amountOf(row.value(amount)) - amountOf(row.value(tds)) - amountOf(row.value(paid));
        const QDate billed = dateOf(row.value(billDate));
        const QDate due = dateOf(row.value(dueDate)).isValid() ? dateOf(row.value(dueDate)) : billed;
        const qint64 days = billed.daysTo(choice.to);
        const int column = days <= 30 ? 0 : days <= 60 ? 1 : days <= 90 ? 2 : 3;
        row << QVariant(unpaid.toString(2)) << QVariant(days) << QVariant(due.daysTo(choice.to));
        for (int i = 0; i < 4; ++i) row << QVariant((i == column ? unpaid : Decimal()).toString(2));
    }
}

RegisterDefinition outstanding(const Side& side, const QString& name, const QString& command, const QString& kind,
                               const QString& title, const QString& layout) {
    RegisterDefinition d;
    d.name = name;
    d.command = command;
    d.kind = kind;
    d.title = title;
    d.layout = layout;
    d.pdfName = QString(title).remove(QLatin1Char(' ')).remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    d.select = outstandingSelect(side);
    d.where = QStringLiteral("m.FormId <> %1 AND m.Closed = 0 AND m.BillAmount - m.Tds - m.Paid > 0.005").arg(side.returnForm);
    d.firmColumn = QStringLiteral("m.FirmNO");
    d.dateColumn = QStringLiteral("m.BillDate");
    d.partyFilter = QStringLiteral("m.PartyID = ?");
    d.bookFilter = QStringLiteral("m.BookNo = ?");
    d.orderBy = {QStringLiteral("PartyName"), QStringLiteral("PartyID"), QStringLiteral("BillDate"), QStringLiteral("BillId")};
    d.keyColumn = QStringLiteral("BillId");
    d.opens = side.book == QLatin1String("S") ? DocumentKind::SalesBill : DocumentKind::None;
    d.onDate = true;
    d.onDateParams = 2;
    d.derive = ageBills;
    return d;
}

}  // namespace

std::vector<RegisterDefinition> outstandingRegisters() {
    const Side sales{QStringLiteral("SalBillMst"), QStringLiteral("S"), QStringLiteral("BookNO"),
                     QStringLiteral("SalesName"),  QStringLiteral("4"), true};
    const Side purchase{QStringLiteral("BillMst"), QStringLiteral("P"), QStringLiteral("BookId"),
                        QStringLiteral("PurNAme"), QStringLiteral("2"), false};
    return {outstanding(sales, QStringLiteral("outstanding-sales"), QStringLiteral("mnu_R51"), QStringLiteral("Party Wise"),
                        QStringLiteral("Sales Outstanding (Party Wise)"), QStringLiteral("OutStanding_Bills.rpt")),
            outstanding(purchase, QStringLiteral("outstanding-purchase"), QStringLiteral("mnu_R52"), QStringLiteral("Party Wise"),
                        QStringLiteral("Purchase Outstanding (Party Wise)"), QStringLiteral("OutStanding_Bills.rpt")),
            outstanding(sales, QStringLiteral("ageing-receivable"), QStringLiteral("mnu_R53"), QStringLiteral("Receivable"),
                        QStringLiteral("Ageing Register (Receivable)"), QStringLiteral("OutStanding_Ageing.rpt")),
            outstanding(purchase, QStringLiteral("ageing-payable"), QStringLiteral("mnu_R53"), QStringLiteral("Payable"),
                        QStringLiteral("Ageing Register (Payable)"), QStringLiteral("OutStanding_Ageing.rpt"))};
}

}  // namespace tanabana::reports
