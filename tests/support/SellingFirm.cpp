#include "support/SellingFirm.h"

#include "domain/jobwork/ProductionChallans.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/SalesInvoices.h"
#include "support/FirmBooks.h"
#include "support/Amounts.h"

#include <gtest/gtest.h>

namespace tanabana::test {

void SellingFirm::addItem(qint64 id, qint64 firm, const QString& name, const QString& type, const QString& hsn, double rate, double gst,
                          int calcOn, int gstCalc) {
    db().exec(QStringLiteral("INSERT INTO ProdMst (Id, ProdCode, ProdName, ProdGrp, ProdSubGrp, P1, StkType, RAteR, Vat, AddTax, VatCalc, "
                             "CalcOn, hsnCode, LicenceNo, UQM, UNit, IsActive, IsNewPro, FirmNO) "
                             "VALUES (?, ?, ?, ?, ?, 'Red', 'F', ?, ?, ?, ?, ?, ?, ?, ?, 'MTR', 1, 0, ?)"),
              {id, QString::number(id), name, type, QStringLiteral("D-%1").arg(id), rate, gst / 2, gst / 2, gstCalc, calcOn, hsn,
               QStringLiteral("Fabrics of %1").arg(hsn), calcOn == 2 ? QStringLiteral("PCS-PIECES") : QStringLiteral("MTR-METERS"), firm});
}

std::vector<trade::SalesLine> SellingFirm::salesLines(const std::vector<std::tuple<qint64, const char*, const char*>>& lines) {
    std::vector<trade::SalesLine> out;
    for (const auto& [item, qty, rate] : lines) {
        const auto row = db().queryOne(QStringLiteral("SELECT Vat, AddTax, VatCalc, CalcOn FROM ProdMst WHERE Id = ?"), {item});
        trade::SalesLine l;
        l.qualityId = item;
        l.input.sgstPercent = Decimal::fromVariant(row->value(QStringLiteral("Vat")));
        l.input.cgstPercent = Decimal::fromVariant(row->value(QStringLiteral("AddTax")));
        l.input.gstCalc = int(row->integer(QStringLiteral("VatCalc")));
        l.input.rateOn = row->integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
        (l.input.rateOn == QStringLiteral("P") ? l.input.pieces : l.input.metres) = d(qty);
        l.input.listRate = d(rate);
        out.push_back(l);
    }
    return out;
}

qint64 SellingFirm::saveBill(qint64 book, const QString& no, const QDate& date, qint64 party,
                             const std::vector<std::tuple<qint64, const char*, const char*>>& lines, qint64 challanId) {
    trade::SalesInvoices sales(db(), session_, messages_);
    trade::SalesBill b;
    b.bookNo = book;
    b.billNo = no;
    b.date = date;
    b.partyId = party;
    b.lines = salesLines(lines);
    if (challanId > 0 && !b.lines.empty()) {
        b.lines.front().challanId = challanId;
        b.lines.front().challanSrno = 1;
    }
    const auto id = sales.save(b);
    EXPECT_TRUE(id) << "bill " << no.toStdString() << " not saved";
    return id.value_or(0);
}

qint64 SellingFirm::saveChallan(const QString& no, const QDate& date, qint64 party, qint64 item, const char* metres, const char* rate) {
    trade::DeliveryChallans challans(db(), session_, messages_);
    trade::DeliveryChallan c;
    c.bookNo = 1;
    c.challanNo = no;
    c.date = date;
    c.partyId = party;
    c.station = QStringLiteral("Surat");
    trade::ChallanLine l;
    l.qualityId = item;
    l.pieces = d("1");
    l.metres = d(metres);
    l.rate = l.listRate = d(rate);
    c.lines.push_back(l);
    const auto id = challans.save(c);
    EXPECT_TRUE(id) << "challan " << no.toStdString() << " not saved";
    return id.value_or(0);
}

void SellingFirm::build() {
    auto seedOnce = [this](qint64 firm) {
        if (db().scalar(QStringLiteral("SELECT count(*) FROM BookMst WHERE FirmNO = ?"), {firm}).toInt() == 0) seedDefaultChart(db(), firm);
    };
    seedOnce(1);
    Session& s = session_;
    s.firm.insert(QStringLiteral("CST"), QStringLiteral("24-Gujarat"));
    s.firm.insert(QStringLiteral("Is_Sales_RndOff"), 1);
    db().exec(QStringLiteral("UPDATE FirmMst SET Add1 = 'Ring Road', Tin = '24AAACS1234A1Z8' WHERE Srno = 1"));
    // A second sales book for counter sales, posting like the first.
    db().exec(QStringLiteral("INSERT INTO BookMst (BookNO, FirmNO, BookType, BookShortName, SalesName, SaleId, Is_Auto_Ac, A1, A2, A3, A4, "
                             "TCS_Id, TDS_Id, BillType) SELECT 4, FirmNO, 'S', 'R/', 'Retail Sales', SaleId, Is_Auto_Ac, A1, A2, A3, A4, "
                             "TCS_Id, TDS_Id, BillType FROM BookMst WHERE BookNO = 1 AND FirmNO = 1"));
    ramesh = addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35);
    delhi = addAccount(db(), QStringLiteral("Delhi Drapers"), 35, 1, QStringLiteral("07-Delhi"));
    kiran = addAccount(db(), QStringLiteral("Kiran Sarees"), 35);
    weaver = addAccount(db(), QStringLiteral("Mahesh Looms"), 77);
    db().exec(QStringLiteral("UPDATE AccMst SET City = 'Surat' WHERE Id IN (?, ?)"), {ramesh, kiran});
    db().exec(QStringLiteral("UPDATE AccMst SET City = 'New Delhi', IsOGS = 1 WHERE Id = ?"), {delhi});
    addItem(kRapier, 1, QStringLiteral("Rapier 60 Red"), QStringLiteral("Rapier"), QStringLiteral("5407"), 105, 5, 1, 1);
    addItem(kSaree, 1, QStringLiteral("Saree Zari"), QStringLiteral("Saree"), QStringLiteral("5208"), 1120, 12, 2, 2);
    addItem(kGeorgette, 1, QStringLiteral("Georgette 44"), QStringLiteral("Rapier"), QStringLiteral("5407"), 99.99, 5, 1, 1);

