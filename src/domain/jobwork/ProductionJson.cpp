#include "domain/jobwork/ProductionJson.h"

#include "domain/trade/JsonFields.h"

#include <QJsonArray>

namespace tanabana::jobwork {

using trade::Fields;
using trade::objectAt;
using trade::requireAccount;
using trade::requireBook;
using trade::requireQuality;
using trade::nonNegative;

ProductionChallan productionFromJson(db::Database& db, const Session& s, const QJsonObject& object) {
    const Fields f(object, {}, {QStringLiteral("book"), QStringLiteral("number"), QStringLiteral("date"), QStringLiteral("party"),
                                QStringLiteral("type"), QStringLiteral("takas")});
    jobwork::ProductionChallan c;
    c.bookNo = requireBook(db, s, f);
    c.challanNo = f.text(QStringLiteral("number")).trimmed();
    c.date = f.date(QStringLiteral("date"), true);
    c.partyId = requireAccount(db, s, f, QStringLiteral("party"), true);
    c.prodType = f.text(QStringLiteral("type")).trimmed().left(1).toUpper();
    const QJsonArray takas = f.array(QStringLiteral("takas"));
    for (int i = 0; i < takas.size(); ++i) {
        const Fields t(objectAt(takas, i, QStringLiteral("taka")), QStringLiteral("taka %1").arg(i + 1),
                       {QStringLiteral("taka"), QStringLiteral("pcs"), QStringLiteral("cut"), QStringLiteral("mtrs"),
                        QStringLiteral("machine"), QStringLiteral("quality"), QStringLiteral("machineIssue")});
        ProductionTaka taka;
        taka.takaNo = t.text(QStringLiteral("taka")).trimmed();
        taka.pieces = nonNegative(t, QStringLiteral("pcs"));
        taka.cut = nonNegative(t, QStringLiteral("cut"));
        taka.metres = nonNegative(t, QStringLiteral("mtrs"));
        taka.machine = t.text(QStringLiteral("machine"));
        taka.qualityId = requireQuality(db, s, t);
        taka.machineIssue = t.whole(QStringLiteral("machineIssue")) != 0;
        c.takas.push_back(taka);
    }
    return c;
}

}  // namespace tanabana::jobwork
