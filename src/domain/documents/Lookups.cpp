#include "domain/documents/Lookups.h"

#include <QStringList>

namespace tanabana::documents {

namespace {

// The account columns partyOf reads, as the start of a query.
const QString kPartySelect = QStringLiteral("SELECT Id, AcName, City, LedgerId, TinNo, CSTNo, GrpNo FROM AccMst ");

PartyChoice partyOf(const db::Row& r) {
    return {r.integer(QStringLiteral("Id")), r.text(QStringLiteral("AcName")), r.text(QStringLiteral("City")), r.text(QStringLiteral("LedgerId")),
            r.text(QStringLiteral("TinNo")), r.text(QStringLiteral("CSTNo")), int(r.integer(QStringLiteral("GrpNo")))};
}

}  // namespace

const std::vector<int>& partyGroups(PartyRange range) {
    static const std::vector<int> sales{35, 36, 38, 39};
    static const std::vector<int> purchase{76, 77, 79, 80};
    static const std::vector<int> trading{35, 38, 76, 77, 79, 80};
    static const std::vector<int> any;
    switch (range) {
    case PartyRange::Sales: return sales;
    case PartyRange::Purchase: return purchase;
    case PartyRange::Trading: return trading;
    case PartyRange::Expense:
    case PartyRange::AnyAccount: return any;
    }
    return any;
}

const std::vector<int>& excludedGroups(PartyRange range) {
    // Trading and stock accounts, sales parties, cash and bank, capital, suppliers of goods and
    // job workers, duties and taxes never sell a service to the firm.
    static const std::vector<int> notExpense{1, 2, 3, 17, 18, 24, 25, 30, 32, 33, 35, 36, 37, 72, 73, 74, 75, 76, 77, 78, 82, 85};
    static const std::vector<int> none;
    return range == PartyRange::Expense ? notExpense : none;
}

QString groupCondition(PartyRange range, const QString& groupColumn) {
    auto list = [](const std::vector<int>& groups) {
        QStringList numbers;
        for (int g : groups) numbers << QString::number(g);
        return numbers.join(QStringLiteral(", "));
    };
    if (!partyGroups(range).empty()) return groupColumn + QStringLiteral(" IN (") + list(partyGroups(range)) + QLatin1Char(')');
    if (!excludedGroups(range).empty()) return groupColumn + QStringLiteral(" NOT IN (") + list(excludedGroups(range)) + QLatin1Char(')');
    return {};
}

std::vector<PartyChoice> findParties(db::Database& db, qint64 firmNo, PartyRange range, const QString& prefix, int limit,
                                     bool withInactive) {
    const db::Dialect& d = db.dialect();
    QString sql = kPartySelect + QStringLiteral("WHERE FirmNo = ? AND IsGrp = 0");
    if (!withInactive) sql += QStringLiteral(" AND Active = 1");
    if (const QString groups = groupCondition(range); !groups.isEmpty()) sql += QStringLiteral(" AND ") + groups;
    sql += QStringLiteral(" AND (") + d.likeInsensitive(QStringLiteral("AcName")) + QStringLiteral(" OR ") +
           d.likeInsensitive(QStringLiteral("LedgerId")) + QStringLiteral(") ORDER BY AcName") + d.limit(limit);
    const QString like = prefix.trimmed() + QLatin1Char('%');
    std::vector<PartyChoice> out;
    db.forEach(sql, {firmNo, like, like}, [&](const db::Row& r) { out.push_back(partyOf(r)); });
    return out;
}

std::vector<PartyChoice> findJobWorkers(db::Database& db, qint64 firmNo, const QString& prefix) {
    const db::Dialect& d = db.dialect();
    const QString like = prefix.trimmed() + QLatin1Char('%');
    std::vector<PartyChoice> out;
    db.forEach(kPartySelect + QStringLiteral("WHERE ZoneName = 'J' AND IsGrp = 0 "
                              "AND FirmNo = ? AND (") +
                   d.likeInsensitive(QStringLiteral("AcName")) + QStringLiteral(" OR ") + d.likeInsensitive(QStringLiteral("LedgerId")) +
                   QStringLiteral(") ORDER BY AcName"),
               {firmNo, like, like}, [&](const db::Row& r) { out.push_back(partyOf(r)); });
    return out;
}

std::vector<PartyChoice> allAccounts(db::Database& db, qint64 firmNo) {
    std::vector<PartyChoice> out;
    db.forEach(kPartySelect + QStringLiteral("WHERE FirmNo = ? ORDER BY Id"), {firmNo},
               [&](const db::Row& r) { out.push_back(partyOf(r)); });
    return out;
}

std::optional<PartyChoice> partyById(db::Database& db, qint64 firmNo, qint64 accountId) {
    const auto r = db.queryOne(kPartySelect + QStringLiteral("WHERE Id = ? AND FirmNo = ?"),
                               {accountId, firmNo});
    if (!r) return std::nullopt;
    return partyOf(*r);
}

std::vector<QualityChoice> sellableQualities(db::Database& db, qint64 firmNo, const QString& prefix, int limit) {
    const db::Dialect& d = db.dialect();
    const QString like = prefix.trimmed() + QLatin1Char('%');
    std::vector<QualityChoice> out;
    db.forEach(QStringLiteral("SELECT Id, ProdName, ProdCode, ProdSubGrp, P1, ProdGrp, RAteR, CalcOn, Vat, AddTax, hsnCode, UNit, Pack FROM ProdMst WHERE FirmNO = ? "
                              "AND IsActive = 1 AND COALESCE(IsNewPro, 0) = 0 AND (") +
                   d.likeInsensitive(QStringLiteral("ProdName")) + QStringLiteral(" OR ") + d.likeInsensitive(QStringLiteral("ProdCode")) +
                   QStringLiteral(" OR ") + d.likeInsensitive(QStringLiteral("ProdSubGrp")) + QStringLiteral(") ORDER BY ProdName") +
                   d.limit(limit),
               {firmNo, like, like, like}, [&](const db::Row& r) {
                   QualityChoice q;
                   q.id = r.integer(QStringLiteral("Id"));
                   q.name = r.text(QStringLiteral("ProdName"));
                   q.code = r.text(QStringLiteral("ProdCode"));
                   q.designNo = r.text(QStringLiteral("ProdSubGrp"));
                   q.colour = r.text(QStringLiteral("P1"));
                   q.qualityType = r.text(QStringLiteral("ProdGrp"));
                   q.rate = Decimal::fromVariant(r.value(QStringLiteral("RAteR")));
                   q.rateOn = r.integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
                   q.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
                   q.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
                   q.hsn = r.text(QStringLiteral("hsnCode"));
                   q.unit = r.text(QStringLiteral("UNit"));
                   q.cut = Decimal::fromVariant(r.value(QStringLiteral("Pack")));
                   out.push_back(q);
               });
    return out;
}

std::vector<DesignChoice> sellableDesigns(db::Database& db, qint64 firmNo, const QString& prefix, int limit) {
    const db::Dialect& d = db.dialect();
    std::vector<DesignChoice> out;
    db.forEach(QStringLiteral("SELECT ProdSubGrp, count(*) AS Colours, MIN(Id) AS FirstId FROM ProdMst WHERE FirmNO = ? AND IsActive = 1 "
                              "AND COALESCE(IsNewPro, 0) = 0 AND ") +
                   d.likeInsensitive(QStringLiteral("ProdSubGrp")) + QStringLiteral(" GROUP BY ProdSubGrp ORDER BY ProdSubGrp") + d.limit(limit),
               {firmNo, prefix + QLatin1Char('%')}, [&](const db::Row& r) {
                   out.push_back({r.text(QStringLiteral("ProdSubGrp")), int(r.integer(QStringLiteral("Colours"))),
                                  r.integer(QStringLiteral("FirstId"))});
               });
    return out;
}

std::vector<BookChoice> booksOfKind(db::Database& db, qint64 firmNo, BookKind kind) {
    const bool sales = kind == BookKind::Sales;
    std::vector<BookChoice> out;
    db.forEach(QStringLiteral("SELECT BookNO, SalesName, PurName, BookShortName, BillType FROM BookMst WHERE FirmNO = ? "
                              "AND (BookType = ? OR BookType = 'A') ORDER BY BookNO"),
               {firmNo, sales ? QStringLiteral("S") : QStringLiteral("P")}, [&](const db::Row& r) {
                   out.push_back({r.integer(QStringLiteral("BookNO")), r.text(sales ? QStringLiteral("SalesName") : QStringLiteral("PurName")),
                                  r.text(QStringLiteral("BookShortName")), r.text(QStringLiteral("BillType"))});
               });
    return out;
}

}  // namespace tanabana::documents