    // Produced takas; taka 102 goes out on the taka challan below.
    jobwork::ProductionChallans production(db(), s, messages_);
    jobwork::ProductionChallan p;
    p.bookNo = 1;
    p.challanNo = QStringLiteral("1");
    p.date = QDate(2024, 8, 2);
    p.partyId = weaver;
    p.takas.push_back({QStringLiteral("101"), d("1"), d("110"), d("110.5"), QStringLiteral("L1"), kRapier});
    p.takas.push_back({QStringLiteral("102"), d("1"), d("110"), d("110.5"), QStringLiteral("L2"), kRapier});
    p.takas.push_back({QStringLiteral("103"), d("1"), d("100"), d("98.25"), QStringLiteral("L1"), kGeorgette});
    production1 = production.save(p).value_or(0);
    EXPECT_GT(production1, 0);

    challanBilled = saveChallan(QStringLiteral("1"), QDate(2024, 8, 1), kiran, kRapier, "20", "105");
    challanPending1 = saveChallan(QStringLiteral("2"), QDate(2024, 8, 3), ramesh, kRapier, "30", "105");
    {
        trade::DeliveryChallans challans(db(), s, messages_);
        trade::DeliveryChallan c;
        c.bookNo = 1;
        c.challanNo = QStringLiteral("3");
        c.date = QDate(2024, 8, 22);
        c.partyId = kiran;
        c.fromTakas = true;
        c.lines = challans.linesFromTakas({QStringLiteral("102")});
        challanPending2 = challans.save(c).value_or(0);
        EXPECT_GT(challanPending2, 0);
    }

    bill1 = saveBill(1, QStringLiteral("1"), QDate(2024, 8, 5), ramesh, {{kRapier, "100", "105"}});
    bill2 = saveBill(1, QStringLiteral("2"), QDate(2024, 8, 5), delhi, {{kRapier, "50", "105"}});
    billR1 = saveBill(4, QStringLiteral("1"), QDate(2024, 8, 12), ramesh, {{kSaree, "10", "1120"}});
    bill3 = saveBill(1, QStringLiteral("3"), QDate(2024, 8, 20), kiran, {{kRapier, "20", "105"}, {kGeorgette, "12.5", "99.99"}}, challanBilled);

    // Another firm of the same books sells too.
    db().exec(QStringLiteral("INSERT INTO FirmMst (Srno, PName, City, CST, StartDt, ENdDt) VALUES (2, 'Laxmi Weaving', 'Surat', "
                             "'24-Gujarat', ?, ?)"),
              {s.yearStartDate, s.yearEndDate});
    seedOnce(2);
    const qint64 otherParty = addAccount(db(), QStringLiteral("Ramesh Silk Mills"), 35, 2);
    addItem(201, 2, QStringLiteral("Rapier 60 Red"), QStringLiteral("Rapier"), QStringLiteral("5407"), 105, 5, 1, 1);
    const qint64 firm1 = s.firmNo;
    s.firmNo = 2;
    otherFirmBill = saveBill(1, QStringLiteral("1"), QDate(2024, 8, 10), otherParty, {{201, "40", "105"}});
    s.firmNo = firm1;
}

}  // namespace tanabana::test
