#include "domain/demo/DemoFirm.h"

#include "domain/demo/DemoMills.h"
#include "domain/demo/DemoStock.h"
#include "domain/demo/DemoPurchases.h"
#include "domain/demo/DemoVouchers.h"
#include "domain/demo/DemoReturns.h"

#include "core/Messages.h"
#include "domain/jobwork/ProductionChallans.h"
#include "domain/masters/FirmChart.h"
#include "domain/masters/LedgerCode.h"
#include "domain/masters/RowWriter.h"
#include "domain/products/ItemMaster.h"
#include "domain/trade/DeliveryChallans.h"
#include "domain/trade/SalesInvoices.h"
#include "domain/trade/TradeJson.h"

#include <QRandomGenerator>

namespace tanabana::demo {

namespace {

struct PartySeed {
    const char* name;
    const char* city;
    const char* state;
    const char* gstin;
};

const PartySeed kParties[] = {
    {"Ramesh Silk Mills", "Surat", "24-Gujarat", "24AAACR1234K1ZO"},
    {"Shree Ambica Sarees", "Surat", "24-Gujarat", "24AAFCS4521L1ZC"},
    {"Navkar Fashions", "Ahmedabad", "24-Gujarat", "24AAGFN7788M1ZH"},
    {"Patel Textile Traders", "Vadodara", "24-Gujarat", "24AABFP3311Q1Z9"},
    {"Jai Bhavani Creations", "Surat", "24-Gujarat", "24AAJFJ9090R1ZH"},
    {"Mahavir Synthetics", "Surat", "24-Gujarat", "24AAMFM5656S1ZD"},
    {"Delhi Drapers", "Delhi", "07-Delhi", "07AADFD2323T1Z7"},
    {"Mumbai Silk House", "Mumbai", "27-Maharashtra", "27AAEFM8181U1Z9"},
    {"Kolkata Saree Kendra", "Kolkata", "19-West Bengal", "19AAKFK6464V1Z2"},
    {"Jaipur Prints", "Jaipur", "08-Rajasthan", "08AAJFJ1212W1ZT"},
};

struct ItemSeed {
    const char* name;
    const char* colour;
    const char* type;
    const char* design;
    double rate;
    double gst;  // total, split half SGST half CGST
    int calcOn;  // 1 metres, 2 pieces
    double cut;
};

const ItemSeed kItems[] = {
    {"Rapier 60 Red", "Red", "Rapier 60", "D-101", 104.5, 5, 1, 5.5},
    {"Rapier 60 Blue", "Blue", "Rapier 60", "D-101", 104.5, 5, 1, 5.5},
    {"Georgette 44", "White", "Georgette", "G-44", 82.75, 5, 1, 6.3},
    {"Chiffon Print", "Multi", "Chiffon", "C-210", 96.0, 5, 1, 5.5},
    {"Satin Plain", "Cream", "Satin", "S-12", 71.25, 5, 1, 6.0},
    {"Zari Saree", "Maroon", "Saree", "Z-501", 1150.0, 12, 2, 6.3},
};

qint64 addAccount(db::Database& db, const QString& name, int group, const PartySeed* seed, const QString& zone = {}) {
    const qint64 id = db.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id"));
    QVariantMap values{{QStringLiteral("Id"), id},
                       {QStringLiteral("LedgerId"), masters::nextLedgerCode(db, 1, masters::ledgerSeries(group, name))},
                       {QStringLiteral("AcName"), name},
                       {QStringLiteral("GrpNo"), group},
                       {QStringLiteral("IsGrp"), false},
                       {QStringLiteral("FirmNo"), 1},
                       {QStringLiteral("Active"), true},
                       {QStringLiteral("ZoneName"), zone},
                       {QStringLiteral("CrDays"), 30}};
    if (seed) {
        values.insert(QStringLiteral("City"), QString::fromLatin1(seed->city));
        values.insert(QStringLiteral("Add1"), QStringLiteral("Textile Market, Ring Road"));
        values.insert(QStringLiteral("CSTNo"), QString::fromLatin1(seed->state));
        values.insert(QStringLiteral("TinNo"), QString::fromLatin1(seed->gstin));
        values.insert(QStringLiteral("IsOgs"), !QString::fromLatin1(seed->state).startsWith(QLatin1String("24")));
        values.insert(QStringLiteral("Trans_Name"), QStringLiteral("Shree Maruti Roadways"));
    }
    masters::insertRow(db, QStringLiteral("AccMst"), values);
    return id;
}

void addFirm(db::Database& db, Session& session) {
    // The installation may have made firm 1 already (with its own name): it becomes the demo firm.
    db.exec(QStringLiteral("DELETE FROM FirmMst WHERE Srno = 1"));
    masters::insertRow(db, QStringLiteral("FirmMst"),
                       {{QStringLiteral("Srno"), 1},
                        {QStringLiteral("PName"), QStringLiteral("Shree Laxmi Textiles")},
                        {QStringLiteral("Owner"), QStringLiteral("Rajesh Agarwal")},
                        {QStringLiteral("Add1"), QStringLiteral("A-214, Surat Textile Market, Ring Road")},
                        {QStringLiteral("City"), QStringLiteral("Surat")},
                        {QStringLiteral("Tin"), QStringLiteral("24AAKFS9876B1ZU")},
                        {QStringLiteral("CST"), QStringLiteral("24-Gujarat")},
                        {QStringLiteral("Ph"), QStringLiteral("0261-2345678")},
                        {QStringLiteral("StartDt"), session.yearStartDate},
                        {QStringLiteral("ENdDt"), session.yearEndDate},
                        {QStringLiteral("FirmTcsP"), 0.1},
                        // a firm with its own looms: the production and taka challan menus show
                        {QStringLiteral("Soft_Type"), 9},
                        {QStringLiteral("Is_Sales_RndOff"), true},
                        {QStringLiteral("BankName1"), QStringLiteral("State Bank of India, Ring Road")},
                        {QStringLiteral("BankAcno1"), QStringLiteral("30123456789")},
                        {QStringLiteral("IFSC1"), QStringLiteral("SBIN0001234")}});
    session.firmNo = 1;
    session.firmName = QStringLiteral("Shree Laxmi Textiles");
    for (const db::Row& r : db.query(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = 1")))
        for (const QString& column : r.columns()) session.firm.insert(column, r.value(column));
}

QDate dateAt(const QDate& from, const QDate& until, int index, int count) {
    const qint64 span = std::max<qint64>(0, from.daysTo(until));
    return from.addDays(count <= 1 ? 0 : span * index / (count - 1));
}

}  // namespace

QString DemoSummary::text() const {
    return QStringLiteral("%1 parties, %2 qualities, %3 takas in %4 production challans, %5 delivery challans, %6 sales bills, %7 purchase bills")
               .arg(parties).arg(items).arg(takas).arg(productionChallans).arg(deliveryChallans).arg(salesBills).arg(purchaseBills) +
           QStringLiteral(", %1 receipts, %2 payments").arg(receipts).arg(payments) +
           QStringLiteral(", %1 mill issues, %2 mill receipts").arg(millIssues).arg(millReceipts) +
           QStringLiteral(", %1 returns, %2 credit and debit notes").arg(returns).arg(notes) +
           QStringLiteral(", %1 stock issues, %2 stock receipts").arg(stockIssues).arg(stockReceipts);
}

DemoSummary fillDemoFirm(db::Database& db, Session& session, const QDate& until, const DemoSize& size) {
    DemoSummary summary;
    RecordingMessages quiet;
    QRandomGenerator random(20240401);
    const QDate last = std::min(until, session.yearEndDate);
    const QDate first = session.yearStartDate;

    std::vector<qint64> parties;
    qint64 ownLooms = 0;
    {
        db::Transaction tx(db);
        addFirm(db, session);
        masters::setUpFirmBooks(db, 1);
        for (const PartySeed& p : kParties) parties.push_back(addAccount(db, QString::fromLatin1(p.name), 35, &p));
        for (int i = 0; i < size.extraParties; ++i) {
            const PartySeed& p = kParties[i % std::size(kParties)];
            parties.push_back(addAccount(db, QStringLiteral("%1 %2").arg(QString::fromLatin1(p.city)).arg(i + 1, 5, 10, QLatin1Char('0')), 35, &p));
        }
        ownLooms = addAccount(db, QStringLiteral("Own Looms Production"), 76, nullptr, QStringLiteral("J"));
        db.exec(QStringLiteral("INSERT INTO BrokerMst (Srno, PName, City, CST, PType, FirmNO) VALUES (1, 'Mukesh Shah', 'Surat', 1, 'B', 1)"));
        db.exec(QStringLiteral("INSERT INTO BrokerMst (Srno, PName, City, CST, PType, FirmNO) VALUES (2, 'Vinod Jain', 'Surat', 0.5, 'B', 1)"));
        tx.commit();
    }
    summary.parties = int(parties.size());

    std::vector<qint64> items;
    products::ItemMaster master(db, session, quiet);
    auto saveItem = [&](const ItemSeed& seed, const QString& name, const QString& code) {
        products::Item item;
        item.code = code;
        item.name = name;
        item.name2 = QString::fromLatin1(seed.colour);
        item.group = QString::fromLatin1(seed.type);
        item.subGroup = QString::fromLatin1(seed.design);
        item.stockType = QLatin1Char('F');
        item.unit = seed.calcOn == 2 ? QStringLiteral("PCS") : QStringLiteral("MTR");
        item.uqc = seed.calcOn == 2 ? QStringLiteral("PCS-PIECES") : QStringLiteral("MTR-METERS");
        item.rateRetail = Decimal::fromDouble(seed.rate);
        item.sgst = Decimal::fromDouble(seed.gst / 2);
        item.cgst = Decimal::fromDouble(seed.gst / 2);
        item.hsn = seed.calcOn == 2 ? QStringLiteral("5208") : QStringLiteral("5407");
        item.pack = Decimal::fromDouble(seed.cut);
        item.calcOn = seed.calcOn;
        // Stock brought in from the last year, so that a year of selling leaves some on the shelf.
        item.openingQty = Decimal(seed.calcOn == 2 ? 3000 : 45000);
        if (seed.calcOn == 2) item.openingPieces = item.openingQty;
        if (const auto ids = master.save(item)) items.push_back(ids->front());
    };
    for (const ItemSeed& seed : kItems) saveItem(seed, QString::fromLatin1(seed.name), master.nextCode());
    for (int i = 0; i < size.extraItems; ++i) {
        const ItemSeed& seed = kItems[i % std::size(kItems)];
        saveItem(seed, QStringLiteral("%1 Lot %2").arg(QString::fromLatin1(seed.type)).arg(i + 1, 5, 10, QLatin1Char('0')),
                 QString::number(1000 + i));
    }
    summary.items = int(items.size());

    // The looms' production: takas of the fabric qualities.
    jobwork::ProductionChallans production(db, session, quiet);
    for (int c = 0; c < size.productionChallans; ++c) {
        jobwork::ProductionChallan ch;
        ch.bookNo = 1;
        ch.challanNo = production.nextChallanNo(1);
        ch.date = dateAt(first, last, c, size.productionChallans);
        ch.partyId = ownLooms;
        ch.prodType = QStringLiteral("O");
        for (int t = 0; t < size.taksPerChallan; ++t) {
            const qint64 quality = items.at(size_t(random.bounded(5)));
            jobwork::ProductionTaka taka;
            taka.takaNo = QString::number(101 + c * size.taksPerChallan + t);
            taka.pieces = Decimal(int(random.bounded(18, 24)));
            taka.cut = Decimal::fromDouble(5.5);
            taka.metres = Decimal::fromUnits(Decimal::Scale * (100 + random.bounded(30)) + 250000 * random.bounded(4));
            taka.machine = QStringLiteral("L%1").arg(1 + t % 6);
            taka.qualityId = quality;
            ch.takas.push_back(taka);
        }
        if (production.save(ch)) {
            ++summary.productionChallans;
            summary.takas += int(ch.takas.size());
        }
    }

    // Takas go out on delivery challans; most of those are billed.
    trade::DeliveryChallans challans(db, session, quiet);
    std::vector<std::pair<QString, QDate>> challanNumbers;
    for (int c = 0; c < size.takaChallans; ++c) {
        const std::vector<trade::FreeTaka> free = challans.freeTakas();
        if (free.size() < 3) break;
        trade::DeliveryChallan ch;
        ch.bookNo = 1;
        ch.challanNo = challans.nextChallanNo(1);
        ch.date = dateAt(first.addDays(5), last, c, size.takaChallans);
        ch.partyId = parties.at(size_t(random.bounded(int(std::size(kParties)))));
        ch.transport = QStringLiteral("Shree Maruti Roadways");
        ch.station = QStringLiteral("Surat");
        ch.fromTakas = true;
        QStringList takas;
        for (int t = 0; t < 3 + c % 3 && t < int(free.size()); ++t) takas << free[size_t(t)].takaNo;
        ch.lines = challans.linesFromTakas(takas);
        if (challans.save(ch)) {
            ++summary.deliveryChallans;
            challanNumbers.push_back({ch.challanNo, ch.date});
        }
    }

    trade::SalesInvoices sales(db, session, quiet);
    size_t nextChallan = 0;
    for (int b = 0; b < size.salesBills; ++b) {
        trade::SalesBill bill;
        bill.bookNo = 1;
        bill.date = dateAt(first.addDays(7), last, b, size.salesBills);
        bill.billNo = sales.nextBillNo(1);
        bill.creditDays = 30;
        bill.brokerId = 1 + b % 2;
        if (b % 4 == 3 && nextChallan < challanNumbers.size() && challanNumbers[nextChallan].second <= bill.date) {
            if (!sales.fillFromChallan(bill, challanNumbers[nextChallan++].first)) continue;
        } else {
            bill.partyId = parties.at(size_t(random.bounded(int(parties.size()))));
            const int lineCount = 1 + random.bounded(5);
            for (int l = 0; l < lineCount; ++l) {
                trade::SalesLine line;
                line.qualityId = items.at(size_t(random.bounded(int(std::size(kItems)))));
                trade::applyItem(db, line.qualityId, line.input, false, false);
                if (line.input.rateOn == QStringLiteral("P"))
                    line.input.pieces = Decimal(int(random.bounded(10, 60)));
                else
                    line.input.metres = Decimal::fromUnits(Decimal::Scale * (150 + random.bounded(900)) + 500000 * random.bounded(2));
                if (l % 3 == 1) line.input.discountPercent = Decimal(2);
                bill.lines.push_back(line);
            }
        }
        if (b % 10 == 5) bill.transport = QStringLiteral("Shree Maruti Roadways");
        bill.tcsPercent = sales.proposedTcsPercent(bill);
        if (sales.save(bill)) ++summary.salesBills;
    }
    summary.purchaseBills = fillDemoPurchases(db, session, first.addDays(2), last, size.purchaseBills);
    const DemoMillWork mills = fillDemoMills(db, session, last);
    summary.millIssues = mills.issues;
    summary.millReceipts = mills.receipts;
    const DemoMoney money = fillDemoVouchers(db, session, last);
    summary.receipts = money.receipts;
    summary.payments = money.payments;
    const DemoReturnCount returned = fillDemoReturns(db, session, last);
    summary.returns = returned.returns;
    summary.notes = returned.notes;
    const DemoStockVouchers stockVouchers = fillDemoStockVouchers(db, session, last);
    summary.stockIssues = stockVouchers.issues;
    summary.stockReceipts = stockVouchers.receipts;
    return summary;
}

}  // namespace tanabana::demo
