#include "gui/trade/PartyLookup.h"

#include "domain/documents/Lookups.h"

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

}  // namespace tanabana::gui
