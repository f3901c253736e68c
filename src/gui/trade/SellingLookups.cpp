#include "gui/trade/SellingLookups.h"

#include "domain/documents/Lookups.h"
#include "domain/products/SmallMasters.h"
#include "domain/trade/SalesLines.h"
#include "gui/masters/AccountScreens.h"
#include "gui/products/ItemScreen.h"

#include "gui/common/ScreenHabits.h"

#include <QEvent>
#include <QEventLoop>

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

LookupSource partySource(std::function<std::vector<documents::PartyChoice>(const QString&)> fetch) {
    return typedSource<documents::PartyChoice>(std::move(fetch),
                                               {{QStringLiteral("A/c Name"), [](const documents::PartyChoice& p) { return p.name; }},
                                                {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }},
                                                {QStringLiteral("A/c No"), [](const documents::PartyChoice& p) { return p.ledgerId; }},
                                                {QStringLiteral("GSTIN"), [](const documents::PartyChoice& p) { return p.gstin; }}},
                                               [](const documents::PartyChoice& p) { return p.id; });
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

namespace {

// Ends the wait of createInMaster when the master window goes (saved, Exit, closed).
class UntilHidden : public QObject {
public:
    explicit UntilHidden(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

// Shows `master` as a window over `over` with `typed` in its name field and waits for it to go;
// the key it saved, if any.
std::optional<qint64> createInMaster(MasterForm& master, const QString& nameColumn, const QString& typed, QWidget* over) {
    master.setWindowFlag(Qt::Dialog);
    master.setWindowModality(Qt::ApplicationModal);
    if (over) master.move(over->window()->geometry().center() - QPoint(master.sizeHint().width() / 2, master.sizeHint().height() / 2));
    master.setValue(nameColumn, typed);
    std::optional<qint64> saved;
    QObject::connect(&master, &MasterForm::saved, &master, [&](qint64 key) {
        saved = key;
        master.close();
    });
    QEventLoop loop;
    UntilHidden until(loop);
    master.installEventFilter(&until);
    master.show();
    keepOnScreen(&master);
    master.focusField(nameColumn);
    loop.exec();
    master.removeEventFilter(&until);
    return saved;
}

}  // namespace

LookupField::Creator partyCreator(Session& session, Messages& messages, QWidget* over) {
    return [&session, &messages, over](const QString& typed) -> std::optional<std::pair<qint64, QString>> {
        AccountScreen master(session, nullptr, &messages);
        master.setValue(QStringLiteral("GrpNo"), documents::partyGroups(documents::PartyRange::Sales).front());
        const auto key = createInMaster(master, QStringLiteral("AcName"), typed, over);
        if (!key) return std::nullopt;
        const auto party = documents::partyById(*session.db, session.firmNo, *key);
        return std::pair{*key, party ? party->name : typed};
    };
}

LookupField::Creator qualityCreator(Session& session, Messages& messages, QWidget* over) {
    return [&session, &messages, over](const QString& typed) -> std::optional<std::pair<qint64, QString>> {
        ItemScreen master(session, false, nullptr, &messages);
        const auto key = createInMaster(master, QStringLiteral("ProdName"), typed, over);
        if (!key) return std::nullopt;
        return std::pair{*key, trade::itemLabel(*session.db, *key).name};
    };
}

QString partyName(db::Database& db, qint64 firmNo, qint64 accountId) {
    const auto found = documents::partyById(db, firmNo, accountId);
    return found ? found->name : QString();
}

}  // namespace tanabana::gui
