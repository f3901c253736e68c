#include "gui/trade/SellingLookups.h"

#include "domain/documents/Lookups.h"
#include "domain/products/SmallMasters.h"

#include <memory>

namespace tanabana::gui {

LookupField::Search salesPartySearch(db::Database& db, qint64 firmNo, bool anyAccount, bool withInactive) {
    db::Database* dbp = &db;
    return [dbp, firmNo, anyAccount, withInactive](const QString& prefix) {
        static const auto names = std::make_shared<const QStringList>(
            QStringList{QStringLiteral("A/c Name"), QStringLiteral("City"), QStringLiteral("A/c No"), QStringLiteral("GSTNO"),
                        QStringLiteral("State"), QStringLiteral("Id")});
        db::Rows rows;
        const auto range = anyAccount ? documents::PartyRange::AnyAccount : documents::PartyRange::Sales;
        for (const documents::PartyChoice& p : documents::findParties(*dbp, firmNo, range, prefix, 30, anyAccount || withInactive))
            rows.emplace_back(names, QVariantList{p.name, p.city, p.ledgerId, p.gstin, p.state, p.id});
        return rows;
    };
}

LookupField::Search qualitySearch(db::Database& db, qint64 firmNo, const QString& nameColumn) {
    db::Database* dbp = &db;
    const auto names = std::make_shared<const QStringList>(
        QStringList{nameColumn, QStringLiteral("Code"), QStringLiteral("Rate"), QStringLiteral("PM"), QStringLiteral("SGST"),
                    QStringLiteral("CGST"), QStringLiteral("HSN"), QStringLiteral("Unit"), QStringLiteral("Pack"), QStringLiteral("Id")});
    return [dbp, firmNo, names](const QString& prefix) {
        db::Rows rows;
        for (const documents::QualityChoice& q : documents::sellableQualities(*dbp, firmNo, prefix))
            rows.emplace_back(names, QVariantList{q.name, q.code, q.rate.toDouble(), q.rateOn, q.sgstPercent.toDouble(), q.cgstPercent.toDouble(),
                                                  q.hsn, q.unit, q.cut.toDouble(), q.id});
        return rows;
    };
}

LookupField::Search designSearch(db::Database& db, qint64 firmNo) {
    db::Database* dbp = &db;
    return [dbp, firmNo](const QString& prefix) {
        static const auto names =
            std::make_shared<const QStringList>(QStringList{QStringLiteral("Design No"), QStringLiteral("Colours"), QStringLiteral("Id")});
        db::Rows rows;
        for (const documents::DesignChoice& d : documents::sellableDesigns(*dbp, firmNo, prefix))
            rows.emplace_back(names, QVariantList{d.designNo, d.colours, d.firstId});
        return rows;
    };
}

LookupSource partyLookup(db::Database& db, qint64 firmNo, bool anyAccount) {
    return {salesPartySearch(db, firmNo, anyAccount), QStringLiteral("Id"), QStringLiteral("A/c Name")};
}

LookupSource brokerLookup(db::Database& db, Session& session, Messages& messages) {
    return typedSource<products::Broker>(
        [&db, &session, &messages](const QString& prefix) {
            std::vector<products::Broker> found;
            for (products::Broker& b : products::BrokerMaster(db, session, messages).list())
                if (b.name.startsWith(prefix.trimmed(), Qt::CaseInsensitive)) found.push_back(std::move(b));
            return found;
        },
        {{QStringLiteral("Broker"), [](const products::Broker& b) { return b.name; }},
         {QStringLiteral("City"), [](const products::Broker& b) { return b.city; }}},
        [](const products::Broker& b) { return b.srno; });
}

QString brokerName(db::Database& db, Session& session, Messages& messages, qint64 srno) {
    if (srno <= 0) return {};
    const auto b = products::BrokerMaster(db, session, messages).load(srno);
    return b ? b->name : QString();
}

QString partyName(db::Database& db, qint64 firmNo, qint64 accountId) {
    const auto found = documents::partyById(db, firmNo, accountId);
    return found ? found->name : QString();
}

}  // namespace tanabana::gui
