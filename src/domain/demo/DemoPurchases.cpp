#include "domain/demo/DemoPurchases.h"

#include "core/Messages.h"
#include "domain/masters/DefaultChart.h"
#include "domain/masters/LedgerCode.h"
#include "domain/masters/RowWriter.h"
#include "domain/trade/PurchaseInvoices.h"
#include "domain/trade/TradeJson.h"

#include <QRandomGenerator>

namespace tanabana::demo {

namespace {

struct SupplierSeed {
    const char* name;
    const char* city;
    const char* state;
    const char* gstin;
    int group;
};

const SupplierSeed kSuppliers[] = {
    {"Laxmi Weaving Works", "Sachin GIDC", "24-Gujarat", "24AAAFL4321M1ZI", 76},
    {"Om Sai Fabrics", "Pandesara", "24-Gujarat", "24AABFO7766K1ZV", 76},
    {"Bhiwandi Looms", "Bhiwandi", "27-Maharashtra", "27AAHFB5151N1Z7", 76},
    {"Shree Ganesh Roadways", "Surat", "24-Gujarat", "", 80},
};

qint64 addSupplier(db::Database& db, const SupplierSeed& seed) {
    const qint64 id = db.nextKey(QStringLiteral("AccMst"), QStringLiteral("Id"));
    const QString name = QString::fromLatin1(seed.name);
    masters::insertRow(db, QStringLiteral("AccMst"),
                       {{QStringLiteral("Id"), id},
                        {QStringLiteral("LedgerId"), masters::nextLedgerCode(db, 1, masters::ledgerSeries(seed.group, name))},
                        {QStringLiteral("AcName"), name},
                        {QStringLiteral("GrpNo"), seed.group},
                        {QStringLiteral("IsGrp"), false},
                        {QStringLiteral("FirmNo"), 1},
                        {QStringLiteral("Active"), true},
                        {QStringLiteral("City"), QString::fromLatin1(seed.city)},
                        {QStringLiteral("CSTNo"), QString::fromLatin1(seed.state)},
                        {QStringLiteral("TinNo"), QString::fromLatin1(seed.gstin)},
                        {QStringLiteral("IsOgs"), !QString::fromLatin1(seed.state).startsWith(QLatin1String("24"))},
                        {QStringLiteral("Is_RevCh"), seed.group == 80},
                        {QStringLiteral("CrDays"), 45}});
    return id;
}

}  // namespace

int fillDemoPurchases(db::Database& db, Session& session, const QDate& first, const QDate& last, int bills) {
    RecordingMessages quiet;
    std::vector<qint64> weavers;
    qint64 transporter = 0;
    {
        db::Transaction tx(db);
        for (const SupplierSeed& seed : kSuppliers) {
            const qint64 id = addSupplier(db, seed);
            if (seed.group == 76) weavers.push_back(id);
            else transporter = id;
        }
        tx.commit();
    }
    const std::vector<qint64> greyItems = [&] {
        std::vector<qint64> ids;
        for (const db::Row& r : db.query(QStringLiteral("SELECT Id FROM ProdMst WHERE FirmNO = 1 AND CalcOn = 1 ORDER BY Id"), {}))
            ids.push_back(r.integer(QStringLiteral("Id")));
        return ids;
    }();
    if (greyItems.empty()) return 0;
    const qint64 expenses = db.scalar(QStringLiteral("SELECT Id FROM AccMst WHERE AcName = ? AND FirmNo = 1 AND IsGrp = 0"),
                                      {masters::chart::GeneralExpenses})
                                .toLongLong();
    QRandomGenerator random(20240402);
    trade::PurchaseInvoices purchases(db, session, quiet);
    const qint64 span = std::max<qint64>(0, first.daysTo(last));
    int saved = 0;
    for (int b = 0; b < bills; ++b) {
        trade::PurchaseBill bill;
        bill.date = first.addDays(bills <= 1 ? 0 : span * b / (bills - 1));
        if (b % 6 == 5) {
            // Freight inward from the transporter, a service bought under reverse charge.
            bill.kind = trade::PurchaseKind::Expense;
            bill.bookId = 3;
            bill.partyId = transporter;
            bill.expenseAccountId = expenses;
            bill.billNo = QStringLiteral("SGR/%1").arg(300 + b);
            trade::PurchaseLine freight;
            freight.input.metres = Decimal(1);
            freight.input.listRate = Decimal(int(random.bounded(18, 60)) * 100);
            freight.input.sgstPercent = freight.input.cgstPercent = Decimal::fromUnits(Decimal::Scale * 25 / 10);
            bill.lines = {freight};
        } else {
            const size_t weaver = size_t(b % int(weavers.size()));
            bill.bookId = 2;
            bill.partyId = weavers.at(weaver);
            bill.creditDays = 45;
            bill.billNo = QStringLiteral("%1/%2").arg(QStringLiteral("LW OS BL").split(QLatin1Char(' ')).at(qsizetype(weaver))).arg(100 + b);
            bill.lotNo = QStringLiteral("L-%1").arg(b + 1);
            trade::PurchaseLine grey;
            grey.qualityId = greyItems.at(size_t(random.bounded(int(greyItems.size()))));
            trade::applyItem(db, grey.qualityId, grey.input, true, false);
            grey.input.listRate = Decimal(int(random.bounded(48, 66)));
            Decimal metres;
            const int takas = 3 + random.bounded(6);
            for (int t = 0; t < takas; ++t) {
                const Decimal taka = Decimal::fromUnits(Decimal::Scale * (95 + random.bounded(12)) + 500000 * random.bounded(2));
                bill.takas.push_back({QStringLiteral("G%1-%2").arg(b + 1).arg(t + 1), taka, false});
                metres += taka;
            }
            grey.input.metres = metres;
            grey.count = Decimal(takas);
            if (b % 5 == 2) grey.input.freight = Decimal(250);
            bill.lines = {grey};
        }
        if (purchases.save(bill)) ++saved;
    }
    return saved;
}

}  // namespace tanabana::demo
