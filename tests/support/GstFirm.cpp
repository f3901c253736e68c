#include "support/GstFirm.h"

#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"

#include <gtest/gtest.h>

namespace tanabana::test {

qint64 GstFirm::sell(qint64 book, const QString& no, const QDate& date, qint64 party,
                     const std::vector<std::tuple<qint64, const char*, const char*>>& lines, const char* other, const QString& invoiceType) {
    Session& s = session();
    trade::SalesInvoices sales(db(), s, messages());
    trade::SalesBill b;
    b.bookNo = book;
    b.billNo = no;
    b.date = date;
    b.partyId = party;
    b.invoiceType = invoiceType;
    b.otherCharges = *Decimal::parse(QString::fromLatin1(other));
    if (invoiceType == QLatin1String("E")) {
        b.shippingNo = QStringLiteral("SB4455667");
        b.shippingDate = date.addDays(2);
        b.cashRemark = QStringLiteral("INNSA1");
    }
    b.lines = salesLines(lines);
    const auto id = sales.save(b);
    EXPECT_TRUE(id) << "bill " << no.toStdString() << " not saved";
    return id.value_or(0);
}

void GstFirm::build() {
    SellingFirm::build();
    db().exec(QStringLiteral("UPDATE FirmMst SET Tin = '24AAACS1234A1Z8' WHERE Srno = 1"));
    suratFabrics = addAccount(db(), QStringLiteral("Surat Fabrics"), 35, 1, QStringLiteral("24-Gujarat"), QStringLiteral("24AABCR1234F1ZY"));
    delhiTextiles = addAccount(db(), QStringLiteral("Delhi Textiles Pvt Ltd"), 35, 1, QStringLiteral("07-Delhi"), QStringLiteral("07AADCD4321P1ZJ"));
    jaipur = addAccount(db(), QStringLiteral("Jaipur Cloth House"), 35, 1, QStringLiteral("08-Rajasthan"));
    dubai = addAccount(db(), QStringLiteral("Dubai Silk Imports"), 35, 1, QStringLiteral("96-Other Countries"));
    db().exec(QStringLiteral("UPDATE AccMst SET IsOGS = 1 WHERE Id IN (?, ?, ?)"), {delhiTextiles, jaipur, dubai});
    db().exec(QStringLiteral("UPDATE AccMst SET PanNO = 'WPAY' WHERE Id = ?"), {dubai});

    addItem(kKhadi, 1, QStringLiteral("Khadi Grey"), QStringLiteral("Khadi"), QStringLiteral("5311"), 100, 0, 1, 1);

    // Bills at the threshold must keep their paise.
    session().firm.insert(QStringLiteral("Is_Sales_RndOff"), 0);
    july101 = sell(1, QStringLiteral("101"), QDate(2024, 7, 1), jaipur, {{kRapier, "1", "238095.24"}});
    july102 = sell(1, QStringLiteral("102"), QDate(2024, 7, 2), jaipur, {{kRapier, "1", "238095.24"}}, "0.01");
    july103 = sell(1, QStringLiteral("103"), QDate(2024, 7, 3), kiran, {{kRapier, "3000", "105"}});
    july104 = sell(1, QStringLiteral("104"), QDate(2024, 7, 4), suratFabrics, {{kRapier, "100", "105"}, {kSaree, "10", "1120"}});
    july105 = sell(1, QStringLiteral("105"), QDate(2024, 7, 5), dubai, {{kRapier, "3000", "105"}}, "0", QStringLiteral("E"));
    july106 = sell(1, QStringLiteral("106"), QDate(2024, 7, 6), delhiTextiles, {{kGeorgette, "10", "99.99"}});
    july107 = sell(1, QStringLiteral("107"), QDate(2024, 7, 7), suratFabrics, {{kKhadi, "50", "100"}});
    jan201 = sell(1, QStringLiteral("201"), QDate(2025, 1, 10), jaipur, {{kRapier, "1", "95238.10"}}, "0.01");
    jan202 = sell(1, QStringLiteral("202"), QDate(2025, 1, 11), jaipur, {{kRapier, "1", "95238.10"}});
    jan203 = sell(1, QStringLiteral("203"), QDate(2025, 1, 12), suratFabrics, {{kRapier, "10", "105"}});
    session().firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
}

}  // namespace tanabana::test
